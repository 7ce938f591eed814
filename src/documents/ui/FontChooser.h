#pragma once
// The font chooser of the fonts dialog: face, size, style, colour and
// character set, everything a font record holds.

#include <QDialog>
#include <functional>
#include <optional>

#include "documents/ui/AppSettingsQt.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QPushButton;
class QSpinBox;

class TFontChooser : public QDialog {
    Q_OBJECT
public:
    explicit TFontChooser(const TFontObject& start, QWidget* parent = nullptr);
    TFontObject Chosen() const;

    QFontComboBox* Face;
    QSpinBox* Size;
    QCheckBox *Bold, *Italic, *Underline, *StrikeOut;
    QPushButton* ColorButton;
    QComboBox* Script;  // Westlich (0), Mitteleuropäisch (238)

private:
    void ShowColor();
    TFontObject start_;
    QString pickedFace_;  // empty: the start font's face
    QColor color_;
};

// The chosen font, nothing when the chooser was cancelled.
using FontChooserFunction = std::function<std::optional<TFontObject>(const TFontObject& start, QWidget* parent)>;
std::optional<TFontObject> ChooseFont(const TFontObject& start, QWidget* parent);
// Tests answer in place of the dialog; nothing: the dialog again.
void SetFontChooser(FontChooserFunction chooser);
