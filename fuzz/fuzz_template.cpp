// Templates from any bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "documents/LoadSave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static auto doc = std::make_unique<VocabularyFileData>();
    *doc = VocabularyFileData{};
    MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    ReadTemplateBytes(source, "fuzz.plv", *doc);
    if (doc->ColumnNames.MS5.len > 50 || doc->Fonts.TableMS.Name.len > 32 || doc->Description.size() > 250) {
        __builtin_trap();
    }
    return 0;
}
