#include "documents/DocumentFiles.h"

namespace {

class NativeFiles : public DocumentFiles {
public:
    LoadResult LoadVocabularyFile(const std::string& fileName, VocabularyFileData& data, bool allowAnyExtension,
                                  int startRow) override {
        return ::LoadVocabularyFile(fileName, data, allowAnyExtension, startRow, FileFormatOptions::From(Optionen));
    }
    std::string LoadTemplate(const std::string& fileName, VocabularyFileData& data) override {
        return ::LoadTemplate(fileName + ">", data);
    }
    std::string SaveVocabularyFile(const std::string& fileName, const VocabularyFileData& data,
                                   uint16_t version) override {
        return ::SaveVocabularyFile(fileName, data, version, FileFormatOptions::From(Optionen));
    }
};

DocumentFiles* current = nullptr;

}  // namespace

DocumentFiles& Files() {
    static NativeFiles native;
    return current != nullptr ? *current : native;
}

void SetFiles(DocumentFiles* files) { current = files; }

ScopedFiles::ScopedFiles(DocumentFiles& files) : previous_(current) { current = &files; }
ScopedFiles::~ScopedFiles() { current = previous_; }
