#include "training/GermanNumbers.h"

#include <algorithm>

namespace {

using Wide = __int128;

Wide PowerOfTen(int n) {
    Wide p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

std::string Digits(Wide v) {
    if (v == 0) return "0";
    std::string s;
    for (; v > 0; v /= 10) s += char('0' + int(v % 10));
    std::reverse(s.begin(), s.end());
    return s;
}

std::string FormatWide(Wide numerator, Wide denominator, int minDecimals, int maxDecimals) {
    maxDecimals = std::clamp(maxDecimals, 0, 15);
    minDecimals = std::clamp(minDecimals, 0, maxDecimals);
    Wide num = denominator == 0 ? 0 : numerator;
    Wide den = denominator == 0 ? 1 : denominator;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const bool negative = num < 0;
    if (negative) num = -num;

    const Wide scale = PowerOfTen(maxDecimals);
    const Wide scaled = num * scale;
    Wide units = scaled / den;
    if ((scaled % den) * 2 >= den) ++units;  // a half goes away from zero

    std::string fraction = Digits(units % scale);
    if (maxDecimals > 0) fraction.insert(0, std::size_t(maxDecimals) - fraction.size(), '0');
    else fraction.clear();
    while (int(fraction.size()) > minDecimals && fraction.back() == '0') fraction.pop_back();

    std::string text = (negative && units != 0) ? "-" : "";
    text += Digits(units / scale);
    if (!fraction.empty()) text += "," + fraction;
    return text;
}

}  // namespace

std::string FormatRatioGerman(int64_t numerator, int64_t denominator, int minDecimals, int maxDecimals) {
    return FormatWide(numerator, denominator, minDecimals, maxDecimals);
}

std::string PercentUpTo2Decimals(int64_t part, int64_t whole) {
    return FormatWide(Wide(part) * 100, whole, 0, 2);
}

std::string PercentWith2Decimals(int64_t part, int64_t whole) {
    return FormatWide(Wide(part) * 100, whole, 2, 2);
}
