// Opening and creating documents: the open and import dialogs, the recent
// files, a second start's hand-over and files dropped on the window.
#include "frame/ui/Main.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "documents/AppSettings.h"
#include "documents/ui/Childwin.h"
#include "frame/CommandLine.h"
#include "frame/OpenDocuments.h"
#include "frame/RecentFiles.h"
#include "platform/Dialogs.h"

OpenQueue& MainOpenQueue() {
    static OpenQueue queue;
    return queue;
}

namespace {

void ShowRecentFiles(QAction* const (&items)[9], QAction* separator, const RecentFileMenu& menu) {
    for (size_t i = 0; i < 9; ++i) {
        items[i]->setText(QString::fromStdString(menu.items[i].caption));
        items[i]->setStatusTip(QString::fromStdString(menu.items[i].hint));
        items[i]->setVisible(menu.items[i].visible);
    }
    separator->setVisible(menu.separatorVisible);
}

}  // namespace

void FollowChosenFolder(const platform::FileDialogResult& result) {
    if (!Optionen.VerzeichnisAutomatischWechseln || result.files.empty()) return;
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::path(result.files.front()).parent_path(), ec);
}

std::vector<TMDIChild*> TMainForm::Documents() const {
    std::vector<TMDIChild*> documents;
    if (ClientArea == nullptr) return documents;
    const QList<QMdiSubWindow*> windows = ClientArea->subWindowList(QMdiArea::StackingOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto* child = qobject_cast<TMDIChild*>(*it)) documents.push_back(child);
    }
    return documents;
}

TMDIChild* TMainForm::ActiveDocument() const {
    auto* child = qobject_cast<TMDIChild*>(ClientArea->currentSubWindow());
    // A closed window is hidden until it is deleted.
    return child != nullptr && !child->isHidden() ? child : nullptr;
}

void TMainForm::WireDocument(TMDIChild* child) {
    child->Neu2->setEnabled(true);
    connect(child->Neu2, &QAction::triggered, this, &TMainForm::Neu1Click);
    child->Oeffnen1->setEnabled(true);
    connect(child->Oeffnen1, &QAction::triggered, this, [this] {
        CloseEditorsBeforeNew();
        FileOpenItemClick();
    });
    for (int i = 0; i < 9; ++i) {
        child->F[i]->setEnabled(true);
        connect(child->F[i], &QAction::triggered, this, [this, i] { _LastFilesClick(i + 1); });
    }
    child->Neu1->setEnabled(true);
    connect(child->Neu1, &QAction::triggered, this, &TMainForm::FileNewItemClick);
    child->InDateiensuchen1->setEnabled(true);
    connect(child->InDateiensuchen1, &QAction::triggered, this, &TMainForm::InDateiensuchen1Click);
    if (wheelHook_) child->Tabelle->viewport()->installEventFilter(this);
    // A closing window may be the last; the bar must not keep its menus, and
    // the buttons count the documents only once it is gone.
    connect(child, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, &TMainForm::MergeMenus);
        QTimer::singleShot(0, this, &TMainForm::UpdateMenuItems);
    });
}

TMDIChild* TMainForm::ShowNewDocument(TMDIChild* child, const std::string& caption) {
    // A closed window waiting for its deletion counts no more.
    const QList<QMdiSubWindow*> windows = ClientArea->subWindowList();
    const int count = int(std::count_if(windows.begin(), windows.end(),
                                        [child](QMdiSubWindow* w) { return w == child || !w->isHidden(); }));
    child->SetCaption(caption.empty() ? "Vokabeldatei " + std::to_string(count) : caption);
    child->SetTag(count);
    WireDocument(child);
    child->show();
    ClientArea->setActiveSubWindow(child);
    MergeMenus();
    UpdateMRU("");
    UpdateMenuItems();
    return child;
}

TMDIChild* TMainForm::CreateMDIChild(const std::string& name, int lastOpenFilterIndex) {
    OpenQueue::Busy busy(MainOpenQueue());
    // The format follows what the reader found; a new document is native.
    TMDIChild* child = TMDIChild::Create(DocumentRequest::FromMarker(name, lastOpenFilterIndex), ClientArea);
    if (child == nullptr) return nullptr;
    return ShowNewDocument(child, name == kEmptyMarker ? std::string() : name);
}

TMDIChild* TMainForm::CreateMDIChildFromTemplate(const std::string& templateName) {
    OpenQueue::Busy busy(MainOpenQueue());
    TMDIChild* child = TMDIChild::Create(DocumentRequest::FromMarker(templateName + ">"), ClientArea);
    if (child == nullptr) return nullptr;
    return ShowNewDocument(child, std::string());
}

void TMainForm::OpenFile(const std::string& path, int lastOpenFilterIndex) {
    if (!IsExistingFile(path)) {
        ReportMissingFile(path, Optionen.Settings.LastFiles, platform::Dialogs());
        UpdateMRU("");
        return;
    }
    OpenExistingFile(path, lastOpenFilterIndex);
}

void TMainForm::OpenExistingFile(const std::string& path, int lastOpenFilterIndex) {
    const std::vector<TMDIChild*> documents = Documents();
    std::vector<std::string> names;
    int active = -1;
    const TMDIChild* current = ActiveDocument();
    for (const TMDIChild* child : documents) {
        if (child == current) active = int(names.size());
        names.push_back(child->Document().FileName);
    }
    const OpenDecision decision = DecideOpen(path, names, active);
    switch (decision.action) {
    case OpenAction::Create:
        // An unreadable file still goes to the top of the list.
        CreateMDIChild(path, lastOpenFilterIndex);
        break;
    case OpenAction::Activate:
        ClientArea->setActiveSubWindow(documents[decision.window]);
        break;
    case OpenAction::AlreadyActive:
        break;
    }
    UpdateMRU(path);
}

void TMainForm::UpdateMRU(const std::string& path) {
    if (!::UpdateMRU(Optionen.Settings.LastFiles, path)) return;
    const RecentFileMenu menu = RecentFileMenuItems(Optionen.Settings.LastFiles);
    for (TMDIChild* child : Documents()) ShowRecentFiles(child->F, child->FT, menu);
    ShowRecentFiles(FM, FMT, menu);
}

void TMainForm::_LastFilesClick(int tag) {
    if (tag < 1 || tag > 9) return;
    const std::string path = Optionen.Settings.LastFiles[size_t(tag - 1)];
    OpenFile(path);
}

void TMainForm::OpenHandedOverFiles(const std::string& commandLine) {
    for (const std::string& path : HandedOverFilesToOpen(commandLine, OwnExecutablePath())) {
        OpenExistingFile(path, 0);
    }
}

void TMainForm::OpenDroppedFiles(const std::vector<std::string>& paths) {
    MainOpenQueue().Post([this, paths] {
        for (const std::string& path : paths) OpenFile(path);
    });
}

void TMainForm::FileOpenItemClick() {
    OpenQueue::Busy busy(MainOpenQueue());
    const platform::FileDialogResult result = platform::Dialogs().OpenFileDialog(OpenDialogRequest(Optionen));
    if (!result.accepted) return;
    FollowChosenFolder(result);
    for (const std::string& file : result.files) OpenFile(file, result.filterIndex);
}

void TMainForm::Importieren1Click() {
    OpenQueue::Busy busy(MainOpenQueue());
    const platform::FileDialogResult result = platform::Dialogs().OpenFileDialog(ImportDialogRequest(Optionen));
    if (!result.accepted) return;
    FollowChosenFolder(result);
    for (const std::string& file : result.files) CreateMDIChild(file);
}

void TMainForm::Neu1Click() {
    TMDIChild* child = CreateMDIChild(kEmptyMarker);
    if (child != nullptr) child->Document().FileName.clear();
    UpdateMRU("");
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    event->acceptProposedAction();
    OpenDroppedFiles(paths);
}
