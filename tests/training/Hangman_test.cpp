#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <set>

#include "documents/DocumentTestFiles.h"
#include "training/HangmanGame.h"
#include "training/HangmanPicture.h"
#include "training/ModeTestSupport.h"
#include "training/ThmFile.h"

using namespace mode_test;

namespace {

bool Exists(const std::string& path) { return std::filesystem::is_regular_file(path); }

class HangmanGameTest : public ::testing::Test {
protected:
    HangmanGameTest() {
        entries = std::make_unique<VokabelArrayTyp>();
        options.Hangman = HangmanOptionenTyp{};
        options.Hangman.UmlauteTrennen = false;
    }
    void Start(uint8_t first = 1, uint8_t last = 10) {
        int lastRow = 0;
        for (int r = 1; r <= kMaxEntries; ++r) {
            if ((*entries)[std::size_t(r)].InUse != 0) lastRow = r;
        }
        game.SetUp(*entries, lastRow, first, last);
        ASSERT_TRUE(game.NextWord());
    }
    // Keys typed one by one.
    void Keys(const std::string& keys) {
        for (const char k : keys) game.Key(k);
    }

    OptionenTyp options;
    ScriptedRandom random;
    std::unique_ptr<VokabelArrayTyp> entries;
    HangmanGame game{options, random};
};

}  // namespace

TEST(ThmFile, ParsesThreeLinesAndRefusesAnythingElse) {
    struct Case {
        std::string bytes;
        bool ok;
        std::string pattern;
        int first, last;
    } cases[] = {
        {"Bilder\\Galgen#.jpg\r\n1\r\n10\r\n", true, "Bilder/Galgen#.jpg", 1, 10},
        {"g#.bmp\n12\n3", true, "g#.bmp", 12, 3},
        {"g#.bmp\r 0 \r255\r", true, "g#.bmp", 0, 255},
        {"nohash.bmp\n1\n2\n", true, "nohash.bmp", 1, 2},  // the "#" is checked apart
        {"g#.bmp\n1\n", false, "", 0, 0},
        {"g#.bmp\n1\n256\n", false, "", 0, 0},
        {"g#.bmp\n-1\n5\n", false, "", 0, 0},
        {"g#.bmp\nx\n5\n", false, "", 0, 0},
        {"g#.bmp\n1 2\n5\n", false, "", 0, 0},
        {"", false, "", 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<ThmInfo> info = ParseThm(c.bytes);
        ASSERT_EQ(info.has_value(), c.ok) << c.bytes;
        if (!info) continue;
        EXPECT_EQ(info->pattern, c.pattern);
        EXPECT_EQ(info->first, c.first);
        EXPECT_EQ(info->last, c.last);
    }
    EXPECT_EQ(PictureName("Bild#_#.jpg", 7), "Bild7_#.jpg");
}

TEST(ThmFile, SeriesIsFoundAsNamedOrBesideTheInformationFile) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string thm = MakeSeries(folder, 1, 3);
    ThmSeries series = LoadThmSeries(thm, Exists);
    EXPECT_EQ(series.error, ThmSeries::Error::None);
    EXPECT_EQ(PictureName(series.info.pattern, 2), folder + "/bild2.bmp");

    WriteText(folder + "/absolute.thm", folder + "/bild#.bmp\n1\n3\n");
    series = LoadThmSeries(folder + "/absolute.thm", Exists);
    EXPECT_EQ(series.error, ThmSeries::Error::None);
    EXPECT_EQ(series.info.pattern, folder + "/bild#.bmp");

    WriteText(folder + "/nohash.thm", "bild.bmp\n1\n3\n");
    EXPECT_EQ(LoadThmSeries(folder + "/nohash.thm", Exists).error, ThmSeries::Error::NoHash);
    WriteText(folder + "/elsewhere.thm", "fehlt#.bmp\n1\n3\n");
    EXPECT_EQ(LoadThmSeries(folder + "/elsewhere.thm", Exists).error, ThmSeries::Error::NoPictures);
    EXPECT_EQ(LoadThmSeries(folder + "/missing.thm", Exists).error, ThmSeries::Error::Read);
    EXPECT_EQ(LoadThmSeries(folder, Exists).error, ThmSeries::Error::Read);
}

TEST(HangmanPicture, LoadsBitmapsAndJpegsAndNamesWhatFailed) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    WriteBmp(folder + "/a.BMP");
    HangmanPicture p = LoadHangmanPicture(folder + "/a.BMP");
    EXPECT_TRUE(p.error.empty());
    EXPECT_EQ(p.picture.Width(), 2);

    p = LoadHangmanPicture(std::string(PELKO_FIXTURES) + "/images/gray.jpg");
    EXPECT_TRUE(p.error.empty()) << p.error;
    EXPECT_FALSE(p.picture.IsEmpty());

    WriteText(folder + "/broken.jpg", "not a picture");
    p = LoadHangmanPicture(folder + "/broken.jpg");
    EXPECT_TRUE(p.picture.IsEmpty());
    EXPECT_NE(p.error.find("Das Hangman-Bild " + folder + "/broken.jpg konnte nicht geladen werden."),
              std::string::npos);
    EXPECT_NE(p.error.find("JPEG error #"), std::string::npos) << p.error;

    for (const std::string name : {"/broken.bmp", "/missing.bmp", "/a.gif"}) {
        if (name != "/missing.bmp") WriteText(folder + name, "BMxxxx");
        p = LoadHangmanPicture(folder + name);
        EXPECT_TRUE(p.picture.IsEmpty()) << name;
        EXPECT_FALSE(p.error.empty()) << name;
    }
}

TEST(ReplaceUmlauts, SplitsTheSixUmlautsIntoLowerCasePairs) {
    std::string s = "B\xe4r \xc4\xd6\xdc\xf6\xfc \xdf\xe9";
    ReplaceUmlauts(s);
    EXPECT_EQ(s, "Baer aeoeueoeue \xdf\xe9");
}

TEST_F(HangmanGameTest, GuessesUncoverLettersAndRepeatsCountByTheOption) {
    (*entries)[1] = MakeEntry("Ball", "");
    Start();
    EXPECT_EQ(game.Display(), "_ _ _ _ ");
    Keys("l");
    EXPECT_EQ(game.Display(), "_ _ l l ");
    EXPECT_EQ(game.Picture(), 1);
    Keys("l");  // a repeat is no penalty
    EXPECT_EQ(game.Picture(), 1);
    Keys("x");
    EXPECT_EQ(game.Picture(), 2);
    EXPECT_EQ(game.GuessedLetters(), "LLX");
    Keys("ba");
    EXPECT_EQ(game.Display(), "B a l l ");
    EXPECT_EQ(game.GetState(), HangmanGame::State::Won);

    options.Hangman.DoppelteBuchstabenFalsch = true;
    Start();
    Keys("ll");
    EXPECT_EQ(game.Picture(), 2);
}

TEST_F(HangmanGameTest, SeriesUpDownAndEqualLoseAtTheLastPictureOrNever) {
    (*entries)[1] = MakeEntry("Ball", "");
    struct Case {
        uint8_t first, last;
        int misses;
        HangmanGame::State state;
        int picture;
    } cases[] = {
        {1, 10, 8, HangmanGame::State::Running, 9},
        {1, 10, 9, HangmanGame::State::Lost, 10},
        {10, 1, 9, HangmanGame::State::Lost, 1},
        {4, 4, 20, HangmanGame::State::Running, 4},
    };
    for (const Case& c : cases) {
        Start(c.first, c.last);
        for (int i = 0; i < c.misses; ++i) game.Key(char('c' + i));
        EXPECT_EQ(game.GetState(), c.state) << int(c.first) << "-" << int(c.last);
        EXPECT_EQ(game.Picture(), c.picture);
    }
    Start(1, 3);
    Keys("lxy");
    EXPECT_EQ(game.Display(), "Ball");
    options.Hangman.FragenBisRichtig = true;
    Start(1, 3);
    Keys("lxy");
    EXPECT_EQ(game.GetState(), HangmanGame::State::Lost);
    EXPECT_EQ(game.Display(), "_ _ l l ");
}

TEST_F(HangmanGameTest, UmlautsAreSplitAndTheirKeysOnlyBeep) {
    options.Hangman.UmlauteTrennen = true;
    (*entries)[1] = MakeEntry("B\xe4r", "");
    Start();
    EXPECT_EQ(game.CurrentWord(), "Baer");
    EXPECT_TRUE(game.Key('\xe4').beep);
    EXPECT_EQ(game.GuessedLetters(), "");
    Keys("e");
    EXPECT_EQ(game.Display(), "_ _ e _ ");
}

TEST_F(HangmanGameTest, WordsWithUnderscoresAndFiftyLettersCanBeWonAndUsedUp) {
    // One word of 50 letters and one with "_": both end the game when won.
    (*entries)[1] = MakeEntry(std::string(50, 'a'), "");
    (*entries)[2] = MakeEntry("a_b", "");
    Start();
    std::set<std::string> played;
    for (int round = 0; round < 2; ++round) {
        played.insert(game.CurrentWord());
        Keys(game.CurrentWord().size() == 50 ? "a" : "a_b");
        ASSERT_EQ(game.GetState(), HangmanGame::State::Won) << game.CurrentWord();
        const HangmanGame::KeyEffect next = game.Key(' ');
        EXPECT_TRUE(next.nextWord);
        EXPECT_EQ(next.gameOver, round == 1);
    }
    EXPECT_EQ(played.size(), 2u);
}

TEST_F(HangmanGameTest, LostWordReturnsOnlyWhenAskingUntilRight) {
    (*entries)[1] = MakeEntry("ab", "");
    options.Hangman.FragenBisRichtig = true;
    Start(1, 2);
    Keys("x");
    ASSERT_EQ(game.GetState(), HangmanGame::State::Lost);
    EXPECT_FALSE(game.Key(' ').gameOver);
    EXPECT_EQ(game.CurrentWord(), "ab");
    EXPECT_EQ(game.Picture(), 1);
    options.Hangman.FragenBisRichtig = false;
    Keys("x");
    EXPECT_TRUE(game.Key(' ').gameOver);
}

TEST_F(HangmanGameTest, PickFollowsTheAskedSidesAndFillsTranslations) {
    VokabelTyp e = MakeEntry("dog", "Hund", "hound", "K\xf6ter");
    e.MS2.Set("Hundi");
    (*entries)[3] = e;
    (*entries)[5] = MakeEntry("unused", "nicht");
    (*entries)[5].InUse = 0;
    options.Hangman.UebersetzungAnzeigen = true;
    options.Hangman.MutterspracheFragen = true;
    options.Hangman.NurErsteBedeutung = true;
    int mother = 0;
    for (int i = 0; i < 700; ++i) {
        Start();
        EXPECT_EQ(game.CurrentRow(), 3);
        mother += game.AskedMother() ? 1 : 0;
        EXPECT_TRUE(game.CurrentField() == 1 || game.CurrentField() == 3);
    }
    // Five of seven fields fold onto the first mother-tongue meaning.
    EXPECT_NEAR(mother, 500, 60);
    EXPECT_EQ(game.Translations()[0], game.AskedMother() ? "dog" : "Hund");

    options.Hangman.FremdspracheFragen = false;
    options.Hangman.NurErsteBedeutung = false;
    std::set<std::string> words;
    for (int i = 0; i < 100; ++i) {
        Start();
        words.insert(game.CurrentWord());
    }
    EXPECT_EQ(words, (std::set<std::string>{"Hund", "Hundi", "K\xf6ter"}));
    EXPECT_EQ(game.Translations()[0], "dog");
    EXPECT_EQ(game.Translations()[1], "hound");

    options.Hangman.MutterspracheFragen = false;
    game.SetUp(*entries, 5, 1, 10);
    EXPECT_FALSE(game.NextWord());
}
