/* The codec reports errors by a long jump back to the frame that called it;
 * only plain C lives between setjmp and the codec calls. */
#include "htmlengine/JpegCodec.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h>
#include <jerror.h>

enum { kMaxScans = 1000 }; /* progressive files may not scan forever */

typedef struct ErrorHook {
    struct jpeg_error_mgr base;
    jmp_buf jump;
} ErrorHook;

typedef struct ScanGuard {
    struct jpeg_progress_mgr base;
    j_decompress_ptr cinfo;
} ScanGuard;

static void OnError(j_common_ptr cinfo) {
    ErrorHook* hook = (ErrorHook*)cinfo->err;
    longjmp(hook->jump, 1);
}

static void OnMessage(j_common_ptr cinfo, int level) {
    (void)cinfo;
    (void)level; /* warnings of damaged data are not shown */
}

static void OnProgress(j_common_ptr cinfo) {
    ScanGuard* guard = (ScanGuard*)cinfo->progress;
    if (guard->cinfo->input_scan_number > kMaxScans) {
        ERREXIT(cinfo, JERR_IMAGE_TOO_BIG);
    }
}

/* Runs one decode on a prepared source; the caller owns cinfo's creation. */
static int Decode(struct jpeg_decompress_struct* cinfo, const PelkoJpegOptions* options, PelkoJpegImage* out) {
    jpeg_read_header(cinfo, TRUE);
    if ((long)cinfo->image_width * (long)cinfo->image_height > options->maxPixels) {
        ERREXIT(cinfo, JERR_IMAGE_TOO_BIG);
    }
    const int grey = cinfo->jpeg_color_space == JCS_GRAYSCALE;
    if (options->indexed) {
        cinfo->quantize_colors = TRUE;
        if (grey) {
            cinfo->out_color_space = JCS_GRAYSCALE;
            cinfo->desired_number_of_colors = 236;
        } else {
            cinfo->out_color_space = JCS_RGB;
            if (options->map != NULL && options->mapCount > 0) {
                const int n = options->mapCount > 256 ? 256 : options->mapCount;
                JSAMPARRAY map = (*cinfo->mem->alloc_sarray)((j_common_ptr)cinfo, JPOOL_IMAGE, (JDIMENSION)n, 3);
                for (int i = 0; i < n; ++i) {
                    for (int c = 0; c < 3; ++c) {
                        map[c][i] = options->map[3 * i + c];
                    }
                }
                cinfo->colormap = map;
                cinfo->actual_number_of_colors = n;
            } else {
                cinfo->desired_number_of_colors = 256;
            }
        }
    } else {
        cinfo->out_color_space = JCS_RGB;
    }
    jpeg_start_decompress(cinfo);
    const size_t rowBytes = (size_t)cinfo->output_width * (size_t)cinfo->output_components;
    out->width = (int)cinfo->output_width;
    out->height = (int)cinfo->output_height;
    out->indexed = options->indexed;
    out->pixels = (unsigned char*)malloc(rowBytes * cinfo->output_height + 1);
    if (out->pixels == NULL) {
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = out->pixels + rowBytes * cinfo->output_scanline;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    if (options->indexed) {
        out->colorCount = cinfo->actual_number_of_colors;
        for (int i = 0; i < out->colorCount && i < 256; ++i) {
            for (int c = 0; c < 3; ++c) {
                const int comp = cinfo->out_color_components == 1 ? 0 : c;
                out->colormap[3 * i + c] = cinfo->colormap[comp][i];
            }
        }
    }
    jpeg_finish_decompress(cinfo);
    return 1;
}

static int Run(FILE* file, const unsigned char* data, size_t size, const PelkoJpegOptions* options,
               PelkoJpegImage* out) {
    struct jpeg_decompress_struct cinfo;
    ErrorHook hook;
    ScanGuard guard;
    memset(out, 0, sizeof *out);
    cinfo.err = jpeg_std_error(&hook.base);
    hook.base.error_exit = OnError;
    hook.base.emit_message = OnMessage;
    if (setjmp(hook.jump)) {
        out->errorCode = hook.base.msg_code;
        free(out->pixels);
        out->pixels = NULL;
        jpeg_destroy_decompress(&cinfo);
        return 0;
    }
    jpeg_create_decompress(&cinfo);
    guard.base.progress_monitor = OnProgress;
    guard.cinfo = &cinfo;
    cinfo.progress = &guard.base;
    if (file != NULL) {
        jpeg_stdio_src(&cinfo, file);
    } else {
        jpeg_mem_src(&cinfo, data, (unsigned long)size);
    }
    const int ok = Decode(&cinfo, options, out);
    jpeg_destroy_decompress(&cinfo);
    return ok;
}

int pelko_jpeg_decode_memory(const unsigned char* data, size_t size, const PelkoJpegOptions* options,
                             PelkoJpegImage* out) {
    if (size == 0) {
        memset(out, 0, sizeof *out);
        out->errorCode = JERR_INPUT_EMPTY;
        return 0;
    }
    return Run(NULL, data, size, options, out);
}

int pelko_jpeg_decode_file(const char* path, const PelkoJpegOptions* options, PelkoJpegImage* out) {
    FILE* file = fopen(path, "rb");
    if (file == NULL) {
        memset(out, 0, sizeof *out);
        out->errorCode = JERR_FILE_READ;
        return 0;
    }
    const int ok = Run(file, NULL, 0, options, out);
    fclose(file);
    return ok;
}

void pelko_jpeg_free(PelkoJpegImage* image) {
    free(image->pixels);
    image->pixels = NULL;
}
