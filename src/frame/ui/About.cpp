#include "frame/ui/About.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>

#include "frame/ui/splashunit.h"

namespace {

const char* const kAcknowledgements =
    "allen, die Fehler gemeldet und Verbesserungen vorgeschlagen haben,\n"
    "allen, die Vokabeldateien für andere bereitgestellt haben,\n"
    "und allen, die beim Testen der Hilfeseiten geholfen haben.";

// A transparent area over the box that closes it when clicked.
QWidget* ClickArea(QWidget* parent, const char* name, int y, int height) {
    auto* area = new QWidget(parent);
    area->setObjectName(QString::fromLatin1(name));
    area->setGeometry(0, y, parent->width(), height);
    return area;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info über Pelko32"));
    setFixedSize(449, 286);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::Base, Qt::black);
    black.setColor(QPalette::Text, Qt::white);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 449, 105);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(SplashPicture(449, 105));

    Version = new QLabel(this);
    Version->setObjectName(QStringLiteral("Version"));
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(16);
    Version->setFont(font);
    Version->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Version->setGeometry(0, 112, 449, 22);
    QPalette pink = Version->palette();
    pink.setColor(QPalette::WindowText, QColor(255, 128, 192));
    Version->setPalette(pink);

    Label1 = new QLabel(QStringLiteral("Bedanken möchte ich mich bei:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 150, 417, 18);

    // Below the labels, over the picture areas, so its clicks reach it.
    Image3 = ClickArea(this, "Image3", 0, 132);
    Image2 = ClickArea(this, "Image2", 286 - 126, 126);
    Memo1 = new QPlainTextEdit(QString::fromUtf8(kAcknowledgements), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setGeometry(16, 172, 417, 98);
    Memo1->setPalette(black);
    Memo1->viewport()->installEventFilter(this);
    Image2->installEventFilter(this);
    Image3->installEventFilter(this);
}

void TAboutBox::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TAboutBox::FormShow() { Version->setText(QStringLiteral("Version 2.93")); }

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    // Image2Click, Image3Click and Memo1Click: each closes the box.
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == Image2 || watched == Image3 || watched == Memo1->viewport())) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
