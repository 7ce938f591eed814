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

// One undo step "Schriftarten ändern", then the six fonts and the
// header-fonts flag; the document counts as changed, so that closing it
// asks even when the dialog then ends with "Abbrechen".
void ApplyDocumentFonts(VocabDocument& doc, const SchriftartenTyp& fonts);

// Name + " " + size + " Punkt".
std::string SampleCaption(const std::string& name, int size);

// The height of "HyIÓ" in a table font: at show and reset 29 pixels or
// more count as too high, right after a font was chosen more than 24.
bool FontTooHigh(int textHeight, bool justChosen);
