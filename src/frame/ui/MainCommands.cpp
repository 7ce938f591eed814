// The frame's commands: the toolbar buttons that act on the active
// document, the mode buttons, the window menu, the wizard, the options, the
// help bridge, and the mouse on the toolbar, the status bar, the empty
// desktop and a document's grid.
#include "frame/ui/Main.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QWheelEvent>
#include <algorithm>

#include "documents/ui/Childwin.h"
#include "documents/ui/Edit.h"
#include "documents/ui/TabelleModel.h"
#include "frame/FrameHooks.h"
#include "frame/HelpContexts.h"
#include "frame/WindowLayout.h"
#include "frame/ui/About.h"
#include "frame/ui/AllgOptionen.h"
#include "frame/ui/FileSearchUnit.h"
#include "frame/ui/searchinfounit.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

namespace {

// Placeholder addresses of the project's web pages.
constexpr const char* kHomepageAddress = "https://pelko32.example.org/";
constexpr const char* kVocabularyArchiveAddress = "https://pelko32.example.org/vokabelarchiv/";

// Options pages of the mode buttons.
constexpr int kPrintPage = 0;
constexpr int kQuizPage = 1;
constexpr int kHangmanPage = 4;
constexpr int kLearningPage = 5;

}  // namespace

// The open dialogs take their initial folder from the options at every
// request, so a changed working folder needs no step of its own here.
void TMainForm::Optionen2Click() { AllgOpt->ShowModalOnPage(-1); }

void TMainForm::OptionenBtnClick() {
    Optionen2Click();
    // The description line may have been switched on or off.
    for (TMDIChild* child : Documents()) child->FormResize();
}

void TMainForm::ShowOptionsPage(int page) {
    if (TheFrameHooks().showOptionsPage) TheFrameHooks().showOptionsPage(page);
}

bool TMainForm::CloseEditorsBeforeNew() {
    // The editor stores and closes through its OK handler.
    DocumentFrame::CloseEditorsBeforeNew();
    EditBtn->setChecked(false);
    // Hidden, not closed: the wizard's close handler stores nothing here.
    if (NewWizard->isVisible()) NewWizard->hide();
    return true;
}

void TMainForm::WireWizard() {
    NewWizard = new TNewWizard(*this, this);
    connect(FileNewItem, &QAction::triggered, this, &TMainForm::FileNewItemClick);
    connect(SpeedButton2, &QAction::triggered, this, &TMainForm::SpeedButton2Click);
    connect(NeuWizard1, &QAction::triggered, this, &TMainForm::NeuWizard1Click);
}

void TMainForm::FileNewItemClick() {
    CloseEditorsBeforeNew();
    NewWizard->ForceNewPage = true;
    NewWizard->exec();
}

void TMainForm::NeuWizard1Click() {
    CloseEditorsBeforeNew();
    NewWizard->exec();
}

// Help bridge.

void TMainForm::ShowHelpPage(const std::string& page) { ::ShowHelpPage(page, platform::TheShell()); }

void HelpContextToMainForm(int context) {
    if (MainForm != nullptr) MainForm->HelpContextToPage(context);
}

void TMainForm::HelpContextToPage(int context) {
    ::HelpContextToPage(context, platform::TheShell(), platform::Dialogs());
}

// Toolbar.

void TMainForm::Forward(QAction* TMDIChild::*item) {
    if (TMDIChild* child = ActiveDocument()) (child->*item)->trigger();
}

void TMainForm::EditBtnClick() {
    TMDIChild* child = ActiveDocument();
    if (child == nullptr) {
        EditBtn->setChecked(false);
        return;
    }
    if (EntryEditorVisible()) {
        TEditForm::Existing()->ButtonFertigClick();
        EditBtn->setChecked(false);
        child->Bearbeiten1->setChecked(false);
        return;
    }
    // The editor, once open, presses the button through UpdateMenuItems.
    EditBtn->setChecked(false);
    child->Bearbeiten1Click();
    UpdateMenuItems();
}

void TMainForm::StartModeFromButton(int optionsPage, void (*start)(TMDIChild&)) {
    if ((ModeButtonShift & 1) != 0 && TheFrameHooks().showOptionsPage) {
        const platform::ModalResult result = TheFrameHooks().showOptionsPage(optionsPage);
        if (result == platform::ModalResult::Cancel || result == platform::ModalResult::Abort ||
            result == platform::ModalResult::None) {
            return;
        }
    }
    if (TMDIChild* child = ActiveDocument()) start(*child);
    ModeButtonShift = 0;
}

void TMainForm::LernBtnClick() {
    StartModeFromButton(kLearningPage, [](TMDIChild& child) { child.Lernen1->trigger(); });
}

void TMainForm::AbfragBtnClick() {
    StartModeFromButton(kQuizPage, [](TMDIChild& child) { child.Abfragen1Click(); });
}

void TMainForm::HangmanBtnClick() {
    StartModeFromButton(kHangmanPage, [](TMDIChild& child) { child.Hangman1->trigger(); });
}

void TMainForm::DruckBtnClick() {
    StartModeFromButton(kPrintPage, [](TMDIChild& child) { child.StartPrint(true); });
}

void TMainForm::Kennwortschutzndern1Click() {
    if (TMDIChild* child = ActiveDocument()) child->Beschreibungndern1->trigger();
}

// Menu commands.

void TMainForm::InDateiensuchen1Click() {
    // One search at a time: the running one owns its result window.
    if (SearchInfoForm->Running()) return;
    OpenQueue::Busy busy(MainOpenQueue());
    FileSearchForm->exec();
}

void TMainForm::HelpAboutItemClick() {
    OpenQueue::Busy busy(MainOpenQueue());
    AboutBox->exec();
}

void TMainForm::HomepageffnenInternetanschluntig1Click() { platform::TheShell().OpenAddress(kHomepageAddress); }

void TMainForm::Pelko32Vokabelarchivonline1Click() { platform::TheShell().OpenAddress(kVocabularyArchiveAddress); }

// The window menu.

void TMainForm::WindowCascadeItemClick() {
    // The area's own cascade sizes each window by its size hint, which for a
    // document is no more than a title bar.
    std::vector<TMDIChild*> windows;
    for (TMDIChild* child : Documents()) {
        if (!child->isHidden() && !child->isMinimized()) windows.insert(windows.begin(), child);
    }
    if (windows.empty()) return;
    const QSize area = ClientArea->viewport()->size();
    const int step = windows.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front());
    const std::vector<WindowRect> rects = CascadeWindows(int(windows.size()), area.width(), area.height(), step);
    for (size_t i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    }
}

void TMainForm::WindowTileItemClick() { TileDocuments(true); }

void TMainForm::Untereinander1Click() { TileDocuments(false); }

void TMainForm::TileDocuments(bool sideBySide) {
    std::vector<TMDIChild*> windows;
    for (TMDIChild* child : Documents()) {
        if (!child->isHidden() && !child->isMinimized()) windows.push_back(child);
    }
    const QSize area = ClientArea->viewport()->size();
    const std::vector<WindowRect> rects = TileWindows(int(windows.size()), area.width(), area.height(), sideBySide);
    for (size_t i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    }
}

void TMainForm::WindowArrangeItemClick() {
    std::vector<TMDIChild*> icons;
    for (TMDIChild* child : Documents()) {
        if (!child->isHidden() && child->isMinimized()) icons.insert(icons.begin(), child);
    }
    if (icons.empty()) return;
    const QSize area = ClientArea->viewport()->size();
    const QSize icon = icons.front()->size();
    const std::vector<WindowRect> rects =
        ArrangeIcons(int(icons.size()), area.width(), area.height(), icon.width(), icon.height());
    for (size_t i = 0; i < icons.size(); ++i) icons[i]->move(rects[i].x, rects[i].y);
}

void TMainForm::WindowMinimizeItemClick() {
    const std::vector<TMDIChild*> documents = Documents();
    for (auto it = documents.rbegin(); it != documents.rend(); ++it) (*it)->showMinimized();
}

void TMainForm::ShowWindowList() {
    for (QAction* action : Fenster->actions()) {
        if (action->property("windowList").toBool()) {
            Fenster->removeAction(action);
            action->deleteLater();
        }
    }
    const QList<QMdiSubWindow*> windows = ClientArea->subWindowList(QMdiArea::CreationOrder);
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        if (window->isHidden() && !window->isMinimized()) continue;
        if (number == 0) Fenster->addSeparator()->setProperty("windowList", true);
        ++number;
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = Fenster->addAction(QStringLiteral("&%1 %2").arg(number).arg(title));
        item->setProperty("windowList", true);
        item->setCheckable(true);
        item->setChecked(window == ClientArea->currentSubWindow());
        QPointer<QMdiSubWindow> target(window);
        connect(item, &QAction::triggered, this, [this, target] {
            if (target != nullptr) ClientArea->setActiveSubWindow(target);
        });
    }
}

// The mouse on the mode buttons, the password panel and the empty desktop.

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && WheelOverGrid(watched, event)) return true;
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        for (QAction* mode : {LernBtn, AbfragBtn, HangmanBtn, DruckBtn}) {
            if (watched == SpeedPanel->widgetForAction(mode)) {
                ModeButtonShift = (press->modifiers() & Qt::ShiftModifier) ? 1 : 0;
            }
        }
        if (watched == StatusPanels[1] && press->button() == Qt::RightButton) {
            KennwortMenu->popup(press->globalPosition().toPoint());
            return true;
        }
    }
    if (watched == ClientArea->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            FileOpenItemClick();
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            DeskPopUp->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Mouse wheel over the active document's grid.

bool TMainForm::WheelOverGrid(QObject* viewport, QEvent* event) {
    TMDIChild* child = ActiveDocument();
    if (child == nullptr || viewport != child->Tabelle->viewport() || !child->Tabelle->isVisible()) return false;
    const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
    if (dy == 0) return false;  // a sideways turn is the grid's own
    if (!child->Tabelle->hasFocus()) child->Tabelle->setFocus();
    const int steps = wheelSteps_.Add(dy);
    const int rows = child->Model().GridRowCount();
    const int visible = std::max(1, child->Tabelle->viewport()->height() / std::max(1, child->RowHeight()));
    const int current = child->Tabelle->rowAt(0);
    int top = current < 0 ? 1 : current + 1;
    for (int i = 0; i < std::abs(steps); ++i) top = WheelTopRow(top, visible, rows, steps > 0);
    if (steps != 0) {
        child->Tabelle->scrollTo(child->Model().index(top - 1, 0), QAbstractItemView::PositionAtTop);
    }
    return true;
}
