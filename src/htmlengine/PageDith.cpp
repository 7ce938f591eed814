#include "htmlengine/PageDith.h"

#include <algorithm>
#include <cstdlib>

namespace htmlengine {

void RaiseGIFError(const std::string& message) { throw GIFException(message); }

int RowBytes(int width, int bits) { return ((width * bits + 31) & ~31) / 8; }

TDIB::TDIB(const EngineBitmap& source) : width_(source.Width()), height_(source.Height()) {
    if (source.IsEmpty()) {
        RaiseGIFError(kBitmapNotValid);
    }
}

void TDIB::CheckRow(int row) const {
    if (row < 0 || row >= height_) {
        throw EInvalidGraphicOperation(kScanLineOutOfRange);
    }
}

TDIBReader::TDIBReader(const EngineBitmap& source) : TDIB(source) {
    bits_.resize(size_t(width_) * size_t(height_) * 3);
    uint8_t* out = bits_.data();
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const uint32_t c = source.PixelArgb(x, y);
            *out++ = BlueOf(c);
            *out++ = GreenOf(c);
            *out++ = RedOf(c);
        }
    }
}

const uint8_t* TDIBReader::RowAddress(int row) const {
    CheckRow(row);
    return bits_.data() + size_t(row) * size_t(width_) * 3;
}

TDIBWriter::TDIBWriter(EngineBitmap& target) : TDIB(target), target_(target) {
    if (target.Format() != PixelFormat::Indexed8) {
        RaiseGIFError("Invalid pixel format");
    }
}

uint8_t* TDIBWriter::RowAddress(int row) {
    CheckRow(row);
    return target_.Row8(row);
}

TFastColorLookup::TFastColorLookup(const std::vector<uint32_t>& palette)
    : paletteCopy_(palette.begin(), palette.begin() + std::min<ptrdiff_t>(ptrdiff_t(palette.size()), 256)),
      inverseTable_(32768, -1) {
    ColorCount = int(paletteCopy_.size());
    for (int a = 0; a < ColorCount; ++a) {
        const uint32_t c = paletteCopy_[size_t(a)];
        int16_t& slot = inverseTable_[size_t(Key(RedOf(c), GreenOf(c), BlueOf(c)))];
        if (slot == -1) {
            slot = int16_t(a);
        }
    }
}

int TFastColorLookup::MatchColor(int r, int g, int b, int& ro, int& go, int& bo) {
    int16_t& slot = inverseTable_[size_t(Key(r, g, b))];
    if (slot == -1) {
        int best = 0x30000;
        for (int a = 0; a < ColorCount; ++a) {
            const uint32_t c = paletteCopy_[size_t(a)];
            const int d = std::abs(RedOf(c) - r) + std::abs(GreenOf(c) - g) + std::abs(BlueOf(c) - b);
            if (d < best) {
                best = d;
                slot = int16_t(a);
            }
        }
    }
    const uint32_t c = paletteCopy_[size_t(slot)];
    ro = RedOf(c);
    go = GreenOf(c);
    bo = BlueOf(c);
    return slot;
}

int TNetscapeColorLookup::MatchColor(int r, int g, int b, int& ro, int& go, int& bo) {
    const int qr = (r + 3) / 51, qg = (g + 3) / 51, qb = (b + 3) / 51;
    ro = qr * 51;
    go = qg * 51;
    bo = qb * 51;
    return qb + qg * 6 + qr * 36;
}

int TDitherEngine::DitherPixel(int r, int g, int b, int& ro, int& go, int& bo) {
    const int index = Matcher.MatchColor(r, g, b, ro, go, bo);
    Position += Step;
    return index;
}

void TDitherEngine::NextRow() {
    Step = -Step;
    Position = Step > 0 ? 0 : RowWidth - 1;
}

TFloydSteinbergEngine::TFloydSteinbergEngine(int width, TColorLookup& lookup) : TDitherEngine(width, lookup) {
    for (Channel& c : channels_) {
        c.row.assign(size_t(width) + 2, 0);
    }
}

int TFloydSteinbergEngine::DitherPixel(int r, int g, int b, int& ro, int& go, int& bo) {
    const int in[3] = {r, g, b};
    int v[3];
    for (int i = 0; i < 3; ++i) {
        Channel& c = channels_[i];
        v[i] = std::clamp(in[i] + (c.row[size_t(cursor_ + Step)] + c.carry + 8) / 16, 0, 255);
    }
    const int index = TDitherEngine::DitherPixel(v[0], v[1], v[2], ro, go, bo);
    const int chosen[3] = {ro, go, bo};
    for (int i = 0; i < 3; ++i) {
        Channel& c = channels_[i];
        const int e = v[i] - chosen[i];
        c.row[size_t(cursor_)] = c.belowBehind + 3 * e;
        c.belowBehind = c.below + 5 * e;
        c.below = e;
        c.carry = 7 * e;
    }
    cursor_ += Step;
    return index;
}

void TFloydSteinbergEngine::NextRow() {
    for (Channel& c : channels_) {
        c.row[size_t(cursor_)] = c.belowBehind;
        c.carry = c.below = c.belowBehind = 0;
    }
    TDitherEngine::NextRow();
    cursor_ = Step > 0 ? 0 : RowWidth + 1;
}

TColorQuantizer::TColorQuantizer(int colorLimit, int depthLimit)
    : ColorLimit(std::max(1, colorLimit)), DepthLimit(std::clamp(depthLimit, 1, 8)) {}

void TColorQuantizer::InsertColor(std::unique_ptr<TOctreeNode>& node, int r, int g, int b, int level) {
    if (!node) {
        node = std::make_unique<TOctreeNode>();
        if (level == DepthLimit) {
            node->Terminal = true;
            ++Leaves;
        } else {
            node->NextReducible = ReducibleLists[level];
            ReducibleLists[level] = node.get();
        }
    }
    if (node->Terminal) {
        ++node->Hits;
        node->SumR += r;
        node->SumG += g;
        node->SumB += b;
        return;
    }
    const int m = 0x80 >> level, s = 7 - level;
    const int child = ((r & m) >> s) << 2 | ((g & m) >> s) << 1 | ((b & m) >> s);
    InsertColor(node->Child[child], r, g, b, level + 1);
}

void TColorQuantizer::MergeDeepestNode() {
    int level = DepthLimit - 1;
    while (level > 0 && ReducibleLists[level] == nullptr) {
        --level;
    }
    TOctreeNode* node = ReducibleLists[level];
    if (node == nullptr) {
        return;
    }
    ReducibleLists[level] = node->NextReducible;
    int children = 0;
    for (auto& child : node->Child) {
        if (child) {
            node->Hits += child->Hits;
            node->SumR += child->SumR;
            node->SumG += child->SumG;
            node->SumB += child->SumB;
            child.reset();
            ++children;
        }
    }
    node->Terminal = true;
    Leaves -= children - 1;
}

void TColorQuantizer::AddColor(int r, int g, int b) {
    InsertColor(Root, r, g, b, 0);
    while (Leaves > ColorLimit) {
        const int before = Leaves;
        MergeDeepestNode();
        if (Leaves == before) {
            break; // nothing left to merge
        }
    }
}

std::vector<uint32_t> TColorQuantizer::Colors() const {
    std::vector<uint32_t> colors;
    auto collect = [&](auto&& self, const TOctreeNode* node) -> void {
        if (node == nullptr) {
            return;
        }
        if (node->Terminal) {
            colors.push_back(node->Hits == 0 ? 0xFF000000u
                                             : Argb(uint8_t(node->SumR / node->Hits), uint8_t(node->SumG / node->Hits),
                                                    uint8_t(node->SumB / node->Hits)));
            return;
        }
        for (const auto& child : node->Child) {
            self(self, child.get());
        }
    };
    collect(collect, Root.get());
    return colors;
}

std::vector<uint32_t> CreateCubePalette() {
    std::vector<uint32_t> palette;
    palette.reserve(216);
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 6; ++j) {
            for (int k = 0; k < 6; ++k) {
                palette.push_back(Argb(uint8_t(i * 51), uint8_t(j * 51), uint8_t(k * 51)));
            }
        }
    }
    return palette;
}

std::vector<uint32_t> BuildOptimizedPalette(const TDIBReader& reader, int colors, int depth, bool keepSystemColors) {
    int count = colors;
    size_t first = 0;
    std::vector<uint32_t> palette;
    if (keepSystemColors) {
        palette.assign(256, 0xFF000000u);
        const auto& statics = SystemStaticColors();
        std::copy(statics.begin(), statics.begin() + 10, palette.begin());
        std::copy(statics.begin() + 10, statics.end(), palette.begin() + 246);
        count = 236;
        first = 10;
    } else {
        palette.assign(size_t(std::clamp(colors, 0, 256)), 0xFF000000u);
    }
    TColorQuantizer quantizer(count, depth);
    for (int y = 0; y < reader.Height(); ++y) {
        const uint8_t* p = reader.RowAddress(y);
        for (int x = 0; x < reader.Width(); ++x, p += 3) {
            quantizer.AddColor(p[2], p[1], p[0]);
        }
    }
    const std::vector<uint32_t> found = quantizer.Colors();
    const size_t n = std::min({found.size(), size_t(std::max(count, 0)), palette.size() - first});
    std::copy(found.begin(), found.begin() + ptrdiff_t(n), palette.begin() + ptrdiff_t(first));
    return palette;
}

std::vector<uint32_t> BuildOptimizedPaletteOf(const EngineBitmap& bitmap, int colors, int depth, bool keepSystemColors) {
    return BuildOptimizedPalette(TDIBReader(bitmap), colors, depth, keepSystemColors);
}

EngineBitmap ReduceBitmapColors(const EngineBitmap& bitmap, int paletteMode, int ditherMode, const ScreenState& screen) {
    if (paletteMode == kPaletteNone) {
        EngineBitmap copy = bitmap.ToArgb32();
        for (int y = 0; y < copy.Height(); ++y) {
            for (int x = 0; x < copy.Width(); ++x) {
                copy.Row32(y)[x] |= 0xFF000000u;
            }
        }
        return copy;
    }
    EngineBitmap result(bitmap.Width(), bitmap.Height(), PixelFormat::Indexed8);
    const bool known = paletteMode == kPaletteSystem || paletteMode == kPaletteCube ||
                       paletteMode == kPaletteEngine || paletteMode == kPaletteOptimized;
    if (!known || (ditherMode != kDitherNearest && ditherMode != kDitherFloydSteinberg)) {
        return result;
    }
    const TDIBReader reader(bitmap);
    switch (paletteMode) {
    case kPaletteSystem: result.palette = SystemDefaultPalette(); break;
    case kPaletteCube: result.palette = CreateCubePalette(); break;
    case kPaletteEngine: result.palette = screen.EnginePalette(); break;
    default: result.palette = BuildOptimizedPalette(reader, 256, 8, true); break;
    }
    std::unique_ptr<TColorLookup> lookup;
    if (paletteMode == kPaletteCube) {
        lookup = std::make_unique<TNetscapeColorLookup>();
    } else {
        lookup = std::make_unique<TFastColorLookup>(result.palette);
    }
    if (lookup->ColorCount < 1) {
        return result;
    }
    const int width = bitmap.Width();
    std::unique_ptr<TDitherEngine> engine;
    if (ditherMode == kDitherFloydSteinberg) {
        engine = std::make_unique<TFloydSteinbergEngine>(width, *lookup);
    } else {
        engine = std::make_unique<TDitherEngine>(width, *lookup);
    }
    TDIBWriter writer(result);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* src = reader.RowAddress(y);
        uint8_t* dst = writer.RowAddress(y);
        while (engine->Position >= 0 && engine->Position < width) {
            const int x = engine->Position;
            const uint8_t* p = src + 3 * x;
            int r, g, b;
            dst[x] = uint8_t(engine->DitherPixel(p[2], p[1], p[0], r, g, b));
        }
        engine->NextRow();
    }
    return result;
}

EngineBitmap MakeDisplayBitmap(const EngineBitmap& picture, const ScreenState& screen) {
    if (picture.IsEmpty()) {
        return {};
    }
    const int mode = screen.ColorDepth() < 8 ? kPaletteSystem : kPaletteEngine;
    return ReduceBitmapColors(picture, mode, kDitherFloydSteinberg, screen);
}

} // namespace htmlengine
