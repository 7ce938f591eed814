#pragma once
// A line edit seen as code-page bytes with a caret, for the caron
// composition; the text conversions of every field that shows vocabulary.

#include <QLineEdit>
#include <cstdint>
#include <optional>

#include "documents/AppSettings.h"

class EditFieldCaret : public CaretText {
public:
    EditFieldCaret(QLineEdit& edit, uint8_t charset) : edit_(edit), charset_(charset) {}
    std::string Text() const override;
    int CaretPos() const override { return edit_.cursorPosition(); }
    void SetText(const std::string& text) override;
    void SetCaretPos(int pos) override { edit_.setCursorPosition(pos); }

private:
    QLineEdit& edit_;
    uint8_t charset_;
};

// Text and bytes in the code page of a character set; "?" for what the
// page lacks.
std::string FieldBytes(const QString& text, uint8_t charset);
// Nothing when the page lacks a character of the text.
std::optional<std::string> ExactFieldBytes(const QString& text, uint8_t charset);
QString FieldText(const std::string& bytes, uint8_t charset);
// The byte of one typed character, or nothing when the page lacks it.
std::optional<char> TypedByte(const QString& typed, uint8_t charset);
