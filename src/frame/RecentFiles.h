#pragma once
// The nine most recently used files (Optionen.Settings.LastFiles, slot 1 the
// most recent; "" marks a free slot) and their menu items.

#include <array>
#include <string>

using RecentFileSlots = std::array<std::string, 9>;

// Puts path at the top. False when path already was slot 1: nothing changed
// and the menus need no rebuild. An empty path changes nothing but asks for
// a rebuild.
bool UpdateMRU(RecentFileSlots& slots, const std::string& path);

// Takes path out of the list; the slots after it move up and slot 9 becomes
// free. A slot that moved up is not looked at again.
void RemoveFromMRU(RecentFileSlots& slots, const std::string& path);

// The path itself when it has fewer than 26 characters, else its file name.
std::string ShortFileCaption(const std::string& path);

struct RecentFileItem {
    std::string caption;  // "&1  name"
    std::string hint;     // "Öffnet die Datei " + path
    bool visible = false;
};
struct RecentFileMenu {
    std::array<RecentFileItem, 9> items;
    bool separatorVisible = false;
};
// What the items F1..F9 (FM1..FM9) and their separator show.
RecentFileMenu RecentFileMenuItems(const RecentFileSlots& slots);
