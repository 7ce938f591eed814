#pragma once
// The help viewer's fixed texts and the small rules around them: captions,
// history menu items, which links go to the desktop, the about page and the
// wheel turned into arrow keys.

#include <string>

namespace helpviewer {

inline constexpr const char* kHelpTitle = "Pelko32 Hilfe";

// "Pelko32 Hilfe - " + title (page bytes, Windows-1252).
std::string ViewerCaption(const std::string& title);
// The file, or file + "--" + title.
std::string HistoryItemCaption(const std::string& file, const std::string& title);
// Mail and web links (any case) are opened outside the viewer.
bool IsShellLink(const std::string& src);
// The about page as Windows-1252 bytes.
std::string AboutPage();

// Arrow keys for one wheel event: 40 (down) towards the user, else 38 (up);
// lines is the desktop's lines per notch, count gets how many to send.
int WheelArrowKey(int angleDelta);
int WheelKeyCount(int lines);

}  // namespace helpviewer
