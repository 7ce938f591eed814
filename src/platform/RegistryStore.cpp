#include "platform/RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/Registry.h"

namespace platform {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    throw ERegistryException("Registry-Datei " + path + ": " + what + " (" + std::strerror(errno) + ")");
}

// The whole file; nothing when it does not exist; throws when it exists but
// cannot be read and throwOnError is set.
std::optional<std::string> ReadFile(const std::string& path, bool throwOnError) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && throwOnError) Fail("kann nicht gelesen werden", path);
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    while (true) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            if (throwOnError) Fail("kann nicht gelesen werden", path);
            return std::nullopt;
        }
        if (n == 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void WriteAll(int fd, const std::string& data, const std::string& path) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("kann nicht geschrieben werden", path);
        done += static_cast<size_t>(n);
    }
}

void MakeFolders(const std::string& storePath) {
    for (size_t pos = storePath.find('/', 1); pos != std::string::npos; pos = storePath.find('/', pos + 1)) {
        std::string folder = storePath.substr(0, pos);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) Fail("Ordner fehlt", folder);
    }
}

// Keeps a damaged file's bytes under a name no earlier damage used.
void KeepDamaged(const std::string& storePath) {
    std::string target = storePath + ".bad";
    for (int n = 2; ::access(target.c_str(), F_OK) == 0; ++n) target = storePath + ".bad." + std::to_string(n);
    if (::link(storePath.c_str(), target.c_str()) != 0) Fail("kann nicht gesichert werden", target);
}

void ReplaceFile(const std::string& storePath, const std::string& data) {
    std::string temp = storePath + ".XXXXXX";
    int fd = ::mkstemp(temp.data());  // mode 0600
    if (fd < 0) Fail("kann nicht angelegt werden", temp);
    try {
        WriteAll(fd, data, temp);
        if (::fsync(fd) != 0) Fail("kann nicht geschrieben werden", temp);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    ::close(fd);
    if (::rename(temp.c_str(), storePath.c_str()) != 0) {
        int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        Fail("kann nicht ersetzt werden", storePath);
    }
}

class FileLock {
public:
    explicit FileLock(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) Fail("kann nicht gesperrt werden", path);
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(fd_);
                Fail("kann nicht gesperrt werden", path);
            }
        }
    }
    ~FileLock() { ::close(fd_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<uint64_t>(info.st_dev);
    stamp.inode = static_cast<uint64_t>(info.st_ino);
    stamp.size = static_cast<int64_t>(info.st_size);
    stamp.modifiedNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
}

RegistryTree LoadRegistry(const std::string& storePath) {
    std::optional<std::string> data = ReadFile(storePath, false);
    if (!data) return {};
    return ParseRegistry(*data).tree;
}

void ModifyRegistry(const std::string& storePath, const std::function<bool(RegistryTree&)>& change) {
    MakeFolders(storePath);
    FileLock lock(storePath + ".lock");
    std::optional<std::string> data = ReadFile(storePath, true);
    ParsedRegistry parsed = data ? ParseRegistry(*data) : ParsedRegistry{};
    if (!change(parsed.tree)) return;
    if (parsed.damaged) KeepDamaged(storePath);
    ReplaceFile(storePath, SerializeRegistry(parsed.tree));
}

}  // namespace platform
