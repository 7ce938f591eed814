#pragma once
// The file-properties dialog: the description and both passwords of a
// document. The write password is changed only through "Ändern", which asks
// for the old one first.

#include <QDialog>
#include <optional>

#include "documents/DocumentFileCommands.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TDateiEigenschaften_Form : public QDialog {
    Q_OBJECT
public:
    explicit TDateiEigenschaften_Form(QWidget* parent = nullptr);

    // Shows the properties modally; what OK ended with, nothing after
    // Cancel. The description is in the code page of charset; an unedited
    // description comes back byte for byte (line breaks included).
    std::optional<DocumentProperties> Edit(const DocumentProperties& current, uint8_t charset);

    QLineEdit* Descr;
    QLineEdit *leseschutz1, *leseschutz2;
    QLabel* ssk;
    QLineEdit *schreibschutz1, *schreibschutz2;
    QPushButton* Button1;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;

    void BitBtn1Click();
    void Button1Click();
    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void UpdateSsk();

    std::string description_;
    uint8_t charset_ = 0;
};

// Created once; keeps its state between uses.
TDateiEigenschaften_Form& DateiEigenschaften_Form();
