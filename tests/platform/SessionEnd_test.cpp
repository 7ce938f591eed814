#include "platform/ui/SessionEnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <csignal>

#include "platform/ui/QtDialogs.h"

namespace {

class Window : public QWidget {
public:
    bool refuse = false;
    int closeRequests = 0;
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeRequests;
        if (onClose) onClose();
        if (refuse) event->ignore();
    }
};

// Ends a loop that a test left running.
void QuitSoon() {
    QTimer::singleShot(200, [] { QCoreApplication::exit(7); });
}

}  // namespace

TEST(SessionEndTest, SignalClosesTheWindowAsItsOwnCloseDoesOrLeavesItWhenItRefuses) {
    struct Case {
        int signal;
        bool refuse;
    };
    for (const Case c : {Case{SIGTERM, true}, Case{SIGINT, false}}) {
        Window window;
        window.refuse = c.refuse;
        window.show();
        platform::CloseOnSessionEnd(&window);
        QTimer::singleShot(0, [&] {
            std::raise(c.signal);
            // A window that refuses stays open, and the program goes on.
            if (c.refuse) QuitSoon();
        });
        const int status = platform::RunUntilSessionEnd();
        EXPECT_EQ(window.closeRequests, 1) << c.signal;
        EXPECT_EQ(window.isVisible(), c.refuse);
        EXPECT_EQ(status, c.refuse ? 7 : 0);
        EXPECT_FALSE(platform::SessionEndRequested());
    }
    platform::CloseOnSessionEnd(nullptr);
}

TEST(SessionEndTest, OpenBoxesCloseFirstAndTheCodeAfterThemShowsNoOtherBox) {
    platform::QtDialogs dialogs(platform::Program::Main);
    Window window;
    window.show();
    platform::CloseOnSessionEnd(&window);
    std::vector<platform::ModalResult> answers;
    bool boxOpenAtClose = true;
    window.onClose = [&] { boxOpenAtClose = QApplication::activeModalWidget() != nullptr; };
    QTimer::singleShot(0, [&] {
        // A box inside a box, as the options' error box inside a dialog.
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            answers.push_back(dialogs.MessageDlg("innen", platform::MsgDlgType::Error, platform::mbAbortRetryIgnore));
            answers.push_back(dialogs.MessageDlg("danach", platform::MsgDlgType::Error, platform::mbOK));
        });
        answers.push_back(dialogs.MessageDlg("außen", platform::MsgDlgType::Confirmation, platform::mbYesNoCancel));
        answers.push_back(dialogs.MessageDlg("zuletzt", platform::MsgDlgType::Information, platform::mbOK));
    });
    EXPECT_EQ(platform::RunUntilSessionEnd(), 0);
    EXPECT_EQ(answers, std::vector<platform::ModalResult>(4, platform::ModalResult::None));
    EXPECT_EQ(window.closeRequests, 1);
    EXPECT_FALSE(boxOpenAtClose);
    EXPECT_FALSE(window.isVisible());

    // Before the message loop runs: the box closes, the code runs to its end,
    // and the loop is not entered at all.
    Window next;
    next.show();
    platform::CloseOnSessionEnd(&next);
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    EXPECT_EQ(dialogs.MessageDlg("Kann Datei x nicht finden.", platform::MsgDlgType::Error, platform::mbOK),
              platform::ModalResult::None);
    EXPECT_TRUE(platform::SessionEndRequested());
    EXPECT_EQ(dialogs.MessageDlg("Noch eine", platform::MsgDlgType::Error, platform::mbOK),
              platform::ModalResult::None);
    EXPECT_EQ(platform::RunUntilSessionEnd(), 0);
    EXPECT_EQ(next.closeRequests, 1);
    platform::CloseOnSessionEnd(nullptr);
}

TEST(SessionEndTest, ABoxClosedOnTheWayOutAsksAsUsualWhenTheCloseShowsItAgain) {
    platform::QtDialogs dialogs(platform::Program::Main);
    Window window;
    window.show();
    platform::CloseOnSessionEnd(&window);
    // One box object for the whole run, as the program's forms are.
    QDialog question;
    question.setModal(true);
    int onTheWayOut = -1;
    int inTheClose = -1;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        dialogs.MessageDlg("außen", platform::MsgDlgType::Confirmation, platform::mbYesNoCancel);
        onTheWayOut = question.exec();
    });
    window.onClose = [&] {
        QTimer::singleShot(100, &question, &QDialog::accept);
        inTheClose = question.exec();
    };
    EXPECT_EQ(platform::RunUntilSessionEnd(), 0);
    EXPECT_EQ(onTheWayOut, QDialog::Rejected);
    EXPECT_EQ(inTheClose, QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
    platform::CloseOnSessionEnd(nullptr);
}
