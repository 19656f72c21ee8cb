#pragma once
// A list of texts kept in ascending order, compared case-insensitively, as a
// sorted drop-down list holds them. Texts that compare equal keep the order
// in which they were added.

#include <algorithm>
#include <string>
#include <vector>

namespace trevanor {

// Sorts texts ascending, compared case-insensitively; equal texts keep their order.
void sort_ci(std::vector<std::string>& texts);

class SortedList {
public:
    const std::vector<std::string>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    void clear() {
        items_.clear();
        ++revision_;
    }
    // Changes with every change of the items: windows showing the list
    // refill themselves only when it moved on.
    unsigned revision() const { return revision_; }

    // Exchanges the items of two lists; both count as changed.
    void exchange(SortedList& other) {
        items_.swap(other.items_);
        revision_ = other.revision_ = std::max(revision_, other.revision_) + 1;
    }

    void add(std::string text);
    // Adds many texts at once: one sort of the batch and one merge.
    void addAll(std::vector<std::string> texts);
    // Adds texts that are already in order (see sort_ci).
    void addSorted(std::vector<std::string> texts);
    // Removes one occurrence of each given text (exact match), if present.
    void removeEach(const std::vector<std::string>& texts);

    // Index of the first item equal to the text ignoring case, or -1.
    int indexOfCi(const std::string& text) const;

private:
    std::vector<std::string> items_;
    unsigned revision_ = 0;
};

}  // namespace trevanor
