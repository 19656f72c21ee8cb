#pragma once
// The player colour window: one colour per player, kept distinct.

#include "forms/tool_window.h"

namespace trevanor {

class TPly_clr_FM : public ToolWindow {
public:
    explicit TPly_clr_FM(Application& app) : ToolWindow(app, "TPly_clr_FM", "Player Color") {}
};

}  // namespace trevanor
