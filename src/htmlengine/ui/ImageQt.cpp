#include "htmlengine/ui/ImageQt.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cstring>

namespace htmlengine {

QImage ToQImage(const EngineBitmap& bitmap) {
    if (bitmap.IsEmpty()) {
        return {};
    }
    if (bitmap.Format() == PixelFormat::Indexed8) {
        QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Indexed8);
        QList<QRgb> table(256, qRgb(0, 0, 0)); // every byte must name an entry
        for (size_t i = 0; i < bitmap.palette.size() && i < 256; ++i) {
            table[qsizetype(i)] = bitmap.palette[i] | 0xFF000000u;
        }
        image.setColorTable(table);
        for (int y = 0; y < bitmap.Height(); ++y) {
            std::memcpy(image.scanLine(y), bitmap.Row8(y), size_t(bitmap.Width()));
        }
        return image;
    }
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::memcpy(image.scanLine(y), bitmap.Row32(y), size_t(bitmap.Width()) * 4);
    }
    return image;
}

QImage ToQImage(const EngineBitmap& bitmap, const EngineMask& mask) {
    QImage image = ToQImage(bitmap).convertToFormat(QImage::Format_ARGB32);
    if (mask.Width() != bitmap.Width() || mask.Height() != bitmap.Height()) {
        return image;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (mask.Test(x, y)) {
                row[x] = 0;
            }
        }
    }
    return image;
}

namespace {

// RGB32 wants every alpha byte at 0xFF.
QImage OpaqueQImage(const EngineBitmap& bitmap) {
    if (bitmap.Format() == PixelFormat::Indexed8) {
        return ToQImage(bitmap);
    }
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uint32_t* src = bitmap.Row32(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            dst[x] = src[x] | 0xFF000000u;
        }
    }
    return image;
}

} // namespace

void DrawStretched(QPainter& painter, const EngineBitmap& bitmap, const QRect& target) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, OpaqueQImage(bitmap));
    painter.restore();
}

void DrawTransparent(QPainter& painter, const EngineBitmap& bitmap, const EngineMask& mask, const QRect& target) {
    if (painter.device() == nullptr || painter.device()->depth() <= 1) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(target, ToQImage(bitmap, mask));
    painter.restore();
}

void DrawGif(QPainter& painter, TGIFImage& gif, const QRect& target) {
    gif.SetDrawnRect({target.x(), target.y(), target.width(), target.height()});
    if (!gif.Shown() || gif.Empty() || gif.FrameCount() == 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // With frame 1 opaque, cleared parts show black, as the frame buffer holds them.
    painter.drawImage(target, gif.PaintsOpaque() ? OpaqueQImage(gif.FrameBuffer()) : ToQImage(gif.FrameBuffer()));
    painter.restore();
}

int ScreenBitsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->depth() : 24;
}

QCursor EngineCursorShape(const ScreenState& screen, int number) {
    switch (number) {
    case kLinkCursor: return QCursor(Qt::PointingHandCursor);
    case kTextCursor: return QCursor(Qt::IBeamCursor);
    default: {
        const CursorShape& shape = screen.PanCursor(number);
        return QCursor(QPixmap::fromImage(ToQImage(shape.picture)), shape.hotX, shape.hotY);
    }
    }
}

} // namespace htmlengine
