#pragma once
// Fonts and metrics through Qt. Every QFont of the engine is built here, with
// pixel sizes (MulDiv(pt, 96, 72)), so layout and painting agree on any paint
// device. Each font keeps a table of its 256 byte advances: the width of a
// run is their sum, as the text is drawn unkerned and unshaped.

#include "htmlengine/TextMeasurer.h"

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QString>
#include <array>
#include <bitset>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace htmlengine {

class QtMeasurer : public TextMeasurer {
public:
    // What painting a byte takes: its glyph in the font's own face, where Qt's
    // text layout would take that very glyph too. Other bytes (a glyph from a
    // fallback face, controls, marks, other scripts) go through the layout.
    struct Glyphs {
        QRawFont face;
        std::array<quint32, 256> index{};
        std::bitset<256> direct;
        // Where Qt's text layout draws the font's lines: offsets from the
        // baseline of the line's centre, and their thickness.
        qreal underline = 0, strikeOut = 0, lineWidth = 1;
    };
    struct Entry {
        QFont font;
        FontMetrics metrics;
        std::array<int32_t, 256> advance{};
        std::unique_ptr<Glyphs> glyphs;  // made at the first paint
    };

    FontMetrics Metrics(const FontSpec& font) override { return Lookup(font).metrics; }
    int32_t Extent(const FontSpec& font, std::string_view run, int32_t n) override;
    int32_t FitCount(const FontSpec& font, std::string_view run, int32_t overhang, int32_t room,
                     int32_t& width) override;
    FontSpec DefaultGuiFont() override;

    const Entry& Lookup(const FontSpec& font) { return Find(font); }
    const Glyphs& GlyphsOf(const FontSpec& font);

    static QFont MakeFont(const FontSpec& font);
    // The bytes as Qt text in the font's code page; 160 becomes a blank.
    static QString Decode(const FontSpec& font, std::string_view bytes);

private:
    Entry& Find(const FontSpec& font);
    Entry& LookupKey(const FontSpec& font);

    std::unordered_map<std::string, std::unique_ptr<Entry>> cache_;
    // Runs ask for the same few fonts over and over (a paragraph switching
    // between its plain and bold face).
    struct Recent {
        FontSpec font;
        Entry* entry = nullptr;
    };
    std::array<Recent, 8> recent_;
    size_t nextRecent_ = 0;
    size_t lastRecent_ = 0;
};

}  // namespace htmlengine
