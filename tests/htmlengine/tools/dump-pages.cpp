// dump-pages PAGE...: what the engine makes of each page, as text to compare
// between two builds. Per page and width: the height and widest line of the
// layout, every call of a paint through the recording canvas (fixed metrics),
// and a checksum of the pixels painted through the Qt canvas (real fonts).
#include "htmlengine/PageCells.h"
#include "htmlengine/PagePars.h"
#include "htmlengine/RecordingCanvas.h"
#include "htmlengine/ui/QtCanvas.h"
#include "htmlengine/ui/QtMeasurer.h"

#include <QCryptographicHash>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

using namespace htmlengine;

namespace {

std::unique_ptr<TSectionList> Parsed(const std::string& page, TextMeasurer& measurer) {
    auto doc = std::make_unique<TSectionList>();
    doc->Measurer = &measurer;
    doc->OnLayoutError = [](const std::string& message) { std::printf("error %s\n", message.c_str()); };
    TAnchorList anchors;
    try {
        ParseFromFile(*doc, anchors, page);
    } catch (const std::exception& e) {
        std::printf("parse %s\n", e.what());
    }
    return doc;
}

void Recorded(const std::string& page, int32_t width) {
    RecordingCanvas canvas;
    std::unique_ptr<TSectionList> doc = Parsed(page, canvas.measurer);
    int32_t widest = 0;
    const int32_t height = doc->LayoutDocument(width, &widest);
    std::printf("fixed %d: height %d widest %d\n", width, height, widest);
    canvas.clip = {0, 0, width, height};
    doc->PaintAt(canvas, {0, 0, width, height}, 0, 0, width);
    for (const std::string& line : canvas.log) std::printf("%s\n", line.c_str());
}

void Painted(const std::string& page, int32_t width) {
    QtMeasurer measurer;
    SystemColors system;
    std::unique_ptr<TSectionList> doc = Parsed(page, measurer);
    int32_t widest = 0;
    const int32_t height = std::max(1, doc->LayoutDocument(width, &widest));
    // Long pages are painted in bands of the same picture.
    constexpr int32_t band = 4000;
    QImage image(width, std::min(height, band), QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (int32_t top = 0; top < height; top += band) {
        image.fill(QColor::fromRgb(ResolveRgb(doc->Background, system)));
        doc->SetYOffset(top);
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, measurer, system, {0, 0, width, image.height()});
            doc->PaintAt(canvas, {0, 0, width, image.height()}, 0, 0, width);
        }
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    std::printf("qt %d: height %d widest %d pixels %s\n", width, height, widest, hash.result().toHex().constData());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        std::printf("== %s\n", argv[i]);
        for (int32_t width : {800, 300}) {
            Recorded(argv[i], width);
            Painted(argv[i], width);
        }
    }
    return 0;
}
