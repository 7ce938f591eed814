#include "documents/ui/kennwort_unit.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "documents/ui/PasswordEdit.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/ui/Glyphs.h"

namespace {

bool FitsInto(const QLabel& label, const QString& text) {
    const QRect room = label.contentsRect();
    const QRect needed =
        QFontMetrics(label.font()).boundingRect(QRect(0, 0, room.width(), 1 << 20), Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// A quoted file name too long for the label loses its middle, so that the
// words after it ("eingeben:") stay in sight.
QString FittedPrompt(const QLabel& label, const QString& prompt) {
    const qsizetype open = prompt.indexOf(QLatin1Char('"'));
    const qsizetype close = prompt.lastIndexOf(QLatin1Char('"'));
    if (FitsInto(label, prompt) || open < 0 || close <= open) return prompt;
    const QString before = prompt.left(open + 1);
    const QString name = prompt.mid(open + 1, close - open - 1);
    const QString after = prompt.mid(close);
    const QFontMetrics metrics(label.font());
    // The widest shortened name that still fits.
    QString best = before + QChar(0x2026) + after;
    int low = 0;
    int high = metrics.horizontalAdvance(name);
    while (low <= high) {
        const int width = (low + high) / 2;
        const QString candidate = before + metrics.elidedText(name, Qt::ElideMiddle, width) + after;
        if (FitsInto(label, candidate)) {
            best = candidate;
            low = width + 1;
        } else {
            high = width - 1;
        }
    }
    return best;
}

}  // namespace

TKennwortForm::TKennwortForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Kennwort-Abfrage"));
    // A title bar with a help button only: no such button here, so the one
    // button is close, which cancels like Esc.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(327, 121);

    KennwortTxt = new QLabel(this);
    KennwortTxt->setObjectName(QStringLiteral("KennwortTxt"));
    KennwortTxt->setTextFormat(Qt::PlainText);  // the prompt names a file
    // Two lines of the prompt, as many pixels as the font needs, up to the edit.
    KennwortTxt->setGeometry(16, 8, 295, std::clamp(2 * QFontMetrics(KennwortTxt->font()).lineSpacing(), 26, 32));
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
    KennwortTxt->setText(FittedPrompt(*KennwortTxt, QString::fromStdString(prompt)));
    if (exec() != QDialog::Accepted) {
        return platform::kCancelMarker;
    }
    return platform::Utf8ToBytes(platform::CodePage::Cp1252, Kennwort->text().toStdString()).value_or(std::string());
}

std::string AskPasswordWithForm(const std::string& prompt, QWidget* parent) {
    TKennwortForm form(parent);
    return form.AskPassword(prompt);
}
