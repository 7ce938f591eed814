#include "frame/ui/MainProgram.h"

#include <QPointer>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "documents/ui/AppSettingsQt.h"
#include "frame/HelpContexts.h"
#include "frame/ui/FrameDialogs.h"
#include "frame/ui/InstanceManagerQt.h"
#include "frame/ui/Main.h"
#include "frame/ui/splashunit.h"
#include "platform/ui/PelkoApplication.h"
#include "platform/ui/SessionEnd.h"
#include "platform/ui/ShellQt.h"

int MainProgramBlock(int argc, char** argv) {
    platform::PelkoApplication app(argc, argv, "Pelko32");
    FrameDialogs dialogs;
    try {
        if (InstanceManagerInit(kPelkoInstanceMutexName, argc, argv) == InstanceStart::End) return 0;
    } catch (const std::system_error& e) {
        platform::ScopedDialogs shown(dialogs);
        dialogs.ShowException(e.what());
        return 1;
    }
    platform::ScopedDialogs installed(dialogs);
    // From here on a session end ends the program, also inside a box.
    platform::CloseOnSessionEnd(nullptr);
    platform::QtShell shell;
    platform::ScopedShell installedShell(shell);
    // Every help context of a box or a control ends in a page of the help folder.
    platform::SetHelpHandler(HelpContextToMainForm);
    if (InitDefaultSettings() == LoadSettingsResult::Abort || platform::SessionEndRequested()) {
        InstanceManagerDone();
        return 0;
    }

    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    const std::string cwd = std::filesystem::current_path(ec).string();
    int status = 0;
    QPointer<TSplashForm> splash;
    {
        // Freed when the splash timer fires.
        splash = new TSplashForm;
        splash->ShowNow();
        TMainForm form;
        dialogs.SetMainWindow(&form);
        splash->CloseWith(form.SplashTimer);
        platform::CloseOnSessionEnd(&form);
        form.show();
        form.FormShow(args, cwd);
        status = platform::RunUntilSessionEnd();
        platform::CloseOnSessionEnd(nullptr);
        dialogs.SetMainWindow(nullptr);
    }
    delete splash.data();
    platform::SetHelpHandler(nullptr);
    InstanceManagerDone();
    return status;
}
