#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

class QMouseEvent;

namespace widgets {

// A control that takes every quick press as a press of its own, as a stepper
// takes each click as one more step (the arrows of a game, a scroll bar).
void takeEveryPress(QWidget* w);
// A control where a child enters digits (an answer cell, a keyboard marker, a
// digit key): the only kind that a quick second press may reach after the
// first press's control went away.
void takeDigitEntry(QWidget* w);

// A double-click is one click. The platform reports a quick second press as
// a double-click wherever it lands. In the program's windows and boxes it is
// a press of its own only when it lands on a control of digit entry in the
// window of the first press, and the control that took the first press no
// longer lies under the pointer: a click on the keyboard marker parks it, and
// a press at once on the cell it uncovered selects that cell. Otherwise it
// does nothing: a double-clicked cell keeps the marker that the first click
// laid over it, a window that closed on the first click lets nothing beneath
// it be clicked by the second, and a command button, picture or box button
// that appeared under the pointer after the first press stays unpressed.
class DoubleClickRule {
  public:
    // Sees each press and double-click once for every widget it reaches on its
    // way up; true when the event goes no further. inOurWindow: the receiver
    // lies in one of the program's windows or boxes (Qt's file and print
    // dialogs keep their double-clicks).
    bool filter(QWidget* receiver, QMouseEvent* e, bool inOurWindow);
    // A key pressed between two presses makes them two clicks: the second
    // answers what the first one opened (a box closed by Enter, say).
    void keyPressed() { keyBetween_ = true; }

  private:
    QPointer<QWidget> firstControl_;
    QPointer<QWidget> firstWindow_;
    bool keyBetween_ = false;
    // The event last decided, to know it again on its way to the parents.
    int seenType_ = 0;
    quint64 seenTime_ = 0;
    QPoint seenAt_;
    bool seenHeld_ = false;
};

} // namespace widgets
