#pragma once

// Drives the exercise window the way a child does: real mouse drags from the
// digit keys, clicks and keys, with a scripted desktop behind every box.
#include <QApplication>
#include <QTest>

#include "counter_column.h"
#include "exercise_window.h"
#include "program.h"
#include "scripted_desktop.h"
#include "sheet_panel.h"
#include "start_window.h"
#include "twips.h"

namespace drive {

using windows::DivisionLayout;
using windows::ExerciseWindow;

inline void forceTask(ScriptedDesktop& rt, int a, int b, int c, int d, int r = 0) {
    rt.forceRnd({ScriptedDesktop::draw(a, 4, 6), ScriptedDesktop::draw(b, 0, 10),
                 ScriptedDesktop::draw(c, 0, 10), ScriptedDesktop::draw(d, 3, 7)});
    if (r) rt.forceRnd(ScriptedDesktop::draw(r, 0, d));
}

// An answer cell of the layout by its place in the division.
inline widgets::DigitCell* cellOf(ExerciseWindow& f, core::Mode mode, core::CellRole role) {
    return f.cell(core::answerCell(mode, role)->number);
}
inline widgets::DigitCell* normalCell(ExerciseWindow& f, core::CellRole role) {
    return cellOf(f, core::Mode::Normal, role);
}
inline widgets::DigitCell* remainderCell(ExerciseWindow& f, core::CellRole role) {
    return cellOf(f, core::Mode::Remainder, role);
}

// Presses on the key, moves over the target and releases there. The events
// go to the key, as a real platform delivers them to the pressed widget.
inline void dragDigit(ExerciseWindow& f, int digit, QWidget* target, QPoint at = {}) {
    QWidget* key = f.digitKeys[size_t(digit)];
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

inline void key(ExerciseWindow& f, Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(keyTarget(&f), k, m);
}

// The box of a wrong digit, as the desktop records it.
inline ScriptedDesktop::Box wrongBox() {
    return msgRecord(QStringLiteral("Das ist leider falsch, rechne nochmal.\r\r"), {},
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
inline void touchDrag(ExerciseWindow& f, int digit, QWidget* target) {
    const QPoint from = f.mapFromGlobal(centreOf(f.digitKeys[size_t(digit)]));
    const QPoint to = f.mapFromGlobal(centreOf(target));
    QTest::touchEvent(&f, touchScreen()).press(0, from, &f);
    QTest::touchEvent(&f, touchScreen()).move(0, (from + to) / 2, &f);
    QTest::touchEvent(&f, touchScreen()).move(0, to, &f);
    QTest::touchEvent(&f, touchScreen()).release(0, to, &f);
}

// A tap on a digit key by the mouse, by a drag that comes back onto the key,
// or by a finger.
enum class Tap { Click, DragBack, Finger };
inline void tap(ExerciseWindow& f, int digit, Tap how = Tap::Click) {
    QWidget* key = f.digitKeys[size_t(digit)];
    const QPoint at = centreOf(key);
    if (how == Tap::Finger) {
        const QPoint local = f.mapFromGlobal(at);
        QTest::touchEvent(&f, touchScreen()).press(0, local, &f);
        QTest::touchEvent(&f, touchScreen()).release(0, local, &f);
        return;
    }
    platformMouse(&f, QEvent::MouseButtonPress, at);
    if (how == Tap::DragBack) {
        platformMouse(&f, QEvent::MouseMove, centreOf(f.workFrame), 30);
        platformMouse(&f, QEvent::MouseMove, at + QPoint(3, 2), 30);
    }
    platformMouse(&f, QEvent::MouseButtonRelease,
                  at + (how == Tap::DragBack ? QPoint(3, 2) : QPoint()), 30);
}

// Points as the child earns them: the first quotient digit dropped again and again.
inline void earnPoints(ExerciseWindow& f, int points) {
    core::Exercise& e = f.exercise();
    const core::AnswerCell* q1 = core::answerCell(e.mode(), core::CellRole::Quotient1);
    for (int i = 0; i < points; ++i)
        e.dropOnCell(q1->number, q1->expected(e.written()).digitValue());
    f.showExercise();
}

// What the answer cells of a layout show, in working order.
inline QStringList shownDigits(ExerciseWindow& f, core::Mode mode) {
    QStringList out;
    for (const core::AnswerCell* c : core::answerCells(mode))
        out << f.cell(c->number)->text();
    return out;
}

// The program with its start window shown and the exercise window opened
// on a forced task.
struct Session {
    ScriptedDesktop rt;
    app::Program program{rt};
    ExerciseWindow* f = nullptr;

    explicit Session(int a = 4, int b = 0, int c = 7, int d = 5) {
        program.start();
        forceTask(rt, a, b, c, d);
        click(program.startWindow().exercisePicture);
        f = &program.exerciseWindow();
        QVERIFY(QTest::qWaitForWindowExposed(f));
    }
    ExerciseWindow& form() { return *f; }
};

} // namespace drive
