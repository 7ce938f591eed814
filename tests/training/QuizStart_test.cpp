#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTableView>
#include <set>

#include "training/QuizPick.h"
#include "training/ui/QuizStart.h"
#include "training/QuizUiSupport.h"

using namespace quiz_test;

namespace {

class QuizStartTest : public QuizUiTest {
protected:
    ~QuizStartTest() override { SetQuizOptionsDialog(nullptr); }

    // Runs the quiz command; `steps` run inside the quiz, which is closed
    // afterwards.
    void Start(TMDIChild* window, ModeOrigin origin, std::function<void()> steps = [] {}) {
        WhenUp(form.get(), [this, steps] {
            quizRan = true;
            gridHiddenDuringQuiz = quizzed->Tabelle->isHidden() && quizzed->DescMemo->isHidden();
            steps();
            if (form->isVisible()) form->reject();
        });
        StartQuiz(*window, origin, *form);
    }
    // Runs the command where no quiz may start.
    void StartWithoutQuiz(TMDIChild* window, ModeOrigin origin) { StartQuiz(*window, origin, *form); }

    std::vector<std::string> QuizzedForeignWords() {
        std::vector<std::string> words;
        for (int r = 1; r <= kMaxEntries; ++r) {
            if (form->Session().Entries()[r].InUse != 0) words.push_back(form->Session().Entries()[r].FS1.Get());
        }
        return words;
    }

    void Mark(std::initializer_list<int> rows) {
        for (int r : rows) quizzed->Document().Marks.Marked[r - 1] = 1;
    }

    bool quizRan = false;
    bool gridHiddenDuringQuiz = false;
};

const std::vector<std::pair<std::string, std::string>> kFour = {
    {"dog", "Hund"}, {"cat", "Katze"}, {"cow", "Kuh"}, {"pig", "Schwein"}};

}  // namespace

TEST_F(QuizStartTest, AllEntriesAreQuizzedWhileTheListIsHiddenAndTheListComesBack) {
    Fill(quizzed, kFour);
    quizzed->Document().FileName = "/home/lena/tiere.plk";
    Start(quizzed, ModeOrigin::Menu, [this] {
        EXPECT_EQ(form->Session().ProgressMax(), 4);
        Answer(*form, "dog");
        EXPECT_NE(form->Fortschritt->text().indexOf(QStringLiteral("Datei: tiere.plk")), -1);
    });
    EXPECT_TRUE(quizRan);
    EXPECT_TRUE(gridHiddenDuringQuiz);
    EXPECT_FALSE(quizzed->Tabelle->isHidden());
    EXPECT_TRUE(quizzed->Anzeigen1->isChecked());
    EXPECT_EQ(QuizzedForeignWords(), (std::vector<std::string>{"dog", "cat", "cow", "pig"}));
}

TEST_F(QuizStartTest, HiddenListStaysHiddenUnlessTheWizardStartedTheQuiz) {
    Fill(quizzed, kFour);
    quizzed->HideTable();
    Start(quizzed, ModeOrigin::Menu);
    EXPECT_TRUE(quizzed->Tabelle->isHidden());
    EXPECT_FALSE(quizzed->Anzeigen1->isChecked());
    Start(quizzed, ModeOrigin::Wizard);
    EXPECT_FALSE(quizzed->Tabelle->isHidden());
    EXPECT_TRUE(quizzed->Anzeigen1->isChecked());
}

TEST_F(QuizStartTest, MarkedRowsPopupQuizzesTheMarksOrWarnsAndQuizzesAll) {
    Fill(quizzed, kFour);
    Mark({2, 3, 4});
    Start(quizzed, ModeOrigin::MarkedRows);
    EXPECT_EQ(QuizzedForeignWords(), (std::vector<std::string>{"cat", "cow", "pig"}));

    quizzed->Document().Marks = MarkierungTyp{};
    Mark({3});
    Start(quizzed, ModeOrigin::MarkedRows);
    EXPECT_EQ(dialogs.Texts().back(), "Nicht genügend Vokabeln ausgewählt! Es werden alle Vokabeln gefragt.");
    EXPECT_EQ(QuizzedForeignWords().size(), 4u);
}

TEST_F(QuizStartTest, OptionsDialogChoosesARandomNumberOfDifferentEntriesOrCancels) {
    for (int r = 1; r <= 20; ++r) {
        quizzed->Document().Entries[r] = MakeEntry("f" + std::to_string(r), "m" + std::to_string(r));
    }
    Optionen.Abfragen.OptionenVorAbfragenAnzeigen = true;
    std::vector<std::pair<int, bool>> asked;
    SetQuizOptionsDialog([&asked](int complete, bool marked) -> std::optional<QuizChoice> {
        asked.emplace_back(complete, marked);
        return QuizChoice{QuizChoice::Kind::RandomNumber, 5};
    });
    Start(quizzed, ModeOrigin::MarkedRows);
    EXPECT_EQ(asked, (std::vector<std::pair<int, bool>>{{20, true}}));
    const std::vector<std::string> words = QuizzedForeignWords();
    ASSERT_EQ(words.size(), 5u);
    EXPECT_EQ(std::set<std::string>(words.begin(), words.end()).size(), 5u);

    SetQuizOptionsDialog([](int, bool) { return std::optional<QuizChoice>(); });
    StartWithoutQuiz(quizzed, ModeOrigin::Menu);
    EXPECT_FALSE(quizzed->Tabelle->isHidden());
}

TEST_F(QuizStartTest, CommandsThatEndBeforeTheQuiz) {
    // No complete entry.
    quizzed->Document().Entries[1] = MakeEntry("dog", "");
    StartWithoutQuiz(quizzed, ModeOrigin::Menu);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].helpContext, 5501);
    EXPECT_EQ(dialogs.shown[0].text.rfind("Es wurden noch keine Vokabeln eingegeben.", 0), 0u);

    // The error list itself, answered No: it stays as it was.
    TMDIChild* list = AddWindow(ErrorListCaption);
    Fill(list, kFour);
    dialogs.messageAnswers = {platform::ModalResult::No};
    StartWithoutQuiz(list, ModeOrigin::Menu);
    EXPECT_EQ(dialogs.shown.back().text,
              "Wenn Pelko32 die Fehlerliste abfragen soll wird keine Fehlerliste davon erstellt. Fortfahren?");
    EXPECT_EQ(dialogs.shown.back().helpContext, 2003);
    EXPECT_FALSE(list->Tabelle->isHidden());

    // Random choice over fewer than two used entries: no quiz.
    quizzed->Document().Entries[1] = MakeEntry("dog", "Hund");
    Optionen.Abfragen.OptionenVorAbfragenAnzeigen = true;
    SetQuizOptionsDialog([](int, bool) { return std::optional<QuizChoice>(QuizChoice{QuizChoice::Kind::RandomNumber, 3}); });
    StartWithoutQuiz(quizzed, ModeOrigin::Menu);
    EXPECT_EQ(dialogs.Texts().back(), "Keine oder nicht genügend Vokabeln eingegeben!");
    EXPECT_FALSE(quizzed->Tabelle->isHidden());
}

namespace {
std::vector<ModeOrigin> startedFrom;
void RecordStart(TMDIChild&, ModeOrigin origin) { startedFrom.push_back(origin); }
}  // namespace

TEST_F(QuizStartTest, DocumentMenusStartTheRegisteredQuiz) {
    startedFrom.clear();
    TMDIChild::SetQuizStarter(&RecordStart);
    for (QAction* action : {quizzed->Abfragen1, quizzed->Abfragen2, quizzed->ctx_menu_abfragen}) {
        EXPECT_TRUE(action->isEnabled());
        action->trigger();
    }
    TMDIChild::SetQuizStarter(nullptr);
    EXPECT_EQ(startedFrom, (std::vector<ModeOrigin>{ModeOrigin::Menu, ModeOrigin::Menu, ModeOrigin::MarkedRows}));
}
