#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

#include "cells.h"
#include "task_choice.h"

namespace core {

// How a digit reached its cell.
enum class EntryWay : quint8 {
    Drag, // a digit key dragged onto the cell or onto the keyboard marker
    Key,  // a key of the keyboard, with the cell selected
    Tap,  // a tap on a digit key, with the cell selected
};

// The bars of the report: the five steps of the written division, then the
// keys that are no digit at all.
constexpr int kBucketCount = 6;
constexpr int kOtherKeyBucket = 5;
// "Ergebnisziffer", "Malnehmen", "Abziehen", "Herunterholen", "Rest", "andere Taste".
QString bucketName(int bucket);

// What the child entered where a digit was wrong: a digit, or a key that
// gives none. `value` is the digit or letter, or the number of a keypad digit
// or a function key.
struct Entered {
    enum class Kind : quint8 {
        Nothing,
        Digit,
        Letter,
        KeypadDigit,
        FunctionKey,
        Arrow,
        Backspace,
        Tab,
        Enter,
        Shift,
        Control,
        Alt,
        Escape,
        Space,
        OtherKey,
    };
    Kind kind = Kind::Nothing;
    quint8 value = 0;

    static Entered ofDigit(int digit) { return {Kind::Digit, quint8(digit)}; }
};

// One digit the window refused, in a few bytes.
struct WrongDigit {
    quint8 cellNumber = 0; // 1..29, as the cells are numbered in working order
    char expected = 0;     // the digit the cell wanted
    Entered entered;
    EntryWay way = EntryWay::Drag;
};
// The bar a wrong digit counts in: its cell's step, or "andere Taste" for a
// key that gives no digit (Enter, Shift, a letter, the keypad).
int bucketOf(const WrongDigit& w);

// What the child did in the exercise window while the program runs: the
// tasks drawn, right digits, every refused digit and every hint on the order
// of the steps. Kept in memory only, in small fixed-size entries; a long run
// keeps its totals whole and only the oldest details go.
class PracticeRecord {
  public:
    struct Task {
        quint32 drawnAt = 0; // seconds since the epoch
        quint16 quotient = 0;
        quint8 divisor = 0;
        quint8 remainder = 0; // 0 for a task without remainder
        bool remainderMode = false;
        bool solved = false;
        quint16 wrongDigits = 0; // stops counting at the largest value
        quint16 hints = 0;
    };
    // A wrong digit and the task it belongs to (the task's serial number).
    struct Entry {
        quint32 task = 0;
        WrongDigit what;
    };

    // When the child's tasks came under a choice of tasks: from the moment
    // the first of them was drawn (seconds since the epoch), the choice
    // (TaskChoice::code()).
    struct ChoiceSpan {
        quint32 from = 0;
        quint16 choice = 0;
    };

    // A task the exercise window drew for the child (quotient, divisor and
    // remainder, 0 without), and the choice of tasks it was drawn under.
    void taskDrawn(int quotient, int divisor, int remainder, bool remainderMode, qint64 atMs,
                   const TaskChoice& choice = TaskChoice());
    // Tasks drawn between these belong to a worksheet and do not count. The
    // last of them stays in the window; it joins the record once the child
    // works on it.
    void sheetStarted();
    void sheetFinished();
    // Events on the task in the window.
    void taskSolved(qint64 atMs);
    void rightDigit(qint64 atMs);
    void wrongDigit(const WrongDigit& w, qint64 atMs);
    void orderHint(qint64 atMs);
    // "Neu beginnen": forgets all that was recorded; the task in the window
    // stays, as if drawn now.
    void clear(qint64 atMs);

    // Anything done yet: a digit, a hint or a solved task.
    bool hasWork() const;
    // Seconds since the epoch of the first recorded moment and of the last.
    quint32 firstAt() const { return firstAt_; }
    quint32 lastAt() const { return lastAt_; }
    quint64 solvedTasks(bool remainderMode) const { return solved_[remainderMode ? 1 : 0]; }
    quint64 rightDigits() const { return right_; }
    quint64 wrongDigits() const;
    quint64 wrongIn(int bucket) const;
    quint64 wrongBy(EntryWay way) const { return byWay_[int(way)]; }
    quint64 orderHints() const { return hints_; }

    // The tasks kept, oldest first, and the serial number of the first one.
    const std::vector<Task>& tasks() const { return tasks_; }
    quint32 firstSerial() const { return firstSerial_; }
    // The wrong digits kept, in order; each names its task by serial.
    const std::vector<Entry>& entries() const { return entries_; }
    // A worksheet's last task stands in the window, not yet worked on.
    bool sheetTaskInWindow() const { return sheetTaskInWindow_; }
    // The choices the recorded tasks came under, in order; a new span begins
    // where a task's choice differs from the one before. After "Neu beginnen"
    // only the choice of the task kept in the window. At most kKeptChoices,
    // the latest.
    const std::vector<ChoiceSpan>& choices() const { return choices_; }
    static constexpr size_t kKeptChoices = 8;
    // The memory the details take, in bytes.
    size_t memoryBytes() const;

    // How many details a run keeps at most before it lets the oldest go.
    static constexpr size_t kKeptTasks = 10000;
    static constexpr size_t kKeptEntries = 20000;

  private:
    // The task in the window, taking in a worksheet's last task when the
    // child works on it; nullptr before any task.
    Task* current();
    void touch(qint64 atMs);
    void trim();
    void noteChoice(quint16 choice, quint32 at);

    std::vector<Task> tasks_;
    std::vector<Entry> entries_;
    quint32 firstSerial_ = 0;
    Task sheetTask_;
    quint16 sheetChoice_ = 0;
    std::vector<ChoiceSpan> choices_;
    bool inSheet_ = false;
    bool sheetTaskInWindow_ = false;
    quint32 firstAt_ = 0, lastAt_ = 0;
    quint64 solved_[2] = {0, 0};
    quint64 right_ = 0;
    quint64 wrong_[kBucketCount] = {0, 0, 0, 0, 0, 0};
    quint64 byWay_[3] = {0, 0, 0};
    quint64 hints_ = 0;
};

} // namespace core
