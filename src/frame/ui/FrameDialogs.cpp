#include "frame/ui/FrameDialogs.h"

#include "documents/ui/kennwort_unit.h"
#include "frame/ui/Main.h"

using platform::QtDialogs;

platform::ModalResult FrameDialogs::MessageDlg(const std::string& text, platform::MsgDlgType type,
                                               platform::MsgDlgButtons buttons, int helpContext) {
    OpenQueue::Busy busy(MainOpenQueue());
    return QtDialogs::MessageDlg(text, type, buttons, helpContext);
}

void FrameDialogs::ShowMessage(const std::string& text) {
    OpenQueue::Busy busy(MainOpenQueue());
    QtDialogs::ShowMessage(text);
}

void FrameDialogs::ShowException(const std::string& text) {
    OpenQueue::Busy busy(MainOpenQueue());
    QtDialogs::ShowException(text);
}

std::string FrameDialogs::AskPassword(const std::string& prompt) {
    OpenQueue::Busy busy(MainOpenQueue());
    return AskPasswordWithForm(prompt, Parent());
}

std::optional<std::string> FrameDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                                                    const std::string& initial) {
    OpenQueue::Busy busy(MainOpenQueue());
    return QtDialogs::InputQuery(caption, prompt, initial);
}

platform::FileDialogResult FrameDialogs::OpenFileDialog(const platform::FileDialogRequest& request) {
    OpenQueue::Busy busy(MainOpenQueue());
    return QtDialogs::OpenFileDialog(request);
}

platform::FileDialogResult FrameDialogs::SaveFileDialog(const platform::FileDialogRequest& request) {
    OpenQueue::Busy busy(MainOpenQueue());
    return QtDialogs::SaveFileDialog(request);
}

std::optional<std::string> FrameDialogs::ChooseFolder(const std::string& caption, const std::string& start) {
    OpenQueue::Busy busy(MainOpenQueue());
    return QtDialogs::ChooseFolder(caption, start);
}
