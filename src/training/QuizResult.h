#pragma once
// What a quiz leaves behind without a window: its counters, the text and
// pie figures of the statistics page, and the filling of the error list.

#include <cstdint>
#include <string>

#include "documents/AppSettings.h"

struct QuizCounters {
    uint16_t FinishedCount = 0;       // entries done
    uint16_t AttemptCount = 0;        // answers given, empty ones included
    uint16_t FirstTryRightCount = 0;  // right while still asked for the first time
    int32_t TipsUsed = 0;
};

// The statistics page's text; lines end in CR (UTF-8).
std::string StatisticsText(const QuizCounters& counters, bool repeatUntilRight, bool fuzzy);

// The pie on a width x height box: a red disc with a line from (50, 1) to
// (50, 50), and over it a green pie counter-clockwise from 12 o'clock to
// (endX, endY) for the right share.
struct ResultPie {
    bool drawn = false;     // nothing at all while no entry is done
    bool greenPart = false;  // false: the red disc alone
    double wrongShare = 0;  // per cent
    int endX = 0;
    int endY = 0;
};

ResultPie ResultPieFor(const QuizCounters& counters, bool repeatUntilRight, int width = 100, int height = 100);

// A local date and time as the printed result shows it.
struct ClockReading {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};
// As German dates are written: "11.12.2026, 02:38:35", the year in full and
// no zone name.
std::string ResultDateTimeText(const ClockReading& when);

// The first row 1..500 not in use; 501 when every row is.
int FirstFreeRow(const VokabelArrayTyp& entries);
// The whole record into the list's first free row; false when it is full.
bool AddToErrorList(VokabelArrayTyp& list, const VokabelTyp& entry);
