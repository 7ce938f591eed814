#pragma once
// The entry editor: a modeless window above the main window that edits one
// entry of one document window at a time and pages through its rows. It is
// made once and lives for the run; whatever it stores is in the document at
// once. The document window pushes the undo step and marks the document
// modified when it opens the editor.

#include <QDialog>
#include <QPointer>
#include <array>

#include "documents/EntryEditing.h"
#include "documents/EntryEditorLink.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TMDIChild;

class TEditForm : public QDialog, public EntryEditorLink {
    Q_OBJECT
public:
    // The one editor of the program, made on first use as a tool window of
    // owner's top-level window.
    static TEditForm* Instance(QWidget* owner);
    // The editor when it has been made, else null.
    static TEditForm* Existing();

    explicit TEditForm(QWidget* parent = nullptr);
    ~TEditForm() override;

    // Set by the document window before it shows the editor.
    QPointer<TMDIChild> EditDocument;
    int StartRow = 0;
    std::string EditFileName;

    // Shows the editor on EditDocument at StartRow; called again on a
    // visible editor it jumps to StartRow.
    void ShowEditor();
    void FormShow();
    // True while the editor is visible on this window's document.
    bool EditsDocument(const TMDIChild* window) const;

    // Handlers.
    void ButtonNextClick();
    void ButtonLastClick();
    void ButtonFertigClick();
    void BitBtn1Click();
    void ButtonGotoClick();
    void ButtonSearchClick();
    void VokAnzClick();
    void EditOptionenButtClick();
    void ButtonHelpClick();
    void SonderzButton1Click();

    // EntryEditorLink: "save current" and the row shown again.
    void StoreEntry() override;
    void ShowEntry() override;
    int EditRow() const override { return core_.EditRow(); }

    // Components.
    QGroupBox* FSEditBox = nullptr;
    QGroupBox* MSEditBox = nullptr;
    QLineEdit *FSEdit1, *FSEdit2, *MSEdit1, *MSEdit2, *MSEdit3, *MSEdit4, *MSEdit5;
    QLabel *lf1, *lf2, *lm1, *lm2, *lm3, *lm4, *lm5;
    QLabel *Label7, *NRLabel, *Label8;
    QToolButton* VokAnz = nullptr;
    QPushButton *ButtonFertig, *ButtonNext, *ButtonLast, *ButtonGoto, *ButtonSearch, *EditOptionenButt, *ButtonHelp,
        *BitBtn1;
    QCheckBox* LeerVokBox = nullptr;
    QToolButton* SonderzButton1 = nullptr;
    QTimer* SonderzTimer1 = nullptr;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    void EditUpdate();
    void ReadEdits();
    void ShowEdits();
    void FocusRule();
    int FocusedField() const;
    uint8_t FieldCharset(int field) const;
    bool FieldKey(int field, QKeyEvent* key);
    void SonderzButton1MouseDown(const QPoint& pos);
    void SonderzTimer1Timer();
    void HideEditor();
    void ShowCount();

    EntryEditorCore core_;
    std::array<QLineEdit*, 7> edits_{};
    std::array<QLabel*, 7> numberLabels_{};
    bool specialChosen_ = false;
};
