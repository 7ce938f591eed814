#pragma once
// The fonts dialog: the six fonts of a font block and the header-fonts
// flag, of the active document (mode 1) or of the defaults in the options
// (mode 0), from which new documents take theirs.

#include <QDialog>
#include <QLabel>
#include <QPointer>

#include "documents/ui/AppSettingsQt.h"

class QCheckBox;
class QPushButton;
class TMDIChild;

// A sample shows one font; it can be dragged onto another sample, which
// takes its font and caption. It keeps the font's record as it came until
// the user picks another, so that a record the sample cannot show as it is
// (a size of 0) goes back unchanged.
class TSampleLabel : public QLabel {
    Q_OBJECT
public:
    TSampleLabel(int index, QWidget* parent);
    SchriftartTyp Record;
    TFontObject Sample;  // as shown
    std::function<void(int source, int target)> Dropped;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int index_;
};

// The samples in the order of their chooser buttons.
enum SampleIndex { kSampleMS, kSampleFS, kSampleTab, kSamplePrint, kSamplePrintMS, kSamplePrintFS, kSampleCount };

class TFontForm : public QDialog {
    Q_OBJECT
public:
    explicit TFontForm(QWidget* parent = nullptr);

    // The caller's mode (1 the document's fonts, 0 the defaults) and text.
    void SetMode(int tag, const std::string& text);
    int ModeTag() const { return modeTag_; }
    // Modal; the document mode works on target. QDialog::Accepted after OK.
    int Run(TMDIChild* target);

    QLabel* blabla;
    TSampleLabel* Samples[kSampleCount] = {};  // MSBeispielLabel ... PrintFSLabel
    QPushButton* Choosers[kSampleCount] = {};  // AssignMSFont, AssignFSFont, Button1 ... Button4
    QCheckBox* MSFSinTabKopfBox;
    QLabel *MS_Bang, *FS_Bang, *Label1;
    QPushButton *Font_OKButton, *Font_AbbrechButton, *Uebernehmen1, *BitBtn1, *SetDef;

    void ChooseSampleFont(int sample);
    void DropSample(int source, int target);
    void Uebernehmen1Click();
    void Font_OKButtonClick();
    void SetDefClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void LoadSamples(const SchriftartenTyp& fonts);
    SchriftartenTyp SampleFonts() const;
    void SetSample(int sample, const SchriftartTyp& rec);
    void SetBangs(bool justChosen, int sample);

    int modeTag_ = 0;
    QPointer<TMDIChild> target_;
};

// Created once; keeps its state between uses.
TFontForm& FontForm();

// The two callers: the document window's "Schriftarten für diese Datei..."
// and the options dialog's "&Standard-Schriftarten ändern...". True after OK.
bool ShowDocumentFontsDialog(TMDIChild& window);
bool ShowDefaultFontsDialog();
