#include "forms/widgets/action_timing.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>

namespace trevanor {

namespace {
bool is_input(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:  // a shortcut acts before its key press reaches a widget
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}
}  // namespace

ActionTiming* ActionTiming::running_ = nullptr;

ActionTiming::ActionTiming(QCoreApplication& app, std::ostream& out) : QObject(&app), out_(out) {
    clock_.start();
    app.installEventFilter(this);
}

ActionTiming::~ActionTiming() {
    if (running_ == this) running_ = nullptr;
}

void ActionTiming::install(QCoreApplication& app, std::ostream& out) {
    delete running_;
    if (qEnvironmentVariable("TREVANOR_TIMING") == QStringLiteral("1")) running_ = new ActionTiming(app, out);
}

void ActionTiming::start(const std::string& action, const QWidget* shownBy) {
    if (running_) running_->begin(action, shownBy, false);
}

void ActionTiming::startOpening(const std::string& action, const QWidget* shownBy) {
    if (running_) running_->begin(action, shownBy, true);
}

void ActionTiming::begin(const std::string& action, const QWidget* shownBy, bool afterActivation) {
    action_ = action;
    shownBy_ = shownBy;
    startedAt_ = lastInput_ >= 0 ? lastInput_ : clock_.nsecsElapsed();
    awaitingActivation_ = afterActivation;
    paintedEarly_ = false;
    finishing_ = false;
    ++serial_;
}

bool ActionTiming::shows(const QObject* watched) const {
    const QWidget* target = shownBy_.data();
    if (!target || !watched->isWidgetType()) return false;
    const auto* widget = static_cast<const QWidget*>(watched);
    return widget == target || target->isAncestorOf(widget);
}

// An event is seen before it is handled: a paint of the action's widget ends
// the action once control is back in the event loop, the whole window painted
// and put on the screen.
bool ActionTiming::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A move with a button held (a drag) asks for something too.
    if (is_input(type) || (type == QEvent::MouseMove && static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton))
        lastInput_ = clock_.nsecsElapsed();
    if (action_.empty() || finishing_) return false;
    if (type == QEvent::WindowActivate && shownBy_ && watched == shownBy_->window() && awaitingActivation_) {
        awaitingActivation_ = false;
        // Shown before its activation, which paints nothing anew: shown now.
        if (paintedEarly_) endOnceHandled();
        return false;
    }
    if (type == QEvent::Paint && shows(watched)) {
        if (awaitingActivation_)
            paintedEarly_ = true;
        else
            endOnceHandled();
    }
    return false;
}

void ActionTiming::endOnceHandled() {
    finishing_ = true;
    QTimer::singleShot(0, this, [this, serial = serial_] {
        if (serial == serial_) finish();
    });
}

void ActionTiming::finish() {
    if (action_.empty()) return;
    const double ms = static_cast<double>(clock_.nsecsElapsed() - startedAt_) / 1e6;
    out_ << action_ << '\t' << std::llround(ms) << " ms\n" << std::flush;
    action_.clear();
    finishing_ = false;
}

}  // namespace trevanor
