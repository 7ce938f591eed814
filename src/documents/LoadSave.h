#pragma once
// The native vocabulary file (.PLK) of every format version, templates
// (.PLV) and semicolon text. DOS text is in VOKConvert; loading and saving
// hand over to it by extension and version.
//
// Every routine returns its message in German ("" = success) and never
// throws: what the system refuses (a missing file, no permission, a full
// disk) becomes a message with the file's name and the reason.

#include <cstdint>
#include <string>

#include "documents/AppSettings.h"
#include "documents/FileAccess.h"
#include "documents/FileFormatTypes.h"

// The one-byte masks of the password data. The two password masks differ so
// that the two layouts of the write-password block do not share a pattern.
constexpr uint8_t kPasswordMask1 = 0xA7;  // write-password block, flag bit 0x04 set
constexpr uint8_t kPasswordMask2 = 0x5C;  // write-password block, flag bit 0x04 clear
constexpr uint8_t kTextMask = 0x3D;       // scrambled entry texts

constexpr uint8_t kFlagLayout = 0x04;
constexpr uint8_t kFlagWritePassword = 0x08;
constexpr uint8_t kFlagReadCheck = 0x40;

// The longest description a file keeps (a line break is CR LF).
inline constexpr std::size_t kMaxDescription = 250;

// What a vocabulary file holds: a whole document, loaded before any window
// is made for it. About 180 KB; keep it on the heap.
struct VocabularyFileData {
    std::string Description;
    VokabelArrayTyp Entries{};
    SpaltennamenTyp ColumnNames{};
    SchriftartenTyp Fonts{};  // in: the window's fonts, whose Charset an old font block keeps
    std::string WritePassword;
    std::string ReadPassword;
};

// Reads entries into the rows from startRow on (1 for a new document, the
// row after the last used one when appending; from 501 on nothing is read).
// By the last three characters of the name: "CSV" semicolon text, "VOK" DOS
// text, "PLK" native; any other name is native when allowAnyExtension is set,
// else DOS text. What the file's version does not carry keeps the value in
// data, except Fonts.Present, which tells whether a font block was read.
// The read password is asked through the dialog seam.
LoadResult LoadVocabularyFile(const std::string& fileName, VocabularyFileData& data, bool allowAnyExtension,
                              int startRow, const FileFormatOptions& options);
// The native format from any bytes; fileName is used in the messages.
LoadResult ReadVocabularyBytes(ByteSource& source, const std::string& fileName, VocabularyFileData& data,
                               int startRow);

// The version a save under that name writes: a ".VOK" name is always DOS
// text (0), a ".PLK" name never; versions above 15 write 15.
uint16_t EffectiveSaveVersion(const std::string& fileName, uint16_t version);
// Versions 1 to 15 native, 0 DOS text (see EffectiveSaveVersion). The write
// password of an existing file is asked before anything is written.
std::string SaveVocabularyFile(const std::string& fileName, const VocabularyFileData& data, uint16_t version,
                               const FileFormatOptions& options);

// Same length; applying it twice gives the text back. The password must not
// be empty.
std::string CryptEntryText(const std::string& text, const std::string& password);
// The stored check value of a read password.
uint32_t PasswordCheckValue(const std::string& password);

// name: the template's path followed by ">". Fills Description, ColumnNames
// and Fonts.
std::string LoadTemplate(const std::string& name, VocabularyFileData& data);
std::string ReadTemplateBytes(ByteSource& source, const std::string& fileName, VocabularyFileData& data);
// Writes Description, ColumnNames and Fonts.
std::string SaveTemplate(const std::string& name, const VocabularyFileData& data, const FileFormatOptions& options);

std::string ExportCsv(const std::string& name, const VokabelArrayTyp& entries, const SpaltennamenTyp& columnNames);
// Passwords stay as they are; the description becomes "CVS Import".
LoadResult ImportCsv(const std::string& name, VocabularyFileData& data, int startRow);
void ReadCsvBytes(ByteSource& source, VocabularyFileData& data, int startRow);
