#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>

#include "common/NoIconTheme.h"
#include "common/PdfReadBack.h"
#include "documents/DocumentTestFiles.h"
#include "documents/FontChoice.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/PrnInfo_Unit.h"
#include "platform/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/PagePrinter.h"

namespace {

using Range = platform::PrintDialogResult::Range;

platform::PrintDialogResult Chosen(Range range, int from = 0, int to = 0, int copies = 1) {
    platform::PrintDialogResult result;
    result.accepted = true;
    result.range = range;
    if (range == Range::Pages) result.pages = {{from, to}};
    result.copies = copies;
    return result;
}

class PrintFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        pdf_ = dir_.filePath("liste.pdf").toStdString();
        PrintForm().OutputFileName = pdf_;
        window_ = std::make_unique<TMDIChild>(std::make_unique<VocabDocument>());
        VocabDocument& doc = window_->Document();
        doc.FileName = "/daten/tschechisch.plk";
        doc.Description = "Die ersten Vokabeln";
        for (SchriftartTyp* f : {&doc.Fonts.Print, &doc.Fonts.PrintFS, &doc.Fonts.PrintMS}) {
            f->Name.Set("Arial");
            f->Size = 12;
        }
        doc.Fonts.PrintFS.Charset = 238;
    }
    void TearDown() override {
        PrintForm().OutputFileName.clear();
        platform::SetProgramPrintSetup({});
    }

    // Rows 1..count, each with a long foreign-language field.
    void Fill(int count) {
        VocabDocument& doc = window_->Document();
        for (int r = 1; r <= count; ++r) {
            doc.Entries[size_t(r)].FS1.Set("p\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2 \xfap\xecl " + std::to_string(r));
            doc.Entries[size_t(r)].MS1.Set("Wort " + std::to_string(r));
            doc.Entries[size_t(r)].InUse = 1;
        }
    }

    QTemporaryDir dir_;
    std::string pdf_;
    std::unique_ptr<TMDIChild> window_;
};

TEST(PrintFormPictureTest, ThePrinterPictureShowsWithoutAnIconTheme) {
    NoIconTheme none;
    TPrintForm form;
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    EXPECT_EQ(form.Image1->pixmap().toImage(), platform::OwnGlyph("drucken").pixmap(32, 32).toImage());
}

TEST_F(PrintFormTest, PrintsTheDocumentAfterTheDialog) {
    Fill(120);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    dialogs.printAnswers.push_back(Chosen(Range::All));
    ASSERT_TRUE(window_->Drucken1->isEnabled());
    window_->Drucken1->trigger();

    ASSERT_EQ(dialogs.printRequests.size(), 1u);
    const platform::PrintDialogRequest& request = dialogs.printRequests[0];
    EXPECT_FALSE(request.selectionEnabled);
    EXPECT_EQ(request.minPage, 1);
    EXPECT_GT(request.maxPage, 1);
    EXPECT_EQ(request.toPage, request.maxPage);
    const std::vector<pdf::Page> pages = pdf::Read(pdf_);
    ASSERT_EQ(int(pages.size()), request.maxPage);
    // Every page says which it is, and every row stands on exactly one page,
    // in order.
    int lastPage = 0;
    for (int i = 0; i < int(pages.size()); ++i) {
        const std::string number = "Seite " + std::to_string(i + 1) + " von " + std::to_string(pages.size());
        EXPECT_NE(pages[size_t(i)].Find(number), nullptr) << number;
    }
    for (int row = 1; row <= 120; ++row) {
        const std::string word = "Wort " + std::to_string(row);
        int found = 0, on = 0;
        for (int i = 0; i < int(pages.size()); ++i) {
            if (pages[size_t(i)].Find(word) != nullptr) ++found, on = i + 1;
        }
        EXPECT_EQ(found, 1) << word;
        EXPECT_GE(on, lastPage) << word;
        lastPage = on;
    }
    EXPECT_FALSE(PrintForm().isVisible());
}

TEST_F(PrintFormTest, PageRangesCopiesAndSelection) {
    Fill(120);
    MarksSet(window_->Document().Marks, 3);
    MarksSet(window_->Document().Marks, 4);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);

    dialogs.printAnswers.push_back(Chosen(Range::Selection));
    window_->StartPrint();
    EXPECT_TRUE(dialogs.printRequests.back().selectionEnabled);
    {
        // The marked rows alone.
        const std::vector<pdf::Page> printed = pdf::Read(pdf_);
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_NE(printed[0].Find("Wort 3"), nullptr);
        EXPECT_NE(printed[0].Find("Wort 4"), nullptr);
        EXPECT_EQ(printed[0].Find("Wort 1"), nullptr);
        EXPECT_EQ(printed[0].Find("Wort 5"), nullptr);
    }

    // A range reaching past the job prints only the job's pages, per copy.
    dialogs.printAnswers.push_back(Chosen(Range::Pages, 2, 99, 2));
    window_->StartPrint();
    const int pages = dialogs.printRequests.back().maxPage;
    const std::vector<pdf::Page> printed = pdf::Read(pdf_);
    ASSERT_EQ(int(printed.size()), 2 * (pages - 1));
    std::map<int, int> timesPrinted;
    for (const pdf::Page& page : printed) {
        for (int n = 1; n <= pages; ++n) {
            if (page.Find("Seite " + std::to_string(n) + " von " + std::to_string(pages)) != nullptr) ++timesPrinted[n];
        }
    }
    for (int n = 1; n <= pages; ++n) EXPECT_EQ(timesPrinted[n], n == 1 ? 0 : 2) << "page " << n;
    // The marks are the document's; printing took a copy.
    EXPECT_TRUE(MarksGet(window_->Document().Marks, 3));
    EXPECT_EQ(window_->Document().CountUsedEntries(), 120);
}

// The last page is asked for while a bigger paper is picked in the same
// dialog: on that paper the list has fewer pages, and the user is told so.
TEST_F(PrintFormTest, PagesMissingOnTheChosenPaperAreSaid) {
    struct LastPageOnA3 : platform::ScriptedDialogs {
        platform::PrintDialogResult PrintDialog(const platform::PrintDialogRequest& request) override {
            ScriptedDialogs::PrintDialog(request);
            platform::PrintDialogResult chosen = Chosen(Range::Pages, request.maxPage, request.maxPage);
            chosen.setup.paperWidth = 297;
            chosen.setup.paperHeight = 420;
            return chosen;
        }
    };
    Fill(300);
    LastPageOnA3 dialogs;
    dialogs.printAnswers.push_back({});
    platform::ScopedDialogs scoped(dialogs);
    window_->StartPrint();

    ASSERT_EQ(dialogs.printRequests.size(), 1u);
    const int pagesBefore = dialogs.printRequests[0].maxPage;
    ASSERT_GT(pagesBefore, 2);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    const std::string& text = dialogs.shown[1].text;
    EXPECT_EQ(text.rfind("Die gewählten Seiten gibt es auf dem gewählten Papier nicht: dort hat die Liste nur ", 0),
              0u)
        << text;
    const int pagesOnA3 = std::stoi(text.substr(text.find("nur ") + 4));
    EXPECT_LT(pagesOnA3, pagesBefore);
    EXPECT_NE(text.find(" Seiten. Es wurde nichts gedruckt."), std::string::npos) << text;
    EXPECT_EQ(dialogs.shown[1].type, platform::MsgDlgType::Warning);
    EXPECT_FALSE(std::ifstream(pdf_).good());
    EXPECT_FALSE(PrintForm().isVisible());
}

// A choice that leaves no page says which choice it is; nothing is printed.
TEST_F(PrintFormTest, AChoiceThatLeavesNoPageIsNamed) {
    using PageSet = platform::PrintDialogResult::PageSet;
    struct Case {
        int rows;
        platform::PrintDialogResult chosen;
        PageSet pageSet;
        std::string text;
    };
    const Case cases[] = {
        {2, Chosen(Range::All), PageSet::Even,
         "Mit „Gerade Seiten“ bleibt nichts zu drucken: Unter den gewählten Seiten ist keine mit gerader Nummer "
         "(die Liste hat 1 Seite). Es wurde nichts gedruckt."},
        {300, Chosen(Range::Pages, 2, 2), PageSet::Odd,
         "Mit „Ungerade Seiten“ bleibt nichts zu drucken: Unter den gewählten Seiten ist keine mit ungerader "
         "Nummer (die Liste hat "},
        {2, Chosen(Range::Pages, 5, 6), PageSet::All,
         "Die gewählten Seiten „5-6“ gibt es nicht: Die Liste hat nur 1 Seite. Es wurde nichts gedruckt."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        window_->Document().Entries.fill(VokabelTyp{});
        Fill(c.rows);
        platform::ScriptedDialogs dialogs;
        platform::ScopedDialogs scoped(dialogs);
        platform::PrintDialogResult chosen = c.chosen;
        chosen.pageSet = c.pageSet;
        dialogs.printAnswers.push_back(chosen);
        window_->StartPrint();

        ASSERT_EQ(dialogs.shown.size(), 2u);
        EXPECT_EQ(dialogs.shown[1].text.substr(0, c.text.size()), c.text);
        EXPECT_EQ(dialogs.shown[1].text.find("Papier"), std::string::npos);
        EXPECT_EQ(dialogs.shown[1].type, platform::MsgDlgType::Warning);
        EXPECT_FALSE(std::ifstream(pdf_).good());
        EXPECT_FALSE(PrintForm().isVisible());
    }
}

// Print fonts of no size print as the default print fonts' size does.
TEST_F(PrintFormTest, PrintFontsOfNoSizePrintAtTheDefaultSize) {
    DefaultOptionsForTest defaults;
    Fill(150);
    const auto print = [this] {
        platform::ScriptedDialogs dialogs;
        platform::ScopedDialogs scoped(dialogs);
        window_->StartPrint(true);
        std::vector<pdf::Page> pages = pdf::Read(pdf_);
        std::remove(pdf_.c_str());
        return pages;
    };
    SchriftartenTyp& fonts = window_->Document().Fonts;
    const FontPlace places[] = {&SchriftartenTyp::Print, &SchriftartenTyp::PrintFS, &SchriftartenTyp::PrintMS};
    for (FontPlace place : places) (fonts.*place).Size = (OptionFonts(Optionen).*place).Size;
    const std::vector<pdf::Page> sized = print();
    fonts.Print.Size = 0;
    fonts.PrintFS.Size = -4;
    fonts.PrintMS.Size = 0;
    const std::vector<pdf::Page> unsized = print();

    ASSERT_GT(sized.size(), 1u);
    ASSERT_EQ(unsized.size(), sized.size());
    for (size_t p = 0; p < sized.size(); ++p) {
        ASSERT_EQ(unsized[p].texts.size(), sized[p].texts.size()) << p;
        for (size_t i = 0; i < sized[p].texts.size(); ++i) {
            const pdf::Text& a = sized[p].texts[i];
            const pdf::Text& b = unsized[p].texts[i];
            EXPECT_EQ(b.text, a.text);
            EXPECT_NEAR(b.x, a.x, 0.01) << a.text;
            EXPECT_NEAR(b.y, a.y, 0.01) << a.text;
        }
    }
    EXPECT_EQ(fonts.PrintFS.Size, -4);
}

TEST_F(PrintFormTest, CancelPrintsNothingAndTheToolbarAsksNothing) {
    Fill(3);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    dialogs.printAnswers.push_back({});  // cancelled
    window_->StartPrint();
    EXPECT_FALSE(std::ifstream(pdf_).good());

    dialogs.printAnswers.push_back(Chosen(Range::All));
    window_->StartPrint(true);
    EXPECT_EQ(dialogs.printAnswers.size(), 1u);
    const std::vector<pdf::Page> pages = pdf::Read(pdf_);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].Find("Wort 3"), nullptr);
}

TEST_F(PrintFormTest, AnEmptyDocumentPrintsItsHeaderPage) {
    window_->Document().FileName.clear();
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    window_->StartPrint(true);
    const std::vector<pdf::Page> pages = pdf::Read(pdf_);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].Find("unbenannte Vokabeldatei"), nullptr);
    EXPECT_NE(pages[0].Find("Seite 1 von 1"), nullptr);
    EXPECT_NE(pages[0].FindStart("Die ersten Vokabeln"), nullptr);  // the description
    EXPECT_TRUE(dialogs.shown.empty());
}

// The page, the order and the copies chosen in the dialog reach the
// printout, and the list is laid out on the page chosen.
TEST_F(PrintFormTest, TheDialogsPageAndOrderReachThePrintout) {
    Fill(120);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    platform::PrintDialogResult chosen = Chosen(Range::All);
    chosen.setup.paperWidth = 215.9;  // Letter
    chosen.setup.paperHeight = 279.4;
    chosen.setup.landscape = true;
    chosen.lastPageFirst = true;
    dialogs.printAnswers.push_back(chosen);
    window_->Drucken1->trigger();

    const std::vector<pdf::Page> pages = pdf::Read(pdf_);
    const int count = int(pages.size());
    // Fewer rows fit on the lower page than the dialog's first count assumed.
    EXPECT_GT(count, dialogs.printRequests[0].maxPage);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(pages[size_t(i)].width, 792, 0.5);
        EXPECT_NEAR(pages[size_t(i)].height, 612, 0.5);
        const std::string number = "Seite " + std::to_string(count - i) + " von " + std::to_string(count);
        EXPECT_NE(pages[size_t(i)].Find(number), nullptr) << number;
    }
    // The mother-tongue column stands in the right half of the wide page.
    const pdf::Text* first = pages.back().Find("Wort 1");
    ASSERT_NE(first, nullptr);
    EXPECT_GT(first->x, 792 / 2);
    EXPECT_NE(pages.front().Find("Wort 120"), nullptr);
}

// The gaps of the list are pixels of the printer; they keep their size on
// paper.
TEST_F(PrintFormTest, RowNumbersStandClearOfTheirEntries) {
    Fill(2);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    window_->StartPrint(true);
    const std::vector<pdf::Page> pages = pdf::Read(pdf_);
    ASSERT_EQ(pages.size(), 1u);
    const pdf::Text* number = pages[0].Find("1.");
    const pdf::Text* entry = pages[0].FindStart("p\u0159");
    ASSERT_NE(number, nullptr);
    ASSERT_NE(entry, nullptr);
    platform::PagePrinter measure;
    measure.SetFont("Arial", 12, false);
    const double numberWidth = measure.TextWidth("1.") * 72.0 / measure.Resolution();
    constexpr double kPointsPerMm = 72 / 25.4;
    EXPECT_GT(entry->x - (number->x + numberWidth), 1 * kPointsPerMm);
    EXPECT_NEAR(number->y, entry->y, 0.5);
}

TEST_F(PrintFormTest, EscBeforeTheJobStartsCancelsIt) {
    Fill(3);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    dialogs.printAnswers.push_back(Chosen(Range::All));
    QTimer::singleShot(0, [] {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&PrintForm(), &esc);
    });
    window_->StartPrint();
    EXPECT_FALSE(PrintForm().isVisible());
    EXPECT_TRUE(dialogs.printRequests.empty());
    EXPECT_FALSE(std::ifstream(pdf_).good());
}

// The print dialog is the user's turn: no wait cursor over it.
TEST_F(PrintFormTest, NoWaitCursorOverThePrintDialog) {
    struct CursorSeam : platform::ScriptedDialogs {
        bool busyOverDialog = true;
        platform::PrintDialogResult PrintDialog(const platform::PrintDialogRequest& request) override {
            busyOverDialog = QApplication::overrideCursor() != nullptr;
            return ScriptedDialogs::PrintDialog(request);
        }
    };
    Fill(3);
    CursorSeam dialogs;
    platform::ScopedDialogs scoped(dialogs);
    dialogs.printAnswers.push_back(Chosen(Range::All));
    window_->StartPrint();
    EXPECT_FALSE(dialogs.busyOverDialog);
    EXPECT_EQ(pdf::Read(pdf_).size(), 1u);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
