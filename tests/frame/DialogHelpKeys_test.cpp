#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "documents/ui/Childwin.h"
#include "documents/ui/Edit.h"
#include "documents/ui/new_wiz.h"
#include "documents/ui/searchUnit.h"
#include "FrameTestSupport.h"
#include "common/WhenUp.h"

namespace {

class DialogHelpKeyTest : public LiveFrameTest {
protected:
    void SetUp() override {
        LiveFrameTest::SetUp();
        platform::SetHelpHandler(HelpContextToMainForm);
    }
    void TearDown() override {
        platform::SetHelpHandler(nullptr);
        LiveFrameTest::TearDown();
    }
    // The page the last help request started the viewer on.
    std::string LastPage() const {
        if (shell.starts.empty() || shell.starts.back().arguments.empty()) return "none";
        const std::string prefix = dir.Path("Hilfe/");
        const std::string& path = shell.starts.back().arguments[0];
        return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : path;
    }
};

// F1 on a control of each dialog opens the dialog's help page, also in the
// modeless editor and wizard, over the main window's own F1.
TEST_F(DialogHelpKeyTest, F1InEachDialogOpensItsPage) {
    form->Neu1Click();
    TMDIChild* child = form->ActiveDocument();
    ASSERT_NE(child, nullptr);
    struct Case {
        const char* dialog;
        std::function<void(const std::function<void(QWidget*)>& pressF1)> run;
        const char* page;
    };
    const Case cases[] = {
        {"search, modal",
         [&](const auto& pressF1) {
             WhenUp(TSearchForm::Instance(child), [&] {
                 TSearchForm* search = TSearchForm::Instance(child);
                 pressF1(search->SearchText);
                 search->SearchAbort->click();
             });
             child->Suchen1Click();
         },
         "Dialogfelder/suchen.html"},
        {"entry editor, on a field",
         [&](const auto& pressF1) {
             child->Bearbeiten1->trigger();
             pressF1(TEditForm::Existing()->MSEdit2);
         },
         "Dialogfelder/edit.html"},
        {"entry editor, on a button",
         [&](const auto& pressF1) {
             pressF1(TEditForm::Existing()->ButtonNext);
             TEditForm::Existing()->ButtonFertigClick();
         },
         "Dialogfelder/edit.html"},
        {"wizard, modeless",
         [&](const auto& pressF1) {
             form->NewWizard->show();
             pressF1(form->NewWizard->CheckBox1);
             form->NewWizard->hide();
         },
         "Dialogfelder/neu-assistent.html"},
        {"wizard, modal",
         [&](const auto& pressF1) {
             // The test platform activates a window shown again only after
             // another one was active.
             form->activateWindow();
             EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }));
             WhenUp(form->NewWizard, [&] {
                 pressF1(form->NewWizard->BitBtn3);
                 form->NewWizard->BitBtn2->click();
             });
             form->NeuWizard1Click();
         },
         "Dialogfelder/neu-assistent.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        shell.starts.clear();
        bool focused = false;
        c.run([&](QWidget* target) {
            target->window()->activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == target->window(); }));
            target->setFocus();
            focused = target->hasFocus();
            QTest::keyClick(target, Qt::Key_F1);
        });
        EXPECT_TRUE(focused);
        EXPECT_EQ(LastPage(), c.page);
        EXPECT_EQ(shell.starts.size(), 1u);
    }
}

}  // namespace
