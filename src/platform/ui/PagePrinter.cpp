#include "platform/ui/PagePrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace platform {

namespace {
QString Text(const std::string& text) { return QString::fromStdString(text); }
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

bool PagePrinter::BeginDoc(const std::string& title) {
    failed_ = false;
    printer_->setDocName(Text(title));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        return false;
    }
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
    if (painter_ == nullptr) return;
    QFont font(Text(name));
    font.setPointSize(points);
    font.setBold(bold);
    painter_->setFont(font);
}

int PagePrinter::TextHeight(const std::string& text) {
    if (painter_ == nullptr) return 0;
    return painter_->fontMetrics().boundingRect(Text(text)).height();
}

int PagePrinter::TextWidth(const std::string& text) {
    if (painter_ == nullptr) return 0;
    return painter_->fontMetrics().horizontalAdvance(Text(text));
}

void PagePrinter::TextOut(int x, int y, const std::string& text) {
    if (painter_ == nullptr) {
        failed_ = true;
        return;
    }
    painter_->drawText(x, y + painter_->fontMetrics().ascent(), Text(text));
}

void PagePrinter::Line(int x1, int y1, int x2, int y2) {
    if (painter_ == nullptr) {
        failed_ = true;
        return;
    }
    painter_->drawLine(x1, y1, x2, y2);
}

}  // namespace platform
