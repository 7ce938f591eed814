// The boxes of the start stand above the splash and belong to the main
// window: shown with the program's own dialogs, not a scripted seam.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include "FrameTestSupport.h"
#include "frame/ui/FrameDialogs.h"
#include "frame/ui/splashunit.h"

namespace {

class StartBoxesTest : public LiveFrameTest {};

struct Seen {
    QString text;
    QWidget* parent = nullptr;
    bool splashVisible = false;
};

QString BoxText(const QWidget* box) {
    for (const QLabel* label : box->findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) return label->text();
    }
    return {};
}

}  // namespace

TEST_F(StartBoxesTest, BoxesOfTheStartStandAboveTheSplashAndBelongToTheMainWindow) {
    FrameDialogs boxes;
    boxes.SetMainWindow(form.get());
    platform::ScopedDialogs scoped(boxes);
    QPointer<TSplashForm> splash = new TSplashForm;
    splash->ShowNow();
    splash->CloseWith(form->SplashTimer);

    // Every box is noted and answered with Esc once it is up.
    std::vector<Seen> seen;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr) return;
        seen.push_back({BoxText(box), box->parentWidget(), splash != nullptr && splash->isVisible()});
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
    });
    answer.start(10);

    form->FormShow({"fehlt.plk"}, dir.Path());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].text, "Kann Datei fehlt.plk nicht finden.");
    EXPECT_EQ(seen[0].parent, form.get());
    EXPECT_FALSE(seen[0].splashVisible);

    // Back on top once no box is open, until the splash timer ends it.
    QCoreApplication::processEvents();
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible());
    QDeadlineTimer deadline(5000);
    while (!splash.isNull() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(splash.isNull());
    for (const Seen& box : seen) EXPECT_FALSE(box.splashVisible) << box.text.toStdString();
}
