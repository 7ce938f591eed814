// Qt's own dialogs speak German under the programs' application object,
// whatever language the user's environment asks for.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <fstream>

#include "platform/TempDir.h"

namespace {

QProcessEnvironment EnglishSession() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LANG", "en_US.UTF-8");
    env.insert("LC_ALL", "en_US.UTF-8");
    env.insert("LANGUAGE", "en");
    return env;
}

}  // namespace

TEST(QtGermanTest, QtsOwnDialogTextsAreGermanInAnEnglishSession) {
    QProcess process;
    process.setProcessEnvironment(EnglishSession());
    process.start(QT_TEXTS_HELPER, {});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()).split('\n'),
              (QStringList{"Suchen in:", "Öffnen", "Abbrechen", "Schriftart auswählen", "Farbauswahl", "Drucken",
                           "Ränder", "&Rückgängig\tStrg+Z", ""}));
}

TEST(QtGermanTest, TheOpenDialogListsSizeTypeAndDateInGermanInAnEnglishSession) {
    TempDir dir;
    const std::string path = dir.Path("liste.html");
    std::ofstream(path) << std::string(58, 'x');
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 12, 11), QTime(15, 4)), QFileDevice::FileModificationTime));
    file.close();

    QProcess process;
    process.setProcessEnvironment(EnglishSession());
    process.start(FILE_LIST_HELPER, {QString::fromStdString(dir.Path()), "liste.html"});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()).split('\n'),
              (QStringList{"58 Bytes", "HTML-Dokument", "11.12.24 15:04", ""}));
}
