#pragma once
// A list's rows sorted by a click on a heading through the list's own
// comparison of two rows, not through the texts it shows: a sort of eight
// thousand rows asks for over a hundred thousand comparisons, and building
// two values for each costs more than the player should wait.

#include <QSortFilterProxyModel>
#include <functional>

namespace trevanor {

class RowSortProxy : public QSortFilterProxyModel {
public:
    // True when row `left` of the source comes before row `right` by `column`.
    using Less = std::function<bool(int column, int left, int right)>;
    RowSortProxy(QObject* parent, Less less) : QSortFilterProxyModel(parent), less_(std::move(less)) {}

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        return less_(left.column(), left.row(), right.row());
    }

private:
    Less less_;
};

}  // namespace trevanor
