#pragma once
// Loading one picture of a hangman series: Windows bitmaps and JPEG files,
// chosen by the file's extension.

#include <string>

#include "htmlengine/EngineBitmap.h"

struct HangmanPicture {
    htmlengine::EngineBitmap picture;  // empty on failure
    std::string error;                 // German message on failure
};

HangmanPicture LoadHangmanPicture(const std::string& fileName);
