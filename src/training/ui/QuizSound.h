#pragma once
// The quiz's error sound as a wave file played through Qt Multimedia. A
// machine without an audio device simply stays silent.

#include <memory>

#include "training/QuizSession.h"

class QSoundEffect;

class QuizSound : public ErrorSound {
public:
    QuizSound();
    ~QuizSound() override;
    // False when the file cannot be read or is no wave file.
    bool Open(const std::string& fileName) override;
    void Play() override;
    void Close() override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};
