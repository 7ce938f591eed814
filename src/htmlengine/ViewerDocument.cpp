#include "htmlengine/ViewerDocument.h"

#include "htmlengine/PageUn2.h"

#include <algorithm>

namespace htmlengine {

namespace {

EngineBitmap PixelsOf(const EngineBitmap& bitmap, const EngineMask& mask, bool& hasMask) {
    EngineBitmap out = bitmap.ToArgb32();
    hasMask = mask.Width() == out.Width() && mask.Height() == out.Height() && !mask.IsEmpty();
    for (int y = 0; y < out.Height(); ++y) {
        uint32_t* row = out.Row32(y);
        for (int x = 0; x < out.Width(); ++x)
            row[x] = hasMask && mask.Test(x, y) ? 0u : row[x] | 0xFF000000u;
    }
    return out;
}

bool HasGifExtension(const std::string& name) {
    const size_t slash = name.find_last_of('/');
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    return UpperAscii(name.substr(dot, 10)) == ".GIF";
}

}  // namespace

TViewerPicture::TViewerPicture(std::string source, TStringBitmapList::Entry entry, std::unique_ptr<TGIFImage> gif)
    : source_(std::move(source)), entry_(std::move(entry)), gif_(std::move(gif)) {
    if (!gif_ && entry_ && entry_->Bitmap) pixels_ = PixelsOf(*entry_->Bitmap, entry_->TransparencyMask, hasMask_);
}

int32_t TViewerPicture::Width() const { return gif_ ? gif_->Width() : pixels_.Width(); }
int32_t TViewerPicture::Height() const { return gif_ ? gif_->Height() : pixels_.Height(); }

void TViewerPicture::Release() {
    Released = true;
    TStringBitmapList::ImageCacheRelease(entry_);
}

void TViewerPicture::Draw(Canvas& canvas, const TRect& dest, bool masked) const {
    if (gif_) {
        gif_->SetShown(true);
        gif_->SetDrawnRect({dest.Left, dest.Top, dest.Width(), dest.Height()});
        const EngineBitmap& frame = gif_->FrameBuffer();
        if (frame.IsEmpty() || frame.Format() != PixelFormat::Argb32) return;
        canvas.DrawPicture(dest, {frame.Width(), frame.Height(), frame.Row32(0)},
                           gif_->PaintsOpaque() ? PictureMode::Stretched : PictureMode::Masked);
        return;
    }
    if (pixels_.IsEmpty()) return;
    canvas.DrawPicture(dest, {pixels_.Width(), pixels_.Height(), pixels_.Row32(0)},
                       masked && hasMask_ ? PictureMode::Masked : PictureMode::Stretched);
}

TViewerDocument::TViewerDocument(const ScreenState& screen, TStringBitmapList& cache)
    : screen_(screen), cache_(cache) {
    ViewerOwned = true;
    auto picture = [](const EngineBitmap& bitmap, const EngineMask& mask) {
        auto item = std::make_shared<TBitmapItem>();
        item->Bitmap = std::make_shared<EngineBitmap>(bitmap);
        item->TransparencyMask = mask;
        return std::make_unique<TViewerPicture>(std::string(), std::move(item), nullptr);
    };
    errorPicture_ = picture(screen.ErrorPicture(), screen.ErrorMask());
    waitingPicture_ = picture(screen.WaitingPicture(), EngineMask());
    // Pictures off, images are sized by the waiting picture.
    PlaceholderWidth = waitingPicture_->Width();
    PlaceholderHeight = waitingPicture_->Height();
}

const ImagePicture* TViewerDocument::PlaceholderPicture(bool error) const {
    return error ? errorPicture_.get() : waitingPicture_.get();
}

TViewerDocument::~TViewerDocument() { ClearDocument(); }

void TViewerDocument::ClearDocument() {
    TSectionList::ClearDocument();
    animated_.clear();
    pictures_.clear();
    WaitingImages.clear();
}

std::string TViewerDocument::ExpandImageName(const std::string& source) {
    if (OnImageRequest || !ResolveName) return TSectionList::ExpandImageName(source);
    return ResolveName(source);
}

ImagePicture* TViewerDocument::FetchImage(const std::string& source, uint8_t& transparent) {
    if (source.empty()) return nullptr;
    const std::string key = TStringBitmapList::CacheKey(source);
    TStringBitmapList::Entry entry;
    const int index = cache_.IndexOf(key);
    if (index < 0) {
        if (ImageWaiting(source)) return nullptr;
        const std::vector<uint8_t>* stream = nullptr;
        if (OnImageRequest) {
            stream = OnImageRequest(source);
            if (stream == &WaitingStream()) WaitingImages.push_back(key);
            if (!stream || stream->empty()) return nullptr;
        }
        auto item = std::make_unique<TBitmapItem>();
        const int sniffed = stream ? SniffImageKind(*stream) : kUnknownImage;
        if (stream ? sniffed == kGif87Image || sniffed == kGif89Image : HasGifExtension(source)) {
            bool nonAnimated = true;
            const auto purge = [this] { cache_.PurgeUnused(); };
            std::unique_ptr<TGIFImage> gif = stream ? LoadGifFromStream(*stream, screen_, nonAnimated, purge)
                                                    : LoadGifFromFile(source, screen_, nonAnimated, purge);
            if (gif && !nonAnimated) {
                item->Gif = std::move(gif);
            } else if (gif) {
                item->Bitmap = std::make_shared<EngineBitmap>(gif->GetStaticBitmap());
                if (gif->Transparent()) {
                    item->TransparencyMask = gif->FirstFrameMask();
                    item->TransparencyKind = kGifTransparent;
                } else if (transparent == kCornerTransparent) {
                    item->TransparencyMask = MakeTransparencyMask(*item->Bitmap, false, 0);
                    if (!item->TransparencyMask.IsEmpty()) item->TransparencyKind = kCornerTransparent;
                }
            }
        }
        if (!item->Gif && !item->Bitmap) {
            uint8_t kind = transparent;
            EngineMask mask;
            EngineBitmap bitmap = stream ? LoadPictureFromStream(*stream, kind, mask, screen_)
                                         : LoadPictureWithMask(source, kind, mask, screen_, &cache_);
            if (bitmap.IsEmpty()) return nullptr;
            item->Bitmap = std::make_shared<EngineBitmap>(std::move(bitmap));
            item->TransparencyMask = std::move(mask);
            item->TransparencyKind = item->TransparencyMask.IsEmpty() ? kNotTransparent : kind;
        }
        entry = cache_.AddObject(key, std::move(item));
    } else {
        entry = cache_.ImageCacheTake(index);
        if (entry->Bitmap && transparent == kCornerTransparent && entry->TransparencyMask.IsEmpty()) {
            entry->TransparencyMask = MakeTransparencyMask(*entry->Bitmap, false, 0);
            if (!entry->TransparencyMask.IsEmpty()) entry->TransparencyKind = kCornerTransparent;
        }
    }
    if (!entry) return nullptr;
    std::unique_ptr<TGIFImage> gif;
    if (entry->Gif) {
        gif = std::make_unique<TGIFImage>(*entry->Gif);
        transparent = gif->Transparent() ? kGifTransparent : kNotTransparent;
    } else {
        transparent = entry->TransparencyKind;
    }
    auto picture = std::make_unique<TViewerPicture>(source, entry, std::move(gif));
    if (picture->Gif()) animated_.push_back(picture->Gif());
    pictures_.push_back(std::move(picture));
    return pictures_.back().get();
}

bool TViewerDocument::ImageWaiting(const std::string& source) const {
    const std::string key = TStringBitmapList::CacheKey(source);
    return std::find(WaitingImages.begin(), WaitingImages.end(), key) != WaitingImages.end();
}

void TViewerDocument::ReleaseImage(const std::string& source) {
    for (auto& p : pictures_) {
        if (p->Released || p->Source() != source) continue;
        p->Release();
        if (TGIFImage* gif = p->Gif()) animated_.erase(std::remove(animated_.begin(), animated_.end(), gif), animated_.end());
        return;
    }
}

void TViewerDocument::SetPictureHover(ImagePicture* picture, bool on) {
    auto* viewerPicture = dynamic_cast<TViewerPicture*>(picture);
    TGIFImage* gif = viewerPicture ? viewerPicture->Gif() : nullptr;
    if (!gif) return;
    animated_.erase(std::remove(animated_.begin(), animated_.end(), gif), animated_.end());
    const uint32_t now = Clock ? Clock() : 0;
    if (!on) {
        gif->SetAnimate(false, now);
        gif->SetCurrentFrame(1);
    } else if (gif->FrameCount() == 2) {
        gif->SetCurrentFrame(2);
    } else {
        gif->SetAnimate(true, now);
        animated_.push_back(gif);
    }
}

void TViewerDocument::RestartAnimations(uint32_t nowMs) {
    for (TGIFImage* gif : animated_) {
        gif->SetCurrentFrame(1);
        gif->SetAnimate(false, nowMs);
        gif->SetAnimate(true, nowMs);
    }
}

void TViewerDocument::MarkAnimationsNotDrawn() {
    for (TGIFImage* gif : animated_) gif->SetShown(false);
}

std::vector<TRect> TViewerDocument::AnimationTick(uint32_t nowMs) {
    std::vector<TRect> dirty;
    for (TGIFImage* gif : animated_) {
        if (!gif->Shown() || !gif->AnimateStep(nowMs)) continue;
        const auto& r = gif->DrawnRect();
        dirty.push_back({r.x, r.y, r.x + r.width, r.y + r.height});
    }
    return dirty;
}

}  // namespace htmlengine

namespace htmlengine {

std::string PicturePageText(const std::string& fileName) {
    // Whole name, quotes and ampersands escaped: any path makes a valid tag.
    std::string escaped;
    for (char c : fileName) {
        if (c == '"') escaped += "&quot;";
        else if (c == '&') escaped += "&amp;";
        else escaped += c;
    }
    return "<img src=\"" + escaped + "\">";
}

}  // namespace htmlengine
