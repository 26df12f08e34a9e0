// The teacher's choice of tasks: what "Null im Ergebnis" and "Abziehen mit
// Übertrag" mean in the working rows, and that every draw keeps to the choice
// and the task rules, evenly among the tasks it allows.
#include <QMap>
#include <QTest>
#include <cmath>
#include <random>

#include "task_choice.h"
#include "task_draw.h"

using namespace core;

namespace {

TaskChoice choiceOf(const QList<int>& divisors, Frequency zero, Frequency borrowing) {
    TaskChoice c;
    c.setDivisors(divisors);
    c.setZeroInQuotient(zero);
    c.setBorrowing(borrowing);
    return c;
}

// A seeded sequence that counts the numbers each draw takes.
struct CountedRandom {
    std::mt19937_64 engine;
    int taken = 0;
    explicit CountedRandom(unsigned seed) : engine(seed) {}
    Random random() {
        return [this] {
            ++taken;
            return double(engine() >> 11) * 0x1.0p-53;
        };
    }
};

// Four standard deviations of a share of n draws: a fixed run passes or not,
// and a skewed draw misses by far more.
bool nearShare(int count, int n, double share) {
    return std::abs(count - n * share) <= 4 * std::sqrt(n * share * (1 - share)) + 1;
}

// Everything a drawn task must hold; "" when it does.
QString brokenRule(const Task& t, Mode mode, const TaskChoice& c, int taken) {
    if (t.quotient < 400 || t.quotient > 999) return QStringLiteral("quotient");
    if (!c.hasDivisor(t.divisor)) return QStringLiteral("divisor");
    if (mode == Mode::Remainder ? t.remainder < 1 || t.remainder >= t.divisor : t.remainder != 0)
        return QStringLiteral("remainder");
    if (t.dividend() < 1000 || t.dividend() > 9999) return QStringLiteral("dividend");
    if (c.zeroInQuotient() == Frequency::Never && hasZeroInQuotient(t))
        return QStringLiteral("zero");
    if (c.borrowing() == Frequency::Never && needsBorrowing(t)) return QStringLiteral("borrowing");
    // One number for each step of the draw at most: no draw tries again and
    // again. Every task draws as it always has.
    if (!c.isEveryTask() && taken > 5) return QStringLiteral("%1 numbers taken").arg(taken);
    return {};
}

} // namespace

Q_DECLARE_METATYPE(core::Frequency)
Q_DECLARE_METATYPE(core::Task)
Q_DECLARE_METATYPE(core::TaskChoice)

class TestTaskChoice : public QObject {
    Q_OBJECT
  private slots:
    // The kinds as the child meets them in the working rows: each of the
    // three subtractions can be the one that borrows.
    void kindsOfTasks_data() {
        QTest::addColumn<Task>("task");
        QTest::addColumn<bool>("zero");
        QTest::addColumn<bool>("borrowing");
        QTest::newRow("2035:5=407, a zero, 20-20, 03-00, 35-35")
            << Task{407, 5, 0} << true << false;
        QTest::newRow("4653:9=517, the second subtraction 15-09")
            << Task{517, 9, 0} << false << true;
        QTest::newRow("4050:9=450, the first subtraction 40-36") << Task{450, 9, 0} << true << true;
        QTest::newRow("2880:7=411R3, only the last one through the remainder: 10-07")
            << Task{411, 7, 3} << false << true;
        QTest::newRow("2877:7=411, the same without remainder: 07-07")
            << Task{411, 7, 0} << false << false;
        QTest::newRow("8999:9=999R8, no borrowing in 89-81") << Task{999, 9, 8} << false << false;
        QTest::newRow("1200:3=400, two zeros") << Task{400, 3, 0} << true << false;
    }
    void kindsOfTasks() {
        QFETCH(Task, task);
        QFETCH(bool, zero);
        QFETCH(bool, borrowing);
        QCOMPARE(hasZeroInQuotient(task), zero);
        QCOMPARE(needsBorrowing(task), borrowing);
    }

    void divisorsNeverEmpty() {
        TaskChoice c;
        QVERIFY(c.isEveryTask());
        QVERIFY(c.setDivisors({9, 12}));
        QCOMPARE(c.divisors(), QList<int>{9});
        QVERIFY(!c.setDivisor(9, false));
        QVERIFY(!c.setDivisors({2, 10}));
        QVERIFY(!c.setDivisor(10, true));
        QCOMPARE(c.divisors(), QList<int>{9});
        QVERIFY(c.setDivisor(3, true) && c.setDivisor(9, false));
        QCOMPARE(c.divisors(), QList<int>{3});
    }

    // Many draws of each choice in both modes: the rules always hold, each
    // divisor comes about equally often, "oft" about two tasks of three.
    // Divisor 5 never needs borrowing, so there "oft" gives way.
    void drawsObeyTheChoice_data() {
        QTest::addColumn<QList<int>>("divisors");
        QTest::addColumn<Frequency>("zero");
        QTest::addColumn<Frequency>("borrowing");
        using F = Frequency;
        QTest::newRow("narrowest: 9, zero oft, borrowing nie")
            << QList<int>{9} << F::Often << F::Never;
        QTest::newRow("3 alone, neither kind") << QList<int>{3} << F::Never << F::Never;
        QTest::newRow("5 alone, borrowing oft: there is none")
            << QList<int>{5} << F::AsItComes << F::Often;
        QTest::newRow("6-9, both oft") << QList<int>{6, 7, 8, 9} << F::Often << F::Often;
        QTest::newRow("3, 5, 7: zero nie, borrowing oft")
            << QList<int>{3, 5, 7} << F::Never << F::Often;
        QTest::newRow("3, 4: both oft, few tasks with both")
            << QList<int>{3, 4} << F::Often << F::Often;
        QTest::newRow("every divisor, zero oft")
            << QList<int>{3, 4, 5, 6, 7, 8, 9} << F::Often << F::AsItComes;
        QTest::newRow("8, 9: zero nie, borrowing as it comes")
            << QList<int>{8, 9} << F::Never << F::AsItComes;
    }
    void drawsObeyTheChoice() {
        QFETCH(QList<int>, divisors);
        QFETCH(Frequency, zero);
        QFETCH(Frequency, borrowing);
        const TaskChoice choice = choiceOf(divisors, zero, borrowing);
        CountedRandom counted(17);
        const Random random = counted.random();
        const int n = 6000;
        for (Mode mode : {Mode::Normal, Mode::Remainder}) {
            QMap<int, int> byDivisor;
            int withZero = 0, withBorrowing = 0, canBorrow = 0;
            for (int i = 0; i < n; ++i) {
                counted.taken = 0;
                const Task t = drawTask(random, mode, choice);
                const QString broken = brokenRule(t, mode, choice, counted.taken);
                if (!broken.isEmpty())
                    QFAIL(qPrintable(broken + ": " + writtenDivision(t).taskLine()));
                ++byDivisor[t.divisor];
                withZero += hasZeroInQuotient(t);
                if (t.divisor != 5) ++canBorrow, withBorrowing += needsBorrowing(t);
                if (t.divisor == 5) QVERIFY(!needsBorrowing(t));
            }
            for (int d : divisors)
                QVERIFY2(
                    nearShare(byDivisor[d], n, 1.0 / divisors.size()),
                    qPrintable(
                        QStringLiteral("divisor %1: %2 of %3").arg(d).arg(byDivisor[d]).arg(n)));
            if (zero == Frequency::Often)
                QVERIFY2(nearShare(withZero, n, 2.0 / 3), qPrintable(QString::number(withZero)));
            if (borrowing == Frequency::Often && canBorrow > 0)
                QVERIFY2(nearShare(withBorrowing, canBorrow, 2.0 / 3),
                         qPrintable(QStringLiteral("%1 of %2").arg(withBorrowing).arg(canBorrow)));
        }
    }

    // Every choice there is, in both modes: a rare combination neither breaks
    // a rule nor leaves nothing to draw.
    void everyChoiceDraws() {
        CountedRandom counted(5);
        const Random random = counted.random();
        for (int code = 0; code < TaskChoice::kCodes; ++code) {
            const TaskChoice choice = *TaskChoice::fromCode(code);
            QCOMPARE(choice.code(), code);
            for (Mode mode : {Mode::Normal, Mode::Remainder})
                for (int i = 0; i < 30; ++i) {
                    counted.taken = 0;
                    const Task t = drawTask(random, mode, choice);
                    const QString broken = brokenRule(t, mode, choice, counted.taken);
                    if (!broken.isEmpty())
                        QFAIL(qPrintable(QStringLiteral("choice %1: %2 in %3")
                                             .arg(code)
                                             .arg(broken, writtenDivision(t).taskLine())));
                }
        }
    }

    // Among the tasks a choice allows, each quotient of the divisor is about
    // equally likely, and each remainder it allows with that quotient.
    void evenAmongTheAllowed_data() {
        QTest::addColumn<int>("divisor");
        QTest::addColumn<Frequency>("zero");
        QTest::addColumn<Frequency>("borrowing");
        QTest::addColumn<bool>("remainder");
        QTest::newRow("7, zero nie") << 7 << Frequency::Never << Frequency::AsItComes << false;
        QTest::newRow("4 with remainder, borrowing nie")
            << 4 << Frequency::AsItComes << Frequency::Never << true;
    }
    void evenAmongTheAllowed() {
        QFETCH(int, divisor);
        QFETCH(Frequency, zero);
        QFETCH(Frequency, borrowing);
        QFETCH(bool, remainder);
        const TaskChoice choice = choiceOf({divisor}, zero, borrowing);
        const Mode mode = remainder ? Mode::Remainder : Mode::Normal;
        QMap<int, QList<int>> allowed; // quotient: its remainders
        for (int q = 400; q <= 999; ++q)
            for (int r = remainder ? 1 : 0; r < (remainder ? divisor : 1); ++r) {
                const Task t{q, divisor, r};
                if ((zero == Frequency::Never && hasZeroInQuotient(t)) ||
                    (borrowing == Frequency::Never && needsBorrowing(t)))
                    continue;
                allowed[q] << r;
            }
        const int n = 200 * int(allowed.size());
        CountedRandom counted(99);
        const Random random = counted.random();
        QMap<int, int> seen; // 10 * quotient + remainder
        for (int i = 0; i < n; ++i) {
            const Task t = drawTask(random, mode, choice);
            QVERIFY(allowed.value(t.quotient).contains(t.remainder));
            ++seen[10 * t.quotient + t.remainder];
        }
        // Four standard deviations: hardly one of hundreds strays by chance.
        int tasks = 0, off = 0;
        for (auto it = allowed.cbegin(); it != allowed.cend(); ++it)
            for (int r : it.value()) {
                ++tasks;
                const double share = 1.0 / allowed.size() / it.value().size();
                off += !nearShare(seen.value(10 * it.key() + r), n, share);
            }
        QCOMPARE(int(seen.size()), tasks); // none left out
        QVERIFY2(off <= 2, qPrintable(QStringLiteral("%1 tasks off").arg(off)));
    }

    void summaries_data() {
        QTest::addColumn<TaskChoice>("choice");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("brief");
        using F = Frequency;
        QTest::newRow("every task") << TaskChoice() << ""
                                    << "";
        QTest::newRow("one divisor") << choiceOf({9}, F::AsItComes, F::AsItComes) << "Teiler 9"
                                     << "Teiler 9";
        QTest::newRow("a range and a kind") << choiceOf({6, 7, 8, 9}, F::Often, F::AsItComes)
                                            << "Teiler 6–9 · Null im Ergebnis: oft"
                                            << "Teiler 6–9 · Null: oft";
        QTest::newRow("single divisors")
            << choiceOf({3, 5, 7}, F::AsItComes, F::AsItComes) << "Teiler 3, 5, 7"
            << "Teiler 3, 5, 7";
        QTest::newRow("runs and singles, both kinds")
            << choiceOf({3, 5, 6, 8, 9}, F::Never, F::Often)
            << "Teiler 3, 5–6, 8–9 · Null im Ergebnis: nie · Abziehen mit Übertrag: oft"
            << "Teiler 3, 5–6, 8–9 · Null: nie · Übertrag: oft";
        QTest::newRow("every divisor, borrowing nie")
            << choiceOf({3, 4, 5, 6, 7, 8, 9}, F::AsItComes, F::Never)
            << "Abziehen mit Übertrag: nie"
            << "Übertrag: nie";
    }
    void summaries() {
        QFETCH(TaskChoice, choice);
        QFETCH(QString, summary);
        QFETCH(QString, brief);
        QCOMPARE(choiceSummary(choice), summary);
        QCOMPARE(shortChoiceSummary(choice), brief);
    }
};

QTEST_GUILESS_MAIN(TestTaskChoice)
#include "test_task_choice.moc"
