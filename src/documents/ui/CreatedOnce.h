#pragma once
// The document dialogs exist once for the program's life and keep their
// controls' state between uses; they go with the application object.

#include <QCoreApplication>
#include <QPointer>

template <class Dialog>
Dialog& CreatedOnce() {
    static QPointer<Dialog> dialog;
    if (dialog.isNull()) {
        dialog = new Dialog;
        qAddPostRoutine([] { delete dialog.data(); });
    }
    return *dialog;
}
