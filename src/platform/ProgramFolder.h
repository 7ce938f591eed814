#pragma once
// Where the program's files are, and paths to shipped files.

#include <string>

namespace platform {

// The folder of the running executable, with a trailing "/".
std::string ProgramFolder();
// For tests and for programs whose executable is elsewhere.
void SetProgramFolder(const std::string& folder);

// Resolves a path whose case may differ from the files on disk, component by
// component; "\" and "/" both separate. Returns the path as it exists on disk,
// or the path with "\" turned into "/" when some component does not exist.
std::string ResolvePathCaseInsensitive(const std::string& path);

// ProgramFolder() joined with a relative path such as "Hilfe\index.html",
// resolved case-insensitively.
std::string ProgramFile(const std::string& relative);

}  // namespace platform
