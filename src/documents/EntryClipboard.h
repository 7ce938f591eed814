#pragma once
// The internal clipboard for whole entries, shared by every document window
// and the entry editor, and the commands that fill it and paste from it.

#include <string>

#include "documents/VocabDocument.h"

// The program's one entry clipboard, empty at the start of the run.
ZwischenspeicherTyp& Zwischenspeicher();

inline const std::string kEntryClipboardEmpty = "Die Zwischenablage ist leer.";

// The clipboard holds entry row alone.
void CopyEntry(const VocabDocument& doc, int row);
// The marked rows, in ascending order.
void CopyMarkedEntries(const VocabDocument& doc);
// Copies the marked rows, then removes them; the marks are cleared.
void CutMarkedEntries(VocabDocument& doc);
// The clipboard's entries, in their copied order, from row on; the rows
// there move down. An empty clipboard is refused with a message; otherwise
// the marks are cleared. The clipboard can be pasted again.
void InsertEntriesBefore(VocabDocument& doc, int row, const std::string& actionText);
