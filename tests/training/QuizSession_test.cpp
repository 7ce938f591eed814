#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Random.h"
#include "training/QuizSession.h"

namespace {

// Hands out the values a test lists, and fails the test on a draw it did not
// expect.
class ScriptedRandom : public RandomSource {
public:
    std::deque<int32_t> values;
    std::vector<int32_t> ranges;
    int32_t Random(int32_t n) override {
        ranges.push_back(n);
        if (values.empty()) throw std::logic_error("unexpected draw from 0.." + std::to_string(n - 1));
        const int32_t v = values.front();
        values.pop_front();
        return v;
    }
};

class FakeSound : public ErrorSound {
public:
    bool opens = true;
    int opened = 0;
    int played = 0;
    int closed = 0;
    std::string file;
    bool Open(const std::string& fileName) override {
        ++opened;
        file = fileName;
        return opens;
    }
    void Play() override { ++played; }
    void Close() override { ++closed; }
};

class QuizSessionTest : public ::testing::Test {
protected:
    QuizSessionTest() : scope(dialogs) {
        options.Abfragen.ZufaelligeReihenfolge = false;
        session = std::make_unique<QuizSession>(options, random);
    }

    // Entry at `row`: FS1 = fs, MS1 = ms.
    void Put(int row, const std::string& fs, const std::string& ms) {
        VokabelTyp& e = session->Entries()[row];
        e.FS1.Set(fs);
        e.MS1.Set(ms);
        e.InUse = 1;
    }
    void PutRows(std::initializer_list<int> rows) {
        for (int row : rows) Put(row, "f" + std::to_string(row), "m" + std::to_string(row));
    }
    // The right answer to the entry being asked (mother tongue is asked).
    std::string Right() const { return session->Entries()[session->CurrentIndex()].FS1.Get(); }

    // The rows asked while answering each question with `answer(row)`.
    template <class F>
    std::vector<int> Run(F answer, int limit = 100) {
        std::vector<int> asked;
        while (!session->Done() && limit-- > 0) {
            asked.push_back(session->CurrentIndex());
            session->Answer(answer(session->CurrentIndex()));
        }
        return asked;
    }

    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope;
    OptionenTyp options;
    ScriptedRandom random;
    std::unique_ptr<QuizSession> session;
};

const auto kWrong = [](int) { return std::string("falsch"); };

}  // namespace

TEST_F(QuizSessionTest, SequentialOrderAsksRowsAscending) {
    PutRows({2, 5, 9});
    session->Start();
    EXPECT_EQ(Run(kWrong), (std::vector<int>{2, 5, 9}));
    EXPECT_TRUE(random.ranges.empty());
    EXPECT_EQ(session->ProgressText(), "Fertig.");
    EXPECT_EQ(session->ProgressPosition(), 3);
}

TEST_F(QuizSessionTest, TwoPendingInRandomOrder) {
    options.Abfragen.ZufaelligeReihenfolge = true;
    PutRows({3, 8});
    // Without repetition a coin decides: 0 the lower row, 1 the higher.
    random.values = {1};
    session->Start();
    EXPECT_EQ(session->CurrentIndex(), 8);
    random.values = {0};
    session->Start();
    EXPECT_EQ(session->CurrentIndex(), 3);
    EXPECT_EQ(random.ranges, (std::vector<int32_t>{2, 2}));

    // With repetition no coin: the other one than the current entry.
    options.Abfragen.WiederholenBisRichtig = true;
    random.ranges.clear();
    session->Start();
    EXPECT_EQ(Run(kWrong, 5), (std::vector<int>{8, 3, 8, 3, 8}));
    EXPECT_TRUE(random.ranges.empty());
}

TEST_F(QuizSessionTest, ThreeOrMorePendingDrawUntilAPendingOtherRow) {
    options.Abfragen.ZufaelligeReihenfolge = true;
    options.Abfragen.WiederholenBisRichtig = true;
    PutRows({1, 3, 5});
    random.values = {1, 2};  // row 2 is not in use, row 3 is
    session->Start();
    EXPECT_EQ(session->CurrentIndex(), 3);
    random.values = {2, 4};  // row 3 was just asked
    session->Answer("falsch");
    EXPECT_EQ(session->CurrentIndex(), 5);
    EXPECT_EQ(random.ranges, (std::vector<int32_t>{5, 5, 5, 5}));
}

TEST_F(QuizSessionTest, RandomRepetitionNeverAsksTheSameEntryTwiceInARow) {
    platform::RandSeed(99);
    options.Abfragen.ZufaelligeReihenfolge = true;
    options.Abfragen.WiederholenBisRichtig = true;
    QuizSession seeded(options);  // the program's generator
    for (int row = 1; row <= 6; ++row) {
        seeded.Entries()[row].FS1.Set("f");
        seeded.Entries()[row].InUse = 1;
    }
    seeded.Start();
    int previous = 0;
    int answers = 0;
    while (!seeded.Done() && answers < 200) {
        int pending = 0;
        for (int row = 1; row <= 6; ++row) pending += seeded.State(row) != kDone ? 1 : 0;
        if (pending > 1) ASSERT_NE(seeded.CurrentIndex(), previous) << "after " << answers << " answers";
        previous = seeded.CurrentIndex();
        seeded.Answer(++answers % 3 == 0 ? "f" : "x");
    }
    EXPECT_TRUE(seeded.Done());
    EXPECT_EQ(seeded.Counters().FinishedCount, 6);
    EXPECT_EQ(seeded.Counters().AttemptCount, answers);
}

TEST_F(QuizSessionTest, DirectRepetitionAsksAWrongEntryAgainAtOnce) {
    options.Abfragen.WiederholenBisRichtig = true;
    options.Abfragen.BeiFalschDirektWiederholen = true;
    PutRows({1, 2});
    session->Start();
    int wrong = 0;
    const std::vector<int> asked = Run([&](int row) { return row == 1 && wrong++ < 2 ? "x" : "f" + std::to_string(row); });
    EXPECT_EQ(asked, (std::vector<int>{1, 1, 1, 2}));
    EXPECT_EQ(session->Counters().FirstTryRightCount, 1);
    EXPECT_EQ(session->Counters().FinishedCount, 2);
    EXPECT_EQ(session->Counters().AttemptCount, 4);

    // A new quiz on the same session starts without a current entry.
    session->Start();
    EXPECT_EQ(session->CurrentIndex(), 1);
    EXPECT_EQ(session->State(1), kPending);
}

TEST_F(QuizSessionTest, StatesAndCountersPerOutcome) {
    options.Abfragen.WiederholenBisRichtig = true;
    PutRows({4});
    session->Start();
    session->Answer("");
    EXPECT_EQ(session->State(4), kPendingAgain);
    session->Answer("f4");
    EXPECT_EQ(session->State(4), kDone);
    EXPECT_EQ(session->Counters().FirstTryRightCount, 0);  // not at the first try
    EXPECT_EQ(session->Counters().FinishedCount, 1);
    EXPECT_EQ(session->Counters().AttemptCount, 2);
    EXPECT_TRUE(session->Done());

    // An entry whose answer side is empty cannot be answered right.
    session->Entries()[4].FS1.Clear();
    session->Start();
    session->Answer("irgendwas");
    EXPECT_EQ(session->State(4), kDone);
    EXPECT_TRUE(session->Done());
}

TEST_F(QuizSessionTest, RepetitionQuizEndsOverAnAnswerSideOfBlanks) {
    options.Abfragen.WiederholenBisRichtig = true;
    struct Case {
        const char* fs1;
        const char* fs2;
        bool direct;
        const char* typed;
        AbfrageStatusTyp state;  // after one wrong answer
    };
    const Case cases[] = {
        {" ", "", false, "irgendwas", kDone},
        {" ", "", true, "irgendwas", kDone},
        {"   ", " ", true, "", kDone},
        {" ", "go", false, "irgendwas", kPendingAgain},  // one field can still be answered
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.fs1 + "\", \"" + c.fs2 + "\", typed \"" + c.typed + "\"");
        options.Abfragen.BeiFalschDirektWiederholen = c.direct;
        Put(1, c.fs1, "m1");
        session->Entries()[1].FS2.Set(c.fs2);
        session->Start();
        session->Answer(c.typed);
        EXPECT_EQ(session->State(1), c.state);
        EXPECT_EQ(session->Done(), c.state == kDone);
        EXPECT_EQ(session->Counters().FinishedCount, c.state == kDone ? 1 : 0);
    }
}

// A field that holds a ";" of its own is answered by typing it as it
// stands, so that a quiz repeating it until right can end.
TEST_F(QuizSessionTest, RepetitionQuizEndsOverAFieldHoldingASemicolon) {
    options.Abfragen.WiederholenBisRichtig = true;
    options.Abfragen.FuzzyLogic = false;
    for (const bool several : {true, false}) {
        SCOPED_TRACE(several ? "several meanings" : "one meaning");
        options.Abfragen.MehrereBedeutungen = several;
        Put(1, "gehen", "m1");
        Put(2, "gehen; laufen", "m2");
        session->Start();
        ASSERT_EQ(session->CurrentIndex(), 1);
        // Only the entry that needs it takes a ";" with one meaning.
        EXPECT_EQ(session->KeyAllowed(';'), several);
        session->Answer("gehen");
        ASSERT_EQ(session->CurrentIndex(), 2);
        EXPECT_TRUE(session->KeyAllowed(';'));
        EXPECT_EQ(session->Answer("gehen laufen").outcome, AnswerOutcome::Wrong);
        EXPECT_EQ(session->State(2), kPendingAgain);
        ASSERT_EQ(session->CurrentIndex(), 2);
        const AnswerShown shown = session->Answer("gehen; laufen");
        EXPECT_EQ(shown.verdict, "Die Vokabel wurde absolut korrekt übersetzt");
        EXPECT_EQ(shown.typedLine, "gehen; laufen");
        EXPECT_TRUE(session->Done());
        EXPECT_EQ(session->Counters().AttemptCount, 3);
    }
}

TEST_F(QuizSessionTest, EmptyCopyGoesStraightToTheEnd) {
    session->Start();
    EXPECT_TRUE(session->Done());
    EXPECT_EQ(session->ProgressMax(), 0);
    EXPECT_EQ(session->ProgressText(), "0 Vokabeln werden gefragt...");
    EXPECT_EQ(session->Answer("x").verdict, "");
    EXPECT_EQ(session->Counters().AttemptCount, 0);
    EXPECT_EQ(session->StatisticsText(),
              "Es wurden 0 Vokabeln abgefragt\rDavon haben Sie 0 korrekt übersetzt (teilweise durch Fuzzy-Logic)\r"
              "Sie haben 0 Vokabeln falsch übersetzt.");
}

TEST_F(QuizSessionTest, ProgressTexts) {
    for (int row = 1; row <= 33; ++row) Put(row, "f" + std::to_string(row), "m");
    session->SetFileName("/home/anna/Vokabeln/Englisch 1.plk");
    session->Start();
    EXPECT_EQ(session->ProgressText(), "33 Vokabeln werden gefragt...");
    session->Answer("f1");
    EXPECT_EQ(session->ProgressText(),
              "1 von 33 Vokabeln gefragt. Bisher 100% richtig und 0% falsch beantwortet. Datei: Englisch 1.plk");
    for (int i = 0; i < 31; ++i) session->Answer("x");
    EXPECT_EQ(session->ProgressText(),
              "32 von 33 Vokabeln gefragt. Bisher 3,13% richtig und 96,88% falsch beantwortet. Datei: Englisch 1.plk");
    EXPECT_EQ(session->ProgressPosition(), 32);

    options.Abfragen.WiederholenBisRichtig = true;
    session->Start();
    session->Answer("x");
    EXPECT_EQ(session->ProgressText(), "33 Vokabeln werden gefragt...");  // nothing done yet
    session->Answer(Right());
    EXPECT_EQ(session->ProgressText(), "1 von 33 Vokabeln bisher richtig beantwortet. Datei: Englisch 1.plk");
}

TEST_F(QuizSessionTest, CaptionsAndSides) {
    struct Case {
        bool fuzzy, random, repeat, direct;
        const char* caption;
    };
    const Case cases[] = {
        {false, false, false, true, "Vokabeln abfragen"},
        {true, true, false, false, "Vokabeln abfragen  -  mit FUZZY-Logic  -  zufällige Reihenfolge"},
        {false, false, true, true, "Vokabeln abfragen  -  Wiederholen, bis Richtig eingegeben (direkt)"},
        {true, true, true, false,
         "Vokabeln abfragen  -  mit FUZZY-Logic  -  zufällige Reihenfolge  -  Wiederholen, bis Richtig eingegeben "
         "(zufällig)"},
    };
    for (const Case& c : cases) {
        options.Abfragen.FuzzyLogic = c.fuzzy;
        options.Abfragen.ZufaelligeReihenfolge = c.random;
        options.Abfragen.WiederholenBisRichtig = c.repeat;
        options.Abfragen.BeiFalschDirektWiederholen = c.direct;
        EXPECT_EQ(session->Caption(), c.caption);
    }
    EXPECT_STREQ(session->AskedSideCaption(), "Muttersprache:");
    EXPECT_STREQ(session->TypedSideCaption(), "Fremdsprache:");
    options.Abfragen.MutterspracheZuFremdsprache = false;
    EXPECT_STREQ(session->AskedSideCaption(), "Fremdsprache:");
    EXPECT_STREQ(session->TypedSideCaption(), "Muttersprache:");
}

TEST_F(QuizSessionTest, WhatTheVerdictPageShows) {
    options.Abfragen.ZufaelligeReihenfolge = false;
    VokabelTyp& e = session->Entries()[1];
    e.FS1.Set("to go");
    e.FS2.Set("(to) walk");
    e.MS1.Set("gehen");
    e.MS3.Set("laufen");
    e.InUse = 1;
    PutRows({2, 3, 4});
    VokabelArrayTyp list{};
    session->SetErrorList(&list);
    session->Start();
    EXPECT_EQ(session->AskedFields(), (std::array<std::string, 5>{"gehen", "", "laufen", "", ""}));

    AnswerShown shown = session->Answer("walk");
    EXPECT_EQ(shown.verdict, "Die Vokabel / eine Bedeutung wurde richtig übersetzt");
    EXPECT_EQ(shown.verdictColor, kVerdictBlack);
    EXPECT_EQ(shown.strikeOut, StrikeOut::Off);
    EXPECT_TRUE(session->Blink().Running());
    EXPECT_EQ(shown.askedLine, "gehen;;laufen");
    EXPECT_EQ(shown.typedLine, "walk");
    EXPECT_EQ(shown.correctLine, "to go\r(to) walk\r");
    EXPECT_EQ(FirstFreeRow(list), 1);

    shown = session->Answer("f2");
    EXPECT_EQ(shown.verdict, "Die Vokabel wurde absolut korrekt übersetzt");
    EXPECT_EQ(shown.verdictColor, kVerdictGreen);

    shown = session->Answer("x; y; z");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kTooManyMeaningsText});
    EXPECT_EQ(shown.verdict, "Die Vokabel wurde falsch übersetzt");
    EXPECT_EQ(shown.verdictColor, kRed);
    EXPECT_EQ(shown.strikeOut, StrikeOut::On);
    EXPECT_EQ(shown.typedLine, "x;y");
    EXPECT_EQ(list[1].FS1.Get(), "f3");

    shown = session->Answer("");
    EXPECT_EQ(shown.verdict, "Es wurde nichts eingegeben");
    EXPECT_EQ(shown.strikeOut, StrikeOut::Unchanged);
    EXPECT_EQ(shown.askedLine, "m4");
    EXPECT_EQ(shown.typedLine, "");
    EXPECT_EQ(list[2].FS1.Get(), "f4");
    EXPECT_EQ(session->Counters().FirstTryRightCount, 2);
}

TEST_F(QuizSessionTest, RepetitionHidesTheAnswerUnlessAskedToShowIt) {
    options.Abfragen.WiederholenBisRichtig = true;
    PutRows({1});
    VokabelArrayTyp list{};
    session->SetErrorList(&list);
    session->Start();
    AnswerShown shown = session->Answer("x");
    EXPECT_EQ(shown.correctLine, "");
    EXPECT_EQ(shown.askedLine, "");
    options.Abfragen.KorrekteUebersetzungAnzeigen = true;
    shown = session->Answer("");
    EXPECT_EQ(shown.correctLine, "f1\r\r");
    // Each wrong answer of an entry stands in the list once more.
    EXPECT_EQ(list[1].FS1.Get(), "f1");
    EXPECT_EQ(list[2].FS1.Get(), "f1");
    EXPECT_EQ(FirstFreeRow(list), 3);

    // No list when the option is off.
    options.Abfragen.FehlerlisteErstellen = false;
    session->Answer("x");
    EXPECT_EQ(FirstFreeRow(list), 3);
}

TEST_F(QuizSessionTest, ErrorSoundIsReportedOncePerQuizAndThenSilent) {
    FakeSound sound;
    sound.opens = false;
    options.Abfragen.BeepFilename = "/opt/pelko32/Sounds/Bong2.wav";
    PutRows({1, 2, 3});
    session->SetSound(&sound);
    session->Start();
    session->Answer("x");
    session->Answer("y");
    EXPECT_EQ(sound.played, 0);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kSoundOpenFailedText});
    EXPECT_EQ(sound.file, "/opt/pelko32/Sounds/Bong2.wav");
    EXPECT_TRUE(options.Abfragen.BeepBeiFehler);  // the option stays on

    sound.opens = true;
    session->Start();  // "Nochmal" opens afresh
    EXPECT_EQ(sound.closed, 2);
    session->Answer("x");
    EXPECT_EQ(sound.played, 1);
    session->SetMuted(true);
    session->Answer("x");
    session->SetMuted(false);
    options.Abfragen.BeepBeiFehler = false;
    session->Answer("x");
    EXPECT_EQ(sound.played, 1);
    EXPECT_EQ(dialogs.Texts().size(), 1u);
    session->Close();
    EXPECT_EQ(sound.closed, 3);
}

TEST_F(QuizSessionTest, BlinkIsSixTicksOfColourAndFace) {
    PutRows({1, 2});
    session->Start();
    session->Answer("x");
    AnswerBlink& blink = session->Blink();
    std::vector<std::optional<uint32_t>> seen;
    for (int i = 0; i < 3; ++i) seen.push_back(blink.Tick());
    session->Answer("y");  // a second error while flashing goes on where it was
    while (blink.Running()) seen.push_back(blink.Tick());
    const std::optional<uint32_t> face;
    EXPECT_EQ(seen, (std::vector<std::optional<uint32_t>>{kRed, face, kRed, face, kRed, face}));

    session->Start();
    options.Abfragen.BlinkeBeiFehler = false;
    session->Answer("x");
    EXPECT_FALSE(blink.Running());

    // A flash cut short by closing the quiz does not come back with the
    // next one, not even after an exact answer.
    options.Abfragen.BlinkeBeiFehler = true;
    session->Start();
    session->Answer("x");
    blink.Tick();
    session->Start();
    EXPECT_FALSE(blink.Running());
    session->Answer(Right());
    EXPECT_FALSE(blink.Running());
    EXPECT_EQ(blink.Tick(), std::nullopt);
}

TEST_F(QuizSessionTest, TipsRevealOneLetterMore) {
    Put(1, "dog", "Hund");
    session->Start();
    std::vector<std::string> tips;
    for (int i = 0; i < 4; ++i) tips.push_back(session->Tip());
    EXPECT_EQ(tips, (std::vector<std::string>{"d", "do", "dog", "dog     Diese Bedeutung ist bereits vollst\xe4ndig!"}));
    EXPECT_EQ(session->Tip(), tips.back());
    EXPECT_EQ(session->Counters().TipsUsed, 5);

    options.Abfragen.MutterspracheZuFremdsprache = false;
    session->Start();
    EXPECT_EQ(session->Tip(), "H");
    EXPECT_EQ(session->AskedFields(), (std::array<std::string, 5>{"dog", "", "", "", ""}));
}

TEST_F(QuizSessionTest, TrickAnswerAndKeys) {
    VokabelTyp& e = session->Entries()[1];
    e.MS1.Set("gehen");
    e.MS4.Set("laufen");
    e.FS1.Set("go");
    e.InUse = 1;
    options.Abfragen.MutterspracheZuFremdsprache = false;
    session->Start();
    EXPECT_EQ(session->TrickAnswer(), "gehen; laufen");
    EXPECT_EQ(session->Answer(session->TrickAnswer()).verdict, "Die Vokabel wurde absolut korrekt übersetzt");
    EXPECT_TRUE(session->KeyAllowed(';'));
    options.Abfragen.MehrereBedeutungen = false;
    EXPECT_FALSE(session->KeyAllowed(';'));
    EXPECT_TRUE(session->KeyAllowed('a'));
}

TEST_F(QuizSessionTest, AnswerIsCutAt255Bytes) {
    Put(1, std::string(50, 'a'), "m");
    options.Abfragen.MehrereBedeutungen = false;
    session->Start();
    const AnswerShown shown = session->Answer(std::string(300, 'b'));
    EXPECT_EQ(shown.typedLine.size(), kMaxAnswerLength);
}
