// DOS text files: reading, writing, the backup it always makes, limits.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "documents/FileFormatTestSupport.h"
#include "documents/VOKConvert.h"
#include "platform/Dialogs.h"

using namespace fmt_test;

namespace {

const FileFormatOptions kBoth{false, true, true};

class DosTest : public ::testing::Test {
protected:
    LoadResult Read(const std::string& text, VocabularyFileData& d, int startRow = 1) {
        WriteFile(dir.Path("alt.vok"), text);
        return ReadDosVocabularyFile(dir.Path("alt.vok"), d.Description, d.Entries, startRow, kBoth);
    }
    TempDir dir;
};

TEST_F(DosTest, ReadsPairsAndSkipsEmptyOnes) {
    auto d = NewData();
    d->Entries[5] = Entry({"wird geleert"});
    const LoadResult r = Read("Franz\x94sisch\r\nla maison\r\ndas Haus\r\n.\r\nskip\r\nle chat\r\n.\r\n\r\n"
                              "\r\naller; partir\r\ngehen;weggehen\r\n",
                              *d);
    EXPECT_EQ(r.Message, "");
    EXPECT_EQ(r.Kind, FileKind::DosText);
    EXPECT_EQ(d->Description, "Franz\x94sisch");  // the description is never converted
    EXPECT_EQ(d->Entries[1].FS1.Get(), "la maison");
    EXPECT_EQ(d->Entries[2].FS2.Get(), "partir");
    EXPECT_EQ(d->Entries[2].MS2.Get(), "weggehen");
    EXPECT_EQ(d->Entries[2].InUse, 1);
    EXPECT_EQ(d->Entries[3].InUse, 0);
    EXPECT_TRUE(d->Entries[5].FS1.Empty());  // rows after the last read become blank
}

TEST_F(DosTest, SixHundredPairsFillRows1To500WithAWarning) {
    std::string text = "viele\r\n";
    for (int i = 1; i <= 600; ++i) {
        text += "w" + std::to_string(i) + "\r\nm\r\n";
    }
    auto d = NewData();
    LoadResult r = Read(text, *d);
    EXPECT_EQ(r.Message, "Es sind zu viele Vokabeln in der Datei. Die restlichen Vokabeln wurden ignoriert.");
    EXPECT_TRUE(r.Warning);
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(d->Entries[500].FS1.Get(), "w500");

    // Appending to a full document reads nothing.
    d->Entries[500] = Entry({"voll"});
    r = Read("x\r\na\r\nb\r\n", *d, 501);
    EXPECT_TRUE(r.Warning);
    EXPECT_EQ(d->Entries[500].FS1.Get(), "voll");
}

TEST_F(DosTest, WriteAndReadBack) {
    auto d = SampleData();
    d->Entries[4] = Entry({"nach", "", "after"});  // rows 3 and 4 empty below
    d->Entries[5] = d->Entries[3];
    d->Entries[3] = VokabelTyp{};
    d->Entries[4] = VokabelTyp{};
    ASSERT_EQ(WriteDosVocabularyFile(dir.Path("neu.vok"), d->Description, d->Entries, kBoth), "");
    EXPECT_EQ(ReadFile(dir.Path("neu.vok")),
              "Englisch, Lektion 1\r\nHaus\r\nhouse\r\ngehen; ging\r\nto go;to walk\r\n\r\n\r\n\r\n\r\nK\x84se\r\n"
              "cheese;fromage\r\n");
    auto back = NewData();
    ASSERT_EQ(ReadDosVocabularyFile(dir.Path("neu.vok"), back->Description, back->Entries, 1, kBoth).Message, "");
    EXPECT_EQ(back->Entries[2].FS2.Get(), "ging");
    EXPECT_EQ(back->Entries[3].FS1.Get(), "K\xe4se");  // the empty rows are gone
    EXPECT_EQ(back->Entries[3].MS2.Get(), "fromage");

    auto empty = NewData();
    ASSERT_EQ(WriteDosVocabularyFile(dir.Path("leer.vok"), "", empty->Entries, kBoth), "");
    EXPECT_EQ(ReadFile(dir.Path("leer.vok")), "\r\n");
}

TEST_F(DosTest, LineBreaksInTheDescriptionOrAFieldBecomeBlanks) {
    auto d = SampleData();
    d->Description = "Englisch\r\nLektion 1\r\n";
    d->Entries[2].MS2.Set("to\nwalk");  // as an older native file may hold it
    ASSERT_EQ(WriteDosVocabularyFile(dir.Path("neu.vok"), d->Description, d->Entries, kBoth), "");
    EXPECT_EQ(ReadFile(dir.Path("neu.vok")).substr(0, 21), "Englisch Lektion 1 \r\n");
    auto back = NewData();
    ASSERT_EQ(ReadDosVocabularyFile(dir.Path("neu.vok"), back->Description, back->Entries, 1, kBoth).Message, "");
    EXPECT_EQ(back->Description, "Englisch Lektion 1 ");
    const char* const words[] = {"Haus", "gehen", "K\xe4se"};
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(back->Entries[row].FS1.Get(), words[row - 1]) << row;
        EXPECT_EQ(back->Entries[row].InUse, 1) << row;
    }
    EXPECT_EQ(back->Entries[2].MS2.Get(), "to walk");
    EXPECT_EQ(back->Entries[4].InUse, 0);
}

TEST_F(DosTest, AlwaysMakesABackupOfAnExistingFile) {
    auto d = SampleData();
    const std::string backup = dir.Path("Sicherungskopie von alt.SIC");
    ASSERT_EQ(WriteDosVocabularyFile(dir.Path("alt.vok"), "neu", d->Entries, kBoth), "");
    EXPECT_FALSE(FileExists(backup));
    ASSERT_EQ(WriteDosVocabularyFile(dir.Path("alt.vok"), "zweite", d->Entries, kBoth), "");
    EXPECT_EQ(ReadFile(backup).substr(0, 5), "neu\r\n");
}

TEST_F(DosTest, FailuresAreMessages) {
    auto d = NewData();
    EXPECT_EQ(ReadDosVocabularyFile(dir.Path("fehlt.vok"), d->Description, d->Entries, 1, kBoth).Message,
              "Exception beim Öffnen der Pelko für DOS-Datei \"" + dir.Path("fehlt.vok") + "\".");
    EXPECT_EQ(WriteDosVocabularyFile(dir.Path("fehlt/x.vok"), "", d->Entries, kBoth),
              "Exception beim Öffnen der Pelko für DOS-Datei \"" + dir.Path("fehlt/x.vok") + "\" zum Schreibzugriff.");
    // The backup name is taken by a folder that cannot be deleted.
    WriteFile(dir.Path("b.vok"), "alt");
    mkdir(dir.Path("Sicherungskopie von b.SIC").c_str(), 0755);
    WriteFile(dir.Path("Sicherungskopie von b.SIC/x"), "");
    EXPECT_EQ(WriteDosVocabularyFile(dir.Path("b.vok"), "neu", d->Entries, kBoth),
              "Fehler beim Anlegen der Sicherungskopie (Umbenennen nach " + dir.Path("Sicherungskopie von b.SIC") + ")");
    EXPECT_EQ(ReadFile(dir.Path("b.vok")), "alt");
    // A full disk: while the description line is written, and after it.
    const std::string q = "\"" + dir.Path("voll.vok") + "\"";
    WriteFile(dir.Path("voll.vok"), "alt");
    const std::pair<rlim_t, std::string> full[] = {
        {5, "Exception beim Öffnen der Pelko für DOS-Datei " + q + " zum Schreibzugriff."},
        {20, "Fehler beim Schreiben der Vokabeln in die Pelko für DOS-Datei " + q + "."},
    };
    for (const auto& [limit, message] : full) {
        std::string written;
        {
            FileSizeLimit size(limit);
            written = WriteDosVocabularyFile(dir.Path("voll.vok"), "Beschreibung", SampleData()->Entries, kBoth);
        }
        EXPECT_EQ(written, message) << limit;
    }
    EXPECT_EQ(ReadFile(dir.Path("voll.vok")), "alt");
}

}  // namespace
