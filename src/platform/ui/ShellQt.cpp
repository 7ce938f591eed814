#include "platform/ui/ShellQt.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace platform {

bool QtShell::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) list << QFile::decodeName(QByteArray::fromStdString(argument));
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(program)), list);
}

bool QtShell::OpenAddress(const std::string& address) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!url.isValid() || url.isLocalFile() || url.scheme().isEmpty()) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace platform
