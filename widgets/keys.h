#pragma once

#include <QString>
#include <QtGlobal>

#include "practice_record.h"

class QKeyEvent;

// What a key means to the program: a digit of the main keyboard, or a key
// that gives none, as the practice record names it.
namespace widgets {

// The digit 0..9 of the main keyboard's digit row that a native scan code
// names on the given Qt platform, whatever the layout and the Shift key say;
// -1 for any other key or a platform without native codes.
int digitRowKey(const QString& platformName, quint32 nativeScanCode);
// The digit a key of the main keyboard's digit row gives, with or without
// Shift and on any layout; -1 for every other key (the keypad's digits too).
int typedDigit(const QKeyEvent* e);
// What the record keeps of a key that was pressed where a digit was wanted.
core::Entered enteredKey(const QKeyEvent* e);

} // namespace widgets
