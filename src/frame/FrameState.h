#pragma once
// What the frame shows of its documents: which document commands are
// available, the undo buttons, the entry-editor button and the two status
// panels, all from a small summary of the active document.

#include <optional>
#include <string>

class VocabDocument;

struct ActiveDocumentSummary {
    bool writePassword = false;
    bool readPassword = false;
    int undoLevel = 1;
    bool redoPossible = false;
    int completeEntries = 0;

    static ActiveDocumentSummary Of(const VocabDocument& document);
};

struct FrameCommandState {
    bool documentCommands = false;  // toolbar document buttons and the window menu
    bool undo = false;
    bool redo = false;
    bool editPressed = false;
    std::string passwordPanel;  // status panel 1
    std::string countPanel;     // status panel 2
};

FrameCommandState ComputeFrameState(int openDocuments, const std::optional<ActiveDocumentSummary>& active,
                                    bool entryEditorVisible);

// The status panel texts whose widths size panels 1 and 2.
inline const std::string kCountPanelWidthText = "keine Vokabeldatei geöffnet         ";
inline const std::string kPasswordPanelWidthText = "Schreib- und Leseschutz    ";
