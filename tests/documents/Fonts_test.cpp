#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "documents/DocumentTestFiles.h"
#include "documents/FontChoice.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/FontChooser.h"
#include "documents/ui/Font_select_unit.h"
#include "documents/ui/TabelleModel.h"
#include "common/WhenUp.h"
#include "platform/Dialogs.h"

namespace {

TEST(FontRulesTest, TooHighAtShowAndRightAfterChoosing) {
    struct Case {
        int height;
        bool atShow, justChosen;
    } cases[] = {{24, false, false}, {25, false, true}, {28, false, true}, {29, true, true}, {-26, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        EXPECT_EQ(FontTooHigh(c.height, false), c.atShow);
        EXPECT_EQ(FontTooHigh(c.height, true), c.justChosen);
    }
    EXPECT_EQ(SampleCaption("Arial", 10), "Arial 10 Punkt");
}

// A font record of no size shows at its option font's size, and at the
// program's own default when that one has none either.
TEST(FontRulesTest, AFontOfNoSizeShowsAtTheDefaultsSize) {
    DefaultOptionsForTest defaults;
    struct Case {
        FontPlace place;
        int32_t size, optionSize, shown;
    } cases[] = {
        {&SchriftartenTyp::TableFS, 14, 9, 14},      {&SchriftartenTyp::TableFS, 0, 9, 9},
        {&SchriftartenTyp::TableMS, -3, 9, 9},       {&SchriftartenTyp::TableHeader, 0, 0, 12},
        {&SchriftartenTyp::PrintFS, 0, -7, 10},      {&SchriftartenTyp::Print, -1, 11, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " " << c.optionSize);
        SchriftartenTyp options = OptionFonts(Optionen);
        (options.*c.place).Size = c.optionSize;
        SetOptionFonts(Optionen, options);
        SchriftartenTyp fonts = EmptyDocumentSnapshot.Fonts;
        (fonts.*c.place).Size = c.size;
        EXPECT_EQ(ShownFontSize(fonts.*c.place, c.place, Optionen), c.shown);
        const SchriftartenTyp shown = ShownFonts(fonts, Optionen);
        EXPECT_EQ((shown.*c.place).Size, c.shown);
        EXPECT_EQ((shown.*c.place).Name.Get(), (fonts.*c.place).Name.Get());
    }
}

class FontsDialogTest : public ::testing::Test {
protected:
    FontsDialogTest() {
        SetFontChooser([this](const TFontObject& start, QWidget*) -> std::optional<TFontObject> {
            if (!chosen) return std::nullopt;
            TFontObject font = start;
            font.Font.setFamily(QStringLiteral("Liberation Mono"));
            font.Font.setPointSize(17);
            font.Charset = 238;
            return font;
        });
    }
    ~FontsDialogTest() override {
        SetFontChooser(nullptr);
        std::vector<QPointer<TMDIChild>> children;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* child = qobject_cast<TMDIChild*>(w)) children.emplace_back(child);
        }
        for (auto& child : children) delete child.data();
    }

    TMDIChild* OpenEmpty() {
        TMDIChild* w = TMDIChild::Create(DocumentRequest::FromMarker("\x1b"));
        w->resize(700, 400);
        w->show();
        return w;
    }

    // Runs while the dialog is up; it must close it.
    static void WhenShown(std::function<void(TFontForm&)> action) {
        WhenUp(&FontForm(), [action] { action(FontForm()); });
    }

    // What the user does in the real chooser, run while it is up; then OK.
    static void InChooser(std::function<void(TFontChooser&)> action) {
        QTimer::singleShot(0, [action] {
            auto* chooser = qobject_cast<TFontChooser*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            action(*chooser);
            chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    bool chosen = true;
};

TEST_F(FontsDialogTest, ApplyThenCancelKeepsTheFontsModifiedAndUndoable) {
    TMDIChild* w = OpenEmpty();
    VocabDocument& doc = w->Document();
    const SchriftartenTyp before = doc.Fonts;
    WhenShown([](TFontForm& form) {
        EXPECT_EQ(form.ModeTag(), 1);
        EXPECT_FALSE(form.SetDef->isHidden());
        EXPECT_EQ(form.Samples[kSampleFS]->text().toStdString(),
                  SampleCaption(Optionen.SchriftFS.Name.Get(), Optionen.SchriftFS.Size));
        form.ChooseSampleFont(kSampleFS);
        EXPECT_EQ(form.Samples[kSampleFS]->text(), "Liberation Mono 17 Punkt");
        form.Uebernehmen1Click();
        form.Font_AbbrechButton->click();
    });
    w->SchriftartenfrdieseDatei1Click();

    EXPECT_EQ(doc.Fonts.TableFS.Name.Get(), "Liberation Mono");
    EXPECT_EQ(doc.Fonts.TableFS.Charset, 238);
    EXPECT_EQ(w->Model().FSFont().Font.pointSize(), 17);
    // Closing must ask, though the dialog ended with "Abbrechen".
    EXPECT_EQ(doc.Modified, 1);
    EXPECT_EQ(doc.UndoCaption(), "&Rückgängig: Schriftarten ändern");
    ASSERT_TRUE(doc.UndoStep());
    EXPECT_EQ(doc.Fonts, before);
    EXPECT_EQ(w->Model().FSFont().Font.family().toStdString(), before.TableFS.Name.Get());
}

TEST_F(FontsDialogTest, OkStoresTheSamplesAndTheHeaderFlag) {
    TMDIChild* w = OpenEmpty();
    w->Document().SetModified(false);
    WhenShown([](TFontForm& form) {
        form.DropSample(kSamplePrint, kSampleTab);
        EXPECT_EQ(form.Samples[kSampleTab]->text(), form.Samples[kSamplePrint]->text());
        form.MSFSinTabKopfBox->setChecked(true);
        form.Font_OKButton->click();
    });
    w->SchriftartenfrdieseDatei1Click();
    const VocabDocument& doc = w->Document();
    EXPECT_EQ(doc.Fonts.TableHeader, Optionen.DruckSchrift);
    EXPECT_EQ(doc.Fonts.HeaderFonts, 1);
    EXPECT_EQ(doc.Modified, 1);
    // The options keep their own fonts.
    EXPECT_EQ(Optionen.SchriftTab, EmptyDocumentSnapshot.Fonts.TableHeader);
}

TEST_F(FontsDialogTest, ACancelledChooserLeavesTheSample) {
    TMDIChild* w = OpenEmpty();
    chosen = false;
    WhenShown([](TFontForm& form) {
        const QString caption = form.Samples[kSampleMS]->text();
        form.ChooseSampleFont(kSampleMS);
        EXPECT_EQ(form.Samples[kSampleMS]->text(), caption);
        form.Font_OKButton->click();
    });
    const SchriftartenTyp before = w->Document().Fonts;
    w->SchriftartenfrdieseDatei1Click();
    EXPECT_EQ(w->Document().Fonts, before);
}

TEST_F(FontsDialogTest, DefaultFontsWithNoDocumentOpenMakeOneFirst) {
    WhenShown([](TFontForm& form) {
        EXPECT_EQ(form.ModeTag(), 0);
        EXPECT_TRUE(form.SetDef->isHidden());
        form.ChooseSampleFont(kSampleMS);
        form.Font_OKButton->click();
    });
    EXPECT_TRUE(ShowDefaultFontsDialog());
    EXPECT_EQ(dialogs.Texts().front(),
              "Es muss eine Vokabeldatei geöffnet sein, damit dieses Dialogfeld funktioniert. Erstelle automatisch "
              "eine neue Datei.");
    EXPECT_EQ(Optionen.SchriftMS.Name.Get(), "Liberation Mono");
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* child = qobject_cast<TMDIChild*>(widget)) {
            ++windows;
            // A document keeps its own fonts.
            EXPECT_NE(child->Document().Fonts.TableMS.Name.Get(), "Liberation Mono");
        }
    }
    EXPECT_EQ(windows, 1);
}

// The chooser shows a face that is not installed as its substitute; OK
// without picking another face keeps the stored name.
TEST_F(FontsDialogTest, TheChooserKeepsAFaceTheUserDidNotChange) {
    SetFontChooser(nullptr);
    const auto inChooser = InChooser;
    TMDIChild* w = OpenEmpty();
    SchriftartTyp& fs = w->Document().Fonts.TableFS;
    fs.Name.Set("Times New Roman");
    WhenShown([&](TFontForm& form) {
        inChooser([](TFontChooser& chooser) { chooser.Size->setValue(17); });
        form.ChooseSampleFont(kSampleFS);
        EXPECT_EQ(form.Samples[kSampleFS]->text().toStdString(), "Times New Roman 17 Punkt");
        inChooser([](TFontChooser& chooser) { chooser.Face->setCurrentFont(QFont(QStringLiteral("Liberation Mono"))); });
        form.ChooseSampleFont(kSampleMS);
        form.Font_OKButton->click();
    });
    w->SchriftartenfrdieseDatei1Click();
    EXPECT_EQ(fs.Name.Get(), "Times New Roman");
    EXPECT_EQ(fs.Size, 17);
    EXPECT_EQ(w->Document().Fonts.TableMS.Name.Get(), "Liberation Mono");

    // The default fonts in the options likewise.
    Optionen.DruckSchrift.Name.Set("Arial");
    WhenShown([&](TFontForm& form) {
        inChooser([](TFontChooser& chooser) { chooser.Bold->setChecked(true); });
        form.ChooseSampleFont(kSamplePrint);
        form.Font_OKButton->click();
    });
    EXPECT_TRUE(ShowDefaultFontsDialog());
    EXPECT_EQ(Optionen.DruckSchrift.Name.Get(), "Arial");
    EXPECT_EQ(Optionen.DruckSchrift.Style & 1, 1);
}

// Picking, in the chooser's list, the face it shows in place of a missing
// one stores that face: the pick is on purpose, though the box shows no
// change.
TEST_F(FontsDialogTest, TheChooserStoresTheShownSubstituteWhenTheUserPicksIt) {
    SetFontChooser(nullptr);
    TMDIChild* w = OpenEmpty();
    SchriftartTyp& ms = w->Document().Fonts.TableMS;
    ms.Name.Set("Pelko Kein Solcher Font");
    std::string shown;
    WhenShown([&](TFontForm& form) {
        InChooser([&](TFontChooser& chooser) {
            shown = chooser.Face->currentText().toStdString();
            chooser.Face->showPopup();
            QTest::keyClick(chooser.Face->view(), Qt::Key_Return);
        });
        form.ChooseSampleFont(kSampleMS);
        form.Font_OKButton->click();
    });
    w->SchriftartenfrdieseDatei1Click();
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown, "Pelko Kein Solcher Font");
    EXPECT_EQ(ms.Name.Get(), shown);
}

// The dialog shows a font of no size at the default size; it stores the
// record back as it was unless the user picks a font for it.
TEST_F(FontsDialogTest, AFontOfNoSizeStaysSoUntilTheUserPicksOne) {
    TMDIChild* w = OpenEmpty();
    SchriftartenTyp& fonts = w->Document().Fonts;
    fonts.TableMS.Size = 0;
    fonts.Print.Size = -2;
    const SchriftartenTyp before = fonts;
    WhenShown([](TFontForm& form) {
        EXPECT_EQ(form.Samples[kSampleMS]->text().toStdString(),
                  SampleCaption(Optionen.SchriftMS.Name.Get(), Optionen.SchriftMS.Size));
        EXPECT_EQ(form.Samples[kSampleMS]->font().pointSize(), Optionen.SchriftMS.Size);
        EXPECT_EQ(form.Samples[kSamplePrint]->font().pointSize(), Optionen.DruckSchrift.Size);
        form.Font_OKButton->click();
    });
    w->SchriftartenfrdieseDatei1Click();
    EXPECT_EQ(fonts, before);

    WhenShown([](TFontForm& form) {
        form.ChooseSampleFont(kSampleMS);
        form.DropSample(kSamplePrint, kSampleTab);
        form.Font_OKButton->click();
    });
    w->SchriftartenfrdieseDatei1Click();
    EXPECT_EQ(fonts.TableMS.Size, 17);
    EXPECT_EQ(fonts.TableHeader, before.Print);
    EXPECT_EQ(fonts.Print, before.Print);
}

}  // namespace
