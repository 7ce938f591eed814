// The native vocabulary file: bytes of every written version, reading every
// version, passwords, damaged files, backups and failed saves.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "documents/FileFormatTestSupport.h"
#include "documents/LoadSave.h"
#include "platform/Dialogs.h"
#include "platform/Random.h"

using namespace fmt_test;
namespace fs = std::filesystem;

namespace {

const FileFormatOptions kNoBackup{false, true, true};

std::string ColumnNameBytes() { return Record({"Englisch", "", "Deutsch"}, 0, 0); }

std::string FontBlock(bool withCharset) {
    std::string b = FontBytes("Arial", 0x000000, 0, 10, 0, withCharset) +
                    FontBytes("Times New Roman", 0x0000FF, fsBold, 12, 238, withCharset) +
                    FontBytes("Arial", 0x800000, fsItalic, 9, 0, withCharset) +
                    FontBytes("Courier New", 0, 0, 11, 0, withCharset) +
                    FontBytes("Courier New", 0, fsUnderline, 11, 0, withCharset) +
                    FontBytes("Arial", 0x123456, 0, 8, 0, withCharset);
    b += "\x01\x01";  // HeaderFonts, Present
    if (!withCharset) {
        b += std::string(2, '\0');
    }
    return b;
}

// The sample's entries as compact records, scrambled with key when given.
std::string KeyFor(const std::string& password, std::size_t m) {
    std::string repeated;
    for (std::size_t i = 0; i < m / password.size() + 3; ++i) {
        repeated += password;
    }
    return repeated.substr(2);
}

std::string Compact(const std::vector<std::string>& fields, uint16_t reserve, const std::string& password) {
    std::string r, text;
    for (std::size_t k = 0; k < 7; ++k) {
        const std::string f = k < fields.size() ? fields[k] : "";
        r.push_back(char(f.size()));
        text += f;
    }
    if (!password.empty()) {
        const std::string key = KeyFor(password, text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = char(text[i] ^ key[i] ^ kTextMask);
        }
    }
    return r + U16(reserve) + text;
}

std::string SampleCompact(const std::string& password = "") {
    return Compact({"Haus", "", "house"}, 0, password) + Compact({"gehen", "ging", "to go", "to walk"}, 0x1234, password) +
           Compact({"K\xe4se", "", "cheese", "", "", "", "fromage"}, 0, password);
}

class LoadSaveTest : public ::testing::Test {
protected:
    std::string Save(const VocabularyFileData& d, uint16_t version, const std::string& name = "liste.plk") {
        const std::string path = dir.Path(name);
        EXPECT_EQ(SaveVocabularyFile(path, d, version, kNoBackup), "");
        return ReadFile(path);
    }
    LoadResult Load(const std::string& path, VocabularyFileData& d, int startRow = 1) {
        return LoadVocabularyFile(path, d, true, startRow, kNoBackup);
    }

    TempDir dir;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope{dialogs};
};

TEST_F(LoadSaveTest, Version11BytesAreHeaderColumnNamesAndRawRecords) {
    auto d = SampleData();
    Golden g;
    g.Add(Header({"Englisch, Lektion 1"}, 11));
    g.Add(ColumnNameBytes());
    g.Add(Record({"Haus", "", "house"}, 1, 0));
    g.Add(Record({"gehen", "ging", "to go", "to walk"}, 1, 0x1234));
    g.Add(Record({"K\xe4se", "", "cheese", "", "", "", "fromage"}, 1, 0));
    EXPECT_TRUE(Matches(Save(*d, 11), g));
}

TEST_F(LoadSaveTest, Version13BytesHaveTheOldFontBlockAndCompactRecords) {
    auto d = SampleData();
    d->ReadPassword = "Geheim";  // version 13 never scrambles and stores no password
    Golden g;
    g.Add(Header({"Englisch, Lektion 1"}, 13));
    g.Add(ColumnNameBytes());
    g.Add(FontBlock(false));
    g.Add(SampleCompact());
    EXPECT_TRUE(Matches(Save(*d, 13), g));
}

TEST_F(LoadSaveTest, Version15BytesWithoutPasswords) {
    auto d = SampleData();
    d->Description = std::string(50, 'a') + std::string(50, 'b') + std::string(50, 'c') + std::string(50, 'd') +
                     std::string(50, 'e') + "0123456789";  // 260 characters: stored as 250
    Golden g;
    g.Add(Header({std::string(50, 'a'), std::string(50, 'b'), std::string(50, 'c'), std::string(50, 'd'),
                  std::string(50, 'e')},
                 15));
    g.Add(ColumnNameBytes());
    g.Add(FontBlock(true));
    g.Any(1);  // flags: random, checked below
    g.Add(SampleCompact());
    const std::string bytes = Save(*d, 15);
    EXPECT_TRUE(Matches(bytes, g));
    EXPECT_EQ(uint8_t(bytes[1016]) & (kFlagReadCheck | kFlagWritePassword), 0);
}

TEST_F(LoadSaveTest, Version14BytesWithBothPasswordsInEitherBlockLayout) {
    auto d = SampleData();
    d->WritePassword = "Schl\xfcssel";
    d->ReadPassword = "Geheim";
    bool seen[2] = {false, false};
    for (uint64_t seed = 1; seed < 64 && !(seen[0] && seen[1]); ++seed) {
        platform::RandSeed(seed);
        fs::remove(dir.Path("liste.plk"));  // saving over it would ask for the write password
        const std::string bytes = Save(*d, 14);
        const auto flags = uint8_t(bytes.size() > 1012 ? bytes[1012] : 0);
        const bool layout = (flags & kFlagLayout) != 0;
        seen[layout] = true;
        Golden g;
        g.Add(Header({"Englisch, Lektion 1"}, 14));
        g.Add(ColumnNameBytes());
        g.Add(FontBlock(false));
        g.Any(1);
        const std::size_t block = g.bytes.size();
        g.Any(30);
        const std::string& pw = d->WritePassword;
        for (std::size_t k = 1; k <= pw.size(); ++k) {
            g.Set(block + (layout ? 31 - 2 * k : 30 - 2 * k), char(pw[k - 1] ^ (layout ? kPasswordMask1 : kPasswordMask2)));
        }
        g.Set(block + (layout ? 6 : 7), char(pw.size()));
        g.Add(U32(13330));  // check value of "Geheim"
        g.Add(SampleCompact("Geheim"));
        EXPECT_TRUE(Matches(bytes, g)) << "layout " << layout;
        EXPECT_EQ(flags & (kFlagReadCheck | kFlagWritePassword), kFlagReadCheck | kFlagWritePassword);

        dialogs.passwordAnswers = {"Geheim"};
        auto back = NewData();
        ASSERT_EQ(Load(dir.Path("liste.plk"), *back).Message, "");
        EXPECT_EQ(back->WritePassword, pw);
        EXPECT_EQ(back->ReadPassword, "Geheim");
        EXPECT_EQ(back->Entries[2], d->Entries[2]);
    }
    EXPECT_TRUE(seen[0] && seen[1]);
}

TEST_F(LoadSaveTest, CheckValuesAndScrambling) {
    EXPECT_EQ(PasswordCheckValue(""), 0u);
    EXPECT_EQ(PasswordCheckValue("a"), 194u);
    EXPECT_EQ(PasswordCheckValue("abc"), 1378u);
    EXPECT_EQ(PasswordCheckValue("\xfc"), 504u);
    // Shifts go modulo 32: character 32 is shifted by 0, not lost.
    EXPECT_EQ(PasswordCheckValue(std::string(31, '\0') + "\x01"), 1u);
    for (const std::string pw : {"x", "ab", "abc", "Geheim"}) {
        const std::string text = "Haushouse\xe4\xf6\xfc";
        EXPECT_EQ(CryptEntryText(CryptEntryText(text, pw), pw), text);
    }
    // Key "cabc" for "abc": the password from its third character on.
    EXPECT_EQ(CryptEntryText(std::string(4, kTextMask), "abc"), "cabc");
}

TEST_F(LoadSaveTest, EveryWrittenVersionReadsBack) {
    auto d = SampleData();
    d->Entries[2].InUse = 0;  // becomes in use again: it holds text
    for (uint16_t version : {1, 10, 11, 12, 13, 14, 15}) {
        Save(*d, version);
        auto back = NewData();
        back->Fonts.TableFS.Charset = 77;  // what an old font block does not carry stays
        const LoadResult r = Load(dir.Path("liste.plk"), *back);
        ASSERT_EQ(r.Message, "") << version;
        EXPECT_EQ(r.Kind, FileKind::Native);
        EXPECT_EQ(r.Version, version);
        EXPECT_EQ(back->Description, d->Description);
        for (int row = 1; row <= 3; ++row) {
            VokabelTyp expected = d->Entries[row];
            expected.InUse = 1;
            EXPECT_EQ(back->Entries[row], expected) << version << " row " << row;
            EXPECT_EQ(uint16_t(back->Entries[row].Reserve), uint16_t(expected.Reserve));
        }
        EXPECT_EQ(back->ColumnNames == d->ColumnNames, version >= 11) << version;
        EXPECT_EQ(back->Fonts.Present, version >= 12 ? 1 : 0) << version;
        if (version >= 12) {
            EXPECT_EQ(back->Fonts.TableFS.Name.Get(), "Times New Roman");
            EXPECT_EQ(back->Fonts.TableFS.Charset, version >= 15 ? 238 : 77) << version;
            EXPECT_EQ(back->Fonts.HeaderFonts, 1);
        }
    }
}

TEST_F(LoadSaveTest, GapsSurviveRawVersionsButNotCompactOnes) {
    auto d = NewData();
    d->Entries[1] = Entry({"eins", "", "one"});
    d->Entries[3] = Entry({"drei", "", "three"});
    for (uint16_t version : {11, 13, 15}) {
        Save(*d, version);
        auto back = NewData();
        ASSERT_EQ(Load(dir.Path("liste.plk"), *back).Message, "");
        const bool raw = version <= 12;
        EXPECT_EQ(back->Entries[2].FS1.Get(), raw ? "" : "drei") << version;
        EXPECT_EQ(back->Entries[3].FS1.Get(), raw ? "drei" : "") << version;
    }
}

TEST_F(LoadSaveTest, StartRowAppendsAndNothingGoesPastRow500) {
    auto d = NewData();
    for (int row = 1; row <= 5; ++row) {
        d->Entries[row] = Entry({"w" + std::to_string(row), "", "m"});
    }
    for (uint16_t version : {11, 15}) {
        Save(*d, version);
        auto back = NewData();
        ASSERT_EQ(Load(dir.Path("liste.plk"), *back, 498).Message, "");
        EXPECT_EQ(back->Entries[498].FS1.Get(), "w1");
        EXPECT_EQ(back->Entries[500].FS1.Get(), "w3");
        auto full = NewData();
        full->Entries[500] = Entry({"bleibt"});
        EXPECT_EQ(Load(dir.Path("liste.plk"), *full, 501).Message, "");
        EXPECT_EQ(full->Entries[500].FS1.Get(), "bleibt");
    }
}

// Cuts a version-15 file with both passwords at every part.
TEST_F(LoadSaveTest, TruncatedFilesGiveTheirMessages) {
    auto d = SampleData();
    d->WritePassword = "abc";
    d->ReadPassword = "Geheim";
    const std::string full = Save(*d, 15);
    const std::string q = "\"" + dir.Path("kurz.plk") + "\"";
    const std::string entries = full.substr(1051);
    struct Case {
        std::size_t size;
        std::string message;
        bool asks;
    } cases[] = {
        {0, "Konnte nur 0 Bytes aus der Datei " + q + " lesen.", false},
        {100, "Konnte nur 100 Bytes aus der Datei " + q + " lesen.", false},
        {359, "Konnte nur 359 Bytes aus der Datei " + q + " lesen.", false},
        {460, "Konnte nur 460 Bytes aus der Datei " + q + " lesen.", false},
        {770, "Konnte nur 410 Bytes der Schriftarten-Informationen aus der Datei " + q + " lesen.", false},
        {1016, "Die Datei scheint beschädigt zu sein: Unerwartetes Dateiende", false},
        {1030, "Die Datei scheint beschädigt zu sein: Unerwartetes Dateiende", false},
        {1049, "Die Datei scheint beschädigt zu sein: Unerwartetes Dateiende", false},
        {1051, "", true},
        {1054, "Fehler beim Einlesen der Vokabelgröße", true},
        {1059, "Fehler beim Einlesen der Vokabelgröße", true},
        {1062, "Fehler beim Einlesen der Vokabel", true},
        {1051 + 18, "", true},  // exactly one whole record
    };
    for (const Case& c : cases) {
        WriteFile(dir.Path("kurz.plk"), full.substr(0, c.size));
        dialogs.passwordAnswers.clear();
        if (c.asks) {
            dialogs.passwordAnswers = {"Geheim"};
        }
        auto back = NewData();
        back->Description = "vorher";
        const LoadResult r = Load(dir.Path("kurz.plk"), *back);
        EXPECT_EQ(r.Message, c.message) << c.size;
        EXPECT_FALSE(r.Warning);
        EXPECT_EQ(back->Description, c.size < 360 ? "vorher" : d->Description) << c.size;
        EXPECT_EQ(back->Fonts.Present, c.size >= 1016 ? 1 : 0) << c.size;
    }
    ASSERT_EQ(entries.substr(0, 9), std::string("\x04\x00\x05\x00\x00\x00\x00\x00\x00", 9));

    // A raw record cut short.
    const std::string v11 = Save(*SampleData(), 11);
    WriteFile(dir.Path("kurz.plk"), v11.substr(0, 720 + 360 + 100));
    auto back = NewData();
    EXPECT_EQ(Load(dir.Path("kurz.plk"), *back).Message,
              "Dateiende beim Lesen eines Arrays. Eventuell ist die Datei beschädigt.");
    EXPECT_EQ(back->Entries[1].FS1.Get(), "Haus");  // rows read before stay
}

TEST_F(LoadSaveTest, WrongMagicAndTooNewVersionChangeNothing) {
    std::string bytes = Header({"Beschreibung"}, 16) + Record({"x"}, 1, 0);
    WriteFile(dir.Path("neu.plk"), bytes);
    auto d = NewData();
    d->Description = "vorher";
    EXPECT_EQ(Load(dir.Path("neu.plk"), *d).Message,
              "Die Version der zu öffnenden Datei ist zu neu. Diese Version von Pelko32 kann diese Datei nicht "
              "öffnen. Laden Sie aus dem Internet die neuste Version herunter.");
    bytes[358] = 15;
    bytes[359] = 1;  // only the low byte counts
    bytes[5] = 'X';
    WriteFile(dir.Path("neu.plk"), bytes);
    EXPECT_EQ(Load(dir.Path("neu.plk"), *d).Message, "Dies ist keine Pelko-Vokabeldatei.");
    bytes[5] = 'o';
    bytes[357] = 0;
    WriteFile(dir.Path("neu.plk"), bytes);
    EXPECT_EQ(Load(dir.Path("neu.plk"), *d).Message, "Dies ist keine Pelko-Vokabeldatei.");
    EXPECT_EQ(d->Description, "vorher");
    EXPECT_EQ(d->Entries[1].FS1.Get(), "");
}

TEST_F(LoadSaveTest, LengthBytesFromTheFileAreClampedToTheirFields) {
    // Version 14: column names with a lying length, old font block with a
    // 255-byte name, a write-password length of 200, then compact records
    // whose lengths exceed 50.
    std::string names = Record({"Spalte"}, 0, 0);
    names[0] = char(200);
    std::string fonts;
    for (int i = 0; i < 6; ++i) {
        std::string f = FontBytes(std::string(32, 'N'), 0, 0, 10, 0, false);
        f[0] = char(255);
        fonts += f;
    }
    fonts += std::string(4, '\0');
    std::string block(30, 'k');
    block[7] = char(200);
    const std::string longText(60, 'L');
    std::string bytes = Header({}, 14) + names + fonts + char(kFlagWritePassword) + block;
    bytes += std::string("\x3c\x00\x01\x00\x00\x00\x00", 7) + U16(0) + longText + "m";
    bytes += std::string("\x03\x00\x00\x00\x00\x00\x00", 7) + U16(0) + "abc";
    WriteFile(dir.Path("lang.plk"), bytes);
    auto d = NewData();
    ASSERT_EQ(Load(dir.Path("lang.plk"), *d).Message, "");
    EXPECT_EQ(d->ColumnNames.FS1.len, 50);
    EXPECT_EQ(d->Fonts.Print.Name.len, 32);
    EXPECT_EQ(d->WritePassword.size(), 15u);
    EXPECT_EQ(d->Entries[1].FS1.Get(), std::string(50, 'L'));
    EXPECT_EQ(d->Entries[1].MS1.Get(), "m");
    EXPECT_EQ(d->Entries[2].FS1.Get(), "abc");  // the read advanced by the full length

    // A raw record with lying lengths.
    std::string raw = Record({"x"}, 0, 0);
    raw[0] = char(250);
    WriteFile(dir.Path("roh.plk"), Header({}, 10) + raw);
    ASSERT_EQ(Load(dir.Path("roh.plk"), *d).Message, "");
    EXPECT_EQ(d->Entries[1].FS1.len, 50);
    EXPECT_EQ(d->Entries[1].InUse, 1);  // text makes it in use
}

TEST_F(LoadSaveTest, ReadPasswordAcceptedOnTheThirdTryRefusedAfterThree) {
    auto d = SampleData();
    d->ReadPassword = "Geheim";
    Save(*d, 14, "geheim.plk");
    const std::string prompt = "Kennwort zum Lesen der Datei \"geheim.plk\" eingeben:";

    dialogs.passwordAnswers = {"falsch", "auch falsch", "Geheim"};
    auto back = NewData();
    ASSERT_EQ(Load(dir.Path("geheim.plk"), *back).Message, "");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(3, prompt));
    EXPECT_EQ(back->Entries[3], d->Entries[3]);

    dialogs.passwordAnswers = {"a", "b", "c"};
    back = NewData();
    EXPECT_EQ(Load(dir.Path("geheim.plk"), *back).Message,
              "Das Kennwort wurde 3 mal falsch eingegeben. Datei kann nicht geöffnet werden.");
    EXPECT_EQ(back->Entries[1].FS1.Get(), "");
    EXPECT_EQ(back->ReadPassword, "c");  // the last text typed is kept

    dialogs.passwordAnswers = {platform::kCancelMarker};
    EXPECT_EQ(Load(dir.Path("geheim.plk"), *back).Message, "Das Lese-Kennwort wurde nicht eingegeben.");
}

TEST_F(LoadSaveTest, AnEmptyPasswordMatchingACraftedZeroCheckUnscramblesNothing) {
    std::string bytes = Header({}, 15) + Record({}, 0, 0) + std::string(296, '\0') + char(kFlagReadCheck) + U32(0) +
                        Compact({"Haus"}, 0, "");
    WriteFile(dir.Path("null.plk"), bytes);
    dialogs.passwordAnswers = {""};
    auto d = NewData();
    ASSERT_EQ(Load(dir.Path("null.plk"), *d).Message, "");
    EXPECT_EQ(d->Entries[1].FS1.Get(), "Haus");
}

TEST_F(LoadSaveTest, SavingOverAWriteProtectedFileNeedsItsPassword) {
    auto d = SampleData();
    d->WritePassword = "abc";
    const std::string old = Save(*d, 15, "schutz.plk");
    d->Entries[1].FS1.Set("geändert");

    dialogs.passwordAnswers = {"x", "y", "z"};
    EXPECT_EQ(SaveVocabularyFile(dir.Path("schutz.plk"), *d, 15, kNoBackup),
              "Das Schreibschutzkennwort wurde 3 mal falsch eingegeben. Speichern nicht möglich.");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(3, "Bitte das Schreibschutzkennwort eingeben:"));
    EXPECT_EQ(ReadFile(dir.Path("schutz.plk")), old);

    dialogs.passwordAnswers = {platform::kCancelMarker};
    EXPECT_EQ(SaveVocabularyFile(dir.Path("schutz.plk"), *d, 0, kNoBackup),
              "Das Schreibschutzkennwort wurde nicht eingegeben. Datei nicht gespeichert!");
    // The DOS writer is no way around the check.
    dialogs.passwordAnswers = {"x", "y", "z"};
    EXPECT_NE(SaveVocabularyFile(dir.Path("schutz.plk"), *d, 0, kNoBackup), "");
    EXPECT_EQ(ReadFile(dir.Path("schutz.plk")), old);

    dialogs.passwordAnswers = {"x", "abc"};
    EXPECT_EQ(SaveVocabularyFile(dir.Path("schutz.plk"), *d, 15, kNoBackup), "");
    EXPECT_NE(ReadFile(dir.Path("schutz.plk")), old);
    // A new name needs no prompt (an unexpected one would throw).
    EXPECT_EQ(SaveVocabularyFile(dir.Path("anders.plk"), *d, 15, kNoBackup), "");
}

TEST_F(LoadSaveTest, ReadOnlyTargetIsRefused) {
    WriteFile(dir.Path("fest.plk"), "alt");
    chmod(dir.Path("fest.plk").c_str(), 0444);
    EXPECT_EQ(SaveVocabularyFile(dir.Path("fest.plk"), *SampleData(), 15, kNoBackup),
              "Die angegebene Datei ist schreibgeschützt. Geben Sie der Datei einen anderen Namen.");
    EXPECT_EQ(ReadFile(dir.Path("fest.plk")), "alt");
}

TEST_F(LoadSaveTest, BackupNames) {
    const std::pair<std::string, std::string> cases[] = {
        {"/daten/Vok.Daten/Englisch.plk", "/daten/Vok.Daten/Sicherungskopie von Englisch.SIC"},
        {"Englisch.plk", "Sicherungskopie von Englisch.SIC"},
        {"/d/Englisch.Lektion.1.plk", "/d/Sicherungskopie von Englisch.SIC"},
        {"/d/Englisch", "/d/Sicherungskopie von Englisch.SIC"},
        {"/d/.plk", "/d/Sicherungskopie von .SIC"},
    };
    for (const auto& [name, backup] : cases) {
        EXPECT_EQ(BackupFileName(name), backup);
    }
}

TEST_F(LoadSaveTest, BackupReplacesTheOlderOneOnlyWhenThereIsAFileToRename) {
    const FileFormatOptions withBackup{true, true, true};
    const std::string target = dir.Path("Englisch.plk");
    const std::string backup = dir.Path("Sicherungskopie von Englisch.SIC");
    WriteFile(backup, "Sicherung von Englisch.vok");
    ASSERT_EQ(SaveVocabularyFile(target, *SampleData(), 15, withBackup), "");
    EXPECT_EQ(ReadFile(backup), "Sicherung von Englisch.vok");  // nothing to rename: the old backup stays

    const std::string first = ReadFile(target);
    auto d = SampleData();
    d->Description = "zweite Fassung";
    ASSERT_EQ(SaveVocabularyFile(target, *d, 15, withBackup), "");
    EXPECT_EQ(ReadFile(backup), first);
    ASSERT_EQ(SaveVocabularyFile(target, *d, 15, kNoBackup), "");
    EXPECT_EQ(ReadFile(backup), first);
}

TEST_F(LoadSaveTest, SavingThroughALinkReplacesTheFileItLeadsToAndKeepsTheLink) {
    const FileFormatOptions withBackup{true, true, true};
    const auto d = SampleData();
    struct Case {
        std::string name;
        std::function<std::string(const std::string&)> save;
        bool backup;
    };
    const Case cases[] = {
        {"a.plk", [&](const std::string& n) { return SaveVocabularyFile(n, *d, 15, withBackup); }, true},
        {"b.plv", [&](const std::string& n) { return SaveTemplate(n, *d, withBackup); }, true},
        {"c.csv", [&](const std::string& n) { return ExportCsv(n, d->Entries, d->ColumnNames); }, false},
        {"d.vok", [&](const std::string& n) { return SaveVocabularyFile(n, *d, 0, kNoBackup); }, true},
    };
    fs::create_directory(dir.Path("ziel"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string link = dir.Path(c.name);
        const std::string file = dir.Path("ziel/" + c.name);
        WriteFile(file, "alt");
        fs::create_symlink("ziel/" + c.name, link);
        ASSERT_EQ(c.save(link), "");
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link), "ziel/" + c.name);
        auto back = NewData();
        if (c.name.ends_with(".plv")) {
            ASSERT_EQ(LoadTemplate(link + ">", *back), "");
            EXPECT_EQ(back->Description, d->Description);
        } else {
            ASSERT_EQ(Load(link, *back).Message, "");
            EXPECT_EQ(back->Entries[2].FS1.Get(), "gehen");
        }
        const std::string backup = dir.Path("ziel/Sicherungskopie von " + c.name.substr(0, 1) + ".SIC");
        EXPECT_EQ(fs::exists(backup), c.backup);
        if (c.backup) EXPECT_EQ(ReadFile(backup), "alt");
    }
    // A link to a file not yet there makes it; a chain of links ends at the file.
    fs::create_symlink("ziel/neu.plk", dir.Path("neu.plk"));
    fs::create_symlink(dir.Path("neu.plk"), dir.Path("kette.plk"));
    ASSERT_EQ(SaveVocabularyFile(dir.Path("kette.plk"), *d, 15, kNoBackup), "");
    EXPECT_TRUE(fs::is_symlink(dir.Path("kette.plk")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.Path("ziel/neu.plk"))));
    // A loop of links is refused and left alone.
    fs::create_symlink("kreis.plk", dir.Path("kreis.plk"));
    EXPECT_EQ(SaveVocabularyFile(dir.Path("kreis.plk"), *d, 15, kNoBackup),
              "Die Datei \"" + dir.Path("kreis.plk") +
                  "\" kann nicht angelegt werden: Zu viele symbolische Verknüpfungen hintereinander.");
    EXPECT_TRUE(fs::is_symlink(dir.Path("kreis.plk")));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.Path("ziel"))) left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Sicherungskopie von a.SIC", "Sicherungskopie von b.SIC",
                                              "Sicherungskopie von d.SIC", "a.plk", "b.plv", "c.csv", "d.vok",
                                              "neu.plk"}));  // no temporary file
}

TEST_F(LoadSaveTest, AFullDiskLeavesTheOldFileAsItWas) {
    const FileFormatOptions withBackup{true, true, true};
    const std::string target = dir.Path("voll.plk");
    const std::string q = "\"" + target + "\"";
    const std::string full = ". Eventuell ist die Festplatte/Diskette voll.";
    struct Case {
        uint16_t version;
        rlim_t limit;
        std::string message;
    } cases[] = {
        {15, 100, "Konnte nur 100 Bytes in die Datei " + q + " schreiben" + full},
        {15, 500, "Konnte nur 500 Bytes in die Datei " + q + " schreiben" + full},
        {15, 1000, "Konnte nur 640 Bytes der Schriftarten-Informationen in die Datei " + q + " schreiben" + full},
        {13, 1000, "Konnte nur 640 Bytes der Schriftarten-Informationen in die Datei " + q + " schreiben" + full},
        {15, 1016, "Konnte nicht in die Datei " + q + " schreiben" + full},
        {15, 1017 + 18 + 5, "Fehler beim Schreiben der Vokabel bei Vokabel Nr. 2" + full},
        {11, 720 + 360 * 2 + 10, "Fehler beim Schreiben des Vokabel-Arrays bei Vokabel Nr. 3" + full},
    };
    WriteFile(target, "die alte Datei");
    for (const Case& c : cases) {
        std::string message;
        {
            FileSizeLimit limit(c.limit);
            message = SaveVocabularyFile(target, *SampleData(), c.version, withBackup);
        }
        EXPECT_EQ(message, c.message) << c.limit;
    }
    EXPECT_EQ(ReadFile(target), "die alte Datei");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"voll.plk"});  // no backup, no temporary file
}

TEST_F(LoadSaveTest, WhatTheSystemRefusesBecomesAMessage) {
    auto d = NewData();
    LoadResult r = Load(dir.Path("fehlt.plk"), *d);
    EXPECT_EQ(r.Message, "Die Datei \"" + dir.Path("fehlt.plk") +
                             "\" kann nicht geöffnet werden: Die Datei oder der Ordner existiert nicht.");
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(Load(dir.Path(), *d).Message,
              "Die Datei \"" + dir.Path() + "\" kann nicht geöffnet werden: Der Name bezeichnet einen Ordner.");
    EXPECT_EQ(SaveVocabularyFile(dir.Path("fehlt/x.plk"), *SampleData(), 15, kNoBackup),
              "Die Datei \"" + dir.Path("fehlt/x.plk") +
                  "\" kann nicht angelegt werden: Die Datei oder der Ordner existiert nicht.");
}

TEST_F(LoadSaveTest, TheFormatFollowsTheExtension) {
    auto d = SampleData();
    // A .VOK name is always DOS text, a .PLK name never.
    ASSERT_EQ(SaveVocabularyFile(dir.Path("alt.vok"), *d, 15, kNoBackup), "");
    EXPECT_EQ(ReadFile(dir.Path("alt.vok")).substr(0, 21), "Englisch, Lektion 1\r\n");
    ASSERT_EQ(SaveVocabularyFile(dir.Path("neu.plk"), *d, 0, kNoBackup), "");
    EXPECT_EQ(ReadFile(dir.Path("neu.plk"))[358], 15);
    EXPECT_EQ(EffectiveSaveVersion("a.Vok", 14), 0);
    EXPECT_EQ(EffectiveSaveVersion("a.dat", 0), 0);
    EXPECT_EQ(EffectiveSaveVersion("a.dat", 13), 13);

    auto back = NewData();
    LoadResult r = Load(dir.Path("alt.vok"), *back);
    EXPECT_EQ(r.Kind, FileKind::DosText);
    EXPECT_EQ(DocumentFormatVersion(r), 0);
    r = Load(dir.Path("neu.plk"), *back);
    EXPECT_EQ(r.Kind, FileKind::Native);
    EXPECT_EQ(DocumentFormatVersion(r), 15);

    // Another extension: native when allowed, otherwise DOS text.
    fs::copy_file(dir.Path("neu.plk"), dir.Path("neu.dat"));
    EXPECT_EQ(LoadVocabularyFile(dir.Path("neu.dat"), *back, true, 1, kNoBackup).Kind, FileKind::Native);
    r = LoadVocabularyFile("  " + dir.Path("neu.dat") + " ", *back, false, 1, kNoBackup);
    EXPECT_EQ(r.Kind, FileKind::DosText);
}

}  // namespace
