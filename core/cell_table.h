#pragma once

#include <QString>

namespace trainer {

enum class Need { None, Refuse, Remind };

// The step of the written division a cell's digit belongs to.
enum class Step : unsigned char {
    QuotientDigit, // "Ergebnisziffer": a digit of q
    Multiply,      // "Malnehmen": a digit of a product
    Subtract,      // "Abziehen": a difference
    BringDown,     // "Herunterholen": a dividend digit brought down
    Remainder,     // "Rest": r behind the "R"
};

// One answer cell: where its expected digit stands, which quotient cell's
// colour the divisor takes on a drop, and which quotient digit it needs.
struct CellRule {
    const char* name;       // the cell
    int cellNumber;         // keyboard entry's number, 1..29
    bool remainderLayout;   // mode "R" layout (else mode "E")
    int list;               // 1 = Liste1, 2 = Liste2
    int row;                // from 0
    int pos;                // from 1
    const char* colourFrom; // nullptr: divisor colour unchanged
    const char* required;   // quotient cell that must be filled, or nullptr
    Need need;              // refuse the digit, or remind after it
    Step step;              // what the digit is
};

// All 29 answer cells, in CellNumber order.
const CellRule* cellRules();
constexpr int kCellCount = 29;
// The rule of a cell by name or by CellNumber; nullptr when none.
const CellRule* ruleForCell(const QString& name);
const CellRule* ruleForNumber(int cellNumber);

} // namespace trainer
