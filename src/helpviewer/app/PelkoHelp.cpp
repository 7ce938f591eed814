#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Pelko32 Hilfe");
    QMainWindow window;
    window.setWindowTitle("Pelko32 Hilfe");
    window.show();
    return QApplication::exec();
}
