#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "task.h"

// A worksheet's number: the mode letter and six digits ("E-482719"). The twelve
// tasks of a sheet are drawn from its number alone, so a teacher who keeps the
// number can bring the same sheet back on any machine, in any later version.
namespace core {

struct SheetNumber {
    Mode mode = Mode::Normal; // "R": tasks with remainder; "E": without
    int digits = 0;           // 0 .. 999999
    bool operator==(const SheetNumber& o) const { return mode == o.mode && digits == o.digits; }
};

// How many numbers each mode has.
constexpr int kSheetNumbers = 1000000;

// What a person types: the letter E or R in either case, then six digits;
// blanks and hyphens may stand between letter and digits and among the digits
// ("E-482719", "e482719", "E 482 719"). Anything else is no sheet number.
std::optional<SheetNumber> parseSheetNumber(const QString& typed);

// "E-482719", "R-093514".
QString formatSheetNumber(const SheetNumber& number);

// The number of a new sheet from a number uniform in [0, 1).
SheetNumber sheetNumberFrom(Mode mode, double rnd);

// The twelve tasks of the sheet, in the order the sheet shows them. Never
// change: printed sheets out in classrooms depend on it.
QList<Task> sheetTasks(const SheetNumber& number);

// The 34 lines of the sheet, as "Blatt" lays them out.
QStringList sheetLinesOf(const SheetNumber& number);

} // namespace core
