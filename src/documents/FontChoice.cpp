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

int32_t ShownFontSize(const SchriftartTyp& rec, FontPlace place, const OptionenTyp& options) {
    if (rec.Size > 0) return rec.Size;
    const int32_t option = (OptionFonts(options).*place).Size;
    if (option > 0) return option;
    OptionenTyp builtIn;
    SetDefaultOptions(builtIn, {});
    return (OptionFonts(builtIn).*place).Size;
}

SchriftartenTyp ShownFonts(const SchriftartenTyp& fonts, const OptionenTyp& options) {
    SchriftartenTyp shown = fonts;
    for (FontPlace place : kFontPlaces) (shown.*place).Size = ShownFontSize(fonts.*place, place, options);
    return shown;
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
