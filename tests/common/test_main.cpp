// Every test executable runs under one QApplication (offscreen unless the
// environment says otherwise), so widget tests and plain tests share a main.
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/Dialogs.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// The sanitizer's guess at the bounds of a library's dynamic thread-local
// block misreads this C library's blocks, and the leak check at exit then
// scans a range that is no memory and dies, in whichever test happens to
// meet such a block first. Without the guess those blocks are only no roots
// of the leak check.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
#endif
#endif

namespace {

// Turns of the event loop that runs while a timer calls this: done() is
// asked from the second turn on; the window system may take a few turns.
bool EnoughTurns(int& turns, bool done) { return (++turns >= 2 && done) || turns >= 40; }

// A scripted box as a real modal one: a window of its own comes up and takes
// the focus, its nested loop handles whatever is posted (deferred deletes
// too) before it answers, and once it has gone the window before it is
// active again.
void RunScriptedBox() {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    if (before == nullptr) before = QApplication::activeWindow();
    {
        // No parent: the window before it may go while the box is up.
        QDialog box;
        box.setObjectName(QStringLiteral("ScriptedBox"));
        box.setModal(true);
        box.resize(120, 60);
        int turns = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &box, [&] {
            if (EnoughTurns(turns, box.isActiveWindow())) box.accept();
        });
        tick.start(0);
        box.exec();
    }
    if (before == nullptr || !before->isVisible()) return;
    before->activateWindow();
    QEventLoop loop;
    int turns = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (EnoughTurns(turns, before == nullptr || before->isActiveWindow())) loop.quit();
    });
    tick.start(0);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    platform::ScriptedDialogs::SetModalLoop(RunScriptedBox);
    return RUN_ALL_TESTS();
}
