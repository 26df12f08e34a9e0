#include "task.h"

namespace core {

namespace {
// Two digits, with a leading 0 where there is only one.
QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

int Task::quotientDigit(int place) const {
    static const int divisors[3] = {100, 10, 1};
    return place >= 0 && place < 3 ? quotient / divisors[place] % 10 : 0;
}

Task drawTask(const Random& random, Mode mode) {
    const int hundreds = int(random() * 6) + 4;
    const int tens = int(random() * 10);
    const int units = int(random() * 10);
    Task t;
    t.quotient = 100 * hundreds + 10 * tens + units;
    t.divisor = int(random() * 7) + 3;
    if (mode == Mode::Remainder) {
        do {
            t.remainder = int(random() * t.divisor);
        } while (t.remainder == 0);
    }
    return t;
}

WrittenDivision writtenDivision(const Task& task) {
    const int d = task.divisor;
    const QString n = QString::number(task.dividend());
    WrittenDivision w;
    w.dividend = n;
    w.divisor = QString::number(d);
    w.quotient = QString::number(task.quotient);
    if (task.remainder > 0) w.remainder = QString::number(task.remainder);
    // Each step: the product of the divisor and one quotient digit, taken
    // from what stands above it; the difference gets the next digit of the
    // dividend beside it.
    const int product1 = d * task.quotientDigit(0);
    const int partial2 = 10 * (n.left(2).toInt() - product1) + n.mid(2, 1).toInt();
    const int product2 = d * task.quotientDigit(1);
    const int partial3 = 10 * (partial2 - product2) + n.mid(3, 1).toInt();
    const int product3 = d * task.quotientDigit(2);
    w.rows << twoDigits(product1) << twoDigits(partial2) << twoDigits(product2)
           << twoDigits(partial3) << twoDigits(product3)
           << QString::number(partial3 - product3);
    return w;
}

QString WrittenDivision::taskLine() const {
    QString line = dividend + QLatin1Char(':') + divisor + QLatin1Char('=') + quotient;
    if (!remainder.isEmpty()) line += QLatin1Char('R') + remainder;
    return line;
}

} // namespace core
