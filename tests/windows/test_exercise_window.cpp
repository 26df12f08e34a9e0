// The exercise window shows the exercise and hands it the child's input:
// its layouts, buttons, prompts and the way back to the start window.
#include <QMessageBox>
#include <QTest>

#include "exercise_driver.h"
#include "window_stack.h"

using namespace drive;
using core::CellRole;
using core::Mode;

namespace {

// Solves tasks through the exercise, as drops would; each solved task is
// announced in a box that the child closes.
void solveTasks(Session& s, int count) {
    core::Exercise& e = s.form().exercise();
    for (int i = 0; i < count; ++i) {
        forceTask(s.rt, 4, 0, 7, 5, e.mode() == Mode::Remainder ? 3 : 0);
        s.rt.answer(widgets::Answer::Ok);
        const core::WrittenDivision w = e.written();
        for (const core::AnswerCell* c : core::answerCells(e.mode()))
            e.dropOnCell(c->number, c->expected(w).digitValue());
    }
    s.form().showExercise();
}

bool centred(ExerciseWindow& f, const QSize& screen) {
    return qAbs(f.leftTw() - (screen.width() - f.widthTw()) / 2) <= 15 &&
           qAbs(f.topTw() - (screen.height() - f.heightTw()) / 2) <= 15;
}

} // namespace

class TestExerciseWindow : public QObject {
    Q_OBJECT
  private slots:

    void theLayoutOfTheModeShowsTheTask_data() {
        QTest::addColumn<bool>("remainder");
        QTest::newRow("Normal") << false;
        QTest::newRow("mit Rest") << true;
    }
    void theLayoutOfTheModeShowsTheTask() {
        QFETCH(bool, remainder);
        Session s(9, 9, 9, 9); // 8991 : 9
        ExerciseWindow& f = s.form();
        QCOMPARE(f.windowTitle(), QStringLiteral("Einstellige Division"));
        click(remainder ? remainderCell(f, CellRole::Remainder) : normalCell(f, CellRole::Quotient1));
        forceTask(s.rt, 4, 0, 7, 5, remainder ? 3 : 0);
        click(remainder ? f.remainderButton : f.normalButton);
        const Mode mode = remainder ? Mode::Remainder : Mode::Normal;
        DivisionLayout& layout = f.layout(mode);
        QString dividend;
        for (widgets::DigitCell* c : layout.dividendCells())
            dividend += c->text();
        QCOMPARE(dividend, remainder ? QStringLiteral("2038") : QStringLiteral("2035"));
        QCOMPARE(layout.divisorCell()->text(), QStringLiteral("5"));
        QCOMPARE(f.windowTitle(), remainder ? QStringLiteral("Schriftliche Division mit Rest")
                                            : QStringLiteral("Schriftliche Division mit Einerzahl"));
        // The layout with remainder lies over the work area only in its mode.
        QCOMPARE(tw::top(f.remainderBox), remainder ? 720 : 7200);
        QVERIFY(f.layout(Mode::Normal).markerParked() && f.layout(Mode::Remainder).markerParked());
        for (const QString& d : shownDigits(f, mode))
            QVERIFY(d.isEmpty());

        // A right digit dropped stays, a point counts, the divisor takes the step's colour.
        QWidget* difference = cellOf(f, mode, CellRole::Difference1);
        click(cellOf(f, mode, CellRole::Quotient1));
        key(f, Qt::Key_4);
        dragDigit(f, 0, difference);
        QCOMPARE(static_cast<QLabel*>(difference)->text(), QStringLiteral("0"));
        QCOMPARE(f.counters().pointsCounter->text(), QStringLiteral("2"));
        QCOMPARE(layout.divisorCell()->textColour(), windows::stepColour(core::StepColour::Second));
        QVERIFY(s.rt.boxes.isEmpty());
    }

    void endAndCloseButtonReturnToTheStartWindow_data() {
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("Ende") << false;
        QTest::newRow("close button") << true;
    }
    void endAndCloseButtonReturnToTheStartWindow() {
        QFETCH(bool, byCloseButton);
        Session s;
        ExerciseWindow& f = s.form();
        windows::StartWindow& start = s.program.startWindow();
        QVERIFY(!start.isVisible());
        dragDigit(f, 4, normalCell(f, CellRole::Quotient1));
        if (byCloseButton)
            f.close();
        else
            QTest::mouseClick(f.endButton, Qt::LeftButton);
        QVERIFY(!f.isVisible());
        QVERIFY(start.isVisible());
        QVERIFY(!s.program.windows().programEnding());
        // Coming back re-centres, parks the marker and draws a new task; the counters stay.
        f.move(5, 5);
        click(normalCell(f, CellRole::Quotient2));
        forceTask(s.rt, 6, 1, 2, 7);
        click(start.exercisePicture);
        QVERIFY(f.isVisible());
        QVERIFY(centred(f, s.rt.screen));
        QVERIFY(f.layout(Mode::Normal).markerParked());
        QCOMPARE(f.exercise().task().quotient, 612);
        QCOMPARE(f.counters().pointsCounter->text(), QStringLiteral("1"));
    }

    void aClosingBoxDoesNotDrawANewTask() {
        Session s;
        ExerciseWindow& f = s.form();
        dragDigit(f, 4, normalCell(f, CellRole::Quotient1));
        const core::Task before = f.exercise().task();
        QMessageBox* box = new QMessageBox(QMessageBox::NoIcon, "x", "y", QMessageBox::Ok, &f);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        QTest::qWait(30);
        box->accept();
        QTest::qWait(30);
        f.activateWindow();
        QTest::qWait(30);
        QCOMPARE(f.exercise().task(), before);
        QCOMPARE(normalCell(f, CellRole::Quotient1)->text(), QStringLiteral("4"));
    }

    // After "Ende" in remainder mode the window comes back without remainder;
    // back from a game it goes on in its mode.
    void comingBackKeepsOrLeavesTheMode() {
        Session s;
        ExerciseWindow& f = s.form();
        forceTask(s.rt, 4, 0, 7, 5, 3);
        click(f.remainderButton);
        QTest::mouseClick(f.endButton, Qt::LeftButton);
        forceTask(s.rt, 4, 1, 2, 3);
        click(s.program.startWindow().exercisePicture);
        QCOMPARE(f.exercise().mode(), Mode::Normal);
        QCOMPARE(tw::top(f.remainderBox), 7200);
        QCOMPARE(f.windowTitle(), QStringLiteral("Schriftliche Division mit Einerzahl"));
        QCOMPARE(f.exercise().task().dividend(), 1236);
        QCOMPARE(f.layout(Mode::Remainder).dividendCells()[0]->text(), QString());

        forceTask(s.rt, 4, 0, 7, 5, 3);
        click(f.remainderButton);
        s.program.windows().hide(&f);
        forceTask(s.rt, 9, 9, 9, 9, 8);
        s.program.windows().show(&f);
        QCOMPARE(tw::top(f.remainderBox), 720);
        QCOMPARE(f.exercise().task().dividend(), 8999);
        QCOMPARE(f.layout(Mode::Remainder).dividendCells()[0]->text(), QStringLiteral("8"));
    }

    // From a prompt into each game and back: the exercise window returns
    // with a new task of its mode; the prompt not claimed still waits.
    void promptsOpenTheirGames_data() {
        QTest::addColumn<bool>("memory");
        QTest::addColumn<bool>("remainder");
        QTest::newRow("number catch, normal mode") << false << false;
        QTest::newRow("number catch, remainder mode") << false << true;
        QTest::newRow("memory, normal mode") << true << false;
        QTest::newRow("memory, remainder mode") << true << true;
    }
    void promptsOpenTheirGames() {
        QFETCH(bool, memory);
        QFETCH(bool, remainder);
        Session s;
        ExerciseWindow& f = s.form();
        if (remainder) {
            forceTask(s.rt, 4, 0, 7, 5, 3);
            click(f.remainderButton);
        }
        solveTasks(s, core::Exercise::kLadderSteps);
        QVERIFY(f.numberCatchPrompt->isVisible() && f.memoryPrompt->isVisible());
        QCOMPARE(tw::top(f.climber), 5880 - 240 * core::Exercise::kLadderSteps);
        // The number catch lies on top where both wait.
        QCOMPARE(QApplication::widgetAt(centreOf(f.numberCatchPrompt)),
                 static_cast<QWidget*>(f.numberCatchPrompt));
        f.move(3, 3);
        click(memory ? f.memoryPrompt : f.numberCatchPrompt);
        auto* game = dynamic_cast<widgets::ProgramWindow*>(
            &s.program.rewardGame(memory ? games::Reward::Ladder : games::Reward::Points));
        QVERIFY(!f.isVisible());
        QVERIFY(game && game->isVisible());
        QCOMPARE(s.program.windows().current(), game);
        if (memory) QCOMPARE(tw::top(f.climber), 5880);

        forceTask(s.rt, 9, 9, 9, 9, remainder ? 8 : 0);
        s.rt.answer(widgets::Answer::Yes);
        QTest::keyClick(game, Qt::Key_Escape);
        if (memory) // the memory game is left by its button
            QTest::mouseClick(game->findChild<QPushButton*>(QStringLiteral("endButton")),
                              Qt::LeftButton);
        QVERIFY(!game->isVisible());
        QVERIFY(f.isVisible());
        QCOMPARE(s.program.windows().current(), static_cast<widgets::ProgramWindow*>(&f));
        QCOMPARE(f.exercise().task().dividend(), remainder ? 8999 : 8991);
        QVERIFY(centred(f, s.rt.screen));
        QCOMPARE(f.numberCatchPrompt->isVisible(), memory);
        QCOMPARE(f.memoryPrompt->isVisible(), !memory);
    }
};

QTEST_MAIN(TestExerciseWindow)
#include "test_exercise_window.moc"
