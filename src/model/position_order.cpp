#include "position_order.h"

#include <algorithm>
#include <cstdint>

#include "text.h"

namespace trevanor {

std::string position_key(const std::vector<std::string>& row) {
    std::string key;
    std::size_t size = row[0].size();
    for (int c = 1; c < kFleetColumns; ++c) size += row[static_cast<std::size_t>(c)].size() + 1;
    key.reserve(size);
    for (int c = 1; c < kFleetColumns; ++c) {
        key += row[static_cast<std::size_t>(c)];
        key += '\t';
    }
    key += row[0];
    return key;
}

std::vector<int> position_order(const TextTable& fleets, int first, int last) {
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) rows.push_back(r);
    return position_order(fleets, rows);
}

std::vector<int> position_order(const TextTable& fleets, const std::vector<int>& rows) {
    // All lower-cased keys in one buffer: comparisons then read memory in
    // sequence instead of chasing the cells of two rows. The first eight
    // bytes of each key, as a number that orders like the bytes, settle most
    // comparisons on their own.
    struct Item {
        std::uint64_t prefix;
        std::size_t offset, size;
        int row;
    };
    std::size_t total = 0;
    for (const int r : rows)
        for (const auto& cell : fleets.row(r)) total += cell.size() + 1;
    std::string buffer;
    buffer.reserve(total);
    std::vector<Item> items;
    items.reserve(rows.size());
    for (const int r : rows) {
        const auto& row = fleets.row(r);
        const std::size_t offset = buffer.size();
        const auto append = [&](const std::string& cell) {
            const std::size_t at = buffer.size();
            buffer.append(cell);
            for (std::size_t i = at; i < buffer.size(); ++i)
                buffer[i] = static_cast<char>(lower_byte(static_cast<unsigned char>(buffer[i])));
        };
        for (int c = 1; c < kFleetColumns; ++c) {
            append(row[static_cast<std::size_t>(c)]);
            buffer.push_back('\t');
        }
        append(row[0]);
        const std::size_t size = buffer.size() - offset;
        std::uint64_t prefix = 0;
        for (std::size_t i = 0; i < 8; ++i)
            prefix = (prefix << 8) | (i < size ? static_cast<unsigned char>(buffer[offset + i]) : 0u);
        items.push_back({prefix, offset, size, r});
    }
    const std::string_view all(buffer);
    std::stable_sort(items.begin(), items.end(), [&](const Item& x, const Item& y) {
        if (x.prefix != y.prefix) return x.prefix < y.prefix;
        return all.substr(x.offset, x.size) < all.substr(y.offset, y.size);
    });
    std::vector<int> order;
    order.reserve(items.size());
    for (const Item& item : items) order.push_back(item.row);
    return order;
}

void rebuild_position_table(Session& s) {
    s.sortList = position_order(s.fleets, 1, s.fleets.lastRow());
    copy_sorted_rows(s);
}

void copy_sorted_rows(Session& s) {
    const TextTable& fleets = s.fleets;
    // Copy the rows in table order (memory read in sequence), then move them
    // into position order, which moves only the rows' handles.
    std::vector<std::vector<std::string>> copy = fleets.rows();
    std::vector<std::vector<std::string>> rows;
    rows.reserve(s.sortList.size() + 1);
    rows.push_back(std::move(copy[0]));
    for (const int r : s.sortList) rows.push_back(std::move(copy[static_cast<std::size_t>(r)]));
    s.fleetsByPos.assignRows(std::move(rows));
}

}  // namespace trevanor
