// The DOS line conversions: code page, splitting into fields, writing lines.
#include <gtest/gtest.h>

#include "documents/FileFormatTestSupport.h"
#include "documents/VOKConvert.h"

using namespace fmt_test;

namespace {

const FileFormatOptions kBoth{false, true, true};
const FileFormatOptions kNeither{false, false, false};

TEST(VOKConvertTest, CodePageTableBothWays) {
    const std::string dos = "\x84\x94\x81\xe1\x8e\x99\x9a\xa0\x85\x8a\x8d\x95\x97\x82\x90\x83\x88\x8c\x93\x96\xa1\xa2\xa3";
    const std::string ansi = "\xe4\xf6\xfc\xdf\xc4\xd6\xdc\xe1\xe0\xe8\xec\xf2\xf9\xe9\xc9\xe2\xea\xee\xf4\xfb\xed\xf3\xfa";
    EXPECT_EQ(DosToAnsiText(dos), ansi);
    EXPECT_EQ(AnsiToDosText(ansi), dos);
    const std::string plain = "()[]\\ Haus 123;";
    EXPECT_EQ(DosToAnsiText(plain), plain);
    EXPECT_EQ(AnsiToDosText(plain), plain);
    // Not a bijection: a Windows caron letter reads back as a DOS letter.
    EXPECT_EQ(DosToAnsiText("\x8a"), "\xe8");
}

struct SplitCase {
    std::string w, m;
    std::vector<std::string> fields;  // FS1, FS2, MS1 .. MS5
};

void ExpectSplit(const SplitCase& c, const FileFormatOptions& options) {
    VokabelTyp e{};
    DosLinesToEntry(c.w, c.m, e, options);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(e.Field(k).Get(), c.fields[k - 1]) << "[" << c.w << "] [" << c.m << "] field " << k;
    }
}

TEST(VOKConvertTest, SplittingWithTheOptionOn) {
    const std::string x50(50, 'x'), y30(30, 'y');
    const SplitCase cases[] = {
        {"to run; to go", "laufen;rennen;gehen", {"to run", "to go", "laufen", "rennen", "gehen", "", ""}},
        {"a", "laufen;;gehen", {"a", "", "laufen", "", "gehen", "", ""}},
        {"a", "laufen;rennen;", {"a", "", "laufen", "rennen;", "", "", ""}},
        {"a", "1;2;3;4;5;6;7", {"a", "", "1", "2", "3", "4", "5;6;7"}},
        {" Haus ", " house ", {" Haus ", "", "house", "", "", "", ""}},
        // No ";" near the end of a long line: the last "," up to position 50.
        {std::string(40, 'a') + "," + std::string(20, 'b'), "m", {std::string(40, 'a'), std::string(20, 'b'), "m", "", "", "", ""}},
        // Else the last separator of " .,;-/:".
        {std::string(45, 'a') + " " + std::string(20, 'b'), "m", {std::string(45, 'a'), std::string(20, 'b'), "m", "", "", "", ""}},
        // Lines over 100 characters are halved; the middle character is dropped.
        {std::string(101, 'z'), "m", {std::string(49, 'z'), std::string(50, 'z'), "m", "", "", "", ""}},
        // The ";" of "FS1; FS2" is out of reach when FS2 has 50 characters.
        {"to; " + x50, "m", {"to;", x50, "m", "", "", "", ""}},
        // A meaning of 50 characters or more is split at its last ",".
        {"a", y30 + "," + y30, {"a", "", y30, y30, "", "", "", ""}},
        {"a", x50, {"a", "", x50, "", "", "", ""}},
        {"a", std::string(61, 'q'), {"a", "", std::string(30, 'q'), std::string(30, 'q'), "", "", "", ""}},
    };
    for (const SplitCase& c : cases) {
        ExpectSplit(c, kBoth);
    }
}

TEST(VOKConvertTest, SplittingWithTheOptionOffAndUmlauts) {
    const std::string x60(60, 'x');
    ExpectSplit({"to run; to go", "laufen;rennen", {"to run; to go", "", "laufen;rennen", "", "", "", ""}}, kNeither);
    ExpectSplit({x60, x60 + " ", {std::string(50, 'x'), std::string(10, 'x'), std::string(50, 'x'), std::string(10, 'x') + " ", "", "", ""}},
                kNeither);
    ExpectSplit({"K\x84se", "cheese", {"K\xe4se", "", "cheese", "", "", "", ""}}, kBoth);
    ExpectSplit({"K\x84se", "cheese", {"K\x84se", "", "cheese", "", "", "", ""}}, kNeither);

    // Meanings the line does not reach keep their contents.
    VokabelTyp e = Entry({"", "", "", "", "", "alt4", "alt5"});
    DosLinesToEntry("a", "eins;zwei", e, kBoth);
    EXPECT_EQ(e.MS4.Get(), "alt4");
    EXPECT_EQ(e.MS5.Get(), "alt5");
}

TEST(VOKConvertTest, WritingLines) {
    const std::string a20(20, 'a'), a40(40, 'a'), b40(40, 'b');
    struct Case {
        VokabelTyp entry;
        std::string w, m;
    } cases[] = {
        {Entry({"Haus", "", "house"}), "Haus", "house"},
        {Entry({"to run", "to go", "laufen", "", "rennen", "", "gehen"}), "to run; to go", "laufen;rennen;gehen"},
        {Entry({a20, std::string(42, 'b')}), a20 + "; " + std::string(42, 'b'), ""},
        {Entry({a20, std::string(43, 'b')}), a20 + ";" + std::string(43, 'b'), ""},
        {Entry({a20, std::string(44, 'b')}), a20 + ";" + std::string(44, 'b'), ""},
        {Entry({a40, b40}), a40 + ";" + std::string(24, 'b'), ""},
        {Entry({"x", "", a40, b40, "c"}), "x", (a40 + ";" + b40).substr(0, 65)},
        {Entry({"K\xe4se", "", "\xe4"}), "K\x84se", "\x84"},
    };
    for (const Case& c : cases) {
        std::string w, m;
        EntryToDosLines(c.entry, w, m, kBoth);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(m, c.m);
    }
    std::string w, m;
    EntryToDosLines(Entry({"K\xe4se"}), w, m, kNeither);
    EXPECT_EQ(w, "K\xe4se");
}

}  // namespace
