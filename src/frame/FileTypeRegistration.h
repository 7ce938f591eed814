#pragma once
// Registering the vocabulary file type: the keys under HKEY_CLASSES_ROOT in
// the registry store (the installation marker and the button caption read
// them), and the desktop's per-user equivalent: a MIME type for *.plk, a
// desktop entry that opens the program and the default-application line.

#include <functional>
#include <string>
#include <vector>

namespace platform {
class DialogSeam;
class TRegistry;
}  // namespace platform

constexpr const char* kRenewRegistrationCaption = "Anmeldung in der Registry erneuern";
constexpr const char* kPlkMimeType = "application/x-pelko32";
constexpr const char* kDesktopEntryName = "pelko32.desktop";

struct FileTypeData {
    std::string programPath;  // the executable's full path
    std::string iconPath;     // the program folder + "plkfile.ico"
    std::string iconFolder;   // the program's and the file's icons as PNGs
};

// The names of the program's and the file type's icons in the icon theme.
constexpr const char* kProgramIconName = "pelko32";
constexpr const char* kFileIconName = "application-x-pelko32";

// For the running program.
FileTypeData ProgramFileTypeData();

// The six writes below the classes root, in order; throws when the store
// refuses them.
void WriteClassesRootKeys(platform::TRegistry& classesRoot, const FileTypeData& data);

class FileTypeRegistrar {
public:
    virtual ~FileTypeRegistrar() = default;
    // Throws when a file cannot be written.
    virtual void Register(const FileTypeData& data) = 0;
};

struct XdgFolders {
    std::string dataHome;    // $XDG_DATA_HOME, else ~/.local/share
    std::string configHome;  // $XDG_CONFIG_HOME, else ~/.config
};
XdgFolders XdgFoldersFromEnvironment();

// Writes the MIME package, the desktop entry, the icons and the
// mimeapps.list line, then asks runTool (program name, arguments) to refresh
// the MIME and the desktop database, so file managers offer the program.
class FreedesktopRegistrar : public FileTypeRegistrar {
public:
    using ToolRunner = std::function<void(const std::string& program, const std::vector<std::string>& args)>;
    FreedesktopRegistrar(XdgFolders folders, ToolRunner runTool);
    void Register(const FileTypeData& data) override;

private:
    XdgFolders folders_;
    ToolRunner runTool_;
};

// The desktop entry's texts (exposed for tests).
std::string DesktopEntryText(const FileTypeData& data);
// mimeapps.list with this program as the type's default; other lines kept.
std::string WithDefaultApplication(const std::string& mimeapps);

// AnmeldenClick. Not from the button, it asks only once after an
// installation left the value "Installation". True when the button's
// caption is to become kRenewRegistrationCaption.
bool RegisterFileType(bool fromButton, platform::TRegistry& currentUser, platform::TRegistry& classesRoot,
                      FileTypeRegistrar& desktop, platform::DialogSeam& dialogs, const FileTypeData& data);
