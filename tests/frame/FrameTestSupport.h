#pragma once
// The frame's widget tests run against a shown main window that neither
// reopens the last files nor opens an empty document of its own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "documents/AppSettings.h"
#include "documents/DocumentTestFiles.h"
#include "frame/ui/Main.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"
#include "platform/TempDir.h"

inline std::unique_ptr<TMainForm> ShowMainFormForTest() {
    Optionen.Settings.ReopenLastFiles = false;
    Optionen.BeimStartLeereDatei = false;
    auto form = std::make_unique<TMainForm>();
    form->resize(900, 700);
    form->show();
    return form;
}

// A shown main window whose program folder, registry file, dialogs and shell
// are the test's own.
class LiveFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("PELKO_REGISTRY", dir.Path("registry.reg").c_str(), 1);
        platform::SetProgramFolder(dir.Path() + "/");
        BeforeShow();
        form = ShowMainFormForTest();
    }
    void TearDown() override {
        form.reset();
        platform::SetProgramFolder("");
        unsetenv("PELKO_REGISTRY");
    }
    // Options a test class needs before the window is made.
    virtual void BeforeShow() {}

    DefaultOptionsForTest options;
    TempDir dir;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scopedDialogs{dialogs};
    platform::RecordingShell shell;
    platform::ScopedShell scopedShell{shell};
    std::unique_ptr<TMainForm> form;
};
