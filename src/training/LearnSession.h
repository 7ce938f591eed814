#pragma once
// Learning: every side (or single meaning) of the document's entries is due
// a number of times; a random due item is shown, its other side revealed on
// request, until no show is left. Fields are numbered as in an entry: 1, 2
// the foreign side, 3 to 7 the mother-tongue side.

#include <array>
#include <cstdint>
#include <string>

#include "documents/AppSettings.h"
#include "training/RandomSource.h"

class LearnSession {
public:
    LearnSession(const OptionenTyp& options, RandomSource& random) : options_(options), random_(random) {}

    // Counts the due shows of rows 1..lastRow from the options as they are
    // now. The entries must stay alive while the session runs.
    void SetUp(const VokabelArrayTyp& entries, int lastRow);

    bool AnyDue() const { return remaining_ >= 1; }
    // Draws a due item and uses up one of its shows; only while AnyDue().
    void ShowNext();

    int CurrentRow() const { return row_; }
    int CurrentField() const { return field_; }
    bool MotherShown() const { return field_ >= 3; }
    // CR after each line; the one field with single meanings.
    std::string ShownText() const;
    std::string RevealText() const;
    // "N von M".
    std::string ProgressText() const;

    int Remaining() const { return remaining_; }
    int Total() const { return total_; }
    int Due(int row, int field) const { return counters_[std::size_t(row) * 7 + std::size_t(field) - 1]; }

    // The display height the shown side needs.
    int DisplayHeight() const;

private:
    uint8_t& Counter(int row, int field) { return counters_[std::size_t(row) * 7 + std::size_t(field) - 1]; }
    void Count(int row, int firstField, int lastField, int sideField);
    int DrawField();

    const OptionenTyp& options_;
    RandomSource& random_;
    const VokabelArrayTyp* entries_ = nullptr;
    std::array<uint8_t, (kMaxEntries + 1) * 7> counters_{};
    int remaining_ = 0;
    int shown_ = 0;
    int total_ = 0;
    int row_ = 0;
    int field_ = 0;
    int lastRow_ = 0;
};
