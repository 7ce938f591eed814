#pragma once
// "Wortteil-Logik": which parts of a correct answer the comparison may
// ignore, and the list of word parts. Opened modally by the general options.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "documents/AppSettings.h"
#include "training/WordPartList.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class TStringEingForm;

class TWTLogikForm : public QDialog {
    Q_OBJECT
public:
    explicit TWTLogikForm(QWidget* parent = nullptr, OptionenTyp& options = Optionen);
    ~TWTLogikForm() override;

    // How one word part is asked for: the shown text in, the typed one out,
    // nothing when cancelled. The input dialog unless replaced.
    using AskWordPart = std::function<std::optional<std::string>(const std::string& text)>;
    void SetAskWordPart(AskWordPart ask) { ask_ = std::move(ask); }

    void FormShow();
    void ignoreBoxClick();
    void vergboxClick();
    void NewBtnClick();
    void EditBtnClick();
    void DelBtnClick();
    void SaveBtnClick();
    void OkBtnClick();
    void BitBtn1Click();

    const WordPartList& Parts() const { return parts_; }

    QCheckBox *ignoreBox, *KlammerBox, *wordsbox, *vergbox, *zuvielbox;
    QListWidget* ListBox = nullptr;
    QPushButton *NewBtn, *EditBtn, *DelBtn, *OkBtn, *CancelBtn, *SaveBtn, *BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::optional<std::string> Ask(const std::string& text);
    void ShowParts(int selected);

    OptionenTyp& options_;
    WordPartList parts_;
    AskWordPart ask_;
    TStringEingForm* input_ = nullptr;
};

// The dialog of the run, made on first use; the general options open it.
TWTLogikForm& WTLogikForm();
