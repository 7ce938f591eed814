#include "training/ui/TrainingStart.h"

#include "documents/ui/Childwin.h"
#include "documents/ui/new_wiz.h"

#include "training/ui/LernUnit.h"
#include "training/ui/QuizStart.h"
#include "training/ui/abfr_opt.h"
#include "training/ui/hangman_unit.h"

void RegisterTrainingModes() {
    RegisterQuizStart();
    RegisterQuizOptionsDialog();
    RegisterLearnStart();
    RegisterHangmanStart();
    TNewWizard::SetModeStart(WizardMode::Learn, [](TMDIChild& window) { window.Lernen1Click(ModeOrigin::Wizard); });
    TNewWizard::SetModeStart(WizardMode::Hangman, [](TMDIChild& window) { window.Hangman1Click(ModeOrigin::Wizard); });
}
