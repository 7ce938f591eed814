// DOS text from any bytes, with the options both ways.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "documents/VOKConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static auto entries = std::make_unique<VokabelArrayTyp>();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool flag = size > 0 && (data[0] & 1);
    for (int startRow : {1, 500}) {
        *entries = VokabelArrayTyp{};
        std::string description;
        MemorySource source(bytes);
        ReadDosVocabularyBytes(source, "fuzz.vok", description, *entries, startRow, {false, flag, !flag});
        MemorySource again(bytes);
        ReadDosVocabularyBytes(again, "fuzz.vok", description, *entries, startRow, {false, true, true});
        for (const VokabelTyp& e : *entries) {
            for (int k = 1; k <= 7; ++k) {
                if (e.Field(k).len > 50) {
                    __builtin_trap();
                }
            }
        }
        // Every line pair the reader splits also writes back without fault.
        std::string w, m;
        EntryToDosLines((*entries)[1], w, m, {false, true, true});
    }
    return 0;
}
