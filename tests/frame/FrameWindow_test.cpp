#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/ui/Childwin.h"
#include "frame/ui/DirectoryUnit.h"
#include "frame/ui/Main.h"
#include "FrameTestSupport.h"
#include "common/NoIconTheme.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"
#include "platform/TempDir.h"
#include "platform/ui/Glyphs.h"
#include "training/ui/QuizHost.h"

namespace {

class FrameWindowTest : public LiveFrameTest {
protected:
    static void ProcessEvents() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }
    QString Panel(int i) const { return form->StatusPanels[i]->text(); }
};

TEST_F(FrameWindowTest, HelpMenuStartsTheViewerAndWebItemsOpenTheirAddresses) {
    form->Index1->trigger();
    form->NeuesindieserVersion1->trigger();
    form->Homepage1->trigger();
    ASSERT_EQ(shell.starts.size(), 2u);
    EXPECT_EQ(shell.starts[0].program, dir.Path("PelkoHelp"));
    EXPECT_EQ(shell.starts[0].arguments, std::vector<std::string>{dir.Path("Hilfe/index.html")});
    EXPECT_EQ(shell.starts[1].arguments, std::vector<std::string>{dir.Path("Hilfe/Allgemeines/history.html")});
    EXPECT_EQ(shell.addresses.size(), 1u);
    // The quiz reaches the same bridge through the frame's host.
    ASSERT_NE(TheQuizHost(), nullptr);
    TheQuizHost()->ShowHelpPage("Dialogfelder\\abfragen.html");
    EXPECT_EQ(shell.starts.back().arguments, std::vector<std::string>{dir.Path("Hilfe/Dialogfelder/abfragen.html")});
}

TEST_F(FrameWindowTest, TheFirstStartShowsTheFirstStepsPageWhenTheSplashEnds) {
    Optionen.StandardArbeitsverzeichnis = dir.Path() + "/";
    Optionen.Settings.VorlagenVerzeichnis = dir.Path();
    Optionen.Abfragen.BeepBeiFehler = false;
    Optionen.Settings.ShowWizAtStartUp = false;
    for (const bool firstStart : {true, false}) {
        shell.starts.clear();
        Optionen.NochNieGestartet = firstStart;
        form->SplashTimerTimer();
        if (firstStart) {
            ASSERT_EQ(shell.starts.size(), 1u);
            EXPECT_EQ(shell.starts[0].arguments, std::vector<std::string>{dir.Path("Hilfe/ErsteSchritte/index.html")});
        } else {
            EXPECT_TRUE(shell.starts.empty());
        }
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FrameWindowTest, HintsOfEveryWindowStayTenSeconds) {
    QWidget dialogControl;
    dialogControl.setToolTip("Hinweis");
    for (QWidget* widget : {form->SpeedPanel->widgetForAction(form->OpenBtn), &dialogControl}) {
        QHelpEvent hint(QEvent::ToolTip, QPoint(1, 1), widget->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(widget, &hint);
        EXPECT_EQ(widget->toolTipDuration(), 10000);
    }
}

TEST_F(FrameWindowTest, DocumentButtonsAndPanelsFollowTheDocuments) {
    EXPECT_FALSE(form->SaveBtn->isEnabled());
    EXPECT_FALSE(form->WindowTileItem->isEnabled());
    EXPECT_EQ(Panel(2), "keine Vokabeldatei geöffnet");

    form->Neu1Click();
    TMDIChild* child = form->ActiveDocument();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(form->SaveBtn->isEnabled());
    EXPECT_TRUE(form->WindowTileItem->isEnabled());
    EXPECT_FALSE(form->UndoBtn->isEnabled());
    EXPECT_EQ(Panel(1), "kein Kennwortschutz");
    EXPECT_EQ(Panel(2), "Anzahl der Vokabeln: 0");

    child->Document().ReadPassword = "geheim";
    form->UpdateMenuItems();
    EXPECT_EQ(Panel(1), "Leseschutz");

    child->close();
    ProcessEvents();
    EXPECT_TRUE(form->Documents().empty());
    EXPECT_FALSE(form->SaveBtn->isEnabled());
    EXPECT_FALSE(form->AbfragBtn->isEnabled());
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(Panel(2), "keine Vokabeldatei geöffnet");
}

TEST_F(FrameWindowTest, TheWindowMenuListsTheDocumentsAndMinimisesThemAll) {
    form->Neu1Click();
    form->Neu1Click();
    emit form->Fenster->aboutToShow();
    QStringList listed;
    for (QAction* action : form->Fenster->actions()) {
        if (action->property("windowList").toBool() && !action->isSeparator()) listed << action->text();
    }
    EXPECT_EQ(listed, (QStringList{"&1 Vokabeldatei 1", "&2 Vokabeldatei 2"}));
    emit form->Fenster->aboutToShow();  // shown again: the list is not doubled
    int count = 0;
    for (QAction* action : form->Fenster->actions()) count += action->property("windowList").toBool() ? 1 : 0;
    EXPECT_EQ(count, 3);

    form->WindowCascadeItemClick();
    const std::vector<TMDIChild*> docs = form->Documents();
    const QSize area = form->ClientArea->viewport()->size();
    for (TMDIChild* child : docs) {
        EXPECT_GT(child->width(), area.width() / 2);
        EXPECT_GT(child->height(), area.height() / 2);
    }
    EXPECT_GT(docs[0]->y(), docs[1]->y());  // the active one in front, its title below the other's

    form->WindowTileItemClick();
    EXPECT_EQ(docs[0]->height(), form->ClientArea->viewport()->height());
    EXPECT_EQ(docs[0]->width() + docs[1]->width(), form->ClientArea->viewport()->width());
    form->WindowMinimizeItemClick();
    for (TMDIChild* child : form->Documents()) EXPECT_TRUE(child->isMinimized());
}

TEST_F(FrameWindowTest, NewWindowsStepDownInsideTheArea) {
    for (int i = 0; i < 4; ++i) form->Neu1Click();
    form->WindowCascadeItemClick();  // leaves room only at the right
    form->Neu1Click();
    const QRect area(QPoint(0, 0), form->ClientArea->viewport()->size());
    const std::vector<TMDIChild*> docs = form->Documents();  // the newest first
    ASSERT_EQ(docs.size(), 5u);
    for (TMDIChild* child : docs) EXPECT_TRUE(area.contains(child->geometry())) << child->windowTitle().toStdString();
    EXPECT_EQ(docs[0]->x(), docs[0]->y());
}

TEST_F(FrameWindowTest, ASpecialCharacterIsTakenOnlyWhenChosen) {
    Optionen.Settings.LetztesSonderzeichen = "\xe1";
    // Choose "&E" > "&3   ê" once the popup runs.
    QTimer::singleShot(0, form.get(), [this] {
        QMenu* e = form->Bpop->actions()[1]->menu();
        e->actions()[2]->trigger();
        form->Bpop->close();
    });
    EXPECT_TRUE(form->PopupSpecialCharacters(QPoint(10, 10), false));
    EXPECT_EQ(Optionen.Settings.LetztesSonderzeichen, "\xea");

    QTimer::singleShot(0, form.get(), [this] {
        QMenu* hacek = form->BpopCz->actions()[2]->menu();
        hacek->actions()[0]->trigger();
        form->BpopCz->close();
    });
    EXPECT_TRUE(form->PopupSpecialCharacters(QPoint(10, 10), true));
    EXPECT_EQ(Optionen.Settings.LetztesSonderzeichen, "\xe8");  // c with caron in Windows-1250

    QTimer::singleShot(0, form.get(), [this] { form->Bpop->close(); });
    EXPECT_FALSE(form->PopupSpecialCharacters(QPoint(10, 10), false));
    EXPECT_EQ(Optionen.Settings.LetztesSonderzeichen, "\xe8");
}

TEST_F(FrameWindowTest, TheDirectoryChooserStartsInTheGivenFolderAndReturnsItWithoutTheSeparator) {
    std::filesystem::create_directories(dir.Path("Vokabeln/Englisch"));
    TDirectorySelectForm chooser(form.get());
    chooser.SelectedFolder = dir.Path("Vokabeln") + "/";
    QTimer::singleShot(0, &chooser, [&chooser] { chooser.BitBtn1->click(); });
    ASSERT_EQ(chooser.exec(), QDialog::Accepted);
    EXPECT_EQ(chooser.SelectedFolder, dir.Path("Vokabeln"));

    // A folder that is gone leaves the list where it was, without a message.
    chooser.SelectedFolder = dir.Path("weg") + "/";
    QTimer::singleShot(0, &chooser, [&chooser] { chooser.BitBtn2->click(); });
    EXPECT_EQ(chooser.exec(), QDialog::Rejected);
    EXPECT_EQ(chooser.SelectedFolder, dir.Path("weg"));
    EXPECT_EQ(chooser.CurrentFolder(), dir.Path("Vokabeln"));
    EXPECT_TRUE(dialogs.shown.empty());

    // The root folder keeps its separator.
    chooser.SelectedFolder = "/";
    QTimer::singleShot(0, &chooser, [&chooser] { chooser.BitBtn1->click(); });
    chooser.exec();
    EXPECT_EQ(chooser.SelectedFolder, "/");
}

}  // namespace

namespace {

// The frame on a desktop without any icon theme.
class FrameWithoutIconThemeTest : public LiveFrameTest {
protected:
    void BeforeShow() override { noTheme = std::make_unique<NoIconTheme>(); }
    void TearDown() override {
        LiveFrameTest::TearDown();
        noTheme.reset();
    }
    std::unique_ptr<NoIconTheme> noTheme;
};

}  // namespace

TEST_F(FrameWithoutIconThemeTest, ToolbarShowsAGlyphForEveryButtonAndFitsTheDefaultWidth) {
    const QStringList hints = {"Neu", "Assistent für neue Dateien...", "Öffnen", "Speichern",
                               "Letzten Schritt rückgängig machen", "Änderung durch Rückgängig wiederherstellen",
                               "Liste drucken", "Ausschneiden", "Kopieren", "Einfügen", "Suchen", "Weitersuchen",
                               "Eingabe-Maske", "Lernen", "Abfragen", "Hangman", "Tabelle-Autosize",
                               "Schriftarten...", "Optionen..."};
    QStringList shown;
    for (QAction* action : form->SpeedPanel->actions()) {
        if (action->isSeparator()) continue;
        shown << action->toolTip();
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
        EXPECT_FALSE(action->icon().pixmap(form->SpeedPanel->iconSize()).isNull());
    }
    EXPECT_EQ(shown, hints);
    // The window a first start opens on the smallest usual screen shows them all.
    OptionenTyp defaults;
    SetDefaultOptions(defaults, StartEnvironment{"", "", 1024, 768});
    EXPECT_LE(form->SpeedPanel->sizeHint().width(), defaults.Settings.HauptfensterBreite);
    form->resize(defaults.Settings.HauptfensterBreite, 600);
    QCoreApplication::processEvents();
    for (QAction* action : form->SpeedPanel->actions()) {
        EXPECT_TRUE(form->SpeedPanel->widgetForAction(action)->isVisible()) << action->objectName().toStdString();
    }
}

TEST_F(FrameWithoutIconThemeTest, EveryWindowCarriesTheProgramIcon) {
    const QImage programIcon = platform::MainProgramIcon().pixmap(32).toImage();
    ASSERT_FALSE(programIcon.isNull());
    form->Neu1Click();
    ASSERT_NE(form->ActiveDocument(), nullptr);
    QDialog box;  // a window without a parent, as the message boxes may be
    for (const QWidget* window : std::initializer_list<const QWidget*>{form.get(), form->ActiveDocument(), &box}) {
        EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), programIcon) << window->metaObject()->className();
    }
    EXPECT_EQ(QGuiApplication::desktopFileName(), "pelko32");
}
