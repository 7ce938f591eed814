#include "frame/WheelScroll.h"

#include <algorithm>

namespace {
constexpr int kRowsPerStep = 3;
constexpr int kStep = 120;
}  // namespace

int WheelTopRow(int topRow, int visibleRows, int rowCount, bool awayFromUser) {
    int top = 0;
    if (awayFromUser) {
        top = topRow < kRowsPerStep + 1 ? 1 : topRow - kRowsPerStep;
    } else {
        top = topRow + visibleRows < rowCount ? topRow + kRowsPerStep : rowCount - visibleRows;
    }
    // A short grid has no row below the header to stop at but 1; a long one
    // stops where its last row is in view.
    const int lastTop = std::max(1, rowCount - visibleRows);
    return std::clamp(top, 1, lastTop);
}

int WheelSteps::Add(int angleDeltaY) {
    pending_ += angleDeltaY;
    const int steps = pending_ / kStep;
    pending_ -= steps * kStep;
    return steps;
}
