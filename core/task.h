#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace core {

// The two kinds of task: division without a remainder ("Normal") and with
// one ("mit Rest").
enum class Mode : quint8 { Normal, Remainder };

// Numbers uniform in [0, 1): the program's random numbers, or a sheet
// number's own sequence.
using Random = std::function<double()>;

// One task: a three-digit quotient, a one-digit divisor and, with a
// remainder, the remainder. The dividend is what they make, always four digits.
struct Task {
    int quotient = 0;
    int divisor = 0;
    int remainder = 0; // 0: a task without remainder

    int dividend() const { return divisor * quotient + remainder; }
    // A digit of the quotient, 0 .. 2 from the left.
    int quotientDigit(int place) const;
    bool operator==(const Task& o) const {
        return quotient == o.quotient && divisor == o.divisor && remainder == o.remainder;
    }
};

// Draws a task as the program always has: the quotient's digits (the first 4
// to 9, the others 0 to 9), then the divisor (3 to 9), then, with a
// remainder, a remainder from 1 to divisor - 1 (a 0 is drawn again). The
// order of the draws is fixed: sheet numbers depend on it.
Task drawTask(const Random& random, Mode mode);

// A task written out as a child writes it: the task line and the six working
// rows under it. Each row is two digits wide but the last: the first product,
// the difference with the digit brought down, the second product, the second
// difference with the next digit, the third product, and the final difference
// (the remainder). A one-digit product or difference keeps a leading 0.
struct WrittenDivision {
    QString dividend, divisor, quotient;
    QString remainder; // "" without a remainder
    QStringList rows;

    // The task line of a sheet: "2035:5=407", "2038:5=407R3".
    QString taskLine() const;
};
WrittenDivision writtenDivision(const Task& task);

} // namespace core
