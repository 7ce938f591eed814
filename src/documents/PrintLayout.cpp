#include "documents/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "documents/VocabDocument.h"
#include "platform/CodePage.h"

namespace {

constexpr int kSmallestShrunkSize = 2;
constexpr int kDescriptionLines = 5;
const std::string kBreakCharacters = ";,.-()[]=/&+?\"! ";
const std::string kUnnamed = "unbenannte Vokabeldatei";

const SchriftartTyp& FontOf(const SchriftartenTyp& fonts, PrintFontRole role) {
    switch (role) {
    case PrintFontRole::ForeignLanguage:
        return fonts.PrintFS;
    case PrintFontRole::MotherTongue:
        return fonts.PrintMS;
    case PrintFontRole::Print:
    case PrintFontRole::PrintBold:
        break;
    }
    return fonts.Print;
}

// The description's CR LF line ends flow as blanks into the printed lines.
std::string FlowingText(const std::string& description) {
    std::string text;
    for (std::size_t i = 0; i < description.size(); ++i) {
        if (description[i] == '\r' && i + 1 < description.size() && description[i + 1] == '\n') {
            text += ' ';
            ++i;
        } else {
            text += description[i];
        }
    }
    return text;
}

}  // namespace

PrintOptions PrintOptions::From(const OptionenTyp& o) {
    PrintOptions p;
    p.count = o.AnzahlMitdrucken;
    p.numbers = o.VokabelnummernDrucken;
    p.grid = o.GitternetzDrucken;
    p.wrap = o.ZeilenumbruchWennZuLang;
    p.shrink = o.SchriftVerkleinernWennZuLang;
    p.description = o.BeschreibungMitdrucken;
    p.maxShrink = o.MaximalVerkleinernUm;
    return p;
}

PrintLayout::PrintLayout(const PageMetrics& page, const SchriftartenTyp& fonts, const PrintOptions& options,
                         PrintMeasurer& measurer)
    : page_(page), fonts_(fonts), options_(options), measurer_(measurer) {
    PrintLayoutValues& v = values_;
    v.left = int(std::lround(0.7 * page.dpi));
    v.right = int(std::lround(v.left / 5.0));
    v.column = std::max(0, (page.width - v.left - v.right) / 2);
    const auto height = [this](PrintFontRole role, const char* text) {
        return measurer_.TextHeight(role, FontSize(role), Utf8(role, text));
    };
    v.normalLine = height(PrintFontRole::Print, "M") + 3;
    v.headerLine = height(PrintFontRole::PrintBold, "M") + 3;
    v.fsLine = height(PrintFontRole::ForeignLanguage, "\xcdy") + 3;
    v.msLine = height(PrintFontRole::MotherTongue, "\xcdy") + 3;
    v.top = (options.count ? 2 * v.headerLine : v.headerLine) + 20;
}

int PrintLayout::FontSize(PrintFontRole role) const { return std::max<int32_t>(1, FontOf(fonts_, role).Size); }

std::string PrintLayout::Utf8(PrintFontRole role, const std::string& bytes) const {
    return platform::BytesToUtf8(platform::CodePageForCharset(FontOf(fonts_, role).Charset), bytes);
}

int PrintLayout::Width(PrintFontRole role, int points, const std::string& bytes) const {
    return measurer_.TextWidth(role, points, Utf8(role, bytes));
}

BrokenField PrintLayout::BreakLines(const std::string& field, PrintFontRole role) const {
    const int column = values_.column;
    BrokenField result{FontSize(role), field, {}};
    const auto tooWide = [&] { return Width(role, result.points, field) > column; };
    bool split = options_.wrap;
    if (options_.shrink) {
        if (options_.maxShrink < 0) {
            while (tooWide() && result.points > kSmallestShrunkSize) --result.points;
            split = false;
        } else {
            const int floor = result.points - options_.maxShrink;
            while (tooWide() && result.points > floor) --result.points;
            split = split && tooWide();
            if (split) result.points = FontSize(role);
        }
    }
    if (split) {
        std::size_t fits = 0;
        while (fits < field.size() && Width(role, result.points, field.substr(0, fits + 1)) <= column) ++fits;
        result.first = field.substr(0, fits);
        result.second = field.substr(fits);
    }
    return result;
}

int PrintLayout::CalcHeight(const VokabelTyp& entry) const {
    const auto lines = [&](int firstField, int lastField, PrintFontRole role) {
        int count = 0;
        for (int k = firstField; k <= lastField; ++k) {
            const std::string text = entry.Field(k).Get();
            if (text.empty()) continue;
            ++count;
            if (Width(role, FontSize(role), text) > values_.column && !BreakLines(text, role).second.empty()) {
                ++count;
            }
        }
        return count;
    };
    return std::max(lines(1, 2, PrintFontRole::ForeignLanguage) * values_.fsLine,
                    lines(3, 7, PrintFontRole::MotherTongue) * values_.msLine);
}

std::vector<std::string> PrintLayout::DescrBreak(const std::string& description) const {
    const int width = 2 * values_.column;
    const int points = FontSize(PrintFontRole::Print);
    std::string rest = FlowingText(description) + " ";
    std::vector<std::string> lines;
    while (!rest.empty() && int(lines.size()) < kDescriptionLines) {
        std::size_t fits = 0;
        while (fits < rest.size() && Width(PrintFontRole::Print, points, rest.substr(0, fits + 1)) <= width) ++fits;
        // A character wider than the page still takes a line of its own.
        fits = std::max<std::size_t>(fits, 1);
        std::size_t end = fits;
        for (std::size_t k = std::min(fits + 1, rest.size()); k >= 1; --k) {
            if (kBreakCharacters.find(rest[k - 1]) != std::string::npos) {
                end = k;
                break;
            }
        }
        lines.push_back(rest.substr(0, end));
        rest.erase(0, end);
    }
    return lines;
}

// ---- The job -----------------------------------------------------------------

PrintJobLayout::PrintJobLayout(const PageMetrics& page, const SchriftartenTyp& fonts, const PrintOptions& options,
                               PrintMeasurer& measurer, const std::string& fileName, const std::string& description,
                               const VokabelArrayTyp& entries)
    : page_(page), options_(options), layout_(page, fonts, options, measurer), fileName_(fileName), entries_(entries) {
    if (options.description) descriptionLines_ = layout_.DescrBreak(description);
    for (int r = 1; r <= kMaxEntries; ++r) {
        if (!VocabDocument::IsEntryEmpty(entries_[r])) ++usedRows_;
    }
    Paginate();
}

// Rows are placed as they are printed: a row goes on the page when it ends
// within it; one that fits no page goes alone on its own page.
void PrintJobLayout::Paginate() {
    const PrintLayoutValues& v = layout_.Values();
    const int firstTop = v.top + int(descriptionLines_.size()) * v.normalLine;
    pages_.assign(1, {});
    int y = firstTop;
    for (int r = 1; r <= kMaxEntries; ++r) {
        const int height = layout_.CalcHeight(entries_[r]);
        if (height == 0) continue;
        if (y + height > page_.height) {
            const bool pageHasRows = !pages_.back().empty();
            const bool fitsFreshPage = v.top + height <= page_.height;
            if (pageHasRows || (y != v.top && fitsFreshPage)) {
                pages_.emplace_back();
                y = v.top;
            }
        }
        pages_.back().push_back({r, y});
        y += height;
    }
}

std::vector<int> PrintJobLayout::RowsOfPage(int page) const {
    std::vector<int> rows;
    if (page < 1 || page > PageCount()) return rows;
    for (const PlacedRow& placed : pages_[size_t(page - 1)]) rows.push_back(placed.row);
    return rows;
}

namespace {

PrintItem Text(int x, int y, PrintFontRole role, int points, std::string text) {
    PrintItem item;
    item.x = x;
    item.y = y;
    item.role = role;
    item.points = points;
    item.text = std::move(text);
    return item;
}

PrintItem Line(int x1, int y1, int x2, int y2, int pen) {
    PrintItem item;
    item.kind = PrintItem::Kind::Line;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.pen = pen;
    return item;
}

}  // namespace

std::vector<PrintItem> PrintJobLayout::PageItems(int page) const {
    std::vector<PrintItem> items;
    if (page < 1 || page > PageCount()) return items;
    const PrintLayoutValues& v = layout_.Values();
    const int points = layout_.FontSize(PrintFontRole::Print);
    const auto text = [&](int x, int y, const std::string& utf8) {
        items.push_back(Text(x, y, PrintFontRole::Print, points, utf8));
    };
    const auto rightAligned = [&](int y, const std::string& utf8) {
        const int edge = page_.width - v.left / 2;
        text(edge - layout_.Width(PrintFontRole::Print, points, utf8), y, utf8);
    };

    const bool unnamed = fileName_.empty() || fileName_ == "\x1b";
    text(v.left, 0, unnamed ? kUnnamed : fileName_);
    if (options_.count) rightAligned(v.headerLine, "insgesamt " + std::to_string(usedRows_) + " Vokabeln");
    rightAligned(0, "Seite " + std::to_string(page) + " von " + std::to_string(PageCount()));

    int y = v.top;
    if (page == 1) {
        for (const std::string& line : descriptionLines_) {
            text(v.left, y - 20, layout_.Utf8(PrintFontRole::Print, line));
            y += v.normalLine;
        }
    }
    items.push_back(Line(v.left, y - 4, page_.width - v.left / 4, y - 4, 5));
    for (const PlacedRow& placed : pages_[size_t(page - 1)]) AddRow(items, placed.row, placed.y);
    return items;
}

void PrintJobLayout::AddRow(std::vector<PrintItem>& items, int row, int y) const {
    const PrintLayoutValues& v = layout_.Values();
    if (options_.grid) items.push_back(Line(v.left - 2, y - 2, page_.width - v.left / 4, y - 2, 1));
    if (options_.numbers) {
        const int points = layout_.FontSize(PrintFontRole::Print);
        const std::string number = std::to_string(row);
        const int x = v.left - layout_.Width(PrintFontRole::Print, points, number) - 30;
        items.push_back(Text(x, y, PrintFontRole::Print, points, number + "."));
    }
    const VokabelTyp& entry = entries_[size_t(row)];
    AddColumn(items, v.left, y, v.fsLine, PrintFontRole::ForeignLanguage, entry, 1, 2);
    AddColumn(items, v.left + v.column + v.right, y, v.msLine, PrintFontRole::MotherTongue, entry, 3, 7);
}

void PrintJobLayout::AddColumn(std::vector<PrintItem>& items, int x, int y, int lineHeight, PrintFontRole role,
                               const VokabelTyp& entry, int firstField, int lastField) const {
    const int points = layout_.FontSize(role);
    for (int k = firstField; k <= lastField; ++k) {
        const std::string field = entry.Field(k).Get();
        if (field.empty()) continue;
        if (layout_.Width(role, points, field) <= layout_.Values().column) {
            items.push_back(Text(x, y, role, points, layout_.Utf8(role, field)));
            y += lineHeight;
            continue;
        }
        const BrokenField broken = layout_.BreakLines(field, role);
        items.push_back(Text(x, y, role, broken.points, layout_.Utf8(role, broken.first)));
        y += lineHeight;
        if (!broken.second.empty()) {
            items.push_back(Text(x, y, role, broken.points, layout_.Utf8(role, broken.second)));
            y += lineHeight;
        }
    }
}

// ---- Ranges ------------------------------------------------------------------

void BlankUnmarkedRows(VokabelArrayTyp& entries, const MarkierungTyp& marks) {
    for (int r = 1; r <= kMaxEntries; ++r) {
        if (!MarksGet(marks, r)) entries[size_t(r)] = BlankEntry;
    }
}
