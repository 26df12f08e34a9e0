#include "exercise_keyboard.h"

#include <QKeyEvent>

#include "cell_navigation.h"
#include "counter_column.h"
#include "exercise_window.h"
#include "keyboard_access.h"
#include "keys.h"
#include "sheet_panel.h"
#include "twips.h"

namespace windows {

namespace {
using Kind = core::Entered::Kind;

bool isModifier(Kind k) {
    return k == Kind::Shift || k == Kind::Control || k == Kind::Alt;
}

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}
} // namespace

ExerciseKeyboard::ExerciseKeyboard(ExerciseWindow& window,
                                   std::function<void(int, const core::Entered&)> judge)
    : QObject(&window), window_(window), judge_(std::move(judge)) {
    for (QWidget* b : {window.endButton, window.helpButton, window.normalButton,
                       window.remainderButton, window.sheetButton})
        widgets::pressableByKeys(b);
    SheetPanel& sheet = window.sheetPanel();
    for (QWidget* b :
         {sheet.closeButton, sheet.printTasksButton, sheet.printSolutionsButton, sheet.copyButton})
        widgets::pressableByKeys(b);
    widgets::pressableByKeys(window.numberCatchPrompt);
    widgets::pressableByKeys(window.memoryPrompt);
    // A counter opens its menu, as a right click on it does.
    CounterColumn& counters = window.counters();
    for (QWidget* counter : {static_cast<QWidget*>(counters.pointsCounter),
                             static_cast<QWidget*>(counters.errorsCounter)})
        widgets::pressableByKeys(counter, [&counters, counter] {
            counters.showMenu(counter->mapToGlobal(counter->rect().center()));
        });
    window.installEventFilter(this);
}

QList<QWidget*> ExerciseKeyboard::controls() const {
    QList<QWidget*> list;
    if (window_.exercise().sheet()) {
        const SheetPanel& sheet = window_.sheetPanel();
        list << sheet.closeButton << sheet.printTasksButton << sheet.printSolutionsButton
             << sheet.copyButton << sheet.sheetList;
    } else {
        list << window_.endButton << window_.helpButton << window_.normalButton
             << window_.remainderButton << window_.sheetButton;
    }
    // The number-catch prompt lies over the memory prompt.
    if (!window_.numberCatchPrompt->isHidden())
        list << window_.numberCatchPrompt;
    else if (!window_.memoryPrompt->isHidden())
        list << window_.memoryPrompt;
    list << window_.counters().pointsCounter << window_.counters().errorsCounter;
    return list;
}

bool ExerciseKeyboard::inDivision() const {
    return !window_.exercise().sheet() && !controls().contains(window_.focusWidget());
}

std::optional<int> ExerciseKeyboard::keyboardCell() const {
    const core::Exercise& e = window_.exercise();
    if (e.selectedCell()) return e.selectedCell();
    for (const core::AnswerCell* c : core::answerCells(e.mode()))
        if (window_.cell(c->number) == window_.focusWidget()) return c->number;
    return std::nullopt;
}

bool ExerciseKeyboard::keyPressed(QKeyEvent* e) {
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (tab && !(mods & Qt::AltModifier)) {
        held_.clear();
        const bool forward = key == Qt::Key_Tab && !(mods & Qt::ShiftModifier);
        if (mods & Qt::ControlModifier)
            switchPlace(forward);
        else if (inDivision())
            stepCells(forward);
        else
            stepControls(forward);
        return true;
    }
    if (isArrow(key) && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        if (inDivision()) {
            held_.clear();
            arrowInCells(key);
            return true;
        }
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            held_.clear();
            stepControls(key == Qt::Key_Right);
            return true;
        }
        return false; // up and down scroll the sheet
    }
    const bool pressKey = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (pressKey && !inDivision() && !e->isAutoRepeat() &&
        widgets::pressByKeys(window_.focusWidget()))
        return true;

    if (!window_.exercise().selectedCell()) {
        held_.clear();
        return false;
    }
    const core::Entered entered = widgets::enteredKey(e);
    if (isModifier(entered.kind)) {
        if (!e->isAutoRepeat() && !held_.contains(entered.kind)) held_ << entered.kind;
        return true;
    }
    judgeHeldKeys();
    if (window_.exercise().selectedCell()) judge_(widgets::typedDigit(e), entered);
    return false;
}

void ExerciseKeyboard::judgeHeldKeys() {
    const QList<Kind> held = std::exchange(held_, {});
    for (Kind k : held)
        if (window_.exercise().selectedCell()) judge_(-1, {k, 0});
}

void ExerciseKeyboard::keyReleased(QKeyEvent* e) {
    if (held_.isEmpty() || e->isAutoRepeat()) return;
    const Kind k = widgets::enteredKey(e).kind;
    if (held_.removeOne(k) && window_.exercise().selectedCell()) judge_(-1, {k, 0});
}

bool ExerciseKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && watched == &window_) held_.clear();
    return false;
}

// ------------------------------------------------------------------ moving

void ExerciseKeyboard::select(std::optional<int> cell) {
    if (!cell) return;
    window_.exercise().selectCell(*cell);
    window_.showExercise();
}

void ExerciseKeyboard::stepCells(bool forward) {
    select(core::nextEmptyCell(window_.exercise(), keyboardCell(), forward));
}

void ExerciseKeyboard::arrowInCells(int key) {
    const core::Exercise& e = window_.exercise();
    const std::optional<int> from = keyboardCell();
    if (!from) {
        select(core::nextEmptyCell(e, std::nullopt, true));
        return;
    }
    // The cells of a layout share one parent: their twips say where they lie.
    QList<core::PlacedCell> empty;
    for (const core::AnswerCell* c : core::answerCells(e.mode()))
        if (c->number != *from && e.isEmpty(c->number))
            empty << core::PlacedCell{c->number, tw::rect(window_.cell(c->number)).center()};
    const core::Direction d = key == Qt::Key_Left    ? core::Direction::Left
                              : key == Qt::Key_Right ? core::Direction::Right
                              : key == Qt::Key_Up    ? core::Direction::Up
                                                     : core::Direction::Down;
    select(core::nearestToward(empty, tw::rect(window_.cell(*from)).center(), d));
}

void ExerciseKeyboard::stepControls(bool forward) {
    const QList<QWidget*> list = controls();
    const int n = int(list.size());
    int at = int(list.indexOf(window_.focusWidget()));
    if (at < 0) at = forward ? -1 : n;
    list.at(((at + (forward ? 1 : -1)) % n + n) % n)
        ->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void ExerciseKeyboard::switchPlace(bool forward) {
    if (inDivision()) {
        window_.exercise().unselect();
        window_.showExercise();
        const QList<QWidget*> list = controls();
        (forward ? list.first() : list.last())->setFocus(Qt::TabFocusReason);
    } else if (!window_.exercise().sheet()) {
        select(core::nextEmptyCell(window_.exercise(), std::nullopt, forward));
    }
}

void ExerciseKeyboard::follow() {
    const core::Exercise& e = window_.exercise();
    const bool sheet = e.sheet().has_value();
    if (e.selectedCell()) {
        QWidget* cell = window_.cell(*e.selectedCell());
        if (cell && window_.focusWidget() != cell) cell->setFocus(Qt::OtherFocusReason);
    } else if (sheet != sheetShown_ && sheet) {
        // The sheet covers the division and the command row.
        window_.sheetPanel().closeButton->setFocus(Qt::OtherFocusReason);
    } else if (sheet != sheetShown_ && onControls_) {
        window_.sheetButton->setFocus(Qt::OtherFocusReason);
    }
    sheetShown_ = sheet;
    onControls_ = !inDivision();
}

void ExerciseKeyboard::enterDivision() {
    sheetShown_ = window_.exercise().sheet().has_value();
    if (sheetShown_)
        window_.sheetPanel().closeButton->setFocus(Qt::OtherFocusReason);
    else
        window_.setFocus(Qt::OtherFocusReason);
    onControls_ = sheetShown_;
}

} // namespace windows
