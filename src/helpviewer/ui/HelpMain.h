#pragma once
// The help viewer's one window: the viewer control with a toolbar, a status
// line for the link under the mouse, a pane with the search and the history,
// menus for files, the history, font size and stay-on-top, and the about page.

#include "helpviewer/HelpRegistry.h"
#include "helpviewer/HelpSearch.h"
#include "htmlengine/ui/HtmlPane.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSplitter;
class QTabWidget;
class QToolButton;
class QWidget;

namespace helpviewer {

class THelpMainForm : public QMainWindow {
    Q_OBJECT
public:
    // firstPage: the command line's page, or empty for the index page.
    THelpMainForm(platform::TRegistry& registry, std::string firstPage = {}, QWidget* parent = nullptr);
    ~THelpMainForm() override;

    // Mail and web links go here (the desktop's handler).
    std::function<void(const std::string& url)> OnOpenExternally;

    htmlengine::THtmlPane* Viewer;
    std::string DefaultPagePath;
    std::string HelpFolder;

    // Handlers, public for the guard and for tests.
    void FormShow();
    void InhaltButtonClick();
    void ReloadButtonClick();
    void BackClick();
    void ForwardClick();
    void HistoryItemClick(int index);
    void HistoryBoxClick(int row);
    void ffnen1Click();
    void N141Click(int size);
    void vgClick(bool checked);
    void ShowAboutPage();
    void SearchButtonClick();
    void SearchBoxClick(int row);
    void SpeedButton1Click();
    void SpeedButton4Click();
    void OpenHandedOverPage(const std::string& commandLine);

    QToolButton* BackButton;
    QToolButton* ForwardButton;
    QToolButton* InhaltButton;
    QToolButton* SearchToolButton;
    QToolButton* HistoryToolButton;
    QToolButton* EndButton;
    QToolButton* ReloadButton;
    QLabel* StatusLabel;
    QTabWidget* PageControl;
    QSplitter* Splitter;
    QWidget* SuchenSheet;
    QWidget* HistorySheet;
    QLineEdit* SearchEdit;
    QPushButton* SearchButton;
    QListWidget* SearchBox;
    QListWidget* HistoryBox;
    QMenu* HistoryMenuItem;
    std::array<QAction*, 128> HistoryItems{};
    QAction* N101;
    QAction* N121;
    QAction* N141;
    QAction* vg;
    QAction* HilfezumProgramm1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildWidgets();
    void ViewerHistoryChange();
    void UpdateViewerCaption();
    void SetBareCaption();
    void PageControlResize();
    void ApplyStayOnTop();
    // Arrow keys to the viewer for the whole notches of one wheel axis.
    void WheelToArrowKeys(int& rest, int delta, int backKey, int forwardKey);
    // Shows what an action throws, as the application's handler would.
    void Guard(const std::function<void()>& action);

    platform::TRegistry& registry_;
    std::string firstPage_;
    bool shown_ = false;
    int wheelRest_ = 0;   // part of a notch, vertical
    int wheelRestX_ = 0;  // and sideways
    std::vector<TSearchResult> results_;
    QActionGroup* sizes_;
};

}  // namespace helpviewer
