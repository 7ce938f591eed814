#include "frame/OptionsDialogHooks.h"

OptionsDialogHooks& TheOptionsDialogHooks() {
    static OptionsDialogHooks hooks;
    return hooks;
}
