#pragma once
// The shell over Qt: programs start detached with their argument list, never
// through a command interpreter; addresses go to the desktop services.

#include "platform/Shell.h"

namespace platform {

class QtShell : public Shell {
public:
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    bool OpenAddress(const std::string& address) override;
};

}  // namespace platform
