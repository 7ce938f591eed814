#pragma once
// The help bridge: every help request of the main program ends in a page of
// the help folder "Hilfe" beside the programs, shown by the help viewer. A
// help context (F1 on a control, a box's Help button) names its page through
// the table here; dialogs number their controls by hundreds.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class DialogSeam;
class Shell;
}  // namespace platform

// The page of a help context ("Dialogfelder\abfragen.html"), or nothing.
std::optional<std::string> HelpContextPage(int32_t context);
// "Falscher Hilfe-Aufruf (#1750). Bitte kontaktieren Sie den Programmierer."
std::string WrongHelpCallText(int32_t context);

struct HelpViewerStart {
    std::string program;
    std::vector<std::string> arguments;
};
// The viewer in the program folder with the page's full path as its one
// argument; "\" becomes "/" and the path is matched to the files on disk
// without regard to case.
HelpViewerStart HelpViewerLaunch(const std::string& page);

// Starts the viewer on the page; the outcome is not looked at.
void ShowHelpPage(const std::string& page, platform::Shell& shell);
// The application's help handler: the page of the context, or the error box.
void HelpContextToPage(int32_t context, platform::Shell& shell, platform::DialogSeam& dialogs);
