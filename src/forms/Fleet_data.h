#pragma once
// The fleet particulars window: one fleet or all fleets at one spot.

#include "forms/widgets/tool_window.h"

namespace trevanor {

class TFleet_Data_FM : public ToolWindow {
public:
    explicit TFleet_Data_FM(Application& app) : ToolWindow(app, "TFleet_Data_FM", "Fleet Particulars") {}
};

}  // namespace trevanor
