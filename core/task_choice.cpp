#include "task_choice.h"

#include <QStringList>

namespace core {

namespace {

constexpr int kDivisorCount = TaskChoice::kGreatestDivisor - TaskChoice::kLeastDivisor + 1;

bool isDivisor(int divisor) {
    return divisor >= TaskChoice::kLeastDivisor && divisor <= TaskChoice::kGreatestDivisor;
}

quint8 bitOf(int divisor) {
    return quint8(1 << (divisor - TaskChoice::kLeastDivisor));
}

// "Teiler 9", "Teiler 6–9", "Teiler 3, 5–6, 8–9".
QString divisorsText(const TaskChoice& choice) {
    const QList<int> divisors = choice.divisors();
    QStringList parts;
    for (int first = 0; first < divisors.size();) {
        int last = first;
        while (last + 1 < divisors.size() && divisors[last + 1] == divisors[last] + 1)
            ++last;
        parts << (last > first ? QStringLiteral("%1–%2").arg(divisors[first]).arg(divisors[last])
                               : QString::number(divisors[first]));
        first = last + 1;
    }
    return QStringLiteral("Teiler ") + parts.join(QStringLiteral(", "));
}

QString summary(const TaskChoice& choice, const QString& zeroName, const QString& borrowingName) {
    QStringList parts;
    if (choice.divisors().size() < kDivisorCount) parts << divisorsText(choice);
    if (choice.zeroInQuotient() != Frequency::AsItComes)
        parts << zeroName + QStringLiteral(": ") + frequencyText(choice.zeroInQuotient());
    if (choice.borrowing() != Frequency::AsItComes)
        parts << borrowingName + QStringLiteral(": ") + frequencyText(choice.borrowing());
    return parts.join(QStringLiteral(" · "));
}

} // namespace

QString frequencyText(Frequency frequency) {
    switch (frequency) {
    case Frequency::Never:
        return QStringLiteral("nie");
    case Frequency::Often:
        return QStringLiteral("oft");
    case Frequency::AsItComes:
        break;
    }
    return QStringLiteral("wie es kommt");
}

bool TaskChoice::hasDivisor(int divisor) const {
    return isDivisor(divisor) && (divisorBits_ & bitOf(divisor));
}

QList<int> TaskChoice::divisors() const {
    QList<int> list;
    for (int d = kLeastDivisor; d <= kGreatestDivisor; ++d)
        if (hasDivisor(d)) list << d;
    return list;
}

bool TaskChoice::setDivisor(int divisor, bool chosen) {
    if (!isDivisor(divisor)) return false;
    const quint8 bits =
        chosen ? quint8(divisorBits_ | bitOf(divisor)) : quint8(divisorBits_ & ~bitOf(divisor));
    if (bits == 0) return false;
    divisorBits_ = bits;
    return true;
}

bool TaskChoice::setDivisors(const QList<int>& divisors) {
    quint8 bits = 0;
    for (int d : divisors)
        if (isDivisor(d)) bits |= bitOf(d);
    if (bits == 0) return false;
    divisorBits_ = bits;
    return true;
}

int TaskChoice::code() const {
    return (divisorBits_ - 1) * 9 + int(zero_) * 3 + int(borrowing_);
}

std::optional<TaskChoice> TaskChoice::fromCode(int code) {
    if (code < 0 || code >= kCodes) return std::nullopt;
    TaskChoice c;
    c.divisorBits_ = quint8(code / 9 + 1);
    c.zero_ = Frequency(code / 3 % 3);
    c.borrowing_ = Frequency(code % 3);
    return c;
}

bool hasZeroInQuotient(const Task& task) {
    return task.quotientDigit(1) == 0 || task.quotientDigit(2) == 0;
}

bool needsBorrowing(const Task& task) {
    // The same steps as writtenDivision(), in whole numbers.
    const int dividend = task.dividend();
    const int broughtDown[2] = {dividend / 10 % 10, dividend % 10};
    int minuend = dividend / 100;
    for (int place = 0; place < 3; ++place) {
        const int product = task.divisor * task.quotientDigit(place);
        if (minuend % 10 < product % 10) return true;
        if (place < 2) minuend = 10 * (minuend - product) + broughtDown[place];
    }
    return false;
}

QString choiceSummary(const TaskChoice& choice) {
    return summary(choice, QStringLiteral("Null im Ergebnis"),
                   QStringLiteral("Abziehen mit Übertrag"));
}

QString shortChoiceSummary(const TaskChoice& choice) {
    return summary(choice, QStringLiteral("Null"), QStringLiteral("Übertrag"));
}

} // namespace core
