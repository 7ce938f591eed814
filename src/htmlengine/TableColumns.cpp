#include "htmlengine/TableColumns.h"

#include "htmlengine/MulDiv.h"

#include <algorithm>

namespace htmlengine {

namespace {

// Products of widths and percentages are taken in 64 bits.
int32_t Scale(int64_t value, int64_t numerator, int64_t denominator) {
    if (denominator == 0) return 0;
    return ClampSize(value * numerator / denominator, INT32_MIN, INT32_MAX);
}

struct Span {
    int32_t from, to;  // [from, to)
    int32_t Count() const { return to - from; }
};

Span SpanOf(const ColumnCell& c, int32_t numCols) {
    const int32_t from = std::clamp(c.Column, 0, numCols);
    return {from, static_cast<int32_t>(std::clamp<int64_t>(int64_t(from) + c.Span, from, numCols))};
}

int64_t Sum(const ColumnArray& a, Span s) {
    int64_t n = 0;
    for (int32_t k = s.from; k < s.to; ++k) n += a[k];
    return n;
}

// Grows the spanned values to the target in proportion to their own; when
// they are all 0 the first takes the whole, or all share it equally.
void GrowTo(ColumnArray& a, Span s, int32_t target, bool firstTakesAll) {
    const int64_t sum = Sum(a, s);
    if (sum >= target || s.Count() <= 0) return;
    if (sum > 0) {
        for (int32_t k = s.from; k < s.to; ++k) a[k] = MulDiv(a[k], target, static_cast<int32_t>(sum));
    } else if (firstTakesAll) {
        a[s.from] = target;
    } else {
        const int32_t share = target / s.Count();
        for (int32_t k = s.from; k < s.to; ++k) a[k] = share;
        a[s.to - 1] += target - share * s.Count();
    }
}

// Visits the cells in passes of growing span, each pass in row order. The
// cells of one column, most of a large table, are visited where they lie.
template <class Visit>
void InPasses(const ColumnSet& set, Visit visit) {
    auto counts = [&](const ColumnCell& c) { return c.Span >= 1 && c.Column >= 0 && c.Column < set.NumCols; };
    std::vector<const ColumnCell*> spanning;
    for (const ColumnCell& c : set.Cells) {
        if (!counts(c)) continue;
        if (c.Span == 1) visit(c);
        else spanning.push_back(&c);
    }
    std::stable_sort(spanning.begin(), spanning.end(),
                     [](const ColumnCell* a, const ColumnCell* b) { return a->Span < b->Span; });
    for (const ColumnCell* c : spanning) visit(*c);
}

void OwnRange(const ColumnSet& set, const ColumnCell& c, int32_t& min, int32_t& max) {
    const int32_t d = 2 * set.Padding + set.Spacing;
    min = std::clamp(c.Min, 0, MaxColumnExtent) + d;
    max = std::clamp(c.Max, 0, MaxColumnExtent) + d;
}

void Totals(ColumnRanges& r, int32_t numCols) {
    const Span all{0, numCols};
    r.TotalMin = ClampSize(Sum(r.Min, all), INT32_MIN, INT32_MAX);
    r.TotalMax = ClampSize(Sum(r.Max, all), INT32_MIN, INT32_MAX);
}

int32_t Columns(int32_t numCols) { return std::clamp(numCols, 0, MaxTableColumns); }

}  // namespace

ColumnRanges ColumnWidthRanges(const ColumnSet& set) {
    ColumnRanges r;
    const int32_t n = Columns(set.NumCols);
    const int32_t d = 2 * set.Padding + set.Spacing;
    InPasses(set, [&](const ColumnCell& c) {
        int32_t min = 0, max = 0;
        OwnRange(set, c, min, max);
        if (!c.WidthIsPercent && c.SpecWidth > 0) min = max = std::max(min, c.SpecWidth + d);
        const Span s = SpanOf(c, n);
        if (c.Span == 1) {
            r.Min[s.from] = std::max(r.Min[s.from], min);
            r.Max[s.from] = std::max(r.Max[s.from], max);
        } else {
            GrowTo(r.Min, s, min, true);
            GrowTo(r.Max, s, max, true);
        }
    });
    Totals(r, n);
    return r;
}

ColumnRanges PercentWidthRanges(const ColumnSet& set, int32_t tableWidth, ColumnArray& percents) {
    ColumnRanges r;
    percents.fill(0);
    const int32_t n = Columns(set.NumCols);
    InPasses(set, [&](const ColumnCell& c) {
        int32_t min = 0, max = 0;
        OwnRange(set, c, min, max);
        int32_t pct = 0;
        if (c.WidthIsPercent) pct = c.SpecWidth;
        else if (c.SpecWidth > 0 && tableWidth > 0) pct = std::min(1000, Scale(c.SpecWidth, 1000, tableWidth));
        const Span s = SpanOf(c, n);
        if (c.Span == 1) {
            r.Min[s.from] = std::max(r.Min[s.from], min);
            r.Max[s.from] = std::max(r.Max[s.from], max);
            percents[s.from] = std::max(percents[s.from], pct);
            return;
        }
        const int64_t sumPct = Sum(percents, s);
        std::array<bool, MaxTableColumns + 1> without{};
        int32_t z = 0;
        for (int32_t k = s.from; k < s.to; ++k) {
            without[k] = percents[k] == 0;
            z += without[k];
        }
        if (pct <= 0 && sumPct <= 0) {
            GrowTo(r.Min, s, min, false);
            GrowTo(r.Max, s, max, false);
            return;
        }
        if (z == 0 && sumPct < pct) {
            for (int32_t k = s.from; k < s.to; ++k) percents[k] = Scale(percents[k], pct, sumPct);
        } else if (z > 0) {
            const int64_t share = std::max<int64_t>(0, (pct - sumPct) / z);
            if (share > 0) {
                for (int32_t k = s.from; k < s.to; ++k)
                    if (without[k]) percents[k] = static_cast<int32_t>(share);
            }
        }
        const int64_t q = std::max<int64_t>(sumPct, pct);
        if (const int64_t have = Sum(r.Min, s); min > have) {
            if (z == 0) {
                for (int32_t k = s.from; k < s.to; ++k) r.Min[k] = std::max(r.Min[k], Scale(min, percents[k], q));
            } else {
                int64_t weights = 0;
                for (int32_t k = s.from; k < s.to; ++k)
                    if (without[k]) weights += r.Max[k];
                const int64_t deficit = min - have;
                for (int32_t k = s.from; k < s.to; ++k) {
                    if (!without[k]) continue;
                    r.Min[k] += weights > 0 ? Scale(deficit, r.Max[k], weights) : static_cast<int32_t>(deficit / z);
                }
            }
        }
        if (const int64_t have = Sum(r.Max, s); max > have) {
            if (z == 0) {
                for (int32_t k = s.from; k < s.to; ++k) r.Max[k] = std::max(r.Max[k], Scale(max, percents[k], q));
            } else {
                const int32_t share = static_cast<int32_t>((max - have) / z);
                for (int32_t k = s.from; k < s.to; ++k)
                    if (without[k]) r.Max[k] += share;
            }
        }
    });
    Totals(r, n);
    return r;
}

void DistributeWidths(const ColumnRanges& r, int32_t numCols, int32_t w, bool force, ColumnArray& widths) {
    const int32_t n = Columns(numCols);
    const int64_t m = r.TotalMin, big = r.TotalMax;
    for (int32_t i = 0; i < n; ++i) {
        if (m >= w) {
            widths[i] = r.Min[i];
        } else if (w < big || force) {
            if (big > m) widths[i] = r.Min[i] + Scale(int64_t(r.Max[i]) - r.Min[i], w - m, big - m);
            else if (m > 0) widths[i] = r.Min[i] + Scale(r.Min[i], w - m, m);
            else widths[i] = static_cast<int32_t>((w - m) / n);  // nothing to weigh by
        } else {
            widths[i] = r.Max[i];
        }
    }
}

void FitPercentWidths(const ColumnRanges& r, const ColumnArray& percents, int32_t numCols, int32_t w,
                      ColumnArray& widths) {
    const int32_t n = Columns(numCols);
    if (n == 0) return;
    std::array<bool, MaxTableColumns + 1> fixed{};
    int32_t lacking = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (percents[i] > 0) {
            const int32_t share = Scale(w, percents[i], 1000);
            fixed[i] = r.Min[i] > share;
            widths[i] = std::max(r.Min[i], share);
        } else {
            widths[i] = r.Min[i];
            ++lacking;
        }
    }
    auto unfixedPercent = [&] {
        int64_t p = 0;
        for (int32_t i = 0; i < n; ++i)
            if (percents[i] > 0 && !fixed[i]) p += percents[i];
        return p;
    };
    const int64_t diff = w - Sum(widths, {0, n});
    if (diff > 0 && lacking == 0) {
        // With every percentage column fixed the rounding below takes it all.
        if (const int64_t p = unfixedPercent(); p > 0) {
            for (int32_t i = 0; i < n; ++i)
                if (percents[i] > 0 && !fixed[i]) widths[i] += Scale(diff, percents[i], p);
        }
    } else if (diff > 0) {
        int64_t room = 0;
        for (int32_t i = 0; i < n; ++i)
            if (percents[i] == 0) room += std::max(0, r.Max[i] - r.Min[i]);
        for (int32_t i = 0; i < n; ++i) {
            if (percents[i] != 0) continue;
            if (room == 0 || room < diff / 2) widths[i] += static_cast<int32_t>(diff / lacking);
            else widths[i] += Scale(diff, std::max(0, r.Max[i] - r.Min[i]), room);
        }
    } else if (diff < 0) {
        int64_t excess = -diff;
        for (int32_t round = 0; round < 4; ++round) {
            const int64_t p = unfixedPercent();
            if (p == 0) break;
            bool changed = false;
            for (int32_t i = 0; i < n; ++i) {
                if (percents[i] == 0 || fixed[i]) continue;
                if (widths[i] - Scale(excess, percents[i], p) < r.Min[i]) {
                    excess -= widths[i] - r.Min[i];
                    widths[i] = r.Min[i];
                    fixed[i] = true;
                    changed = true;
                }
            }
            if (!changed) break;
        }
        if (const int64_t p = unfixedPercent(); p > 0 && excess > 0) {
            for (int32_t i = 0; i < n; ++i)
                if (percents[i] > 0 && !fixed[i]) widths[i] -= Scale(excess, percents[i], p);
        }
    }
    const int64_t rest = w - Sum(widths, {0, n});
    if (rest > 0) {
        widths[0] += static_cast<int32_t>(rest);
    } else if (rest < 0) {
        for (int32_t i = 0; i < n; ++i) {
            if (percents[i] > 0 && fixed[i]) continue;
            widths[i] = static_cast<int32_t>(std::max<int64_t>(0, widths[i] + rest));
            break;
        }
    }
}

namespace {

// A table without WIDTH whose percentages sum to at most 100 %: true when
// the widths are settled here; otherwise the ranges were narrowed for the
// final interpolation.
bool PercentsWithoutWidth(ColumnRanges& r, int32_t n, int32_t w, ColumnArray& percents, ColumnArray& widths) {
    int64_t p = 0, rest = 0, need = 0;
    for (int32_t i = 0; i < n; ++i) {
        p += percents[i];
        if (percents[i] > 0) need = std::max(need, int64_t(r.Max[i]) * 1000 / percents[i]);
        else rest += r.Max[i];
    }
    const int64_t d = p > 999 ? (rest < 1 ? 0 : 30000) : rest * 1000 / (1000 - p);
    const int64_t e = std::max(need, d);
    if (w >= e) {
        const int64_t others = e * (1000 - p) / 1000;
        for (int32_t i = 0; i < n; ++i) {
            if (percents[i] > 0) widths[i] = Scale(e, percents[i], 1000);
            else widths[i] = rest < 1 ? 0 : Scale(r.Max[i], others, rest);
        }
        return true;
    }
    // Each round drops or scales down percentages; the cap only guards
    // against rounding that would keep it going.
    for (int32_t round = 0; round < 64; ++round) {
        for (int32_t i = 0; i < n; ++i)
            if (percents[i] > 0 && Scale(w, percents[i], 1000) - 1 < r.Min[i]) percents[i] = 0;
        int64_t shares = 0, others = 0;
        for (int32_t i = 0; i < n; ++i) {
            if (percents[i] > 0) shares += Scale(w, percents[i], 1000);
            else others += r.Min[i];
        }
        if (shares == 0) break;
        if (shares + others > w) {
            for (int32_t i = 0; i < n; ++i)
                if (percents[i] > 0) percents[i] = Scale(percents[i], w - others, shares);
            continue;
        }
        for (int32_t i = 0; i < n; ++i)
            if (percents[i] > 0) r.Min[i] = r.Max[i] = Scale(w, percents[i], 1000);
        break;
    }
    Totals(r, n);
    return false;
}

}  // namespace

void ChooseColumnWidths(const ColumnSet& set, int32_t w, bool hasWidth, bool hasFixedCells, ColumnArray& percents,
                        ColumnArray& widths) {
    const int32_t n = Columns(set.NumCols);
    if (hasFixedCells && !hasWidth) {
        DistributeWidths(ColumnWidthRanges(set), n, w, false, widths);
        return;
    }
    ColumnRanges r = PercentWidthRanges(set, w, percents);
    if (r.TotalMin >= w) {
        widths = r.Min;
        return;
    }
    if (hasWidth) {
        FitPercentWidths(r, percents, n, w, widths);
        return;
    }
    int64_t p = 0;
    for (int32_t i = 0; i < n; ++i) p += percents[i];
    if (p > 0 && p <= 1000 && PercentsWithoutWidth(r, n, w, percents, widths)) return;
    for (int32_t i = 0; i < n; ++i) {
        if (w < r.TotalMax && r.TotalMax != r.TotalMin) {
            widths[i] = r.Min[i] + Scale(int64_t(r.Max[i]) - r.Min[i], int64_t(w) - r.TotalMin,
                                         int64_t(r.TotalMax) - r.TotalMin);
        } else {
            widths[i] = r.Max[i];
        }
    }
}

}  // namespace htmlengine
