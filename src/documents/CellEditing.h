#pragma once
// The rules of typing and pasting into the document grid. Texts are bytes
// in the cell's code page.

#include <cstddef>
#include <string>

#include "documents/VocabDocument.h"

constexpr std::size_t kCellLength = 50;
constexpr std::size_t kLongestCellPaste = 55;

inline const std::string kCellPasteRefused =
    "Die Zwischenablage enthält entweder ein RETURN-Zeichen oder mehr als 55 Buchstaben. Einfügen nicht möglich.";

// "Änderung des Feldes c|r": repeated edits of one cell share this text and
// so merge into one undo step.
std::string CellEditActionText(int column, int row);

// Grid cell (column 1-7, row 1-500) after the user changed it to text:
// snapshot when it differs, the field keeps the first 50 characters (line
// breaks become blanks), the row's InUse follows. Rows outside 1-500 are
// ignored.
void StoreCellEdit(VocabDocument& doc, int column, int row, const std::string& text);

// InUse of an entry edited to text: in use when the text or any field,
// trimmed, is not empty. Unlike RecomputeUsedFlags this clears the flag of
// a row holding only blanks.
uint8_t CellEditInUse(const VokabelTyp& entry, const std::string& text);

// A key typed into a grid cell: caron composition, then the length limit.
// The key to insert, or 0 to drop it; beep is set when the limit refused
// it. The limit spares control keys (Backspace, Tab, the clipboard keys)
// and typing over a selection.
char GridKey(char key, std::size_t cellLength, bool replacesSelection, bool& beep);

// Clipboard text for a cell: at most 55 characters and a single line.
bool CellPasteAcceptable(const std::string& text);
