// Two strings and a byte of option bits through the answer comparison.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "training/WTLogikUnit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const uint8_t bits = data[0];
    const int32_t threshold = int32_t(data[1]) - 20;
    const std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t cut = rest.find('\n');
    const std::string correct = rest.substr(0, cut).substr(0, 50);
    const std::string typed = cut == std::string::npos ? "" : rest.substr(cut + 1).substr(0, 255);

    CompareOptions o;
    o.ignoreCase = bits & 1;
    o.fuzzy = bits & 2;
    o.ignoreBracketGroups = bits & 4;
    o.ignoreWordParts = bits & 8;
    o.threshold = threshold;
    o.wordParts[0].Set("to");
    o.wordParts[1].Set(correct.substr(0, 3));
    o.wordParts[2].Set(" ");

    const std::vector<std::string> fields = {correct, "", correct.substr(0, 5)};
    (void)JudgeAnswer(typed, fields, bits & 16, bits & 32, o);
    (void)RemoveBracketGroups(typed);
    return 0;
}
