// render-page PAGE.html WIDTH OUT.png: parses a page, lays it out at the
// width and paints all of it through the Qt canvas into a PNG as tall as the
// document. OUT "-" paints without writing. Layout errors go to stderr.
#include "htmlengine/PageCells.h"
#include "htmlengine/PagePars.h"
#include "htmlengine/ui/QtCanvas.h"
#include "htmlengine/ui/QtMeasurer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

using namespace htmlengine;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render-page PAGE.html WIDTH OUT.png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string page = argv[1], out = argv[3];
    const int32_t width = std::clamp(std::atoi(argv[2]), 1, MaxDocumentWidth);

    QtMeasurer measurer;
    SystemColors system;
    TSectionList doc;
    doc.Measurer = &measurer;
    doc.OnLayoutError = [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); };
    TAnchorList anchors;
    try {
        ParseFromFile(doc, anchors, page);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", page.c_str(), e.what());
        return 1;
    }
    const int32_t height = std::max(1, doc.LayoutDocument(width));
    // Without an output file a small picture is enough to run every paint path.
    const int32_t rows = std::min(height, out == "-" ? 2000 : 32000);
    QImage image(width, rows, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(ResolveRgb(doc.Background, system)));
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, measurer, system, {0, 0, width, rows});
        doc.PaintAt(canvas, {0, 0, width, height}, 0, 0, width);
    }
    if (out != "-" && !image.save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
