// The options record: defaults, and its storage in the registry.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "documents/AppSettings.h"
#include "documents/AppTools.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"

OptionenTyp Optionen;

namespace {

using platform::MsgDlgType;

const std::string kRootKey = "\\Software\\Pelko32";

std::string SubKey(const std::string& name) {
    return kRootKey + "\\" + name;
}

SchriftartTyp DefaultFont(const char* name, int32_t size, uint32_t color) {
    SchriftartTyp font;
    font.Name.Set(name);
    font.Size = size;
    font.Color = color;
    return font;
}

void ShowError(const std::string& text) {
    platform::Dialogs().MessageDlg(text, MsgDlgType::Error, platform::mbOK);
}

std::string StripTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The groups name every value once; the same walk reads and writes them, so
// reading and writing can never disagree on a name. V provides Bool, Int,
// Byte, Path (file names, UTF-8 already), Text (code-page bytes), Font and
// WordPart.

template <typename V>
void VisitRoot(V& v, OptionenTyp& o) {
    v.Bool("Pelko noch nie gestartet", o.NochNieGestartet);
    v.Bool("Bei Enter zwischen FS und MS wechseln", o.EnterWechseltFSMS);
    v.Bool("Fremdsprache zuerst aktiv", o.FremdspracheZuerstAktiv);
    v.Bool("Bei Semikolon nächste Zeile aktivieren", o.SemikolonNaechstesFeld);
    v.Bool("nur innerhalb der selben Sprache", o.NurSelbeSprache);
    v.Bool("Vokabel bei Vorheriges speichern", o.BeiVorherigesSpeichern);
    v.Bool("DOS-Umlaute ersetzen", o.DOSUmlauteErsetzen);
    v.Bool("DOS-Bedeutungen trennen", o.DOSBedeutungenTrennen);
    v.Path("Standard-Arbeitsverzeichnis", o.StandardArbeitsverzeichnis);
    v.Bool("Standard-Arbeitsverzeichnis nutzen", o.StandardArbeitsverzeichnisNutzen);
    v.Bool("Verzeichnis automatisch wechseln", o.VerzeichnisAutomatischWechseln);
    v.Bool("Beschreibung im Fenster zeigen", o.BeschreibungImFensterZeigen);
    v.Bool("Beschreibung beim 1. Speichern anzeigen", o.BeschreibungBeimErstenSpeichern);
    v.Bool("Sicherungskopien anlegen", o.Sicherungskopien);
    v.Bool("Beim Start leere Datei öffnen", o.BeimStartLeereDatei);
}

template <typename V>
void VisitAbfragen(V& v, OptionenTyp& o) {
    AbfrageOptionenTyp& a = o.Abfragen;
    v.Bool("Muttersprache --> Fremdsprache", a.MutterspracheZuFremdsprache);
    v.Bool("Zufällige Reihenfolge", a.ZufaelligeReihenfolge);
    v.Bool("Wiederholen bis richtig", a.WiederholenBisRichtig);
    v.Bool("bei Falsch direkt wiederholen", a.BeiFalschDirektWiederholen);
    v.Bool("Beim Wiederholen korrekte Übersetzung anzeigen", a.KorrekteUebersetzungAnzeigen);
    v.Bool("Tips zulassen", a.TipsZulassen);
    v.Bool("Optionen vor Abfragen anzeigen", a.OptionenVorAbfragenAnzeigen);
    v.Bool("Groß- und Kleinschreibung ignorieren", a.GrossKleinIgnorieren);
    v.Bool("Fuzzy-Logic verwenden", a.FuzzyLogic);
    v.Int("Richtig ab", a.RichtigAb);
    v.Bool("Mehrere Bedeutungen zulassen", a.MehrereBedeutungen);
    v.Bool("Bei mehreren Bedeutungen müssen alle Richtig sein", a.AlleBedeutungenRichtig);
    v.Bool("Fehlerliste erstellen", a.FehlerlisteErstellen);
    v.Bool("Beep bei Fehler", a.BeepBeiFehler);
    v.Bool("Blinke bei Fehler", a.BlinkeBeiFehler);
    v.Byte("Lern-Modus", a.LernModus);
    v.Bool("Einzelne Bedeutungen lernen", a.EinzelneBedeutungenLernen);
    v.Byte("Wiederholungs-Anzahl beim Lernen", a.WiederholungsAnzahl);
    v.Path("Beep-Filename", a.BeepFilename);
    v.Bool("Ask For Username", a.AskForUsername);
}

template <typename V>
void VisitHangman(V& v, OptionenTyp& o) {
    HangmanOptionenTyp& h = o.Hangman;
    v.Path("Hangman-Dateinamenbeginn", h.Dateinamenbeginn);
    v.Bool("Fremdsprache fragen", h.FremdspracheFragen);
    v.Bool("Muttersprache fragen", h.MutterspracheFragen);
    v.Bool("nur erste Bedeutung fragen", h.NurErsteBedeutung);
    v.Bool("Übersetzung anzeigen", h.UebersetzungAnzeigen);
    v.Bool("Fragen bis richtig", h.FragenBisRichtig);
    v.Bool("Doppelte Buchstaben sind falsch", h.DoppelteBuchstabenFalsch);
    v.Bool("Optionen beim Starten anzeigen", h.OptionenBeimStarten);
    v.Bool("Umlaute trennen", h.UmlauteTrennen);
}

template <typename V>
void VisitDrucken(V& v, OptionenTyp& o) {
    v.Bool("Anzahl mitdrucken", o.AnzahlMitdrucken);
    v.Bool("Vokabelnummern drucken", o.VokabelnummernDrucken);
    v.Bool("Gitternetz drucken", o.GitternetzDrucken);
    v.Bool("Zeilenumbruch, wenn zu lang", o.ZeilenumbruchWennZuLang);
    v.Bool("Schriftart Verkleinern, wenn zu lang", o.SchriftVerkleinernWennZuLang);
    v.Bool("Beschreibung mitdrucken", o.BeschreibungMitdrucken);
    v.Int("Maximal verkleinern um", o.MaximalVerkleinernUm);
    v.Font("", o.DruckSchrift);
    v.Font("MS-", o.DruckSchriftMS);
    v.Font("FS-", o.DruckSchriftFS);
}

template <typename V>
void VisitSortieren(V& v, OptionenTyp& o) {
    v.Bool("Umlaute umwandeln", o.UmlauteUmwandeln);
}

template <typename V>
void VisitSettings(V& v, OptionenTyp& o) {
    SettingsTyp& s = o.Settings;
    v.Int("LastGotoNr", s.LastGotoNr);
    v.Bool("Search in FS", s.SearchInFS);
    v.Bool("Search in MS", s.SearchInMS);
    v.Bool("Search Teil", s.SearchTeil);
    v.Bool("Alle Treffer zeigen", s.AlleTrefferZeigen);
    v.Bool("Bei Suchen in Liste alle Treffer zeigen", s.ListeAlleTrefferZeigen);
    v.Bool("Groß- und Kleinschreibung ignorieren", s.SucheGrossKleinIgnorieren);
    v.Bool("Search Auto-Fuzzy", s.SearchAutoFuzzy);
    v.Int("Hauptfenster-Status", s.HauptfensterStatus);
    v.Int("Hauptfenster-Höhe", s.HauptfensterHoehe);
    v.Int("Hauptfenster-Breite", s.HauptfensterBreite);
    v.Int("Hauptfenster X-Pos", s.HauptfensterX);
    v.Int("Hauptfenster Y-Pos", s.HauptfensterY);
    v.Bool("Menüaufruf ermöglichen", s.MenueaufrufErmoeglichen);
    v.Text("Letztes Sonderzeichen", s.LetztesSonderzeichen);
    for (std::size_t n = 1; n <= s.LastFiles.size(); ++n) {
        v.Path("LastFile" + std::to_string(n), s.LastFiles[n - 1]);
    }
    v.Path("Vorlagen-Verzeichnis", s.VorlagenVerzeichnis);
    v.Bool("ShowWizAtStartUp", s.ShowWizAtStartUp);
    v.Bool("WizOpensEdit", s.WizOpensEdit);
    v.Bool("Reopen_last_files", s.ReopenLastFiles);
    for (std::size_t n = 1; n <= s.OpenFilesAtExit.size(); ++n) {
        v.Path("OpenFilesAtExit_" + std::to_string(n), s.OpenFilesAtExit[n - 1]);
    }
    v.Int("LastWizPage", s.LastWizPage);
    v.Bool("Hinweis bei Schreibschutz", s.HinweisBeiSchreibschutz);
    v.Bool("Disable Mouse Wheel", s.DisableMouseWheel);
}

template <typename V>
void VisitSchriftarten(V& v, OptionenTyp& o) {
    v.Bool("MS-FS-Fonts in Tabellenkopf", o.MSFSFontsInTabellenkopf);
    v.Font("MS-", o.SchriftMS);
    v.Font("FS-", o.SchriftFS);
    v.Font("Tab-", o.SchriftTab);
}

template <typename V>
void VisitWTStrings(V& v, OptionenTyp& o) {
    SettingsTyp& s = o.Settings;
    for (std::size_t n = 1; n <= s.Wortteile.size(); ++n) {
        v.WordPart("String No " + std::to_string(n), s.Wortteile[n - 1]);
    }
    v.Bool("Allgem. Ignorieren", s.AllgemIgnorieren);
    v.Bool("Klammer Ignorieren", s.KlammerIgnorieren);
    v.Bool("Wortteile ignorieren", s.WortteileIgnorieren);
    v.Bool("Ignorieren, wenn vergessen", s.IgnorierenWennVergessen);
    v.Bool("Ignorieren, wenn zu viel", s.IgnorierenWennZuViel);
}

// Reads the values of the open key; a missing value leaves its field alone,
// a value of another kind throws.
class Reader {
public:
    explicit Reader(platform::TRegistry& r) : r_(r) {}

    void Bool(const std::string& name, bool& field) {
        if (r_.ValueExists(name)) field = r_.ReadBool(name);
    }
    void Int(const std::string& name, int32_t& field) {
        if (r_.ValueExists(name)) field = r_.ReadInteger(name);
    }
    void Byte(const std::string& name, uint8_t& field) {
        if (r_.ValueExists(name)) field = uint8_t(r_.ReadInteger(name) & 0xFF);
    }
    void Path(const std::string& name, std::string& field) {
        if (r_.ValueExists(name)) field = r_.ReadString(name);
    }
    void Text(const std::string& name, std::string& field) {
        if (r_.ValueExists(name)) field = CodePageText(name);
    }
    void WordPart(const std::string& name, ShortString<30>& field) {
        if (r_.ValueExists(name)) field.Set(CodePageText(name));
    }
    void Font(const std::string& prefix, SchriftartTyp& font) {
        if (r_.ValueExists(prefix + "Font-Name")) font.Name.Set(CodePageText(prefix + "Font-Name"));
        if (r_.ValueExists(prefix + "Font-Size")) font.Size = r_.ReadInteger(prefix + "Font-Size");
        Byte(prefix + "Font-Style", font.Style);
        if (r_.ValueExists(prefix + "Font-Color")) font.Color = uint32_t(r_.ReadInteger(prefix + "Font-Color"));
    }

private:
    std::string CodePageText(const std::string& name) {
        auto bytes = platform::Utf8ToBytes(platform::CodePage::Cp1252, r_.ReadString(name));
        if (!bytes) throw platform::ERegistryException("value " + name + " has no Windows-1252 form");
        return *bytes;
    }

    platform::TRegistry& r_;
};

class Writer {
public:
    explicit Writer(platform::TRegistry& r) : r_(r) {}

    void Bool(const std::string& name, bool& field) { r_.WriteBool(name, field); }
    void Int(const std::string& name, int32_t& field) { r_.WriteInteger(name, field); }
    void Byte(const std::string& name, uint8_t& field) { r_.WriteInteger(name, field); }
    void Path(const std::string& name, std::string& field) { r_.WriteString(name, field); }
    void Text(const std::string& name, std::string& field) { r_.WriteString(name, Utf8(field)); }
    // A cleared word part is written empty, so that it stays cleared and
    // the default does not come back at the next start.
    void WordPart(const std::string& name, ShortString<30>& field) {
        const std::string text = field.Get();
        r_.WriteString(name, TrimCopy(text).empty() ? std::string() : Utf8(text));
    }
    void Font(const std::string& prefix, SchriftartTyp& font) {
        r_.WriteString(prefix + "Font-Name", Utf8(font.Name.Get()));
        r_.WriteInteger(prefix + "Font-Size", font.Size);
        r_.WriteInteger(prefix + "Font-Style", font.Style & 0x0F);
        r_.WriteInteger(prefix + "Font-Color", int32_t(font.Color));
    }

private:
    static std::string Utf8(const std::string& bytes) {
        return platform::BytesToUtf8(platform::CodePage::Cp1252, bytes);
    }

    platform::TRegistry& r_;
};

struct Group {
    const char* key;
    const char* readMessage;
    const char* writeMessage;
    // A missing key of this group ends reading; later groups keep defaults.
    bool stopWhenMissing;
    // Read only when the group before it was read.
    bool afterPrevious;
    void (*read)(Reader&, OptionenTyp&);
    void (*write)(Writer&, OptionenTyp&);
};

const Group kGroups[] = {
    {"Abfragen", "Fehler beim Lesen der Abfrageoptionen aus der Registry.",
     "Fehler beim Schreiben der Abfrageoptionen in die Registry.", false, false, VisitAbfragen<Reader>,
     VisitAbfragen<Writer>},
    {"Hangman", "Fehler beim Lesen der Hangman-Optionen aus der Registry.",
     "Fehler beim Schreiben der Hangman-Optionen in die Registry.", false, false, VisitHangman<Reader>,
     VisitHangman<Writer>},
    {"Drucken", "Fehler beim Lesen der Druckoptionen aus der Registry.",
     "Fehler beim Schreiben der Druck-Optionen in die Registry.", true, false, VisitDrucken<Reader>,
     VisitDrucken<Writer>},
    {"Sortieren", "Fehler beim Lesen der Sortier-Optionen aus der Registry.",
     "Fehler beim Schreiben der Sortier-Optionen in die Registry.", true, true, VisitSortieren<Reader>,
     VisitSortieren<Writer>},
    {"Settings", "Fehler beim Lesen der internen Settings aus der Registry.",
     "Fehler beim Schreiben der internen Settings in die Registry.", true, false, VisitSettings<Reader>,
     VisitSettings<Writer>},
    {"Schriftarten", "Fehler beim Lesen der Schriftarten aus der Registry.",
     "Fehler beim Schreiben der Schriftarten in die Registry.", true, false, VisitSchriftarten<Reader>,
     VisitSchriftarten<Writer>},
    {"Settings\\WTStrings", "Fehler beim Lesen der Wortteil-Logik-Einstellungen aus der Registry.",
     "Fehler beim Schreiben der Wortteil-Logik-Einstellungen in die Registry.", true, false,
     VisitWTStrings<Reader>, VisitWTStrings<Writer>},
};

enum class GroupKey { Opened, Missing, Skipped, Abort };

GroupKey OpenGroupForReading(OptionsRegistry& registry, const Group& group) {
    const std::string key = SubKey(group.key);
    if (!registry.Registry().KeyExists(key)) {
        return GroupKey::Missing;
    }
    while (!registry.OpenKey(key, false)) {
        switch (platform::Dialogs().MessageDlg(group.readMessage, MsgDlgType::Error, platform::mbAbortRetryIgnore)) {
            case platform::ModalResult::Abort: return GroupKey::Abort;
            case platform::ModalResult::Retry: break;
            default: return GroupKey::Skipped;  // Ignore, or the box was closed
        }
    }
    return GroupKey::Opened;
}

LoadSettingsResult ReadGroups(OptionsRegistry& registry, OptionenTyp& options) {
    platform::TRegistry& r = registry.Registry();
    if (!r.KeyExists(kRootKey)) {
        return LoadSettingsResult::Done;
    }
    if (!registry.OpenKey(kRootKey, false)) {
        ShowError("Fehler beim Lesen der Optionen aus der Registry.");
        return LoadSettingsResult::Done;
    }
    Reader reader(r);
    VisitRoot(reader, options);
    bool previousRead = true;
    for (const Group& group : kGroups) {
        if (group.afterPrevious && !previousRead) {
            continue;
        }
        previousRead = false;
        switch (OpenGroupForReading(registry, group)) {
            case GroupKey::Abort: return LoadSettingsResult::Abort;
            case GroupKey::Missing:
                if (group.stopWhenMissing) return LoadSettingsResult::Done;
                break;
            case GroupKey::Skipped: break;
            case GroupKey::Opened:
                group.read(reader, options);
                previousRead = true;
                break;
        }
    }
    return LoadSettingsResult::Done;
}

void WriteGroups(OptionsRegistry& registry, OptionenTyp& options) {
    platform::TRegistry& r = registry.Registry();
    if (!registry.OpenKey(kRootKey, true)) {
        ShowError("Fehler beim Schreiben der Registry.");
        return;
    }
    Writer writer(r);
    options.NochNieGestartet = false;
    VisitRoot(writer, options);
    for (const Group& group : kGroups) {
        if (!registry.OpenKey(SubKey(group.key), true)) {
            ShowError(group.writeMessage);
            return;
        }
        if (std::string(group.key) == "Settings") {
            r.WriteString("Last WorkingDir", platform::ProgramFolder());
            r.WriteString("Last started Version of Pelko32", "Version 2.93");
        }
        group.write(writer, options);
    }
    r.CloseKey();
}

}  // namespace

bool OptionsRegistry::OpenKey(const std::string& key, bool canCreate) {
    return registry_.OpenKey(key, canCreate);
}

void SetDefaultOptions(OptionenTyp& o, const StartEnvironment& env) {
    o = OptionenTyp{};
    o.StandardArbeitsverzeichnis = env.PersonalFolder + "/Meine Vokabeldateien/";
    o.SchriftMS = DefaultFont("Times New Roman", 12, 0x008000);
    o.SchriftFS = DefaultFont("Times New Roman", 12, 0x000080);
    o.SchriftTab = DefaultFont("Times New Roman", 12, 0x800000);
    o.Abfragen.BeepFilename = env.ProgramFolder + "Sounds/Bong2.wav";
    o.Hangman.Dateinamenbeginn = env.ProgramFolder + "Hangman-Bilder/Hangman Classic.thm";
    o.DruckSchrift = DefaultFont("Arial", 10, 0);
    o.DruckSchriftMS = o.DruckSchrift;
    o.DruckSchriftFS = o.DruckSchrift;
    o.Settings.Wortteile[0].Set("to");
    o.Settings.HauptfensterHoehe = env.ScreenHeight - 100;
    o.Settings.HauptfensterBreite = env.ScreenWidth - 200;
    o.Settings.VorlagenVerzeichnis = env.ProgramFolder + "Vorlagen";
}

void BuildEmptyRecords(const OptionenTyp& defaults) {
    BlankEntry = VokabelTyp{};
    UndodataTyp& s = EmptyDocumentSnapshot;
    s = UndodataTyp{};
    std::fill(s.Entries.begin() + 1, s.Entries.end(), BlankEntry);
    s.Fonts.TableMS = defaults.SchriftMS;
    s.Fonts.TableFS = defaults.SchriftFS;
    s.Fonts.TableHeader = defaults.SchriftTab;
    s.Fonts.PrintMS = defaults.DruckSchriftMS;
    s.Fonts.PrintFS = defaults.DruckSchriftFS;
    s.Fonts.Print = defaults.DruckSchrift;
    s.Fonts.HeaderFonts = defaults.MSFSFontsInTabellenkopf ? 1 : 0;
    s.Fonts.Present = 0;
}

std::string GetPersonalFolder() {
    const char* homeEnv = std::getenv("HOME");
    if (homeEnv == nullptr || *homeEnv == 0) {
        return StripTrailingSlash(platform::ProgramFolder());
    }
    const std::string home = StripTrailingSlash(homeEnv);
    const char* configEnv = std::getenv("XDG_CONFIG_HOME");
    const std::string config = configEnv != nullptr && *configEnv != 0 ? configEnv : home + "/.config";
    // The line the desktop writes: XDG_DOCUMENTS_DIR="$HOME/Dokumente"
    std::ifstream dirs(config + "/user-dirs.dirs");
    const std::string prefix = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(dirs, line);) {
        if (line.compare(0, prefix.size(), prefix) != 0 || line.size() < prefix.size() + 1 || line.back() != '"') {
            continue;
        }
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.compare(0, 5, "$HOME") == 0) {
            value = home + value.substr(5);
        }
        if (!value.empty() && value[0] == '/') {
            return StripTrailingSlash(value);
        }
    }
    return home + "/Documents";
}

LoadSettingsResult LoadSettings(OptionsRegistry& registry, OptionenTyp& options) {
    try {
        return ReadGroups(registry, options);
    } catch (const std::exception&) {
        ShowError("Exception beim Auslesen der Standardeinstellungen aus der Registry.");
        return LoadSettingsResult::Done;
    }
}

void SaveSettings(OptionsRegistry& registry, const OptionenTyp& options) {
    OptionenTyp copy = options;
    try {
        WriteGroups(registry, copy);
    } catch (const std::exception&) {
        ShowError("Exception beim Schreiben der Standardeinstellungen in die Registry.");
    }
}

LoadSettingsResult LoadSettings() {
    try {
        platform::TRegistry registry;
        OptionsRegistry options(registry);
        return LoadSettings(options, Optionen);
    } catch (const std::exception&) {
        ShowError("Exception beim Auslesen der Standardeinstellungen aus der Registry.");
        return LoadSettingsResult::Done;
    }
}

void SaveSettings() {
    try {
        platform::TRegistry registry;
        OptionsRegistry options(registry);
        SaveSettings(options, Optionen);
    } catch (const std::exception&) {
        ShowError("Exception beim Schreiben der Standardeinstellungen in die Registry.");
    }
}

LoadSettingsResult InitDefaultSettings(int32_t screenWidth, int32_t screenHeight) {
    StartEnvironment env;
    env.PersonalFolder = GetPersonalFolder();
    env.ProgramFolder = platform::ProgramFolder();
    env.ScreenWidth = screenWidth;
    env.ScreenHeight = screenHeight;
    SetDefaultOptions(Optionen, env);

    std::error_code error;
    std::filesystem::create_directories(Optionen.StandardArbeitsverzeichnis, error);
    if (error && error != std::errc::file_exists) {
        platform::Dialogs().MessageDlg("Fehler: Kann das Standard-Arbeitsverzeichnis nicht anlegen",
                                       MsgDlgType::Warning, platform::mbOK);
    }
    BuildEmptyRecords(Optionen);
    return LoadSettings();
}
