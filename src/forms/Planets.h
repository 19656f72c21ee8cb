#pragma once
// The planets window: the planet table as read from the MAP file.

#include "forms/widgets/maximized_window.h"
#include "forms/widgets/text_table_view.h"

namespace trevanor {

class TPlanets_FM : public MaximizedWindow {
public:
    explicit TPlanets_FM(Application& app);
    void refresh() { Plantet_GR->refresh(); }
    TextGrid* Plantet_GR;
};

}  // namespace trevanor
