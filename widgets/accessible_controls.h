#pragma once

#include <QString>

class QLabel;
class QWidget;

// What assistive technology (a screen reader, a switch-access or magnifier
// tool, an automated test) reads of the controls the program paints itself:
// their role, their German name and the value they hold.
namespace widgets {

// Installs the interfaces for the program's own controls: the cells of a
// division (a digit, or empty), the digit keys ("Ziffer 7", pressed as a
// tap), the labels a child clicks (buttons), the counters and the ladder
// (their numbers). Call once the QApplication exists: Qt asks the factory
// installed last first, and installs its own with the application.
void installAccessibleControls();

// Shows a new text on a cell or a counter; assistive tools hear the new
// value at once.
void showText(QLabel* label, const QString& text);
// The label shows a number (a counter, the next digit to catch): it is read
// as its value.
void holdsNumber(QLabel* label);
// The control shows how far the child has come (the ladder): step of steps,
// in words ("Stufe 5 von 23"). Called when the control is made, before it
// is named (which makes Qt ask for its interface), and at every change.
void showProgress(QWidget* control, int step, int steps, const QString& words);

} // namespace widgets
