#include "htmlengine/ui/FormControlsQt.h"

#include "htmlengine/CodePages.h"
#include "htmlengine/ui/QtMeasurer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>

namespace htmlengine {

namespace {

QString Decode(uint8_t charset, const std::string& bytes) {
    const std::u16string u = CharsetBytesToUtf16(charset, bytes);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

// Typed characters the code page has no byte for become '?'.
std::string Encode(uint8_t charset, const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        char byte = '?';
        if (c < 128) {
            byte = static_cast<char>(c);
        } else {
            for (int b = 128; b < 256; ++b) {
                if (CharsetByteToUnicode(charset, static_cast<uint8_t>(b)) == c) {
                    byte = static_cast<char>(b);
                    break;
                }
            }
        }
        out.push_back(byte);
    }
    return out;
}

// Hands a widget's events to its control object until the object lets go;
// it lives as long as the widget, so late signals find it.
class EventRelay : public QObject {
public:
    explicit EventRelay(QWidget* watched) : QObject(watched) { watched->installEventFilter(this); }
    FormWidgetEvents* events = nullptr;

    void Watch(QWidget* w) { w->installEventFilter(this); }
    void Click() {
        if (events) events->DoClick();
    }
    void Return() {
        if (events) events->DoReturn();
    }
    bool clickOnRelease = false;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        FormWidgetEvents* ev = events;
        if (!ev) return QObject::eventFilter(watched, e);
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
            // Window activation and popups move no focus between controls.
            const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) {
                if (e->type() == QEvent::FocusIn) ev->DoEnter();
                else ev->DoExit();
            }
        } else if (e->type() == QEvent::MouseButtonRelease && clickOnRelease) {
            ev->DoClick();
        }
        return false;
    }
};

// List rows as high as the list's font, measured as the engine measures it.
class FontHighRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QFontMetrics& fm = option.fontMetrics;
        return {QStyledItemDelegate::sizeHint(option, index).width(), fm.ascent() + fm.descent()};
    }
};

// A click only ever checks it; the form unchecks the others of its group.
class PageRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override { setChecked(true); }
};

class QtFormWidget : public FormWidget {
public:
    QtFormWidget(QWidget* panel, const FormWidgetOptions& o, const SystemColors& system)
        : kind_(o.Kind), charset_(o.Font.Charset), system_(system) {
        switch (o.Kind) {
        case FormWidgetKind::Edit: MakeEdit(panel, o); break;
        case FormWidgetKind::Button: MakeButton(panel, o); break;
        case FormWidgetKind::CheckBox: MakeCheckBox(panel, o); break;
        case FormWidgetKind::Radio: MakeRadio(panel, o); break;
        case FormWidgetKind::ListBox: MakeList(panel, o); break;
        case FormWidgetKind::ComboBox: MakeCombo(panel, o); break;
        case FormWidgetKind::Memo: MakeMemo(panel, o); break;
        }
        if (!outer_) outer_ = control_;
        outer_->move(0, -400);
        outer_->show();
        relay_->events = o.Events;
    }
    ~QtFormWidget() override {
        if (relay_) relay_->events = nullptr;
        // Hiding a focused widget would hand the focus to another control of a
        // page that is being freed; it goes nowhere instead.
        if (control_ && control_->hasFocus()) control_->clearFocus();
        // The widget may be delivering the signal that freed its control.
        if (outer_) {
            outer_->hide();
            outer_->deleteLater();
        }
    }

    int32_t Width() const override { return outer_ ? outer_->width() : 0; }
    int32_t Height() const override { return outer_ ? outer_->height() : 0; }
    void SetClientSize(int32_t width, int32_t height) override {
        if (!outer_) return;
        QSize chrome(0, 0);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(control_.data())) {
            chrome = ScrollAreaChrome(*area, height);
        } else if (auto* frame = qobject_cast<QFrame*>(control_.data())) {
            chrome = QSize(2 * frame->frameWidth(), 2 * frame->frameWidth());
        }
        outer_->resize(width + chrome.width(), height >= 0 ? height + chrome.height() : outer_->height());
    }
    void SetSize(int32_t width, int32_t height) override {
        if (outer_) outer_->resize(width >= 0 ? width : outer_->width(), height >= 0 ? height : outer_->height());
    }
    void SetTop(int32_t top) override {
        if (outer_) outer_->move(outer_->x(), top);
    }
    void SetLeft(int32_t left) override {
        if (outer_) outer_->move(left, outer_->y());
    }
    void SetVisible(bool visible) override {
        if (outer_) outer_->setVisible(visible);
    }
    bool Focused() const override { return control_ && control_->hasFocus(); }

    void ClearItems() override {
        const QSignalBlocker block(control_);
        if (auto* l = List()) l->clear();
        if (auto* c = Combo()) c->clear();
    }
    void AddItem(const std::string& text) override {
        const QSignalBlocker block(control_);
        if (auto* l = List()) l->addItem(Decode(charset_, text));
        if (auto* c = Combo()) c->addItem(Decode(charset_, text));
    }
    int32_t ItemCount() const override {
        if (auto* l = List()) return l->count();
        if (auto* c = Combo()) return c->count();
        return 0;
    }
    void SetItemSelected(int32_t index, bool selected) override {
        const QSignalBlocker block(control_);
        if (auto* l = List()) {
            if (QListWidgetItem* item = l->item(index)) item->setSelected(selected);
        }
        if (auto* c = Combo(); c && selected) c->setCurrentIndex(index);
    }
    bool ItemSelected(int32_t index) const override {
        if (auto* l = List()) {
            QListWidgetItem* item = l->item(index);
            return item && item->isSelected();
        }
        return ItemIndex() == index;
    }
    void SetItemIndex(int32_t index) override {
        const QSignalBlocker block(control_);
        if (auto* l = List()) {
            l->clearSelection();
            l->setCurrentRow(index);
        }
        if (auto* c = Combo()) c->setCurrentIndex(index);
    }
    int32_t ItemIndex() const override {
        if (auto* l = List()) {
            for (int i = 0; i < l->count(); ++i) {
                if (l->item(i)->isSelected()) return i;
            }
            return -1;
        }
        if (auto* c = Combo()) return c->currentIndex();
        return -1;
    }
    void ScrollToTop() override {
        if (auto* l = List()) l->scrollToTop();
    }

    void SetLines(const std::vector<std::string>& lines) override {
        auto* m = qobject_cast<QPlainTextEdit*>(control_.data());
        if (!m) return;
        const QSignalBlocker block(control_);
        QStringList text;
        for (const std::string& line : lines) text << Decode(charset_, line);
        m->setPlainText(text.join(u'\n'));
        m->moveCursor(QTextCursor::Start);
    }
    std::vector<std::string> Lines() const override {
        std::vector<std::string> out;
        auto* m = qobject_cast<QPlainTextEdit*>(control_.data());
        if (!m || m->document()->isEmpty()) return out;
        for (const QString& line : m->toPlainText().split(u'\n')) out.push_back(Encode(charset_, line));
        return out;
    }
    void SetText(const std::string& text) override {
        const QSignalBlocker block(control_);
        if (auto* e = qobject_cast<QLineEdit*>(control_.data())) e->setText(Decode(charset_, text));
    }
    std::string Text() const override {
        auto* e = qobject_cast<QLineEdit*>(control_.data());
        return e ? Encode(charset_, e->text()) : std::string();
    }
    void SetChecked(bool checked) override {
        const QSignalBlocker block(control_);
        if (auto* b = qobject_cast<QAbstractButton*>(control_.data())) b->setChecked(checked);
    }
    bool Checked() const override {
        auto* b = qobject_cast<QAbstractButton*>(control_.data());
        return b && b->isChecked();
    }
    void SetBackground(TColor color) override {
        if (kind_ != FormWidgetKind::Radio || !outer_) return;
        QPalette p = outer_->palette();
        p.setColor(QPalette::Window, QColor::fromRgb(ResolveRgb(color, system_)));
        outer_->setPalette(p);
    }

private:
    QListWidget* List() const { return qobject_cast<QListWidget*>(control_.data()); }
    QComboBox* Combo() const { return qobject_cast<QComboBox*>(control_.data()); }

    // What a scroll area takes around a viewport of the given height: its
    // frame and the scroll bars it shows, laid out as the area lays them out.
    static QSize ScrollAreaChrome(const QAbstractScrollArea& area, int32_t height) {
        const auto shown = [](Qt::ScrollBarPolicy policy, bool needed) {
            return policy == Qt::ScrollBarAlwaysOn || (policy == Qt::ScrollBarAsNeeded && needed);
        };
        // Only a list may ask for more rows than it has room for.
        bool taller = false;
        if (auto* l = qobject_cast<const QListWidget*>(&area); l && l->count() > 0) {
            taller = int64_t(l->count()) * l->sizeHintForRow(0) > height;
        }
        const bool v = shown(area.verticalScrollBarPolicy(), taller);
        const bool h = shown(area.horizontalScrollBarPolicy(), false);
        QStyleOption o;
        o.initFrom(&area);
        QStyle* style = area.style();
        const int vOverlap = style->pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap, &o, area.verticalScrollBar());
        const int hOverlap =
            style->pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap, &o, area.horizontalScrollBar());
        int w = 2 * area.frameWidth(), ht = 2 * area.frameWidth();
        if (v && vOverlap == 0) w += area.verticalScrollBar()->sizeHint().width();
        if (h && hOverlap == 0) ht += area.horizontalScrollBar()->sizeHint().height();
        if (area.frameShape() != QFrame::NoFrame &&
            style->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, &o, &area)) {
            const int spacing = style->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, &o, &area);
            if (v) w += spacing + vOverlap;
            if (h) ht += spacing + hOverlap;
        }
        return {w, ht};
    }

    void Adopt(QWidget* control) {
        control_ = control;
        relay_ = new EventRelay(control);
    }
    void MakeEdit(QWidget* panel, const FormWidgetOptions& o) {
        auto* e = new QLineEdit(panel);
        Adopt(e);
        e->setFont(QtMeasurer::MakeFont(o.Font));
        e->resize(120, 20);
        e->setText(Decode(charset_, o.Text));
        if (o.MaxLength > 0) e->setMaxLength(o.MaxLength);
        if (o.Password) {
            e->setEchoMode(QLineEdit::Password);
            e->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
        }
        relay_->clickOnRelease = true;
        QObject::connect(e, &QLineEdit::returnPressed, relay_.data(), [r = relay_.data()] { r->Return(); });
    }
    void MakeButton(QWidget* panel, const FormWidgetOptions& o) {
        auto* b = new QPushButton(Decode(charset_, o.Text), panel);  // the panel's font
        Adopt(b);
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, relay_.data(), [r = relay_.data()] { r->Click(); });
    }
    void MakeCheckBox(QWidget* panel, const FormWidgetOptions& o) {
        auto* c = new QCheckBox(panel);
        Adopt(c);
        c->resize(13, 13);
        c->setChecked(o.Checked);
        QObject::connect(c, &QCheckBox::clicked, relay_.data(), [r = relay_.data()] { r->Click(); });
    }
    void MakeRadio(QWidget* panel, const FormWidgetOptions& o) {
        outer_ = new QWidget(panel);
        outer_->resize(13, 14);
        outer_->setAutoFillBackground(true);
        auto* r = new PageRadioButton(outer_);
        Adopt(r);
        r->setAutoExclusive(false);  // a lone exclusive radio could never be unchecked
        r->setGeometry(0, 0, 13, 14);
        r->setChecked(o.Checked);
        QObject::connect(r, &QRadioButton::clicked, relay_.data(), [rel = relay_.data()] { rel->Click(); });
    }
    void MakeList(QWidget* panel, const FormWidgetOptions& o) {
        auto* l = new QListWidget(panel);
        Adopt(l);
        l->setFont(QtMeasurer::MakeFont(o.Font));
        l->setSelectionMode(o.MultiSelect ? QAbstractItemView::ExtendedSelection
                                          : QAbstractItemView::SingleSelection);
        // Rows as high as the font, as the list is sized; it is as wide as
        // its longest option, so it never scrolls sideways.
        l->setUniformItemSizes(true);
        l->setItemDelegate(new FontHighRows(l));
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QObject::connect(l, &QListWidget::itemSelectionChanged, relay_.data(), [r = relay_.data()] { r->Click(); });
    }
    void MakeCombo(QWidget* panel, const FormWidgetOptions& o) {
        auto* c = new QComboBox(panel);
        Adopt(c);
        c->setEditable(false);
        c->setFont(QtMeasurer::MakeFont(o.Font));
        QObject::connect(c, &QComboBox::activated, relay_.data(), [r = relay_.data()] { r->Click(); });
    }
    void MakeMemo(QWidget* panel, const FormWidgetOptions& o) {
        auto* m = new QPlainTextEdit(panel);
        Adopt(m);
        m->setFont(QtMeasurer::MakeFont(o.Font));
        m->setTabChangesFocus(true);
        m->setLineWrapMode(o.WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        // The room around the text is the 5 pixels the area is sized with:
        // a wrapped line holds as many letters as the area has columns.
        m->document()->setDocumentMargin(2);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m->setHorizontalScrollBarPolicy(o.WordWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
        relay_->Watch(m->viewport());
        relay_->clickOnRelease = true;
    }

    FormWidgetKind kind_;
    uint8_t charset_;
    const SystemColors& system_;
    QPointer<QWidget> outer_;    // what is placed: the control, or the radio's panel
    QPointer<QWidget> control_;
    QPointer<EventRelay> relay_;  // a child of control_
};

}  // namespace

std::unique_ptr<FormWidget> QtFormControlHost::Create(const FormWidgetOptions& options) {
    if (!panel_) return nullptr;
    return std::make_unique<QtFormWidget>(panel_, options, system_);
}

}  // namespace htmlengine
