#include <QSet>
#include <QTest>
#include <random>

#include "cells.h"
#include "sheet_text.h"
#include "task.h"

using namespace core;

class TestTask : public QObject {
    Q_OBJECT
  private slots:
    void rows_data() {
        QTest::addColumn<QList<int>>("draw"); // quotient digits, divisor, remainder
        QTest::addColumn<QStringList>("line"); // dividend, divisor, quotient (, remainder)
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("2035 : 5, a second quotient digit 0")
            << QList<int>{4, 0, 7, 5, 0} << QStringList{"2035", "5", "407"}
            << QStringList{"20", "03", "00", "35", "35", "0"};
        QTest::newRow("8991 : 9, the largest task")
            << QList<int>{9, 9, 9, 9, 0} << QStringList{"8991", "9", "999"}
            << QStringList{"81", "89", "81", "81", "81", "0"};
        QTest::newRow("1200 : 3, the smallest task, every row padded")
            << QList<int>{4, 0, 0, 3, 0} << QStringList{"1200", "3", "400"}
            << QStringList{"12", "00", "00", "00", "00", "0"};
        QTest::newRow("1236 : 3, one-digit products padded")
            << QList<int>{4, 1, 2, 3, 0} << QStringList{"1236", "3", "412"}
            << QStringList{"12", "03", "03", "06", "06", "0"};
        QTest::newRow("2038 : 5 remainder 3")
            << QList<int>{4, 0, 7, 5, 3} << QStringList{"2038", "5", "407", "3"}
            << QStringList{"20", "03", "00", "38", "35", "3"};
        QTest::newRow("1201 : 3 remainder 1, the smallest with remainder")
            << QList<int>{4, 0, 0, 3, 1} << QStringList{"1201", "3", "400", "1"}
            << QStringList{"12", "00", "00", "01", "00", "1"};
        QTest::newRow("8999 : 9 remainder 8, the largest with remainder")
            << QList<int>{9, 9, 9, 9, 8} << QStringList{"8999", "9", "999", "8"}
            << QStringList{"81", "89", "81", "89", "81", "8"};
    }
    void rows() {
        QFETCH(QList<int>, draw);
        QFETCH(QStringList, line);
        QFETCH(QStringList, rows);
        const WrittenDivision w =
            writtenDivision(Task{100 * draw[0] + 10 * draw[1] + draw[2], draw[3], draw[4]});
        QStringList head{w.dividend, w.divisor, w.quotient};
        if (!w.remainder.isEmpty()) head << w.remainder;
        QCOMPARE(head, line);
        QCOMPARE(w.rows, rows);
    }

    // Every possible task keeps the row contract the checks rely on, and
    // every answer cell's digit stands where the sheet shows it.
    void everyTaskKeepsTheRowContract() {
        for (int q = 400; q <= 999; ++q)
            for (int d = 3; d <= 9; ++d)
                for (int r = 0; r < d; ++r) {
                    const WrittenDivision t = writtenDivision(Task{q, d, r});
                    const QString n = t.dividend;
                    QCOMPARE(n.size(), 4);
                    QVERIFY(n[0].digitValue() < d);
                    for (int row = 0; row < 5; ++row)
                        QCOMPARE(t.rows[row].size(), 2);
                    QCOMPARE(t.rows[5], QString::number(r));
                    QCOMPARE(t.remainder, r ? QString::number(r) : QString());
                    // Each brought-down digit is the dividend's.
                    QCOMPARE(t.rows[1][1], n[2]);
                    QCOMPARE(t.rows[3][1], n[3]);
                    const QStringList block = taskBlock(t);
                    QSet<int> places;
                    for (const AnswerCell* c : answerCells(r ? Mode::Remainder : Mode::Normal)) {
                        const BlockPlace at = blockPlace(t, c->role);
                        QCOMPARE(block.value(at.y).mid(at.x, 1), QString(c->expected(t)));
                        places << 100 * at.y + at.x;
                    }
                    QCOMPARE(places.size(), r ? 15 : 14);
                }
    }

    void drawsCoverEveryValue() {
        std::mt19937 gen(7);
        auto rnd = [&gen] { return std::generate_canonical<double, 53>(gen); };
        QSet<int> as, bs, cs, ds;
        QMap<int, QSet<int>> remainders;
        for (int i = 0; i < 4000; ++i) {
            const Task n = drawTask(rnd, Mode::Normal);
            as << n.quotientDigit(0);
            bs << n.quotientDigit(1);
            cs << n.quotientDigit(2);
            ds << n.divisor;
            QCOMPARE(n.remainder, 0);
            const Task r = drawTask(rnd, Mode::Remainder);
            QVERIFY(r.remainder >= 1 && r.remainder < r.divisor);
            remainders[r.divisor] << r.remainder;
        }
        QCOMPARE(as, (QSet<int>{4, 5, 6, 7, 8, 9}));
        QCOMPARE(bs.size(), 10);
        QCOMPARE(cs.size(), 10);
        QCOMPARE(ds, (QSet<int>{3, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(remainders[3], (QSet<int>{1, 2}));
        QCOMPARE(remainders[9], (QSet<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    }

    void aRemainderOfZeroIsDrawnAgain() {
        // a = 4, b = 0, c = 7, d = 5, then r = 0 twice, then r = 3
        QList<double> seq{0.0, 0.0, 0.75, 2.5 / 7, 0.05, 0.1, 0.7};
        int used = 0;
        const Task t = drawTask([&] { return seq[used++]; }, Mode::Remainder);
        QCOMPARE(used, 7);
        QCOMPARE(t, (Task{407, 5, 3}));
    }

};

QTEST_GUILESS_MAIN(TestTask)
#include "test_task.moc"
