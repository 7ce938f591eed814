#include "frame/ui/splashunit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {
const QColor kVersionColour(255, 128, 192);
}

QPixmap SplashPicture(int width, int height) {
    QPixmap picture(width, height);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, QColor(20, 40, 120));
    gradient.setColorAt(1, Qt::black);
    painter.fillRect(picture.rect(), gradient);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(height / 2);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Pelko32"));
    return picture;
}

TSplashForm::TSplashForm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(341, 214);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    // Wider than the window: two pixels are cut off at each side.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(SplashPicture(345, 98));
    Image1->setGeometry((width() - 345) / 2, 0, 345, 98);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
    qApp->installEventFilter(this);
}

void TSplashForm::ShowNow() {
    show();
    repaint();
}

void TSplashForm::CloseWith(QTimer* timer) { timer_ = timer; }

namespace {

bool IsBox(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && widget->isWindow() && widget->isModal();
}

bool AnyBoxOpen() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isModal()) return true;
    }
    return false;
}

}  // namespace

bool TSplashForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == timer_ && event->type() == QEvent::Timer) {
        timer_ = nullptr;
        qApp->removeEventFilter(this);
        hide();
        deleteLater();
    } else if (watched != this && event->type() == QEvent::Show && IsBox(watched)) {
        steppedBack_ = true;
        hide();
    } else if (steppedBack_ && event->type() == QEvent::Hide && IsBox(watched)) {
        // The box is still counted as open while it hides.
        QTimer::singleShot(0, this, &TSplashForm::ComeBack);
    }
    return false;
}

void TSplashForm::ComeBack() {
    if (!steppedBack_ || AnyBoxOpen()) return;
    steppedBack_ = false;
    ShowNow();
}

void TSplashForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kVersionColour);
    const QString text = QStringLiteral("Version 2.93");
    const QFontMetrics metrics(font);
    painter.drawText((width() - metrics.horizontalAdvance(text)) / 2, 120 + metrics.ascent(), text);
}
