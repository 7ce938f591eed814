#pragma once
// What every vocabulary file reader and writer takes and gives: the options
// they read (filled from Optionen by the caller, so the formats keep no hidden
// globals) and the outcome of a load.

#include <cstdint>
#include <string>

#include "documents/AppSettings.h"

struct FileFormatOptions {
    bool Sicherungskopien = true;       // backup copy before a native or template save
    bool DOSUmlauteErsetzen = true;     // DOS code page <-> Windows-1252
    bool DOSBedeutungenTrennen = true;  // split DOS lines into several fields

    static FileFormatOptions From(const OptionenTyp& options) {
        return {options.Sicherungskopien, options.DOSUmlauteErsetzen, options.DOSBedeutungenTrennen};
    }
};

// The format a load actually read; the document takes its version from it.
enum class FileKind { Native, DosText, SemicolonText };

struct LoadResult {
    std::string Message;   // empty: everything was read
    bool Warning = false;  // Message tells something, but what was read is complete and usable
    FileKind Kind = FileKind::Native;
    uint8_t Version = 0;  // native files: the version in the header; DOS text: 0

    bool Failed() const { return !Message.empty() && !Warning; }
};

// The version a plain save of the loaded document writes: DOS text stays DOS
// text; every other document gets the current version 15, as the frame gives
// every document not read as DOS text so that an old file's
// first save keeps the column names, fonts and passwords the document holds.
// Only the reader used decides, never the open dialog's filter: a ".VOK" file
// opened by any road stays DOS text, a ".PLK" file never becomes DOS text.
inline uint8_t DocumentFormatVersion(const LoadResult& result) {
    return result.Kind == FileKind::DosText ? 0 : 15;
}
