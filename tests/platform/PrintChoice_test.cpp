#include <gtest/gtest.h>

#include <climits>

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

// What leaves a job without pages: the range, or the odd or even pages
// among those in it; and the range as the user would write it again.
TEST(PrintChoiceTest, WhatLeavesNothingToPrint) {
    using platform::NothingChosen;
    struct Case {
        const char* what;
        Range range;
        std::vector<platform::PrintPageSpan> spans;
        PageSet pageSet;
        int pageCount;
        NothingChosen why;
    };
    const Case cases[] = {
        {"all pages", Range::All, {}, PageSet::All, 1, NothingChosen::No},
        {"even pages of one", Range::All, {}, PageSet::Even, 1, NothingChosen::PageSet},
        {"even pages of two", Range::All, {}, PageSet::Even, 2, NothingChosen::No},
        {"even pages of a shortened job", Range::Selection, {}, PageSet::Even, 1, NothingChosen::PageSet},
        {"odd pages within 2", Range::Pages, {{2, 2}}, PageSet::Odd, 3, NothingChosen::PageSet},
        {"a range past the job", Range::Pages, {{5, 6}}, PageSet::All, 4, NothingChosen::Range},
        {"a range past the job, even pages", Range::Pages, {{5, 6}}, PageSet::Even, 4, NothingChosen::Range},
        {"a range partly in the job", Range::Pages, {{4, 6}}, PageSet::All, 4, NothingChosen::No},
    };
    for (const Case& c : cases) {
        PrintDialogResult chosen = Choice(c.range, c.spans);
        chosen.pageSet = c.pageSet;
        EXPECT_EQ(platform::WhyNothingChosen(chosen, c.pageCount), c.why) << c.what;
        EXPECT_EQ(platform::PagesToPrint(chosen, c.pageCount).empty(), c.why != NothingChosen::No) << c.what;
    }
    EXPECT_EQ(platform::PageRangeText({{1, 3}, {5, 5}, {8, INT_MAX}}), "1-3, 5, 8-");
}

}  // namespace
