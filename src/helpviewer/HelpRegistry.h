#pragma once
// The help viewer's two settings between runs: stay on top and the font size,
// under "Software\Pelko32\HelpViewer".

#include "platform/Registry.h"

namespace helpviewer {

inline constexpr const char* kHelpViewerKey = "\\Software\\Pelko32\\HelpViewer";

struct TViewerSettings {
    bool StayOnTop = false;
    int FontSize = 12;  // 10, 12 or 14
};

// Reads what is there: a missing key leaves the settings; a missing or
// mistyped value ends the reading where it stands.
void LoadViewerSettings(platform::TRegistry& registry, TViewerSettings& settings);
// Creates the key when needed; failures throw.
void SaveViewerSettings(platform::TRegistry& registry, const TViewerSettings& settings);

}  // namespace helpviewer
