#pragma once
// What the document windows' commands need of the frame around them: the
// recent files, its menus and indicators, the entry editor, help pages and
// the other document windows. The frame registers itself at start; until
// then the windows work among themselves and the frame's part is skipped.

#include <string>
#include <vector>

class TMDIChild;

class DocumentFrame {
public:
    virtual ~DocumentFrame() = default;
    virtual void CloseEditorsBeforeNew() {}
    // Puts the name first in the recent files.
    virtual void UpdateMRU(const std::string& /*name*/) {}
    // Menus, toolbar and the password indicators follow the active document.
    virtual void UpdateMenuItems() {}
    virtual void ShowHelpPage(const std::string& /*page*/) {}
    // The document windows, topmost first, and the active one (or null).
    virtual std::vector<TMDIChild*> DocumentWindows();
    virtual TMDIChild* ActiveDocument();
    // A window for a file (CreateMDIChild); null when it could not be read.
    virtual TMDIChild* OpenDocument(const std::string& name);
    // A new empty document (Neu1Click).
    virtual void NewEmptyDocument();
};

// The registered frame, or one that only knows the open windows.
DocumentFrame& TheDocumentFrame();
void SetDocumentFrame(DocumentFrame* frame);
