#pragma once
// A quizzed document window in an MDI area, the dialog over it and the
// helpers to type into it without a real keyboard.

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "documents/DocumentTestFiles.h"
#include "documents/ui/Childwin.h"
#include "common/WhenUp.h"
#include "platform/Dialogs.h"
#include "training/RandomSource.h"
#include "training/ui/QuizHost.h"
#include "training/ui/abfragen.h"

namespace quiz_test {

// 0, 1, 2, ... modulo the range asked for.
class CyclingRandom : public RandomSource {
public:
    int32_t Random(int32_t n) override { return n > 0 ? next_++ % n : 0; }

private:
    int32_t next_ = 0;
};

class FakeSound : public ErrorSound {
public:
    int played = 0;
    bool Open(const std::string&) override { return true; }
    void Play() override { ++played; }
    void Close() override {}
};

// The MDI host that can also be told to fail making documents and to
// answer the special-character popup.
class TestHost : public MdiAreaQuizHost {
public:
    using MdiAreaQuizHost::MdiAreaQuizHost;
    bool refuseNewDocument = false;
    std::string popupChoice;  // empty: the popup closes without a choice
    std::vector<std::string> helpPages;
    TMDIChild* CreateEmptyDocument() override {
        return refuseNewDocument ? nullptr : MdiAreaQuizHost::CreateEmptyDocument();
    }
    void ShowHelpPage(const std::string& page) override { helpPages.push_back(page); }
    bool PopupSpecialCharacters(const QPoint&, bool) override {
        if (popupChoice.empty()) return false;
        Optionen.Settings.LetztesSonderzeichen = popupChoice;
        return true;
    }
};

inline void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Typed key by key, through the answer field's key handling.
inline void Type(QWidget* target, const QString& text) {
    for (const QChar c : text) Key(target, 0, QString(c));
}

inline void Answer(TAbfrageForm& form, const QString& text) {
    Type(form.AbfrEdit, text);
    Key(form.AbfrEdit, Qt::Key_Return, QStringLiteral("\r"));
}

// Runs `steps` inside the dialog's exec(); the dialog is closed afterwards
// whatever they left, so a test never hangs.
inline int RunModal(TAbfrageForm& form, std::function<void()> steps) {
    WhenUp(&form, [&form, steps] {
        steps();
        if (form.isVisible()) form.reject();
    });
    return form.exec();
}

class QuizUiTest : public ::testing::Test {
protected:
    QuizUiTest() : scope(dialogs) {
        Optionen.Abfragen.ZufaelligeReihenfolge = false;
        Optionen.Abfragen.OptionenVorAbfragenAnzeigen = false;
        Optionen.Abfragen.BeepBeiFehler = true;
        area.resize(900, 700);
        area.show();
        quizzed = AddWindow("Vokabeldatei 1");
        form = std::make_unique<TAbfrageForm>(nullptr, Optionen, random);
        form->SetHost(&host);
        form->SetSound(&sound);
    }
    ~QuizUiTest() override { form.reset(); }

    TMDIChild* AddWindow(const std::string& caption) {
        auto* w = new TMDIChild(std::make_unique<VocabDocument>());
        area.addSubWindow(w);
        w->SetCaption(caption);
        w->show();
        return w;
    }

    // Rows 1.. of `window`: foreign, mother.
    static void Fill(TMDIChild* window, const std::vector<std::pair<std::string, std::string>>& rows) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            window->Document().Entries[i + 1] = MakeEntry(rows[i].first, rows[i].second);
        }
    }

    // The quizzed window's entries into the dialog, as the quiz start does.
    void Prepare(TMDIChild* window) {
        form->Session().Entries() = window->Document().Entries;
        form->SetQuizDocument(window);
        form->SetQuizFileName("/home/lena/Dokumente/tiere.plk");
    }

    TMDIChild* FindByCaption(const std::string& caption) {
        for (TMDIChild* w : host.DocumentWindows()) {
            if (w->Document().Caption == caption) return w;
        }
        return nullptr;
    }

    DefaultOptionsForTest options;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope;
    CyclingRandom random;
    QMdiArea area;
    TestHost host{&area};
    FakeSound sound;
    TMDIChild* quizzed = nullptr;
    std::unique_ptr<TAbfrageForm> form;
};

}  // namespace quiz_test
