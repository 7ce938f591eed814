#pragma once
// The general options dialog without its window: the values and enabled
// states of its controls, taken from the options record when the dialog is
// shown, the enabling rules of its controls, the checks of its fields and
// the taking of the values back into the record.

#include <functional>
#include <optional>
#include <string>

#include "documents/AppSettings.h"

namespace platform {
class DialogSeam;
}

// Pages by index.
constexpr int kDruckPage = 0;
constexpr int kAbfrPage = 1;
constexpr int kFilePage = 2;
constexpr int kEingPage = 3;
constexpr int kHangmPage = 4;
constexpr int kLernPage = 5;
constexpr int kOptionsPageCount = 6;

// Control names as the form names them; radio groups hold the chosen index.
struct OptionsDialogState {
    // Drucken
    SchriftartTyp BeispielLabel;  // the print font the sample shows
    bool VokAnzahlBox = false, VokNumber = false, GitterNetzBox = false, Descr_Box = false;
    bool UmbrechBox = false, VerkleinernBox = false;
    bool maxPtBox = false;  // else bisPasstBox
    std::string MaxPt;
    bool maxPtEnabled = false;  // maxPtBox, bisPasstBox, MaxPt and SpinButton1

    // Abfragen
    int AbfrRichtung = 0;
    bool ZufallBox = false, BisRichtig = false;
    bool wiederholen_direkt = false;  // else wiederholen_zufall
    bool WiederholenAnz = false, Tips = false, OptvorAbfr = false, GrossKlein = false, FUZZYBox = false;
    std::string Prozentangabe;
    bool MB_zulassen = false;
    int MB_Richtig = 0;
    bool CreateList = false, BeepOnErrorBox = false, BlinkOnErrorBox = false, AskForUserNameBox = false;
    std::string beep_name;
    bool wiederholen_zufallEnabled = false, wiederholen_direktEnabled = false, WiederholenAnzEnabled = false;
    bool GrossKleinEnabled = true, ProzentangabeEnabled = false, MB_RichtigEnabled = false;

    // Dateien...
    bool Ersetzen = false, Trennen = false, MakeSic = false, UseStdVerzBox = false, ChangeDirBox = false;
    std::string VerzName, Vorl_Verz;
    bool StartWithFileBox = false, StartWithWiz = false, restoreFilesBox = false, notify_schreibschutz1 = false;
    bool VerzNameEnabled = false;

    // Eingabe
    int zuerstAktiv = 0;
    bool Semikolon = false, Semikolon_language = false, Semikolon_languageEnabled = false;
    bool Enterwechselt = false, ShowDescBox = false, DescAtFirstSave = false, SearchAutoFuzzyBox = false;
    bool mwheel = false;

    // Hangman
    std::string HangmanFiles;
    bool AskFSBox = false, AskMSBox = false, AskFSBoxEnabled = true, AskMSBoxEnabled = true;
    bool OnlyFirst = false, ShowTransl = false, HangmBisRichtigBox = false, DoppelteBuchst = false;
    bool OptAtStart = false, UmlauteTrennenBox = false;

    // Lernen
    int LernArtBox = 0;
    bool EinzelneBedBox = false;
    int LernAnzBox = 3;  // 1 to 50
};

// What the checks need besides the message boxes.
struct OptionsChecks {
    platform::DialogSeam& dialogs;
    std::function<void()> beep;
};

// FormShow: the controls from the options, then the enabling rules once.
OptionsDialogState StateFromOptions(const OptionenTyp& options);
// "Arial, 10 Punkt".
std::string SampleCaption(const SchriftartTyp& font);

// Enabling rules, run when the user clicks the control.
void VerkleinernBoxClick(OptionsDialogState& s);
void MB_zulassenClick(OptionsDialogState& s);
void FUZZYBoxClick(OptionsDialogState& s);
void BisRichtigClick(OptionsDialogState& s);  // also for ZufallBox
void SemikolonClick(OptionsDialogState& s);
void AskFSBoxClick(OptionsDialogState& s);
void AskMSBoxClick(OptionsDialogState& s);
void UseStdVerzBoxClick(OptionsDialogState& s);

// The keys the number fields accept: digits, Backspace, Tab and Enter.
bool NumberFieldKeyAllowed(char key);
// A whole number as the runtime reads one; nothing for any other text.
std::optional<int> ParseWholeNumber(const std::string& text);

// The spin buttons of MaxPt: one down / up within 2 to 100.
void SpinButton1DownClick(OptionsDialogState& s, const OptionsChecks& checks);
void SpinButton1UpClick(OptionsDialogState& s, const OptionsChecks& checks);
// Leaving the fields: the messages of the checks.
void MaxPtExit(const OptionsDialogState& s, const OptionsChecks& checks);
void ProzentangabeExit(const OptionsDialogState& s, const OptionsChecks& checks);
// Appends the separator; false (after a warning) when the folder is missing.
bool VerzNameExit(OptionsDialogState& s, const OptionsChecks& checks);
bool Vorl_VerzExit(OptionsDialogState& s, const OptionsChecks& checks);
bool beep_nameExit(const OptionsDialogState& s, const OptionsChecks& checks);

enum class ApplyResult { Complete, Stopped };

// Uebernehmen: the controls into the options in the dialog's order; a failed
// check ends the taking there, and what was taken before stays taken.
ApplyResult ApplyState(OptionsDialogState& s, OptionenTyp& options, const OptionsChecks& checks);
// OK: true when the dialog may close (everything was taken).
bool OkClick(OptionsDialogState& s, OptionenTyp& options, const OptionsChecks& checks);
