#pragma once
// The application object of both programs. An exception that escapes an event
// handler ends here: its message is shown with the application title and the
// program goes on.

#include <QApplication>

namespace platform {

class PelkoApplication : public QApplication {
    Q_OBJECT
public:
    PelkoApplication(int& argc, char** argv, const QString& title);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of an exception through the dialog seam.
    static void ShowException(const std::string& message);
};

}  // namespace platform
