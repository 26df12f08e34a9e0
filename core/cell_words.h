#pragma once

#include <QString>

#include "cells.h"

namespace core {

// The words assistive technology reads for the places of a written division,
// in the words of a primary-school child.

// An answer cell: "Ergebnis, erste Ziffer", "zweites Malergebnis, Zehner",
// "erster Unterschied", "erste heruntergeholte Ziffer", "Rest".
QString cellWords(CellRole role);
// A digit of the dividend, 0 for the thousands to 3 for the units: "Zahl, Tausender".
QString dividendDigitWords(int place);
// The divisor, "Teiler", and the step its colour shows: "Schritt 2", "letzter Schritt".
QString divisorWords();
QString stepWords(StepColour step);

} // namespace core
