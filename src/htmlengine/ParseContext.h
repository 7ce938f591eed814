#pragma once
// The values the parser keeps for one parse and that sections read while they
// are built: one object per parse, never process-wide.

#include <cstdint>

namespace htmlengine {

class ThtmlForm;

struct ParseContext {
    bool NoBreak = false;        // inside a no-break run, or a NOWRAP cell
    uint8_t StyleAdditions = 0;  // style bits of the open style elements
    uint8_t ScriptState = 0;     // 0 normal, 1 subscript, 2 superscript
    int32_t ListIndentUnit = 35; // 15 while a list item outside any list is handled
    ThtmlForm* CurrentForm = nullptr;
};

// Pages nest lists, tables and blocks at most this deep; deeper opening tags
// are skipped so no page can exhaust the stack.
constexpr int32_t MaxNestingDepth = 200;

}  // namespace htmlengine
