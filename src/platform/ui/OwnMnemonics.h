#pragma once
// Alt and a letter underlined on one of a window's own buttons or group
// boxes. A tool window shares its owner's shortcuts, so the owner's menu
// letters would take such a key or leave the button merely focused; a
// window that passes its key events here gets its own letters first.

class QEvent;
class QKeyEvent;
class QWidget;

namespace platform {

// The window's visible, enabled button or group box whose underlined letter
// the key (Alt and that letter) presses, or nullptr.
QWidget* MnemonicTarget(const QWidget& window, const QKeyEvent& key);

// A shortcut override or key press that is one of the window's own letters:
// the override is accepted, so that no other shortcut takes the key, and
// the key press acts as the letter's widget would: a button is clicked, a
// group box puts the focus into its first field. True when handled.
bool HandleOwnMnemonic(QWidget& window, QEvent* event);

}  // namespace platform
