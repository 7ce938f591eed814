#pragma once
// The print window: takes a copy of a document's data, asks the print
// dialog when the job wants it, prints the list and closes itself. It shows
// what it is doing while the job runs.

#include <QDialog>
#include <memory>
#include <string>

#include "documents/AppSettings.h"

class QLabel;
class QTimer;

namespace platform {
class PagePrinter;
}

class TPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget* parent = nullptr);
    ~TPrintForm() override;

    // The job, copied in before each show.
    bool PrintWithDialog = true;
    std::string PrintFileName;
    std::string PrintDescription;
    std::unique_ptr<VokabelArrayTyp> PrintEntries;
    MarkierungTyp PrintMarks{};
    SchriftartenTyp PrintFonts{};

    // Empty: the default printer, unless the dialog names another; else the
    // job goes into this PDF file.
    std::string OutputFileName;

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* MSC_Image = nullptr;
    QLabel* FSC_Image = nullptr;
    QTimer* Timer9 = nullptr;

    void Timer9Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void RunJob(platform::PagePrinter& printer);
};

// The print window of the run, made on first use.
TPrintForm& PrintForm();
