#include "htmlengine/ui/QtMeasurer.h"

#include "htmlengine/CodePages.h"
#include "htmlengine/MulDiv.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>

namespace htmlengine {

QFont QtMeasurer::MakeFont(const FontSpec& fontSpec) {
    QFont f(QString::fromStdString(fontSpec.Name));
    if (fontSpec.Name == "Courier New") {
        f.setStyleHint(QFont::TypeWriter);
    } else if (fontSpec.Name == "Times New Roman") {
        f.setStyleHint(QFont::Serif);
    } else {
        f.setStyleHint(QFont::SansSerif);
    }
    f.setPixelSize(std::max(1, MulDiv(fontSpec.Size, 96, 72)));
    f.setBold(fontSpec.Style & fsBold);
    f.setItalic(fontSpec.Style & fsItalic);
    f.setUnderline(fontSpec.Style & fsUnderline);
    f.setStrikeOut(fontSpec.Style & fsStrikeOut);
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

QtMeasurer::Entry& QtMeasurer::Find(const FontSpec& fontSpec) {
    auto same = [&](const Recent& r) {
        return r.entry && fontSpec.Size == r.font.Size && fontSpec.Style == r.font.Style &&
               fontSpec.Charset == r.font.Charset && fontSpec.Name == r.font.Name;
    };
    if (same(recent_[lastRecent_])) return *recent_[lastRecent_].entry;
    for (size_t i = 0; i < recent_.size(); ++i) {
        if (same(recent_[i])) {
            lastRecent_ = i;
            return *recent_[i].entry;
        }
    }
    lastRecent_ = nextRecent_++ % recent_.size();
    Recent& r = recent_[lastRecent_];
    r.entry = &LookupKey(fontSpec);
    r.font = fontSpec;
    return *r.entry;
}

QtMeasurer::Entry& QtMeasurer::LookupKey(const FontSpec& fontSpec) {
    std::string key = fontSpec.Name + '\x01' + std::to_string(fontSpec.Size) + '\x01' + std::to_string(fontSpec.Style) +
                      '\x01' + std::to_string(fontSpec.Charset);
    auto it = cache_.find(key);
    if (it != cache_.end()) {
        return *it->second;
    }
    auto e = std::make_unique<Entry>();
    e->font = MakeFont(fontSpec);
    QFontMetrics fm(e->font);
    e->metrics.Ascent = fm.ascent();
    e->metrics.Descent = fm.descent();
    e->metrics.Height = fm.ascent() + fm.descent();
    e->metrics.ExternalLeading = std::max(0, fm.leading());
    e->metrics.Overhang = 0;
    for (int b = 0; b < 256; ++b) {
        char16_t c = CharsetByteToUnicode(fontSpec.Charset, static_cast<uint8_t>(b));
        if (c == 0xA0) c = u' ';
        e->advance[b] = fm.horizontalAdvance(QChar(c));
    }
    return *cache_.emplace(key, std::move(e)).first->second;
}

const QtMeasurer::Glyphs& QtMeasurer::GlyphsOf(const FontSpec& fontSpec) {
    Entry& e = Find(fontSpec);
    if (e.glyphs) return *e.glyphs;
    auto g = std::make_unique<Glyphs>();
    // The face Qt's layout tries first for Latin and common characters.
    g->face = QRawFont::fromFont(e.font);
    for (int b = 0; b < 256 && g->face.isValid(); ++b) {
        char16_t c = CharsetByteToUnicode(fontSpec.Charset, static_cast<uint8_t>(b));
        if (c == 0xA0) c = u' ';
        const QChar q(c);
        const bool plain = q.isPrint() && !q.isMark() && c != 0xAD &&
                           (q.script() == QChar::Script_Common || q.script() == QChar::Script_Latin);
        if (!plain || !g->face.supportsCharacter(q)) continue;
        const QList<quint32> index = g->face.glyphIndexesForString(QString(q));
        if (index.size() == 1 && index[0] != 0) {
            g->index[size_t(b)] = index[0];
            g->direct.set(size_t(b));
        }
    }
    const QFontMetricsF fm(e.font);
    g->underline = std::ceil(fm.underlinePos()) + 0.5;
    if (fm.underlinePos() <= fm.descent()) g->underline = std::min(g->underline, fm.descent() - 0.5);
    g->strikeOut = -fm.ascent() / 3;
    g->lineWidth = fm.lineWidth();
    e.glyphs = std::move(g);
    return *e.glyphs;
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

int32_t QtMeasurer::FitCount(const FontSpec& font, std::string_view run, int32_t overhang, int32_t room,
                             int32_t& width) {
    // Extents are sums of advances: the first byte that does not fit ends the count.
    const Entry& e = Lookup(font);
    const int32_t size = static_cast<int32_t>(run.size());
    int32_t w = -overhang, k = 0;
    for (; k < size; ++k) {
        const int32_t next = w + e.advance[static_cast<uint8_t>(run[static_cast<size_t>(k)])];
        if (next > room) break;
        w = next;
    }
    width = k ? w : 0;
    return k;
}

FontSpec QtMeasurer::DefaultGuiFont() {
    QFont sys = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    FontSpec fontSpec;
    fontSpec.Name = sys.family().toStdString();
    fontSpec.Size = sys.pointSize() > 0 ? sys.pointSize() : 8;
    fontSpec.Charset = DEFAULT_CHARSET;
    return fontSpec;
}

}  // namespace htmlengine
