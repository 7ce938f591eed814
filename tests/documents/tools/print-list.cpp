// print-list OUT.pdf: prints a full list of 500 entries through the print
// window, as the toolbar's print button does, into a PDF file. A look at the
// printout (scripts/render-printout.sh turns a page of it into a picture).
#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>

#include "documents/AppSettings.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/PrnInfo_Unit.h"
#include "platform/Dialogs.h"

namespace {

// Everyday words with a few of every kind of row: a second foreign word,
// several meanings, fields too long for their column.
VokabelTyp Entry(int row) {
    static const char* const foreign[] = {"the house", "to go", "the tree", "beautiful", "the answer",
                                          "to remember", "the kitchen", "quickly", "the weather", "to forget"};
    static const char* const mother[] = {"das Haus", "gehen", "der Baum", "sch\xf6n", "die Antwort",
                                         "sich erinnern", "die K\xfc\x63he", "schnell", "das Wetter", "vergessen"};
    const int k = (row - 1) % 10;
    const std::string n = " " + std::to_string(row);
    VokabelTyp e{};
    e.FS1.Set(foreign[k] + n);
    e.MS1.Set(mother[k] + n);
    if (row % 7 == 0) e.FS2.Set("a second word" + n);
    if (row % 5 == 0) e.MS2.Set("eine zweite Bedeutung");
    if (row % 11 == 0) e.MS3.Set("noch eine Bedeutung");
    if (row % 13 == 0) e.FS1.Set("a phrase much longer than its column on the printed page" + n);
    if (row % 17 == 0) e.MS1.Set("eine Bedeutung, die f\xfcr ihre Spalte viel zu lang ist" + n);
    e.InUse = 1;
    return e;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: print-list OUT.pdf\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetDefaultOptions(Optionen, StartEnvironment{"/tmp", "/tmp/", 1280, 1024});
    BuildEmptyRecords(Optionen);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);

    auto doc = std::make_unique<VocabDocument>();
    doc->FileName = "/home/lena/Vokabeln/Englisch Grundwortschatz.plk";
    doc->Description = "Die 500 Vokabeln des Grundwortschatzes, nach Themen geordnet: Haus und Garten, "
                       "Wetter, Essen und Trinken, Schule. Jede zweite Woche kommen neue hinzu.";
    for (int row = 1; row <= kMaxEntries; ++row) doc->Entries[size_t(row)] = Entry(row);
    TMDIChild window(std::move(doc));
    PrintForm().OutputFileName = argv[1];
    window.StartPrint(true);
    for (const std::string& text : dialogs.Texts()) std::fprintf(stderr, "%s\n", text.c_str());
    return dialogs.shown.empty() ? 0 : 1;
}
