#include <QSet>
#include <QTest>
#include <random>

#include "cell_table.h"
#include "qt_runtime.h"
#include "task_digits.h"

using namespace trainer;

class TestTaskDigits : public QObject {
    Q_OBJECT
  private slots:
    void rows_data() {
        QTest::addColumn<QList<int>>("draw");
        QTest::addColumn<QStringList>("liste1");
        QTest::addColumn<QStringList>("liste2");
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
        QFETCH(QStringList, liste1);
        QFETCH(QStringList, liste2);
        const TaskDigits t = taskDigits(draw[0], draw[1], draw[2], draw[3], draw[4]);
        QCOMPARE(t.liste1, liste1);
        QCOMPARE(t.liste2, liste2);
    }

    // Every possible task keeps the row contract the checks rely on.
    void everyTaskKeepsTheRowContract() {
        for (int a = 4; a <= 9; ++a)
            for (int b = 0; b <= 9; ++b)
                for (int c = 0; c <= 9; ++c)
                    for (int d = 3; d <= 9; ++d)
                        for (int r = 0; r < d; ++r) {
                            const TaskDigits t = taskDigits(a, b, c, d, r);
                            const QString n = t.liste1[0];
                            QCOMPARE(n.size(), 4);
                            QVERIFY(n[0].digitValue() < d);
                            for (int row = 0; row < 5; ++row)
                                QCOMPARE(t.liste2[row].size(), 2);
                            QCOMPARE(t.liste2[5], QString::number(r));
                            if (r) {
                                QCOMPARE(t.liste1.size(), 4);
                                QCOMPARE(t.liste2[5], t.liste1[3]);
                            } else {
                                QCOMPARE(t.liste1.size(), 3);
                            }
                            // Each brought-down digit is the dividend's.
                            QCOMPARE(t.liste2[1][1], n[2]);
                            QCOMPARE(t.liste2[3][1], n[3]);
                        }
    }

    void drawsCoverEveryValue() {
        std::mt19937 gen(7);
        auto rnd = [&gen] { return std::generate_canonical<double, 53>(gen); };
        QSet<int> as, bs, cs, ds;
        QMap<int, QSet<int>> remainders;
        for (int i = 0; i < 4000; ++i) {
            const TaskDraw n = drawTask(rnd, false);
            as << n.a;
            bs << n.b;
            cs << n.c;
            ds << n.d;
            QCOMPARE(n.r, 0);
            const TaskDraw r = drawTask(rnd, true);
            QVERIFY(r.r >= 1 && r.r < r.d);
            remainders[r.d] << r.r;
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
        const TaskDraw t = drawTask([&] { return seq[used++]; }, true);
        QCOMPARE(used, 7);
        QCOMPARE(t.d, 5);
        QCOMPARE(t.r, 3);
    }

    void reseedingDoesNotRestartTheSequence() {
        shell::QtRuntime rt;
        QSet<QString> tasks;
        for (int i = 0; i < 12; ++i) {
            rt.randomize();
            const TaskDraw t = drawTask([&rt] { return rt.rnd(); }, false);
            tasks << QStringLiteral("%1%2%3:%4").arg(t.a).arg(t.b).arg(t.c).arg(t.d);
        }
        // 12 draws from 4200 tasks: a repeat is possible, a restarted sequence is not.
        QVERIFY2(tasks.size() >= 10, qPrintable(QString::number(tasks.size())));
    }

    void cellTableNamesEveryAnswerCellOnce() {
        QSet<QString> names;
        for (int n = 1; n <= kCellCount; ++n) {
            const CellRule* r = ruleForNumber(n);
            QVERIFY(r);
            QCOMPARE(r->cellNumber, n);
            QCOMPARE(r->remainderLayout, n >= 15);
            names << QLatin1String(r->name);
            QCOMPARE(ruleForCell(QLatin1String(r->name)), r);
        }
        QCOMPARE(names.size(), kCellCount);
        QVERIFY(!ruleForCell(QStringLiteral("luecke1")));
        QVERIFY(!ruleForCell(QStringLiteral("Bezeichnung5")));
    }

    void digitAtIsSafeOutsideTheRows() {
        const QStringList l{"2035", "5"};
        QCOMPARE(digitAt(l, 0, 4), QStringLiteral("5"));
        QCOMPARE(digitAt(l, 1, 2), QString());
        QCOMPARE(digitAt(l, 5, 1), QString());
        QCOMPARE(digitAt(l, 0, 0), QString());
    }
};

QTEST_GUILESS_MAIN(TestTaskDigits)
#include "test_task_digits.moc"
