#pragma once
// What the document window's training commands share: the general options
// dialog they may open on a page, the no-entries message and the running of
// a mode while the window's list is hidden.

#include <functional>

class QDialog;

#include "documents/ui/Childwin.h"
#include "platform/Dialogs.h"

// The general options dialog opened modally on a page index (4 hangman,
// 5 learning); the frame registers it. Without one nothing opens and the
// answer is None.
using GeneralOptionsDialog = std::function<platform::ModalResult(int pageIndex)>;
void SetGeneralOptionsDialog(GeneralOptionsDialog dialog);
platform::ModalResult ShowGeneralOptions(int pageIndex);

// Learning and hangman: the marks are cleared, then nothing more happens
// when the document holds no complete entry (the message has been shown).
bool ClearMarksAndCheckEntries(TMDIChild& window);

// Closes the entry editor and the wizard through the registered host.
void CloseEditorsBeforeMode();

// Hides the list and its description, runs the mode's dialog modally,
// brings back what was visible (all of it when the wizard started the mode)
// and gives the grid the focus when asked.
void RunWithListHidden(TMDIChild& window, ModeOrigin origin, bool focusGrid, QDialog& mode);

// exec() of a mode's dialog, which is rejected when a main window is closed
// meanwhile, so that the program can end.
int ExecUntilFrameCloses(QDialog& dialog);

// The trick menus' "GUTE SICHT!" and "NEBEL": the list and its description
// shown or hidden while a mode runs.
void ShowListDuringMode(TMDIChild& window);
void HideListDuringMode(TMDIChild& window);
