#include "documents/ui/PrnInfo_Unit.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "documents/FileAccess.h"
#include "documents/FontChoice.h"
#include "documents/PrintLayout.h"
#include "documents/VocabDocument.h"
#include "documents/ui/AppSettingsQt.h"
#include "platform/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/PagePrinter.h"

namespace {

const char* const kPreparingText = "Bitte warten, bereite die Druckdaten vor...";
const char* const kSendingText = "Bitte warten, sende die Daten zum Drucker...";
const char* const kCannotStartText = "Der Drucker konnte nicht angesprochen werden. Es wurde nichts gedruckt.";
const char* const kFailedText = "Beim Drucken ist ein Fehler aufgetreten. Der Ausdruck ist vielleicht unvollständig.";
constexpr int kStartDelayMs = 250;

std::string PageCountText(int pageCount) {
    return std::to_string(pageCount) + (pageCount == 1 ? " Seite" : " Seiten");
}

// The pages were chosen before the paper; on the paper chosen the list may
// have fewer of them.
std::string NoSuchPagesText(int pageCount) {
    return "Die gewählten Seiten gibt es auf dem gewählten Papier nicht: dort hat die Liste nur " +
           PageCountText(pageCount) + ". Es wurde nichts gedruckt.";
}

// Names what leaves nothing to print. The choice is judged on the list the
// dialog counted: when it had pages there, the paper chosen took them away.
std::string NothingToPrintText(const platform::PrintDialogResult& chosen, int pagesInDialog, int pageCount) {
    using platform::NothingChosen;
    switch (platform::WhyNothingChosen(chosen, pagesInDialog)) {
    case NothingChosen::No:
        break;
    case NothingChosen::PageSet: {
        const bool even = chosen.pageSet == platform::PrintDialogResult::PageSet::Even;
        return std::string("Mit „") + (even ? "Gerade" : "Ungerade") +
               " Seiten“ bleibt nichts zu drucken: Unter den gewählten Seiten ist keine mit " +
               (even ? "gerader" : "ungerader") + " Nummer (die Liste hat " + PageCountText(pageCount) +
               "). Es wurde nichts gedruckt.";
    }
    case NothingChosen::Range:
        return "Die gewählten Seiten „" + platform::PageRangeText(chosen.pages) +
               "“ gibt es nicht: Die Liste hat nur " + PageCountText(pageCount) + ". Es wurde nichts gedruckt.";
    }
    return NoSuchPagesText(pageCount);
}

platform::PageFont PageFontOf(const SchriftartenTyp& fonts, FontPlace place, int points, bool bold) {
    TFontObject font;
    FontRecToFont(fonts.*place, font, place);
    platform::PageFont page;
    page.name = font.Font.family().toStdString();
    page.points = points;
    page.bold = bold || font.Font.bold();
    page.italic = font.Font.italic();
    page.underline = font.Font.underline();
    page.strikeOut = font.Font.strikeOut();
    page.color = ColorToRec(font.Color);
    return page;
}

// The print fonts on the canvas: measuring and drawing use the same.
class CanvasFonts : public PrintMeasurer {
public:
    CanvasFonts(platform::PageCanvas& canvas, const SchriftartenTyp& fonts) : canvas_(canvas), fonts_(fonts) {}

    void Use(PrintFontRole role, int points) {
        switch (role) {
        case PrintFontRole::Print:
            canvas_.SetPageFont(PageFontOf(fonts_, &SchriftartenTyp::Print, points, false));
            break;
        case PrintFontRole::PrintBold:
            canvas_.SetPageFont(PageFontOf(fonts_, &SchriftartenTyp::Print, points, true));
            break;
        case PrintFontRole::ForeignLanguage:
            canvas_.SetPageFont(PageFontOf(fonts_, &SchriftartenTyp::PrintFS, points, false));
            break;
        case PrintFontRole::MotherTongue:
            canvas_.SetPageFont(PageFontOf(fonts_, &SchriftartenTyp::PrintMS, points, false));
            break;
        }
    }
    int TextWidth(PrintFontRole role, int points, const std::string& text) override {
        Use(role, points);
        return canvas_.TextWidth(text);
    }
    int TextHeight(PrintFontRole role, int points, const std::string& text) override {
        Use(role, points);
        return canvas_.TextHeight(text);
    }

private:
    platform::PageCanvas& canvas_;
    const SchriftartenTyp& fonts_;
};

void DrawPage(platform::PageCanvas& canvas, CanvasFonts& fonts, const std::vector<PrintItem>& items) {
    for (const PrintItem& item : items) {
        if (item.kind == PrintItem::Kind::Line) {
            canvas.SetPenWidth(item.pen);
            canvas.Line(item.x, item.y, item.x2, item.y2);
        } else {
            fonts.Use(item.role, item.points);
            canvas.TextOut(item.x, item.y, item.text);
        }
    }
    canvas.SetPenWidth(1);
}

}  // namespace

TPrintForm::TPrintForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      PrintEntries(std::make_unique<VokabelArrayTyp>()) {
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("Pelko32"));
    setModal(true);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(platform::Glyph("printer", "drucken").pixmap(32, 32));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    MSC_Image = new QLabel(this);
    MSC_Image->setObjectName(QStringLiteral("MSC_Image"));
    MSC_Image->hide();
    FSC_Image = new QLabel(this);
    FSC_Image->setObjectName(QStringLiteral("FSC_Image"));
    FSC_Image->hide();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Image1);
    layout->addWidget(Label1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a dialog border: neither resized nor maximised
    Timer9 = new QTimer(this);
    Timer9->setObjectName(QStringLiteral("Timer9"));
    Timer9->setSingleShot(true);
    Timer9->setInterval(kStartDelayMs);
    connect(Timer9, &QTimer::timeout, this, &TPrintForm::Timer9Timer);
    platform::InstallPrintDialog();
}

TPrintForm::~TPrintForm() = default;

void TPrintForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Label1->setText(QString::fromUtf8(kPreparingText));
    Timer9->start();
}

void TPrintForm::Timer9Timer() {
    Timer9->stop();
    Label1->setText(QString::fromUtf8(kSendingText));
    {
        platform::PagePrinter printer(OutputFileName);
        RunJob(printer);
    }
    accept();
}

void TPrintForm::reject() {
    // Esc before the job starts cancels it; a job under way runs to its end.
    if (!Timer9->isActive()) return;
    Timer9->stop();
    QDialog::reject();
}

void TPrintForm::RunJob(platform::PagePrinter& printer) {
    using namespace platform;
    // The wait cursor, but not over the print dialog or a message.
    std::optional<Hourglass> busy(std::in_place);
    VokabelArrayTyp& entries = *PrintEntries;
    for (int r = 1; r <= kMaxEntries; ++r) entries[size_t(r)].InUse = VocabDocument::IsEntryEmpty(entries[size_t(r)]) ? 0 : 1;
    const SchriftartenTyp shownFonts = ShownFonts(PrintFonts, Optionen);
    CanvasFonts fonts(printer, shownFonts);
    const PrintOptions options = PrintOptions::From(Optionen);
    const auto layout = [&] {
        return PrintJobLayout({printer.Resolution(), printer.PageWidth(), printer.PageHeight()}, shownFonts, options,
                              fonts, PrintFileName, PrintDescription, entries);
    };

    PrintDialogResult chosen;
    int pagesInDialog = 0;
    if (PrintWithDialog) {
        const int count = layout().PageCount();
        pagesInDialog = count;
        PrintDialogRequest request;
        request.maxPage = count;
        request.toPage = count;
        request.selectionEnabled = MarksAny(PrintMarks);
        busy.reset();
        chosen = Dialogs().PrintDialog(request);
        if (!chosen.accepted) return;
        busy.emplace();
        // The job is laid out again on the page chosen.
        printer.UsePrinter(chosen.setup);
        if (chosen.range == PrintDialogResult::Range::Selection) BlankUnmarkedRows(entries, PrintMarks);
    }
    const PrintJobLayout job = layout();
    const std::vector<int> pages = PagesToPrint(chosen, job.PageCount());
    if (pages.empty()) {
        busy.reset();
        Dialogs().MessageDlg(NothingToPrintText(chosen, pagesInDialog, job.PageCount()), MsgDlgType::Warning, mbOK);
        return;
    }

    const bool unnamed = PrintFileName == kCancelMarker;
    if (!printer.BeginDoc(unnamed ? std::string() : FileNameOnly(PrintFileName))) {
        busy.reset();
        Dialogs().MessageDlg(kCannotStartText, MsgDlgType::Error, mbOK);
        return;
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        QCoreApplication::processEvents();
        if (i > 0) printer.NewPage();
        DrawPage(printer, fonts, job.PageItems(pages[i]));
    }
    const bool done = printer.EndDoc();
    busy.reset();
    if (!done) Dialogs().MessageDlg(kFailedText, MsgDlgType::Error, mbOK);
}

TPrintForm& PrintForm() {
    static TPrintForm* form = new TPrintForm;
    return *form;
}
