#include "cells.h"

#include <array>

namespace core {

namespace {

using R = CellRole;

constexpr std::array<R, 14> kNormalOrder = {
    R::Quotient1,     R::Quotient2,    R::Quotient3,     R::Product1Tens,  R::Product1Units,
    R::Difference1,   R::BroughtDown1, R::Product2Tens,  R::Product2Units, R::Difference2,
    R::BroughtDown2,  R::Product3Tens, R::Product3Units, R::FinalDifference};
constexpr std::array<R, 15> kRemainderOrder = {
    R::Quotient1,     R::Quotient2,     R::Quotient3,    R::Remainder,
    R::Product1Tens,  R::Product1Units, R::Difference1,  R::BroughtDown1,
    R::Product2Tens,  R::Product2Units, R::Difference2,  R::BroughtDown2,
    R::Product3Tens,  R::Product3Units, R::FinalDifference};

const std::array<AnswerCell, kAnswerCells>& table() {
    static const std::array<AnswerCell, kAnswerCells> cells = [] {
        std::array<AnswerCell, kAnswerCells> t{};
        int n = 0;
        for (R role : kNormalOrder) {
            t[size_t(n)] = AnswerCell{n + 1, Mode::Normal, role};
            ++n;
        }
        for (R role : kRemainderOrder) {
            t[size_t(n)] = AnswerCell{n + 1, Mode::Remainder, role};
            ++n;
        }
        return t;
    }();
    return cells;
}

// Character `place` (from 0) of a text, or nothing.
QChar at(const QString& s, int place) {
    return place < s.size() ? s.at(place) : QChar();
}

} // namespace

Step AnswerCell::step() const {
    switch (role) {
    case R::Quotient1:
    case R::Quotient2:
    case R::Quotient3:
        return Step::QuotientDigit;
    case R::Remainder:
        return Step::Remainder;
    case R::Difference1:
    case R::Difference2:
    case R::FinalDifference:
        return Step::Subtract;
    case R::BroughtDown1:
    case R::BroughtDown2:
        return Step::BringDown;
    default:
        return Step::Multiply;
    }
}

StepColour AnswerCell::colour() const {
    switch (role) {
    case R::Quotient1:
    case R::Product1Tens:
    case R::Product1Units:
        return StepColour::First;
    case R::Quotient2:
    case R::Difference1:
    case R::BroughtDown1:
    case R::Product2Tens:
    case R::Product2Units:
        return StepColour::Second;
    case R::Quotient3:
    case R::Difference2:
    case R::BroughtDown2:
    case R::Product3Tens:
    case R::Product3Units:
        return StepColour::Third;
    case R::Remainder:
    case R::FinalDifference:
        return StepColour::Last;
    }
    return StepColour::First;
}

std::optional<StepColour> AnswerCell::divisorColourOnDrop() const {
    // Each step is announced where it begins: at the first product, at the
    // difference that opens the next step, and in the layout with remainder
    // at the final difference.
    switch (role) {
    case R::Product1Tens:
    case R::Product1Units:
    case R::Difference1:
    case R::BroughtDown1:
    case R::Difference2:
    case R::BroughtDown2:
        return colour();
    case R::FinalDifference:
        if (mode == Mode::Remainder) return colour();
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

QuotientNeed AnswerCell::quotientNeed() const {
    switch (role) {
    case R::Difference1:
    case R::Difference2:
    case R::FinalDifference:
        return QuotientNeed::Remind;
    case R::BroughtDown1:
    case R::BroughtDown2:
        return QuotientNeed::Refuse;
    default:
        return QuotientNeed::None;
    }
}

CellRole AnswerCell::neededQuotient() const {
    switch (role) {
    case R::Difference1:
    case R::BroughtDown1:
        return R::Quotient1;
    case R::Difference2:
    case R::BroughtDown2:
        return R::Quotient2;
    default:
        return R::Quotient3;
    }
}

QChar AnswerCell::expected(const WrittenDivision& w) const {
    switch (role) {
    case R::Quotient1:
        return at(w.quotient, 0);
    case R::Quotient2:
        return at(w.quotient, 1);
    case R::Quotient3:
        return at(w.quotient, 2);
    case R::Remainder:
        return at(w.remainder, 0);
    case R::Product1Tens:
        return at(w.rows.value(0), 0);
    case R::Product1Units:
        return at(w.rows.value(0), 1);
    case R::Difference1:
        return at(w.rows.value(1), 0);
    case R::BroughtDown1:
        return at(w.rows.value(1), 1);
    case R::Product2Tens:
        return at(w.rows.value(2), 0);
    case R::Product2Units:
        return at(w.rows.value(2), 1);
    case R::Difference2:
        return at(w.rows.value(3), 0);
    case R::BroughtDown2:
        return at(w.rows.value(3), 1);
    case R::Product3Tens:
        return at(w.rows.value(4), 0);
    case R::Product3Units:
        return at(w.rows.value(4), 1);
    case R::FinalDifference:
        return at(w.rows.value(5), 0);
    }
    return {};
}

const AnswerCell* answerCell(int number) {
    return number >= 1 && number <= kAnswerCells ? &table()[size_t(number - 1)] : nullptr;
}

const AnswerCell* answerCell(Mode mode, CellRole role) {
    for (const AnswerCell& c : table())
        if (c.mode == mode && c.role == role) return &c;
    return nullptr;
}

QList<const AnswerCell*> answerCells(Mode mode) {
    QList<const AnswerCell*> cells;
    for (const AnswerCell& c : table())
        if (c.mode == mode) cells << &c;
    return cells;
}

bool isSolvingCell(CellRole role) {
    return role == R::Quotient1 || role == R::Quotient2 || role == R::Quotient3 ||
           role == R::Remainder || role == R::FinalDifference;
}

} // namespace core
