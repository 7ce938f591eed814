// The Qt host of form controls on a plain panel: the widgets it makes, and
// what the user does with them reaching the form's submission.
#include "PageFixture.h"

#include "htmlengine/PageForms.h"
#include "htmlengine/ui/FormControlsQt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <gtest/gtest.h>

using namespace htmlengine;
using namespace htmlengine::testing;

namespace {

struct QtFormPage {
    explicit QtFormPage(const std::string& html) : host(&panel, system) {
        panel.resize(600, 400);
        panel.show();
        page.doc.Controls = &host;
        page.doc.OnFormSubmit = [this](FormSubmission s) { submitted.push_back(std::move(s.Results)); };
        page.Load(html);
    }
    template <class W> QList<W*> Direct() { return panel.findChildren<W*>(Qt::FindDirectChildrenOnly); }

    QWidget panel;
    SystemColors system;
    QtFormControlHost host;
    Page page;
    std::vector<std::vector<std::string>> submitted;
};

const char* const kPage =
    "<form action=go><input type=hidden name=h value=1>"
    "<input name=name value=Hans size=10><input type=password name=pw maxlength=6>"
    "<input type=checkbox name=c><input type=radio name=r value=a checked><input type=radio name=r value=b>"
    "<select name=s><option>One<option>Two</select>"
    "<select name=m multiple><option>A<option selected>B<option>C</select>"
    "<textarea name=t rows=2 cols=8>x\ny</textarea>"
    "<input type=submit name=ok value=OK><input type=reset value=Back></form>";

}  // namespace

TEST(FormsQt, HostMakesTheWidgetsOfEveryKind) {
    QtFormPage p(kPage);
    const auto edits = p.Direct<QLineEdit>();
    ASSERT_EQ(edits.size(), 2);
    EXPECT_EQ(edits[0]->text(), "Hans");
    EXPECT_EQ(edits[0]->font().pixelSize(), 13);  // the preformatted face at 10 points
    EXPECT_EQ(edits[0]->width(), 10 * 7 + 5);     // SIZE letters of the fixed measurer's 7 px
    EXPECT_EQ(edits[1]->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edits[1]->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edits[1]), '*');
    EXPECT_EQ(edits[1]->maxLength(), 6);
    ASSERT_EQ(p.Direct<QPushButton>().size(), 2);
    EXPECT_EQ(p.Direct<QPushButton>()[1]->text(), "Back");
    ASSERT_EQ(p.Direct<QCheckBox>().size(), 1);
    EXPECT_EQ(p.Direct<QCheckBox>()[0]->size(), QSize(13, 13));
    // Radio buttons sit on panels of their own.
    const auto radios = p.panel.findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    EXPECT_EQ(radios[0]->parentWidget()->parentWidget(), &p.panel);
    EXPECT_EQ(radios[0]->parentWidget()->size(), QSize(13, 14));
    EXPECT_TRUE(radios[0]->isChecked());
    ASSERT_EQ(p.Direct<QComboBox>().size(), 1);
    EXPECT_EQ(p.Direct<QComboBox>()[0]->count(), 2);
    EXPECT_FALSE(p.Direct<QComboBox>()[0]->isEditable());
    ASSERT_EQ(p.Direct<QListWidget>().size(), 1);
    QListWidget* list = p.Direct<QListWidget>()[0];
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(list->item(1)->isSelected());
    EXPECT_EQ(list->height(), 3 * 13 + 2 * list->frameWidth());
    ASSERT_EQ(p.Direct<QPlainTextEdit>().size(), 1);
    EXPECT_EQ(p.Direct<QPlainTextEdit>()[0]->toPlainText(), "x\ny");

    // Laid out but not painted: hidden; painting places them.
    EXPECT_FALSE(edits[0]->isVisible());
    p.page.Paint();
    EXPECT_TRUE(edits[0]->isVisible());
    EXPECT_GE(edits[0]->y(), 0);

    // Clearing the page takes the widgets off the panel.
    p.page.doc.ClearDocument();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(p.panel.findChildren<QWidget*>().isEmpty());
}

TEST(FormsQt, WhatTheUserDoesReachesTheSubmission) {
    QtFormPage p(kPage);
    const auto edits = p.Direct<QLineEdit>();
    const auto radios = p.panel.findChildren<QRadioButton*>();
    edits[0]->setText(QString::fromUtf8("Grüße €"));
    edits[1]->setText("abc");
    p.Direct<QCheckBox>()[0]->click();
    radios[1]->click();
    radios[1]->click();                         // a second click keeps it checked
    p.Direct<QComboBox>()[0]->setCurrentIndex(1);
    p.Direct<QListWidget>()[0]->item(2)->setSelected(true);
    p.Direct<QPlainTextEdit>()[0]->setPlainText("neu\nzwei");
    EXPECT_FALSE(radios[0]->isChecked());       // unchecked by its group
    EXPECT_TRUE(radios[1]->isChecked());

    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edits[1], &enter);
    ASSERT_EQ(p.submitted.size(), 1u);
    EXPECT_EQ(p.submitted[0], (std::vector<std::string>{"h=1", "name=Gr\xFC\xDF" "e \x80", "pw=abc", "c=on", "r=b",
                                                        "s=Two", "m=B", "m=C", "t=neu\r\nzwei"}));
    p.Direct<QPushButton>()[0]->click();
    ASSERT_EQ(p.submitted.size(), 2u);
    EXPECT_EQ(p.submitted[1].back(), "ok=OK");

    p.Direct<QPushButton>()[1]->click();        // reset
    EXPECT_EQ(edits[0]->text(), "Hans");
    EXPECT_TRUE(edits[1]->text().isEmpty());
    EXPECT_FALSE(p.Direct<QCheckBox>()[0]->isChecked());
    EXPECT_TRUE(radios[0]->isChecked());
    EXPECT_FALSE(radios[1]->isChecked());
    EXPECT_EQ(p.Direct<QComboBox>()[0]->currentIndex(), 0);
    EXPECT_EQ(p.Direct<QPlainTextEdit>()[0]->toPlainText(), "x\ny");
    EXPECT_EQ(p.submitted.size(), 2u);
}

TEST(FormsQt, FocusOnAControlParksTheOnesOutOfView) {
    std::string html = "<input name=a>";
    for (int i = 0; i < 60; ++i) html += "<br>z";
    html += "<input name=b>";
    QtFormPage p(html);
    p.panel.activateWindow();
    QApplication::processEvents();
    p.page.doc.PaintAt(p.page.canvas, {0, 0, 600, 200}, 0, 0, 600);
    const auto edits = p.Direct<QLineEdit>();
    ASSERT_EQ(edits.size(), 2);
    EXPECT_FALSE(edits[1]->isVisible());
    int entered = 0;
    p.page.doc.OnControlEntered = [&](TFormControlObj&) { ++entered; };
    edits[0]->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    if (!edits[0]->hasFocus()) GTEST_SKIP() << "no focus on this platform";
    EXPECT_EQ(entered, 1);
    EXPECT_TRUE(edits[1]->isVisible());
    EXPECT_EQ(edits[1]->x(), -4000);
    // Freeing the focused control hands the focus to none of the others.
    p.page.doc.ClearDocument();
    EXPECT_EQ(entered, 1);
}
