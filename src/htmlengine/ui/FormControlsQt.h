#pragma once
// The Qt widgets of a page's form controls: children of the viewer's paint
// panel, made at top -400 (out of sight until painting places them).

#include "htmlengine/FormControlBase.h"

#include <QPointer>
#include <QWidget>

namespace htmlengine {

// Colours are resolved with the system colours the page is painted with.
class QtFormControlHost : public FormControlHost {
public:
    QtFormControlHost(QWidget* panel, const SystemColors& system) : panel_(panel), system_(system) {}
    std::unique_ptr<FormWidget> Create(const FormWidgetOptions& options) override;

private:
    QPointer<QWidget> panel_;
    const SystemColors& system_;
};

}  // namespace htmlengine
