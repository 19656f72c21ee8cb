#include "sorted_list.h"

#include <algorithm>
#include <map>

#include "text.h"

namespace trevanor {

void sort_ci(std::vector<std::string>& texts) {
    std::vector<std::string> lower(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) lower[i] = to_lower(texts[i]);
    std::vector<std::size_t> order(texts.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return lower[a] < lower[b]; });
    std::vector<std::string> sorted;
    sorted.reserve(texts.size());
    for (std::size_t i : order) sorted.push_back(std::move(texts[i]));
    texts = std::move(sorted);
}

void SortedList::add(std::string text) { addSorted({std::move(text)}); }

void SortedList::addAll(std::vector<std::string> texts) {
    sort_ci(texts);
    addSorted(std::move(texts));
}

void SortedList::addSorted(std::vector<std::string> texts) {
    const auto less = [](const std::string& a, const std::string& b) { return compare_ci(a, b) < 0; };
    const auto middle = static_cast<std::ptrdiff_t>(items_.size());
    items_.insert(items_.end(), std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()));
    std::inplace_merge(items_.begin(), items_.begin() + middle, items_.end(), less);
    ++revision_;
}

void SortedList::removeEach(const std::vector<std::string>& texts) {
    std::map<std::string, int> pending;
    for (const auto& t : texts) ++pending[t];
    ++revision_;
    std::erase_if(items_, [&](const std::string& item) {
        const auto it = pending.find(item);
        if (it == pending.end() || it->second == 0) return false;
        --it->second;
        return true;
    });
}

int SortedList::indexOfCi(const std::string& text) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (equal_ci(items_[i], text)) return static_cast<int>(i);
    return -1;
}

}  // namespace trevanor
