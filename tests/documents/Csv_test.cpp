// Semicolon text: export, import through the loader, splitting and limits.
#include <gtest/gtest.h>

#include "documents/FileFormatTestSupport.h"
#include "documents/LoadSave.h"
#include "platform/Dialogs.h"

using namespace fmt_test;

namespace {

class CsvTest : public ::testing::Test {
protected:
    LoadResult Import(const std::string& text, VocabularyFileData& d, int startRow = 1) {
        WriteFile(dir.Path("liste.csv"), text);
        return LoadVocabularyFile(dir.Path("liste.csv"), d, false, startRow, {});
    }
    TempDir dir;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope{dialogs};
};

TEST_F(CsvTest, ExportWritesCaptionsAndEveryRowUpToTheLastUsed) {
    auto d = SampleData();
    d->Entries[2] = VokabelTyp{};
    ASSERT_EQ(ExportCsv(dir.Path("a.csv"), d->Entries, d->ColumnNames), "");
    EXPECT_EQ(ReadFile(dir.Path("a.csv")),
              "Englisch;;Deutsch;;;;\r\nHaus;;house;;;;\r\n;;;;;;\r\nK\xe4se;;cheese;;;;fromage\r\n");

    auto empty = NewData();
    ASSERT_EQ(ExportCsv(dir.Path("b.csv"), empty->Entries, empty->ColumnNames), "");
    EXPECT_EQ(ReadFile(dir.Path("b.csv")), ";;;;;;\r\n;;;;;;\r\n");

    // An export and its import give back every field, captions and empty rows.
    auto back = NewData();
    back->WritePassword = "bleibt";
    const LoadResult r = LoadVocabularyFile(dir.Path("a.csv"), *back, true, 1, {});
    EXPECT_EQ(r.Message, "");
    EXPECT_EQ(r.Kind, FileKind::SemicolonText);
    EXPECT_EQ(back->Description, "CVS Import");
    EXPECT_EQ(back->WritePassword, "bleibt");
    EXPECT_EQ(back->ColumnNames.MS1.Get(), "Deutsch");
    EXPECT_EQ(back->Entries[1], d->Entries[1]);
    EXPECT_EQ(back->Entries[2].InUse, 1);
    EXPECT_TRUE(back->Entries[2].FS1.Empty());
    EXPECT_EQ(back->Entries[3], d->Entries[3]);
    EXPECT_EQ(back->Entries[4].InUse, 0);
}

TEST_F(CsvTest, SplittingALine) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"Haus;;house", {"Haus", "", "house", "", "", "", ""}},
        {"a;b;c;d;e;f;g;h;i", {"a", "b", "c", "d", "e", "f", "g"}},
        {" a ; b", {" a ", " b", "", "", "", "", ""}},
        {std::string(60, 'x') + ";y", {std::string(50, 'x'), "y", "", "", "", "", ""}},
        {";;;;;;x", {"", "", "", "", "", "", "x"}},
        {"", {"", "", "", "", "", "", ""}},
    };
    for (const auto& [line, fields] : cases) {
        auto d = NewData();
        ASSERT_EQ(Import("Kopf\r\n" + line + "\r\n", *d).Message, "");
        for (int k = 1; k <= 7; ++k) {
            EXPECT_EQ(d->Entries[1].Field(k).Get(), fields[k - 1]) << line << " field " << k;
        }
        EXPECT_EQ(d->Entries[2].InUse, 0) << line;
    }
}

TEST_F(CsvTest, LineEndsAndACaptionOnlyFile) {
    auto d = NewData();
    ASSERT_EQ(Import("K1;K2\na;b\rc;d\r\ne;f", *d).Message, "");
    EXPECT_EQ(d->ColumnNames.FS2.Get(), "K2");
    EXPECT_EQ(d->Entries[2].FS1.Get(), "c");
    EXPECT_EQ(d->Entries[3].FS2.Get(), "f");
    EXPECT_EQ(d->Entries[4].InUse, 0);

    d = NewData();
    ASSERT_EQ(Import("nur Kopf\r\n", *d).Message, "");
    EXPECT_EQ(d->Entries[1].InUse, 1);  // one empty entry, marked in use
    EXPECT_TRUE(d->Entries[1].FS1.Empty());
}

TEST_F(CsvTest, AppendingStopsAtRow500) {
    const std::string lines = "K\r\n1;a\r\n2;b\r\n3;c\r\n4;d\r\n5;e\r\n";
    auto d = NewData();
    ASSERT_EQ(Import(lines, *d, 499).Message, "");
    EXPECT_EQ(d->Entries[499].FS1.Get(), "1");
    EXPECT_EQ(d->Entries[500].FS1.Get(), "2");

    d = NewData();
    d->Entries[500] = Entry({"voll"});
    ASSERT_EQ(Import(lines, *d, 501).Message, "");
    EXPECT_EQ(d->Entries[500].FS1.Get(), "voll");
}

TEST_F(CsvTest, MissingFileAndReadOnlyTarget) {
    auto d = NewData();
    EXPECT_EQ(LoadVocabularyFile(dir.Path("fehlt.csv"), *d, true, 1, {}).Message,
              "Die Datei \"" + dir.Path("fehlt.csv") +
                  "\" kann nicht geöffnet werden: Die Datei oder der Ordner existiert nicht.");
    WriteFile(dir.Path("fest.csv"), "x");
    chmod(dir.Path("fest.csv").c_str(), 0444);
    EXPECT_EQ(ExportCsv(dir.Path("fest.csv"), d->Entries, d->ColumnNames),
              "Die angegebene Datei ist schreibgeschützt. Geben Sie der Datei einen anderen Namen.");
}

}  // namespace
