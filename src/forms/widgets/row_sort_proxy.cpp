#include "forms/widgets/row_sort_proxy.h"

#include <QHeaderView>
#include <QTableView>

#include "forms/widgets/action_timing.h"
#include "forms/widgets/named.h"

namespace trevanor {

QTableView* sorted_list_view(QWidget* parent, const char* name, QSortFilterProxyModel* shown,
                             const std::vector<int>& widths) {
    auto* list = named(new QTableView(parent), name);
    list->setModel(shown);
    list->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    list->setSortingEnabled(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->verticalHeader()->setDefaultSectionSize(18);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    for (std::size_t c = 0; c < widths.size(); ++c) list->setColumnWidth(static_cast<int>(c), widths[c]);
    QObject::connect(list->horizontalHeader(), &QHeaderView::sectionClicked, list,
                     [list] { ActionTiming::start("sort", list->viewport()); });
    return list;
}

}  // namespace trevanor
