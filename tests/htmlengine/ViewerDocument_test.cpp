// The viewer's document: pictures from the shared cache, placeholders, and
// ACTIVE GIFs that move only under the mouse.
#include "ImageFixtures.h"

#include "htmlengine/FixedMeasurer.h"
#include "htmlengine/FloatingImages.h"
#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/ViewerDocument.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace htmlengine;

TEST(ViewerDocument, ActiveGifStandsStillUntilHovered) {
    const ScreenState screen(24);
    TStringBitmapList cache;
    TViewerDocument doc(screen, cache);
    FixedMeasurer measurer;
    doc.Measurer = &measurer;
    uint32_t now = 1000;
    doc.Clock = [&] { return now; };
    for (const char* name : {"delays.gif", "disposal.gif"}) {
        TAttributeList plain, active;
        plain.Add(SrcSy, 0, Fixture(name));
        active.Add(SrcSy, 0, Fixture(name));
        active.Add(ActiveSy, 0, "");
        TImageObj moving(0, plain), still(1, active);
        moving.PrepareImage(doc, 400, false);
        still.PrepareImage(doc, 400, false);
        auto* picture = dynamic_cast<TViewerPicture*>(still.Picture);
        ASSERT_TRUE(picture && picture->Gif()) << name;
        TGIFImage* gif = picture->Gif();
        auto animated = [&] {
            const auto& list = doc.AnimatedGifs();
            return std::find(list.begin(), list.end(), gif) != list.end();
        };
        EXPECT_FALSE(animated()) << name;
        EXPECT_TRUE(std::find(doc.AnimatedGifs().begin(), doc.AnimatedGifs().end(),
                              dynamic_cast<TViewerPicture*>(moving.Picture)->Gif()) != doc.AnimatedGifs().end());
        still.SetHover(true);
        EXPECT_TRUE(animated()) << name;
        still.SetHover(false);
        EXPECT_FALSE(animated()) << name;
        EXPECT_EQ(gif->CurrentFrame(), 1) << name;
    }
}
