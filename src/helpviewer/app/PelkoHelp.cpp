#include <cstdio>
#include <exception>

#include "frame/InstanceManager.h"
#include "frame/ui/InstanceManagerQt.h"
#include "helpviewer/ui/HelpMain.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/ui/PelkoApplication.h"
#include "platform/ui/QtDialogs.h"
#include "platform/ui/SessionEnd.h"
#include "platform/ui/ShellQt.h"

int main(int argc, char** argv) {
    platform::PelkoApplication app(argc, argv, "Pelko32 Hilfe");
    try {
        if (InstanceManagerInit(kHelpViewerInstanceMutexName, argc, argv) == InstanceStart::End) return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    platform::QtDialogs dialogs(platform::Program::HelpViewer);
    platform::SetDialogs(&dialogs);
    // From here on a session end ends the program, also inside a box.
    platform::CloseOnSessionEnd(nullptr);
    platform::QtShell shell;
    platform::ScopedShell installedShell(shell);

    int status = 0;
    {
        platform::TRegistry registry;
        helpviewer::THelpMainForm window(registry, argc > 1 ? argv[1] : "");
        window.OnOpenExternally = [](const std::string& url) { platform::TheShell().OpenAddress(url); };
        dialogs.SetMainWindow(&window);
        platform::CloseOnSessionEnd(&window);
        window.show();
        status = platform::RunUntilSessionEnd();
        platform::CloseOnSessionEnd(nullptr);
    }
    InstanceManagerDone();
    platform::SetDialogs(nullptr);
    return status;
}
