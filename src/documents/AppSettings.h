#pragma once
// The records every part of the main program exchanges, the internal entry
// clipboard, row marks, font records, the similarity measure, caron
// composition and the options record. The record layouts are the on-disk
// layouts of the vocabulary and template files, so they are byte-exact.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "documents/LittleEndian.h"
#include "documents/ShortString.h"

// One entry. Fields are numbered 1 to 7: FS1, FS2, MS1 to MS5.
struct VokabelTyp {
    ShortString<50> FS1;
    ShortString<50> FS2;
    ShortString<50> MS1;
    ShortString<50> MS2;
    ShortString<50> MS3;
    ShortString<50> MS4;
    ShortString<50> MS5;
    uint8_t InUse = 0;  // 0 = empty row
    LE16 Reserve;  // carried along, never interpreted

    // Field k (1 to 7); any other k names field 1.
    ShortString<50>& Field(int k);
    const ShortString<50>& Field(int k) const;

    bool operator==(const VokabelTyp&) const = default;
};

// Same layout: the seven captions, or the file header (magic text in FS1,
// description pieces in MS1 to MS5, InUse 1, format version in Reserve).
using SpaltennamenTyp = VokabelTyp;
using DateiKopfTyp = VokabelTyp;

// Font style bits.
constexpr uint8_t fsBold = 1;
constexpr uint8_t fsItalic = 2;
constexpr uint8_t fsUnderline = 4;
constexpr uint8_t fsStrikeOut = 8;

struct SchriftartTyp {
    ShortString<32> Name;
    uint8_t Filler1[3] = {};
    LE32 Color;  // 0x00BBGGRR
    uint8_t Style = 0;
    uint8_t Filler2[3] = {};
    LEInt32 Size;  // points
    uint8_t Charset = 0;  // 0 ANSI, 238 Central European

    friend bool operator==(const SchriftartTyp& a, const SchriftartTyp& b) {
        return a.Name == b.Name && uint32_t(a.Color) == uint32_t(b.Color) && a.Style == b.Style &&
               int32_t(a.Size) == int32_t(b.Size) && a.Charset == b.Charset;
    }
};

// The form of files of formats 12 to 14: the same without Charset.
struct SchriftartAltTyp {
    ShortString<32> Name;
    uint8_t Filler1[3] = {};
    LE32 Color;
    uint8_t Style = 0;
    uint8_t Filler2[3] = {};
    LEInt32 Size;
};

struct SchriftartenTyp {
    SchriftartTyp TableMS;      // grid cells, mother-tongue columns
    SchriftartTyp TableFS;      // grid cells, foreign-language columns
    SchriftartTyp TableHeader;  // header row and row numbers
    SchriftartTyp PrintMS;
    SchriftartTyp PrintFS;
    SchriftartTyp Print;
    uint8_t HeaderFonts = 0;  // header captions in TableFS/TableMS
    uint8_t Present = 0;      // read from a file that carries a font block

    bool operator==(const SchriftartenTyp&) const = default;
};

// A font of a block, named by its field.
using FontPlace = SchriftartTyp SchriftartenTyp::*;
inline constexpr FontPlace kFontPlaces[] = {&SchriftartenTyp::TableMS, &SchriftartenTyp::TableFS,
                                            &SchriftartenTyp::TableHeader, &SchriftartenTyp::PrintMS,
                                            &SchriftartenTyp::PrintFS, &SchriftartenTyp::Print};

// Byte r-1 is row r.
struct MarkierungTyp {
    uint8_t Marked[500] = {};
    LE16 Anchor;  // 0 = none
};

constexpr int kMaxEntries = 500;

// Rows 0 to 500; row 0 is scratch.
using VokabelArrayTyp = std::array<VokabelTyp, kMaxEntries + 1>;

struct ZwischenspeicherTyp {
    VokabelArrayTyp Entries;
    LE16 Count = 1;   // next free slot
    LE16 Cursor = 1;  // next slot to read
};

static_assert(sizeof(VokabelTyp) == 360);
static_assert(offsetof(VokabelTyp, FS2) == 51);
static_assert(offsetof(VokabelTyp, MS5) == 306);
static_assert(offsetof(VokabelTyp, InUse) == 357);
static_assert(offsetof(VokabelTyp, Reserve) == 358);
static_assert(sizeof(SchriftartTyp) == 49);
static_assert(offsetof(SchriftartTyp, Color) == 36);
static_assert(offsetof(SchriftartTyp, Style) == 40);
static_assert(offsetof(SchriftartTyp, Size) == 44);
static_assert(offsetof(SchriftartTyp, Charset) == 48);
static_assert(sizeof(SchriftartAltTyp) == 48);
static_assert(sizeof(SchriftartenTyp) == 296);
static_assert(offsetof(SchriftartenTyp, TableFS) == 49);
static_assert(offsetof(SchriftartenTyp, Print) == 245);
static_assert(offsetof(SchriftartenTyp, HeaderFonts) == 294);
static_assert(sizeof(MarkierungTyp) == 502);
static_assert(sizeof(VokabelArrayTyp) == 180360);
static_assert(sizeof(ZwischenspeicherTyp) == 180364);
static_assert(alignof(SchriftartenTyp) == 1 && alignof(ZwischenspeicherTyp) == 1);
static_assert(std::is_trivially_copyable_v<VokabelTyp>);
static_assert(std::is_trivially_copyable_v<SchriftartenTyp>);
static_assert(std::is_trivially_copyable_v<ZwischenspeicherTyp>);

// One undo snapshot of a document.
struct UndodataTyp {
    VokabelArrayTyp Entries{};
    std::string FileName;
    uint8_t FormatVersion = 0;
    std::string Description;
    SpaltennamenTyp ColumnNames;
    SchriftartenTyp Fonts;
    std::string ActionText;
    // Not restored by undo and redo as such: they come back only together
    // with another file name, so that undoing past a "Save as" never leaves
    // the old, protected file's name without its passwords (a plain save
    // would otherwise overwrite it unasked and unprotected).
    std::string WritePassword;
    std::string ReadPassword;
    // A search result's file of each row (rows 1 to 500), so that undo
    // keeps them with their entries.
    std::array<std::string, kMaxEntries + 1> SourceFiles{};
};

// Built once at start (InitDefaultSettings), read-only afterwards.
extern VokabelTyp BlankEntry;
extern UndodataTyp EmptyDocumentSnapshot;

// An entry not yet in use becomes in use when any field holds text; one in
// use stays so.
void RecomputeInUse(VokabelTyp& entry);
// The last row in use (1 to 500), 0 when none is.
int LastUsedRow(const VokabelArrayTyp& entries);

// Entry clipboard.
void ClipListReset(ZwischenspeicherTyp& clip);
void ClipListAppend(ZwischenspeicherTyp& clip, VokabelTyp entry);
// True when that was the last entry (the cursor starts over).
bool ClipListNext(ZwischenspeicherTyp& clip, VokabelTyp& entry);
bool ClipListAtEnd(const ZwischenspeicherTyp& clip);
int ClipListCount(const ZwischenspeicherTyp& clip);

// Row marks, rows 1 to 500; other rows are ignored.
void MarksClear(MarkierungTyp& marks);
bool MarksGet(const MarkierungTyp& marks, int row);
void MarksToggle(MarkierungTyp& marks, int row);
void MarksSet(MarkierungTyp& marks, int row);
void MarksSetRange(MarkierungTyp& marks, uint16_t a, uint16_t b);
void MarksExtendTo(MarkierungTyp& marks, int row);
bool MarksAny(const MarkierungTyp& marks);
bool MarksSeveral(const MarkierungTyp& marks);

void FontRecOldToNew(const SchriftartAltTyp& old, SchriftartTyp& rec);
void FontRecNewToOld(const SchriftartTyp& rec, SchriftartAltTyp& old);

// 2 x common score / total length, from 0 to 1; case-sensitive. Both empty
// gives 1. Only the first kLongestCompared bytes of a string take part.
constexpr std::size_t kLongestCompared = 255;
double StringSimilarity(const std::string& s1, const std::string& s2);

// Caron letters from "*" and a letter (Windows-1250 codes); "**" gives "*".
// One pending "*" serves the whole program. A key of #0 means swallowed.
class CaretText {
public:
    virtual ~CaretText() = default;
    virtual std::string Text() const = 0;
    virtual int CaretPos() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetCaretPos(int pos) = 0;
};

// A key that does work instead of standing for a letter: codes below 32
// (Enter, Backspace, Tab, Esc) and 127 (Delete).
inline bool IsControlKey(char key) { return uint8_t(key) < 32 || uint8_t(key) == 127; }

// Edit fields: after "*" another character goes in together with the "*";
// after "*" a control key puts the "*" in and is left to do its work.
void ComposeCaronKey(char& key, CaretText& edit);
// Grid cells: after "*" another key passes alone.
void ComposeCaronChar(char& key);

// ---- Options ----------------------------------------------------------------

// 50 word parts; index 0 holds word part 1.
using WortteilListeTyp = std::array<ShortString<30>, 50>;

struct AbfrageOptionenTyp {
    bool MutterspracheZuFremdsprache = true;
    bool ZufaelligeReihenfolge = true;
    bool WiederholenBisRichtig = false;
    bool BeiFalschDirektWiederholen = false;
    bool KorrekteUebersetzungAnzeigen = false;
    bool TipsZulassen = true;
    bool OptionenVorAbfragenAnzeigen = true;
    bool GrossKleinIgnorieren = true;
    bool FuzzyLogic = true;
    int32_t RichtigAb = 80;  // per cent
    bool MehrereBedeutungen = true;
    bool AlleBedeutungenRichtig = false;
    bool FehlerlisteErstellen = true;
    bool BeepBeiFehler = true;
    bool BlinkeBeiFehler = true;
    uint8_t LernModus = 0;
    bool EinzelneBedeutungenLernen = true;
    uint8_t WiederholungsAnzahl = 3;
    std::string BeepFilename;  // path
    bool AskForUsername = true;
    std::string Username;  // for this run only, never stored

    bool operator==(const AbfrageOptionenTyp&) const = default;
};

struct HangmanOptionenTyp {
    std::string Dateinamenbeginn;  // path
    bool FremdspracheFragen = true;
    bool MutterspracheFragen = false;
    bool NurErsteBedeutung = false;
    bool UebersetzungAnzeigen = false;
    bool FragenBisRichtig = false;
    bool DoppelteBuchstabenFalsch = false;
    bool OptionenBeimStarten = false;
    bool UmlauteTrennen = true;

    bool operator==(const HangmanOptionenTyp&) const = default;
};

struct SettingsTyp {
    int32_t LastGotoNr = 0;
    bool SearchInFS = true;
    bool SearchInMS = true;
    bool SearchTeil = true;
    bool AlleTrefferZeigen = true;
    bool ListeAlleTrefferZeigen = false;
    bool SucheGrossKleinIgnorieren = true;
    bool SearchAutoFuzzy = false;
    bool AllgemIgnorieren = true;
    bool KlammerIgnorieren = true;
    bool WortteileIgnorieren = true;
    bool IgnorierenWennVergessen = true;
    bool IgnorierenWennZuViel = false;
    WortteilListeTyp Wortteile{};  // code-page bytes
    int32_t HauptfensterStatus = 1;  // 0 minimised, 1 normal, 2 maximised
    int32_t HauptfensterHoehe = 0;
    int32_t HauptfensterBreite = 0;
    int32_t HauptfensterX = 70;
    int32_t HauptfensterY = 20;
    bool MenueaufrufErmoeglichen = true;
    std::string LetztesSonderzeichen = "\xe1";  // code-page bytes
    std::array<std::string, 9> LastFiles{};
    std::string VorlagenVerzeichnis;  // path
    bool ShowWizAtStartUp = true;
    bool WizOpensEdit = true;
    bool ReopenLastFiles = false;
    std::array<std::string, 10> OpenFilesAtExit{};
    int32_t LastWizPage = 0;
    bool HinweisBeiSchreibschutz = true;
    bool DisableMouseWheel = false;

    bool operator==(const SettingsTyp&) const = default;
};

struct OptionenTyp {
    // Input and files.
    bool NochNieGestartet = true;
    bool EnterWechseltFSMS = true;
    bool FremdspracheZuerstAktiv = true;
    bool SemikolonNaechstesFeld = true;
    bool NurSelbeSprache = false;
    bool BeiVorherigesSpeichern = true;
    bool DOSUmlauteErsetzen = true;
    bool DOSBedeutungenTrennen = true;
    std::string StandardArbeitsverzeichnis;  // path with trailing "/"
    bool StandardArbeitsverzeichnisNutzen = true;
    bool VerzeichnisAutomatischWechseln = true;
    bool BeschreibungImFensterZeigen = true;
    bool BeschreibungBeimErstenSpeichern = true;
    bool Sicherungskopien = true;
    bool BeimStartLeereDatei = true;

    // Table fonts.
    SchriftartTyp SchriftMS;
    SchriftartTyp SchriftFS;
    SchriftartTyp SchriftTab;  // header row
    bool MSFSFontsInTabellenkopf = false;

    AbfrageOptionenTyp Abfragen;
    HangmanOptionenTyp Hangman;

    // Printing and sorting.
    bool AnzahlMitdrucken = true;
    bool VokabelnummernDrucken = true;
    bool GitternetzDrucken = true;
    bool ZeilenumbruchWennZuLang = true;
    bool SchriftVerkleinernWennZuLang = true;
    bool BeschreibungMitdrucken = true;
    int32_t MaximalVerkleinernUm = 2;
    SchriftartTyp DruckSchrift;
    SchriftartTyp DruckSchriftMS;
    SchriftartTyp DruckSchriftFS;
    bool UmlauteUmwandeln = true;

    SettingsTyp Settings;

    bool operator==(const OptionenTyp&) const = default;
};

// The program's options, read by every subsystem.
extern OptionenTyp Optionen;

// What the defaults depend on.
struct StartEnvironment {
    std::string PersonalFolder;  // without trailing "/"
    std::string ProgramFolder;   // with trailing "/"
    int32_t ScreenWidth = 0;
    int32_t ScreenHeight = 0;
};

void SetDefaultOptions(OptionenTyp& options, const StartEnvironment& env);
// BlankEntry and EmptyDocumentSnapshot from the default fonts.
void BuildEmptyRecords(const OptionenTyp& defaults);

// The user's documents folder (XDG), without trailing "/".
std::string GetPersonalFolder();

enum class LoadSettingsResult { Done, Abort };

namespace platform {
class TRegistry;
}

// The registry calls the options make. OpenKey is virtual so that a test
// can make a key refuse to open.
class OptionsRegistry {
public:
    explicit OptionsRegistry(platform::TRegistry& registry) : registry_(registry) {}
    virtual ~OptionsRegistry() = default;
    virtual bool OpenKey(const std::string& key, bool canCreate);
    platform::TRegistry& Registry() { return registry_; }

private:
    platform::TRegistry& registry_;
};

// Abort: the user chose to end the program; the caller ends it before any
// window opens.
LoadSettingsResult LoadSettings(OptionsRegistry& registry, OptionenTyp& options);
void SaveSettings(OptionsRegistry& registry, const OptionenTyp& options);

// On the user's registry and Optionen.
LoadSettingsResult LoadSettings();
void SaveSettings();

// Program start-up, after the application object and before any window:
// defaults, the working folder, the empty records, then LoadSettings.
LoadSettingsResult InitDefaultSettings(int32_t screenWidth, int32_t screenHeight);
