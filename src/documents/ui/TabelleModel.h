#pragma once
// The document grid over a document: model rows are grid rows 1 and on,
// model columns the seven fields; the header row shows the column names and
// the row header the row numbers. Every cell is painted as the grid paints
// it: its column's font, marked rows white on navy.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>

class QMenu;

#include "documents/VocabDocument.h"
#include "documents/ui/AppSettingsQt.h"

class TabelleModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TabelleModel(VocabDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Grid coordinates: column 0 to 7, row 0 (column names) to 500.
    const TFontObject& CellFont(int column, int row) const;
    QString CellText(int column, int row) const;
    // Text for a field column in its font's code page; characters the page
    // lacks become "?".
    std::string CellBytes(int column, const QString& text) const;
    bool Marked(int row) const;

    void SetFonts(const SchriftartenTyp& fonts);
    const TFontObject& HeaderFont() const { return header_; }
    const TFontObject& FSFont() const { return fs_; }
    const TFontObject& MSFont() const { return ms_; }
    // Field column 1 to 7: TableFS or TableMS.
    const TFontObject& FieldFont(int column) const { return column <= 2 ? fs_ : ms_; }

    // The grid's row count, header included.
    int GridRowCount() const { return gridRows_; }
    void SetGridRowCount(int rows);
    void RefreshRow(int row);
    void RefreshCell(int column, int row);
    void RefreshAll();

private:
    VocabDocument& doc_;
    int gridRows_ = 2;
    TFontObject header_, fs_, ms_;
};

// One grid cell as the grid draws it.
void PaintTabelleCell(QPainter& painter, const QRect& rect, const TabelleModel& model, int column, int row,
                      const QColor& background);

// The grid's in-place editor, with the program's own context menu. Text
// from outside goes through its field guard (FieldInput): the cell's code
// page and the paste check of a cell.
class TabelleCellEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit TabelleCellEditor(QWidget* parent = nullptr);

    // "&Rückgängig", "&Ausschneiden", "&Kopieren", "&Einfügen", "&Löschen",
    // "Alles &markieren", enabled as they can act; the guard pastes.
    QMenu* CreateContextMenu();
};

class TabelleDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TabelleDelegate(const TabelleModel& model, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The in-place editor takes its column's font and colour. Every change
    // the user makes in it, pastes included, goes to CellEdited at once;
    // nothing is written back when it closes.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // The open editor shows its cell as stored (after undo and rebuilds).
    void SyncEditor() const;
    QLineEdit* Editor() const { return editor_.data(); }

    // Grid column 1-7, row 1-500, the editor's whole text.
    std::function<void(int column, int row, const QString& text)> CellEdited;

protected:
    // The grid's key rule: caron composition and the 50-character limit.
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    const TabelleModel& model_;
    mutable QPointer<QLineEdit> editor_;
    mutable QPersistentModelIndex editorIndex_;
};

// The fixed header row and row-number column.
class TabelleHeader : public QHeaderView {
    Q_OBJECT
public:
    TabelleHeader(Qt::Orientation orientation, const TabelleModel& model, QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    const TabelleModel& model_;
};
