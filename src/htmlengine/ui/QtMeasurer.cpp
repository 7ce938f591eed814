#include "htmlengine/ui/QtMeasurer.h"

#include "htmlengine/CodePages.h"
#include "htmlengine/MulDiv.h"

#include <QFontDatabase>
#include <algorithm>

namespace htmlengine {

QFont QtMeasurer::MakeFont(const FontSpec& spec) {
    QFont f(QString::fromStdString(spec.Name));
    if (spec.Name == "Courier New") {
        f.setStyleHint(QFont::TypeWriter);
    } else if (spec.Name == "Times New Roman") {
        f.setStyleHint(QFont::Serif);
    } else {
        f.setStyleHint(QFont::SansSerif);
    }
    f.setPixelSize(std::max(1, MulDiv(spec.Size, 96, 72)));
    f.setBold(spec.Style & fsBold);
    f.setItalic(spec.Style & fsItalic);
    f.setUnderline(spec.Style & fsUnderline);
    f.setStrikeOut(spec.Style & fsStrikeOut);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QString QtMeasurer::Decode(const FontSpec& font, std::string_view bytes) {
    std::u16string u = CharsetBytesToUtf16(font.Charset, bytes);
    for (char16_t& c : u) {
        if (c == 0xA0) c = u' ';
    }
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

const QtMeasurer::Entry& QtMeasurer::Lookup(const FontSpec& spec) {
    if (last_ && spec.Size == lastSpec_.Size && spec.Style == lastSpec_.Style &&
        spec.Charset == lastSpec_.Charset && spec.Name == lastSpec_.Name) {
        return *last_;
    }
    last_ = &LookupKey(spec);
    lastSpec_ = spec;
    return *last_;
}

const QtMeasurer::Entry& QtMeasurer::LookupKey(const FontSpec& spec) {
    std::string key = spec.Name + '\x01' + std::to_string(spec.Size) + '\x01' + std::to_string(spec.Style) +
                      '\x01' + std::to_string(spec.Charset);
    auto it = cache_.find(key);
    if (it != cache_.end()) {
        return *it->second;
    }
    auto e = std::make_unique<Entry>();
    e->font = MakeFont(spec);
    QFontMetrics fm(e->font);
    e->metrics.Ascent = fm.ascent();
    e->metrics.Descent = fm.descent();
    e->metrics.Height = fm.ascent() + fm.descent();
    e->metrics.ExternalLeading = std::max(0, fm.leading());
    e->metrics.Overhang = 0;
    for (int b = 0; b < 256; ++b) {
        char16_t c = CharsetByteToUnicode(spec.Charset, static_cast<uint8_t>(b));
        if (c == 0xA0) c = u' ';
        e->advance[b] = fm.horizontalAdvance(QChar(c));
    }
    return *cache_.emplace(key, std::move(e)).first->second;
}

int32_t QtMeasurer::Extent(const FontSpec& font, std::string_view run, int32_t n) {
    const Entry& e = Lookup(font);
    n = std::clamp<int32_t>(n, 0, static_cast<int32_t>(run.size()));
    int32_t w = 0;
    for (int32_t i = 0; i < n; ++i) {
        w += e.advance[static_cast<uint8_t>(run[i])];
    }
    return w;
}

FontSpec QtMeasurer::DefaultGuiFont() {
    QFont sys = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    FontSpec spec;
    spec.Name = sys.family().toStdString();
    spec.Size = sys.pointSize() > 0 ? sys.pointSize() : 8;
    spec.Charset = DEFAULT_CHARSET;
    return spec;
}

}  // namespace htmlengine
