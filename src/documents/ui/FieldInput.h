#pragma once
// Text entering a field that holds vocabulary bytes, on every road: typed
// keys, input-method text, the paste keys, the context menu's paste, the
// middle click and a drop. A letter the field's code page lacks is refused,
// with a beep when typed and with a message when pasted, so that a field
// never shows what it cannot keep. A paste goes in at the caret, over the
// selection, from a call queued on the field's window: its message box must
// not run inside a handler of the field, which the box's loop may delete
// (a grid cell's editor goes as soon as it loses the focus).

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QKeyEvent;
class QLineEdit;
class QMenu;
class QPlainTextEdit;

inline const std::string kLetterNotInCodePage =
    "Der Text enthält Zeichen, die der Zeichensatz dieses Feldes nicht darstellen kann. Einfügen nicht möglich.";

// The byte of one typed character in the code page of a character set, or
// nothing, after a beep, when the page has no such letter.
std::optional<char> TypedByteOrBeep(const QString& typed, uint8_t charset);

class FieldInput : public QObject {
    Q_OBJECT
public:
    struct Rules {
        // The field's character set, asked each time: a field may change fonts.
        std::function<uint8_t()> charset;
        // The longest text in bytes, a line break counting two as stored;
        // 0: no limit of the guard's own.
        std::size_t maxBytes = 0;
        // What pasted bytes keep under the field's typing rules; unset: all.
        std::function<std::string(std::string bytes)> keep;
        // The field's whole text after a paste: why it may not stand, or empty.
        std::function<std::string(const std::string& text)> refusal;
        // A context menu of the field's own whose paste action is named
        // "edit-paste"; unset: the field's standard menu.
        std::function<QMenu*()> menu;
    };

    // Guards a field for its life: the guard is the field's child.
    static FieldInput* Guard(QLineEdit* field, Rules rules);
    static FieldInput* Guard(QPlainTextEdit* field, Rules rules);
    // A field with no rules but its code page's.
    static FieldInput* Guard(QLineEdit* field, std::function<uint8_t()> charset);

    struct Outcome {
        QString text;          // what goes in
        std::string refusal;   // or why nothing does
        bool cut = false;      // the text was cut to fit
    };
    // What a paste of text at the caret comes to.
    Outcome Check(QString text) const;
    // Checks text and inserts it at the caret, once the field's own
    // handlers have returned; a refusal shows its message.
    void Paste(const QString& text);

    // What a middle click pastes: the system's selection where the platform
    // has one, else nothing. Nothing given: the system's again.
    using SelectionSource = QString (*)();
    static void SetSelectionSource(SelectionSource source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldInput(QWidget* field, QLineEdit* line, QPlainTextEdit* memo, Rules rules);
    uint8_t Charset() const;
    // The field's text with inserted at the caret in place of the selection.
    QString TextWith(const QString& inserted) const;
    // Typed or input-method text: true when it is refused.
    bool Refused(const QString& entered) const;
    bool KeyPressed(QKeyEvent* key);
    void ShowMenu(const QPoint& globalPos);
    void PasteNow(const QString& text);

    QWidget* field_;
    QLineEdit* line_;
    QPlainTextEdit* memo_;
    Rules rules_;
};
