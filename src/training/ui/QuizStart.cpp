#include "training/ui/QuizStart.h"

#include <memory>

#include "platform/Dialogs.h"
#include "training/QuizPick.h"
#include "training/ui/ModeFrame.h"
#include "training/ui/abfragen.h"

namespace {

const char* const kNoEntriesText =
    "Es wurden noch keine Vokabeln eingegeben. Wählen Sie \"Vokabeln/Eingabe-Maske\", um Vokabeln einzugeben "
    "oder \"Datei/Öffnen\" um eine bereits vorhandene Vokabeldatei zu öffnen.";
constexpr int kNoEntriesHelpContext = 5501;
const char* const kQuizErrorListText =
    "Wenn Pelko32 die Fehlerliste abfragen soll wird keine Fehlerliste davon erstellt. Fortfahren?";
constexpr int kErrorListHelpContext = 2003;

QuizOptionsDialog& OptionsDialog() {
    static QuizOptionsDialog dialog;
    return dialog;
}

void StartFromWindow(TMDIChild& window, ModeOrigin origin) { StartQuiz(window, origin, AbfrageForm()); }

}  // namespace

void SetQuizOptionsDialog(QuizOptionsDialog dialog) { OptionsDialog() = std::move(dialog); }

TAbfrageForm& AbfrageForm() {
    static TAbfrageForm* form = new TAbfrageForm;
    return *form;
}

void RegisterQuizStart() { TMDIChild::SetQuizStarter(&StartFromWindow); }

void StartQuiz(TMDIChild& window, ModeOrigin origin, TAbfrageForm& form) {
    using namespace platform;
    const VocabDocument& doc = window.Document();
    if (doc.CountCompleteEntries() == 0) {
        Dialogs().MessageDlg(kNoEntriesText, MsgDlgType::Information, mbOK | mbHelp, kNoEntriesHelpContext);
        return;
    }
    CloseEditorsBeforeMode();

    QuizChoice choice;
    if (origin == ModeOrigin::MarkedRows) choice.kind = QuizChoice::Kind::Marked;
    if (Optionen.Abfragen.OptionenVorAbfragenAnzeigen && OptionsDialog()) {
        const std::optional<QuizChoice> chosen =
            OptionsDialog()(doc.CountCompleteEntries(), origin == ModeOrigin::MarkedRows);
        if (!chosen) return;
        choice = *chosen;
    }
    auto entries = std::make_unique<VokabelArrayTyp>();
    switch (choice.kind) {
    case QuizChoice::Kind::RandomNumber:
        if (!PickRandomEntries(doc.Entries, choice.count, *entries)) return;
        break;
    case QuizChoice::Kind::Marked:
        PickMarkedEntries(doc.Entries, doc.Marks, *entries);
        break;
    case QuizChoice::Kind::All:
        *entries = doc.Entries;
        break;
    }

    if (doc.Caption == ErrorListCaption &&
        Dialogs().MessageDlg(kQuizErrorListText, MsgDlgType::Confirmation, mbYes | mbNo | mbHelp,
                             kErrorListHelpContext) != ModalResult::Yes) {
        return;
    }
    form.Session().Entries() = *entries;
    form.SetQuizDocument(&window);
    form.SetQuizFileName(doc.FileName);

    RunWithListHidden(window, origin, true, form);
}
