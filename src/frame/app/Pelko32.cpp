#include <QCloseEvent>
#include <QMainWindow>

#include "platform/Random.h"
#include "platform/ui/PelkoApplication.h"
#include "platform/ui/QtDialogs.h"
#include "platform/ui/SessionEnd.h"

namespace {

class MainWindow : public QMainWindow {
protected:
    void closeEvent(QCloseEvent* event) override {
        // What a normal close stores (the settings) is stored here; the end
        // of the session takes the same path.
        QMainWindow::closeEvent(event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    platform::PelkoApplication app(argc, argv, "Pelko32");
    platform::QtDialogs dialogs(platform::Program::Main);
    platform::SetDialogs(&dialogs);
    platform::Randomize();

    MainWindow window;
    window.setWindowTitle(platform::ApplicationTitle());
    platform::CloseOnSessionEnd(&window);
    window.show();
    int status = platform::PelkoApplication::exec();
    platform::SetDialogs(nullptr);
    return status;
}
