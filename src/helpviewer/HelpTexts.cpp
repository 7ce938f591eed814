#include "helpviewer/HelpTexts.h"

#include <algorithm>

namespace helpviewer {

std::string ViewerCaption(const std::string& title) { return std::string(kHelpTitle) + " - " + title; }

std::string HistoryItemCaption(const std::string& file, const std::string& title) {
    return title.empty() ? file : file + "--" + title;
}

bool IsShellLink(const std::string& src) {
    std::string upper = src;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return upper.find("MAILTO:") != std::string::npos || upper.find("HTTP:") != std::string::npos;
}

std::string AboutPage() {
    // "\xFC" is the Windows-1252 u umlaut.
    return "<html><head><title>Info \xFC" "ber die Pelko32 Hilfe</title></head>"
           "<body bgcolor=\"#FFFFFF\"><center>"
           "<h1>Pelko32 Hilfe</h1>"
           "<h4>Fragen und Anregungen: <a href=\"mailto:hilfe@pelko32.example\">hilfe@pelko32.example</a> und "
           "<a href=\"mailto:autor@pelko32.example\">autor@pelko32.example</a></h4>"
           "<h5>Version 1.1 vom 22.03.2001</h5>"
           "Der Betrachter f\xFC" "r die Hilfeseiten des Vokabeltrainers."
           "<p>Die Pelko32 Hilfe ist Bestandteil des Vokabelprogramms Pelko32.</p>"
           "<p>Homepage von Pelko32: <a href=\"http://www.pelko32.example/\">http://www.pelko32.example/</a></p>"
           "</center></body></html>";
}

int WheelArrowKey(int angleDelta) { return angleDelta <= 0 ? 40 : 38; }

int WheelKeyCount(int lines) { return std::max(0, lines); }

}  // namespace helpviewer
