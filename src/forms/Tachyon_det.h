#pragma once
// The tachyon window: scan efficiency against cloaked ships.

#include "forms/widgets/tool_window.h"

namespace trevanor {

class TTachyon_FM : public ToolWindow {
public:
    explicit TTachyon_FM(Application& app) : ToolWindow(app, "TTachyon_FM", "Tachyon Detector") {}
};

}  // namespace trevanor
