#pragma once
// Windows that the frame closes or opens but does not own register here how
// that is done: the entry editor, the new-file wizard and the general
// options dialog. Whatever is not registered counts as not shown.

#include <functional>

#include "platform/Dialogs.h"

struct FrameHooks {
    std::function<bool()> entryEditorVisible;
    // The editor's OK handler with the frame as sender: stores and closes.
    std::function<void()> entryEditorOk;
    std::function<bool()> wizardVisible;
    std::function<void()> hideWizard;
    // The general options dialog, modal, on one of its pages.
    std::function<platform::ModalResult(int page)> showOptionsPage;
};

FrameHooks& TheFrameHooks();
