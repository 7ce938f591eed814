#include "training/ui/username_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Dialogs.h"

TUserNameForm::TUserNameForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UserNameForm"));
    setWindowTitle(QString::fromUtf8("Bericht drucken..."));
    setModal(true);
    setFixedSize(360, 110);
    Label1 = new QLabel(QString::fromUtf8("Bitte geben Sie Ihren Namen für den Bericht ein:"), this);
    Label1->setGeometry(10, 10, 340, 20);
    username = new QLineEdit(this);
    username->setObjectName(QStringLiteral("username"));
    username->setGeometry(10, 34, 340, 26);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setGeometry(80, 72, 100, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Abbruch"), this);
    BitBtn2->setGeometry(190, 72, 100, 28);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TUserNameForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TUserNameForm::BitBtn2Click);
}

void TUserNameForm::BitBtn1Click() {
    if (!username->text().isEmpty()) accept();
}

std::string TUserNameForm::AskUserName() {
    username->setFocus();
    if (exec() != QDialog::Accepted) return platform::kCancelMarker;
    return username->text().toStdString();
}

TUserNameForm& UserNameForm() {
    static TUserNameForm* form = new TUserNameForm;
    return *form;
}
