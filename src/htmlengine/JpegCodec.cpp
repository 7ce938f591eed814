#include "htmlengine/JpegCodec.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace htmlengine {

namespace {

PelkoJpegOptions OptionsFor(const ScreenState& screen, std::vector<uint8_t>& map) {
    PelkoJpegOptions options{};
    options.maxPixels = long(kMaxPicturePixels);
    if (screen.ColorDepth() <= 8) {
        options.indexed = 1;
        for (uint32_t c : screen.EnginePalette()) {
            map.insert(map.end(), {RedOf(c), GreenOf(c), BlueOf(c)});
        }
        options.map = map.empty() ? nullptr : map.data();
        options.mapCount = int(map.size() / 3);
    }
    return options;
}

JpegResult Finish(int ok, PelkoJpegImage& image, JpegMessages messages) {
    JpegResult result;
    if (!ok) {
        char text[48];
        std::snprintf(text, sizeof text, messages == JpegMessages::HelpViewer ? "JPEG-Fehler #%d" : "JPEG error #%d",
                      image.errorCode);
        result.error = text;
        return result;
    }
    try {
        const unsigned char* p = image.pixels;
        if (image.indexed) {
            result.picture = EngineBitmap(image.width, image.height, PixelFormat::Indexed8);
            for (int i = 0; i < image.colorCount; ++i) {
                result.picture.palette.push_back(
                    Argb(image.colormap[3 * i], image.colormap[3 * i + 1], image.colormap[3 * i + 2]));
            }
            for (int y = 0; y < image.height; ++y, p += image.width) {
                std::copy_n(p, image.width, result.picture.Row8(y));
            }
        } else {
            result.picture = EngineBitmap(image.width, image.height, PixelFormat::Argb32);
            for (int y = 0; y < image.height; ++y) {
                uint32_t* row = result.picture.Row32(y);
                for (int x = 0; x < image.width; ++x, p += 3) {
                    row[x] = Argb(p[0], p[1], p[2]);
                }
            }
        }
    } catch (const std::exception& e) {
        result.picture = EngineBitmap();
        result.error = e.what();
    }
    pelko_jpeg_free(&image);
    return result;
}

} // namespace

JpegResult DecodeJpeg(std::span<const uint8_t> data, const ScreenState& screen, JpegMessages messages) {
    std::vector<uint8_t> map;
    const PelkoJpegOptions options = OptionsFor(screen, map);
    PelkoJpegImage image;
    const int ok = pelko_jpeg_decode_memory(data.data(), data.size(), &options, &image);
    return Finish(ok, image, messages);
}

JpegResult DecodeJpegFile(const std::string& fileName, const ScreenState& screen, JpegMessages messages) {
    std::vector<uint8_t> map;
    const PelkoJpegOptions options = OptionsFor(screen, map);
    PelkoJpegImage image;
    const int ok = pelko_jpeg_decode_file(fileName.c_str(), &options, &image);
    return Finish(ok, image, messages);
}

} // namespace htmlengine
