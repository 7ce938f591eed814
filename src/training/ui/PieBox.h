#pragma once
// The statistics page's right/wrong pie, drawn from the figures the result
// gives for the box's size.

#include <QWidget>
#include <functional>

#include "training/QuizResult.h"

class QPainter;

class PieBox : public QWidget {
    Q_OBJECT
public:
    using Source = std::function<ResultPie(int width, int height)>;
    explicit PieBox(Source source, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Source source_;
};

// Red disc, its line, and the green share counter-clockwise from 12 o'clock.
void DrawResultPie(QPainter& painter, const ResultPie& pie, int width, int height);
