#pragma once
// What the document windows and their dialogs need of the frame around them:
// the recent files, its menus and indicators, help pages, the special-
// character popup, the options dialog, the closing of the entry editor and
// the other document windows. The main window registers itself; until then
// the windows work among themselves and the frame's part is skipped.

#include <QPoint>
#include <QString>
#include <string>
#include <vector>

class TMDIChild;

class DocumentFrame {
public:
    virtual ~DocumentFrame() = default;
    // Stores and closes a visible entry editor through its OK handler (the
    // frame also hides its wizard); always true.
    virtual bool CloseEditorsBeforeNew();
    // Puts the name first in the recent files.
    virtual void UpdateMRU(const std::string& /*name*/) {}
    // Menus, toolbar and the password indicators follow the active document.
    virtual void UpdateMenuItems() {}
    virtual void ShowHelpPage(const std::string& /*page*/) {}
    // The special-character popup at a screen point; true when a character
    // was chosen (it is then the option "Letztes Sonderzeichen").
    virtual bool PopupSpecialCharacters(const QPoint& /*globalPos*/, bool /*centralEuropean*/) { return false; }
    // Panel 2 of the status bar holds the count of entries.
    virtual void ShowEntryCount(const QString& /*text*/) {}
    // The general options dialog on one of its pages.
    virtual void ShowOptionsPage(int /*page*/) {}
    // The document windows, topmost first, and the active one (or null).
    virtual std::vector<TMDIChild*> DocumentWindows() const;
    virtual TMDIChild* ActiveDocument() const;
    // A window for a file (CreateMDIChild); null when it could not be read.
    virtual TMDIChild* OpenDocument(const std::string& name);
    // A new empty document (Neu1Click).
    virtual void NewEmptyDocument();
    // The frame's import of semicolon text.
    virtual void ImportFiles() {}
};

// The registered frame, or one that only knows the open windows.
DocumentFrame& TheDocumentFrame();
void SetDocumentFrame(DocumentFrame* frame);
