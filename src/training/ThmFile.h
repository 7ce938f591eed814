#pragma once
// Hangman information files: three text lines, the picture file name with
// "#" where the picture number goes, the first and the last picture number
// (0 to 255; the series may count down).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct ThmInfo {
    std::string pattern;  // as written, "\" turned into "/"
    uint8_t first = 0;
    uint8_t last = 0;
};

// Nothing unless the three lines are there and both numbers are whole
// numbers of 0 to 255. The pattern may lack "#"; that is checked apart.
std::optional<ThmInfo> ParseThm(const std::string& bytes);

// The pattern with its first "#" replaced by n in decimal.
std::string PictureName(const std::string& pattern, int n);

inline const char* const kThmReadErrorStart = "Fehler beim Lesen der Hangman-Informationsdatei ";
inline const char* const kThmReadErrorEnd =
    ". Überprüfen Sie, ob die Datei existiert und das korrekte Format hat.";
inline const char* const kThmNoHashText =
    "Ungültige Dateinamen: Das Zeichen # muß enthalten sein und die Position der Bildnummern im Dateinamen "
    "angeben!";
inline const char* const kThmNoPicturesText =
    "Konnte die Hangman-Bilder nicht finden. Hangman-Informations-Datei muss im selben Verzeichnis wie die Bilder "
    "sein.";
inline constexpr int kHangmanHelpContext = 611;

// A series ready to show, or what went wrong.
struct ThmSeries {
    enum class Error { None, Read, NoHash, NoPictures };
    Error error = Error::None;
    ThmInfo info;  // pattern resolved against the information file's folder when needed
};

// The whole file; false when it cannot be read (missing, a folder, ...).
bool ReadFileBytes(const std::string& path, std::string& bytes);

using FileProbe = std::function<bool(const std::string& path)>;

// Reads the information file and finds its pictures: the pattern as given
// when the first picture exists so, else beside the information file.
ThmSeries LoadThmSeries(const std::string& infoFileName, const FileProbe& fileExists);
