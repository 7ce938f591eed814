#include "documents/EntryEditorLink.h"

#include "documents/VocabDocument.h"

namespace {

EntryEditorLink* editorLink = nullptr;

EntryEditorLink* LinkFor(const VocabDocument& document) {
    return editorLink != nullptr && DocumentInEditor() == &document ? editorLink : nullptr;
}

}  // namespace

void SetEntryEditorLink(EntryEditorLink* link) { editorLink = link; }

RowsChanging::RowsChanging(const VocabDocument& document) : link_(LinkFor(document)) {
    if (link_ != nullptr) link_->StoreEntry();
}

RowsChanging::~RowsChanging() {
    if (link_ != nullptr) link_->ShowEntry();
}

void EntryEditorCellStored(const VocabDocument& document, int row) {
    EntryEditorLink* link = LinkFor(document);
    if (link != nullptr && link->EditRow() == row) link->ShowEntry();
}
