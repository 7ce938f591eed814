#pragma once
// The file formats as a document uses them: opening a vocabulary file or a
// template and the plain save. Every routine reports what went wrong as a
// message text (empty = success); an operating-system failure may throw.
// The program installs the real formats; tests install fakes.

#include <cstdint>
#include <string>

#include "documents/AppSettings.h"

class DocumentFiles {
public:
    virtual ~DocumentFiles() = default;

    // Fills the entries from startRow on; what the file does not carry keeps
    // the caller's value, and fonts.Present tells whether a font block was
    // read. versionRead: 0 when the file was read as DOS text.
    virtual std::string LoadVocabularyFile(const std::string& fileName, std::string& description,
                                           VokabelArrayTyp& entries, SpaltennamenTyp& columnNames,
                                           SchriftartenTyp& fonts, bool allowAnyExtension, uint16_t startRow,
                                           std::string& writePassword, std::string& readPassword,
                                           uint8_t& versionRead) = 0;
    virtual std::string LoadTemplate(const std::string& fileName, std::string& description,
                                     SpaltennamenTyp& columnNames, SchriftartenTyp& fonts) = 0;
    virtual std::string SaveVocabularyFile(const std::string& fileName, const std::string& description,
                                           const VokabelArrayTyp& entries, const SpaltennamenTyp& columnNames,
                                           const SchriftartenTyp& fonts, uint16_t version,
                                           const std::string& writePassword, const std::string& readPassword) = 0;
};

// The program-wide formats. Until some are set, every call throws.
DocumentFiles& Files();
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
