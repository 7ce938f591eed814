#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "documents/AppTools.h"
#include "platform/Dialogs.h"

namespace fs = std::filesystem;

TEST(AppToolsTest, MinMax) {
    EXPECT_EQ(Min(-3, 2), -3);
    EXPECT_EQ(Max(-3, 2), 2);
    EXPECT_EQ(Min(INT32_MIN, INT32_MAX), INT32_MIN);
}

TEST(AppToolsTest, TrimCopyStripsControlBytesAndBlanksOnly) {
    EXPECT_EQ(TrimCopy(std::string("\0\t a b \r\n", 9)), "a b");
    EXPECT_EQ(TrimCopy("   "), "");
    EXPECT_EQ(TrimCopy("\xa0x\xa0"), "\xa0x\xa0");  // non-breaking blanks stay
}

TEST(AppToolsTest, RemoveDoubleBlanks) {
    EXPECT_EQ(RemoveDoubleBlanks("a   b"), "a b");
    EXPECT_EQ(RemoveDoubleBlanks("  a  b  "), " a b ");
    EXPECT_EQ(RemoveDoubleBlanks("a\t\tb"), "a\t\tb");
}

TEST(AppToolsTest, OneLineTurnsEachLineBreakIntoABlank) {
    EXPECT_EQ(OneLine("Tiere\r\nim Wald\nund\rFeld\r\n"), "Tiere im Wald und Feld ");
    EXPECT_EQ(OneLine("\n\n"), "  ");
    EXPECT_EQ(OneLine("eine Zeile"), "eine Zeile");
}

TEST(AppToolsTest, IsFileReadOnly) {
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    const fs::path dir = fs::temp_directory_path() / ("pelko-readonly-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "liste.plk";
    std::ofstream(file) << "x";

    EXPECT_FALSE(IsFileReadOnly(file.string()));
    chmod(file.c_str(), 0444);
    EXPECT_TRUE(IsFileReadOnly(file.string()));
    EXPECT_FALSE(IsFileReadOnly((dir / "fehlt.plk").string()));
    EXPECT_FALSE(IsFileReadOnly((file / "darunter").string()));
    // Attributes that cannot be read are left to the write that follows.
    EXPECT_FALSE(IsFileReadOnly((dir / std::string(5000, 'n')).string()));
    fs::create_symlink("kreis.plk", dir / "kreis.plk");
    EXPECT_FALSE(IsFileReadOnly((dir / "kreis.plk").string()));
    EXPECT_TRUE(dialogs.Texts().empty());
    fs::remove_all(dir);
}
