#include "htmlengine/MulDiv.h"

#include <limits>

namespace htmlengine {

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
    if (denominator == 0) {
        return -1;
    }
    int64_t product = static_cast<int64_t>(number) * numerator;
    int64_t d = denominator;
    if (d < 0) {
        product = -product;
        d = -d;
    }
    // |product| <= 2^62, so adding half the divisor cannot overflow.
    int64_t half = d / 2;
    int64_t q = product >= 0 ? (product + half) / d : -((-product + half) / d);
    if (q > std::numeric_limits<int32_t>::max() || q < std::numeric_limits<int32_t>::min()) {
        return -1;
    }
    return static_cast<int32_t>(q);
}

}  // namespace htmlengine
