#pragma once
// A line edit seen as code-page bytes with a caret, so that the caron
// composition can work on it.

#include <QLineEdit>
#include <cstdint>

#include "documents/AppSettings.h"

class LineEditCaret : public CaretText {
public:
    LineEditCaret(QLineEdit& edit, uint8_t charset) : edit_(edit), charset_(charset) {}
    std::string Text() const override;
    int CaretPos() const override { return edit_.cursorPosition(); }
    void SetText(const std::string& text) override;
    void SetCaretPos(int pos) override { edit_.setCursorPosition(pos); }

private:
    QLineEdit& edit_;
    uint8_t charset_;
};

// The edit's text in the code page of `charset`; characters the page lacks
// become "?".
std::string EditBytes(const QString& text, uint8_t charset);
QString BytesText(const std::string& bytes, uint8_t charset);
