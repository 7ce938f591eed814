#pragma once
// File formats for document tests: each name answers with what a test put
// there, and every save is recorded.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "documents/DocumentFiles.h"

struct FakeFile {
    std::string message;  // non-empty: the load fails with it
    bool throws = false;  // the operating system failed
    std::string description;
    VokabelArrayTyp entries{};
    SpaltennamenTyp columnNames{};
    SchriftartenTyp fonts{};  // used when fonts.Present is set
    std::string writePassword;
    std::string readPassword;
    uint8_t version = 15;
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

    std::string LoadVocabularyFile(const std::string& fileName, std::string& description, VokabelArrayTyp& entries,
                                   SpaltennamenTyp& columnNames, SchriftartenTyp& fonts, bool allowAny,
                                   uint16_t startRow, std::string& writePassword, std::string& readPassword,
                                   uint8_t& versionRead) override {
        allowAnyExtension.push_back(allowAny);
        const FakeFile& f = Find(fileName);
        if (!f.message.empty()) return f.message;
        description = f.description;
        for (int r = 1; r + startRow - 1 <= kMaxEntries; ++r) entries[r + startRow - 1] = f.entries[r];
        columnNames = f.columnNames;
        const uint8_t present = f.fonts.Present;
        if (present != 0) fonts = f.fonts;
        fonts.Present = present;
        writePassword = f.writePassword;
        readPassword = f.readPassword;
        versionRead = f.version;
        return {};
    }
    std::string LoadTemplate(const std::string& fileName, std::string& description, SpaltennamenTyp& columnNames,
                             SchriftartenTyp& fonts) override {
        const FakeFile& f = Find(fileName);
        description = f.description;
        columnNames = f.columnNames;
        fonts = f.fonts;
        return f.message;
    }
    std::string SaveVocabularyFile(const std::string& fileName, const std::string& description,
                                   const VokabelArrayTyp& entries, const SpaltennamenTyp&, const SchriftartenTyp&,
                                   uint16_t version, const std::string&, const std::string&) override {
        if (!saveMessage.empty()) return saveMessage;
        int used = 0;
        for (int r = 1; r <= kMaxEntries; ++r) used += entries[r].InUse != 0 ? 1 : 0;
        saves.push_back({fileName, version, description, used});
        return {};
    }

private:
    const FakeFile& Find(const std::string& name) {
        auto it = files.find(name);
        if (it == files.end()) throw std::logic_error("no fake file " + name);
        if (it->second.throws) throw std::runtime_error("E/A-Fehler 5: " + name);
        return it->second;
    }
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
