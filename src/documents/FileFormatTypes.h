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
// text, a native file keeps its version, imported semicolon text becomes 15.
inline uint8_t DocumentFormatVersion(const LoadResult& result) {
    switch (result.Kind) {
        case FileKind::DosText: return 0;
        case FileKind::SemicolonText: return 15;
        case FileKind::Native: break;
    }
    return result.Version;
}
