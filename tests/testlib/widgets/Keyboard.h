#pragma once
// A clerk's keys in widget tests: typed into whatever holds the focus, and Alt with a letter on a window,
// so a test follows the focus as the program moves it.

#include <QtWidgets/QWidget>

// Types the text (ASCII) into the focus widget; false when no widget has the focus.
[[nodiscard]] bool TypeText(const QString& text);
[[nodiscard]] bool PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Alt and the letter on the window, as the accelerators of its buttons and tabs take it. A button's accelerator
// clicks it a moment later: this returns when that click, any window it opened, and the activation's return
// to this window are over.
void PressAlt(QWidget* window, Qt::Key letter);
// Activates the window; true once the focus is inside it.
[[nodiscard]] bool Activated(QWidget* window);
// Activates the window and fails the running test when it does not come up (for helpers that return a value).
void Activate(QWidget* window);
// The key on whatever holds the focus in the window, once it is active.
void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Alt and the button's letter on the active window; returns once the button clicked (or fails the test).
void PressButton(QWidget* window, const char* button, Qt::Key letter);
// The objectName of the bound control that holds the focus; empty when none does.
QString FocusedControl();
