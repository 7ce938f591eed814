#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "common/PdfReadBack.h"
#include "platform/PrintChoice.h"
#include "platform/ui/PagePrinter.h"

namespace {

using platform::PrintDialogResult;
using platform::PrintSetup;

constexpr double kPointsPerMm = 72 / 25.4;

PrintSetup LetterLandscape() {
    PrintSetup setup;
    setup.paperWidth = 215.9;
    setup.paperHeight = 279.4;
    setup.landscape = true;
    setup.margins = PrintSetup::Margins{10, 10, 10, 10};
    return setup;
}

class PagePrinterTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetProgramPrintSetup({}); }
    std::string File(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

    QTemporaryDir dir;
};

TEST_F(PagePrinterTest, PrintsOnTheChosenPageAtItsOwnResolutionAndKeepsThePageForLaterJobs) {
    const std::string list = File("liste.pdf");
    {
        platform::PagePrinter printer(list);
        EXPECT_EQ(printer.Resolution(), 300);
        printer.UsePrinter(LetterLandscape());
        EXPECT_EQ(printer.Resolution(), 300);
        // The printable area: the paper less its margins.
        EXPECT_NEAR(printer.PageWidth(), (279.4 - 20) / 25.4 * 300, 4);
        EXPECT_NEAR(printer.PageHeight(), (215.9 - 20) / 25.4 * 300, 4);
        ASSERT_TRUE(printer.BeginDoc("Liste"));
        printer.SetFont("Arial", 12, false);
        printer.TextOut(300, 0, "eins");
        printer.NewPage();
        printer.TextOut(0, 600, "zwei");
        ASSERT_TRUE(printer.EndDoc());
    }
    const std::vector<pdf::Page> pages = pdf::Read(list);
    ASSERT_EQ(pages.size(), 2u);
    for (const pdf::Page& page : pages) {
        EXPECT_NEAR(page.width, 792, 0.5);
        EXPECT_NEAR(page.height, 612, 0.5);
    }
    ASSERT_NE(pages[0].Find("eins"), nullptr);
    // 300 pixels are an inch.
    EXPECT_NEAR(pages[0].Find("eins")->x, 72 + 10 * kPointsPerMm, 0.5);
    ASSERT_NE(pages[1].Find("zwei"), nullptr);
    EXPECT_NEAR(pages[1].Find("zwei")->x, 10 * kPointsPerMm, 0.5);

    // A job without a dialog (the quiz result) prints on that page too, but
    // never into the file of the earlier job.
    const std::string result = File("ergebnis.pdf");
    {
        platform::PagePrinter printer(result);
        ASSERT_TRUE(printer.BeginDoc("Ergebnis"));
        printer.TextOut(0, 0, "drei");
        ASSERT_TRUE(printer.EndDoc());
    }
    const std::vector<pdf::Page> later = pdf::Read(result);
    ASSERT_EQ(later.size(), 1u);
    EXPECT_NEAR(later[0].width, 792, 0.5);
    EXPECT_EQ(pdf::Read(list).size(), 2u);
    EXPECT_EQ(platform::ProgramPrintSetup().outputFileName, "");
}

// The seam carries everything the dialog leaves on its printer, and the
// job's printer takes it back. (A PDF printer has no two-sided printing,
// and the dialog offers none for it.)
TEST_F(PagePrinterTest, WhatAPrinterIsSetUpForGoesThroughTheSeamAndBack) {
    QPrinter chosen;
    chosen.setOutputFormat(QPrinter::PdfFormat);
    chosen.setOutputFileName(QString::fromStdString(File("gewaehlt.pdf")));
    chosen.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(12, 8, 14, 6),
                                     QPageLayout::Millimeter));
    chosen.setColorMode(QPrinter::GrayScale);
    chosen.setPageOrder(QPrinter::LastPageFirst);
    chosen.setCopyCount(3);
    chosen.setCollateCopies(false);
    chosen.setPrintRange(QPrinter::PageRange);
    chosen.setFromTo(2, 4);

    const PrintDialogResult result = platform::ReadPrintChoice(chosen);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.range, PrintDialogResult::Range::Pages);
    ASSERT_EQ(result.pages.size(), 1u);
    EXPECT_EQ(result.pages[0].from, 2);
    EXPECT_EQ(result.pages[0].to, 4);
    EXPECT_EQ(result.copies, 3);
    EXPECT_FALSE(result.collate);
    EXPECT_TRUE(result.lastPageFirst);
    const PrintSetup& setup = result.setup;
    EXPECT_EQ(setup.outputFileName, File("gewaehlt.pdf"));
    EXPECT_NEAR(setup.paperWidth, 215.9, 0.1);
    EXPECT_NEAR(setup.paperHeight, 279.4, 0.1);
    EXPECT_TRUE(setup.landscape);
    ASSERT_TRUE(setup.margins.has_value());
    EXPECT_NEAR(setup.margins->left, 12, 0.01);
    EXPECT_NEAR(setup.margins->top, 8, 0.01);
    EXPECT_NEAR(setup.margins->right, 14, 0.01);
    EXPECT_NEAR(setup.margins->bottom, 6, 0.01);
    EXPECT_EQ(setup.grayscale, true);
    EXPECT_EQ(setup.duplex, PrintSetup::Duplex::None);

    QPrinter job;
    platform::ApplyPrintSetup(job, setup);
    EXPECT_EQ(job.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(job.outputFileName().toStdString(), File("gewaehlt.pdf"));
    EXPECT_EQ(job.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(job.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(job.pageLayout().margins(QPageLayout::Millimeter).left(), 12, 0.01);
    EXPECT_EQ(job.colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(job.resolution(), 300);
    // The job sends its copies and pages itself.
    EXPECT_EQ(job.copyCount(), 1);
}

TEST_F(PagePrinterTest, TheRealPrintDialogsChoiceComesBack) {
    const QString file = dir.filePath(QStringLiteral("dialog.pdf"));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        shown = true;
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->count() - 1);  // print to a PDF file
        dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
        dialog->findChild<QCheckBox*>(QStringLiteral("reverse"))->setChecked(true);
        dialog->findChild<QRadioButton*>(QStringLiteral("grayscale"))->setChecked(true);
        dialog->findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(2);
        dialog->findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
        dialog->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
        dialog->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(3);
        // What its page setup ("Properties") leaves on the printer.
        dialog->printer()->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        dialog->accept();
    });
    platform::PrintDialogRequest request;
    request.maxPage = 5;
    request.toPage = 5;
    const PrintDialogResult chosen = platform::RunPrintDialog(request);
    ASSERT_TRUE(shown);
    ASSERT_TRUE(chosen.accepted);
    EXPECT_EQ(chosen.setup.outputFileName, file.toStdString());
    EXPECT_TRUE(chosen.lastPageFirst);
    EXPECT_EQ(chosen.setup.grayscale, true);
    EXPECT_EQ(chosen.copies, 2);
    EXPECT_EQ(platform::PagesToPrint(chosen, 5), (std::vector<int>{3, 2, 3, 2}));
    EXPECT_TRUE(chosen.setup.landscape);
    EXPECT_NEAR(chosen.setup.paperWidth, 215.9, 0.1);
}

}  // namespace
