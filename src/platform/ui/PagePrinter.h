#pragma once
// Printing as the program's print-outs need it: pages in device units of the
// printer's resolution, fonts by name and point size, text placed by its top
// left corner, lines. PageCanvas is what print-out code writes to; the
// PagePrinter puts it on the default printer or into a PDF file.

#include <memory>
#include <string>

class QPainter;
class QPrinter;

namespace platform {

class PageCanvas {
public:
    virtual ~PageCanvas() = default;
    // False when the job could not start.
    virtual bool BeginDoc(const std::string& title) = 0;
    // False when the job failed somewhere since BeginDoc.
    virtual bool EndDoc() = 0;
    virtual bool NewPage() = 0;
    virtual int Resolution() const = 0;  // dots per inch
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // Texts are UTF-8.
    virtual void SetFont(const std::string& name, int points, bool bold) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
};

class PagePrinter : public PageCanvas {
public:
    // An empty file name prints on the default printer.
    explicit PagePrinter(const std::string& pdfFileName = {});
    ~PagePrinter() override;
    PagePrinter(const PagePrinter&) = delete;
    PagePrinter& operator=(const PagePrinter&) = delete;

    bool BeginDoc(const std::string& title) override;
    bool EndDoc() override;
    bool NewPage() override;
    int Resolution() const override;
    int PageWidth() const override;
    int PageHeight() const override;
    void SetFont(const std::string& name, int points, bool bold) override;
    int TextHeight(const std::string& text) override;
    int TextWidth(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;

private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    bool failed_ = false;
};

}  // namespace platform
