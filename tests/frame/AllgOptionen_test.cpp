#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "documents/AppSettings.h"
#include "frame/FrameHooks.h"
#include "frame/OptionsDialogHooks.h"
#include "frame/ui/AllgOptionen.h"
#include "frame/ui/Main.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/TempDir.h"

using platform::ModalResult;

namespace {

class AllgOptionenTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Optionen;
        setenv("PELKO_REGISTRY", dir.Path("registry.reg").c_str(), 1);
        setenv("XDG_DATA_HOME", dir.Path("data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.Path("config").c_str(), 1);
        Optionen.StandardArbeitsverzeichnis = dir.Path() + "/";
        Optionen.StandardArbeitsverzeichnisNutzen = true;
        Optionen.Abfragen.BeepBeiFehler = false;
        Optionen.MaximalVerkleinernUm = -2;
        Optionen.Hangman.FremdspracheFragen = true;
        Optionen.Hangman.MutterspracheFragen = false;
    }
    void TearDown() override {
        Optionen = saved;
        TheOptionsDialogHooks() = {};
        for (const char* name : {"PELKO_REGISTRY", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) unsetenv(name);
    }
    // Shows the dialog modally and lets `act` work on it once it runs.
    ModalResult Show(int page, std::function<void()> act) {
        QTimer::singleShot(0, &form, [this, act] {
            act();
            // Whatever act left open closes now, so no test can hang.
            if (form.isVisible()) form.reject();
        });
        return form.ShowModalOnPage(page);
    }

    TempDir dir;
    OptionenTyp saved;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs installed{dialogs};
    TAllgOpt form;
};

TEST_F(AllgOptionenTest, OkWritesBackTheChangedOptions) {
    const ModalResult result = Show(kDruckPage, [this] {
        EXPECT_EQ(form.MaxPt->text(), "2");
        EXPECT_TRUE(form.bisPasstBox->isChecked());
        form.maxPtBox->click();
        form.ZufallBox->click();
        form.mwheel->setChecked(!form.mwheel->isChecked());
        form.LernAnzBox->setValue(12);
        form.HangmanFiles->setText("bilder.thm");
        form.Optionen_OKButon->click();
    });
    EXPECT_EQ(result, ModalResult::OK);
    EXPECT_EQ(Optionen.MaximalVerkleinernUm, 2);
    EXPECT_NE(Optionen.Abfragen.ZufaelligeReihenfolge, saved.Abfragen.ZufaelligeReihenfolge);
    EXPECT_NE(Optionen.Settings.DisableMouseWheel, saved.Settings.DisableMouseWheel);
    EXPECT_EQ(Optionen.Abfragen.WiederholungsAnzahl, 12);
    EXPECT_EQ(Optionen.Hangman.Dateinamenbeginn, "bilder.thm");
}

TEST_F(AllgOptionenTest, AbbruchAndCloseBoxChangeNothing) {
    const OptionenTyp before = Optionen;
    EXPECT_EQ(Show(kHangmPage, [this] {
                  EXPECT_EQ(form.PageControl1->currentIndex(), kHangmPage);
                  form.OnlyFirst->click();
                  form.Optionen_AbbrechButton->click();
              }),
              ModalResult::Abort);
    EXPECT_EQ(Show(-1, [this] {
                  EXPECT_EQ(form.PageControl1->currentIndex(), kHangmPage);  // the page last shown
                  form.OnlyFirst->click();
                  form.reject();
              }),
              ModalResult::Cancel);
    // Escape is the key of "Abbruch".
    EXPECT_EQ(Show(-1, [this] {
                  form.OnlyFirst->click();
                  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                  QApplication::sendEvent(&form, &escape);
              }),
              ModalResult::Abort);
    EXPECT_EQ(Optionen, before);
}

TEST_F(AllgOptionenTest, UebernehmenAppliesAndStaysOpen) {
    Show(kAbfrPage, [this] {
        form.Tips->click();
        form.Uebernehmen1->click();
        EXPECT_TRUE(form.isVisible());
        EXPECT_NE(Optionen.Abfragen.TipsZulassen, saved.Abfragen.TipsZulassen);
    });
}

TEST_F(AllgOptionenTest, ClickRulesRunOnTheControls) {
    Show(kAbfrPage, [this] {
        if (!form.FUZZYBox->isChecked()) form.FUZZYBox->click();
        EXPECT_TRUE(form.GrossKlein->isChecked());
        EXPECT_FALSE(form.GrossKlein->isEnabled());
        form.PageControl1->setCurrentIndex(kHangmPage);
        // Foreign language only: that box cannot be unchecked.
        EXPECT_TRUE(form.AskFSBox->isChecked());
        EXPECT_FALSE(form.AskFSBox->isEnabled());
        form.AskMSBox->click();
        EXPECT_TRUE(form.AskFSBox->isEnabled());
        form.AskFSBox->click();
        EXPECT_TRUE(form.AskMSBox->isChecked());
        EXPECT_FALSE(form.AskMSBox->isEnabled());
    });
}

TEST_F(AllgOptionenTest, MissingWorkingFolderKeepsTheDialogOpen) {
    Show(kFilePage, [this] {
        form.VerzName->setText(QString::fromStdString(dir.Path("fehlt")));
        form.Optionen_OKButon->click();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.VerzName->text().toStdString(), dir.Path("fehlt/"));
    });
    ASSERT_FALSE(dialogs.Texts().empty());
    EXPECT_EQ(dialogs.Texts().back(), "Das angegebene \"Standard-Verzeichnis für Vokabeldateien\" existiert nicht!");
}

TEST_F(AllgOptionenTest, FolderButtonsTakeTheChoiceOfTheSharedChooser) {
    std::filesystem::create_directories(dir.Path("vorlagen"));
    dialogs.folderAnswers = {dir.Path(), dir.Path("vorlagen"), std::nullopt};
    Show(kFilePage, [this] {
        form.SpeedButton1->click();
        form.SpeedButton3->click();
        EXPECT_EQ(form.VerzName->text().toStdString(), dir.Path());
        EXPECT_EQ(form.Vorl_Verz->text().toStdString(), dir.Path("vorlagen"));
        // Cancelled: the field keeps its text.
        form.SpeedButton3->click();
        EXPECT_EQ(form.Vorl_Verz->text().toStdString(), dir.Path("vorlagen"));
    });
    EXPECT_TRUE(dialogs.folderAnswers.empty());
}

TEST_F(AllgOptionenTest, DialogButtonsWithoutTheirDialogAreDisabledAndFontsRefreshTheSample) {
    Show(kDruckPage, [this] {
        EXPECT_FALSE(form.FontBtn->isEnabled());
        EXPECT_FALSE(form.WTLogikBtn->isEnabled());
    });
    std::string explanation;
    TheOptionsDialogHooks().showDefaultFonts = [&explanation](const std::string& text) {
        explanation = text;
        Optionen.DruckSchrift.Name.Set("Courier");
    };
    Show(kDruckPage, [this] {
        ASSERT_TRUE(form.FontBtn->isEnabled());
        form.FontBtn->click();
        EXPECT_TRUE(form.BeispielLabel->text().startsWith("Courier, "));
        form.Optionen_OKButon->click();
    });
    EXPECT_EQ(explanation, kDefaultFontsExplanation);
    EXPECT_EQ(Optionen.DruckSchrift.Name.Get(), "Courier");
}

TEST_F(AllgOptionenTest, RegistrationButtonWritesKeysAndDesktopFiles) {
    dialogs.messageAnswers = {ModalResult::Yes};
    Show(kFilePage, [this] { form.Anmelden->click(); });
    EXPECT_EQ(form.Anmelden->text(), "Anmeldung in der Registry erneuern");
    EXPECT_TRUE(std::filesystem::exists(dir.Path("data/applications/pelko32.desktop")));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("data/mime/packages/pelko32.xml")));
    EXPECT_NE(TempDir::Read(dir.Path("config/mimeapps.list")).find("application/x-pelko32=pelko32.desktop"),
              std::string::npos);
    platform::TRegistry classes(platform::RegRoot::ClassesRoot);
    ASSERT_TRUE(classes.OpenKey("\\.plk", false));
    EXPECT_EQ(classes.ReadString(""), "PLKFile");
}

TEST_F(AllgOptionenTest, EveryTabCaptionShowsWithoutScrolling) {
    Show(kDruckPage, [this] {
        QTabBar* tabs = form.PageControl1->tabBar();
        ASSERT_EQ(tabs->count(), 6);
        for (int i = 0; i < tabs->count(); ++i) {
            EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << tabs->tabText(i).toStdString();
            EXPECT_GE(tabs->tabRect(i).width(), tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)));
        }
        for (const QToolButton* arrow : tabs->findChildren<QToolButton*>()) EXPECT_FALSE(arrow->isVisible());
    });
}

TEST_F(AllgOptionenTest, FrameOpensTheDialogFromMenuButtonAndHook) {
    TMainForm frame;
    EXPECT_TRUE(frame.Optionen2->isEnabled());
    EXPECT_TRUE(frame.OptionenBtn->isEnabled());
    ASSERT_TRUE(TheFrameHooks().showOptionsPage);
    QTimer::singleShot(0, frame.AllgOpt, [&frame] {
        EXPECT_EQ(frame.AllgOpt->PageControl1->currentIndex(), kLernPage);
        frame.AllgOpt->Optionen_AbbrechButton->click();
    });
    EXPECT_EQ(TheFrameHooks().showOptionsPage(kLernPage), ModalResult::Abort);
    QTimer::singleShot(0, frame.AllgOpt, [&frame] { frame.AllgOpt->Optionen_OKButon->click(); });
    frame.OptionenBtn->trigger();
    EXPECT_FALSE(frame.AllgOpt->isVisible());
}

}  // namespace
