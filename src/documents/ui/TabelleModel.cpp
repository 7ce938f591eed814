#include "documents/ui/TabelleModel.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>

#include "documents/CellEditing.h"
#include "documents/ui/EditFieldCaret.h"
#include "documents/ui/FieldInput.h"

namespace {

const QColor kMarkedBackground = ColorFromRec(0x800000);
const QColor kMarkedText = ColorFromRec(0xFFFFFF);

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
    return FieldText(field.Get(), CellFont(column, row).Charset);
}

Qt::ItemFlags TabelleModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

std::string TabelleModel::CellBytes(int column, const QString& text) const {
    return FieldBytes(text, FieldFont(column).Charset);
}

bool TabelleModel::Marked(int row) const { return row >= 1 && MarksGet(doc_.Marks, row); }

void TabelleModel::SetFonts(const SchriftartenTyp& fonts) {
    FontRecToFont(fonts.TableHeader, header_, &SchriftartenTyp::TableHeader);
    FontRecToFont(fonts.TableFS, fs_, &SchriftartenTyp::TableFS);
    FontRecToFont(fonts.TableMS, ms_, &SchriftartenTyp::TableMS);
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

TabelleCellEditor::TabelleCellEditor(QWidget* parent) : QLineEdit(parent) {}

QMenu* TabelleCellEditor::CreateContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("CellEditMenu"));
    auto add = [this, menu](const char* caption, bool enabled, auto slot) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const bool selected = hasSelectedText();
    add("&Rückgängig", isUndoAvailable(), &QLineEdit::undo);
    menu->addSeparator();
    add("&Ausschneiden", selected, &QLineEdit::cut);
    add("&Kopieren", selected, &QLineEdit::copy);
    add("&Einfügen", !QGuiApplication::clipboard()->text().isEmpty(), &QLineEdit::paste)
        ->setObjectName(QStringLiteral("edit-paste"));
    add("&Löschen", selected, &QLineEdit::del);
    menu->addSeparator();
    add("Alles &markieren", !text().isEmpty(), &QLineEdit::selectAll);
    return menu;
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
    const int column = index.column() + 1;
    auto* editor = new TabelleCellEditor(parent);
    editor->setFrame(false);
    const TFontObject& font = model_.FieldFont(column);
    editor->setFont(font.Font);
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Text, font.Color);
    editor->setPalette(palette);
    FieldInput::Rules rules;
    rules.charset = [this, column] { return model_.FieldFont(column).Charset; };
    rules.refusal = [](const std::string& text) { return CellPasteAcceptable(text) ? std::string() : kCellPasteRefused; };
    rules.menu = [editor] { return editor->CreateContextMenu(); };
    FieldInput::Guard(editor, std::move(rules));
    editor_ = editor;
    editorIndex_ = index;
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, this, [this, cell](const QString& text) {
        if (cell.isValid() && CellEdited) CellEdited(cell.column() + 1, cell.row() + 1, text);
    });
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
    // The paste keys belong to the editor's field guard.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->text().toUcs4().size() != 1 || key->matches(QKeySequence::Paste)) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    const uint8_t charset = model_.FieldFont(editorIndex_.column() + 1).Charset;
    const std::optional<char> byte = TypedByteOrBeep(key->text(), charset);
    if (!byte) return true;
    bool beep = false;
    const char result = GridKey(*byte, std::size_t(line->text().size()), line->hasSelectedText(), beep);
    if (beep) QApplication::beep();
    if (result == 0) return true;
    if (result == *byte) return QStyledItemDelegate::eventFilter(object, event);
    line->insert(FieldText(std::string(1, result), charset));
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
