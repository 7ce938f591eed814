#include <QMainWindow>

#include "platform/ui/PelkoApplication.h"
#include "platform/ui/QtDialogs.h"
#include "platform/ui/SessionEnd.h"

int main(int argc, char** argv) {
    platform::PelkoApplication app(argc, argv, "Pelko32 Hilfe");
    platform::QtDialogs dialogs(platform::Program::HelpViewer);
    platform::SetDialogs(&dialogs);

    QMainWindow window;
    window.setWindowTitle(platform::ApplicationTitle());
    platform::CloseOnSessionEnd(&window);
    window.show();
    int status = platform::PelkoApplication::exec();
    platform::SetDialogs(nullptr);
    return status;
}
