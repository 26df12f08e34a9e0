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
    double operator()() {
        ++taken;
        return double(engine() >> 11) * 0x1.0p-53;
    }
};

// Four standard deviations of a share of n draws: a fixed run passes or not,
// and a skewed draw misses by far more.
bool nearShare(int count, int n, double share) {
    return std::abs(count - n * share) <= 4 * std::sqrt(n * share * (1 - share)) + 1;
}

// The task rule or choice a task breaks; "" when it keeps them all.
QString brokenRule(const Task& t, Mode mode, const TaskChoice& c) {
    if (t.quotient < 400 || t.quotient > 999) return QStringLiteral("quotient");
    if (!c.hasDivisor(t.divisor)) return QStringLiteral("divisor");
    if (mode == Mode::Remainder ? t.remainder < 1 || t.remainder >= t.divisor : t.remainder != 0)
        return QStringLiteral("remainder");
    if (c.zeroInQuotient() == Frequency::Never && hasZeroInQuotient(t))
        return QStringLiteral("zero");
    if (c.borrowing() == Frequency::Never && needsBorrowing(t)) return QStringLiteral("borrowing");
    return {};
}

// A task drawn under the choice, and what it breaks ("" when nothing).
std::pair<Task, QString> drawChecked(CountedRandom& counted, Mode mode, const TaskChoice& c) {
    counted.taken = 0;
    const Task t = drawTask([&counted] { return counted(); }, mode, c);
    QString broken = brokenRule(t, mode, c);
    // One number for each step of the draw at most: no draw tries again and
    // again. Every task draws as it always has.
    if (!c.isEveryTask() && counted.taken > 5) broken = QStringLiteral("numbers taken");
    if (!broken.isEmpty()) broken += QStringLiteral(" in ") + writtenDivision(t).taskLine();
    return {t, broken};
}

} // namespace

Q_DECLARE_METATYPE(core::Frequency)
Q_DECLARE_METATYPE(core::Task)

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
        QVERIFY(c.setDivisors({9, 12}));
        QVERIFY(!c.setDivisor(9, false));
        QVERIFY(!c.setDivisors({2, 10}));
        QVERIFY(!c.setDivisor(10, true));
        QCOMPARE(c.divisors(), QList<int>{9});
        QVERIFY(c.setDivisor(3, true) && c.setDivisor(9, false));
        QCOMPARE(c.divisors(), QList<int>{3});
    }

    // Many draws of a choice in both modes: the rules hold, each divisor comes
    // about equally often, "oft" about two tasks of three; divisor 5 never
    // needs borrowing, so there "oft" gives way and the other divisors keep
    // it. With one divisor and no "oft", every task the choice allows comes
    // about equally often: each quotient, and each remainder with it.
    void drawsObeyTheChoice_data() {
        QTest::addColumn<QList<int>>("divisors");
        QTest::addColumn<Frequency>("zero");
        QTest::addColumn<Frequency>("borrowing");
        using F = Frequency;
        QTest::newRow("narrowest: 9, zero oft, borrowing nie")
            << QList<int>{9} << F::Often << F::Never;
        QTest::newRow("6-9, both oft") << QList<int>{6, 7, 8, 9} << F::Often << F::Often;
        QTest::newRow("3, 5, 7: zero nie, borrowing oft")
            << QList<int>{3, 5, 7} << F::Never << F::Often;
        QTest::newRow("every divisor, zero oft")
            << QList<int>{3, 4, 5, 6, 7, 8, 9} << F::Often << F::AsItComes;
        QTest::newRow("7 alone, zero nie") << QList<int>{7} << F::Never << F::AsItComes;
        QTest::newRow("4 alone, borrowing nie") << QList<int>{4} << F::AsItComes << F::Never;
    }
    void drawsObeyTheChoice() {
        QFETCH(QList<int>, divisors);
        QFETCH(Frequency, zero);
        QFETCH(Frequency, borrowing);
        const TaskChoice choice = choiceOf(divisors, zero, borrowing);
        const bool even =
            divisors.size() == 1 && zero != Frequency::Often && borrowing != Frequency::Often;
        CountedRandom counted(17);
        for (Mode mode : {Mode::Normal, Mode::Remainder}) {
            QMap<int, QList<int>> allowed; // quotient: its remainders
            for (int q = 400; even && q <= 999; ++q)
                for (int r = 0; r < divisors[0]; ++r)
                    if (brokenRule({q, divisors[0], r}, mode, choice).isEmpty()) allowed[q] << r;
            const int n = even ? 200 * int(allowed.size()) : 6000;
            QMap<int, int> byDivisor, byTask; // task: 10 * quotient + remainder
            int withZero = 0, withBorrowing = 0, canBorrow = 0;
            for (int i = 0; i < n; ++i) {
                const auto [t, broken] = drawChecked(counted, mode, choice);
                if (!broken.isEmpty()) QFAIL(qPrintable(broken));
                ++byDivisor[t.divisor];
                ++byTask[10 * t.quotient + t.remainder];
                withZero += hasZeroInQuotient(t);
                if (t.divisor != 5) ++canBorrow, withBorrowing += needsBorrowing(t);
            }
            for (int d : divisors)
                QVERIFY2(nearShare(byDivisor[d], n, 1.0 / divisors.size()),
                         qPrintable(QStringLiteral("divisor %1: %2").arg(d).arg(byDivisor[d])));
            if (zero == Frequency::Often)
                QVERIFY2(nearShare(withZero, n, 2.0 / 3), qPrintable(QString::number(withZero)));
            if (borrowing == Frequency::Often)
                QVERIFY2(nearShare(withBorrowing, canBorrow, 2.0 / 3),
                         qPrintable(QStringLiteral("%1 of %2").arg(withBorrowing).arg(canBorrow)));
            // Four standard deviations: hardly one of hundreds strays by chance.
            int tasks = 0, off = 0;
            for (auto it = allowed.cbegin(); it != allowed.cend(); ++it)
                for (int r : it.value()) {
                    ++tasks;
                    const double share = 1.0 / allowed.size() / it.value().size();
                    off += !nearShare(byTask.value(10 * it.key() + r), n, share);
                }
            if (even) QCOMPARE(int(byTask.size()), tasks); // none left out
            QVERIFY2(off <= 2, qPrintable(QStringLiteral("%1 tasks off").arg(off)));
        }
    }

    // Every choice there is, in both modes: a rare combination neither breaks
    // a rule nor leaves nothing to draw.
    void everyChoiceDraws() {
        CountedRandom counted(5);
        for (int code = 0; code < TaskChoice::kCodes; ++code) {
            const TaskChoice choice = *TaskChoice::fromCode(code);
            QCOMPARE(choice.code(), code);
            for (int i = 0; i < 60; ++i) {
                const QString broken =
                    drawChecked(counted, i % 2 ? Mode::Remainder : Mode::Normal, choice).second;
                if (!broken.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("choice %1: %2").arg(code).arg(broken)));
            }
        }
    }

    // Divisors in a row stand as a range, single ones alone; a kind "wie es
    // kommt" and all seven divisors are left out.
    void summaries() {
        using F = Frequency;
        QCOMPARE(choiceSummary(TaskChoice()), QString());
        const TaskChoice runs = choiceOf({3, 5, 6, 8, 9}, F::Never, F::Often);
        QCOMPARE(choiceSummary(runs),
                 "Teiler 3, 5–6, 8–9 · Null im Ergebnis: nie · Abziehen mit Übertrag: oft");
        QCOMPARE(shortChoiceSummary(runs), "Teiler 3, 5–6, 8–9 · Null: nie · Übertrag: oft");
        QCOMPARE(choiceSummary(choiceOf({3, 4, 5, 6, 7, 8, 9}, F::AsItComes, F::Never)),
                 "Abziehen mit Übertrag: nie");
    }
};

QTEST_GUILESS_MAIN(TestTaskChoice)
#include "test_task_choice.moc"
