#pragma once
// One open vocabulary document: its entries, fonts, passwords, undo slots and
// the small row operations every document command uses. The document window
// owns one and shows it; the document tells the window through DocumentView
// when the grid or the caption must follow.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "documents/AppSettings.h"

// Captions that name a window's role; the caption rule keeps them.
inline const std::string ErrorListCaption = "Liste der beim Abfragen falsch beantworteten Vokabeln";
inline const std::string SearchResultCaption = "Suchergebnis";

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // Rebuild the grid; the view does nothing while BulkUpdate is set.
    virtual void RefreshGrid() = 0;
    virtual void CaptionChanged() = 0;
    // One cell was stored by an edit: show it and let the row count follow.
    virtual void CellChanged(int /*column*/, int /*row*/) {}
    // Lay out again: the description's height and the caption.
    virtual void FormResize() {}
    // The undo and redo items must show the new state.
    virtual void UndoStateChanged() {}
};

class VocabDocument {
public:
    uint8_t Modified = 0;
    uint8_t BulkUpdate = 0;
    int32_t DragStartY = 0;
    int32_t DragTopRow = 0;
    MarkierungTyp Marks{};
    SchriftartenTyp Fonts{};
    std::string WritePassword;
    std::string ReadPassword;
    VokabelArrayTyp Entries{};  // rows 1 to 500; row 0 is scratch
    // Search results: the file of each row. Row commands and undo move
    // them with their entries.
    std::array<std::string, kMaxEntries + 1> SourceFiles{};
    SpaltennamenTyp ColumnNames{};
    uint8_t UndoLevel = 1;  // filled slots + 1
    uint8_t RedoPossible = 0;
    std::array<UndodataTyp, 11> UndoSlots{};  // slots 1 to 10; 0 unused
    std::string FileName;  // empty for a new, imported or template-made document
    uint8_t FormatVersion = 15;  // what a plain save writes: 0 (DOS text), 11, 13, 14 or 15
    std::string Description;  // lines end in CR LF

    std::string Caption;  // the window's caption
    int Tag = 0;          // serial number of an unnamed document's caption

    // A new empty document: blank rows, default column names, the fonts of
    // the options, empty undo slots.
    VocabDocument();
    ~VocabDocument();
    VocabDocument(const VocabDocument&) = delete;
    VocabDocument& operator=(const VocabDocument&) = delete;

    void SetView(DocumentView* view) { view_ = view; }

    // Rows 1 to 500; used means InUse non-zero.
    int CountUsedEntries() const;
    // Rows with a foreign-language and a mother-tongue field that hold text,
    // whatever their InUse.
    int CountCompleteEntries() const;
    int LastUsedRow() const;   // 0 when none
    int FirstFreeRow() const;  // 501 when all are used
    static bool IsEntryEmpty(const VokabelTyp& entry);
    // The seven fields byte for byte; InUse and Reserve do not count.
    static bool EntriesEqual(const VokabelTyp& a, const VokabelTyp& b);
    static void ClearEntry(VokabelTyp& entry);
    // InUse from the fields, set and cleared.
    void RecomputeUsedFlags();
    void DeleteRow(int row);
    // Refused with a warning when row 500 is used or the row lies past it.
    void InsertRow(int row, VokabelTyp entry);

    // True appends " *" to the caption once; false leaves the caption alone.
    void SetModified(bool modified);
    // Asks when modified. False keeps the document open: Cancel, or a save
    // behind Yes that did not happen.
    bool AskSaveChanges();
    // The entry editor must be closed first; then AskSaveChanges.
    bool CloseQuery();

    // The plain save to FileName in FormatVersion; an unnamed document goes
    // to SaveAsHandler. False when nothing was written (the reason has been
    // shown).
    bool Save();
    // Save as, set by the window; without one an unnamed document is not
    // saved.
    std::function<bool()> SaveAsHandler;

    // Undo and redo (UndoHistory.cpp). PushUndo comes before every edit.
    void PushUndo(const std::string& actionText);
    // False when there is nothing to step to; the caller beeps.
    bool UndoStep();
    bool RedoStep();
    std::string UndoCaption() const;
    bool UndoEnabled() const { return UndoLevel >= 2; }
    std::string RedoCaption() const;
    bool RedoEnabled() const { return RedoPossible != 0; }

    void RefreshGrid();
    void CaptionChanged();
    void CellChanged(int column, int row);
    void FormResize();

private:
    void RestoreSnapshot(const UndodataTyp& slot);

    DocumentView* view_ = nullptr;
};

// The caption rule of the window's layout: the special captions stay (with
// the modified mark), else the file name (only its last part when
// minimised) or "Vokabeldatei " + tag, and " *" when modified.
std::string LayoutCaption(const std::string& caption, const std::string& fileName, int tag, bool modified,
                          bool minimised);

// The default column names.
SpaltennamenTyp DefaultColumnNames();

// The document the entry editor works on while it is visible; nothing
// otherwise. A document being destroyed detaches it.
const VocabDocument* DocumentInEditor();
void SetDocumentInEditor(const VocabDocument* document);

// What a new document window is to show.
struct DocumentRequest {
    enum class Kind { Empty, Template, File };
    Kind kind = Kind::Empty;
    std::string name;  // template or vocabulary file path
    // The frame's open-dialog filter index while the files chosen there open;
    // 2, the DOS filter, makes the reader refuse other extensions.
    int lastOpenFilterIndex = 0;

    // From the frame's marker: ESC = empty, a trailing ">" = template.
    static DocumentRequest FromMarker(const std::string& marker, int lastOpenFilterIndex = 0);
};

// Loads what the request names. Nothing when the file could not be read or
// the user chose Abort on the write-protection notice; the message has been
// shown then.
std::unique_ptr<VocabDocument> CreateDocument(const DocumentRequest& request);
