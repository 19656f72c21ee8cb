#pragma once
// A top-level tool window of the program, with what every such window needs:
// showing it above the others, Enter and Esc for its default and cancel
// buttons (only dialogs press them by themselves), hooks that run on every
// showing and activation, and a flag for messages shown once per opening.
// A window that has not placed itself opens centred over the main window,
// also where no window manager places windows. Closing the window hides it.

#include <QWidget>

class QAbstractButton;

namespace trevanor {

class Application;

class ToolWindow : public QWidget {
public:
    ToolWindow(Application& app, const char* className, const char* caption);

    // Shows the window above the others, with the focus.
    void showAndActivate();

protected:
    // Enter presses `defaultButton`, Esc `cancelButton` (either may be null).
    void setWindowButtons(QAbstractButton* defaultButton, QAbstractButton* cancelButton);
    // Runs each time the window becomes the active window.
    virtual void activated() {}
    // Runs each time the window is shown, before it is activated (which a
    // bare display never does by itself).
    virtual void shown() {}
    // Gives the window its place when it is shown and has none yet.
    virtual void place();
    // A part that looks the same in an active and an inactive window (a
    // picture): the window's activation does not paint it again.
    void keepOnActivation(QWidget* part) { keptOnActivation_ = part; }

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

    Application& app_;
    // A message box shown by an activation takes the activation away, and
    // coming back from it activates the window again: such messages show
    // once per opening. Cleared when the window is closed.
    bool shownThisOpening_ = false;

private:
    void passActivation(QWidget* to, QEvent* e) const;

    QWidget* keptOnActivation_ = nullptr;
    QAbstractButton* defaultButton_ = nullptr;
    QAbstractButton* cancelButton_ = nullptr;
};

}  // namespace trevanor
