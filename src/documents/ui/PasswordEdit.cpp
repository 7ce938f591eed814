#include "documents/ui/PasswordEdit.h"

#include <QLineEdit>
#include <QProxyStyle>
#include <QValidator>

#include "platform/CodePage.h"

namespace {

// Passwords echo as "*" whatever the style's own choice.
class StarEcho : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_LineEdit_PasswordCharacter ? '*'
                                                     : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The file stores passwords as Windows-1252 bytes; a character without a
// code there cannot be typed. Nor can a control character be pasted: an ESC
// would read as the prompt's cancel marker.
class StorableText : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (const QChar c : input) {
            if (c.unicode() < 32 || c.unicode() == 127) return Invalid;
        }
        return platform::Utf8ToBytes(platform::CodePage::Cp1252, input.toStdString()) ? Acceptable : Invalid;
    }
};

}  // namespace

void MakePasswordEdit(QLineEdit* edit) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(15);
    edit->setValidator(new StorableText(edit));
    auto* style = new StarEcho;
    style->setParent(edit);
    edit->setStyle(style);
}
