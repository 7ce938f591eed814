// The document window's print commands.

#include <QAction>

#include "documents/ui/Childwin.h"
#include "documents/ui/DocumentFrame.h"
#include "documents/ui/PrnInfo_Unit.h"

void TMDIChild::WirePrinting() {
    // The file menu, its hidden twin in the vocabulary menu, the grid popup.
    for (QAction* print : {Drucken1, Drucken2, Drucken3}) {
        print->setEnabled(true);
        connect(print, &QAction::triggered, this, &TMDIChild::Drucken1Click);
    }
}

void TMDIChild::Drucken1Click() {
    TheDocumentFrame().CloseEditorsBeforeNew();
    StartPrint();
}

void TMDIChild::StartPrint(bool fromToolbar) {
    TPrintForm& form = PrintForm();
    form.PrintWithDialog = !fromToolbar;
    form.PrintFileName = doc_->FileName;
    form.PrintDescription = doc_->Description;
    *form.PrintEntries = doc_->Entries;
    form.PrintMarks = doc_->Marks;
    form.PrintFonts = doc_->Fonts;
    form.exec();
}
