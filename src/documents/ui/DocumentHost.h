#pragma once
// What the entry editor and the search dialog need of the frame and of the
// dialogs that live above the documents: help pages, the special-character
// popup, the status bar, the go-to dialog, the options dialog and the
// closing of the editor before a dialog. The frame registers its host at
// start; without one these do nothing.

#include <QPoint>
#include <QString>
#include <string>

class VocabDocument;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual void ShowHelpPage(const std::string& page) = 0;
    // The frame's special-character popup at a screen point; true when a
    // character was chosen (it is then the option "Letztes Sonderzeichen").
    virtual bool PopupSpecialCharacters(const QPoint& globalPos, bool centralEuropean) = 0;
    // Panel 2 of the main window's status bar holds the count of entries.
    virtual void ShowEntryCount(const QString& text) = 0;
    // The go-to dialog over this document: a row 1 to 500, or 0.
    virtual int AskGotoRow(const VocabDocument& document) = 0;
    // The general options dialog on one of its pages.
    virtual void ShowOptionsPage(int page) = 0;
    // Stores and closes a visible entry editor and hides a visible wizard.
    virtual void CloseEditorsBeforeNew() = 0;
};

// The registered host, or null.
DocumentHost* TheDocumentHost();
void SetDocumentHost(DocumentHost* host);
