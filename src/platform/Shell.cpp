#include "platform/Shell.h"

namespace platform {
namespace {

class InertShell : public Shell {
public:
    bool StartProgram(const std::string&, const std::vector<std::string>&) override { return false; }
    bool OpenAddress(const std::string&) override { return false; }
};

Shell*& Installed() {
    static Shell* shell = nullptr;
    return shell;
}

}  // namespace

Shell& TheShell() {
    static InertShell inert;
    return Installed() != nullptr ? *Installed() : inert;
}

void SetShell(Shell* shell) { Installed() = shell; }

bool RecordingShell::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    starts.push_back({program, arguments});
    return result;
}

bool RecordingShell::OpenAddress(const std::string& address) {
    addresses.push_back(address);
    return result;
}

ScopedShell::ScopedShell(Shell& shell) : previous_(Installed()) { SetShell(&shell); }

ScopedShell::~ScopedShell() { SetShell(previous_); }

}  // namespace platform
