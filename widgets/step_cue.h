#pragma once

#include <QRect>

#include "cells.h"
#include "controls.h"

class QPainter;
class QWidget;

namespace widgets {

// The mark beneath a digit that tells its step of the written division
// without its colour, as a school book would: one, two or three dots for the
// first, second and third step, a double underline for the last difference
// and the remainder. Drawn in black at the foot of the cell, below the digit.
PictureFunction stepCue(core::StepColour step);
// The band at the foot of a cell that the mark takes, in the cell's pixels:
// what lies above it is the digit alone.
QRect stepCueBand(const QWidget* cell);

} // namespace widgets
