#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "documents/ui/FieldInput.h"
#include "platform/CodePage.h"
#include "training/ModeTestSupport.h"
#include "training/ThmFile.h"
#include "training/QuizUiSupport.h"
#include "training/ui/LernUnit.h"
#include "training/ui/ModeFrame.h"
#include "training/ui/QuizStart.h"
#include "training/ui/StateLed.h"
#include "training/ui/StringEingUnit.h"
#include "training/ui/WTLogikForm.h"
#include "training/ui/abfr_opt.h"
#include "training/ui/hangman_unit.h"

using namespace quiz_test;
using mode_test::ScriptedRandom;

namespace {

// Runs `steps` once the dialog's exec() is under way; whatever they leave
// open is closed afterwards, so that no test hangs.
void WhenShown(QDialog& dialog, std::function<void()> steps) {
    QTimer::singleShot(0, &dialog, [&dialog, steps] {
        steps();
        QTimer::singleShot(0, &dialog, [&dialog] {
            if (dialog.isVisible()) dialog.reject();
        });
    });
}

class ModeFormTest : public QuizUiTest {
protected:
    ~ModeFormTest() override {
        SetQuizOptionsDialog(nullptr);
        SetGeneralOptionsDialog(nullptr);
    }
    const std::vector<std::string>& Texts() {
        texts = dialogs.Texts();
        return texts;
    }
    std::vector<std::string> texts;
    ScriptedRandom scripted;
};

}  // namespace

TEST_F(ModeFormTest, CompactOptionsSetTheirControlsAndWriteTheQuizOptions) {
    TAbfrOptForm& options = AbfrOptForm();
    WhenShown(options, [&options] {
        EXPECT_EQ(options.vokanz2->value(), 25);
        EXPECT_EQ(options.vokanz2->maximum(), 25);
        EXPECT_EQ(options.AbfrCount2->value(), 25);
        EXPECT_EQ(options.AbfrCount2->tickInterval(), 2);
        EXPECT_TRUE(options.allbtn->isChecked());
        EXPECT_FALSE(options.vokanz2->isEnabled());
        options.randomnumberbtn->click();
        EXPECT_TRUE(options.vokanz2->isEnabled());
        options.AbfrCount2->setValue(7);
        EXPECT_EQ(options.vokanz2->value(), 7);
    });
    EXPECT_EQ(options.ShowQuizOptions(25), QDialog::Rejected);

    // From the quiz command: the choice of entries and the options written.
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}, {"cow", "Kuh"}, {"pig", "Schwein"}});
    Optionen.Abfragen.OptionenVorAbfragenAnzeigen = true;
    Optionen.Abfragen.ZufaelligeReihenfolge = true;
    RegisterQuizOptionsDialog();
    int asked = 0;
    WhenShown(options, [&] {
        EXPECT_TRUE(options.AbfrRichtung2[0]->isChecked());
        EXPECT_TRUE(options.ZufallBox2->isChecked());
        EXPECT_TRUE(options.randomnumberbtn->isChecked());  // kept from before
        EXPECT_EQ(options.vokanz2->value(), 4);
        options.vokanz2->setValue(2);
        options.AbfrRichtung2[1]->setChecked(true);
        options.ZufallBox2->setChecked(false);
        WhenShown(*form, [&] { asked = form->Session().ProgressMax(); });
        options.BitBtn1->click();
    });
    StartQuiz(*quizzed, ModeOrigin::Menu, *form);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(Optionen.Abfragen.MutterspracheZuFremdsprache);
    EXPECT_FALSE(Optionen.Abfragen.ZufaelligeReihenfolge);

    // Cancel starts no quiz.
    WhenShown(options, [&options] { options.BitBtn2->click(); });
    asked = 0;
    StartQuiz(*quizzed, ModeOrigin::MarkedRows, *form);
    EXPECT_TRUE(options.markedbtn->isChecked());
    EXPECT_EQ(asked, 0);
    options.allbtn->setChecked(true);
}

TEST_F(ModeFormTest, WordPartDialogCascadesEditsTheListAndSaves) {
    SettingsTyp& s = Optionen.Settings;
    s.AllgemIgnorieren = true;
    s.KlammerIgnorieren = true;
    s.WortteileIgnorieren = false;
    s.IgnorierenWennVergessen = true;
    s.IgnorierenWennZuViel = false;
    s.Wortteile = {};
    s.Wortteile[3].Set("to");
    s.Wortteile[7].Set("   ");
    TWTLogikForm wt(nullptr, Optionen);
    std::deque<std::optional<std::string>> typed;
    std::vector<std::string> offered;
    wt.SetAskWordPart([&](const std::string& text) {
        offered.push_back(text);
        auto answer = typed.front();
        typed.pop_front();
        return answer;
    });
    wt.show();
    EXPECT_EQ(wt.ListBox->count(), 1);
    EXPECT_EQ(wt.ListBox->currentRow(), 0);
    EXPECT_TRUE(wt.KlammerBox->isChecked());
    EXPECT_FALSE(wt.wordsbox->isChecked());

    wt.vergbox->click();  // neither "vergessen" nor "zu viel": no ignoring
    EXPECT_FALSE(wt.ignoreBox->isChecked());
    EXPECT_FALSE(wt.KlammerBox->isChecked());
    EXPECT_FALSE(wt.KlammerBox->isEnabled());
    wt.zuvielbox->click();
    EXPECT_TRUE(wt.ignoreBox->isChecked());
    EXPECT_TRUE(wt.KlammerBox->isChecked());
    EXPECT_TRUE(wt.wordsbox->isEnabled());

    typed = {std::string("to"), std::nullopt, std::string("sb.")};
    wt.NewBtn->click();
    wt.NewBtn->click();
    wt.NewBtn->click();
    typed = {std::string("to")};
    wt.ListBox->setCurrentRow(1);
    wt.EditBtn->click();
    EXPECT_EQ(offered, (std::vector<std::string>{"", "", "", "to"}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{kWordPartTwiceText, kWordPartEditRefusedText}));

    wt.ignoreBox->click();
    wt.OkBtn->click();
    EXPECT_FALSE(wt.isVisible());
    EXPECT_EQ(s.Wortteile[0].Get(), "sb.");
    EXPECT_EQ(s.Wortteile[1].Get(), "to");
    EXPECT_TRUE(s.Wortteile[3].Empty());
    EXPECT_FALSE(s.AllgemIgnorieren);
    EXPECT_FALSE(s.KlammerIgnorieren);  // unchecked with the master box
    EXPECT_FALSE(s.IgnorierenWennVergessen);
    EXPECT_TRUE(s.IgnorierenWennZuViel);

    // Full list: no input is asked for.
    wt.show();
    for (int i = 0; wt.Parts().Count() < kMaxWordParts; ++i) {
        typed = {"w" + std::to_string(i)};
        wt.NewBtn->click();
    }
    offered.clear();
    wt.NewBtn->click();
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(Texts().back(), kWordPartsFullText);
    wt.reject();
}

TEST_F(ModeFormTest, WordPartInputRefusesLettersWithoutACodeAndSaysWhyABlankIsNotTaken) {
    Optionen.Settings.Wortteile = {};
    TWTLogikForm wt(nullptr, Optionen);
    wt.show();
    WhenUp<TStringEingForm>([this](TStringEingForm& input) {
        Key(input.Eingabe, 0, QString::fromUtf8("ł"));
        EXPECT_EQ(input.Eingabe->text(), QString());
        QApplication::clipboard()->setText(QString::fromUtf8("łódź"));
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
        QApplication::sendEvent(input.Eingabe, &paste);
        QCoreApplication::processEvents();
        EXPECT_EQ(Texts(), std::vector<std::string>{kLetterNotInCodePage});
        EXPECT_EQ(input.Eingabe->text(), QString());
        input.Eingabe->setText(QStringLiteral("   "));
        input.BitBtn1->click();
    });
    wt.NewBtn->click();
    EXPECT_EQ(Texts(), (std::vector<std::string>{kLetterNotInCodePage, kWordPartBlankText}));
    EXPECT_EQ(wt.ListBox->count(), 0);
    wt.reject();
}

TEST_F(ModeFormTest, LearningRoundThroughTheDialogEndsWithTheQuestion) {
    Optionen.Abfragen.LernModus = 0;
    Optionen.Abfragen.EinzelneBedeutungenLernen = false;
    Optionen.Abfragen.WiederholungsAnzahl = 3;
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}, {"cow", "Kuh"}});
    quizzed->Document().Marks.Marked[0] = 1;
    TLernForm learn(nullptr, Optionen, scripted);
    dialogs.messageAnswers = {platform::ModalResult::No};
    int shows = 0;
    bool listHidden = false;
    WhenShown(learn, [&] {
        listHidden = quizzed->Tabelle->isHidden();
        for (int i = 0; i < 9 && learn.isVisible(); ++i) {
            ASSERT_TRUE(learn.ShowBtn->isVisibleTo(&learn));
            EXPECT_TRUE(learn.ShowBtn->isDefault());
            ++shows;
            EXPECT_EQ(learn.Fortschritt->text().toStdString(), std::to_string(shows) + " von 9");
            const QString shown = learn.AnzeigeL->text();
            learn.ShowBtn->click();
            const int row = learn.Session().CurrentRow();
            EXPECT_EQ(shown, QString::fromStdString(quizzed->Document().Entries[row].MS1.Get()) + "\n\n\n\n\n");
            EXPECT_EQ(learn.RichtigL->text(),
                      QString::fromStdString(quizzed->Document().Entries[row].FS1.Get()) + "\n\n");
            if (i < 8) learn.NextBtn->click();
        }
    });
    StartLearning(*quizzed, ModeOrigin::Menu, learn);
    EXPECT_EQ(shows, 9);
    EXPECT_TRUE(listHidden);
    EXPECT_FALSE(quizzed->Tabelle->isHidden());
    EXPECT_FALSE(MarksAny(quizzed->Document().Marks));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Das waren alle Vokabeln! Liste noch mal durchgehen?"}));
    EXPECT_FALSE(learn.isVisible());
}

TEST_F(ModeFormTest, LearningDialogOpensCentredAtTheSizeItTakes) {
    Optionen.Abfragen.LernModus = 0;
    Optionen.Abfragen.EinzelneBedeutungenLernen = false;
    Fill(quizzed, {{"dog", "Hund"}});
    TLernForm learn(nullptr, Optionen, scripted);
    QRect shown;
    QRect screen;
    int height = 0;
    WhenShown(learn, [&] {
        shown = learn.frameGeometry();
        screen = learn.screen()->availableGeometry();
        height = learn.height();
    });
    StartLearning(*quizzed, ModeOrigin::Menu, learn);
    EXPECT_EQ(height, 125 + 200 + 10);
    EXPECT_LE(std::abs(shown.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(shown.center().y() - screen.center().y()), 1);
}

TEST_F(ModeFormTest, LearningRestartsWithNewSettingsAndClosesWithNothingToShow) {
    Optionen.Abfragen.LernModus = 1;
    Optionen.Abfragen.EinzelneBedeutungenLernen = true;
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    TLernForm learn(nullptr, Optionen, scripted);
    std::vector<int> pages;
    SetGeneralOptionsDialog([&pages](int page) {
        pages.push_back(page);
        Optionen.Abfragen.WiederholungsAnzahl = 1;
        return platform::ModalResult::OK;
    });
    QString before;
    QString after;
    WhenShown(learn, [&] {
        learn.ShowBtn->click();
        learn.NextBtn->click();
        before = learn.Fortschritt->text();
        learn.LernOptionenButt->click();
        after = learn.Fortschritt->text();
    });
    StartLearning(*quizzed, ModeOrigin::Menu, learn);
    EXPECT_EQ(before, QStringLiteral("2 von 6"));
    EXPECT_EQ(after, QStringLiteral("1 von 2"));
    EXPECT_EQ(pages, std::vector<int>{5});

    Optionen.Abfragen.LernModus = 3;
    bool closedAlone = true;
    QTimer::singleShot(2000, &learn, [&] {
        closedAlone = false;
        learn.reject();
    });
    StartLearning(*quizzed, ModeOrigin::Menu, learn);
    EXPECT_TRUE(closedAlone);
}

namespace {

class HangmanFormTest : public ModeFormTest {
protected:
    HangmanFormTest() {
        Optionen.Hangman = HangmanOptionenTyp{};
        Optionen.Hangman.Dateinamenbeginn = mode_test::MakeSeries(dir.path().toStdString(), 1, 3);
        hangman = std::make_unique<THangmanForm>(nullptr, Optionen, scripted);
        hangman->SetHost(&host);
    }
    void Press(const QString& text, int key = 0) { Key(hangman->HangmanBox, key, text); }
    QString Box() const { return hangman->HangmanBox->text(); }

    QTemporaryDir dir;
    std::unique_ptr<THangmanForm> hangman;
};

}  // namespace

TEST_F(HangmanFormTest, WordWonThroughTheDialogThenNoWordIsLeft) {
    Fill(quizzed, {{"Ball", "Ball"}});
    bool listHidden = false;
    WhenShown(*hangman, [&] {
        listHidden = quizzed->Tabelle->isHidden();
        EXPECT_EQ(Box(), QStringLiteral("_ _ _ _ "));
        EXPECT_FALSE(hangman->HangmanImage->pixmap().isNull());
        Press("l");
        EXPECT_EQ(Box(), QStringLiteral("_ _ l l "));
        Press("\r", Qt::Key_Return);  // a guess like any other
        EXPECT_TRUE(hangman->isVisible());
        EXPECT_EQ(hangman->Game().Picture(), 2);
        Press("B");
        Press("a");
        EXPECT_EQ(Box(), QStringLiteral("B a l l "));
        EXPECT_TRUE(hangman->WeiterLabel->isVisibleTo(hangman.get()));
        EXPECT_EQ(hangman->StateLED->Color(), QColor(0, 255, 0));
        Press(" ");
    });
    StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
    EXPECT_TRUE(listHidden);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Alle Wörter wurden erraten!"}));
    EXPECT_FALSE(hangman->isVisible());
}

TEST_F(HangmanFormTest, MaskedWordIsNeverSelected) {
    Fill(quizzed, {{"Ball", "Ball"}, {"Katze", "cat"}});
    std::vector<bool> selected;
    WhenShown(*hangman, [&] {
        // Showing the dialog focused the field as a Tab would.
        selected.push_back(hangman->HangmanBox->hasSelectedText());
        Press("x");
        Press("q");  // lost at the last picture
        Press(" ");
        EXPECT_EQ(Box().count(QChar('_')), Box().size() / 2);  // the next word, masked
        selected.push_back(hangman->HangmanBox->hasSelectedText());
        QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(hangman->HangmanBox, &tabbedIn);
        selected.push_back(hangman->HangmanBox->hasSelectedText());
    });
    StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
    EXPECT_EQ(selected, std::vector<bool>(3, false));
}

TEST_F(HangmanFormTest, KeyWithoutACodeInTheWordsCodePageIsNoGuess) {
    struct Case {
        uint8_t charset;  // of the foreign side, the one asked
        const char* box;
        const char* guessed;
    };
    const Case cases[] = {
        {0, "_ _ _ _ ", ""},  // Western has no ł: a beep, the picture stays
        {238, "ł _ _ _ ", "\xb3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.charset));
        Fill(quizzed, {{*platform::Utf8ToBytes(platform::CodePage::Cp1250, "łódź"), "Boot"}});
        quizzed->Document().Fonts.TableFS.Charset = c.charset;
        WhenShown(*hangman, [&] {
            Press(QStringLiteral("ł"));
            EXPECT_EQ(Box().toStdString(), c.box);
            EXPECT_EQ(hangman->Game().GuessedLetters(), c.guessed);
            EXPECT_EQ(hangman->Game().Picture(), 1);
        });
        StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
    }
}

TEST_F(HangmanFormTest, DeleteIsNoGuess) {
    Fill(quizzed, {{"Ball", "ball"}});
    WhenShown(*hangman, [&] {
        Press(QString(QChar(127)), Qt::Key_Delete);
        EXPECT_EQ(hangman->Game().GuessedLetters(), "");
        EXPECT_EQ(hangman->Game().Picture(), 1);
    });
    StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
}

TEST_F(HangmanFormTest, WordLostAtTheLastPictureShowsTheWord) {
    Fill(quizzed, {{"Ball", "Ball"}, {"Katze", "cat"}});
    quizzed->Document().Entries[2].InUse = 0;
    WhenShown(*hangman, [&] {
        Press("x");
        EXPECT_EQ(hangman->StateLED->Color(), QColor(255, 255, 0));
        // "*" waits for its letter and is never shown in the word.
        Press("*");
        EXPECT_EQ(Box(), QStringLiteral("_ _ _ _ "));
        Press("q");
        EXPECT_EQ(Box(), QStringLiteral("Ball"));
        EXPECT_EQ(hangman->StateLED->Color(), QColor(255, 0, 0));
        EXPECT_EQ(hangman->Game().GuessedLetters(), "XQ");
    });
    StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(HangmanFormTest, SpecialCharacterButtonGuessesItsCaptionAndTranslationsMakeRoom) {
    Fill(quizzed, {{"b\xe1r", "B\xe4r"}});  // bár, Bär
    Optionen.Settings.LetztesSonderzeichen = "\xe1";  // á
    Optionen.Hangman.UebersetzungAnzeigen = true;
    WhenShown(*hangman, [&] {
        // The foreign side is asked: the translations take 125 pixels above the word.
        const int boxHeight = hangman->HangmanBox->height();
        EXPECT_EQ(hangman->HangmanBox->y(), hangman->BoxTop + 125);
        EXPECT_EQ(hangman->SonderzButton3->y(), hangman->BoxTop + 125);
        EXPECT_EQ(hangman->height(), int(std::lround(boxHeight * 2.5)) + 125 + hangman->BoxTop + 10);
        EXPECT_TRUE(hangman->TransLabel->isVisibleTo(hangman.get()));
        EXPECT_EQ(hangman->TransLabel->text().toStdString(), "Bär\n");

        EXPECT_EQ(hangman->SonderzButton3->text().toStdString(), "á");
        hangman->SonderzButton3->click();
        EXPECT_EQ(Box().toStdString(), "_ á _ ");

        host.popupChoice = "r";
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), hangman->SonderzButton3->mapToGlobal(QPointF(5, 5)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(hangman->SonderzButton3, &press);
        EXPECT_TRUE(hangman->SonderzTimer3->isActive());
        hangman->SonderzTimer3Timer();
        EXPECT_EQ(hangman->SonderzButton3->text(), QStringLiteral("r"));
        EXPECT_EQ(Box().toStdString(), "_ á r ");
        EXPECT_EQ(hangman->Game().Picture(), 1);

        hangman->HelpButt->click();
        EXPECT_EQ(host.helpPages, (std::vector<std::string>{"Dialogfelder\\hangman\\index.html"}));
    });
    StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
}

TEST_F(HangmanFormTest, BrokenSeriesGiveTheirMessageAndTheGameDoesNotStart) {
    Fill(quizzed, {{"Ball", "Ball"}});
    const std::string folder = dir.path().toStdString();
    mode_test::WriteText(folder + "/nohash.thm", "bild.bmp\n1\n3\n");
    mode_test::WriteText(folder + "/nopics.thm", "fehlt#.bmp\n1\n3\n");
    const std::string missing = folder + "/fehlt.thm";
    for (const std::string& thm : {missing, folder + "/nohash.thm", folder + "/nopics.thm"}) {
        Optionen.Hangman.Dateinamenbeginn = thm;
        bool closedAlone = true;
        QTimer::singleShot(2000, hangman.get(), [&] {
            closedAlone = false;
            hangman->reject();
        });
        StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
        EXPECT_TRUE(closedAlone) << thm;
    }
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, std::string(kThmReadErrorStart) + missing + kThmReadErrorEnd);
    EXPECT_EQ(dialogs.shown[1].text, kThmNoHashText);
    EXPECT_EQ(dialogs.shown[2].text, kThmNoPicturesText);
    for (const auto& s : dialogs.shown) EXPECT_EQ(s.helpContext, 611);

    // A picture that is missing later on is told once; the game goes on.
    Optionen.Hangman.Dateinamenbeginn = mode_test::MakeSeries(folder, 1, 3);
    std::filesystem::remove(folder + "/bild2.bmp");
    std::filesystem::remove(folder + "/bild3.bmp");
    dialogs.shown.clear();
    WhenShown(*hangman, [&] {
        Press("x");
        Press("y");
        EXPECT_EQ(hangman->StateLED->Color(), QColor(255, 0, 0));
    });
    StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("bild2.bmp konnte nicht geladen werden."), std::string::npos);
}

TEST_F(HangmanFormTest, OptionsPageFirstWhenAskedAndAbortEndsTheCommand) {
    Fill(quizzed, {{"Ball", "Ball"}});
    Optionen.Hangman.OptionenBeimStarten = true;
    std::vector<int> pages;
    platform::ModalResult answer = platform::ModalResult::Abort;
    SetGeneralOptionsDialog([&](int page) {
        pages.push_back(page);
        return answer;
    });
    bool played = false;
    WhenShown(*hangman, [&] { played = true; });
    StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
    EXPECT_FALSE(played);
    answer = platform::ModalResult::Cancel;
    StartHangman(*quizzed, ModeOrigin::Menu, *hangman);
    EXPECT_TRUE(played);
    EXPECT_EQ(pages, (std::vector<int>{4, 4}));

    // A document without complete entries starts nothing.
    TMDIChild* empty = AddWindow("Vokabeldatei 2");
    dialogs.shown.clear();
    StartHangman(*empty, ModeOrigin::Menu, *hangman);
    TLernForm learn(nullptr, Optionen, scripted);
    StartLearning(*empty, ModeOrigin::Menu, learn);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].helpContext, 5501);
    EXPECT_EQ(dialogs.shown[1].text, dialogs.shown[0].text);
}
