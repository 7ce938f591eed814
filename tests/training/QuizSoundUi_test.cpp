#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "training/ui/QuizSound.h"

namespace {

void Put32(QByteArray& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xff));
}
void Put16(QByteArray& b, uint16_t v) {
    b.append(char(v & 0xff));
    b.append(char(v >> 8));
}

// A short mono 8-bit click as a PCM wave file.
QByteArray Wave() {
    const QByteArray samples(800, char(0x80));
    QByteArray b("RIFF");
    Put32(b, uint32_t(36 + samples.size()));
    b.append("WAVEfmt ");
    Put32(b, 16);
    Put16(b, 1);  // PCM
    Put16(b, 1);  // mono
    Put32(b, 8000);
    Put32(b, 8000);
    Put16(b, 1);
    Put16(b, 8);
    b.append("data");
    Put32(b, uint32_t(samples.size()));
    b.append(samples);
    return b;
}

std::string Write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName().toStdString();
}

}  // namespace

TEST(QuizSoundUi, OpensWaveFilesOnlyAndPlaysWithoutAnAudioDevice) {
    QTemporaryDir dir;
    QuizSound sound;
    EXPECT_TRUE(sound.Open(Write(dir, "fehler.wav", Wave())));
    sound.Play();  // no audio device on the test machine: silence, no error
    sound.Close();
    EXPECT_FALSE(sound.Open(Write(dir, "text.wav", "kein Klang")));
    EXPECT_FALSE(sound.Open(dir.filePath(QStringLiteral("fehlt.wav")).toStdString()));
    sound.Play();  // nothing open: nothing happens
}
