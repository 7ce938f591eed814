#pragma once
// A round state light.

#include <QColor>
#include <QWidget>

class StateLed : public QWidget {
public:
    explicit StateLed(QWidget* parent = nullptr) : QWidget(parent) {}
    void SetColor(const QColor& color) {
        color_ = color;
        update();
    }
    QColor Color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = Qt::yellow;
};
