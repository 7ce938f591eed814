#include <gtest/gtest.h>

#include "platform/PrintChoice.h"

namespace {

using platform::PrintDialogResult;
using Range = PrintDialogResult::Range;
using PageSet = PrintDialogResult::PageSet;

PrintDialogResult Choice(Range range, std::vector<platform::PrintPageSpan> spans = {}) {
    PrintDialogResult chosen;
    chosen.accepted = true;
    chosen.range = range;
    chosen.pages = std::move(spans);
    return chosen;
}

TEST(PrintChoiceTest, PagesToSendInTheirOrder) {
    struct Case {
        const char* what;
        PrintDialogResult chosen;
        int pageCount;
        std::vector<int> pages;
    };
    std::vector<Case> cases = {
        {"all", Choice(Range::All), 3, {1, 2, 3}},
        {"selection is the whole shortened job", Choice(Range::Selection, {{2, 9}}), 2, {1, 2}},
        {"a range past the job", Choice(Range::Pages, {{2, 9}}), 3, {2, 3}},
        {"a range wholly past the job", Choice(Range::Pages, {{4, 5}}), 3, {}},
        {"spans join in page order", Choice(Range::Pages, {{5, 6}, {1, 2}, {2, 3}}), 9, {1, 2, 3, 5, 6}},
    };
    PrintDialogResult copies = Choice(Range::Pages, {{2, 9}});
    copies.copies = 2;
    cases.push_back({"copies, each whole", copies, 3, {2, 3, 2, 3}});
    copies.collate = false;
    cases.push_back({"copies, each page repeated", copies, 3, {2, 2, 3, 3}});
    PrintDialogResult reverse = Choice(Range::All);
    reverse.lastPageFirst = true;
    reverse.copies = 2;
    cases.push_back({"last page first, in every copy", reverse, 3, {3, 2, 1, 3, 2, 1}});
    PrintDialogResult odd = Choice(Range::All);
    odd.pageSet = PageSet::Odd;
    cases.push_back({"odd pages", odd, 5, {1, 3, 5}});
    odd.lastPageFirst = true;
    cases.push_back({"odd pages, last first", odd, 4, {3, 1}});
    PrintDialogResult even = Choice(Range::Pages, {{2, 5}});
    even.pageSet = PageSet::Even;
    // By the pages' own numbers, not by their places among those sent.
    cases.push_back({"even page numbers within a range", even, 9, {2, 4}});
    even.pages = {{3, 7}};
    even.pageSet = PageSet::Odd;
    cases.push_back({"odd page numbers within a range", even, 9, {3, 5, 7}});
    for (const Case& c : cases) {
        EXPECT_EQ(platform::PagesToPrint(c.chosen, c.pageCount), c.pages) << c.what;
    }
}

TEST(PrintChoiceTest, ThePrintSystemsPageOptionsBecomeTheJobsOwn) {
    PrintDialogResult chosen = Choice(Range::All);
    chosen.setup.jobOptions = {{"number-up", "2"}, {"page-set", "even"}, {"page-ranges", "1-3, 7,x,9-"},
                               {"job-sheets", "none,none"}};
    platform::TakePageOptions(chosen);
    EXPECT_EQ(chosen.pageSet, PageSet::Even);
    ASSERT_EQ(chosen.range, Range::Pages);
    ASSERT_EQ(chosen.pages.size(), 3u);
    EXPECT_EQ(chosen.pages[0].from, 1);
    EXPECT_EQ(chosen.pages[0].to, 3);
    EXPECT_EQ(chosen.pages[1].from, 7);
    EXPECT_EQ(chosen.pages[1].to, 7);
    EXPECT_EQ(chosen.pages[2].from, 9);
    EXPECT_EQ(platform::PagesToPrint(chosen, 10), (std::vector<int>{2, 10}));
    // What the job cannot do itself goes on to the print system.
    const std::vector<std::pair<std::string, std::string>> rest = {{"number-up", "2"}, {"job-sheets", "none,none"}};
    EXPECT_EQ(chosen.setup.jobOptions, rest);

    PrintDialogResult unchanged = Choice(Range::Selection);
    unchanged.setup.jobOptions = {{"page-ranges", "x"}, {"page-set", "all"}};
    platform::TakePageOptions(unchanged);
    EXPECT_EQ(unchanged.range, Range::Selection);
    EXPECT_EQ(unchanged.pageSet, PageSet::All);
    EXPECT_TRUE(unchanged.setup.jobOptions.empty());
}

}  // namespace
