#include "helpviewer/HelpSearch.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace helpviewer {
namespace {

TEST(HelpSearch, CountsTitlesAndUmlauts) {
    struct Count { const char* contents; const char* text; int hits; };
    const Count counts[] = {{"AAAA", "AA", 2}, {"AAAA", "A", 2}, {"AAA", "AA", 1}, {"Wort wORT worte", "wort", 3},
                            {"abc", "", 0},
                            // Umlauts and the other accented letters fold both ways.
                            {"\xC4nderungen \xE4nderungen \xC4NDERUNGEN", "\xE4nderungen", 3},
                            {"\xE4nderungen", "\xC4NDERUNGEN", 1},
                            {"\xC0\xC9\xD1\xD6\xD8\xDE", "\xE0\xE9\xF1\xF6\xF8\xFE", 1},
                            // The sharp s has no capital; the division and multiplication signs are no letters.
                            {"STRASSE", "stra\xDF" "e", 0}, {"stra\xDF" "e", "STRA\xDF" "E", 1},
                            {"\xD7", "\xF7", 0}, {"\xDF", "\xFF", 0}};
    for (const Count& c : counts) EXPECT_EQ(CountHits(c.contents, c.text), c.hits) << c.contents << "/" << c.text;

    EXPECT_EQ(TextBetweenTags("<title>A</title>x<title>B</title>", "title"), "B");
    EXPECT_EQ(TextBetweenTags("<TITLE>A</TITLE>", "title"), "");
    EXPECT_EQ(TextBetweenTags("</title><title>A", "title"), "");
    EXPECT_EQ(TextBetweenTags("kein Titel", "title"), "");

    EXPECT_EQ(DecodeUmlautEntities("&Uuml;bung"), "\xDC" "bung");
    EXPECT_EQ(DecodeUmlautEntities("M&auml;&ouml;"), "M\xE4\xF6");
    EXPECT_EQ(DecodeUmlautEntities("&Euml;"), " ");
    EXPECT_EQ(DecodeUmlautEntities("wxyuml;"), "w ");  // the two before "uml;" go, "&" or not
    EXPECT_EQ(DecodeUmlautEntities("uml;a"), " a");  // at the start it still ends
    EXPECT_EQ(DecodeUmlautEntities("ouml;"), "\xF6");
    EXPECT_EQ(ShownPart("99996 Titel @/h/a.html"), "Titel ");
}

TEST(HelpSearch, WalksTheTreeAndSortsByHits) {
    char pattern[] = "/tmp/pelko-search-XXXXXX";
    const std::string dir = ::mkdtemp(pattern);
    auto write = [&](const std::string& name, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(dir + "/" + name).parent_path());
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
    };
    write("a.htm", "<title>Alpha</title> Vokabel Vokabel Vokabel");
    write("B.HTM", "<title>Gross</title> Vokabel");
    write("notiz.txt", "Vokabel");
    write("sub/c.html", "<title>Gamma &auml;</title>" + std::string(12, ' ') + [] {
        std::string s;
        for (int i = 0; i < 12; ++i) s += " VOKABELN";
        return s;
    }());
    write("sub/d.html", "<title>Beta</title> vokabel vokabel vokabel");
    write("sub/e.html", "<title>@x</title> nichts");
    std::filesystem::create_directory_symlink(dir, dir + "/sub/schleife");

    const auto results = SearchHelpFolder(dir, "vokabel");
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].Line, "99987 Gamma \xE4 @" + dir + "/sub/c.html");
    EXPECT_EQ(results[1].Line, "99996 Alpha @" + dir + "/a.htm");
    EXPECT_EQ(results[2].Line, "99996 Beta @" + dir + "/sub/d.html");
    EXPECT_EQ(results[2].Path, dir + "/sub/d.html");
    EXPECT_TRUE(SearchHelpFolder(dir, "").empty());
    EXPECT_TRUE(SearchHelpFolder(dir + "/fehlt", "x").empty());

    // A title with "@" keeps its path apart.
    const auto at = SearchHelpFolder(dir, "nichts");
    ASSERT_EQ(at.size(), 1u);
    EXPECT_EQ(at[0].Path, dir + "/sub/e.html");
    std::filesystem::remove_all(dir);
}

// The shipped pages hold their umlauts as bytes, so words with them are found.
TEST(HelpSearch, FindsUmlautWordsInTheShippedHelp) {
    const std::string help = std::string(PELKO_BIN_DIR) + "/Hilfe";
    for (const char* word : {"f\xFCr", "W\xF6rter", "\xC4nderungen", "\xE4nderungen", "gro\xDF"}) {
        EXPECT_FALSE(SearchHelpFolder(help, word).empty()) << word;
    }
}

}  // namespace
}  // namespace helpviewer
