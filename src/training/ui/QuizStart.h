#pragma once
// The document window's quiz command: which entries go, the questions
// before the quiz, and the window's list hidden while the quiz runs.

#include <functional>
#include <optional>

#include "documents/ui/Childwin.h"

class TAbfrageForm;
class QuizHost;

// What the compact quiz options chose.
struct QuizChoice {
    enum class Kind { All, RandomNumber, Marked };
    Kind kind = Kind::All;
    int count = 0;  // for RandomNumber
};

// The compact quiz options, shown when "Optionen vor Abfragen anzeigen" is
// on: the count of complete entries and whether "Markierte Vokablen" is to
// be checked first; nothing when cancelled. Without one the dialog is
// skipped and the preset choice stands.
using QuizOptionsDialog = std::function<std::optional<QuizChoice>(int completeEntries, bool markedFirst)>;
void SetQuizOptionsDialog(QuizOptionsDialog dialog);

// The quiz dialog of the run, made on first use.
TAbfrageForm& AbfrageForm();

// Abfragen1Click of `window`. The host is the registered one, else the
// window's MDI area.
void StartQuiz(TMDIChild& window, ModeOrigin origin, TAbfrageForm& form);

// Makes the document windows' quiz commands start the quiz.
void RegisterQuizStart();
