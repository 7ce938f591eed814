#include "platform/ProgramFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/TempDir.h"

TEST(ProgramFolderTest, IsTheExecutablesFolderWithSlash) {
    std::string folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "test_platform"));
}

TEST(ProgramFolderTest, ResolvesEachComponentIgnoringCase) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("Hilfe/Bilder"));
    TempDir::Write(dir.Path("Hilfe/Bilder/Logo.GIF"), "x");
    TempDir::Write(dir.Path("Hilfe/index.html"), "x");
    const std::string base = dir.Path();
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {base + "/hilfe/INDEX.html", base + "/Hilfe/index.html"},
        {base + "\\HILFE\\bilder\\logo.gif", base + "/Hilfe/Bilder/Logo.GIF"},
        {base + "/Hilfe\\Bilder/", base + "/Hilfe/Bilder/"},
        {base + "//hilfe//index.html", base + "/Hilfe/index.html"},
        {base + "/hilfe/fehlt.html", base + "/hilfe/fehlt.html"},
        {base + "\\fehlt\\index.html", base + "/fehlt/index.html"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::ResolvePathCaseInsensitive(c.in), c.out) << c.in;

    // Relative paths start at the working folder.
    std::string cwd = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(base.c_str()), 0);
    EXPECT_EQ(platform::ResolvePathCaseInsensitive("HILFE\\Index.html"), "Hilfe/index.html");
    ASSERT_EQ(::chdir(cwd.c_str()), 0);

    platform::SetProgramFolder(base);
    EXPECT_EQ(platform::ProgramFolder(), base + "/");
    EXPECT_EQ(platform::ProgramFile("hilfe\\index.HTML"), base + "/Hilfe/index.html");
    platform::SetProgramFolder("");
}
