#include "text_table.h"

#include <atomic>

#include "errors.h"

namespace trevanor {

namespace {
const std::string kEmpty;
}

TextTable::TextTable(int columns) : columns_(columns) { reset(); }

TextTable::TextTable(TextTable&& other) noexcept
    : columns_(other.columns_), rows_(std::move(other.rows_)), revision_(other.revision_), changed_(other.changed_) {
    other.changed_ = true;
}

TextTable& TextTable::operator=(TextTable&& other) noexcept {
    if (this == &other) return *this;
    columns_ = other.columns_;
    rows_ = std::move(other.rows_);
    revision_ = other.revision_;
    changed_ = other.changed_;
    other.changed_ = true;
    return *this;
}

std::uint64_t TextTable::revision() const {
    static std::atomic<std::uint64_t> last{0};
    if (changed_) {
        revision_ = last.fetch_add(1, std::memory_order_relaxed) + 1;
        changed_ = false;
    }
    return revision_;
}

void TextTable::reset() {
    changed_ = true;
    rows_.assign(2, std::vector<std::string>(static_cast<std::size_t>(columns_)));
}

void TextTable::removeRow(int row) {
    if (row < 1 || row >= rowCount()) return;
    changed_ = true;
    rows_.erase(rows_.begin() + row);
    if (rows_.size() < 2) rows_.emplace_back(static_cast<std::size_t>(columns_));
}

void TextTable::clearRows() {
    changed_ = true;
    rows_.resize(1);
    rows_.emplace_back(static_cast<std::size_t>(columns_));
}

void TextTable::setRowCount(int count) {
    if (count > kMaxRows)
        throw TableLimitError("Too many lines: a table holds at most " + std::to_string(kMaxRows) + " rows.");
    if (count < 1) count = 1;
    changed_ = true;
    rows_.resize(static_cast<std::size_t>(count), std::vector<std::string>(static_cast<std::size_t>(columns_)));
}

void TextTable::assignRows(std::vector<std::vector<std::string>> rows) {
    if (rows.size() > static_cast<std::size_t>(kMaxRows))
        throw TableLimitError("Too many lines: a table holds at most " + std::to_string(kMaxRows) + " rows.");
    if (rows.empty()) rows.emplace_back();
    if (rows.size() == 1) rows.emplace_back();
    for (auto& row : rows) row.resize(static_cast<std::size_t>(columns_));
    rows_ = std::move(rows);
    changed_ = true;
}

const std::string& TextTable::empty() { return kEmpty; }

void TextTable::setCell(int column, int row, std::string text) {
    if (column < 0 || column >= columns_ || row < 0 || row >= rowCount()) return;
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
    changed_ = true;
}

}  // namespace trevanor
