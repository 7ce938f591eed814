#pragma once
// The frame's widget tests run against a shown main window that neither
// reopens the last files nor opens an empty document of its own.

#include <memory>

#include "documents/AppSettings.h"
#include "frame/ui/Main.h"

inline std::unique_ptr<TMainForm> ShowMainFormForTest() {
    Optionen.Settings.ReopenLastFiles = false;
    Optionen.BeimStartLeereDatei = false;
    auto form = std::make_unique<TMainForm>();
    form->resize(900, 700);
    form->show();
    return form;
}
