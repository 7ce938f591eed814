// The viewer's document: pictures from the shared cache, placeholders for
// pictures missing or still to come, and ACTIVE GIFs that move only under the
// mouse.
#include "ImageFixtures.h"

#include "htmlengine/FixedMeasurer.h"
#include "htmlengine/FloatingImages.h"
#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/PagePars.h"
#include "htmlengine/RecordingCanvas.h"
#include "htmlengine/ViewerDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace htmlengine;

namespace {

// A viewer document on a 24-bit screen with a cache of its own.
struct ViewerPage {
    ViewerPage() { doc.Measurer = &measurer; }
    const ScreenState screen{24};
    TStringBitmapList cache;
    TViewerDocument doc{screen, cache};
    FixedMeasurer measurer;
};

}  // namespace

TEST(ViewerDocument, ActiveGifStandsStillUntilHovered) {
    ViewerPage page;
    TViewerDocument& doc = page.doc;
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

TEST(ViewerDocument, PictureStillToComeShowsTheWaitingPicture) {
    ViewerPage page;
    TViewerDocument& doc = page.doc;
    doc.OnImageRequest = [](const std::string& source) -> const std::vector<uint8_t>* {
        return source == "spaeter.gif" ? &WaitingStream() : nullptr;
    };
    // The second image waits for the same picture; the third has none.
    const std::string html = "<img src=spaeter.gif><img src=spaeter.gif><img src=fehlt.gif>";
    TAnchorList anchors;
    ParseFromBuffer(doc, anchors, html.data(), int32_t(html.size()));
    doc.LayoutDocument(400);
    RecordingCanvas canvas;
    doc.PaintAt(canvas, {0, 0, 400, 1000}, 0, 0, 400);
    std::vector<std::string> pictures;
    for (const std::string& line : canvas.log) {
        // "picture <rect> <size> <mode>": the size and the mode
        if (line.rfind("picture ", 0) == 0) pictures.push_back(line.substr(line.find(' ', 8) + 1));
    }
    auto size = [](const EngineBitmap& b) { return std::to_string(b.Width()) + "x" + std::to_string(b.Height()); };
    const std::string waiting = size(page.screen.WaitingPicture()) + " stretch";
    const std::string error = size(page.screen.ErrorPicture()) + " masked";
    EXPECT_EQ(pictures, (std::vector<std::string>{waiting, waiting, error}));
}
