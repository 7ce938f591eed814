#include "documents/ui/DocumentHost.h"

namespace {
DocumentHost* documentHost = nullptr;
}

DocumentHost* TheDocumentHost() { return documentHost; }
void SetDocumentHost(DocumentHost* host) { documentHost = host; }
