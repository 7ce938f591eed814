#include "frame/ui/searchinfounit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "documents/ui/Childwin.h"
#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/TabelleModel.h"
#include "frame/ui/Main.h"
#include "platform/Dialogs.h"

namespace {
constexpr int kStartDelayMs = 250;
constexpr int kResultGridRows = kMaxEntries + 1;  // header and rows 1 to 500
}  // namespace

TSearchInfoForm::TSearchInfoForm(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SearchInfoForm"));
    setWindowTitle(QStringLiteral("Bitte warten, suche in Dateien..."));
    Label1 = new QLabel(QStringLiteral("Suchtext:"), this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    auto* status = new QGroupBox(QStringLiteral("Status"), this);
    Label5 = new QLabel(status);
    Label6 = new QLabel(status);
    // The search text and the file names as they are.
    Label2->setTextFormat(Qt::PlainText);
    Label5->setTextFormat(Qt::PlainText);
    ProgressBar1 = new QProgressBar(status);
    auto* statusLayout = new QVBoxLayout(status);
    statusLayout->addWidget(Label5);
    statusLayout->addWidget(Label6);
    statusLayout->addWidget(ProgressBar1);
    Button1 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Label3, status, Button1}) layout->addWidget(w);
    resize(420, 220);
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(kStartDelayMs);
    connect(Timer1, &QTimer::timeout, this, &TSearchInfoForm::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &TSearchInfoForm::Button1Click);
}

TSearchInfoForm::~TSearchInfoForm() { NormalCursor(); }

void TSearchInfoForm::Start(const std::vector<std::string>& files, const std::string& text,
                            const FileSearchOptions& options) {
    files_ = files;
    text_ = text;
    options_ = options;
    if (!hourglass_) QApplication::setOverrideCursor(Qt::WaitCursor);
    hourglass_ = true;
    Button1->setEnabled(true);
    cancelled_ = false;
    running_ = true;
    result_ = nullptr;
    outcome_.reset();
    Label3->setText(QStringLiteral("Suche in %1 Dateien...").arg(files_.size()));
    Label2->setText(FieldText(text_, 0));
    ProgressBar1->setRange(0, int(files_.size()));
    ProgressBar1->setValue(0);
    Label6->setText(QStringLiteral("Bisher keine Übereinstimmungen gefunden"));
    Label5->clear();
    show();
    Timer1->start();
}

void TSearchInfoForm::Timer1Timer() {
    outcome_ = RunFileSearch(files_, FieldBytes(Label2->text(), 0), options_, *this, platform::Dialogs());
    running_ = false;
    close();
}

void TSearchInfoForm::Button1Click() {
    cancelled_ = true;
    Button1->setEnabled(false);
}

void TSearchInfoForm::closeEvent(QCloseEvent* event) {
    // The close box while the search runs stops it like "Abbrechen"; the
    // window closes when the search has ended.
    if (running_) {
        Button1Click();
        event->ignore();
        return;
    }
    FormClose();
    QWidget::closeEvent(event);
}

void TSearchInfoForm::FormClose() {
    NormalCursor();
    if (!outcome_) return;
    const std::unique_ptr<FileSearchOutcome> outcome = std::move(outcome_);
    if (outcome->hitCount == 0) {
        platform::Dialogs().MessageDlg("Keine Übereinstimmung gefunden.", platform::MsgDlgType::Information,
                                       platform::mbOK);
        return;
    }
    if (result_ == nullptr) return;
    result_->TabelleAutoSizeClick();
    StoreSearchSourceFiles(result_->Document(), *outcome);
    if (MainForm != nullptr) MainForm->UpdateMenuItems();
}

void TSearchInfoForm::FileStarted(int k, int n, const std::string& path) {
    Label5->setText(QStringLiteral("Durchsuche Datei %1 von %2: %3")
                        .arg(k)
                        .arg(n)
                        .arg(QString::fromStdString(std::filesystem::path(path).filename().string())));
    ProgressBar1->setValue(k - 1);
}

bool TSearchInfoForm::AddHit(const VokabelTyp& entry, int hitCount) {
    if (hitCount == 1) {
        if (MainForm == nullptr) return false;
        result_ = MainForm->CreateMDIChild(TMainForm::kEmptyMarker);
        if (result_ == nullptr) return false;
        PrepareSearchResult(result_->Document(), int(files_.size()), text_);
        result_->DescMemo->setPlainText(FieldText(result_->Document().Description, 0));
    }
    if (result_ == nullptr) return false;
    const int row = AddSearchHit(result_->Document(), entry);
    if (row == 0) return false;
    result_->Model().SetGridRowCount(std::min(row + 2, kResultGridRows));
    result_->RefreshRow(row);
    if (hitCount == 1) result_->TabelleAutoSizeClick();
    Label6->setText(QStringLiteral("Bisher %1 Übereinstimmungen gefunden").arg(hitCount));
    return true;
}

void TSearchInfoForm::ServeEvents() { QCoreApplication::processEvents(); }

void TSearchInfoForm::NormalCursor() {
    if (!hourglass_) return;
    QApplication::restoreOverrideCursor();
    hourglass_ = false;
}
