// Throws out of event handlers under the program's application object and
// prints what the dialog seam was shown, then whether the program went on.
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <stdexcept>

#include "platform/Dialogs.h"
#include "platform/ui/PelkoApplication.h"

namespace {

class ThrowingWidget : public QWidget {
protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("Datei nicht gefunden: übung.plk");
        if (event->type() == QEvent::User + 1) throw 42;
        return QWidget::event(event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    platform::PelkoApplication app(argc, argv, "Prüfprogramm");
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    ThrowingWidget widget;
    QCoreApplication::postEvent(&widget, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&widget, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
    QTimer::singleShot(0, &app, [&] {
        for (const auto& shown : dialogs.shown) std::printf("%s: %s\n", shown.kind.c_str(), shown.text.c_str());
        std::printf("went on\n");
        QCoreApplication::exit(3);
    });
    return platform::PelkoApplication::exec();
}
