#include "documents/ui/TabelleModel.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

#include "documents/CellEditing.h"
#include "platform/CodePage.h"

namespace {

const QColor kMarkedBackground = ColorFromRec(0x800000);
const QColor kMarkedText = ColorFromRec(0xFFFFFF);

QString Decode(const std::string& bytes, uint8_t charset) {
    return QString::fromStdString(platform::BytesToUtf8(platform::CodePageForCharset(charset), bytes));
}

}  // namespace

TabelleModel::TabelleModel(VocabDocument& document, QObject* parent) : QAbstractTableModel(parent), doc_(document) {
    SetFonts(doc_.Fonts);
}

int TabelleModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : gridRows_ - 1; }

int TabelleModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 7; }

QVariant TabelleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int column = index.column() + 1;
    const int row = index.row() + 1;
    if (role == Qt::DisplayRole || role == Qt::EditRole) return CellText(column, row);
    if (role == Qt::FontRole) return CellFont(column, row).Font;
    return {};
}

QVariant TabelleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const int column = orientation == Qt::Horizontal ? section + 1 : 0;
    const int row = orientation == Qt::Horizontal ? 0 : section + 1;
    if (role == Qt::DisplayRole) return CellText(column, row);
    if (role == Qt::FontRole) return CellFont(column, row).Font;
    return {};
}

const TFontObject& TabelleModel::CellFont(int column, int row) const {
    if (column == 0 || (row == 0 && doc_.Fonts.HeaderFonts == 0)) return header_;
    return FieldFont(column);
}

QString TabelleModel::CellText(int column, int row) const {
    if (row < 0 || row > kMaxEntries || column < 0 || column > 7) return {};
    if (column == 0) return row == 0 ? QString() : QString::number(row);
    const auto& field = row == 0 ? doc_.ColumnNames.Field(column) : doc_.Entries[row].Field(column);
    return Decode(field.Get(), CellFont(column, row).Charset);
}

Qt::ItemFlags TabelleModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

std::string TabelleModel::CellBytes(int column, const QString& text) const {
    const platform::CodePage page = platform::CodePageForCharset(FieldFont(column).Charset);
    std::string bytes;
    const std::u32string points = text.toStdU32String();
    bytes.reserve(points.size());
    for (char32_t c : points) bytes += char(platform::UnicodeToByte(page, c).value_or('?'));
    return bytes;
}

bool TabelleModel::Marked(int row) const { return row >= 1 && MarksGet(doc_.Marks, row); }

void TabelleModel::SetFonts(const SchriftartenTyp& fonts) {
    FontRecToFont(fonts.TableHeader, header_);
    FontRecToFont(fonts.TableFS, fs_);
    FontRecToFont(fonts.TableMS, ms_);
}

void TabelleModel::SetGridRowCount(int rows) {
    if (rows == gridRows_) return;
    if (rows > gridRows_) {
        beginInsertRows({}, gridRows_ - 1, rows - 2);
        gridRows_ = rows;
        endInsertRows();
    } else {
        beginRemoveRows({}, rows - 1, gridRows_ - 2);
        gridRows_ = rows;
        endRemoveRows();
    }
}

void TabelleModel::RefreshRow(int row) {
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, 0, 6);
    } else if (row >= 1 && row < gridRows_) {
        emit dataChanged(index(row - 1, 0), index(row - 1, 6));
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    }
}

void TabelleModel::RefreshCell(int column, int row) {
    if (column >= 1 && column <= 7 && row >= 1 && row < gridRows_) {
        // A single index: the view hands it to an open editor.
        emit dataChanged(index(row - 1, column - 1), index(row - 1, column - 1));
    }
}

void TabelleModel::RefreshAll() {
    emit headerDataChanged(Qt::Horizontal, 0, 6);
    if (gridRows_ > 1) {
        emit dataChanged(index(0, 0), index(gridRows_ - 2, 6));
        emit headerDataChanged(Qt::Vertical, 0, gridRows_ - 2);
    }
}

void PaintTabelleCell(QPainter& painter, const QRect& rect, const TabelleModel& model, int column, int row,
                      const QColor& background) {
    const TFontObject& font = model.CellFont(column, row);
    const bool marked = model.Marked(row);
    painter.save();
    painter.fillRect(rect, marked ? kMarkedBackground : background);
    painter.setClipRect(rect);
    painter.setFont(font.Font);
    painter.setPen(marked ? kMarkedText : font.Color);
    const QString text = model.CellText(column, row);
    const QFontMetrics metrics(font.Font);
    const int baseline = rect.top() + 2 + metrics.ascent();
    const int x = column == 0 ? rect.right() + 1 - metrics.horizontalAdvance(text) - 4 : rect.left() + 2;
    painter.drawText(x, baseline, text);
    painter.restore();
}

namespace {

QString SystemSelection() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection) : QString();
}

TabelleCellEditor::SelectionSource selectionSource = SystemSelection;

}  // namespace

TabelleCellEditor::TabelleCellEditor(QWidget* parent) : QLineEdit(parent) {}

void TabelleCellEditor::SetSelectionSource(SelectionSource source) {
    selectionSource = source != nullptr ? source : SystemSelection;
}

void TabelleCellEditor::Paste(const QString& text) {
    if (Pasted) Pasted(text);
}

QMenu* TabelleCellEditor::CreateContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("CellEditMenu"));
    auto add = [this, menu](const char* caption, bool enabled, auto slot) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    const bool selected = hasSelectedText();
    add("&Rückgängig", isUndoAvailable(), &QLineEdit::undo);
    menu->addSeparator();
    add("&Ausschneiden", selected, &QLineEdit::cut);
    add("&Kopieren", selected, &QLineEdit::copy);
    add("&Einfügen", !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { Paste(QGuiApplication::clipboard()->text()); });
    add("&Löschen", selected, &QLineEdit::del);
    menu->addSeparator();
    add("Alles &markieren", !text().isEmpty(), &QLineEdit::selectAll);
    return menu;
}

void TabelleCellEditor::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TabelleCellEditor::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TabelleCellEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        const QString text = selectionSource();
        if (!text.isEmpty()) Paste(text);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TabelleCellEditor::dropEvent(QDropEvent* event) {
    // The drop marker goes as after a drag that left.
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    // Taken as a copy: a refused text must not vanish from where it was dragged.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // After the drop has ended: a refusal shows a message box.
    QMetaObject::invokeMethod(
        this, [this, text = event->mimeData()->text()] { Paste(text); }, Qt::QueuedConnection);
}

TabelleDelegate::TabelleDelegate(const TabelleModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

void TabelleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    PaintTabelleCell(*painter, option.rect, model_, index.column() + 1, index.row() + 1, Qt::white);
    if ((option.state & QStyle::State_HasFocus) != 0) {
        painter->save();
        painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

QWidget* TabelleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const {
    auto* editor = new TabelleCellEditor(parent);
    editor->setFrame(false);
    editor->setFont(model_.FieldFont(index.column() + 1).Font);
    editor_ = editor;
    editorIndex_ = index;
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, this, [this, cell](const QString& text) {
        if (cell.isValid() && CellEdited) CellEdited(cell.column() + 1, cell.row() + 1, text);
    });
    editor->Pasted = [this, cell](const QString& text) {
        if (cell.isValid() && CellPasted) CellPasted(cell.column() + 1, cell.row() + 1, text);
    };
    return editor;
}

void TabelleDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr) return;
    // Unchanged text keeps the caret where the user has it.
    const QString text = model_.CellText(index.column() + 1, index.row() + 1);
    if (line->text() != text) line->setText(text);
}

void TabelleDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const {}

void TabelleDelegate::SyncEditor() const {
    if (editor_ != nullptr && editorIndex_.isValid()) setEditorData(editor_, editorIndex_);
}

bool TabelleDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* line = qobject_cast<QLineEdit*>(object);
    if (line == nullptr || line != editor_ || event->type() != QEvent::KeyPress) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        if (PasteRequested) PasteRequested();
        return true;
    }
    const std::u32string typed = key->text().toStdU32String();
    if (typed.size() != 1) return QStyledItemDelegate::eventFilter(object, event);
    const platform::CodePage page = platform::CodePageForCharset(model_.FieldFont(editorIndex_.column() + 1).Charset);
    const std::optional<uint8_t> byte = platform::UnicodeToByte(page, typed[0]);
    if (!byte) {
        QApplication::beep();  // the cell's code page has no such letter
        return true;
    }
    bool beep = false;
    const char result = GridKey(char(*byte), std::size_t(line->text().size()), line->hasSelectedText(), beep);
    if (beep) QApplication::beep();
    if (result == 0) return true;
    if (result == char(*byte)) return QStyledItemDelegate::eventFilter(object, event);
    line->insert(QString::fromStdU32String(std::u32string(1, platform::ByteToUnicode(page, uint8_t(result)))));
    return true;
}

TabelleHeader::TabelleHeader(Qt::Orientation orientation, const TabelleModel& model, QWidget* parent)
    : QHeaderView(orientation, parent), model_(model) {}

void TabelleHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const bool header = orientation() == Qt::Horizontal;
    const int column = header ? logicalIndex + 1 : 0;
    const int row = header ? 0 : logicalIndex + 1;
    PaintTabelleCell(*painter, rect, model_, column, row, palette().color(QPalette::Button));
    painter->save();
    painter->setPen(palette().color(QPalette::Dark));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
}
