#pragma once
// Small shared pieces of the engine: owning lists, tag attributes, link
// targets, image maps, the indent bookkeeping around floats and list levels,
// text tokens with source positions, link-to-path conversion and three
// drawing helpers.

#include "htmlengine/Canvas.h"
#include "htmlengine/CompactVector.h"
#include "htmlengine/EngineColor.h"
#include "htmlengine/TextMeasurer.h"

#include <cstdint>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace htmlengine {

int32_t SmallerOf(int32_t a, int32_t b);
int32_t LargerOf(int32_t a, int32_t b);
// Removes every character with a code 0-32 at both ends.
std::string TrimText(std::string_view s);
std::string LowerAscii(std::string_view s);
std::string UpperAscii(std::string_view s);
// Case-insensitive compare of ASCII letters.
bool SameTextNoCase(std::string_view a, std::string_view b);
// A decimal integer with an optional sign and nothing else, or the default.
int32_t StrToIntDef(std::string_view s, int32_t def);

struct TAttribute {
    uint8_t Symbol = 0;
    int32_t IntValue = 0;
    std::string StrValue;
};

// The attributes of one tag. The tokenizer refills one list tag after tag:
// Clear keeps the attribute objects, and the room of their texts, for the
// next tag.
class TAttributeList {
public:
    void Add(uint8_t symbol, int32_t intValue, std::string_view strValue) {
        if (count_ == items_.size()) items_.push_back(std::make_unique<TAttribute>());
        TAttribute& a = *items_[count_++];
        a.Symbol = symbol;
        a.IntValue = intValue;
        a.StrValue.assign(strValue);
    }
    void Clear() { count_ = 0; }
    int32_t Count() const { return static_cast<int32_t>(count_); }
    bool Empty() const { return count_ == 0; }
    TAttribute* operator[](int32_t i) const { return items_[static_cast<size_t>(i)].get(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.begin() + static_cast<std::ptrdiff_t>(count_); }

private:
    std::vector<std::unique_ptr<TAttribute>> items_;
    size_t count_ = 0;
};

// The first attribute with that symbol, or null.
TAttribute* FindAttributeBySymbol(const TAttributeList& list, uint8_t symbol);
// The text of the first attribute with that symbol, or null.
const std::string* AttributeText(const TAttributeList& list, uint8_t symbol);

struct TUrlTarget {
    std::string Url;
    std::string Target;
    void Assign(const std::optional<std::string>& url, const std::optional<std::string>& target) {
        if (url) Url = *url;
        if (target) Target = *target;
    }
    void Clear() {
        Url.clear();
        Target.clear();
    }
};

// One clickable area of an image map, as plain geometry.
struct MapRegion {
    enum Kind { Rect, Ellipse, Polygon } kind = Rect;
    TRect box;                     // rectangle and ellipse, right/bottom-exclusive
    std::vector<TPoint> points;    // polygon, filled by the winding rule
    bool Contains(int32_t x, int32_t y) const;
};

class TMapItem {
public:
    std::string MapKey;
    struct Area {
        std::string Url;  // empty for NOHREF
        std::string Target;
        MapRegion Region;
    };
    std::vector<Area> Areas;

    void AddArea(const TAttributeList& attributes);
    // The target of the first area holding the point; none when that area
    // has no link or no area holds it.
    std::unique_ptr<TUrlTarget> HitTest(int32_t x, int32_t y) const;
};

// The numbers of a COORDS value (at most 301).
std::vector<int32_t> ParseCoords(std::string_view text);

constexpr int32_t OpenBandBottom = 9999999;
constexpr int32_t ListIndentUnit = 35;
constexpr int32_t DefinitionIndent = 15;

struct IndentRec {
    int32_t Offset = 0;
    int32_t BandTop = 0;
    int32_t BandBottom = 0;  // exclusive
    int32_t Level = 0;       // 0 for floats, else the list level
};

// Left and right edges of a cell's layout, narrowed by floats and list levels.
// One current list level: Reset zeroes it, SetLevel and SetDefinitionLevel
// move it.
class IndentManagerBasic {
    struct Records;
    std::unique_ptr<Records> records_;  // first, so that a cell's fields may follow in the room after the last

public:
    int32_t AvailWidth = 0;
    int32_t ClipWidth = 0;  // while painting: where preformatted lines are cut
    int32_t LeftBase = 0;
    int32_t RightBase = 0;
    int32_t ActiveLevel = 0;

    // Also brings every record back into the queries.
    void Reset(int32_t left, int32_t right);
    void Clear();
    // Layout goes down a cell: bands that ended at or above y leave the
    // queries (their bottoms still count for the float bottoms), so long
    // pages do not slow down with every float and list they had.
    void Prune(int32_t y);
    int32_t LeftEdgeAt(int32_t y) const;
    int32_t RightEdgeAt(int32_t y) const;
    // side 1 left, 3 right.
    void AddFloat(int32_t y, int32_t width, int32_t height, int32_t side);
    int32_t FloatsBottom() const;
    void ClearBottoms(int32_t& left, int32_t& right) const;
    int32_t LevelBandBottom() const;
    void SetLevel(int32_t y, int32_t level, int32_t unit = ListIndentUnit);
    void SetDefinitionLevel(int32_t y, int32_t level);
    // The records of the left and the right edge, in the order they came.
    const TFreeList<IndentRec>& L() const { return records_ ? records_->L : noList_; }
    const TFreeList<IndentRec>& R() const { return records_ ? records_->R : noList_; }

private:
    void CloseLevelsAbove(int32_t y, int32_t level);
    void AddRecord(bool left, IndentRec rec);
    struct Live {
        ThinVector<IndentRec*> records;
        int32_t prunedBottom = -1;  // of the records no longer live
    };
    // Most cells have no float and no list: their records take no room.
    struct Records {
        TFreeList<IndentRec> L, R;
        Live liveL, liveR;
    };
    const Live& LiveL() const { return records_ ? records_->liveL : none_; }
    const Live& LiveR() const { return records_ ? records_->liveR : none_; }
    static const Live none_;
    static const TFreeList<IndentRec> noList_;
};

// Text with one source position per character.
class TokenObj {
public:
    std::string Text;
    std::vector<int32_t> Positions;

    int32_t Leng() const { return static_cast<int32_t>(Text.size()); }
    void AppendChar(char ch, int32_t pos) {
        Text.push_back(ch);
        Positions.push_back(pos);
    }
    // Text whose characters stand at firstPos, firstPos + 1, ...
    void AppendRun(std::string_view text, int32_t firstPos) {
        Text.append(text);
        const size_t from = Positions.size();
        Positions.resize(from + text.size());
        std::iota(Positions.begin() + static_cast<std::ptrdiff_t>(from), Positions.end(), firstPos);
    }
    void AppendToken(const TokenObj& other) {
        Text += other.Text;
        Positions.insert(Positions.end(), other.Positions.begin(), other.Positions.end());
    }
    // Keeps the first n characters.
    void Truncate(size_t n) {
        Text.resize(n);
        Positions.resize(n);
    }
    void Clear() {
        Text.clear();
        Positions.clear();
    }
};

std::string LinkToFilePath(std::string_view link);
std::string LinkToServerPath(std::string_view link, std::string_view serverRoot);
uint8_t CharsetFromName(uint8_t defaultCharset, std::string_view text);

// Appends the data and CR LF.
void WriteLineTo(std::string& buffer, std::string_view data);

// Word-wrapped text in the rectangle, top-anchored, each line clipped to it.
void DrawWrappedText(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     std::string_view text, const FontSpec& font);
int32_t TextExtentWidth(TextMeasurer& measurer, const FontSpec& font, std::string_view chars, int32_t count);
void DrawBorder3D(TColor background, Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  bool raised);

}  // namespace htmlengine
