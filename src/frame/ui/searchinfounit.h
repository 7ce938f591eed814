#pragma once
// The progress window of search in files: shown modeless and on top, it
// runs the search 250 ms after it appears, fills the result document hit by
// hit and tells at the end what it found.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "documents/ui/Childwin.h"
#include "frame/FileSearch.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class TMDIChild;

class TSearchInfoForm : public QWidget, private FileSearchPort {
    Q_OBJECT
public:
    explicit TSearchInfoForm(QWidget* parent = nullptr);
    ~TSearchInfoForm() override;

    // Shows the window; the search starts when its timer fires.
    void Start(const std::vector<std::string>& files, const std::string& text, const FileSearchOptions& options);
    bool Running() const { return running_; }
    // The result document of the last search, while it is open.
    TMDIChild* ResultDocument() const { return result_; }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button1 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Timer1Timer();
    void Button1Click();
    void FormClose();

    void FileStarted(int k, int n, const std::string& path) override;
    bool AddHit(const VokabelTyp& entry, int hitCount) override;
    void ServeEvents() override;
    bool Cancelled() override { return cancelled_; }
    void NormalCursor() override;

    std::vector<std::string> files_;  // a copy: the dialog's list may change meanwhile
    std::string text_;                // code-page bytes
    FileSearchOptions options_;
    bool cancelled_ = false;
    bool running_ = false;
    bool hourglass_ = false;
    QPointer<TMDIChild> result_;
    std::unique_ptr<FileSearchOutcome> outcome_;
};
