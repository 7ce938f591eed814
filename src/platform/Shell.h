#pragma once
// Starting other programs and handing addresses to the desktop. Logic goes
// through this seam; the program installs the Qt shell at start. Until one is
// installed nothing is started, so tests never launch a real program.

#include <string>
#include <vector>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Starts the program with these arguments, each one argument as it
    // stands (no shell parses them); does not wait. False when it could not
    // be started.
    virtual bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // A web or mail address in the desktop's default application.
    virtual bool OpenAddress(const std::string& address) = 0;
};

Shell& TheShell();
// Nothing: the shell that starts nothing again.
void SetShell(Shell* shell);

// Records every request and starts nothing (tests).
class RecordingShell : public Shell {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<Start> starts;
    std::vector<std::string> addresses;
    bool result = true;

    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    bool OpenAddress(const std::string& address) override;
};

// Installs a shell for the life of a scope.
class ScopedShell {
public:
    explicit ScopedShell(Shell& shell);
    ~ScopedShell();
    ScopedShell(const ScopedShell&) = delete;
    ScopedShell& operator=(const ScopedShell&) = delete;

private:
    Shell* previous_;
};

}  // namespace platform
