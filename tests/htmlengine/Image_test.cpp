// Screen state, the picture cache's ages and uses, and the Qt side of
// painting pictures.
#include "htmlengine/PageImages.h"
#include "htmlengine/ui/ImageQt.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace htmlengine;

namespace {

std::unique_ptr<TBitmapItem> Item() {
    auto item = std::make_unique<TBitmapItem>();
    item->Bitmap = std::make_shared<EngineBitmap>(2, 2, PixelFormat::Argb32);
    return item;
}

} // namespace

TEST(ScreenStateTest, DepthAndEnginePalette) {
    const std::pair<int, int> depths[] = {{1, 4}, {4, 4}, {5, 8}, {8, 8}, {15, 24}, {32, 24}};
    for (auto [bits, depth] : depths) {
        const ScreenState s(bits);
        EXPECT_EQ(s.ColorDepth(), depth) << bits;
        EXPECT_EQ(s.EnginePalette().size(), depth == 8 ? 256u : 0u) << bits;
    }
    const auto p = BuildEnginePalette();
    EXPECT_EQ(p[0], Argb(0, 0, 0));
    EXPECT_EQ(p[9], Argb(166, 202, 240));
    EXPECT_EQ(p[246], Argb(255, 251, 240));
    EXPECT_EQ(p[255], Argb(255, 255, 255));
    EXPECT_EQ(p[10], Argb(55, 55, 55));
    EXPECT_EQ(p[11], Argb(115, 55, 55));   // red varies fastest
    EXPECT_EQ(p[16], Argb(55, 115, 55));
    EXPECT_EQ(p[224], Argb(235, 255, 255)); // the cube without white
    EXPECT_EQ(p[225], Argb(135, 135, 135));
    EXPECT_EQ(p[230], Argb(160, 160, 160));
    EXPECT_EQ(p[231], Argb(170, 170, 170)); // 165 stands in the cube
    EXPECT_EQ(p[245], Argb(250, 250, 250));

    const ScreenState s(24);
    EXPECT_FALSE(s.ErrorPicture().IsEmpty());
    EXPECT_EQ(s.ErrorMask().Width(), s.ErrorPicture().Width());
    EXPECT_TRUE(s.ErrorMask().Test(s.ErrorMask().Width() - 1, 0));
    EXPECT_FALSE(s.ErrorMask().Test(1, s.ErrorMask().Height() - 2));
    EXPECT_FALSE(s.WaitingPicture().IsEmpty());
}

TEST(ImageCache, KeysAgesAndUses) {
    TStringBitmapList cache;
    EXPECT_EQ(cache.AgeLimit(), 4);
    cache.SetAgeLimit(5);
    auto use = cache.AddObject(" a.gif", Item());
    EXPECT_EQ(cache.IndexOf("A.GIF "), 0);
    EXPECT_EQ(cache.Key(0), "A.GIF");
    EXPECT_EQ(cache.UseCount(0), 1);
    auto second = cache.ImageCacheTake(cache.IndexOf("a.GIF"));
    EXPECT_EQ(cache.UseCount(0), 2);
    TStringBitmapList::ImageCacheRelease(second);
    TStringBitmapList::ImageCacheRelease(second); // releasing twice gives back one use only
    EXPECT_EQ(cache.UseCount(0), 1);

    // While shown, no amount of ageing or purging frees it.
    for (int i = 0; i < 20; ++i) {
        cache.ImageCacheAge();
    }
    cache.PurgeUnused();
    cache.SetAgeLimit(0);
    ASSERT_EQ(cache.Count(), 1);
    cache.SetAgeLimit(5);

    // Unused, it survives five further loads and goes at the sixth.
    auto again = cache.ImageCacheTake(0);
    EXPECT_EQ(cache.Item(0).Age, 0);
    TStringBitmapList::ImageCacheRelease(again);
    TStringBitmapList::ImageCacheRelease(use);
    for (int i = 0; i < 5; ++i) {
        cache.ImageCacheAge();
    }
    EXPECT_EQ(cache.Count(), 1);
    cache.ImageCacheAge();
    EXPECT_EQ(cache.Count(), 0);
}

TEST(ImageCache, LimitsAndPurges) {
    TStringBitmapList cache;
    auto kept = cache.AddObject("b.bmp", Item());
    auto dropped = cache.AddObject("a.bmp", Item());
    TStringBitmapList::ImageCacheRelease(dropped);
    for (int i = 0; i < 3; ++i) {
        cache.ImageCacheAge();
    }
    cache.SetAgeLimit(3);
    EXPECT_EQ(cache.Count(), 2);
    cache.SetAgeLimit(2); // age 3 > 2 and unused
    ASSERT_EQ(cache.Count(), 1);
    EXPECT_EQ(cache.Key(0), "B.BMP");
    std::shared_ptr<EngineBitmap> picture = kept->Bitmap;
    TStringBitmapList::ImageCacheRelease(kept);
    cache.PurgeUnused();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(picture->Width(), 2); // a holder of the picture itself keeps it
}

TEST(ImageQt, ConversionAndDrawing) {
    EngineBitmap indexed(2, 1, PixelFormat::Indexed8);
    indexed.palette = {Argb(10, 20, 30)};
    indexed.Row8(0)[1] = 7; // beyond the table
    const QImage q = ToQImage(indexed);
    EXPECT_EQ(q.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(q.pixel(1, 0), qRgb(0, 0, 0));

    EngineBitmap red(2, 2, PixelFormat::Argb32);
    red.Fill(Argb(255, 0, 0));
    EngineMask mask(2, 2);
    mask.Set(1, 1);
    QImage canvas(4, 4, QImage::Format_RGB32);
    canvas.fill(Qt::blue);
    {
        QPainter painter(&canvas);
        DrawTransparent(painter, red, mask, QRect(0, 0, 4, 4));
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(3, 3), qRgb(0, 0, 255));

    const ScreenState screen(24);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(std::string(PELKO_FIXTURES) + "/images/transparent.gif", bytes));
    bool nonAnimated;
    auto gif = LoadGifFromStream(bytes, screen, nonAnimated);
    ASSERT_TRUE(gif);
    canvas.fill(Qt::blue);
    {
        QPainter painter(&canvas);
        DrawGif(painter, *gif, QRect(0, 0, 4, 4)); // not marked shown: nothing
        EXPECT_EQ(canvas.pixel(1, 1), qRgb(0, 0, 255));
        gif->SetShown(true);
        DrawGif(painter, *gif, QRect(-2, -1, 13, 7));
    }
    EXPECT_EQ(gif->DrawnRect().width, 13);
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(3, 3), qRgb(255, 0, 0));
    for (int n = kPanCursor; n <= kPanDownCursor; ++n) {
        EXPECT_FALSE(EngineCursorShape(screen, n).pixmap().isNull()) << n;
    }
}
