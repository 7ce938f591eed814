// Parse + layout at 800 pixels and paint of a generated 1 MB page, of a
// help-sized page and of a table of 200 rows by 5 columns, next to
// QTextDocument (setHtml + layout, drawContents) on the same pages. The "exact" measurer asks Qt for every run's width, the way
// layout measured before the per-font table of byte advances.
//
// Parse + layout of large tables, with the heap they hold afterwards: the
// cost should follow the cells, not the places their spans cover.
//
// Layout alone of pages that are one long paragraph (many font runs, many
// links, one text run, many inline pictures) at about 500 KB and 1 MB: the
// time of the larger page should be about twice that of the smaller.
#include "htmlengine/PageCells.h"
#include "htmlengine/PagePars.h"
#include "htmlengine/ui/QtCanvas.h"
#include "htmlengine/ui/QtMeasurer.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>
#include <string>

using namespace htmlengine;

namespace {

constexpr int32_t kWidth = 800;

std::string HelpBlock(int n) {
    const std::string k = std::to_string(n);
    return "<h2>Abschnitt " + k + "</h2>\n<p>Im Abfragemodus zeigt der Trainer ein <b>deutsches Wort</b> und wartet auf "
           "die <i>fremdsprachige</i> Antwort. Siehe auch <a href=\"kapitel" + k + ".htm\">Kapitel " + k +
           "</a> und den <a href=\"index.htm#a" + k + "\">Index</a>. Falsche Antworten landen in der Fehlerliste, "
           "die sich sp&auml;ter erneut abfragen l&auml;sst.\n<ul><li>Erster Punkt mit etwas Text<li>Zweiter Punkt"
           "<li>Dritter Punkt mit <tt>fester Schrift</tt></ul>\n<ol><li>Eins<li>Zwei</ol>\n"
           "<p align=center><font size=+1 color=#800000>Hinweis</font><br>Zwei Zeilen in der Mitte.\n<hr>\n";
}

std::string Page(size_t bytes) {
    std::string html = "<html><head><title>Hilfe</title></head><body>\n";
    for (int n = 1; html.size() < bytes; ++n) html += HelpBlock(n);
    return html + "</body></html>\n";
}

const std::string& BigPage() {
    static const std::string page = Page(1 << 20);
    return page;
}
const std::string& HelpPage() {
    static const std::string page = Page(6 * 1024);
    return page;
}
const std::string& TablePage() {
    static const std::string page = [] {
        std::string html = "<html><body><table border=1 cellpadding=2 width=100%>\n"
                           "<tr><th>Nr.<th>Deutsch<th>Fremdsprache<th width=20%>Fach<th>Bemerkung</tr>\n";
        for (int n = 1; n <= 200; ++n) {
            const std::string k = std::to_string(n);
            html += "<tr" + std::string(n % 2 ? "" : " bgcolor=#eeeeee") + "><td align=right>" + k +
                    "<td>das Wort " + k + "<td>the word " + k + "<td align=center>" + std::to_string(n % 5 + 1) +
                    "<td>" + (n % 7 ? "" : "<b>schwer</b>, noch einmal abfragen") + "</tr>\n";
        }
        return html + "</table></body></html>\n";
    }();
    return page;
}
// One paragraph of the same piece over and over, about bytes long.
enum Shape : int64_t { BoldRuns, SizeRuns, Links, OneRun, Images, ShapeCount };
const std::string& LongPage(int64_t shape, int64_t kilobytes);

const std::string& PageOf(int64_t which) {
    return which == 0 ? BigPage() : which == 1 ? HelpPage() : which == 2 ? TablePage() : LongPage(Links, 512);
}

std::string LongParagraph(int64_t shape, size_t bytes) {
    static const char* const words[] = {"Wort", "und", "Abfrage", "die", "Fehlerliste", "sp\xE4ter", "Kapitel"};
    std::string html = "<html><body><p>";
    for (int n = 0; html.size() < bytes; ++n) {
        const std::string word = words[n % 7];
        switch (shape) {
        case BoldRuns: html += "<b>x</b> "; break;
        case SizeRuns: html += "<font size=" + std::to_string(n % 7 + 1) + ">w</font> "; break;
        case Links: html += "<a href=\"k" + std::to_string(n % 100) + ".htm\">" + word + "</a> "; break;
        case OneRun: html += word + " "; break;
        default: html += "<img src=b.gif width=" + std::to_string(8 + n % 9) + " height=12> "; break;
        }
    }
    return html + "</body></html>\n";
}

const std::string& LongPage(int64_t shape, int64_t kilobytes) {
    static std::string pages[ShapeCount][2];
    std::string& page = pages[shape][kilobytes > 512];
    if (page.empty()) page = LongParagraph(shape, size_t(kilobytes) * 1024);
    return page;
}

// Widths straight from Qt for every run.
class ExactMeasurer : public TextMeasurer {
public:
    FontMetrics Metrics(const FontSpec& font) override { return table_.Metrics(font); }
    int32_t Extent(const FontSpec& font, std::string_view run, int32_t n) override {
        QFontMetrics fm(table_.Lookup(font).font);
        n = std::clamp<int32_t>(n, 0, static_cast<int32_t>(run.size()));
        return fm.horizontalAdvance(QtMeasurer::Decode(font, run.substr(0, static_cast<size_t>(n))));
    }
    FontSpec DefaultGuiFont() override { return table_.DefaultGuiFont(); }

private:
    QtMeasurer table_;
};

std::string Repeat(const std::string& s, int n) {
    std::string r;
    r.reserve(s.size() * size_t(n));
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

// 0: 100 columns by 600 rows; 1: 2 columns by 130 000 rows; 2: 200 columns
// by 12 001 rows, 199 cells spanning all rows; 3: 199 cells spanning 999 999
// rows over 130 000 rows; 4: one cell of 200 columns by 999 999 rows over
// 130 000 rows.
const std::string& BigTable(int64_t which) {
    static std::string pages[5];
    std::string& page = pages[which];
    if (!page.empty()) return page;
    const std::string head = "<html><body><table border=1>";
    switch (which) {
    case 0: page = head + Repeat("<tr>" + Repeat("<td>Wort", 100), 600); break;
    case 1: page = head + Repeat("<tr><td>das Wort<td>the word", 130000); break;
    case 2: page = head + "<tr>" + Repeat("<td rowspan=12001>Wort", 199) + Repeat("<td>x<tr>", 12001); break;
    case 3: page = head + "<tr>" + Repeat("<td rowspan=999999>Wort", 199) + Repeat("<tr>", 130000); break;
    default: page = head + "<tr><td colspan=200 rowspan=999999>Wort" + Repeat("<tr>", 130000); break;
    }
    page += "</table></body></html>\n";
    return page;
}

void EngineBigTable(benchmark::State& state) {
    const std::string& html = BigTable(state.range(0));
    QtMeasurer measurer;
    size_t heap = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        TSectionList doc;
        doc.Measurer = &measurer;
        TAnchorList anchors;
        ParseFromBuffer(doc, anchors, html.data(), static_cast<int32_t>(html.size()));
        benchmark::DoNotOptimize(doc.LayoutDocument(kWidth));
        heap = mallinfo2().uordblks - before;
    }
    state.counters["heap_MB"] = double(heap) / (1 << 20);
    state.counters["page_KB"] = double(html.size()) / 1024;
}

template <class M>
void EngineParseLayout(benchmark::State& state) {
    const std::string& html = PageOf(state.range(0));
    M measurer;
    for (auto _ : state) {
        TSectionList doc;
        doc.Measurer = &measurer;
        TAnchorList anchors;
        ParseFromBuffer(doc, anchors, html.data(), static_cast<int32_t>(html.size()));
        benchmark::DoNotOptimize(doc.LayoutDocument(kWidth));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(html.size()));
}

void EnginePaint(benchmark::State& state) {
    const std::string& html = PageOf(state.range(0));
    QtMeasurer measurer;
    SystemColors system;
    TSectionList doc;
    doc.Measurer = &measurer;
    TAnchorList anchors;
    ParseFromBuffer(doc, anchors, html.data(), static_cast<int32_t>(html.size()));
    const int32_t height = doc.LayoutDocument(kWidth);
    QImage image(kWidth, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QtCanvas canvas(painter, measurer, system, {0, 0, kWidth, 1000});
        doc.PaintAt(canvas, {0, 0, kWidth, height}, 0, 0, kWidth);
    }
}

// Layout alone (a resize), the page parsed once; or parse and layout (opening it).
template <bool Parse>
void EngineLayoutLong(benchmark::State& state) {
    const std::string& html = LongPage(state.range(0), state.range(1));
    QtMeasurer measurer;
    auto parsed = [&] {
        auto doc = std::make_unique<TSectionList>();
        doc->Measurer = &measurer;
        TAnchorList anchors;
        ParseFromBuffer(*doc, anchors, html.data(), static_cast<int32_t>(html.size()));
        return doc;
    };
    std::unique_ptr<TSectionList> doc = parsed();
    for (auto _ : state) {
        if (Parse) {
            doc.reset();
            doc = parsed();
        }
        benchmark::DoNotOptimize(doc->LayoutDocument(kWidth));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(html.size()));
}

void QtParseLayout(benchmark::State& state) {
    const QString html = QString::fromLatin1(PageOf(state.range(0)));
    for (auto _ : state) {
        QTextDocument doc;
        doc.setTextWidth(kWidth);
        doc.setHtml(html);
        benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
    }
}

void QtPaint(benchmark::State& state) {
    QTextDocument doc;
    doc.setTextWidth(kWidth);
    doc.setHtml(QString::fromLatin1(PageOf(state.range(0))));
    doc.documentLayout()->documentSize();
    QImage image(kWidth, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        doc.drawContents(&painter);
    }
}

}  // namespace

// Argument 0: the 1 MB page; 1: the help-sized page; 2: the table.
BENCHMARK(EngineParseLayout<QtMeasurer>)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(EngineParseLayout<ExactMeasurer>)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(QtParseLayout)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(EngineBigTable)->DenseRange(0, 4)->MinTime(2)->Unit(benchmark::kMillisecond);
// Arguments: the shape (0 bold runs, 1 font sizes, 2 links, 3 one run, 4
// inline pictures) and the page size in KB.
BENCHMARK(EngineLayoutLong<false>)
    ->ArgsProduct({{BoldRuns, SizeRuns, Links, OneRun, Images}, {512, 1024}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EngineLayoutLong<true>)
    ->ArgsProduct({{BoldRuns, SizeRuns, Links, OneRun, Images}, {512, 1024}})
    ->Unit(benchmark::kMillisecond);
// Painting also of argument 3: a paragraph of underlined links (500 KB).
BENCHMARK(EnginePaint)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(QtPaint)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
