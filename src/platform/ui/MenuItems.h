#pragma once
// Menus and their items named as the forms' components, so that code and
// tests find them by name. Captions are UTF-8.

#include <QKeySequence>

class QAction;
class QMenu;
class QWidget;

namespace platform {

QAction* Item(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {});
QMenu* Menu(QWidget* owner, const char* name, const char* caption);

}  // namespace platform
