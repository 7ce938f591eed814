#include "frame/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "documents/AppTools.h"

namespace fs = std::filesystem;

namespace {

bool IsSwitch(const std::string& arg) {
    return arg.size() == 2 && arg[0] == '/' && std::isalpha(static_cast<unsigned char>(arg[1]));
}

std::string Absolute(const std::string& cwd, const std::string& name) {
    fs::path path(name);
    if (path.is_relative()) {
        path = fs::path(cwd) / path;
    }
    return path.lexically_normal().string();
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool ContainsExe(const std::string& token) {
    for (size_t i = 0; i + 4 <= token.size(); ++i) {
        if (token[i] == '.' && UpAscii(token[i + 1]) == 'E' && UpAscii(token[i + 2]) == 'X' &&
            UpAscii(token[i + 3]) == 'E') {
            return true;
        }
    }
    return false;
}

// The characters a backslash escapes inside a quoted argument.
bool IsEscaped(char c) {
    return c == '"' || c == '\\';
}

// In double quotes, with a backslash before each escaped character.
std::string Quoted(const std::string& arg) {
    std::string quoted = "\"";
    for (char c : arg) {
        if (IsEscaped(c)) {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return !b.empty() && fs::equivalent(a, b, ec);
}

}  // namespace

bool IsExistingFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

std::string OwnExecutablePath() {
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).string();
}

StartArguments ParseStartArguments(const std::vector<std::string>& args, const std::string& cwd,
                                   const FileProbe& isFile) {
    StartArguments result;
    std::string name;
    for (const std::string& arg : args) {
        if (IsSwitch(arg)) {
            switch (UpAscii(arg[1])) {
            case 'L':
                result.startMode = kStartLearning;
                break;
            case 'A':
                result.startMode = kStartQuiz;
                break;
            case 'H':
                result.startMode = kStartHangman;
                break;
            default:
                break;
            }
            continue;
        }
        name = name.empty() ? arg : name + " " + arg;
        std::string path = Absolute(cwd, name);
        if (isFile(path)) {
            result.files.push_back(path);
            name.clear();
        }
    }
    result.missing = name;
    return result;
}

std::string CannotFindFileText(const std::string& name) {
    return "Kann Datei " + name + " nicht finden.";
}

std::string BuildHandOverCommandLine(const std::string& programPath, const std::vector<std::string>& args,
                                     const std::string& cwd) {
    std::string text = Quoted(programPath);
    for (const std::string& arg : args) {
        std::error_code ec;
        bool exists = !arg.empty() && fs::exists(fs::path(cwd) / arg, ec);
        text += " " + Quoted(exists ? Absolute(cwd, arg) : arg);
    }
    return text;
}

std::vector<std::string> SplitHandedOverCommandLine(const std::string& text) {
    std::vector<std::string> tokens;
    size_t pos = 0;
    const size_t end = text.size();
    auto skipBlanks = [&] {
        while (pos < end && IsBlankOrControl(text[pos])) {
            ++pos;
        }
    };
    skipBlanks();
    while (pos < end) {
        std::string token;
        if (text[pos] == '"') {
            // Taken whole, blanks included: the sender's argument as it was.
            for (++pos; pos < end && text[pos] != '"'; ++pos) {
                if (text[pos] == '\\' && pos + 1 < end && IsEscaped(text[pos + 1])) {
                    ++pos;
                }
                token += text[pos];
            }
        } else {
            const size_t stop = std::min(text.find(' ', pos), end);
            token = TrimCopy(text.substr(pos, stop - pos));
            pos = stop;
        }
        if (!token.empty()) {
            tokens.push_back(std::move(token));
        }
        // Past the closing quote or the blank.
        pos = pos < end ? pos + 1 : end;
        skipBlanks();
    }
    return tokens;
}

std::vector<std::string> HandedOverFilesToOpen(const std::string& text, const std::string& ownExecutable,
                                               const FileProbe& isFile) {
    std::vector<std::string> tokens = SplitHandedOverCommandLine(text);
    std::vector<std::string> files;
    // Down to the second token: the first is the sender's program path.
    for (size_t i = tokens.size(); i > 1; --i) {
        const std::string& token = tokens[i - 1];
        if (!ContainsExe(token) && !IsSameFile(token, ownExecutable) && isFile(token)) {
            files.push_back(token);
        }
    }
    return files;
}
