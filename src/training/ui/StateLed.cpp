#include "training/ui/StateLed.h"

#include <QPainter>

void StateLed::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(color_);
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}
