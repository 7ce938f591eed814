// Saving a file that others share, or that lies in a folder the saver may
// not write: owner, group, mode and hard links stay, a backup is a copy
// where the old file cannot be renamed, and a write in place that breaks off
// leaves the old content.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "documents/FileFormatTestSupport.h"
#include "documents/LoadSave.h"
#include "platform/Dialogs.h"

using namespace fmt_test;
namespace fs = std::filesystem;

namespace {

const FileFormatOptions kBackup{true, true, true};
const FileFormatOptions kNoBackup{false, true, true};
const std::string kOld = "alter Inhalt";

struct User {
    uid_t uid;
    gid_t gid;
    QStringList groups;  // supplementary groups
};

struct Saved {
    int exitCode = -1;
    std::string message;
};

QStringList UserArguments(const User& user) {
    QStringList args = {QString("--reuid=%1").arg(user.uid), QString("--regid=%1").arg(user.gid)};
    args << (user.groups.isEmpty() ? QStringLiteral("--clear-groups") : "--groups=" + user.groups.join(','));
    return args;
}

// Whether setpriv may take on another user here (root may, others not).
bool CanActAsAnotherUser() {
    QProcess probe;
    probe.start("setpriv", UserArguments({1001, 1001, {"1234"}}) << "--" << "true");
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

// The program's save of kind (plk, plv, csv, vok) to file, done as user.
Saved SaveAs(const User& user, const std::string& kind, const std::string& file, bool backup) {
    QStringList args = UserArguments(user);
    args << "--" << SAVE_FILE_HELPER << QString::fromStdString(kind) << QString::fromStdString(file);
    if (backup) args << "backup";
    QProcess process;
    process.start("setpriv", args);
    Saved saved;
    if (!process.waitForFinished(30000)) return saved;
    saved.exitCode = process.exitCode();
    saved.message = process.readAllStandardOutput().toStdString();
    if (saved.exitCode > 1) ADD_FAILURE() << process.readAllStandardError().toStdString();
    return saved;
}

struct Attributes {
    uid_t uid;
    gid_t gid;
    mode_t mode;
    friend bool operator==(const Attributes&, const Attributes&) = default;
};

std::ostream& operator<<(std::ostream& out, const Attributes& a) {
    return out << a.uid << ":" << a.gid << " " << std::oct << a.mode << std::dec;
}

Attributes AttributesOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return {st.st_uid, st.st_gid, st.st_mode & 07777};
}

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

// An access list as the system stores it that lets one more user read and
// write, and leaves the mode as it is: the owner, that user, the group, the
// mask and the others.
std::string AccessListFor(uid_t user, mode_t mode) {
    std::string list = U32(2);
    const std::pair<uint16_t, mode_t> entries[] = {
        {1, mode >> 6 & 7}, {2, 6}, {4, mode >> 3 & 7}, {0x10, mode >> 3 & 7}, {0x20, mode & 7}};
    for (const auto& [tag, permissions] : entries) {
        list += U16(tag) + U16(uint16_t(permissions)) + U32(tag == 2 ? user : 0xFFFFFFFFu);
    }
    return list;
}

constexpr const char* kAccessList = "system.posix_acl_access";

std::string AccessListOf(const std::string& path) {
    char list[256];
    const ssize_t size = ::getxattr(path.c_str(), kAccessList, list, sizeof list);
    return size < 0 ? std::string() : std::string(list, std::size_t(size));
}

// A folder of its own, with owner and mode, holding the file as given.
std::string MakeFolder(const TempDir& dir, const std::string& name, Attributes folder, Attributes file,
                       const std::string& fileName = "a.plk") {
    const std::string path = dir.Path(name);
    fs::create_directory(path);
    const std::string filePath = path + "/" + fileName;
    WriteFile(filePath, kOld);
    EXPECT_EQ(::chown(filePath.c_str(), file.uid, file.gid), 0);
    EXPECT_EQ(::chmod(filePath.c_str(), file.mode), 0);
    EXPECT_EQ(::chown(path.c_str(), folder.uid, folder.gid), 0);
    EXPECT_EQ(::chmod(path.c_str(), folder.mode), 0);
    return path;
}

std::string LoadedWord(const std::string& path) {
    auto d = NewData();
    const LoadResult r = LoadVocabularyFile(path, *d, true, 1, kNoBackup);
    return r.Message.empty() ? d->Entries[1].FS1.Get() : r.Message;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SharedFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ::chmod(dir.Path().c_str(), 0755); }

    TempDir dir;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope{dialogs};
};

// A teacher's file (owner 1000, group 1234, and user 1002 by its access
// list) in the group's folder.
TEST_F(SharedFilesTest, ASavedFileKeepsItsOwnerGroupModeAndAccessList) {
    if (!CanActAsAnotherUser()) GTEST_SKIP() << "setpriv cannot take on another user here";
    const Attributes groupFolder{1000, 1234, 02775};
    struct Case {
        const char* saver;
        User user;
        mode_t mode;
    } cases[] = {
        {"a member of the group", {1001, 1001, {"1234"}}, 0664},
        {"the owner, a member of the group", {1000, 1000, {"1234"}}, 0640},
        {"the owner, no member of the group", {1000, 1000, {}}, 0660},
        {"root", {0, 0, {}}, 0604},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saver);
        const Attributes teachers{1000, 1234, c.mode};
        const std::string folder = MakeFolder(dir, "f" + std::to_string(n++), groupFolder, teachers);
        const std::string file = folder + "/a.plk";
        const std::string list = AccessListFor(1002, c.mode);
        ASSERT_EQ(::setxattr(file.c_str(), kAccessList, list.data(), list.size(), 0), 0);
        const Saved saved = SaveAs(c.user, "plk", file, true);
        EXPECT_EQ(saved.exitCode, 0) << saved.message;
        EXPECT_EQ(AttributesOf(file), teachers);
        EXPECT_EQ(AccessListOf(file), list);
        EXPECT_EQ(LoadedWord(file), "Haus");
        EXPECT_EQ(ReadFile(folder + "/Sicherungskopie von a.SIC"), kOld);
        EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"Sicherungskopie von a.SIC", "a.plk"}));
    }
}

// The file is the user's, the folder is not.
TEST_F(SharedFilesTest, AWritableFileInAFolderTheUserMayNotWriteIsOverwritten) {
    if (!CanActAsAnotherUser()) GTEST_SKIP() << "setpriv cannot take on another user here";
    const User user{1001, 1001, {}};
    const Attributes rootFolder{0, 0, 0755};
    const Attributes usersFile{1001, 1001, 0644};
    const std::string q = "Sicherungskopie von a.SIC";
    struct Case {
        std::string kind;
        bool backup;
        std::string message;  // "" = saved; %s stands for the folder
    } cases[] = {
        {"plk", false, ""},
        {"plv", false, ""},
        {"csv", false, ""},
        {"plk", true, "Die Sicherungskopie \"%s/" + q + "\" kann nicht angelegt werden: Zugriff verweigert."},
        {"vok", false, "Fehler beim Anlegen der Sicherungskopie (Umbenennen nach %s/" + q + ")"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind + (c.backup ? " with backup" : ""));
        const std::string name = "a." + c.kind;
        const std::string folder = MakeFolder(dir, "r" + std::to_string(n++), rootFolder, usersFile, name);
        const std::string file = folder + "/" + name;
        const Saved saved = SaveAs(user, c.kind, file, c.backup);
        std::string expected = c.message;
        if (const auto at = expected.find("%s"); at != std::string::npos) expected.replace(at, 2, folder);
        EXPECT_EQ(saved.message, expected);
        EXPECT_EQ(saved.exitCode, expected.empty() ? 0 : 1);
        EXPECT_EQ(AttributesOf(file), usersFile);
        if (expected.empty()) {
            EXPECT_NE(ReadFile(file), kOld);
        } else {
            EXPECT_EQ(ReadFile(file), kOld);
        }
        EXPECT_EQ(FilesIn(folder), std::vector<std::string>{name});
    }
}

TEST_F(SharedFilesTest, AHardLinkedFileIsWrittenInPlaceAndItsBackupIsACopy) {
    const std::string file = dir.Path("a.plk");
    const std::string other = dir.Path("b.plk");
    WriteFile(file, kOld);
    ::chmod(file.c_str(), 0640);
    fs::create_hard_link(file, other);
    const ino_t inode = InodeOf(file);

    ASSERT_EQ(SaveVocabularyFile(file, *SampleData(), 15, kBackup), "");
    EXPECT_EQ(InodeOf(file), inode);
    EXPECT_EQ(fs::hard_link_count(file), 2u);
    EXPECT_EQ(LoadedWord(other), "Haus");
    EXPECT_EQ(AttributesOf(file).mode, 0640u);
    const std::string backup = dir.Path("Sicherungskopie von a.SIC");
    EXPECT_EQ(ReadFile(backup), kOld);
    EXPECT_EQ(fs::hard_link_count(backup), 1u);
    EXPECT_EQ(AttributesOf(backup).mode, 0640u);  // no more open than the file

    // A shorter content leaves nothing of the longer one behind.
    ASSERT_EQ(SaveVocabularyFile(file, *NewData(), 15, kBackup), "");
    EXPECT_EQ(ReadFile(other).size(), 360u + 360 + 296 + 1 + 9);
    EXPECT_EQ(LoadedWord(backup), "Haus");
    EXPECT_TRUE(dialogs.Texts().empty());
}

// A file-size limit breaks the write off, as a full disk would.
TEST_F(SharedFilesTest, AWriteInPlaceThatBreaksOffLeavesTheOldContent) {
    const std::string file = dir.Path("voll.plk");
    const std::string q = "\"" + file + "\"";
    const std::string full = " schreiben. Eventuell ist die Festplatte/Diskette voll.";
    struct Case {
        const char* what;
        std::string old;
        bool backup;
        rlim_t limit;
        std::string message;
    } cases[] = {
        // The old bytes are put back over the 500 written.
        {"broken off", std::string(5000, 'x'), false, 500, "Konnte nur 500 Bytes in die Datei " + q + full},
        {"broken off in the fonts", std::string(5000, 'x'), false, 1000,
         "Konnte nur 640 Bytes der Schriftarten-Informationen in die Datei " + q + full},
        // No room for the longer content: nothing is written at all.
        {"no room", kOld, true, 300, "Konnte nur 0 Bytes in die Datei " + q + full},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir.Path());
        fs::create_directory(dir.Path());
        WriteFile(file, c.old);
        fs::create_hard_link(file, dir.Path("b.plk"));
        std::string message;
        {
            FileSizeLimit limit(c.limit);
            message = SaveVocabularyFile(file, *SampleData(), 15, c.backup ? kBackup : kNoBackup);
        }
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(ReadFile(file), c.old);
        EXPECT_EQ(ReadFile(dir.Path("b.plk")), c.old);
        std::vector<std::string> left = {"b.plk", "voll.plk"};
        if (c.backup) {
            EXPECT_EQ(ReadFile(dir.Path("Sicherungskopie von voll.SIC")), c.old);
            left.insert(left.begin(), "Sicherungskopie von voll.SIC");
        }
        EXPECT_EQ(FilesIn(dir.Path()), left);  // no temporary file
    }
}

}  // namespace
