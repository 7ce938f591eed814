#pragma once
// What the quiz needs of the frame around the document windows: the windows
// in the frame's order, a new empty document, help pages, the special-
// character popup and the closing of the entry editor. The frame registers
// its host at start; until then a quiz works over the window's MDI area.

#include <QPoint>
#include <string>
#include <vector>

class QMdiArea;
class TMDIChild;

class QuizHost {
public:
    virtual ~QuizHost() = default;
    // The frame's document windows, first to last.
    virtual std::vector<TMDIChild*> DocumentWindows() = 0;
    // A new empty document window, as the frame makes one for the
    // new-document marker; null when none could be made.
    virtual TMDIChild* CreateEmptyDocument() = 0;
    virtual void ShowHelpPage(const std::string& page) = 0;
    // The frame's special-character popup at a screen point; true when a
    // character was chosen (it is then the option "Letztes Sonderzeichen").
    virtual bool PopupSpecialCharacters(const QPoint& globalPos, bool centralEuropean) = 0;
    // The entry editor and a visible wizard close before a mode starts.
    virtual void CloseEditorsBeforeNew() = 0;
};

// The registered host, or null.
QuizHost* TheQuizHost();
void SetQuizHost(QuizHost* host);

// Document windows of one MDI area, in creation order; new documents are
// added to the area. No help, no popup, no editor.
class MdiAreaQuizHost : public QuizHost {
public:
    explicit MdiAreaQuizHost(QMdiArea* area) : area_(area) {}
    std::vector<TMDIChild*> DocumentWindows() override;
    TMDIChild* CreateEmptyDocument() override;
    void ShowHelpPage(const std::string&) override {}
    bool PopupSpecialCharacters(const QPoint&, bool) override { return false; }
    void CloseEditorsBeforeNew() override {}

private:
    QMdiArea* area_;
};
