#pragma once
// The about box: the program's picture, its version and the
// acknowledgements; a click on the picture areas or the text closes it.

#include <QDialog>

class QLabel;
class QPlainTextEdit;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Version = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QWidget* Image2 = nullptr;  // the lower 126 pixels
    QWidget* Image3 = nullptr;  // the upper 132 pixels

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
};
