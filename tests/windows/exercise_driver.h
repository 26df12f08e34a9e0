#pragma once

// Drives the exercise window the way a child does: real mouse drags from the
// digit keys, clicks and keys, with a scripted runtime behind every box.
#include <QApplication>
#include <QTest>

#include "exercise_window.h"
#include "program.h"
#include "scripted_runtime.h"
#include "start_window.h"
#include "twips.h"

namespace drive {

inline void forceTask(ScriptedRuntime& rt, int a, int b, int c, int d, int r = 0) {
    rt.forceRnd({ScriptedRuntime::draw(a, 4, 6), ScriptedRuntime::draw(b, 0, 10),
                 ScriptedRuntime::draw(c, 0, 10), ScriptedRuntime::draw(d, 3, 7)});
    if (r) rt.forceRnd(ScriptedRuntime::draw(r, 0, d));
}

// Presses on the key, moves over the target and releases there. The events
// go to the key, as a real platform delivers them to the pressed widget.
inline void dragDigit(trainer::Form1& f, int digit, QWidget* target, QPoint at = {}) {
    QWidget* key = f.DigitKey[digit];
    if (at.isNull()) at = target->rect().center();
    const QPoint start = key->rect().center();
    const QPoint end = key->mapFromGlobal(target->mapToGlobal(at));
    QTest::mousePress(key, Qt::LeftButton, {}, start);
    QTest::mouseMove(key, (start + end) / 2);
    QTest::mouseMove(key, end);
    QTest::mouseRelease(key, Qt::LeftButton, {}, end);
}

// The widget a key press reaches first: the focus widget of the window, or the window.
inline QWidget* keyTarget(QWidget* window) {
    QWidget* fw = QApplication::focusWidget();
    return (fw && fw->window() == window) ? fw : window;
}

inline void key(trainer::Form1& f, Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(keyTarget(&f), k, m);
}

// The box of a wrong digit, as the runtime records it.
inline ScriptedRuntime::Box wrongBox() {
    return msgRecord(QStringLiteral("Das ist leider falsch, rechne nochmal.\r\r"), 0,
                     QStringLiteral("Fehler"));
}

inline void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

inline QPoint centreOf(const QWidget* w) {
    return w->mapToGlobal(w->rect().center());
}

// The left button as the platform hands it to Qt, afterMs after the last
// event sent this way: modal blocking, grabs and double-click detection
// apply. The event goes to the window of `window` at the global point.
inline void platformMouse(QWidget* window, QEvent::Type type, const QPoint& global,
                          int afterMs = 1000) {
    static int clock = 1000000;
    clock += afterMs;
    QWidget* top = window->window();
    qt_handleMouseEvent(top->windowHandle(), QPointF(top->mapFromGlobal(global)), QPointF(global),
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                        Qt::LeftButton, type, {}, clock);
    QCoreApplication::processEvents();
}

// Two clicks 60 ms apart, the second maybe in another window: the platform
// reports the second press as a double-click.
inline void clickTwice(QWidget* first, const QPoint& at, QWidget* second, const QPoint& at2) {
    platformMouse(first, QEvent::MouseButtonPress, at);
    platformMouse(first, QEvent::MouseButtonRelease, at, 30);
    platformMouse(second, QEvent::MouseButtonPress, at2, 30);
    platformMouse(second, QEvent::MouseButtonRelease, at2, 30);
}

inline QPointingDevice* touchScreen() {
    static QPointingDevice* screen = QTest::createTouchDevice();
    return screen;
}

// A digit key dragged by a finger onto the target: press, two moves, release.
inline void touchDrag(trainer::Form1& f, int digit, QWidget* target) {
    const QPoint from = f.mapFromGlobal(centreOf(f.DigitKey[digit]));
    const QPoint to = f.mapFromGlobal(centreOf(target));
    QTest::touchEvent(&f, touchScreen()).press(0, from, &f);
    QTest::touchEvent(&f, touchScreen()).move(0, (from + to) / 2, &f);
    QTest::touchEvent(&f, touchScreen()).move(0, to, &f);
    QTest::touchEvent(&f, touchScreen()).release(0, to, &f);
}

// A tap on a digit key by the mouse, by a drag that comes back onto the key,
// or by a finger.
enum class Tap { Click, DragBack, Finger };
inline void tap(trainer::Form1& f, int digit, Tap how = Tap::Click) {
    QWidget* key = f.DigitKey[digit];
    const QPoint at = centreOf(key);
    if (how == Tap::Finger) {
        const QPoint local = f.mapFromGlobal(at);
        QTest::touchEvent(&f, touchScreen()).press(0, local, &f);
        QTest::touchEvent(&f, touchScreen()).release(0, local, &f);
        return;
    }
    platformMouse(&f, QEvent::MouseButtonPress, at);
    if (how == Tap::DragBack) {
        platformMouse(&f, QEvent::MouseMove, centreOf(f.Bezeichnung7), 30);
        platformMouse(&f, QEvent::MouseMove, at + QPoint(3, 2), 30);
    }
    platformMouse(&f, QEvent::MouseButtonRelease,
                  at + (how == Tap::DragBack ? QPoint(3, 2) : QPoint()), 30);
}

inline QStringList captions(trainer::Form1& f, bool remainder) {
    QStringList out;
    for (int n = 1; n <= trainer::kCellCount; ++n) {
        const trainer::CellRule* r = trainer::ruleForNumber(n);
        if (r->remainderLayout == remainder) out << f.cell(*r)->caption();
    }
    return out;
}

// The program with its start window shown and the exercise window opened
// on a forced task.
struct Session {
    ScriptedRuntime rt;
    trainer::Program program;
    trainer::Form1* f = nullptr;

    explicit Session(int a = 4, int b = 0, int c = 7, int d = 5) {
        program.start();
        forceTask(rt, a, b, c, d);
        click(program.form0().Bild1);
        f = &program.form1();
        QVERIFY(QTest::qWaitForWindowExposed(f));
    }
    trainer::Form1& form() { return *f; }
};

} // namespace drive
