#pragma once
// Help contexts of dialog controls: F1 opens the help of the focused
// control, or of the nearest parent that has one.

#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

#include "platform/Dialogs.h"

inline void SetHelpContext(QWidget* widget, int context) { widget->setProperty("helpContext", context); }

// True when the key was F1 and a help context was found.
inline bool HandleHelpKey(QWidget* dialog, QKeyEvent* event) {
    if (event->key() != Qt::Key_F1) return false;
    for (QWidget* w = dialog->focusWidget(); w != nullptr; w = w->parentWidget()) {
        const int context = w->property("helpContext").toInt();
        if (context != 0) {
            platform::ShowHelpContext(context);
            return true;
        }
        if (w == dialog) break;
    }
    return false;
}
