#pragma once

#include <random>

#include "sheet_text.h"
#include "task.h"

// Tasks for the tests, drawn and written out by the program's own rules.
inline core::Mode modeOf(bool remainder) {
    return remainder ? core::Mode::Remainder : core::Mode::Normal;
}

inline QList<core::WrittenDivision> randomTasks(bool remainder, unsigned seed, int count = 12) {
    std::mt19937 gen(seed);
    auto rnd = [&] { return std::generate_canonical<double, 32>(gen); };
    QList<core::WrittenDivision> tasks;
    for (int i = 0; i < count; ++i)
        tasks << core::writtenDivision(core::drawTask(rnd, modeOf(remainder)));
    return tasks;
}

inline QStringList randomSheet(bool remainder, unsigned seed = 7) {
    return core::sheetLines(randomTasks(remainder, seed), modeOf(remainder));
}

// The mode a sheet's letter names: "R" with remainder, "E" without.
inline core::Mode modeNamed(const QString& letter) {
    return modeOf(letter == QLatin1String("R"));
}
