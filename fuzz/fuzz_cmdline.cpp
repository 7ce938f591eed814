// Any bytes as a hand-over: the message reader and the command-line splitter
// must stay in bounds, and the arguments a start sends must come back whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
        if (token.empty()) {
            __builtin_trap();
        }
    }
    // Undoing escapes only ever shortens.
    if (total > size) {
        __builtin_trap();
    }
    HandedOverFilesToOpen(text, "/nonexistent/Pelko32", [](const std::string&) { return true; });

    // The same bytes as arguments, one per NUL-separated piece. None is
    // absolute and the folder does not exist, so none is made absolute.
    std::vector<std::string> args;
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || text[i] == '\0') {
            std::string arg = text.substr(start, i - start);
            if (!arg.empty() && arg[0] != '/') {
                args.push_back(arg);
            }
            start = i + 1;
        }
    }
    std::vector<std::string> sent = {"/p"};
    sent.insert(sent.end(), args.begin(), args.end());
    if (SplitHandedOverCommandLine(BuildHandOverCommandLine("/p", args, "/nonexistent-cwd")) != sent) {
        __builtin_trap();
    }
    return 0;
}
