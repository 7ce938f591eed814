#include "documents/ui/FeldauswahlForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "documents/SmallDialogs.h"
#include "documents/ui/CodePageText.h"
#include "documents/ui/CreatedOnce.h"
#include "documents/ui/DialogHelp.h"
#include "platform/ui/Hints.h"

using platform::Hint;

TFeldAuswahl::TFeldAuswahl(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FeldAuswahl"));
    setWindowTitle(QStringLiteral("FeldAuswahl"));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("sortieren nach:"), this);
    AuswahlBox = new QComboBox(this);
    AuswahlBox->setObjectName(QStringLiteral("AuswahlBox"));
    AuswahlBox->setMaxVisibleItems(7);
    AuswahlBox->setToolTip(Hint("Wählen Sie die Spalte aus nach der sortiert werden soll|"));
    SetHelpContext(AuswahlBox, 401);
    UmlBox = new QCheckBox(QString::fromUtf8("Umlaute zum Sortieren umwandeln Ä -> Ae ..."), this);
    UmlBox->setObjectName(QStringLiteral("UmlBox"));
    UmlBox->setToolTip(Hint("Diese Einstellung wirkt sich nur beim Sortieren aus.\rAnschließend werden die Umlaute "
                            "wiederhergestellt!|"));
    SetHelpContext(UmlBox, 402);
    UmlBox->hide();
    layout->addWidget(Label1);
    layout->addWidget(AuswahlBox);
    layout->addWidget(UmlBox);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setDefault(true);
    SetHelpContext(BitBtn1, 403);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    SetHelpContext(BitBtn2, 404);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

int TFeldAuswahl::Run(const SpaltennamenTyp& columnNames, uint8_t charset) {
    AuswahlBox->clear();
    for (const std::string& item : SortFieldItems(columnNames)) {
        AuswahlBox->addItem(TextFromBytes(platform::CodePageForCharset(charset), item));
    }
    AuswahlBox->setCurrentIndex(0);
    AuswahlBox->setFocus();
    return exec();
}

void TFeldAuswahl::keyPressEvent(QKeyEvent* event) {
    if (!HandleHelpKey(this, event)) QDialog::keyPressEvent(event);
}

TFeldAuswahl& FeldAuswahl() { return CreatedOnce<TFeldAuswahl>(); }
