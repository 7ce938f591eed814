#include "frame/Sonderzeichen.h"

#include <utility>

#include "platform/CodePage.h"

namespace {

const std::pair<const char*, uint8_t> kCzPictures[] = {
    {"c_hacek", 232},     {"e_hacek", 236},     {"n_hacek", 242},     {"r_hacek", 248},     {"s_hacek", 154},
    {"z_hacek", 158},     {"c_hacek_big", 200}, {"n_hacek_big", 210}, {"e_hacek_big", 204}, {"r_hacek_big", 216},
    {"s_hacek_big", 138}, {"z_hacek_big", 142}, {"u_kringel", 249},   {"u_kringel_big", 217},
};

std::string Caption(char key, platform::CodePage page, uint8_t code) {
    return std::string("&") + key + "   " + platform::BytesToUtf8(page, std::string(1, char(code)));
}

// Items keyed 1 to 9, then 0.
SpecialCharSubmenu Letters(const char* caption, const std::vector<uint8_t>& codes) {
    SpecialCharSubmenu menu{caption, {}};
    for (size_t i = 0; i < codes.size(); ++i) {
        const char key = char('0' + (i + 1) % 10);
        menu.items.push_back({Caption(key, platform::CodePage::Cp1252, codes[i]), "", codes[i]});
    }
    return menu;
}

SpecialCharItem CzLetter(char key, uint8_t code) {
    return {Caption(key, platform::CodePage::Cp1250, code), "", code};
}

// A picture item: shown with its letter, giving the code its name stands for.
SpecialCharItem CzPicture(char key, const char* name) {
    const uint8_t code = *CzPictureCode(name);
    return {Caption(key, platform::CodePage::Cp1250, code), name, code};
}

}  // namespace

const std::vector<SpecialCharSubmenu>& BpopMenu() {
    static const std::vector<SpecialCharSubmenu> menu = {
        Letters("&A", {0xE1, 0xE0, 0xE2, 0xE3, 0xE5, 0xC1, 0xC0, 0xC2, 0xC3, 0xC5}),
        Letters("&E", {0xE9, 0xE8, 0xEA, 0xEB, 0xC9, 0xC8, 0xCA, 0xCB}),
        Letters("&I", {0xED, 0xEC, 0xEE, 0xEF, 0xCD, 0xCC, 0xCE, 0xCF}),
        Letters("&O", {0xF3, 0xF2, 0xF4, 0xF5, 0xD3, 0xD2, 0xD4, 0xD5}),
        Letters("&U", {0xFA, 0xF9, 0xFB, 0xDA, 0xD9, 0xDB}),
        Letters("&Div.", {0xE7, 0xC7, 0xF1, 0xD1, 0xFD, 0xDD, 0xFF}),
    };
    return menu;
}

const std::vector<SpecialCharSubmenu>& BpopCzMenu() {
    static const std::vector<SpecialCharSubmenu> menu = {
        {"lange &Vokale",
         {CzLetter('1', 0xE1), CzLetter('2', 0xE9), CzLetter('3', 0xED), CzLetter('4', 0xF3), CzLetter('5', 0xFA),
          CzLetter('6', 0xFD), CzPicture('7', "u_kringel")}},
        {"lange Vokale, &groß",
         {CzLetter('1', 0xC1), CzLetter('2', 0xC9), CzLetter('3', 0xCD), CzLetter('5', 0xD3), CzLetter('4', 0xDA),
          CzLetter('6', 0xDD), CzPicture('7', "u_kringel_big")}},
        {"mit &Häkchen",
         {CzPicture('1', "c_hacek"), CzPicture('2', "e_hacek"), CzPicture('3', "n_hacek"), CzPicture('4', "r_hacek"),
          CzPicture('5', "s_hacek"), CzPicture('6', "z_hacek")}},
        {"mit Hä&kchen, groß",
         {CzPicture('1', "c_hacek_big"), CzPicture('2', "e_hacek_big"), CzPicture('3', "n_hacek_big"),
          CzPicture('4', "r_hacek_big"), CzPicture('5', "s_hacek_big"), CzPicture('6', "z_hacek_big")}},
    };
    return menu;
}

std::optional<uint8_t> CzPictureCode(const std::string& componentName) {
    for (const auto& [name, code] : kCzPictures) {
        if (componentName == name) return code;
    }
    return std::nullopt;
}
