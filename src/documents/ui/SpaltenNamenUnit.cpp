#include "documents/ui/SpaltenNamenUnit.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "documents/SmallDialogs.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/CodePageText.h"
#include "documents/ui/CreatedOnce.h"
#include "documents/ui/DialogHelp.h"
#include "documents/ui/FieldInput.h"
#include "documents/ui/TabelleModel.h"

TSpaltenNamenForm::TSpaltenNamenForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SpaltenNamenForm"));
    setWindowTitle(QStringLiteral("Spaltennamen"));
    auto* layout = new QVBoxLayout(this);
    FSEditBox = new QGroupBox(QString::fromUtf8("Als Standard \"&Fremdsprache\""), this);
    MSEditBox = new QGroupBox(QString::fromUtf8("Als Standard \"&Muttersprache\""), this);
    auto* fsLayout = new QVBoxLayout(FSEditBox);
    auto* msLayout = new QVBoxLayout(MSEditBox);
    for (int k = 0; k < 7; ++k) {
        const bool fs = k < 2;
        Edits[k] = new QLineEdit(fs ? FSEditBox : MSEditBox);
        Edits[k]->setObjectName(fs ? QStringLiteral("FSEdit%1").arg(k + 1) : QStringLiteral("MSEdit%1").arg(k - 1));
        Edits[k]->setMaxLength(50);
        FieldInput::Guard(Edits[k], [this, k] {
            return target_.isNull() ? uint8_t(0) : target_->Model().CellFont(k + 1, 0).Charset;
        });
        SetHelpContext(Edits[k], fs ? 307 : 308);
        (fs ? fsLayout : msLayout)->addWidget(Edits[k]);
    }
    layout->addWidget(FSEditBox);
    layout->addWidget(MSEditBox);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &TSpaltenNamenForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TSpaltenNamenForm::Run(TMDIChild* target) {
    target_ = target;
    if (target == nullptr) {
        platform::Dialogs().MessageDlg("AktivKind=NIL", platform::MsgDlgType::Error, platform::mbOK);
        return;
    }
    FormShow();
    exec();
    target_ = nullptr;
}

void TSpaltenNamenForm::FormShow() {
    const VocabDocument& doc = target_->Document();
    for (int k = 0; k < 7; ++k) {
        // As the header row shows them: its font, or the column's with HeaderFonts.
        const TFontObject& font = target_->Model().CellFont(k + 1, 0);
        Edits[k]->setFont(font.Font);
        Edits[k]->setText(TextFromBytes(platform::CodePageForCharset(font.Charset), doc.ColumnNames.Field(k + 1).Get()));
    }
    Edits[0]->setFocus();
}

void TSpaltenNamenForm::BitBtn1Click() {
    if (target_.isNull()) {
        reject();
        return;
    }
    std::array<std::string, 7> names;
    for (int k = 0; k < 7; ++k) {
        const uint8_t charset = target_->Model().CellFont(k + 1, 0).Charset;
        names[k] = BytesFromText(platform::CodePageForCharset(charset), Edits[k]->text());
    }
    ApplyColumnNames(target_->Document(), names);
    target_->RefreshRow(0);
    accept();
}

TSpaltenNamenForm& SpaltenNamenForm() { return CreatedOnce<TSpaltenNamenForm>(); }
