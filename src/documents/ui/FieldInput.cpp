#include "documents/ui/FieldInput.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "documents/ui/EditFieldCaret.h"
#include "platform/Dialogs.h"

namespace {

QString SystemSelection() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection) : QString();
}

FieldInput::SelectionSource selectionSource = SystemSelection;

// Length as stored: a line break is CR LF.
std::size_t StoredLength(const QString& text) { return std::size_t(text.toUcs4().size() + text.count(QChar('\n'))); }

// Text cut, a whole character at a time, to a stored length.
QString CutTo(const QString& text, std::size_t room) {
    QString kept;
    std::size_t used = 0;
    for (const char32_t c : text.toUcs4()) {
        used += c == U'\n' ? 2 : 1;
        if (used > room) break;
        kept += QString::fromUcs4(&c, 1);
    }
    return kept;
}

// The paste command of a context menu.
QAction* PasteAction(const QMenu& menu) {
    if (auto* named = menu.findChild<QAction*>(QStringLiteral("edit-paste"))) return named;
    // A line edit's standard menu names none of its commands: its paste goes
    // by its caption, in whatever language Qt speaks.
    const QString caption = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu.actions()) {
        if (action->text().section(QChar('\t'), 0, 0) == caption) return action;
    }
    return nullptr;
}

}  // namespace

std::optional<char> TypedByteOrBeep(const QString& typed, uint8_t charset) {
    const std::optional<char> byte = TypedByte(typed, charset);
    if (!byte) QApplication::beep();
    return byte;
}

FieldInput::FieldInput(QWidget* field, QLineEdit* line, QPlainTextEdit* memo, Rules rules)
    : QObject(field), field_(field), line_(line), memo_(memo), rules_(std::move(rules)) {
    field_->installEventFilter(this);
    // Mouse, menu and drop events of a text edit go to its viewport.
    if (memo_ != nullptr) memo_->viewport()->installEventFilter(this);
}

FieldInput* FieldInput::Guard(QLineEdit* field, Rules rules) {
    return new FieldInput(field, field, nullptr, std::move(rules));
}

FieldInput* FieldInput::Guard(QPlainTextEdit* field, Rules rules) {
    return new FieldInput(field, nullptr, field, std::move(rules));
}

FieldInput* FieldInput::Guard(QLineEdit* field, std::function<uint8_t()> charset) {
    Rules rules;
    rules.charset = std::move(charset);
    return Guard(field, std::move(rules));
}

void FieldInput::SetSelectionSource(SelectionSource source) {
    selectionSource = source != nullptr ? source : SystemSelection;
}

uint8_t FieldInput::Charset() const { return rules_.charset ? rules_.charset() : 0; }

QString FieldInput::TextWith(const QString& inserted) const {
    if (line_ != nullptr) {
        QString text = line_->text();
        const bool selected = line_->hasSelectedText();
        text.replace(selected ? line_->selectionStart() : line_->cursorPosition(),
                     selected ? line_->selectionLength() : 0, inserted);
        return text;
    }
    const QTextCursor cursor = memo_->textCursor();
    QString text = memo_->toPlainText();
    text.replace(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(), inserted);
    return text;
}

FieldInput::Outcome FieldInput::Check(QString text) const {
    // The clipboard's line ends are the system's; a text edit breaks at LF.
    if (memo_ != nullptr) text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    const uint8_t charset = Charset();
    const std::optional<std::string> bytes = ExactFieldBytes(text, charset);
    if (!bytes) return {{}, kLetterNotInCodePage};
    Outcome outcome;
    outcome.text = rules_.keep ? FieldText(rules_.keep(*bytes), charset) : text;
    if (rules_.maxBytes > 0) {
        const std::size_t others = StoredLength(TextWith({}));
        const QString kept = CutTo(outcome.text, rules_.maxBytes > others ? rules_.maxBytes - others : 0);
        outcome.cut = kept != outcome.text;
        outcome.text = kept;
    }
    if (rules_.refusal) {
        outcome.refusal = rules_.refusal(FieldBytes(TextWith(outcome.text), charset));
        if (!outcome.refusal.empty()) outcome.text.clear();
    }
    return outcome;
}

bool FieldInput::Refused(const QString& entered) const {
    if (!ExactFieldBytes(entered, Charset())) return true;
    return rules_.maxBytes > 0 && StoredLength(TextWith(entered)) > rules_.maxBytes;
}

bool FieldInput::KeyPressed(QKeyEvent* key) {
    if (key->matches(QKeySequence::Paste)) {
        Paste(QGuiApplication::clipboard()->text());
        return true;
    }
    const QString text = key->text();
    if (text.toUcs4().size() != 1) return false;
    QString entered = text;
    if (memo_ != nullptr && (text == QStringLiteral("\r") || text == QStringLiteral("\n"))) {
        entered = QStringLiteral("\n");
    } else if (!text[0].isPrint() && text != QStringLiteral("\t")) {
        // Backspace, Delete, Escape and the like do their work.
        return false;
    }
    if (!Refused(entered)) return false;
    QApplication::beep();
    return true;
}

void FieldInput::ShowMenu(const QPoint& globalPos) {
    QMenu* menu = rules_.menu ? rules_.menu()
                  : line_ != nullptr ? line_->createStandardContextMenu()
                                     : memo_->createStandardContextMenu();
    if (QAction* paste = PasteAction(*menu)) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { Paste(QGuiApplication::clipboard()->text()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void FieldInput::Paste(const QString& text) {
    if (text.isEmpty()) return;
    QPointer<FieldInput> self(this);
    QMetaObject::invokeMethod(
        field_->window(), [self, text] {
            if (self != nullptr) self->PasteNow(text);
        },
        Qt::QueuedConnection);
}

void FieldInput::PasteNow(const QString& text) {
    const Outcome outcome = Check(text);
    if (!outcome.refusal.empty()) {
        // Nothing of the field is used after the box: its loop may take it.
        platform::Dialogs().MessageDlg(outcome.refusal, platform::MsgDlgType::Error, platform::mbOK);
        return;
    }
    if (outcome.cut) QApplication::beep();
    if (line_ != nullptr) {
        line_->insert(outcome.text);
    } else {
        memo_->insertPlainText(outcome.text);
    }
}

bool FieldInput::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return KeyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod: {
            const QString commit = static_cast<QInputMethodEvent*>(event)->commitString();
            if (commit.isEmpty() || !Refused(commit)) return false;
            QApplication::beep();
            return true;
        }
        case QEvent::ContextMenu:
            ShowMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::MiddleButton) return false;
            const QString text = event->type() == QEvent::MouseButtonRelease ? selectionSource() : QString();
            if (text.isEmpty()) return true;
            if (line_ != nullptr) {
                line_->deselect();
            } else {
                memo_->setTextCursor(memo_->cursorForPosition(mouse->position().toPoint()));
            }
            Paste(text);
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            // A move inside the field keeps its own letters and its length.
            const bool inside = drop->source() == field_ || drop->source() == watched;
            if (inside && drop->dropAction() == Qt::MoveAction) return false;
            // The drop marker goes as after a drag that left.
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(watched, &leave);
            if (!drop->mimeData()->hasText()) {
                drop->ignore();
                return true;
            }
            // Taken as a copy: a refused text must not vanish from where it was dragged.
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            if (memo_ != nullptr) memo_->setTextCursor(memo_->cursorForPosition(drop->position().toPoint()));
            Paste(drop->mimeData()->text());
            return true;
        }
        default:
            return false;
    }
}
