// Any bytes as a hand-over: the message reader and the command-line splitter
// must stay in bounds and keep every token inside the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frame/CommandLine.h"
#include "frame/InstanceManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    HandOverReader reader(4096);
    size_t half = size / 2;
    reader.Feed(bytes, half);
    reader.Feed(bytes + half, size - half);

    std::string text(bytes, size);
    size_t total = 0;
    for (const std::string& token : SplitHandedOverCommandLine(text)) {
        total += token.size();
        if (token.empty() || text.find(token) == std::string::npos) {
            __builtin_trap();
        }
    }
    if (total > size) {
        __builtin_trap();
    }
    HandedOverFilesToOpen(text, "/nonexistent/Pelko32", [](const std::string&) { return true; });
    return 0;
}
