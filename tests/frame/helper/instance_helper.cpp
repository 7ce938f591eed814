// A program start for the instance guard's tests:
//   instance_helper FOLDER NAME [ARGS...]
// As the first instance it prints "first", serves until one command line
// arrives, prints it as "got <hex>" and ends with 0. A start that handed
// over ends with 0 and prints nothing; one that goes on without the guard
// prints "without" and ends with 3.
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "frame/CommandLine.h"
#include "frame/ui/InstanceManagerQt.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        return 2;
    }
    std::vector<std::string> args(argv + 3, argv + argc);
    char buffer[4096];
    std::string cwd = ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
    std::string commandLine = BuildHandOverCommandLine(OwnExecutablePath(), args, cwd);

    switch (InstanceManagerInit(argv[2], argv[1], commandLine)) {
    case InstanceStart::End:
        return 0;
    case InstanceStart::WithoutGuard:
        std::printf("without\n");
        return 3;
    case InstanceStart::First:
        break;
    }
    OnCommandLineReceived = [] {
        std::string hex;
        for (unsigned char c : ReceivedCommandLine) {
            static const char digits[] = "0123456789abcdef";
            hex += digits[c >> 4];
            hex += digits[c & 15];
        }
        std::printf("got %s\n", hex.c_str());
        std::fflush(stdout);
        QCoreApplication::quit();
    };
    std::printf("first\n");
    std::fflush(stdout);
    int rc = QCoreApplication::exec();
    InstanceManagerDone();
    return rc;
}
