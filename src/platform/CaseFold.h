#pragma once
// Case folding for names that compare case-insensitively (registry keys and
// values, file names): ASCII letters and the Latin-1 letters of UTF-8 text,
// which covers the German umlauts.

#include <string>
#include <string_view>

namespace platform {

std::string FoldCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace platform
