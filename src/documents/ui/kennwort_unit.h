#pragma once
// The password prompt: one password with a prompt chosen by the caller.

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class TKennwortForm : public QDialog {
    Q_OBJECT

public:
    explicit TKennwortForm(QWidget* parent = nullptr);

    // The typed text (Windows-1252 bytes, at most 15) when the dialog ends
    // with OK, an empty text included; otherwise the cancel marker "\x1b".
    // The prompt is UTF-8.
    std::string AskPassword(const std::string& prompt);

    QLabel* KennwortTxt;
    QLineEdit* Kennwort;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Every request starts with an empty field.
    void FormShow();
};

// For the dialog seam: a fresh form per request, so a nested request can
// never re-show a dialog that is already open.
std::string AskPasswordWithForm(const std::string& prompt, QWidget* parent = nullptr);
