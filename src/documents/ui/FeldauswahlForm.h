#pragma once
// The sort-field choice: which of the seven columns to sort by, and
// whether umlauts are folded for the sort.

#include <QDialog>

#include "documents/AppSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class TFeldAuswahl : public QDialog {
    Q_OBJECT
public:
    explicit TFeldAuswahl(QWidget* parent = nullptr);

    // The list from the column names (bytes in the code page of charset),
    // first item chosen; then modal. The caller reads AuswahlBox and UmlBox.
    int Run(const SpaltennamenTyp& columnNames, uint8_t charset);

    QLabel* Label1;
    QComboBox* AuswahlBox;
    QCheckBox* UmlBox;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Created once; keeps its state between uses.
TFeldAuswahl& FeldAuswahl();
