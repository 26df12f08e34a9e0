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

inline void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
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
