#include "key_codes.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace shell {

int digitRowKey(const QString& platform, quint32 sc) {
    if (sc == 0) return -1;
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")) ||
        platform == QLatin1String("eglfs") || platform == QLatin1String("linuxfb")) {
        // X and XKB key codes are the evdev codes + 8: "1".."9" are 10..18, "0" is 19.
        if (sc >= 10 && sc <= 18) return int(sc - 9);
        return sc == 19 ? 0 : -1;
    }
    if (platform == QLatin1String("windows")) {
        // Scan code set 1: "1".."9" are 0x02..0x0A, "0" is 0x0B.
        if (sc >= 0x02 && sc <= 0x0A) return int(sc - 1);
        return sc == 0x0B ? 0 : -1;
    }
    if (platform == QLatin1String("cocoa")) {
        // The ANSI positions of the digit row (kVK_ANSI_0 .. kVK_ANSI_9).
        static const quint32 codes[10] = {0x1D, 0x12, 0x13, 0x14, 0x15,
                                          0x17, 0x16, 0x1A, 0x1C, 0x19};
        for (int d = 0; d < 10; ++d)
            if (codes[d] == sc) return d;
    }
    return -1;
}

int vbKeyCode(const QKeyEvent* e) {
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    // The classic codes name the physical key: the digit row gives its digit
    // with or without Shift and on any layout. Events without a native code
    // (offscreen, synthesised) fall back to the key's meaning.
    if (!keypad) {
        const int d = digitRowKey(QGuiApplication::platformName(), e->nativeScanCode());
        if (d >= 0) return 48 + d;
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return (keypad ? 96 : 48) + (k - Qt::Key_0);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 65 + (k - Qt::Key_A);
    switch (k) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9; // Shift+Tab is still the Tab key
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Asterisk:
        return keypad ? 106 : 0;
    case Qt::Key_Plus:
        return keypad ? 107 : 187;
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Period:
        return keypad ? 110 : 190;
    case Qt::Key_Comma:
        return keypad ? 110 : 188;
    case Qt::Key_Slash:
        return keypad ? 111 : 0;
    default:
        break;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    return 0;
}

int vbShiftState(const QKeyEvent* e) {
    int s = 0;
    if (e->modifiers() & Qt::ShiftModifier) s |= 1;
    if (e->modifiers() & Qt::ControlModifier) s |= 2;
    if (e->modifiers() & Qt::AltModifier) s |= 4;
    return s;
}

} // namespace shell
