#pragma once
// What the print dialog's choice means for a job: the pages to send and
// their order. The job sends them itself, so that reverse order, odd or even
// pages and copies come out alike on a printer and in a PDF file.

#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace platform {

// Takes the print system's own page options ("page-set", "page-ranges") out
// of the job options into the choice, so that the print system does not
// pick pages a second time from those the job sends.
void TakePageOptions(PrintDialogResult& chosen);

// The pages of a job of pageCount pages to send, in order: the chosen ones
// that exist (all of them for "all" and "selection"), only the odd or the
// even page numbers when asked, last page first when asked, then the copies,
// each whole or each page repeated.
std::vector<int> PagesToPrint(const PrintDialogResult& chosen, int pageCount);

// Why a choice leaves no page of a job of pageCount pages: its range holds
// none of them, or none of those has an odd or even number as asked.
enum class NothingChosen { No, Range, PageSet };
NothingChosen WhyNothingChosen(const PrintDialogResult& chosen, int pageCount);

// The pages of a range as the user writes them: "1-3, 5, 8-".
std::string PageRangeText(const std::vector<PrintPageSpan>& pages);

}  // namespace platform
