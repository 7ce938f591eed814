#pragma once
// Cells and the document root. A TCell is a vertical run of sections (the
// page body, the content of a table cell); TSectionList is the page: its top
// cell plus the defaults, colours, background, maps, controls, links and the
// hooks towards the viewer. The document owns every section it created; its
// lists of links, controls and the anchor list only observe them.

#include "htmlengine/Canvas.h"
#include "htmlengine/PageSubs.h"
#include "htmlengine/PageUn2.h"
#include "htmlengine/SectionDocument.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace htmlengine {

class TSectionList;

// A section that cannot be laid out; its cell reports the message and drops it.
class EProcessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Widths of a page are capped here.
constexpr int32_t MaxDocumentWidth = 6000;

class TCell : public TFreeList<TSectionBase> {
public:
    explicit TCell(TSectionList* document) : Document(document) {}
    virtual ~TCell() = default;

    TSectionList* Document;
    int32_t LayoutY = 0;
    int32_t FirstIndex = 0;
    int32_t CellLen = 0;
    bool HasBgColor = false;
    [[no_unique_address]] IndentManagerBasic Indents;  // the colour lies in the room after its last field
    TColor BgColor = 0;

    // Ignores null; finishes a text section and makes this cell's document its own.
    void Add(std::unique_ptr<TSectionBase> section);
    void ReapplyFonts();

    virtual int32_t LayoutAt(TextMeasurer& m, int32_t y, int32_t& index, int32_t& maxWidth, int32_t width);
    // A section that cannot be measured leaves the cell as in layout.
    virtual void WidthRange(TextMeasurer& m, int32_t& min, int32_t& max);
    virtual int32_t PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, int32_t clipWidth);
    // y is relative to the cell's top.
    virtual bool UrlAtPoint(TextMeasurer& m, int32_t x, int32_t y, TFormControlObj*& control, TUrlTarget& target);
    bool ImageAtPoint(int32_t x, int32_t y, int32_t& ix, int32_t& iy, TImageObj*& image);
    // The section holding y, with its top and number; null below the last.
    TSectionBase* SectionAt(int32_t y, int32_t& top, int32_t& number);
    int32_t CursorFromPoint(TextMeasurer& m, int32_t x, int32_t y, bool& inText, int32_t& lineHeight,
                            int32_t& lineY, int32_t& caretX, TCell*& cell);
    int32_t FindTextFrom(int32_t start, std::string_view text, bool matchCase);
    int32_t DisplayToSource(int32_t index);
    int32_t SourceToDisplay(int32_t offset, bool fromEnd);
    bool CaretPoint(TextMeasurer& m, int32_t index, int32_t& y, int32_t& x);
    bool CharAt(int32_t index, char& ch, TSectionBase*& section);
    void CopySelected();

private:
    void Drop(int32_t i, const EProcessError& e);
};

// One table cell: its spans, its sizes and its content.
class TCellObj {
public:
    TCellObj(TSectionList* document, const TAttributeList& attributes, uint8_t valign);

    int32_t Col = 0;  // the grid column of its first place
    int32_t ColSpan = 1;
    int32_t RowSpan = 1;
    int32_t CellWidth = 0;
    int32_t CellHeight = 0;
    int32_t ContentHeight = 0;
    int32_t SpecHeight = 0;
    int32_t YIndent = 0;
    int32_t SpecWidth = 0;    // pixels, or percent times 10
    uint8_t VAlign;           // 0 top, 1 middle, 2 bottom
    bool WidthIsPercent = false;
    // The content, held like an owner holds it, in the same block as the cell's sizes.
    class CellHolder {
    public:
        explicit CellHolder(TSectionList* document) : cell_(document) {}
        TCell* get() const { return &cell_; }
        TCell* operator->() const { return &cell_; }
        TCell& operator*() const { return cell_; }
        explicit operator bool() const { return true; }

    private:
        mutable TCell cell_;
    } Cell;

    bool HasContent() const { return !Cell->Empty(); }
};

// One table row: its own cells, in the order of their columns.
class TCellList : public TFreeList<TCellObj> {
public:
    explicit TCellList(const TAttributeList* attributes = nullptr);
    bool HasBgColor = false;
    TColor BgColor = 0;
    int32_t Places = 0;  // grid places up to its last, those spans from above cover included
    int32_t RowHeight = 0;
    int32_t SpanHeight = 0;  // of its tallest cell, row spans included
};

// What a percentage HEIGHT of a table on the page is taken of.
struct TViewport {
    int32_t ClientHeight = 0;
    int32_t MarginHeight = 0;  // the viewer's top margin
};

class TSectionList : public TCell, public SectionDocument {
public:
    TSectionList();
    ~TSectionList() override;
    TSectionList(const TSectionList&) = delete;
    TSectionList& operator=(const TSectionList&) = delete;

    bool ControlsMoved = false;
    uint8_t LinkStyle = fsUnderline;  // OR-ed into link fonts
    bool LinksActive = false;         // hover colouring
    bool ViewerOwned = false;         // the viewer control fills it (margins, META charset)
    std::string BgImageName;
    bool BgRequested = false;
    ImagePicture* BgPicture = nullptr;
    int32_t DrawBottom = 0;
    TFreeList<TMapItem> MapList;
    std::vector<TFormControlObj*> AllControls;  // observes
    // Sections that never joined a cell (a table cut short by an error).
    TFreeList<TSectionBase> Orphans;
    TViewport Viewport;

    // Hooks towards the viewer, each optional.
    std::function<void(TColor)> OnBackgroundChanged;
    std::function<std::string(const std::string&)> OnExpandName;
    std::function<void(const std::string& name, const std::string& language, const std::string& text)> OnScript;
    std::function<void(int32_t width, int32_t height)> OnMargins;  // -1: not given
    std::function<void(const std::string&)> OnLayoutError;
    std::function<void()> OnInvalidate;

    void ClearDocument();
    void SetDocumentDefaults(const std::string& fontName, const std::string& preFontName, bool linksActive,
                             TColor background, TColor overLinkColor, TColor visitedColor, TColor hotSpotColor,
                             TColor fontColor, int32_t fontSize);
    void SetBackground(TColor color);
    void SetBackgroundImage(const std::string& name);
    void SetYOffset(int32_t y);
    void ClearActive();
    int32_t TopOfSection(int32_t n) const;
    ImagePicture* GetBackground();
    // Keeps a section that never joined a cell until the document is cleared.
    void Adopt(std::unique_ptr<TSectionBase> section);

    int32_t LayoutAt(TextMeasurer& m, int32_t y, int32_t& index, int32_t& maxWidth, int32_t width) override;
    // The whole page for a width (capped); returns its height.
    int32_t LayoutDocument(int32_t width, int32_t* maxWidth = nullptr);
    int32_t PaintAt(Canvas& canvas, const TRect& clip, int32_t y, int32_t x, int32_t clipWidth) override;
    bool UrlAtPoint(TextMeasurer& m, int32_t x, int32_t y, TFormControlObj*& control, TUrlTarget& target) override;
    void ParkHiddenControls() override;

    std::string ExpandImageName(const std::string& source) override;
    const TMapItem* FindMap(const std::string& name) const override;

private:
    bool bgTaken_ = false;
};

}  // namespace htmlengine
