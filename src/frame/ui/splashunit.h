#pragma once
// The splash window shown while the main program starts; it goes when the
// frame's splash timer fires.

#include <QPixmap>
#include <QWidget>

class QLabel;
class QTimer;

// The program's picture at the top of the splash window and the about box.
QPixmap SplashPicture(int width, int height);

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();
    // Shows the window and paints it at once.
    void ShowNow();
    // The window deletes itself when timer fires, before the timer's own
    // handler runs, so nothing that handler shows lies beneath the splash.
    void CloseWith(QTimer* timer);

    QLabel* Image1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
