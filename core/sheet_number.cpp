#include "sheet_number.h"

#include <cstdint>
#include <random>

#include "task_draw.h"

namespace core {

namespace {

bool isSeparator(QChar c) {
    return c.isSpace() || c == QLatin1Char('-') || c == QChar(0x2010) || c == QChar(0x2011) ||
           c == QChar(0x2013);
}

// One seed per number. The letter, the digits and the choice are spread over
// the whole 64 bits, so neighbouring numbers start the engine far apart. Every
// task keeps the keys the numbers had before there was a choice.
std::uint64_t seedOf(const SheetNumber& number) {
    std::uint64_t key = (number.mode == Mode::Remainder ? std::uint64_t(kSheetNumbers) : 0) +
                        std::uint64_t(number.digits);
    if (!number.choice.isEveryTask())
        key += (std::uint64_t(number.choice.code()) + 1) * 2 * std::uint64_t(kSheetNumbers);
    return ((key + 1) * 0x9E3779B97F4A7C15ULL) ^ 0x426C6174742D4E72ULL; // "Blatt-Nr"
}

// The characters that hold a choice: no I and no O, which read like 1 and 0.
// Two of them give 34 * 34 values, enough for every choice, and a third checks.
const char kChoiceSymbols[] = "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr int kBase = 34;

int symbolValue(QChar typed) {
    const QChar c = typed.toUpper();
    if (c == QLatin1Char('O')) return 0;
    if (c == QLatin1Char('I')) return 1;
    for (int v = 0; v < kBase; ++v)
        if (c == QLatin1Char(kChoiceSymbols[v])) return v;
    return -1;
}

// The check character: the weighted sum of the letter, the six digits and
// the two choice characters, with the check itself at weight 1, is a
// multiple of 34. Every weight is odd and none a multiple of 17, so one wrong
// character always changes the sum; neighbouring weights differ by 2, so two
// swapped neighbours change it unless they differ by 17, which two digits
// never do.
int checkValue(const SheetNumber& number, int high, int low) {
    int sum = number.mode == Mode::Remainder ? 3 : 0;
    int digits = number.digits;
    for (int weight = 15; weight >= 5; weight -= 2, digits /= 10)
        sum += weight * (digits % 10);
    sum += 19 * high + 21 * low;
    return (kBase - sum % kBase) % kBase;
}

} // namespace

std::optional<SheetNumber> parseSheetNumber(const QString& typed) {
    const QString s = typed.trimmed();
    if (s.isEmpty()) return std::nullopt;
    const QChar letter = s.at(0).toUpper();
    if (letter != QLatin1Char('E') && letter != QLatin1Char('R')) return std::nullopt;
    SheetNumber number(letter == QLatin1Char('R') ? Mode::Remainder : Mode::Normal, 0);
    int count = 0;
    int symbols[3] = {0, 0, 0}, symbolCount = 0;
    for (int i = 1; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (isSeparator(c)) continue;
        if (count < 6) {
            // Only the digits 0 to 9: a sheet number is read off paper, not another script.
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
            ++count;
            number.digits = 10 * number.digits + (c.unicode() - '0');
            continue;
        }
        const int value = symbolValue(c);
        if (value < 0 || symbolCount == 3) return std::nullopt;
        symbols[symbolCount++] = value;
    }
    if (count != 6 || (symbolCount != 0 && symbolCount != 3)) return std::nullopt;
    if (symbolCount == 0) return number;
    const std::optional<TaskChoice> choice = TaskChoice::fromCode(kBase * symbols[0] + symbols[1]);
    // Every task has the number without the characters; another spelling of it would
    // be a second number for the same sheet.
    if (!choice || choice->isEveryTask()) return std::nullopt;
    if (checkValue(number, symbols[0], symbols[1]) != symbols[2]) return std::nullopt;
    number.choice = *choice;
    return number;
}

QString formatSheetNumber(const SheetNumber& number) {
    QString text = (number.mode == Mode::Remainder ? QStringLiteral("R-") : QStringLiteral("E-")) +
                   QStringLiteral("%1").arg(number.digits, 6, 10, QLatin1Char('0'));
    if (number.choice.isEveryTask()) return text;
    const int code = number.choice.code();
    const int high = code / kBase, low = code % kBase;
    return text + QLatin1Char('-') + QLatin1Char(kChoiceSymbols[high]) +
           QLatin1Char(kChoiceSymbols[low]) +
           QLatin1Char(kChoiceSymbols[checkValue(number, high, low)]);
}

SheetNumber sheetNumberFrom(Mode mode, double rnd, const TaskChoice& choice) {
    int digits = int(rnd * kSheetNumbers);
    if (digits < 0) digits = 0;
    if (digits >= kSheetNumbers) digits = kSheetNumbers - 1;
    return {mode, digits, choice};
}

QList<Task> sheetTasks(const SheetNumber& number) {
    // mt19937_64's output is fixed by the C++ standard for a seed, and the
    // reduction to [0, 1) is our own, so the tasks never depend on the library.
    std::mt19937_64 engine(seedOf(number));
    const Random random = [&engine] { return double(engine() >> 11) * 0x1.0p-53; };
    QList<Task> tasks;
    for (int i = 0; i < 12; ++i)
        tasks.append(drawTask(random, number.mode, number.choice));
    return tasks;
}

} // namespace core
