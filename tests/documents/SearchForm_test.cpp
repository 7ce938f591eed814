#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "documents/DocumentTestFiles.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/searchUnit.h"
#include "platform/Dialogs.h"

using platform::ModalResult;

namespace {

class SearchFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Optionen.Settings.SearchAutoFuzzy = false;
        w = Window({"Maus", "Haus", "Baum", "Hauses", "Hausen"});
        search = TSearchForm::Instance(w.get());
    }
    static std::unique_ptr<TMDIChild> Window(std::initializer_list<const char*> words) {
        auto doc = std::make_unique<VocabDocument>();
        int row = 0;
        for (const char* word : words) doc->Entries[++row] = MakeEntry(word, "m");
        auto window = std::make_unique<TMDIChild>(std::move(doc));
        window->resize(900, 500);
        window->show();
        return window;
    }
    // Runs command while the dialog is shown: drive acts on it, and the
    // dialog is closed after a while so that no test can hang on it.
    void WhileShown(const std::function<void()>& command, const std::function<void()>& drive) {
        shown = false;
        QTimer::singleShot(0, [this, drive] {
            shown = search->isVisible();
            drive();
        });
        QPointer<TSearchForm> guard = search;
        QTimer::singleShot(3000, [guard] {
            if (guard && guard->isVisible()) guard->SearchAbortClick();
        });
        command();
    }
    void Search(const char* text) {
        search->SearchText->setText(QString::fromUtf8(text));
        search->SearchButton->click();
    }
    int CurrentRow() const { return w->Tabelle->currentIndex().row() + 1; }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
    std::unique_ptr<TMDIChild> w;
    QPointer<TSearchForm> search;
    bool shown = false;
};

TEST_F(SearchFormTest, FindsTheFirstHitAndWeitersuchenWalksOnIntoFuzzyHits) {
    WhileShown([&] { w->Suchen1->trigger(); }, [&] { Search("hause"); });
    EXPECT_TRUE(shown);
    EXPECT_FALSE(search->isVisible());
    EXPECT_EQ(CurrentRow(), 4);
    EXPECT_EQ(w->Tabelle->currentIndex().column(), 0);
    w->Weitersuchen1->trigger();
    EXPECT_EQ(CurrentRow(), 5);
    dialogs.messageAnswers = {ModalResult::Yes};
    w->Weitersuchen1->trigger();
    EXPECT_EQ(CurrentRow(), 2);
    w->Weitersuchen1->trigger();
    EXPECT_EQ(CurrentRow(), 2);
    EXPECT_EQ(dialogs.Texts().back(), "Keine weiteren Übereinstimmungen mehr gefunden.");
    EXPECT_EQ(Optionen.Settings.SearchInFS, true);
}

TEST_F(SearchFormTest, OnlySimilarWordsAskAndNothingFoundKeepsTheDialogOpen) {
    bool stillOpen = false;
    WhileShown([&] { w->Suchen1->trigger(); },
               [&] {
                   Search("xyzzy");
                   stillOpen = search->isVisible();
                   dialogs.messageAnswers = {ModalResult::Yes};
                   Search("Baume");
               });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(CurrentRow(), 3);
    const std::vector<std::string> expected = {
        "Keine Übereinstimmung gefunden, auch nicht unter Verwendung der Fuzzy-Logik!",
        "Keine exakte Übereinstimmung gefunden. Fuzzy-Logik einsetzen?"};
    EXPECT_EQ(dialogs.Texts(), expected);
}

TEST_F(SearchFormTest, TheLanguageBoxesKeepOneChecked) {
    WhileShown([&] { w->Suchen1->trigger(); },
               [&] {
                   search->S_FS->setChecked(false);
                   EXPECT_TRUE(search->S_MS->isChecked());
                   EXPECT_FALSE(search->S_MS->isEnabled());
                   search->S_FS->setChecked(true);
                   EXPECT_TRUE(search->S_MS->isEnabled());
                   EXPECT_FALSE(search->TrefferArt->isVisible());
                   EXPECT_TRUE(search->AutoFuzzy_SB->isVisible());
                   search->SearchText->clear();
                   EXPECT_FALSE(search->SearchButton->isEnabled());
                   search->SearchAbort->click();
               });
    EXPECT_TRUE(shown);
    EXPECT_EQ(search->ResultRow, 0);
}

TEST_F(SearchFormTest, TheCaseAndFuzzyBoxesSitSideBySideWithoutCovering) {
    WhileShown([&] { w->Suchen1->trigger(); },
               [&] {
                   const QCheckBox* caseBox = search->CaseSensitive;
                   const QCheckBox* fuzzy = search->AutoFuzzy_SB;
                   EXPECT_EQ(fuzzy->x(), search->TrefferArt->x());
                   EXPECT_EQ(fuzzy->y(), caseBox->y() - 2);
                   EXPECT_GE(caseBox->width(), caseBox->sizeHint().width());
                   EXPECT_LE(caseBox->geometry().right(), fuzzy->x());
                   EXPECT_GE(fuzzy->width(), fuzzy->sizeHint().width());
                   EXPECT_LE(fuzzy->geometry().right(), search->SearchButton->x());
                   // The short form shows both boxes whole.
                   EXPECT_TRUE(search->rect().contains(caseBox->geometry())) << search->height();
                   EXPECT_TRUE(search->rect().contains(fuzzy->geometry())) << search->height();
                   search->SearchAbort->click();
               });
    EXPECT_TRUE(shown);
}

TEST_F(SearchFormTest, WeitersuchenOnAnotherUnnamedDocumentSearchesAnew) {
    WhileShown([&] { w->Suchen1->trigger(); }, [&] { Search("hause"); });
    auto other = Window({"Hausen"});
    WhileShown([&] { other->Weitersuchen1->trigger(); }, [&] { Search("hausen"); });
    EXPECT_TRUE(shown);
    EXPECT_EQ(other->Tabelle->currentIndex().row(), 0);
}

TEST_F(SearchFormTest, TheEditorsListPagesThroughAllUsedEntries) {
    search->SearchMode = 0;
    Optionen.Settings.AlleTrefferZeigen = true;
    std::vector<QString> headings;
    bool okEnabled = false;
    WhileShown([&] { search->ShowFor(w.get()); },
               [&] {
                   Search("haus");
                   okEnabled = search->SearchOKButton->isEnabled() && !search->s_first->isEnabled();
                   headings.push_back(search->Memo1->toPlainText());
                   search->s_next->click();
                   headings.push_back(search->Memo1->toPlainText());
                   search->s_last->click();
                   EXPECT_FALSE(search->s_next->isEnabled());
                   search->s_first->click();
                   search->s_next->click();
                   search->SearchOKButton->click();
               });
    EXPECT_TRUE(okEnabled);
    ASSERT_EQ(headings.size(), 2u);
    EXPECT_EQ(headings[0], QString::fromUtf8("Vokabel Nummer 2;        100% Übereinstimmung\nHaus"));
    EXPECT_TRUE(headings[1].startsWith(QString::fromUtf8("Vokabel Nummer 4;        100% Übereinstimmung")))
        << headings[1].toStdString();
    EXPECT_EQ(search->ResultRow, 4);
}

TEST_F(SearchFormTest, AHitsHeadingStaysOnOneLine) {
    w->Document().Entries[500] = MakeEntry("Haushalt", "m");
    search->SearchMode = 0;
    Optionen.Settings.AlleTrefferZeigen = true;
    QString heading;
    int room = 0;
    WhileShown([&] { search->ShowFor(w.get()); },
               [&] {
                   Search("haushalx");
                   heading = search->Memo1->toPlainText().section('\n', 0, 0);
                   room = search->Memo1->viewport()->width() - 2 * int(search->Memo1->document()->documentMargin());
                   search->SearchAbort->click();
               });
    ASSERT_TRUE(heading.startsWith(QString::fromUtf8("Vokabel Nummer 500;        "))) << heading.toStdString();
    // Three digits and a comma, the widest score.
    EXPECT_EQ(heading.section(' ', -2, -2).size(), 5) << heading.toStdString();
    EXPECT_LE(QFontMetrics(search->Memo1->font()).horizontalAdvance(heading), room) << heading.toStdString();
}

}  // namespace
