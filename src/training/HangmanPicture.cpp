#include "training/HangmanPicture.h"

#include <span>

#include "htmlengine/JpegCodec.h"
#include "htmlengine/PageImages.h"
#include "training/ThmFile.h"

namespace {

std::string LowerExtension(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    const auto slash = fileName.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = fileName.substr(dot + 1);
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return ext;
}

std::string Failure(const std::string& fileName, const std::string& reason) {
    std::string text = "Das Hangman-Bild " + fileName + " konnte nicht geladen werden.";
    if (!reason.empty()) text += " (" + reason + ")";
    return text;
}

}  // namespace

HangmanPicture LoadHangmanPicture(const std::string& fileName) {
    HangmanPicture result;
    const std::string ext = LowerExtension(fileName);
    if (ext == "jpg" || ext == "jpeg") {
        static const htmlengine::ScreenState screen(24);
        htmlengine::JpegResult jpeg =
            htmlengine::DecodeJpegFile(fileName, screen, htmlengine::JpegMessages::MainProgram);
        if (jpeg.picture.IsEmpty()) {
            result.error = Failure(fileName, jpeg.error);
        } else {
            result.picture = std::move(jpeg.picture);
        }
        return result;
    }
    if (ext != "bmp") {
        result.error = Failure(fileName, "unbekanntes Bildformat");
        return result;
    }
    std::string bytes;
    if (!ReadFileBytes(fileName, bytes) || bytes.empty()) {
        result.error = Failure(fileName, {});
        return result;
    }
    try {
        result.picture = htmlengine::LoadBitmapPicture(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    } catch (const std::exception&) {
        result.error = Failure(fileName, {});
    }
    return result;
}
