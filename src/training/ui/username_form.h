#pragma once
// The prompt for the user's name before the quiz result is printed. It is
// made once; its edit keeps the last typed name.

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class TUserNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TUserNameForm(QWidget* parent = nullptr);

    // The typed name (UTF-8), or ESC when cancelled.
    std::string AskUserName();

    // OK closes only with a name typed.
    void BitBtn1Click();
    void BitBtn2Click() { reject(); }

    QLabel* Label1 = nullptr;
    QLineEdit* username = nullptr;
    QPushButton *BitBtn1, *BitBtn2;
};

TUserNameForm& UserNameForm();
