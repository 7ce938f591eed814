#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTextCursor>

#include "documents/DocumentTestFiles.h"
#include "documents/TabelleLayout.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/TabelleModel.h"

namespace {

TEST(GridLayout, RowCountAndMetrics) {
    EXPECT_EQ(tabelle::RowCount(0), 2);
    EXPECT_EQ(tabelle::RowCount(12), 14);
    EXPECT_EQ(tabelle::RowCount(499), 501);
    EXPECT_EQ(tabelle::RowCount(500), 501);
    EXPECT_EQ(tabelle::NumberColumnWidth(70), 30);   // 7 x 4.3 = 30.1
    EXPECT_EQ(tabelle::NumberColumnWidth(75), 32);   // 32.25
    EXPECT_EQ(tabelle::DefaultRowHeight(15, 19, 16), 21);  // 20.9
    EXPECT_EQ(tabelle::EqualColumnWidth(737, 30), 100);
    EXPECT_EQ(tabelle::EqualColumnWidth(60, 30), 10);  // a tiny window: never below 10
    EXPECT_EQ(tabelle::MemoClientHeight(0, -13, false), 20);
    EXPECT_EQ(tabelle::MemoClientHeight(3, 13, true), 59);
}

TEST(GridLayout, FitAllSharesTheRoomAmongColumnsWithText) {
    struct Case {
        tabelle::FieldWidths widest;
        int clientWidth;
        tabelle::FieldWidths expected;
    };
    const Case cases[] = {
        // Room 1000 - 30 - 15 = 955, target 879; the sum 190 leaves 689, 229 for each column with text.
        {{40, 60, 50, 0, 0, 0, 0}, 1000, {279, 299, 289, 10, 10, 10, 10}},
        // Wider than the target: only the margin is added.
        {{400, 300, 300, 0, 5, 11, 0}, 800, {410, 310, 310, 10, 10, 21, 10}},
        // No text at all: every column stays 10.
        {{0, 0, 0, 0, 0, 0, 0}, 1000, {10, 10, 10, 10, 10, 10, 10}},
    };
    for (const Case& c : cases) EXPECT_EQ(tabelle::FitAllWidths(c.widest, c.clientWidth, 30), c.expected);
}

TEST(GridLayout, ColumnUnderX) {
    const tabelle::FieldWidths w = {100, 100, 50, 50, 50, 50, 50};
    EXPECT_EQ(tabelle::ColumnAtX(10, 30, 1, w), 0);
    EXPECT_EQ(tabelle::ColumnAtX(30, 30, 1, w), 1);
    EXPECT_EQ(tabelle::ColumnAtX(130, 30, 1, w), 2);
    EXPECT_EQ(tabelle::ColumnAtX(100, 30, 3, w), 4);  // scrolled: column 3 is the first shown
    EXPECT_EQ(tabelle::ColumnAtX(479, 30, 1, w), 7);
    EXPECT_EQ(tabelle::ColumnAtX(480, 30, 1, w), tabelle::kNoColumn);
}

class GridWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto doc = std::make_unique<VocabDocument>();
        for (int r = 1; r <= 12; ++r) {
            doc->Entries[r].FS1.Set("Wort " + std::to_string(r));
            doc->Entries[r].MS1.Set("word");
            doc->Entries[r].InUse = 1;
        }
        w = std::make_unique<TMDIChild>(std::move(doc));
        w->resize(900, 500);
        w->show();
    }
    DefaultOptionsForTest options;
    std::unique_ptr<TMDIChild> w;
};

TEST_F(GridWindowTest, RowsFollowTheLastUsedRowAfterARebuild) {
    EXPECT_EQ(w->Model().GridRowCount(), 14);
    VocabDocument& doc = w->Document();
    doc.BulkUpdate = 1;
    doc.Entries[40] = doc.Entries[1];
    doc.InsertRow(2, doc.Entries[1]);  // no rebuild while bulk updating
    EXPECT_EQ(w->Model().GridRowCount(), 14);
    w->Ansichtaktualisieren1Click();
    EXPECT_EQ(doc.BulkUpdate, 0);
    EXPECT_EQ(w->Model().GridRowCount(), 43);  // rows 2..40 moved down
    doc.DeleteRow(41);
    doc.DeleteRow(40);
    EXPECT_EQ(w->Model().GridRowCount(), 15);
    // A row beyond the grid is shown after a rebuild.
    doc.Entries[100].FS1.Set("neu");
    doc.Entries[100].InUse = 1;
    w->RefreshRow(100);
    EXPECT_EQ(w->Model().GridRowCount(), 102);
}

TEST_F(GridWindowTest, TheDescriptionLineShowsAllItsLinesWithNoScrollBar) {
    QPlainTextEdit* memo = w->DescMemo;
    for (const char* description : {"Eine Zeile", "Zwei\r\nZeilen", "Drei\r\nkurze\r\nZeilen"}) {
        SCOPED_TRACE(description);
        w->Document().Description = description;
        w->RefreshGrid();
        w->FormResize();
        memo->moveCursor(QTextCursor::End);
        EXPECT_FALSE(memo->verticalScrollBar()->isVisible());
        EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(memo->cursorForPosition(QPoint(2, 2)).blockNumber(), 0);  // the first line stays in view
    }
}

TEST_F(GridWindowTest, FittingTheColumns) {
    // Shown with entries: the two columns with text share the room, the others stay 10.
    EXPECT_GT(w->ColWidth(1), 100);
    EXPECT_GT(w->ColWidth(3), 100);
    for (int c : {2, 4, 5, 6, 7}) EXPECT_EQ(w->ColWidth(c), 10) << c;

    w->gleichmigverteilen1Click();
    const int equal = tabelle::EqualColumnWidth(w->GridClientWidth(), w->ColWidth(0));
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(w->ColWidth(c), equal);

    // One column from a header position: its widest text + 10.
    const int x = w->ColWidth(0) + w->ColWidth(1) + 5;
    w->AutoSizeClick(x);
    EXPECT_EQ(w->ColWidth(2), 10);
    w->AutoSizeColumns(0, 0, 3, false);
    const QFontMetrics ms(w->Model().MSFont().Font);
    EXPECT_EQ(w->ColWidth(3), ms.horizontalAdvance("word") + 10);
    // Below the header nothing happens.
    w->AutoSizeColumns(w->ColWidth(0) + 2, w->Tabelle->horizontalHeader()->height(), 0, true);
    EXPECT_EQ(w->ColWidth(1), equal);
}

}  // namespace
