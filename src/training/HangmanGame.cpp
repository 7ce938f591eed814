#include "training/HangmanGame.h"

#include <vector>

#include "documents/AppTools.h"

namespace {

bool IsUmlaut(char c) {
    switch (uint8_t(c)) {
    case 0xC4: case 0xE4: case 0xD6: case 0xF6: case 0xDC: case 0xFC:
        return true;
    default:
        return false;
    }
}

}  // namespace

void ReplaceUmlauts(std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        switch (uint8_t(c)) {
        case 0xC4: case 0xE4: out += "ae"; break;
        case 0xD6: case 0xF6: out += "oe"; break;
        case 0xDC: case 0xFC: out += "ue"; break;
        default: out += c;
        }
    }
    s = out;
}

void HangmanGame::SetUp(const VokabelArrayTyp& entries, int lastRow, uint8_t first, uint8_t last) {
    lastRow_ = lastRow < 0 ? 0 : (lastRow > kMaxEntries ? kMaxEntries : lastRow);
    used_.reset();
    inUse_.reset();
    for (int r = 1; r <= kMaxEntries; ++r) {
        inUse_[std::size_t(r)] = entries[std::size_t(r)].InUse != 0;
        for (int f = 1; f <= 7; ++f) words_[Slot(r, f)] = entries[std::size_t(r)].Field(f).Get();
    }
    first_ = first;
    last_ = last;
    picture_ = first;
    state_ = State::Running;
    row_ = field_ = 0;
    word_.clear();
    guessed_.clear();
    display_.clear();
    hidden_ = 0;
}

bool HangmanGame::Candidate(int row, int field) const {
    return inUse_[std::size_t(row)] && !words_[Slot(row, field)].empty() && !used_[Slot(row, field)];
}

bool HangmanGame::PickWord() {
    const HangmanOptionenTyp& o = options_.Hangman;
    const bool firstOnly = o.NurErsteBedeutung;
    std::vector<int> fields;
    if (o.FremdspracheFragen) {
        fields.push_back(1);
        if (!firstOnly) fields.push_back(2);
    }
    if (o.MutterspracheFragen) {
        fields.push_back(3);
        if (!firstOnly) {
            for (int f = 4; f <= 7; ++f) fields.push_back(f);
        }
    }
    bool any = false;
    for (int r = 1; r <= lastRow_ && !any; ++r) {
        for (const int f : fields) any = any || Candidate(r, f);
    }
    if (!any) return false;

    int row = 0;
    int field = 0;
    do {
        row = 1 + random_.Random(lastRow_);
        if (!inUse_[std::size_t(row)]) continue;
        if (o.FremdspracheFragen && o.MutterspracheFragen) {
            field = 1 + random_.Random(7);
        } else if (o.MutterspracheFragen) {
            field = 3 + random_.Random(5);
        } else {
            field = 1 + random_.Random(2);
        }
        if (firstOnly) field = field == 2 ? 1 : (field > 3 ? 3 : field);
    } while (!inUse_[std::size_t(row)] || !Candidate(row, field));

    row_ = row;
    field_ = field;
    word_ = words_[Slot(row, field)];
    translations_ = {};
    if (o.UebersetzungAnzeigen) {
        if (AskedMother()) {
            for (int f = 1; f <= 2; ++f) translations_[std::size_t(f - 1)] = words_[Slot(row, f)];
        } else {
            for (int f = 3; f <= 7; ++f) translations_[std::size_t(f - 3)] = words_[Slot(row, f)];
        }
    }
    if (o.UmlauteTrennen) ReplaceUmlauts(word_);
    return true;
}

bool HangmanGame::NextWord() {
    picture_ = first_;
    if (row_ != 0 && (state_ == State::Won || (state_ == State::Lost && !options_.Hangman.FragenBisRichtig))) {
        used_[Slot(row_, field_)] = true;
    }
    state_ = State::Running;
    if (!PickWord()) {
        row_ = field_ = 0;
        return false;
    }
    guessed_.clear();
    display_.clear();
    for (std::size_t i = 0; i < word_.size(); ++i) display_ += "_ ";
    hidden_ = int(word_.size());
    return true;
}

HangmanGame::KeyEffect HangmanGame::Key(char key) {
    KeyEffect effect;
    if (state_ != State::Running) {
        effect.nextWord = true;
        effect.pictureChanged = true;
        effect.gameOver = !NextWord();
        return effect;
    }
    if (options_.Hangman.UmlauteTrennen && IsUmlaut(key)) {
        effect.beep = true;
        return effect;
    }
    const char k = UpAscii(key);
    const bool repeated = guessed_.find(k) != std::string::npos;
    bool hit = false;
    if (!repeated) {
        for (std::size_t d = 0; d < word_.size(); ++d) {
            if (UpAscii(word_[d]) != k) continue;
            hit = true;
            display_[2 * d] = word_[d];
            --hidden_;
        }
    }
    if (repeated && !options_.Hangman.DoppelteBuchstabenFalsch) hit = true;
    guessed_ += k;
    if (hidden_ == 0) state_ = State::Won;
    if (!hit) {
        // A series whose first and last picture are one never moves.
        if (last_ > first_) ++picture_;
        if (last_ < first_) --picture_;
        effect.pictureChanged = last_ != first_;
        const bool lost = (first_ < last_ && picture_ >= last_) || (last_ < first_ && picture_ <= last_);
        if (lost) {
            if (!options_.Hangman.FragenBisRichtig) display_ = word_;
            state_ = State::Lost;
        }
    }
    return effect;
}
