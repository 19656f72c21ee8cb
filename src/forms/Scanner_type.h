#pragma once
// The fleet scanner window: scanner types of a fleet and the ranges they give.

#include "forms/widgets/tool_window.h"

namespace trevanor {

class TOther_Scanner_FM : public ToolWindow {
public:
    explicit TOther_Scanner_FM(Application& app) : ToolWindow(app, "TOther_Scanner_FM", "Fleet Scanner Range") {}
};

}  // namespace trevanor
