#include <gtest/gtest.h>

#include <memory>

#include "training/QuizResult.h"

TEST(QuizResultTest, StatisticsTexts) {
    QuizCounters c;
    c.FinishedCount = 4;
    c.AttemptCount = 6;
    c.FirstTryRightCount = 3;
    EXPECT_EQ(StatisticsText(c, true, true),
              "Es wurden 4 Vokabeln abgefragt\rbis sie richtig eingegeben wurden.\rDazu benötigten Sie 6 Versuche.");
    EXPECT_EQ(StatisticsText(c, false, true),
              "Es wurden 4 Vokabeln abgefragt\rDavon haben Sie 3 korrekt übersetzt (teilweise durch Fuzzy-Logic)\r"
              "Sie haben 1 Vokabeln falsch übersetzt.");
    EXPECT_EQ(StatisticsText(c, false, false),
              "Es wurden 4 Vokabeln abgefragt\rDavon haben Sie 3 korrekt übersetzt\rSie haben 1 Vokabeln falsch "
              "übersetzt.");
}

TEST(QuizResultTest, PrintedDateReadsAsGermanDatesDo) {
    EXPECT_EQ(ResultDateTimeText({2026, 12, 11, 2, 38, 35}), "11.12.2026, 02:38:35");
    EXPECT_EQ(ResultDateTimeText({2024, 2, 1, 0, 0, 9}), "01.02.2024, 00:00:09");
}

TEST(QuizResultTest, PieFigures) {
    struct Case {
        uint16_t finished, attempts, firstTry;
        bool repeat;
        bool drawn, green;
        int x, y;
    };
    const Case cases[] = {
        {0, 0, 0, false, false, false, 0, 0},    // nothing asked: nothing drawn
        {5, 5, 0, false, true, false, 0, 0},     // red disc only
        {4, 6, 0, true, true, false, 0, 0},      // also with repetition
        {4, 4, 4, false, true, true, 50, 0},     // all right: full green
        {4, 4, 3, false, true, true, 100, 50},   // a quarter wrong
        {4, 4, 2, false, true, true, 50, 100},   // half
        {4, 6, 1, true, true, true, 93, 75},     // right share 4/6 by attempts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.finished) + "/" + std::to_string(c.attempts) + "/" + std::to_string(c.firstTry));
        QuizCounters counters;
        counters.FinishedCount = c.finished;
        counters.AttemptCount = c.attempts;
        counters.FirstTryRightCount = c.firstTry;
        const ResultPie pie = ResultPieFor(counters, c.repeat);
        EXPECT_EQ(pie.drawn, c.drawn);
        EXPECT_EQ(pie.greenPart, c.green);
        if (c.green) {
            EXPECT_EQ(pie.endX, c.x);
            EXPECT_EQ(pie.endY, c.y);
        }
    }
}

TEST(QuizResultTest, ErrorListFillsTheFirstFreeRowUntilFull) {
    auto list = std::make_unique<VokabelArrayTyp>();
    for (int row = 1; row <= 498; ++row) (*list)[row].InUse = 1;
    (*list)[200].InUse = 0;  // a gap is filled first
    VokabelTyp wrong;
    wrong.FS1.Set("falsch");
    wrong.InUse = 1;
    wrong.Reserve = 7;

    ASSERT_TRUE(AddToErrorList(*list, wrong));
    EXPECT_EQ((*list)[200], wrong);
    EXPECT_EQ(FirstFreeRow(*list), 499);
    ASSERT_TRUE(AddToErrorList(*list, wrong));
    EXPECT_EQ((*list)[499], wrong);  // the whole record, reserve included
    ASSERT_TRUE(AddToErrorList(*list, wrong));
    EXPECT_EQ((*list)[500], wrong);
    EXPECT_EQ(FirstFreeRow(*list), 501);

    const VokabelArrayTyp before = *list;
    EXPECT_FALSE(AddToErrorList(*list, wrong));
    EXPECT_EQ(*list, before);
}
