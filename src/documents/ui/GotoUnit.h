#pragma once
// The go-to dialog of the entry editor: first or last entry, first or last
// gap, or a number.

#include <QDialog>

#include "documents/VocabDocument.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TGotoForm : public QDialog {
    Q_OBJECT
public:
    explicit TGotoForm(QWidget* parent = nullptr);

    // Shows the dialog modally over the document's entries as they are now
    // (the editor's document, which need not be the active one). The row to
    // go to, 0 for none.
    int Run(const VocabDocument& document);

    // The chosen item 0-4, or -1.
    int ItemIndex() const;
    void SetItemIndex(int item);

    QGroupBox* GotoVokBox;
    QRadioButton* Items[5] = {};
    QLineEdit* VokNumber;
    QPushButton *Goto_OK, *Goto_Abort;

    uint16_t TargetRow = 0;
    std::unique_ptr<VokabelArrayTyp> EntriesCopy = std::make_unique<VokabelArrayTyp>();

    void GotoVokBoxClick();
    void VokNumberChange();
    void Goto_OKClick();
    void Goto_AbortClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void SetNumberColour(bool black);

    QButtonGroup* group_;
};

// Created once; keeps its state between uses.
TGotoForm& GotoForm();
