// Prints what the program's application object gives the window system for
// titles: the title of the boxes, and whether a display name is set, which
// the window system would add to every window's title.
#include <QGuiApplication>
#include <cstdio>

#include "platform/ui/PelkoApplication.h"
#include "platform/ui/QtDialogs.h"

int main(int argc, char** argv) {
    platform::PelkoApplication app(argc, argv, QString::fromUtf8(argc > 1 ? argv[1] : "Pelko32"));
    std::printf("title: %s\n", platform::ApplicationTitle().toStdString().c_str());
    // A display name of its own stays when the name changes; without one,
    // the display name is the name.
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    std::printf("display name of its own: %s\n", QGuiApplication::applicationDisplayName() == "probe" ? "no" : "yes");
    return 0;
}
