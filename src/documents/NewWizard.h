#pragma once
// The new-file wizard's lists: the recent files that still exist, the
// templates of the templates folder, and the page it opens on.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Item 0 of the template list: a new empty document.
inline const std::string kNoTemplateItem = "Standard - keine Vorlage öffnen.PLV";

using RecentSlots = std::array<std::string, 9>;

// The existing files of the slots in slot order. A missing file leaves the
// slots (the later ones move up, the last becomes free) and the same slot is
// looked at again; empty slots are skipped.
std::vector<std::string> PruneRecentFiles(RecentSlots& slots,
                                          const std::function<bool(const std::string&)>& exists);
// The first slot holding path leaves; the later ones move up.
void RemoveRecentFile(RecentSlots& slots, const std::string& path);

// The *.plv files of the folder (any case), sorted without regard to case;
// nothing when the folder cannot be listed.
std::optional<std::vector<std::string>> ListTemplates(const std::string& folder);
std::string TemplatePath(const std::string& folder, const std::string& item);
// What the list shows: the item without its extension.
std::string TemplateCaption(const std::string& item);

// "Neu" (0) when forced, else the stored page, kept within the two pages.
int WizardStartPage(bool forceNewPage, int lastWizPage);

std::string MissingTemplatesFolderText(const std::string& folder);
std::string DeleteTemplateQuestion(const std::string& item);
std::string TemplateNotDeletedText(const std::string& item);
