#pragma once
// Acts on a modal dialog once it is up. A message box that comes first runs
// an event loop of its own, so an action merely queued for the next turn of
// the loop would run while that box is up; this one waits until the dialog
// itself is the active modal widget (for at most ten seconds, so a test that
// never shows it fails instead of hanging).

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

inline void WhenUp(std::function<bool(QWidget*)> isIt, std::function<void()> action) {
    auto* timer = new QTimer(qApp);
    auto turns = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, turns, isIt, action] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool up = modal != nullptr && isIt(modal);
        if (!up && ++*turns < 1000) return;
        // Stopped first: the action may run a loop of its own.
        timer->stop();
        timer->deleteLater();
        if (up) action();
    });
    timer->start(10);
}

inline void WhenUp(QWidget* dialog, std::function<void()> action) {
    QPointer<QWidget> target(dialog);
    WhenUp([target](QWidget* modal) { return modal == target; }, std::move(action));
}

// The next dialog that comes up, whichever it is (scripted boxes aside).
inline void WhenUp(std::function<void()> action) {
    WhenUp([](QWidget* modal) { return modal->objectName() != QLatin1String("ScriptedBox"); }, std::move(action));
}

template <class Dialog>
void WhenUp(std::function<void(Dialog&)> action) {
    WhenUp([](QWidget* modal) { return qobject_cast<Dialog*>(modal) != nullptr; },
           [action] { action(*qobject_cast<Dialog*>(QApplication::activeModalWidget())); });
}
