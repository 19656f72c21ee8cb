#pragma once
// The stored scanner-range list, drawn on the map.

#include "forms/widgets/tool_window.h"

namespace trevanor {

class TRemove_FM : public ToolWindow {
public:
    explicit TRemove_FM(Application& app) : ToolWindow(app, "TRemove_FM", "List of scanners") {}
};

}  // namespace trevanor
