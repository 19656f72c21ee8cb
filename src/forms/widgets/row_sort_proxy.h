#pragma once
// A list's rows sorted by a click on a heading through the list's own
// comparison of two rows, not through the texts it shows: a sort of eight
// thousand rows asks for over a hundred thousand comparisons, and building
// two values for each costs more than the player should wait.

#include <QSortFilterProxyModel>
#include <functional>
#include <vector>

class QTableView;

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

// A read-only list of whole rows showing `shown`, in the order it gives until
// a heading is clicked, then sorted by that column; rows 18 pixels high, the
// columns `widths` wide, the last one stretched. A sort is timed as "sort".
QTableView* sorted_list_view(QWidget* parent, const char* name, QSortFilterProxyModel* shown,
                             const std::vector<int>& widths);

}  // namespace trevanor
