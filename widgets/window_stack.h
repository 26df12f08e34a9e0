#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include "double_click.h"

class QWidget;

namespace widgets {

class Desktop;
class DigitKey;
class ProgramWindow;

// The program's windows, and which of them is in front. A window's
// broughtToFront() runs only when the program shows it (show()), the same
// rule for every window: never when the user clicks between the program's
// visible windows, when a box or dialog closes, or when the user comes back
// from another application. A window the user clicks to the front just
// becomes current, so the keyboard returns to it after a box.
//
// It also watches the input of the whole program: the keys of windows that
// preview them, the double-click rule, and the one drag of a digit key that
// may run at a time. Windows and input belong to the application, so the
// stack watches them through the application object; it is made once, by
// the program, and handed to every window.
class WindowStack : public QObject {
    Q_OBJECT
  public:
    explicit WindowStack(Desktop& desktop);
    ~WindowStack() override;

    Desktop& desktop() const { return desktop_; }

    // Shows, raises and activates the window, makes it current and runs its
    // broughtToFront().
    void show(ProgramWindow* w);
    void hide(ProgramWindow* w);
    ProgramWindow* current() const;
    // Every window of the program that exists, in the order they were made.
    const QList<ProgramWindow*>& windows() const { return windows_; }
    // Ends the program: every window closes without asking again.
    void endProgram();
    bool programEnding() const { return ending_; }
    // The frontmost visible window of the program whose client area holds
    // the global point, by the order in which the windows came to the front;
    // nullptr when the point lies outside all of them.
    QWidget* windowAt(const QPoint& globalPos) const;

    // The drag of a digit key in progress, or nullptr.
    DigitKey* drag() const;
    void setDrag(DigitKey* key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class ProgramWindow;
    void add(ProgramWindow* w);
    void remove(ProgramWindow* w);
    void toFront(QWidget* w);

    Desktop& desktop_;
    QList<ProgramWindow*> windows_;
    QPointer<ProgramWindow> current_;
    // Top-level windows, frontmost first, as they were shown or brought to
    // the front.
    QList<QPointer<QWidget>> stacking_;
    bool ending_ = false;
    DoubleClickRule clicks_;
    QPointer<DigitKey> drag_;
};

} // namespace widgets
