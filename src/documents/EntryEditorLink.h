#pragma once
// The single road from document commands to the entry editor. The editor
// shows one entry of one document and stores it back on its own buttons; a
// command that moves, removes or replaces rows under it must first have it
// store what it shows and afterwards show its row again, or the next store
// writes a stale entry over whatever moved into that row.

class VocabDocument;

class EntryEditorLink {
public:
    virtual ~EntryEditorLink() = default;
    // Writes the shown entry into the document.
    virtual void StoreEntry() = 0;
    // Shows the entry of the editor's row again.
    virtual void ShowEntry() = 0;
    virtual int EditRow() const = 0;
};

// The editor registers itself; nothing is linked until it exists.
void SetEntryEditorLink(EntryEditorLink* link);

// Held around every command that moves, removes or replaces rows. Acts only
// while the editor works on this document (DocumentInEditor).
class RowsChanging {
public:
    explicit RowsChanging(const VocabDocument& document);
    ~RowsChanging();
    RowsChanging(const RowsChanging&) = delete;
    RowsChanging& operator=(const RowsChanging&) = delete;

private:
    EntryEditorLink* link_ = nullptr;
};

// A grid edit stored a cell of row: the editor shows it again when it is on
// that row of this document.
void EntryEditorCellStored(const VocabDocument& document, int row);
