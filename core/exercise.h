#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "cells.h"
#include "practice_record.h"
#include "sheet_number.h"
#include "targeted_practice.h"
#include "task.h"
#include "task_choice.h"

namespace core {

// What the child is told, each at the moment it happens.
enum class Notice : quint8 {
    PlaceQuotientFirst, // a dropped digit refused: "Setze zuerst die Ergebnisziffer ein."
    WrongDigit,         // "Das ist leider falsch, rechne nochmal."
    QuotientMissing,    // "Es fehlt noch die Ergebnisziffer!"
    Solved,             // "Die Aufgabe wurde richtig gelöst."
};

// Milliseconds since the epoch: the moments the practice record keeps.
using Clock = std::function<qint64()>;

// What the child has achieved so far: the counters and the ladder.
struct Progress {
    quint64 points = 0;
    quint64 errors = 0;
    int ladderStep = 0;
};

// The exercise: what the exercise window knows and the rules that turn the
// child's input into what happens. The current task with the digits entered
// so far, the mode, the cell that waits for a typed digit, the counters, the
// reward ladder and its prompts, the sheet shown and the practice record.
//
// Each rule runs to its end; where the child is told something, onNotice is
// called with the exercise as the child sees it at that moment (a wrong digit
// still in its cell, a solved task still on screen) and the window shows its
// box there.
class Exercise {
  public:
    Exercise(Random random, Clock clock);

    std::function<void(Notice)> onNotice;

    // ---- what there is to see
    Mode mode() const { return mode_; }
    // False until the child chose a mode: the window keeps its first title.
    bool modeChosen() const { return modeChosen_; }
    const Task& task() const { return task_; }
    const WrittenDivision& written() const { return written_; }
    // The digit an answer cell shows, or a null character: a right digit, or
    // a wrong one while the child is told so.
    QChar digitIn(int cell) const;
    bool isEmpty(int cell) const { return digitIn(cell).isNull(); }
    // The cell a typed digit goes to (the keyboard marker lies over it).
    std::optional<int> selectedCell() const { return selected_; }
    StepColour divisorColour() const { return divisorColour_; }
    quint64 points() const { return points_; }
    quint64 errors() const { return errors_; }
    // Steps the climber went up the ladder since the last memory game.
    int ladderStep() const { return ladderStep_; }
    static constexpr int kLadderSteps = 23;
    Progress progress() const { return {points_, errors_, ladderStep_}; }
    // Goes on from where a child got to (pictures and benchmarks start there);
    // the prompts come as the child goes on.
    void setProgress(const Progress& p);
    bool numberCatchWaiting() const { return numberCatchWaiting_; }
    bool memoryWaiting() const { return memoryWaiting_; }
    // The worksheet shown, if any.
    const std::optional<SheetNumber>& sheet() const { return sheet_; }
    const PracticeRecord& record() const { return record_; }
    PracticeRecord& record() { return record_; }

    // ---- what the child does
    // The program brings the window to the front: no cell waits, and a new
    // task of the mode is drawn; after "Ende" in remainder mode the exercise
    // starts over in normal mode.
    void enter();
    // "Ende": the window goes; the next entry begins without remainder.
    void leave();
    // "Normal" and "mit Rest": the mode, and a new task of it.
    void chooseMode(Mode mode);
    // A click on an empty answer cell of the layout shown.
    void selectCell(int cell);
    // A click on the keyboard marker: no cell waits any more.
    void unselect();
    // A digit key dropped onto an answer cell.
    void dropOnCell(int cell, int digit);
    // A digit key dropped onto the keyboard marker, or tapped: the digit for
    // the waiting cell. Nothing happens while no cell waits.
    void dropOnMarker(int digit, EntryWay way);
    // A key pressed while a cell waits: `digit` for a digit of the main
    // keyboard, -1 for any other key; `entered` is what the record keeps.
    void pressKey(int digit, const Entered& entered);
    // The reward prompts, clicked.
    void claimNumberCatch();
    void claimMemory();

    // ---- the teacher's choice of tasks ("Aufgaben wählen")
    // Every task until the teacher chooses; nothing of it is stored.
    const TaskChoice& choice() const { return choice_; }
    // The choice for every task drawn from now on, in both modes, and for
    // new sheets and class sets. The task on screen stays until it is solved
    // or the mode changes.
    void setChoice(const TaskChoice& choice);
    // "Gezielt üben": what the wrong digits recorded so far ask for, from the
    // current choice and mode; nothing changes yet.
    TargetedPractice targetedPractice() const;
    // Applies it: the choice, and the mode as "mit Rest" would (a new task).
    void applyTargetedPractice(const TargetedPractice& aim);

    // ---- worksheets
    // "Blatt": a sheet of a new number in the current mode, drawn under the
    // current choice.
    void composeSheet();
    // "Blatt nach Nummer …": the sheet of a number, its mode taken on. The
    // tasks are drawn under the number's choice; the exercise's own choice
    // stays as the teacher set it.
    void showSheetNumbered(const SheetNumber& number);
    // "Abbruch".
    void closeSheet();
    // The number of a new sheet of the mode under the current choice, drawn
    // at random (class sets take theirs from here).
    SheetNumber newSheetNumber();

  private:
    void newTask();
    void showTask(const Task& task, const TaskChoice& drawnUnder);
    void switchMode(Mode mode);
    void tell(Notice notice);
    // A digit for the waiting cell: placed or refused, counted, then the
    // task checked.
    void enterAtMarker(QChar digit, const Entered& entered, EntryWay way);
    // Places the waiting cell's right digit; false when its quotient digit
    // must come first.
    bool placeWaitingDigit(int cell);
    void wrongDigit(int cell, const Entered& entered, EntryWay way);
    void addPoint();
    // True when the task was solved; then the next one is drawn.
    bool checkSolved();
    qint64 now() const { return clock_(); }

    Random random_;
    Clock clock_;
    Mode mode_ = Mode::Normal;
    bool modeChosen_ = false;
    // "Ende" in remainder mode: the next entry switches to normal mode.
    bool normalOnReturn_ = false;
    Task task_;
    WrittenDivision written_;
    std::array<QChar, kAnswerCells + 1> digits_{};
    std::optional<int> selected_;
    StepColour divisorColour_ = StepColour::First;
    quint64 points_ = 0;
    quint64 errors_ = 0;
    int ladderStep_ = 0;
    bool numberCatchWaiting_ = false;
    bool memoryWaiting_ = false;
    std::optional<SheetNumber> sheet_;
    TaskChoice choice_;
    PracticeRecord record_;
};

} // namespace core
