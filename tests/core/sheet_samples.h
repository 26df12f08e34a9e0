#pragma once

#include <random>

#include "sheet_text.h"
#include "task_digits.h"

// Tasks for the tests, built by the exercise window's own row rule.
inline worksheets::TaskLists sampleTask(int a, int b, int c, int d, int r = 0) {
    const trainer::TaskDigits t = trainer::taskDigits(a, b, c, d, r);
    return {t.liste1, t.liste2};
}

inline QList<worksheets::TaskLists> randomTasks(bool remainder, unsigned seed, int count = 12) {
    std::mt19937 gen(seed);
    auto rnd = [&] { return std::generate_canonical<double, 32>(gen); };
    QList<worksheets::TaskLists> tasks;
    for (int i = 0; i < count; ++i) {
        const trainer::TaskDraw t = trainer::drawTask(rnd, remainder);
        tasks << sampleTask(t.a, t.b, t.c, t.d, t.r);
    }
    return tasks;
}

inline QStringList randomSheet(bool remainder, unsigned seed = 7) {
    return worksheets::sheetLines(randomTasks(remainder, seed), remainder);
}
