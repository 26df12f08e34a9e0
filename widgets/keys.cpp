#include "keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace widgets {

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

int typedDigit(const QKeyEvent* e) {
    if (e->modifiers() & Qt::KeypadModifier) return -1;
    // The physical key counts: Shift and the layout change what a digit key
    // types, not which key it is. Events without a native code (offscreen,
    // synthesised) fall back to the key's meaning.
    const int d = digitRowKey(QGuiApplication::platformName(), e->nativeScanCode());
    if (d >= 0) return d;
    const int k = e->key();
    return k >= Qt::Key_0 && k <= Qt::Key_9 ? k - Qt::Key_0 : -1;
}

core::Entered enteredKey(const QKeyEvent* e) {
    using Kind = core::Entered::Kind;
    const int digit = typedDigit(e);
    if (digit >= 0) return core::Entered::ofDigit(digit);
    const int k = e->key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return {Kind::KeypadDigit, quint8(k - Qt::Key_0)};
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return {Kind::Letter, quint8('A' + (k - Qt::Key_A))};
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return {Kind::FunctionKey, quint8(1 + k - Qt::Key_F1)};
    switch (k) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return {Kind::Arrow, 0};
    case Qt::Key_Backspace:
        return {Kind::Backspace, 0};
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab is still the Tab key
        return {Kind::Tab, 0};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {Kind::Enter, 0};
    case Qt::Key_Shift:
        return {Kind::Shift, 0};
    case Qt::Key_Control:
        return {Kind::Control, 0};
    case Qt::Key_Alt:
        return {Kind::Alt, 0};
    case Qt::Key_Escape:
        return {Kind::Escape, 0};
    case Qt::Key_Space:
        return {Kind::Space, 0};
    default:
        return {Kind::OtherKey, 0};
    }
}

} // namespace widgets
