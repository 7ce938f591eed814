#include "training/QuizPick.h"

#include <utility>
#include <vector>

#include "platform/Dialogs.h"

bool PickRandomEntries(const VokabelArrayTyp& entries, int count, VokabelArrayTyp& picked, RandomSource& random) {
    std::vector<int> used;
    for (int row = 1; row <= kMaxEntries; ++row) {
        if (entries[row].InUse != 0) used.push_back(row);
    }
    if (used.size() < 2) {
        platform::Dialogs().MessageDlg("Keine oder nicht genügend Vokabeln eingegeben!", platform::MsgDlgType::Error,
                                       platform::mbOK);
        return false;
    }

    // One random cycle: hold the first used row's entry, visit every other
    // used row once in random order, swapping it with the held entry.
    picked = entries;
    VokabelTyp held = picked[used[0]];
    std::vector<int> unvisited(used.begin() + 1, used.end());
    while (!unvisited.empty()) {
        const int32_t draw = random.Random(int32_t(unvisited.size()));
        const std::size_t at = draw >= 0 && std::size_t(draw) < unvisited.size() ? std::size_t(draw) : 0;
        std::swap(held, picked[unvisited[at]]);
        unvisited.erase(unvisited.begin() + std::ptrdiff_t(at));
    }
    picked[used[0]] = held;

    // The first `count` used rows take part, wherever the gaps are.
    int kept = 0;
    for (int row = 1; row <= kMaxEntries; ++row) {
        if (picked[row].InUse == 0) continue;
        if (kept < count) {
            ++kept;
        } else {
            picked[row] = BlankEntry;
        }
    }
    return true;
}

void PickMarkedEntries(const VokabelArrayTyp& entries, const MarkierungTyp& marks, VokabelArrayTyp& picked) {
    int marked = 0;
    for (int row = 1; row <= kMaxEntries; ++row) marked += MarksGet(marks, row) ? 1 : 0;
    if (marked < 2) {
        platform::Dialogs().MessageDlg("Nicht genügend Vokabeln ausgewählt! Es werden alle Vokabeln gefragt.",
                                       platform::MsgDlgType::Error, platform::mbOK);
        picked = entries;
        return;
    }
    picked[0] = BlankEntry;
    int to = 1;
    for (int row = 1; row <= kMaxEntries; ++row) {
        if (MarksGet(marks, row)) picked[to++] = entries[row];
    }
    for (; to <= kMaxEntries; ++to) picked[to] = BlankEntry;
}
