#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "training/QuizResult.h"
#include "training/ui/PieBox.h"

namespace {

QImage PieImage(const QuizCounters& counters, bool repeat) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawResultPie(painter, ResultPieFor(counters, repeat), 100, 100);
    return image;
}

const QColor kGreen(128, 255, 0);
const QColor kRed(255, 0, 0);

QuizCounters Counters(int finished, int attempts, int firstTryRight) {
    QuizCounters c;
    c.FinishedCount = uint16_t(finished);
    c.AttemptCount = uint16_t(attempts);
    c.FirstTryRightCount = uint16_t(firstTryRight);
    return c;
}

}  // namespace

TEST(ResultPieDrawing, RightShareRunsCounterClockwiseFromTwelveOClock) {
    // 3 of 4 right: only the quarter from 12 to 3 o'clock stays red.
    const QImage image = PieImage(Counters(4, 4, 3), false);
    EXPECT_EQ(QColor(image.pixel(70, 25)), kRed);
    EXPECT_EQ(QColor(image.pixel(25, 25)), kGreen);
    EXPECT_EQ(QColor(image.pixel(25, 75)), kGreen);
    EXPECT_EQ(QColor(image.pixel(75, 75)), kGreen);
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(Qt::white));  // outside the disc
}

TEST(ResultPieDrawing, RepeatModeSharesFinishedByAttempts) {
    // 4 entries in 8 answers: half of the disc, the left half, is green.
    const QImage image = PieImage(Counters(4, 8, 1), true);
    EXPECT_EQ(QColor(image.pixel(25, 50)), kGreen);
    EXPECT_EQ(QColor(image.pixel(75, 50)), kRed);
}

TEST(ResultPieDrawing, EdgeCasesOfTheCounts) {
    // All right: a whole green disc.
    QImage image = PieImage(Counters(2, 2, 2), false);
    EXPECT_EQ(QColor(image.pixel(75, 25)), kGreen);
    EXPECT_EQ(QColor(image.pixel(25, 75)), kGreen);
    // Nothing right: the red disc with its line from the top to the centre.
    image = PieImage(Counters(3, 3, 0), false);
    EXPECT_EQ(QColor(image.pixel(25, 25)), kRed);
    EXPECT_EQ(QColor(image.pixel(50, 30)), QColor(Qt::black));
    // No entry done: nothing at all.
    image = PieImage(Counters(0, 0, 0), false);
    EXPECT_EQ(QColor(image.pixel(50, 50)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(50, 30)), QColor(Qt::white));
}
