#include "documents/ui/kennwort_unit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "documents/ui/PasswordEdit.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/ui/Glyphs.h"

TKennwortForm::TKennwortForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Kennwort-Abfrage"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowContextHelpButtonHint);
    setFixedSize(327, 121);

    KennwortTxt = new QLabel(this);
    KennwortTxt->setObjectName(QStringLiteral("KennwortTxt"));
    KennwortTxt->setGeometry(16, 8, 295, 26);
    KennwortTxt->setWordWrap(true);

    Kennwort = new QLineEdit(this);
    Kennwort->setObjectName(QStringLiteral("Kennwort"));
    Kennwort->setGeometry(16, 42, 295, 24);
    MakePasswordEdit(Kennwort);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(72, 82, 89, 28);
    BitBtn1->setDefault(true);
    BitBtn1->setIcon(platform::Glyph("dialog-ok", "ok"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(168, 82, 89, 28);
    BitBtn2->setIcon(platform::Glyph("dialog-cancel", "abbrechen"));
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects as well
}

void TKennwortForm::FormShow() {
    Kennwort->clear();
    Kennwort->setFocus();
}

void TKennwortForm::showEvent(QShowEvent* event) {
    FormShow();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

std::string TKennwortForm::AskPassword(const std::string& prompt) {
    KennwortTxt->setText(QString::fromStdString(prompt));
    if (exec() != QDialog::Accepted) {
        return platform::kCancelMarker;
    }
    return platform::Utf8ToBytes(platform::CodePage::Cp1252, Kennwort->text().toStdString()).value_or(std::string());
}

std::string AskPasswordWithForm(const std::string& prompt, QWidget* parent) {
    TKennwortForm form(parent);
    return form.AskPassword(prompt);
}
