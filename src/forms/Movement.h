#pragma once
// The movement list: every fleet of the open game matched with an earlier
// year of it, and every fleet gone since, with where it was, where it is,
// how far it went, whether it moved, stayed still, is new or is gone, and
// whether the two years' fleets were matched by ID or by name alone.
// A click on a heading sorts by that column; the owner list keeps one
// owner's fleets; a double click shows the fleet on the map and selects it
// as a left click there would, the list staying above the map.

#include "forms/widgets/tool_window.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace trevanor {

class MovementTable;

class TMovement_FM : public ToolWindow {
public:
    explicit TMovement_FM(Application& app);

    // Shows the comparison as it is now.
    void refresh();
    // A double click on a row of the table as shown.
    void Movement_GRDblClick(int row);

    QLabel* Since_LBL;
    QComboBox* Owner_CB;
    QTableView* Movement_GR;
    QPushButton* Close_BTN;

protected:
    void activated() override { refresh(); }

private:
    void filterOwner();

    MovementTable* table_;
    QSortFilterProxyModel* shown_;
    std::uint64_t shownGeneration_ = ~std::uint64_t{0};
};

}  // namespace trevanor
