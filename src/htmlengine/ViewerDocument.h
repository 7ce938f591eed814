#pragma once
// The document as the viewer control keeps it: pictures come from the shared
// image cache (names resolved as the viewer resolves links), each image gets
// a picture that draws through the canvas, and animated GIFs are stepped by
// the viewer's 50 ms timer.

#include "htmlengine/PageCells.h"
#include "htmlengine/PageImages.h"

#include <functional>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

namespace htmlengine {

// The host's answer to a picture request: its bytes, &WaitingStream() when
// it comes later, or null when there is none. The bytes need only outlive
// the call.
using TGetImageEvent = std::function<const std::vector<uint8_t>*(const std::string& source)>;

// A picture of the page: a cached bitmap, or an animated GIF of this image's own.
class TViewerPicture : public ImagePicture {
public:
    TViewerPicture(std::string source, TStringBitmapList::Entry entry, std::unique_ptr<TGIFImage> gif);
    int32_t Width() const override;
    int32_t Height() const override;
    void Draw(Canvas& canvas, const TRect& dest, bool masked) const override;

    const std::string& Source() const { return source_; }
    TGIFImage* Gif() const { return gif_.get(); }
    // 32-bit pixels, alpha 0 where the picture is transparent.
    const EngineBitmap& Pixels() const { return pixels_; }
    bool HasMask() const { return hasMask_; }
    bool Released = false;
    // Gives the cache entry back; the pixels stay until the document is cleared.
    void Release();

private:
    std::string source_;
    TStringBitmapList::Entry entry_;
    std::unique_ptr<TGIFImage> gif_;
    EngineBitmap pixels_;
    bool hasMask_ = false;
};

class TViewerDocument : public TSectionList {
public:
    TViewerDocument(const ScreenState& screen, TStringBitmapList& cache);
    ~TViewerDocument() override;

    // The viewer's link resolution for picture names.
    std::function<std::string(const std::string&)> ResolveName;
    // When set, pictures not in the cache come from the host instead of files,
    // under their names as the page gives them.
    TGetImageEvent OnImageRequest;
    // Cache keys of the pictures the host will deliver later.
    std::vector<std::string> WaitingImages;

    // Also frees the pictures of the page.
    void ClearDocument();

    ImagePicture* FetchImage(const std::string& source, uint8_t& transparent) override;
    void ReleaseImage(const std::string& source) override;
    bool ImageWaiting(const std::string& source) const override;
    std::string ExpandImageName(const std::string& source) override;
    const ImagePicture* PlaceholderPicture(bool error) const override;
    // A GIF of two frames shows its second while hovered; others animate then.
    void SetPictureHover(ImagePicture* picture, bool on) override;
    // Milliseconds for animations that start on hover.
    std::function<uint32_t()> Clock;

    const std::vector<TGIFImage*>& AnimatedGifs() const { return animated_; }
    // After each layout every animated GIF starts again at frame 1.
    void RestartAnimations(uint32_t nowMs);
    // Before each paint: what the paint draws is marked shown again.
    void MarkAnimationsNotDrawn();
    // One timer tick: the rectangles (panel coordinates) to repaint.
    std::vector<TRect> AnimationTick(uint32_t nowMs);

    // The background picture's pixels, if it has any.
    const TViewerPicture* BackgroundPicture() const { return dynamic_cast<const TViewerPicture*>(BgPicture); }

private:
    const ScreenState& screen_;
    TStringBitmapList& cache_;
    std::vector<std::unique_ptr<TViewerPicture>> pictures_;
    std::unique_ptr<TViewerPicture> errorPicture_, waitingPicture_;
    std::vector<TGIFImage*> animated_;
};

}  // namespace htmlengine

namespace htmlengine {

// A file the viewer cannot find or read; its text is shown to the user.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one-tag page that shows a picture file.
std::string PicturePageText(const std::string& fileName);

}  // namespace htmlengine
