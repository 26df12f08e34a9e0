// The work of single handlers on the real windows, each with the repaint it
// causes. Run with -callgrind for instruction counts.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "board_screen.h"

#include "exercise_driver.h"
#include "memory.h"
#include "number_catch.h"
#include "number_catch_state.h"
#include "practice_report_window.h"
#include "qt_runtime.h"
#include "sheet_actions.h"
#include "sheet_number.h"
#include "sheet_text.h"
#include "window_stack.h"

namespace {

// The first cell of the normal layout that takes a digit without waiting
// for another.
const trainer::CellRule& freeNormalCell() {
    for (int n = 1; n <= trainer::kCellCount; ++n) {
        const trainer::CellRule* r = trainer::ruleForNumber(n);
        if (!r->remainderLayout && r->need == trainer::Need::None) return *r;
    }
    qFatal("no free cell");
}

QStringList listItems(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void repaint() {
    QCoreApplication::processEvents();
}

// Counts the paints of one widget, to be sure a benchmark paints what it claims.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A whiteboard screen: the largest size a window is grown to in the benchmarks.
const QSize kBoard = kBoardScreen;

// One iteration: the window grown to the board and back to its smallest,
// each time laid out and painted. With newSizes, both resizes of every
// iteration go to sizes the window never had, each with a zoom of its own:
// a pixel lower than the last (after 200 resizes the window is still 91 % of
// the board), and a little larger than the smallest. Not larger than the
// board: a size larger than any before costs this virtual machine the first
// touch of fresh memory for its 33 MB of window, about 90 ms, which a bare
// QImage of that size pays too and no program can avoid.
// Qt runs a benchmark function several times (warm-up, calibration, the
// measured runs), so the sizes count on across calls and never come back. Beside the figure per
// iteration, the median time of each direction is printed: the goal is set for the large one.
void resizeBackAndForth(QWidget& w, bool newSizes = false) {
    static int sizesUsed = 0;
    const QSize small = w.minimumSize();
    // The first window as large as the board makes the machine touch fresh
    // memory; that happens once in a run, before any figure is taken.
    w.resize(kBoard);
    repaint();
    w.resize(small);
    repaint();
    PaintCounter counter(&w);
    QList<qint64> grown, shrunk;
    QElapsedTimer clock;
    QBENCHMARK {
        ++sizesUsed;
        clock.start();
        w.resize(newSizes ? kBoard - QSize(0, 1) * sizesUsed : kBoard);
        repaint();
        grown << clock.nsecsElapsed();
        clock.start();
        w.resize(newSizes ? small + QSize(3, 2) * sizesUsed : small);
        repaint();
        shrunk << clock.nsecsElapsed();
    }
    auto median = [](QList<qint64> ns) {
        std::sort(ns.begin(), ns.end());
        return ns.at(ns.size() / 2) / 1e6;
    };
    qInfo("median: %.2f ms grown, %.2f ms back (%d resizes each)", median(grown), median(shrunk),
          int(grown.size()));
    w.resize(small);
    repaint();
    if (auto* form = qobject_cast<shell::Form*>(&w)) QCOMPARE(form->zoom(), 1.0);
    QVERIFY2(counter.paints >= 2 * grown.size(), "the window was not painted at each size");
}

} // namespace

class HandlerBench : public QObject {
    Q_OBJECT
  private slots:
    void rightDigitDropped() {
        drive::Session s;
        trainer::Form1& f = s.form();
        const trainer::CellRule& rule = freeNormalCell();
        QWidget* key = f.DigitKey[f.expectedDigit(rule).toInt()];
        shell::VbLabel* cell = f.cell(rule);
        repaint();
        QBENCHMARK {
            cell->setCaption(QString()); // the same drop again, never the last digit of the task
            f.CellDragDrop(rule, key);
            repaint();
        }
        QCOMPARE(cell->caption(), f.expectedDigit(rule));
    }

    void wrongDigitDropped() {
        drive::Session s;
        trainer::Form1& f = s.form();
        const trainer::CellRule& rule = freeNormalCell();
        QWidget* key = f.DigitKey[(f.expectedDigit(rule).toInt() + 1) % 10];
        repaint();
        QBENCHMARK {
            s.rt.answer(shell::AnswerOk);
            f.CellDragDrop(rule, key);
            repaint();
        }
        QVERIFY(f.cell(rule)->caption().isEmpty());
        QVERIFY(s.rt.allAnswersUsed());
    }

    void newTask_data() {
        QTest::addColumn<bool>("remainder");
        QTest::newRow("normal") << false;
        QTest::newRow("with remainder") << true;
    }
    void newTask() {
        QFETCH(bool, remainder);
        drive::Session s;
        trainer::Form1& f = s.form();
        if (remainder) f.Befehl20_Click();
        repaint();
        QBENCHMARK {
            if (remainder)
                f.NewRemainderTask();
            else
                f.NewNormalTask();
            repaint();
        }
        QCOMPARE(f.Liste1.size(), remainder ? 4 : 3);
    }

    void composeSheet_data() { newTask_data(); }
    void composeSheet() {
        QFETCH(bool, remainder);
        drive::Session s;
        trainer::Form1& f = s.form();
        if (remainder) f.Befehl20_Click();
        repaint();
        QBENCHMARK {
            f.Befehl14_Click();
            repaint();
        }
        QCOMPARE(f.Liste5->count(), 34);
    }

    void clipboardText() {
        drive::Session s;
        trainer::Form1& f = s.form();
        f.Befehl14_Click();
        const QStringList items = listItems(f.Liste5);
        QString text;
        QBENCHMARK {
            text = worksheets::clipboardText(items, QStringLiteral("E"));
        }
        QVERIFY(text.count(QLatin1String("\r\n")) >= 2 * 34);
    }

    // The biggest class set: forty sheets of new numbers composed, then written
    // with their solutions into one PDF file (160 pages). Goal: under 1 s.
    void classSetOfForty() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Klassensatz.pdf"));
        shell::QtRuntime pdf;
        int next = 0;
        const worksheets::SheetSource source{
            [&next] {
                return trainer::formatSheetNumber({false, (next++ * 7919) % 1000000});
            },
            [](const QString& number) {
                return trainer::sheetLinesOf(*trainer::parseSheetNumber(number));
            }};
        shell::PrintResult written = shell::PrintResult::Failed;
        QBENCHMARK {
            const shell::PrintJob job =
                worksheets::classSetJob(worksheets::composeClassSet(40, source), "E");
            written = pdf.printJobToPdf(job, path);
        }
        QCOMPARE(written, shell::PrintResult::Printed);
        QVERIFY(QFileInfo(path).size() > 10000);
    }

    void numberCatchJump() {
        drive::Session s;
        trainer::Form1& f = s.form();
        f.StartNumberCatch();
        games::Form4& game = s.program.form4();
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        game.Zeit1->stop(); // the benchmark makes the jumps
        games::Modul1& m = game.MODUL1;
        const QString allDigits = m.DigitsLeft;
        repaint();
        QBENCHMARK {
            m.DigitsLeft = allDigits; // a catch must not end the game mid-run
            game.Zeit1_Timer();
            repaint();
        }
        QVERIFY(game.isVisible());
    }

    // Figures are per iteration, that is per two resizes.
    void exerciseWindowResized() {
        drive::Session s;
        trainer::Form1& f = s.form();
        QCOMPARE(f.minimumSize(), QSize(604, 443));
        repaint();
        resizeBackAndForth(f);
    }

    void numberCatchResized() {
        drive::Session s;
        trainer::Form1& f = s.form();
        f.StartNumberCatch();
        games::Form4& game = s.program.form4();
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        game.Zeit1->stop();
        game.Zeit1_Timer(); // one jump: ten digits and the cross on the field
        QCOMPARE(game.MODUL1.DigitsLeft.size(), 10);
        repaint();
        resizeBackAndForth(game);
    }

    void memoryDeal() {
        drive::Session s;
        games::memo& game = s.program.memoWindow();
        shell::forms::show(&game);
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        repaint();
        QBENCHMARK {
            game.ResetBoard();
            game.DealCards();
            repaint();
        }
        QCOMPARE(game.CardsInPlay, QString(18, QLatin1Char('1')));
    }

    // A school day in the record: 2000 tasks of 25 right digits each, a wrong
    // digit in every third and a hint in every tenth. Opening builds the
    // report from the record and paints it.
    void practiceReportOpened() {
        drive::Session s;
        trainer::Form1& f = s.form();
        trainer::PracticeRecord& record = f.record;
        const qint64 start = QDateTime::currentMSecsSinceEpoch() - 2000 * 1000;
        for (int i = 0; i < 2000; ++i) {
            const qint64 at = start + i * 1000;
            record.taskDrawn(400 + i % 600, 3 + i % 7, i % 2 ? 1 : 0, i % 2, at);
            for (int d = 0; d < 25; ++d)
                record.rightDigit(at);
            if (i % 3 == 0)
                record.wrongDigit({quint8(1 + i % 29), '4', '7', trainer::EntryWay(i % 3)}, at);
            if (i % 10 == 0) record.orderHint(at);
            record.taskSolved(at);
        }
        repaint();
        QElapsedTimer first;
        first.start();
        f.ShowPracticeReport();
        trainer::PracticeReportWindow* r = f.practiceReportWindow();
        repaint();
        qInfo("first opening, with the window made: %.2f ms; the record takes %zu bytes",
              first.nsecsElapsed() / 1e6, record.memoryBytes());
        PaintCounter counter(r->Bild1);
        int iterations = 0;
        QBENCHMARK {
            r->Befehl4_Click();
            f.ShowPracticeReport();
            repaint();
            ++iterations;
        }
        QCOMPARE(r->report().tasks.size(), trainer::kReportedTasks);
        QVERIFY2(counter.paints >= iterations, "the report was not painted at each opening");
    }

    // The two below run last, so that what they leave behind (caches of many
    // sizes, the allocator's state) cannot change the figures above.

    // For comparison: a plain window of the exercise window's size with one
    // label, as the start-up benchmark's reference.
    void bareWindowResized() {
        QWidget w;
        w.setMinimumSize(604, 443);
        auto* label = new QLabel(QStringLiteral("4 4 4 5 : 5 ="), &w);
        label->move(20, 20);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        repaint();
        resizeBackAndForth(w);
    }

    // As a window edge is dragged: every big size is new, so nothing drawn
    // at an earlier size can be reused.
    void exerciseWindowResizedToNewSizes() {
        drive::Session s;
        repaint();
        resizeBackAndForth(s.form(), true);
    }
};

int main(int argc, char** argv) {
    return runOnBoardScreen<HandlerBench>(argc, argv);
}
#include "handler_bench.moc"
