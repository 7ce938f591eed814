#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/Shell.h"
#include "platform/TempDir.h"
#include "platform/ui/ShellQt.h"

namespace {

bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        if (std::filesystem::exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

TEST(ShellTest, WithoutAnInstalledShellNothingIsStarted) {
    EXPECT_FALSE(platform::TheShell().StartProgram("/bin/true", {}));
    EXPECT_FALSE(platform::TheShell().OpenAddress("https://pelko32.example.org/"));
    platform::RecordingShell recording;
    {
        platform::ScopedShell scoped(recording);
        platform::TheShell().StartProgram("/opt/p", {"a b"});
    }
    ASSERT_EQ(recording.starts.size(), 1u);
    EXPECT_EQ(recording.starts[0].arguments, std::vector<std::string>{"a b"});
    EXPECT_FALSE(platform::TheShell().StartProgram("/bin/true", {}));
}

// Blanks, quotes and a semicolon reach the program as one argument: no
// command interpreter splits it or runs its second half.
TEST(ShellTest, QtShellPassesEachArgumentAsItStands) {
    TempDir dir;
    const std::string name = dir.Path("a b;echo \"q\" $HOME");
    platform::QtShell shell;
    ASSERT_TRUE(shell.StartProgram("/usr/bin/touch", {name}));
    EXPECT_TRUE(WaitForFile(name));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a")));
}

TEST(ShellTest, QtShellOpensOnlyAddressesWithAScheme) {
    platform::QtShell shell;
    EXPECT_FALSE(shell.OpenAddress("/etc/passwd"));
    EXPECT_FALSE(shell.OpenAddress("file:///etc/passwd"));
    EXPECT_FALSE(shell.OpenAddress(""));
}

}  // namespace
