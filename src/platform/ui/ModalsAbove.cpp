#include "platform/ui/ModalsAbove.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

constexpr char kName[] = "ModalsAbove";

bool StaysOnTop(const QWidget* window) {
    if (window->windowFlags() & Qt::WindowStaysOnTopHint) return true;
    // A box lifted by this filter holds the flag on its native window only.
    const QWindow* handle = window->windowHandle();
    return handle != nullptr && (handle->flags() & Qt::WindowStaysOnTopHint);
}

bool OtherWindowOnTop(const QWidget* box) {
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != box && window->isVisible() && StaysOnTop(window)) return true;
    }
    return false;
}

class Filter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        // The show event comes before the window is mapped, so the window
        // manager learns the state together with the window.
        if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow() || !widget->isModal()) return false;
        QWindow* handle = widget->windowHandle();
        if (handle == nullptr) return false;
        // Decided at every show: a box used again later may find no such window.
        const bool own = widget->windowFlags() & Qt::WindowStaysOnTopHint;
        handle->setFlag(Qt::WindowStaysOnTopHint, own || OtherWindowOnTop(widget));
        return false;
    }
};

}  // namespace

void KeepModalsAbove(QApplication& app) {
    if (app.findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly) != nullptr) return;
    auto* filter = new Filter(&app);
    filter->setObjectName(QLatin1String(kName));
    app.installEventFilter(filter);
}

}  // namespace platform
