#include "platform/Registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/RegistryFile.h"
#include "platform/TempDir.h"

using platform::ERegistryException;
using platform::RegRoot;
using platform::TRegistry;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string store = dir.Path("sub/registry.reg");  // folder made on first write
    TRegistry Open(const std::string& key, RegRoot root = RegRoot::CurrentUser) {
        TRegistry reg(root, store);
        EXPECT_TRUE(reg.OpenKey(key, true));
        return reg;
    }
};

}  // namespace

TEST_F(RegistryTest, EveryKindRoundTripsThroughTheFile) {
    const std::string tricky = "C:\\Vokabeln\\\"Übung\" – äöüß € \\\\ end\\";
    const std::vector<uint8_t> bytes = {0x00, 0x01, 0x7f, 0x80, 0xff};
    {
        TRegistry reg = Open("\\Software\\Pelko32\\Settings");
        reg.WriteString("Pfad", tricky);
        reg.WriteString("Leer", "");
        reg.WriteString("Zeilen", "eins\r\nzwei");
        reg.WriteString("\"Name\" mit \\", "x");
        reg.WriteInteger("Zahl", -12);
        reg.WriteInteger("Groß", 0x7fffffff);
        reg.WriteBool("An", true);
        reg.WriteBool("Aus", false);
        reg.WriteBinaryData("Daten", bytes);
        reg.WriteBinaryData("Nichts", {});
        reg.WriteString("", "default");
    }
    TRegistry reg(RegRoot::CurrentUser, store);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Pelko32\\Settings", false));
    EXPECT_EQ(reg.ReadString("Pfad"), tricky);
    EXPECT_EQ(reg.ReadString("Leer"), "");
    EXPECT_EQ(reg.ReadString("Zeilen"), "eins\r\nzwei");
    EXPECT_EQ(reg.ReadString("\"Name\" mit \\"), "x");
    EXPECT_EQ(reg.ReadInteger("Zahl"), -12);
    EXPECT_EQ(reg.ReadInteger("Groß"), 0x7fffffff);
    EXPECT_TRUE(reg.ReadBool("An"));
    EXPECT_FALSE(reg.ReadBool("Aus"));
    EXPECT_EQ(reg.ReadBinaryData("Daten"), bytes);
    EXPECT_TRUE(reg.ReadBinaryData("Nichts").empty());
    EXPECT_EQ(reg.ReadString(""), "default");

    struct stat st {};
    ASSERT_EQ(::stat(store.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(RegistryTest, FileIsTheRegistryExportFormat) {
    {
        TRegistry reg = Open("\\Software\\Pelko32");
        reg.WriteInteger("Zahl", 12);
        reg.WriteString("Text", "a\"b\\c");
        reg.WriteBinaryData("Bin", {0x01, 0xff});
    }
    Open("\\Software\\Pelko32\\Abfragen").WriteBool("Ja", true);
    EXPECT_EQ(TempDir::Read(store),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER]\n\n"
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Pelko32]\n"
              "\"Bin\"=hex:01,ff\n"
              "\"Text\"=\"a\\\"b\\\\c\"\n"
              "\"Zahl\"=dword:0000000c\n\n"
              "[HKEY_CURRENT_USER\\Software\\Pelko32\\Abfragen]\n"
              "\"Ja\"=dword:00000001\n\n");
}

TEST_F(RegistryTest, KeysAndValueNamesIgnoreCase) {
    Open("\\Software\\Pelko32\\Übung").WriteString("Schriftart", "Arial");
    TRegistry reg(RegRoot::CurrentUser, store);
    EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\pelko32\\üBUNG"));
    ASSERT_TRUE(reg.OpenKey("\\software\\PELKO32\\ÜBUNG", false));
    EXPECT_TRUE(reg.ValueExists("SCHRIFTART"));
    EXPECT_EQ(reg.ReadString("schriftart"), "Arial");
    reg.WriteString("SchriftArt", "Courier");  // replaces, keeps one value
    EXPECT_EQ(reg.ReadString("Schriftart"), "Courier");
    EXPECT_EQ(TempDir::Read(store).find("Arial"), std::string::npos);
}

TEST_F(RegistryTest, MissingOrMistypedValueOrUnwritableStoreThrows) {
    TRegistry reg = Open("\\Software\\Pelko32");
    reg.WriteInteger("Zahl", 3);
    reg.WriteString("Text", "3");
    reg.WriteBinaryData("Bin", {3});
    EXPECT_THROW(reg.ReadString("Zahl"), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Zahl"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Text"), ERegistryException);
    EXPECT_THROW(reg.ReadBool("Text"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Bin"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Fehlt"), ERegistryException);
    EXPECT_THROW(reg.ReadString("Fehlt"), ERegistryException);
    TRegistry fresh(RegRoot::CurrentUser, dir.Path("none/registry.reg"));
    EXPECT_THROW(fresh.ReadString("Fehlt"), ERegistryException);

    TempDir::Write(dir.Path("file"), "not a folder");
    TRegistry unwritable(RegRoot::CurrentUser, dir.Path("file/registry.reg"));
    EXPECT_THROW(unwritable.WriteInteger("Zahl", 1), ERegistryException);
    EXPECT_FALSE(unwritable.OpenKey("\\Software", true));  // the caller reports it
}

TEST_F(RegistryTest, KeysOpenCreateAndDelete) {
    TRegistry reg(RegRoot::CurrentUser, store);
    EXPECT_FALSE(reg.OpenKey("\\Software\\Pelko32", false));
    EXPECT_FALSE(reg.KeyExists("\\Software\\Pelko32"));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Pelko32", true));  // an empty key
    EXPECT_EQ(reg.CurrentPath(), "Software\\Pelko32");
    EXPECT_TRUE(TRegistry(RegRoot::CurrentUser, store).KeyExists("\\Software\\Pelko32"));

    ASSERT_TRUE(reg.OpenKey("Settings\\WTStrings", true));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "Software\\Pelko32\\Settings\\WTStrings");
    reg.WriteString("String No 1", "x");
    EXPECT_TRUE(reg.DeleteValue("string no 1"));
    EXPECT_FALSE(reg.DeleteValue("string no 1"));
    EXPECT_FALSE(reg.ValueExists("String No 1"));

    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey("Software\\Pelko32\\Settings", false));  // from the root again
    reg.WriteInteger("Wert", 1);
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey("\\Software\\Pelko32x", true));
    EXPECT_TRUE(reg.DeleteKey("\\Software\\Pelko32"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\Pelko32\\Settings"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\Pelko32\\Settings\\WTStrings"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\Pelko32x"));  // a sibling, not a subkey
    EXPECT_FALSE(reg.DeleteKey("\\Software\\Pelko32"));
}

TEST_F(RegistryTest, HivesAreSeparateInOneFile) {
    Open("\\.plk", RegRoot::ClassesRoot).WriteString("", "Pelko32.Vokabeldatei");
    Open("\\Software\\Pelko32").WriteInteger("Zahl", 1);
    EXPECT_FALSE(TRegistry(RegRoot::CurrentUser, store).KeyExists("\\.plk"));
    TRegistry classes(RegRoot::ClassesRoot, store);
    ASSERT_TRUE(classes.OpenKey("\\.PLK", false));
    EXPECT_EQ(classes.ReadString(""), "Pelko32.Vokabeldatei");
    EXPECT_NE(TempDir::Read(store).find("[HKEY_CLASSES_ROOT\\.plk]\n@=\"Pelko32.Vokabeldatei\""),
              std::string::npos);
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceKeepBothKeys) {
    constexpr int kValues = 60;
    auto writeMany = [&](const std::string& key) {
        TRegistry reg(RegRoot::CurrentUser, store);
        reg.OpenKey(key, true);
        for (int i = 0; i < kValues; ++i) reg.WriteInteger("Wert " + std::to_string(i), i);
    };
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int status = 0;
        try {
            writeMany("\\Software\\Kind");
        } catch (...) {
            status = 1;
        }
        ::_exit(status);
    }
    writeMany("\\Software\\Eltern");
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    TRegistry reg(RegRoot::CurrentUser, store);
    for (const char* key : {"\\Software\\Kind", "\\Software\\Eltern"}) {
        ASSERT_TRUE(reg.OpenKey(key, false)) << key;
        for (int i = 0; i < kValues; ++i) EXPECT_EQ(reg.ReadInteger("Wert " + std::to_string(i)), i) << key;
    }
}

TEST_F(RegistryTest, DamagedFileIsKeptBesideBeforeItIsRewritten) {
    std::filesystem::create_directories(dir.Path("sub"));
    const std::string damaged =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\Pelko32]\n"
        "\"Gut\"=dword:00000007\n"
        "\"Kaputt\"=dword:zz\n"
        "\x01\x02\xff garbage\n"
        "\"Auch gut\"=\"ja\"\n"
        "\"Abgeschnitten\"=\"nicht fert";
    TempDir::Write(store, damaged);

    TRegistry reg(RegRoot::CurrentUser, store);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Pelko32", false));
    EXPECT_EQ(reg.ReadInteger("Gut"), 7);
    EXPECT_EQ(reg.ReadString("Auch gut"), "ja");
    EXPECT_FALSE(reg.ValueExists("Kaputt"));
    EXPECT_FALSE(reg.ValueExists("Abgeschnitten"));
    EXPECT_FALSE(std::filesystem::exists(store + ".bad"));  // reading changes nothing

    reg.WriteInteger("Neu", 1);
    EXPECT_EQ(TempDir::Read(store + ".bad"), damaged);
    EXPECT_EQ(reg.ReadInteger("Gut"), 7);
    EXPECT_EQ(reg.ReadInteger("Neu"), 1);

    // A later damage does not overwrite the first one's copy.
    TempDir::Write(store, "garbage");
    reg.WriteInteger("Neu", 2);
    EXPECT_EQ(TempDir::Read(store + ".bad"), damaged);
    EXPECT_EQ(TempDir::Read(store + ".bad.2"), "garbage");
}

TEST(RegistryParseTest, DamagedInputKeepsWhatCanBeRead) {
    struct Case {
        const char* name;
        std::string bytes;
        bool damaged;
        int values;  // values read into [HKEY_CURRENT_USER\A]
    };
    const std::string head = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n";
    const Case cases[] = {
        {"empty", "", false, -1},
        {"header only", "Windows Registry Editor Version 5.00\r\n", false, -1},
        {"crlf and bom", "\xEF\xBB\xBF" + head + "\"x\"=dword:1\r\n\"y\"=\"z\"\r\n", false, 2},
        {"wrapped hex", head + "\"b\"=hex:01,02,\\\n  03,04\n\"c\"=dword:2\n", false, 2},
        {"no header", "[HKEY_CURRENT_USER\\A]\n\"x\"=dword:1\n", true, 1},
        {"cut in a key line", head + "\"x\"=dword:1\n[HKEY_CURRENT_US", true, 1},
        {"cut in an escape", head + "\"x\"=\"ab\\", true, 0},
        {"dword too long", head + "\"x\"=dword:123456789\n", true, 0},
        {"odd hex", head + "\"x\"=hex:1,02\n\"y\"=hex:01,\n", true, 0},
        {"unknown kind", head + "\"x\"=hex(2):00\n\"y\"=dword:1\n", true, 1},
        {"value before any key", "Windows Registry Editor Version 5.00\n\"x\"=dword:1\n", true, -1},
        {"unknown hive skips its values", head + "[Other\\A]\n\"x\"=dword:1\n", true, 0},
        {"nul bytes", head + std::string("\"x\"=\"a\0b\"\n\0\n", 12), true, 1},
        {"dangling wrap", head + "\"b\"=hex:01,\\", true, 0},
    };
    for (const Case& c : cases) {
        platform::ParsedRegistry parsed = platform::ParseRegistry(c.bytes);
        EXPECT_EQ(parsed.damaged, c.damaged) << c.name;
        const platform::RegKey* key = parsed.tree.Find("HKEY_CURRENT_USER\\A");
        EXPECT_EQ(key == nullptr ? -1 : static_cast<int>(key->values.size()), c.values) << c.name;
    }
    auto wrapped = platform::ParseRegistry(head + "\"b\"=hex:01,02,\\\n  03,04\n");
    EXPECT_EQ(wrapped.tree.Find("hkey_current_user\\a")->values.at("b").bytes, (std::vector<uint8_t>{1, 2, 3, 4}));
}
