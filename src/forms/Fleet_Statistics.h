#pragma once
// The fleet statistics window: figures per race, own race and allies.

#include "forms/tool_window.h"

namespace trevanor {

class TFleet_Stat_FM : public ToolWindow {
public:
    explicit TFleet_Stat_FM(Application& app) : ToolWindow(app, "TFleet_Stat_FM", "Fleet Statistics") {}
};

}  // namespace trevanor
