#pragma once
// Showing the session's text tables: a table model over a TextTable (row 0
// gives the column headings, data rows follow) and a grid that can keep its
// first column in place while the others scroll, as the fleet name column does.
// Also the text measuring that keeps grid cells and list items uncut.

#include <QAbstractTableModel>
#include <QFontMetricsF>
#include <QHash>
#include <QTableView>
#include <array>

#include "model/text_table.h"

class QComboBox;

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
    const TextTable& table() const { return table_; }

private:
    const TextTable& table_;
};

// Widths of texts in one font, summed from the advance of each character:
// quick enough for every cell of the largest fleet table.
class TextWidths {
public:
    explicit TextWidths(const QFont& font);
    // A model text (code page 1252 bytes).
    qreal of(const std::string& bytes) const;
    qreal of(const QString& text) const;
    // The exact width of one text, shaped as it is drawn.
    qreal exact(const QString& text) const { return metrics_.horizontalAdvance(text); }

private:
    QFontMetricsF metrics_;
    std::array<qreal, 256> byByte_{};    // by code page 1252 byte
    std::array<qreal, 256> byLatin1_{};  // by character U+0000..U+00FF
    mutable QHash<char16_t, qreal> others_;
};

// A grid in the look of the program's tables: fixed heading row, rows of 15
// pixels, whole-row selection, user-sized columns, and optionally the first
// column fixed at the left. Each column is as wide as its widest cell or
// heading needs, and never narrower than the width given for it.
class TextGrid : public QTableView {
public:
    TextGrid(const TextTable& table, const std::vector<int>& widths, bool fixedFirstColumn, QWidget* parent);
    TextTableModel* tableModel() const { return model_; }
    // The grid showing the fixed first column (null without one).
    QTableView* fixedColumn() const { return fixed_; }
    // The table has changed: shows it again and widens the columns its texts
    // need (at once when shown, else when it is next shown).
    void refresh();
    // Widens the columns that the texts need now.
    void fitColumns();
    // The grid is at most this wide, or as wide as its columns need.
    void capWidth(int pixels);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    void placeFixedColumn();
    int cellMargins();
    void applyCap();
    TextTableModel* model_;
    QTableView* fixed_ = nullptr;
    std::vector<int> minimumWidths_;
    // What each column last needed: a column the user sized keeps its width
    // until its texts need another.
    std::vector<int> fitted_;
    bool fitPending_ = true;
    int cap_ = 0;
};

// Widens the popup list of a drop-down list so that its longest item shows
// whole; call it after filling the list.
void fit_popup(QComboBox* box);
// The same when the longest item is known.
void fit_popup(QComboBox* box, int longest);
// The item of a list with the widest text; -1 for an empty list.
int longest_item(const QComboBox* box);
// The width a closed drop-down list needs to show item `row` whole.
int closed_width(const QComboBox* box, int row);
// The width that item `row` of the list needs in its popup.
int popup_item_width(const QComboBox* box, int row);

}  // namespace trevanor
