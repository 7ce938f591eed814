#pragma once
// The file formats as a document uses them: opening a vocabulary file or a
// template and the plain save. The program-wide instance is the real formats
// (LoadSave) with the options of Optionen; tests install fakes.

#include <cstdint>
#include <string>

#include "documents/FileFormatTypes.h"
#include "documents/LoadSave.h"

class DocumentFiles {
public:
    virtual ~DocumentFiles() = default;

    virtual LoadResult LoadVocabularyFile(const std::string& fileName, VocabularyFileData& data,
                                          bool allowAnyExtension, int startRow) = 0;
    // fileName without the ">" marker; the message, empty on success.
    virtual std::string LoadTemplate(const std::string& fileName, VocabularyFileData& data) = 0;
    virtual std::string SaveVocabularyFile(const std::string& fileName, const VocabularyFileData& data,
                                           uint16_t version) = 0;
};

DocumentFiles& Files();
// Nothing: the real formats again.
void SetFiles(DocumentFiles* files);

// Installs formats for the life of a scope (tests).
class ScopedFiles {
public:
    explicit ScopedFiles(DocumentFiles& files);
    ~ScopedFiles();
    ScopedFiles(const ScopedFiles&) = delete;
    ScopedFiles& operator=(const ScopedFiles&) = delete;

private:
    DocumentFiles* previous_;
};
