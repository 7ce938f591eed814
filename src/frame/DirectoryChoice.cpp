#include "frame/DirectoryChoice.h"

std::string WithoutTrailingSeparator(const std::string& folder) {
    if (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) return folder.substr(0, folder.size() - 1);
    return folder;
}
