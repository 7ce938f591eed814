// Native vocabulary files from any bytes: a message or success, never a
// crash, and every field read stays within its size.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "documents/LoadSave.h"
#include "platform/Dialogs.h"

namespace {

// Every read-password prompt gets the same answer.
class FixedPassword : public platform::ScriptedDialogs {
public:
    std::string AskPassword(const std::string&) override { return "Geheim"; }
};

void CheckFields(const VocabularyFileData& d) {
    for (const VokabelTyp& e : d.Entries) {
        for (int k = 1; k <= 7; ++k) {
            if (e.Field(k).len > 50) {
                __builtin_trap();
            }
        }
    }
    if (d.ColumnNames.FS1.len > 50 || d.Fonts.Print.Name.len > 32 || d.WritePassword.size() > 15) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static FixedPassword dialogs;
    static platform::ScopedDialogs scope(dialogs);
    static auto doc = std::make_unique<VocabularyFileData>();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int startRow : {1, 499, 501}) {
        *doc = VocabularyFileData{};
        MemorySource source(bytes);
        ReadVocabularyBytes(source, "fuzz.plk", *doc, startRow);
        CheckFields(*doc);
    }
    return 0;
}
