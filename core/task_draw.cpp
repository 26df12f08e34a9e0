#include "task_draw.h"

#include <array>
#include <bitset>
#include <mutex>

namespace core {

namespace {

constexpr int kLeastQuotient = 400;
constexpr int kQuotients = 600; // 400 .. 999
constexpr int kDivisors = TaskChoice::kGreatestDivisor - TaskChoice::kLeastDivisor + 1;

// The kinds of a task: bit 0 a zero in the quotient, bit 1 borrowing.
constexpr int kZeroKind = 1, kBorrowingKind = 2, kKinds = 4;

// For one quotient and divisor: the remainders that make a task of each kind,
// bit r for the remainder r (only bit 0 without a remainder).
struct QuotientKinds {
    std::array<quint16, kKinds> remainders{};
};
using DivisorTable = std::array<QuotientKinds, kQuotients>;

// Each divisor's table is built at its first draw, once for the program's
// run: the first draw stays well under a millisecond.
const DivisorTable& tableOf(Mode mode, int divisor) {
    static std::array<DivisorTable, 2 * kDivisors> tables;
    static std::array<std::once_flag, 2 * kDivisors> built;
    const bool withRemainder = mode == Mode::Remainder;
    const size_t index =
        size_t((withRemainder ? kDivisors : 0) + divisor - TaskChoice::kLeastDivisor);
    std::call_once(built[index], [&] {
        DivisorTable& table = tables[index];
        for (int q = 0; q < kQuotients; ++q) {
            for (int r = withRemainder ? 1 : 0; r <= (withRemainder ? divisor - 1 : 0); ++r) {
                const Task task{kLeastQuotient + q, divisor, r};
                const int kind = (hasZeroInQuotient(task) ? kZeroKind : 0) |
                                 (needsBorrowing(task) ? kBorrowingKind : 0);
                table[size_t(q)].remainders[size_t(kind)] |= quint16(1 << r);
            }
        }
    });
    return tables[index];
}

// What one draw asks of a kind.
enum class Wish : quint8 { With, Without, Free };

bool fits(Wish wish, bool has) {
    return wish == Wish::Free || (wish == Wish::With) == has;
}

// The remainders of the quotient that make a task both wishes allow.
quint16 remaindersFor(const QuotientKinds& q, Wish zero, Wish borrowing) {
    quint16 bits = 0;
    for (int kind = 0; kind < kKinds; ++kind)
        if (fits(zero, kind & kZeroKind) && fits(borrowing, kind & kBorrowingKind))
            bits |= q.remainders[size_t(kind)];
    return bits;
}

// One of n things, 0 .. n - 1, from a number in [0, 1).
int pick(double rnd, int n) {
    const int i = int(rnd * n);
    return i < 0 ? 0 : i >= n ? n - 1 : i;
}

// "nie" is a firm wish, "wie es kommt" none; "oft" is decided per task.
Wish firmWish(Frequency f) {
    return f == Frequency::Never ? Wish::Without : Wish::Free;
}

Wish wishFor(Frequency f, const Random& random) {
    if (f != Frequency::Often) return firmWish(f);
    return random() < 2.0 / 3.0 ? Wish::With : Wish::Without;
}

int countQuotients(const DivisorTable& table, Wish zero, Wish borrowing) {
    int n = 0;
    for (const QuotientKinds& q : table)
        if (remaindersFor(q, zero, borrowing)) ++n;
    return n;
}

} // namespace

Task drawTask(const Random& random, Mode mode, const TaskChoice& choice) {
    if (choice.isEveryTask()) return drawTask(random, mode);

    const QList<int> divisors = choice.divisors();
    const int divisor = divisors[pick(random(), int(divisors.size()))];
    const DivisorTable& table = tableOf(mode, divisor);

    const Wish zero = wishFor(choice.zeroInQuotient(), random);
    const Wish borrowing = wishFor(choice.borrowing(), random);
    const Wish zeroFirm = firmWish(choice.zeroInQuotient());
    const Wish borrowingFirm = firmWish(choice.borrowing());
    // The wishes of "oft" give way where the divisor has no such task, borrowing
    // first. The last pair would give up "nie" as well: with these task rules it
    // is never reached (every divisor has tasks with neither kind), but no later
    // rule can leave a draw with nothing.
    const std::pair<Wish, Wish> tries[] = {{zero, borrowing},
                                           {zero, borrowingFirm},
                                           {zeroFirm, borrowing},
                                           {zeroFirm, borrowingFirm},
                                           {Wish::Free, Wish::Free}};
    Wish z = Wish::Free, b = Wish::Free;
    int quotients = 0;
    for (const auto& [zeroWish, borrowingWish] : tries) {
        quotients = countQuotients(table, zeroWish, borrowingWish);
        if (quotients > 0) {
            z = zeroWish;
            b = borrowingWish;
            break;
        }
    }

    int chosen = pick(random(), quotients);
    int q = 0;
    quint16 remainders = 0;
    for (; q < kQuotients; ++q) {
        remainders = remaindersFor(table[size_t(q)], z, b);
        if (remainders && chosen-- == 0) break;
    }
    Task task{kLeastQuotient + q, divisor, 0};
    if (mode == Mode::Remainder) {
        int chosenRemainder = pick(random(), int(std::bitset<16>(remainders).count()));
        for (int r = 1; r < divisor; ++r)
            if ((remainders & (1 << r)) && chosenRemainder-- == 0) {
                task.remainder = r;
                break;
            }
    }
    return task;
}

} // namespace core
