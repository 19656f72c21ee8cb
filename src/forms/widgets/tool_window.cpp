#include "forms/widgets/tool_window.h"

#include <QEvent>
#include <QKeyEvent>

#include "forms/widgets/window_buttons.h"

namespace trevanor {

ToolWindow::ToolWindow(Application& app, const char* className, const char* caption) : QWidget(nullptr), app_(app) {
    setObjectName(QString::fromLatin1(className));
    setWindowTitle(QString::fromLatin1(caption));
}

void ToolWindow::showAndActivate() {
    show();
    raise();
    activateWindow();
}

void ToolWindow::setWindowButtons(QAbstractButton* defaultButton, QAbstractButton* cancelButton) {
    defaultButton_ = defaultButton;
    cancelButton_ = cancelButton;
}

bool ToolWindow::event(QEvent* e) {
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) activated();
    if (e->type() == QEvent::Hide && !e->spontaneous()) shownThisOpening_ = false;
    return handled;
}

void ToolWindow::keyPressEvent(QKeyEvent* e) {
    if (!press_window_button(e, defaultButton_, cancelButton_)) QWidget::keyPressEvent(e);
}

}  // namespace trevanor
