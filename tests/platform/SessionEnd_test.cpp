#include "platform/ui/SessionEnd.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWidget>
#include <csignal>

namespace {

class Window : public QWidget {
public:
    bool refuse = false;
    int closeRequests = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeRequests;
        if (refuse) event->ignore();
    }
};

void ProcessEventsUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace

TEST(SessionEndTest, SignalClosesTheWindowAsItsOwnCloseDoes) {
    Window refusing;
    refusing.refuse = true;
    refusing.show();
    platform::CloseOnSessionEnd(&refusing);
    std::raise(SIGTERM);
    ProcessEventsUntil([&] { return refusing.closeRequests > 0; });
    EXPECT_EQ(refusing.closeRequests, 1);
    EXPECT_TRUE(refusing.isVisible());  // a window that refuses stays open

    Window willing;
    willing.show();
    platform::CloseOnSessionEnd(&willing);
    std::raise(SIGINT);
    ProcessEventsUntil([&] { return !willing.isVisible(); });
    EXPECT_EQ(willing.closeRequests, 1);
    EXPECT_FALSE(willing.isVisible());
    EXPECT_EQ(refusing.closeRequests, 1);
    platform::CloseOnSessionEnd(nullptr);
}
