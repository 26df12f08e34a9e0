#include "sheet_number.h"

#include <cstdint>
#include <random>

#include "sheet_text.h"

namespace core {

namespace {

bool isSeparator(QChar c) {
    return c.isSpace() || c == QLatin1Char('-') || c == QChar(0x2010) || c == QChar(0x2011) ||
           c == QChar(0x2013);
}

// One seed per number. The letter and the digits are spread over the whole
// 64 bits, so neighbouring numbers start the engine far apart.
std::uint64_t seedOf(const SheetNumber& number) {
    const std::uint64_t key =
        (number.mode == Mode::Remainder ? std::uint64_t(kSheetNumbers) : 0) + std::uint64_t(number.digits);
    return ((key + 1) * 0x9E3779B97F4A7C15ULL) ^ 0x426C6174742D4E72ULL; // "Blatt-Nr"
}

} // namespace

std::optional<SheetNumber> parseSheetNumber(const QString& typed) {
    const QString s = typed.trimmed();
    if (s.isEmpty()) return std::nullopt;
    const QChar letter = s.at(0).toUpper();
    if (letter != QLatin1Char('E') && letter != QLatin1Char('R')) return std::nullopt;
    int digits = 0, count = 0;
    for (int i = 1; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (isSeparator(c)) continue;
        // Only the digits 0 to 9: a sheet number is read off paper, not another script.
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        if (++count > 6) return std::nullopt;
        digits = 10 * digits + (c.unicode() - '0');
    }
    if (count != 6) return std::nullopt;
    return SheetNumber{letter == QLatin1Char('R') ? Mode::Remainder : Mode::Normal, digits};
}

QString formatSheetNumber(const SheetNumber& number) {
    return (number.mode == Mode::Remainder ? QStringLiteral("R-") : QStringLiteral("E-")) +
           QStringLiteral("%1").arg(number.digits, 6, 10, QLatin1Char('0'));
}

SheetNumber sheetNumberFrom(Mode mode, double rnd) {
    int digits = int(rnd * kSheetNumbers);
    if (digits < 0) digits = 0;
    if (digits >= kSheetNumbers) digits = kSheetNumbers - 1;
    return {mode, digits};
}

QList<Task> sheetTasks(const SheetNumber& number) {
    // mt19937_64's output is fixed by the C++ standard for a seed, and the
    // reduction to [0, 1) is our own, so the tasks never depend on the library.
    std::mt19937_64 engine(seedOf(number));
    const Random random = [&engine] { return double(engine() >> 11) * 0x1.0p-53; };
    QList<Task> tasks;
    for (int i = 0; i < 12; ++i)
        tasks.append(drawTask(random, number.mode));
    return tasks;
}

QStringList sheetLinesOf(const SheetNumber& number) {
    QList<WrittenDivision> written;
    for (const Task& t : sheetTasks(number))
        written.append(writtenDivision(t));
    return sheetLines(written, number.mode);
}

} // namespace core
