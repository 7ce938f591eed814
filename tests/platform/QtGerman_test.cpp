// Qt's own dialogs speak German under the programs' application object,
// whatever language the user's environment asks for.
#include <gtest/gtest.h>

#include <QProcess>

TEST(QtGermanTest, QtsOwnDialogTextsAreGermanInAnEnglishSession) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LANG", "en_US.UTF-8");
    env.insert("LC_ALL", "en_US.UTF-8");
    env.insert("LANGUAGE", "en");
    process.setProcessEnvironment(env);
    process.start(QT_TEXTS_HELPER, {});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()).split('\n'),
              (QStringList{"Suchen in:", "Öffnen", "Abbrechen", "Schriftart auswählen", "Farbauswahl", "Drucken",
                           "Ränder", "&Rückgängig\tStrg+Z", ""}));
}
