#include <gtest/gtest.h>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "common/NoIconTheme.h"
#include "documents/ui/FieldInput.h"
#include "documents/ui/TabelleModel.h"
#include "platform/CodePage.h"
#include "platform/ui/Glyphs.h"
#include "training/QuizSession.h"
#include "training/ui/QuizSound.h"
#include "training/ui/username_form.h"
#include "training/QuizUiSupport.h"

using namespace quiz_test;

namespace {

QColor TextColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

}  // namespace

TEST_F(QuizUiTest, WholeQuizOfThreeEntriesEndsOnStatisticsWithTheWrongAnswerInTheErrorList) {
    Fill(quizzed, {{"house", "Haus"}, {"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    const int result = RunModal(*form, [this] {
        EXPECT_EQ(form->windowTitle().toStdString(), "Vokabeln abfragen  -  mit FUZZY-Logic");
        EXPECT_EQ(form->Richtung1->text().toStdString(), "Muttersprache:");
        EXPECT_EQ(form->Richtung2->text().toStdString(), "Fremdsprache:");
        EXPECT_EQ(form->Abf[0]->text().toStdString(), "Haus");
        EXPECT_EQ(form->Fortschritt->text().toStdString(), "3 Vokabeln werden gefragt...");
        EXPECT_EQ(form->Notebook1->currentIndex(), 0);

        Answer(*form, "house");
        EXPECT_EQ(form->Notebook1->currentIndex(), 1);
        EXPECT_EQ(form->Bewertung->text().toStdString(), VerdictText(Verdict::Exact));
        EXPECT_EQ(TextColor(form->Bewertung), QColor(0, 128, 0));
        EXPECT_EQ(form->Anzeige2->text().toStdString(), "house");
        EXPECT_EQ(form->Abf[0]->text().toStdString(), "Hund");  // the next question already stands
        EXPECT_EQ(form->VokNr->text().toStdString(), "2");
        EXPECT_EQ(form->Fortschritt->text().toStdString(),
                  "1 von 3 Vokabeln gefragt. Bisher 100% richtig und 0% falsch beantwortet. Datei: tiere.plk");
        EXPECT_TRUE(form->AbfrEdit->text().isEmpty());

        Answer(*form, "katz");
        EXPECT_EQ(TextColor(form->Bewertung), QColor(255, 0, 0));
        EXPECT_TRUE(form->Anzeige2->font().strikeOut());
        EXPECT_EQ(form->Anzeige3->text().toStdString(), "dog\n\n");
        EXPECT_EQ(sound.played, 1);

        Answer(*form, "cat");
        EXPECT_FALSE(form->Anzeige2->font().strikeOut());
        EXPECT_EQ(form->AbfrNotebook->currentIndex(), 1);
        EXPECT_EQ(form->Fortschritt->text().toStdString(), "Fertig.");
        EXPECT_EQ(form->Statistik1->text().toStdString(),
                  "Es wurden 3 Vokabeln abgefragt\nDavon haben Sie 2 korrekt übersetzt (teilweise durch "
                  "Fuzzy-Logic)\nSie haben 1 Vokabeln falsch übersetzt.");
        form->StatistikFertigButton->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);

    TMDIChild* list = FindByCaption(ErrorListCaption);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(list, quizzed);
    EXPECT_TRUE(list->isMinimized());
    EXPECT_TRUE(list->Document().FileName.empty());
    EXPECT_EQ(list->Document().Entries[1].FS1.Get(), "dog");
    EXPECT_EQ(list->Document().Entries[1].MS1.Get(), "Hund");
    EXPECT_EQ(list->Document().Entries[2].InUse, 0);
    EXPECT_EQ(list->Model().CellText(1, 1).toStdString(), "dog");  // the grid was refreshed
    EXPECT_EQ(area.activeSubWindow(), quizzed);
    // The quizzed document itself is never written.
    EXPECT_EQ(quizzed->Document().Entries[2].FS1.Get(), "dog");
}

TEST_F(QuizUiTest, ErrorListIsFoundAgainFilledFromItsFirstFreeRowAndTakesTheQuizzedFonts) {
    TMDIChild* list = AddWindow(ErrorListCaption);
    Fill(list, {{"old", "alt"}});
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    quizzed->Document().Fonts.TableFS.Size = LEInt32(17);
    Prepare(quizzed);
    RunModal(*form, [this] {
        Answer(*form, "x");
        Answer(*form, "");  // an empty answer goes into the list as well
    });
    EXPECT_EQ(host.DocumentWindows().size(), 2u);
    EXPECT_EQ(list->Document().Entries[2].FS1.Get(), "dog");
    EXPECT_EQ(list->Document().Entries[3].FS1.Get(), "cat");
    EXPECT_EQ(list->Document().Fonts, quizzed->Document().Fonts);
    // Closed by Abbrechen before the end: the grid shows the additions.
    EXPECT_EQ(list->Model().CellText(1, 3).toStdString(), "cat");
}

TEST_F(QuizUiTest, QuizOfTheErrorListItselfKeepsNoList) {
    TMDIChild* list = AddWindow(ErrorListCaption);
    Fill(list, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(list);
    RunModal(*form, [this] { Answer(*form, "x"); });
    EXPECT_EQ(form->ErrorListWindow(), nullptr);
    EXPECT_EQ(host.DocumentWindows().size(), 2u);
    EXPECT_EQ(list->Document().Entries[3].InUse, 0);
}

TEST_F(QuizUiTest, EscapeClosesTheQuizAndStillRefreshesTheErrorList) {
    TMDIChild* list = AddWindow(ErrorListCaption);
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    const int result = RunModal(*form, [this] {
        Answer(*form, "x");
        Key(form.get(), Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(list->Model().CellText(1, 1).toStdString(), "dog");
}

TEST_F(QuizUiTest, ErrorListThatCannotBeMadeSwitchesTheOptionOff) {
    host.refuseNewDocument = true;
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    RunModal(*form, [this] { Answer(*form, "x"); });
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "Konnte Vokabelliste für die falsch beantworteten Vokabeln nicht erstellen. Funktion deaktiviert.");
    EXPECT_EQ(dialogs.shown[0].helpContext, 2003);
    EXPECT_FALSE(Optionen.Abfragen.FehlerlisteErstellen);
}

TEST_F(QuizUiTest, SoundFileThatCannotBeOpenedIsReportedOnceAndTheQuizGoesOnSilently) {
    QuizSound realSound;
    form->SetSound(&realSound);
    Optionen.Abfragen.BeepFilename = "/nonexistent/fehler.wav";
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}, {"cow", "Kuh"}});
    Prepare(quizzed);
    RunModal(*form, [this] {
        Answer(*form, "x");
        Answer(*form, "y");
        EXPECT_EQ(form->VokNr->text().toStdString(), "3");
    });
    ASSERT_EQ(dialogs.Texts().size(), 1u);
    EXPECT_EQ(dialogs.Texts()[0], kSoundOpenFailedText);
    EXPECT_TRUE(Optionen.Abfragen.BeepBeiFehler);
}

TEST_F(QuizUiTest, MutedQuizPlaysNoSoundAndTheButtonHidesWithoutTheOption) {
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    RunModal(*form, [this] {
        EXPECT_TRUE(form->mute->isVisible());
        form->mute->click();
        Answer(*form, "x");
    });
    EXPECT_EQ(sound.played, 0);
    Optionen.Abfragen.BeepBeiFehler = false;
    form->mute->setChecked(false);
    RunModal(*form, [this] {
        EXPECT_FALSE(form->mute->isVisible());
        Answer(*form, "x");
    });
    EXPECT_EQ(sound.played, 0);
}

TEST_F(QuizUiTest, TheSoundButtonShowsItsStateWithoutAnIconTheme) {
    NoIconTheme none;
    const QImage sound = platform::OwnGlyph("lautsprecher").pixmap(16).toImage();
    const QImage muted = platform::OwnGlyph("stumm").pixmap(16).toImage();
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    RunModal(*form, [&] {
        EXPECT_EQ(form->mute->icon().pixmap(16).toImage(), sound);
        form->mute->click();
        EXPECT_EQ(form->mute->icon().pixmap(16).toImage(), muted);
        form->mute->click();
        EXPECT_EQ(form->mute->icon().pixmap(16).toImage(), sound);
        Answer(*form, "x");
    });
}

TEST_F(QuizUiTest, WrongAnswerBlinksTheTypedLineThreeTimesInSixTicks) {
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    RunModal(*form, [this] {
        Answer(*form, "x");
        ASSERT_TRUE(form->WrongBlinkTimer->isActive());
        EXPECT_EQ(form->WrongBlinkTimer->interval(), 150);
        const QColor face = form->palette().color(QPalette::Button);
        const QColor red(255, 0, 0);
        std::vector<QColor> seen;
        for (int tick = 0; tick < 6; ++tick) {
            form->WrongBlinkTimerTimer();
            seen.push_back(form->Anzeige2->palette().color(QPalette::Window));
        }
        EXPECT_EQ(seen, (std::vector<QColor>{red, face, red, face, red, face}));
        EXPECT_FALSE(form->WrongBlinkTimer->isActive());
    });
}

TEST_F(QuizUiTest, AnswerFieldKeyHandling) {
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    RunModal(*form, [this] {
        Type(form->AbfrEdit, "a;b");
        EXPECT_EQ(form->AbfrEdit->text().toStdString(), "a;b");
        form->AbfrEdit->clear();
        Type(form->AbfrEdit, "*s*x**");
        EXPECT_EQ(form->AbfrEdit->text().toStdString(), "š*x*");
        EXPECT_EQ(form->AbfrEdit->maxLength(), 255);
        // After "*" Delete puts the "*" in and deletes.
        form->AbfrEdit->setText(QStringLiteral("ab"));
        form->AbfrEdit->setCursorPosition(0);
        Type(form->AbfrEdit, "*");
        Key(form->AbfrEdit, Qt::Key_Delete, QString(QChar(127)));
        EXPECT_EQ(form->AbfrEdit->text().toStdString(), "*b");
    });
    Optionen.Abfragen.MehrereBedeutungen = false;
    RunModal(*form, [this] {
        Type(form->AbfrEdit, "a;b");
        EXPECT_EQ(form->AbfrEdit->text().toStdString(), "ab");
    });
}

// A field that holds a ";" of its own takes it from the keyboard also with
// one meaning only, and typed as shown it is right.
TEST_F(QuizUiTest, FieldHoldingASemicolonIsAnsweredAsItStands) {
    Optionen.Abfragen.MehrereBedeutungen = false;
    Optionen.Abfragen.FuzzyLogic = false;
    Optionen.Abfragen.WiederholenBisRichtig = true;
    Fill(quizzed, {{"gehen; laufen", "gehen"}});
    Prepare(quizzed);
    RunModal(*form, [this] {
        Answer(*form, "gehen; laufen");
        EXPECT_EQ(form->Bewertung->text().toStdString(), VerdictText(Verdict::Exact));
        EXPECT_EQ(form->Anzeige2->text().toStdString(), "gehen; laufen");
        EXPECT_EQ(form->AbfrNotebook->currentIndex(), 1);
    });
}

TEST_F(QuizUiTest, VerdictLinesCarryTheirMarkers) {
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    RunModal(*form, [this] {
        Answer(*form, "x");
        const std::array<std::pair<QLabel*, QLabel*>, 3> marked = {
            {{form->Image1, form->Anzeige1}, {form->Image2, form->Anzeige2}, {form->Image3, form->Anzeige3}}};
        const std::array<const char*, 3> glyphs = {"gefragt", "eingegeben", "richtig"};
        std::vector<QImage> seen;
        for (std::size_t k = 0; k < marked.size(); ++k) {
            const auto [image, line] = marked[k];
            SCOPED_TRACE(glyphs[k]);
            EXPECT_TRUE(image->isVisible());
            ASSERT_FALSE(image->pixmap().isNull());
            EXPECT_EQ(image->pixmap().toImage(), platform::OwnGlyph(glyphs[k]).pixmap(16, 16).toImage());
            // Left of its own line, within its height.
            EXPECT_LE(image->geometry().right(), line->x());
            EXPECT_GE(image->y(), line->y() - 1);
            EXPECT_LT(image->y(), line->geometry().bottom());
            seen.push_back(image->pixmap().toImage());
        }
        EXPECT_NE(seen[0], seen[1]);
        EXPECT_NE(seen[1], seen[2]);
        EXPECT_NE(seen[0], seen[2]);
    });
}

TEST_F(QuizUiTest, AnswerFieldAndVerdictLinesAreAsHighAsTheirFontsNeed) {
    Fill(quizzed, {{"dog", "Hund"}});
    const int verdictBottom = form->Notebook1->geometry().bottom();
    for (const int points : {20, 9}) {
        SCOPED_TRACE(points);
        quizzed->Document().Fonts.TableFS.Size = LEInt32(points);
        Prepare(quizzed);
        RunModal(*form, [this, points, verdictBottom] {
            QLineEdit* field = form->AbfrEdit;
            ASSERT_EQ(field->font().pointSize(), points);
            const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
            EXPECT_GE(field->height(), QFontMetrics(field->font()).height() + 2 * frame);
            if (points == 9) EXPECT_EQ(field->height(), 26);
            EXPECT_EQ(form->SonderzButton2->height(), field->height());
            EXPECT_GT(form->Notebook1->y(), field->geometry().bottom());
            EXPECT_EQ(form->Notebook1->geometry().bottom(), verdictBottom);
            // The verdict's lines too hold their text, one under the other,
            // and all of them within the verdict page.
            Answer(*form, "x");
            QLabel* lines[] = {form->Anzeige1, form->HLine1, form->Anzeige2, form->HLine2, form->Anzeige3};
            for (QLabel* line : {form->Anzeige1, form->Anzeige2}) {
                EXPECT_GE(line->height(), line->fontMetrics().height());
            }
            for (std::size_t k = 1; k < std::size(lines); ++k) {
                EXPECT_GT(lines[k]->y(), lines[k - 1]->geometry().bottom()) << k;
            }
            EXPECT_LE(form->Anzeige3->geometry().bottom(), form->Notebook1->height());
            EXPECT_GE(form->Anzeige3->height(), form->Anzeige3->fontMetrics().height());
        });
    }
}

TEST_F(QuizUiTest, PastesIntoTheAnswerKeepToTheTypingRules) {
    Fill(quizzed, {{"dog", "Hund"}});
    Prepare(quizzed);
    Optionen.Abfragen.MehrereBedeutungen = false;
    static QString selection;
    FieldInput::SetSelectionSource([] { return selection; });
    RunModal(*form, [this] {
        QLineEdit* edit = form->AbfrEdit;
        Type(edit, "x");
        QApplication::clipboard()->setText(QString::fromUtf8("Hund; Köter"));
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
        QApplication::sendEvent(edit, &paste);
        QCoreApplication::processEvents();
        EXPECT_EQ(edit->text(), QString::fromUtf8("xHund Köter"));  // no ";", as when typed

        // A letter the answer's code page lacks: by the keys, the menu and
        // the middle click.
        QApplication::clipboard()->setText(QString::fromUtf8("łódź"));
        QApplication::sendEvent(edit, &paste);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &menuEvent);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("&Paste"))) action->trigger();
        }
        menu->close();
        selection = QString::fromUtf8("źle");
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, QPointF(5, 5), edit->mapToGlobal(QPointF(5, 5)), Qt::MiddleButton,
                              type == QEvent::MouseButtonPress ? Qt::MiddleButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &click);
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(3, kLetterNotInCodePage));
        EXPECT_EQ(edit->text(), QString::fromUtf8("xHund Köter"));
    });
    FieldInput::SetSelectionSource(nullptr);
}

TEST_F(QuizUiTest, ProgressLineIsReadableWholeOrLosesOnlyTheMiddleOfAVeryLongName) {
    const std::string stats =
        "3 von 6 Vokabeln gefragt. Bisher 66,67% richtig und 33,33% falsch beantwortet. Datei: ";
    const std::string ordinary = "Englisch_Grundwortschatz_Lektion_1-2.plk";  // 40 characters
    const std::string veryLong = "A" + std::string(150, 'x') + "Z.plk";
    for (const std::string& name : {ordinary, veryLong}) {
        SCOPED_TRACE(name.size());
        Fill(quizzed, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}});
        Prepare(quizzed);
        form->SetQuizFileName("/home/lena/Dokumente/" + name);
        RunModal(*form, [&] {
            for (const char* answer : {"a", "b", "x"}) Answer(*form, answer);
            const QLabel* line = form->Fortschritt;
            const QString text = line->text();
            const QRect needed = line->fontMetrics().boundingRect(QRect(0, 0, line->width(), 1000),
                                                                  int(line->alignment()) | Qt::TextWordWrap, text);
            EXPECT_TRUE(line->wordWrap());
            EXPECT_LE(needed.width(), line->width());
            EXPECT_LE(needed.height(), line->height());
            if (name == ordinary) {
                EXPECT_EQ(text.toStdString(), stats + name);
            } else {
                EXPECT_TRUE(text.startsWith(QString::fromStdString(stats + "Axxx")));
                EXPECT_TRUE(text.contains(QChar(0x2026)));  // …
                EXPECT_TRUE(text.endsWith(QStringLiteral("xxZ.plk")));
            }
        });
    }
}

TEST_F(QuizUiTest, KeyWithoutACodeInTheFieldsCodePageIsRefusedSoWhatIsShownIsJudged) {
    struct Case {
        uint8_t charset;  // of the typed (foreign) side
        const char* shown;
        const char* verdict;
    };
    const Case cases[] = {
        {0, "ód", "Die Vokabel wurde falsch übersetzt"},  // Western: no ł, no ź
        {238, "łódź", "Die Vokabel wurde absolut korrekt übersetzt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.charset));
        Fill(quizzed, {{*platform::Utf8ToBytes(platform::CodePage::Cp1250, "łódź"), "Boot"}, {"cat", "Katze"}});
        quizzed->Document().Fonts.TableFS.Charset = c.charset;
        Prepare(quizzed);
        RunModal(*form, [&] {
            Type(form->AbfrEdit, QStringLiteral("łódź"));
            EXPECT_EQ(form->AbfrEdit->text().toStdString(), c.shown);
            Key(form->AbfrEdit, Qt::Key_Return, QStringLiteral("\r"));
            EXPECT_EQ(form->Anzeige2->text().toStdString(), c.shown);
            EXPECT_EQ(form->Bewertung->text().toStdString(), c.verdict);
        });
    }
}

TEST_F(QuizUiTest, TipsShowOnTheVerdictPageOneLetterMorePerPress) {
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    RunModal(*form, [this] {
        EXPECT_TRUE(form->TipBtn->isEnabled());
        form->TipBtn->click();
        EXPECT_EQ(form->Notebook1->currentIndex(), 1);
        EXPECT_EQ(form->Anzeige1->text().toStdString(), "d");
        for (int i = 0; i < 3; ++i) form->TipBtn->click();
        EXPECT_EQ(form->Anzeige1->text().toStdString(), "dog     Diese Bedeutung ist bereits vollständig!");
    });
    Optionen.Abfragen.TipsZulassen = false;
    RunModal(*form, [this] { EXPECT_FALSE(form->TipBtn->isEnabled()); });
}

TEST_F(QuizUiTest, SpecialCharacterButtonInsertsItsCaptionOrTheCharacterChosenInThePopup) {
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    Optionen.Settings.LetztesSonderzeichen = "\xe9";  // é
    RunModal(*form, [this] {
        EXPECT_EQ(form->SonderzButton2->text().toStdString(), "é");
        Type(form->AbfrEdit, "ab");
        form->AbfrEdit->setCursorPosition(1);
        form->SonderzButton2->click();
        EXPECT_EQ(form->AbfrEdit->text().toStdString(), "aéb");
        EXPECT_EQ(form->AbfrEdit->cursorPosition(), 2);

        host.popupChoice = "\xf1";  // ñ
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), form->SonderzButton2->mapToGlobal(QPointF(5, 5)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(form->SonderzButton2, &press);
        EXPECT_TRUE(form->SonderzTimer2->isActive());
        form->SonderzTimer2Timer();
        EXPECT_EQ(form->SonderzButton2->text().toStdString(), "ñ");
        EXPECT_EQ(form->AbfrEdit->text().toStdString(), "aéñb");
    });
}

TEST_F(QuizUiTest, TrickMenuActsOnTheQuizzedWindowEvenAfterTheErrorListWasMade) {
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    quizzed->Document().Entries[1].FS2.Set("hound");
    Prepare(quizzed);
    RunModal(*form, [this] {
        ASSERT_NE(FindByCaption(ErrorListCaption), nullptr);
        EXPECT_EQ(form->TrickLabel->contextMenuPolicy(), Qt::CustomContextMenu);
        form->grn->trigger();
        EXPECT_EQ(form->AbfrEdit->text().toStdString(), "dog; hound");
        form->NEBEL1->trigger();
        EXPECT_TRUE(quizzed->Tabelle->isHidden());
        EXPECT_TRUE(quizzed->DescMemo->isHidden());
        form->ROT1->trigger();
        EXPECT_FALSE(quizzed->Tabelle->isHidden());
        EXPECT_FALSE(quizzed->DescMemo->isHidden());
        EXPECT_TRUE(FindByCaption(ErrorListCaption)->isMinimized());
        form->WEGDAMIT1->trigger();
        EXPECT_EQ(form->TrickLabel->contextMenuPolicy(), Qt::NoContextMenu);
    });
    EXPECT_FALSE(Optionen.Settings.MenueaufrufErmoeglichen);
    RunModal(*form, [this] { EXPECT_EQ(form->TrickLabel->contextMenuPolicy(), Qt::NoContextMenu); });
}

TEST_F(QuizUiTest, NochmalAsksTheSameEntriesAgainAndAnEmptyCopyEndsAtOnce) {
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    RunModal(*form, [this] {
        Answer(*form, "dog");
        Answer(*form, "cat");
        ASSERT_EQ(form->AbfrNotebook->currentIndex(), 1);
        form->NochMalButton->click();
        EXPECT_EQ(form->AbfrNotebook->currentIndex(), 0);
        EXPECT_EQ(form->Notebook1->currentIndex(), 0);
        EXPECT_EQ(form->Abf[0]->text().toStdString(), "Hund");
        EXPECT_TRUE(form->Bewertung->text().isEmpty());
    });
    form->Session().Entries() = VokabelArrayTyp{};
    RunModal(*form, [this] {
        EXPECT_EQ(form->AbfrNotebook->currentIndex(), 1);
        EXPECT_EQ(form->Fortschritt->text().toStdString(), "Fertig.");
    });
}

TEST_F(QuizUiTest, ForeignSideAskedTakesTheDocumentsForeignFontForTheQuestion) {
    Optionen.Abfragen.MutterspracheZuFremdsprache = false;
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    quizzed->Document().Fonts.TableFS.Size = LEInt32(21);
    quizzed->Document().Fonts.TableMS.Size = LEInt32(9);
    Prepare(quizzed);
    RunModal(*form, [this] {
        EXPECT_EQ(form->Richtung1->text().toStdString(), "Fremdsprache:");
        EXPECT_EQ(form->Abf[0]->text().toStdString(), "dog");
        EXPECT_EQ(form->Abf[0]->font().pointSize(), 21);
        EXPECT_EQ(form->AbfrEdit->font().pointSize(), 9);
        EXPECT_EQ(form->Anzeige3->font().pointSize(), 9);
        form->BitBtn1->click();
    });
    EXPECT_EQ(host.helpPages, (std::vector<std::string>{"Dialogfelder\\abfragen.html"}));
}

TEST_F(QuizUiTest, ResultIsPrintedWithTheNameAskedForAndNotAtAllWhenThePromptIsCancelled) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("ergebnis.pdf"));
    form->SetPrintFileName(pdf.toStdString());
    Fill(quizzed, {{"dog", "Hund"}, {"cat", "Katze"}});
    Prepare(quizzed);
    // Answers the name prompt once it is up: the name, or cancel without one.
    const auto answerPrompt = [](const QString& name) {
        QTimer::singleShot(0, &UserNameForm(), [name] {
            TUserNameForm& prompt = UserNameForm();
            prompt.username->setText(name);
            (name.isEmpty() ? prompt.BitBtn2 : prompt.BitBtn1)->click();
            if (prompt.isVisible()) prompt.reject();
        });
    };
    RunModal(*form, [this, &pdf, &answerPrompt] {
        Answer(*form, "dog");
        Answer(*form, "cat");
        answerPrompt({});
        form->BitBtn2->click();
        EXPECT_FALSE(QFile::exists(pdf));
        answerPrompt(QStringLiteral("Lena"));
        form->BitBtn2->click();
        EXPECT_TRUE(QFile::exists(pdf));
    });
    EXPECT_EQ(Optionen.Abfragen.Username, "Lena");
}
