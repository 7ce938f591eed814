#pragma once
// The search dialog "Vokabel suchen...": made once, shown modally over one
// document window. Mode 1 (the document window) takes the first hit and
// "Weitersuchen" walks on; mode 0 (the entry editor) takes the best hit or
// pages through all used entries by score.

#include <QDialog>
#include <QPointer>

#include "documents/SearchEngine.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TMDIChild;

class TSearchForm : public QDialog {
    Q_OBJECT
public:
    // The one search dialog, made on first use for owner's top-level window.
    static TSearchForm* Instance(QWidget* owner);

    explicit TSearchForm(QWidget* parent = nullptr);
    ~TSearchForm() override;

    int SearchMode = 0;
    // Read by the caller after the dialog closed; row 0 = nothing chosen.
    int ResultRow = 0;
    int ResultField = 0;

    // The show handler on the window's document, then the modal run.
    void ShowFor(TMDIChild* window);
    // "Weitersuchen" on window: the next hit into ResultRow/ResultField and
    // true; false when a new search on window ran instead (another
    // document than the one searched).
    bool FindNextHit(TMDIChild* window);

    void SearchButtonClick();
    void SearchOKButtonClick();
    void SearchAbortClick();
    void s_firstClick();
    void s_prevClick();
    void s_nextClick();
    void s_lastClick();
    void SonderzButton4Click();
    void UebernehmenClick();
    int TrefferArtIndex() const;

    QLabel* Label1 = nullptr;
    QLineEdit* SearchText = nullptr;
    QToolButton* SonderzButton4 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox *S_FS, *S_MS, *S_Teilbed, *CaseSensitive, *AutoFuzzy_SB;
    QGroupBox* TrefferArt = nullptr;
    QButtonGroup* TrefferArtItems = nullptr;
    QPushButton *SearchButton, *SearchOKButton, *SearchAbort, *BitBtn1, *Uebernehmen;
    QLabel* Label3 = nullptr;
    QPlainTextEdit *Memo1, *Memo2;
    QToolButton *s_first, *s_prev, *s_next, *s_last;
    QTimer* SonderzTimer4 = nullptr;

protected:
    void reject() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    void FormShow();
    void ShowHit();
    void EnablePaging();
    void SetHeightInLines(int lines);
    void Take(const SearchHit& hit);
    void FocusSearchText();
    void LanguageBoxToggled(QCheckBox* other, bool checked);
    void SonderzTimer4Timer();
    uint8_t TextCharset() const;

    QPointer<TMDIChild> searched_;  // the window whose entries were copied
    std::string SearchFileName;
    VokabelArrayTyp SearchEntries{};
    SchriftartenTyp searchFonts_{};
    HitWalk walk_;
    HitList list_;
    bool specialChosen_ = false;
};
