
// Pages in a temporary folder of the test's own, and a viewer control that
// paints before each hit test (hit tests read what the last paint placed).

#include "htmlengine/ui/HtmlPane.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTextBlock>
#include <QTextLayout>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "GifAnimations.h"
#include "htmlengine/PageFonts.h"

namespace htmlengine {
namespace {
class PageFolder {
public:
    PageFolder() {
        char pattern[] = "/tmp/pelko-viewer-XXXXXX";
        dir_ = ::mkdtemp(pattern);
    }
    ~PageFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    PageFolder(const PageFolder&) = delete;
    PageFolder& operator=(const PageFolder&) = delete;

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = dir_ + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string Copy(const std::string& from, const std::string& name) const {
        const std::string path = dir_ + "/" + name;
        std::filesystem::copy_file(from, path, std::filesystem::copy_options::overwrite_existing);
        return path;
    }
    const std::string& Dir() const { return dir_; }

private:
    std::string dir_;
};

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void MouseMove(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, held);
}
inline void MouseClick(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, at, button, button);
    SendMouse(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

// Paragraphs enough to make a page scroll.
inline std::string Filler(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "<p>Line " + std::to_string(i) + " of the filler text.</p>\n";
    return s;
}

struct Viewer {
    explicit Viewer(int w = 400, int h = 300) : pane(nullptr, &screen, &cache) {
        pane.Clock = [this] { return now; };
        pane.SetHistoryMaxCount(128);
        pane.resize(w, h);
        pane.show();
    }
    void Paint() { pane.PaintPanel()->grab(); }
    // Moves the mouse over the panel until the link under it is url.
    bool PointAtLink(const std::string& url, QPoint& at) {
        Paint();
        QWidget* p = pane.PaintPanel();
        for (int y = 1; y < p->height(); y += 3)
            for (int x = 1; x < p->width(); x += 4) {
                MouseMove(p, QPoint(x, y));
                if (pane.LinkUnderMouse() == url) {
                    at = QPoint(x, y);
                    return true;
                }
            }
        return false;
    }
    bool ClickLink(const std::string& url) {
        QPoint at;
        if (!PointAtLink(url, at)) return false;
        MouseClick(pane.PaintPanel(), at);
        return true;
    }

    ScreenState screen{24};
    TStringBitmapList cache;
    uint32_t now = 1000;
    THtmlPane pane;
};

#ifndef PELKO_FIXTURES
#error "PELKO_FIXTURES must name the fixture folder"
#endif
std::string ImageFixture(const std::string& name) { return std::string(PELKO_FIXTURES) + "/images/" + name; }

std::string Page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

TEST(Viewer, LoadsPageScrollsToAnchorInAnyCase) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("Seite A", Filler(60) + "<a name=\"Mitte\">Mitte</a>" + Filler(60)));
    Viewer v;
    v.pane.OpenHtmlFile(a + "#mITTE");
    EXPECT_EQ(v.pane.PageTitle(), "Seite A");
    EXPECT_EQ(v.pane.LoadedFileName(), a);
    const int32_t atAnchor = v.pane.VerticalPosition();
    EXPECT_GT(atAnchor, 0);
    EXPECT_GT(v.pane.DocumentHeight(), v.pane.PaintPanel()->height());
    EXPECT_TRUE(v.pane.VertScrollBar()->isVisible());

    // The same file again, also with an anchor it lacks: the position stays, no new entry.
    v.pane.OpenHtmlFile(a + "#fehlt");
    EXPECT_EQ(v.pane.VerticalPosition(), atAnchor);
    EXPECT_EQ(v.pane.History().Count(), 1);
    // A new file without its anchor starts at the top.
    const std::string b = dir.Write("b.html", Page("B", Filler(80)));
    v.pane.OpenHtmlFile(b + "#fehlt");
    EXPECT_EQ(v.pane.VerticalPosition(), 0);
    EXPECT_EQ(v.pane.History().Count(), 2);
}

TEST(Viewer, MissingFileKeepsTheShownPage) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("A", "Text"));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    const std::string missing = dir.Dir() + "/fehlt.html";
    try {
        v.pane.OpenHtmlFile(missing + "#teil");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), "Can't locate file: " + missing);
    }
    EXPECT_EQ(v.pane.LoadedFileName(), a);
    EXPECT_EQ(v.pane.PageTitle(), "A");
    EXPECT_FALSE(v.pane.Processing());
    EXPECT_GT(v.pane.Document().Count(), 0);
    // Empty names are ignored.
    v.pane.OpenHtmlFile("");
    EXPECT_EQ(v.pane.LoadedFileName(), a);
}

TEST(Viewer, LinkClickOpensPageAndHistoryGoesBackAndForward) {
    PageFolder dir;
    const std::string a =
        dir.Write("a.html", Page("A", "<a href=\"Unter/B.HTML\">weiter</a>" + Filler(80) + "<a href=\"#x\">x</a>"));
    const std::string b = dir.Write("unter/b.html", Page("B", Filler(80)));
    Viewer v;
    int changes = 0;
    v.pane.OnHistoryChange = [&] { ++changes; };
    v.pane.OpenHtmlFile(a);
    v.pane.ScrollTo(100);
    v.pane.ScrollTo(0);
    ASSERT_TRUE(v.ClickLink("Unter/B.HTML"));
    EXPECT_EQ(v.pane.LoadedFileName(), b);  // found whatever the case
    EXPECT_EQ(v.pane.History().Count(), 2);
    EXPECT_EQ(v.pane.HistoryCursor(), 0);
    EXPECT_EQ(v.pane.History().Entries[1].File, a);

    v.pane.ScrollTo(120);
    const int32_t bPosition = v.pane.VerticalPosition();
    v.pane.GoToHistoryEntry(1);
    EXPECT_EQ(v.pane.LoadedFileName(), a);
    EXPECT_EQ(v.pane.HistoryCursor(), 1);
    // The followed link now shows as visited.
    bool visited = false;
    for (TFontObj* link : v.pane.Document().LinkList)
        if (link->UrlTarget().Url == "Unter/B.HTML") visited = link->Visited;
    EXPECT_TRUE(visited);

    v.pane.GoToHistoryEntry(2);  // out of range
    v.pane.GoToHistoryEntry(1);  // the shown one
    EXPECT_EQ(v.pane.HistoryCursor(), 1);
    v.pane.GoToHistoryEntry(0);
    EXPECT_EQ(v.pane.LoadedFileName(), b);
    EXPECT_EQ(v.pane.VerticalPosition(), bPosition);
    EXPECT_GE(changes, 4);

    // Going back and opening another page drops the newer entry.
    v.pane.GoToHistoryEntry(1);
    const std::string c = dir.Write("c.html", Page("C", "c"));
    v.pane.OpenHtmlFile(c);
    ASSERT_EQ(v.pane.History().Count(), 2);
    EXPECT_EQ(v.pane.History().Entries[0].File, c);
    EXPECT_EQ(v.pane.History().Entries[1].File, a);
}

TEST(Viewer, AnchorLinkWithinThePageAddsAnEntry) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("A", "<a href=\"#Ende\">zum Ende</a>" + Filler(80) + "<a name=\"ende\">E</a>" + Filler(10)));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    ASSERT_TRUE(v.ClickLink("#Ende"));
    EXPECT_GT(v.pane.VerticalPosition(), 0);
    EXPECT_EQ(v.pane.History().Count(), 2);
    EXPECT_EQ(v.pane.Visited().Urls.front(), a + "#Ende");
    v.pane.GoToHistoryEntry(1);
    EXPECT_EQ(v.pane.VerticalPosition(), 0);
}

TEST(Viewer, HostHandlesLinkAndOtherKindsDoNothing) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("A", "<a href=\"b.html\">b</a> <a href=\"notiz.txt\">t</a>"));
    dir.Write("b.html", Page("B", "b"));
    dir.Write("notiz.txt", "text");
    Viewer v;
    std::vector<std::string> clicked;
    v.pane.OnHotSpotClick = [&](const std::string& src, bool& handled) {
        clicked.push_back(src);
        handled = src == "b.html";
    };
    v.pane.OpenHtmlFile(a);
    ASSERT_TRUE(v.ClickLink("b.html"));
    ASSERT_TRUE(v.ClickLink("notiz.txt"));
    EXPECT_EQ(clicked, (std::vector<std::string>{"b.html", "notiz.txt"}));
    EXPECT_EQ(v.pane.LoadedFileName(), a);
    EXPECT_TRUE(v.pane.Visited().Urls.empty());
}

TEST(Viewer, PictureLinkShowsPicturePage) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("A", "<a href=\"bild.gif#teil\">Bild</a>"));
    const std::string gif = dir.Copy(ImageFixture("plain.gif"), "bild.gif");
    Viewer v;
    v.pane.OpenHtmlFile(a);
    ASSERT_TRUE(v.ClickLink("bild.gif#teil"));
    EXPECT_EQ(v.pane.LoadedFileName(), gif);
    EXPECT_EQ(v.pane.FileKind(), kPictureFile);
    EXPECT_EQ(v.pane.History().Count(), 2);
    EXPECT_EQ(v.cache.Count(), 1);  // the picture came through the cache
    v.pane.ReloadDocument();
    EXPECT_EQ(v.pane.FileKind(), kPictureFile);
    EXPECT_EQ(v.pane.History().Count(), 2);
}

TEST(Viewer, PicturePageTakesAnyFileName) {
    PageFolder dir;
    const std::string name = std::string(120, 'a') + "/" + std::string(120, 'b') + "/x\"q\".gif";
    std::filesystem::create_directories(dir.Dir() + "/" + std::string(120, 'a') + "/" + std::string(120, 'b'));
    const std::string gif = dir.Copy(ImageFixture("plain.gif"), name);
    Viewer v;
    v.pane.OpenImageFile(gif);
    EXPECT_EQ(v.cache.Count(), 1);
    EXPECT_EQ(v.cache.Key(0), TStringBitmapList::CacheKey(gif));
}

TEST(Viewer, AnimatedGifStepsWithTheClock) {
    PageFolder dir;
    dir.Copy(ImageFixture("animated.gif"), "anim.gif");
    const std::string a = dir.Write("a.html", Page("A", "<img src=\"ANIM.GIF\">"));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    ASSERT_EQ(v.pane.Document().AnimatedGifs().size(), 1u);
    TGIFImage* gif = v.pane.Document().AnimatedGifs().front();
    ASSERT_GT(gif->FrameCount(), 1);
    std::vector<int> frames;
    for (int i = 0; i < 12; ++i) {
        v.Paint();
        v.now += 1000;
        v.pane.AnimationTick();
        frames.push_back(gif->CurrentFrame());
    }
    EXPECT_EQ(frames.front(), 1);  // the first step only starts the clock
    EXPECT_NE(std::set<int>(frames.begin(), frames.end()).size(), 1u);
    // Not drawn in the last paint: no step.
    const int shown = gif->CurrentFrame();
    v.pane.Document().MarkAnimationsNotDrawn();
    v.now += 1000;
    v.pane.AnimationTick();
    EXPECT_EQ(gif->CurrentFrame(), shown);
}

TEST(Viewer, AnimationOfSmallFramesOnALargeScreenPaintsEachStep) {
    using namespace gif_animations;
    const std::vector<Frame> frames = SmallFramesOnALargeScreen(false, true);
    const std::vector<uint8_t> bytes = Write(kScreenWidth, kScreenHeight, frames);
    PageFolder dir;
    dir.Write("steps.gif", std::string(bytes.begin(), bytes.end()));
    Viewer v(1100, 800);
    v.pane.OpenHtmlFile(dir.Write("a.html", Page("A", "<img src=\"steps.gif\">")));
    ASSERT_EQ(v.pane.Document().AnimatedGifs().size(), 1u);
    const TGIFImage* gif = v.pane.Document().AnimatedGifs().front();
    Composition want(kScreenWidth, kScreenHeight, frames);
    for (int tick = 0; tick <= 2 * int(frames.size()); ++tick) {
        const QImage shot = v.pane.PaintPanel()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const TGIFImage::Rect& r = gif->DrawnRect();
        ASSERT_EQ(r.width, want.Width());
        ASSERT_EQ(r.height, want.Height());
        ASSERT_TRUE(shot.rect().contains(QRect(r.x, r.y, r.width, r.height)));
        // Frame 1 is opaque: what no frame covers paints black (the alpha byte of
        // an opaque picture is not looked at).
        for (int y = 0; y < want.Height(); ++y) {
            const auto* painted = reinterpret_cast<const QRgb*>(shot.constScanLine(r.y + y)) + r.x;
            for (int x = 0; x < want.Width(); ++x) {
                ASSERT_EQ(painted[x] | 0xFF000000u, want.Row(y)[x] | 0xFF000000u) << "tick " << tick << " pixel " << x << "," << y;
            }
        }
        v.now += 100;
        v.pane.AnimationTick();
        if (tick > 0) {  // the first tick only starts the clock
            want.Show(want.Current() % int(frames.size()) + 1);
        }
        ASSERT_EQ(gif->CurrentFrame(), want.Current()) << "tick " << tick;
    }
}

TEST(Viewer, BufferLeavesNoFileAndNoHistory) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("A", "a"));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    const std::string about = Page("Info \xFC" "ber", "<body bgcolor=\"#FFFFFF\">x");
    v.pane.ShowHtmlBuffer(about.data(), int32_t(about.size()));
    EXPECT_EQ(v.pane.LoadedFileName(), "");
    EXPECT_EQ(v.pane.PageTitle(), "Info \xFC" "ber");
    EXPECT_EQ(v.pane.Color(), 0xFFFFFFu | PaletteRelative);
    v.pane.ReloadDocument();
    EXPECT_EQ(v.pane.LoadedFileName(), "");
    EXPECT_EQ(v.pane.History().Count(), 1);
}

TEST(Viewer, MetaRefreshIsReported) {
    PageFolder dir;
    const std::string a = dir.Write(
        "a.html", "<html><head><meta http-equiv=\"Refresh\" content=\"0;URL=Next.html\"></head><body>x</body></html>");
    Viewer v;
    std::vector<std::pair<int32_t, std::string>> seen;
    v.pane.OnMetaRefresh = [&](int32_t d, const std::string& u) { seen.emplace_back(d, u); };
    v.pane.OpenHtmlFile(a);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_pair(1, std::string("Next.html")));
}

TEST(Viewer, SettersClampTheirValues) {
    Viewer v;
    v.pane.SetDefFontSize(3);
    EXPECT_EQ(v.pane.DefFontSize(), 6);
    v.pane.SetMarginWidth(500);
    EXPECT_EQ(v.pane.MarginWidth(), 200);
    v.pane.SetMarginWidth(-1);
    EXPECT_EQ(v.pane.MarginWidth(), 200);
    v.pane.SetImageCacheCount(99);
    EXPECT_EQ(v.pane.ImageCacheCount(), 20);
    EXPECT_EQ(v.cache.AgeLimit(), 20);
    v.pane.SetServerRoot("  /srv/hilfe\\ ");
    EXPECT_EQ(v.pane.ServerRoot(), "/srv/hilfe");
}

TEST(Viewer, OptionsAndColoursReachTheDocument) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("A", "<a href=\"b.html\">b</a>"));
    Viewer v;
    v.pane.SetHtOptions(htOverLinksActive | htNoLinkUnderline | htShowDummyCaret | htShowVScroll);
    v.pane.SetDefOverLinkColor(0x00FF00);
    v.pane.SetCharSet(238);
    v.pane.OpenHtmlFile(a);
    TViewerDocument& d = v.pane.Document();
    EXPECT_TRUE(d.LinksActive);  // survives the load's defaults
    EXPECT_EQ(d.LinkStyle, 0);
    EXPECT_TRUE(d.ShowDummyCaret);
    EXPECT_EQ(d.OverLinkColor, 0x00FF00u);
    EXPECT_EQ(d.FontCharset, 238);
    // A short page keeps a vertical bar, shown but disabled.
    EXPECT_TRUE(v.pane.VertScrollBar()->isVisible());
    EXPECT_FALSE(v.pane.VertScrollBar()->isEnabled());

    v.pane.SetHtOptions(0);
    v.pane.OpenHtmlFile(a);
    EXPECT_FALSE(d.LinksActive);
    EXPECT_EQ(d.LinkStyle, fsUnderline);
    EXPECT_FALSE(d.ShowDummyCaret);
    EXPECT_FALSE(v.pane.VertScrollBar()->isVisible());
}

TEST(Viewer, PictureRightClickAndDoubleClickEventsReachTheHost) {
    PageFolder dir;
    dir.Copy(ImageFixture("plain.gif"), "bild.gif");
    const std::string a = dir.Write(
        "a.html", Page("A", "<p><a href=\"b.html\">Wort</a></p><p><img src=\"bild.gif\" width=40 height=40></p>"));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    std::vector<TImageObj*> over, clicked;
    std::vector<TRightClickParameters> right;
    int doubles = 0;
    v.pane.OnImageOver = [&](TImageObj* image, Qt::KeyboardModifiers, int, int) { over.push_back(image); };
    v.pane.OnImageClick = [&](TImageObj* image, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        clicked.push_back(image);
    };
    v.pane.OnRightClick = [&](const TRightClickParameters& p) { right.push_back(p); };
    v.pane.OnMouseDouble = [&](Qt::KeyboardModifiers, int, int) { ++doubles; };
    v.Paint();
    QWidget* panel = v.pane.PaintPanel();
    QPoint picture(-1, -1);
    for (int y = 1; y < panel->height() && picture.x() < 0; y += 2)
        for (int x = 1; x < 200 && picture.x() < 0; x += 2) {
            MouseMove(panel, QPoint(x, y));
            if (!over.empty()) picture = QPoint(x, y);
        }
    ASSERT_GE(picture.x(), 0);
    MouseClick(panel, picture, Qt::RightButton);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], over[0]);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(right[0].Image, over[0]);
    EXPECT_TRUE(right[0].Url.empty());

    QPoint link;
    ASSERT_TRUE(v.PointAtLink("b.html", link));
    MouseClick(panel, link, Qt::RightButton);
    ASSERT_EQ(right.size(), 2u);
    EXPECT_EQ(right[1].Url, "b.html");
    EXPECT_EQ(right[1].Word, "Wort");
    EXPECT_EQ(right[1].Image, nullptr);
    SendMouse(panel, QEvent::MouseButtonDblClick, link, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doubles, 1);
}

TEST(Viewer, KeysScrollWithinTheDocument) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("A", Filler(100)));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    const int32_t bottom = v.pane.DocumentHeight() - v.pane.PaintPanel()->height();
    auto key = [&](Qt::Key k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(&v.pane, &press);
        return v.pane.VerticalPosition();
    };
    EXPECT_EQ(key(Qt::Key_Up), 0);
    EXPECT_EQ(key(Qt::Key_Down), 16);
    EXPECT_EQ(key(Qt::Key_End), bottom);
    EXPECT_EQ(key(Qt::Key_Down), bottom);
    EXPECT_EQ(key(Qt::Key_PageUp), bottom - (v.pane.PaintPanel()->height() - 16));
    EXPECT_EQ(key(Qt::Key_Home), 0);
    // Taller panel than document: no scrolling, and a resize goes to the top.
    const std::string s = dir.Write("s.html", Page("S", "kurz"));
    v.pane.OpenHtmlFile(s);
    EXPECT_EQ(key(Qt::Key_End), 0);
}

TEST(Viewer, PositionSurvivesRelayout) {
    PageFolder dir;
    const std::string a = dir.Write("a.html", Page("A", Filler(200)));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    v.pane.ScrollTo(400);
    const int32_t p = v.pane.CurrentPosition();
    v.pane.RestorePosition(-5);  // ignored
    EXPECT_EQ(v.pane.CurrentPosition(), p);
    v.pane.SetDefFontSize(14);
    EXPECT_EQ(v.pane.DefFontSize(), 14);
    EXPECT_EQ(PositionSection(v.pane.CurrentPosition()), PositionSection(p));
}

// ---- form controls and the horizontal bar

TEST(Viewer, ImageSubmitButtonSendsThePointInsideItsPicture) {
    PageFolder dir;
    dir.Copy(ImageFixture("plain.gif"), "los.gif");
    const std::string a = dir.Write(
        "a.html", Page("A", "<form action=\"suche\"><input type=hidden name=h value=1>Weiter zur Suche "
                            "<input type=image name=go src=\"los.gif\" width=40 height=40></form>"));
    Viewer v;
    std::vector<FormSubmission> sent;
    v.pane.SetOnFormSubmit([&](const FormSubmission& s) { sent.push_back(s); });
    v.pane.OpenHtmlFile(a);
    // The first point over the picture, found as the mouse moves.
    TImageObj* over = nullptr;
    v.pane.OnImageOver = [&](TImageObj* image, Qt::KeyboardModifiers, int, int) { over = image; };
    v.Paint();
    QWidget* panel = v.pane.PaintPanel();
    QPoint at(-1, -1);
    for (int y = 1; y < 80 && !over; y += 2)
        for (int x = 1; x < panel->width() && !over; x += 2) {
            MouseMove(panel, QPoint(x, y));
            if (over) at = QPoint(x, y);
        }
    ASSERT_NE(over, nullptr);
    EXPECT_GE(at.x(), 40);  // text stands before it: panel and picture points differ

    MouseClick(panel, at + QPoint(7, 9));
    EXPECT_TRUE(sent.empty());  // delivered once the click is over
    QApplication::processEvents();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Action, "suche");
    ASSERT_EQ(sent[0].Results.size(), 3u);
    EXPECT_EQ(sent[0].Results[0], "h=1");
    const int x = std::stoi(sent[0].Results[1].substr(5)), y = std::stoi(sent[0].Results[2].substr(5));
    EXPECT_EQ(sent[0].Results[1], "go.x=" + std::to_string(x));
    EXPECT_EQ(sent[0].Results[2], "go.y=" + std::to_string(y));
    EXPECT_TRUE(x >= 7 && x < 40 && y >= 9 && y < 40) << x << "," << y;
    MouseClick(panel, at + QPoint(10, 20));
    QApplication::processEvents();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].Results, (std::vector<std::string>{"h=1", "go.x=" + std::to_string(x + 3),
                                                         "go.y=" + std::to_string(y + 11)}));
}

TEST(Viewer, TabToAControlBelowTheViewScrollsItIntoView) {
    PageFolder dir;
    const std::string a =
        dir.Write("a.html", Page("A", "<form><input name=oben>" + Filler(40) + "<input name=unten>" + Filler(40)));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    v.Paint();
    v.pane.activateWindow();
    QApplication::processEvents();
    const auto edits = v.pane.PaintPanel()->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 2);
    edits[0]->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    if (!edits[0]->hasFocus()) GTEST_SKIP() << "no focus on this platform";
    EXPECT_EQ(v.pane.VerticalPosition(), 0);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(edits[0], &tab);
    QApplication::processEvents();
    ASSERT_TRUE(edits[1]->hasFocus());
    EXPECT_GT(v.pane.VerticalPosition(), 0);
    v.Paint();
    EXPECT_GE(edits[1]->y(), 0);
    EXPECT_LE(edits[1]->y() + edits[1]->height(), v.pane.PaintPanel()->height());
    // Back up to the first: it comes into view again.
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    QApplication::sendEvent(edits[1], &back);
    QApplication::processEvents();
    ASSERT_TRUE(edits[0]->hasFocus());
    EXPECT_EQ(v.pane.VerticalPosition(), 0);
}

// The rows and options a text area and a list box ask for are all in view:
// their scroll bars come around that room, not out of it.
TEST(Viewer, TextAreasAndListBoxesShowTheRowsTheyAskFor) {
    PageFolder dir;
    std::string ten;
    for (int i = 1; i <= 10; ++i) ten += "<option>Wahl " + std::to_string(i);
    const std::string a = dir.Write(
        "a.html", Page("F", "<form><textarea rows=3 cols=12>eins\nzwei\ndrei\nvier\nfuenf</textarea>"
                            "<textarea rows=2 cols=12 wrap=soft>abcdefghijkl mnop</textarea><br>"
                            "<select size=3><option>Erste Wahl<option>Zwei<option>Drei<option>Vier</select>"
                            "<select multiple>" + ten + "</select></form>"));
    Viewer v(700, 400);
    v.pane.OpenHtmlFile(a);
    v.Paint();
    QApplication::processEvents();
    QWidget* panel = v.pane.PaintPanel();

    const auto memos = panel->findChildren<QPlainTextEdit*>();
    ASSERT_EQ(memos.size(), 2);
    for (QPlainTextEdit* memo : memos) {
        const int rows = memo == memos[0] ? 3 : 2;
        const QFontMetrics fm(memo->font());
        const int line = fm.ascent() + fm.descent();
        EXPECT_EQ(memo->viewport()->height(), rows * line + 5) << rows;
        EXPECT_TRUE(memo->verticalScrollBar()->isVisible()) << rows;
    }
    EXPECT_TRUE(memos[0]->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(memos[1]->horizontalScrollBar()->isVisible());  // WRAP: no bar sideways
    // Three lines of text are whole in the first; the second wraps after its
    // twelve columns, not before.
    const QTextBlock third = memos[0]->document()->findBlockByNumber(2);
    EXPECT_LE(memos[0]->cursorRect(QTextCursor(third)).bottom(), memos[0]->viewport()->height());
    const QTextBlock wrapped = memos[1]->document()->firstBlock();
    ASSERT_EQ(wrapped.layout()->lineCount(), 2);
    EXPECT_EQ(wrapped.layout()->lineAt(0).textLength(), 13);  // twelve letters and the blank

    const auto lists = panel->findChildren<QListWidget*>();
    ASSERT_EQ(lists.size(), 2);
    // SIZE=3 shows three options whole, the longest uncut, and no bar sideways;
    // ten options without SIZE show eight.
    for (QListWidget* list : lists) {
        const int shown = list == lists[0] ? 3 : 8;
        const QRect room = list->viewport()->rect();
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << shown;
        EXPECT_TRUE(list->verticalScrollBar()->isVisible()) << shown;
        const QFontMetrics fm(list->font());
        EXPECT_EQ(room.height(), shown * (fm.ascent() + fm.descent())) << shown;
        for (int i = 0; i < shown; ++i) {
            EXPECT_TRUE(room.contains(list->visualItemRect(list->item(i)))) << shown << " option " << i;
        }
        EXPECT_FALSE(room.intersects(list->visualItemRect(list->item(shown)))) << shown;
    }
    const QString longest = lists[0]->item(0)->text();
    EXPECT_LE(QFontMetrics(lists[0]->font()).horizontalAdvance(longest) + 6, lists[0]->viewport()->width());
}

TEST(Viewer, HorizontalBarDraggedToItsEndShowsTheLastColumn) {
    PageFolder dir;
    const std::string a = dir.Write(
        "a.html", Page("A", "<body bgcolor=\"#FFFFFF\"><table width=900 border=0 cellspacing=0 cellpadding=0>"
                            "<tr><td bgcolor=\"#FF0000\">breit</td></tr></table>"));
    Viewer v;
    v.pane.OpenHtmlFile(a);
    QScrollBar* bar = v.pane.HorzScrollBar();
    ASSERT_TRUE(bar->isVisible());
    QStyleOptionSlider o;
    o.initFrom(bar);
    o.orientation = Qt::Horizontal;
    o.state |= QStyle::State_Horizontal;
    o.minimum = bar->minimum();
    o.maximum = bar->maximum();
    o.sliderPosition = o.sliderValue = bar->value();
    o.singleStep = bar->singleStep();
    o.pageStep = bar->pageStep();
    const QPoint thumb =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSlider, bar).center();
    SendMouse(bar, QEvent::MouseButtonPress, thumb, Qt::LeftButton, Qt::LeftButton);
    MouseMove(bar, QPoint(bar->width() + 100, thumb.y()), Qt::LeftButton);
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(bar->width() + 100, thumb.y()), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(v.pane.HorizontalPosition(), bar->maximum());

    // The red cell's last column stands inside the panel, the page's right margin after it.
    const QImage shot = v.pane.PaintPanel()->grab().toImage();
    int lastRed = -1;
    for (int x = 0; x < shot.width(); ++x)
        for (int y = 0; y < 40; ++y)
            if (shot.pixelColor(x, y) == QColor(255, 0, 0)) lastRed = x;
    EXPECT_EQ(lastRed, shot.width() - 1 - v.pane.MarginWidth());
    // The Right key stops at the same place.
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&v.pane, &right);
    EXPECT_EQ(v.pane.HorizontalPosition(), bar->maximum());
}

// ---- mouse selection

struct SelectionPage : ::testing::Test {
    void SetUp() override {
        a = dir.Write("a.html", Page("A", "Wort1 zwei-drei \xE9t\xE9 und noch mehr Text hier<br><br><a href=\"b.html\">Verweis auf B</a>" + Filler(5)));
        dir.Write("b.html", Page("B", "b"));
        v.pane.OpenHtmlFile(a);
        v.Paint();
    }
    PageFolder dir;
    std::string a;
    Viewer v;
};

TEST_F(SelectionPage, DragOverTextThenReleaseOnLinkSelectsWithoutFollowing) {
    QPoint link;
    ASSERT_TRUE(v.PointAtLink("b.html", link));
    QWidget* p = v.pane.PaintPanel();
    SendMouse(p, QEvent::MouseButtonPress, QPoint(12, 8), Qt::LeftButton, Qt::LeftButton);
    MouseMove(p, link, Qt::LeftButton);
    SendMouse(p, QEvent::MouseButtonRelease, link, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(v.pane.LoadedFileName(), a);
    EXPECT_LT(v.pane.Document().SelStart, v.pane.Document().SelEnd);
}

TEST_F(SelectionPage, NoSelectKeepsLinksWorking) {
    v.pane.SetNoSelect(true);
    QPoint link;
    ASSERT_TRUE(v.PointAtLink("b.html", link));
    QWidget* p = v.pane.PaintPanel();
    SendMouse(p, QEvent::MouseButtonPress, QPoint(12, 8), Qt::LeftButton, Qt::LeftButton);
    MouseMove(p, QPoint(40, -30), Qt::LeftButton);  // above the panel: no auto-scroll either
    EXPECT_FALSE(v.pane.AutoScrolling());
    MouseMove(p, link, Qt::LeftButton);
    SendMouse(p, QEvent::MouseButtonRelease, link, Qt::LeftButton, Qt::NoButton);
    EXPECT_GE(v.pane.Document().SelStart, v.pane.Document().SelEnd);
    MouseClick(p, link);
    EXPECT_EQ(v.pane.LoadedFileName(), dir.Dir() + "/b.html");
}

TEST_F(SelectionPage, CtrlCAndCtrlInsertCopyTheSelection) {
    QWidget* p = v.pane.PaintPanel();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("vorher");
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers mods) {
        QKeyEvent press(QEvent::KeyPress, k, mods);
        QApplication::sendEvent(&v.pane, &press);
    };
    key(Qt::Key_C, Qt::ControlModifier);  // nothing selected: nothing copied
    EXPECT_EQ(clipboard->text(), "vorher");

    // Double clicks along the first line until the accented word is selected.
    auto& d = v.pane.Document();
    for (int x = 12; x < 300 && clipboard->text() == "vorher"; x += 2) {
        SendMouse(p, QEvent::MouseButtonDblClick, QPoint(x, 10), Qt::LeftButton, Qt::LeftButton);
        if (d.SelStart < d.SelEnd && d.SelEnd - d.SelStart == 3) key(Qt::Key_C, Qt::ControlModifier);
    }
    EXPECT_EQ(clipboard->text(), QString::fromUtf8("été"));  // the page's bytes as characters
    clipboard->setText("vorher");
    key(Qt::Key_C, Qt::NoModifier);
    key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard->text(), "vorher");
    key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString::fromUtf8("été"));

    // A selection over two lines keeps its line end.
    QPoint link;
    ASSERT_TRUE(v.PointAtLink("b.html", link));
    SendMouse(p, QEvent::MouseButtonPress, QPoint(12, 8), Qt::LeftButton, Qt::LeftButton);
    MouseMove(p, link, Qt::LeftButton);
    SendMouse(p, QEvent::MouseButtonRelease, link, Qt::LeftButton, Qt::NoButton);
    key(Qt::Key_C, Qt::ControlModifier);
    const QString text = clipboard->text();
    EXPECT_TRUE(text.startsWith(QString::fromUtf8("Wort1 zwei-drei été und"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("hier\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains('\r'));
}

TEST_F(SelectionPage, DoubleClickSelectsAWord) {
    QWidget* p = v.pane.PaintPanel();
    // Scan the first line for the word under each point.
    std::set<std::string> words;
    for (int x = 12; x < 300; x += 2) {
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(x, 10), QPointF(p->mapToGlobal(QPoint(x, 10))),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p, &dbl);
        auto& d = v.pane.Document();
        if (d.SelStart >= d.SelEnd) continue;
        std::string w;
        for (int32_t i = d.SelStart; i < d.SelEnd; ++i) {
            char c = 0;
            TSectionBase* s = nullptr;
            d.CharAt(i, c, s);
            w += c;
        }
        words.insert(w);
    }
    EXPECT_TRUE(words.count("Wort1"));
    EXPECT_TRUE(words.count("zwei"));
    EXPECT_TRUE(words.count("drei"));
    EXPECT_TRUE(words.count("\xE9t\xE9"));
    EXPECT_FALSE(words.count("zwei-drei"));
}

}  // namespace
}  // namespace htmlengine
