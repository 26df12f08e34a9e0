#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "task.h"

// The teacher's choice of tasks ("Aufgaben wählen"): which divisors come, and
// how often tasks with a zero in the quotient and tasks with borrowing come.
// One choice holds for both modes, for the exercise, for sheets and for class
// sets alike. It lasts while the program runs; nothing of it is stored.
namespace core {

// How often a kind of task comes: "nie", "wie es kommt", "oft".
//  - Never: no task of the kind is drawn.
//  - AsItComes: the kind plays no part in the draw; it comes as often as it
//    always has.
//  - Often: two tasks of three are drawn among those of the kind, the third
//    among those without it, so the child still meets the plain case and has
//    to notice the difference. Where a divisor has no task of the kind at all
//    (divisor 5 never needs borrowing), its tasks come as they come.
enum class Frequency : quint8 { Never, AsItComes, Often };

// "nie", "wie es kommt", "oft".
QString frequencyText(Frequency frequency);

class TaskChoice {
  public:
    static constexpr int kLeastDivisor = 3;
    static constexpr int kGreatestDivisor = 9;
    // How many choices there are: every non-empty set of the seven divisors,
    // times three frequencies for each of the two kinds.
    static constexpr int kCodes = 127 * 9;

    // Every task, as at start ("Alle Aufgaben"): all divisors, both kinds
    // "wie es kommt".
    TaskChoice() = default;
    bool isEveryTask() const { return *this == TaskChoice(); }

    // ---- "Teiler": a set of 3 .. 9, never empty
    bool hasDivisor(int divisor) const;
    // The divisors chosen, smallest first.
    QList<int> divisors() const;
    // Ticks or unticks one divisor. Unticking the last one, or a divisor
    // outside 3 .. 9, changes nothing and returns false: one always stays.
    bool setDivisor(int divisor, bool chosen);
    // Exactly these divisors (any outside 3 .. 9 are ignored); false, and
    // nothing changes, when that leaves none.
    bool setDivisors(const QList<int>& divisors);

    // ---- "Null im Ergebnis" and "Abziehen mit Übertrag"
    Frequency zeroInQuotient() const { return zero_; }
    void setZeroInQuotient(Frequency frequency) { zero_ = frequency; }
    Frequency borrowing() const { return borrowing_; }
    void setBorrowing(Frequency frequency) { borrowing_ = frequency; }

    // Each choice as a whole number 0 .. kCodes - 1, and back. Never change:
    // sheet numbers carry it. fromCode gives nothing for a number that is no
    // choice.
    int code() const;
    static std::optional<TaskChoice> fromCode(int code);

    bool operator==(const TaskChoice& o) const {
        return divisorBits_ == o.divisorBits_ && zero_ == o.zero_ && borrowing_ == o.borrowing_;
    }
    bool operator!=(const TaskChoice& o) const { return !(*this == o); }

  private:
    quint8 divisorBits_ = 0x7F; // bit d - 3 for the divisor d
    Frequency zero_ = Frequency::AsItComes;
    Frequency borrowing_ = Frequency::AsItComes;
};

// "Null im Ergebnis": a digit 0 in the quotient. Only the second and third
// digit can be one; the first is 4 to 9.
bool hasZeroInQuotient(const Task& task);

// "Abziehen mit Übertrag": one of the division's three subtractions must
// borrow in its units, that is the units digit of what is subtracted from is
// smaller than the units digit of what is subtracted. The three
// subtractions, as the working rows of writtenDivision() show them:
//  1. the first two digits of the dividend minus the first product (row 0);
//  2. the difference with the digit brought down (row 1) minus the second
//     product (row 2);
//  3. the next such row (row 3) minus the third product (row 4), which leaves
//     the last difference, the remainder (row 5).
// Each difference is smaller than the divisor, a single digit, so the tens
// never have to borrow beyond the units. 2035 : 5 needs none; 4653 : 9 = 517
// needs one in its second subtraction, 15 minus 09.
bool needsBorrowing(const Task& task);

// What a choice changes from every task, briefly, for the practice report:
// "Teiler 6–9 · Null im Ergebnis: oft · Abziehen mit Übertrag: nie". Divisors
// in a row stand as a range with an en dash ("Teiler 6–9", "Teiler 3, 5–6,
// 8–9"), a single one as "Teiler 9"; a kind "wie es kommt" is left out. Empty
// for every task.
QString choiceSummary(const TaskChoice& choice);
// The same in fewer characters, where a line has little room (a sheet's foot
// line): "Teiler 6–9 · Null: oft · Übertrag: nie".
QString shortChoiceSummary(const TaskChoice& choice);

} // namespace core
