#pragma once
// A shown document window over three entries (Maus, Haus, Baum), for the
// widget tests of editing.

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
