#include <QDesktopServices>
#include <QUrl>
#include <cstdio>
#include <exception>

#include "frame/InstanceManager.h"
#include "frame/ui/InstanceManagerQt.h"
#include "helpviewer/ui/HelpMain.h"
#include "platform/Registry.h"
#include "platform/ui/PelkoApplication.h"
#include "platform/ui/QtDialogs.h"
#include "platform/ui/SessionEnd.h"

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

    int status = 0;
    {
        platform::TRegistry registry;
        helpviewer::THelpMainForm window(registry, argc > 1 ? argv[1] : "");
        // Stand-in until the shell layer opens web and mail addresses.
        window.OnOpenExternally = [](const std::string& url) {
            QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
        };
        platform::CloseOnSessionEnd(&window);
        window.show();
        status = platform::PelkoApplication::exec();
    }
    InstanceManagerDone();
    platform::SetDialogs(nullptr);
    return status;
}
