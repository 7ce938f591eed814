#ifndef PELKO_JPEGCODEC_H
#define PELKO_JPEGCODEC_H
/* JPEG decoding through the system's codec. The C part keeps the codec's
 * long jumps inside C frames; the C++ part turns its answer into a picture. */
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PelkoJpegOptions {
    int indexed;                /* 8-bit output instead of RGB */
    const unsigned char* map;   /* external colour map for colour pictures: RGB triples */
    int mapCount;               /* entries in map, at most 256; 0 lets the codec choose */
    long maxPixels;             /* larger pictures are refused */
} PelkoJpegOptions;

typedef struct PelkoJpegImage {
    int width;
    int height;
    int indexed;                /* pixels are indices into colormap, else RGB triples */
    int colorCount;
    unsigned char colormap[256 * 3];
    unsigned char* pixels;      /* top-down rows without padding; pelko_jpeg_free releases it */
    int errorCode;              /* the codec's message number on failure */
} PelkoJpegImage;

/* 1 on success; 0 with errorCode set on any codec error. */
int pelko_jpeg_decode_memory(const unsigned char* data, size_t size, const PelkoJpegOptions* options,
                             PelkoJpegImage* out);
int pelko_jpeg_decode_file(const char* path, const PelkoJpegOptions* options, PelkoJpegImage* out);
void pelko_jpeg_free(PelkoJpegImage* image);

#ifdef __cplusplus
}

#include "htmlengine/EngineBitmap.h"
#include "htmlengine/ScreenState.h"

#include <cstdint>
#include <span>
#include <string>

namespace htmlengine {

// The help viewer says "JPEG-Fehler #%d", the main program "JPEG error #%d".
enum class JpegMessages { HelpViewer, MainProgram };

struct JpegResult {
    EngineBitmap picture; // empty on failure
    std::string error;    // the message text on failure
};

// 24-bit output on screens deeper than 8 bits; on 8-bit screens colour
// pictures are mapped onto the engine palette and grey ones onto the
// codec's own 236 colours.
JpegResult DecodeJpeg(std::span<const uint8_t> data, const ScreenState& screen,
                      JpegMessages messages = JpegMessages::HelpViewer);
JpegResult DecodeJpegFile(const std::string& fileName, const ScreenState& screen,
                          JpegMessages messages = JpegMessages::HelpViewer);

} // namespace htmlengine
#endif

#endif
