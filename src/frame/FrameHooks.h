#pragma once
// The general options dialog registers here how the frame opens it; until
// then nothing opens.

#include <functional>

#include "platform/Dialogs.h"

struct FrameHooks {
    // The general options dialog, modal, on one of its pages.
    std::function<platform::ModalResult(int page)> showOptionsPage;
};

FrameHooks& TheFrameHooks();
