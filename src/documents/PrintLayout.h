#pragma once
// The printed vocabulary list as plain data: margins and columns from the
// page, long fields shrunk or wrapped, the description, the rows placed on
// pages, and for each page the texts and lines to draw. Texts are measured
// through PrintMeasurer, so the layout runs without a printer.

#include <cstdint>
#include <string>
#include <vector>

#include "documents/AppSettings.h"

// The fonts of a print-out: the print font, it made bold, and the two
// column fonts. The records are the document's print fonts.
enum class PrintFontRole { Print, PrintBold, ForeignLanguage, MotherTongue };

class PrintMeasurer {
public:
    virtual ~PrintMeasurer() = default;
    // In printer pixels; the text is UTF-8.
    virtual int TextWidth(PrintFontRole role, int points, const std::string& text) = 0;
    virtual int TextHeight(PrintFontRole role, int points, const std::string& text) = 0;
};

struct PrintOptions {
    bool count = true;        // "Anzahl mitdrucken"
    bool numbers = true;      // "Vokabelnummern drucken"
    bool grid = true;         // "Gitternetz drucken"
    bool wrap = true;         // "Zeilenumbruch, wenn zu lang"
    bool shrink = true;       // "Schriftart Verkleinern, wenn zu lang"
    bool description = true;  // "Beschreibung mitdrucken"
    int maxShrink = 2;        // points; negative: down to 2 points

    static PrintOptions From(const OptionenTyp& options);
};

struct PageMetrics {
    int dpi = 0;  // horizontal
    int width = 0;
    int height = 0;
};

struct PrintLayoutValues {
    int left = 0;        // L
    int right = 0;       // R
    int column = 0;      // C
    int normalLine = 0;  // print font
    int headerLine = 0;  // H, print font bold
    int fsLine = 0;
    int msLine = 0;
    int top = 0;  // T
};

// A field as printed: its size and one or two lines (code-page bytes).
struct BrokenField {
    int points = 0;
    std::string first;
    std::string second;
};

struct PrintItem {
    enum class Kind { Text, Line };
    Kind kind = Kind::Text;
    int x = 0, y = 0;    // text: top left; line: start
    int x2 = 0, y2 = 0;  // line end
    int pen = 1;
    PrintFontRole role = PrintFontRole::Print;
    int points = 0;
    std::string text;  // UTF-8
};

class PrintLayout {
public:
    PrintLayout(const PageMetrics& page, const SchriftartenTyp& fonts, const PrintOptions& options,
                PrintMeasurer& measurer);

    const PrintLayoutValues& Values() const { return values_; }
    // For a field wider than the column.
    BrokenField BreakLines(const std::string& field, PrintFontRole role) const;
    // Room an entry takes; 0 for an empty one.
    int CalcHeight(const VokabelTyp& entry) const;
    // At most five lines as wide as both columns.
    std::vector<std::string> DescrBreak(const std::string& description) const;

    int FontSize(PrintFontRole role) const;
    int Width(PrintFontRole role, int points, const std::string& bytes) const;
    std::string Utf8(PrintFontRole role, const std::string& bytes) const;

private:
    PageMetrics page_;
    SchriftartenTyp fonts_;
    PrintOptions options_;
    PrintMeasurer& measurer_;
    PrintLayoutValues values_;
};

// A whole job: the rows placed on pages exactly as they are printed, and
// each page's items. The entries must outlive it.
class PrintJobLayout {
public:
    PrintJobLayout(const PageMetrics& page, const SchriftartenTyp& fonts, const PrintOptions& options,
                   PrintMeasurer& measurer, const std::string& fileName, const std::string& description,
                   const VokabelArrayTyp& entries);

    int PageCount() const { return int(pages_.size()); }
    // The rows of page p (1-based), in order; none past the last page.
    std::vector<int> RowsOfPage(int page) const;
    std::vector<PrintItem> PageItems(int page) const;
    const PrintLayout& Layout() const { return layout_; }
    const std::vector<std::string>& DescriptionLines() const { return descriptionLines_; }

private:
    struct PlacedRow {
        int row = 0;
        int y = 0;
    };
    void Paginate();
    void AddRow(std::vector<PrintItem>& items, int row, int y) const;
    void AddColumn(std::vector<PrintItem>& items, int x, int y, int lineHeight, PrintFontRole role,
                   const VokabelTyp& entry, int firstField, int lastField) const;

    PageMetrics page_;
    PrintOptions options_;
    PrintLayout layout_;
    std::string fileName_;
    const VokabelArrayTyp& entries_;
    std::vector<std::string> descriptionLines_;
    std::vector<std::vector<PlacedRow>> pages_;
    int usedRows_ = 0;
};

// The print range "selection": every unmarked row becomes blank.
void BlankUnmarkedRows(VokabelArrayTyp& entries, const MarkierungTyp& marks);
