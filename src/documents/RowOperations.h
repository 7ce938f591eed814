#pragma once
// Commands on whole rows of a document: sorting, shuffling, closing gaps,
// removing duplicates, single-row insert and delete, and what a click on
// the row numbers does to the marks. Every command that changes data takes
// its undo snapshot first and marks the document modified.

#include <array>
#include <string>

#include "documents/VocabDocument.h"

// Windows-1252 letters with accents become plain letters, umlauts and ß
// two letters (Ä -> Ae); every other byte stays.
std::string FoldLetters(const std::string& text);
// The field of column 1-7, folded when asked, with a-z upper-cased.
std::string SortKey(const VokabelTyp& entry, int column, bool fold);
// Quicksort of rows lo..hi by the keys of column; not stable, and equal
// keys end in the order this partitioning leaves them.
// Companions, when given (a search result's source files), are swapped
// with their entries.
void QuickSortEntries(VokabelArrayTyp& entries, int lo, int hi, int column, bool fold,
                      std::array<std::string, kMaxEntries + 1>* companions = nullptr);

// Rows 1..LastUsedRow by column (folded as the option "Umlaute umwandeln"
// says); no snapshot of its own, no gap removal.
void SortRows(VocabDocument& doc, int column);

// One random cycle over the used rows: every entry moves, unused rows stay.
// Fewer than two used rows are refused with a message (the snapshot is
// taken all the same).
void ShuffleEntries(VocabDocument& doc);

// Used rows move up over the unused ones, keeping their order. The sort
// commands pass takeSnapshot false: their own snapshot covers it.
void RemoveGaps(VocabDocument& doc, bool takeSnapshot = true);
// Later copies of an entry are removed, then gaps closed; the result is
// reported.
void RemoveDuplicates(VocabDocument& doc, bool takeSnapshot = true);

void DeleteLine(VocabDocument& doc, int row);
void InsertBlankLine(VocabDocument& doc, int row);
void ClearLine(VocabDocument& doc, int row);
void DeleteMarkedRows(VocabDocument& doc, const std::string& actionText = "Vokabeln löschen");

// Where a left button press on the grid landed.
enum class MarkArea { NumberHeader, NumberColumn, Body };
// The marks after a left press; row is the row under the mouse (1-500).
void MarkByLeftClick(MarkierungTyp& marks, MarkArea area, int row, bool shift, bool ctrl, int lastUsedRow);
