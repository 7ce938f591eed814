#include "documents/LoadSave.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "documents/AppTools.h"
#include "documents/VOKConvert.h"
#include "platform/Dialogs.h"
#include "platform/Random.h"

namespace {

// Length byte and text, Windows-1252.
const char kVocabularyMagic[] = "\x21Pelko-Vokabeldatei f\xfc" "r Windows 95";
constexpr std::size_t kVocabularyMagicSize = 34;
const char kTemplateMagic[] = "\x0fPelko32-Vorlage";
constexpr std::size_t kTemplateMagicSize = 16;

constexpr std::size_t kOldFontBlockRead = 290;
constexpr std::size_t kPasswordBlockSize = 30;
constexpr std::size_t kMaxPasswordLength = 15;

const std::string kTooNew =
    "Die Version der zu öffnenden Datei ist zu neu. Diese Version von Pelko32 kann diese Datei nicht öffnen. "
    "Laden Sie aus dem Internet die neuste Version herunter.";
const std::string kReadOnly =
    "Die angegebene Datei ist schreibgeschützt. Geben Sie der Datei einen anderen Namen.";
const std::string kUnexpectedEnd = "Die Datei scheint beschädigt zu sein: Unerwartetes Dateiende";
const std::string kDiskFull = " schreiben. Eventuell ist die Festplatte/Diskette voll.";

LoadResult Failure(LoadResult result, std::string message) {
    result.Message = std::move(message);
    return result;
}

std::string ShortReadMessage(std::size_t count, const std::string& fileName) {
    return "Konnte nur " + std::to_string(count) + " Bytes aus der Datei " + Quoted(fileName) + " lesen.";
}

std::string ShortFontReadMessage(std::size_t count, const std::string& fileName) {
    return "Konnte nur " + std::to_string(count + 360) + " Bytes der Schriftarten-Informationen aus der Datei " +
           Quoted(fileName) + " lesen.";
}

// Length bytes beyond a field's size would otherwise travel on.
void ClampFields(VokabelTyp& record) {
    for (int k = 1; k <= 7; ++k) {
        record.Field(k).Set(record.Field(k).Get());
    }
}

void ClampFontNames(SchriftartenTyp& fonts) {
    for (SchriftartTyp* font :
         {&fonts.TableMS, &fonts.TableFS, &fonts.TableHeader, &fonts.PrintMS, &fonts.PrintFS, &fonts.Print}) {
        font->Name.Set(font->Name.Get());
    }
}

SchriftartTyp* FontAt(SchriftartenTyp& fonts, int i) {
    SchriftartTyp* all[] = {&fonts.TableMS, &fonts.TableFS, &fonts.TableHeader,
                            &fonts.PrintMS, &fonts.PrintFS, &fonts.Print};
    return all[i];
}

std::string JoinDescription(const DateiKopfTyp& header) {
    std::string description;
    for (int k = 3; k <= 7; ++k) {
        description += header.Field(k).Get();
    }
    return description;
}

DateiKopfTyp MakeHeader(const char* magic, std::size_t magicSize, const std::string& description, uint16_t version) {
    DateiKopfTyp header{};
    header.FS1.Set(std::string(magic + 1, magicSize - 1));
    const std::string text = description.substr(0, kMaxDescription);
    for (std::size_t piece = 0; piece * 50 < text.size(); ++piece) {
        header.Field(int(piece) + 3).Set(text.substr(piece * 50, 50));
    }
    header.InUse = 1;
    header.Reserve = version;
    return header;
}

template <typename T>
void Append(std::string& out, const T& record) {
    out.append(reinterpret_cast<const char*>(&record), sizeof record);
}

// Reads the whole old font block (six records without Charset, HeaderFonts,
// Present) into fonts; false when it is short, with the bytes read.
bool ReadOldFontBlock(ByteSource& in, SchriftartenTyp& fonts, std::size_t& count) {
    uint8_t block[kOldFontBlockRead];
    count = in.Read(block, sizeof block);
    if (count < sizeof block) {
        return false;
    }
    for (int i = 0; i < 6; ++i) {
        SchriftartAltTyp old;
        std::memcpy(&old, block + 48 * i, sizeof old);
        FontRecOldToNew(old, *FontAt(fonts, i));
    }
    fonts.HeaderFonts = block[288];
    return true;
}

void AppendOldFontBlock(std::string& out, const SchriftartenTyp& fonts) {
    SchriftartenTyp copy = fonts;
    for (int i = 0; i < 6; ++i) {
        SchriftartAltTyp old;
        FontRecNewToOld(*FontAt(copy, i), old);
        Append(out, old);
    }
    out.push_back(char(fonts.HeaderFonts));
    out.push_back(char(fonts.Present));
    out.append(2, '\0');
}

// Asks for the read password until its check value matches; a message when
// the user gives up.
std::string AskReadPassword(const std::string& fileName, uint32_t stored, std::string& password) {
    const std::string prompt = "Kennwort zum Lesen der Datei " + Quoted(FileNameOnly(fileName)) + " eingeben:";
    for (int attempt = 1;; ++attempt) {
        const std::string typed = platform::Dialogs().AskPassword(prompt);
        if (typed == platform::kCancelMarker) {
            return "Das Lese-Kennwort wurde nicht eingegeben.";
        }
        // The last text typed stays the read password, also after three misses.
        password = typed;
        if (PasswordCheckValue(typed) == stored) {
            return "";
        }
        if (attempt == 3) {
            return "Das Kennwort wurde 3 mal falsch eingegeben. Datei kann nicht geöffnet werden.";
        }
    }
}

std::string DecodeWritePassword(const uint8_t (&block)[kPasswordBlockSize], uint8_t flags) {
    const bool layout = (flags & kFlagLayout) != 0;
    const std::size_t length = std::min<std::size_t>(block[layout ? 6 : 7], kMaxPasswordLength);
    std::string password;
    for (std::size_t k = 1; k <= length; ++k) {
        password.push_back(char(layout ? block[31 - 2 * k] ^ kPasswordMask1 : block[30 - 2 * k] ^ kPasswordMask2));
    }
    return password;
}

// One section of a file being written, for the message of a short write.
struct Section {
    enum Kind { Header, ColumnNames, Fonts, Passwords, RawEntry, CompactEntry };
    std::size_t end;  // offset just after the section
    Kind kind;
    int row;
};

std::string ShortWriteMessage(const std::vector<Section>& sections, std::size_t written, const std::string& name) {
    std::size_t start = 0;
    for (const Section& s : sections) {
        if (written < s.end) {
            const std::string q = Quoted(name);
            switch (s.kind) {
                case Section::Header:
                case Section::ColumnNames:
                    return "Konnte nur " + std::to_string(written) + " Bytes in die Datei " + q + kDiskFull;
                case Section::Fonts:
                    return "Konnte nur " + std::to_string(written - start + 360) +
                           " Bytes der Schriftarten-Informationen in die Datei " + q + kDiskFull;
                case Section::Passwords: return "Konnte nicht in die Datei " + q + kDiskFull;
                case Section::RawEntry:
                    return "Fehler beim Schreiben des Vokabel-Arrays bei Vokabel Nr. " + std::to_string(s.row) +
                           ". Eventuell ist die Festplatte/Diskette voll.";
                case Section::CompactEntry:
                    return "Fehler beim Schreiben der Vokabel bei Vokabel Nr. " + std::to_string(s.row) +
                           ". Eventuell ist die Festplatte/Diskette voll.";
            }
        }
        start = s.end;
    }
    return "";
}

std::string SaveMessage(const WriteOutcome& outcome, const std::vector<Section>& sections, const std::string& name) {
    if (outcome.stage == WriteOutcome::Stage::Write) {
        const std::string message = ShortWriteMessage(sections, outcome.written, name);
        if (!message.empty()) {
            return message + LostContentNote(outcome);
        }
    }
    return WriteFailureMessage(outcome);
}

std::string VocabularyBytes(const VocabularyFileData& data, uint16_t version, std::vector<Section>& sections) {
    std::string out;
    out.reserve(2048 + 64 * kMaxEntries);
    Append(out, MakeHeader(kVocabularyMagic, kVocabularyMagicSize, data.Description, version));
    sections.push_back({out.size(), Section::Header, 0});
    if (version >= 11) {
        Append(out, data.ColumnNames);
        sections.push_back({out.size(), Section::ColumnNames, 0});
    }
    if (version >= 12 && version <= 14) {
        AppendOldFontBlock(out, data.Fonts);
        sections.push_back({out.size(), Section::Fonts, 0});
    } else if (version >= 15) {
        Append(out, data.Fonts);
        sections.push_back({out.size(), Section::Fonts, 0});
    }
    const bool scramble = version >= 14 && !data.ReadPassword.empty();
    if (version >= 14) {
        uint8_t flags = uint8_t(platform::Random(256));
        flags = uint8_t((flags & ~(kFlagReadCheck | kFlagWritePassword)) |
                        (data.ReadPassword.empty() ? 0 : kFlagReadCheck) |
                        (data.WritePassword.empty() ? 0 : kFlagWritePassword));
        out.push_back(char(flags));
        if (!data.WritePassword.empty()) {
            char block[kPasswordBlockSize];
            for (char& b : block) {
                b = char(platform::Random(256));
            }
            const bool layout = (flags & kFlagLayout) != 0;
            const std::size_t length = std::min(data.WritePassword.size(), kMaxPasswordLength);
            for (std::size_t k = 1; k <= length; ++k) {
                const auto c = uint8_t(data.WritePassword[k - 1]);
                if (layout) {
                    block[31 - 2 * k] = char(c ^ kPasswordMask1);
                } else {
                    block[30 - 2 * k] = char(c ^ kPasswordMask2);
                }
            }
            block[layout ? 6 : 7] = char(length);
            out.append(block, sizeof block);
        }
        if (!data.ReadPassword.empty()) {
            Append(out, LE32(PasswordCheckValue(data.ReadPassword)));
        }
        sections.push_back({out.size(), Section::Passwords, 0});
    }
    // An empty list still writes its first row.
    const int last = std::max(1, LastUsedRow(data.Entries));
    for (int row = 1; row <= last; ++row) {
        VokabelTyp entry = data.Entries[row];
        RecomputeInUse(entry);
        if (version <= 12) {
            Append(out, entry);
            sections.push_back({out.size(), Section::RawEntry, row});
            continue;
        }
        std::string text;
        for (int k = 1; k <= 7; ++k) {
            out.push_back(char(entry.Field(k).Length()));
            text += entry.Field(k).Get();
        }
        Append(out, entry.Reserve);
        out += scramble ? CryptEntryText(text, data.ReadPassword) : text;
        sections.push_back({out.size(), Section::CompactEntry, row});
    }
    return out;
}

// Fills the entries from startRow on; a message when a record is damaged.
std::string ReadEntries(ByteSource& in, uint8_t version, uint8_t inUse, const std::string& password,
                        VokabelArrayTyp& entries, int startRow) {
    const bool scramble = version >= 14 && !password.empty();
    std::string text;
    for (int row = std::max(startRow, 1); row <= kMaxEntries;) {
        if (version <= 12) {
            VokabelTyp entry;
            const std::size_t got = in.Read(&entry, sizeof entry);
            if (got == 0) {
                break;
            }
            if (got < sizeof entry) {
                return "Dateiende beim Lesen eines Arrays. Eventuell ist die Datei beschädigt.";
            }
            ClampFields(entry);
            RecomputeInUse(entry);
            entries[row++] = entry;
            continue;
        }
        uint8_t lengths[7];
        const std::size_t got = in.Read(lengths, sizeof lengths);
        if (got == 0) {
            break;
        }
        LE16 reserve;
        if (got < sizeof lengths || in.Read(&reserve, sizeof reserve) < sizeof reserve) {
            return "Fehler beim Einlesen der Vokabelgröße";
        }
        std::size_t total = 0;
        for (uint8_t n : lengths) {
            total += n;
        }
        if (total == 0) {
            continue;  // an empty row: the compact versions keep no gaps
        }
        text.resize(total);
        if (in.Read(text.data(), total) < total) {
            return "Fehler beim Einlesen der Vokabel";
        }
        if (scramble) {
            text = CryptEntryText(text, password);
        }
        VokabelTyp entry{};
        std::size_t pos = 0;
        for (int k = 1; k <= 7; ++k) {
            entry.Field(k).Set(std::string_view(text).substr(pos, lengths[k - 1]));
            pos += lengths[k - 1];
        }
        entry.InUse = inUse;
        entry.Reserve = reserve;
        entries[row++] = entry;
    }
    return "";
}

// Splits one line of semicolon text into the seven fields of an entry.
void SplitCsvLine(const std::string& line, VokabelTyp& entry) {
    std::size_t pos = 0;
    for (int k = 1; k <= 7; ++k) {
        if (pos > line.size()) {
            entry.Field(k).Clear();
            continue;
        }
        const std::size_t semicolon = std::min(line.find(';', pos), line.size());
        entry.Field(k).Set(std::string_view(line).substr(pos, std::min<std::size_t>(semicolon - pos, 50)));
        pos = semicolon + 1;
    }
}

std::string CsvLine(const VokabelTyp& entry) {
    std::string line = entry.Field(1).Get();
    for (int k = 2; k <= 7; ++k) {
        line += ';' + entry.Field(k).Get();
    }
    return OneLine(line) + "\r\n";  // a line break inside would split the entry
}

// Asks for the write password of the file about to be overwritten; a
// message when the user gives up.
std::string AskWritePassword(const std::string& password) {
    for (int attempt = 1;; ++attempt) {
        const std::string typed = platform::Dialogs().AskPassword("Bitte das Schreibschutzkennwort eingeben:");
        if (typed == platform::kCancelMarker) {
            return "Das Schreibschutzkennwort wurde nicht eingegeben. Datei nicht gespeichert!";
        }
        if (typed == password) {
            return "";
        }
        if (attempt == 3) {
            return "Das Schreibschutzkennwort wurde 3 mal falsch eingegeben. Speichern nicht möglich.";
        }
    }
}

}  // namespace

uint32_t PasswordCheckValue(const std::string& password) {
    uint32_t sum = 0;
    for (std::size_t k = 1; k <= password.size(); ++k) {
        sum += uint32_t(uint8_t(password[k - 1])) << (k % 32);
    }
    return sum;
}

std::string CryptEntryText(const std::string& text, const std::string& password) {
    std::string out = text;
    const std::size_t n = password.size();
    for (std::size_t i = 0; i < out.size(); ++i) {
        // The key is the password repeated, starting at its third character.
        out[i] = char(uint8_t(out[i]) ^ uint8_t(password[(i + 2) % n]) ^ kTextMask);
    }
    return out;
}

LoadResult ReadVocabularyBytes(ByteSource& in, const std::string& fileName, VocabularyFileData& data, int startRow) {
    LoadResult result;
    data.Fonts.Present = 0;
    DateiKopfTyp header;
    std::size_t got = in.Read(&header, sizeof header);
    if (got < sizeof header) {
        return Failure(result, ShortReadMessage(got, fileName));
    }
    if (header.InUse == 0 || std::memcmp(&header, kVocabularyMagic, kVocabularyMagicSize) != 0) {
        return Failure(result, "Dies ist keine Pelko-Vokabeldatei.");
    }
    const uint8_t version = reinterpret_cast<const uint8_t*>(&header)[358];
    if (version > 15) {
        return Failure(result, kTooNew);
    }
    result.Version = version;
    data.Description = JoinDescription(header);

    if (version >= 11) {
        SpaltennamenTyp names;
        got = in.Read(&names, sizeof names);
        if (got < sizeof names) {
            return Failure(result, ShortReadMessage(got + 360, fileName));
        }
        ClampFields(names);
        data.ColumnNames = names;
    }
    if (version >= 12 && version <= 14) {
        SchriftartenTyp fonts = data.Fonts;
        if (!ReadOldFontBlock(in, fonts, got)) {
            return Failure(result, ShortFontReadMessage(got, fileName));
        }
        uint8_t ignored[2];
        in.Read(ignored, sizeof ignored);
        fonts.Present = 1;
        data.Fonts = fonts;
    } else if (version >= 15) {
        SchriftartenTyp fonts;
        got = in.Read(&fonts, sizeof fonts);
        if (got < sizeof fonts) {
            return Failure(result, ShortFontReadMessage(got, fileName));
        }
        ClampFontNames(fonts);
        fonts.Present = 1;
        data.Fonts = fonts;
    }
    if (version >= 14) {
        uint8_t flags = 0;
        if (in.Read(&flags, 1) < 1) {
            return Failure(result, kUnexpectedEnd);
        }
        if (flags & kFlagWritePassword) {
            uint8_t block[kPasswordBlockSize];
            if (in.Read(block, sizeof block) < sizeof block) {
                return Failure(result, kUnexpectedEnd);
            }
            data.WritePassword = DecodeWritePassword(block, flags);
        }
        data.ReadPassword.clear();
        if (flags & kFlagReadCheck) {
            LE32 check;
            if (in.Read(&check, sizeof check) < sizeof check) {
                return Failure(result, kUnexpectedEnd);
            }
            std::string message = AskReadPassword(fileName, check, data.ReadPassword);
            if (!message.empty()) {
                return Failure(result, std::move(message));
            }
        }
    }
    return Failure(result, ReadEntries(in, version, header.InUse, data.ReadPassword, data.Entries, startRow));
}

LoadResult LoadVocabularyFile(const std::string& fileName, VocabularyFileData& data, bool allowAnyExtension,
                              int startRow, const FileFormatOptions& options) {
    const std::string name = TrimCopy(fileName);
    data.Fonts.Present = 0;
    const std::string extension = LastThreeUpper(name);
    if (extension == "CSV") {
        return ImportCsv(name, data, startRow);
    }
    if (extension == "VOK" || (extension != "PLK" && !allowAnyExtension)) {
        return ReadDosVocabularyFile(name, data.Description, data.Entries, startRow, options);
    }
    FileSource source;
    if (const int error = source.Open(name)) {
        return Failure(LoadResult{}, OpenFailureMessage(name, error));
    }
    return ReadVocabularyBytes(source, name, data, startRow);
}

uint16_t EffectiveSaveVersion(const std::string& fileName, uint16_t version) {
    const std::string extension = LastThreeUpper(fileName);
    if (extension == "VOK") {
        return 0;
    }
    if (version > 15 || (version == 0 && extension == "PLK")) {
        return 15;
    }
    return version;
}

std::string SaveVocabularyFile(const std::string& fileName, const VocabularyFileData& data, uint16_t version,
                               const FileFormatOptions& options) {
    if (IsFileReadOnly(fileName)) {
        return kReadOnly;
    }
    if (!data.WritePassword.empty() && FileExists(fileName)) {
        std::string message = AskWritePassword(data.WritePassword);
        if (!message.empty()) {
            return message;
        }
    }
    version = EffectiveSaveVersion(fileName, version);
    if (version == 0) {
        return WriteDosVocabularyFile(fileName, data.Description, data.Entries, options);
    }
    std::vector<Section> sections;
    const std::string bytes = VocabularyBytes(data, version, sections);
    const WriteOutcome outcome =
        WriteFileReplacing(fileName, bytes, options.Sicherungskopien);
    return SaveMessage(outcome, sections, fileName);
}

std::string ReadTemplateBytes(ByteSource& in, const std::string& fileName, VocabularyFileData& data) {
    data.Fonts.Present = 0;
    DateiKopfTyp header;
    std::size_t got = in.Read(&header, sizeof header);
    if (got < sizeof header) {
        return ShortReadMessage(got, fileName);
    }
    if (header.InUse == 0 || std::memcmp(&header, kTemplateMagic, kTemplateMagicSize) != 0) {
        return "Dies ist keine gültige Pelko32-Vorlage.";
    }
    const uint8_t version = reinterpret_cast<const uint8_t*>(&header)[358];
    if (version > 11) {
        return kTooNew;
    }
    data.Description = JoinDescription(header);
    SpaltennamenTyp names;
    got = in.Read(&names, sizeof names);
    if (got < sizeof names) {
        return ShortReadMessage(got + 360, fileName);
    }
    ClampFields(names);
    data.ColumnNames = names;
    SchriftartenTyp fonts = data.Fonts;
    if (version == 11) {
        got = in.Read(&fonts, sizeof fonts);
        if (got < sizeof fonts) {
            return ShortFontReadMessage(got, fileName);
        }
        ClampFontNames(fonts);
    } else if (!ReadOldFontBlock(in, fonts, got)) {
        return ShortFontReadMessage(got, fileName);
    }
    fonts.Present = 1;  // only once the whole block is read
    data.Fonts = fonts;
    return "";
}

std::string LoadTemplate(const std::string& name, VocabularyFileData& data) {
    const std::string fileName = TrimCopy(name.empty() ? name : name.substr(0, name.size() - 1));
    data.Fonts.Present = 0;
    FileSource source;
    if (const int error = source.Open(fileName)) {
        return OpenFailureMessage(fileName, error);
    }
    return ReadTemplateBytes(source, fileName, data);
}

std::string SaveTemplate(const std::string& name, const VocabularyFileData& data, const FileFormatOptions& options) {
    if (IsFileReadOnly(name)) {
        return kReadOnly;
    }
    std::string bytes;
    Append(bytes, MakeHeader(kTemplateMagic, kTemplateMagicSize, data.Description, 11));
    Append(bytes, data.ColumnNames);
    Append(bytes, data.Fonts);
    const std::vector<Section> sections = {
        {360, Section::Header, 0}, {720, Section::ColumnNames, 0}, {1016, Section::Fonts, 0}};
    const WriteOutcome outcome =
        WriteFileReplacing(name, bytes, options.Sicherungskopien);
    return SaveMessage(outcome, sections, name);
}

std::string ExportCsv(const std::string& name, const VokabelArrayTyp& entries, const SpaltennamenTyp& columnNames) {
    if (IsFileReadOnly(name)) {
        return kReadOnly;
    }
    std::string text = CsvLine(columnNames);
    const int last = std::max(1, LastUsedRow(entries));
    for (int row = 1; row <= last; ++row) {
        text += CsvLine(entries[row]);
    }
    return WriteFailureMessage(WriteFileReplacing(name, text, false));
}

void ReadCsvBytes(ByteSource& source, VocabularyFileData& data, int startRow) {
    data.Description = "CVS Import";
    LineReader lines(source);
    SplitCsvLine(lines.ReadLine(), data.ColumnNames);
    // At least one line after the captions, even at the end of the file.
    for (int row = std::max(startRow, 1); row <= kMaxEntries;) {
        VokabelTyp& entry = data.Entries[row++];
        SplitCsvLine(lines.ReadLine(), entry);
        entry.InUse = 1;
        if (lines.AtEnd()) {
            break;
        }
    }
}

LoadResult ImportCsv(const std::string& name, VocabularyFileData& data, int startRow) {
    LoadResult result;
    result.Kind = FileKind::SemicolonText;
    const std::string fileName = TrimCopy(name);
    data.Fonts.Present = 0;
    FileSource source;
    if (const int error = source.Open(fileName)) {
        return Failure(result, OpenFailureMessage(fileName, error));
    }
    ReadCsvBytes(source, data, startRow);
    if (source.Failed()) {
        return Failure(result, "Die Datei " + Quoted(fileName) + " kann nicht gelesen werden: " +
                                   SystemErrorText(EIO) + ".");
    }
    return result;
}
