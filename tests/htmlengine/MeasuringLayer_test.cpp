// The measuring and drawing layer: integer scaling, colours, code pages, the
// fixed measurer and the Qt measurer and canvas.
#include "htmlengine/CodePages.h"
#include "htmlengine/EngineColor.h"
#include "htmlengine/FixedMeasurer.h"
#include "htmlengine/MulDiv.h"
#include "htmlengine/RecordingCanvas.h"
#include "htmlengine/ui/QtCanvas.h"
#include "htmlengine/ui/QtMeasurer.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

using namespace htmlengine;

TEST(MulDiv, RoundsHalvesAwayFromZeroAndFailsAsMinusOne) {
    struct Case { int32_t a, b, c, want; } cases[] = {
        {14, 10, 12, 12}, {10, 3, 4, 8}, {12, 96, 72, 16}, {10, 96, 72, 13}, {8, 96, 72, 11},
        {1, 1, 2, 1}, {-1, 1, 2, -1}, {-3, 1, 2, -2}, {3, -1, 2, -2}, {5, 7, 0, -1},
        {0x7FFFFFFF, 4, 1, -1}, {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
    }
}

TEST(EngineColor, ResolvesPageAndSystemColours) {
    SystemColors sys;
    EXPECT_EQ(ResolveRgb(0x0000FF, sys), 0xFF0000u);               // red, 0xBBGGRR
    EXPECT_EQ(ResolveRgb(PaletteRelative | 0x102030, sys), 0x302010u);
    EXPECT_EQ(ResolveRgb(clBtnShadow, sys), 0x808080u);
    sys.Set(COLOR_BTNSHADOW, 0x0000FF);
    EXPECT_EQ(ResolveRgb(clBtnShadow, sys), 0xFF0000u);

    EXPECT_TRUE(IsWhiteBackground(PaletteRelative | 0xFFFFFF, sys));
    EXPECT_TRUE(IsWhiteBackground(clWindow, sys));
    EXPECT_FALSE(IsWhiteBackground(0xFFFFFE, sys));
    sys.Set(COLOR_WINDOW, 0xC0C0C0);
    EXPECT_FALSE(IsWhiteBackground(clWindow, sys));
}

TEST(CodePages, DecodeByCharsetAndEncodeToAnsi) {
    EXPECT_EQ(CharsetByteToUnicode(ANSI_CHARSET, 0x80), u'\u20AC');
    EXPECT_EQ(CharsetByteToUnicode(DEFAULT_CHARSET, 0xE4), u'\u00E4');
    EXPECT_EQ(CharsetByteToUnicode(EASTEUROPE_CHARSET, 0x8A), u'\u0160');   // S caron
    EXPECT_EQ(CharsetByteToUnicode(RUSSIAN_CHARSET, 0xC0), u'\u0410');      // Cyrillic A
    EXPECT_EQ(CharsetByteToUnicode(GREEK_CHARSET, 0xC1), u'\u0391');        // Alpha
    EXPECT_EQ(CharsetByteToUnicode(TURKISH_CHARSET, 0xDD), u'\u0130');      // dotted I
    EXPECT_EQ(CharsetByteToUnicode(BALTIC_CHARSET, 0xC0), u'\u0104');       // A ogonek
    EXPECT_EQ(CharsetByteToUnicode(ANSI_CHARSET, 0x81), u'\u0081');         // undefined byte
    EXPECT_EQ(CharsetBytesToUtf16(ANSI_CHARSET, "a\x99"), u"a\u2122");

    EXPECT_EQ(UnicodeToAnsiByte(u'A'), 'A');
    EXPECT_EQ(UnicodeToAnsiByte(u'\u00FC'), 0xFC);
    EXPECT_EQ(UnicodeToAnsiByte(u'\u2122'), 0x99);
    EXPECT_EQ(UnicodeToAnsiByte(u'\u0410'), '?');
    EXPECT_EQ(UnicodeToAnsiByte(u'\u0081'), '?');
}

TEST(FixedMeasurer, MetricsAndWidthsFollowThePixelSize) {
    FixedMeasurer m;
    FontSpec f{"Times New Roman", 12, 0, 1, 0};      // 16 px
    FontMetrics fm = m.Metrics(f);
    EXPECT_EQ(fm.Height, 16);
    EXPECT_EQ(fm.Descent, 4);
    EXPECT_EQ(fm.Ascent, 12);
    EXPECT_EQ(m.TextWidth(f, "ab c"), 8 + 8 + 4 + 8);
    EXPECT_EQ(m.Extent(f, "abc", 2), 16);
    EXPECT_EQ(m.Extent(f, "abc", 99), 24);
    f.Style = fsBold;
    EXPECT_EQ(m.TextWidth(f, "ab"), 18);
    FontSpec mono{"Courier New", 10, 0, 1, 0};       // 13 px
    EXPECT_EQ(m.TextWidth(mono, "a b"), 3 * 7);
    m.italicOverhang = 2;
    f.Style = fsItalic;
    EXPECT_EQ(m.TextWidth(f, "ab"), 18);             // the overhang is part of an extent
}

TEST(RecordingCanvas, LogsCallsWithResolvedColours) {
    RecordingCanvas c;
    FontSpec f{"Arial", 8, fsBold, 1, 0x0000FF};
    TRect clip{0, 0, 50, 20};
    c.TextOut(3, 4, "Hi", f, TextAnchor::Top, std::nullopt, &clip);
    c.FillRect({1, 2, 3, 4}, PaletteRelative | 0x00FF00);
    c.Polyline({{0, 0}, {5, 0}}, clBtnShadow);
    ASSERT_EQ(c.log.size(), 3u);
    EXPECT_EQ(c.log[0], "text 3,4 \"Hi\" f=Arial/8/B c=#FF0000 top clip=0,0-50,20");
    EXPECT_EQ(c.log[1], "fill 1,2-3,4 #00FF00");
    EXPECT_EQ(c.log[2], "line 0,0 5,0 #808080");
}

TEST(QtMeasurer, PixelSizesAndAdditiveRunWidths) {
    QtMeasurer m;
    FontSpec f{"Arial", 12, 0, 1, 0};
    EXPECT_EQ(QtMeasurer::MakeFont(f).pixelSize(), 16);
    FontMetrics fm = m.Metrics(f);
    EXPECT_GT(fm.Height, 10);
    EXPECT_EQ(fm.Height, fm.Ascent + fm.Descent);
    EXPECT_EQ(m.TextWidth(f, "Wort"), m.TextWidth(f, "Wo") + m.TextWidth(f, "rt"));
    EXPECT_EQ(m.TextWidth(f, "a\xA0" "b"), m.TextWidth(f, "a b"));   // no-break blank measures as a blank
    EXPECT_GT(m.TextWidth(f, "WWW"), m.TextWidth(f, "iii"));
}

TEST(QtMeasurer, FitCountAgreesWithTheSearchOverExtents) {
    QtMeasurer m;
    for (const FontSpec& f : {FontSpec{"Arial", 12, 0, 1, 0}, FontSpec{"Times New Roman", 9, fsBold, 1, 0}}) {
        for (std::string_view run : {std::string_view("Wort und Abfrage"), std::string_view("W"), std::string_view("")}) {
            const int32_t full = m.TextWidth(f, run);
            for (int32_t room = -3; room <= full + 3; ++room) {
                for (int32_t overhang : {0, 2}) {
                    int32_t want = -1, got = -1;
                    const int32_t n = m.TextMeasurer::FitCount(f, run, overhang, room, want);
                    EXPECT_EQ(m.FitCount(f, run, overhang, room, got), n) << run << " in " << room;
                    EXPECT_EQ(got, want) << run << " in " << room;
                }
            }
        }
    }
}

TEST(QtCanvas, RectanglesAreRightAndBottomExclusiveAndLinesSkipTheirEnd) {
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        QtMeasurer m;
        SystemColors sys;
        QtCanvas c(p, m, sys, {0, 0, 20, 20});
        c.FillRect({2, 2, 5, 4}, 0x000000);
        c.Polyline({{10, 10}, {15, 10}}, 0x0000FF);
        c.FrameRect({0, 12, 4, 16}, 0xFF0000);
    }
    EXPECT_EQ(img.pixel(4, 3) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(img.pixel(5, 3) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(4, 4) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(14, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(15, 10) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(3, 15) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(img.pixel(4, 15) & 0xFFFFFF, 0xFFFFFFu);
}

// A canvas hands the painter back as it found it, and a clip given to one
// call holds for that call alone.
TEST(QtCanvas, LeavesThePainterAsItFoundIt) {
    QImage img(200, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const QPen pen(QColor(1, 2, 3), 3);
    const QFont font("Arial", 31);
    p.setPen(pen);
    p.setBrush(QColor(4, 5, 6));
    p.setFont(font);
    p.setClipRect(QRect(0, 0, 150, 50));
    const QRegion clip = p.clipRegion();
    {
        QtMeasurer m;
        SystemColors sys;
        QtCanvas c(p, m, sys, {0, 0, 200, 60});
        const TRect narrow{10, 0, 40, 60};
        // A byte without a glyph of its own goes through Qt's text layout, with the font set.
        const FontSpec underlined{"Times New Roman", 12, fsUnderline, DEFAULT_CHARSET, 0x0000FF};
        static_cast<Canvas&>(c).TextOut(5, 30, "ab\x81\xAD" "c", underlined, TextAnchor::Baseline,
                                        TColor(0x00FF00), &narrow);
        c.FillRect({100, 0, 110, 10}, 0xFF0000);
        c.FrameRect({0, 0, 10, 10}, 0xFF0000);
        c.Polyline({{0, 40}, {20, 40}}, 0xFF0000);
        c.Ellipse({0, 40, 10, 50}, TColor(0xFF0000), TColor(0x00FF00));
    }
    EXPECT_EQ(p.pen(), pen);
    EXPECT_EQ(p.brush(), QBrush(QColor(4, 5, 6)));
    EXPECT_EQ(p.font(), font);
    EXPECT_EQ(p.clipRegion(), clip);
    p.end();
    EXPECT_EQ(img.pixel(45, 25) & 0xFFFFFF, 0xFFFFFFu);  // the text's background stops at its clip
    EXPECT_EQ(img.pixel(105, 5) & 0xFFFFFF, 0x0000FFu);  // the next call is not clipped by it
}

namespace {

class PaintedWidget : public QWidget {
public:
    explicit PaintedWidget(std::function<void(QPainter&)> paint) : paint_(std::move(paint)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paint_(p);
    }

private:
    std::function<void(QPainter&)> paint_;
};

}  // namespace

TEST(QtCanvas, TextPaintsTheSamePixelsAsGlyphByGlyphDrawing) {
    // The reference: every character drawn alone through Qt's text layout at
    // the measured advances.
    auto glyphByGlyph = [](QPainter& p, QtMeasurer& m, int32_t x, int32_t base, std::string_view text,
                           const FontSpec& f) {
        const QtMeasurer::Entry& e = m.Lookup(f);
        p.save();
        p.setFont(e.font);
        p.setPen(QColor::fromRgb(ResolveRgb(f.Color, SystemColors())));
        for (char ch : text) {
            p.drawText(QPoint(x, base), QtMeasurer::Decode(f, std::string_view(&ch, 1)));
            x += e.advance[static_cast<uint8_t>(ch)];
        }
        p.restore();
    };
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    // Device 0 plain, 1 a painter with a transform, 2 a high-density picture,
    // 3 a widget rendered at an offset.
    auto same = [&](const FontSpec& f, int device) {
        QtMeasurer m;
        auto paint = [&](QPainter& p, bool reference) {
            if (device == 1) p.translate(7, -11);
            SystemColors sys;
            QtCanvas c(p, m, sys, {0, 0, 900, 400});
            for (size_t line = 0; line * 32 < bytes.size(); ++line) {
                const std::string_view run = std::string_view(bytes).substr(line * 32, 32);
                const int32_t base = 40 + int32_t(line) * 45;
                if (reference) glyphByGlyph(p, m, 3, base, run, f);
                else static_cast<Canvas&>(c).TextOut(3, base, run, f, TextAnchor::Baseline);
            }
        };
        QImage want(900, 400, QImage::Format_RGB32);
        if (device == 2) want.setDevicePixelRatio(2);
        want.fill(Qt::white);
        QImage got = want;
        for (bool reference : {true, false}) {
            QImage& image = reference ? want : got;
            if (device == 3) {
                PaintedWidget w([&](QPainter& p) { paint(p, reference); });
                w.resize(880, 380);
                w.render(&image, QPoint(13, 17));
            } else {
                QPainter p(&image);
                paint(p, reference);
            }
        }
        return got == want;
    };
    const uint8_t styles[] = {0, fsBold, fsItalic, fsUnderline | fsStrikeOut, fsBold | fsItalic | fsUnderline};
    for (const char* name : {"Times New Roman", "Arial", "Courier New"}) {
        for (int32_t size : {8, 13, 24}) {
            for (uint8_t style : styles) {
                for (uint8_t charset : {DEFAULT_CHARSET, EASTEUROPE_CHARSET, RUSSIAN_CHARSET, GREEK_CHARSET}) {
                    EXPECT_TRUE(same(FontSpec{name, size, style, charset, 0x204080}, 0))
                        << name << " " << size << " style " << int(style) << " charset " << int(charset);
                }
            }
        }
    }
    // Underlines and strike-outs are placed and rounded by each size's metrics.
    for (const char* name : {"Times New Roman", "Arial", "Courier New"}) {
        for (int32_t size = 5; size <= 40; ++size) {
            for (uint8_t style : {uint8_t(fsUnderline | fsStrikeOut), uint8_t(fsItalic | fsUnderline)}) {
                EXPECT_TRUE(same(FontSpec{name, size, style, DEFAULT_CHARSET, 0x204080}, 0))
                    << name << " " << size << " style " << int(style);
            }
        }
    }
    for (int device : {1, 2, 3}) {
        for (uint8_t style : styles) {
            EXPECT_TRUE(same(FontSpec{"Times New Roman", 12, style, DEFAULT_CHARSET, 0x204080}, device))
                << "device " << device << " style " << int(style);
        }
    }
}
