#pragma once

#include <QPoint>

class QWidget;

namespace widgets {

class Form;

// Knows which window of ours is in front. Activate runs only when the program
// shows a window (forms::show), the same rule for every window: never when the
// user clicks between our visible windows, when a box or dialog closes, or
// when the user comes back from another application. A window the user
// clicks to the front just becomes current, so the keyboard returns to it
// after a box.
namespace forms {
void show(Form* f);
void hide(Form* f);
Form* current();
// Gives the keyboard back to the current window after a modal box.
void restoreFocus();
// Ends the program: every window closes without asking again.
void endProgram();
bool programEnded();
// The frontmost visible window of the program whose client area holds the
// global point, by the order in which the windows came to the front; nullptr
// when the point lies outside all of them.
QWidget* windowAt(const QPoint& globalPos);
} // namespace forms

// The parent of a box or dialog: the window in front, or the program's current one.
QWidget* boxParent();

} // namespace widgets
