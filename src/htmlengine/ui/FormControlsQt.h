#pragma once
// The Qt widgets of a page's form controls: children of the viewer's paint
// panel, made at top -400 (out of sight until painting places them).

#include "htmlengine/FormControlBase.h"

#include <QPointer>
#include <QWidget>

namespace htmlengine {

class QtFormControlHost : public FormControlHost {
public:
    explicit QtFormControlHost(QWidget* panel) : panel_(panel) {}
    std::unique_ptr<FormWidget> Create(const FormWidgetOptions& options) override;

private:
    QPointer<QWidget> panel_;
};

}  // namespace htmlengine
