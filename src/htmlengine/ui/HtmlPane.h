#pragma once
// The viewer control: loads HTML, text and picture files and HTML held in
// memory into its document, lays it out for its width, paints it on a child
// paint panel and keeps the two scroll bars. Links, anchors, visited links
// and the history; keys, bars, panning, auto-scroll and selection.

#include "htmlengine/HistoryModel.h"
#include "htmlengine/LinkResolver.h"
#include "htmlengine/PagePars.h"
#include "htmlengine/ViewerDocument.h"
#include "htmlengine/ViewerGeometry.h"
#include "htmlengine/ui/FormControlsQt.h"
#include "htmlengine/ui/QtMeasurer.h"

#include <QPixmap>
#include <QPoint>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QMimeData;

namespace htmlengine {

// The viewer's option set, one bit per option.
using ThtmlViewerOptions = uint8_t;
constexpr ThtmlViewerOptions htOverLinksActive = 1;
constexpr ThtmlViewerOptions htNoLinkUnderline = 2;
constexpr ThtmlViewerOptions htShowDummyCaret = 4;
constexpr ThtmlViewerOptions htShowVScroll = 8;

class THtmlPane;

using TScriptEvent =
    std::function<void(const std::string& name, const std::string& language, const std::string& script)>;
using TObjectClickEvent = std::function<void(TFormControlObj& control, const std::string& onClick)>;
using TFormSubmitEvent = std::function<void(const FormSubmission& submission)>;

// A drag over the paint panel, in panel coordinates; source and data are the
// drag's (source null when it comes from another program, both null on a
// leave). accept starts true.
enum class TDragState { Enter, Move, Leave };
using TDragOverEvent =
    std::function<void(QObject* source, const QMimeData* data, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(QObject* source, const QMimeData* data, int x, int y)>;

// What a right click found under the mouse.
struct TRightClickParameters {
    std::string Url, Target;
    TImageObj* Image = nullptr;
    int32_t ImageX = 0, ImageY = 0;  // the point inside the picture
    std::string Word;
};

class TPaintPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPaintPanel(THtmlPane* pane);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void DragOver(QDropEvent* event, TDragState state);

    THtmlPane* pane_;
    QPoint dragAt_;  // a leave has no position of its own
};

// The vertical bar: positions are document pixels.
class T32ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit T32ScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}
    // Nothing when all four are unchanged; page is the panel height + 1.
    void SetScrollParams(int32_t position, int32_t page, int32_t maximum, int32_t minimum);
};

class THtmlPane : public QWidget {
    Q_OBJECT
    friend class TPaintPanel;

public:
    // screen and cache default to the program's shared ones.
    explicit THtmlPane(QWidget* parent = nullptr, const ScreenState* screen = nullptr,
                       TStringBitmapList* cache = nullptr);
    ~THtmlPane() override;

    // Events of the host.
    std::function<void(const std::string& src)> OnHotSpotCovered;
    std::function<void(const std::string& src, bool& handled)> OnHotSpotClick;
    std::function<void()> OnHistoryChange;
    std::function<void(bool on)> OnProcessing;
    std::function<void(int32_t delay, const std::string& url)> OnMetaRefresh;
    std::function<void(const std::string& httpEquiv, const std::string& name, const std::string& content)> OnMeta;
    std::function<void(const std::string& src, int32_t loop, bool terminate)> OnSoundRequest;
    // Server-side include commands of the pages, handed to each parse.
    IncludeHook OnInclude;
    // A typed character: 8 backspace, 13 enter, 27 escape, else its code.
    std::function<void(int ch)> OnKeyPress;
    std::function<void(TImageObj* image, Qt::KeyboardModifiers shift, int x, int y)> OnImageOver;
    std::function<void(TImageObj* image, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>
        OnImageClick;
    std::function<void(const TRightClickParameters& parameters)> OnRightClick;
    std::function<void(Qt::KeyboardModifiers shift, int x, int y)> OnMouseDouble;
    // These are handed on at once: the first four to the document, the drag
    // events to the paint panel, which takes drops only while OnDragOver is set.
    void SetOnImageRequest(TGetImageEvent event) { doc_.OnImageRequest = std::move(event); }
    // A form's submission, delivered from the event loop once the click that
    // caused it is over; forms submit nothing while no handler is set.
    void SetOnFormSubmit(TFormSubmitEvent event);
    void SetOnScript(TScriptEvent event) { doc_.OnScript = std::move(event); }
    void SetOnObjectClick(TObjectClickEvent event) { doc_.OnObjectClick = std::move(event); }
    void SetOnDragOver(TDragOverEvent event);
    void SetOnDragDrop(TDragDropEvent event) { onDragDrop_ = std::move(event); }
    // Milliseconds for animation and auto-scroll (tests give their own clock).
    std::function<uint32_t()> Clock;

    void OpenHtmlFile(const std::string& name);
    void OpenTextFile(const std::string& name);
    void OpenImageFile(const std::string& name);
    void ShowHtmlBuffer(const char* chars, int32_t length);
    void ReloadDocument();
    void ClearViewer();

    const std::string& PageTitle() const { return title_; }
    const std::string& LoadedFileName() const { return loadedFile_; }
    const std::string& LinkUnderMouse() const { return linkUrl_; }
    const std::string& Base() const { return base_; }
    const std::string& BaseTarget() const { return baseTarget_; }
    uint8_t FileKind() const { return kind_; }

    // History and visited links.
    const THistoryList& History() const { return history_; }
    int32_t HistoryCursor() const { return history_.Cursor; }
    void GoToHistoryEntry(int32_t index);
    void ClearHistory() { history_.Clear(); }
    void SetHistoryMaxCount(int32_t value) { history_.SetMaxCount(value); }
    int32_t HistoryMaxCount() const { return history_.MaxCount(); }
    void SetVisitedMaxCount(int32_t value);
    const TVisitedList& Visited() const { return visited_; }
    bool JumpToAnchor(const std::string& name);
    virtual void FollowLink();
    virtual std::string ResolveLinkToFile(const std::string& link) const;

    // Scrolling.
    int32_t VerticalPosition() const { return vbar_->value(); }
    int32_t HorizontalPosition() const { return hpos_; }
    void ScrollTo(int32_t y);
    void ScrollToClamped(int32_t y);
    // A page control that got the focus out of view comes to the middle.
    void ScrollControlIntoView(const TFormControlObj& control);
    int32_t CurrentPosition() const;
    void RestorePosition(int32_t p);
    int32_t DocumentHeight() const { return docHeight_; }
    int32_t DocumentWidth() const { return docWidth_; }

    // Properties.
    void SetDefFontSize(int32_t size);
    int32_t DefFontSize() const { return defFontSize_; }
    void SetDefFontName(const std::string& name);
    void SetDefPreFontName(const std::string& name);
    void SetDefBackground(TColor color);
    void SetDefFontColor(TColor color);
    void SetDefHotSpotColor(TColor color);
    void SetDefVisitedLinkColor(TColor color);
    void SetDefOverLinkColor(TColor color);
    void SetCharSet(uint8_t charset);
    uint8_t CharSet() const { return doc_.FontCharset; }
    void SetHtOptions(ThtmlViewerOptions options);
    ThtmlViewerOptions HtOptions() const { return options_; }
    void SetMarginWidth(int32_t value);
    void SetMarginHeight(int32_t value);
    int32_t MarginWidth() const { return marginWidth_; }
    int32_t MarginHeight() const { return marginHeight_; }
    void SetViewImages(bool on);
    void SetImageCacheCount(int32_t count);
    int32_t ImageCacheCount() const { return imageCacheCount_; }
    void SetNoSelect(bool on);
    bool NoSelect() const { return noSelect_; }
    void SetScrollBars(TScrollStyle bars);
    void SetBorderStyle(THTMLBorderStyle style);
    void SetServerRoot(const std::string& root);
    const std::string& ServerRoot() const { return serverRoot_; }
    bool Processing() const { return processing_; }
    // The control's own colour (the page background, palette-relative).
    TColor Color() const { return color_; }

    TViewerDocument& Document() { return doc_; }
    QWidget* PaintPanel() const { return panel_; }
    QScrollBar* VertScrollBar() const { return vbar_; }
    QScrollBar* HorzScrollBar() const { return hbar_; }
    const TAnchorList& Anchors() const { return anchors_; }
    int32_t CaretIndex() const { return caret_; }
    bool PanMode() const { return panMode_; }
    bool AutoScrolling() const { return loopRunning_; }

    // The timers' work, callable from tests.
    void AnimationTick();
    void HotSpotTimerTick();
    void AutoScrollTick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    virtual void HtmlMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void HtmlMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    virtual void HtmlMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void DoubleClick(Qt::KeyboardModifiers shift, int x, int y);

private:
    struct Remembered {
        std::string file, title;
        uint8_t kind;
        int32_t position;
    };
    Remembered RememberPage() const;
    void Open(const std::string& name, uint8_t kind);
    void LoadDocument(const std::string& name, uint8_t kind);
    void ResetForLoad();
    ParseHooks PageHooks();
    void ParseAndShow(const std::function<ParseResult()>& parse, const std::function<void()>& place);
    void AfterParse(const ParseResult& result);
    void HandleMetaTag(const std::string& httpEquiv, const std::string& name, const std::string& content);
    void LayoutDocument();
    void ArrangeScrollBars();
    void RelayoutKeepingPosition();
    void ReapplyFontsKeepingPosition();
    void SetMargin(int32_t& property, int32_t& current, int32_t value);
    void SetProcessing(bool on);
    void ApplyDefaults();
    void PaintBuffered(QPainter& painter, const QRect& clip);
    void PaintBackground(QPainter& painter, const QRect& clip);
    void DocumentBackgroundChanged(TColor color);
    void PushHistoryEntry(const Remembered& old);
    void RecordVisited(const std::string& url);
    void MarkVisitedLinks();
    std::string ResolvedLinkUrl(const std::string& url) const;
    bool LinkAtPoint(int x, int y, TFormControlObj*& control, TUrlTarget& target);
    int32_t IndexAtPoint(int x, int y, bool& inText);
    bool ImageAtPoint(int x, int y, TImageObj*& image, int32_t& ix, int32_t& iy);
    bool WordAtPoint(int x, int y, std::string& word, int32_t& first, int32_t& last);
    void ExtendSelection(int x, int y);
    // The selected text to the clipboard, Ctrl+C and Ctrl+Insert.
    void CopySelection();
    void StartAutoScroll();
    void SetScrollFromBar(int value);
    // To y and back to the left edge.
    void ScrollToAtLeft(int32_t y);
    void SetPanelCursor(int engineCursor);
    uint32_t Now() const;

    const ScreenState& screen_;
    TStringBitmapList& cache_;
    QtMeasurer measurer_;
    SystemColors system_;
    std::unique_ptr<QtFormControlHost> controls_;  // outlives the document's controls
    TViewerDocument doc_;
    TAnchorList anchors_;
    QWidget* border_;
    TPaintPanel* panel_;
    T32ScrollBar* vbar_;
    QScrollBar* hbar_;
    int32_t scrollBarWidth_;
    QTimer hotSpotTimer_;
    QTimer animationTimer_;
    QTimer autoScrollTimer_;

    TDragOverEvent onDragOver_;
    TDragDropEvent onDragDrop_;
    TFormSubmitEvent onFormSubmit_;

    THistoryList history_;
    TVisitedList visited_;

    std::string title_, base_, baseTarget_, loadedFile_;
    uint8_t kind_ = kHtmlFile;
    std::string linkUrl_, linkTarget_;
    bool processing_ = false;
    bool layoutBusy_ = false;
    int32_t metaDelay_ = 0;
    std::string metaUrl_;
    int32_t docWidth_ = 0, docHeight_ = 0;
    int32_t hpos_ = 0;
    int32_t curMarginWidth_ = 10, curMarginHeight_ = 5;
    int32_t caret_ = 0;
    int32_t selAnchor_ = -1;
    bool settingBar_ = false;

    // Properties.
    std::string defFontName_ = "Times New Roman";
    std::string defPreFontName_ = "Courier New";
    int32_t defFontSize_ = 12;
    TColor defBackground_ = clBtnFace;
    TColor defFontColor_ = clBtnText;
    TColor hotSpotColor_ = 0xFF0000;
    TColor visitedColor_ = 0x800080;
    TColor overLinkColor_ = 0xFF0000;
    TColor color_ = clBtnFace;
    int32_t marginWidth_ = 10, marginHeight_ = 5;
    int32_t imageCacheCount_ = 5;
    bool noSelect_ = false;
    bool viewImages_ = true;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    THTMLBorderStyle borderStyle_ = THTMLBorderStyle::htFocused;
    std::string serverRoot_;
    ThtmlViewerOptions options_ = 0;

    // Mouse state.
    bool panMode_ = false;
    int panStartY_ = 0;
    bool loopRunning_ = false;
    bool selecting_ = false;
    bool selectionInProgress_ = false;
    bool linkJustClicked_ = false;
    std::optional<uint32_t> lastStep_;
    QPoint lastMouse_;
    int cursor_ = 0;  // engine cursor on the panel, 0 the arrow

    // The background tile, made once per picture.
    const TViewerPicture* tilePicture_ = nullptr;
    QPixmap tile_;
};

// The program's shared picture state, made on first use (after the QApplication).
const ScreenState& ProgramScreenState();
TStringBitmapList& ProgramImageCache();

}  // namespace htmlengine
