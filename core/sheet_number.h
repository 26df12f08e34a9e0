#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "task.h"
#include "task_choice.h"

// A worksheet's number: the mode letter and six digits ("E-482719"), and for a
// sheet drawn under a choice of tasks three characters more that hold the
// choice ("E-482719-XQG"). The twelve tasks of a sheet are drawn from its
// number alone, so a teacher who keeps the number can bring the same sheet
// back on any machine, in any later version.
namespace core {

struct SheetNumber {
    Mode mode = Mode::Normal; // "R": tasks with remainder; "E": without
    int digits = 0;           // 0 .. 999999
    TaskChoice choice;        // every task: a number without the three characters

    SheetNumber() = default;
    SheetNumber(Mode mode, int digits, const TaskChoice& choice = TaskChoice())
        : mode(mode), digits(digits), choice(choice) {}
    bool operator==(const SheetNumber& o) const {
        return mode == o.mode && digits == o.digits && choice == o.choice;
    }
};

// How many numbers each mode has.
constexpr int kSheetNumbers = 1000000;

// The most characters a sheet number has ("E-482719-XQG").
constexpr int kSheetNumberMostChars = 12;

// What a person types: the letter E or R in either case, then six digits,
// then for a sheet drawn under a choice its three characters; blanks and
// hyphens may stand anywhere after the letter ("E-482719", "e482719",
// "E 482 719", "e-482719-xqg"). The three characters are digits and capital
// letters without I and O; a typed O is read as 0 and an I as 1. The last of
// them checks the whole number: one character typed wrong, anywhere, or two
// neighbouring digits swapped, make no sheet number rather than another
// sheet. Anything else is no sheet number either.
std::optional<SheetNumber> parseSheetNumber(const QString& typed);

// "E-482719", "R-093514", "E-482719-XQG".
QString formatSheetNumber(const SheetNumber& number);

// The number of a new sheet from a number uniform in [0, 1), its tasks drawn
// under the choice.
SheetNumber sheetNumberFrom(Mode mode, double rnd, const TaskChoice& choice = TaskChoice());

// The twelve tasks of the sheet, in the order the sheet shows them, drawn
// under the number's choice. Never change: printed sheets out in classrooms
// depend on it.
QList<Task> sheetTasks(const SheetNumber& number);

} // namespace core
