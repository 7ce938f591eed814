#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "documents/AppSettings.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"

namespace fs = std::filesystem;
using platform::ModalResult;
using platform::RegRoot;
using platform::TRegistry;

namespace {

const std::string kRoot = "\\Software\\Pelko32";

std::string Key(const std::string& sub) {
    return sub.empty() ? kRoot : kRoot + "\\" + sub;
}

StartEnvironment TestEnvironment() {
    StartEnvironment env;
    env.PersonalFolder = "/home/lena/Dokumente";
    env.ProgramFolder = "/opt/pelko/";
    env.ScreenWidth = 1280;
    env.ScreenHeight = 1024;
    return env;
}

OptionenTyp Defaults() {
    OptionenTyp o;
    SetDefaultOptions(o, TestEnvironment());
    return o;
}

// Refuses to open chosen keys a given number of times.
class FlakyRegistry : public OptionsRegistry {
public:
    using OptionsRegistry::OptionsRegistry;
    std::map<std::string, int> failures;  // key path -> refusals left (-1 = always)

    bool OpenKey(const std::string& key, bool canCreate) override {
        auto it = failures.find(key);
        if (it != failures.end() && it->second != 0) {
            if (it->second > 0) --it->second;
            return false;
        }
        return OptionsRegistry::OpenKey(key, canCreate);
    }
};

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("pelko-options-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        storePath_ = (dir_ / "registry.reg").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    TRegistry Store() { return TRegistry(RegRoot::CurrentUser, storePath_); }

    void PutInt(const std::string& sub, const std::string& name, int32_t value) {
        TRegistry r = Store();
        ASSERT_TRUE(r.OpenKey(Key(sub), true));
        r.WriteInteger(name, value);
    }
    void PutString(const std::string& sub, const std::string& name, const std::string& value) {
        TRegistry r = Store();
        ASSERT_TRUE(r.OpenKey(Key(sub), true));
        r.WriteString(name, value);
    }

    // Options saved from `saved`, then read over the defaults.
    OptionenTyp SaveAndLoad(const OptionenTyp& saved) {
        TRegistry r = Store();
        OptionsRegistry reg(r);
        SaveSettings(reg, saved);
        OptionenTyp loaded = Defaults();
        EXPECT_EQ(LoadSettings(reg, loaded), LoadSettingsResult::Done);
        return loaded;
    }

    LoadSettingsResult Load(OptionenTyp& options, std::map<std::string, int> failures = {}) {
        TRegistry r = Store();
        FlakyRegistry reg(r);
        reg.failures = std::move(failures);
        return LoadSettings(reg, options);
    }

    fs::path dir_;
    std::string storePath_;
    platform::ScriptedDialogs dialogs_;
    platform::ScopedDialogs scope_{dialogs_};
};

// Every field away from its default (those the registry keeps).
OptionenTyp EverythingChanged() {
    OptionenTyp o = Defaults();
    o.NochNieGestartet = false;  // always written so
    o.EnterWechseltFSMS = false;
    o.FremdspracheZuerstAktiv = false;
    o.SemikolonNaechstesFeld = false;
    o.NurSelbeSprache = true;
    o.BeiVorherigesSpeichern = false;
    o.DOSUmlauteErsetzen = false;
    o.DOSBedeutungenTrennen = false;
    o.StandardArbeitsverzeichnis = "/daten/Vokabeln/";
    o.StandardArbeitsverzeichnisNutzen = false;
    o.VerzeichnisAutomatischWechseln = false;
    o.BeschreibungImFensterZeigen = false;
    o.BeschreibungBeimErstenSpeichern = false;
    o.Sicherungskopien = false;
    o.BeimStartLeereDatei = false;

    auto font = [](const char* name, int32_t size, uint8_t style, uint32_t color) {
        SchriftartTyp f;
        f.Name.Set(name);
        f.Size = size;
        f.Style = style;
        f.Color = color;
        return f;
    };
    o.SchriftMS = font("Liberation Serif", 14, 1, 0x112233);
    o.SchriftFS = font("DejaVu Sans", 9, 2, 0x445566);
    o.SchriftTab = font("Courier New", 11, 15, 0xFFFFFF);
    o.MSFSFontsInTabellenkopf = true;

    AbfrageOptionenTyp& a = o.Abfragen;
    a.MutterspracheZuFremdsprache = false;
    a.ZufaelligeReihenfolge = false;
    a.WiederholenBisRichtig = true;
    a.BeiFalschDirektWiederholen = true;
    a.KorrekteUebersetzungAnzeigen = true;
    a.TipsZulassen = false;
    a.OptionenVorAbfragenAnzeigen = false;
    a.GrossKleinIgnorieren = false;
    a.FuzzyLogic = false;
    a.RichtigAb = 65;
    a.MehrereBedeutungen = false;
    a.AlleBedeutungenRichtig = true;
    a.FehlerlisteErstellen = false;
    a.BeepBeiFehler = false;
    a.BlinkeBeiFehler = false;
    a.LernModus = 2;
    a.EinzelneBedeutungenLernen = false;
    a.WiederholungsAnzahl = 7;
    a.BeepFilename = "/usr/share/sounds/ding.wav";
    a.AskForUsername = false;

    HangmanOptionenTyp& h = o.Hangman;
    h.Dateinamenbeginn = "/daten/Galgen.thm";
    h.FremdspracheFragen = false;
    h.MutterspracheFragen = true;
    h.NurErsteBedeutung = true;
    h.UebersetzungAnzeigen = true;
    h.FragenBisRichtig = true;
    h.DoppelteBuchstabenFalsch = true;
    h.OptionenBeimStarten = true;
    h.UmlauteTrennen = false;

    o.AnzahlMitdrucken = false;
    o.VokabelnummernDrucken = false;
    o.GitternetzDrucken = false;
    o.ZeilenumbruchWennZuLang = false;
    o.SchriftVerkleinernWennZuLang = false;
    o.BeschreibungMitdrucken = false;
    o.MaximalVerkleinernUm = 5;
    o.DruckSchrift = font("Liberation Sans", 8, 4, 0x000001);
    o.DruckSchriftMS = font("Liberation Mono", 16, 8, 0x010000);
    o.DruckSchriftFS = font("Arial Black", 20, 3, 0x000100);
    o.UmlauteUmwandeln = false;

    SettingsTyp& s = o.Settings;
    s.LastGotoNr = 321;
    s.SearchInFS = false;
    s.SearchInMS = false;
    s.SearchTeil = false;
    s.AlleTrefferZeigen = false;
    s.ListeAlleTrefferZeigen = true;
    s.SucheGrossKleinIgnorieren = false;
    s.SearchAutoFuzzy = true;
    s.AllgemIgnorieren = false;
    s.KlammerIgnorieren = false;
    s.WortteileIgnorieren = false;
    s.IgnorierenWennVergessen = false;
    s.IgnorierenWennZuViel = true;
    for (std::size_t i = 0; i < s.Wortteile.size(); ++i) {
        s.Wortteile[i].Set("teil " + std::to_string(i) + " \x9a\xe4");
    }
    s.HauptfensterStatus = 2;
    s.HauptfensterHoehe = 700;
    s.HauptfensterBreite = -5;
    s.HauptfensterX = -1200;
    s.HauptfensterY = 3;
    s.MenueaufrufErmoeglichen = false;
    s.LetztesSonderzeichen = "\x9e";
    for (std::size_t i = 0; i < s.LastFiles.size(); ++i) {
        s.LastFiles[i] = "/daten/zuletzt " + std::to_string(i) + " Größe.plk";
    }
    s.VorlagenVerzeichnis = "/daten/Vorlagen";
    s.ShowWizAtStartUp = false;
    s.WizOpensEdit = false;
    s.ReopenLastFiles = true;
    for (std::size_t i = 0; i < s.OpenFilesAtExit.size(); ++i) {
        s.OpenFilesAtExit[i] = "/daten/offen" + std::to_string(i) + ".plk";
    }
    s.LastWizPage = 4;
    s.HinweisBeiSchreibschutz = false;
    s.DisableMouseWheel = true;
    return o;
}

}  // namespace

TEST_F(OptionsTest, FirstRunKeepsEveryDefaultWithoutAMessage) {
    OptionenTyp o = Defaults();
    EXPECT_EQ(Load(o), LoadSettingsResult::Done);
    EXPECT_EQ(o, Defaults());
    EXPECT_TRUE(dialogs_.Texts().empty());

    EXPECT_TRUE(o.NochNieGestartet);
    EXPECT_EQ(o.StandardArbeitsverzeichnis, "/home/lena/Dokumente/Meine Vokabeldateien/");
    EXPECT_EQ(o.Abfragen.BeepFilename, "/opt/pelko/Sounds/Bong2.wav");
    EXPECT_EQ(o.Hangman.Dateinamenbeginn, "/opt/pelko/Hangman-Bilder/Hangman Classic.thm");
    EXPECT_EQ(o.Settings.VorlagenVerzeichnis, "/opt/pelko/Vorlagen");
    EXPECT_EQ(o.Settings.HauptfensterHoehe, 924);
    EXPECT_EQ(o.Settings.HauptfensterBreite, 1080);
    EXPECT_EQ(o.Settings.Wortteile[0].Get(), "to");
    EXPECT_EQ(o.Settings.Wortteile[1].Get(), "");
    EXPECT_EQ(o.Settings.LetztesSonderzeichen, "\xe1");
    EXPECT_EQ(o.Abfragen.RichtigAb, 80);
    EXPECT_EQ(o.Abfragen.WiederholungsAnzahl, 3);
    EXPECT_EQ(o.SchriftMS.Name.Get(), "Times New Roman");
    EXPECT_EQ(o.SchriftMS.Color, 0x008000u);
    EXPECT_EQ(o.SchriftFS.Color, 0x000080u);
    EXPECT_EQ(o.SchriftTab.Color, 0x800000u);
    EXPECT_EQ(o.SchriftTab.Size, 12);
    EXPECT_EQ(o.DruckSchriftMS.Name.Get(), "Arial");
    EXPECT_EQ(o.DruckSchriftFS.Size, 10);
}

TEST_F(OptionsTest, SaveThenLoadGivesBackEveryField) {
    const OptionenTyp changed = EverythingChanged();
    OptionenTyp expected = changed;
    OptionenTyp loaded = SaveAndLoad(changed);
    EXPECT_EQ(loaded.Abfragen, expected.Abfragen);
    EXPECT_EQ(loaded.Hangman, expected.Hangman);
    EXPECT_EQ(loaded.Settings, expected.Settings);
    EXPECT_EQ(loaded, expected);
    EXPECT_TRUE(dialogs_.Texts().empty());
}

TEST_F(OptionsTest, SaveWritesEveryValueUnderItsKey) {
    TRegistry r = Store();
    OptionsRegistry reg(r);
    SaveSettings(reg, Defaults());
    EXPECT_TRUE(dialogs_.Texts().empty());

    enum Kind { Dword, Text };
    std::map<std::string, std::vector<std::pair<std::string, Kind>>> expected;
    auto dwords = [&](const std::string& key, std::initializer_list<const char*> names) {
        for (const char* n : names) expected[key].push_back({n, Dword});
    };
    auto texts = [&](const std::string& key, std::initializer_list<std::string> names) {
        for (const std::string& n : names) expected[key].push_back({n, Text});
    };
    auto font = [&](const std::string& key, const std::string& prefix) {
        texts(key, {prefix + "Font-Name"});
        for (const char* v : {"Font-Size", "Font-Style", "Font-Color"}) expected[key].push_back({prefix + v, Dword});
    };
    dwords("", {"Pelko noch nie gestartet", "Bei Enter zwischen FS und MS wechseln", "Fremdsprache zuerst aktiv",
                "Bei Semikolon nächste Zeile aktivieren", "nur innerhalb der selben Sprache",
                "Vokabel bei Vorheriges speichern", "DOS-Umlaute ersetzen", "DOS-Bedeutungen trennen",
                "Standard-Arbeitsverzeichnis nutzen", "Verzeichnis automatisch wechseln",
                "Beschreibung im Fenster zeigen", "Beschreibung beim 1. Speichern anzeigen",
                "Sicherungskopien anlegen", "Beim Start leere Datei öffnen"});
    texts("", {"Standard-Arbeitsverzeichnis"});
    dwords("Abfragen", {"Muttersprache --> Fremdsprache", "Zufällige Reihenfolge", "Wiederholen bis richtig",
                        "bei Falsch direkt wiederholen", "Beim Wiederholen korrekte Übersetzung anzeigen",
                        "Tips zulassen", "Optionen vor Abfragen anzeigen", "Groß- und Kleinschreibung ignorieren",
                        "Fuzzy-Logic verwenden", "Richtig ab", "Mehrere Bedeutungen zulassen",
                        "Bei mehreren Bedeutungen müssen alle Richtig sein", "Fehlerliste erstellen",
                        "Beep bei Fehler", "Blinke bei Fehler", "Lern-Modus", "Einzelne Bedeutungen lernen",
                        "Wiederholungs-Anzahl beim Lernen", "Ask For Username"});
    texts("Abfragen", {"Beep-Filename"});
    texts("Hangman", {"Hangman-Dateinamenbeginn"});
    dwords("Hangman", {"Fremdsprache fragen", "Muttersprache fragen", "nur erste Bedeutung fragen",
                       "Übersetzung anzeigen", "Fragen bis richtig", "Doppelte Buchstaben sind falsch",
                       "Optionen beim Starten anzeigen", "Umlaute trennen"});
    dwords("Drucken", {"Anzahl mitdrucken", "Vokabelnummern drucken", "Gitternetz drucken",
                       "Zeilenumbruch, wenn zu lang", "Schriftart Verkleinern, wenn zu lang",
                       "Beschreibung mitdrucken", "Maximal verkleinern um"});
    font("Drucken", "");
    font("Drucken", "MS-");
    font("Drucken", "FS-");
    dwords("Sortieren", {"Umlaute umwandeln"});
    texts("Settings", {"Last WorkingDir", "Last started Version of Pelko32", "Letztes Sonderzeichen",
                       "Vorlagen-Verzeichnis"});
    dwords("Settings", {"LastGotoNr", "Search in FS", "Search in MS", "Search Teil", "Alle Treffer zeigen",
                        "Bei Suchen in Liste alle Treffer zeigen", "Groß- und Kleinschreibung ignorieren",
                        "Search Auto-Fuzzy", "Hauptfenster-Status", "Hauptfenster-Höhe", "Hauptfenster-Breite",
                        "Hauptfenster X-Pos", "Hauptfenster Y-Pos", "Menüaufruf ermöglichen",
                        "ShowWizAtStartUp", "WizOpensEdit", "Reopen_last_files", "LastWizPage",
                        "Hinweis bei Schreibschutz", "Disable Mouse Wheel"});
    for (int n = 1; n <= 9; ++n) texts("Settings", {"LastFile" + std::to_string(n)});
    for (int n = 1; n <= 10; ++n) texts("Settings", {"OpenFilesAtExit_" + std::to_string(n)});
    dwords("Schriftarten", {"MS-FS-Fonts in Tabellenkopf"});
    font("Schriftarten", "MS-");
    font("Schriftarten", "FS-");
    font("Schriftarten", "Tab-");
    for (int n = 1; n <= 50; ++n) texts("Settings\\WTStrings", {"String No " + std::to_string(n)});
    dwords("Settings\\WTStrings", {"Allgem. Ignorieren", "Klammer Ignorieren", "Wortteile ignorieren",
                                   "Ignorieren, wenn vergessen", "Ignorieren, wenn zu viel"});

    for (const auto& [sub, values] : expected) {
        ASSERT_TRUE(r.OpenKey(Key(sub), false)) << sub;
        for (const auto& [name, kind] : values) {
            if (kind == Dword) {
                EXPECT_NO_THROW(r.ReadInteger(name)) << sub << " / " << name;
            } else {
                EXPECT_NO_THROW(r.ReadString(name)) << sub << " / " << name;
            }
        }
    }
    ASSERT_TRUE(r.OpenKey(Key(""), false));
    EXPECT_EQ(r.ReadInteger("Pelko noch nie gestartet"), 0);
    ASSERT_TRUE(r.OpenKey(Key("Settings"), false));
    EXPECT_EQ(r.ReadString("Last WorkingDir"), platform::ProgramFolder());
    EXPECT_EQ(r.ReadString("Last started Version of Pelko32"), "Version 2.93");
    EXPECT_EQ(r.ReadString("Letztes Sonderzeichen"), "á");  // UTF-8 in the store
    ASSERT_TRUE(r.OpenKey(Key("Schriftarten"), false));
    EXPECT_EQ(r.ReadInteger("Tab-Font-Color"), 0x800000);
}

TEST_F(OptionsTest, ClearedWordPartStaysCleared) {
    OptionenTyp o = Defaults();
    o.Settings.Wortteile[0].Set("   ");
    o.Settings.Wortteile[2].Set(" ab ");
    o.Settings.Wortteile[3].Set("\x9a");
    const OptionenTyp loaded = SaveAndLoad(o);
    EXPECT_EQ(loaded.Settings.Wortteile[0].Get(), "");
    EXPECT_EQ(loaded.Settings.Wortteile[2].Get(), " ab ");  // written untrimmed
    EXPECT_EQ(loaded.Settings.Wortteile[3].Get(), "\x9a");

    TRegistry r = Store();
    ASSERT_TRUE(r.OpenKey(Key("Settings\\WTStrings"), false));
    EXPECT_EQ(r.ReadString("String No 1"), "");
    EXPECT_EQ(r.ReadString("String No 4"), "š");
}

TEST_F(OptionsTest, LongTextsAreCutWhenRead) {
    PutString("Schriftarten", "MS-Font-Name", std::string(40, 'F'));
    PutInt("Schriftarten", "MS-Font-Style", 0x1203);
    PutString("Settings\\WTStrings", "String No 2", std::string(45, 'w'));
    PutInt("Abfragen", "Lern-Modus", 0x102);
    OptionenTyp o = Defaults();
    // Settings must exist for reading to go on to the fonts.
    PutInt("Drucken", "Maximal verkleinern um", 2);
    PutInt("Sortieren", "Umlaute umwandeln", 1);
    PutInt("Settings", "LastGotoNr", 9);
    EXPECT_EQ(Load(o), LoadSettingsResult::Done);
    EXPECT_EQ(o.SchriftMS.Name.Get(), std::string(32, 'F'));
    EXPECT_EQ(o.SchriftMS.Style, 3);
    EXPECT_EQ(o.Settings.Wortteile[1].Get(), std::string(30, 'w'));
    EXPECT_EQ(o.Settings.Wortteile[0].Get(), "to");
    EXPECT_EQ(o.Abfragen.LernModus, 2);
    EXPECT_EQ(o.Settings.LastGotoNr, 9);
}

TEST_F(OptionsTest, MissingKeysSkipOrStopAsTheirGroupDemands) {
    // No Drucken: quiz and hangman are read, everything after keeps defaults.
    PutInt("", "Fremdsprache zuerst aktiv", 0);
    PutInt("Abfragen", "Richtig ab", 50);
    PutInt("Hangman", "Umlaute trennen", 0);
    PutInt("Settings", "LastGotoNr", 9);
    PutInt("Schriftarten", "MS-Font-Size", 30);
    PutString("Settings\\WTStrings", "String No 1", "zu");
    OptionenTyp o = Defaults();
    EXPECT_EQ(Load(o), LoadSettingsResult::Done);
    EXPECT_FALSE(o.FremdspracheZuerstAktiv);
    EXPECT_EQ(o.Abfragen.RichtigAb, 50);
    EXPECT_FALSE(o.Hangman.UmlauteTrennen);
    EXPECT_EQ(o.Settings, Defaults().Settings);
    EXPECT_EQ(o.SchriftMS, Defaults().SchriftMS);
    EXPECT_TRUE(dialogs_.Texts().empty());

    // No Abfragen: skipped, and reading goes on.
    {
        TRegistry r = Store();
        ASSERT_TRUE(r.DeleteKey(Key("Abfragen")));
    }
    PutInt("Drucken", "Maximal verkleinern um", 4);
    PutInt("Sortieren", "Umlaute umwandeln", 0);
    o = Defaults();
    EXPECT_EQ(Load(o), LoadSettingsResult::Done);
    EXPECT_EQ(o.Abfragen.RichtigAb, 80);
    EXPECT_FALSE(o.Hangman.UmlauteTrennen);
    EXPECT_EQ(o.MaximalVerkleinernUm, 4);
    EXPECT_FALSE(o.UmlauteUmwandeln);
    EXPECT_EQ(o.Settings.LastGotoNr, 9);
    EXPECT_EQ(o.SchriftMS.Size, 30);
    EXPECT_EQ(o.Settings.Wortteile[0].Get(), "zu");
}

TEST_F(OptionsTest, ValueOfTheWrongKindKeepsItsDefault) {
    PutInt("", "Sicherungskopien anlegen", 0);
    PutInt("Abfragen", "Tips zulassen", 0);
    PutString("Abfragen", "Richtig ab", "80%");
    PutInt("Abfragen", "Beep bei Fehler", 0);
    PutInt("Hangman", "Umlaute trennen", 0);
    OptionenTyp o = Defaults();
    EXPECT_EQ(Load(o), LoadSettingsResult::Done);
    EXPECT_EQ(dialogs_.Texts(),
              std::vector<std::string>{"Exception beim Auslesen der Standardeinstellungen aus der Registry."});
    EXPECT_FALSE(o.Sicherungskopien);
    EXPECT_FALSE(o.Abfragen.TipsZulassen);
    EXPECT_EQ(o.Abfragen.RichtigAb, 80);
    EXPECT_TRUE(o.Abfragen.BeepBeiFehler);
    EXPECT_TRUE(o.Hangman.UmlauteTrennen);
}

TEST_F(OptionsTest, DamagedStoreFileLeavesTheDefaults) {
    std::ofstream(storePath_, std::ios::binary) << "\xff\xfe[HKEY_CURRENT_USER\\Software\\Pelko32\n\"x\"=dword:zz\n\0\0";
    OptionenTyp o = Defaults();
    EXPECT_EQ(Load(o), LoadSettingsResult::Done);
    EXPECT_EQ(o, Defaults());
    EXPECT_LE(dialogs_.Texts().size(), 1u);
}

TEST_F(OptionsTest, SubkeyThatWillNotOpen) {
    const OptionenTyp changed = EverythingChanged();
    {
        TRegistry r = Store();
        OptionsRegistry reg(r);
        SaveSettings(reg, changed);
    }
    const std::string quiz = "Fehler beim Lesen der Abfrageoptionen aus der Registry.";
    const std::string print = "Fehler beim Lesen der Druckoptionen aus der Registry.";
    const std::string words = "Fehler beim Lesen der Wortteil-Logik-Einstellungen aus der Registry.";

    {  // Ignore and a closed box skip the group; reading goes on.
        dialogs_.messageAnswers = {ModalResult::Ignore, ModalResult::None};
        OptionenTyp o = Defaults();
        EXPECT_EQ(Load(o, {{Key("Abfragen"), -1}, {Key("Settings\\WTStrings"), -1}}), LoadSettingsResult::Done);
        EXPECT_EQ(dialogs_.Texts(), (std::vector<std::string>{quiz, words}));
        EXPECT_EQ(o.Abfragen, Defaults().Abfragen);
        EXPECT_EQ(o.Hangman, changed.Hangman);
        EXPECT_EQ(o.SchriftTab, changed.SchriftTab);
        EXPECT_EQ(o.Settings.Wortteile, Defaults().Settings.Wortteile);
        EXPECT_EQ(o.Settings.LastFiles, changed.Settings.LastFiles);
    }
    {  // Ignoring Drucken skips Sortieren with it.
        dialogs_.shown.clear();
        dialogs_.messageAnswers = {ModalResult::Ignore};
        OptionenTyp o = Defaults();
        EXPECT_EQ(Load(o, {{Key("Drucken"), -1}}), LoadSettingsResult::Done);
        EXPECT_EQ(dialogs_.Texts(), std::vector<std::string>{print});
        EXPECT_EQ(o.DruckSchrift, Defaults().DruckSchrift);
        EXPECT_TRUE(o.UmlauteUmwandeln);
        EXPECT_EQ(o.Settings, changed.Settings);
    }
    {  // Retry tries again.
        dialogs_.shown.clear();
        dialogs_.messageAnswers = {ModalResult::Retry, ModalResult::Retry};
        OptionenTyp o = Defaults();
        EXPECT_EQ(Load(o, {{Key("Abfragen"), 2}}), LoadSettingsResult::Done);
        EXPECT_EQ(dialogs_.Texts(), (std::vector<std::string>{quiz, quiz}));
        EXPECT_EQ(o.Abfragen, changed.Abfragen);
    }
    {  // Abort ends reading and asks the caller to end the program.
        dialogs_.shown.clear();
        dialogs_.messageAnswers = {ModalResult::Abort};
        OptionenTyp o = Defaults();
        EXPECT_EQ(Load(o, {{Key("Settings\\WTStrings"), -1}}), LoadSettingsResult::Abort);
    }
    {  // The root key: one message, nothing read.
        dialogs_.shown.clear();
        OptionenTyp o = Defaults();
        EXPECT_EQ(Load(o, {{kRoot, -1}}), LoadSettingsResult::Done);
        EXPECT_EQ(dialogs_.Texts(), std::vector<std::string>{"Fehler beim Lesen der Optionen aus der Registry."});
        EXPECT_EQ(o, Defaults());
    }
}

TEST_F(OptionsTest, SaveStopsAtAKeyThatCannotBeCreated) {
    TRegistry r = Store();
    FlakyRegistry reg(r);
    reg.failures = {{Key("Drucken"), -1}};
    SaveSettings(reg, Defaults());
    EXPECT_EQ(dialogs_.Texts(),
              std::vector<std::string>{"Fehler beim Schreiben der Druck-Optionen in die Registry."});
    EXPECT_TRUE(r.KeyExists(Key("Hangman")));
    EXPECT_FALSE(r.KeyExists(Key("Sortieren")));
    EXPECT_FALSE(r.KeyExists(Key("Settings")));

    dialogs_.shown.clear();
    reg.failures = {{kRoot, -1}};
    SaveSettings(reg, Defaults());
    EXPECT_EQ(dialogs_.Texts(), std::vector<std::string>{"Fehler beim Schreiben der Registry."});
}

TEST_F(OptionsTest, EmptyRecordsCarryTheDefaultFonts) {
    OptionenTyp o = Defaults();
    o.MSFSFontsInTabellenkopf = true;
    BuildEmptyRecords(o);
    EXPECT_EQ(BlankEntry, VokabelTyp{});
    const UndodataTyp& s = EmptyDocumentSnapshot;
    EXPECT_EQ(s.Entries[500], BlankEntry);
    EXPECT_EQ(s.Fonts.TableMS, o.SchriftMS);
    EXPECT_EQ(s.Fonts.TableFS, o.SchriftFS);
    EXPECT_EQ(s.Fonts.TableHeader, o.SchriftTab);
    EXPECT_EQ(s.Fonts.Print, o.DruckSchrift);
    EXPECT_EQ(s.Fonts.HeaderFonts, 1);
    EXPECT_EQ(s.Fonts.Present, 0);
    EXPECT_EQ(s.ColumnNames, SpaltennamenTyp{});
    EXPECT_EQ(s.FormatVersion, 0);
    EXPECT_TRUE(s.ActionText.empty());
}

namespace {

// Sets environment variables for one scope.
class ScopedEnv {
public:
    void Set(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) setenv(it->first, it->second->c_str(), 1);
            else unsetenv(it->first);
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

}  // namespace

TEST_F(OptionsTest, PersonalFolderFollowsTheDesktopsDocumentsFolder) {
    ScopedEnv env;
    env.Set("HOME", dir_.string());
    env.Set("XDG_CONFIG_HOME", (dir_ / "conf").string());
    EXPECT_EQ(GetPersonalFolder(), dir_.string() + "/Documents");
    fs::create_directories(dir_ / "conf");
    std::ofstream(dir_ / "conf" / "user-dirs.dirs") << "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                                        "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"\n";
    EXPECT_EQ(GetPersonalFolder(), dir_.string() + "/Dokumente");
}

TEST_F(OptionsTest, StartUpCreatesTheWorkingFolderAndReadsTheStore) {
    ScopedEnv env;
    env.Set("HOME", dir_.string());
    env.Set("XDG_CONFIG_HOME", (dir_ / "conf").string());
    env.Set("PELKO_REGISTRY", storePath_);
    PutInt("", "Sicherungskopien anlegen", 0);

    EXPECT_EQ(InitDefaultSettings(1000, 700), LoadSettingsResult::Done);
    EXPECT_TRUE(fs::is_directory(dir_ / "Documents" / "Meine Vokabeldateien"));
    EXPECT_EQ(Optionen.StandardArbeitsverzeichnis, dir_.string() + "/Documents/Meine Vokabeldateien/");
    EXPECT_FALSE(Optionen.Sicherungskopien);
    EXPECT_EQ(Optionen.Settings.HauptfensterBreite, 800);
    EXPECT_EQ(EmptyDocumentSnapshot.Fonts.TableFS, Optionen.SchriftFS);
    EXPECT_TRUE(dialogs_.Texts().empty());

    // What closing the main window writes, in the store the environment names.
    SaveSettings();
    std::ifstream in(storePath_);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string rootSection = "[HKEY_CURRENT_USER\\Software\\Pelko32]\n";
    const auto root = text.find(rootSection);
    ASSERT_NE(root, std::string::npos) << text;
    const auto nextSection = text.find("\n[", root + 1);
    const std::string rootValues = text.substr(root, nextSection - root);
    EXPECT_NE(rootValues.find("\"Pelko noch nie gestartet\"=dword:00000000"), std::string::npos) << rootValues;
    EXPECT_NE(rootValues.find("\"Sicherungskopien anlegen\"=dword:00000000"), std::string::npos) << rootValues;
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Pelko32\\Settings\\WTStrings]"), std::string::npos);

    // A file where the folder should be: a warning, and start-up goes on.
    fs::remove_all(dir_ / "Documents");
    std::ofstream(dir_ / "Documents") << "x";
    EXPECT_EQ(InitDefaultSettings(1000, 700), LoadSettingsResult::Done);
    EXPECT_EQ(dialogs_.Texts(),
              std::vector<std::string>{"Fehler: Kann das Standard-Arbeitsverzeichnis nicht anlegen"});
}
