#include "cell_table.h"

namespace trainer {

namespace {
constexpr Need N = Need::None, F = Need::Refuse, M = Need::Remind;
// Q a quotient digit, X a product digit, S a difference, B a digit brought down, R the remainder.
constexpr Step Q = Step::QuotientDigit, X = Step::Multiply, S = Step::Subtract, B = Step::BringDown,
               R = Step::Remainder;
// Drops and keys need the same quotient cells; they differ only in the
// message of a refusal and in when the reminder comes.
const CellRule kRules[kCellCount] = {
    {"Bezeichnung6", 1, false, 1, 2, 1, nullptr, nullptr, N, Q},
    {"Bezeichnung20", 2, false, 1, 2, 2, nullptr, nullptr, N, Q},
    {"Bezeichnung27", 3, false, 1, 2, 3, nullptr, nullptr, N, Q},
    {"Bezeichnung7", 4, false, 2, 0, 1, "Bezeichnung6", nullptr, N, X},
    {"Bezeichnung8", 5, false, 2, 0, 2, "Bezeichnung6", nullptr, N, X},
    {"Bezeichnung9", 6, false, 2, 1, 1, "Bezeichnung20", "Bezeichnung6", M, S},
    {"Bezeichnung10", 7, false, 2, 1, 2, "Bezeichnung20", "Bezeichnung6", F, B},
    {"Bezeichnung11", 8, false, 2, 2, 1, nullptr, nullptr, N, X},
    {"Bezeichnung12", 9, false, 2, 2, 2, nullptr, nullptr, N, X},
    {"Bezeichnung13", 10, false, 2, 3, 1, "Bezeichnung27", "Bezeichnung20", M, S},
    {"Bezeichnung17", 11, false, 2, 3, 2, "Bezeichnung27", "Bezeichnung20", F, B},
    {"Bezeichnung18", 12, false, 2, 4, 1, nullptr, nullptr, N, X},
    {"Bezeichnung19", 13, false, 2, 4, 2, nullptr, nullptr, N, X},
    {"Bezeichnung28", 14, false, 2, 5, 1, nullptr, "Bezeichnung27", M, S},
    {"luecke6", 15, true, 1, 2, 1, nullptr, nullptr, N, Q},
    {"luecke7", 16, true, 1, 2, 2, nullptr, nullptr, N, Q},
    {"luecke8", 17, true, 1, 2, 3, nullptr, nullptr, N, Q},
    {"luecke10", 18, true, 1, 3, 1, nullptr, nullptr, N, R},
    {"luecke11", 19, true, 2, 0, 1, "luecke6", nullptr, N, X},
    {"luecke12", 20, true, 2, 0, 2, "luecke6", nullptr, N, X},
    {"luecke13", 21, true, 2, 1, 1, "luecke7", "luecke6", M, S},
    {"luecke14", 22, true, 2, 1, 2, "luecke7", "luecke6", F, B},
    {"luecke15", 23, true, 2, 2, 1, nullptr, nullptr, N, X},
    {"luecke16", 24, true, 2, 2, 2, nullptr, nullptr, N, X},
    {"luecke17", 25, true, 2, 3, 1, "luecke8", "luecke7", M, S},
    {"luecke18", 26, true, 2, 3, 2, "luecke8", "luecke7", F, B},
    {"luecke19", 27, true, 2, 4, 1, nullptr, nullptr, N, X},
    {"luecke20", 28, true, 2, 4, 2, nullptr, nullptr, N, X},
    {"luecke21", 29, true, 2, 5, 1, "luecke10", "luecke8", M, S},
};
} // namespace

const CellRule* cellRules() {
    return kRules;
}

const CellRule* ruleForCell(const QString& name) {
    for (const CellRule& r : kRules)
        if (name == QLatin1String(r.name)) return &r;
    return nullptr;
}

const CellRule* ruleForNumber(int n) {
    if (n < 1 || n > kCellCount) return nullptr;
    return &kRules[n - 1];
}

} // namespace trainer
