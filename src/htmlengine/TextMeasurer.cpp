#include "htmlengine/TextMeasurer.h"

namespace htmlengine {

int32_t TextMeasurer::FitCount(const FontSpec& font, std::string_view run, int32_t overhang, int32_t room,
                               int32_t& width) {
    const int32_t size = static_cast<int32_t>(run.size());
    auto widthOf = [&](int32_t k) { return Extent(font, run, k) - (k ? overhang : 0); };
    auto fits = [&](int32_t k) { return widthOf(k) <= room; };
    // The count doubles while it fits, then the last step is halved down to
    // the largest count that fits.
    int32_t lo = 0, hi = size + 1;
    for (int32_t step = 1; lo < size; step *= 2) {
        const int32_t k = size - lo > step ? lo + step : size;
        if (!fits(k)) {
            hi = k;
            break;
        }
        lo = k;
    }
    while (hi - lo > 1) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (fits(mid)) lo = mid;
        else hi = mid;
    }
    width = lo ? widthOf(lo) : 0;
    return lo;
}

}  // namespace htmlengine
