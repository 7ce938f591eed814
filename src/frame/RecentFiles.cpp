#include "frame/RecentFiles.h"

bool UpdateMRU(RecentFileSlots& slots, const std::string& path) {
    if (path.empty()) {
        return true;
    }
    if (slots[0] == path) {
        return false;
    }
    bool found = false;
    // Slot by slot as the list was always walked; this only matters for a
    // stored list that holds a name twice.
    for (size_t i = 1; i < slots.size(); ++i) {
        if (slots[i] == path) {
            for (size_t j = i; j > 0; --j) {
                slots[j] = slots[j - 1];
            }
            found = true;
        }
    }
    if (!found) {
        for (size_t j = slots.size() - 1; j > 0; --j) {
            slots[j] = slots[j - 1];
        }
    }
    slots[0] = path;
    return true;
}

void RemoveFromMRU(RecentFileSlots& slots, const std::string& path) {
    for (size_t i = 0; i < slots.size(); ++i) {
        if (slots[i] == path) {
            for (size_t j = i; j + 1 < slots.size(); ++j) {
                slots[j] = slots[j + 1];
            }
            slots.back().clear();
        }
    }
}

std::string ShortFileCaption(const std::string& path) {
    size_t characters = 0;
    for (unsigned char c : path) {
        characters += (c & 0xc0) != 0x80;  // UTF-8 continuation bytes do not count
    }
    if (characters < 26) {
        return path;
    }
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

RecentFileMenu RecentFileMenuItems(const RecentFileSlots& slots) {
    RecentFileMenu menu;
    for (size_t i = 0; i < slots.size(); ++i) {
        std::string shown;
        // An "&" in a name would become an accelerator.
        for (char c : ShortFileCaption(slots[i])) {
            shown += c == '&' ? std::string("&&") : std::string(1, c);
        }
        RecentFileItem& item = menu.items[i];
        item.caption = "&" + std::to_string(i + 1) + "  " + shown;
        item.hint = "Öffnet die Datei " + slots[i];
        item.visible = !slots[i].empty();
        menu.separatorVisible = menu.separatorVisible || item.visible;
    }
    return menu;
}
