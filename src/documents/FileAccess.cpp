#include "documents/FileAccess.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool WriteAll(int fd, std::string_view bytes, std::size_t& written, int& error) {
    written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
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

// A new file beside the target that no one else uses.
int CreateTemporary(const std::string& target, std::string& tempName, int& error) {
    static std::atomic<unsigned> counter{0};
    const std::string base = FolderOf(target) + "." + FileNameOnly(target) + ".tmp-" + std::to_string(::getpid()) + "-";
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
    const std::string backupName = backup ? BackupFileName(target) : std::string();
    std::string tempName;
    const int fd = CreateTemporary(target, tempName, out.error);
    if (fd < 0) {
        out.stage = WriteOutcome::Stage::Create;
        out.path = name;
        return out;
    }
    struct stat st {};
    const bool targetExists = ::stat(target.c_str(), &st) == 0;
    if (targetExists) {
        ::fchmod(fd, st.st_mode & 07777);  // the new file keeps the old one's permissions
    }
    const bool wrote = WriteAll(fd, bytes, out.written, out.error);
    const bool closed = ::close(fd) == 0;
    if (!wrote || !closed) {
        if (wrote) {
            out.error = errno;
        }
        ::unlink(tempName.c_str());
        out.stage = WriteOutcome::Stage::Write;
        out.path = name;
        return out;
    }
    bool backedUp = false;
    if (!backupName.empty() && targetExists) {
        if ((::unlink(backupName.c_str()) != 0 && errno != ENOENT) ||
            ::rename(target.c_str(), backupName.c_str()) != 0) {
            out.error = errno;
            ::unlink(tempName.c_str());
            out.stage = WriteOutcome::Stage::Backup;
            out.path = backupName;
            return out;
        }
        backedUp = true;
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        out.error = errno;
        ::unlink(tempName.c_str());
        if (backedUp) {
            ::rename(backupName.c_str(), target.c_str());
        }
        out.stage = WriteOutcome::Stage::Replace;
        out.path = name;
        return out;
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
    std::string ext = fileName.size() > 3 ? fileName.substr(fileName.size() - 3) : fileName;
    for (char& c : ext) {
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
        }
    }
    return ext;
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
        case WriteOutcome::Stage::Write:
            return "In die Datei " + Quoted(outcome.path) + " kann nicht geschrieben werden" + reason;
        case WriteOutcome::Stage::Backup:
            return "Die Sicherungskopie " + Quoted(outcome.path) + " kann nicht angelegt werden" + reason;
        case WriteOutcome::Stage::Replace:
            return "Die Datei " + Quoted(outcome.path) + " kann nicht ersetzt werden" + reason;
    }
    return "";
}
