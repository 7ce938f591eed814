#pragma once
// Help contexts of dialog controls: F1 opens the help of the focused
// control, or of the nearest parent that has one.

#include <QEvent>
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

// For a dialog's event(): F1 is the dialog's, also where a window behind it
// has F1 as a shortcut (the main window's help index).
inline bool HandleHelpEvent(QWidget* dialog, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1) return false;
    if (event->type() == QEvent::KeyPress) return HandleHelpKey(dialog, key);
    event->accept();
    return true;
}
