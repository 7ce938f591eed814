// Colour reduction: lookups, the Floyd-Steinberg kernel and its serpentine
// walk, the octree palette, and the reduction used on 8-bit screens.
#include "htmlengine/PageDith.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace htmlengine;

namespace {

EngineBitmap Filled(int w, int h, uint32_t argb) {
    EngineBitmap b(w, h, PixelFormat::Argb32);
    b.Fill(argb);
    return b;
}

} // namespace

TEST(ColorLookup, CubeArithmetic) {
    TNetscapeColorLookup cube;
    struct Case { int r, g, b, index, ro, go, bo; };
    for (const Case& c : {Case{255, 0, 47, 180, 255, 0, 0}, Case{48, 48, 48, 43, 51, 51, 51}, Case{0, 0, 0, 0, 0, 0, 0},
                          Case{255, 255, 255, 215, 255, 255, 255}}) {
        int r, g, b;
        EXPECT_EQ(cube.MatchColor(c.r, c.g, c.b, r, g, b), c.index);
        EXPECT_EQ(r, c.ro);
        EXPECT_EQ(g, c.go);
        EXPECT_EQ(b, c.bo);
    }
    const auto palette = CreateCubePalette();
    ASSERT_EQ(palette.size(), 216u);
    EXPECT_EQ(palette[180], Argb(255, 0, 0));
    EXPECT_EQ(palette[43], Argb(51, 51, 51));
}

TEST(ColorLookup, FastLookupNearestAndSharedBuckets) {
    TFastColorLookup lookup({Argb(0, 0, 0), Argb(6, 0, 0), Argb(200, 100, 0)});
    int r, g, b;
    EXPECT_EQ(lookup.MatchColor(190, 110, 10, r, g, b), 2);
    EXPECT_EQ(r, 200);
    // (6, 0, 0) shares black's bucket, and the first entry of a bucket wins.
    EXPECT_EQ(lookup.MatchColor(6, 0, 0, r, g, b), 0);
    // A colour looked up first fixes the answer for its whole bucket: (15, 0, 0)
    // gets black, found for (8, 0, 0), although (16, 0, 0) is nearer.
    TFastColorLookup two({Argb(0, 0, 0), Argb(16, 0, 0)});
    EXPECT_EQ(two.MatchColor(8, 0, 0, r, g, b), 0);
    EXPECT_EQ(two.MatchColor(15, 0, 0, r, g, b), 0);
    TFastColorLookup fresh({Argb(0, 0, 0), Argb(16, 0, 0)});
    EXPECT_EQ(fresh.MatchColor(15, 0, 0, r, g, b), 1);
}

TEST(FloydSteinberg, HandComputedKernelAndSerpentineRows) {
    TFastColorLookup lookup({Argb(0, 0, 0), Argb(255, 255, 255)});
    TFloydSteinbergEngine engine(3, lookup);
    int got[2][3] = {};
    for (int y = 0; y < 2; ++y) {
        while (engine.Position >= 0 && engine.Position < 3) {
            const int x = engine.Position;
            int r, g, b;
            got[y][x] = engine.DitherPixel(100, 100, 100, r, g, b);
        }
        engine.NextRow();
    }
    // Row 0 left to right: v = 100, 144, 52; row 1 right to left: 109, 129, 56.
    const int want[2][3] = {{0, 1, 0}, {0, 1, 0}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(got[y][x], want[y][x]) << x << "," << y;
        }
    }
}

TEST(ColorReduction, PaletteColourAreasStayFlat) {
    const ScreenState screen(8);
    const auto& palette = screen.EnginePalette();
    const uint32_t flat = Argb(115, 165, 55); // a cube colour
    const auto flatIndex = std::find(palette.begin(), palette.end(), flat) - palette.begin();
    ASSERT_LT(flatIndex, 256);

    EngineBitmap uniform = MakeDisplayBitmap(Filled(9, 5, flat), screen);
    ASSERT_EQ(uniform.Format(), PixelFormat::Indexed8);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x) {
            ASSERT_EQ(uniform.Row8(y)[x], flatIndex);
        }
    }

    // A flat area beside a gradient: away from the border it keeps one index.
    EngineBitmap mixed(40, 12, PixelFormat::Argb32);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 40; ++x) {
            mixed.Row32(y)[x] = x < 20 ? flat : Argb(uint8_t(x * 6), uint8_t(255 - x * 5), uint8_t(y * 20));
        }
    }
    const EngineBitmap reduced = MakeDisplayBitmap(mixed, screen);
    EXPECT_EQ(reduced.palette, palette);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 18; ++x) {
            ASSERT_EQ(reduced.Row8(y)[x], flatIndex) << x << "," << y;
        }
    }
}

TEST(ColorReduction, FourBitScreensUseTheSystemPalette) {
    const ScreenState screen(4);
    EngineBitmap picture(6, 6, PixelFormat::Argb32);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            picture.Row32(y)[x] = Argb(uint8_t(40 * x), uint8_t(40 * y), 90);
        }
    }
    const EngineBitmap reduced = MakeDisplayBitmap(picture, screen);
    EXPECT_EQ(reduced.palette, SystemDefaultPalette());
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_LT(reduced.Row8(y)[x], 20);
        }
    }
    EXPECT_TRUE(MakeDisplayBitmap(EngineBitmap(), screen).IsEmpty());
}

TEST(ColorReduction, OctreePaletteAndUnknownModes) {
    EngineBitmap three(6, 1, PixelFormat::Argb32);
    const uint32_t colors[] = {Argb(255, 0, 0), Argb(0, 255, 0), Argb(0, 0, 255)};
    for (int x = 0; x < 6; ++x) {
        three.Row32(0)[x] = colors[x % 3];
    }
    const auto palette = BuildOptimizedPaletteOf(three, 8, 8, false);
    const std::vector<uint32_t> want = {Argb(0, 0, 255), Argb(0, 255, 0), Argb(255, 0, 0), 0xFF000000u,
                                        0xFF000000u,     0xFF000000u,     0xFF000000u,     0xFF000000u};
    EXPECT_EQ(palette, want);

    // More colours than the limit merge into averages.
    EngineBitmap ramp(64, 1, PixelFormat::Argb32);
    for (int x = 0; x < 64; ++x) {
        ramp.Row32(0)[x] = Argb(uint8_t(x * 4), 0, 0);
    }
    const auto merged = BuildOptimizedPaletteOf(ramp, 256, 8, true);
    ASSERT_EQ(merged.size(), 256u);
    EXPECT_EQ(merged[9], SystemStaticColors()[9]);
    EXPECT_EQ(merged[255], Argb(255, 255, 255));

    const ScreenState screen(8);
    const EngineBitmap none = ReduceBitmapColors(three, 2, kDitherFloydSteinberg, screen);
    EXPECT_EQ(none.Format(), PixelFormat::Indexed8);
    EXPECT_EQ(none.Width(), 6);
    EXPECT_EQ(none.Height(), 1);
    EXPECT_TRUE(none.palette.empty());
    const EngineBitmap cube = ReduceBitmapColors(three, kPaletteCube, kDitherNearest, screen);
    EXPECT_EQ(cube.Row8(0)[0], 180);
    const EngineBitmap optimized = ReduceBitmapColors(three, kPaletteOptimized, kDitherFloydSteinberg, screen);
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(optimized.PixelArgb(x, 0), colors[x % 3]);
    }
}

TEST(ColorReduction, RowAccessChecks) {
    const EngineBitmap picture = Filled(4, 3, Argb(1, 2, 3));
    const TDIBReader reader(picture);
    EXPECT_EQ(reader.RowAddress(2)[0], 3); // blue first
    for (int row : {-1, 3}) {
        try {
            reader.RowAddress(row);
            ADD_FAILURE() << row;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_STREQ(e.what(), "Scan line index out of range");
        }
    }
    try {
        TDIBReader empty{EngineBitmap()};
        ADD_FAILURE();
    } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}
