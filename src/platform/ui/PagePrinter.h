#pragma once
// Printing as the program's print-outs need it: pages in device units of the
// printer's resolution, fonts by name and point size, text placed by its top
// left corner, lines. PageCanvas is what print-out code writes to; the
// PagePrinter puts it on a printer or into a PDF file.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Dialogs.h"
#include "platform/PrintChoice.h"

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
    // Every job prints at this resolution, whatever the printer's own: the
    // print-outs' gaps are device pixels made for it.
    static constexpr int kResolution = 300;

    // The program's printer and page (the print dialog's last choice, see
    // UsePrinter), into the PDF file when one is named; a PDF file chosen
    // earlier is not written again. Texts can be measured before BeginDoc.
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

    // The printer and page chosen in the print dialog, before BeginDoc; they
    // stay the program's printer. Without a printer name or file name the
    // job keeps its printer.
    void UsePrinter(const PrintSetup& setup);

private:
    void ApplyFont();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    PageFont font_;
    int penWidth_ = 1;
    bool failed_ = false;
};

// The print dialog over Qt's, opened on the program's printer;
// DefaultPrintDialog() runs it once installed.
PrintDialogResult RunPrintDialog(const PrintDialogRequest& request);
void InstallPrintDialog();

// The program's printer and page for jobs without a dialog of their own.
const PrintSetup& ProgramPrintSetup();
void SetProgramPrintSetup(const PrintSetup& setup);

// What a Qt printer is set up for, and the other way round; the dialog
// leaves its choice on its printer.
PrintDialogResult ReadPrintChoice(QPrinter& printer);
void ApplyPrintSetup(QPrinter& printer, const PrintSetup& setup);

}  // namespace platform
