#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "common/NoIconTheme.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/PrnInfo_Unit.h"
#include "platform/Dialogs.h"
#include "platform/ui/Glyphs.h"

namespace {

using Range = platform::PrintDialogResult::Range;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int PdfPages(const std::string& pdf) {
    const std::regex page("/Type\\s*/Page[^s]");
    return int(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

platform::PrintDialogResult Chosen(Range range, int from = 0, int to = 0, int copies = 1) {
    platform::PrintDialogResult result;
    result.accepted = true;
    result.range = range;
    result.fromPage = from;
    result.toPage = to;
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
    void TearDown() override { PrintForm().OutputFileName.clear(); }

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
    const std::string pdf = ReadFile(pdf_);
    EXPECT_EQ(PdfPages(pdf), request.maxPage);
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
    EXPECT_EQ(PdfPages(ReadFile(pdf_)), 1);

    // A range reaching past the job prints only the job's pages, per copy.
    dialogs.printAnswers.push_back(Chosen(Range::Pages, 2, 99, 2));
    window_->StartPrint();
    const int pages = dialogs.printRequests.back().maxPage;
    EXPECT_EQ(PdfPages(ReadFile(pdf_)), 2 * (pages - 1));
    // The marks are the document's; printing took a copy.
    EXPECT_TRUE(MarksGet(window_->Document().Marks, 3));
    EXPECT_EQ(window_->Document().CountUsedEntries(), 120);
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
    EXPECT_EQ(PdfPages(ReadFile(pdf_)), 1);
}

TEST_F(PrintFormTest, AnEmptyDocumentPrintsItsHeaderPage) {
    window_->Document().FileName.clear();
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    window_->StartPrint(true);
    EXPECT_EQ(PdfPages(ReadFile(pdf_)), 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
