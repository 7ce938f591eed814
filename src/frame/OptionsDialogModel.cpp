#include "frame/OptionsDialogModel.h"

#include <cstdlib>
#include <filesystem>

#include "platform/Dialogs.h"

namespace {

using platform::MsgDlgType;
using platform::mbOK;

constexpr const char* kBadMaxPt = "Ungültige Zahl im Eingabefeld \"Verkleinern um maximal...\" bei Drucken!";
constexpr const char* kNegativeMaxPt =
    "Die Zahl bei \"Verkleinern um maximal ... Punkt\" bei Drucken darf nicht negativ sein, dh. kein "
    "Minuszeichen enthalten.";
constexpr const char* kBadPercentOnExit = "Die Prozentangabe muß eine Zahl sein und darf keine Buchstaben enthalten.";
constexpr const char* kBadPercentOnApply =
    "Die Prozentangabe bei Abfragen muß eine ganze Zahl sein und darf keine Buchstaben enthalten.";
constexpr const char* kSoundMissing = "Sounddatei existiert nicht!";
constexpr const char* kWorkFolderMissing =
    "Das angegebene \"Standard-Verzeichnis für Vokabeldateien\" existiert nicht!";
constexpr const char* kTemplateFolderMissing = "Das angegebene \"Standard-Verzeichnis für Vorlagen\" existiert nicht!";

constexpr int kMaxPtLow = 2;
constexpr int kMaxPtHigh = 100;

void Beep(const OptionsChecks& checks) {
    if (checks.beep) checks.beep();
}

void Warn(const OptionsChecks& checks, const char* text) {
    Beep(checks);
    checks.dialogs.MessageDlg(text, MsgDlgType::Warning, mbOK);
}

void Error(const OptionsChecks& checks, const char* text) { checks.dialogs.MessageDlg(text, MsgDlgType::Error, mbOK); }

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool FolderExit(std::string& text, const OptionsChecks& checks, const char* warning) {
    if (text.empty() || text.back() != '/') text += '/';
    if (FolderExists(text)) return true;
    Warn(checks, warning);
    return false;
}

void SpinBy(OptionsDialogState& s, const OptionsChecks& checks, int step) {
    const std::optional<int> value = ParseWholeNumber(s.MaxPt);
    if (!value) {
        Error(checks, kBadMaxPt);
        return;
    }
    const int next = *value + step;
    if (next < kMaxPtLow || next > kMaxPtHigh) {
        Beep(checks);
    } else {
        s.MaxPt = std::to_string(next);
    }
    s.maxPtBox = true;
}

}  // namespace

std::string SampleCaption(const SchriftartTyp& font) {
    return font.Name.Get() + ", " + std::to_string(int32_t(font.Size)) + " Punkt";
}

OptionsDialogState StateFromOptions(const OptionenTyp& o) {
    const AbfrageOptionenTyp& q = o.Abfragen;
    const HangmanOptionenTyp& h = o.Hangman;
    OptionsDialogState s;
    s.BeispielLabel = o.DruckSchrift;
    s.VokAnzahlBox = o.AnzahlMitdrucken;
    s.VokNumber = o.VokabelnummernDrucken;
    s.GitterNetzBox = o.GitternetzDrucken;
    s.Descr_Box = o.BeschreibungMitdrucken;
    s.UmbrechBox = o.ZeilenumbruchWennZuLang;
    s.VerkleinernBox = o.SchriftVerkleinernWennZuLang;
    s.MaxPt = std::to_string(std::abs(int64_t(o.MaximalVerkleinernUm)));
    s.maxPtBox = o.MaximalVerkleinernUm > 0;

    s.AbfrRichtung = q.MutterspracheZuFremdsprache ? 0 : 1;
    s.ZufallBox = q.ZufaelligeReihenfolge;
    s.BisRichtig = q.WiederholenBisRichtig;
    s.wiederholen_direkt = q.BeiFalschDirektWiederholen;
    s.WiederholenAnz = q.KorrekteUebersetzungAnzeigen;
    s.Tips = q.TipsZulassen;
    s.OptvorAbfr = q.OptionenVorAbfragenAnzeigen;
    s.GrossKlein = q.GrossKleinIgnorieren;
    s.FUZZYBox = q.FuzzyLogic;
    s.Prozentangabe = std::to_string(q.RichtigAb);
    s.MB_zulassen = q.MehrereBedeutungen;
    s.MB_Richtig = q.AlleBedeutungenRichtig ? 0 : 1;
    s.CreateList = q.FehlerlisteErstellen;
    s.BeepOnErrorBox = q.BeepBeiFehler;
    s.beep_name = q.BeepFilename;
    s.BlinkOnErrorBox = q.BlinkeBeiFehler;
    s.AskForUserNameBox = q.AskForUsername;

    s.Ersetzen = o.DOSUmlauteErsetzen;
    s.Trennen = o.DOSBedeutungenTrennen;
    s.MakeSic = o.Sicherungskopien;
    s.UseStdVerzBox = o.StandardArbeitsverzeichnisNutzen;
    s.VerzName = o.StandardArbeitsverzeichnis;
    s.Vorl_Verz = o.Settings.VorlagenVerzeichnis;
    s.ChangeDirBox = o.VerzeichnisAutomatischWechseln;
    s.StartWithFileBox = o.BeimStartLeereDatei;
    s.StartWithWiz = o.Settings.ShowWizAtStartUp;
    s.restoreFilesBox = o.Settings.ReopenLastFiles;
    s.notify_schreibschutz1 = o.Settings.HinweisBeiSchreibschutz;

    s.zuerstAktiv = o.FremdspracheZuerstAktiv ? 0 : 1;
    s.Semikolon = o.SemikolonNaechstesFeld;
    s.Semikolon_language = o.NurSelbeSprache;
    s.Enterwechselt = o.EnterWechseltFSMS;
    s.ShowDescBox = o.BeschreibungImFensterZeigen;
    s.DescAtFirstSave = o.BeschreibungBeimErstenSpeichern;
    s.SearchAutoFuzzyBox = o.Settings.SearchAutoFuzzy;
    s.mwheel = o.Settings.DisableMouseWheel;

    s.HangmanFiles = h.Dateinamenbeginn;
    s.AskFSBox = h.FremdspracheFragen;
    s.AskMSBox = h.MutterspracheFragen;
    s.OnlyFirst = h.NurErsteBedeutung;
    s.ShowTransl = h.UebersetzungAnzeigen;
    s.HangmBisRichtigBox = h.FragenBisRichtig;
    s.DoppelteBuchst = h.DoppelteBuchstabenFalsch;
    s.OptAtStart = h.OptionenBeimStarten;
    s.UmlauteTrennenBox = h.UmlauteTrennen;

    s.LernArtBox = q.LernModus;
    s.EinzelneBedBox = q.EinzelneBedeutungenLernen;
    s.LernAnzBox = q.WiederholungsAnzahl;

    VerkleinernBoxClick(s);
    MB_zulassenClick(s);
    FUZZYBoxClick(s);
    BisRichtigClick(s);
    UseStdVerzBoxClick(s);
    s.Semikolon_languageEnabled = o.SemikolonNaechstesFeld;
    AskFSBoxClick(s);
    AskMSBoxClick(s);
    return s;
}

void VerkleinernBoxClick(OptionsDialogState& s) { s.maxPtEnabled = s.VerkleinernBox; }

void MB_zulassenClick(OptionsDialogState& s) { s.MB_RichtigEnabled = s.MB_zulassen; }

void FUZZYBoxClick(OptionsDialogState& s) {
    s.ProzentangabeEnabled = s.FUZZYBox;
    if (s.FUZZYBox) s.GrossKlein = true;
    s.GrossKleinEnabled = !s.FUZZYBox;
}

void BisRichtigClick(OptionsDialogState& s) {
    s.wiederholen_zufallEnabled = s.BisRichtig && s.ZufallBox;
    if (!s.ZufallBox) s.wiederholen_direkt = true;
    s.wiederholen_direktEnabled = s.BisRichtig;
    s.WiederholenAnzEnabled = s.BisRichtig;
}

void SemikolonClick(OptionsDialogState& s) {
    s.Semikolon_languageEnabled = s.Semikolon;
    s.Semikolon_language = false;
}

void AskFSBoxClick(OptionsDialogState& s) {
    if (!s.AskFSBox) s.AskMSBox = true;
    s.AskMSBoxEnabled = s.AskFSBox;
}

void AskMSBoxClick(OptionsDialogState& s) {
    if (!s.AskMSBox) s.AskFSBox = true;
    s.AskFSBoxEnabled = s.AskMSBox;
}

void UseStdVerzBoxClick(OptionsDialogState& s) { s.VerzNameEnabled = s.UseStdVerzBox; }

bool NumberFieldKeyAllowed(char key) { return (key >= '0' && key <= '9') || key == 8 || key == 9 || key == 13; }

std::optional<int> ParseWholeNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + (negative ? 1 : 0)) return std::nullopt;
    }
    return int(negative ? -value : value);
}

void SpinButton1DownClick(OptionsDialogState& s, const OptionsChecks& checks) { SpinBy(s, checks, -1); }

void SpinButton1UpClick(OptionsDialogState& s, const OptionsChecks& checks) { SpinBy(s, checks, +1); }

void MaxPtExit(const OptionsDialogState& s, const OptionsChecks& checks) {
    const std::optional<int> value = ParseWholeNumber(s.MaxPt);
    if (!value) {
        Error(checks, kBadMaxPt);
    } else if (*value < 0) {
        Error(checks, kNegativeMaxPt);
    }
}

void ProzentangabeExit(const OptionsDialogState& s, const OptionsChecks& checks) {
    if (!ParseWholeNumber(s.Prozentangabe)) Error(checks, kBadPercentOnExit);
}

bool VerzNameExit(OptionsDialogState& s, const OptionsChecks& checks) {
    return FolderExit(s.VerzName, checks, kWorkFolderMissing);
}

bool Vorl_VerzExit(OptionsDialogState& s, const OptionsChecks& checks) {
    return FolderExit(s.Vorl_Verz, checks, kTemplateFolderMissing);
}

bool beep_nameExit(const OptionsDialogState& s, const OptionsChecks& checks) {
    if (FileExists(s.beep_name)) return true;
    Warn(checks, kSoundMissing);
    return false;
}

ApplyResult ApplyState(OptionsDialogState& s, OptionenTyp& o, const OptionsChecks& checks) {
    AbfrageOptionenTyp& q = o.Abfragen;
    HangmanOptionenTyp& h = o.Hangman;

    // 1. Printing. All six boxes of the page are taken.
    o.DruckSchrift = s.BeispielLabel;
    o.AnzahlMitdrucken = s.VokAnzahlBox;
    o.VokabelnummernDrucken = s.VokNumber;
    o.GitternetzDrucken = s.GitterNetzBox;
    o.BeschreibungMitdrucken = s.Descr_Box;
    o.ZeilenumbruchWennZuLang = s.UmbrechBox;
    o.SchriftVerkleinernWennZuLang = s.VerkleinernBox;
    const std::optional<int> maxPt = ParseWholeNumber(s.MaxPt);
    if (!maxPt) {
        checks.dialogs.ShowException("'" + s.MaxPt + "' ist kein gültiger Integerwert");
        return ApplyResult::Stopped;
    }
    o.MaximalVerkleinernUm = s.maxPtBox ? *maxPt : -*maxPt;

    // 2. Quiz.
    q.MutterspracheZuFremdsprache = s.AbfrRichtung == 0;
    q.ZufaelligeReihenfolge = s.ZufallBox;
    q.WiederholenBisRichtig = s.BisRichtig;
    q.BeiFalschDirektWiederholen = s.wiederholen_direkt;
    q.KorrekteUebersetzungAnzeigen = s.WiederholenAnz;
    q.TipsZulassen = s.Tips;
    q.OptionenVorAbfragenAnzeigen = s.OptvorAbfr;
    q.GrossKleinIgnorieren = s.GrossKlein;
    q.FuzzyLogic = s.FUZZYBox;
    q.MehrereBedeutungen = s.MB_zulassen;
    q.AlleBedeutungenRichtig = s.MB_Richtig == 0;
    q.FehlerlisteErstellen = s.CreateList;
    q.BlinkeBeiFehler = s.BlinkOnErrorBox;
    q.BeepBeiFehler = s.BeepOnErrorBox;
    q.BeepFilename = s.beep_name;
    if (s.BeepOnErrorBox && !FileExists(s.beep_name)) {
        Warn(checks, kSoundMissing);
        return ApplyResult::Stopped;
    }

    // 3. The percentage keeps its value when the field holds no number.
    if (const std::optional<int> percent = ParseWholeNumber(s.Prozentangabe)) {
        q.RichtigAb = *percent;
    } else {
        Error(checks, kBadPercentOnApply);
    }

    // 4.
    q.AskForUsername = s.AskForUserNameBox;
    q.LernModus = uint8_t(s.LernArtBox);
    q.EinzelneBedeutungenLernen = s.EinzelneBedBox;
    q.WiederholungsAnzahl = uint8_t(s.LernAnzBox);
    o.DOSUmlauteErsetzen = s.Ersetzen;
    o.DOSBedeutungenTrennen = s.Trennen;
    o.StandardArbeitsverzeichnisNutzen = s.UseStdVerzBox;
    o.VerzeichnisAutomatischWechseln = s.ChangeDirBox;

    // 5.
    if (s.UseStdVerzBox && !VerzNameExit(s, checks)) return ApplyResult::Stopped;

    // 6.
    o.StandardArbeitsverzeichnis = s.VerzName;
    o.Sicherungskopien = s.MakeSic;
    o.Settings.VorlagenVerzeichnis = s.Vorl_Verz;
    o.Settings.HinweisBeiSchreibschutz = s.notify_schreibschutz1;
    o.Settings.ShowWizAtStartUp = s.StartWithWiz;
    o.BeimStartLeereDatei = s.StartWithFileBox;
    o.Settings.ReopenLastFiles = s.restoreFilesBox;
    o.FremdspracheZuerstAktiv = s.zuerstAktiv == 0;
    o.SemikolonNaechstesFeld = s.Semikolon_languageEnabled;
    o.NurSelbeSprache = s.Semikolon_language;
    o.EnterWechseltFSMS = s.Enterwechselt;
    o.BeschreibungImFensterZeigen = s.ShowDescBox;
    o.BeschreibungBeimErstenSpeichern = s.DescAtFirstSave;
    o.Settings.SearchAutoFuzzy = s.SearchAutoFuzzyBox;
    o.Settings.DisableMouseWheel = s.mwheel;
    h.Dateinamenbeginn = s.HangmanFiles;
    h.FremdspracheFragen = s.AskFSBox;
    h.MutterspracheFragen = s.AskMSBox;
    h.NurErsteBedeutung = s.OnlyFirst;
    h.UebersetzungAnzeigen = s.ShowTransl;
    h.FragenBisRichtig = s.HangmBisRichtigBox;
    h.DoppelteBuchstabenFalsch = s.DoppelteBuchst;
    h.OptionenBeimStarten = s.OptAtStart;
    h.UmlauteTrennen = s.UmlauteTrennenBox;
    return ApplyResult::Complete;
}

bool OkClick(OptionsDialogState& s, OptionenTyp& options, const OptionsChecks& checks) {
    if (s.UseStdVerzBox && !VerzNameExit(s, checks)) return false;
    // A failed sound check stops the taking too; closing then would lose
    // every change of the later pages.
    return ApplyState(s, options, checks) == ApplyResult::Complete;
}
