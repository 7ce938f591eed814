#pragma once
// What sections, font runs and images need of the document that holds them:
// the defaults and colours, the measurer, the parse context while a parse
// runs, the link list, the picture fetch and the host of form controls. The
// document root derives from it.

#include "htmlengine/Canvas.h"
#include "htmlengine/EngineColor.h"
#include "htmlengine/PageFonts.h"
#include "htmlengine/PageForms.h"
#include "htmlengine/ParseContext.h"
#include "htmlengine/TextMeasurer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace htmlengine {

class TFontObj;
class TImageObj;
class TMapItem;

// A decoded picture as the image objects see it; owned by the image cache.
class ImagePicture {
public:
    virtual ~ImagePicture() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // Draws the picture into dest; masked keeps the page where it is transparent.
    virtual void Draw(Canvas& canvas, const TRect& dest, bool masked) const {
        (void)canvas;
        (void)dest;
        (void)masked;
    }
};

class SectionDocument {
public:
    virtual ~SectionDocument() = default;

    // The picture of a source name, or null when there is none (the image then
    // shows its placeholder). A picture handed out is released once through
    // ReleaseImage.
    virtual ImagePicture* FetchImage(const std::string& source, uint8_t& transparent) {
        (void)source;
        (void)transparent;
        return nullptr;
    }
    virtual void ReleaseImage(const std::string& source) { (void)source; }
    // A picture FetchImage did not give because the host delivers it later.
    virtual bool ImageWaiting(const std::string& source) const {
        (void)source;
        return false;
    }
    // The small picture in the box of a missing picture (error), or of a
    // picture still to come or of any picture while pictures are off; null: none.
    virtual const ImagePicture* PlaceholderPicture(bool error) const {
        (void)error;
        return nullptr;
    }
    // An ACTIVE image's picture under the mouse (on) or no longer (off);
    // only GIFs respond.
    virtual void SetPictureHover(ImagePicture* picture, bool on) {
        (void)picture;
        (void)on;
    }
    // The name a picture is fetched under (link resolution of the viewer).
    virtual std::string ExpandImageName(const std::string& source) { return source; }
    // The image map of an upper-cased name, or null.
    virtual const TMapItem* FindMap(const std::string& name) const {
        (void)name;
        return nullptr;
    }

    // Controls the last paint left out are hidden, or parked off-screen while
    // one of the page's controls has the focus.
    virtual void ParkHiddenControls() {}

    TextMeasurer* Measurer = nullptr;
    ParseContext* Parse = nullptr;  // set while a parse fills the document
    FormControlHost* Controls = nullptr;

    int32_t FontSize = 12;
    std::string FontName = "Times New Roman";
    std::string PreFontName = "Courier New";
    uint8_t FontCharset = 1;
    TColor FontColor = clBtnText;
    TColor HotSpotColor = 0xFF0000;
    TColor VisitedColor = 0x800080;
    TColor OverLinkColor = 0xFF0000;
    TColor Background = clWindow;
    bool ShowImages = true;
    int32_t YOffset = 0;
    int32_t SelStart = 0;  // document character indexes of the selection
    int32_t SelEnd = 0;
    bool ShowDummyCaret = false;
    TFontObj* ActiveLink = nullptr;   // the run under the mouse
    TImageObj* ActiveImage = nullptr; // the image under the mouse
    // Natural size of the placeholder shown for a missing picture.
    int32_t PlaceholderWidth = 16;
    int32_t PlaceholderHeight = 16;

    TRunTable Runs;                   // fonts and links the runs share
    std::vector<TFontObj*> LinkList;  // observes runs that carry a link
    std::string CopyBuffer;           // text of the copy-selected-text pass

    std::vector<std::unique_ptr<ThtmlForm>> Forms;  // in page order
    // Hooks of the form controls towards the viewer, each optional. A
    // submission should reach its receiver only after the click that caused
    // it has been handled.
    std::function<void(FormSubmission)> OnFormSubmit;
    std::function<void(TFormControlObj& control, const std::string& onClick)> OnObjectClick;
    std::function<void(TFormControlObj& control)> OnControlEntered;
};

}  // namespace htmlengine
