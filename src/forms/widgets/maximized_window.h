#pragma once
// A table window that fills the screen whenever it is shown or activated.
// Where no window manager maximises windows, it is given the screen's free
// area itself when it is first shown.

#include <QEvent>

#include "forms/widgets/screen_fit.h"
#include "forms/widgets/tool_window.h"

namespace trevanor {

class MaximizedWindow : public ToolWindow {
public:
    using ToolWindow::ToolWindow;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::Show && !filled_) {
            filled_ = true;
            setGeometry(available_area(this));
        }
        if ((e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) && !isMaximized())
            setWindowState(windowState() | Qt::WindowMaximized);
        return ToolWindow::event(e);
    }

private:
    bool filled_ = false;
};

}  // namespace trevanor
