#include "documents/ui/GotoUnit.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "documents/SmallDialogs.h"
#include "documents/ui/CreatedOnce.h"
#include "documents/ui/DialogHelp.h"

TGotoForm::TGotoForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GotoForm"));
    setWindowTitle(QString::fromUtf8("Gehe zu..."));
    auto* layout = new QVBoxLayout(this);
    GotoVokBox = new QGroupBox(QString::fromUtf8("Gehe zu..."), this);
    GotoVokBox->setObjectName(QStringLiteral("GotoVokBox"));
    SetHelpContext(GotoVokBox, 501);
    auto* boxLayout = new QVBoxLayout(GotoVokBox);
    group_ = new QButtonGroup(this);
    const char* captions[] = {"erster Vokabel", "letzter Vokabel", "erster Lücke", "letzter Lücke", "Nummer:"};
    for (int i = 0; i < 5; ++i) {
        Items[i] = new QRadioButton(QString::fromUtf8(captions[i]), GotoVokBox);
        group_->addButton(Items[i], i);
        boxLayout->addWidget(Items[i]);
    }
    VokNumber = new QLineEdit(GotoVokBox);
    VokNumber->setObjectName(QStringLiteral("VokNumber"));
    SetHelpContext(VokNumber, 502);
    VokNumber->installEventFilter(this);
    boxLayout->addWidget(VokNumber);
    layout->addWidget(GotoVokBox);

    auto* buttons = new QHBoxLayout;
    Goto_OK = new QPushButton(QStringLiteral("OK"), this);
    Goto_OK->setObjectName(QStringLiteral("Goto_OK"));
    Goto_OK->setDefault(true);
    SetHelpContext(Goto_OK, 503);
    Goto_Abort = new QPushButton(QStringLiteral("Abbruch"), this);
    Goto_Abort->setObjectName(QStringLiteral("Goto_Abort"));
    SetHelpContext(Goto_Abort, 504);
    buttons->addWidget(Goto_OK);
    buttons->addWidget(Goto_Abort);
    layout->addLayout(buttons);

    connect(group_, &QButtonGroup::idClicked, this, &TGotoForm::GotoVokBoxClick);
    connect(VokNumber, &QLineEdit::textEdited, this, &TGotoForm::VokNumberChange);
    connect(Goto_OK, &QPushButton::clicked, this, &TGotoForm::Goto_OKClick);
    connect(Goto_Abort, &QPushButton::clicked, this, &TGotoForm::Goto_AbortClick);
}

int TGotoForm::Run(const VocabDocument& document) {
    *EntriesCopy = document.Entries;
    TargetRow = 0;
    if (exec() != QDialog::Accepted) TargetRow = 0;
    return TargetRow;
}

int TGotoForm::ItemIndex() const { return group_->checkedId(); }

void TGotoForm::SetItemIndex(int item) {
    if (item >= 0 && item < 5) Items[item]->setChecked(true);
    SetNumberColour(item == kGotoNumber);
}

void TGotoForm::SetNumberColour(bool black) {
    QPalette palette = VokNumber->palette();
    palette.setColor(QPalette::Text, black ? QColor(0, 0, 0) : QColor(0x80, 0x80, 0x80));
    VokNumber->setPalette(palette);
}

void TGotoForm::FormShow() { SetItemIndex(GotoItemFromLastNr(Optionen.Settings.LastGotoNr)); }

void TGotoForm::GotoVokBoxClick() { SetNumberColour(ItemIndex() == kGotoNumber); }

void TGotoForm::VokNumberChange() { SetItemIndex(kGotoNumber); }

void TGotoForm::Goto_OKClick() {
    const std::optional<int> row =
        GotoOk(*EntriesCopy, ItemIndex(), VokNumber->text().toStdString(), Optionen.Settings.LastGotoNr);
    if (!row) return;
    TargetRow = uint16_t(*row);
    accept();
}

void TGotoForm::Goto_AbortClick() {
    TargetRow = 0;
    reject();
}

void TGotoForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

bool TGotoForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == VokNumber) {
        if (event->type() == QEvent::MouseButtonPress) SetItemIndex(kGotoNumber);
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool typing = !text.isEmpty() && text.at(0).isPrint();
            const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
            if (typing || editing) {
                // Any key chooses the number; only digits reach the field
                // (Backspace does not either).
                SetItemIndex(kGotoNumber);
                const bool digit = text.size() == 1 && text.at(0) >= '0' && text.at(0) <= '9';
                if (!digit) return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TGotoForm::keyPressEvent(QKeyEvent* event) {
    if (!HandleHelpKey(this, event)) QDialog::keyPressEvent(event);
}

TGotoForm& GotoForm() { return CreatedOnce<TGotoForm>(); }
