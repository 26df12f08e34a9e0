#pragma once

#include <QList>
#include <QPoint>
#include <optional>

#include "cells.h"

namespace core {

class Exercise;

// The cells of a layout in the order a child works the division on paper:
// each step's quotient digit, its product, the difference and the digit
// brought down, then the next step; the remainder last.
QList<const AnswerCell*> workingOrder(Mode mode);

// The empty cell of the layout shown after `from` in working order (before
// it when `forward` is false), round past the end; the first (or last) empty
// cell when `from` is none or a cell of the other layout. None when no cell
// is empty.
std::optional<int> nextEmptyCell(const Exercise& exercise, std::optional<int> from, bool forward);

enum class Direction : quint8 { Left, Right, Up, Down };

// A cell and where its centre lies, in any unit that grows right and down.
struct PlacedCell {
    int number = 0;
    QPoint centre;
};

// Of `cells`, the one an arrow key from `from` goes to: the nearest of those
// that lie within 45 degrees of the arrow, or else the nearest of those that
// lie that way at all. None when no cell lies that way.
std::optional<int> nearestToward(const QList<PlacedCell>& cells, QPoint from, Direction direction);

} // namespace core
