#include "forms/widgets/tool_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QScreen>

#include "app/application.h"
#include "forms/Dist_calc.h"
#include "forms/widgets/screen_fit.h"
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

void ToolWindow::place() {
    const QWidget* over = app_.main();
    const QRect area = available_area(over ? over : this);
    const QPoint centre = over && over->isVisible() ? over->frameGeometry().center() : area.center();
    const QRect frame = frameGeometry();
    move(fit_within(QRect(centre - QPoint(frame.width() / 2, frame.height() / 2), frame.size()), area).topLeft());
}

bool ToolWindow::event(QEvent* e) {
    if (e->type() == QEvent::Show && !e->spontaneous()) {
        if (!testAttribute(Qt::WA_Moved)) place();
        shown();
    }
    const bool activation = e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate;
    if (activation && keptOnActivation_) passActivation(this, e);
    const bool handled = activation && keptOnActivation_ ? true : QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) activated();
    if (e->type() == QEvent::Hide && !e->spontaneous()) shownThisOpening_ = false;
    return handled;
}

// As QWidget passes an activation on to the widgets in a window, each of
// which paints itself again where its palette differs between an active and
// an inactive window; the part kept and the widgets holding it are passed by
// (the whole of a holder painted again would paint the part too).
void ToolWindow::passActivation(QWidget* to, QEvent* e) const {
    for (QObject* child : to->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w == keptOnActivation_ || !w->isVisible() || w->isWindow()) continue;
        if (w->isAncestorOf(keptOnActivation_))
            passActivation(w, e);
        else
            QCoreApplication::sendEvent(w, e);
    }
}

void ToolWindow::keyPressEvent(QKeyEvent* e) {
    if (!press_window_button(e, defaultButton_, cancelButton_)) QWidget::keyPressEvent(e);
}

}  // namespace trevanor
