// Names from files and users are shown as they are, never read as markup:
// through the program's own boxes and windows, not a scripted seam.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "FrameTestSupport.h"
#include "common/WhenUp.h"
#include "documents/LoadSave.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/kennwort_unit.h"
#include "frame/ui/FrameDialogs.h"

namespace {

class PlainNamesTest : public LiveFrameTest {
protected:
    // The box's or prompt's label that holds the text, with its format.
    static const QLabel* LabelShowing(const QWidget* window, const QString& part) {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text().contains(part)) return label;
        }
        return nullptr;
    }

    static void ExpectLiteral(const QLabel* label, const QString& part) {
        ASSERT_NE(label, nullptr) << part.toStdString();
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << part.toStdString();
        EXPECT_TRUE(label->text().contains(part)) << label->text().toStdString();
    }
};

TEST_F(PlainNamesTest, TheReadPromptAndABoxShowAFileNameWithTagsAsItIs) {
    FrameDialogs boxes;
    boxes.SetMainWindow(form.get());
    platform::ScopedDialogs scoped(boxes);

    const std::string path = dir.Path("<i>kursiv.plk");
    VocabularyFileData data;
    data.Entries[1].FS1.Set("amare");
    data.Entries[1].MS1.Set("lieben");
    data.Entries[1].InUse = 1;
    data.ReadPassword = "geheim";
    ASSERT_EQ(SaveVocabularyFile(path, data, 15, FileFormatOptions::From(Optionen)), "");

    bool asked = false;
    WhenUp<TKennwortForm>([&](TKennwortForm& prompt) {
        asked = true;
        ExpectLiteral(prompt.KennwortTxt, QStringLiteral("\"<i>kursiv.plk\""));
        prompt.Kennwort->setText(QStringLiteral("geheim"));
        prompt.BitBtn1->click();
    });
    form->OpenFile(path);
    EXPECT_TRUE(asked);
    ASSERT_EQ(form->Documents().size(), 1u);
    EXPECT_EQ(form->Documents()[0]->Document().Entries[1].FS1.Get(), "amare");

    // The recent file's hint in the status bar.
    form->FM[0]->showStatusText(form.get());
    ExpectLiteral(form->StatusPanels[0], QString::fromStdString(path));

    // The box for a file that is gone.
    bool boxed = false;
    WhenUp([&] {
        boxed = true;
        QWidget* box = QApplication::activeModalWidget();
        ExpectLiteral(LabelShowing(box, QStringLiteral("<b>fett.plk")), QStringLiteral("<b>fett.plk"));
        box->findChild<QPushButton*>()->click();
    });
    form->OpenFile(dir.Path("<b>fett.plk"));
    EXPECT_TRUE(boxed);
}

}  // namespace
