#pragma once
// The planetary scanner window: a planet's scanner range for the stored list.

#include "forms/widgets/tool_window.h"

namespace trevanor {

class TPlanetary_Scanner_FM : public ToolWindow {
public:
    explicit TPlanetary_Scanner_FM(Application& app) : ToolWindow(app, "TPlanetary_Scanner_FM", "Planetary Scanner FM") {}
};

}  // namespace trevanor
