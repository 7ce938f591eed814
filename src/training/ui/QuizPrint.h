#pragma once
// The quiz's one-page result on paper, and the name prompt before it.

#include <string>

#include "training/QuizResult.h"

namespace platform {
class PageCanvas;
}

struct QuizPrintData {
    QuizCounters counters;
    bool repeatUntilRight = false;
    bool fuzzy = false;
    int rightFrom = 80;  // per cent, the fuzzy threshold
    bool motherAsked = true;
    std::string fileName;  // of the quizzed document
    std::string userName;  // empty: no user line
    std::string dateTime;  // "11.12.2026, 02:38:35"
};

// The page between BeginDoc and EndDoc; false when the job failed.
bool WriteQuizResult(platform::PageCanvas& canvas, const QuizPrintData& data);

// Prints on the default printer, or into a PDF file when one is named; a
// failure is reported. The date and time are filled in when empty.
bool PrintQuizResult(QuizPrintData data, const std::string& pdfFileName = {});

// The name for the report, through the name prompt: what was typed, or ESC
// when cancelled. The last typed name is offered again.
std::string AskUserName();
