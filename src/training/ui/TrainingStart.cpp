#include "training/ui/TrainingStart.h"

#include "training/ui/LernUnit.h"
#include "training/ui/QuizStart.h"
#include "training/ui/abfr_opt.h"
#include "training/ui/hangman_unit.h"

void RegisterTrainingModes() {
    RegisterQuizStart();
    RegisterQuizOptionsDialog();
    RegisterLearnStart();
    RegisterHangmanStart();
}
