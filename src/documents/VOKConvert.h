#pragma once
// Text files of the older DOS program (.VOK, format version 0): line 1 the
// description, then two lines per entry, the foreign-language line and the
// meaning line. These routines turn every failure into a message.

#include <string>

#include "documents/AppSettings.h"
#include "documents/FileAccess.h"
#include "documents/FileFormatTypes.h"

// Reads entries into the rows from startRow on, at most up to row 500. More
// pairs than fit give a warning; the entries read stay.
LoadResult ReadDosVocabularyFile(const std::string& name, std::string& description, VokabelArrayTyp& entries,
                                 int startRow, const FileFormatOptions& options);
LoadResult ReadDosVocabularyBytes(ByteSource& source, const std::string& name, std::string& description,
                                  VokabelArrayTyp& entries, int startRow, const FileFormatOptions& options);
// Always makes a backup copy of an existing file first.
std::string WriteDosVocabularyFile(const std::string& name, const std::string& description,
                                   const VokabelArrayTyp& entries, const FileFormatOptions& options);

// The accented letters between the DOS code page and Windows-1252; every
// other byte passes unchanged.
std::string DosToAnsiText(const std::string& text);
std::string AnsiToDosText(const std::string& text);

// Fills the fields of entry from the two lines; meanings the split gives no
// text keep what they held.
void DosLinesToEntry(const std::string& foreignLine, const std::string& meaningLine, VokabelTyp& entry,
                     const FileFormatOptions& options);
void EntryToDosLines(const VokabelTyp& entry, std::string& foreignLine, std::string& meaningLine,
                     const FileFormatOptions& options);
