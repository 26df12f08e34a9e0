#include "task_choice_control.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "exercise_window.h"
#include "long_press.h"
#include "task_choice_dialog.h"
#include "twips.h"

namespace windows {

namespace {
const QString kModeMenuHint =
    QStringLiteral("Rechte Maustaste (oder lange drücken): Aufgaben wählen");
} // namespace

TaskChoiceControl::TaskChoiceControl(ExerciseWindow& window) : window_(window) {
    chooseAction = new QAction(QStringLiteral("Aufgaben wählen …"), this);
    connect(chooseAction, &QAction::triggered, this, &TaskChoiceControl::chooseTasks);
    modeMenu = new QMenu(&window);
    modeMenu->setObjectName(QStringLiteral("modeButtonMenu"));
    modeMenu->addAction(chooseAction);
    for (QPushButton* b : {static_cast<QPushButton*>(window.normalButton),
                           static_cast<QPushButton*>(window.remainderButton)}) {
        b->setToolTip(kModeMenuHint);
        b->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(b, &QWidget::customContextMenuRequested, this,
                [this, b](const QPoint& pos) { showModeMenu(b, pos); });
        new widgets::LongPress(b, [this, b](const QPoint& pos) {
            // The finger that opened the menu must not press the button when it lets go.
            b->setDown(false);
            showModeMenu(b, pos);
        });
    }
}

void TaskChoiceControl::showModeMenu(QPushButton* button, const QPoint& pos) {
    // Covered by a shown sheet, the mode buttons offer nothing.
    if (window_.exercise().sheet()) return;
    tw::zoomMenu(modeMenu, &window_);
    modeMenu->popup(button->mapToGlobal(pos));
}

void TaskChoiceControl::chooseTasks() {
    core::Exercise& exercise = window_.exercise();
    TaskChoiceDialog dialog(&window_, exercise.choice());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    tw::returnFocus(&window_);
    if (!accepted || dialog.choice() == exercise.choice()) return;
    // A child must not change what the teacher chose: the same lock as printing.
    if (!printing::SheetActions(window_.desktop(), &window_)
             .printingUnlocked(window_.printerLock()))
        return;
    exercise.setChoice(dialog.choice());
    window_.showExercise();
}

} // namespace windows
