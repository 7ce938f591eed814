// A search text of any bytes and length against entries built from the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "documents/SearchEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const uint8_t bits = data[0];
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = rest.find('\n');
    const std::string text = rest.substr(0, cut);
    const std::string fields = cut == std::string::npos ? rest : rest.substr(cut + 1);

    VokabelArrayTyp entries{};
    for (std::size_t i = 0; i * 8 < fields.size() && i < 70; ++i) {
        VokabelTyp& e = entries[1 + (i * 7) % kMaxEntries];
        e.Field(int(i % 7) + 1).Set(fields.substr(i * 8, 60));
        e.InUse = 1;
    }
    const SearchSettings settings{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
    const std::string prepared = PrepareSearchText(text, settings.IgnoreCase);
    if (prepared.empty()) return 0;
    const SearchHitArray hits = ScoreEntries(entries, prepared, settings);
    (void)BestHit(hits);
    HitList list;
    list.Start(hits, entries);
    list.ToLast();
    list.ToPrevious();
    (void)HitHeading(list.Shown());
    HitWalk walk;
    walk.Collect(hits);
    return 0;
}
