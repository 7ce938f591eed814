// The password prompt, driven offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "common/NoIconTheme.h"
#include "documents/ui/kennwort_unit.h"
#include "platform/Dialogs.h"
#include "platform/ui/Glyphs.h"

namespace {

void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void Key(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// Runs the request with what the user does once the dialog is open.
std::string Ask(TKennwortForm& form, const std::string& prompt, std::function<void()> user) {
    QTimer::singleShot(0, &form, [user] { user(); });
    return form.AskPassword(prompt);
}

TEST(KennwortTest, OkReturnsTheTextCutTo15AndEveryRequestStartsEmpty) {
    TKennwortForm form;
    EXPECT_EQ(form.windowTitle(), "Kennwort-Abfrage");
    EXPECT_EQ(form.Kennwort->echoMode(), QLineEdit::Password);
    std::string answer = Ask(form, "Kennwort zum Lesen der Datei \"a.plk\" eingeben:", [&] {
        EXPECT_EQ(form.KennwortTxt->text(), QString::fromUtf8("Kennwort zum Lesen der Datei \"a.plk\" eingeben:"));
        Type(form.Kennwort, QStringLiteral("abcdefghijklmnopqrst"));
        form.BitBtn1->click();
    });
    EXPECT_EQ(answer, "abcdefghijklmno");

    answer = Ask(form, "Bitte das Schreibschutzkennwort eingeben:", [&] {
        EXPECT_TRUE(form.Kennwort->text().isEmpty());
        Type(form.Kennwort, QString::fromUtf8("Schlüssel"));
        Key(form.Kennwort, Qt::Key_Return);  // OK is the default button
    });
    EXPECT_EQ(answer, "Schl\xfcssel");  // Windows-1252 bytes

    answer = Ask(form, "x", [&] { form.BitBtn1->click(); });
    EXPECT_EQ(answer, "");  // an empty password is a valid answer
}

TEST(KennwortTest, BothButtonsCarryTheirGlyphWithoutAnIconTheme) {
    NoIconTheme none;
    TKennwortForm form;
    EXPECT_EQ(form.BitBtn1->icon().pixmap(16).toImage(), platform::OwnGlyph("ok").pixmap(16).toImage());
    EXPECT_EQ(form.BitBtn2->icon().pixmap(16).toImage(), platform::OwnGlyph("abbrechen").pixmap(16).toImage());
}

TEST(KennwortTest, CancelAndEscReturnTheCancelMarker) {
    TKennwortForm form;
    EXPECT_EQ(Ask(form, "x", [&] {
                  Type(form.Kennwort, QStringLiteral("geheim"));
                  form.BitBtn2->click();
              }),
              platform::kCancelMarker);
    EXPECT_EQ(Ask(form, "x", [&] { Key(form.Kennwort, Qt::Key_Escape); }), platform::kCancelMarker);
}

TEST(KennwortTest, AControlCharacterCannotBePastedIn) {
    TKennwortForm form;
    EXPECT_EQ(Ask(form, "x", [&] {
                  form.Kennwort->insert(QStringLiteral("a\x1b"));  // as a paste inserts it
                  form.Kennwort->insert(QStringLiteral("\tb"));
                  Type(form.Kennwort, QStringLiteral("cd"));
                  form.BitBtn1->click();
              }),
              "cd");
}

TEST(KennwortTest, CharactersWithoutAWindowsCodeCannotBeTyped) {
    TKennwortForm form;
    EXPECT_EQ(Ask(form, "x", [&] {
                  Type(form.Kennwort, QString::fromUtf8("a\u0416b"));
                  form.BitBtn1->click();
              }),
              "ab");
}

}  // namespace
