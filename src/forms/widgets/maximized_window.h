#pragma once
// A table window that fills the screen whenever it is shown or activated.

#include <QEvent>

#include "forms/widgets/tool_window.h"

namespace trevanor {

class MaximizedWindow : public ToolWindow {
public:
    using ToolWindow::ToolWindow;

protected:
    bool event(QEvent* e) override {
        if ((e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) && !isMaximized())
            setWindowState(windowState() | Qt::WindowMaximized);
        return ToolWindow::event(e);
    }
};

}  // namespace trevanor
