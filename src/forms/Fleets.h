#pragma once
// The fleets window: the fleet table in the order of the reports, and the
// same rows ordered by position, on two pages.

#include <QTabWidget>

#include "forms/widgets/maximized_window.h"
#include "forms/widgets/text_table_view.h"

namespace trevanor {

class TFleet_FM : public MaximizedWindow {
public:
    explicit TFleet_FM(Application& app);
    void refresh() {
        Fleet_GR->refresh();
        fleet_pos_sort_GR->refresh();
    }
    QTabWidget* PageControl1;
    TextGrid* Fleet_GR;
    TextGrid* fleet_pos_sort_GR;
};

}  // namespace trevanor
