#include "documents/FontChoice.h"

#include <cstdlib>

SchriftartenTyp OptionFonts(const OptionenTyp& options) {
    SchriftartenTyp fonts;
    fonts.TableMS = options.SchriftMS;
    fonts.TableFS = options.SchriftFS;
    fonts.TableHeader = options.SchriftTab;
    fonts.Print = options.DruckSchrift;
    fonts.PrintMS = options.DruckSchriftMS;
    fonts.PrintFS = options.DruckSchriftFS;
    fonts.HeaderFonts = options.MSFSFontsInTabellenkopf ? 1 : 0;
    return fonts;
}

void SetOptionFonts(OptionenTyp& options, const SchriftartenTyp& fonts) {
    options.SchriftMS = fonts.TableMS;
    options.SchriftFS = fonts.TableFS;
    options.SchriftTab = fonts.TableHeader;
    options.DruckSchrift = fonts.Print;
    options.DruckSchriftMS = fonts.PrintMS;
    options.DruckSchriftFS = fonts.PrintFS;
    options.MSFSFontsInTabellenkopf = fonts.HeaderFonts != 0;
}

void ApplyDocumentFonts(VocabDocument& doc, const SchriftartenTyp& fonts) {
    doc.PushUndo("Schriftarten ändern");
    const uint8_t present = doc.Fonts.Present;
    doc.Fonts = fonts;
    doc.Fonts.Present = present;
    doc.SetModified(true);
    doc.RefreshGrid();
}

std::string SampleCaption(const std::string& name, int size) { return name + " " + std::to_string(size) + " Punkt"; }

bool FontTooHigh(int textHeight, bool justChosen) {
    return justChosen ? std::abs(textHeight) > 24 : textHeight >= 29;
}
