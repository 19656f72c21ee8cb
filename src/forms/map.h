#pragma once
// The map window. Its creation reads the MAP of a MAP change, or the last MAP
// at start-up; it holds the route filter and the fleet list.

#include "forms/maximized_window.h"

class QComboBox;
class QLabel;

namespace trevanor {

class TMap_FM : public MaximizedWindow {
public:
    explicit TMap_FM(Application& app);

    // The creation steps after the MAP was read: extent afresh, route filter.
    void afterCreate();
    void refresh_route_race();
    // Shows what the session holds (the fleet list).
    void refresh();
    // Redraws the whole map.
    void refresh_map() {}

    double Map_extent = 0;
    QComboBox* Route_race_CB;
    QComboBox* Race_CB;
    QComboBox* Fleet_CBx;

private:
    unsigned shownFleets_ = ~0u;
};

}  // namespace trevanor
