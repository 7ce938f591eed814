#include "training/ui/StringEingUnit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/FieldInput.h"

TStringEingForm::TStringEingForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StringEingForm"));
    setModal(true);
    setFixedSize(380, 120);
    Anzeige = new QLabel(this);
    Anzeige->setGeometry(10, 10, 360, 20);
    Eingabe = new QLineEdit(this);
    Eingabe->setGeometry(10, 36, 360, 26);
    Eingabe->setMaxLength(30);
    // Word parts are Windows-1252 bytes.
    FieldInput::Guard(Eingabe, [] { return uint8_t(0); });
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setGeometry(10, 80, 110, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setGeometry(135, 80, 110, 28);
    BitBtn3 = new QPushButton(QStringLiteral("&Hilfe"), this);
    BitBtn3->setGeometry(260, 80, 110, 28);
    for (QPushButton* b : {BitBtn2, BitBtn3}) b->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<std::string> TStringEingForm::Ask(const std::string& caption, const std::string& prompt,
                                                 const std::string& text) {
    setWindowTitle(QString::fromUtf8(caption.c_str()));
    Anzeige->setText(QString::fromUtf8(prompt.c_str()));
    Eingabe->setText(FieldText(text, 0));
    if (exec() != QDialog::Accepted) return std::nullopt;
    return FieldBytes(Eingabe->text(), 0);
}

void TStringEingForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Eingabe->setFocus();
}
