#pragma once

#include <QPoint>

#include "controls.h"

class QLabel;
class QMouseEvent;

// Dragging a digit key onto a cell, by mouse, pen or finger.
namespace widgets {

class WindowStack;

// Finds the control a drop at globalPos lands on: the topmost control under the
// pointer in the program window under the pointer; only it may take the drop (a
// drop on a control that takes no digits does nothing). Returns nullptr when
// nothing takes it.
DropTarget* dropTargetAt(const WindowStack& windows, const QPoint& globalPos);

// A digit key, "0" to "9": pressing it starts a drag at once, the digit
// follows the pointer, and releasing drops it onto the control under the
// pointer. A drag that ends on its own key is a tap (tapped()); the key never
// emits clicked(). Only one drag runs at a
// time in the program (the window stack knows it), and a drag that cannot see its release through ends without a drop:
// when a modal box or dialog opens, the window is hidden or loses the
// keyboard to another application, or the pointer moves with the button up.
class DigitKey : public CommandButton {
    Q_OBJECT
  public:
    DigitKey(QWidget* parent, const QString& objectName, int digit);
    ~DigitKey() override;
    int digit() const { return digit_; }
    bool dragging() const { return dragging_; }
    // Ends the drag without a drop: the key comes up and the digit goes.
    void cancelDrag();
    // Ends the drag where the pointer let go: a drop onto the control under
    // globalPos, or a tap when that is the key itself.
    void finishDrag(const QPoint& globalPos);
    // True when the event comes from the pointer that drags: the mouse, or
    // a finger.
    bool samePointer(const QMouseEvent* e) const;
    // Which drag this is: each press that starts one counts on.
    quint64 dragNumber() const { return dragNumber_; }

  signals:
    // Pressed and let go on the key (mouse, pen or finger).
    void tapped();

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void moveImage(const QPoint& globalPos);
    int digit_;
    // The program's windows, while a drag runs.
    WindowStack* windows_ = nullptr;
    void endDrag();
    // Watches the whole program while the drag runs.
    QObject* watch_ = nullptr;
    bool dragging_ = false;
    bool byFinger_ = false;
    quint64 dragNumber_ = 0;
    QLabel* image_ = nullptr;
};

} // namespace widgets
