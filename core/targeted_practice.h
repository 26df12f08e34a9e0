#pragma once

#include <QString>
#include <optional>

#include "practice_record.h"
#include "task.h"
#include "task_choice.h"

// "Gezielt üben": from the wrong digits recorded so far, the choice of tasks
// that trains the step the child gets wrong most.
namespace core {

// The least wrong digits in the five steps before one is aimed at.
constexpr quint64 kTargetedLeastWrong = 3;

struct TargetedPractice {
    // The step aimed at (a bar of the report, 0 .. 4 as bucketName() names
    // them), or -1 when there were too few wrong digits.
    int step = -1;
    // What to set, each empty where it stays as it is: the choice for the
    // next tasks, sheets and class sets, and the mode to switch to as the
    // mode button does (a new task of it).
    std::optional<TaskChoice> choice;
    std::optional<Mode> mode;
    // One sentence for the teacher: what was found and what comes now, or
    // why nothing changes.
    QString sentence;

    bool changes() const { return choice.has_value() || mode.has_value(); }
};

// The step with the most wrong digits, a tie going to the earlier step in
// working order, and what trains it:
//  - "Ergebnisziffer", "Malnehmen": the divisors 6 to 9;
//  - "Abziehen": "Abziehen mit Übertrag: oft";
//  - "Herunterholen": "Null im Ergebnis: oft";
//  - "Rest": the mode "mit Rest".
// Only that part of the current choice changes; the teacher's other settings
// stay. Where it is already so, nothing changes and the sentence says so.
// "andere Taste" is no step of the division: keys that give no digit are not
// counted. Fewer than kTargetedLeastWrong wrong digits in the steps, or
// only other keys, change nothing either, and the sentence says why.
TargetedPractice targetedPractice(const PracticeRecord& record, const TaskChoice& current,
                                  Mode mode);

} // namespace core
