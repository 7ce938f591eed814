#include "platform/ui/QtDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include "platform/FileFilter.h"
#include "platform/TempDir.h"

using namespace platform;

namespace {

QStringList Captions(const MessageBox& box) {
    QStringList captions;
    for (QPushButton* b : box.Buttons()) captions << b->text();
    return captions;
}

// Runs action on the modal box once its event loop is running.
void WhenShown(std::function<void(MessageBox*)> action) {
    QTimer::singleShot(0, [action] {
        auto* box = qobject_cast<MessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        action(box);
    });
}

QPushButton* ButtonNamed(MessageBox* box, const QString& caption) {
    for (QPushButton* b : box->Buttons()) {
        if (b->text() == caption) return b;
    }
    return nullptr;
}

}  // namespace

TEST(QtDialogsTest, CaptionsAndButtonsPerProgram) {
    struct Case {
        Program program;
        MsgDlgType type;
        MsgDlgButtons buttons;
        QString caption;
        QStringList captions;
    };
    const Case cases[] = {
        {Program::Main, MsgDlgType::Warning, mbYesNoCancel | mbHelp, "Warning", {"&Yes", "&No", "Cancel", "&Help"}},
        {Program::Main, MsgDlgType::Error, mbOK, "Error", {"OK"}},
        {Program::Main, MsgDlgType::Information, mbOKCancel, "Information", {"OK", "Cancel"}},
        {Program::Main, MsgDlgType::Confirmation, mbYes | mbNo, "Confirm", {"&Yes", "&No"}},
        {Program::Main, MsgDlgType::Error, mbAbortRetryIgnore, "Error", {"&Abort", "&Retry", "&Ignore"}},
        {Program::HelpViewer, MsgDlgType::Warning, mbYesNoCancel | mbHelp, "Warnung",
         {"&Ja", "&Nein", "Abbrechen", "&Hilfe"}},
        {Program::HelpViewer, MsgDlgType::Error, mbOK, "Fehler", {"OK"}},
        {Program::HelpViewer, MsgDlgType::Information, mbOK, "Information", {"OK"}},
        {Program::HelpViewer, MsgDlgType::Confirmation, mbOKCancel, "Bestätigen", {"OK", "Abbrechen"}},
    };
    for (const Case& c : cases) {
        MessageBox box(c.program, "Text", c.type, c.buttons, 0);
        EXPECT_EQ(box.windowTitle(), c.caption);
        EXPECT_EQ(Captions(box), c.captions) << c.caption.toStdString();
    }
    QApplication::setApplicationName("Pelko32");
    MessageBox custom(Program::Main, "Text", MsgDlgType::Custom, mbOK, 0);
    EXPECT_EQ(custom.windowTitle(), "Pelko32");
}

TEST(QtDialogsTest, HelpButtonShowsHelpAndKeepsTheBoxOpen) {
    std::vector<int> helped;
    SetHelpHandler([&](int context) { helped.push_back(context); });
    QtDialogs dialogs(Program::Main);
    bool stillOpen = false;
    WhenShown([&](MessageBox* box) {
        ButtonNamed(box, "&Help")->click();
        QTimer::singleShot(0, [&, box] {
            stillOpen = box->isVisible();
            ButtonNamed(box, "&No")->click();
        });
    });
    EXPECT_EQ(dialogs.MessageDlg("Speichern?", MsgDlgType::Confirmation, mbYesNoCancel | mbHelp, 42),
              ModalResult::No);
    SetHelpHandler(nullptr);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(helped, std::vector<int>{42});
}

TEST(QtDialogsTest, EscapeAndClosingAnswerAsTheStandardBoxes) {
    struct Case {
        MsgDlgButtons buttons;
        bool escape;  // else the window is closed
        ModalResult expected;
    };
    const Case cases[] = {
        {mbYesNoCancel, true, ModalResult::Cancel},
        {mbYes | mbNo, true, ModalResult::No},
        {mbOK, true, ModalResult::OK},
        {mbYesNoCancel, false, ModalResult::None},
        {mbAbortRetryIgnore, false, ModalResult::None},
    };
    QtDialogs dialogs(Program::Main);
    for (const Case& c : cases) {
        WhenShown([escape = c.escape](MessageBox* box) {
            if (escape) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(box, &key);
            } else {
                box->close();
            }
        });
        EXPECT_EQ(dialogs.MessageDlg("Frage", MsgDlgType::Confirmation, c.buttons), c.expected) << c.buttons;
    }
}

TEST(QtDialogsTest, ExceptionBoxHasTheApplicationTitle) {
    QApplication::setApplicationName("Pelko32 Hilfe");
    QtDialogs dialogs(Program::HelpViewer);
    QString caption;
    QStringList buttons;
    WhenShown([&](MessageBox* box) {
        caption = box->windowTitle();
        buttons = Captions(*box);
        box->Buttons().first()->click();
    });
    dialogs.ShowException("Can't locate file: x.html");
    EXPECT_EQ(caption, "Pelko32 Hilfe");
    EXPECT_EQ(buttons, QStringList{"OK"});
}

TEST(QtDialogsTest, APasswordRequestWithoutTheProgramsOwnPromptIsCancelled) {
    QtDialogs dialogs(Program::HelpViewer);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = true;
            modal->close();
        }
    });
    EXPECT_EQ(dialogs.AskPassword("Kennwort zum Lesen der Datei \"a.plk\" eingeben:"), kCancelMarker);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
}

TEST(QtDialogsTest, BoxesBelongToTheModalWindowElseTheActiveElseTheMainWindow) {
    QtDialogs dialogs(Program::Main);
    QWidget main;
    main.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialogs.SetMainWindow(&main);
    // Nothing of the program is active, as at start or after a hand-over.
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    QWidget* parent = nullptr;
    bool innerOnOuter = false;
    WhenShown([&](MessageBox* box) {
        parent = box->parentWidget();
        WhenShown([&, box](MessageBox* inner) {
            innerOnOuter = inner->parentWidget() == box;
            inner->Buttons().first()->click();
        });
        dialogs.ShowMessage("innen");
        box->Buttons().first()->click();
    });
    dialogs.ShowException("Can't locate file: index.html");
    EXPECT_EQ(parent, &main);
    EXPECT_TRUE(innerOnOuter);  // the box it was raised in

    // A window of the program that is active holds its own boxes.
    QWidget tool;
    tool.show();
    QApplication::setActiveWindow(&tool);
    WhenShown([&](MessageBox* box) {
        parent = box->parentWidget();
        box->Buttons().first()->click();
    });
    dialogs.ShowMessage("Werkzeug");
    EXPECT_EQ(parent, &tool);
}

TEST(FileFilterTest, WindowsFilterListBecomesPairs) {
    auto filters = ParseFileFilter("Vokabeldateien (*.plk)|*.plk;*.PLV|Alle Dateien|*.*|Ohne Muster");
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0].description, "Vokabeldateien (*.plk)");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.plk", "*.PLV"}));
    EXPECT_EQ(filters[1].patterns, std::vector<std::string>{"*"});
    EXPECT_EQ(filters[2].patterns, std::vector<std::string>{"*"});
    EXPECT_TRUE(ParseFileFilter("").empty());
}

TEST(FileFilterTest, PatternsMatchAnyLetterCase) {
    EXPECT_EQ(AnyCasePattern("*.PLK"), "*.[pP][lL][kK]");
    EXPECT_EQ(AnyCasePattern("*.html"), "*.[hH][tT][mM][lL]");
    EXPECT_EQ(AnyCasePattern("Sicherungskopie von *.SIC"), "[sS][iI][cC][hH][eE][rR][uU][nN][gG][sS][kK][oO][pP][iI][eE] "
                                                           "[vV][oO][nN] *.[sS][iI][cC]");
    EXPECT_EQ(AnyCasePattern("*"), "*");
    EXPECT_EQ(AnyCasePattern("*.[pP]lk"), "*.[pP]lk");
}

// The open dialog as a user sees it: each description once, the files of the
// extension in any letter case, the chosen filter back as its index.
TEST(QtDialogsTest, OpenDialogShowsDescriptionsOnceAndFilesOfAnyCase) {
    TempDir dir;
    for (const char* name : {"a.plk", "B.PLK", "c.Plk", "d.txt"}) TempDir::Write(dir.Path(name), "x");
    FileDialogRequest request;
    request.filter = "Pelko32 (*.PLK)|*.PLK|Alle Dateien (*.*)|*.*|CSV Dateien|*.csv";
    request.initialDir = dir.Path();
    request.filterIndex = 2;
    QStringList shown;
    int startFilter = -1;
    QStringList all, plk;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
        startFilter = types->currentIndex();
        // The folder is read in the background.
        auto listed = [dialog](int count) {
            auto* view = dialog->findChild<QListView*>("listView");
            QDeadlineTimer deadline(5000);
            while (view->model()->rowCount(view->rootIndex()) != count && !deadline.hasExpired()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            }
            QStringList names;
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                names << view->model()->index(row, 0, view->rootIndex()).data().toString();
            }
            names.sort();
            return names;
        };
        all = listed(4);
        dialog->selectNameFilter(dialog->nameFilters().first());
        plk = listed(3);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("B.PLK");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const FileDialogResult result = QtDialogs(Program::Main).OpenFileDialog(request);
    EXPECT_EQ(shown, (QStringList{"Pelko32 (*.PLK)", "Alle Dateien (*.*)", "CSV Dateien"}));
    EXPECT_EQ(startFilter, 1);
    EXPECT_EQ(all, (QStringList{"B.PLK", "a.plk", "c.Plk", "d.txt"}));
    EXPECT_EQ(plk, (QStringList{"B.PLK", "a.plk", "c.Plk"}));
    ASSERT_TRUE(result.accepted);
    EXPECT_EQ(result.files, std::vector<std::string>{dir.Path("B.PLK")});
    EXPECT_EQ(result.filterIndex, 1);
}
