#include "training/QuizSession.h"

#include <vector>

#include "documents/AppTools.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "training/GermanNumbers.h"

namespace {

std::string JoinedWithSemicolons(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& p : parts) text += p + ";";
    return TrimTrailingSemicolons(text);
}

// The tip's note, in the code page of the vocabulary it follows.
std::string CompleteNote() {
    static const std::string note =
        platform::Utf8ToBytes(platform::CodePage::Cp1252, "     Diese Bedeutung ist bereits vollständig!").value_or("");
    return note;
}

}  // namespace

std::optional<uint32_t> AnswerBlink::Tick() {
    if (!running_) return std::nullopt;
    --tag_;
    if (tag_ <= 0) {
        running_ = false;
        tag_ = 6;
    }
    if (tag_ % 2 == 1) return color_;
    return std::nullopt;
}

QuizSession::QuizSession(OptionenTyp& options, RandomSource& random) : options_(options), random_(random) {}

AbfrageStatusTyp QuizSession::State(int row) const {
    return row >= 1 && row <= kMaxEntries ? states_[row] : kNotAsked;
}

void QuizSession::Start() {
    const AbfrageOptionenTyp& o = options_.Abfragen;
    blink_.Reset();
    if (o.BeepBeiFehler && sound_ != nullptr) {
        sound_->Close();
        soundOpen_ = sound_->Open(o.BeepFilename);
        if (!soundOpen_) {
            platform::Dialogs().MessageDlg(kSoundOpenFailedText, platform::MsgDlgType::Error, platform::mbOK);
        }
    }
    lastIndex_ = 0;
    progressMax_ = 0;
    for (int row = 1; row <= kMaxEntries; ++row) {
        states_[row] = entries_[row].InUse != 0 ? kPending : kNotAsked;
        if (states_[row] != kNotAsked) {
            lastIndex_ = row;
            ++progressMax_;
        }
    }
    counters_ = QuizCounters{};
    currentIndex_ = 0;  // a fresh quiz has no current entry
    progressPosition_ = 0;
    ShowNextQuestion();
    progressText_ = std::to_string(progressMax_) + " Vokabeln werden gefragt...";
}

void QuizSession::Close() {
    if (sound_ != nullptr) sound_->Close();
    soundOpen_ = false;
}

int QuizSession::NextEntryIndex() {
    const AbfrageOptionenTyp& o = options_.Abfragen;
    std::vector<int> pending;
    for (int row = 1; row <= lastIndex_; ++row) {
        if (Pending(row)) pending.push_back(row);
    }
    if (pending.empty()) return 0;
    if (pending.size() == 1) return pending[0];
    if (!o.ZufaelligeReihenfolge) return pending[0];
    if (pending.size() == 2) {
        const int low = pending[0];
        const int high = pending[1];
        if (o.WiederholenBisRichtig) return high == currentIndex_ ? low : high;
        return random_.Random(2) == 0 ? low : high;
    }
    for (;;) {
        const int r = random_.Random(lastIndex_) + 1;
        if (r >= 1 && r <= lastIndex_ && Pending(r) && !(o.WiederholenBisRichtig && r == currentIndex_)) return r;
    }
}

void QuizSession::ShowNextQuestion() {
    const AbfrageOptionenTyp& o = options_.Abfragen;
    tipText_.clear();
    const bool again = o.BeiFalschDirektWiederholen && currentIndex_ >= 1 && states_[currentIndex_] == kPendingAgain;
    if (!again) currentIndex_ = NextEntryIndex();
    if (currentIndex_ == 0) {
        progressPosition_ = progressMax_;
        progressText_ = "Fertig.";
        return;
    }
    progressPosition_ = counters_.FinishedCount;
    if (counters_.FinishedCount > 0) {
        const std::string done = std::to_string(counters_.FinishedCount) + " von " + std::to_string(progressMax_);
        const std::string file = " Datei: " + ProgressFileName();
        if (o.WiederholenBisRichtig) {
            progressText_ = done + " Vokabeln bisher richtig beantwortet." + file;
        } else {
            const int right = counters_.FirstTryRightCount;
            const int finished = counters_.FinishedCount;
            progressText_ = done + " Vokabeln gefragt. Bisher " + PercentUpTo2Decimals(right, finished) +
                            "% richtig und " + PercentUpTo2Decimals(finished - right, finished) +
                            "% falsch beantwortet." + file;
        }
    }
}

std::string QuizSession::ProgressFileName() const {
    const std::size_t slash = fileName_.find_last_of('/');
    return slash == std::string::npos ? fileName_ : fileName_.substr(slash + 1);
}

std::array<std::string, 5> QuizSession::AskedFields() const {
    std::array<std::string, 5> fields{};
    if (currentIndex_ == 0) return fields;
    const VokabelTyp& e = entries_[currentIndex_];
    if (MotherAsked()) {
        for (int k = 0; k < 5; ++k) fields[k] = e.Field(3 + k).Get();
    } else {
        fields[0] = e.FS1.Get();
        fields[1] = e.FS2.Get();
    }
    return fields;
}

std::vector<std::string> QuizSession::CorrectFields() const {
    const VokabelTyp& e = entries_[currentIndex_];
    if (MotherAsked()) return {e.FS1.Get(), e.FS2.Get()};
    return {e.MS1.Get(), e.MS2.Get(), e.MS3.Get(), e.MS4.Get(), e.MS5.Get()};
}

void QuizSession::ShowAnswerLines(AnswerShown& shown, const std::array<std::string, 5>& typedParts) const {
    const std::array<std::string, 5> asked = AskedFields();
    const int askedCount = MotherAsked() ? 5 : 2;
    shown.askedLine = JoinedWithSemicolons(std::vector<std::string>(asked.begin(), asked.begin() + askedCount));
    shown.typedLine = JoinedWithSemicolons(std::vector<std::string>(typedParts.begin(), typedParts.end()));
    shown.correctLine.clear();
    for (const std::string& c : CorrectFields()) shown.correctLine += c + "\r";
}

AnswerShown QuizSession::Answer(const std::string& typed) {
    AnswerShown shown;
    if (currentIndex_ == 0) return shown;
    const AbfrageOptionenTyp& o = options_.Abfragen;
    ++counters_.AttemptCount;

    const std::vector<std::string> correct = CorrectFields();
    const Judgement j = JudgeAnswer(typed.substr(0, kMaxAnswerLength), correct, o.MehrereBedeutungen,
                                    o.AlleBedeutungenRichtig, CompareOptionsFrom(options_));
    if (j.tooManyMeanings) {
        platform::Dialogs().MessageDlg(kTooManyMeaningsText, platform::MsgDlgType::Warning, platform::mbOK);
    }
    shown.outcome = j.outcome;
    const Verdict verdict = VerdictOf(j);
    shown.verdict = VerdictText(verdict);

    if (j.outcome == AnswerOutcome::Right) {
        shown.strikeOut = StrikeOut::Off;
        if (verdict == Verdict::Exact) {
            shown.verdictColor = kVerdictGreen;
        } else {
            shown.verdictColor = kVerdictBlack;
            if (o.BlinkeBeiFehler) blink_.Start(kYellow);
        }
        ShowAnswerLines(shown, j.typedParts);
        if (states_[currentIndex_] == kPending) ++counters_.FirstTryRightCount;
        states_[currentIndex_] = kDone;
        ++counters_.FinishedCount;
    } else {
        if (errorList_ != nullptr && o.FehlerlisteErstellen) AddToErrorList(*errorList_, entries_[currentIndex_]);
        shown.verdictColor = kRed;
        shown.strikeOut = j.outcome == AnswerOutcome::Wrong ? StrikeOut::On : StrikeOut::Unchanged;
        if (o.BeepBeiFehler && soundOpen_ && !muted_ && sound_ != nullptr) sound_->Play();
        if (o.BlinkeBeiFehler) blink_.Start(kRed);
        if (!(o.WiederholenBisRichtig && !o.KorrekteUebersetzungAnzeigen)) ShowAnswerLines(shown, j.typedParts);

        // Typed parts are trimmed, so a side of nothing but blanks could be
        // asked forever: such an entry is done after one try.
        bool sideEmpty = true;
        for (const std::string& c : correct) sideEmpty = sideEmpty && TrimCopy(c).empty();
        if (o.WiederholenBisRichtig && !sideEmpty) {
            states_[currentIndex_] = kPendingAgain;
        } else {
            states_[currentIndex_] = kDone;
            ++counters_.FinishedCount;
        }
    }
    ShowNextQuestion();
    return shown;
}

std::string QuizSession::Tip() {
    if (currentIndex_ == 0) return tipText_;
    const std::string field = MotherAsked() ? entries_[currentIndex_].FS1.Get() : entries_[currentIndex_].MS1.Get();
    const std::size_t n = tipText_.size() + 1;
    tipText_ = field.substr(0, n);
    if (field.size() < n) tipText_ += CompleteNote();
    ++counters_.TipsUsed;
    return tipText_;
}

std::string QuizSession::TrickAnswer() const {
    if (currentIndex_ == 0) return "";
    std::string text;
    for (const std::string& c : CorrectFields()) {
        if (c.empty()) continue;
        if (!text.empty()) text += "; ";
        text += c;
    }
    return text;
}

bool QuizSession::KeyAllowed(char key) const {
    if (key != ';' || options_.Abfragen.MehrereBedeutungen) return true;
    // One meaning only; but a field that holds a ";" must be answerable as
    // it stands.
    if (currentIndex_ == 0) return false;
    for (const std::string& c : CorrectFields()) {
        if (c.find(';') != std::string::npos) return true;
    }
    return false;
}

std::string QuizSession::Caption() const {
    const AbfrageOptionenTyp& o = options_.Abfragen;
    std::string caption = "Vokabeln abfragen";
    if (o.FuzzyLogic) caption += "  -  mit FUZZY-Logic";
    if (o.ZufaelligeReihenfolge) caption += "  -  zufällige Reihenfolge";
    if (o.WiederholenBisRichtig) {
        caption += "  -  Wiederholen, bis Richtig eingegeben";
        caption += o.BeiFalschDirektWiederholen ? " (direkt)" : " (zufällig)";
    }
    return caption;
}

const char* QuizSession::AskedSideCaption() const {
    return MotherAsked() ? "Muttersprache:" : "Fremdsprache:";
}

const char* QuizSession::TypedSideCaption() const {
    return MotherAsked() ? "Fremdsprache:" : "Muttersprache:";
}

std::string QuizSession::StatisticsText() const {
    return ::StatisticsText(counters_, options_.Abfragen.WiederholenBisRichtig, options_.Abfragen.FuzzyLogic);
}

ResultPie QuizSession::Pie(int width, int height) const {
    return ResultPieFor(counters_, options_.Abfragen.WiederholenBisRichtig, width, height);
}
