#include "documents/ui/FontChooser.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace {

FontChooserFunction chooser;

constexpr uint8_t kCentralEuropean = 238;

}  // namespace

TFontChooser::TFontChooser(const TFontObject& start, QWidget* parent)
    : QDialog(parent), start_(start), color_(start.Color) {
    setWindowTitle(QStringLiteral("Schriftart"));
    auto* layout = new QFormLayout(this);
    Face = new QFontComboBox(this);
    Face->setCurrentFont(start.Font);
    Size = new QSpinBox(this);
    Size->setRange(1, 200);
    Size->setValue(std::max(1, start.Font.pointSize()));
    Bold = new QCheckBox(QStringLiteral("Fett"), this);
    Bold->setChecked(start.Font.bold());
    Italic = new QCheckBox(QStringLiteral("Kursiv"), this);
    Italic->setChecked(start.Font.italic());
    Underline = new QCheckBox(QStringLiteral("Unterstrichen"), this);
    Underline->setChecked(start.Font.underline());
    StrikeOut = new QCheckBox(QStringLiteral("Durchgestrichen"), this);
    StrikeOut->setChecked(start.Font.strikeOut());
    ColorButton = new QPushButton(QStringLiteral("Farbe..."), this);
    Script = new QComboBox(this);
    Script->addItem(QStringLiteral("Westlich"));
    Script->addItem(QString::fromUtf8("Mitteleuropäisch"));
    Script->setCurrentIndex(start.Charset == kCentralEuropean ? 1 : 0);
    layout->addRow(QStringLiteral("Schriftart:"), Face);
    layout->addRow(QStringLiteral("Schriftgrad:"), Size);
    for (QCheckBox* box : {Bold, Italic, Underline, StrikeOut}) layout->addRow(box);
    layout->addRow(QStringLiteral("Farbe:"), ColorButton);
    layout->addRow(QStringLiteral("Schrift:"), Script);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A face that is not installed shows as its substitute; it keeps its
    // name unless the user picks a face, the substitute itself included
    // (that pick changes nothing in the box, so only "activated" tells).
    connect(Face, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) { pickedFace_ = font.family(); });
    connect(Face, &QComboBox::activated, this, [this](int index) { pickedFace_ = Face->itemText(index); });
    connect(ColorButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("Farbe"));
        if (chosen.isValid()) color_ = chosen;
        ShowColor();
    });
    ShowColor();
}

void TFontChooser::ShowColor() {
    ColorButton->setStyleSheet(QStringLiteral("color: %1").arg(color_.name()));
}

TFontObject TFontChooser::Chosen() const {
    TFontObject font;
    font.Font = start_.Font;
    if (!pickedFace_.isEmpty()) font.Font.setFamily(pickedFace_);
    font.Font.setPointSize(Size->value());
    font.Font.setBold(Bold->isChecked());
    font.Font.setItalic(Italic->isChecked());
    font.Font.setUnderline(Underline->isChecked());
    font.Font.setStrikeOut(StrikeOut->isChecked());
    font.Color = color_;
    font.Charset = Script->currentIndex() == 1 ? kCentralEuropean : 0;
    return font;
}

std::optional<TFontObject> ChooseFont(const TFontObject& start, QWidget* parent) {
    if (chooser) return chooser(start, parent);
    TFontChooser dialog(start, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

void SetFontChooser(FontChooserFunction function) { chooser = std::move(function); }
