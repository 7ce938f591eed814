#include "training/ui/ModeFrame.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTableView>

#include "training/ui/QuizHost.h"

namespace {

const char* const kNoEntriesText =
    "Es wurden noch keine Vokabeln eingegeben. Wählen Sie \"Vokabeln/Eingabe-Maske\", um Vokabeln einzugeben.";
constexpr int kNoEntriesHelpContext = 5501;

GeneralOptionsDialog& OptionsDialog() {
    static GeneralOptionsDialog dialog;
    return dialog;
}

}  // namespace

void SetGeneralOptionsDialog(GeneralOptionsDialog dialog) { OptionsDialog() = std::move(dialog); }

platform::ModalResult ShowGeneralOptions(int pageIndex) {
    return OptionsDialog() ? OptionsDialog()(pageIndex) : platform::ModalResult::None;
}

bool ClearMarksAndCheckEntries(TMDIChild& window) {
    MarksClear(window.Document().Marks);
    window.RefreshGrid();
    if (window.Document().CountCompleteEntries() != 0) return true;
    platform::Dialogs().MessageDlg(kNoEntriesText, platform::MsgDlgType::Information,
                                   platform::mbOK | platform::mbHelp, kNoEntriesHelpContext);
    return false;
}

void CloseEditorsBeforeMode() {
    if (QuizHost* host = TheQuizHost()) host->CloseEditorsBeforeNew();
}

namespace {

// Closes a running mode when the frame window is closed.
class FrameClosed : public QObject {
public:
    explicit FrameClosed(QDialog& mode) : mode_(mode) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide && !event->spontaneous() && mode_.isVisible()) mode_.reject();
        return false;
    }

private:
    QDialog& mode_;
};

}  // namespace

int ExecUntilFrameCloses(QDialog& dialog) {
    FrameClosed closed(dialog);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && qobject_cast<QDialog*>(top) == nullptr) top->installEventFilter(&closed);
    }
    return dialog.exec();
}

void RunWithListHidden(TMDIChild& window, ModeOrigin origin, bool focusGrid, QDialog& mode) {
    // The wizard hid the list before; it comes back after the mode.
    const bool gridVisible = origin == ModeOrigin::Wizard || !window.Tabelle->isHidden();
    const bool memoVisible = origin == ModeOrigin::Wizard || !window.DescMemo->isHidden();
    window.Tabelle->hide();
    window.DescMemo->hide();
    // A layout pass while the mode runs must not bring the description back.
    window.Anzeigen1->setChecked(false);
    ExecUntilFrameCloses(mode);
    window.Tabelle->setVisible(gridVisible);
    window.DescMemo->setVisible(memoVisible);
    window.Anzeigen1->setChecked(gridVisible);
    window.FormResize();
    if (focusGrid && gridVisible) window.Tabelle->setFocus();
}

void ShowListDuringMode(TMDIChild& window) {
    // Checked, so that the layout keeps the description shown; the mode's
    // start puts the check mark back afterwards.
    window.Anzeigen1->setChecked(true);
    window.Tabelle->show();
    window.DescMemo->show();
    window.FormResize();
}

void HideListDuringMode(TMDIChild& window) {
    window.Anzeigen1->setChecked(false);
    window.Tabelle->hide();
    window.DescMemo->hide();
}
