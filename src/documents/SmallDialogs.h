#pragma once
// What the small document dialogs decide: the go-to target, the change of
// the write password, the checks of the properties dialog, the column-name
// change and the lines of the sort-field list.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "documents/VocabDocument.h"

// Go-to items: "erster Vokabel", "letzter Vokabel", "erster Lücke",
// "letzter Lücke", "Nummer:".
enum GotoItem { kGotoFirst = 0, kGotoLast = 1, kGotoFirstGap = 2, kGotoLastGap = 3, kGotoNumber = 4 };

// The item "LastGotoNr" chooses: a number (> 0) the number item, else −item.
int GotoItemFromLastNr(int32_t lastGotoNr);

// The row an item leads to, 0 when there is none: the first row, the last
// used row, the lowest unused row, the highest unused row below the last
// used one, or the number itself.
int GotoTargetRow(const VokabelArrayTyp& entries, int item, int number);

// OK of the go-to dialog over the entries it was shown with. Nothing keeps
// the dialog open (the reason has been shown); else the target row. A number
// past the used rows (or past row 500) offers the first free row instead.
// "LastGotoNr" is updated as the choice is taken.
std::optional<int> GotoOk(const VokabelArrayTyp& entries, int item, const std::string& numberText,
                          int32_t& lastGotoNr);

// The write password after "Ändern": the old one must be given first, the
// new one twice; an empty new one removes the protection once confirmed.
// Nothing when the change was cancelled or the two entries differed.
std::optional<std::string> AskNewWritePassword(const std::string& current);

// The message that keeps the properties dialog open, or "".
std::string PasswordPairsMessage(const std::string& read1, const std::string& read2, const std::string& write1,
                                 const std::string& write2);

// OK of the column-names dialog: one undo step, each name cut to 50
// characters; a real change marks the document modified.
void ApplyColumnNames(VocabDocument& doc, const std::array<std::string, 7>& names);

// The sort-field list: "1:" and five blanks before the first name, and so on.
std::vector<std::string> SortFieldItems(const SpaltennamenTyp& names);
// The sort command's work after the dialog's OK: one undo step, the rows by
// field 1-7 (folded as "Umlaute umwandeln" says).
void SortByField(VocabDocument& doc, int field);
