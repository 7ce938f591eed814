#pragma once
// Images in section text: inline or floating left or right, sized from their
// attributes and picture; a missing picture shows as a placeholder box with
// the ALT text.

#include "htmlengine/Canvas.h"
#include "htmlengine/PageUn2.h"

#include <cstdint>
#include <string>

namespace htmlengine {

class ImagePicture;
class SectionDocument;
class TCell;
class TFormControlObj;
class TFontObj;

// Image alignments.
constexpr uint8_t ATop = 0, AMiddle = 1, ABottom = 2, ALeft = 3, ARight = 4;

// Largest pixel size a page may ask for.
constexpr int32_t MaxPixelSize = 16000;

class TFloatingObj {
public:
    virtual ~TFloatingObj() = default;
    int32_t Pos = 0;
    int32_t ImageHeight = 0;
    int32_t ImageWidth = 0;
    uint8_t ObjAlign = ABottom;
    int32_t FloatX = 0;
    int32_t HSpace = 0;
    int32_t VSpace = 0;
    bool Floats() const { return ObjAlign == ALeft || ObjAlign == ARight; }
};

class TImageObj : public TFloatingObj {
public:
    TImageObj(int32_t pos, const TAttributeList& attributes);
    ~TImageObj() override;

    bool Hover = false;
    bool Active = false;
    int32_t SpecHeight = 0;
    int32_t SpecWidth = 0;
    bool WidthIsPercent = false;
    int32_t SizedHeight = 0;
    int32_t SizedWidth = 0;
    bool SizeFixed = false;
    std::string Source;
    std::string AltText;
    bool NoBorder = false;
    ImagePicture* Picture = nullptr;  // the cache's; null: the placeholder
    SectionDocument* Document = nullptr;
    uint8_t Transparent = 0;
    bool IsMap = false;
    bool UsesMap = false;
    bool BorderMark = false;
    int32_t DrawX = 0;
    int32_t DrawY = 0;
    std::string UseMapName;
    TFormControlObj* FormControl = nullptr;
    TCell* HomeCell = nullptr;

    // Fetches the picture once and sizes the image for the available width;
    // linked: the font run at the image carries a link.
    void PrepareImage(SectionDocument& doc, int32_t availableWidth, bool linked);
    // The placeholder box (with ALT text and frame) or the link frame; the
    // picture itself is drawn by the picture layer.
    void DrawImage(Canvas& canvas, int32_t x, const TFontObj* run, int32_t baseline, int32_t top);

    // Hover of the mouse; an ACTIVE picture changes with it.
    void SetHover(bool on);

    static FontSpec AltFont();

private:
    bool fetched_ = false;
    bool taken_ = false;  // a picture was handed out and must be released
    bool waiting_ = false;  // the host delivers the picture later
};

class TImageObjList : public TFreeList<TImageObj> {
public:
    // The number of the first image at p or later (Count() when none).
    int32_t FirstAtOrAfter(int32_t p) const;
    TImageObj* ImageAt(int32_t p) const;
    // ImageHeight and ObjAlign, or -1.
    int32_t HeightAt(int32_t p, uint8_t& align) const;
    // ImageWidth, ObjAlign and HSpace, or -1.
    int32_t WidthAt(int32_t p, uint8_t& align, int32_t& hspace) const;
    int32_t CharsToNextImage(int32_t p) const;
    // The first image whose drawn box holds the point, with the point inside it.
    TImageObj* ImageHit(int32_t x, int32_t y, int32_t& ix, int32_t& iy) const;
};

}  // namespace htmlengine
