// The viewer's events that pass through to the document, the parser and the
// paint panel: each reaches the host with the values of the page or event.

#include "ImageFixtures.h"
#include "htmlengine/ui/HtmlPane.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace htmlengine {
namespace {

struct Pane {
    Pane() : pane(nullptr, &screen, &cache) {
        pane.resize(400, 300);
        pane.show();
    }
    void Show(const std::string& html) {
        pane.ShowHtmlBuffer(html.data(), int32_t(html.size()));
        pane.PaintPanel()->grab();  // hit tests read what the paint placed
    }
    bool Cached(const std::string& name) const { return cache.IndexOf(TStringBitmapList::CacheKey(name)) >= 0; }

    ScreenState screen{24};
    TStringBitmapList cache;
    THtmlPane pane;
};

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton : button;
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, shift);
    QApplication::sendEvent(w, &e);
}

TEST(ViewerEvents, ScriptsAndIncludesOfEveryLoadReachTheHost) {
    Pane p;
    std::vector<std::string> scripts, includes;
    p.pane.SetOnScript([&](const std::string& name, const std::string& language, const std::string& text) {
        scripts.push_back(name + "|" + language + "|" + text);
    });
    static const char kPart[] = "<a name=\"drin\">innen</a>";
    p.pane.OnInclude = [&](const std::string& command, std::vector<std::string> params, const char*& buffer,
                           int32_t& size) {
        includes.push_back(command + (params.empty() ? "" : " " + params[0]));
        buffer = kPart;
        size = int32_t(sizeof kPart - 1);
    };
    const std::string script = "<script language=\"JavaScript\" name=\"s1\">x = 1;</script>";
    const std::string include = "<!--#include file=\"teil.htm\"-->";
    // The include after the script is read once the script has ended.
    for (const std::string& order : {include + script, script + include}) {
        scripts.clear();
        includes.clear();
        p.Show("<p>" + order);
        EXPECT_EQ(scripts, (std::vector<std::string>{"s1|JavaScript|x = 1;"})) << order;
        EXPECT_EQ(includes, (std::vector<std::string>{"include FILE=teil.htm"})) << order;
        EXPECT_TRUE(p.pane.JumpToAnchor("drin")) << order;  // the host's text is part of the page
    }
    const std::string page = "<p>" + include + script;

    const std::string file = ::testing::TempDir() + "pelko-events-" + std::to_string(::getpid()) + ".html";
    std::ofstream(file, std::ios::binary) << page;
    p.pane.SetOnScript(nullptr);
    p.pane.OpenHtmlFile(file);
    std::filesystem::remove(file);
    EXPECT_EQ(scripts.size(), 1u);  // cleared: no more scripts
    EXPECT_EQ(includes.size(), 2u);
    EXPECT_TRUE(p.pane.JumpToAnchor("drin"));
}

TEST(ViewerEvents, ImageRequestsGetTheNamesAsWritten) {
    Pane p;
    const std::vector<uint8_t> gif = ReadFixture("plain.gif"), bmp = ReadFixture("bmp24.bmp");
    std::vector<std::string> asked;
    p.pane.SetOnImageRequest([&](const std::string& src) -> const std::vector<uint8_t>* {
        asked.push_back(src);
        if (src == "bilder/ohne") return &gif;  // recognised by its bytes, not its name
        if (src == "grund.bmp") return &bmp;
        if (src == "spaeter.gif") return &WaitingStream();
        return nullptr;
    });
    p.Show("<body background=\"grund.bmp\"><img src=\"bilder/ohne\"> <img src=\"spaeter.gif\">"
           "<img src=\"spaeter.gif\"> <img src=\"fehlt.gif\"></body>");
    EXPECT_EQ(asked, (std::vector<std::string>{"grund.bmp", "bilder/ohne", "spaeter.gif", "fehlt.gif"}));
    ASSERT_TRUE(p.Cached("bilder/ohne"));
    EXPECT_EQ(p.cache.Item(p.cache.IndexOf(TStringBitmapList::CacheKey("bilder/ohne"))).Bitmap->Width(),
              gif[6] | gif[7] << 8);  // the width in the header
    ASSERT_NE(p.pane.Document().BackgroundPicture(), nullptr);
    EXPECT_EQ(p.pane.Document().WaitingImages, (std::vector<std::string>{TStringBitmapList::CacheKey("spaeter.gif")}));
    EXPECT_FALSE(p.Cached("spaeter.gif"));
    EXPECT_FALSE(p.Cached("fehlt.gif"));

    asked.clear();
    p.Show("<img src=\"bilder/ohne\"> <img src=\"spaeter.gif\">");
    EXPECT_EQ(asked, (std::vector<std::string>{"spaeter.gif"}));  // the other comes from the cache
}

TEST(ViewerEvents, FormsSubmitOnlyWhileAHandlerIsSet) {
    Pane p;
    p.Show("<form action=\"ziel.htm\" method=post><input name=q value=wort>"
           "<input type=submit name=los value=Los></form>");
    auto buttons = p.pane.PaintPanel()->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    std::vector<FormSubmission> got;
    auto clickAndWait = [&] {
        buttons[0]->click();
        QApplication::processEvents();
    };

    EXPECT_FALSE(p.pane.Document().OnFormSubmit);  // no handler: no hook
    clickAndWait();

    p.pane.SetOnFormSubmit([&](const FormSubmission& s) { got.push_back(s); });
    EXPECT_TRUE(p.pane.Document().OnFormSubmit);
    clickAndWait();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].Action, "ziel.htm");
    EXPECT_EQ(got[0].Method, "post");
    EXPECT_EQ(got[0].Results, (std::vector<std::string>{"q=wort", "los=Los"}));

    p.pane.SetOnFormSubmit(nullptr);
    EXPECT_FALSE(p.pane.Document().OnFormSubmit);
    clickAndWait();
    EXPECT_EQ(got.size(), 1u);
}

TEST(ViewerEvents, ObjectClickGivesTheControlAndItsOnClick) {
    Pane p;
    std::vector<std::pair<TFormControlObj*, std::string>> clicks;
    p.pane.SetOnObjectClick([&](TFormControlObj& control, const std::string& onClick) {
        clicks.push_back({&control, onClick});
    });
    p.Show("<form><input type=button value=\"Los\" onclick=\"mach(1)\"></form>");
    auto buttons = p.pane.PaintPanel()->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    buttons[0]->click();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].first, p.pane.Document().AllControls[0]);
    EXPECT_EQ(clicks[0].second, "mach(1)");
}

TEST(ViewerEvents, PictureAndDoubleClickEventsTakeTheKeysOfTheirMouseEvent) {
    Pane p;
    const std::vector<uint8_t> gif = ReadFixture("plain.gif");
    p.pane.SetOnImageRequest([&](const std::string&) { return &gif; });
    const Qt::KeyboardModifiers keys = Qt::ShiftModifier | Qt::AltModifier;
    std::vector<Qt::KeyboardModifiers> over, clicked, doubles;
    QPoint overAt;
    p.pane.OnImageOver = [&](TImageObj*, Qt::KeyboardModifiers shift, int x, int y) {
        over.push_back(shift);
        overAt = QPoint(x, y);
    };
    p.pane.OnImageClick = [&](TImageObj*, Qt::MouseButton, Qt::KeyboardModifiers shift, int, int) {
        clicked.push_back(shift);
    };
    p.pane.OnMouseDouble = [&](Qt::KeyboardModifiers shift, int, int) { doubles.push_back(shift); };
    p.Show("<img src=\"bild\" width=40 height=40> Wort");
    QWidget* panel = p.pane.PaintPanel();
    QPoint picture(-1, -1);
    for (int y = 1; y < 80 && picture.x() < 0; y += 2)
        for (int x = 1; x < 80 && picture.x() < 0; x += 2) {
            Mouse(panel, QEvent::MouseMove, QPoint(x, y), Qt::NoButton, keys);
            if (!over.empty()) picture = QPoint(x, y);
        }
    ASSERT_GE(picture.x(), 0);
    EXPECT_EQ(overAt, picture);
    Mouse(panel, QEvent::MouseButtonPress, picture, Qt::LeftButton, keys);
    Mouse(panel, QEvent::MouseButtonRelease, picture, Qt::LeftButton, keys);
    Mouse(panel, QEvent::MouseButtonDblClick, picture, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(over, (std::vector<Qt::KeyboardModifiers>{keys}));
    EXPECT_EQ(clicked, (std::vector<Qt::KeyboardModifiers>{keys}));
    EXPECT_EQ(doubles, (std::vector<Qt::KeyboardModifiers>{Qt::ControlModifier}));
}

TEST(ViewerEvents, DragsOverThePanelReachTheHostUntilCleared) {
    Pane p;
    QWidget* panel = p.pane.PaintPanel();
    std::vector<std::string> seen;
    p.pane.SetOnDragOver([&](QObject*, const QMimeData* data, int x, int y, TDragState state, bool& accept) {
        seen.push_back(std::to_string(int(state)) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                       (data ? data->text().toStdString() : "-"));
        accept = x != 20;
    });
    p.pane.SetOnDragDrop([&](QObject* source, const QMimeData* data, int x, int y) {
        seen.push_back("drop " + std::to_string(x) + "," + std::to_string(y) + " " + data->text().toStdString() +
                       (source ? " inside" : " outside"));
    });
    EXPECT_TRUE(panel->acceptDrops());
    QMimeData data;
    data.setText("Wort");
    auto send = [&](QDropEvent&& e) {
        QApplication::sendEvent(panel, &e);
        return e.isAccepted();
    };
    EXPECT_TRUE(send(QDragEnterEvent(QPoint(12, 34), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier)));
    // The host refuses at x 20.
    EXPECT_FALSE(send(QDragMoveEvent(QPoint(20, 40), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier)));
    QDragLeaveEvent leave;
    QApplication::sendEvent(panel, &leave);
    EXPECT_TRUE(send(QDragEnterEvent(QPoint(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier)));
    EXPECT_TRUE(send(QDropEvent(QPointF(21, 41), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier)));
    EXPECT_EQ(seen, (std::vector<std::string>{"0 12,34 Wort", "1 20,40 Wort", "2 20,40 -", "0 5,6 Wort",
                                              "drop 21,41 Wort outside"}));

    p.pane.SetOnDragOver(nullptr);
    EXPECT_FALSE(panel->acceptDrops());
}

}  // namespace
}  // namespace htmlengine
