// Image objects: attributes, sizing from picture and attributes, the ALT box.
#include "PageFixture.h"
#include "SectionFixture.h"

#include "htmlengine/FloatingImages.h"
#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace htmlengine;
using namespace htmlengine::testing;

namespace {

struct FakePicture : ImagePicture {
    FakePicture(int32_t w, int32_t h) : w(w), h(h) {}
    int32_t Width() const override { return w; }
    int32_t Height() const override { return h; }
    int32_t w, h;
};

struct PictureDocument : TestDocument {
    FakePicture picture{100, 200};
    int fetched = 0;
    int released = 0;
    ImagePicture* FetchImage(const std::string& source, uint8_t&) override {
        ++fetched;
        return source == "pic.gif" ? &picture : nullptr;
    }
    void ReleaseImage(const std::string&) override { ++released; }
};

TAttributeList Attrs(std::initializer_list<std::pair<uint8_t, const char*>> list) {
    TAttributeList a;
    for (auto [sym, text] : list) {
        std::string t = text;
        a.Add(sym, StrToIntDef(t.substr(0, t.find('%')), 0), t);
    }
    return a;
}

}  // namespace

TEST(ImageObj, AttributesAndSpacing) {
    TImageObj a(0, Attrs({{AlignSy, "absmiddle"}, {HSpaceSy, "-100"}, {VSpaceSy, "100"}, {UseMapSy, " #Map1 "},
                          {BorderSy, "0"}, {WidthSy, "150%"}, {TranspSy, ""}}));
    EXPECT_EQ(a.ObjAlign, AMiddle);
    EXPECT_EQ(a.HSpace, 40);
    EXPECT_EQ(a.VSpace, 40);
    EXPECT_EQ(a.UseMapName, "MAP1");
    EXPECT_TRUE(a.NoBorder);
    EXPECT_FALSE(a.WidthIsPercent);
    EXPECT_EQ(a.Transparent, 1);
    TImageObj f(0, Attrs({{AlignSy, "RIGHT"}, {HeightSy, "-5"}, {WidthSy, "99999999"}}));
    EXPECT_EQ(f.ObjAlign, ARight);
    EXPECT_EQ(f.HSpace, 5);            // floats keep 5 pixels without HSPACE
    EXPECT_EQ(f.SpecHeight, 1);
    EXPECT_EQ(f.SpecWidth, MaxPixelSize);
    TImageObj i(0, Attrs({{HSpaceSy, "-2147483648"}}));
    EXPECT_EQ(i.HSpace, 40);
}

TEST(ImageObj, SizingFromPictureAndAttributes) {
    struct Case { std::vector<std::pair<uint8_t, const char*>> attrs; bool linked; int32_t w, h; } cases[] = {
        {{{SrcSy, "pic.gif"}}, false, 100, 200},
        {{{SrcSy, "pic.gif"}, {HeightSy, "50"}}, false, 25, 50},
        {{{SrcSy, "pic.gif"}, {WidthSy, "50"}}, false, 50, 100},
        {{{SrcSy, "pic.gif"}, {WidthSy, "50%"}}, false, 200, 200},
        {{{SrcSy, "pic.gif"}, {WidthSy, "10"}, {HeightSy, "20"}}, true, 12, 22},
        {{{SrcSy, "pic.gif"}, {BorderSy, "0"}}, true, 100, 200},
        {{{SrcSy, "missing.gif"}}, false, 26, 24},
        {{{SrcSy, "missing.gif"}, {AltSy, "Bild"}}, false, 4 * 5 + 26, 24},
        {{{SrcSy, "missing.gif"}, {WidthSy, "10"}, {HeightSy, "12"}}, false, 10, 12},
    };
    for (const Case& c : cases) {
        PictureDocument doc;
        TAttributeList a;
        for (auto [sym, text] : c.attrs) {
            std::string t = text;
            a.Add(sym, StrToIntDef(t.substr(0, t.find('%')), 0), t);
        }
        TImageObj img(0, a);
        img.PrepareImage(doc, 400, c.linked);
        EXPECT_EQ(img.ImageWidth, c.w) << c.attrs[0].second << " " << c.attrs.size();
        EXPECT_EQ(img.ImageHeight, c.h) << c.attrs[0].second << " " << c.attrs.size();
    }
}

TEST(ImageObj, PercentWidthFollowsTheSpaceAndThePictureIsFetchedOnce) {
    PictureDocument doc;
    {
        TImageObj img(0, Attrs({{SrcSy, "pic.gif"}, {WidthSy, "50%"}}));
        img.PrepareImage(doc, 400, false);
        img.PrepareImage(doc, 300, false);
        EXPECT_EQ(img.ImageWidth, 150);
        EXPECT_EQ(doc.fetched, 1);
        TImageObj missing(0, Attrs({{SrcSy, "missing.gif"}}));
        missing.PrepareImage(doc, 300, false);
    }
    EXPECT_EQ(doc.released, 1);          // only what was handed out goes back
}

TEST(ImageObj, PlaceholderDrawsItsAltTextAndFrame) {
    PictureDocument doc;
    doc.Background = PaletteRelative | 0xFFFFFF;
    TImageObj img(0, Attrs({{SrcSy, "missing.gif"}, {AltSy, "Bild"}}));
    img.PrepareImage(doc, 400, false);
    RecordingCanvas canvas;
    img.DrawImage(canvas, 10, nullptr, 50, 20);
    ASSERT_EQ(canvas.log.size(), 3u);
    EXPECT_EQ(canvas.log[0], "text 34,26 \"Bild\" f=Arial/8/ c=#000000 top clip=34,26-54,50");
    EXPECT_EQ(canvas.log[1], "line 10,49 10,26 55,26 #808080");
    EXPECT_EQ(img.DrawY, 26);            // bottom-aligned on the baseline
}

TEST(ImageObj, AltTextTakesTheTextColourAtTheImage) {
    struct Case { const char* html; const char* colour; } cases[] = {
        {"<img src=fehlt.gif alt=Bild>", "c=#000000"},
        {"<body text=#008000>x <img src=fehlt.gif alt=Bild>", "c=#008000"},
        {"<font color=red><img src=fehlt.gif alt=Bild></font>", "c=#FF0000"},
        {"<font color=red>rot</font> <img src=fehlt.gif alt=Bild>", "c=#000000"},
        {"<a href=x><img src=fehlt.gif alt=Bild></a>", "c=#0000FF"},  // the link colour, in its frame
    };
    for (const Case& c : cases) {
        Page p(c.html);
        p.Paint();
        std::string alt;
        for (const std::string& line : p.canvas.log) {
            if (line.find("\"Bild\"") != std::string::npos) alt = line;
        }
        EXPECT_NE(alt.find(c.colour), std::string::npos) << c.html << ": " << alt;
    }
}

TEST(ImageObj, PlaceholderBoxShowsTheErrorOrWaitingPicture) {
    struct Drawn : FakePicture {
        Drawn() : FakePicture(16, 16) {}
        mutable std::vector<std::pair<TRect, bool>> calls;
        void Draw(Canvas&, const TRect& dest, bool masked) const override { calls.push_back({dest, masked}); }
    };
    struct PlaceholderDocument : PictureDocument {
        Drawn error, waiting;
        const ImagePicture* PlaceholderPicture(bool isError) const override { return isError ? &error : &waiting; }
    };
    struct Case { bool showImages; const char* width; bool error, waiting; } cases[] = {
        {true, "40", true, false},   // missing: the error picture through its mask
        {false, "40", false, true},  // pictures off: the waiting picture
        {true, "20", false, false},  // a box below 24 pixels shows no picture
    };
    for (const Case& c : cases) {
        PlaceholderDocument doc;
        doc.ShowImages = c.showImages;
        TImageObj img(0, Attrs({{SrcSy, "missing.gif"}, {WidthSy, c.width}, {HeightSy, "30"}}));
        img.PrepareImage(doc, 400, false);
        RecordingCanvas canvas;
        img.DrawImage(canvas, 10, nullptr, 50, 20);
        ASSERT_EQ(doc.error.calls.size(), c.error ? 1u : 0u) << c.width;
        ASSERT_EQ(doc.waiting.calls.size(), c.waiting ? 1u : 0u) << c.width;
        const auto& calls = c.error ? doc.error.calls : doc.waiting.calls;
        if (calls.empty()) continue;
        EXPECT_EQ(calls[0].first.Left, 14);  // 4 pixels in, at its own size
        EXPECT_EQ(calls[0].first.Top, 24);
        EXPECT_EQ(calls[0].first.Width(), 16);
        EXPECT_EQ(calls[0].second, c.error);
    }
}
