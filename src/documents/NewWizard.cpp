#include "documents/NewWizard.h"

#include <algorithm>
#include <filesystem>

#include "platform/CaseFold.h"

std::vector<std::string> PruneRecentFiles(RecentSlots& slots,
                                          const std::function<bool(const std::string&)>& exists) {
    std::vector<std::string> listed;
    std::size_t slot = 0;
    while (slot < slots.size()) {
        if (slots[slot].empty()) {
            ++slot;
        } else if (exists(slots[slot])) {
            listed.push_back(slots[slot++]);
        } else {
            std::move(slots.begin() + std::ptrdiff_t(slot) + 1, slots.end(), slots.begin() + std::ptrdiff_t(slot));
            slots.back().clear();
        }
    }
    return listed;
}

void RemoveRecentFile(RecentSlots& slots, const std::string& path) {
    const auto found = std::find(slots.begin(), slots.end(), path);
    if (found == slots.end()) return;
    std::move(found + 1, slots.end(), found);
    slots.back().clear();
}

std::optional<std::vector<std::string>> ListTemplates(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return std::nullopt;
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return std::nullopt;
        const std::string name = it->path().filename().string();
        if (name.size() > 4 && platform::EqualsIgnoreCase(name.substr(name.size() - 4), ".plv")) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return platform::FoldCase(a) < platform::FoldCase(b);
    });
    return names;
}

std::string TemplatePath(const std::string& folder, const std::string& item) { return folder + "/" + item; }

std::string TemplateCaption(const std::string& item) {
    return item.size() >= 4 ? item.substr(0, item.size() - 4) : std::string();
}

int WizardStartPage(bool forceNewPage, int lastWizPage) {
    if (forceNewPage) return 0;
    return std::clamp(lastWizPage, 0, 1);
}

std::string MissingTemplatesFolderText(const std::string& folder) {
    return "Der eingestellte Ordner \"" + folder + "\" existiert nicht. Es können keine Vorlagen geöffnet werden.";
}

std::string DeleteTemplateQuestion(const std::string& item) {
    return "Sind Sie sicher, dass Sie die Vorlage \"" + item + "\" löschen möchten?";
}

std::string TemplateNotDeletedText(const std::string& item) {
    return "Die Vorlage \"" + item + "\" konnte nicht gelöscht werden.";
}
