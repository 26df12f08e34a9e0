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
#include "memory_window.h"
#include "number_catch_window.h"
#include "practice_report_window.h"
#include "qt_desktop.h"
#include "sheet_actions.h"
#include "sheet_number.h"
#include "sheet_text.h"
#include "window_stack.h"

namespace {

// A product cell of the normal layout: it takes a digit without waiting for
// another, and it never solves the task.
const core::AnswerCell& freeNormalCell() {
    return *core::answerCell(core::Mode::Normal, core::CellRole::Product1Tens);
}

int expected(windows::ExerciseWindow& f, const core::AnswerCell& c) {
    return c.expected(f.exercise().written()).digitValue();
}

games::NumberCatchWindow& numberCatch(drive::Session& s) {
    return dynamic_cast<games::NumberCatchWindow&>(s.program.rewardGame(games::Reward::Points));
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
    if (auto* form = qobject_cast<widgets::ProgramWindow*>(&w)) QCOMPARE(form->zoom(), 1.0);
    QVERIFY2(counter.paints >= 2 * grown.size(), "the window was not painted at each size");
}

} // namespace

class HandlerBench : public QObject {
    Q_OBJECT
  private slots:
    void rightDigitDropped() {
        drive::Session s;
        windows::ExerciseWindow& f = s.form();
        const core::AnswerCell& c = freeNormalCell();
        widgets::DigitCell* cell = f.cell(c.number);
        const int digit = expected(f, c);
        repaint();
        QBENCHMARK {
            cell->takeDigit(digit); // the same drop again: never the last digit of the task
            repaint();
        }
        QCOMPARE(cell->text(), QString::number(digit));
    }

    void wrongDigitDropped() {
        drive::Session s;
        windows::ExerciseWindow& f = s.form();
        const core::AnswerCell& c = freeNormalCell();
        widgets::DigitCell* cell = f.cell(c.number);
        const int digit = (expected(f, c) + 1) % 10;
        repaint();
        QBENCHMARK {
            s.rt.answer(widgets::Answer::Ok);
            cell->takeDigit(digit);
            repaint();
        }
        QVERIFY(cell->text().isEmpty());
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
        windows::ExerciseWindow& f = s.form();
        const core::Mode mode = remainder ? core::Mode::Remainder : core::Mode::Normal;
        f.chooseMode(mode);
        repaint();
        QBENCHMARK {
            f.chooseMode(mode);
            repaint();
        }
        QCOMPARE(f.exercise().written().remainder.isEmpty(), !remainder);
    }

    void composeSheet_data() { newTask_data(); }
    void composeSheet() {
        QFETCH(bool, remainder);
        drive::Session s;
        windows::ExerciseWindow& f = s.form();
        if (remainder) f.chooseMode(core::Mode::Remainder);
        repaint();
        QBENCHMARK {
            f.sheetPanel().composeSheet();
            repaint();
        }
        QCOMPARE(f.sheetPanel().sheetList->count(), 34);
    }

    void clipboardText() {
        drive::Session s;
        windows::ExerciseWindow& f = s.form();
        f.sheetPanel().composeSheet();
        const QStringList items = f.sheetPanel().lines();
        QString text;
        QBENCHMARK {
            text = core::clipboardText(items, core::Mode::Normal);
        }
        QVERIFY(text.count(QLatin1String("\r\n")) >= 2 * 34);
    }

    // The biggest class set: forty sheets of new numbers composed, then written
    // with their solutions into one PDF file (160 pages). Goal: under 1 s.
    void classSetOfForty() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Klassensatz.pdf"));
        app::QtDesktop pdf;
        int next = 0;
        const printing::SheetSource source{
            [&next] {
                return core::formatSheetNumber({core::Mode::Normal, (next++ * 7919) % 1000000});
            },
            [](const QString& number) {
                return core::sheetLinesOf(*core::parseSheetNumber(number));
            }};
        core::PrintResult written = core::PrintResult::Failed;
        QBENCHMARK {
            const core::PrintJob job =
                printing::classSetJob(printing::composeClassSet(40, source), core::Mode::Normal);
            written = pdf.printJobToPdf(nullptr, job, path);
        }
        QCOMPARE(written, core::PrintResult::Printed);
        QVERIFY(QFileInfo(path).size() > 10000);
    }

    void numberCatchJump() {
        drive::Session s;
        windows::ExerciseWindow& f = s.form();
        games::NumberCatchWindow& game = numberCatch(s);
        game.open(f);
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        game.jumpTimer->stop(); // the benchmark makes the jumps
        repaint();
        QBENCHMARK {
            // A catch must not end the game mid-run: a new one when a digit fell.
            if (game.game().digitsLeft().size() < 10) {
                game.open(f);
                game.jumpTimer->stop();
            }
            game.jump();
            repaint();
        }
        QVERIFY(game.isVisible());
    }

    // Figures are per iteration, that is per two resizes.
    void exerciseWindowResized() {
        drive::Session s;
        windows::ExerciseWindow& f = s.form();
        QCOMPARE(f.minimumSize(), QSize(604, 443));
        repaint();
        resizeBackAndForth(f);
    }

    void numberCatchResized() {
        drive::Session s;
        games::NumberCatchWindow& game = numberCatch(s);
        game.open(s.form());
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        game.jumpTimer->stop();
        game.jump(); // one jump: ten digits and the cross on the field
        QCOMPARE(game.game().digitsLeft().size(), size_t(10));
        repaint();
        resizeBackAndForth(game);
    }

    void memoryDeal() {
        drive::Session s;
        auto& game = dynamic_cast<games::MemoryWindow&>(s.program.rewardGame(games::Reward::Ladder));
        s.program.windows().show(&game);
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        repaint();
        QBENCHMARK {
            game.resetBoard();
            game.revealCard(0); // the first card of a game deals
            repaint();
        }
        QVERIFY(game.game().dealt());
    }

    // A school day in the record: 2000 tasks of 25 right digits each, a wrong
    // digit in every third and a hint in every tenth. Opening builds the
    // report from the record and paints it.
    void practiceReportOpened() {
        drive::Session s;
        windows::ExerciseWindow& f = s.form();
        core::PracticeRecord& record = f.exercise().record();
        const qint64 start = QDateTime::currentMSecsSinceEpoch() - 2000 * 1000;
        for (int i = 0; i < 2000; ++i) {
            const qint64 at = start + i * 1000;
            record.taskDrawn(400 + i % 600, 3 + i % 7, i % 2 ? 1 : 0, i % 2, at);
            for (int d = 0; d < 25; ++d)
                record.rightDigit(at);
            if (i % 3 == 0)
                record.wrongDigit({quint8(1 + i % 29), '4', core::Entered::ofDigit(7), core::EntryWay(i % 3)},
                                  at);
            if (i % 10 == 0) record.orderHint(at);
            record.taskSolved(at);
        }
        repaint();
        QElapsedTimer first;
        first.start();
        f.counters().openReport();
        windows::PracticeReportWindow* r = f.counters().reportWindow();
        repaint();
        qInfo("first opening, with the window made: %.2f ms; the record takes %zu bytes",
              first.nsecsElapsed() / 1e6, record.memoryBytes());
        PaintCounter counter(r->page);
        int iterations = 0;
        QBENCHMARK {
            r->closeReport();
            f.counters().openReport();
            repaint();
            ++iterations;
        }
        QCOMPARE(r->report().tasks.size(), core::kReportedTasks);
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
