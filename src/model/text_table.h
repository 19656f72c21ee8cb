#pragma once
// A grid of text cells addressed by (column, row). Row 0 holds the headings,
// data rows count from 1. A fresh table has row count 2 with an empty row 1,
// so an empty table is told by an empty cell in row 1, not by its row count.
// Row numbers are 16-bit: a table holds at most 65,535 rows.

#include <cstdint>
#include <string>
#include <vector>

namespace trevanor {

class TextTable {
public:
    static constexpr int kMaxRows = 65535;

    explicit TextTable(int columns);
    TextTable(const TextTable&) = default;
    TextTable& operator=(const TextTable&) = default;
    // A table moved from has other contents: it gets a new revision.
    TextTable(TextTable&& other) noexcept;
    TextTable& operator=(TextTable&& other) noexcept;

    int columnCount() const { return columns_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    static const std::string& empty();

    // Rows past the old count come with empty cells. Throws TableLimitError
    // above kMaxRows (the table is then unchanged).
    void setRowCount(int count);

    // Cells outside the table (or past the end of a row written short
    // through row()) read as empty; writes outside it are ignored.
    const std::string& cell(int column, int row) const {
        if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return empty();
        const std::vector<std::string>& cells = rows_[static_cast<std::size_t>(row)];
        return column >= 0 && static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                                              : empty();
    }
    void setCell(int column, int row, std::string text);

    const std::vector<std::vector<std::string>>& rows() const { return rows_; }
    const std::vector<std::string>& row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    std::vector<std::string>& row(int row) {
        changed_ = true;
        return rows_.at(static_cast<std::size_t>(row));
    }

    // Replaces all rows (row 0 the headings); each row gets the table's column
    // count. Throws TableLimitError above kMaxRows (the table is then unchanged).
    void assignRows(std::vector<std::vector<std::string>> rows);

    // Back to the state of a fresh table: no headings, row count 2.
    void reset();
    // Removes a data row; the rows below move up. A table keeps at least one
    // data row (then empty).
    void removeRow(int row);
    // One empty data row left; the headings stay.
    void clearRows();

    // The last data row (row count - 1).
    int lastRow() const { return rowCount() - 1; }

    // A number for the table's contents as they are: it changes after every
    // write (any non-const call, a non-const row() included) and no two
    // contents ever share one, across all tables of the process. What is
    // built from a table keeps the number it was built at and compares.
    std::uint64_t revision() const;

private:
    int columns_;
    std::vector<std::vector<std::string>> rows_;
    // Writes only mark the table changed; revision() draws a new number
    // when it is next asked for, so that a long import pays nothing.
    mutable std::uint64_t revision_ = 0;
    mutable bool changed_ = true;
};

}  // namespace trevanor
