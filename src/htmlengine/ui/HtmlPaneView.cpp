// The pane's layout and painting, its scrolling and keys, the copy of the
// selection and the animation of its pictures.
#include "htmlengine/ui/HtmlPane.h"

#include "htmlengine/CodePages.h"
#include "htmlengine/ui/Finally.h"
#include "htmlengine/ui/ImageQt.h"
#include "htmlengine/ui/QtCanvas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace htmlengine {

namespace {

int VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    default: return 0;
    }
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

// ---- layout and painting

void THtmlPane::LayoutDocument() {
    docWidth_ = 0;
    const bool wasBusy = layoutBusy_;
    layoutBusy_ = true;
    Finally idle([this, wasBusy] { layoutBusy_ = wasBusy; });
    animationTimer_.stop();
    const TLayoutWidth lw = LayoutWidthFor(width(), scrollBarWidth_, borderStyle_, curMarginWidth_,
                                           curMarginHeight_, scrollBars_);
    // Tables with a HEIGHT in percent stretch to the visible height.
    doc_.Viewport = {panel_->height(), curMarginHeight_};
    int32_t index = 0, widest = 0;
    const int32_t h = doc_.LayoutAt(measurer_, curMarginHeight_, index, widest,
                                    std::clamp(lw.Width, 0, MaxDocumentWidth));
    docHeight_ = h + lw.MarginsInHeight;
    docWidth_ = widest;
    doc_.RestartAnimations(Now());
    ArrangeScrollBars();
    if (!doc_.AnimatedGifs().empty()) animationTimer_.start();
    if (cursor_ == 0) SetPanelCursor(kTextCursor);
}

void THtmlPane::ArrangeScrollBars() {
    TPaneInput in;
    in.Width = width();
    in.Height = height();
    in.ScrollBarWidth = scrollBarWidth_;
    in.MarginWidth = curMarginWidth_;
    in.DocWidth = docWidth_;
    in.DocHeight = docHeight_;
    in.Bars = scrollBars_;
    in.Border = borderStyle_;
    in.ShowVScroll = options_ & htShowVScroll;
    const TPaneGeometry g = htmlengine::ArrangeScrollBars(in);
    docWidth_ = g.DocWidth;
    border_->setGeometry(0, 0, width(), height());
    border_->setVisible(g.BorderShown && (hasFocus() || borderStyle_ == THTMLBorderStyle::htSingle));
    panel_->setGeometry(g.PanelLeft, g.PanelTop, g.PanelWidth, g.PanelHeight);
    settingBar_ = true;
    Finally unset([this] { settingBar_ = false; });
    hbar_->setGeometry(g.Horz.Left, g.Horz.Top, g.Horz.Width, g.Horz.Height);
    hbar_->setPageStep(std::max(1, g.Horz.LargeChange));
    hbar_->setRange(0, std::max(0, g.Horz.Maximum - g.PanelWidth));
    hbar_->setVisible(g.Horz.Visible);
    hpos_ = std::min(hpos_, hbar_->maximum());
    hbar_->setValue(hpos_);
    vbar_->setGeometry(g.Vert.Left, g.Vert.Top, g.Vert.Width, g.Vert.Height);
    vbar_->setPageStep(std::max(1, g.Vert.LargeChange));
    vbar_->SetScrollParams(vbar_->value(), g.Vert.Page, g.Vert.Maximum, 0);
    vbar_->setVisible(g.Vert.Visible);
    vbar_->setEnabled(g.Vert.Enabled);
    doc_.SetYOffset(vbar_->value());
}

void THtmlPane::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!border_->isVisible()) return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(0, 0, width() - 1, height() - 1);
}

void THtmlPane::PaintBuffered(QPainter& painter, const QRect& clip) {
    if (layoutBusy_) return;
    PaintBackground(painter, clip);
    QtCanvas canvas(painter, measurer_, system_, {clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1});
    doc_.MarkAnimationsNotDrawn();
    try {
        doc_.PaintAt(canvas, {curMarginWidth_, 1, panel_->width(), panel_->height()}, curMarginHeight_,
                     curMarginWidth_ - hpos_, kMaxDrawWidth);
    } catch (const std::exception& e) {
        // Nothing may unwind through a paint event.
        qWarning("paint: %s", e.what());
    }
    if (!doc_.AnimatedGifs().empty() && !animationTimer_.isActive()) animationTimer_.start();
}

void THtmlPane::PaintBackground(QPainter& painter, const QRect& clip) {
    const QColor brush = QColor::fromRgb(ResolveRgb(color_ & ~PaletteRelative, system_));
    painter.fillRect(clip, brush);
    const TViewerPicture* bg = doc_.ShowImages ? doc_.BackgroundPicture() : nullptr;
    if (!bg || bg->Pixels().IsEmpty()) return;
    if (bg != tilePicture_) {
        tilePicture_ = bg;
        tile_ = QPixmap::fromImage(ToQImage(bg->Pixels()));
    }
    const int tw = tile_.width(), th = tile_.height();
    const int x0 = FirstTileAt(clip.left(), hpos_, tw), y0 = FirstTileAt(clip.top(), VerticalPosition(), th);
    painter.drawTiledPixmap(clip, tile_, QPoint(clip.left() - x0, clip.top() - y0));
}

void THtmlPane::DocumentBackgroundChanged(TColor color) {
    color_ = color | PaletteRelative;
    panel_->update();
}

// ---- scrolling

void THtmlPane::SetScrollFromBar(int value) {
    if (settingBar_) return;
    const int32_t old = doc_.YOffset;
    const int32_t y = ClampScroll(value, docHeight_, panel_->height());
    doc_.SetYOffset(y);
    if (y != old) panel_->scroll(0, old - y);
}

void THtmlPane::ScrollTo(int32_t y) {
    y = ClampScroll(y, docHeight_, panel_->height());
    {
        settingBar_ = true;
        Finally unset([this] { settingBar_ = false; });
        vbar_->setValue(y);
    }
    doc_.SetYOffset(y);
    panel_->update();
}

void THtmlPane::ScrollToAtLeft(int32_t y) {
    ScrollTo(y);
    hpos_ = 0;
    hbar_->setValue(0);
}

void THtmlPane::ScrollToClamped(int32_t y) {
    y = ClampScroll(y, docHeight_, panel_->height());
    if (y != VerticalPosition()) ScrollTo(y);
}

void THtmlPane::ScrollControlIntoView(const TFormControlObj& control) {
    if (auto y = ControlScrollTarget(VerticalPosition(), control.YValue, panel_->height())) {
        ScrollToClamped(*y);
        panel_->update();
    }
}

int32_t THtmlPane::CurrentPosition() const {
    const int32_t y = VerticalPosition();
    int32_t top = 0;
    for (int32_t i = 0; i < doc_.Count(); ++i) {
        const int32_t h = doc_[i]->Height;
        if (y >= top && y < top + h) return EncodePosition(i, y - top);
        top += h;
    }
    return 0;
}

void THtmlPane::RestorePosition(int32_t p) {
    if (p < 0) return;
    const int32_t index = PositionSection(p);
    if (index < doc_.Count()) ScrollTo(doc_.TopOfSection(index) + PositionOffset(p));
}

void THtmlPane::ReapplyFontsKeepingPosition() {
    // Re-applied fonts change the section heights: the position is taken first.
    const int32_t p = CurrentPosition();
    doc_.ReapplyFonts();
    if (doc_.Count() > 0 && !processing_) {
        SetProcessing(true);
        Finally done([this] { SetProcessing(false); });
        LayoutDocument();
        RestorePosition(p);
    }
    panel_->update();
}

void THtmlPane::RelayoutKeepingPosition() {
    if (processing_) return;
    SetProcessing(true);
    Finally done([this] { SetProcessing(false); });
    const int32_t p = CurrentPosition();
    LayoutDocument();
    RestorePosition(p);
}

void THtmlPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (processing_) ArrangeScrollBars();
    else RelayoutKeepingPosition();
    if (docHeight_ < panel_->height()) RestorePosition(0);
    else ScrollTo(VerticalPosition());
}

void THtmlPane::keyPressEvent(QKeyEvent* event) {
    if (panMode_) {
        panMode_ = false;
        loopRunning_ = false;
        SetPanelCursor(kTextCursor);
        return;
    }
    const bool ctrl = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (ctrl && (event->key() == Qt::Key_C || event->key() == Qt::Key_Insert)) {
        CopySelection();
        return;
    }
    const int vk = VirtualKey(event->key());
    const int32_t p = VerticalPosition();
    if (auto y = KeyScrollTarget(vk, p, docHeight_, panel_->height())) {
        if (*y != p) {
            settingBar_ = true;
            vbar_->setValue(*y);
            settingBar_ = false;
            doc_.SetYOffset(*y);
            if (std::abs(*y - p) == kVertSmallChange) panel_->scroll(0, p - *y);
            else panel_->update();
        }
    } else if (auto x = KeyHorzTarget(vk, hpos_, hbar_->maximum() + panel_->width(), panel_->width())) {
        hpos_ = *x;
        settingBar_ = true;
        hbar_->setValue(hpos_);
        settingBar_ = false;
        panel_->update();
    }
    int ch = 0;
    if (event->key() == Qt::Key_Backspace) ch = 8;
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) ch = 13;
    else if (event->key() == Qt::Key_Escape) ch = 27;
    else if (!event->text().isEmpty()) ch = event->text().at(0).unicode();
    if (ch != 0 && OnKeyPress) OnKeyPress(ch);
    if (vk == 0 && ch == 27) event->ignore();
}

void THtmlPane::CopySelection() {
    if (doc_.SelStart >= doc_.SelEnd) return;
    doc_.CopyBuffer.clear();
    doc_.CopySelected();
    std::string bytes;
    // Pictures and controls stand in the text as object characters: no text.
    std::remove_copy_if(doc_.CopyBuffer.begin(), doc_.CopyBuffer.end(), std::back_inserter(bytes), IsObjectChar);
    doc_.CopyBuffer.clear();
    const std::u16string unicode = CharsetBytesToUtf16(doc_.FontCharset, bytes);
    QString text = QString::fromUtf16(unicode.data(), qsizetype(unicode.size()));
    // The desktop's text ends its lines with LF alone.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QGuiApplication::clipboard()->setText(text);
}

void THtmlPane::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    ArrangeScrollBars();
    update();
}

void THtmlPane::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    ArrangeScrollBars();
    update();
}

// ---- animation

void THtmlPane::AnimationTick() {
    for (const TRect& r : doc_.AnimationTick(Now())) panel_->update(ToQRect(r));
    animationTimer_.setInterval(50);
}
}  // namespace htmlengine
