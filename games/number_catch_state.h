#pragma once

#include <QString>
#include <QtGlobal>

namespace games {

// The module variables of the number-catch game: Form4 sets them at each
// start and plays on them.
struct Modul1 {
    qint16 CrossX = 0; // column of the cross, 1..24
    qint16 CrossY = 0; // row of the cross, 3..16
    // Cell of each digit still to catch; index 1 is the next one, 0 is unused.
    qint16 DigitX[21] = {};
    qint16 DigitY[21] = {};
    QString DigitsLeft; // in catching order
};

} // namespace games
