#include "training/LearnSession.h"

namespace {

bool EmptyEntry(const VokabelTyp& e) {
    for (int f = 1; f <= 7; ++f) {
        if (!e.Field(f).Empty()) return false;
    }
    return true;
}

std::string Lines(const VokabelTyp& e, int first, int last) {
    std::string text;
    for (int f = first; f <= last; ++f) text += e.Field(f).Get() + '\r';
    return text;
}

}  // namespace

void LearnSession::Count(int row, int firstField, int lastField, int sideField) {
    const bool single = options_.Abfragen.EinzelneBedeutungenLernen;
    const uint8_t repeats = options_.Abfragen.WiederholungsAnzahl;
    const VokabelTyp& e = (*entries_)[std::size_t(row)];
    for (int f = firstField; f <= lastField; ++f) {
        if (e.Field(f).Empty()) continue;
        // Without single meanings the side counts once, held by its first field.
        const int counted = single ? f : sideField;
        if (!single && Counter(row, counted) != 0) continue;
        Counter(row, counted) = repeats;
        remaining_ += repeats;
    }
}

void LearnSession::SetUp(const VokabelArrayTyp& entries, int lastRow) {
    entries_ = &entries;
    lastRow_ = lastRow < 0 ? 0 : (lastRow > kMaxEntries ? kMaxEntries : lastRow);
    counters_.fill(0);
    remaining_ = 0;
    shown_ = 0;
    row_ = 0;
    field_ = 0;
    const uint8_t mode = options_.Abfragen.LernModus;
    for (int r = 1; r <= lastRow_; ++r) {
        if (EmptyEntry(entries[std::size_t(r)])) continue;
        if (mode == 0 || mode == 2) Count(r, 3, 7, 3);
        if (mode == 1 || mode == 2) Count(r, 1, 2, 1);
    }
    total_ = remaining_;
}

int LearnSession::DrawField() {
    const uint8_t mode = options_.Abfragen.LernModus;
    if (options_.Abfragen.EinzelneBedeutungenLernen) {
        if (mode == 0) return 3 + random_.Random(5);
        if (mode == 1) return 1 + random_.Random(2);
        return 1 + random_.Random(7);
    }
    if (mode == 0) return 3;
    if (mode == 1) return 1;
    return random_.Random(2) == 0 ? 1 : 3;
}

void LearnSession::ShowNext() {
    if (!AnyDue()) return;
    for (;;) {
        const int row = 1 + random_.Random(lastRow_);
        const int field = DrawField();
        if (Counter(row, field) == 0) continue;
        --Counter(row, field);
        row_ = row;
        field_ = field;
        break;
    }
    ++shown_;
    --remaining_;
}

std::string LearnSession::ShownText() const {
    if (entries_ == nullptr || row_ == 0) return {};
    const VokabelTyp& e = (*entries_)[std::size_t(row_)];
    if (options_.Abfragen.EinzelneBedeutungenLernen) return e.Field(field_).Get();
    return MotherShown() ? Lines(e, 3, 7) : Lines(e, 1, 2);
}

std::string LearnSession::RevealText() const {
    if (entries_ == nullptr || row_ == 0) return {};
    const VokabelTyp& e = (*entries_)[std::size_t(row_)];
    return MotherShown() ? Lines(e, 1, 2) : Lines(e, 3, 7);
}

std::string LearnSession::ProgressText() const {
    return std::to_string(shown_) + " von " + std::to_string(total_);
}

int LearnSession::DisplayHeight() const {
    if (options_.Abfragen.EinzelneBedeutungenLernen) return 25;
    return options_.Abfragen.LernModus == 1 ? 50 : 125;
}
