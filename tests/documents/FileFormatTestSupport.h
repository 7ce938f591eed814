#pragma once
// Shared by the file-format tests: expected file bytes built from the record
// layouts by hand (never by the writer under test), entries and documents.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "documents/LoadSave.h"
#include "platform/TempDir.h"

namespace fmt_test {

// A string[n]: length byte, text, zero tail.
inline std::string Str(const std::string& text, std::size_t n) {
    std::string s(1, char(text.size()));
    s += text;
    s.resize(n + 1, '\0');
    return s;
}

inline std::string U16(uint16_t v) { return {char(v & 0xFF), char(v >> 8)}; }
inline std::string U32(uint32_t v) { return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)}; }

// A 360-byte record of seven string[50].
inline std::string Record(const std::vector<std::string>& fields, uint8_t inUse, uint16_t reserve) {
    std::string r;
    for (std::size_t k = 0; k < 7; ++k) {
        r += Str(k < fields.size() ? fields[k] : "", 50);
    }
    r.push_back(char(inUse));
    return r + U16(reserve);
}

inline const std::string kMagicText = "Pelko-Vokabeldatei f\xfc" "r Windows 95";

inline std::string Header(const std::vector<std::string>& descriptionPieces, uint16_t version) {
    std::vector<std::string> fields = {kMagicText, ""};
    fields.insert(fields.end(), descriptionPieces.begin(), descriptionPieces.end());
    return Record(fields, 1, version);
}

// Bytes 0-47 (withCharset: 0-48) of a font record.
inline std::string FontBytes(const std::string& name, uint32_t color, uint8_t style, int32_t size, uint8_t charset,
                             bool withCharset) {
    std::string f = Str(name, 32) + std::string(3, '\0') + U32(color) + char(style) + std::string(3, '\0') +
                    U32(uint32_t(size));
    if (withCharset) {
        f.push_back(char(charset));
    }
    return f;
}

// The expected bytes of a file, with positions whose value is random.
struct Golden {
    std::string bytes;
    std::vector<bool> care;
    void Add(const std::string& b) {
        bytes += b;
        care.resize(bytes.size(), true);
    }
    void Any(std::size_t n) {
        bytes.append(n, '\0');
        care.resize(bytes.size(), false);
    }
    void Set(std::size_t offset, char value) {
        bytes[offset] = value;
        care[offset] = true;
    }
};

inline ::testing::AssertionResult Matches(const std::string& actual, const Golden& golden) {
    if (actual.size() != golden.bytes.size()) {
        return ::testing::AssertionFailure() << "size " << actual.size() << ", expected " << golden.bytes.size();
    }
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (golden.care[i] && actual[i] != golden.bytes[i]) {
            return ::testing::AssertionFailure() << "byte " << i << " is " << int(uint8_t(actual[i])) << ", expected "
                                                 << int(uint8_t(golden.bytes[i]));
        }
    }
    return ::testing::AssertionSuccess();
}

inline VokabelTyp Entry(std::initializer_list<std::string> fields, uint16_t reserve = 0) {
    VokabelTyp e{};
    int k = 1;
    for (const std::string& f : fields) {
        e.Field(k++).Set(f);
    }
    e.InUse = 1;
    e.Reserve = reserve;
    return e;
}

inline std::unique_ptr<VocabularyFileData> NewData() { return std::make_unique<VocabularyFileData>(); }

inline SchriftartTyp Font(const std::string& name, uint32_t color, uint8_t style, int32_t size, uint8_t charset) {
    SchriftartTyp f;
    f.Name.Set(name);
    f.Color = color;
    f.Style = style;
    f.Size = size;
    f.Charset = charset;
    return f;
}

// A small document with column names, fonts and three entries.
inline std::unique_ptr<VocabularyFileData> SampleData() {
    auto d = NewData();
    d->Description = "Englisch, Lektion 1";
    d->ColumnNames = Entry({"Englisch", "", "Deutsch"});
    d->ColumnNames.InUse = 0;
    d->Fonts.TableMS = Font("Arial", 0x000000, 0, 10, 0);
    d->Fonts.TableFS = Font("Times New Roman", 0x0000FF, fsBold, 12, 238);
    d->Fonts.TableHeader = Font("Arial", 0x800000, fsItalic, 9, 0);
    d->Fonts.PrintMS = Font("Courier New", 0, 0, 11, 0);
    d->Fonts.PrintFS = Font("Courier New", 0, fsUnderline, 11, 0);
    d->Fonts.Print = Font("Arial", 0x123456, 0, 8, 0);
    d->Fonts.HeaderFonts = 1;
    d->Fonts.Present = 1;
    d->Entries[1] = Entry({"Haus", "", "house"});
    d->Entries[2] = Entry({"gehen", "ging", "to go", "to walk"}, 0x1234);
    d->Entries[3] = Entry({"K\xe4se", "", "cheese", "", "", "", "fromage"});
    return d;
}

// A file-size limit makes the disk "full" after a given number of bytes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
};

inline std::string ReadFile(const std::string& path) { return TempDir::Read(path); }
inline void WriteFile(const std::string& path, const std::string& bytes) { TempDir::Write(path, bytes); }

}  // namespace fmt_test
