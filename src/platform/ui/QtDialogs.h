#pragma once
// The dialog seam shown with Qt: standard message boxes with the captions and
// button texts of the program they belong to, prompts and file dialogs.

#include <QDialog>
#include <QPointer>
#include <QString>

#include "platform/Dialogs.h"

class QPushButton;

namespace platform {

enum class Program { Main, HelpViewer };

// Captions and button texts of the standard boxes.
struct BoxTexts {
    QString warning, error, information, confirm;
    QString yes, no, ok, cancel, abort, retry, ignore, help;
};
const BoxTexts& BoxTextsFor(Program program);

// The title every program sets at start; caption of plain and exception boxes.
QString ApplicationTitle();

// A standard message box. Esc answers like the box's cancel button (Cancel,
// else No, else OK); closing the window answers ModalResult::None; Help shows
// the help page and leaves the box open.
class MessageBox : public QDialog {
    Q_OBJECT
public:
    MessageBox(Program program, const QString& text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
               QWidget* parent = nullptr);

    ModalResult Result() const { return result_; }
    // The buttons in the order shown.
    QList<QPushButton*> Buttons() const { return buttons_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ModalResult result_ = ModalResult::None;
    QList<QPushButton*> buttons_;
    QPushButton* cancelButton_ = nullptr;
};

class QtDialogs : public DialogSeam {
public:
    explicit QtDialogs(Program program) : program_(program) {}

    ModalResult MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons,
                           int helpContext = 0) override;
    void ShowMessage(const std::string& text) override;
    void ShowException(const std::string& text) override;
    // Answers as cancelled: a program that asks for passwords brings its own prompt.
    std::string AskPassword(const std::string& prompt) override;
    std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) override;
    FileDialogResult OpenFileDialog(const FileDialogRequest& request) override;
    FileDialogResult SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& caption, const std::string& start) override;

    // The program's main window: boxes raised while none of the program's
    // windows is active belong to it, so they stand above it.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

protected:
    Program program() const { return program_; }
    // The window the boxes belong to: the open modal window, else the active
    // window, else the main window.
    QWidget* Parent() const;

private:
    FileDialogResult RunFileDialog(const FileDialogRequest& request, bool save);

    Program program_;
    QPointer<QWidget> mainWindow_;
};

}  // namespace platform
