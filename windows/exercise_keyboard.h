#pragma once

#include <QList>
#include <QObject>
#include <functional>
#include <optional>

#include "practice_record.h"

class QKeyEvent;
class QWidget;

namespace windows {

class ExerciseWindow;

// The exercise window from the keyboard alone. The keys go to one of two
// places. In the division, Tab and Shift+Tab select the next and the previous
// empty cell in working order, round past the end, and the arrow keys the
// nearest empty cell their way. In the row of controls (the command buttons,
// a waiting reward prompt and the two counters, or the worksheet panel while
// a sheet covers the division), Tab, Shift+Tab and the left and right arrows
// go from control to control, and Space or Enter press one. Ctrl+Tab goes
// from one place to the other.
//
// None of these keys counts as a wrong key; every other key is judged as it
// always was while a cell waits. Shift, Ctrl and Alt are held back until it
// is clear what they go with: let go alone, or with a key that is judged,
// they count as before; with Tab or an arrow they do not.
class ExerciseKeyboard : public QObject {
  public:
    // `judge` hands a key to the exercise while a cell waits: the digit it
    // types (or -1) and what the practice record keeps of it.
    ExerciseKeyboard(ExerciseWindow& window,
                     std::function<void(int digit, const core::Entered& key)> judge);

    // A key pressed in the window. True when it was taken here and goes no
    // further.
    bool keyPressed(QKeyEvent* e);
    // A key let go in the window: a modifier held alone counts now.
    void keyReleased(QKeyEvent* e);
    // The exercise was shown anew: the keyboard stays with the waiting cell,
    // and moves off a control that the sheet covers or took away.
    void follow();
    // The window came to the front: the keyboard is in the division (on the
    // sheet's panel while a sheet is shown), no cell waiting.
    void enterDivision();
    // What Tab reaches outside the division, in order.
    QList<QWidget*> controls() const;

  protected:
    // The window's deactivation: keys held then are let go elsewhere.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool inDivision() const;
    // The waiting cell, else the cell the keyboard was on last.
    std::optional<int> keyboardCell() const;
    void select(std::optional<int> cell);
    void stepCells(bool forward);
    void arrowInCells(int key);
    void stepControls(bool forward);
    void switchPlace(bool forward);
    void judgeHeldKeys();

    ExerciseWindow& window_;
    std::function<void(int, const core::Entered&)> judge_;
    QList<core::Entered::Kind> held_;
    bool sheetShown_ = false;
    bool onControls_ = false;
};

} // namespace windows
