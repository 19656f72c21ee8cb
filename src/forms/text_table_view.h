#pragma once
// Showing the session's text tables: a table model over a TextTable (row 0
// gives the column headings, data rows follow) and a grid that can keep its
// first column in place while the others scroll, as the fleet name column does.

#include <QAbstractTableModel>
#include <QTableView>

#include "model/text_table.h"

namespace trevanor {

class TextTableModel : public QAbstractTableModel {
public:
    TextTableModel(const TextTable& table, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The table has changed: the views read it again.
    void refresh();

private:
    const TextTable& table_;
};

// A grid in the look of the program's tables: fixed heading row, rows of 15
// pixels, whole-row selection, user-sized columns of the given widths, and
// optionally the first column fixed at the left.
class TextGrid : public QTableView {
public:
    TextGrid(const TextTable& table, const std::vector<int>& widths, bool fixedFirstColumn, QWidget* parent);
    TextTableModel* tableModel() const { return model_; }
    // The grid showing the fixed first column (null without one).
    QTableView* fixedColumn() const { return fixed_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    void placeFixedColumn();
    TextTableModel* model_;
    QTableView* fixed_ = nullptr;
};

}  // namespace trevanor
