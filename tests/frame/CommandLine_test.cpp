#include "frame/CommandLine.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <stdlib.h>

namespace {

FileProbe FilesAre(std::set<std::string> files) {
    return [files = std::move(files)](const std::string& path) { return files.count(path) > 0; };
}

using Strings = std::vector<std::string>;

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pelko-cmdline-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Touch(const std::string& name) {
        std::ofstream(folder_ + "/" + name) << "x";
        return folder_ + "/" + name;
    }
    std::string folder_;
};

}  // namespace

TEST(StartArgumentsTest, SwitchesAndNamesInTheirPieces) {
    struct Case {
        Strings args;
        Strings files;
        std::string missing;
        uint8_t mode;
    };
    const std::set<std::string> existing = {"/home/u/a b.plk", "/home/u/v.plk", "/home/u/x.plk", "/d/hangman.plk"};
    const Case cases[] = {
        // Halves of a name with a blank, then a lower-case quiz switch.
        {{"a", "b.plk", "/a"}, {"/home/u/a b.plk"}, "", kStartQuiz},
        {{"/L", "/H"}, {}, "", kStartHangman},
        {{"/l"}, {}, "", kStartLearning},
        // Other letters are ignored; an absolute path is no switch.
        {{"/x", "/d/hangman.plk"}, {"/d/hangman.plk"}, "", kStartNone},
        {{"/", "/ab"}, {}, "/ /ab", kStartNone},
        // A missing name swallows the names after it.
        {{"fehlt.plk", "v.plk"}, {}, "fehlt.plk v.plk", kStartNone},
        {{"v.plk", "fehlt.plk", "/A"}, {"/home/u/v.plk"}, "fehlt.plk", kStartQuiz},
        {{"sub/../x.plk"}, {"/home/u/x.plk"}, "", kStartNone},
        {{}, {}, "", kStartNone},
    };
    for (const Case& c : cases) {
        StartArguments parsed = ParseStartArguments(c.args, "/home/u", FilesAre(existing));
        SCOPED_TRACE(c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(parsed.files, c.files);
        EXPECT_EQ(parsed.missing, c.missing);
        EXPECT_EQ(parsed.startMode, c.mode);
    }
    EXPECT_EQ(CannotFindFileText("a.plk"), "Kann Datei a.plk nicht finden.");
}

TEST(HandOverSplitTest, QuotedAndPlainTokens) {
    struct Case {
        std::string text;
        Strings tokens;
    };
    const Case cases[] = {
        {"\"/opt/p/Pelko32\" \"/d/a b.plk\" \"/d/c.plk\"", {"/opt/p/Pelko32", "/d/a b.plk", "/d/c.plk"}},
        {"  prog a.plk   b.plk \t", {"prog", "a.plk", "b.plk"}},
        {"\"prog\" \"no closing quote", {"prog", "no closing quote"}},
        // A quoted token is the argument whole: blanks kept, escapes undone;
        // a backslash before any other character is a plain one.
        {"\"  a.plk \" \"b.plk\"", {"  a.plk ", "b.plk"}},
        {R"("/d/say \"hi\".plk" "/d/a\\b\c.plk" "end\)", {R"(/d/say "hi".plk)", R"(/d/a\b\c.plk)", "end\\"}},
        {"\"x\"y z", {"x", "y", "z"}},
        {"\"\" \"", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitHandedOverCommandLine(c.text), c.tokens) << c.text;
    }
}

TEST(HandOverSplitTest, FilesAreHandledLastFirstWithoutProgramSwitchesOrMissing) {
    auto probe = FilesAre({"/d/a b.plk", "/d/c.plk", "/d/Pelko32.EXE", "/d/Vokabeln.exercise.plk"});
    EXPECT_EQ(HandedOverFilesToOpen("\"/opt/Pelko32\" \"/d/a b.plk\" \"/A\" \"/d/fehlt.plk\" \"/d/c.plk\"",
                                    "/opt/Pelko32", probe),
              (Strings{"/d/c.plk", "/d/a b.plk"}));
    // ".EXE" in any case, anywhere in the name.
    EXPECT_EQ(HandedOverFilesToOpen("\"/d/Pelko32.EXE\" \"/d/Vokabeln.exercise.plk\"", "", probe), Strings{});

    // The receiver's own program is skipped even though it is a file, and
    // so is the program path of any other copy that sent the line.
    std::string own = OwnExecutablePath();
    ASSERT_TRUE(IsExistingFile(own));
    EXPECT_EQ(HandedOverFilesToOpen("\"" + own + "\" \"" + own + "\"", own), Strings{});
    auto copies = FilesAre({"/build/bin/Pelko32", "/d/c.plk"});
    EXPECT_EQ(HandedOverFilesToOpen("\"/build/bin/Pelko32\" \"/d/c.plk\"", "/usr/bin/Pelko32", copies),
              Strings{"/d/c.plk"});
    EXPECT_EQ(HandedOverFilesToOpen("\"/build/bin/Pelko32\"", "/usr/bin/Pelko32", copies), Strings{});
    EXPECT_EQ(HandedOverFilesToOpen("  ", "/usr/bin/Pelko32", copies), Strings{});
}

TEST_F(TempFolder, SenderQuotesEveryArgumentAndMakesExistingPathsAbsolute) {
    std::string file = Touch("b c.plk");
    std::string quoted = Touch("sag \"hi\" \\ ");
    std::filesystem::create_directory(folder_ + "/sub");
    Strings args = {"b c.plk", "sub", "/a", "sag \"hi\" \\ ", "x\"y", "fehlt.plk"};
    std::string text = BuildHandOverCommandLine("/opt/Pelko32", args, folder_);
    EXPECT_EQ(text, "\"/opt/Pelko32\" \"" + file + "\" \"" + folder_ + "/sub\" \"/a\" \"" + folder_ +
                        "/sag \\\"hi\\\" \\\\ \" \"x\\\"y\" \"fehlt.plk\"");
    EXPECT_EQ(SplitHandedOverCommandLine(text),
              (Strings{"/opt/Pelko32", file, folder_ + "/sub", "/a", quoted, "x\"y", "fehlt.plk"}));
    EXPECT_EQ(HandedOverFilesToOpen(text, "/opt/Pelko32"), (Strings{quoted, file}));
}
