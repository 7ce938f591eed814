#include "documents/ui/Edit.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "documents/ui/AppSettingsQt.h"
#include "documents/ui/Childwin.h"
#include "documents/ui/DialogHelp.h"
#include "documents/ui/DocumentFrame.h"
#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/FieldInput.h"
#include "documents/ui/GotoUnit.h"
#include "documents/ui/searchUnit.h"
#include "platform/Dialogs.h"
#include "platform/ui/Hints.h"
#include "platform/ui/OwnMnemonics.h"

using platform::Dialogs;
using platform::MsgDlgType;

namespace {

TEditForm* editForm = nullptr;

constexpr int kFieldLength = 50;
constexpr int kOptionsInputPage = 3;

using platform::Hint;

constexpr int kWidth = 462;
// What a title bar needs beside its caption: the window icon, the buttons and margins.
constexpr int kTitleBarRoom = 110;

// The room the caption of a file not yet saved asks for beyond the fields' own width.
int CaptionRoom(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    const int caption = QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(EditorCaption(kUnsavedFileName)));
    return std::max(0, caption + kTitleBarRoom - kWidth);
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, int y, const char* hint) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(parent->width() - 140, y, 130, 26);
    button->setToolTip(Hint(hint));
    return button;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption, int x, int y, int w = 14) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, 22);
    return label;
}

QLineEdit* FieldEdit(QWidget* parent, const char* name, int y) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(26, y, parent->width() - 38, 24);
    edit->setMaxLength(kFieldLength);
    return edit;
}

void Beep() { QApplication::beep(); }

}  // namespace

TEditForm* TEditForm::Instance(QWidget* owner) {
    if (editForm == nullptr) new TEditForm(owner != nullptr ? owner->window() : nullptr);
    return editForm;
}

TEditForm* TEditForm::Existing() { return editForm; }

TEditForm::TEditForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      core_({[this](int row) {
                 if (EditDocument) EditDocument->RefreshRow(row);
             },
             Beep}) {
    editForm = this;
    setObjectName(QStringLiteral("EditForm"));
    setWindowTitle(QString::fromUtf8("Editieren/Eingeben"));
    setModal(false);
    BuildForm();
    SetEntryEditorLink(this);
}

TEditForm::~TEditForm() {
    core_.Close();
    SetEntryEditorLink(nullptr);
    if (editForm == this) editForm = nullptr;
}

void TEditForm::BuildForm() {
    // Wide enough for the whole caption in the title bar; the fields take the extra room.
    const int extra = CaptionRoom(font());
    setFixedSize(kWidth + extra, 300);
    FSEditBox = new QGroupBox(QString::fromUtf8("&Fremdsprache"), this);
    FSEditBox->setObjectName(QStringLiteral("FSEditBox"));
    FSEditBox->setGeometry(8, 4, 304 + extra, 84);
    lf1 = Label(FSEditBox, "lf1", "1", 8, 22);
    lf2 = Label(FSEditBox, "lf2", "2", 8, 50);
    FSEdit1 = FieldEdit(FSEditBox, "FSEdit1", 22);
    FSEdit2 = FieldEdit(FSEditBox, "FSEdit2", 50);

    MSEditBox = new QGroupBox(QString::fromUtf8("&Muttersprache"), this);
    MSEditBox->setObjectName(QStringLiteral("MSEditBox"));
    MSEditBox->setGeometry(8, 92, 304 + extra, 168);
    lm1 = Label(MSEditBox, "lm1", "1", 8, 22);
    lm2 = Label(MSEditBox, "lm2", "2", 8, 50);
    lm3 = Label(MSEditBox, "lm3", "3", 8, 78);
    lm4 = Label(MSEditBox, "lm4", "4", 8, 106);
    lm5 = Label(MSEditBox, "lm5", "5", 8, 134);
    MSEdit1 = FieldEdit(MSEditBox, "MSEdit1", 22);
    MSEdit2 = FieldEdit(MSEditBox, "MSEdit2", 50);
    MSEdit3 = FieldEdit(MSEditBox, "MSEdit3", 78);
    MSEdit4 = FieldEdit(MSEditBox, "MSEdit4", 106);
    MSEdit5 = FieldEdit(MSEditBox, "MSEdit5", 134);
    edits_ = {FSEdit1, FSEdit2, MSEdit1, MSEdit2, MSEdit3, MSEdit4, MSEdit5};
    numberLabels_ = {lf1, lf2, lm1, lm2, lm3, lm4, lm5};
    for (int k = 0; k < 7; ++k) {
        edits_[k]->installEventFilter(this);
        FieldInput::Guard(edits_[k], [this, k] { return FieldCharset(k); });
    }

    Label7 = Label(this, "Label7", "Vokabel-Nummer: ", 8, 268, 110);
    NRLabel = Label(this, "NRLabel", "", 118, 268, 30);
    NRLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label8 = Label(this, "Label8", "/", 152, 268, 8);
    VokAnz = new QToolButton(this);
    VokAnz->setObjectName(QStringLiteral("VokAnz"));
    VokAnz->setGeometry(162, 266, 40, 26);
    VokAnz->setAutoRaise(true);
    VokAnz->setToolTip(Hint("Klicken Sie hier um zu einer neuen Vokabel zu gelangen|"));
    connect(VokAnz, &QToolButton::clicked, this, &TEditForm::VokAnzClick);

    ButtonNext = Button(this, "ButtonNext", "&Nächste", 8, "Weiterblättern zur nächsten Vokabel|");
    ButtonNext->setDefault(true);
    ButtonLast = Button(this, "ButtonLast", "&Vorherige", 40, "Zurückblättern zur vorherigen Vokabel|");
    ButtonGoto = Button(this, "ButtonGoto", "&Gehe zu", 72,
                        "Öffnet einen Auswahldialog mit dem man zu bestimmten\rStellen der Vokabeldatei springen kann|");
    ButtonSearch = Button(this, "ButtonSearch", "&Suchen", 104, "Öffnet den Suchen-Dialog|");
    EditOptionenButt = Button(this, "EditOptionenButt", "&Einstellungen", 136, "Öffnet den Optionen-Dialog|");
    ButtonHelp = Button(this, "ButtonHelp", "&Hilfe", 168, "Öffnet die Hilfe zum Thema Vokabeln eingeben|");
    ButtonFertig =
        Button(this, "ButtonFertig", "&OK", 200, "Übernimmt die Änderungen und schließt das Dialogfeld|");
    BitBtn1 = Button(this, "BitBtn1", "Abbrechen", 232,
                     "Schließt das Dialogfeld und verwirft die\rÄnderungen an der aktuellen Vokabel|");
    connect(ButtonNext, &QPushButton::clicked, this, &TEditForm::ButtonNextClick);
    connect(ButtonLast, &QPushButton::clicked, this, &TEditForm::ButtonLastClick);
    connect(ButtonGoto, &QPushButton::clicked, this, &TEditForm::ButtonGotoClick);
    connect(ButtonSearch, &QPushButton::clicked, this, &TEditForm::ButtonSearchClick);
    connect(EditOptionenButt, &QPushButton::clicked, this, &TEditForm::EditOptionenButtClick);
    connect(ButtonHelp, &QPushButton::clicked, this, &TEditForm::ButtonHelpClick);
    connect(ButtonFertig, &QPushButton::clicked, this, &TEditForm::ButtonFertigClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TEditForm::BitBtn1Click);

    LeerVokBox = new QCheckBox(QString::fromUtf8("zu leeren Vok. gehen"), this);
    LeerVokBox->setObjectName(QStringLiteral("LeerVokBox"));
    LeerVokBox->setGeometry(214, 268, 170, 22);
    LeerVokBox->setToolTip(Hint("Wenn dieses Kästchen aktiviert ist suchen die Buttons \"Nächste\"\r"
                                "und \"Vorherige\" in der entsprechenden Richtung nach der nächsten\r"
                                "leeren Vokabel und zeigen diese. Gibt es z.B. bei \"Vorherige\"\r"
                                "keine leere Vokabel vorher bleibt die selbe Vokabel in der Anzeige|"));

    SonderzButton1 = new QToolButton(this);
    SonderzButton1->setObjectName(QStringLiteral("SonderzButton1"));
    SonderzButton1->setGeometry(width() - 42, 266, 32, 26);
    SonderzButton1->setFocusPolicy(Qt::NoFocus);
    SonderzButton1->setToolTip(
        Hint("Sonderzeichen einfügen. Für das sichtbare die linke,\rzum Auswählen die rechte Maustaste drücken!|"));
    SonderzButton1->installEventFilter(this);
    connect(SonderzButton1, &QToolButton::clicked, this, &TEditForm::SonderzButton1Click);
    SonderzTimer1 = new QTimer(this);
    SonderzTimer1->setObjectName(QStringLiteral("SonderzTimer1"));
    SonderzTimer1->setInterval(10);
    SonderzTimer1->setSingleShot(true);
    connect(SonderzTimer1, &QTimer::timeout, this, &TEditForm::SonderzTimer1Timer);

    SetHelpContext(this, 300);
    const std::pair<QWidget*, int> contexts[] = {{ButtonNext, 301}, {ButtonLast, 302},       {ButtonGoto, 303},
                                                 {ButtonSearch, 304}, {EditOptionenButt, 305}, {ButtonFertig, 306}};
    for (const auto& [widget, context] : contexts) SetHelpContext(widget, context);
    for (QLineEdit* edit : edits_) SetHelpContext(edit, edit == FSEdit1 || edit == FSEdit2 ? 307 : 308);
}

bool TEditForm::EditsDocument(const TMDIChild* window) const {
    return window != nullptr && isVisible() && EditDocument == window && core_.Document() == &window->Document();
}

void TEditForm::ShowEditor() {
    show();
    FormShow();
}

void TEditForm::FormShow() {
    if (!EditDocument) {
        Dialogs().MessageDlg("AktivKind=NIL", MsgDlgType::Error, platform::mbOK);
        HideEditor();
        return;
    }
    VocabDocument& doc = EditDocument->Document();
    EditFileName = doc.FileName.empty() ? kUnsavedFileName : doc.FileName;
    setWindowTitle(QString::fromUtf8(EditorCaption(EditFileName)));
    // A window that goes away while edited takes the editor's hold with it.
    connect(EditDocument.data(), &QObject::destroyed, this, &TEditForm::HideEditor, Qt::UniqueConnection);
    core_.Open(doc, StartRow);
    doc.RefreshGrid();
    FocusRule();
    EditUpdate();

    TFontObject fs;
    FontRecToFont(doc.Fonts.TableFS, fs, &SchriftartenTyp::TableFS);
    TFontObject ms;
    FontRecToFont(doc.Fonts.TableMS, ms, &SchriftartenTyp::TableMS);
    SonderzButton1->setFont(fs.Font);
    SonderzButton1->setText(FieldText(Optionen.Settings.LetztesSonderzeichen, doc.Fonts.TableFS.Charset));
    for (int k = 0; k < 7; ++k) {
        const std::string hint = (doc.ColumnNames.Field(k + 1).Get() + "|").substr(0, 51);
        numberLabels_[k]->setToolTip(
            platform::PlainToolTip(FieldText(hint, doc.Fonts.TableHeader.Charset).section(QChar('|'), 0, 0)));
        // Each field in its table font's colour, as in the grid.
        const TFontObject& font = k < 2 ? fs : ms;
        edits_[k]->setFont(font.Font);
        QPalette palette = edits_[k]->palette();
        palette.setColor(QPalette::Text, font.Color);
        edits_[k]->setPalette(palette);
    }
    raise();
    activateWindow();
}

uint8_t TEditForm::FieldCharset(int field) const {
    if (!EditDocument) return 0;
    const SchriftartenTyp& fonts = EditDocument->Document().Fonts;
    return field < 2 ? fonts.TableFS.Charset : fonts.TableMS.Charset;
}

void TEditForm::ReadEdits() {
    for (int k = 0; k < 7; ++k) core_.Fields[k] = FieldBytes(edits_[k]->text(), FieldCharset(k));
}

void TEditForm::ShowEdits() {
    for (int k = 0; k < 7; ++k) edits_[k]->setText(FieldText(core_.Fields[k], FieldCharset(k)));
}

void TEditForm::EditUpdate() {
    NRLabel->setText(QString::number(core_.EditRow()));
    VokAnz->setText(QString::number(core_.UsedCount()));
    ShowEdits();
}

void TEditForm::FocusRule() { (Optionen.FremdspracheZuerstAktiv ? FSEdit1 : MSEdit1)->setFocus(); }

int TEditForm::FocusedField() const {
    for (int k = 0; k < 7; ++k) {
        if (edits_[k] == focusWidget()) return k;
    }
    return -1;
}

void TEditForm::ShowCount() {
    if (!EditDocument) return;
    TheDocumentFrame().ShowEntryCount(QString::fromUtf8("Anzahl der Vokabeln: ") +
                                      QString::number(EditDocument->Document().CountCompleteEntries()));
}

void TEditForm::HideEditor() {
    core_.Close();
    hide();
}

void TEditForm::StoreEntry() {
    if (core_.Document() == nullptr) return;
    ReadEdits();
    core_.SaveCurrent();
}

void TEditForm::ShowEntry() {
    if (core_.Document() == nullptr) return;
    core_.EditUpdate();
    EditUpdate();
}

// ---- Buttons -------------------------------------------------------------------

void TEditForm::ButtonNextClick() {
    if (FocusedField() >= 0 && Optionen.EnterWechseltFSMS) {
        if (FSEdit1->text().isEmpty()) {
            FSEdit1->setFocus();
            return;
        }
        if (MSEdit1->text().isEmpty()) {
            MSEdit1->setFocus();
            return;
        }
    }
    FocusRule();
    ReadEdits();
    if (!core_.Next(LeerVokBox->isChecked())) return;
    EditUpdate();
    FocusRule();
    ShowCount();
}

void TEditForm::ButtonLastClick() {
    FocusRule();
    ReadEdits();
    const int row = core_.EditRow();
    core_.Previous(LeerVokBox->isChecked(), Optionen.BeiVorherigesSpeichern);
    // At row 1 with the box checked nothing moves and the edits stay.
    if (!(LeerVokBox->isChecked() && row <= 1)) EditUpdate();
}

void TEditForm::ButtonFertigClick() {
    ReadEdits();
    core_.Finish();
    HideEditor();
}

void TEditForm::BitBtn1Click() {
    core_.Cancel();
    HideEditor();
}

void TEditForm::reject() { BitBtn1Click(); }

void TEditForm::closeEvent(QCloseEvent* event) {
    // The title bar's close stores nothing and redraws nothing.
    core_.Close();
    QDialog::closeEvent(event);
}

bool TEditForm::event(QEvent* event) {
    // Alt and a letter of the editor's own before the main window's menus.
    return platform::HandleOwnMnemonic(*this, event) || HandleHelpEvent(this, event) || QDialog::event(event);
}

void TEditForm::ButtonGotoClick() {
    if (EditDocument) {
        const int row = GotoForm().Run(EditDocument->Document());
        if (row >= 1 && row <= kMaxEntries) {
            ReadEdits();
            core_.GotoRow(row);
            EditUpdate();
        }
    }
    FocusRule();
}

void TEditForm::ButtonSearchClick() {
    if (EditDocument) {
        TSearchForm* search = TSearchForm::Instance(this);
        search->SearchMode = 0;
        search->ShowFor(EditDocument);
        const int row = search->ResultRow;
        if (row >= 1 && row <= kMaxEntries) {
            core_.ShowFoundRow(row);
            EditUpdate();
        }
    }
    FocusRule();
}

void TEditForm::VokAnzClick() {
    ReadEdits();
    core_.GotoAfterCount();
    EditUpdate();
    FocusRule();
}

void TEditForm::EditOptionenButtClick() {
    TheDocumentFrame().ShowOptionsPage(kOptionsInputPage);
    FocusRule();
}

void TEditForm::ButtonHelpClick() {
    TheDocumentFrame().ShowHelpPage("Dialogfelder\\edit.html");
}

// ---- Keys and the special character --------------------------------------------

bool TEditForm::FieldKey(int field, QKeyEvent* key) {
    const QString text = key->text();
    if (text.size() != 1) return false;
    if (!text[0].isPrint()) {
        // A control key after "*" puts the "*" in and then does its work.
        if (field < 2 && text[0].unicode() < 128 && IsControlKey(char(text[0].unicode()))) {
            char control = char(text[0].unicode());
            EditFieldCaret caret(*edits_[field], FieldCharset(field));
            ComposeCaronKey(control, caret);
        }
        return false;
    }
    if (text == QStringLiteral(";") && Optionen.SemikolonNaechstesFeld) {
        const int target = SemicolonTarget(field, Optionen.NurSelbeSprache);
        if (target >= 0) {
            edits_[target]->setFocus();
            return true;
        }
    }
    const std::optional<char> byte = TypedByteOrBeep(text, FieldCharset(field));
    if (!byte) return true;
    if (field >= 2) return false;
    char composed = *byte;
    EditFieldCaret caret(*edits_[field], FieldCharset(field));
    ComposeCaronKey(composed, caret);
    if (composed == 0) return true;
    if (composed != *byte) {
        edits_[field]->insert(FieldText(std::string(1, composed), FieldCharset(field)));
        return true;
    }
    return false;
}

void TEditForm::SonderzButton1Click() {
    const int field = FocusedField();
    if (field < 0) return;
    const uint8_t charset = EditDocument ? EditDocument->Document().Fonts.TableFS.Charset : 0;
    const std::string bytes = SpecialCharacterBytes(FieldBytes(SonderzButton1->text(), charset));
    if (bytes.empty()) return;
    QLineEdit* edit = edits_[field];
    const int caret = edit->cursorPosition();
    QString text = edit->text();
    text.insert(caret, FieldText(bytes, FieldCharset(field)));
    edit->setText(text.left(kFieldLength));
    edit->setCursorPosition(std::min(caret + 1, int(edit->text().size())));
}

void TEditForm::SonderzButton1MouseDown(const QPoint& pos) {
    const bool centralEuropean = EditDocument && EditDocument->Document().Fonts.TableFS.Charset == 238;
    specialChosen_ =
        TheDocumentFrame().PopupSpecialCharacters(SonderzButton1->mapToGlobal(pos + QPoint(0, 25)), centralEuropean);
    SonderzTimer1->start();
}

void TEditForm::SonderzTimer1Timer() {
    SonderzTimer1->stop();
    const uint8_t charset = EditDocument ? EditDocument->Document().Fonts.TableFS.Charset : 0;
    SonderzButton1->setText(FieldText(Optionen.Settings.LetztesSonderzeichen, charset));
    if (specialChosen_) SonderzButton1Click();
}

bool TEditForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SonderzButton1 && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            SonderzButton1MouseDown(mouse->position().toPoint());
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // Alt and a letter presses the editor's button, never types it.
        if (platform::HandleOwnMnemonic(*this, event)) return true;
        for (int k = 0; k < 7; ++k) {
            if (watched == edits_[k]) return FieldKey(k, static_cast<QKeyEvent*>(event));
        }
    }
    return QDialog::eventFilter(watched, event);
}
