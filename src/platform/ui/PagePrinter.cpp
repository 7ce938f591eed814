#include "platform/ui/PagePrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <algorithm>

namespace platform {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QFont ToQFont(const PageFont& pageFont) {
    QFont font(Text(pageFont.name));
    font.setPointSize(std::max(1, pageFont.points));
    font.setBold(pageFont.bold);
    font.setItalic(pageFont.italic);
    font.setUnderline(pageFont.underline);
    font.setStrikeOut(pageFont.strikeOut);
    return font;
}

QColor ToQColor(uint32_t color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// Where the print dialog leaves the print system's options of the job on
// its printer: a list of names and values, one after the other.
constexpr auto kJobOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

constexpr std::pair<PrintSetup::Duplex, QPrinter::DuplexMode> kDuplexModes[] = {
    {PrintSetup::Duplex::None, QPrinter::DuplexNone},
    {PrintSetup::Duplex::Auto, QPrinter::DuplexAuto},
    {PrintSetup::Duplex::LongSide, QPrinter::DuplexLongSide},
    {PrintSetup::Duplex::ShortSide, QPrinter::DuplexShortSide},
};

PrintSetup& ProgramSetup() {
    static PrintSetup setup;
    return setup;
}

}  // namespace

const PrintSetup& ProgramPrintSetup() { return ProgramSetup(); }

void SetProgramPrintSetup(const PrintSetup& setup) { ProgramSetup() = setup; }

void ApplyPrintSetup(QPrinter& printer, const PrintSetup& setup) {
    if (!setup.outputFileName.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Text(setup.outputFileName));
    } else if (!setup.printerName.empty()) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(Text(setup.printerName));
    }
    const QPageLayout current = printer.pageLayout();
    const QPageSize paper = setup.paperWidth > 0 && setup.paperHeight > 0
                                ? QPageSize(QSizeF(setup.paperWidth, setup.paperHeight), QPageSize::Millimeter,
                                            QString(), QPageSize::FuzzyMatch)
                                : current.pageSize();
    const QMarginsF margins =
        setup.margins ? QMarginsF(setup.margins->left, setup.margins->top, setup.margins->right, setup.margins->bottom)
                      : current.margins(QPageLayout::Millimeter);
    printer.setPageLayout(QPageLayout(paper, setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      margins, QPageLayout::Millimeter));
    for (const auto& [duplex, mode] : kDuplexModes) {
        if (duplex == setup.duplex) printer.setDuplex(mode);
    }
    if (setup.grayscale) printer.setColorMode(*setup.grayscale ? QPrinter::GrayScale : QPrinter::Color);
    if (printer.outputFormat() == QPrinter::NativeFormat && !setup.jobOptions.empty()) {
        QStringList options;
        for (const auto& [name, value] : setup.jobOptions) options << Text(name) << Text(value);
        printer.printEngine()->setProperty(kJobOptionsKey, options);
    }
    printer.setResolution(PagePrinter::kResolution);
}

PrintDialogResult ReadPrintChoice(QPrinter& printer) {
    PrintDialogResult result;
    result.accepted = true;
    switch (printer.printRange()) {
    case QPrinter::Selection:
        result.range = PrintDialogResult::Range::Selection;
        break;
    case QPrinter::PageRange:
        result.range = PrintDialogResult::Range::Pages;
        for (const QPageRanges::Range& range : printer.pageRanges().toRangeList()) {
            result.pages.push_back({range.from, range.to});
        }
        break;
    case QPrinter::AllPages:
    case QPrinter::CurrentPage:
        break;
    }
    result.copies = std::max(1, printer.copyCount());
    result.collate = printer.collateCopies();
    result.lastPageFirst = printer.pageOrder() == QPrinter::LastPageFirst;

    PrintSetup& setup = result.setup;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        setup.outputFileName = printer.outputFileName().toStdString();
    } else {
        setup.printerName = printer.printerName().toStdString();
    }
    const QPageLayout layout = printer.pageLayout();
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    setup.paperWidth = paper.width();
    setup.paperHeight = paper.height();
    setup.landscape = layout.orientation() == QPageLayout::Landscape;
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    setup.margins = PrintSetup::Margins{margins.left(), margins.top(), margins.right(), margins.bottom()};
    for (const auto& [duplex, mode] : kDuplexModes) {
        if (mode == printer.duplex()) setup.duplex = duplex;
    }
    setup.grayscale = printer.colorMode() == QPrinter::GrayScale;
    const QStringList options = printer.printEngine()->property(kJobOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        setup.jobOptions.emplace_back(options[i].toStdString(), options[i + 1].toStdString());
    }
    TakePageOptions(result);
    return result;
}

PagePrinter::PagePrinter(const std::string& pdfFileName) : printer_(std::make_unique<QPrinter>()) {
    PrintSetup setup = ProgramPrintSetup();
    setup.outputFileName = pdfFileName;
    ApplyPrintSetup(*printer_, setup);
}

PagePrinter::~PagePrinter() {
    if (painter_ != nullptr && painter_->isActive()) painter_->end();
}

void PagePrinter::UsePrinter(const PrintSetup& setup) {
    ApplyPrintSetup(*printer_, setup);
    SetProgramPrintSetup(setup);
}

bool PagePrinter::BeginDoc(const std::string& title) {
    failed_ = false;
    printer_->setDocName(Text(title));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        return false;
    }
    ApplyFont();
    return true;
}

bool PagePrinter::EndDoc() {
    if (painter_ == nullptr) return false;
    const bool ended = painter_->end();
    painter_.reset();
    return ended && !failed_;
}

bool PagePrinter::NewPage() {
    if (painter_ == nullptr || !printer_->newPage()) {
        failed_ = true;
        return false;
    }
    return true;
}

int PagePrinter::Resolution() const { return printer_->resolution(); }

int PagePrinter::PageWidth() const { return printer_->width(); }

int PagePrinter::PageHeight() const { return printer_->height(); }

void PagePrinter::SetFont(const std::string& name, int points, bool bold) {
    PageFont font;
    font.name = name;
    font.points = points;
    font.bold = bold;
    SetPageFont(font);
}

void PagePrinter::SetPageFont(const PageFont& font) {
    font_ = font;
    ApplyFont();
}

void PagePrinter::SetPenWidth(int width) { penWidth_ = width; }

void PagePrinter::ApplyFont() {
    if (painter_ != nullptr) painter_->setFont(ToQFont(font_));
}

// Measured on the printer itself, so a job can be laid out before it starts.
int PagePrinter::TextHeight(const std::string& text) {
    return QFontMetrics(ToQFont(font_), printer_.get()).boundingRect(Text(text)).height();
}

int PagePrinter::TextWidth(const std::string& text) {
    return QFontMetrics(ToQFont(font_), printer_.get()).horizontalAdvance(Text(text));
}

void PagePrinter::TextOut(int x, int y, const std::string& text) {
    if (painter_ == nullptr) {
        failed_ = true;
        return;
    }
    painter_->setPen(ToQColor(font_.color));
    painter_->drawText(x, y + painter_->fontMetrics().ascent(), Text(text));
}

void PagePrinter::Line(int x1, int y1, int x2, int y2) {
    if (painter_ == nullptr) {
        failed_ = true;
        return;
    }
    painter_->setPen(QPen(Qt::black, penWidth_));
    painter_->drawLine(x1, y1, x2, y2);
}

PrintDialogResult RunPrintDialog(const PrintDialogRequest& request) {
    QPrinter printer;
    ApplyPrintSetup(printer, ProgramPrintSetup());
    QPrintDialog dialog(&printer);
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize;
    if (request.selectionEnabled) options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    dialog.setMinMax(request.minPage, request.maxPage);
    printer.setFromTo(request.fromPage, request.toPage);
    if (dialog.exec() != QDialog::Accepted) return {};
    return ReadPrintChoice(printer);
}

void InstallPrintDialog() {
    if (!DefaultPrintDialog()) DefaultPrintDialog() = &RunPrintDialog;
}

}  // namespace platform
