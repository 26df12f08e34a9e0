#pragma once

#include <functional>
#include <vector>

namespace games {

// A cell of the number-catch field: columns 1..24 from the left, rows 3..16
// from the top (the rows above lie under the window's controls).
struct Cell {
    int column = 0;
    int row = 0;
    bool operator==(const Cell& o) const { return column == o.column && row == o.row; }
    bool operator!=(const Cell& o) const { return !(*this == o); }
};

// The number-catch game: the child steers a cross over the field and catches
// the digits 0..9 in order, while they jump to new cells at the pace the
// child chose.
class NumberCatchGame {
  public:
    static constexpr int kFirstColumn = 1;
    static constexpr int kLastColumn = 24;
    static constexpr int kFirstRow = 3;
    static constexpr int kLastRow = 16;

    enum class Direction { Left, Up, Down, Right };

    struct Digit {
        int value;
        Cell cell;
    };

    // A new game: the cross in the middle, the digits on a diagonal.
    NumberCatchGame();

    Cell cross() const { return cross_; }
    // The digits still to catch, the next one first.
    const std::vector<Digit>& digitsLeft() const { return digits_; }
    bool finished() const { return digits_.empty(); }

    // One cell on; at the edge of the field the cross stays.
    void move(Direction d);
    // The cross on the next digit's cell takes it; true when it did.
    bool catchNext();
    // Every digit left to a new cell, none sharing a row or a column with
    // another (the cross's cell is allowed). random gives numbers in [0, 1);
    // a digit takes two of them, a column then a row, until it fits.
    void jump(const std::function<double()>& random);

  private:
    Cell cross_;
    std::vector<Digit> digits_;
};

} // namespace games
