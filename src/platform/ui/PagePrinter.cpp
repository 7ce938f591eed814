#include "platform/ui/PagePrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
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

}  // namespace

PagePrinter::PagePrinter(const std::string& pdfFileName)
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    if (!pdfFileName.empty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(Text(pdfFileName));
    }
}

PagePrinter::~PagePrinter() {
    if (painter_ != nullptr && painter_->isActive()) painter_->end();
}

void PagePrinter::UsePrinter(const PrintDialogResult& choice) {
    if (!choice.outputFileName.empty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(Text(choice.outputFileName));
    } else if (!choice.printerName.empty()) {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(Text(choice.printerName));
    }
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
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer);
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize;
    if (request.selectionEnabled) options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    dialog.setMinMax(request.minPage, request.maxPage);
    printer.setFromTo(request.fromPage, request.toPage);
    PrintDialogResult result;
    if (dialog.exec() != QDialog::Accepted) return result;
    result.accepted = true;
    switch (printer.printRange()) {
    case QPrinter::Selection:
        result.range = PrintDialogResult::Range::Selection;
        break;
    case QPrinter::PageRange:
        result.range = PrintDialogResult::Range::Pages;
        break;
    case QPrinter::AllPages:
    case QPrinter::CurrentPage:
        break;
    }
    result.fromPage = printer.fromPage();
    result.toPage = printer.toPage();
    result.copies = std::max(1, printer.copyCount());
    result.printerName = printer.printerName().toStdString();
    if (printer.outputFormat() == QPrinter::PdfFormat) result.outputFileName = printer.outputFileName().toStdString();
    return result;
}

void InstallPrintDialog() {
    if (!DefaultPrintDialog()) DefaultPrintDialog() = &RunPrintDialog;
}

}  // namespace platform
