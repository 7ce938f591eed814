#pragma once
// Printing as the program's print-outs need it: pages in device units of the
// printer's resolution, fonts by name and point size, text placed by its top
// left corner, lines. PageCanvas is what print-out code writes to; the
// PagePrinter puts it on the default printer or into a PDF file.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Dialogs.h"

class QPainter;
class QPrinter;

namespace platform {

struct PageFont {
    std::string name;
    int points = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint32_t color = 0;  // 0x00BBGGRR, for texts
};

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
    virtual void SetPageFont(const PageFont& font) { SetFont(font.name, font.points, font.bold); }
    // For the lines drawn from now on.
    virtual void SetPenWidth(int /*width*/) {}
    virtual int TextHeight(const std::string& text) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
};

class PagePrinter : public PageCanvas {
public:
    // An empty file name prints on the default printer. Texts can be
    // measured before BeginDoc.
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
    void SetPageFont(const PageFont& font) override;
    void SetPenWidth(int width) override;
    int TextHeight(const std::string& text) override;
    int TextWidth(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;

    // The printer chosen in the print dialog, before BeginDoc: an output
    // file name prints into that PDF file, else the named printer.
    void UsePrinter(const PrintDialogResult& choice);

private:
    void ApplyFont();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    PageFont font_;
    int penWidth_ = 1;
    bool failed_ = false;
};

// The print dialog over Qt's; DefaultPrintDialog() runs it once installed.
PrintDialogResult RunPrintDialog(const PrintDialogRequest& request);
void InstallPrintDialog();

}  // namespace platform
