#include "training/ui/abfr_opt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>

#include "training/ui/ModeFrame.h"
#include "training/ui/QuizHost.h"
#include "training/ui/QuizStart.h"

namespace {

template <class T>
T* Place(T* widget, int x, int y, int w, int h) {
    widget->setGeometry(x, y, w, h);
    return widget;
}

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

TAbfrOptForm::TAbfrOptForm(QWidget* parent, OptionenTyp& options) : QDialog(parent), options_(options) {
    setObjectName(QStringLiteral("AbfrOptForm"));
    setWindowTitle(Text("Abfrage-Optionen"));
    setModal(true);
    setFixedSize(420, 360);

    auto* direction = Place(new QGroupBox(Text("&Abfragerichtung"), this), 10, 10, 400, 70);
    AbfrRichtung2[0] = Place(new QRadioButton(Text("Muttersprache --> Fremdsprache"), direction), 10, 20, 380, 20);
    AbfrRichtung2[1] = Place(new QRadioButton(Text("Fremdsprache --> Muttersprache"), direction), 10, 42, 380, 20);
    ZufallBox2 = Place(new QCheckBox(Text("Zufällige Reihenfolge"), this), 14, 88, 390, 20);
    createList2 = Place(new QCheckBox(Text("Fehlerliste erstellen"), this), 14, 110, 390, 20);
    beeponerrorbox2 = Place(new QCheckBox(Text("Bei Falscheingabe Soundeffekt ausgeben"), this), 14, 132, 390, 20);

    auto* which = Place(new QGroupBox(Text("Welche Vokabeln abfragen?"), this), 10, 160, 400, 140);
    allbtn = Place(new QRadioButton(Text("Alle Vokabeln"), which), 10, 20, 380, 20);
    randomnumberbtn = Place(new QRadioButton(Text("Zufällig Vokabeln aussuchen. Anzahl:"), which), 10, 44, 260, 20);
    vokanz2 = Place(new QSpinBox(which), 280, 42, 100, 24);
    vokanz2->setMinimum(1);
    AbfrCount2 = Place(new QSlider(Qt::Horizontal, which), 28, 70, 352, 28);
    AbfrCount2->setMinimum(1);
    AbfrCount2->setTickPosition(QSlider::TicksBelow);
    markedbtn = Place(new QRadioButton(Text("Markierte Vokablen"), which), 10, 108, 380, 20);
    allbtn->setChecked(true);

    BitBtn1 = Place(new QPushButton(Text("&Abfragen"), this), 10, 316, 120, 30);
    BitBtn1->setDefault(true);
    BitBtn2 = Place(new QPushButton(Text("Abbrechen"), this), 150, 316, 120, 30);
    BitBtn3 = Place(new QPushButton(Text("&Hilfe"), this), 290, 316, 120, 30);
    for (QPushButton* b : {BitBtn2, BitBtn3}) b->setAutoDefault(false);

    for (QRadioButton* b : {allbtn, randomnumberbtn, markedbtn}) {
        connect(b, &QRadioButton::toggled, this, &TAbfrOptForm::CountButtonsClick);
    }
    connect(vokanz2, &QSpinBox::valueChanged, this, &TAbfrOptForm::vokanz2Change);
    connect(AbfrCount2, &QSlider::valueChanged, this, &TAbfrOptForm::AbfrCount2Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TAbfrOptForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TAbfrOptForm::BitBtn3Click);
}

int TAbfrOptForm::ShowQuizOptions(int count) {
    vokanz2->setMaximum(count);
    vokanz2->setValue(count);
    AbfrCount2->setMaximum(count);
    AbfrCount2->setValue(count);
    AbfrCount2->setTickInterval(count / 10);
    CountButtonsClick();
    return ExecUntilFrameCloses(*this);
}

void TAbfrOptForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TAbfrOptForm::FormShow() {
    const AbfrageOptionenTyp& o = options_.Abfragen;
    AbfrRichtung2[o.MutterspracheZuFremdsprache ? 0 : 1]->setChecked(true);
    ZufallBox2->setChecked(o.ZufaelligeReihenfolge);
    createList2->setChecked(o.FehlerlisteErstellen);
    beeponerrorbox2->setChecked(o.BeepBeiFehler);
}

void TAbfrOptForm::CountButtonsClick() {
    const bool random = randomnumberbtn->isChecked();
    AbfrCount2->setEnabled(random);
    vokanz2->setEnabled(random);
}

void TAbfrOptForm::vokanz2Change(int value) { AbfrCount2->setValue(value); }

void TAbfrOptForm::AbfrCount2Change(int value) { vokanz2->setValue(value); }

void TAbfrOptForm::BitBtn1Click() {
    AbfrageOptionenTyp& o = options_.Abfragen;
    o.MutterspracheZuFremdsprache = AbfrRichtung2[0]->isChecked();
    o.ZufaelligeReihenfolge = ZufallBox2->isChecked();
    o.FehlerlisteErstellen = createList2->isChecked();
    o.BeepBeiFehler = beeponerrorbox2->isChecked();
    accept();
}

void TAbfrOptForm::BitBtn3Click() {
    if (QuizHost* host = TheQuizHost()) host->ShowHelpPage("Dialogfelder\\AbfrOpt_kompakt.html");
}

TAbfrOptForm& AbfrOptForm() {
    static TAbfrOptForm* form = new TAbfrOptForm;
    return *form;
}

void RegisterQuizOptionsDialog() {
    SetQuizOptionsDialog([](int completeEntries, bool markedFirst) -> std::optional<QuizChoice> {
        TAbfrOptForm& form = AbfrOptForm();
        if (markedFirst) form.markedbtn->setChecked(true);
        if (form.ShowQuizOptions(completeEntries) != QDialog::Accepted) return std::nullopt;
        QuizChoice choice;
        if (form.randomnumberbtn->isChecked()) {
            choice.kind = QuizChoice::Kind::RandomNumber;
            choice.count = form.vokanz2->value();
        } else if (form.markedbtn->isChecked()) {
            choice.kind = QuizChoice::Kind::Marked;
        }
        return choice;
    });
}
