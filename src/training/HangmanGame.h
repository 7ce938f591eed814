#pragma once
// The hangman game over the words of a document copy: a random word is
// shown masked, each key guesses a letter, a wrong guess moves the picture
// series one step towards its last picture; the word is won when every
// letter is uncovered and lost at the last picture. Words are code-page
// bytes; fields 1, 2 are the foreign side, 3 to 7 the mother-tongue side.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "documents/AppSettings.h"
#include "training/RandomSource.h"

// Ä, ä -> "ae", Ö, ö -> "oe", Ü, ü -> "ue" (Windows-1252 bytes).
void ReplaceUmlauts(std::string& s);

class HangmanGame {
public:
    enum class State { Running, Won, Lost };

    // What one key did.
    struct KeyEffect {
        bool beep = false;
        bool pictureChanged = false;
        bool nextWord = false;  // the word was over; the next one is up (or none is left)
        bool gameOver = false;  // no word left: "Alle Wörter wurden erraten!"
    };

    HangmanGame(const OptionenTyp& options, RandomSource& random) : options_(options), random_(random) {}

    // A fresh table of words from the entries; no word is used yet. The
    // series runs from `first` to `last`.
    void SetUp(const VokabelArrayTyp& entries, int lastRow, uint8_t first, uint8_t last);
    // Marks the word just played when that is due, then picks the next one.
    // False when none is left.
    bool NextWord();
    KeyEffect Key(char key);

    State GetState() const { return state_; }
    int Picture() const { return picture_; }
    const std::string& Display() const { return display_; }
    const std::string& CurrentWord() const { return word_; }
    const std::string& GuessedLetters() const { return guessed_; }
    int CurrentRow() const { return row_; }
    int CurrentField() const { return field_; }
    bool AskedMother() const { return field_ > 2; }
    // The other side of the current entry, filled with "Übersetzung anzeigen".
    const std::array<std::string, 5>& Translations() const { return translations_; }
    bool Used(int row, int field) const { return used_[Slot(row, field)]; }

private:
    static std::size_t Slot(int row, int field) { return std::size_t(row) * 7 + std::size_t(field) - 1; }
    bool Candidate(int row, int field) const;
    bool PickWord();

    const OptionenTyp& options_;
    RandomSource& random_;
    std::array<std::string, (kMaxEntries + 1) * 7> words_{};
    std::bitset<(kMaxEntries + 1) * 7> used_;
    std::bitset<kMaxEntries + 1> inUse_;
    int lastRow_ = 0;
    uint8_t first_ = 0;
    uint8_t last_ = 0;
    int picture_ = 0;
    State state_ = State::Running;
    int row_ = 0;
    int field_ = 0;
    std::array<std::string, 5> translations_{};
    std::string word_;
    std::string guessed_;
    std::string display_;
    int hidden_ = 0;  // letters not yet uncovered
};
