#include "frame/ui/FrameDialogs.h"

#include <QPointer>

#include "documents/ui/kennwort_unit.h"
#include "frame/ui/DirectoryUnit.h"
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
    if (MainForm == nullptr) return QtDialogs::ChooseFolder(caption, start);
    // One chooser for the frame's life: it opens where it was left.
    static QPointer<TDirectorySelectForm> chooser;
    if (chooser == nullptr) chooser = new TDirectorySelectForm(MainForm);
    chooser->SelectedFolder = start;
    if (chooser->exec() != QDialog::Accepted) return std::nullopt;
    return chooser->SelectedFolder;
}
