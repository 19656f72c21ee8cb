#pragma once
// Enter and Esc in a plain window. Only dialogs press their default and
// cancel buttons by themselves; a plain window passes the key presses that
// reach it (those its controls leave alone) to this helper.

#include <QAbstractButton>
#include <QKeyEvent>

namespace trevanor {

// Enter (either key) clicks `defaultButton`, Esc clicks `cancelButton`, when
// that button is there, visible and enabled. True when the key was used; a
// key with Ctrl, Alt or Shift held is left alone.
inline bool press_window_button(QKeyEvent* e, QAbstractButton* defaultButton, QAbstractButton* cancelButton) {
    if (e->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) return false;
    QAbstractButton* button = nullptr;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        button = defaultButton;
    else if (e->key() == Qt::Key_Escape)
        button = cancelButton;
    if (!button || !button->isVisible() || !button->isEnabled()) return false;
    button->click();
    e->accept();
    return true;
}

}  // namespace trevanor
