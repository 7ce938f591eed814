#include "platform/ui/OwnMnemonics.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>

namespace platform {

QWidget* MnemonicTarget(const QWidget& window, const QKeyEvent& key) {
    if (key.modifiers() != Qt::AltModifier) return nullptr;
    const QKeySequence pressed(key.keyCombination());
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (child->window() != &window || !child->isVisibleTo(&window) || !child->isEnabled()) continue;
        QString caption;
        if (const auto* button = qobject_cast<QAbstractButton*>(child)) {
            caption = button->text();
        } else if (const auto* box = qobject_cast<QGroupBox*>(child)) {
            caption = box->title();
        } else {
            continue;
        }
        if (!caption.isEmpty() && QKeySequence::mnemonic(caption) == pressed) return child;
    }
    return nullptr;
}

bool HandleOwnMnemonic(QWidget& window, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    QWidget* target = MnemonicTarget(window, *static_cast<QKeyEvent*>(event));
    if (target == nullptr) return false;
    event->accept();
    if (event->type() == QEvent::ShortcutOverride) return true;
    if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->click();
        return true;
    }
    for (QWidget* field : target->findChildren<QWidget*>()) {
        if ((field->focusPolicy() & Qt::TabFocus) != 0 && field->isEnabled() && field->isVisibleTo(target)) {
            field->setFocus(Qt::ShortcutFocusReason);
            break;
        }
    }
    return true;
}

}  // namespace platform
