#include "htmlengine/ui/HtmlPane.h"

#include "htmlengine/CodePages.h"
#include "htmlengine/PageFonts.h"
#include "htmlengine/ui/ImageQt.h"
#include "htmlengine/ui/QtCanvas.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDateTime>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>

namespace htmlengine {

const ScreenState& ProgramScreenState() {
    static const ScreenState screen(ScreenBitsPerPixel());
    return screen;
}

TStringBitmapList& ProgramImageCache() {
    static TStringBitmapList cache;
    return cache;
}

namespace {

// The hourglass for the length of a scope.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Runs the end of a scope on every path.
template <class F> class Finally {
public:
    explicit Finally(F f) : f_(std::move(f)) {}
    ~Finally() { f_(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    F f_;
};

bool FileExists(const std::string& name) {
    std::error_code ec;
    const std::filesystem::path p(name);
    return std::filesystem::exists(p, ec) && !std::filesystem::is_directory(p, ec);
}

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

// ---- panel and bar

TPaintPanel::TPaintPanel(THtmlPane* pane) : QWidget(pane), pane_(pane) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TPaintPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    pane_->PaintBuffered(painter, event->rect());
}

void TPaintPanel::mousePressEvent(QMouseEvent* e) {
    pane_->lastMouse_ = e->position().toPoint();
    pane_->HtmlMouseDown(e->button(), e->modifiers(), pane_->lastMouse_.x(), pane_->lastMouse_.y());
}

void TPaintPanel::mouseMoveEvent(QMouseEvent* e) {
    pane_->lastMouse_ = e->position().toPoint();
    pane_->HtmlMouseMove(e->buttons(), e->modifiers(), pane_->lastMouse_.x(), pane_->lastMouse_.y());
}

void TPaintPanel::mouseReleaseEvent(QMouseEvent* e) {
    pane_->lastMouse_ = e->position().toPoint();
    pane_->HtmlMouseUp(e->button(), e->modifiers(), pane_->lastMouse_.x(), pane_->lastMouse_.y());
}

void TPaintPanel::mouseDoubleClickEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    if (e->button() == Qt::LeftButton) pane_->DoubleClick(e->modifiers(), at.x(), at.y());
}

void TPaintPanel::DragOver(QDropEvent* e, TDragState state) {
    dragAt_ = e->position().toPoint();
    bool accept = true;
    if (pane_->onDragOver_) pane_->onDragOver_(e->source(), e->mimeData(), dragAt_.x(), dragAt_.y(), state, accept);
    if (accept) e->acceptProposedAction();
    else e->ignore();
}

void TPaintPanel::dragEnterEvent(QDragEnterEvent* e) { DragOver(e, TDragState::Enter); }
void TPaintPanel::dragMoveEvent(QDragMoveEvent* e) { DragOver(e, TDragState::Move); }

void TPaintPanel::dragLeaveEvent(QDragLeaveEvent* e) {
    bool accept = true;
    if (pane_->onDragOver_) pane_->onDragOver_(nullptr, nullptr, dragAt_.x(), dragAt_.y(), TDragState::Leave, accept);
    e->accept();
}

void TPaintPanel::dropEvent(QDropEvent* e) {
    const QPoint at = e->position().toPoint();
    if (!pane_->onDragDrop_) {
        e->ignore();
        return;
    }
    pane_->onDragDrop_(e->source(), e->mimeData(), at.x(), at.y());
    e->acceptProposedAction();
}

void TPaintPanel::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    // The pointer position outside the window may be unknown; leaving is enough.
    pane_->HotSpotTimerTick();
}

void T32ScrollBar::SetScrollParams(int32_t position, int32_t page, int32_t maximum, int32_t minimum) {
    const int32_t qtMax = std::max(minimum, maximum - std::max(0, page - 1));
    if (value() == position && pageStep() == page && this->maximum() == qtMax && this->minimum() == minimum) return;
    setRange(minimum, qtMax);
    setValue(position);
}

// ---- construction

THtmlPane::THtmlPane(QWidget* parent, const ScreenState* screen, TStringBitmapList* cache)
    : QWidget(parent), screen_(screen ? *screen : ProgramScreenState()),
      cache_(cache ? *cache : ProgramImageCache()), doc_(screen_, cache_) {
    doc_.Clock = [this] { return Now(); };
    setFocusPolicy(Qt::StrongFocus);
    border_ = new QWidget(this);
    border_->setAttribute(Qt::WA_TransparentForMouseEvents);
    border_->hide();
    panel_ = new TPaintPanel(this);
    panel_->move(1, 1);
    vbar_ = new T32ScrollBar(this);
    vbar_->setSingleStep(kVertSmallChange);
    vbar_->setFocusPolicy(Qt::NoFocus);
    vbar_->hide();
    scrollBarWidth_ = std::max(1, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    hbar_->setSingleStep(kHorzSmallChange);
    hbar_->setFocusPolicy(Qt::NoFocus);
    hbar_->hide();
    connect(vbar_, &QScrollBar::valueChanged, this, [this](int v) { SetScrollFromBar(v); });
    connect(hbar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (settingBar_) return;
        setFocus();
        hpos_ = v;  // the bar ends at maximum - panel width, as the Right key does
        panel_->update();
    });

    doc_.Measurer = &measurer_;
    controls_ = std::make_unique<QtFormControlHost>(panel_, system_);
    doc_.Controls = controls_.get();
    doc_.ShowImages = true;
    doc_.OnBackgroundChanged = [this](TColor c) { DocumentBackgroundChanged(c); };
    doc_.OnInvalidate = [this] { panel_->update(); };
    doc_.OnControlEntered = [this](TFormControlObj& control) { ScrollControlIntoView(control); };
    doc_.OnMargins = [this](int32_t w, int32_t h) {
        if (w >= 0) curMarginWidth_ = std::min(w, 200);
        if (h >= 0) curMarginHeight_ = std::min(h, 200);
    };
    doc_.OnLayoutError = [](const std::string& message) {
        // The engine's own error box; layout goes on after it.
        platform::Dialogs().MessageDlg(message, platform::MsgDlgType::Error, platform::mbOK);
    };
    doc_.ResolveName = [this](const std::string& name) { return ResolveLinkToFile(name); };
    history_.OnChange = [this] {
        if (OnHistoryChange) OnHistoryChange();
    };

    hotSpotTimer_.setInterval(200);
    connect(&hotSpotTimer_, &QTimer::timeout, this, [this] { HotSpotTimerTick(); });
    animationTimer_.setInterval(50);
    animationTimer_.setTimerType(Qt::PreciseTimer);
    connect(&animationTimer_, &QTimer::timeout, this, [this] { AnimationTick(); });
    autoScrollTimer_.setInterval(25);
    connect(&autoScrollTimer_, &QTimer::timeout, this, [this] { AutoScrollTick(); });

    cache_.SetAgeLimit(imageCacheCount_);
    ApplyDefaults();
    resize(150, 150);
}

THtmlPane::~THtmlPane() { doc_.ClearDocument(); }

void THtmlPane::SetOnFormSubmit(TFormSubmitEvent event) {
    onFormSubmit_ = std::move(event);
    if (!onFormSubmit_) {
        doc_.OnFormSubmit = nullptr;
        return;
    }
    doc_.OnFormSubmit = [this](FormSubmission submission) {
        QMetaObject::invokeMethod(
            this, [this, submission = std::move(submission)] { if (onFormSubmit_) onFormSubmit_(submission); },
            Qt::QueuedConnection);
    };
}

void THtmlPane::SetOnDragOver(TDragOverEvent event) {
    onDragOver_ = std::move(event);
    panel_->setAcceptDrops(bool(onDragOver_));
}

uint32_t THtmlPane::Now() const {
    return Clock ? Clock() : uint32_t(QDateTime::currentMSecsSinceEpoch());
}

void THtmlPane::SetProcessing(bool on) {
    if (processing_ == on) return;
    processing_ = on;
    if (OnProcessing) OnProcessing(on);
}

void THtmlPane::ApplyDefaults() {
    doc_.SetDocumentDefaults(defFontName_, defPreFontName_, options_ & htOverLinksActive, defBackground_, overLinkColor_, visitedColor_,
                             hotSpotColor_, defFontColor_, defFontSize_);
}

// ---- loading

THtmlPane::Remembered THtmlPane::RememberPage() const { return {loadedFile_, title_, kind_, CurrentPosition()}; }

void THtmlPane::OpenHtmlFile(const std::string& name) { Open(name, kHtmlFile); }
void THtmlPane::OpenTextFile(const std::string& name) { Open(name, kTextFile); }
void THtmlPane::OpenImageFile(const std::string& name) { Open(name, kPictureFile); }

void THtmlPane::Open(const std::string& name, uint8_t kind) {
    if (processing_ || name.empty()) return;
    const Remembered old = RememberPage();
    LoadDocument(name, kind);
    if (old.file != loadedFile_ || old.kind != kind_) PushHistoryEntry(old);
}

void THtmlPane::LoadDocument(const std::string& fullName, uint8_t kind) {
    WaitCursor wait;
    const TSplitName split = SplitAnchor(fullName);
    metaDelay_ = 0;
    SetProcessing(true);
    Finally done([this] { SetProcessing(false); });
    const std::string name = FindFileNoCase(split.File);
    if (!FileExists(name)) throw EInOutError("Can't locate file: " + split.File);
    const std::string oldFile = loadedFile_;
    ResetForLoad();
    loadedFile_ = ExpandFullPath(name);
    kind_ = kind;
    ParseResult result;
    auto finish = [&] {
        AfterParse(result);
        MarkVisitedLinks();
        if (split.Anchor.empty() || !JumpToAnchor(split.Anchor)) {
            if (loadedFile_ != oldFile) {
                ScrollTo(0);
                hpos_ = 0;
                hbar_->setValue(0);
            }
        }
        panel_->update();
    };
    try {
        if (kind == kHtmlFile) {
            if (OnSoundRequest) OnSoundRequest("", 0, true);
            ParseHooks hooks;
            hooks.Meta = [this](const std::string& h, const std::string& n, const std::string& c) { HandleMetaTag(h, n, c); };
            hooks.Sound = [this](const std::string& src, int32_t loop) {
                if (OnSoundRequest) OnSoundRequest(src, loop, false);
            };
            hooks.Include = OnInclude;
            result = ParseFromFile(doc_, anchors_, loadedFile_, hooks);
        } else if (kind == kTextFile) {
            result = ParseTextFile(doc_, anchors_, loadedFile_);
        } else {
            const std::string text = PicturePageText(loadedFile_);
            ParseHooks hooks;
            hooks.Include = OnInclude;
            result = ParseFromBuffer(doc_, anchors_, text.data(), int32_t(text.size()), hooks);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    if (metaDelay_ > 0 && OnMetaRefresh) OnMetaRefresh(metaDelay_, metaUrl_);
}

void THtmlPane::ResetForLoad() {
    doc_.ClearDocument();
    cache_.ImageCacheAge();
    ApplyDefaults();
    anchors_.Clear();
    curMarginWidth_ = marginWidth_;
    curMarginHeight_ = marginHeight_;
    caret_ = 0;
    selAnchor_ = -1;
    tilePicture_ = nullptr;
    tile_ = QPixmap();
}

void THtmlPane::AfterParse(const ParseResult& result) {
    title_ = result.Title;
    base_ = result.Base;
    baseTarget_ = result.BaseTarget;
    layoutBusy_ = true;
    Finally idle([this] { layoutBusy_ = false; });
    doc_.GetBackground();
    LayoutDocument();
}

void THtmlPane::ShowHtmlBuffer(const char* chars, int32_t length) {
    if (processing_) return;
    SetProcessing(true);
    {
        Finally done([this] { SetProcessing(false); });
        metaDelay_ = 0;
        ResetForLoad();
        if (OnSoundRequest) OnSoundRequest("", 0, true);
        ParseHooks hooks;
        hooks.Meta = [this](const std::string& h, const std::string& n, const std::string& c) { HandleMetaTag(h, n, c); };
        hooks.Include = OnInclude;
        ParseResult result;
        auto finish = [&] {
            AfterParse(result);
            ScrollTo(0);
            hpos_ = 0;
            hbar_->setValue(0);
            panel_->update();
            loadedFile_.clear();
        };
        try {
            result = ParseFromBuffer(doc_, anchors_, chars, std::max(0, length), hooks);
        } catch (...) {
            finish();
            throw;
        }
        finish();
    }
    if (metaDelay_ > 0 && OnMetaRefresh) OnMetaRefresh(metaDelay_, metaUrl_);
}

void THtmlPane::HandleMetaTag(const std::string& httpEquiv, const std::string& name, const std::string& content) {
    if (OnMeta) OnMeta(httpEquiv, name, content);
    if (!OnMetaRefresh || !SameTextNoCase(httpEquiv, "refresh")) return;
    if (auto refresh = ParseMetaRefresh(content)) {
        metaDelay_ = refresh->Delay;
        metaUrl_ = refresh->Url;
    }
}

void THtmlPane::ReloadDocument() {
    if (loadedFile_.empty()) return;
    const int32_t p = CurrentPosition();
    Open(loadedFile_, kind_);
    RestorePosition(p);
}

void THtmlPane::ClearViewer() {
    if (processing_) return;
    hotSpotTimer_.stop();
    animationTimer_.stop();
    doc_.ClearDocument();
    ApplyDefaults();
    anchors_.Clear();
    base_.clear();
    baseTarget_.clear();
    title_.clear();
    docHeight_ = docWidth_ = 0;
    vbar_->SetScrollParams(0, 1, 0, 0);
    vbar_->hide();
    hbar_->hide();
    caret_ = 0;
    selAnchor_ = -1;
    if (OnSoundRequest) OnSoundRequest("", 0, true);
    panel_->update();
}

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

// ---- properties

void THtmlPane::SetDefFontSize(int32_t size) {
    size = std::max(6, size);
    if (size == defFontSize_) return;
    defFontSize_ = size;
    doc_.FontSize = size;
    ReapplyFontsKeepingPosition();
}

void THtmlPane::SetDefFontName(const std::string& name) {
    if (SameTextNoCase(name, defFontName_)) return;
    defFontName_ = name.substr(0, 33);
    doc_.FontName = defFontName_;
    ReapplyFontsKeepingPosition();
}

void THtmlPane::SetDefPreFontName(const std::string& name) {
    if (SameTextNoCase(name, defPreFontName_)) return;
    defPreFontName_ = name.substr(0, 33);
    doc_.PreFontName = defPreFontName_;
    ReapplyFontsKeepingPosition();
}

void THtmlPane::SetDefBackground(TColor color) {
    if (processing_) return;
    defBackground_ = color;
    doc_.SetBackground(color);
    update();
}

void THtmlPane::SetDefFontColor(TColor color) {
    defFontColor_ = color;
    doc_.FontColor = color;
    doc_.ReapplyFonts();
    panel_->update();
}

void THtmlPane::SetDefHotSpotColor(TColor color) {
    hotSpotColor_ = color;
    doc_.HotSpotColor = color;
    doc_.ReapplyFonts();
    panel_->update();
}

void THtmlPane::SetDefVisitedLinkColor(TColor color) {
    visitedColor_ = color;
    doc_.VisitedColor = color;
    doc_.ReapplyFonts();
    panel_->update();
}

void THtmlPane::SetDefOverLinkColor(TColor color) {
    overLinkColor_ = color;
    doc_.OverLinkColor = color;
    doc_.ReapplyFonts();
    panel_->update();
}

void THtmlPane::SetCharSet(uint8_t charset) {
    if (charset == doc_.FontCharset) return;
    doc_.FontCharset = charset;
    ReapplyFontsKeepingPosition();
}

void THtmlPane::SetHtOptions(ThtmlViewerOptions options) {
    options_ = options;
    doc_.LinksActive = options & htOverLinksActive;
    doc_.LinkStyle = options & htNoLinkUnderline ? 0 : fsUnderline;
    doc_.ShowDummyCaret = options & htShowDummyCaret;
}

void THtmlPane::SetMarginWidth(int32_t value) { SetMargin(marginWidth_, curMarginWidth_, value); }
void THtmlPane::SetMarginHeight(int32_t value) { SetMargin(marginHeight_, curMarginHeight_, value); }

void THtmlPane::SetMargin(int32_t& property, int32_t& current, int32_t value) {
    if (value == property || processing_ || value < 0) return;
    WaitCursor wait;
    SetProcessing(true);
    Finally done([this] { SetProcessing(false); });
    property = current = std::min(value, 200);
    if (doc_.Count() > 0) {
        const int32_t p = CurrentPosition();
        LayoutDocument();
        RestorePosition(p);
        panel_->update();
    }
}

void THtmlPane::SetViewImages(bool on) {
    if (on == viewImages_ || processing_) return;
    WaitCursor wait;
    SetProcessing(true);
    Finally done([this] { SetProcessing(false); });
    viewImages_ = on;
    doc_.ShowImages = on;
    if (doc_.Count() > 0) {
        doc_.GetBackground();
        const int32_t p = CurrentPosition();
        LayoutDocument();
        RestorePosition(p);
        panel_->update();
    }
}

void THtmlPane::SetImageCacheCount(int32_t count) {
    count = std::clamp(count, 0, 20);
    if (count == imageCacheCount_) return;
    imageCacheCount_ = count;
    cache_.SetAgeLimit(count);
}

void THtmlPane::SetNoSelect(bool on) {
    noSelect_ = on;
    if (on) {
        doc_.SelStart = doc_.SelEnd = -1;
        panel_->update();
    }
}

void THtmlPane::SetScrollBars(TScrollStyle bars) {
    scrollBars_ = bars;
    SetProcessing(true);
    Finally done([this] { SetProcessing(false); });
    LayoutDocument();
    update();
}

void THtmlPane::SetBorderStyle(THTMLBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    ArrangeScrollBars();
    update();
}

void THtmlPane::SetServerRoot(const std::string& root) {
    serverRoot_ = TrimControls(root);
    if (!serverRoot_.empty() && (serverRoot_.back() == '\\' || serverRoot_.back() == '/')) serverRoot_.pop_back();
}

// ---- links, anchors, history

std::string THtmlPane::ResolveLinkToFile(const std::string& link) const {
    return htmlengine::ResolveLinkToFile(link, {loadedFile_, base_, serverRoot_});
}

bool THtmlPane::JumpToAnchor(const std::string& name) {
    std::string n = name;
    if (!n.empty() && n[0] == '#') n.erase(0, 1);
    if (n.empty()) return false;
    TSectionBase* section = anchors_.Find(UpperAscii(n));
    if (!section) return false;
    ScrollTo(section->Top);
    hpos_ = 0;
    hbar_->setValue(0);
    RecordVisited(loadedFile_ + "#" + n);
    return true;
}

void THtmlPane::FollowLink() {
    bool handled = false;
    if (OnHotSpotClick) OnHotSpotClick(linkUrl_, handled);
    if (handled) return;
    const Remembered here = RememberPage();
    const std::string link = linkUrl_;
    if (!link.empty() && link[0] == '#') {
        if (JumpToAnchor(link)) {
            PushHistoryEntry(here);
            RecordVisited(loadedFile_ + link);
        }
        return;
    }
    const size_t hash = link.find('#');
    const std::string anchor = hash == std::string::npos ? std::string() : link.substr(hash, kMaxAnchorLength + 1);
    const std::string file = ResolveLinkToFile(link.substr(0, hash));
    switch (ClassifyLink(file)) {
    case TLinkTarget::Html:
        if (file != loadedFile_) {
            OpenHtmlFile(file + anchor);
            RecordVisited(file + anchor);
        } else if (JumpToAnchor(anchor)) {
            Remembered same = here;
            same.kind = kHtmlFile;
            PushHistoryEntry(same);
            RecordVisited(file + anchor);
        }
        break;
    case TLinkTarget::Picture: OpenImageFile(file); break;
    case TLinkTarget::Other: break;
    }
}

void THtmlPane::PushHistoryEntry(const Remembered& old) {
    history_.Push({old.file, old.title, old.position, old.kind}, {loadedFile_, title_, CurrentPosition(), kind_});
}

void THtmlPane::GoToHistoryEntry(int32_t index) {
    if (!history_.CanGoTo(index) || processing_) return;
    if (!loadedFile_.empty()) {
        history_.Entries[size_t(history_.Cursor)] = {loadedFile_, title_, CurrentPosition(), kind_};
    }
    const THistoryEntry target = history_.Entries[size_t(index)];
    if (target.File != loadedFile_ || target.Kind != kind_) LoadDocument(target.File, target.Kind);
    RestorePosition(target.Position);
    history_.Cursor = index;
    if (OnHistoryChange) OnHistoryChange();
}

std::string THtmlPane::ResolvedLinkUrl(const std::string& url) const {
    if (!url.empty() && url[0] == '#') return loadedFile_ + url;
    const size_t hash = url.find('#');
    if (hash == std::string::npos) return ResolveLinkToFile(url);
    return ResolveLinkToFile(url.substr(0, hash)) + url.substr(hash);
}

void THtmlPane::RecordVisited(const std::string& url) {
    if (visited_.Record(url) != TVisitedList::Recorded::New) return;
    const std::string key = UpperAscii(url);
    for (TFontObj* link : doc_.LinkList)
        if (UpperAscii(ResolvedLinkUrl(link->UrlTarget.Url)) == key) link->SetVisited(true, doc_);
}

void THtmlPane::MarkVisitedLinks() {
    if (visited_.MaxCount() <= 0 || visited_.Urls.empty()) return;
    for (TFontObj* link : doc_.LinkList)
        if (visited_.Contains(ResolvedLinkUrl(link->UrlTarget.Url))) link->SetVisited(true, doc_);
}

void THtmlPane::SetVisitedMaxCount(int32_t value) {
    if (!visited_.SetMaxCount(value)) return;
    for (TFontObj* link : doc_.LinkList) link->SetVisited(false, doc_);
    update();
    panel_->update();
}

void THtmlPane::HotSpotTimerTick() {
    if (QApplication::widgetAt(QCursor::pos()) == panel_ && panel_->underMouse()) return;
    doc_.ClearActive();
    hotSpotTimer_.stop();
    if (!linkUrl_.empty()) {
        linkUrl_.clear();
        linkTarget_.clear();
        if (OnHotSpotCovered) OnHotSpotCovered("");
    }
}

// ---- animation

void THtmlPane::AnimationTick() {
    for (const TRect& r : doc_.AnimationTick(Now())) panel_->update(ToQRect(r));
    animationTimer_.setInterval(50);
}

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
