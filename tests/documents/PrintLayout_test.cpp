#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "documents/PrintLayout.h"

namespace {

// Every character is `points` pixels wide; a line is twice the size high,
// bold four pixels more.
class FixedMeasurer : public PrintMeasurer {
public:
    int TextWidth(PrintFontRole, int points, const std::string& text) override {
        int chars = 0;
        for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
        return chars * points;
    }
    int TextHeight(PrintFontRole role, int points, const std::string&) override {
        return 2 * points + (role == PrintFontRole::PrintBold ? 4 : 0);
    }
};

SchriftartenTyp Fonts(int points = 10) {
    SchriftartenTyp fonts;
    for (SchriftartTyp* f : {&fonts.Print, &fonts.PrintFS, &fonts.PrintMS}) {
        f->Name.Set("Arial");
        f->Size = points;
    }
    return fonts;
}

// dpi 100: L = 70, R = 14; the column is C wide.
PageMetrics PageWithColumn(int column, int height = 1000) { return {100, 84 + 2 * column, height}; }

std::unique_ptr<VokabelArrayTyp> Entries() { return std::make_unique<VokabelArrayTyp>(); }

void Put(VokabelArrayTyp& entries, int row, const std::vector<std::string>& fields) {
    for (size_t k = 0; k < fields.size(); ++k) entries[size_t(row)].Field(int(k) + 1).Set(fields[k]);
    entries[size_t(row)].InUse = 1;
}

std::vector<std::string> Texts(const std::vector<PrintItem>& items) {
    std::vector<std::string> texts;
    for (const PrintItem& item : items) {
        if (item.kind == PrintItem::Kind::Text) texts.push_back(item.text);
    }
    return texts;
}

bool HasText(const std::vector<PrintItem>& items, const std::string& text) {
    const std::vector<std::string> texts = Texts(items);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(PrintLayoutTest, MarginsColumnsAndLineHeightsFollowThePage) {
    FixedMeasurer measurer;
    PrintOptions options;
    const PrintLayout withCount({600, 4800, 6600}, Fonts(), options, measurer);
    const PrintLayoutValues& v = withCount.Values();
    EXPECT_EQ(v.left, 420);
    EXPECT_EQ(v.right, 84);
    EXPECT_EQ(v.column, 2148);
    EXPECT_EQ(v.normalLine, 23);
    EXPECT_EQ(v.headerLine, 27);
    EXPECT_EQ(v.fsLine, 23);
    EXPECT_EQ(v.top, 2 * 27 + 20);
    options.count = false;
    EXPECT_EQ(PrintLayout({600, 4800, 6600}, Fonts(), options, measurer).Values().top, 27 + 20);
}

TEST(PrintLayoutTest, LongFieldsAreShrunkOrWrappedAsTheOptionsSay) {
    struct Case {
        const char* name;
        bool shrink, wrap;
        int maxShrink;
        int column;
        std::string field;
        int points;
        std::string first, second;
    };
    const std::string fifteen = "abcdefghijklmno";
    const std::string fifty(50, 'w');
    const std::vector<Case> cases = {
        // 2 points less is still too wide: full size in two lines.
        {"limited shrink, then wrap", true, true, 2, 100, fifteen, 10, "abcdefghij", "klmno"},
        {"limited shrink suffices", true, true, 2, 100, "abcdefghijkl", 8, "abcdefghijkl", ""},
        {"unlimited shrink never wraps", true, true, -1, 100, fifteen, 6, fifteen, ""},
        {"unlimited shrink stops at 2 points", true, true, -1, 50, fifty, 2, fifty, ""},
        {"wrap only", false, true, 2, 100, fifteen, 10, "abcdefghij", "klmno"},
        {"shrink only keeps one long line", true, false, 2, 100, fifteen, 8, fifteen, ""},
        {"both off", false, false, 2, 100, fifteen, 10, fifteen, ""},
        {"no shrink allowed", true, true, 0, 100, fifteen, 10, "abcdefghij", "klmno"},
    };
    FixedMeasurer measurer;
    for (const Case& c : cases) {
        PrintOptions options;
        options.shrink = c.shrink;
        options.wrap = c.wrap;
        options.maxShrink = c.maxShrink;
        const PrintLayout layout(PageWithColumn(c.column), Fonts(), options, measurer);
        const BrokenField broken = layout.BreakLines(c.field, PrintFontRole::ForeignLanguage);
        EXPECT_EQ(broken.points, c.points) << c.name;
        EXPECT_EQ(broken.first, c.first) << c.name;
        EXPECT_EQ(broken.second, c.second) << c.name;
    }
}

TEST(PrintLayoutTest, AnEntryIsAsHighAsItsTallerColumn) {
    FixedMeasurer measurer;
    const PrintLayout layout(PageWithColumn(100), Fonts(), PrintOptions{}, measurer);
    const int line = layout.Values().fsLine;
    VokabelTyp entry;
    EXPECT_EQ(layout.CalcHeight(entry), 0);
    entry.FS1.Set("abcdefghijklmno");  // wrapped: two lines
    entry.FS2.Set("kurz");
    entry.MS1.Set("a");
    entry.MS2.Set("b");
    EXPECT_EQ(layout.CalcHeight(entry), 3 * line);
    entry.MS3.Set("c");
    entry.MS4.Set("d");
    EXPECT_EQ(layout.CalcHeight(entry), 4 * line);
}

TEST(PrintLayoutTest, DescriptionBreaksBehindPunctuationAndStopsAfterFiveLines) {
    FixedMeasurer measurer;
    // Lines are 2 x 10 characters wide at 10 points.
    const PrintLayout layout(PageWithColumn(100), Fonts(), PrintOptions{}, measurer);
    EXPECT_EQ(layout.DescrBreak("Hallo Welt, wie geht es"),
              (std::vector<std::string>{"Hallo Welt, wie geht ", "es "}));
    // No break character: the line holds what fits.
    EXPECT_EQ(layout.DescrBreak(std::string(25, 'x')),
              (std::vector<std::string>{std::string(20, 'x'), "xxxxx "}));
    // Line ends in the description flow on.
    EXPECT_EQ(layout.DescrBreak("eins\r\nzwei"), (std::vector<std::string>{"eins zwei "}));
    const std::vector<std::string> cut = layout.DescrBreak(std::string(200, 'y'));
    ASSERT_EQ(cut.size(), 5u);
    for (const std::string& line : cut) EXPECT_EQ(line, std::string(20, 'y'));
    EXPECT_EQ(layout.DescrBreak(""), (std::vector<std::string>{" "}));
}

// Every used row is printed once, and each row ends within its page unless
// it stands alone there.
void ExpectSoundPagination(const PrintJobLayout& job, const VokabelArrayTyp& entries, int pageHeight) {
    std::vector<int> printed;
    for (int p = 1; p <= job.PageCount(); ++p) {
        const std::vector<int> rows = job.RowsOfPage(p);
        // Only the first page may hold the description alone.
        EXPECT_TRUE(!rows.empty() || p == 1) << "page " << p;
        int y = job.Layout().Values().top;
        if (p == 1) y += int(job.DescriptionLines().size()) * job.Layout().Values().normalLine;
        for (int row : rows) {
            y += job.Layout().CalcHeight(entries[size_t(row)]);
            if (rows.size() > 1) {
                EXPECT_LE(y, pageHeight) << "row " << row << " on page " << p;
            }
        }
        printed.insert(printed.end(), rows.begin(), rows.end());
    }
    std::vector<int> used;
    for (int r = 1; r <= kMaxEntries; ++r) {
        if (job.Layout().CalcHeight(entries[size_t(r)]) > 0) used.push_back(r);
    }
    EXPECT_EQ(printed, used);
}

TEST(PrintJobLayoutTest, RowsFillPagesWithoutLossOrRepeat) {
    FixedMeasurer measurer;
    PrintOptions options;
    options.description = false;
    auto entries = Entries();
    for (int r = 1; r <= kMaxEntries; ++r) Put(*entries, r, {"x", "", "y"});
    // T = 74, each row 23: a page of 74 + 10 x 23 = 304 holds exactly ten.
    const PrintJobLayout job(PageWithColumn(100, 304), Fonts(), options, measurer, "/tmp/a.plk", "", *entries);
    EXPECT_EQ(job.PageCount(), 50);
    EXPECT_EQ(job.RowsOfPage(1).size(), 10u);
    EXPECT_EQ(job.RowsOfPage(2).front(), 11);
    EXPECT_EQ(job.RowsOfPage(50).back(), 500);
    EXPECT_TRUE(job.RowsOfPage(51).empty());
    ExpectSoundPagination(job, *entries, 304);

    // Rows of mixed heights, gaps and long fields.
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        auto mixed = Entries();
        for (int r = 1; r <= kMaxEntries; ++r) {
            if (random() % 4 == 0) continue;
            std::vector<std::string> fields(7);
            for (auto& f : fields) {
                if (random() % 3 == 0) f = std::string(1 + random() % 20, 'a');
            }
            Put(*mixed, r, fields);
        }
        const int height = 200 + int(random() % 800);
        const PrintJobLayout mixedJob(PageWithColumn(100, height), Fonts(), PrintOptions{}, measurer, "",
                                      "Eine Beschreibung, die etwas länger ist als eine Zeile.", *mixed);
        ExpectSoundPagination(mixedJob, *mixed, height);
    }
}

TEST(PrintJobLayoutTest, DescriptionTakesRoomOnTheFirstPageOnly) {
    FixedMeasurer measurer;
    auto entries = Entries();
    for (int r = 1; r <= 30; ++r) Put(*entries, r, {"x", "", "y"});
    const PrintJobLayout job(PageWithColumn(100, 304), Fonts(), PrintOptions{}, measurer, "",
                             std::string(30, 'd'), *entries);
    ASSERT_EQ(job.DescriptionLines().size(), 2u);
    // Two description lines of 23 leave room for eight rows.
    EXPECT_EQ(job.RowsOfPage(1).size(), 8u);
    EXPECT_EQ(job.RowsOfPage(2).size(), 10u);
    const std::vector<PrintItem> first = job.PageItems(1);
    EXPECT_TRUE(HasText(first, std::string(20, 'd')));
    EXPECT_FALSE(HasText(job.PageItems(2), std::string(20, 'd')));
    // The description stands 20 pixels above its line; the rule follows it.
    const auto rule = std::find_if(first.begin(), first.end(),
                                   [](const PrintItem& i) { return i.kind == PrintItem::Kind::Line && i.pen == 5; });
    ASSERT_NE(rule, first.end());
    EXPECT_EQ(rule->y, 74 + 2 * 23 - 4);
}

TEST(PrintJobLayoutTest, RowTallerThanAPageStandsAlone) {
    FixedMeasurer measurer;
    PrintOptions options;
    options.description = false;
    auto entries = Entries();
    Put(*entries, 1, {"a"});
    Put(*entries, 2, {"a", "b", "c", "d", "e", "f", "g"});  // five lines: 115
    Put(*entries, 3, {"a"});
    const PrintJobLayout job(PageWithColumn(100, 150), Fonts(), options, measurer, "", "", *entries);
    EXPECT_EQ(job.PageCount(), 3);
    EXPECT_EQ(job.RowsOfPage(2), std::vector<int>{2});
    EXPECT_EQ(job.RowsOfPage(3), std::vector<int>{3});
}

TEST(PrintJobLayoutTest, HeaderNumbersAndColumns) {
    FixedMeasurer measurer;
    auto entries = Entries();
    Put(*entries, 7, {"pes", "", "Hund"});
    Put(*entries, 500, {"ko\xe8ka", "", "Katze"});
    SchriftartenTyp fonts = Fonts();
    fonts.PrintFS.Charset = 238;  // the foreign-language bytes are Windows-1250
    const PrintJobLayout job(PageWithColumn(100), fonts, PrintOptions{}, measurer, "", "", *entries);
    ASSERT_EQ(job.PageCount(), 1);
    const std::vector<PrintItem> items = job.PageItems(1);
    EXPECT_TRUE(HasText(items, "unbenannte Vokabeldatei"));
    EXPECT_TRUE(HasText(items, "insgesamt 2 Vokabeln"));
    EXPECT_TRUE(HasText(items, "Seite 1 von 1"));
    EXPECT_TRUE(HasText(items, "7."));
    EXPECT_TRUE(HasText(items, "500."));
    EXPECT_TRUE(HasText(items, "kočka"));
    for (const PrintItem& item : items) {
        if (item.text == "Hund") EXPECT_EQ(item.x, 70 + 100 + 14);
        if (item.text == "pes") EXPECT_EQ(item.x, 70);
        // Right-aligned to the page width less half the left margin.
        if (item.text == "Seite 1 von 1") EXPECT_EQ(item.x + 13 * 10, 284 - 35);
        if (item.text == "7.") EXPECT_EQ(item.x, 70 - 10 - 30);
    }
}

TEST(PrintJobLayoutTest, SelectionPrintsTheMarkedRowsUnderTheirNumbers) {
    FixedMeasurer measurer;
    auto entries = Entries();
    for (int r = 1; r <= 10; ++r) Put(*entries, r, {"f" + std::to_string(r), "", "m"});
    MarkierungTyp marks;
    for (int r : {2, 5, 9}) MarksSet(marks, r);
    BlankUnmarkedRows(*entries, marks);
    const PrintJobLayout job(PageWithColumn(100), Fonts(), PrintOptions{}, measurer, "/x/liste.plk", "", *entries);
    EXPECT_EQ(job.RowsOfPage(1), (std::vector<int>{2, 5, 9}));
    const std::vector<PrintItem> items = job.PageItems(1);
    EXPECT_TRUE(HasText(items, "insgesamt 3 Vokabeln"));
    EXPECT_TRUE(HasText(items, "/x/liste.plk"));
    EXPECT_TRUE(HasText(items, "9."));
    EXPECT_FALSE(HasText(items, "f1"));
}

}  // namespace
