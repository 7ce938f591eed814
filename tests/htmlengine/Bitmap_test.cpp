// Windows bitmaps against Qt's reader, kind sniffing, the transparency
// probes and masks, and the loaders' roads.
#include "htmlengine/PageImages.h"
#include "ImageFixtures.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace htmlengine;

namespace {

std::vector<uint8_t> Chunk(const char* type, std::vector<uint8_t> body) {
    const uint32_t n = uint32_t(body.size());
    std::vector<uint8_t> c = {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
    c.insert(c.end(), type, type + 4);
    c.insert(c.end(), body.begin(), body.end());
    c.insert(c.end(), 4, 0); // the probe does not check the CRC
    return c;
}

std::vector<uint8_t> Png(const std::vector<std::vector<uint8_t>>& chunks) {
    std::vector<uint8_t> png = {137, 'P', 'N', 'G', 13, 10, 26, 10};
    for (const auto& c : chunks) {
        png.insert(png.end(), c.begin(), c.end());
    }
    return png;
}

} // namespace

TEST(BitmapLoader, DecodesLikeQt) {
    for (const char* name : {"bmp24.bmp", "bmp8.bmp", "bmp4.bmp", "bmp1.bmp", "bmp8rle.bmp", "bmp32.bmp"}) {
        const EngineBitmap picture = LoadBitmapPicture(ReadFixture(name));
        const QImage qt = QImageReader(QString::fromStdString(Fixture(name))).read();
        ASSERT_FALSE(qt.isNull()) << name;
        ASSERT_EQ(picture.Width(), qt.width()) << name;
        ASSERT_EQ(picture.Height(), qt.height()) << name;
        int wrong = 0;
        for (int y = 0; y < qt.height(); ++y) {
            for (int x = 0; x < qt.width(); ++x) {
                wrong += (picture.PixelArgb(x, y) & 0xFFFFFF) != (qt.pixel(x, y) & 0xFFFFFF);
            }
        }
        EXPECT_EQ(wrong, 0) << name;
    }
}

TEST(BitmapLoader, BadFilesThrowAndNeverReadPastTheData) {
    for (const char* name : {"bmp24.bmp", "bmp8rle.bmp", "bmp4.bmp"}) {
        const std::vector<uint8_t> whole = ReadFixture(name);
        for (size_t n = 0; n < whole.size(); ++n) {
            try {
                LoadBitmapPicture(std::span(whole.data(), n));
            } catch (const std::exception&) {
            }
        }
    }
    std::vector<uint8_t> lying = ReadFixture("bmp24.bmp");
    for (size_t i : {18, 19, 22, 23}) {
        lying[i] = 0xFF; // 65535 x 65535 in the header
    }
    EXPECT_ANY_THROW(LoadBitmapPicture(lying));
    std::vector<uint8_t> weird = ReadFixture("bmp24.bmp");
    weird[28] = 7; // 7 bits per pixel
    EXPECT_ANY_THROW(LoadBitmapPicture(weird));
}

TEST(ImageKinds, SniffingByFirstBytes) {
    struct Case { std::vector<uint8_t> bytes; int kind; };
    const Case cases[] = {
        {{'B', 'M', 0}, kBitmapImage},           {{'G', 'I', 'F', '8', '7', 'a'}, kGif87Image},
        {{'G', 'I', 'F', '8', '9', 'a'}, kGif89Image}, {{'G', 'I', 'F', '8'}, kGif87Image},
        {{137, 'P', 'N', 'G'}, kPngImage},       {{255, 216, 255, 224}, kJpegImage},
        {{255, 216, 255, 225}, kUnknownImage},   {{'B'}, kUnknownImage},
        {{}, kUnknownImage},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SniffImageKind(c.bytes), c.kind);
    }
    EXPECT_EQ(SniffImageFile(Fixture("transparent.gif")), kGif89Image);
    EXPECT_EQ(SniffImageFile(Fixture("missing.gif")), kUnknownImage);
}

TEST(TransparencyProbes, GifAndPng) {
    ColorRef color = 0;
    EXPECT_TRUE(GifTransparentColor(ReadFixture("transparent.gif"), color));
    bool nonAnimated;
    const ScreenState screen(24);
    auto gif = LoadGifFromFile(Fixture("transparent.gif"), screen, nonAnimated);
    ASSERT_TRUE(gif);
    EXPECT_EQ(color, gif->Frame(1).TransparentColor);
    EXPECT_FALSE(GifTransparentColor(ReadFixture("plain.gif"), color));
    // Without a global table the probe looks in the wrong place and finds nothing.
    std::vector<uint8_t> noTable = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0,
                                    0x21, 0xF9, 4, 1, 0, 0, 0, 0};
    EXPECT_FALSE(GifTransparentColor(noTable, color));

    const std::vector<uint8_t> ihdr3 = {0, 0, 0, 1, 0, 0, 0, 1, 8, 3, 0, 0, 0};
    const auto plte = Chunk("PLTE", {1, 2, 3, 40, 50, 60, 7, 8, 9});
    EXPECT_TRUE(PngTransparentColor(Png({Chunk("IHDR", ihdr3), plte, Chunk("tRNS", {255, 0})}), color));
    EXPECT_EQ(color, ColorRefOf(40, 50, 60));
    std::vector<uint8_t> ihdr2 = ihdr3;
    ihdr2[9] = 2;
    EXPECT_TRUE(PngTransparentColor(Png({Chunk("IHDR", ihdr2), Chunk("tRNS", {0, 10, 0, 20, 0, 30})}), color));
    EXPECT_EQ(color, ColorRefOf(10, 20, 30));
    const std::vector<std::vector<uint8_t>> none[] = {
        {Chunk("IHDR", ihdr3), plte, Chunk("tRNS", {})},
        {Chunk("IHDR", ihdr3), Chunk("PLTE", std::vector<uint8_t>(800, 1)), Chunk("tRNS", {0})},
        {Chunk("IHDR", ihdr3), plte, Chunk("tRNS", std::vector<uint8_t>(4, 0))},
        {Chunk("IHDR", ihdr3), plte, Chunk("IDAT", {0}), Chunk("tRNS", {0})},
        {Chunk("IHDR", {0, 0, 0})},
    };
    for (const auto& chunks : none) {
        EXPECT_FALSE(PngTransparentColor(Png(chunks), color));
    }
    std::vector<uint8_t> lying = Png({Chunk("IHDR", ihdr3)});
    lying[8] = 0x7F; // a length far past the end
    EXPECT_FALSE(PngTransparentColor(lying, color));
}

TEST(PictureLoading, MasksAndStreams) {
    const ScreenState screen(24);
    uint8_t kind = kCornerTransparent;
    EngineMask mask;
    const EngineBitmap corner = LoadPictureWithMask(Fixture("corner.bmp"), kind, mask, screen);
    ASSERT_FALSE(corner.IsEmpty());
    ASSERT_FALSE(mask.IsEmpty());
    EXPECT_TRUE(mask.Test(0, 3));
    EXPECT_FALSE(mask.Test(1, 3));
    const EngineMask white = MakeTransparencyMask(corner, true, ColorRefOf(255, 255, 255));
    EXPECT_FALSE(white.Test(0, 3));
    EXPECT_TRUE(white.Test(1, 3));

    kind = kNotTransparent;
    const EngineBitmap gif = LoadPictureWithMask(Fixture("transparent.gif"), kind, mask, screen);
    EXPECT_EQ(kind, kGifTransparent);
    ASSERT_FALSE(gif.IsEmpty());
    EXPECT_TRUE(mask.Test(0, 0));
    EXPECT_FALSE(mask.Test(3, 3));

    kind = kCornerTransparent;
    EXPECT_FALSE(LoadPictureFromStream(ReadFixture("corner.bmp"), kind, mask, screen).IsEmpty());
    EXPECT_TRUE(mask.Test(0, 3));
    EXPECT_FALSE(LoadPictureFromStream(ReadFixture("baseline.jpg"), kind, mask, screen).IsEmpty());
    EXPECT_EQ(kind, kNotTransparent);
    EXPECT_TRUE(mask.IsEmpty());
    EXPECT_TRUE(LoadPictureFromStream(ReadFixture("plain.gif"), kind, mask, screen).IsEmpty());
    const std::vector<uint8_t> tiny = {'B', 'M', 1, 2, 3};
    EXPECT_TRUE(LoadPictureFromStream(tiny, kind, mask, screen).IsEmpty());
}

TEST(PictureLoading, PngAndMissingFilesGiveNoPicture) {
    const ScreenState screen(24);
    const std::string png = (std::filesystem::temp_directory_path() / "pelko-image-test.png").string();
    QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(png), "PNG");
    uint8_t kind = kNotTransparent;
    EngineMask mask;
    EXPECT_TRUE(LoadPictureWithMask(png, kind, mask, screen).IsEmpty());
    EXPECT_TRUE(LoadPictureWithMask(Fixture("missing.bmp"), kind, mask, screen).IsEmpty());
    std::remove(png.c_str());
}

TEST(PictureLoading, ScreenPreparation) {
    // Deep screens take 32-bit pictures as they are and widen indexed ones.
    const ScreenState deep(24);
    const EngineBitmap indexed = LoadPictureFile(Fixture("bmp8.bmp"), false, deep);
    ASSERT_EQ(indexed.Format(), PixelFormat::Indexed8);
    const EngineBitmap shown = ReduceForScreen(indexed, deep);
    EXPECT_EQ(shown.Format(), PixelFormat::Argb32);
    EXPECT_EQ(shown.PixelArgb(3, 2), indexed.PixelArgb(3, 2));
    // 8-bit screens reduce onto the engine palette.
    const ScreenState eight(8);
    const EngineBitmap reduced = LoadDisplayPicture(Fixture("bmp24.bmp"), eight);
    EXPECT_EQ(reduced.palette, eight.EnginePalette());
}
