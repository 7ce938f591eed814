#pragma once
// The entry editor's rules over one document: which row it shows, how the
// shown fields are closed up and stored, and where Next, Previous, OK and
// the jumps lead. The editor window keeps Fields in step with its seven
// edits and calls these around them.

#include <array>
#include <functional>
#include <string>

#include "documents/VocabDocument.h"

// FS1, FS2, MS1 to MS5 as code-page bytes.
using EditorFields = std::array<std::string, 7>;

inline const std::string kUnsavedFileName = "<< noch nicht gespeichert >>";

// Fields into an entry, each cut to 50, line breaks made blanks. In use
// when any field holds text: an entry with text only in FS2 must not be
// dropped on saving. The 16-bit word is kept.
void ReadEntryFields(const EditorFields& fields, VokabelTyp& entry);
EditorFields EntryFields(const VokabelTyp& entry);
// An empty FS1 takes FS2; the non-empty meanings move to the front in
// their order.
void CloseUpFields(EditorFields& fields);

// Where a typed ";" sends the focus from field 0-6 (FS1, FS2, MS1-MS5), or
// -1 when it is typed as it is.
int SemicolonTarget(int field, bool sameLanguageOnly);

// What the special-character button inserts for its caption bytes: the one
// character, or the Windows-1250 letter a name such as "c_hacek" stands for;
// nothing for any other caption.
std::string SpecialCharacterBytes(const std::string& caption);

// "Editieren/Eingeben, Vokabeldatei: " and the name part of the file name.
std::string EditorCaption(const std::string& fileName);

class EntryEditorCore {
public:
    struct Hooks {
        std::function<void(int row)> refreshRow;  // the document's grid row
        std::function<void()> beep;
    };

    explicit EntryEditorCore(Hooks hooks) : hooks_(std::move(hooks)) {}

    // Show handler: the document becomes the editor's (its close is refused
    // from now on), its marks are cleared and the start row (0 = 1, kept
    // within 1 to 500) is shown.
    void Open(VocabDocument& document, int startRow);
    // The editor lets go of its document; nothing is stored.
    void Close();
    // The edited document, or null once it is closed or another took it.
    VocabDocument* Document() const;
    int EditRow() const { return editRow_; }
    // The count of used rows the editor shows.
    int UsedCount() const;

    EditorFields Fields;

    // Fields := the entry at the row.
    void EditUpdate();
    // Stores the fields at the row and redraws it, without closing up.
    void SaveCurrent();

    // "Nächste": false when an empty entry behind the last used row was
    // refused (nothing stored, the row stays).
    bool Next(bool toEmptyRow);
    // "Vorherige"; save is the option "Vokabel bei Vorheriges speichern".
    void Previous(bool toEmptyRow, bool save);
    // "OK": closes up, stores and moves on; the window closes afterwards.
    void Finish();
    // "Abbrechen": the row is redrawn from what is stored.
    void Cancel();
    // "Gehe zu" saves first; a search hit does not. Rows outside 1 to 500
    // are ignored.
    void GotoRow(int row);
    void ShowFoundRow(int row);
    // The count button: the row behind the count of used rows, saved first.
    void GotoAfterCount();

private:
    void CloseUpAndStore();
    void Beep() const;
    void RefreshRow(int row) const;

    Hooks hooks_;
    VocabDocument* document_ = nullptr;
    int editRow_ = 1;
};
