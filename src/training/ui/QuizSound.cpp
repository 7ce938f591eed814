#include "training/ui/QuizSound.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>

QuizSound::QuizSound() = default;
QuizSound::~QuizSound() = default;

bool QuizSound::Open(const std::string& fileName) {
    Close();
    // The effect loads in the background and tells nothing of a bad file,
    // so the file is checked here: a RIFF container of kind WAVE.
    QFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return false;
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(fileName)));
    return true;
}

void QuizSound::Play() {
    if (effect_ != nullptr) effect_->play();
}

void QuizSound::Close() { effect_.reset(); }
