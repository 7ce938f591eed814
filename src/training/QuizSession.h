#pragma once
// One quiz over a copy of a document's entries: the state of every entry,
// the counters, the choice of the next entry, the judging of answers, tips,
// the blinking of the typed answer and the texts the quiz dialog shows. The
// dialog owns one session for the whole run and drives it from its events.
//
// Vocabulary texts (asked fields, answer lines, tip) are code-page bytes;
// captions, verdicts and progress texts are UTF-8.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "documents/AppSettings.h"
#include "training/QuizResult.h"
#include "training/RandomSource.h"
#include "training/WTLogikUnit.h"

// The state of one entry during a quiz.
using AbfrageStatusTyp = uint8_t;
constexpr AbfrageStatusTyp kNotAsked = 0;  // row not in use
constexpr AbfrageStatusTyp kPending = 1;
constexpr AbfrageStatusTyp kPendingAgain = 2;  // answered wrong, asked again
constexpr AbfrageStatusTyp kDone = 100;

// Colours as 0x00BBGGRR.
constexpr uint32_t kVerdictGreen = 0x008000;
constexpr uint32_t kVerdictBlack = 0x000000;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kYellow = 0x00FFFF;

// The typed answer takes at most this many bytes.
constexpr std::size_t kMaxAnswerLength = 255;

// Plays the error sound; the dialog hands in the program's sound player.
class ErrorSound {
public:
    virtual ~ErrorSound() = default;
    virtual bool Open(const std::string& fileName) = 0;
    virtual void Play() = 0;
    virtual void Close() = 0;
};

inline const char* const kSoundOpenFailedText =
    "Beim Öffnen des Fehler-Signaltons ist ein Problem aufgetreten. Bitte brechen Sie das Abfragen ab und "
    "prüfen Sie in den Optionen/Karteikarte Abfragen, ob die gewählte Sounddatei existiert und nicht "
    "beschädigt ist.";

// The flashing of the typed answer after a wrong or inexact answer: six
// ticks of 150 ms, the colour on every odd count left.
class AnswerBlink {
public:
    // A new quiz: no flash left over from the last one.
    void Reset() {
        tag_ = 6;
        running_ = false;
    }
    // Starting a running blink does not start it over.
    void Start(uint32_t color) {
        color_ = color;
        running_ = true;
    }
    bool Running() const { return running_; }
    // One tick: the label's colour afterwards; nothing means the button face.
    std::optional<uint32_t> Tick();

private:
    int tag_ = 6;
    bool running_ = false;
    uint32_t color_ = kRed;
};

enum class StrikeOut { Off, On, Unchanged };

// What the verdict page shows after an answer.
struct AnswerShown {
    AnswerOutcome outcome = AnswerOutcome::Empty;
    std::string verdict;  // "Bewertung"
    uint32_t verdictColor = kVerdictBlack;
    StrikeOut strikeOut = StrikeOut::Unchanged;  // of the typed line
    // Asked, typed and correct lines; all empty when they are not shown.
    std::string askedLine;
    std::string typedLine;
    std::string correctLine;  // one field per line, each ending in CR
};

class QuizSession {
public:
    explicit QuizSession(OptionenTyp& options = Optionen, RandomSource& random = ProgramRandom());

    // Set by the caller before Start.
    VokabelArrayTyp& Entries() { return entries_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    // The error list's entries, or null when this quiz keeps none.
    void SetErrorList(VokabelArrayTyp* list) { errorList_ = list; }
    void SetSound(ErrorSound* sound) { sound_ = sound; }

    // Showing the dialog, and "Nochmal": a fresh quiz on the same copy, up
    // to its first question.
    void Start();
    // Closing the dialog.
    void Close();
    // OK: judges the answer, then moves on to the next question.
    AnswerShown Answer(const std::string& typed);
    // Reveals one more letter of the typed side's first field; the text shown.
    std::string Tip();
    // The typed side's non-empty fields joined by "; " (the trick menu).
    std::string TrickAnswer() const;
    // Whether a typed key reaches the answer field: ";" only with several
    // meanings, or when a field of the current entry holds one.
    bool KeyAllowed(char key) const;
    void SetMuted(bool muted) { muted_ = muted; }
    bool Muted() const { return muted_; }

    // What the dialog shows.
    std::string Caption() const;
    bool MotherAsked() const { return options_.Abfragen.MutterspracheZuFremdsprache; }
    const char* AskedSideCaption() const;  // "Richtung1"
    const char* TypedSideCaption() const;  // "Richtung2"
    bool TipsAllowed() const { return options_.Abfragen.TipsZulassen; }
    bool SoundButtonShown() const { return options_.Abfragen.BeepBeiFehler; }
    std::array<std::string, 5> AskedFields() const;  // "Abf1".."Abf5"
    int CurrentIndex() const { return currentIndex_; }  // row number; 0 when done
    bool Done() const { return currentIndex_ == 0; }  // the statistics page follows
    int ProgressMax() const { return progressMax_; }
    int ProgressPosition() const { return progressPosition_; }
    const std::string& ProgressText() const { return progressText_; }
    // The file name as the progress text ends in it: without its folder.
    std::string ProgressFileName() const;
    AnswerBlink& Blink() { return blink_; }
    const QuizCounters& Counters() const { return counters_; }
    AbfrageStatusTyp State(int row) const;
    std::string StatisticsText() const;
    ResultPie Pie(int width = 100, int height = 100) const;

private:
    // The entry to ask next; 0 when none is pending.
    int NextEntryIndex();
    std::vector<std::string> CorrectFields() const;
    void ShowNextQuestion();
    void ShowAnswerLines(AnswerShown& shown, const std::array<std::string, 5>& typedParts) const;
    bool Pending(int row) const { return states_[row] == kPending || states_[row] == kPendingAgain; }

    OptionenTyp& options_;
    RandomSource& random_;
    VokabelArrayTyp entries_{};
    std::array<AbfrageStatusTyp, kMaxEntries + 1> states_{};  // index 0 unused
    std::string fileName_;
    VokabelArrayTyp* errorList_ = nullptr;
    ErrorSound* sound_ = nullptr;
    bool soundOpen_ = false;
    bool muted_ = false;
    int currentIndex_ = 0;
    int lastIndex_ = 0;
    int progressMax_ = 0;
    int progressPosition_ = 0;
    std::string progressText_;
    std::string tipText_;
    QuizCounters counters_;
    AnswerBlink blink_;
};
