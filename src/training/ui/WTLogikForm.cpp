#include "training/ui/WTLogikForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

#include "documents/ui/EditFieldCaret.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hints.h"
#include "training/ui/QuizHost.h"
#include "training/ui/StringEingUnit.h"

namespace {

const char* const kInputCaption = "Wörter ignorieren";
const char* const kInputPrompt = "Bitte geben Sie das zu ignorierende Wort ein:";

template <class T>
T* Place(T* widget, int x, int y, int w, int h) {
    widget->setGeometry(x, y, w, h);
    return widget;
}

void Tell(const char* text, platform::MsgDlgType type) {
    platform::Dialogs().MessageDlg(text, type, platform::mbOK);
}

}  // namespace

TWTLogikForm::TWTLogikForm(QWidget* parent, OptionenTyp& options) : QDialog(parent), options_(options) {
    setObjectName(QStringLiteral("WTLogikForm"));
    setWindowTitle(QString::fromUtf8("Wortteil-Logik"));
    setModal(true);
    setFixedSize(460, 400);
    const auto text = [](const char* s) { return QString::fromUtf8(s); };
    ignoreBox = Place(new QCheckBox(text("beim Abfragen folgendes ignorieren:"), this), 10, 10, 440, 20);
    KlammerBox = Place(new QCheckBox(text("eingeklammerte Wörter, z. B. (to)"), this), 30, 34, 420, 20);
    KlammerBox->setToolTip(platform::Hint("Ignoriert alle Texte die in der korrekten\rVersion eingeklammert sind|"));
    wordsbox = Place(new QCheckBox(text("folgende Wörter:"), this), 30, 58, 420, 20);
    ListBox = Place(new QListWidget(this), 48, 82, 260, 150);
    NewBtn = Place(new QPushButton(text("Hinzu&fügen"), this), 320, 82, 130, 28);
    EditBtn = Place(new QPushButton(text("&Editieren"), this), 320, 116, 130, 28);
    DelBtn = Place(new QPushButton(text("&Löschen"), this), 320, 150, 130, 28);
    vergbox = Place(new QCheckBox(text("wenn vergessen"), this), 30, 240, 420, 20);
    zuvielbox = Place(new QCheckBox(text("wenn zu viel eingegeben"), this), 30, 264, 420, 20);
    auto* note = Place(new QLabel(this), 10, 290, 440, 50);
    note->setWordWrap(true);
    note->setText(text("Ignorieren gilt nur für Wörter/Klammern, die beim Abfragen vom Benutzer nicht eingegeben "
                       "wurden, nicht wenn er sie fälschlicherweise eingibt!"));
    OkBtn = Place(new QPushButton(text("OK"), this), 10, 356, 100, 30);
    OkBtn->setDefault(true);
    CancelBtn = Place(new QPushButton(text("Abbrechen"), this), 120, 356, 100, 30);
    SaveBtn = Place(new QPushButton(text("Ü&bernehmen"), this), 230, 356, 100, 30);
    BitBtn1 = Place(new QPushButton(text("&Hilfe"), this), 350, 356, 100, 30);
    for (QPushButton* b : {NewBtn, EditBtn, DelBtn, CancelBtn, SaveBtn, BitBtn1}) b->setAutoDefault(false);

    // Setting the master box from code runs its rule too; the two boxes
    // below it react to the user only.
    connect(ignoreBox, &QCheckBox::toggled, this, &TWTLogikForm::ignoreBoxClick);
    connect(vergbox, &QCheckBox::clicked, this, &TWTLogikForm::vergboxClick);
    connect(zuvielbox, &QCheckBox::clicked, this, &TWTLogikForm::vergboxClick);
    connect(NewBtn, &QPushButton::clicked, this, &TWTLogikForm::NewBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TWTLogikForm::EditBtnClick);
    connect(DelBtn, &QPushButton::clicked, this, &TWTLogikForm::DelBtnClick);
    connect(OkBtn, &QPushButton::clicked, this, &TWTLogikForm::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(SaveBtn, &QPushButton::clicked, this, &TWTLogikForm::SaveBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TWTLogikForm::BitBtn1Click);
}

TWTLogikForm::~TWTLogikForm() = default;

void TWTLogikForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TWTLogikForm::FormShow() {
    const SettingsTyp& s = options_.Settings;
    parts_.Fill(s.Wortteile);
    ShowParts(0);
    ignoreBox->setChecked(s.AllgemIgnorieren);
    ignoreBoxClick();
    vergbox->setChecked(s.IgnorierenWennVergessen);
    zuvielbox->setChecked(s.IgnorierenWennZuViel);
}

void TWTLogikForm::ShowParts(int selected) {
    ListBox->clear();
    for (const std::string& part : parts_.Items()) ListBox->addItem(FieldText(part, 0));
    if (selected >= 0 && selected < ListBox->count()) ListBox->setCurrentRow(selected);
}

void TWTLogikForm::ignoreBoxClick() {
    const bool on = ignoreBox->isChecked();
    KlammerBox->setEnabled(on);
    wordsbox->setEnabled(on);
    KlammerBox->setChecked(on && options_.Settings.KlammerIgnorieren);
    wordsbox->setChecked(on && options_.Settings.WortteileIgnorieren);
}

void TWTLogikForm::vergboxClick() { ignoreBox->setChecked(vergbox->isChecked() || zuvielbox->isChecked()); }

std::optional<std::string> TWTLogikForm::Ask(const std::string& text) {
    if (ask_) return ask_(text);
    if (input_ == nullptr) input_ = new TStringEingForm(this);
    return input_->Ask(kInputCaption, kInputPrompt, text);
}

void TWTLogikForm::NewBtnClick() {
    if (parts_.Count() >= kMaxWordParts) {
        Tell(kWordPartsFullText, platform::MsgDlgType::Information);
        return;
    }
    const std::optional<std::string> typed = Ask({});
    if (!typed) return;
    const int row = ListBox->currentRow();
    const std::string selected = row >= 0 ? parts_.Items()[std::size_t(row)] : std::string();
    const WordPartList::Change change = parts_.Add(*typed);
    if (change == WordPartList::Change::Held) Tell(kWordPartTwiceText, platform::MsgDlgType::Warning);
    if (change == WordPartList::Change::Blank) Tell(kWordPartBlankText, platform::MsgDlgType::Warning);
    if (change != WordPartList::Change::Done) return;
    // The selection stays on its part; a first part is selected.
    ShowParts(parts_.Count() == 1 ? 0 : (row >= 0 ? parts_.IndexOf(selected) : -1));
}

void TWTLogikForm::EditBtnClick() {
    const int row = ListBox->currentRow();
    if (row < 0) {
        NewBtnClick();
        return;
    }
    const std::optional<std::string> typed = Ask(parts_.Items()[std::size_t(row)]);
    if (!typed) return;
    const WordPartList::Change change = parts_.Replace(row, *typed);
    if (change == WordPartList::Change::Held) Tell(kWordPartEditRefusedText, platform::MsgDlgType::Warning);
    if (change == WordPartList::Change::Blank) Tell(kWordPartBlankText, platform::MsgDlgType::Warning);
    if (change == WordPartList::Change::Done) ShowParts(parts_.IndexOf(*typed));
}

void TWTLogikForm::DelBtnClick() {
    const int row = ListBox->currentRow();
    if (row < 0) return;
    parts_.Delete(row);
    ShowParts(0);
}

void TWTLogikForm::SaveBtnClick() {
    SettingsTyp& s = options_.Settings;
    if (parts_.SaveTo(s.Wortteile)) Tell(kTooManyWordPartsText, platform::MsgDlgType::Information);
    s.AllgemIgnorieren = ignoreBox->isChecked();
    s.KlammerIgnorieren = KlammerBox->isChecked();
    s.WortteileIgnorieren = wordsbox->isChecked();
    s.IgnorierenWennVergessen = vergbox->isChecked();
    s.IgnorierenWennZuViel = zuvielbox->isChecked();
}

void TWTLogikForm::OkBtnClick() {
    SaveBtnClick();
    accept();
}

void TWTLogikForm::BitBtn1Click() {
    if (QuizHost* host = TheQuizHost()) host->ShowHelpPage("Dialogfelder\\Optionen\\wortteillogik.html");
}

TWTLogikForm& WTLogikForm() {
    static TWTLogikForm* form = new TWTLogikForm;
    return *form;
}
