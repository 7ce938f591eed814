#pragma once
// The one seam through which logic asks the user anything: message boxes,
// prompts and file dialogs. The Qt implementation (ui/QtDialogs.h) shows the
// standard boxes; tests use ScriptedDialogs, which answers from queues and
// records every text it was shown. Logic never shows a box itself.
//
// Texts are UTF-8. Vocabulary bytes go through the code-page layer first.

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace platform {

enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };

// Button set of a message box (bit flags, combined with |).
enum MsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbHelp = 1u << 7,
};
using MsgDlgButtons = unsigned;
constexpr MsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr MsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr MsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// None: the box was closed without a button.
enum class ModalResult { None, OK, Cancel, Abort, Retry, Ignore, Yes, No };

// The password prompt's answer when the user cancelled.
inline const std::string kCancelMarker = "\x1b";

struct FileDialogRequest {
    std::string title;
    // Windows-style filter list: "Description|*.plk;*.plv|Other|*.*".
    std::string filter;
    int filterIndex = 1;  // 1-based, as the filter list counts
    std::string initialDir;
    std::string fileName;
    std::string defaultExt;
    bool multiSelect = false;
    // Save: the dialog itself asks before an existing file is replaced.
    bool confirmOverwrite = true;
};

struct FileDialogResult {
    bool accepted = false;
    std::vector<std::string> files;
    int filterIndex = 1;
};

struct PrintDialogRequest {
    int minPage = 1;
    int maxPage = 1;
    int fromPage = 1;
    int toPage = 1;
    bool selectionEnabled = false;  // the range "selection" is offered
};

// The printer and its page as the print dialog set them up; they stay the
// program's printer for later jobs. Sizes are in millimetres.
struct PrintSetup {
    std::string printerName;     // empty: the default printer
    std::string outputFileName;  // printing into a PDF file
    double paperWidth = 0;       // upright; 0: the printer's own paper
    double paperHeight = 0;
    bool landscape = false;
    struct Margins {
        double left = 0, top = 0, right = 0, bottom = 0;
    };
    std::optional<Margins> margins;  // nothing: the printer's own
    enum class Duplex { None, Auto, LongSide, ShortSide };
    std::optional<Duplex> duplex;  // nothing: the printer's own
    std::optional<bool> grayscale;
    // Further options of the print system for the job (name, value), such as
    // pages per sheet or a banner page.
    std::vector<std::pair<std::string, std::string>> jobOptions;
};

struct PrintPageSpan {
    int from = 1;
    int to = 1;
};

struct PrintDialogResult {
    enum class Range { All, Selection, Pages };
    // Only the odd or the even page numbers among those chosen.
    enum class PageSet { All, Odd, Even };
    bool accepted = false;
    Range range = Range::All;
    std::vector<PrintPageSpan> pages;  // Range::Pages
    PageSet pageSet = PageSet::All;
    int copies = 1;
    bool collate = true;  // each copy whole before the next
    bool lastPageFirst = false;
    PrintSetup setup;
};

// The print dialog where no seam shows one of its own; the printing layer
// installs it.
using PrintDialogRunner = std::function<PrintDialogResult(const PrintDialogRequest&)>;
inline PrintDialogRunner& DefaultPrintDialog() {
    static PrintDialogRunner runner;
    return runner;
}

class DialogSeam {
public:
    virtual ~DialogSeam() = default;

    // A standard message box. With mbHelp, the Help button opens the help
    // page of helpContext and leaves the box open.
    virtual ModalResult MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons,
                                   int helpContext = 0) = 0;
    // A box with the application title as caption and an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // An exception that escaped an event handler: its message in an error
    // box with the application title as caption.
    virtual void ShowException(const std::string& text) { ShowMessage(text); }
    // The password prompt: what was typed (at most 15 characters), or
    // kCancelMarker.
    virtual std::string AskPassword(const std::string& prompt) = 0;
    // A one-line text prompt; nothing when cancelled.
    virtual std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                                  const std::string& initial) = 0;
    virtual FileDialogResult OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual FileDialogResult SaveFileDialog(const FileDialogRequest& request) = 0;
    // A folder chooser; nothing when cancelled.
    virtual std::optional<std::string> ChooseFolder(const std::string& caption, const std::string& start) = 0;
    // The print dialog; not accepted when cancelled or when there is none.
    virtual PrintDialogResult PrintDialog(const PrintDialogRequest& request) {
        return DefaultPrintDialog() ? DefaultPrintDialog()(request) : PrintDialogResult{};
    }
};

// The program-wide seam. Until one is set, every request throws.
DialogSeam& Dialogs();
void SetDialogs(DialogSeam* seam);

// Called with a help context when a box's Help button is pressed.
void SetHelpHandler(std::function<void(int helpContext)> handler);
void ShowHelpContext(int helpContext);

// Answers from queues and records what it was shown. A request whose queue
// is empty throws std::logic_error naming the text, so an unexpected prompt
// fails the test that caused it.
//
// A real box runs a modal loop of its own before it answers, and that loop
// may change the widgets around it. Once a loop is set (the widget tests set
// one that shows a window and runs a nested event loop), every scripted box
// runs it before it answers.
class ScriptedDialogs : public DialogSeam {
public:
    using ModalLoop = std::function<void()>;
    static void SetModalLoop(ModalLoop loop);

    struct Shown {
        // "message", "show", "exception", "password", "input", "open", "save", "folder", "print"
        std::string kind;
        std::string text;
        MsgDlgType type = MsgDlgType::Custom;
        MsgDlgButtons buttons = 0;
        int helpContext = 0;
    };

    std::deque<ModalResult> messageAnswers;
    std::deque<std::string> passwordAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<FileDialogResult> fileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<PrintDialogResult> printAnswers;
    // When set, a message box with only an OK button needs no queued answer.
    bool autoConfirmOkOnly = true;

    std::vector<Shown> shown;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<PrintDialogRequest> printRequests;

    ModalResult MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons,
                           int helpContext = 0) override;
    void ShowMessage(const std::string& text) override;
    void ShowException(const std::string& text) override;
    std::string AskPassword(const std::string& prompt) override;
    std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) override;
    FileDialogResult OpenFileDialog(const FileDialogRequest& request) override;
    FileDialogResult SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& caption, const std::string& start) override;
    PrintDialogResult PrintDialog(const PrintDialogRequest& request) override;

    // The texts shown, in order.
    std::vector<std::string> Texts() const;

private:
    void Show(Shown box);
};

// Installs a seam for the life of a scope (tests).
class ScopedDialogs {
public:
    explicit ScopedDialogs(DialogSeam& seam);
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    DialogSeam* previous_;
};

}  // namespace platform
