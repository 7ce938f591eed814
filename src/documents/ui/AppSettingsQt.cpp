#include "documents/ui/AppSettingsQt.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <algorithm>

#include "documents/FontChoice.h"
#include "documents/ui/CodePageText.h"
#include "platform/CodePage.h"

namespace {

// Sizes out of a damaged file must not reach the font engine.
constexpr int kLargestPointSize = 1000;

// Face names are Windows-1252 in the record.
QString FaceName(const std::string& bytes) { return TextFromBytes(platform::CodePage::Cp1252, bytes); }

std::string FaceNameBytes(const QString& name) { return BytesFromText(platform::CodePage::Cp1252, name); }

}  // namespace

QColor ColorFromRec(uint32_t color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

uint32_t ColorToRec(const QColor& color) {
    return uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16);
}

void FontRecToFont(const SchriftartTyp& rec, TFontObject& font, FontPlace place) {
    font.Font.setFamily(FaceName(rec.Name.Get()));
    font.Color = ColorFromRec(rec.Color);
    font.Font.setPointSize(std::clamp<int32_t>(ShownFontSize(rec, place, Optionen), 1, kLargestPointSize));
    font.Charset = rec.Charset;
    font.Font.setBold((rec.Style & fsBold) != 0);
    font.Font.setItalic((rec.Style & fsItalic) != 0);
    font.Font.setUnderline((rec.Style & fsUnderline) != 0);
    font.Font.setStrikeOut((rec.Style & fsStrikeOut) != 0);
}

void FontToFontRec(SchriftartTyp& rec, const TFontObject& font) {
    rec.Name.Set(FaceNameBytes(font.Font.family()));
    rec.Color = ColorToRec(font.Color);
    int size = font.Font.pointSize();
    if (size <= 0) {
        // A font sized in pixels: points at 96 dpi.
        size = std::max(1, font.Font.pixelSize() * 72 / 96);
    }
    rec.Size = size;
    rec.Charset = font.Charset;
    rec.Style = 0;
    if (font.Font.bold()) rec.Style |= fsBold;
    if (font.Font.italic()) rec.Style |= fsItalic;
    if (font.Font.underline()) rec.Style |= fsUnderline;
    if (font.Font.strikeOut()) rec.Style |= fsStrikeOut;
}

LoadSettingsResult InitDefaultSettings() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->size() : QSize(800, 600);
    return InitDefaultSettings(size.width(), size.height());
}
