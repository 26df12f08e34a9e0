// Drawing under the teacher's choice of tasks: the worst single draw, and a
// class set of 40 sheets (numbers, sheet texts and print documents, no
// printer) under the narrowest choice. Prints the figures; exits non-zero
// when a draw takes over 1 ms or the class set over 1 s, unless run with
// --no-limits (sanitizer builds).
#include <QElapsedTimer>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

#include "sheet_number.h"
#include "sheet_text.h"
#include "task_draw.h"

using namespace core;

namespace {

constexpr double kDrawLimitMs = 1.0;
constexpr double kClassSetLimitMs = 1000.0;

// Divisor 9 only, "Null im Ergebnis: oft", "Abziehen mit Übertrag: nie".
TaskChoice narrowest() {
    TaskChoice c;
    c.setDivisors({9});
    c.setZeroInQuotient(Frequency::Often);
    c.setBorrowing(Frequency::Never);
    return c;
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

double timedDraw(const Random& random, Mode mode, const TaskChoice& choice) {
    QElapsedTimer t;
    t.start();
    const Task task = drawTask(random, mode, choice);
    const double ms = msSince(t);
    if (task.divisor == 0) std::abort(); // keeps the draw from being optimised away
    return ms;
}

// The longest of `count` draws, in milliseconds. A draw that looks slow is
// drawn again from the same numbers, and the fastest of those counts: on a
// shared machine a thread put aside for a moment says nothing of the draw.
double worstDraw(const Random& random, Mode mode, const TaskChoice& choice, int count) {
    double worst = 0;
    for (int i = 0; i < count; ++i) {
        QList<double> numbers;
        const Random logged = [&] { return numbers.append(random()), numbers.constLast(); };
        double ms = timedDraw(logged, mode, choice);
        for (int again = 0; again < 5 && ms > 0.01; ++again) {
            int next = 0;
            ms = std::min(ms, timedDraw([&] { return numbers.value(next++); }, mode, choice));
        }
        worst = std::max(worst, ms);
    }
    return worst;
}

// As the sheet menu makes a class set: new numbers of the mode, none twice,
// each sheet's lines, then the documents of the whole set.
double classSetMs(Mode mode, const TaskChoice& choice, std::mt19937_64& engine) {
    QElapsedTimer t;
    t.start();
    QList<NumberedSheet> sheets;
    QSet<QString> used;
    while (sheets.size() < kClassSetMost) {
        const SheetNumber n = sheetNumberFrom(mode, double(engine() >> 11) * 0x1.0p-53, choice);
        const QString number = formatSheetNumber(n);
        if (used.contains(number)) continue;
        used.insert(number);
        sheets.append({number, sheetLinesOf(*parseSheetNumber(number))});
    }
    const QList<PrintDocument> docs = classSetDocuments(sheets, mode);
    const double ms = msSince(t);
    if (docs.size() != 2 * kClassSetMost) std::abort();
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    const bool limits = !(argc > 1 && std::strcmp(argv[1], "--no-limits") == 0);
    std::mt19937_64 engine(20240624);
    const Random random = [&engine] { return double(engine() >> 11) * 0x1.0p-53; };
    const TaskChoice narrow = narrowest();

    // The very first draw builds the tables of every task's kinds.
    const double first = timedDraw(random, Mode::Remainder, narrow);
    double narrowWorst = 0;
    for (Mode mode : {Mode::Normal, Mode::Remainder})
        narrowWorst = std::max(narrowWorst, worstDraw(random, mode, narrow, 100000));
    QElapsedTimer many;
    many.start();
    for (int i = 0; i < 100000; ++i)
        if (drawTask(random, Mode::Remainder, narrow).divisor != 9) std::abort();
    const double meanUs = msSince(many) * 1000 / 100000;
    double anyWorst = 0;
    for (int code = 0; code < TaskChoice::kCodes; ++code)
        for (Mode mode : {Mode::Normal, Mode::Remainder})
            anyWorst = std::max(anyWorst, worstDraw(random, mode, *TaskChoice::fromCode(code), 20));

    double classSetWorst = 0;
    for (int run = 0; run < 5; ++run)
        for (Mode mode : {Mode::Normal, Mode::Remainder})
            classSetWorst = std::max(classSetWorst, classSetMs(mode, narrow, engine));

    std::printf("first draw (tables built): %.3f ms\n", first);
    std::printf("worst draw, narrowest choice, 2 x 100000 draws: %.3f ms\n", narrowWorst);
    std::printf("mean draw, narrowest choice with remainder: %.2f us\n", meanUs);
    std::printf("worst draw, every choice and mode, 20 draws each: %.3f ms\n", anyWorst);
    std::printf("class set of 40 sheets, narrowest choice, worst of 10: %.1f ms\n", classSetWorst);
    const double drawWorst = std::max({first, narrowWorst, anyWorst});
    if (limits && (drawWorst > kDrawLimitMs || classSetWorst > kClassSetLimitMs)) {
        std::printf("over the limits: %.0f ms a draw, %.0f ms a class set\n", kDrawLimitMs,
                    kClassSetLimitMs);
        return 1;
    }
    return 0;
}
