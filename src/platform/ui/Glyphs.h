#pragma once
// The pictures of buttons and windows. Where the desktop's icon theme has an
// icon of the freedesktop name, it is used; otherwise the program's own glyph,
// which is compiled into the program, so that every button shows a picture on
// a desktop without any icon theme.

#include <QIcon>

namespace platform {

// The program's own glyph: resources/Symbole/<name>-<size>.png in every size
// that is there.
QIcon OwnGlyph(const char* name);

// The theme's icon of themeName, else OwnGlyph(name).
QIcon Glyph(const char* themeName, const char* name);

// The window icons of the two programs.
QIcon MainProgramIcon();
QIcon HelpViewerIcon();

}  // namespace platform
