#include <gtest/gtest.h>

#include <map>

#include "documents/DocumentTestFiles.h"
#include "training/LearnSession.h"
#include "training/ModeTestSupport.h"

using mode_test::ScriptedRandom;

namespace {

class LearnSessionTest : public ::testing::Test {
protected:
    LearnSessionTest() { entries = std::make_unique<VokabelArrayTyp>(); }
    void Options(uint8_t mode, bool single, uint8_t repeats = 3) {
        options.Abfragen.LernModus = mode;
        options.Abfragen.EinzelneBedeutungenLernen = single;
        options.Abfragen.WiederholungsAnzahl = repeats;
    }
    VokabelTyp& Row(int r) { return (*entries)[std::size_t(r)]; }

    OptionenTyp options;
    ScriptedRandom random;
    std::unique_ptr<VokabelArrayTyp> entries;
    LearnSession session{options, random};
};

}  // namespace

TEST_F(LearnSessionTest, DueShowsPerModeAndSingleMeanings) {
    Row(1) = MakeEntry("dog", "Hund", "hound", "Köter");  // FS1, FS2, MS1, MS5
    Row(2).MS2.Set("nur MS2");                             // in-use byte not set
    Row(4) = MakeEntry("cat", "");
    struct Case {
        uint8_t mode;
        bool single;
        int total;
    } cases[] = {
        {0, false, 6},   // rows 1 and 2, mother side once each
        {0, true, 9},    // MS1, MS5, MS2
        {1, false, 6},   // rows 1 and 4
        {1, true, 9},    // FS1, FS2, FS1
        {2, false, 12},  // both sides where filled
        {2, true, 18},
        {3, false, 0},   // no such mode
    };
    for (const Case& c : cases) {
        Options(c.mode, c.single);
        session.SetUp(*entries, 4);
        EXPECT_EQ(session.Total(), c.total) << int(c.mode) << c.single;
        EXPECT_EQ(session.AnyDue(), c.total > 0);
    }
    Options(1, true);
    session.SetUp(*entries, 4);
    EXPECT_EQ(session.Due(1, 1), 3);
    EXPECT_EQ(session.Due(1, 2), 3);
    EXPECT_EQ(session.Due(1, 3), 0);
    // Rows beyond the last used row take no part.
    session.SetUp(*entries, 1);
    EXPECT_EQ(session.Total(), 6);
}

TEST_F(LearnSessionTest, ThreeEntriesShownNineTimesThenNothingIsDue) {
    Options(0, false);
    Row(1) = MakeEntry("dog", "Hund");
    Row(2) = MakeEntry("cat", "Katze");
    Row(3) = MakeEntry("cow", "Kuh");
    session.SetUp(*entries, 3);
    EXPECT_EQ(session.ProgressText(), "0 von 9");
    std::map<int, int> perRow;
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(session.AnyDue());
        session.ShowNext();
        EXPECT_EQ(session.CurrentField(), 3);
        EXPECT_TRUE(session.MotherShown());
        ++perRow[session.CurrentRow()];
    }
    EXPECT_EQ(session.ProgressText(), "9 von 9");
    EXPECT_FALSE(session.AnyDue());
    EXPECT_EQ(perRow, (std::map<int, int>{{1, 3}, {2, 3}, {3, 3}}));
}

TEST_F(LearnSessionTest, ShownAndRevealedTextsKeepEmptyLines) {
    Row(1).MS2.Set("Hund");
    Row(1).FS2.Set("hound");
    Options(0, false);
    session.SetUp(*entries, 1);
    session.ShowNext();
    EXPECT_EQ(session.ShownText(), "\rHund\r\r\r\r");
    EXPECT_EQ(session.RevealText(), "\rhound\r");

    Options(1, true);
    Row(1).FS1.Set("dog");
    random.values = {0, 1};  // row 1, field 2
    session.SetUp(*entries, 1);
    session.ShowNext();
    EXPECT_EQ(session.CurrentField(), 2);
    EXPECT_FALSE(session.MotherShown());
    EXPECT_EQ(session.ShownText(), "hound");
    EXPECT_EQ(session.RevealText(), "\rHund\r\r\r\r");
}

TEST_F(LearnSessionTest, DrawSkipsItemsThatAreNoLongerDue) {
    Options(2, true, 1);
    Row(2) = MakeEntry("dog", "Hund");
    // Row 1 is empty, row 2 field 2 is not due, then FS1, then MS1.
    random.values = {0, 0, 1, 1, 1, 0, 1, 2};
    session.SetUp(*entries, 2);
    session.ShowNext();
    EXPECT_EQ(session.CurrentField(), 1);
    session.ShowNext();
    EXPECT_EQ(session.CurrentField(), 3);
    EXPECT_FALSE(session.AnyDue());
    EXPECT_EQ(session.DisplayHeight(), 25);
}
