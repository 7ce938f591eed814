#include "helpviewer/HelpRegistry.h"

namespace helpviewer {

void LoadViewerSettings(platform::TRegistry& registry, TViewerSettings& settings) {
    if (!registry.KeyExists(kHelpViewerKey)) return;
    try {
        if (!registry.OpenKey(kHelpViewerKey, false)) return;
        settings.StayOnTop = registry.ReadBool("Stay-on-top");
        const int size = registry.ReadInteger("Fontsize");
        if (size == 10 || size == 12 || size == 14) settings.FontSize = size;
    } catch (const platform::ERegistryException&) {
        // Reading ends silently.
    }
    registry.CloseKey();
}

void SaveViewerSettings(platform::TRegistry& registry, const TViewerSettings& settings) {
    if (!registry.OpenKey(kHelpViewerKey, true)) throw platform::ERegistryException("Failed to create key");
    registry.WriteBool("Stay-on-top", settings.StayOnTop);
    registry.WriteInteger("Fontsize", settings.FontSize == 14 ? 14 : settings.FontSize == 12 ? 12 : 10);
    registry.CloseKey();
}

}  // namespace helpviewer
