#include "documents/ui/Font_select_unit.h"

#include <QCheckBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "documents/FontChoice.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/CodePageText.h"
#include "documents/ui/CreatedOnce.h"
#include "documents/ui/DialogHelp.h"
#include "documents/ui/DocumentFrame.h"
#include "documents/ui/FontChooser.h"
#include "platform/ui/Hints.h"

namespace {

const QString kSampleMime = QStringLiteral("application/x-pelko-font-sample");

using platform::Hint;

// The block's fonts in the order of the samples.
constexpr FontPlace kSamplePlaces[kSampleCount] = {&SchriftartenTyp::TableMS, &SchriftartenTyp::TableFS,
                                                   &SchriftartenTyp::TableHeader, &SchriftartenTyp::Print,
                                                   &SchriftartenTyp::PrintMS, &SchriftartenTyp::PrintFS};

int SampleTextHeight(const TFontObject& font) { return QFontMetrics(font.Font).height(); }

}  // namespace

TSampleLabel::TSampleLabel(int index, QWidget* parent) : QLabel(parent), index_(index) {
    setAcceptDrops(true);
    setTextFormat(Qt::PlainText);  // face names come from files
}

void TSampleLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(kSampleMime, QByteArray::number(index_));
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
}

void TSampleLabel::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kSampleMime)) event->acceptProposedAction();
}

void TSampleLabel::dropEvent(QDropEvent* event) {
    const int source = event->mimeData()->data(kSampleMime).toInt();
    if (Dropped) Dropped(source, index_);
    event->acceptProposedAction();
}

TFontForm::TFontForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontForm"));
    setWindowTitle(QStringLiteral("Schriftarten"));
    SetHelpContext(this, 2500);
    auto* layout = new QVBoxLayout(this);
    blabla = new QLabel(this);
    blabla->setObjectName(QStringLiteral("blabla"));
    blabla->setWordWrap(true);
    layout->addWidget(blabla);

    struct Row {
        const char* sample;
        const char* button;
        const char* caption;
        const char* hint;
    };
    const Row rows[kSampleCount] = {
        {"MSBeispielLabel", "AssignMSFont", "Muttersprache", "Wird verwendet in allen Dialogen|"},
        {"FSBeispielLabel", "AssignFSFont", "Fremdsprache", "Wird verwendet in allen Dialogen|"},
        {"TabBeispielLabel", "Button1", "Tabelle-Kopfzeile", "Schriftart der Vokabeltabelle|"},
        {"PrintBeispielLabel", "Button2", "Kopfzeile", "Allgemeine Druckerschrift, Überschrift usw.|"},
        {"PrintMSLabel", "Button3", "Muttersprache", "Druckerschrift für Muttersprache|"},
        {"PrintFSLabel", "Button4", "Fremdsprache", "Druckerschrift für Fremdsprache|"},
    };
    auto* display = new QGroupBox(QStringLiteral("Anzeige"), this);
    auto* printer = new QGroupBox(QStringLiteral("Drucker"), this);
    auto* displayGrid = new QGridLayout(display);
    auto* printerGrid = new QGridLayout(printer);
    MS_Bang = new QLabel(QStringLiteral("!"), display);
    FS_Bang = new QLabel(QStringLiteral("!"), display);
    for (QLabel* bang : {MS_Bang, FS_Bang}) {
        bang->setToolTip(Hint("Die gewählte Schriftart ist zu hoch!|"));
        bang->setStyleSheet(QStringLiteral("color: #FF0000; font-weight: bold"));
        bang->hide();
    }
    MS_Bang->setObjectName(QStringLiteral("MS_Bang"));
    FS_Bang->setObjectName(QStringLiteral("FS_Bang"));
    for (int i = 0; i < kSampleCount; ++i) {
        QWidget* box = i < kSamplePrint ? display : printer;
        QGridLayout* grid = i < kSamplePrint ? displayGrid : printerGrid;
        Samples[i] = new TSampleLabel(i, box);
        Samples[i]->setObjectName(QString::fromLatin1(rows[i].sample));
        Samples[i]->Dropped = [this](int source, int target) { DropSample(source, target); };
        Choosers[i] = new QPushButton(QString::fromUtf8(rows[i].caption), box);
        Choosers[i]->setObjectName(QString::fromLatin1(rows[i].button));
        Choosers[i]->setToolTip(Hint(rows[i].hint));
        Choosers[i]->setAutoDefault(false);
        connect(Choosers[i], &QPushButton::clicked, this, [this, i] { ChooseSampleFont(i); });
        const int row = i % kSamplePrint;
        grid->addWidget(Choosers[i], row, 0);
        grid->addWidget(Samples[i], row, 1);
    }
    displayGrid->addWidget(MS_Bang, kSampleMS, 2);
    displayGrid->addWidget(FS_Bang, kSampleFS, 2);
    layout->addWidget(display);
    layout->addWidget(printer);

    MSFSinTabKopfBox = new QCheckBox(QStringLiteral("Als Überschrift in der Tabelle MS/FS Schriftarten verwenden"), this);
    MSFSinTabKopfBox->setObjectName(QStringLiteral("MSFSinTabKopfBox"));
    layout->addWidget(MSFSinTabKopfBox);
    Label1 = new QLabel(QString::fromUtf8("Für identische Schriftarten können Sie Drag&Drop der Beispiele verwenden!"),
                        this);
    layout->addWidget(Label1);

    auto* buttons = new QHBoxLayout;
    Font_OKButton = new QPushButton(QStringLiteral("OK"), this);
    Font_OKButton->setObjectName(QStringLiteral("Font_OKButton"));
    Font_OKButton->setDefault(true);
    Font_OKButton->setToolTip(Hint("Speichert alle Änderungen und schließt den Dialog|"));
    Font_AbbrechButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    Font_AbbrechButton->setObjectName(QStringLiteral("Font_AbbrechButton"));
    Font_AbbrechButton->setToolTip(Hint("Verwirft die Änderungen und schließt den Dialog|"));
    Uebernehmen1 = new QPushButton(QString::fromUtf8("Ü&bernehmen"), this);
    Uebernehmen1->setObjectName(QStringLiteral("Uebernehmen1"));
    Uebernehmen1->setToolTip(Hint("Speichert die Schriftarten, ohne das Dialogfeld zu verlassen|"));
    BitBtn1 = new QPushButton(QStringLiteral("&Hilfe"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(Hint("Hilfe zu diesem Dialogfeld|"));
    SetDef = new QPushButton(QString::fromUtf8("&Zurücksetzen zu Standardschriftarten"), this);
    SetDef->setObjectName(QStringLiteral("SetDef"));
    for (QPushButton* b : {Font_OKButton, Font_AbbrechButton, Uebernehmen1, BitBtn1, SetDef}) {
        if (b != Font_OKButton) b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(Font_OKButton, &QPushButton::clicked, this, &TFontForm::Font_OKButtonClick);
    connect(Font_AbbrechButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Uebernehmen1, &QPushButton::clicked, this, &TFontForm::Uebernehmen1Click);
    connect(BitBtn1, &QPushButton::clicked, this,
            [] { TheDocumentFrame().ShowHelpPage("Dialogfelder\\Optionen\\schriftarten.html"); });
    connect(SetDef, &QPushButton::clicked, this, &TFontForm::SetDefClick);
}

void TFontForm::SetMode(int tag, const std::string& text) {
    modeTag_ = tag;
    blabla->setText(QString::fromStdString(text));
}

int TFontForm::Run(TMDIChild* target) {
    target_ = target;
    const int result = exec();
    target_ = nullptr;
    return result;
}

void TFontForm::FormShow() {
    if (modeTag_ == 1) {
        if (target_.isNull()) target_ = TheDocumentFrame().ActiveDocument();
        if (!target_.isNull()) LoadSamples(target_->Document().Fonts);
        SetDef->show();
    } else {
        LoadSamples(OptionFonts(Optionen));
        if (TheDocumentFrame().DocumentWindows().empty()) {
            platform::Dialogs().MessageDlg("Es muss eine Vokabeldatei geöffnet sein, damit dieses Dialogfeld "
                                           "funktioniert. Erstelle automatisch eine neue Datei.",
                                           platform::MsgDlgType::Information, platform::mbOK);
            TheDocumentFrame().NewEmptyDocument();
        }
        SetDef->hide();
    }
    Choosers[kSampleMS]->setFocus();
}

void TFontForm::LoadSamples(const SchriftartenTyp& fonts) {
    for (int i = 0; i < kSampleCount; ++i) SetSample(i, fonts.*kSamplePlaces[i]);
    MSFSinTabKopfBox->setChecked(fonts.HeaderFonts != 0);
    SetBangs(false, kSampleMS);
    SetBangs(false, kSampleFS);
}

SchriftartenTyp TFontForm::SampleFonts() const {
    SchriftartenTyp fonts;
    for (int i = 0; i < kSampleCount; ++i) fonts.*kSamplePlaces[i] = Samples[i]->Record;
    fonts.HeaderFonts = MSFSinTabKopfBox->isChecked() ? 1 : 0;
    return fonts;
}

void TFontForm::SetSample(int sample, const SchriftartTyp& rec) {
    TSampleLabel* label = Samples[sample];
    label->Record = rec;
    TFontObject& font = label->Sample;
    FontRecToFont(rec, font, kSamplePlaces[sample]);
    label->setFont(font.Font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, font.Color);
    label->setPalette(palette);
    label->setText(TextFromBytes(platform::CodePage::Cp1252, SampleCaption(rec.Name.Get(), font.Font.pointSize())));
}

void TFontForm::SetBangs(bool justChosen, int sample) {
    QLabel* bang = sample == kSampleMS ? MS_Bang : FS_Bang;
    bang->setVisible(FontTooHigh(SampleTextHeight(Samples[sample]->Sample), justChosen));
}

void TFontForm::ChooseSampleFont(int sample) {
    const std::optional<TFontObject> chosen = ChooseFont(Samples[sample]->Sample, this);
    if (!chosen) return;
    SchriftartTyp rec;
    FontToFontRec(rec, *chosen);
    SetSample(sample, rec);
    if (sample == kSampleMS || sample == kSampleFS) SetBangs(true, sample);
}

void TFontForm::DropSample(int source, int target) {
    if (source < 0 || source >= kSampleCount || source == target) return;
    SetSample(target, Samples[source]->Record);
}

void TFontForm::Uebernehmen1Click() {
    const SchriftartenTyp fonts = SampleFonts();
    if (modeTag_ == 1) {
        if (target_.isNull()) return;
        ApplyDocumentFonts(target_->Document(), fonts);
        return;
    }
    SetOptionFonts(Optionen, fonts);
    for (TMDIChild* window : TheDocumentFrame().DocumentWindows()) window->RefreshGrid();
}

void TFontForm::Font_OKButtonClick() {
    Uebernehmen1Click();
    accept();
}

void TFontForm::SetDefClick() {
    LoadSamples(OptionFonts(Optionen));
}

void TFontForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFontForm::keyPressEvent(QKeyEvent* event) {
    if (!HandleHelpKey(this, event)) QDialog::keyPressEvent(event);
}

TFontForm& FontForm() { return CreatedOnce<TFontForm>(); }

bool ShowDocumentFontsDialog(TMDIChild& window) {
    TFontForm& form = FontForm();
    form.SetMode(1, "Legen Sie die Schriftarten für diese Datei fest. Um die Standardschriftarten für neue Dateien "
                    "festzulegen verwenden Sie den Optionendialog.");
    return form.Run(&window) == QDialog::Accepted;
}

bool ShowDefaultFontsDialog() {
    TFontForm& form = FontForm();
    form.SetMode(0, "Legen Sie hier die Standardschriftart fest. Diese wird für alle neuen Dateien verwendet.");
    return form.Run(nullptr) == QDialog::Accepted;
}
