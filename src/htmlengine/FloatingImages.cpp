#include "htmlengine/FloatingImages.h"

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/MulDiv.h"
#include "htmlengine/PageFonts.h"
#include "htmlengine/SectionDocument.h"

#include <algorithm>

namespace htmlengine {

TImageObj::TImageObj(int32_t pos, const TAttributeList& attributes) {
    Pos = pos;
    ObjAlign = ABottom;
    bool hspaceGiven = false;
    for (const auto& a : attributes) {
        const int64_t v = a->IntValue;
        switch (a->Symbol) {
        case SrcSy: Source = a->StrValue; break;
        case AltSy: AltText = a->StrValue; break;
        case AlignSy: {
            std::string s = UpperAscii(a->StrValue);
            if (s == "TOP") ObjAlign = ATop;
            else if (s == "MIDDLE" || s == "ABSMIDDLE") ObjAlign = AMiddle;
            else if (s == "LEFT") ObjAlign = ALeft;
            else if (s == "RIGHT") ObjAlign = ARight;
            break;
        }
        case BorderSy: NoBorder = v == 0; break;
        case WidthSy:
            if (a->StrValue.find('%') != std::string::npos) {
                if (v >= 1 && v <= 100) {
                    SpecWidth = static_cast<int32_t>(v);
                    WidthIsPercent = true;
                }
            } else {
                SpecWidth = ClampSize(v, 0, MaxPixelSize);
            }
            break;
        case HeightSy: SpecHeight = ClampSize(v, 1, MaxPixelSize); break;
        case HSpaceSy:
            HSpace = ClampSize(v < 0 ? -v : v, 0, 40);
            hspaceGiven = true;
            break;
        case VSpaceSy: VSpace = ClampSize(v < 0 ? -v : v, 0, 40); break;
        case TranspSy: Transparent = 1; break;
        case IsMapSy: IsMap = true; break;
        case UseMapSy: {
            UsesMap = true;
            std::string s = UpperAscii(TrimText(a->StrValue));
            if (!s.empty() && s[0] == '#') s.erase(0, 1);
            UseMapName = s;
            break;
        }
        case ActiveSy: Active = true; break;
        default: break;
        }
    }
    if (!hspaceGiven) HSpace = Floats() ? 5 : 0;
}

TImageObj::~TImageObj() {
    if (taken_ && Document) Document->ReleaseImage(Source);
}

FontSpec TImageObj::AltFont() { return FontSpec{"Arial", 8, 0, 1, clBlack}; }

void TImageObj::PrepareImage(SectionDocument& doc, int32_t availableWidth, bool linked) {
    Document = &doc;
    if (doc.ShowImages && !fetched_ && !Source.empty()) {
        fetched_ = true;
        Source = doc.ExpandImageName(Source);
        uint8_t transparent = Transparent;
        Picture = doc.FetchImage(Source, transparent);
        waiting_ = !Picture && doc.ImageWaiting(Source);
        taken_ = Picture != nullptr;
        Transparent = Picture ? transparent : 1;
        // An ACTIVE picture stands still until the mouse is over it.
        if (Active && Picture) doc.SetPictureHover(Picture, false);
    }
    const bool placeholder = !doc.ShowImages || Picture == nullptr;
    if (!SizeFixed) {
        const int64_t nw = placeholder ? doc.PlaceholderWidth : Picture->Width();
        const int64_t nh = placeholder ? doc.PlaceholderHeight : Picture->Height();
        int64_t w = nw;
        int64_t h = nh;
        if (placeholder) {
            if (SpecWidth > 0 && SpecHeight > 0 && !WidthIsPercent) {
                w = SpecWidth;
                h = SpecHeight;
                SizeFixed = true;
            }
        } else if (WidthIsPercent) {
            w = int64_t(std::max(0, availableWidth)) * SpecWidth / 100;
            h = SpecHeight > 0 ? SpecHeight : nh;
        } else {
            if (SpecWidth > 0 && SpecHeight > 0) {
                w = SpecWidth;
                h = SpecHeight;
            } else if (SpecHeight > 0) {
                h = SpecHeight;
                w = nh > 0 ? SpecHeight * nw / nh : 0;
            } else if (SpecWidth > 0) {
                w = SpecWidth;
                h = nw > 0 ? SpecWidth * nh / nw : 0;
            }
            SizeFixed = true;
        }
        if (placeholder && !SizeFixed) {
            TextMeasurer& m = *doc.Measurer;
            FontSpec alt = AltFont();
            w = std::max<int64_t>(w, m.TextWidth(alt, AltText) + 2 + 24);
            h = std::max<int64_t>({h, 24, m.TextHeight(alt)});
        }
        SizedWidth = ClampSize(w, 0, MaxPixelSize);
        SizedHeight = ClampSize(h, 0, MaxPixelSize);
    }
    ImageWidth = SizedWidth;
    ImageHeight = SizedHeight;
    BorderMark = linked && !NoBorder;
    if (BorderMark) {
        ImageWidth += 2;
        ImageHeight += 2;
    }
}

void TImageObj::DrawImage(Canvas& canvas, int32_t x, const TFontObj* run, int32_t baseline, int32_t top) {
    const int32_t yOffset = Document ? Document->YOffset : 0;
    baseline -= yOffset;
    top -= yOffset;
    DrawX = x;
    switch (ObjAlign) {
    case ATop: DrawY = top; break;
    case AMiddle:
        DrawY = baseline + (run ? run->FontDescent() - run->FontHeight() / 2 : 0) - ImageHeight / 2;
        break;
    case ABottom: DrawY = baseline - ImageHeight; break;
    default: DrawY = top + VSpace; break;
    }
    if (BorderMark) {
        ++DrawX;
        ++DrawY;
    }
    const bool placeholder = !Document || !Document->ShowImages || Picture == nullptr;
    const int32_t boxX = DrawX;
    const int32_t boxY = DrawY;
    DrawY += yOffset;
    if (!placeholder) {
        Picture->Draw(canvas, {boxX, boxY, boxX + SizedWidth, boxY + SizedHeight}, Transparent != 0);
    } else if (ImageWidth >= 24 && ImageHeight >= 24) {
        // The error picture stands for a missing picture, the waiting one for a
        // picture still to come and for pictures off.
        const bool error = Document && Document->ShowImages && !waiting_;
        if (const ImagePicture* p = Document ? Document->PlaceholderPicture(error) : nullptr) {
            p->Draw(canvas, {boxX + 4, boxY + 4, boxX + 4 + p->Width(), boxY + 4 + p->Height()}, error);
        }
    }
    // The ALT text is in the text colour at the image (the link colour on a link).
    FontSpec alt = AltFont();
    if (run) alt.Color = run->TheFont().Color;
    else if (Document) alt.Color = Document->FontColor;
    if (placeholder && !BorderMark) {
        DrawWrappedText(canvas, boxX + 24, boxY, boxX + ImageWidth - 2, boxY + ImageHeight, AltText, alt);
        DrawBorder3D(Document ? Document->Background : clWindow, canvas, boxX, boxY, boxX + ImageWidth - 1,
                     boxY + ImageHeight - 1, false);
    }
    if (BorderMark && run) {
        if (placeholder) {
            DrawWrappedText(canvas, boxX + 24, boxY, boxX + ImageWidth - 2, boxY + ImageHeight, AltText, alt);
        }
        canvas.FrameRect({boxX - 1, boxY - 1, boxX - 1 + ImageWidth, boxY - 1 + ImageHeight}, run->TheFont().Color);
    }
}

void TImageObj::SetHover(bool on) {
    if (on == Hover) return;
    Hover = on;
    if (Active && Picture && Document) Document->SetPictureHover(Picture, on);
}

int32_t TImageObjList::FirstAtOrAfter(int32_t p) const {
    // Images are added as the text grows, so they are ordered by position.
    const auto it = std::lower_bound(begin(), end(), p, [](const auto& i, int32_t q) { return i->Pos < q; });
    return static_cast<int32_t>(it - begin());
}

TImageObj* TImageObjList::ImageAt(int32_t p) const {
    const int32_t k = FirstAtOrAfter(p);
    return k < Count() && (*this)[k]->Pos == p ? (*this)[k] : nullptr;
}

int32_t TImageObjList::HeightAt(int32_t p, uint8_t& align) const {
    TImageObj* i = ImageAt(p);
    if (!i) return -1;
    align = i->ObjAlign;
    return i->ImageHeight;
}

int32_t TImageObjList::WidthAt(int32_t p, uint8_t& align, int32_t& hspace) const {
    TImageObj* i = ImageAt(p);
    if (!i) return -1;
    align = i->ObjAlign;
    hspace = i->HSpace;
    return i->ImageWidth;
}

int32_t TImageObjList::CharsToNextImage(int32_t p) const {
    const int32_t k = FirstAtOrAfter(p);
    return k < Count() ? (*this)[k]->Pos - p : 9999;
}

TImageObj* TImageObjList::ImageHit(int32_t x, int32_t y, int32_t& ix, int32_t& iy) const {
    for (const auto& i : *this) {
        int32_t shrink = i->BorderMark ? 2 : 0;
        if (x >= i->DrawX && x < i->DrawX + i->ImageWidth - shrink && y >= i->DrawY &&
            y < i->DrawY + i->ImageHeight - shrink) {
            ix = x - i->DrawX;
            iy = y - i->DrawY;
            return i.get();
        }
    }
    return nullptr;
}

}  // namespace htmlengine
