#include "htmlengine/ui/HtmlPane.h"

#include "htmlengine/ui/Finally.h"
#include "htmlengine/ui/ImageQt.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hourglass.h"

#include <QDateTime>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <filesystem>
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

bool FileExists(const std::string& name) {
    std::error_code ec;
    const std::filesystem::path p(name);
    return std::filesystem::exists(p, ec) && !std::filesystem::is_directory(p, ec);
}

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
    Hourglass wait;
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
    ParseAndShow(
        [&] {
            if (kind == kHtmlFile) {
                if (OnSoundRequest) OnSoundRequest("", 0, true);
                ParseHooks hooks = PageHooks();
                hooks.Sound = [this](const std::string& src, int32_t loop) {
                    if (OnSoundRequest) OnSoundRequest(src, loop, false);
                };
                return ParseFromFile(doc_, anchors_, loadedFile_, hooks);
            }
            if (kind == kTextFile) return ParseTextFile(doc_, anchors_, loadedFile_);
            const std::string text = PicturePageText(loadedFile_);
            ParseHooks hooks;
            hooks.Include = OnInclude;
            return ParseFromBuffer(doc_, anchors_, text.data(), int32_t(text.size()), hooks);
        },
        [&] {
            MarkVisitedLinks();
            if ((split.Anchor.empty() || !JumpToAnchor(split.Anchor)) && loadedFile_ != oldFile) ScrollToAtLeft(0);
        });
    if (metaDelay_ > 0 && OnMetaRefresh) OnMetaRefresh(metaDelay_, metaUrl_);
}

ParseHooks THtmlPane::PageHooks() {
    ParseHooks hooks;
    hooks.Meta = [this](const std::string& h, const std::string& n, const std::string& c) { HandleMetaTag(h, n, c); };
    hooks.Include = OnInclude;
    return hooks;
}

// What the parser built is laid out and the view placed on every path, an
// error of the parser too: no page is left half built and unlaid.
void THtmlPane::ParseAndShow(const std::function<ParseResult()>& parse, const std::function<void()>& place) {
    ParseResult result;
    auto finish = [&] {
        AfterParse(result);
        place();
        panel_->update();
    };
    try {
        result = parse();
    } catch (...) {
        finish();
        throw;
    }
    finish();
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
        ParseAndShow([&] { return ParseFromBuffer(doc_, anchors_, chars, std::max(0, length), PageHooks()); },
                     [this] {
                         ScrollToAtLeft(0);
                         loadedFile_.clear();
                     });
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
    Hourglass wait;
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
    Hourglass wait;
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
    serverRoot_ = TrimText(root);
    if (!serverRoot_.empty() && (serverRoot_.back() == '\\' || serverRoot_.back() == '/')) serverRoot_.pop_back();
}

}  // namespace htmlengine
