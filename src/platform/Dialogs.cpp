#include "platform/Dialogs.h"

#include <stdexcept>

namespace platform {
namespace {

// The seam before the program installs one: any request is a fault.
class NoDialogs : public DialogSeam {
public:
    ModalResult MessageDlg(const std::string& text, MsgDlgType, MsgDlgButtons, int) override { Fail(text); }
    void ShowMessage(const std::string& text) override { Fail(text); }
    std::string AskPassword(const std::string& prompt) override { Fail(prompt); }
    std::optional<std::string> InputQuery(const std::string&, const std::string& prompt,
                                          const std::string&) override {
        Fail(prompt);
    }
    FileDialogResult OpenFileDialog(const FileDialogRequest& request) override { Fail(request.title); }
    FileDialogResult SaveFileDialog(const FileDialogRequest& request) override { Fail(request.title); }
    std::optional<std::string> ChooseFolder(const std::string& caption, const std::string&) override {
        Fail(caption);
    }

private:
    [[noreturn]] static void Fail(const std::string& text) {
        throw std::logic_error("no dialog seam installed for: " + text);
    }
};

DialogSeam* current = nullptr;
ScriptedDialogs::ModalLoop& CurrentModalLoop() {
    static ScriptedDialogs::ModalLoop loop;
    return loop;
}
std::function<void(int)>& HelpHandler() {
    static std::function<void(int)> handler;
    return handler;
}

template <typename T>
T Pop(std::deque<T>& queue, const std::string& kind, const std::string& text) {
    if (queue.empty()) throw std::logic_error("unexpected " + kind + " dialog: " + text);
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

}  // namespace

DialogSeam& Dialogs() {
    static NoDialogs none;
    return current != nullptr ? *current : none;
}

void SetDialogs(DialogSeam* seam) { current = seam; }

void SetHelpHandler(std::function<void(int helpContext)> handler) { HelpHandler() = std::move(handler); }

void ShowHelpContext(int helpContext) {
    if (HelpHandler()) HelpHandler()(helpContext);
}

void ScriptedDialogs::SetModalLoop(ModalLoop loop) { CurrentModalLoop() = std::move(loop); }

void ScriptedDialogs::Show(Shown box) {
    shown.push_back(std::move(box));
    // A copy: the loop may install another one while it runs.
    const ModalLoop loop = CurrentModalLoop();
    if (loop) loop();
}

ModalResult ScriptedDialogs::MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons,
                                        int helpContext) {
    Show({"message", text, type, buttons, helpContext});
    if (messageAnswers.empty() && autoConfirmOkOnly && (buttons & ~mbHelp) == mbOK) return ModalResult::OK;
    return Pop(messageAnswers, "message", text);
}

void ScriptedDialogs::ShowMessage(const std::string& text) { Show({"show", text}); }

void ScriptedDialogs::ShowException(const std::string& text) { Show({"exception", text}); }

std::string ScriptedDialogs::AskPassword(const std::string& prompt) {
    Show({"password", prompt});
    return Pop(passwordAnswers, "password", prompt);
}

std::optional<std::string> ScriptedDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                                                       const std::string&) {
    Show({"input", prompt});
    return Pop(inputAnswers, "input", caption + ": " + prompt);
}

FileDialogResult ScriptedDialogs::OpenFileDialog(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    Show({"open", request.title});
    return Pop(fileAnswers, "open", request.title);
}

FileDialogResult ScriptedDialogs::SaveFileDialog(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    Show({"save", request.title});
    return Pop(fileAnswers, "save", request.title);
}

std::optional<std::string> ScriptedDialogs::ChooseFolder(const std::string& caption, const std::string&) {
    Show({"folder", caption});
    return Pop(folderAnswers, "folder", caption);
}

PrintDialogResult ScriptedDialogs::PrintDialog(const PrintDialogRequest& request) {
    printRequests.push_back(request);
    Show({"print", "", MsgDlgType::Custom, 0, 0});
    return Pop(printAnswers, "print", "");
}

std::vector<std::string> ScriptedDialogs::Texts() const {
    std::vector<std::string> texts;
    for (const Shown& s : shown) texts.push_back(s.text);
    return texts;
}

ScopedDialogs::ScopedDialogs(DialogSeam& seam) : previous_(current) { SetDialogs(&seam); }

ScopedDialogs::~ScopedDialogs() { SetDialogs(previous_); }

}  // namespace platform
