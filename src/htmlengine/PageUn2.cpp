#include "htmlengine/PageUn2.h"

#include "htmlengine/HtmlSymbols.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace htmlengine {

int32_t SmallerOf(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t LargerOf(int32_t a, int32_t b) { return a > b ? a : b; }

std::string TrimText(std::string_view s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && static_cast<uint8_t>(s[b]) <= 32) ++b;
    while (e > b && static_cast<uint8_t>(s[e - 1]) <= 32) --e;
    return std::string(s.substr(b, e - b));
}

std::string LowerAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return r;
}

std::string UpperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return r;
}

bool SameTextNoCase(std::string_view a, std::string_view b) { return UpperAscii(a) == UpperAscii(b); }

int32_t StrToIntDef(std::string_view s, int32_t def) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size()) return def;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return def;
        v = v * 10 + (s[i] - '0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1) return def;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) return def;
    return static_cast<int32_t>(v);
}

TAttribute* FindAttributeBySymbol(const TAttributeList& list, uint8_t symbol) {
    for (const auto& a : list) {
        if (a->Symbol == symbol) return a.get();
    }
    return nullptr;
}

const std::string* AttributeText(const TAttributeList& list, uint8_t symbol) {
    TAttribute* a = FindAttributeBySymbol(list, symbol);
    return a ? &a->StrValue : nullptr;
}

// ---- image maps

bool MapRegion::Contains(int32_t x, int32_t y) const {
    switch (kind) {
    case Rect:
        return box.Contains(x, y);
    case Ellipse: {
        if (!box.Contains(x, y)) return false;
        double rx = box.Width() / 2.0;
        double ry = box.Height() / 2.0;
        double dx = (x + 0.5 - (box.Left + rx)) / rx;
        double dy = (y + 0.5 - (box.Top + ry)) / ry;
        return dx * dx + dy * dy <= 1.0;
    }
    case Polygon: {
        // Non-zero winding at the pixel's centre.
        double px = x + 0.5;
        double py = y + 0.5;
        int winding = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            double cross = (b.X - a.X) * (py - a.Y) - (px - a.X) * double(b.Y - a.Y);
            if (a.Y <= py) {
                if (b.Y > py && cross > 0) ++winding;
            } else if (b.Y <= py && cross < 0) {
                --winding;
            }
        }
        return winding != 0;
    }
    }
    return false;
}

std::vector<int32_t> ParseCoords(std::string_view text) {
    std::string s = TrimText(text);
    std::vector<int32_t> numbers;
    size_t i = 0;
    while (i < s.size() && numbers.size() < 301) {
        size_t comma = s.find(',', i);
        size_t blank = s.find(' ', i);
        size_t end;
        if (comma != std::string::npos && (blank == std::string::npos || comma < blank)) end = comma;
        else if (blank != std::string::npos) end = blank;
        else end = s.size();
        std::string_view number = std::string_view(s).substr(i, std::min<size_t>(end - i, 20));
        numbers.push_back(StrToIntDef(number, 0));
        i = end;
        while (i < s.size() && (s[i] == ',' || s[i] == ' ')) ++i;
    }
    return numbers;
}

void TMapItem::AddArea(const TAttributeList& attributes) {
    Area area;
    std::string shape;
    std::vector<int32_t> n;
    for (const auto& a : attributes) {
        switch (a->Symbol) {
        case HrefSy: area.Url = a->StrValue; break;
        case NoHrefSy: area.Url.clear(); break;
        case TargetSy: area.Target = a->StrValue; break;
        case ShapeSy: shape = LowerAscii(a->StrValue.substr(0, 4)); break;
        case CoordsSy: n = ParseCoords(a->StrValue); break;
        default: break;
        }
    }
    // NOHREF wins over an HREF given after it, too.
    if (FindAttributeBySymbol(attributes, NoHrefSy)) area.Url.clear();
    MapRegion& r = area.Region;
    if (shape == "circ") {
        if (n.size() < 3) return;
        r.kind = MapRegion::Ellipse;
        r.box = {n[0] - n[2], n[1] - n[2], n[0] + n[2] + 1, n[1] + n[2] + 1};
    } else if (shape == "poly") {
        if (n.size() < 6) return;
        r.kind = MapRegion::Polygon;
        for (size_t k = 0; k + 1 < n.size(); k += 2) r.points.push_back({n[k], n[k + 1]});
    } else {
        if (n.size() < 4) return;
        r.kind = MapRegion::Rect;
        r.box = {std::min(n[0], n[2]), std::min(n[1], n[3]), std::max(n[0], n[2]) + 1, std::max(n[1], n[3]) + 1};
    }
    Areas.push_back(std::move(area));
}

std::unique_ptr<TUrlTarget> TMapItem::HitTest(int32_t x, int32_t y) const {
    for (const Area& a : Areas) {
        if (a.Region.Contains(x, y)) {
            if (a.Url.empty()) return nullptr;
            auto t = std::make_unique<TUrlTarget>();
            t->Url = a.Url;
            t->Target = a.Target;
            return t;
        }
    }
    return nullptr;
}

// ---- indent manager

const IndentManagerBasic::Live IndentManagerBasic::none_;
const TFreeList<IndentRec> IndentManagerBasic::noList_;

void IndentManagerBasic::Reset(int32_t left, int32_t right) {
    LeftBase = left;
    RightBase = right;
    ActiveLevel = 0;
    if (!records_) return;
    auto rebuild = [](const TFreeList<IndentRec>& all, Live& live) {
        live = {};
        for (const auto& r : all) live.records.push_back(r.get());
    };
    rebuild(records_->L, records_->liveL);
    rebuild(records_->R, records_->liveR);
}

void IndentManagerBasic::Clear() { records_.reset(); }

void IndentManagerBasic::Prune(int32_t y) {
    if (!records_) return;
    auto prune = [y](Live& live) {
        IndentRec** kept = live.records.begin();
        for (IndentRec* r : live.records) {
            if (r->BandBottom > y || r->Level != 0) *kept++ = r;
            else live.prunedBottom = std::max(live.prunedBottom, r->BandBottom);
        }
        live.records.resize(static_cast<size_t>(kept - live.records.begin()), nullptr);
    };
    prune(records_->liveL);
    prune(records_->liveR);
}

void IndentManagerBasic::AddRecord(bool left, IndentRec rec) {
    if (!records_) records_ = std::make_unique<Records>();
    IndentRec* r = (left ? records_->L : records_->R).Add(std::make_unique<IndentRec>(rec));
    (left ? records_->liveL : records_->liveR).records.push_back(r);
}

int32_t IndentManagerBasic::LeftEdgeAt(int32_t y) const {
    int32_t best = 0;
    for (const IndentRec* r : LiveL().records) {
        if (r->BandTop <= y && y < r->BandBottom && r->Offset > best) best = r->Offset;
    }
    return best + LeftBase;
}

int32_t IndentManagerBasic::RightEdgeAt(int32_t y) const {
    int32_t best = 0;
    for (const IndentRec* r : LiveR().records) {
        if (r->BandTop <= y && y < r->BandBottom && r->Offset < best) best = r->Offset;
    }
    return best + RightBase;
}

void IndentManagerBasic::AddFloat(int32_t y, int32_t width, int32_t height, int32_t side) {
    if (side == 1) {
        AddRecord(true, IndentRec{LeftEdgeAt(y) + width - LeftBase, y, y + height, 0});
    } else if (side == 3) {
        AddRecord(false, IndentRec{RightEdgeAt(y) - RightBase - width, y, y + height, 0});
    }
}

int32_t IndentManagerBasic::FloatsBottom() const {
    int32_t b = std::max({0, LiveL().prunedBottom, LiveR().prunedBottom});
    for (const IndentRec* r : LiveL().records)
        if (r->Level == 0) b = std::max(b, r->BandBottom);
    for (const IndentRec* r : LiveR().records)
        if (r->Level == 0) b = std::max(b, r->BandBottom);
    return b;
}

void IndentManagerBasic::ClearBottoms(int32_t& left, int32_t& right) const {
    left = LiveL().prunedBottom + 1;  // 0 when nothing left the lists
    right = LiveR().prunedBottom + 1;
    for (const IndentRec* r : LiveL().records)
        if (r->Level == 0) left = std::max(left, r->BandBottom + 1);
    for (const IndentRec* r : LiveR().records)
        if (r->Level == 0) right = std::max(right, r->BandBottom + 1);
}

// Bands that left the live lists ended above every y still asked about, so
// they cannot reach below the section being laid out.
int32_t IndentManagerBasic::LevelBandBottom() const {
    int32_t reference = 0;
    for (const IndentRec* r : LiveL().records) {
        if (r->Level == ActiveLevel && r->BandBottom == OpenBandBottom) reference = r->Offset;
    }
    int32_t bottom = -1;
    for (const IndentRec* r : LiveL().records) {
        if (r->Offset > reference) bottom = std::max(bottom, r->BandBottom);
    }
    return bottom < 0 ? 0 : bottom + 1;
}

void IndentManagerBasic::CloseLevelsAbove(int32_t y, int32_t level) {
    for (IndentRec* r : LiveL().records) {
        if (r->Level > level) {
            r->Level = 0;
            r->BandBottom = y - 1;
        }
    }
}

void IndentManagerBasic::SetLevel(int32_t y, int32_t level, int32_t unit) {
    if (level > ActiveLevel) {
        for (int32_t d = ActiveLevel + 1; d <= level; ++d) {
            AddRecord(true, IndentRec{LeftEdgeAt(y) + unit - LeftBase, y, OpenBandBottom, d});
        }
    } else if (level < ActiveLevel) {
        CloseLevelsAbove(y, level);
    }
    ActiveLevel = level;
}

void IndentManagerBasic::SetDefinitionLevel(int32_t y, int32_t level) {
    if (level == ActiveLevel + 1) {
        AddRecord(true, IndentRec{LeftEdgeAt(y) - LeftBase + DefinitionIndent, y, OpenBandBottom, level});
        ActiveLevel = level;
    } else if (ActiveLevel == level + 1 && ActiveLevel > 0) {
        CloseLevelsAbove(y, level);
        ActiveLevel = level;
    }
}

// ---- links and character sets

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

size_t FindNoCase(const std::string& s, std::string_view what) {
    return LowerAscii(s).find(what);
}

}  // namespace

std::string LinkToFilePath(std::string_view link) {
    std::string s(link);
    for (;;) {
        size_t p = s.find('%');
        if (p == std::string::npos || p == 0 || p + 2 >= s.size()) break;
        int hi = HexDigit(s[p + 1]);
        int lo = HexDigit(s[p + 2]);
        // A NUL byte would end the path early; decoding stops there.
        if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) break;
        s.replace(p, 3, 1, static_cast<char>(hi * 16 + lo));
    }
    if (s.find('/') != std::string::npos) {
        if (size_t f = FindNoCase(s, "file:///"); f != std::string::npos) {
            s.erase(f, 8);
        } else if (size_t g = FindNoCase(s, "file://"); g != std::string::npos) {
            s.erase(g, 7);
        }
        std::replace(s.begin(), s.end(), '|', ':');
        std::replace(s.begin(), s.end(), '/', '\\');
    }
    return s;
}

std::string LinkToServerPath(std::string_view link, std::string_view serverRoot) {
    std::string s = LinkToFilePath(link);
    if (!s.empty() && s[0] == '\\') s.insert(0, serverRoot);
    return s;
}

uint8_t CharsetFromName(uint8_t defaultCharset, std::string_view text) {
    static const struct {
        const char* Text;
        uint8_t Charset;
    } kRows[] = {{"1252", 0},   {"8859-1", 0},   {"1253", 161},   {"8859-7", 161}, {"1250", 238},
                 {"8859-2", 238}, {"1251", 204}, {"8859-5", 204}, {"koi8-r", 204}, {"1254", 162},
                 {"8859-3", 162}, {"8859-9", 162}, {"1257", 186}, {"8859-4", 186}};
    std::string s = LowerAscii(text);
    for (const auto& row : kRows) {
        if (s.find(row.Text) != std::string::npos) return row.Charset;
    }
    return defaultCharset;
}

void WriteLineTo(std::string& buffer, std::string_view data) {
    buffer.append(data);
    buffer.append("\r\n");
}

// ---- drawing helpers

void DrawWrappedText(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     std::string_view text, const FontSpec& font) {
    TextMeasurer& m = canvas.Measurer();
    const int32_t lineHeight = m.TextHeight(font);
    const TRect clip{left, top, right, bottom};
    std::string rest(text);
    std::string line;
    int32_t y = top;
    auto draw = [&] {
        std::string shown = line;
        while (!shown.empty() && shown.back() == ' ') shown.pop_back();
        if (!shown.empty()) canvas.TextOut(left, y, shown, font, TextAnchor::Top, std::nullopt, &clip);
    };
    while (y + lineHeight <= bottom) {
        rest = TrimText(rest);
        if (rest.empty()) break;
        size_t blank = rest.find(' ');
        std::string word = rest.substr(0, blank);
        rest = blank == std::string::npos ? std::string() : rest.substr(blank);
        if (!line.empty() && m.TextWidth(font, line + word) > right - left) {
            draw();
            y += lineHeight;
            line = word + " ";
        } else {
            line += word + " ";
        }
    }
    if (y + lineHeight <= bottom) draw();
}

int32_t TextExtentWidth(TextMeasurer& measurer, const FontSpec& font, std::string_view chars, int32_t count) {
    return measurer.Extent(font, chars, count);
}

void DrawBorder3D(TColor background, Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  bool raised) {
    top = std::max(top, -200);
    bottom = std::min(bottom, 3000);
    TColor light = IsWhiteBackground(background, canvas.System()) ? clSilver : clBtnHighlight;
    TColor dark = clBtnShadow;
    canvas.Polyline({{left, bottom}, {left, top}, {right, top}}, raised ? light : dark);
    canvas.Polyline({{right, top}, {right, bottom}, {left, bottom}}, raised ? dark : light);
}

}  // namespace htmlengine
