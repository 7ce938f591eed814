#include "helpviewer/HelpTexts.h"
#include "helpviewer/ui/HelpMain.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/QtDialogs.h"
#include "common/NoIconTheme.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSplitter>
#include <QPushButton>
#include <QWheelEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace helpviewer {
namespace {

class HelpWindow : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pelko-helpmain-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        previousFolder_ = platform::ProgramFolder();
        platform::SetProgramFolder(dir_ + "/");
        Write("Hilfe/index.html", "<title>Inhalt</title><a href=\"a.html\">A</a> <a href=\"HTTP://x.example/\">Web</a>");
        Write("Hilfe/a.html", "<title>Seite A</title><a href=\"b.html\">B</a>");
        Write("Hilfe/b.html", "<title></title>ohne Titel");
    }
    void TearDown() override {
        platform::SetProgramFolder(previousFolder_);
        std::filesystem::remove_all(dir_);
    }
    std::string Write(const std::string& name, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(dir_ + "/" + name).parent_path());
        std::ofstream(dir_ + "/" + name, std::ios::binary) << text;
        return dir_ + "/" + name;
    }
    static void Show(THelpMainForm& form) {
        form.show();
        QApplication::processEvents();  // the first page opens from the event loop
    }
    std::string Page(const std::string& name) { return dir_ + "/Hilfe/" + name; }
    std::string RegistryFile() { return dir_ + "/registry.reg"; }

    std::string dir_, previousFolder_;
    platform::ScriptedDialogs dialogs_;
    platform::ScopedDialogs scoped_{dialogs_};
};

TEST_F(HelpWindow, SpeedButtonsCarryGlyphsAndTheWindowItsIcon) {
    NoIconTheme none;
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    Show(form);
    for (QToolButton* button : {form.BackButton, form.ForwardButton, form.InhaltButton, form.SearchToolButton,
                                form.HistoryToolButton, form.EndButton, form.ReloadButton}) {
        EXPECT_FALSE(button->icon().pixmap(16).isNull()) << button->text().toStdString();
        EXPECT_GE(button->width(), 80);
        // The caption is not cut.
        if (button->isVisible()) EXPECT_GE(button->width(), button->sizeHint().width());
    }
    EXPECT_EQ(form.windowIcon().pixmap(32).toImage(), platform::HelpViewerIcon().pixmap(32).toImage());
}

TEST_F(HelpWindow, StartsOnIndexAndKeepsHistory) {
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    Show(form);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("index.html"));
    EXPECT_EQ(form.windowTitle(), "Pelko32 Hilfe - Inhalt");
    EXPECT_TRUE(form.HistoryMenuItem->isEnabled());

    form.Viewer->OpenHtmlFile(Page("a.html"));
    form.Viewer->OpenHtmlFile(Page("b.html"));
    EXPECT_EQ(form.windowTitle(), "Pelko32 Hilfe - ");
    ASSERT_EQ(form.HistoryBox->count(), 3);
    EXPECT_EQ(form.HistoryBox->item(0)->text(), "");
    EXPECT_EQ(form.HistoryBox->item(1)->text(), "Seite A");
    EXPECT_EQ(form.HistoryItems[1]->text().toStdString(), Page("a.html") + "--Seite A");
    EXPECT_EQ(form.HistoryItems[0]->text().toStdString(), Page("b.html"));
    EXPECT_TRUE(form.HistoryItems[0]->isChecked());
    EXPECT_FALSE(form.HistoryItems[3]->isVisible());

    form.ForwardClick();  // at the newest: nothing
    EXPECT_EQ(form.Viewer->HistoryCursor(), 0);
    form.BackClick();
    form.BackClick();
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("index.html"));
    form.BackClick();  // at the oldest: nothing
    EXPECT_EQ(form.Viewer->HistoryCursor(), 2);
    EXPECT_TRUE(form.HistoryItems[2]->isChecked());
    form.HistoryBoxClick(0);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("b.html"));
}

// A page's title and a link's address are shown as they are: tags as text in
// the status bar, an "&" as itself in the history menu.
TEST_F(HelpWindow, TitlesAndLinksShowTheirTagsAndAmpersandsAsTheyAre) {
    Write("Hilfe/index.html",
          "<title>Fragen &amp; &lt;b&gt;Antworten&lt;/b&gt;</title>"
          "<a href=\"&lt;b&gt;fett.html\">WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW</a>");
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    form.resize(800, 500);
    Show(form);
    EXPECT_EQ(form.HistoryItems[0]->iconText().toStdString(), Page("index.html") + "--Fragen & <b>Antworten</b>");

    QWidget* panel = form.Viewer->PaintPanel();
    panel->grab();  // links are found where they were painted
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 12), panel->mapToGlobal(QPointF(40, 12)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &move);
    EXPECT_EQ(form.StatusLabel->text(), "<b>fett.html");
    EXPECT_EQ(form.StatusLabel->textFormat(), Qt::PlainText);
}

void Key(QWidget* w, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

TEST_F(HelpWindow, HistoryListGoesWhereItIsClickedOrKeyedTo) {
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    Show(form);
    form.Viewer->OpenHtmlFile(Page("a.html"));
    form.Viewer->OpenHtmlFile(Page("b.html"));
    form.SpeedButton4Click();
    QApplication::processEvents();
    auto click = [&](int row) {
        QWidget* list = form.HistoryBox->viewport();
        const QPoint at = form.HistoryBox->visualItemRect(form.HistoryBox->item(row)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, QPointF(at), QPointF(list->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(list, &e);
        }
    };
    click(1);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("a.html"));
    EXPECT_EQ(form.Viewer->HistoryCursor(), 1);
    form.ForwardClick();
    form.HistoryBox->setCurrentRow(1);  // moving the list's row is no click
    EXPECT_EQ(form.Viewer->HistoryCursor(), 0);
    click(1);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("a.html"));
    EXPECT_EQ(form.Viewer->HistoryCursor(), 1);

    // The shown page is the current row; a key that moves the row goes there.
    EXPECT_EQ(form.HistoryBox->currentRow(), 1);
    Key(form.HistoryBox, Qt::Key_Down);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("index.html"));
    EXPECT_EQ(form.HistoryBox->currentRow(), 2);
    Key(form.HistoryBox, Qt::Key_Down);  // at the end: nothing moves
    EXPECT_EQ(form.Viewer->HistoryCursor(), 2);
    form.HistoryBox->setCurrentRow(0);
    Key(form.HistoryBox, Qt::Key_Return);  // Enter goes to the row
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("b.html"));
    EXPECT_EQ(form.Viewer->HistoryCursor(), 0);
}

TEST_F(HelpWindow, MissingFirstPageIsReported) {
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry, Page("fehlt.html"));
    Show(form);
    ASSERT_EQ(dialogs_.Texts().size(), 1u);
    EXPECT_EQ(dialogs_.Texts()[0], "Can't locate file: " + Page("fehlt.html"));
    EXPECT_EQ(form.Viewer->LoadedFileName(), "");
}

TEST_F(HelpWindow, BoxAboutAMissingFirstPageStandsOnTheViewerThatStaysOnTop) {
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry, Page("fehlt.html"));
    form.vg->trigger();
    platform::QtDialogs boxes(platform::Program::HelpViewer);
    boxes.SetMainWindow(&form);
    platform::ScopedDialogs scoped(boxes);
    const QString name = QApplication::applicationName();
    QApplication::setApplicationName("Pelko32 Hilfe");  // as the program's application object
    QWidget* parent = nullptr;
    QString title, caption;
    // Answers the box once it is up.
    QTimer answer;
    answer.start(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<platform::MessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        answer.stop();
        parent = box->parentWidget();
        caption = box->windowTitle();
        title = form.windowTitle();
        box->Buttons().first()->click();
    });
    // Shown, but not yet the active window: the box comes from the event loop.
    Show(form);
    EXPECT_EQ(parent, &form);
    EXPECT_EQ(caption, "Pelko32 Hilfe");
    EXPECT_EQ(title, "Pelko32 Hilfe");
    form.vg->trigger();
    QApplication::setApplicationName(name);
}

TEST_F(HelpWindow, HandOverRestoresAMinimisedViewerAndKeepsAMaximisedOne) {
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    Show(form);
    form.showMaximized();
    form.OpenHandedOverPage("\"/opt/pelko/PelkoHelp\" \"" + Page("a.html") + "\"");
    EXPECT_TRUE(form.isMaximized());
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("a.html"));
    form.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
    form.OpenHandedOverPage("\"/opt/pelko/PelkoHelp\"");
    EXPECT_FALSE(form.isMinimized());
    EXPECT_TRUE(form.isMaximized());
    form.showNormal();
    form.showMinimized();
    form.OpenHandedOverPage("\"/opt/pelko/PelkoHelp\"");
    EXPECT_FALSE(form.isMinimized());
    EXPECT_FALSE(form.isMaximized());
}

TEST_F(HelpWindow, FontSizeAndStayOnTopAreKept) {
    {
        platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
        THelpMainForm form(registry);
        EXPECT_TRUE(form.N121->isChecked());
        EXPECT_EQ(form.Viewer->DefFontSize(), 12);
        form.N141->trigger();
        EXPECT_TRUE(form.N141->isChecked());
        EXPECT_FALSE(form.N121->isChecked());
        EXPECT_EQ(form.Viewer->DefFontSize(), 14);
        form.vg->trigger();
        EXPECT_TRUE(form.vg->isChecked());
        EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
        Show(form);
        form.close();
    }
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm again(registry);
    EXPECT_TRUE(again.N141->isChecked());
    EXPECT_EQ(again.Viewer->DefFontSize(), 14);
    EXPECT_TRUE(again.vg->isChecked());
    EXPECT_TRUE(again.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(HelpWindow, WebLinksGoOutsideAndHandOverOpensPages) {
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    std::vector<std::string> opened;
    form.OnOpenExternally = [&](const std::string& url) { opened.push_back(url); };
    Show(form);
    bool handled = false;
    form.Viewer->OnHotSpotClick("HTTP://x.example/", handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(opened, (std::vector<std::string>{"HTTP://x.example/"}));
    handled = false;
    form.Viewer->OnHotSpotClick("a.html", handled);
    EXPECT_FALSE(handled);

    // The program path first, then two pages: the first page ends up shown.
    form.OpenHandedOverPage("\"/opt/pelko/PelkoHelp.exe\" \"" + Page("a.html") + "\" \"" + Page("b.html") +
                            "\" \"" + Page("fehlt.html") + "\"");
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("a.html"));
    EXPECT_EQ(form.Viewer->History().Entries[1].File, Page("b.html"));
    EXPECT_TRUE(dialogs_.Texts().empty());
}

TEST_F(HelpWindow, SearchPaneAndAboutPage) {
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    Show(form);
    form.SpeedButton1Click();
    EXPECT_TRUE(form.PageControl->isVisible());
    EXPECT_TRUE(form.SearchToolButton->isChecked());
    form.SpeedButton4Click();
    EXPECT_EQ(form.PageControl->currentWidget(), form.HistorySheet);
    EXPECT_TRUE(form.HistoryToolButton->isChecked());
    EXPECT_FALSE(form.SearchToolButton->isChecked());
    form.SpeedButton4Click();
    EXPECT_FALSE(form.PageControl->isVisible());

    form.SearchEdit->setText("seite");
    form.SearchButtonClick();
    ASSERT_EQ(form.SearchBox->count(), 1);
    EXPECT_EQ(form.SearchBox->item(0)->text(), "Seite A ");
    form.SearchBoxClick(0);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("a.html"));
    EXPECT_EQ(form.windowTitle(), "Seite A");  // bare until the next history change

    // From the keyboard: Enter opens the row, a key that moves the row opens the next.
    form.SearchEdit->setText("href");
    form.SearchButtonClick();
    ASSERT_EQ(form.SearchBox->count(), 2);  // "Inhalt", then "Seite A"
    form.activateWindow();
    form.SearchBox->setCurrentRow(0);
    Key(form.SearchBox, Qt::Key_Enter);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("index.html"));
    EXPECT_EQ(form.focusWidget(), form.Viewer);
    form.SearchBox->setFocus();
    Key(form.SearchBox, Qt::Key_Down);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("a.html"));
    EXPECT_EQ(form.focusWidget(), form.SearchBox);  // the arrows step on through the results
    // Enter on the result an arrow opened: the page takes the focus, so the
    // next arrow is the page's.
    Key(form.SearchBox, Qt::Key_Return);
    EXPECT_EQ(form.focusWidget(), form.Viewer);
    Key(form.focusWidget(), Qt::Key_Down);
    EXPECT_EQ(form.Viewer->LoadedFileName(), Page("a.html"));

    form.ShowAboutPage();
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Pelko32 Hilfe - Info über die Pelko32 Hilfe"));
    EXPECT_EQ(form.Viewer->LoadedFileName(), "");
}

TEST_F(HelpWindow, PaneOpensAtItsWidthWithFixedRows) {
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    Show(form);
    form.SpeedButton1Click();
    QApplication::processEvents();
    EXPECT_EQ(form.PageControl->width(), 201);
    form.SearchEdit->setText("seite");
    form.SearchButtonClick();
    ASSERT_EQ(form.SearchBox->count(), 1);
    EXPECT_EQ(form.SearchBox->visualItemRect(form.SearchBox->item(0)).height(), 16);
    // Lines are 400 wide, so a long title is scrolled to rather than cut.
    EXPECT_EQ(form.SearchBox->visualItemRect(form.SearchBox->item(0)).width(), 400);
    EXPECT_GT(form.SearchBox->horizontalScrollBar()->maximum(), 0);
    form.SpeedButton4Click();
    QApplication::processEvents();
    ASSERT_GT(form.HistoryBox->count(), 0);
    EXPECT_EQ(form.HistoryBox->visualItemRect(form.HistoryBox->item(0)).height(), 13);
    // Hidden and shown again, the pane keeps the width the user gave it.
    form.Splitter->setSizes({250, form.Splitter->width() - 250 - form.Splitter->handleWidth()});
    form.SpeedButton4Click();
    form.SpeedButton4Click();
    QApplication::processEvents();
    EXPECT_EQ(form.PageControl->width(), 250);
}

TEST_F(HelpWindow, SearchTextGoesInThePagesCodePage) {
    Write("Hilfe/gruss.html", "<title>Gr\xFC\xDF" "e</title>f\xFCr alle");
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry);
    Show(form);
    form.SearchEdit->setText(QString::fromUtf8("für"));
    form.SearchButtonClick();
    ASSERT_EQ(form.SearchBox->count(), 1);
    EXPECT_EQ(form.SearchBox->item(0)->text(), QString::fromUtf8("Grüße "));
    // Capitals find the small umlaut, as small letters find capitals.
    form.SearchEdit->setText(QString::fromUtf8("FÜR ALLE"));
    form.SearchButtonClick();
    ASSERT_EQ(form.SearchBox->count(), 1);
    // A character the pages cannot hold matches nothing.
    form.SearchEdit->setText(QString::fromUtf8("für д"));
    form.SearchButtonClick();
    EXPECT_EQ(form.SearchBox->count(), 0);
}

TEST_F(HelpWindow, WheelScrollsTheWayItTurns) {
    std::string body = "<table width=2000><tr><td>breit</td></tr></table>";
    for (int i = 0; i < 100; ++i) body += "<p>Zeile</p>";
    Write("Hilfe/lang.html", "<title>Lang</title>" + body);
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry, Page("lang.html"));
    Show(form);
    QWidget* panel = form.Viewer->PaintPanel();
    auto wheel = [&](QPoint delta) {
        const QPoint at(50, 50);
        QWheelEvent e(QPointF(at), QPointF(panel->mapToGlobal(at)), QPoint(), delta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(panel, &e);
    };
    const int lines = QApplication::wheelScrollLines();
    ASSERT_GT(lines, 0);
    wheel({0, -120});
    EXPECT_EQ(form.Viewer->VerticalPosition(), 16 * lines);
    EXPECT_EQ(form.Viewer->HorizontalPosition(), 0);
    wheel({-120, 0});  // sideways: never up or down
    EXPECT_EQ(form.Viewer->VerticalPosition(), 16 * lines);
    EXPECT_EQ(form.Viewer->HorizontalPosition(), 15 * lines);
    wheel({120, 0});
    EXPECT_EQ(form.Viewer->HorizontalPosition(), 0);
    wheel({0, 0});  // a touchpad's start or end of a swipe
    EXPECT_EQ(form.Viewer->VerticalPosition(), 16 * lines);
    wheel({0, 60});  // half notches add up
    EXPECT_EQ(form.Viewer->VerticalPosition(), 16 * lines);
    wheel({0, 60});
    EXPECT_EQ(form.Viewer->VerticalPosition(), 0);
}

// A wheel over the open dialog or a menu is theirs, even where the page lies
// beneath it.
TEST_F(HelpWindow, WheelOverADialogOrAMenuLeavesThePage) {
    std::string body;
    for (int i = 0; i < 100; ++i) body += "<p>Zeile</p>";
    Write("Hilfe/lang.html", "<title>Lang</title>" + body);
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry, Page("lang.html"));
    platform::QtDialogs boxes(platform::Program::HelpViewer);
    boxes.SetMainWindow(&form);
    platform::ScopedDialogs scoped(boxes);
    Show(form);
    ASSERT_EQ(form.Viewer->LoadedFileName(), Page("lang.html"));
    const QPoint overPage = form.Viewer->mapToGlobal(form.Viewer->rect().center());
    auto wheelAt = [&](QWidget* w) {
        QWheelEvent e(QPointF(w->mapFromGlobal(overPage)), QPointF(overPage), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
    };

    // The file list of "Öffnen...", turned while the dialog is up.
    bool turned = false;
    QTimer answer;
    answer.start(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        answer.stop();
        const auto views = dialog->findChildren<QAbstractItemView*>();
        for (QAbstractItemView* view : views) {
            if (!view->isVisible()) continue;
            wheelAt(view->viewport());
            turned = true;
        }
        QMetaObject::invokeMethod(dialog, "reject");
    });
    form.ffnen1Click();
    EXPECT_TRUE(turned);
    EXPECT_EQ(form.Viewer->VerticalPosition(), 0);

    // An open menu.
    QMenu* menu = form.HistoryMenuItem;
    menu->setEnabled(true);
    menu->popup(overPage);
    QApplication::processEvents();
    ASSERT_TRUE(menu->isVisible());
    wheelAt(menu);
    menu->close();
    EXPECT_EQ(form.Viewer->VerticalPosition(), 0);

    // The page itself still takes it.
    wheelAt(form.Viewer->PaintPanel());
    EXPECT_GT(form.Viewer->VerticalPosition(), 0);
}

TEST_F(HelpWindow, RadioButtonsSitOnThePagesColour) {
    Write("Hilfe/form.html", "<title>F</title><form><input type=radio name=r checked> Eins "
                             "<table><tr><td bgcolor=\"#FF0000\"><input type=radio name=r> Zwei</td></tr></table></form>");
    platform::TRegistry registry(platform::RegRoot::CurrentUser, RegistryFile());
    THelpMainForm form(registry, Page("form.html"));
    Show(form);
    QWidget* panel = form.Viewer->PaintPanel();
    const QImage shot = panel->grab().toImage();
    const QColor face = shot.pixelColor(shot.width() - 1, shot.height() - 1);  // the page without BGCOLOR
    const auto radios = panel->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    QWidget* onPage = radios[0]->parentWidget();
    EXPECT_EQ(onPage->palette().color(QPalette::Window), face);
    EXPECT_EQ(shot.pixelColor(onPage->geometry().topLeft()), face);
    EXPECT_EQ(radios[1]->parentWidget()->palette().color(QPalette::Window), QColor(255, 0, 0));
}

TEST(HelpTexts, RulesOfTheWindow) {
    EXPECT_EQ(HistoryItemCaption("/h/a.html", ""), "/h/a.html");
    EXPECT_EQ(HistoryItemCaption("/h/a.html", "T"), "/h/a.html--T");
    EXPECT_TRUE(IsShellLink("mailto:x@y"));
    EXPECT_TRUE(IsShellLink("Http://x"));
    EXPECT_FALSE(IsShellLink("https://x"));  // as the pages are written: no secure links
    EXPECT_FALSE(IsShellLink("a.html"));
    EXPECT_EQ(WheelArrowKey(-120), 40);
    EXPECT_EQ(WheelArrowKey(0), 40);
    EXPECT_EQ(WheelArrowKey(120), 38);
    EXPECT_EQ(WheelKeyCount(3), 3);
    EXPECT_EQ(WheelKeyCount(-1), 0);
}

}  // namespace
}  // namespace helpviewer
