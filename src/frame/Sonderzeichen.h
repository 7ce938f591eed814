#pragma once
// The frame's two special-character popups, Bpop (Western letters) and
// BpopCz (Czech letters), as data: submenus of items, each naming the
// code-page byte it stands for. The byte chosen last is the option
// "Letztes Sonderzeichen".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SpecialCharItem {
    std::string caption;  // UTF-8, "&" + key + three blanks + the character
    std::string name;     // the component name of a picture item, else empty
    uint8_t code = 0;     // the byte the item gives: Windows-1252 in Bpop, Windows-1250 in BpopCz
};

struct SpecialCharSubmenu {
    std::string caption;
    std::vector<SpecialCharItem> items;
};

const std::vector<SpecialCharSubmenu>& BpopMenu();
const std::vector<SpecialCharSubmenu>& BpopCzMenu();

// The Windows-1250 code of a picture item of BpopCz ("c_hacek" 232, ...).
std::optional<uint8_t> CzPictureCode(const std::string& componentName);
