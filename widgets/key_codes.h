#pragma once

#include <QString>
#include <QtGlobal>

class QKeyEvent;

// Qt's key events as the classic key codes the handlers speak.
namespace shell {

// Classic key code of a key event (digits of the main keyboard 48..57, of the
// keypad 96..105, letters 65..90, arrows 37..40, ...); 0 when it has none.
int vbKeyCode(const QKeyEvent* e);
// The digit 0..9 of the main keyboard's digit row that a native scan code
// names on the given Qt platform, whatever the layout and the Shift key say;
// -1 for any other key or a platform without native codes.
int digitRowKey(const QString& platformName, quint32 nativeScanCode);
// Shift state: 1 Shift, 2 Ctrl, 4 Alt.
int vbShiftState(const QKeyEvent* e);

} // namespace shell
