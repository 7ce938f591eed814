#include "htmlengine/EngineColor.h"

namespace htmlengine {

SystemColors::SystemColors() {
    colors_.fill(0);
    colors_[COLOR_WINDOW] = 0xFFFFFF;
    colors_[COLOR_WINDOWTEXT] = 0x000000;
    colors_[COLOR_HIGHLIGHT] = 0x800000;
    colors_[COLOR_HIGHLIGHTTEXT] = 0xFFFFFF;
    colors_[COLOR_BTNFACE] = 0xC0C0C0;
    colors_[COLOR_BTNSHADOW] = 0x808080;
    colors_[COLOR_BTNTEXT] = 0x000000;
    colors_[COLOR_BTNHIGHLIGHT] = 0xFFFFFF;
}

uint32_t ResolveRgb(TColor color, const SystemColors& system) {
    TColor bgr = (color & SystemColorFlag) ? system.Get(static_cast<uint8_t>(color & 0xFF))
                                           : (color & 0xFFFFFF);
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

bool IsWhiteBackground(TColor background, const SystemColors& system) {
    if ((background & SystemColorFlag) == 0) {
        return (background & 0xFFFFFF) == 0xFFFFFF;
    }
    return background == clWindow && system.Get(COLOR_WINDOW) == 0xFFFFFF;
}

}  // namespace htmlengine
