#include "documents/DocumentFiles.h"

#include <stdexcept>

namespace {

// Before the program installs the formats, any use is a fault.
class NoFiles : public DocumentFiles {
public:
    std::string LoadVocabularyFile(const std::string& fileName, std::string&, VokabelArrayTyp&, SpaltennamenTyp&,
                                   SchriftartenTyp&, bool, uint16_t, std::string&, std::string&,
                                   uint8_t&) override {
        Fail(fileName);
    }
    std::string LoadTemplate(const std::string& fileName, std::string&, SpaltennamenTyp&,
                             SchriftartenTyp&) override {
        Fail(fileName);
    }
    std::string SaveVocabularyFile(const std::string& fileName, const std::string&, const VokabelArrayTyp&,
                                   const SpaltennamenTyp&, const SchriftartenTyp&, uint16_t, const std::string&,
                                   const std::string&) override {
        Fail(fileName);
    }

private:
    [[noreturn]] static void Fail(const std::string& name) {
        throw std::logic_error("no file formats installed for: " + name);
    }
};

DocumentFiles* current = nullptr;

}  // namespace

DocumentFiles& Files() {
    static NoFiles none;
    return current != nullptr ? *current : none;
}

void SetFiles(DocumentFiles* files) { current = files; }

ScopedFiles::ScopedFiles(DocumentFiles& files) : previous_(current) { current = &files; }
ScopedFiles::~ScopedFiles() { current = previous_; }
