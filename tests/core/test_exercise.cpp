// The exercise played without a window: the rules that turn a child's
// input into what the child is told and what counts.
#include <QQueue>
#include <QTest>

#include "exercise.h"
#include "sheet_number.h"

using namespace core;

namespace {

// The draws that make a task: quotient digits, divisor, then the remainder.
QList<double> drawsOf(int quotient, int divisor, int remainder = 0) {
    QList<double> d{(quotient / 100 - 4 + 0.5) / 6, (quotient / 10 % 10 + 0.5) / 10,
                    (quotient % 10 + 0.5) / 10, (divisor - 3 + 0.5) / 7};
    if (remainder) d << (remainder + 0.5) / divisor;
    return d;
}

// An exercise on forced tasks, recording what it tells and the state the
// child sees at that moment.
struct Game {
    QQueue<double> draws;
    Exercise exercise{[this] { return draws.isEmpty() ? 0.5 : draws.dequeue(); }, [] { return qint64(1700000000000); }};
    QList<Notice> told;
    QList<QChar> cellWhenTold;
    QList<quint64> errorsWhenTold;
    int watched = 0;

    explicit Game(int quotient = 407, int divisor = 5, int remainder = 0) {
        exercise.onNotice = [this](Notice n) {
            told << n;
            cellWhenTold << exercise.digitIn(watched);
            errorsWhenTold << exercise.errors();
        };
        next(quotient, divisor);
        exercise.enter();
        if (remainder) {
            next(quotient, divisor, remainder);
            exercise.chooseMode(Mode::Remainder);
        }
    }
    void next(int quotient, int divisor, int remainder = 0) {
        for (double d : drawsOf(quotient, divisor, remainder))
            draws.enqueue(d);
    }
    int cell(CellRole role) const { return answerCell(exercise.mode(), role)->number; }
    int digit(CellRole role) const {
        return answerCell(exercise.mode(), role)->expected(exercise.written()).digitValue();
    }
    // Every answer cell with its right digit, in working order, by drops.
    void solveByDrops() {
        const WrittenDivision written = exercise.written();
        for (const AnswerCell* c : answerCells(exercise.mode()))
            exercise.dropOnCell(c->number, c->expected(written).digitValue());
    }
};

const Entered kEnter{Entered::Kind::Enter, 0};

} // namespace

class ExerciseTest : public QObject {
    Q_OBJECT
  private slots:
    void aWholeTaskSolvedDrawsTheNextAndClimbs_data() {
        QTest::addColumn<int>("remainder");
        QTest::newRow("without remainder, 2035 : 5") << 0;
        QTest::newRow("with remainder, 2038 : 5") << 3;
    }
    void aWholeTaskSolvedDrawsTheNextAndClimbs() {
        QFETCH(int, remainder);
        Game g(407, 5, remainder);
        QCOMPARE(g.exercise.task().dividend(), 2035 + remainder);
        g.next(999, 9, remainder ? 8 : 0);
        g.solveByDrops();
        // The quotient and the last difference solve it; the cells after the
        // solving digit belong to the next task already.
        QCOMPARE(g.told, QList<Notice>{Notice::Solved});
        QCOMPARE(g.exercise.task().quotient, 999);
        QCOMPARE(g.exercise.ladderStep(), 1);
        QCOMPARE(g.exercise.errors(), quint64(0));
        QCOMPARE(g.exercise.record().solvedTasks(remainder != 0), quint64(1));
        for (const AnswerCell* c : answerCells(g.exercise.mode()))
            QVERIFY(g.exercise.isEmpty(c->number));
    }

    // A dropped digit, its cell and what the child is told, in order.
    void aDroppedDigit_data() {
        QTest::addColumn<int>("role");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QList<CellRole>>("before");
        QTest::addColumn<QList<Notice>>("told");
        QTest::addColumn<bool>("stays");
        QTest::addColumn<int>("divisorColour");
        using R = CellRole;
        QTest::newRow("right product: a point, the divisor turns red")
            << int(R::Product1Tens) << true << QList<R>{} << QList<Notice>{} << true
            << int(StepColour::First);
        QTest::newRow("wrong product: told while it stands, taken out")
            << int(R::Product1Tens) << false << QList<R>{} << QList<Notice>{Notice::WrongDigit}
            << false << int(StepColour::First);
        QTest::newRow("brought down before its quotient digit: refused")
            << int(R::BroughtDown1) << true << QList<R>{} << QList<Notice>{Notice::PlaceQuotientFirst}
            << false << int(StepColour::First);
        QTest::newRow("difference before its quotient digit: stays, with a reminder")
            << int(R::Difference1) << true << QList<R>{}
            << QList<Notice>{Notice::QuotientMissing} << true << int(StepColour::Second);
        QTest::newRow("difference after its quotient digit: blue")
            << int(R::Difference1) << true << QList<R>{R::Quotient1} << QList<Notice>{} << true
            << int(StepColour::Second);
        QTest::newRow("second product keeps the divisor's colour")
            << int(R::Product2Units) << true << QList<R>{R::Difference2} << QList<Notice>{} << true
            << int(StepColour::Third);
        QTest::newRow("wrong difference before its quotient digit: told both")
            << int(R::Difference2) << false << QList<R>{}
            << QList<Notice>{Notice::WrongDigit, Notice::QuotientMissing} << false
            << int(StepColour::Third);
    }
    void aDroppedDigit() {
        QFETCH(int, role);
        QFETCH(bool, right);
        QFETCH(QList<CellRole>, before);
        QFETCH(QList<Notice>, told);
        QFETCH(bool, stays);
        QFETCH(int, divisorColour);
        Game g; // 2035 : 5 = 407
        for (CellRole r : before)
            g.exercise.dropOnCell(g.cell(r), g.digit(r));
        g.told.clear();
        g.cellWhenTold.clear();
        const quint64 points = g.exercise.points();
        const int cell = g.cell(CellRole(role));
        const int digit = right ? g.digit(CellRole(role)) : (g.digit(CellRole(role)) + 1) % 10;
        g.watched = cell;
        g.exercise.dropOnCell(cell, digit);
        QCOMPARE(g.told, told);
        QCOMPARE(g.exercise.isEmpty(cell), !stays);
        QCOMPARE(int(g.exercise.divisorColour()), divisorColour);
        QCOMPARE(g.exercise.points(), points + (stays ? 1 : 0));
        if (told.contains(Notice::WrongDigit)) {
            // The wrong digit stands while the child is told, and counts after.
            QCOMPARE(g.cellWhenTold.first(), QChar('0' + digit));
            QCOMPARE(g.errorsWhenTold.first(), quint64(0));
            QCOMPARE(g.exercise.errors(), quint64(1));
            QCOMPARE(g.exercise.record().wrongDigits(), quint64(1));
        }
    }

    // Keys, a digit dropped on the marker and a tap reach the waiting cell
    // alike; only the record tells them apart.
    void aDigitForTheWaitingCell_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("role");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QList<Notice>>("told");
        QTest::addColumn<bool>("placed");
        QTest::addColumn<bool>("stillWaiting");
        using R = CellRole;
        for (EntryWay way : {EntryWay::Key, EntryWay::Drag, EntryWay::Tap}) {
            const char* name = way == EntryWay::Key ? "key" : way == EntryWay::Drag ? "drop" : "tap";
            QTest::addRow("%s: right", name) << int(way) << int(R::Product1Units) << true
                                             << QList<Notice>{} << true << false;
            QTest::addRow("%s: wrong, the cell waits on", name)
                << int(way) << int(R::Product1Units) << false << QList<Notice>{Notice::WrongDigit}
                << false << true;
            QTest::addRow("%s: brought down before its quotient digit", name)
                << int(way) << int(R::BroughtDown1) << true
                << QList<Notice>{Notice::QuotientMissing} << false << false;
            QTest::addRow("%s: difference before its quotient digit", name)
                << int(way) << int(R::Difference1) << true
                << QList<Notice>{Notice::QuotientMissing} << true << false;
        }
    }
    void aDigitForTheWaitingCell() {
        QFETCH(int, way);
        QFETCH(int, role);
        QFETCH(bool, right);
        QFETCH(QList<Notice>, told);
        QFETCH(bool, placed);
        QFETCH(bool, stillWaiting);
        Game g;
        const int cell = g.cell(CellRole(role));
        const int digit = right ? g.digit(CellRole(role)) : (g.digit(CellRole(role)) + 3) % 10;
        g.exercise.dropOnMarker(digit, EntryWay(way)); // no cell waits: nothing
        QVERIFY(g.told.isEmpty());
        g.exercise.selectCell(cell);
        QCOMPARE(g.exercise.selectedCell(), std::optional<int>(cell));
        if (EntryWay(way) == EntryWay::Key)
            g.exercise.pressKey(digit, Entered::ofDigit(digit));
        else
            g.exercise.dropOnMarker(digit, EntryWay(way));
        QCOMPARE(g.told, told);
        QCOMPARE(!g.exercise.isEmpty(cell), placed);
        QCOMPARE(g.exercise.selectedCell().has_value(), stillWaiting);
        QCOMPARE(int(g.exercise.divisorColour()), int(StepColour::First)); // only drops on cells
        QCOMPARE(g.exercise.record().wrongBy(EntryWay(way)), quint64(right ? 0 : 1));
    }

    void anyOtherKeyIsAWrongDigitOfItsOwn() {
        Game g;
        g.exercise.pressKey(-1, kEnter); // no cell waits: nothing
        g.exercise.selectCell(g.cell(CellRole::Quotient1));
        g.exercise.pressKey(-1, kEnter);
        QCOMPARE(g.told, QList<Notice>{Notice::WrongDigit});
        QCOMPARE(g.exercise.record().wrongIn(kOtherKeyBucket), quint64(1));
        // A filled cell waits no more; only an empty one can be chosen.
        g.exercise.pressKey(4, Entered::ofDigit(4));
        g.exercise.selectCell(g.cell(CellRole::Quotient1));
        QVERIFY(!g.exercise.selectedCell());
    }

    void rewardsComeWithPointsAndTheLadder() {
        Game g;
        for (int task = 0; task < Exercise::kLadderSteps; ++task) {
            QVERIFY(!g.exercise.memoryWaiting());
            g.next(407, 5);
            g.solveByDrops();
        }
        QVERIFY(g.exercise.memoryWaiting());
        // 14 cells a task, one point each: 50 points came on the way.
        QVERIFY(g.exercise.numberCatchWaiting());
        g.exercise.claimNumberCatch();
        g.exercise.claimMemory();
        QVERIFY(!g.exercise.numberCatchWaiting() && !g.exercise.memoryWaiting());
        QCOMPARE(g.exercise.ladderStep(), 0);
        QCOMPARE(g.exercise.points(), quint64(14 * Exercise::kLadderSteps));
    }

    void modesEntryAndLeaving() {
        Game g(407, 5, 3);
        QCOMPARE(g.exercise.mode(), Mode::Remainder);
        QVERIFY(g.exercise.modeChosen());
        g.exercise.selectCell(g.cell(CellRole::Remainder));
        // Back from a game the mode stays; after "Ende" the exercise starts
        // over without remainder.
        g.next(512, 7, 4);
        g.exercise.enter();
        QCOMPARE(g.exercise.task(), (Task{512, 7, 4}));
        QVERIFY(!g.exercise.selectedCell());
        g.exercise.leave();
        g.next(600, 3);
        g.exercise.enter();
        QCOMPARE(g.exercise.mode(), Mode::Normal);
        QCOMPARE(g.exercise.task(), (Task{600, 3, 0}));
    }

    // The teacher's choice: the task on screen stays; the next tasks, both
    // modes, new sheets and class sets come under it; a sheet brought back
    // by number has its own and leaves the exercise's as it is.
    void theChoiceHoldsFromTheNextTask() {
        Game g; // 2035 : 5 = 407
        TaskChoice nine;
        nine.setDivisors({9});
        nine.setBorrowing(Frequency::Never);
        g.exercise.setChoice(nine);
        QCOMPARE(g.exercise.task(), (Task{407, 5, 0}));
        g.solveByDrops();
        for (Mode mode : {Mode::Normal, Mode::Remainder}) {
            if (mode != g.exercise.mode()) g.exercise.chooseMode(mode);
            QCOMPARE(g.exercise.task().divisor, 9);
            QVERIFY(!needsBorrowing(g.exercise.task()));
            QCOMPARE(g.exercise.newSheetNumber().choice, nine);
            g.exercise.composeSheet();
            QCOMPARE(g.exercise.sheet()->choice, nine);
            QCOMPARE(g.exercise.task(), sheetTasks(*g.exercise.sheet()).constLast());
        }
        g.exercise.showSheetNumbered(SheetNumber(Mode::Normal, 482719));
        QCOMPARE(g.exercise.task(), sheetTasks(SheetNumber(Mode::Normal, 482719)).constLast());
        QCOMPARE(g.exercise.choice(), nine);
    }

    // "Gezielt üben" for "Rest": the mode switches as "mit Rest" would, with a
    // new task.
    void targetedPracticeApplied() {
        Game g(407, 5, 3);
        for (int i = 0; i < 3; ++i)
            g.exercise.dropOnCell(g.cell(CellRole::Remainder), 9);
        g.exercise.chooseMode(Mode::Normal);
        const TargetedPractice rest = g.exercise.targetedPractice();
        QCOMPARE(rest.mode, std::optional<Mode>(Mode::Remainder));
        g.exercise.applyTargetedPractice(rest);
        QCOMPARE(g.exercise.mode(), Mode::Remainder);
        QVERIFY(g.exercise.task().remainder > 0);
        QCOMPARE(g.exercise.choice(), TaskChoice());
    }

    void aSheetShowsItsLastTaskAndTakesOnItsMode() {
        Game g;
        const SheetNumber number{Mode::Remainder, 482719};
        g.exercise.showSheetNumbered(number);
        QCOMPARE(g.exercise.mode(), Mode::Remainder);
        QCOMPARE(g.exercise.sheet(), std::optional<SheetNumber>(number));
        QCOMPARE(g.exercise.task(), sheetTasks(number).constLast());
        // The sheet's tasks are no work of the child's until it works on one.
        QVERIFY(g.exercise.record().sheetTaskInWindow());
        g.exercise.closeSheet();
        QVERIFY(!g.exercise.sheet());
        QCOMPARE(g.exercise.task(), sheetTasks(number).constLast());
    }
};

QTEST_GUILESS_MAIN(ExerciseTest)
#include "test_exercise.moc"
