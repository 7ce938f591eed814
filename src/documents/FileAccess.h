#pragma once
// File plumbing the vocabulary formats share: bytes from a file or from
// memory (so every reader can also be fed from memory), text lines, and a
// save that never destroys the old file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to n bytes; fewer only at the end of the data or on a read error.
    virtual std::size_t Read(void* into, std::size_t n) = 0;
    virtual bool Failed() const { return false; }
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t Read(void* into, std::size_t n) override;

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// A file opened read-only, read through a buffer.
class FileSource final : public ByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // 0, or the system's error number.
    int Open(const std::string& fileName);
    std::size_t Read(void* into, std::size_t n) override;
    bool Failed() const override { return failed_; }

private:
    bool Fill();

    int fd_ = -1;
    bool failed_ = false;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

// Lines ended by CR LF, LF or a lone CR; the last line needs no end. A line
// keeps at most kMaxLineLength bytes, the rest of it is skipped, so no file
// can make a line take unbounded memory.
class LineReader {
public:
    static constexpr std::size_t kMaxLineLength = 65536;

    // With ctrlZEnds, a byte 26 ends the text (as DOS editors wrote it).
    explicit LineReader(ByteSource& source, bool ctrlZEnds = false) : source_(source), ctrlZEnds_(ctrlZEnds) {}

    bool AtEnd();
    // At the end: an empty line.
    std::string ReadLine();
    bool Failed() const { return source_.Failed(); }

private:
    int Peek();  // -1 at the end
    void Skip() { ++pos_; }

    ByteSource& source_;
    bool ctrlZEnds_;
    bool ended_ = false;
    char buffer_[4096];
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

// Where a save stopped.
struct WriteOutcome {
    enum class Stage { Done, Create, Open, Write, Backup, Replace };
    Stage stage = Stage::Done;
    std::size_t written = 0;  // bytes stored before a write failed
    int error = 0;            // the system's error number
    std::string path;         // the file the failure concerns
    // A write in place broke off and the old content could not be put back;
    // backupPath names the copy that holds it, when one was made.
    bool oldContentLost = false;
    std::string backupPath;

    bool Ok() const { return stage == Stage::Done; }
};

// Puts the bytes in the target's place, keeping the file the user had.
// A target that is a symbolic link stands for the file it leads to: that
// file is written (and backed up, in its own folder) and the link stays.
//
// Two roads. A new file, or one this user can replace with all it has (one
// name only, its owner and group given to the new file, its mode and access
// list copied), is written to a new file beside it that is then renamed
// into its place; a backup asked for is the old file itself, renamed to
// BackupFileName (an older backup deleted first). Otherwise (another owner,
// a group this user is no member of, more than one hard link, a folder
// this user may not write) the file is overwritten in place, so its owner,
// group, mode and links stay; a backup asked for is then a copy of the old
// content, made before anything is written, and room for the new content
// is taken first.
//
// On any failure the target keeps its old content (a failed write in place
// puts it back; oldContentLost tells when even that failed), and a failed
// backup names the backup in path.
WriteOutcome WriteFileReplacing(const std::string& target, std::string_view bytes, bool backup);

// The file a name finally stands for: symbolic links followed, a relative
// link from its own folder. A name that is no link comes back as it is,
// also when nothing exists there. Empty, with error set, for a loop of links.
std::string LinkedFile(const std::string& fileName, int& error);

// Folder + "Sicherungskopie von " + the name up to its first "." + ".SIC".
std::string BackupFileName(const std::string& fileName);

bool FileExists(const std::string& fileName);
// The name after the last "/".
std::string FileNameOnly(const std::string& fileName);
std::string Quoted(const std::string& name);
// The upper-cased last three characters (ASCII letters only).
std::string LastThreeUpper(const std::string& fileName);

// The system's reason for a failed file operation, in German.
std::string SystemErrorText(int error);
// Messages for what the system refused.
std::string OpenFailureMessage(const std::string& fileName, int error);
std::string WriteFailureMessage(const WriteOutcome& outcome);
// Added to the message of a failed write whose old content is lost: where
// it is left, if anywhere. Empty otherwise.
std::string LostContentNote(const WriteOutcome& outcome);
