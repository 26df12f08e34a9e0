#pragma once

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;
class QPushButton;

namespace windows {

class ExerciseWindow;

// The teacher's choice of tasks in the exercise window: "Aufgaben wählen …"
// in the menus of "Normal", "mit Rest" and "Blatt" opens its window; behind
// the printer lock the choice then holds for the next task, sheets and class
// sets. The task on screen stays.
class TaskChoiceControl : public QObject {
    Q_OBJECT
  public:
    explicit TaskChoiceControl(ExerciseWindow& window);

    QAction* chooseAction; // "Aufgaben wählen …", also in the sheet's menus
    QMenu* modeMenu;       // the menu of "Normal" and "mit Rest"

    // The window, then the lock when the choice changed.
    void chooseTasks();
    // Right click or long press on a mode button (pos in the button).
    void showModeMenu(QPushButton* button, const QPoint& pos);

  private:
    ExerciseWindow& window_;
};

} // namespace windows
