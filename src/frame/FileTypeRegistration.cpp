#include "frame/FileTypeRegistration.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAskRegistration =
    "Möchten Sie, daß Pelko32 ab sofort automatisch gestartet wird, wenn Sie auf eine Vokabeldatei doppelklicken? "
    "HINWEIS: Unter Windows 2000 und XP werden hierfür Administrator-Rechte benötigt.";
constexpr const char* kRegistryError =
    "Exception beim Schreiben in die Registry. Bitte beachten Sie, dass unter Windows 2000 und XP "
    "Administrator-Rechte benötigt werden!";
constexpr int kRegistrationHelpContext = 2001;
constexpr const char* kTypeDescription = "Pelko32- Vokabeldatei";

void OpenOrThrow(platform::TRegistry& registry, const std::string& key) {
    if (!registry.OpenKey(key, true)) throw platform::ERegistryException("cannot open key " + key);
}

// The string escapes every desktop entry value takes.
std::string EscapeValue(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
    return out;
}

// One quoted argument of an Exec line; the field code escape comes first.
std::string QuotedExecArgument(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        if (c == '%') out += '%';
        out += c;
    }
    return out + "\"";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());  // throws fs::filesystem_error
    const fs::path temp = path.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) throw std::runtime_error("cannot write " + temp.string());
    }
    fs::rename(temp, path);
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string MimePackageText() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"") +
           kPlkMimeType + "\">\n    <comment>" + kTypeDescription + "</comment>\n    <icon name=\"" + kFileIconName +
           "\"/>\n    <glob pattern=\"*.plk\"/>\n  </mime-type>\n</mime-info>\n";
}

// Each size of an icon that ships (stem + "-48.png", ...) into the icon
// theme's folder of that size. A missing size leaves the desktop's generic
// picture; that is no reason to fail the registration.
void CopyIcons(const std::string& stem, const fs::path& theme, const fs::path& name) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const fs::path source = stem + "-" + std::to_string(size) + ".png";
        if (!fs::is_regular_file(source)) continue;
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        WriteFile(theme / folder / name, ReadFile(source));
    }
}

std::string EnvOr(const char* name, const std::string& fallbackBelowHome) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/" + fallbackBelowHome;
}

}  // namespace

FileTypeData ProgramFileTypeData() {
    const std::string folder = platform::ProgramFolder();
    return {folder + "Pelko32", folder + "plkfile.ico", folder + "Symbole/"};
}

void WriteClassesRootKeys(platform::TRegistry& classesRoot, const FileTypeData& data) {
    OpenOrThrow(classesRoot, "\\PLKFile");
    classesRoot.WriteString("", kTypeDescription);
    classesRoot.WriteBinaryData("EditFlags", {0, 0, 0, 0});
    OpenOrThrow(classesRoot, "Shell");
    classesRoot.WriteString("", "Öffnen");
    OpenOrThrow(classesRoot, "Öffnen");
    OpenOrThrow(classesRoot, "Command");
    classesRoot.WriteString("", "\"" + data.programPath + "\" \"%1\"");
    OpenOrThrow(classesRoot, "\\PLKFile\\DefaultIcon");
    classesRoot.WriteString("", data.iconPath);
    OpenOrThrow(classesRoot, "\\.plk");
    classesRoot.WriteString("", "PLKFile");
    classesRoot.CloseKey();
}

XdgFolders XdgFoldersFromEnvironment() {
    return {EnvOr("XDG_DATA_HOME", ".local/share"), EnvOr("XDG_CONFIG_HOME", ".config")};
}

std::string DesktopEntryText(const FileTypeData& data) {
    return std::string("[Desktop Entry]\nType=Application\nName=Pelko32\nComment=") + kTypeDescription +
           "\nExec=" + EscapeValue(QuotedExecArgument(data.programPath)) + " %f\nIcon=" + kProgramIconName +
           "\nMimeType=" + kPlkMimeType + ";\nTerminal=false\n";
}

std::string WithDefaultApplication(const std::string& mimeapps) {
    const std::string group = "[Default Applications]";
    const std::string entry = std::string(kPlkMimeType) + "=" + kDesktopEntryName;
    std::vector<std::string> lines;
    std::istringstream in(mimeapps);
    for (std::string line; std::getline(in, line);) lines.push_back(line);

    size_t start = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Trimmed(lines[i]) == group) start = i;
    }
    if (start == lines.size()) {
        if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
        lines.push_back(group);
        lines.push_back(entry);
    } else {
        size_t insertAt = start + 1;
        bool replaced = false;
        for (size_t i = start + 1; i < lines.size() && Trimmed(lines[i]).rfind('[', 0) != 0; ++i) {
            const std::string line = Trimmed(lines[i]);
            if (line.empty() || line[0] == '#') continue;
            insertAt = i + 1;
            if (Trimmed(line.substr(0, line.find('='))) == kPlkMimeType) {
                lines[i] = entry;
                replaced = true;
            }
        }
        if (!replaced) lines.insert(lines.begin() + std::ptrdiff_t(insertAt), entry);
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

FreedesktopRegistrar::FreedesktopRegistrar(XdgFolders folders, ToolRunner runTool)
    : folders_(std::move(folders)), runTool_(std::move(runTool)) {}

void FreedesktopRegistrar::Register(const FileTypeData& data) {
    const fs::path mime = fs::path(folders_.dataHome) / "mime";
    WriteFile(mime / "packages" / "pelko32.xml", MimePackageText());
    WriteFile(fs::path(folders_.dataHome) / "applications" / kDesktopEntryName, DesktopEntryText(data));
    const fs::path icons = fs::path(folders_.dataHome) / "icons" / "hicolor";
    CopyIcons(data.iconFolder + "pelko32", icons, fs::path("apps") / (std::string(kProgramIconName) + ".png"));
    CopyIcons(data.iconFolder + "plkfile", icons, fs::path("mimetypes") / (std::string(kFileIconName) + ".png"));
    const fs::path mimeapps = fs::path(folders_.configHome) / "mimeapps.list";
    WriteFile(mimeapps, WithDefaultApplication(ReadFile(mimeapps)));
    if (runTool_) {
        runTool_("update-mime-database", {mime.string()});
        runTool_("update-desktop-database", {(fs::path(folders_.dataHome) / "applications").string()});
    }
}

bool RegisterFileType(bool fromButton, platform::TRegistry& currentUser, platform::TRegistry& classesRoot,
                      FileTypeRegistrar& desktop, platform::DialogSeam& dialogs, const FileTypeData& data) {
    try {
        const bool opened = currentUser.OpenKey("\\Software\\Pelko32", false);
        if (opened && !currentUser.ValueExists("Installation") && !fromButton) return true;
        // The installer leaves the value so that the first start asks once.
        const bool deleted = opened && currentUser.DeleteValue("Installation");
        if (deleted) currentUser.CloseKey();
        if (!deleted && !fromButton) return false;
        if (dialogs.MessageDlg(kAskRegistration, platform::MsgDlgType::Confirmation,
                               platform::mbYes | platform::mbNo | platform::mbHelp,
                               kRegistrationHelpContext) != platform::ModalResult::Yes) {
            return false;
        }
        WriteClassesRootKeys(classesRoot, data);
        desktop.Register(data);
        return true;
    } catch (const std::exception&) {
        dialogs.MessageDlg(kRegistryError, platform::MsgDlgType::Error, platform::mbOK);
        return false;
    }
}
