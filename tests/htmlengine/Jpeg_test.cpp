// JPEG through the codec: output against Qt's own decoder, the 8-bit
// screen roads, and damaged files turning into a message.
#include "htmlengine/JpegCodec.h"
#include "ImageFixtures.h"
#include "htmlengine/PageImages.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

using namespace htmlengine;

namespace {

// Largest channel difference to Qt's decode of the same file.
int MaxDifferenceToQt(const EngineBitmap& picture, const std::string& name) {
    const QImage qt = QImageReader(QString::fromStdString(Fixture(name))).read();
    EXPECT_EQ(qt.width(), picture.Width());
    EXPECT_EQ(qt.height(), picture.Height());
    if (qt.size() != QSize(picture.Width(), picture.Height())) {
        return 256;
    }
    int worst = 0;
    for (int y = 0; y < qt.height(); ++y) {
        for (int x = 0; x < qt.width(); ++x) {
            const QRgb q = qt.pixel(x, y);
            const uint32_t p = picture.PixelArgb(x, y);
            worst = std::max({worst, std::abs(qRed(q) - RedOf(p)), std::abs(qGreen(q) - GreenOf(p)),
                              std::abs(qBlue(q) - BlueOf(p))});
        }
    }
    return worst;
}

} // namespace

TEST(JpegCodec, DecodesLikeQtOnDeepScreens) {
    const ScreenState screen(24);
    for (const char* name : {"baseline.jpg", "progressive.jpg", "gray.jpg"}) {
        const JpegResult fromMemory = DecodeJpeg(ReadFixture(name), screen);
        ASSERT_FALSE(fromMemory.picture.IsEmpty()) << name << ": " << fromMemory.error;
        EXPECT_EQ(fromMemory.picture.Format(), PixelFormat::Argb32);
        EXPECT_LE(MaxDifferenceToQt(fromMemory.picture, name), 2) << name;
        const JpegResult fromFile = DecodeJpegFile(Fixture(name), screen);
        ASSERT_EQ(fromFile.picture.Width(), fromMemory.picture.Width());
        EXPECT_EQ(fromFile.picture.PixelArgb(7, 5), fromMemory.picture.PixelArgb(7, 5)) << name;
    }
}

TEST(JpegCodec, EightBitScreensGetIndexedPictures) {
    const ScreenState screen(8);
    const JpegResult colour = DecodeJpeg(ReadFixture("baseline.jpg"), screen);
    ASSERT_EQ(colour.picture.Format(), PixelFormat::Indexed8);
    EXPECT_EQ(colour.picture.palette, screen.EnginePalette());

    const JpegResult grey = DecodeJpeg(ReadFixture("gray.jpg"), screen);
    ASSERT_EQ(grey.picture.Format(), PixelFormat::Indexed8);
    EXPECT_LE(grey.picture.palette.size(), 236u);
    EXPECT_GT(grey.picture.palette.size(), 100u);
    for (uint32_t c : grey.picture.palette) {
        EXPECT_TRUE(RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c));
    }
    // Through the loader the picture stays on the engine palette.
    const EngineBitmap loaded = LoadDisplayPicture(Fixture("progressive.jpg"), screen);
    EXPECT_EQ(loaded.palette, screen.EnginePalette());

    const JpegResult fourBit = DecodeJpeg(ReadFixture("baseline.jpg"), ScreenState(4));
    ASSERT_EQ(fourBit.picture.Format(), PixelFormat::Indexed8);
    EXPECT_LE(fourBit.picture.palette.size(), 256u);
}

TEST(JpegCodec, DamagedFilesGiveTheCodecMessage) {
    const ScreenState screen(24);
    const std::vector<uint8_t> corrupt = ReadFixture("corrupt.jpg");
    const JpegResult help = DecodeJpeg(corrupt, screen);
    EXPECT_TRUE(help.picture.IsEmpty());
    std::smatch m;
    ASSERT_TRUE(std::regex_match(help.error, m, std::regex("JPEG-Fehler #([0-9]+)"))) << help.error;
    const JpegResult main = DecodeJpeg(corrupt, screen, JpegMessages::MainProgram);
    EXPECT_EQ(main.error, "JPEG error #" + m[1].str());

    std::string error;
    EXPECT_TRUE(LoadPictureFile(Fixture("corrupt.jpg"), true, screen, nullptr, &error).IsEmpty());
    EXPECT_EQ(error, help.error);

    // A header claiming 65535 x 65535 pixels is refused before any pixel memory.
    std::vector<uint8_t> huge = ReadFixture("baseline.jpg");
    for (size_t i = 0; i + 9 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 6] = huge[i + 7] = huge[i + 8] = 0xFF;
            break;
        }
    }
    EXPECT_NE(DecodeJpeg(huge, screen).error, "");
    EXPECT_NE(DecodeJpeg({}, screen).error, "");

    // Cut anywhere: a picture (the codec fills what is missing) or a message.
    const std::vector<uint8_t> whole = ReadFixture("progressive.jpg");
    for (size_t n = 0; n < whole.size(); n += 7) {
        const JpegResult r = DecodeJpeg(std::span(whole.data(), n), screen);
        EXPECT_NE(r.picture.IsEmpty(), r.error.empty()) << n;
    }
}

TEST(JpegCodec, OnlyJfifFilesAreTakenAsJpeg) {
    const ScreenState screen(24);
    EXPECT_FALSE(LoadPictureFile(Fixture("baseline.jpg"), true, screen).IsEmpty());
    EXPECT_TRUE(LoadPictureFile(Fixture("exif.jpg"), true, screen).IsEmpty());
}
