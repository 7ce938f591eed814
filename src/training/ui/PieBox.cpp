#include "training/ui/PieBox.h"

#include <QPainter>
#include <cmath>
#include <numbers>

PieBox::PieBox(Source source, QWidget* parent) : QWidget(parent), source_(std::move(source)) {
    setFixedSize(100, 100);
}

void PieBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawResultPie(painter, source_(width(), height()), width(), height());
}

void DrawResultPie(QPainter& painter, const ResultPie& pie, int width, int height) {
    if (!pie.drawn) return;
    // The box (1, 1)-(width, height) leaves out its right and bottom edge.
    const QRect box(1, 1, width - 1, height - 1);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(box);
    painter.drawLine(50, 1, 50, 50);
    if (!pie.greenPart) return;
    // The end radial runs through the rounded end point, as the figures give it.
    const double r = width / 2;
    const double end = std::atan2(r - pie.endY, pie.endX - r) * 180 / std::numbers::pi;
    double span = std::fmod(end - 90 + 720, 360);
    if (span < 1.0 / 16) span = 360;  // equal radials: the whole disc
    painter.setBrush(QColor(128, 255, 0));
    painter.drawPie(box, 90 * 16, int(std::lround(span * 16)));
}
