#include <gtest/gtest.h>

#include <filesystem>

#include "frame/OptionsDialogModel.h"
#include "platform/Dialogs.h"
#include "platform/TempDir.h"

using platform::ScriptedDialogs;

namespace {

class OptionsModelTest : public ::testing::Test {
protected:
    OptionsModelTest() {
        SetDefaultOptions(options, {dir.Path(), dir.Path() + "/", 1024, 768});
        options.StandardArbeitsverzeichnis = dir.Path() + "/";
        options.Settings.VorlagenVerzeichnis = dir.Path() + "/";
        TempDir::Write(dir.Path("bong.wav"), "RIFF");
        options.Abfragen.BeepFilename = dir.Path("bong.wav");
    }
    TempDir dir;
    OptionenTyp options;
    ScriptedDialogs dialogs;
    int beeps = 0;
    OptionsChecks checks{dialogs, [this] { ++beeps; }};
};

TEST_F(OptionsModelTest, UnchangedStateWritesTheOptionsBackAsTheyWere) {
    const OptionenTyp before = options;
    OptionsDialogState s = StateFromOptions(options);
    EXPECT_EQ(ApplyState(s, options, checks), ApplyResult::Complete);
    EXPECT_EQ(options, before);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OptionsModelTest, EveryControlReachesItsOption) {
    OptionsDialogState s = StateFromOptions(options);
    // Flip everything that the rules leave alone.
    s.VokAnzahlBox = !s.VokAnzahlBox;
    s.UmbrechBox = !s.UmbrechBox;
    s.VerkleinernBox = !s.VerkleinernBox;
    s.AbfrRichtung = 1;
    s.Tips = !s.Tips;
    s.MB_Richtig = 0;
    s.Prozentangabe = "65";
    s.LernArtBox = 2;
    s.LernAnzBox = 7;
    s.Vorl_Verz = dir.Path("vorl/");
    s.zuerstAktiv = 1;
    s.Semikolon = false;
    SemikolonClick(s);
    s.mwheel = true;
    s.HangmanFiles = "/x/y.thm";
    s.UmlauteTrennenBox = !s.UmlauteTrennenBox;
    s.BeispielLabel.Name.Set("Courier");
    EXPECT_EQ(ApplyState(s, options, checks), ApplyResult::Complete);
    EXPECT_FALSE(options.AnzahlMitdrucken);
    EXPECT_FALSE(options.ZeilenumbruchWennZuLang);
    EXPECT_FALSE(options.SchriftVerkleinernWennZuLang);
    EXPECT_FALSE(options.Abfragen.MutterspracheZuFremdsprache);
    EXPECT_FALSE(options.Abfragen.TipsZulassen);
    EXPECT_TRUE(options.Abfragen.AlleBedeutungenRichtig);
    EXPECT_EQ(options.Abfragen.RichtigAb, 65);
    EXPECT_EQ(options.Abfragen.LernModus, 2);
    EXPECT_EQ(options.Abfragen.WiederholungsAnzahl, 7);
    EXPECT_EQ(options.Settings.VorlagenVerzeichnis, dir.Path("vorl/"));
    EXPECT_FALSE(options.FremdspracheZuerstAktiv);
    EXPECT_FALSE(options.SemikolonNaechstesFeld);
    EXPECT_FALSE(options.NurSelbeSprache);
    EXPECT_TRUE(options.Settings.DisableMouseWheel);
    EXPECT_EQ(options.Hangman.Dateinamenbeginn, "/x/y.thm");
    EXPECT_FALSE(options.Hangman.UmlauteTrennen);
    EXPECT_EQ(options.DruckSchrift.Name.Get(), "Courier");
}

TEST_F(OptionsModelTest, ShrinkAmountShowsItsSizeAndStoresTheChosenSign) {
    options.MaximalVerkleinernUm = -2;
    OptionsDialogState s = StateFromOptions(options);
    EXPECT_EQ(s.MaxPt, "2");
    EXPECT_FALSE(s.maxPtBox);
    s.maxPtBox = true;
    ASSERT_EQ(ApplyState(s, options, checks), ApplyResult::Complete);
    EXPECT_EQ(options.MaximalVerkleinernUm, 2);
    s.maxPtBox = false;
    s.MaxPt = "7";
    ApplyState(s, options, checks);
    EXPECT_EQ(options.MaximalVerkleinernUm, -7);
}

TEST_F(OptionsModelTest, SpinButtonsStayWithinTwoAndHundred) {
    OptionsDialogState s = StateFromOptions(options);
    s.maxPtBox = false;
    s.MaxPt = "3";
    SpinButton1DownClick(s, checks);
    EXPECT_EQ(s.MaxPt, "2");
    EXPECT_TRUE(s.maxPtBox);
    SpinButton1DownClick(s, checks);
    EXPECT_EQ(s.MaxPt, "2");
    EXPECT_EQ(beeps, 1);
    s.MaxPt = "100";
    SpinButton1UpClick(s, checks);
    EXPECT_EQ(s.MaxPt, "100");
    EXPECT_EQ(beeps, 2);
    s.MaxPt = "x";
    SpinButton1UpClick(s, checks);
    EXPECT_EQ(dialogs.Texts().back(), "Ungültige Zahl im Eingabefeld \"Verkleinern um maximal...\" bei Drucken!");
}

TEST_F(OptionsModelTest, EnablingRules) {
    options.Abfragen.FuzzyLogic = true;
    options.Abfragen.GrossKleinIgnorieren = false;
    options.Abfragen.ZufaelligeReihenfolge = false;
    options.Abfragen.WiederholenBisRichtig = true;
    options.Abfragen.BeiFalschDirektWiederholen = false;
    OptionsDialogState s = StateFromOptions(options);
    // Fuzzy forces case to be ignored.
    EXPECT_TRUE(s.GrossKlein);
    EXPECT_FALSE(s.GrossKleinEnabled);
    EXPECT_TRUE(s.ProzentangabeEnabled);
    s.FUZZYBox = false;
    FUZZYBoxClick(s);
    EXPECT_TRUE(s.GrossKleinEnabled);
    EXPECT_FALSE(s.ProzentangabeEnabled);
    // Without random order only direct repetition is possible.
    EXPECT_TRUE(s.wiederholen_direkt);
    EXPECT_FALSE(s.wiederholen_zufallEnabled);
    EXPECT_TRUE(s.wiederholen_direktEnabled);
    s.ZufallBox = true;
    BisRichtigClick(s);
    EXPECT_TRUE(s.wiederholen_zufallEnabled);
    s.BisRichtig = false;
    BisRichtigClick(s);
    EXPECT_FALSE(s.wiederholen_zufallEnabled || s.wiederholen_direktEnabled || s.WiederholenAnzEnabled);
}

TEST_F(OptionsModelTest, HangmanAlwaysAsksAtLeastOneSide) {
    options.Hangman.FremdspracheFragen = false;
    options.Hangman.MutterspracheFragen = false;
    OptionsDialogState s = StateFromOptions(options);
    EXPECT_TRUE(s.AskMSBox);
    EXPECT_FALSE(s.AskMSBoxEnabled);
    s.AskFSBox = true;
    AskFSBoxClick(s);
    EXPECT_TRUE(s.AskMSBoxEnabled);
    s.AskMSBox = false;
    AskMSBoxClick(s);
    EXPECT_TRUE(s.AskFSBox);
    EXPECT_FALSE(s.AskFSBoxEnabled);
}

TEST_F(OptionsModelTest, SemicolonOptionIsTheEnabledStateOfItsFollower) {
    options.SemikolonNaechstesFeld = true;
    options.NurSelbeSprache = true;
    OptionsDialogState s = StateFromOptions(options);
    EXPECT_TRUE(s.Semikolon_languageEnabled);
    EXPECT_TRUE(s.Semikolon_language);
    // Every click clears the follower, also switching on.
    SemikolonClick(s);
    EXPECT_FALSE(s.Semikolon_language);
    ApplyState(s, options, checks);
    EXPECT_TRUE(options.SemikolonNaechstesFeld);
    EXPECT_FALSE(options.NurSelbeSprache);
}

TEST_F(OptionsModelTest, FolderFieldsGetASeparatorAndWarnWhenMissing) {
    OptionsDialogState s = StateFromOptions(options);
    s.VerzName = dir.Path();
    EXPECT_TRUE(VerzNameExit(s, checks));
    EXPECT_EQ(s.VerzName, dir.Path() + "/");
    s.Vorl_Verz = dir.Path("fehlt");
    EXPECT_FALSE(Vorl_VerzExit(s, checks));
    EXPECT_EQ(s.Vorl_Verz, dir.Path("fehlt/"));
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::string>{"Das angegebene \"Standard-Verzeichnis für Vorlagen\" existiert nicht!"});
    EXPECT_EQ(beeps, 1);
}

TEST_F(OptionsModelTest, NumberFields) {
    for (char key : {'0', '9', '\b', '\t', '\r'}) EXPECT_TRUE(NumberFieldKeyAllowed(key)) << int(key);
    for (char key : {'a', '-', ' ', '.'}) EXPECT_FALSE(NumberFieldKeyAllowed(key)) << key;
    EXPECT_EQ(ParseWholeNumber("80"), 80);
    EXPECT_EQ(ParseWholeNumber("-3"), -3);
    EXPECT_EQ(ParseWholeNumber(""), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("8a"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("99999999999"), std::nullopt);
    OptionsDialogState s = StateFromOptions(options);
    s.MaxPt = "-4";
    MaxPtExit(s, checks);
    s.Prozentangabe = "x";
    ProzentangabeExit(s, checks);
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{
                                   "Die Zahl bei \"Verkleinern um maximal ... Punkt\" bei Drucken darf nicht negativ "
                                   "sein, dh. kein Minuszeichen enthalten.",
                                   "Die Prozentangabe muß eine Zahl sein und darf keine Buchstaben enthalten."}));
}

// Where each failed check ends the taking, and what the earlier steps took.
TEST_F(OptionsModelTest, FailedChecksEndTheTakingWhereTheyStand) {
    options.Abfragen.RichtigAb = 80;
    {
        OptionsDialogState s = StateFromOptions(options);
        s.VokNumber = !s.VokNumber;
        s.MaxPt = "";
        s.Tips = !s.Tips;
        EXPECT_EQ(ApplyState(s, options, checks), ApplyResult::Stopped);
        EXPECT_EQ(options.VokabelnummernDrucken, s.VokNumber);
        EXPECT_NE(options.Abfragen.TipsZulassen, s.Tips);
        EXPECT_EQ(dialogs.shown.back().kind, "exception");
    }
    {
        OptionsDialogState s = StateFromOptions(options);
        s.Tips = !s.Tips;
        s.beep_name = dir.Path("fehlt.wav");
        s.LernAnzBox = 9;
        EXPECT_EQ(ApplyState(s, options, checks), ApplyResult::Stopped);
        EXPECT_EQ(options.Abfragen.TipsZulassen, s.Tips);
        EXPECT_EQ(options.Abfragen.BeepFilename, dir.Path("fehlt.wav"));
        EXPECT_NE(options.Abfragen.WiederholungsAnzahl, 9);
        EXPECT_EQ(dialogs.Texts().back(), "Sounddatei existiert nicht!");
    }
    {
        OptionsDialogState s = StateFromOptions(options);
        s.beep_name = dir.Path("bong.wav");
        s.Prozentangabe = "8o";
        s.LernAnzBox = 9;
        s.VerzName = dir.Path("fehlt");
        s.MakeSic = !s.MakeSic;
        EXPECT_EQ(ApplyState(s, options, checks), ApplyResult::Stopped);
        EXPECT_EQ(options.Abfragen.RichtigAb, 80);
        EXPECT_EQ(options.Abfragen.WiederholungsAnzahl, 9);
        EXPECT_NE(options.Sicherungskopien, s.MakeSic);
        const auto texts = dialogs.Texts();
        EXPECT_EQ(texts[texts.size() - 2],
                  "Die Prozentangabe bei Abfragen muß eine ganze Zahl sein und darf keine Buchstaben enthalten.");
        EXPECT_EQ(texts.back(), "Das angegebene \"Standard-Verzeichnis für Vokabeldateien\" existiert nicht!");
    }
}

TEST_F(OptionsModelTest, OkClosesOnlyWhenEverythingWasTaken) {
    OptionsDialogState s = StateFromOptions(options);
    s.VerzName = dir.Path("fehlt");
    EXPECT_FALSE(OkClick(s, options, checks));
    EXPECT_EQ(dialogs.shown.size(), 1u);  // the check runs once; nothing was taken
    s.VerzName = dir.Path();
    s.beep_name = dir.Path("fehlt.wav");
    s.HangmanFiles = "neu";
    EXPECT_FALSE(OkClick(s, options, checks));
    EXPECT_NE(options.Hangman.Dateinamenbeginn, "neu");
    s.BeepOnErrorBox = false;
    EXPECT_TRUE(OkClick(s, options, checks));
    EXPECT_EQ(options.Hangman.Dateinamenbeginn, "neu");
    // Without the working folder in use its field is not checked.
    s.UseStdVerzBox = false;
    s.VerzName = dir.Path("fehlt");
    EXPECT_TRUE(OkClick(s, options, checks));
}

}  // namespace
