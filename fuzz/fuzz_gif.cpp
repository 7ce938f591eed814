// Any bytes through the GIF loader, then a run of the animation.
#include "htmlengine/PageGif.h"

#include <cstddef>
#include <cstdint>

using namespace htmlengine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScreenState deep(24), eight(8);
    bool nonAnimated = true;
    auto gif = LoadGifFromStream(std::span(data, size), size % 2 ? eight : deep, nonAnimated);
    if (!gif) {
        return 0;
    }
    // Stepping costs the frames' area each time, and the still picture the
    // whole area: keep both to small pictures.
    const bool small = int64_t(gif->Width()) * gif->Height() <= (int64_t(1) << 18);
    TGIFImage copy(*gif);
    copy.SetAnimate(true, 0);
    for (int t = 1; t <= (small ? 30 : 2); ++t) {
        copy.AnimateStep(uint32_t(t) * 50);
    }
    copy.SetCurrentFrame(0);
    if (small) {
        (void)gif->GetStaticBitmap();
    }
    (void)gif->FirstFrameMask();
    return 0;
}
