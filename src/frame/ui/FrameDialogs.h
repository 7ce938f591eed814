#pragma once
// The main program's dialog seam: the Qt boxes, the program's own password
// form, and the open queue held busy while any of them is up, so a hand-over
// or a drop that arrives meanwhile waits until it has closed.

#include "platform/ui/QtDialogs.h"

class FrameDialogs : public platform::QtDialogs {
public:
    FrameDialogs() : QtDialogs(platform::Program::Main) {}

    platform::ModalResult MessageDlg(const std::string& text, platform::MsgDlgType type,
                                     platform::MsgDlgButtons buttons, int helpContext = 0) override;
    void ShowMessage(const std::string& text) override;
    void ShowException(const std::string& text) override;
    std::string AskPassword(const std::string& prompt) override;
    std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) override;
    platform::FileDialogResult OpenFileDialog(const platform::FileDialogRequest& request) override;
    platform::FileDialogResult SaveFileDialog(const platform::FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& caption, const std::string& start) override;
};
