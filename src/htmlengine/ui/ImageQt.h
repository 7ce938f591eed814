#pragma once
// Where engine pictures meet Qt: conversion to QImage, drawing through a
// mask, drawing a GIF's current frame, and the engine cursors.
#include "htmlengine/EngineBitmap.h"
#include "htmlengine/PageGif.h"
#include "htmlengine/ScreenState.h"

#include <QCursor>
#include <QImage>
#include <QRect>

class QPainter;

namespace htmlengine {

// Opaque pictures become RGB32; 32-bit pictures keep their alpha.
QImage ToQImage(const EngineBitmap& bitmap);
// Alpha 0 where the mask is set.
QImage ToQImage(const EngineBitmap& bitmap, const EngineMask& mask);

// Stretches the picture into the rectangle without smoothing, keeping the
// destination where the mask is set; nothing on a 1-bit device.
void DrawTransparent(QPainter& painter, const EngineBitmap& bitmap, const EngineMask& mask, const QRect& target);
// Stretches without smoothing.
void DrawStretched(QPainter& painter, const EngineBitmap& bitmap, const QRect& target);

// The current frame into the rectangle, remembered for repainting; nothing
// unless the picture is marked shown.
void DrawGif(QPainter& painter, TGIFImage& gif, const QRect& target);

// Bits per pixel of the primary screen, for the screen state made at start.
int ScreenBitsPerPixel();

// Cursor 1 to 5 (link, text, pan, pan up, pan down).
QCursor EngineCursorShape(const ScreenState& screen, int number);

} // namespace htmlengine
