#pragma once
// A shown document window over three entries (Maus, Haus, Baum), for the
// widget tests of editing.

#include <QApplication>
#include <memory>

#include "documents/DocumentTestFiles.h"
#include "documents/VocabDocument.h"
#include "documents/ui/Childwin.h"

inline std::unique_ptr<TMDIChild> ShowThreeEntryWindow() {
    auto doc = std::make_unique<VocabDocument>();
    doc->Entries[1] = MakeEntry("Maus", "mouse");
    doc->Entries[2] = MakeEntry("Haus", "house");
    doc->Entries[3] = MakeEntry("Baum", "tree");
    auto window = std::make_unique<TMDIChild>(std::move(doc));
    window->resize(900, 500);
    window->show();
    return window;
}

// The window active, as a user's click leaves it; the test platform
// activates a shown window a turn or two later.
inline bool ActivateForTest(QWidget* window) {
    window->activateWindow();
    for (int turn = 0; turn < 50 && !window->isActiveWindow(); ++turn) QCoreApplication::processEvents();
    return window->isActiveWindow();
}
