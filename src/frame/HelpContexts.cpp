#include "frame/HelpContexts.h"

#include <utility>

#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"

namespace {

// Messages with a number of their own.
const std::pair<int32_t, const char*> kExactContexts[] = {
    {2001, "Allgemeines\\automatisches_oeffnen.html"},
    {2002, "Allgemeines\\kennwoerter.html"},
    {2003, "Fehler\\konnte_fehlerliste_nicht_erstellen.html"},
    {5501, "Fehler\\keine_vokabeln_eingegeben.html"},
    {5507, "Fehler\\std_verz_existiert_nicht.html"},
    {5508, "Fehler\\vorl_verz_existiert_nicht.html"},
    {5509, "Fehler\\beep_file_existiert_nicht.html"},
    {7001, "Fehler\\programmierer.html"},
    {9282, "Allgemeines\\kontakt_zum_programmierer.html"},
};

// Dialogs by context div 100.
const std::pair<int32_t, const char*> kDialogContexts[] = {
    {1, "Dialogfelder\\abfragen.html"},
    {2, "Dialogfelder\\beschreibung.html"},
    {3, "Dialogfelder\\edit.html"},
    {4, "Dialogfelder\\feldauswahl.html"},
    {5, "Dialogfelder\\goto.html"},
    {6, "Dialogfelder\\hangman\\index.html"},
    {7, "Dialogfelder\\suchen.html"},
    {9, "Dialogfelder\\Optionen\\wortteillogik.html"},
    {10, "Dialogfelder\\Optionen\\index.html"},
    {11, "Dialogfelder\\Optionen\\drucken.html"},
    {12, "Dialogfelder\\Optionen\\abfragen.html"},
    {13, "Dialogfelder\\Optionen\\dateien.html"},
    {14, "Dialogfelder\\Optionen\\eingabe.html"},
    {15, "Dialogfelder\\Optionen\\hangman.html"},
    {16, "Dialogfelder\\Optionen\\lernen.html"},
    {18, "Dialogfelder\\indateiensuchen.html"},
    {25, "Dialogfelder\\Optionen\\schriftarten.html"},
    {26, "Dialogfelder\\Lernen.html"},
    {27, "Dialogfelder\\neu-assistent.html"},
};

}  // namespace

std::optional<std::string> HelpContextPage(int32_t context) {
    for (const auto& [number, page] : kExactContexts) {
        if (number == context) return page;
    }
    if (context < 0) return std::nullopt;
    for (const auto& [dialog, page] : kDialogContexts) {
        if (dialog == context / 100) return page;
    }
    return std::nullopt;
}

std::string WrongHelpCallText(int32_t context) {
    return "Falscher Hilfe-Aufruf (#" + std::to_string(context) + "). Bitte kontaktieren Sie den Programmierer.";
}

HelpViewerStart HelpViewerLaunch(const std::string& page) {
    return {platform::ProgramFolder() + "PelkoHelp", {platform::ProgramFile("Hilfe\\" + page)}};
}

void ShowHelpPage(const std::string& page, platform::Shell& shell) {
    const HelpViewerStart start = HelpViewerLaunch(page);
    shell.StartProgram(start.program, start.arguments);
}

void HelpContextToPage(int32_t context, platform::Shell& shell, platform::DialogSeam& dialogs) {
    if (const std::optional<std::string> page = HelpContextPage(context)) {
        ShowHelpPage(*page, shell);
        return;
    }
    dialogs.MessageDlg(WrongHelpCallText(context), platform::MsgDlgType::Error, platform::mbOK);
}
