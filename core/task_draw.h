#pragma once

#include "task.h"
#include "task_choice.h"

// Drawing a task under the teacher's choice.
namespace core {

// A task of the mode that the choice allows, within the task rules (first
// quotient digit 4 to 9, the others 0 to 9, a remainder of 1 to divisor - 1
// with one, none without).
//
// For every task (TaskChoice()) this is drawTask(random, mode), number for
// number: sheets printed before there was a choice keep their tasks.
// Otherwise the draw takes, in this order:
//  1. the divisor, equally likely among the chosen ones;
//  2. for "Null im Ergebnis: oft", then for "Abziehen mit Übertrag: oft", one
//     number each: below 2/3 the task is to have the kind, else not to;
//  3. the quotient, equally likely among the quotients that have a task of
//     that kind for the divisor;
//  4. with a remainder, the remainder, equally likely among those that make a
//     task of that kind with the quotient.
// "nie" always holds. Where the divisor has no task of the kind that "oft"
// asked for (divisor 5 never needs borrowing), that wish is dropped for this
// task: first the one for borrowing, then the one for the zero. Every divisor
// has tasks with neither a zero nor borrowing, so a chosen divisor is never
// left without tasks.
//
// The draw takes a fixed count of numbers (one for each step above that
// applies) and turns each into a choice among integers listed in a fixed
// order, so the task is a fixed function of those numbers: sheet numbers
// depend on it. A draw takes microseconds; the first one builds the tables of
// every task's kinds once.
Task drawTask(const Random& random, Mode mode, const TaskChoice& choice);

} // namespace core
