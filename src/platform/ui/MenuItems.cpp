#include "platform/ui/MenuItems.h"

#include <QMenu>

namespace platform {

QAction* Item(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    return action;
}

QMenu* Menu(QWidget* owner, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromUtf8(caption), owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace platform
