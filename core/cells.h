#pragma once

#include <QChar>
#include <QList>
#include <optional>

#include "task.h"

namespace core {

// Where a digit of the written division stands; the same places in both
// layouts, the remainder only in the layout with remainder.
enum class CellRole : quint8 {
    Quotient1,
    Quotient2,
    Quotient3,
    Remainder,
    Product1Tens,
    Product1Units,
    Difference1,
    BroughtDown1,
    Product2Tens,
    Product2Units,
    Difference2,
    BroughtDown2,
    Product3Tens,
    Product3Units,
    FinalDifference,
};

// The step of the written division a digit belongs to.
enum class Step : quint8 {
    QuotientDigit, // "Ergebnisziffer"
    Multiply,      // "Malnehmen"
    Subtract,      // "Abziehen"
    BringDown,     // "Herunterholen"
    Remainder,     // "Rest"
};

// The colour a step has in the layouts: the first quotient digit and its
// product, the second step, the third step, the last difference and the
// remainder. The divisor shows the colour of the step being worked on.
enum class StepColour : quint8 { First, Second, Third, Last };

// What a cell needs before it takes a digit: nothing, or a quotient digit
// that must be there first (the digit is refused) or that the child is
// reminded of (the digit stays).
enum class QuotientNeed : quint8 { None, Refuse, Remind };

// One answer cell. The cells are numbered 1 to 29 in working order, 1 to 14
// in the layout without remainder and 15 to 29 in the one with remainder;
// the practice record keeps cells by their number.
struct AnswerCell {
    int number = 0;
    Mode mode = Mode::Normal;
    CellRole role = CellRole::Quotient1;

    Step step() const;
    StepColour colour() const;
    // The colour the divisor takes when a digit is dropped here; none where
    // the divisor keeps its colour.
    std::optional<StepColour> divisorColourOnDrop() const;
    // The quotient digit this cell waits for, and what happens without it.
    QuotientNeed quotientNeed() const;
    CellRole neededQuotient() const;
    // The digit the cell wants for the task.
    QChar expected(const WrittenDivision& w) const;
};

constexpr int kAnswerCells = 29;
// The cell of a number from 1 to 29; nullptr for any other number.
const AnswerCell* answerCell(int number);
// The cell of a role in a layout; nullptr where the layout has none.
const AnswerCell* answerCell(Mode mode, CellRole role);
// The cells of one layout in working order.
QList<const AnswerCell*> answerCells(Mode mode);
// The quotient digits and the last cells that make a task solved.
bool isSolvingCell(CellRole role);

} // namespace core
