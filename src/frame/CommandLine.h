#pragma once
// The main program's start arguments and the text a second start hands over.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// True for a path that names a regular file.
using FileProbe = std::function<bool(const std::string& path)>;
bool IsExistingFile(const std::string& path);

// The path of the running executable ("" when it cannot be read).
std::string OwnExecutablePath();

// ---- Start arguments --------------------------------------------------------

// StartMode: 0 none, 1 learning ("/L"), 2 quiz ("/A"), 3 hangman ("/H").
inline constexpr uint8_t kStartNone = 0;
inline constexpr uint8_t kStartLearning = 1;
inline constexpr uint8_t kStartQuiz = 2;
inline constexpr uint8_t kStartHangman = 3;

struct StartArguments {
    std::vector<std::string> files;  // to open, in order, absolute
    std::string missing;             // the names left over that name no file
    uint8_t startMode = kStartNone;
};

// A switch is "/" and a letter, nothing more: "/home/..." is a path. The last
// switch wins; other letters are ignored. Other arguments are joined with one
// blank until they name an existing file, so a name with blanks that arrived
// in pieces is found whole. Relative names are taken against cwd.
StartArguments ParseStartArguments(const std::vector<std::string>& args, const std::string& cwd,
                                   const FileProbe& isFile = IsExistingFile);

// "Kann Datei <name> nicht finden."
std::string CannotFindFileText(const std::string& name);

// ---- Hand-over --------------------------------------------------------------

// What a start sends: every argument in double quotes, the program path
// first; arguments that name an existing file or folder are made absolute
// against cwd. A double quote or a backslash inside an argument gets a
// backslash before it, so any name a file may have arrives whole.
std::string BuildHandOverCommandLine(const std::string& programPath, const std::vector<std::string>& args,
                                     const std::string& cwd);

// The tokens of a handed-over text, first to last: a token that begins with
// a double quote runs to the next one that no backslash escapes (or to the
// end) and is taken whole, its escapes undone; any other runs up to the next
// blank and is trimmed. Empty tokens are dropped.
std::vector<std::string> SplitHandedOverCommandLine(const std::string& text);

// The names of a handed-over text to open, in the order they are handled:
// last token first, so the first one ends up active. Skipped: the first
// token (the sender's program path, whichever copy of the program sent it),
// tokens that contain ".EXE" in any case, the receiver's own executable, and
// tokens that name no file (switches fall out here).
std::vector<std::string> HandedOverFilesToOpen(const std::string& text, const std::string& ownExecutable,
                                               const FileProbe& isFile = IsExistingFile);
