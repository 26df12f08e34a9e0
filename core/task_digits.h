#pragma once

#include <QString>
#include <QStringList>

namespace trainer {

// The expected digits of one task: Liste1 holds N, d, q (and r with a
// remainder), Liste2 the six working rows of the written division.
struct TaskDigits {
    QStringList liste1;
    QStringList liste2;
};

// Builds the rows for quotient digits a, b, c, divisor d and remainder r
// (r = 0: a task without remainder, Liste1 then has three rows).
TaskDigits taskDigits(int a, int b, int c, int d, int r = 0);

// Pads to two characters with a leading "0" ("7" -> "07", "0" -> "00").
QString pad2(const QString& s);

// The draws of a task from numbers uniform in [0, 1), in the order a, b, c, d
// and then r with its redraws (only when withRemainder).
struct TaskDraw {
    int a = 0, b = 0, c = 0, d = 0, r = 0;
};
template <typename Rnd> TaskDraw drawTask(Rnd&& rnd, bool withRemainder) {
    TaskDraw t;
    t.a = int(rnd() * 6) + 4;
    t.b = int(rnd() * 10);
    t.c = int(rnd() * 10);
    t.d = int(rnd() * 7) + 3;
    if (withRemainder) {
        do {
            t.r = int(rnd() * t.d);
        } while (t.r == 0);
    }
    return t;
}

// Character pos (from 1) of row (from 0) of a list, "" when it has none.
QString digitAt(const QStringList& list, int row, int pos);

} // namespace trainer
