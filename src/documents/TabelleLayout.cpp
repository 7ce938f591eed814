#include "documents/TabelleLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tabelle {

namespace {
constexpr int kNarrowest = 10;
}

int RowCount(int lastUsedRow) { return std::min(lastUsedRow + 2, 501); }

int NumberColumnWidth(int digitsWidth) { return int(std::lround(digitsWidth / 10.0 * 4.3)); }

int DefaultRowHeight(int headerHeight, int msHeight, int fsHeight) {
    return int(std::lround(std::max({headerHeight, msHeight, fsHeight}) * 1.1));
}

int EqualColumnWidth(int clientWidth, int numberColumnWidth) {
    return std::max(kNarrowest, (clientWidth - numberColumnWidth - 7) / 7);
}

FieldWidths FitAllWidths(const FieldWidths& widestTexts, int clientWidth, int numberColumnWidth) {
    FieldWidths w;
    int sum = 0;
    int withText = 0;
    for (int c = 0; c < kFieldColumns; ++c) {
        w[c] = std::max(kNarrowest, widestTexts[c]);
        sum += w[c];
        if (w[c] > kNarrowest) ++withText;
    }
    const int target = int(std::lround((clientWidth - numberColumnWidth - 15) * 0.92));
    if (sum < target) {
        const int spare = (target - sum) / std::max(1, withText);
        for (int& width : w) {
            if (width > kNarrowest) width += spare;
        }
    }
    for (int& width : w) width = width <= kNarrowest ? kNarrowest : width + 10;
    return w;
}

int ColumnAtX(int x, int numberColumnWidth, int leftColumn, const FieldWidths& widths) {
    if (x < numberColumnWidth) return 0;
    int edge = numberColumnWidth;
    for (int c = std::max(1, leftColumn); c <= kFieldColumns; ++c) {
        edge += widths[c - 1];
        if (edge > x) return c;
    }
    return kNoColumn;
}

int DragTopRow(int dragTopRow, int moved, int lastUsedRow, int clientHeight, int rowHeight) {
    const int highest = lastUsedRow - clientHeight / std::max(1, rowHeight + 1) + 3;
    return std::max(1, std::min(dragTopRow + moved, highest));
}

int MemoClientHeight(int lines, int fontHeight, bool endsWithLineFeed) {
    const int h = std::abs(fontHeight);
    return std::max(lines, 1) * h + 7 + (endsWithLineFeed ? h : 0);
}

}  // namespace tabelle
