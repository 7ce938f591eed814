#pragma once
// File formats for document tests: each name answers with what a test put
// there, and every save is recorded.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "documents/DocumentFiles.h"

struct FakeFile {
    std::string message;  // with warning unset: the load fails with it
    bool warning = false;
    FileKind kind = FileKind::Native;
    uint8_t version = 15;
    VocabularyFileData data;  // data.Fonts is used when Present is set
};

struct FakeSave {
    std::string fileName;
    uint16_t version = 0;
    std::string description;
    int usedRows = 0;
};

class FakeFiles : public DocumentFiles {
public:
    std::map<std::string, FakeFile> files;
    std::string saveMessage;
    std::vector<FakeSave> saves;
    std::vector<bool> allowAnyExtension;

    LoadResult LoadVocabularyFile(const std::string& fileName, VocabularyFileData& data, bool allowAny,
                                  int startRow) override {
        allowAnyExtension.push_back(allowAny);
        const FakeFile& f = Find(fileName);
        LoadResult result{f.message, f.warning, f.kind, f.version};
        if (result.Failed()) return result;
        const SchriftartenTyp fonts = data.Fonts;
        const VokabelArrayTyp entries = data.Entries;
        data = f.data;
        data.Entries = entries;
        for (int r = 1; r + startRow - 1 <= kMaxEntries; ++r) data.Entries[r + startRow - 1] = f.data.Entries[r];
        if (f.data.Fonts.Present == 0) data.Fonts = fonts;
        data.Fonts.Present = f.data.Fonts.Present;
        return result;
    }
    std::string LoadTemplate(const std::string& fileName, VocabularyFileData& data) override {
        const FakeFile& f = Find(fileName);
        data.Description = f.data.Description;
        data.ColumnNames = f.data.ColumnNames;
        data.Fonts = f.data.Fonts;
        return f.message;
    }
    std::string SaveVocabularyFile(const std::string& fileName, const VocabularyFileData& data,
                                   uint16_t version) override {
        if (!saveMessage.empty()) return saveMessage;
        int used = 0;
        for (int r = 1; r <= kMaxEntries; ++r) used += data.Entries[r].InUse != 0 ? 1 : 0;
        saves.push_back({fileName, version, data.Description, used});
        return {};
    }

private:
    const FakeFile& Find(const std::string& name) {
        auto it = files.find(name);
        if (it == files.end()) throw std::logic_error("no fake file " + name);
        return it->second;
    }
};

// The default options and empty records while a test runs; the options
// before it come back afterwards.
class DefaultOptionsForTest {
public:
    DefaultOptionsForTest() : saved_(Optionen) {
        Optionen = OptionenTyp{};
        SetDefaultOptions(Optionen, StartEnvironment{"/home/lena/Dokumente", "/opt/pelko/", 1280, 1024});
        BuildEmptyRecords(Optionen);
    }
    ~DefaultOptionsForTest() { Optionen = saved_; }
    DefaultOptionsForTest(const DefaultOptionsForTest&) = delete;
    DefaultOptionsForTest& operator=(const DefaultOptionsForTest&) = delete;

private:
    OptionenTyp saved_;
};

inline VokabelTyp MakeEntry(const std::string& fs1, const std::string& ms1, const std::string& fs2 = {},
                            const std::string& ms5 = {}) {
    VokabelTyp e{};
    e.FS1.Set(fs1);
    e.MS1.Set(ms1);
    e.FS2.Set(fs2);
    e.MS5.Set(ms5);
    e.InUse = 1;
    return e;
}
