#pragma once
// Dialogs that the general options dialog opens but does not own register
// here how they are shown. A button whose dialog is not registered stays
// disabled.

#include <functional>
#include <string>

constexpr const char* kDefaultFontsExplanation =
    "Legen Sie hier die Standardschriftart fest. Diese wird für alle neuen Dateien verwendet.";

struct OptionsDialogHooks {
    // The fonts dialog on the default fonts, modal: its explanation label
    // takes the text and its Tag becomes 0. It writes the fonts of Optionen.
    std::function<void(const std::string& explanation)> showDefaultFonts;
    // The word-part rules dialog, modal.
    std::function<void()> showWordPartRules;
};

OptionsDialogHooks& TheOptionsDialogHooks();
