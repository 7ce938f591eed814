#include "documents/ui/Beschreibung_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "documents/LoadSave.h"
#include "documents/SmallDialogs.h"
#include "documents/ui/CodePageText.h"
#include "documents/ui/CreatedOnce.h"
#include "documents/ui/DialogHelp.h"
#include "documents/ui/DocumentFrame.h"
#include "documents/ui/FieldInput.h"
#include "documents/ui/PasswordEdit.h"

using platform::CodePage;

namespace {

QLabel* WrappedLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TDateiEigenschaften_Form::TDateiEigenschaften_Form(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DateiEigenschaften_Form"));
    setWindowTitle(QString::fromUtf8("Dateieigenschaften"));
    SetHelpContext(this, 200);
    auto* layout = new QVBoxLayout(this);

    Descr = new QLineEdit(this);
    Descr->setObjectName(QStringLiteral("Descr"));
    Descr->setMaxLength(int(kMaxDescription));
    FieldInput::Guard(Descr, [this] { return charset_; });
    SetHelpContext(Descr, 201);
    layout->addWidget(Descr);
    layout->addWidget(WrappedLabel("Es sind bis zu 250 Buchstaben erlaubt.", this));

    auto* readBox = new QGroupBox(QString::fromUtf8("Lese-Kennwort "), this);
    auto* readLayout = new QVBoxLayout(readBox);
    leseschutz1 = new QLineEdit(readBox);
    leseschutz1->setObjectName(QStringLiteral("leseschutz1"));
    leseschutz2 = new QLineEdit(readBox);
    leseschutz2->setObjectName(QStringLiteral("leseschutz2"));
    for (QLineEdit* edit : {leseschutz1, leseschutz2}) {
        MakePasswordEdit(edit);
        readLayout->addWidget(edit);
    }
    readLayout->addWidget(WrappedLabel("Jeder, der diese Datei öffnen will benötigt dieses Passwort. Aus "
                                       "Sicherheitsgründen müssen Sie es zweimal eingeben.",
                                       readBox));
    layout->addWidget(readBox);

    auto* writeBox = new QGroupBox(QString::fromUtf8("Schreibschutzkennwort "), this);
    auto* writeLayout = new QVBoxLayout(writeBox);
    ssk = new QLabel(writeBox);
    ssk->setObjectName(QStringLiteral("ssk"));
    schreibschutz1 = new QLineEdit(writeBox);
    schreibschutz1->setObjectName(QStringLiteral("schreibschutz1"));
    schreibschutz2 = new QLineEdit(writeBox);
    schreibschutz2->setObjectName(QStringLiteral("schreibschutz2"));
    for (QLineEdit* edit : {schreibschutz1, schreibschutz2}) {
        MakePasswordEdit(edit);
        edit->hide();
    }
    Button1 = new QPushButton(QString::fromUtf8("Ä&ndern"), writeBox);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    writeLayout->addWidget(ssk);
    writeLayout->addWidget(Button1);
    writeLayout->addWidget(WrappedLabel(
        "Dieses Passwort verhindert das unbefugte Speichern der Datei. Die Datei kann ohne Passwort geöffnet und "
        "geändert werden, aber nicht wieder gespeichert (nur mit anderem Dateinamen).",
        writeBox));
    layout->addWidget(writeBox);

    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    SetHelpContext(BitBtn1, 202);
    BitBtn2 = new QPushButton(QStringLiteral("Abbruch"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    SetHelpContext(BitBtn2, 203);
    BitBtn3 = new QPushButton(QStringLiteral("&Hilfe"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3}) buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TDateiEigenschaften_Form::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TDateiEigenschaften_Form::BitBtn3Click);
    connect(Button1, &QPushButton::clicked, this, &TDateiEigenschaften_Form::Button1Click);
}

std::optional<DocumentProperties> TDateiEigenschaften_Form::Edit(const DocumentProperties& current,
                                                                 uint8_t charset) {
    description_ = current.Description;
    charset_ = charset;
    const CodePage page = platform::CodePageForCharset(charset);
    QString shown = TextFromBytes(page, current.Description);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    Descr->setText(shown);
    Descr->setModified(false);
    for (QLineEdit* edit : {leseschutz1, leseschutz2}) edit->setText(TextFromBytes(CodePage::Cp1252, current.ReadPassword));
    for (QLineEdit* edit : {schreibschutz1, schreibschutz2}) {
        edit->setText(TextFromBytes(CodePage::Cp1252, current.WritePassword));
    }
    if (exec() != QDialog::Accepted) return std::nullopt;
    DocumentProperties result;
    result.Description = Descr->isModified() ? BytesFromText(page, Descr->text()) : description_;
    result.ReadPassword = BytesFromText(CodePage::Cp1252, leseschutz1->text());
    result.WritePassword = BytesFromText(CodePage::Cp1252, schreibschutz1->text());
    return result;
}

void TDateiEigenschaften_Form::FormShow() {
    Descr->setFocus();
    UpdateSsk();
}

void TDateiEigenschaften_Form::UpdateSsk() {
    const bool present = !schreibschutz1->text().isEmpty();
    ssk->setText(present ? QStringLiteral("vorhanden") : QStringLiteral("nicht vorhanden"));
    ssk->setStyleSheet(present ? QStringLiteral("color: #FF0000") : QStringLiteral("color: #000000"));
}

void TDateiEigenschaften_Form::BitBtn1Click() {
    const std::string message = PasswordPairsMessage(leseschutz1->text().toStdString(), leseschutz2->text().toStdString(),
                                                     schreibschutz1->text().toStdString(),
                                                     schreibschutz2->text().toStdString());
    if (!message.empty()) {
        platform::Dialogs().MessageDlg(message, platform::MsgDlgType::Error, platform::mbOK);
        return;
    }
    accept();
}

void TDateiEigenschaften_Form::Button1Click() {
    const std::optional<std::string> changed =
        AskNewWritePassword(BytesFromText(CodePage::Cp1252, schreibschutz1->text()));
    if (!changed) return;
    for (QLineEdit* edit : {schreibschutz1, schreibschutz2}) edit->setText(TextFromBytes(CodePage::Cp1252, *changed));
    UpdateSsk();
}

void TDateiEigenschaften_Form::BitBtn3Click() {
    TheDocumentFrame().ShowHelpPage("Dialogfelder\\dateieigenschaften.html");
}

void TDateiEigenschaften_Form::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TDateiEigenschaften_Form::keyPressEvent(QKeyEvent* event) {
    if (!HandleHelpKey(this, event)) QDialog::keyPressEvent(event);
}

TDateiEigenschaften_Form& DateiEigenschaften_Form() { return CreatedOnce<TDateiEigenschaften_Form>(); }
