// Modal windows come above the program's windows that stay on top, and each
// dialog's title bar offers what its form asks for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QWindow>
#include <functional>

#include "common/WhenUp.h"
#include "documents/AppSettings.h"
#include "documents/EntryEditing.h"
#include "documents/ui/Edit.h"
#include "documents/ui/PrnInfo_Unit.h"
#include "documents/ui/kennwort_unit.h"
#include "documents/ui/new_wiz.h"
#include "documents/ui/searchUnit.h"
#include "platform/ui/ModalsAbove.h"
#include "platform/ui/QtDialogs.h"

namespace {

using platform::MsgDlgType;

class NoFrame : public NewWizardFrame {
public:
    void WizardOpenFile(const std::string&) override {}
    void WizardNewFromTemplate(const std::string&) override {}
    void WizardNewEmpty() override {}
    void WizardUpdateMRU(const std::string&) override {}
    void WizardOpenDialog() override {}
    TMDIChild* WizardActiveDocument() override { return nullptr; }
};

bool StaysOnTop(const QWidget* window) {
    return window->windowHandle() != nullptr && (window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

// Opens a window through open; while it is up, notes whether it stays on top,
// then cancels it.
bool OpensOnTop(const std::function<void()>& open) {
    bool up = false;
    bool onTop = false;
    WhenUp([&] {
        QWidget* window = QApplication::activeModalWidget();
        up = true;
        onTop = StaysOnTop(window);
        qobject_cast<QDialog*>(window)->reject();
    });
    open();
    EXPECT_TRUE(up);
    return onTop;
}

TEST(WindowsAboveTest, ModalWindowsStayOnTopWhileTheStartWizardIsShown) {
    platform::KeepModalsAbove(*qApp);  // as the application object does
    const OptionenTyp saved = Optionen;
    QTemporaryDir templates;
    Optionen.Settings.VorlagenVerzeichnis = templates.path().toStdString();
    platform::QtDialogs dialogs(platform::Program::Main);
    QDialog reused;  // a dialog made once and shown again later
    struct Case {
        const char* name;
        std::function<void()> open;
    };
    const Case cases[] = {
        {"message box", [&] { dialogs.MessageDlg("Kann Datei nicht öffnen.", MsgDlgType::Error, platform::mbOK); }},
        {"open dialog",
         [&] {
             platform::FileDialogRequest request;
             request.title = "Vokabeldatei öffnen...";
             dialogs.OpenFileDialog(request);
         }},
        {"password prompt", [] { AskPasswordWithForm("Bitte geben Sie das Kennwort ein:"); }},
        {"dialog shown again", [&] { reused.exec(); }},
    };
    NoFrame frame;
    TNewWizard wizard(frame);
    QWidget main;
    main.show();
    wizard.show();  // modeless, as at start
    for (const Case& c : cases) {
        main.activateWindow();  // the user clicked the main window
        EXPECT_TRUE(OpensOnTop(c.open)) << c.name;
        EXPECT_TRUE(wizard.isVisible()) << c.name;
    }
    wizard.hide();
    for (const Case& c : cases) EXPECT_FALSE(OpensOnTop(c.open)) << c.name << " without the wizard";
    Optionen = saved;
}

TEST(WindowsAboveTest, TitleBarsOfferWhatEachFormAsksFor) {
    TKennwortForm prompt;
    TPrintForm print;
    platform::MessageBox box(platform::Program::Main, "Die Datei ist leer.", MsgDlgType::Information,
                             platform::mbOK, 0);
    struct Case {
        const char* name;
        QWidget* window;
        bool close;
    };
    const Case cases[] = {
        // No help button here: close stands in for it, and cancels.
        {"password prompt", &prompt, true},
        {"entry editor", TEditForm::Instance(nullptr), true},
        {"search dialog", TSearchForm::Instance(nullptr), true},
        {"message box", &box, true},
        {"print window", &print, false},
    };
    for (const Case& c : cases) {
        const Qt::WindowFlags flags = c.window->windowFlags();
        EXPECT_TRUE(flags & Qt::WindowTitleHint) << c.name;
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint) << c.name;
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint) << c.name;
        EXPECT_EQ(bool(flags & Qt::WindowCloseButtonHint), c.close) << c.name;
    }
    // A dialog border: the window cannot be resized, so not maximised either.
    // (The search dialog takes its height when it is shown for a document.)
    for (QWidget* window : {static_cast<QWidget*>(&prompt), static_cast<QWidget*>(TEditForm::Instance(nullptr)),
                            static_cast<QWidget*>(&box), static_cast<QWidget*>(&print)}) {
        window->adjustSize();
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << window->windowTitle().toStdString();
    }
}

TEST(WindowsAboveTest, TheEntryEditorIsWideEnoughForTheCaptionOfAFileNotYetSaved) {
    TEditForm* editor = TEditForm::Instance(nullptr);
    QFont bold = editor->font();
    bold.setBold(true);
    const QString caption = QString::fromUtf8(EditorCaption(kUnsavedFileName));
    // Room beside the caption for the title bar's icon and buttons.
    EXPECT_GE(editor->width() - 100, QFontMetrics(bold).horizontalAdvance(caption));
}

}  // namespace
