// The pane's mouse: cursors over links and text, clicks, selection by
// dragging and double click, panning with the middle button and auto-scroll.
#include "htmlengine/ui/HtmlPane.h"

#include "htmlengine/ui/ImageQt.h"

#include <algorithm>
#include <cstdlib>

namespace htmlengine {

// ---- mouse and selection

void THtmlPane::SetPanelCursor(int engineCursor) {
    cursor_ = engineCursor;
    if (engineCursor == 0) panel_->setCursor(Qt::ArrowCursor);
    else panel_->setCursor(EngineCursorShape(screen_, engineCursor));
}

bool THtmlPane::LinkAtPoint(int x, int y, TFormControlObj*& control, TUrlTarget& target) {
    control = nullptr;
    target.Clear();
    return doc_.UrlAtPoint(measurer_, x, y + doc_.YOffset - curMarginHeight_, control, target);
}

int32_t THtmlPane::IndexAtPoint(int x, int y, bool& inText) {
    int32_t lineHeight = 0, lineY = 0, caretX = 0;
    TCell* cell = nullptr;
    inText = false;
    return doc_.CursorFromPoint(measurer_, x, y + doc_.YOffset - curMarginHeight_, inText, lineHeight, lineY,
                                caretX, cell);
}

bool THtmlPane::ImageAtPoint(int x, int y, TImageObj*& image, int32_t& ix, int32_t& iy) {
    image = nullptr;
    return doc_.ImageAtPoint(x, y + doc_.YOffset - curMarginHeight_, ix, iy, image) && image;
}

void THtmlPane::HtmlMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    setFocus();
    linkJustClicked_ = false;
    if (panMode_) {
        panMode_ = false;
        loopRunning_ = false;
        SetPanelCursor(kTextCursor);
        return;
    }
    if (button == Qt::MiddleButton) {
        panMode_ = true;
        panStartY_ = y;
        SetPanelCursor(kPanCursor);
    } else if (button == Qt::LeftButton) {
        selecting_ = true;
        selectionInProgress_ = true;
        bool inText = false;
        selAnchor_ = IndexAtPoint(x, y, inText);
        if (selAnchor_ < 0) return;
        if (doc_.SelStart < doc_.SelEnd) panel_->update();
        doc_.SelStart = doc_.SelEnd = selAnchor_;
        caret_ = selAnchor_;
    }
}

void THtmlPane::HtmlMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y) {
    if (panMode_) {
        if (!loopRunning_ && std::abs(y - panStartY_) > 20) StartAutoScroll();
        return;
    }
    int cursor = 0;
    TFormControlObj* control = nullptr;
    TUrlTarget target;
    std::string url, linkTarget;
    if (LinkAtPoint(x, y, control, target) && !control) {
        cursor = kLinkCursor;
        url = target.Url;
        linkTarget = target.Target;
    }
    bool inText = false;
    TImageObj* image = nullptr;
    int32_t ix = 0, iy = 0;
    if ((OnImageClick || OnImageOver) && ImageAtPoint(x, y, image, ix, iy)) {
        if (OnImageOver) OnImageOver(image, shift, x, y);
    } else if (IndexAtPoint(x, y, inText) >= 0 && inText && cursor != kLinkCursor) {
        cursor = kTextCursor;
    }
    if (cursor != cursor_) SetPanelCursor(cursor);
    if (cursor == kLinkCursor || doc_.ActiveImage) hotSpotTimer_.start();
    else hotSpotTimer_.stop();
    if (url != linkUrl_ || linkTarget != linkTarget_) {
        linkUrl_ = url;
        linkTarget_ = linkTarget;
        if (OnHotSpotCovered) OnHotSpotCovered(url);
    }
    const bool left = buttons & Qt::LeftButton;
    if (left && !noSelect_ && !loopRunning_ && (y <= 0 || y >= height())) StartAutoScroll();
    if (left && !noSelect_) ExtendSelection(x, y);
}

void THtmlPane::HtmlMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    if (panMode_) {
        if (!(button == Qt::MiddleButton && y == panStartY_)) {
            panMode_ = false;
            loopRunning_ = false;
            SetPanelCursor(kTextCursor);
        }
        return;
    }
    TImageObj* image = nullptr;
    int32_t ix = 0, iy = 0;
    const bool onImage = (OnImageClick || OnRightClick) && ImageAtPoint(x, y, image, ix, iy);
    if (onImage && OnImageClick) OnImageClick(image, button, shift, x, y);
    if (button == Qt::RightButton && OnRightClick) {
        TRightClickParameters p;
        if (onImage) {
            p.Image = image;
            p.ImageX = ix;
            p.ImageY = iy;
        }
        TFormControlObj* control = nullptr;
        TUrlTarget target;
        if (LinkAtPoint(x, y, control, target) && !control) {
            p.Url = target.Url;
            p.Target = target.Target;
        }
        int32_t first = 0, last = 0;
        WordAtPoint(x, y, p.Word, first, last);
        OnRightClick(p);
    }
    if (button != Qt::LeftButton) return;
    loopRunning_ = false;
    ExtendSelection(x, y);
    selectionInProgress_ = false;
    TFormControlObj* control = nullptr;
    TUrlTarget target;
    if (selecting_ && LinkAtPoint(x, y, control, target)) {
        if (control) {
            control->ImageClicked();  // the point inside its image is already taken
        } else if (doc_.SelStart >= doc_.SelEnd) {
            linkUrl_ = target.Url;
            linkTarget_ = target.Target;
            linkJustClicked_ = true;
            selecting_ = false;
            FollowLink();
        }
    }
    selecting_ = false;
}

void THtmlPane::ExtendSelection(int x, int y) {
    if (!selectionInProgress_ || selAnchor_ < 0) return;
    y = std::clamp(y, 0, height());
    bool inText = false;
    const int32_t i = IndexAtPoint(x, y, inText);
    if (i >= 0 && !noSelect_) {
        doc_.SelStart = std::min(selAnchor_, i);
        doc_.SelEnd = std::max(selAnchor_, i);
        panel_->update();
    }
    if (i >= 0) caret_ = i;
}

bool THtmlPane::WordAtPoint(int x, int y, std::string& word, int32_t& first, int32_t& last) {
    bool inText = false;
    caret_ = IndexAtPoint(x, y, inText);
    if (caret_ < 0 || !inText) return false;
    char ch = 0;
    TSectionBase* home = nullptr;
    if (!doc_.CharAt(caret_, ch, home) || !IsWordChar(uint8_t(ch))) return false;
    auto wordAt = [&](int32_t i, char& c) {
        TSectionBase* s = nullptr;
        return doc_.CharAt(i, c, s) && s == home && IsWordChar(uint8_t(c));
    };
    int32_t end = caret_;
    char c = 0;
    while (wordAt(end + 1, c)) ++end;
    int32_t start = caret_;
    while (start > 0 && wordAt(start - 1, c)) --start;
    word.clear();
    for (int32_t i = start; i <= end; ++i) {
        TSectionBase* s = nullptr;
        doc_.CharAt(i, c, s);
        word += c;
    }
    first = start;
    last = end + 1;
    return true;
}

void THtmlPane::DoubleClick(Qt::KeyboardModifiers shift, int x, int y) {
    if (processing_ || linkJustClicked_) return;
    std::string word;
    int32_t first = 0, last = 0;
    if (!noSelect_ && WordAtPoint(x, y, word, first, last)) {
        doc_.SelStart = first;
        doc_.SelEnd = last;
        caret_ = first;
        panel_->update();
    }
    if (OnMouseDouble) OnMouseDouble(shift, x, y);
}

void THtmlPane::StartAutoScroll() {
    loopRunning_ = true;
    lastStep_.reset();
    autoScrollTimer_.start();
    AutoScrollTick();
}

void THtmlPane::AutoScrollTick() {
    const int y = lastMouse_.y();
    const bool selectingPast = loopRunning_ && selecting_ && (y <= 0 || y > height());
    const bool panning = panMode_ && std::abs(y - panStartY_) > 20;
    if (!selectingPast && !panning) {
        loopRunning_ = false;
        autoScrollTimer_.stop();
        if (panMode_) SetPanelCursor(kPanCursor);
        return;
    }
    const uint32_t now = Now();
    if (lastStep_ && uint32_t(now - *lastStep_) <= 100) return;
    lastStep_ = now;
    int32_t p = VerticalPosition();
    if (selectingPast) {
        p += SelectScrollStep(y, height());
    } else {
        int cursor = kPanCursor;
        p += PanScrollStep(y - panStartY_, cursor);
        SetPanelCursor(cursor);
    }
    p = ClampScroll(p, docHeight_, panel_->height());
    settingBar_ = true;
    vbar_->setValue(p);
    settingBar_ = false;
    doc_.SetYOffset(p);
    ExtendSelection(lastMouse_.x(), y);
    panel_->update();
}

}  // namespace htmlengine
