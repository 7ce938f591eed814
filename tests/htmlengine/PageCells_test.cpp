#include "PageFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace htmlengine::testing {
namespace {

using ::testing::ElementsAre;

class RefusingSection : public TSectionBase {
public:
    using TSectionBase::TSectionBase;
    int32_t LayoutAt(TextMeasurer&, int32_t, int32_t&, int32_t&, IndentManagerBasic&) override {
        throw EProcessError("Table has too many Columns");
    }
};

TEST(PageDocument, TopOfSection) {
    Page p("<hr><hr><hr>");  // an empty text section, then three rules of 20
    ASSERT_EQ(p.doc.Count(), 4);
    EXPECT_EQ(p.doc.TopOfSection(0), 0);
    EXPECT_EQ(p.doc.TopOfSection(3), 40);
    EXPECT_EQ(p.doc.TopOfSection(99), 40);
    EXPECT_EQ(p.doc.TopOfSection(-5), 0);
}

TEST(PageDocument, SectionThatCannotBeLaidOutIsDroppedAndReported) {
    Page p("vorher<hr>");
    p.doc.Add(std::make_unique<RefusingSection>(&p.doc));
    p.doc.Add(std::make_unique<THorzLine>(&p.doc, TAttributeList{}));
    std::vector<std::string> errors;
    p.doc.OnLayoutError = [&](const std::string& e) { errors.push_back(e); };
    const int32_t height = p.doc.LayoutDocument(300);
    EXPECT_THAT(errors, ElementsAre("Table has too many Columns"));
    EXPECT_EQ(p.doc.Count(), 3);
    EXPECT_EQ(p.doc.Orphans.Count(), 1);
    EXPECT_EQ(height, 16 + 20 + 20);
    EXPECT_EQ(p.doc[2]->Top, 0);  // rules keep the base layout's top
}

TEST(PageDocument, WidthIsCappedAndOddSizesStayBounded) {
    Page p("<img><img width=0 height=0 src=a><img width=99999999999 height=-7 src=b>"
           "<img width=200% src=c align=left>x<hr width=100%>");
    p.doc.LayoutDocument(1 << 30);
    EXPECT_EQ(p.doc.Indents.AvailWidth, MaxDocumentWidth);
    p.Paint(6000);
    const TSection* s = dynamic_cast<const TSection*>(p.doc[0]);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->Images.Count(), 4);
    EXPECT_GE(s->Images[0]->ImageWidth, 24);  // no SRC: the placeholder
    EXPECT_EQ(s->Images[0]->Picture, nullptr);
    for (const auto& img : s->Images) EXPECT_LE(img->ImageWidth, MaxPixelSize);
}

TEST(PageDocument, ControlsOutOfViewAreParked) {
    std::string html = "<select><option>a</select>";
    for (int i = 0; i < 40; ++i) html += "<br>z";
    Page p(html);
    ASSERT_EQ(p.host.made.size(), 1u);
    FakeWidget& w = *p.host.made[0];
    p.doc.PaintAt(p.canvas, {0, 0, 400, 200}, 0, 0, 400);
    EXPECT_TRUE(w.visible);
    EXPECT_EQ(w.left, 0);
    EXPECT_EQ(w.top + w.height, 24);  // its bottom on the bottom of the text band (8 + 16)
    // Same scroll position, but the control is no longer painted: it goes away.
    p.doc.PaintAt(p.canvas, {0, 300, 400, 500}, 0, 0, 400);
    EXPECT_FALSE(w.visible);
    // Scrolled away while it has the focus: parked out of sight, still shown.
    w.focused = true;
    p.doc.SetYOffset(400);
    p.doc.PaintAt(p.canvas, {0, 0, 400, 200}, 0, 0, 400);
    EXPECT_TRUE(w.visible);
    EXPECT_EQ(w.left, -4000);
}

class CountingDocument : public Page {
public:
    struct Doc : TSectionList {
        ImagePicture* FetchImage(const std::string& source, uint8_t&) override {
            fetched.push_back(source);
            return nullptr;
        }
        std::vector<std::string> fetched;
    };
};

TEST(PageDocument, BackgroundIsRequestedOnce) {
    CountingDocument::Doc doc;
    FixedMeasurer m;
    doc.Measurer = &m;
    doc.OnExpandName = [](const std::string& n) { return "/hilfe/" + n; };
    TAnchorList anchors;
    const std::string html = "<body background=bg.gif>x";
    ParseFromBuffer(doc, anchors, html.data(), static_cast<int32_t>(html.size()));
    EXPECT_EQ(doc.GetBackground(), nullptr);
    EXPECT_EQ(doc.GetBackground(), nullptr);
    EXPECT_THAT(doc.fetched, ElementsAre("/hilfe/bg.gif"));
    EXPECT_TRUE(doc.BgRequested);
}

TEST(PageDocument, HoverFollowsTheActiveLink) {
    Page p("<body olink=#00ff00><a href=a>eins</a> <a href=b>zwei</a>");
    int invalidated = 0;
    p.doc.OnInvalidate = [&] { ++invalidated; };
    p.Paint();
    TFormControlObj* control = nullptr;
    TUrlTarget target;
    ASSERT_TRUE(p.doc.UrlAtPoint(p.measurer, 4, 4, control, target));
    TFontObj* first = p.doc.ActiveLink;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Hover);
    EXPECT_EQ(first->TheFont().Color, 0x00FF00u | PaletteRelative);
    ASSERT_TRUE(p.doc.UrlAtPoint(p.measurer, 40, 4, control, target));
    EXPECT_EQ(target.Url, "b");
    EXPECT_FALSE(first->Hover);
    p.doc.ClearActive();
    EXPECT_EQ(p.doc.ActiveLink, nullptr);
    EXPECT_EQ(invalidated, 3);
}

}  // namespace
}  // namespace htmlengine::testing
