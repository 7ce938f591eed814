#include "training/ui/QuizHost.h"

#include <QMdiArea>

#include "documents/ui/Childwin.h"

namespace {
QuizHost* registeredHost = nullptr;
}

QuizHost* TheQuizHost() { return registeredHost; }

void SetQuizHost(QuizHost* host) { registeredHost = host; }

std::vector<TMDIChild*> MdiAreaQuizHost::DocumentWindows() {
    std::vector<TMDIChild*> windows;
    if (area_ == nullptr) return windows;
    for (QMdiSubWindow* w : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* child = qobject_cast<TMDIChild*>(w)) windows.push_back(child);
    }
    return windows;
}

TMDIChild* MdiAreaQuizHost::CreateEmptyDocument() {
    if (area_ == nullptr) return nullptr;
    TMDIChild* child = TMDIChild::Create(DocumentRequest::FromMarker("\x1b"), area_);
    if (child != nullptr) child->show();
    return child;
}
