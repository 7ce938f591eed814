#include "frame/FrameHooks.h"

FrameHooks& TheFrameHooks() {
    static FrameHooks hooks;
    return hooks;
}
