// The password prompt, driven offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
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

// A long file name loses its middle, so that the prompt still ends in sight.
TEST(KennwortTest, ALongFileNameIsShortenedInTheMiddle) {
    TKennwortForm form;
    const struct {
        std::string name;
        QString start;  // "" = shown whole
    } cases[] = {
        {"a.plk", ""},
        {"Englisch_Vokabeln_Lektion_1_bis_12_mit_allen_Wiederholungen_und_Extras.plk", "Englisch_Vok"},
        {"Englisch Vokabeln Lektion 1 bis 12 mit allen Wiederholungen und den Extras dazu.plk", "Englisch Vok"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString prompt = QString::fromStdString("Kennwort zum Lesen der Datei \"" + c.name + "\" eingeben:");
        Ask(form, prompt.toStdString(), [&] {
            const QLabel& label = *form.KennwortTxt;
            const QString shown = label.text();
            if (c.start.isEmpty()) {
                EXPECT_EQ(shown, prompt);
            } else {
                EXPECT_TRUE(shown.startsWith("Kennwort zum Lesen der Datei \"" + c.start)) << shown.toStdString();
                EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
                EXPECT_TRUE(shown.endsWith(QStringLiteral("Extras.plk\" eingeben:")) ||
                            shown.endsWith(QStringLiteral("dazu.plk\" eingeben:")))
                    << shown.toStdString();
            }
            // All of it fits the label: two lines, none wider.
            EXPECT_LE(label.heightForWidth(label.width()), label.height());
            EXPECT_LE(QFontMetrics(label.font()).boundingRect(label.rect(), Qt::TextWordWrap, shown).width(),
                      label.width());
            form.BitBtn2->click();
        });
    }
}

}  // namespace
