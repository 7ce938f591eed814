// The registry file parser on arbitrary bytes. Besides not crashing, what it
// keeps must survive a write and a read unchanged and undamaged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/RegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::ParsedRegistry first = platform::ParseRegistry(bytes);
    std::string written = platform::SerializeRegistry(first.tree);
    platform::ParsedRegistry second = platform::ParseRegistry(written);
    if (second.damaged || platform::SerializeRegistry(second.tree) != written) std::abort();
    return 0;
}
