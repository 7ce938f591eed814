#pragma once
// The screen facts the engine fixes once at start: colour depth, the engine
// palette for 8-bit screens, the placeholder pictures and the drawn cursors.
// The program makes one; each test makes its own with the depth it needs.
#include "htmlengine/EngineBitmap.h"

#include <array>
#include <cstdint>
#include <vector>

namespace htmlengine {

// The platform's 20 static colours (0xFFRRGGBB): entries 0-9 and 246-255.
const std::array<uint32_t, 20>& SystemStaticColors();
// The system's default 20-colour palette, in the order above.
std::vector<uint32_t> SystemDefaultPalette();
// 256 entries: static colours, a 6 x 6 x 6 cube of the levels 55..255 without
// white at 10-224, greys at 225-245.
std::vector<uint32_t> BuildEnginePalette();

// Engine cursors; 1 and 2 are the platform's link and text cursors.
enum EngineCursor { kLinkCursor = 1, kTextCursor = 2, kPanCursor = 3, kPanUpCursor = 4, kPanDownCursor = 5 };

struct CursorShape {
    EngineBitmap picture; // 32-bit with alpha
    int hotX = 0;
    int hotY = 0;
};

class ScreenState {
public:
    // bitsPerPixel is the screen's bits times planes.
    explicit ScreenState(int bitsPerPixel = 24);

    // 4 for 4 bits or fewer, 8 for 5 to 8, else 24.
    int ColorDepth() const { return depth_; }
    // 256 entries on an 8-bit screen, else empty.
    const std::vector<uint32_t>& EnginePalette() const { return enginePalette_; }

    // Shown where a picture cannot be had; the mask marks its transparent corner.
    const EngineBitmap& ErrorPicture() const { return errorPicture_; }
    const EngineMask& ErrorMask() const { return errorMask_; }
    // Shown while a picture is still to come, and for sizing with pictures off.
    const EngineBitmap& WaitingPicture() const { return waitingPicture_; }

    // The pan cursors 3 to 5 (1 and 2 come from the platform).
    const CursorShape& PanCursor(int number) const;

private:
    int depth_;
    std::vector<uint32_t> enginePalette_;
    EngineBitmap errorPicture_;
    EngineMask errorMask_;
    EngineBitmap waitingPicture_;
    std::array<CursorShape, 3> panCursors_;
};

} // namespace htmlengine
