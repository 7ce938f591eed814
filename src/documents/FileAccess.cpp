#include "documents/FileAccess.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "documents/AppTools.h"

std::size_t MemorySource::Read(void* into, std::size_t n) {
    const std::size_t count = std::min(n, bytes_.size() - pos_);
    if (count > 0) {
        std::memcpy(into, bytes_.data() + pos_, count);
    }
    pos_ += count;
    return count;
}

FileSource::~FileSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int FileSource::Open(const std::string& fileName) {
    fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        return errno;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        return errno;
    }
    if (S_ISDIR(st.st_mode)) {
        return EISDIR;
    }
    buffer_.resize(65536);
    return 0;
}

bool FileSource::Fill() {
    pos_ = end_ = 0;
    if (fd_ < 0 || failed_) {
        return false;
    }
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            failed_ = true;
            return false;
        }
        end_ = std::size_t(got);
        return got > 0;
    }
}

std::size_t FileSource::Read(void* into, std::size_t n) {
    auto* out = static_cast<char*>(into);
    std::size_t done = 0;
    while (done < n) {
        if (pos_ == end_ && !Fill()) {
            break;
        }
        const std::size_t count = std::min(n - done, end_ - pos_);
        std::memcpy(out + done, buffer_.data() + pos_, count);
        pos_ += count;
        done += count;
    }
    return done;
}

int LineReader::Peek() {
    if (ended_) {
        return -1;
    }
    if (pos_ == end_) {
        pos_ = 0;
        end_ = source_.Read(buffer_, sizeof buffer_);
        if (end_ == 0) {
            ended_ = true;
            return -1;
        }
    }
    const auto c = static_cast<unsigned char>(buffer_[pos_]);
    if (ctrlZEnds_ && c == 26) {
        ended_ = true;
        return -1;
    }
    return c;
}

bool LineReader::AtEnd() { return Peek() < 0; }

std::string LineReader::ReadLine() {
    std::string line;
    for (int c = Peek(); c >= 0; c = Peek()) {
        Skip();
        if (c == '\n') {
            break;
        }
        if (c == '\r') {
            if (Peek() == '\n') {
                Skip();
            }
            break;
        }
        if (line.size() < kMaxLineLength) {
            line.push_back(char(c));
        }
    }
    return line;
}

namespace {

std::string FolderOf(const std::string& fileName) {
    const auto slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

// At offset 0 on: pwrite leaves the file position alone, so one routine
// serves new files and writes in place.
bool WriteAll(int fd, std::string_view bytes, std::size_t& written, int& error) {
    written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + written, bytes.size() - written, off_t(written));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        written += std::size_t(n);
    }
    return true;
}

bool ReadAll(int fd, std::string& bytes, int& error) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, off_t(bytes.size()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = errno;
            return false;
        }
        if (n == 0) {
            return true;
        }
        bytes.append(buffer, std::size_t(n));
    }
}

// A new file beside the target that no one else uses. Its name keeps only
// the start of a long target name, which may need all the room a name has.
int CreateTemporary(const std::string& target, std::string& tempName, int& error) {
    static std::atomic<unsigned> counter{0};
    const std::string base = FolderOf(target) + "." + FileNameOnly(target).substr(0, 100) + ".tmp-" +
                             std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = base + std::to_string(counter++);
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = errno;
    return -1;
}

// The old file's owner, group, mode and access list for the new one; false
// when this user may not give them (another owner, or a group it is no
// member of).
bool TakeOver(int fd, const std::string& oldName, const struct stat& old) {
    struct stat mine {};
    if (::fstat(fd, &mine) != 0) {
        return false;
    }
    if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        return false;
    }
    // After the owner: a change of owner clears the set-id bits.
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        return false;
    }
    constexpr const char* kAccessList = "system.posix_acl_access";
    char list[4096];
    const ssize_t size = ::getxattr(oldName.c_str(), kAccessList, list, sizeof list);
    if (size < 0) {
        return errno == ENODATA || errno == ENOTSUP;
    }
    return ::fsetxattr(fd, kAccessList, list, std::size_t(size), 0) == 0;
}

// The bytes in a complete new file beside target, for a rename into its
// place: its name, or "" with the failure in out. A new file that prepare
// refuses before any byte is stored is removed; out then stays Done, with
// the system's reason in out.error.
std::string WriteTemporary(const std::string& target, std::string_view bytes,
                           const std::function<bool(int fd)>& prepare, WriteOutcome& out) {
    std::string tempName;
    const int fd = CreateTemporary(target, tempName, out.error);
    if (fd < 0) {
        out.stage = WriteOutcome::Stage::Create;
        return {};
    }
    if (!prepare(fd)) {
        out.error = errno;
        ::close(fd);
        ::unlink(tempName.c_str());
        return {};
    }
    const bool wrote = WriteAll(fd, bytes, out.written, out.error);
    const bool closed = ::close(fd) == 0;
    if (!wrote || !closed) {
        if (wrote) {
            out.error = errno;
        }
        ::unlink(tempName.c_str());
        out.stage = WriteOutcome::Stage::Write;
        return {};
    }
    return tempName;
}

bool MoveInto(const std::string& tempName, const std::string& name, WriteOutcome& out) {
    if (::rename(tempName.c_str(), name.c_str()) == 0) {
        return true;
    }
    out.error = errno;
    ::unlink(tempName.c_str());
    out.stage = WriteOutcome::Stage::Replace;
    return false;
}

// A file that did not exist, or a copy: written beside name, then renamed
// to it. like gives the mode.
WriteOutcome WriteNewFile(const std::string& name, std::string_view bytes, const struct stat* like) {
    WriteOutcome out;
    const std::string tempName = WriteTemporary(
        name, bytes, [like](int fd) { return like == nullptr || ::fchmod(fd, like->st_mode & 0777) == 0; }, out);
    if (!tempName.empty()) {
        MoveInto(tempName, name, out);
    } else if (out.Ok()) {
        out.stage = WriteOutcome::Stage::Create;
    }
    return out;
}

bool RoomFor(int fd, std::size_t size, int& error) {
    if (::fallocate(fd, 0, 0, off_t(size)) == 0) {
        return true;
    }
    error = errno;
    // Where the file system cannot reserve, the write finds out for itself.
    return error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

// The old content over the bytes that replaced it, and the old length.
bool PutBack(int fd, const std::string& old, std::size_t overwritten) {
    std::size_t written = 0;
    int error = 0;
    const std::string_view part(old.data(), std::min(old.size(), overwritten));
    return WriteAll(fd, part, written, error) && ::ftruncate(fd, off_t(old.size())) == 0;
}

// The old content is kept in memory while the new one is written; a file
// beyond this is no vocabulary file, and is left alone.
constexpr off_t kMostKeptBytes = off_t(64) << 20;

// The existing file overwritten, keeping its owner, group, mode and links.
WriteOutcome WriteInPlace(const std::string& target, std::string_view bytes, const struct stat& st,
                          const std::string& backupName) {
    WriteOutcome out;
    if (st.st_size > kMostKeptBytes) {
        out.stage = WriteOutcome::Stage::Open;
        out.error = EFBIG;
        return out;
    }
    // Non-blocking: a name that has meanwhile become a pipe must not hang.
    const int fd = ::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    std::string old;
    if (fd < 0 || !ReadAll(fd, old, out.error)) {
        if (fd < 0) {
            out.error = errno;
        } else {
            ::close(fd);
        }
        out.stage = WriteOutcome::Stage::Open;
        return out;
    }
    if (!backupName.empty()) {
        const WriteOutcome copy = WriteNewFile(backupName, old, &st);
        if (!copy.Ok()) {
            ::close(fd);
            out.stage = WriteOutcome::Stage::Backup;
            out.error = copy.error;
            out.path = backupName;
            return out;
        }
    }
    if (bytes.size() > old.size() && !RoomFor(fd, bytes.size(), out.error)) {
        ::ftruncate(fd, off_t(old.size()));
        ::close(fd);
        out.stage = WriteOutcome::Stage::Write;
        return out;
    }
    const bool wroteAll = WriteAll(fd, bytes, out.written, out.error);
    if (!wroteAll || ::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0) {
        if (wroteAll) {
            out.error = errno;
        }
        out.stage = WriteOutcome::Stage::Write;
        // Until the last byte is written the file is no shorter than it was,
        // so the old bytes go back where they were.
        out.oldContentLost = !PutBack(fd, old, wroteAll ? old.size() : out.written);
        if (out.oldContentLost) {
            out.backupPath = backupName;
        }
    }
    // Once synced, what close might still report is already on the disk.
    ::close(fd);
    return out;
}

// The rename road for a file that exists; false, with nothing changed, when
// it cannot keep what the old file has or its folder takes no new file.
bool ReplaceKeepingAll(const std::string& target, std::string_view bytes, const struct stat& st,
                       const std::string& backupName, WriteOutcome& out) {
    const std::string tempName = WriteTemporary(target, bytes, [&](int fd) { return TakeOver(fd, target, st); }, out);
    if (tempName.empty()) {
        return out.stage == WriteOutcome::Stage::Write;
    }
    if (!backupName.empty() && ((::unlink(backupName.c_str()) != 0 && errno != ENOENT) ||
                                ::rename(target.c_str(), backupName.c_str()) != 0)) {
        out.error = errno;
        ::unlink(tempName.c_str());
        out.stage = WriteOutcome::Stage::Backup;
        out.path = backupName;
        return true;
    }
    if (!MoveInto(tempName, target, out) && !backupName.empty()) {
        ::rename(backupName.c_str(), target.c_str());
    }
    return true;
}

}  // namespace

std::string LinkedFile(const std::string& fileName, int& error) {
    // As many links as the system itself follows before it gives up.
    constexpr int kMostLinks = 40;
    std::string name = fileName;
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        struct stat st {};
        if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return name;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(name.c_str(), link, sizeof link);
        if (length < 0 || std::size_t(length) >= sizeof link) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return {};
        }
        const std::string to(link, std::size_t(length));
        name = !to.empty() && to.front() == '/' ? to : FolderOf(name) + to;
    }
    error = ELOOP;
    return {};
}

WriteOutcome WriteFileReplacing(const std::string& name, std::string_view bytes, bool backup) {
    WriteOutcome out;
    const std::string target = LinkedFile(name, out.error);
    if (target.empty()) {
        out.stage = WriteOutcome::Stage::Create;
        out.path = name;
        return out;
    }
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        out = WriteNewFile(target, bytes, nullptr);
    } else {
        const std::string backupName = backup ? BackupFileName(target) : std::string();
        const bool regular = S_ISREG(st.st_mode);
        if ((regular && st.st_nlink > 1) || !ReplaceKeepingAll(target, bytes, st, backupName, out)) {
            out = regular ? WriteInPlace(target, bytes, st, backupName) : WriteNewFile(target, bytes, nullptr);
        }
    }
    if (out.path.empty()) {
        out.path = name;
    }
    return out;
}

std::string BackupFileName(const std::string& fileName) {
    std::string name = FileNameOnly(fileName);
    const auto dot = name.find('.');
    if (dot != std::string::npos) {
        name.resize(dot);
    }
    return FolderOf(fileName) + "Sicherungskopie von " + name + ".SIC";
}

bool FileExists(const std::string& fileName) {
    struct stat st {};
    return ::stat(fileName.c_str(), &st) == 0;
}

std::string FileNameOnly(const std::string& fileName) {
    const auto slash = fileName.rfind('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string LastThreeUpper(const std::string& fileName) {
    return UpAscii(fileName.size() > 3 ? fileName.substr(fileName.size() - 3) : fileName);
}

std::string SystemErrorText(int error) {
    switch (error) {
        case ENOENT: return "Die Datei oder der Ordner existiert nicht";
        case EACCES:
        case EPERM: return "Zugriff verweigert";
        case ENOSPC: return "Der Datenträger ist voll";
        case EDQUOT: return "Der zugeteilte Speicherplatz ist erschöpft";
        case EFBIG: return "Die Datei wird zu groß";
        case EROFS: return "Der Datenträger ist schreibgeschützt";
        case EISDIR: return "Der Name bezeichnet einen Ordner";
        case ENOTDIR: return "Ein Teil des Pfads ist kein Ordner";
        case ENAMETOOLONG: return "Der Name ist zu lang";
        case EBUSY: return "Die Datei wird gerade benutzt";
        case EIO: return "Ein-/Ausgabefehler des Datenträgers";
        case ELOOP: return "Zu viele symbolische Verknüpfungen hintereinander";
        default: return "Systemfehler " + std::to_string(error) + " (" + std::strerror(error) + ")";
    }
}

std::string OpenFailureMessage(const std::string& fileName, int error) {
    return "Die Datei " + Quoted(fileName) + " kann nicht geöffnet werden: " + SystemErrorText(error) + ".";
}

std::string WriteFailureMessage(const WriteOutcome& outcome) {
    const std::string reason = ": " + SystemErrorText(outcome.error) + ".";
    switch (outcome.stage) {
        case WriteOutcome::Stage::Done: return "";
        case WriteOutcome::Stage::Create:
            return "Die Datei " + Quoted(outcome.path) + " kann nicht angelegt werden" + reason;
        case WriteOutcome::Stage::Open:
            return "Die Datei " + Quoted(outcome.path) + " kann nicht zum Überschreiben geöffnet werden" + reason;
        case WriteOutcome::Stage::Write:
            return "In die Datei " + Quoted(outcome.path) + " kann nicht geschrieben werden" + reason +
                   LostContentNote(outcome);
        case WriteOutcome::Stage::Backup:
            return "Die Sicherungskopie " + Quoted(outcome.path) + " kann nicht angelegt werden" + reason;
        case WriteOutcome::Stage::Replace:
            return "Die Datei " + Quoted(outcome.path) + " kann nicht ersetzt werden" + reason;
    }
    return "";
}

std::string LostContentNote(const WriteOutcome& outcome) {
    if (!outcome.oldContentLost) return "";
    const std::string lost = " Der bisherige Inhalt der Datei konnte nicht wiederhergestellt werden";
    if (outcome.backupPath.empty()) return lost + ".";
    return lost + "; er steht in der Sicherungskopie " + Quoted(outcome.backupPath) + ".";
}
