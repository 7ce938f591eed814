#include "frame/FrameState.h"

#include "documents/VocabDocument.h"

ActiveDocumentSummary ActiveDocumentSummary::Of(const VocabDocument& document) {
    return {!document.WritePassword.empty(), !document.ReadPassword.empty(), document.UndoLevel,
            document.RedoPossible != 0, document.CountCompleteEntries()};
}

FrameCommandState ComputeFrameState(int openDocuments, const std::optional<ActiveDocumentSummary>& active,
                                    bool entryEditorVisible) {
    FrameCommandState state;
    state.documentCommands = openDocuments > 0;
    state.editPressed = entryEditorVisible;
    if (!active) {
        state.countPanel = "keine Vokabeldatei geöffnet";
        return state;
    }
    state.undo = active->undoLevel > 1;
    state.redo = active->redoPossible;
    if (active->writePassword && active->readPassword) {
        state.passwordPanel = "Schreib- und Leseschutz";
    } else if (active->writePassword) {
        state.passwordPanel = "Schreibschutz";
    } else if (active->readPassword) {
        state.passwordPanel = "Leseschutz";
    } else {
        state.passwordPanel = "kein Kennwortschutz";
    }
    state.countPanel = "Anzahl der Vokabeln: " + std::to_string(active->completeEntries);
    return state;
}
