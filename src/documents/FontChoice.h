#pragma once
// The fonts dialog's rules: the default fonts of the options as a font
// block, taking a block into a document, the sample captions and when a
// table font counts as too high.

#include <string>

#include "documents/VocabDocument.h"

// The six option fonts ("Schriftarten" and "Drucken") and the header-fonts
// option as a block.
SchriftartenTyp OptionFonts(const OptionenTyp& options);
void SetOptionFonts(OptionenTyp& options, const SchriftartenTyp& fonts);

// The point size a font is shown and printed at. A record of 0 points or
// below (another writer, a damaged file) takes the size of the option font
// for its place, or of the program's own default when that one has none
// either; the record itself keeps its value.
int32_t ShownFontSize(const SchriftartTyp& rec, FontPlace place, const OptionenTyp& options);
// The block with every font at the size it is shown and printed at.
SchriftartenTyp ShownFonts(const SchriftartenTyp& fonts, const OptionenTyp& options);

// One undo step "Schriftarten ändern", then the six fonts and the
// header-fonts flag; the document counts as changed, so that closing it
// asks even when the dialog then ends with "Abbrechen".
void ApplyDocumentFonts(VocabDocument& doc, const SchriftartenTyp& fonts);

// Name + " " + size + " Punkt".
std::string SampleCaption(const std::string& name, int size);

// The height of "HyIÓ" in a table font: at show and reset 29 pixels or
// more count as too high, right after a font was chosen more than 24.
bool FontTooHigh(int textHeight, bool justChosen);
