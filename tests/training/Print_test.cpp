#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <regex>

#include "common/PdfReadBack.h"
#include "platform/Dialogs.h"
#include "platform/ui/PagePrinter.h"
#include "training/ui/QuizPrint.h"
#include "training/ui/username_form.h"

namespace {

// Records the page: each text with its place and whether it was bold.
class RecordingCanvas : public platform::PageCanvas {
public:
    struct Text {
        int x, y;
        std::string text;
        bool bold;
    };
    std::vector<Text> texts;
    std::string title;
    bool begun = false;
    bool ended = false;
    bool bold = false;

    bool BeginDoc(const std::string& t) override {
        title = t;
        begun = true;
        return true;
    }
    bool EndDoc() override {
        ended = true;
        return true;
    }
    bool NewPage() override { return true; }
    int Resolution() const override { return 600; }
    int PageWidth() const override { return 4800; }
    int PageHeight() const override { return 6800; }
    void SetFont(const std::string&, int, bool b) override { bold = b; }
    int TextHeight(const std::string&) override { return 10; }
    int TextWidth(const std::string& t) override { return int(t.size()); }
    void TextOut(int x, int y, const std::string& t) override { texts.push_back({x, y, t, bold}); }
    void Line(int, int, int, int) override {}

    const Text* Find(const std::string& t) const {
        for (const Text& x : texts) {
            if (x.text == t) return &x;
        }
        return nullptr;
    }
};

QuizPrintData Data() {
    QuizPrintData d;
    d.counters.FinishedCount = 4;
    d.counters.AttemptCount = 6;
    d.counters.FirstTryRightCount = 3;
    d.fuzzy = true;
    d.rightFrom = 80;
    d.fileName = "/home/lena/tiere.plk";
    d.dateTime = "01.02.24, 10:11:12";
    return d;
}

// "Davon richtig beantwortet:" and six blanks, one unit per byte.
constexpr int kValueX = 120 + 32;

}  // namespace

TEST(QuizResultPrint, LinesOfTheResultInTheirColumns) {
    RecordingCanvas canvas;
    QuizPrintData data = Data();
    data.userName = "Lena";
    ASSERT_TRUE(WriteQuizResult(canvas, data));
    EXPECT_EQ(canvas.title, "Pelko32 Ergebnis vom Abfragen");
    EXPECT_TRUE(canvas.ended);

    std::vector<std::string> order;
    for (const auto& t : canvas.texts) order.push_back(t.text);
    const std::vector<std::string> expected = {"Pelko32 - Abfragen",
                                               "Benutzer:",
                                               "Lena",
                                               "Vokabeldatei: ",
                                               "/home/lena/tiere.plk",
                                               "Gefragt wurde: ",
                                               "Muttersprache->Fremdsprache",
                                               "Fuzzy-Logik: ",
                                               "80%",
                                               "Vokabeln gefragt: ",
                                               "4",
                                               "Davon richtig beantwortet: ",
                                               "3",
                                               "Richtig: ",
                                               "75,00%",
                                               "Es wurden keine Tips verwendet.",
                                               "Datum, Uhrzeit:",
                                               "01.02.24, 10:11:12"};
    EXPECT_EQ(order, expected);

    const auto* head = canvas.Find("Pelko32 - Abfragen");
    EXPECT_EQ(head->y, 60);
    EXPECT_TRUE(head->bold);
    EXPECT_EQ(canvas.Find("Benutzer:")->y, 80);  // after a blank line
    EXPECT_EQ(canvas.Find("Lena")->x, kValueX);
    EXPECT_EQ(canvas.Find("/home/lena/tiere.plk")->x, 120);
    EXPECT_EQ(canvas.Find("/home/lena/tiere.plk")->y, canvas.Find("Vokabeldatei: ")->y + 10);
    EXPECT_TRUE(canvas.Find("75,00%")->bold);
    EXPECT_FALSE(canvas.Find("Es wurden keine Tips verwendet.")->bold);
    EXPECT_EQ(canvas.Find("Datum, Uhrzeit:")->y, canvas.Find("Es wurden keine Tips verwendet.")->y + 20);
}

TEST(QuizResultPrint, RepeatModeGivesNoRatingAndNoEntryDoneDividesByNothing) {
    RecordingCanvas canvas;
    QuizPrintData data = Data();
    data.repeatUntilRight = true;
    data.fuzzy = false;
    data.motherAsked = false;
    ASSERT_TRUE(WriteQuizResult(canvas, data));
    EXPECT_NE(canvas.Find("Es kann keine Wertung ausgegeben werden, da die Option"), nullptr);
    EXPECT_NE(canvas.Find("\"Wiederholen bis richtig beantwortet\" eingeschaltet war."), nullptr);
    EXPECT_EQ(canvas.Find("Richtig: "), nullptr);
    EXPECT_NE(canvas.Find("nicht aktiv"), nullptr);
    EXPECT_NE(canvas.Find("Fremdsprache->Muttersprache"), nullptr);

    RecordingCanvas empty;
    data = Data();
    data.counters = QuizCounters{};
    data.counters.TipsUsed = 2;
    ASSERT_TRUE(WriteQuizResult(empty, data));
    EXPECT_NE(empty.Find("0,00%"), nullptr);
    EXPECT_EQ(empty.Find("Tips verwendet:")->y, empty.Find("2")->y);
}

TEST(QuizResultPrint, PrintsIntoAPdfFileOnTheProgramsPrinterPage) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("ergebnis.pdf").toStdString();
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    // The page chosen last in the print dialog.
    platform::PrintSetup letter;
    letter.paperWidth = 215.9;
    letter.paperHeight = 279.4;
    letter.margins = platform::PrintSetup::Margins{};
    platform::SetProgramPrintSetup(letter);
    QuizPrintData data = Data();
    data.dateTime.clear();
    const bool printed = PrintQuizResult(data, file);
    platform::SetProgramPrintSetup({});
    ASSERT_TRUE(printed);
    EXPECT_TRUE(dialogs.shown.empty());

    const std::vector<pdf::Page> pages = pdf::Read(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].width, 612, 0.5);
    EXPECT_NEAR(pages[0].height, 792, 0.5);
    const pdf::Text* head = pages[0].Find("Pelko32 - Abfragen");
    ASSERT_NE(head, nullptr);
    EXPECT_NE(pages[0].Find("75,00%"), nullptr);
    // Printed without a date of its own: now, with the year in full.
    const std::regex date(R"(\d\d\.\d\d\.\d{4}, \d\d:\d\d:\d\d)");
    bool dated = false;
    for (const pdf::Text& t : pages[0].texts) dated = dated || std::regex_match(t.text, date);
    EXPECT_TRUE(dated);
    // The label column, 60 printer pixels from the page's edge, is 5 mm in.
    EXPECT_NEAR(head->x, 60 * 72.0 / 300, 0.5);
}

TEST(QuizResultPrint, FailedJobIsReported) {
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    EXPECT_FALSE(PrintQuizResult(Data(), "/nonexistent/folder/ergebnis.pdf"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "Beim Drucken ist ein Ausnahmefehler aufgetreten. Bitte wenden Sie sich an den Programmierer");
    EXPECT_EQ(dialogs.shown[0].helpContext, 7001);
}

TEST(QuizResultPrint, NamePromptRefusesAnEmptyNameAndCancelGivesEsc) {
    TUserNameForm& form = UserNameForm();
    EXPECT_EQ(form.windowTitle().toStdString(), "Bericht drucken...");
    EXPECT_EQ(form.Label1->text().toStdString(), "Bitte geben Sie Ihren Namen für den Bericht ein:");
    EXPECT_EQ(form.BitBtn1->text(), "OK");
    EXPECT_EQ(form.BitBtn2->text(), "Abbruch");
    EXPECT_TRUE(form.BitBtn1->isDefault());

    bool emptyKeptOpen = false;
    QTimer::singleShot(0, &form, [&form, &emptyKeptOpen] {
        form.username->clear();
        form.BitBtn1->click();
        emptyKeptOpen = form.isVisible();
        form.username->setText(QStringLiteral("Lena"));
        form.BitBtn1->click();
        if (form.isVisible()) form.reject();
    });
    EXPECT_EQ(AskUserName(), "Lena");
    EXPECT_TRUE(emptyKeptOpen);

    QString offered;
    QTimer::singleShot(0, &form, [&form, &offered] {
        offered = form.username->text();
        form.BitBtn2->click();
        if (form.isVisible()) form.reject();
    });
    EXPECT_EQ(AskUserName(), "\x1b");
    EXPECT_EQ(offered, "Lena");
}
