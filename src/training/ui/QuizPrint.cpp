#include "training/ui/QuizPrint.h"

#include <QDateTime>

#include "platform/Dialogs.h"
#include "platform/ui/PagePrinter.h"
#include "training/GermanNumbers.h"
#include "training/ui/username_form.h"

namespace {

const char* const kPrintFailedText =
    "Beim Drucken ist ein Ausnahmefehler aufgetreten. Bitte wenden Sie sich an den Programmierer";
constexpr int kPrintHelpContext = 7001;
const char* const kFontName = "Times New Roman";

// Lines of the page: each "next line" moves down by the text height first.
class PageLines {
public:
    explicit PageLines(platform::PageCanvas& canvas) : canvas_(canvas) {
        canvas_.SetFont(kFontName, 12, false);
        height_ = canvas_.TextHeight("YAyÛ");
        valueX_ = 120 + canvas_.TextWidth("Davon richtig beantwortet:      ");
    }
    void Blank() { y_ += height_; }
    void Next(const std::string& label) {
        Blank();
        canvas_.TextOut(kLabelX, y_, label);
    }
    void Next(const std::string& label, const std::string& value) {
        Next(label);
        Value(value);
    }
    void Value(const std::string& value) { canvas_.TextOut(valueX_, y_, value); }
    void Bold(bool bold) { canvas_.SetFont(kFontName, 12, bold); }
    void At(int x, const std::string& text) { canvas_.TextOut(x, y_, text); }

private:
    static constexpr int kLabelX = 60;
    platform::PageCanvas& canvas_;
    int height_ = 0;
    int valueX_ = 0;
    int y_ = 50;
};

}  // namespace

bool WriteQuizResult(platform::PageCanvas& canvas, const QuizPrintData& data) {
    if (!canvas.BeginDoc("Pelko32 Ergebnis vom Abfragen")) return false;
    PageLines page(canvas);
    const QuizCounters& c = data.counters;
    page.Bold(true);
    page.Next("Pelko32 - Abfragen");
    page.Bold(false);
    page.Blank();
    if (!data.userName.empty()) page.Next("Benutzer:", data.userName);
    page.Next("Vokabeldatei: ");
    page.Blank();
    page.At(120, data.fileName);
    page.Next("Gefragt wurde: ", data.motherAsked ? "Muttersprache->Fremdsprache" : "Fremdsprache->Muttersprache");
    page.Next("Fuzzy-Logik: ", data.fuzzy ? std::to_string(data.rightFrom) + "%" : "nicht aktiv");
    page.Blank();
    page.Next("Vokabeln gefragt: ", std::to_string(c.FinishedCount));
    if (data.repeatUntilRight) {
        page.Next("Es kann keine Wertung ausgegeben werden, da die Option");
        page.Next("\"Wiederholen bis richtig beantwortet\" eingeschaltet war.");
    } else {
        page.Next("Davon richtig beantwortet: ", std::to_string(c.FirstTryRightCount));
        page.Next("Richtig: ");
        page.Bold(true);
        page.Value(PercentWith2Decimals(c.FirstTryRightCount, c.FinishedCount) + "%");
        page.Bold(false);
        if (c.TipsUsed < 1) {
            page.Next("Es wurden keine Tips verwendet.");
        } else {
            page.Next("Tips verwendet:", std::to_string(c.TipsUsed));
        }
    }
    page.Blank();
    page.Next("Datum, Uhrzeit:", data.dateTime);
    page.Blank();
    return canvas.EndDoc();
}

bool PrintQuizResult(QuizPrintData data, const std::string& pdfFileName) {
    if (data.dateTime.empty()) {
        const QDateTime now = QDateTime::currentDateTime();
        const QDate d = now.date();
        const QTime t = now.time();
        data.dateTime = ResultDateTimeText({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
    }
    platform::PagePrinter printer(pdfFileName);
    if (WriteQuizResult(printer, data)) return true;
    platform::Dialogs().MessageDlg(kPrintFailedText, platform::MsgDlgType::Error, platform::mbOK | platform::mbHelp,
                                   kPrintHelpContext);
    return false;
}

std::string AskUserName() { return UserNameForm().AskUserName(); }
