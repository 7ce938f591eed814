#include "platform/PrintChoice.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace platform {

namespace {

// "1-3,5,8-": a missing end runs to the last page; anything else that is
// not a number is dropped.
std::vector<PrintPageSpan> ParseRanges(const std::string& text) {
    std::vector<PrintPageSpan> spans;
    const auto number = [](const std::string& digits, int missing) {
        if (digits.empty()) return missing;
        if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) return -1;
        return std::atoi(digits.c_str());
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        std::string item = text.substr(start, end - start);
        item.erase(std::remove(item.begin(), item.end(), ' '), item.end());
        const std::size_t dash = item.find('-');
        const int from = number(item.substr(0, dash), 1);
        const int to = dash == std::string::npos ? from : number(item.substr(dash + 1), INT_MAX);
        if (!item.empty() && item != "-" && from >= 1 && to >= from) spans.push_back({from, to});
        start = end + 1;
    }
    return spans;
}

}  // namespace

void TakePageOptions(PrintDialogResult& chosen) {
    auto& options = chosen.setup.jobOptions;
    for (auto it = options.begin(); it != options.end();) {
        if (it->first == "page-set") {
            if (it->second == "odd") chosen.pageSet = PrintDialogResult::PageSet::Odd;
            if (it->second == "even") chosen.pageSet = PrintDialogResult::PageSet::Even;
        } else if (it->first == "page-ranges") {
            std::vector<PrintPageSpan> spans = ParseRanges(it->second);
            if (!spans.empty()) {
                chosen.range = PrintDialogResult::Range::Pages;
                chosen.pages = std::move(spans);
            }
        } else {
            ++it;
            continue;
        }
        it = options.erase(it);
    }
}

namespace {

// The pages of the chosen range that the job has, in order.
std::vector<int> PagesInRange(const PrintDialogResult& chosen, int pageCount) {
    const int count = std::max(0, pageCount);
    std::vector<bool> wanted(size_t(count) + 1, chosen.range != PrintDialogResult::Range::Pages);
    if (chosen.range == PrintDialogResult::Range::Pages) {
        for (const PrintPageSpan& span : chosen.pages) {
            for (int p = std::max(1, span.from); p <= std::min(span.to, count); ++p) wanted[size_t(p)] = true;
        }
    }
    std::vector<int> pages;
    for (int p = 1; p <= count; ++p) {
        if (wanted[size_t(p)]) pages.push_back(p);
    }
    return pages;
}

// By the page's own number: the even pages of 2-5 are 2 and 4.
std::vector<int> InPageSet(const PrintDialogResult& chosen, std::vector<int> pages) {
    using PageSet = PrintDialogResult::PageSet;
    std::erase_if(pages, [&](int p) {
        const bool odd = p % 2 == 1;
        return (chosen.pageSet == PageSet::Odd && !odd) || (chosen.pageSet == PageSet::Even && odd);
    });
    return pages;
}

}  // namespace

NothingChosen WhyNothingChosen(const PrintDialogResult& chosen, int pageCount) {
    const std::vector<int> inRange = PagesInRange(chosen, pageCount);
    if (inRange.empty()) return NothingChosen::Range;
    return InPageSet(chosen, inRange).empty() ? NothingChosen::PageSet : NothingChosen::No;
}

std::string PageRangeText(const std::vector<PrintPageSpan>& pages) {
    std::string text;
    for (const PrintPageSpan& span : pages) {
        if (!text.empty()) text += ", ";
        text += std::to_string(span.from);
        if (span.to == INT_MAX) {
            text += "-";
        } else if (span.to != span.from) {
            text += "-" + std::to_string(span.to);
        }
    }
    return text;
}

std::vector<int> PagesToPrint(const PrintDialogResult& chosen, int pageCount) {
    std::vector<int> sequence = InPageSet(chosen, PagesInRange(chosen, pageCount));
    if (chosen.lastPageFirst) std::reverse(sequence.begin(), sequence.end());

    const int copies = std::max(1, chosen.copies);
    std::vector<int> pages;
    if (chosen.collate) {
        for (int copy = 0; copy < copies; ++copy) pages.insert(pages.end(), sequence.begin(), sequence.end());
    } else {
        for (int p : sequence) pages.insert(pages.end(), size_t(copies), p);
    }
    return pages;
}

}  // namespace platform
