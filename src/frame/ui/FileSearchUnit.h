#pragma once
// The dialog of search in files: the search text, where to look, and the
// list of files to search, which it keeps from one use to the next. Starting
// the search closes it and hands the files to the progress window.

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class TSearchInfoForm;

class TFileSearchForm : public QDialog {
    Q_OBJECT
public:
    TFileSearchForm(TSearchInfoForm& searchInfo, QWidget* parent = nullptr);

    // The list's paths, in order.
    std::vector<std::string> FileList() const;

    QLabel* Label1 = nullptr;
    QLineEdit* SearchText = nullptr;
    QToolButton* SonderzButton99 = nullptr;
    QLabel* Label24 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* S_FS = nullptr;
    QCheckBox* S_MS = nullptr;
    QCheckBox* S_Teilbed = nullptr;
    QCheckBox* CaseSensitive = nullptr;  // checked: case is ignored
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QListWidget* FileNames = nullptr;
    QPushButton* Add_Verz = nullptr;
    QPushButton* Add_Dateien = nullptr;
    QPushButton* RemoveBtn = nullptr;
    QPushButton* SearchButton = nullptr;
    QPushButton* SearchAbort = nullptr;
    QPushButton* BitBtn1 = nullptr;

    void Add_DateienClick();
    void Add_VerzClick();
    void RemoveBtnClick();
    void SearchButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void UpdateButtons();
    void LanguageBoxClicked(QCheckBox* clicked, QCheckBox* other);
    // After a choice while the list holds files: false when the user cancelled.
    bool AskKeepSelection();
    void AddFiles(const std::vector<std::string>& paths);
    void ShowCount();
    void SonderzButtonClick();
    // Bpop 25 pixels below the press.
    void SonderzButtonRightPress(const QPoint& pos);

    TSearchInfoForm& searchInfo_;
};
