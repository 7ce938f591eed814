#pragma once
// The splash window shown while the main program starts; it goes when the
// frame's splash timer fires. It stays on top of everything but the boxes of
// the start-up: while one is open, the splash steps back.

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

private:
    // Back on top once no box is open any more.
    void ComeBack();

    QTimer* timer_ = nullptr;
    bool steppedBack_ = false;
};
