#pragma once
// How long the map's actions take as the user sees them. With TREVANOR_TIMING=1
// in the environment, each action noted here prints one line, "NAME<TAB>MS ms":
// the milliseconds from the input event that asked for it (the last mouse
// button, key or wheel event, or move with a button held, before it) to the end of the paint that shows its
// result, the screen updated. Without the variable nothing is watched and
// nothing printed; noting an action then costs a test of a pointer.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <ostream>
#include <string>

class QCoreApplication;

namespace trevanor {

class ActionTiming : public QObject {
public:
    // Timing on, its lines written to `out`, when TREVANOR_TIMING is 1; off
    // otherwise (also when it was on).
    static void install(QCoreApplication& app, std::ostream& out);

    // An action begins; it ends with the next paint of `shownBy` or of a
    // widget in it. An action not yet shown is forgotten.
    static void start(const std::string& action, const QWidget* shownBy);
    // The same for opening a window that draws itself when it becomes active:
    // a paint before that may show it unfinished (not yet placed by the
    // window manager), so it ends with the activation where a paint came
    // before it, else with the first paint after it.
    static void startOpening(const std::string& action, const QWidget* shownBy);

    ~ActionTiming() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ActionTiming(QCoreApplication& app, std::ostream& out);
    void begin(const std::string& action, const QWidget* shownBy, bool afterActivation);
    bool shows(const QObject* watched) const;
    void endOnceHandled();
    void finish();

    static ActionTiming* running_;
    std::ostream& out_;
    QElapsedTimer clock_;
    qint64 lastInput_ = -1;  // ns on the clock, or -1 before any input
    std::string action_;     // empty while no action waits for its paint
    qint64 startedAt_ = 0;
    QPointer<const QWidget> shownBy_;
    bool awaitingActivation_ = false;
    bool paintedEarly_ = false;  // while awaiting the activation
    bool finishing_ = false;  // its paint was seen; the line follows once the paint is done
    unsigned serial_ = 0;     // of the action begun last
};

}  // namespace trevanor
