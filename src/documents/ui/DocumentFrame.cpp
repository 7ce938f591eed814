#include "documents/ui/DocumentFrame.h"

#include <QApplication>
#include <QMdiArea>

#include "documents/ui/Childwin.h"
#include "documents/ui/Edit.h"

namespace {

DocumentFrame* registered = nullptr;

}  // namespace

bool DocumentFrame::CloseEditorsBeforeNew() {
    if (TEditForm* editor = TEditForm::Existing(); editor != nullptr && editor->isVisible()) editor->ButtonFertigClick();
    return true;
}

std::vector<TMDIChild*> DocumentFrame::DocumentWindows() const {
    std::vector<TMDIChild*> windows;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* child = qobject_cast<TMDIChild*>(widget)) windows.push_back(child);
    }
    return windows;
}

TMDIChild* DocumentFrame::ActiveDocument() const {
    const std::vector<TMDIChild*> windows = DocumentWindows();
    for (TMDIChild* child : windows) {
        if (child->mdiArea() != nullptr && child->mdiArea()->activeSubWindow() == child) return child;
    }
    return windows.empty() ? nullptr : windows.front();
}

TMDIChild* DocumentFrame::OpenDocument(const std::string& name) {
    QMdiArea* area = nullptr;
    for (TMDIChild* child : DocumentWindows()) {
        if (child->mdiArea() != nullptr) area = child->mdiArea();
    }
    TMDIChild* child = TMDIChild::Create(DocumentRequest::FromMarker(name), area);
    if (child != nullptr) {
        child->SetCaption(name == "\x1b" ? std::string() : name);
        child->show();
    }
    return child;
}

void DocumentFrame::NewEmptyDocument() { OpenDocument("\x1b"); }

DocumentFrame& TheDocumentFrame() {
    static DocumentFrame windowsOnly;
    return registered != nullptr ? *registered : windowsOnly;
}

void SetDocumentFrame(DocumentFrame* frame) { registered = frame; }
