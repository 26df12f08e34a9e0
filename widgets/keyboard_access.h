#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QWidget;

// Controls that a child who cannot use a mouse reaches and presses from the
// keyboard, and the frame that shows where the keyboard is.
namespace widgets {

// Space or Enter press the control while it has the keyboard. `press` is
// what a press does: by default a button's click, or a clickable label's.
// A button takes the keyboard by Tab, never by a click: a child with the
// mouse leaves the keyboard where it was. A label keeps its focus policy,
// which decides how Qt lays out its text: a ring of controls or the window
// moves the keyboard onto it.
void pressableByKeys(QWidget* control, std::function<void()> press = {});
bool isPressableByKeys(const QWidget* control);
// Presses a control made pressable by keys, as Space or Enter do; false for
// any other control.
bool pressByKeys(QWidget* control);
// Draws the frame round a control pressable by keys that shows where the
// keyboard is, while it has the focus and its window was last steered by
// keys. Called at the end of the control's paintEvent.
void paintKeyboardFocus(QWidget* w);

// Tab and Shift+Tab, and the arrow keys, go round the controls of a window
// in their order (those shown), wherever in the window the keyboard is.
class KeyboardRing : public QObject {
  public:
    KeyboardRing(QWidget* window, QList<QWidget*> controls);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    QList<QWidget*> controls_;
};

} // namespace widgets
