#include "training/QuizResult.h"

#include <cmath>
#include <cstdio>

std::string StatisticsText(const QuizCounters& c, bool repeatUntilRight, bool fuzzy) {
    const std::string finished = std::to_string(c.FinishedCount);
    if (repeatUntilRight) {
        return "Es wurden " + finished + " Vokabeln abgefragt\rbis sie richtig eingegeben wurden.\r" +
               "Dazu benötigten Sie " + std::to_string(c.AttemptCount) + " Versuche.";
    }
    std::string text = "Es wurden " + finished + " Vokabeln abgefragt\rDavon haben Sie " +
                       std::to_string(c.FirstTryRightCount) + " korrekt übersetzt";
    if (fuzzy) text += " (teilweise durch Fuzzy-Logic)";
    return text + "\rSie haben " + std::to_string(int(c.FinishedCount) - int(c.FirstTryRightCount)) +
           " Vokabeln falsch übersetzt.";
}

std::string ResultDateTimeText(const ClockReading& w) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d, %02d:%02d:%02d", w.day, w.month, w.year, w.hour, w.minute,
                  w.second);
    return text;
}

ResultPie ResultPieFor(const QuizCounters& c, bool repeatUntilRight, int width, int /*height*/) {
    ResultPie pie;
    if (c.FinishedCount == 0) return pie;
    pie.drawn = true;
    if (c.FirstTryRightCount == 0) return pie;
    pie.greenPart = true;
    if (repeatUntilRight) {
        pie.wrongShare = c.AttemptCount == 0 ? 0 : 100.0 - c.FinishedCount * 100.0 / c.AttemptCount;
    } else {
        pie.wrongShare = 100.0 - c.FirstTryRightCount * 100.0 / c.FinishedCount;
    }
    double degrees = 90.0 - 3.6 * pie.wrongShare;
    if (degrees < 0) degrees += 360.0;
    const double a = degrees * M_PI / 180.0;
    const double r = width / 2;
    pie.endX = int(std::lround(r * (1 + std::cos(a))));
    pie.endY = int(std::lround(r * (1 - std::sin(a))));
    return pie;
}

int FirstFreeRow(const VokabelArrayTyp& entries) {
    for (int row = 1; row <= kMaxEntries; ++row) {
        if (entries[row].InUse == 0) return row;
    }
    return kMaxEntries + 1;
}

bool AddToErrorList(VokabelArrayTyp& list, const VokabelTyp& entry) {
    const int row = FirstFreeRow(list);
    if (row > kMaxEntries) return false;
    list[row] = entry;
    return true;
}
