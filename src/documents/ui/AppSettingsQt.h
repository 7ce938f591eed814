#pragma once
// Font records against Qt fonts, and the start-up of the settings with the
// screen size. A Qt font has no colour and no character set, so a screen
// font is the three together.

#include <QColor>
#include <QFont>
#include <cstdint>

#include "documents/AppSettings.h"

struct TFontObject {
    QFont Font;
    QColor Color = Qt::black;
    uint8_t Charset = 0;
};

// The font at the size it is shown at in its place of a block (see
// ShownFontSize).
void FontRecToFont(const SchriftartTyp& rec, TFontObject& font, FontPlace place);
void FontToFontRec(SchriftartTyp& rec, const TFontObject& font);

// 0x00BBGGRR colour values of the records.
QColor ColorFromRec(uint32_t color);
uint32_t ColorToRec(const QColor& color);

// InitDefaultSettings with the primary screen's size; call it after the
// application object exists and before the first window.
LoadSettingsResult InitDefaultSettings();
