#pragma once
// The folder a caller hands the directory chooser: one trailing separator
// goes, except from the root folder itself.

#include <string>

std::string WithoutTrailingSeparator(const std::string& folder);
