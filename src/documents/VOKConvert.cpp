#include "documents/VOKConvert.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "documents/AppTools.h"

namespace {

// DOS code, Windows-1252 code.
constexpr std::pair<uint8_t, uint8_t> kCodePairs[] = {
    {0x84, 0xE4}, {0x94, 0xF6}, {0x81, 0xFC}, {0xE1, 0xDF}, {0x8E, 0xC4}, {0x99, 0xD6}, {0x9A, 0xDC}, {0xA0, 0xE1},
    {0x85, 0xE0}, {0x8A, 0xE8}, {0x8D, 0xEC}, {0x95, 0xF2}, {0x97, 0xF9}, {0x82, 0xE9}, {0x90, 0xC9}, {0x83, 0xE2},
    {0x88, 0xEA}, {0x8C, 0xEE}, {0x93, 0xF4}, {0x96, 0xFB}, {0xA1, 0xED}, {0xA2, 0xF3}, {0xA3, 0xFA},
};

std::array<uint8_t, 256> MakeTable(bool fromDos) {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] = uint8_t(c);
    }
    for (auto [dos, ansi] : kCodePairs) {
        table[fromDos ? dos : ansi] = fromDos ? ansi : dos;
    }
    return table;
}

std::string Translate(const std::string& text, const std::array<uint8_t, 256>& table) {
    std::string out = text;
    for (char& c : out) {
        c = char(table[uint8_t(c)]);
    }
    return out;
}

// Positions below are 1-based, as the splitting rules count them.
std::string Sub(const std::string& s, std::size_t from, std::size_t to) {
    if (from < 1) {
        from = 1;
    }
    if (to > s.size()) {
        to = s.size();
    }
    return from > to ? std::string() : s.substr(from - 1, to - from + 1);
}

std::string From(const std::string& s, std::size_t from) { return Sub(s, from, s.size()); }

// The highest position from high down to low holding one of chars; 0 if none.
std::size_t LastOf(const std::string& s, std::size_t high, std::size_t low, std::string_view chars) {
    for (std::size_t q = std::min(high, s.size()); q >= low && q >= 1; --q) {
        if (chars.find(s[q - 1]) != std::string_view::npos) {
            return q;
        }
    }
    return 0;
}

bool SkippedLine(const std::string& line) {
    const std::string t = TrimCopy(line);
    return t.empty() || t == "." || t == "\x1b";
}

void SplitForeignLine(const std::string& w, VokabelTyp& entry) {
    const std::size_t n = w.size();
    if (const std::size_t q = LastOf(w, n, n > 50 ? n - 50 : 1, ";")) {
        entry.FS1.Set(TrimCopy(Sub(w, 1, q - 1)));
        entry.FS2.Set(TrimCopy(From(w, q + 1)));
        return;
    }
    if (n <= 50) {
        entry.FS1.Set(w);
        entry.FS2.Set("");
        return;
    }
    std::size_t c = 0;
    if (n <= 100) {
        c = LastOf(w, 50, n - 50, ",");
        if (c == 0) {
            c = LastOf(w, 50, n - 50, " .,;-/:");
        }
    }
    if (c == 0) {
        c = n / 2;
    }
    entry.FS1.Set(Sub(w, 1, c - 1));
    entry.FS2.Set(TrimCopy(From(w, c + 1)));
}

void SplitMeaningLine(const std::string& m, VokabelTyp& entry) {
    auto meaning = [&entry](int j) -> ShortString<50>* { return j <= 5 ? &entry.Field(j + 2) : nullptr; };
    auto store = [&](int j, const std::string& text) {
        if (auto* field = meaning(j)) {
            field->Set(text);
        }
    };
    std::string r = m;
    for (int j = 1; !r.empty();) {
        const std::size_t semicolon = r.find(';');
        const std::size_t p = std::min({semicolon == std::string::npos ? r.size() : semicolon + 1, r.size(),
                                        std::size_t(50)});
        if (p == 50) {
            const std::size_t low = r.size() > 50 ? r.size() - 50 : 1;
            std::size_t d = 0;
            if (r.size() <= 100) {
                d = LastOf(r, 50, low, ",");
                if (d == 0) {
                    d = LastOf(r, 50, low, " ,.-/:;");
                }
            }
            if (d != 0) {
                store(j, TrimCopy(Sub(r, 1, d - 1)));
                store(j + 1, TrimCopy(From(r, d + 1)));
            } else if (r.size() == 50) {
                store(j, r);
                store(j + 1, "");
            } else {
                const std::size_t h = r.size() / 2;
                store(j, TrimCopy(Sub(r, 1, h)));
                store(j + 1, TrimCopy(Sub(r, h + 1, 2 * h)));
            }
            r.clear();
            j += 2;
        } else if (j < 5) {
            store(j, r[p - 1] == ';' && p < r.size() ? TrimCopy(Sub(r, 1, p - 1)) : TrimCopy(r));
            r = From(r, p + 1);
            ++j;
        } else {
            store(j, TrimCopy(r));
            r.clear();
            ++j;
        }
    }
}

}  // namespace

std::string DosToAnsiText(const std::string& text) {
    static const auto table = MakeTable(true);
    return Translate(text, table);
}

std::string AnsiToDosText(const std::string& text) {
    static const auto table = MakeTable(false);
    return Translate(text, table);
}

void DosLinesToEntry(const std::string& foreignLine, const std::string& meaningLine, VokabelTyp& entry,
                     const FileFormatOptions& options) {
    const std::string w = options.DOSUmlauteErsetzen ? DosToAnsiText(foreignLine) : foreignLine;
    const std::string m = options.DOSUmlauteErsetzen ? DosToAnsiText(meaningLine) : meaningLine;
    if (!options.DOSBedeutungenTrennen) {
        entry.FS1.Set(Sub(w, 1, 50));
        entry.FS2.Set(w.size() <= 50 ? std::string() : TrimCopy(From(w, 51)));
        entry.MS1.Set(Sub(m, 1, 50));
        entry.MS2.Set(From(m, 51));
        entry.MS3.Clear();
        entry.MS4.Clear();
        entry.MS5.Clear();
        return;
    }
    SplitForeignLine(w, entry);
    SplitMeaningLine(m, entry);
}

void EntryToDosLines(const VokabelTyp& entry, std::string& foreignLine, std::string& meaningLine,
                     const FileFormatOptions& options) {
    const std::string fs1 = entry.FS1.Get();
    const std::string fs2 = entry.FS2.Get();
    const std::size_t n = fs1.size() + fs2.size();
    if (fs2.empty()) {
        foreignLine = fs1;
    } else if (n <= 62) {
        foreignLine = fs1 + "; " + fs2;
    } else if (n <= 64) {
        foreignLine = fs1 + ";" + fs2;
    } else {
        foreignLine = fs1 + ";" + fs2.substr(0, 64 - fs1.size());
    }
    meaningLine = entry.MS1.Get();
    for (int k = 4; k <= 7; ++k) {
        if (!entry.Field(k).Empty()) {
            meaningLine += ";" + entry.Field(k).Get();
        }
    }
    if (meaningLine.size() > 65) {
        meaningLine.resize(65);
    }
    if (options.DOSUmlauteErsetzen) {
        foreignLine = AnsiToDosText(foreignLine);
        meaningLine = AnsiToDosText(meaningLine);
    }
}

LoadResult ReadDosVocabularyBytes(ByteSource& source, const std::string& name, std::string& description,
                                  VokabelArrayTyp& entries, int startRow, const FileFormatOptions& options) {
    LoadResult result;
    result.Kind = FileKind::DosText;
    LineReader lines(source, true);
    description = lines.ReadLine();
    if (lines.Failed()) {
        result.Message = "Exception beim Öffnen der Pelko für DOS-Datei " + Quoted(name) + ".";
        return result;
    }
    int row = std::max(startRow, 1) - 1;
    while (!lines.AtEnd() && row < kMaxEntries) {
        const std::string w = lines.ReadLine();
        const std::string m = lines.ReadLine();
        if (lines.Failed()) {
            result.Message = "Fehler beim Einlesen der Vokabeln aus der Pelko für DOS-Datei " + Quoted(name) + ".";
            return result;
        }
        if (SkippedLine(w) || SkippedLine(m)) {
            continue;
        }
        ++row;
        DosLinesToEntry(w, m, entries[row], options);
        entries[row].InUse = 1;
    }
    if (!lines.AtEnd()) {
        result.Message = "Es sind zu viele Vokabeln in der Datei. Die restlichen Vokabeln wurden ignoriert.";
        result.Warning = true;
        return result;
    }
    for (int r = row + 1; r <= kMaxEntries; ++r) {
        entries[r] = BlankEntry;
    }
    return result;
}

LoadResult ReadDosVocabularyFile(const std::string& name, std::string& description, VokabelArrayTyp& entries,
                                 int startRow, const FileFormatOptions& options) {
    FileSource source;
    if (source.Open(name) != 0) {
        LoadResult result;
        result.Kind = FileKind::DosText;
        result.Message = "Exception beim Öffnen der Pelko für DOS-Datei " + Quoted(name) + ".";
        return result;
    }
    return ReadDosVocabularyBytes(source, name, description, entries, startRow, options);
}

std::string WriteDosVocabularyFile(const std::string& name, const std::string& description,
                                   const VokabelArrayTyp& entries, const FileFormatOptions& options) {
    // One line each: a line break inside would shift every pair after it.
    const std::string firstLine = OneLine(description) + "\r\n";
    std::string text = firstLine;
    const int last = LastUsedRow(entries);
    std::string w, m;
    for (int row = 1; row <= last; ++row) {
        if (entries[row].InUse != 0) {
            EntryToDosLines(entries[row], w, m, options);
            text += OneLine(w) + "\r\n" + OneLine(m) + "\r\n";
        } else {
            text += "\r\n\r\n";
        }
    }
    const WriteOutcome outcome = WriteFileReplacing(name, text, true);
    switch (outcome.stage) {
        case WriteOutcome::Stage::Done: return "";
        case WriteOutcome::Stage::Backup:
            return "Fehler beim Anlegen der Sicherungskopie (Umbenennen nach " + outcome.path + ")";
        case WriteOutcome::Stage::Write:
            if (outcome.written < firstLine.size()) break;  // the description line did not fit
            return "Fehler beim Schreiben der Vokabeln in die Pelko für DOS-Datei " + Quoted(name) + "." +
                   LostContentNote(outcome);
        case WriteOutcome::Stage::Create:
        case WriteOutcome::Stage::Open:
        case WriteOutcome::Stage::Replace: break;
    }
    return "Exception beim Öffnen der Pelko für DOS-Datei " + Quoted(name) + " zum Schreibzugriff." +
           LostContentNote(outcome);
}
