#include <QMessageBox>
#include <QTest>

#include "exercise_driver.h"
#include "memory.h"
#include "number_catch.h"
#include "window_stack.h"

using namespace drive;
using trainer::Form1;

class TestExerciseWindow : public QObject {
    Q_OBJECT
  private slots:

    void normalTaskFillsTheLayout() {
        Session s(9, 9, 9, 9); // 8991 : 9
        Form1& f = s.form();
        QCOMPARE(f.Liste1, (QStringList{"8991", "9", "999"}));
        QCOMPARE(f.Liste2, (QStringList{"81", "89", "81", "81", "81", "0"}));
        QCOMPARE(f.Bezeichnung1->caption() + f.Bezeichnung2->caption() + f.Bezeichnung3->caption() +
                     f.Bezeichnung4->caption(),
                 QStringLiteral("8991"));
        QCOMPARE(f.Bezeichnung5->caption(), QStringLiteral("9"));
        for (const QString& c : captions(f, false))
            QVERIFY(c.isEmpty());
        QCOMPARE(f.windowTitle(), QStringLiteral("Einstellige Division"));
        QCOMPARE(f.Bezeichnung21->caption(), QStringLiteral("E"));
        QCOMPARE(tw::top(f.Bild6), 7200);
        QVERIFY(s.rt.randomizeCalls >= 1);
    }

    void newTaskEmptiesASolvedLookingLayoutAndResetsTheDivisorColour() {
        Session s;
        Form1& f = s.form();
        for (int n = 1; n <= 14; ++n)
            f.cell(*trainer::ruleForNumber(n))->setCaption("7");
        f.Bezeichnung5->setForeColor(shell::bgr(0x008000));
        forceTask(s.rt, 4, 1, 2, 3);
        f.NewNormalTask();
        for (const QString& c : captions(f, false))
            QVERIFY(c.isEmpty());
        QCOMPARE(f.Bezeichnung5->foreColor(), shell::bgr(0x0000FF));
        QCOMPARE(f.Liste1.at(0), QStringLiteral("1236"));
    }

    void remainderTaskAndItsClearing() {
        Session s;
        Form1& f = s.form();
        forceTask(s.rt, 4, 0, 7, 5, 3);
        f.Befehl20_Click();
        QCOMPARE(f.Liste1, (QStringList{"2038", "5", "407", "3"}));
        QCOMPARE(f.Liste2, (QStringList{"20", "03", "00", "38", "35", "3"}));
        QCOMPARE(f.luecke[1]->caption() + f.luecke[2]->caption() + f.luecke[3]->caption() +
                     f.luecke[4]->caption() + f.luecke[5]->caption(),
                 QStringLiteral("20385"));
        for (int i = 6; i <= 21; ++i)
            f.luecke[i]->setCaption("4");
        f.ClearRemainderCells();
        for (int i = 1; i <= 21; ++i)
            QCOMPARE(f.luecke[i]->caption(), i == 9 ? QStringLiteral("R") : QString());
    }

    void modeButtons_data() {
        QTest::addColumn<bool>("remainder");
        QTest::newRow("mit Rest") << true;
        QTest::newRow("Normal") << false;
    }
    void modeButtons() {
        QFETCH(bool, remainder);
        Session s;
        Form1& f = s.form();
        f.Bezeichnung16->setCaption("12");
        f.Bezeichnung22->setCaption("12");
        f.Bezeichnung15->setCaption("3");
        f.Bezeichnung23->setCaption("3");
        tw::setTop(f.Bild1, 3000);
        f.Bezeichnung14->show();
        for (int i = 6; i <= 21; ++i)
            f.luecke[i]->setCaption("1");
        for (int n = 1; n <= 14; ++n)
            f.cell(*trainer::ruleForNumber(n))->setCaption("1");
        tw::move(f.licht, tw::left(f.Bezeichnung9), tw::top(f.Bezeichnung9));
        tw::move(f.licht2, tw::left(f.luecke[13]), tw::top(f.luecke[13]));
        const QString before = f.Liste1.at(0);
        if (remainder) {
            forceTask(s.rt, 9, 9, 9, 9, 8);
            QTest::mouseClick(f.Befehl20, Qt::LeftButton);
        } else {
            forceTask(s.rt, 4, 0, 0, 3);
            QTest::mouseClick(f.Befehl21, Qt::LeftButton);
        }
        QCOMPARE(f.windowTitle(), remainder
                                      ? QStringLiteral("Schriftliche Division mit Rest")
                                      : QStringLiteral("Schriftliche Division mit Einerzahl"));
        QCOMPARE(tw::top(f.Bild6), remainder ? 720 : 7200);
        QCOMPARE(f.Bezeichnung21->caption(), remainder ? QStringLiteral("R") : QStringLiteral("E"));
        QVERIFY(f.lichtParked());
        QVERIFY(f.licht2Parked());
        QVERIFY(f.Liste1.at(0) != before);
        QCOMPARE(f.Liste1.at(0), remainder ? QStringLiteral("8999") : QStringLiteral("1200"));
        // The other layout is emptied (in the normal layout the cells that its
        // clearing covers), the chosen one holds only the new task.
        for (const QString& c : captions(f, remainder))
            QVERIFY(c.isEmpty());
        if (remainder) {
            for (shell::VbLabel* c :
                 {f.Bezeichnung6, f.Bezeichnung7, f.Bezeichnung13, f.Bezeichnung20})
                QVERIFY(c->caption().isEmpty());
        } else {
            for (const QString& c : captions(f, false))
                QVERIFY(c.isEmpty());
        }
        if (remainder)
            QVERIFY(f.Bezeichnung1->caption().isEmpty());
        else
            QCOMPARE(f.luecke[9]->caption(), QStringLiteral("R"));
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("12"));
        QCOMPARE(f.Bezeichnung23->caption(), QStringLiteral("3"));
        QCOMPARE(tw::top(f.Bild1), 3000);
        QVERIFY(f.Bezeichnung14->isVisible());
        QVERIFY(!f.Bezeichnung26->isVisible());
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
        Form1& f = s.form();
        shell::Form0& start = s.program.form0();
        QVERIFY(!start.isVisible());
        f.Bezeichnung16->setCaption("5");
        f.Bezeichnung22->setCaption("5");
        if (byCloseButton)
            f.close();
        else
            QTest::mouseClick(f.Befehl1, Qt::LeftButton);
        QVERIFY(!f.isVisible());
        QVERIFY(start.isVisible());
        QVERIFY(!shell::forms::programEnded());
        // Coming back re-centres, parks and draws a new task; counters stay.
        f.move(5, 5);
        tw::move(f.licht, 1560, 1440);
        forceTask(s.rt, 6, 1, 2, 7);
        click(start.Bild1);
        QVERIFY(f.isVisible());
        const QSize scr = s.rt.screen;
        QVERIFY(qAbs(f.leftTw() - (scr.width() - f.widthTw()) / 2) <= 15);
        QVERIFY(qAbs(f.topTw() - (scr.height() - f.heightTw()) / 2) <= 15);
        QVERIFY(f.lichtParked());
        QCOMPARE(f.Liste1.at(2), QStringLiteral("612"));
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("5"));
    }

    void aClosingBoxDoesNotDrawANewTask() {
        Session s;
        Form1& f = s.form();
        f.Bezeichnung6->setCaption("4");
        const QStringList before = f.Liste1;
        QMessageBox* box = new QMessageBox(QMessageBox::NoIcon, "x", "y", QMessageBox::Ok, &f);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        QTest::qWait(30);
        box->accept();
        QTest::qWait(30);
        f.activateWindow();
        QTest::qWait(30);
        QCOMPARE(f.Liste1, before);
        QCOMPARE(f.Bezeichnung6->caption(), QStringLiteral("4"));
    }

    // On activation the mode letter, the layout in front and the lists agree.
    void activationKeepsModeLayoutAndTaskInAgreement() {
        Session s;
        Form1& f = s.form();
        // Left with "Ende" from remainder mode: the next visit is normal mode.
        forceTask(s.rt, 4, 0, 7, 5, 3);
        f.Befehl20_Click();
        QTest::mouseClick(f.Befehl1, Qt::LeftButton);
        forceTask(s.rt, 4, 1, 2, 3);
        click(s.program.form0().Bild1);
        QCOMPARE(f.Bezeichnung21->caption(), QStringLiteral("E"));
        QCOMPARE(tw::top(f.Bild6), 7200);
        QCOMPARE(f.windowTitle(), QStringLiteral("Schriftliche Division mit Einerzahl"));
        QCOMPARE(f.Liste1, (QStringList{"1236", "3", "412"}));
        QCOMPARE(f.luecke[1]->caption(), QString());

        // Coming back from a game in remainder mode: a new remainder task.
        forceTask(s.rt, 4, 0, 7, 5, 3);
        f.Befehl20_Click();
        shell::forms::hide(&f);
        forceTask(s.rt, 9, 9, 9, 9, 8);
        shell::forms::show(&f);
        QCOMPARE(f.Bezeichnung21->caption(), QStringLiteral("R"));
        QCOMPARE(tw::top(f.Bild6), 720);
        QCOMPARE(f.Liste1, (QStringList{"8999", "9", "999", "8"}));
        QCOMPARE(f.luecke[1]->caption(), QStringLiteral("8"));
    }

    void pointsShowTheNumberCatchPromptEveryFifty() {
        Session s;
        Form1& f = s.form();
        for (int i = 0; i < 49; ++i)
            f.AddPoint();
        QVERIFY(!f.Bezeichnung26->isVisible());
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("49"));
        f.AddPoint();
        QVERIFY(f.Bezeichnung26->isVisible());
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("50"));
        QCOMPARE(f.Bezeichnung16->caption(), QStringLiteral("50"));
        // Unclaimed: a second 50 leaves one prompt, still waiting.
        for (int i = 0; i < 50; ++i)
            f.AddPoint();
        QVERIFY(f.Bezeichnung26->isVisible());
        // Claimed, it is gone until the next multiple of 50.
        click(f.Bezeichnung26);
        QVERIFY(!f.Bezeichnung26->isVisible());
        QVERIFY(!f.isVisible());
        s.program.form4().EndNumberCatch();
        QVERIFY(f.isVisible());
        for (int i = 0; i < 49; ++i)
            f.AddPoint();
        QVERIFY(!f.Bezeichnung26->isVisible());
        f.AddPoint();
        QVERIFY(f.Bezeichnung26->isVisible());
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("150"));
    }

    void ladderShowsTheMemoryPromptAtTheTop() {
        Session s;
        Form1& f = s.form();
        for (int i = 0; i < 22; ++i)
            f.AdvanceRewardLadder();
        QCOMPARE(tw::top(f.Bild1), 600);
        QVERIFY(!f.Bezeichnung14->isVisible());
        f.AdvanceRewardLadder();
        QCOMPARE(tw::top(f.Bild1), 360);
        QVERIFY(f.Bezeichnung14->isVisible());
        f.AdvanceRewardLadder();
        QCOMPARE(tw::top(f.Bild1), 120);
        QVERIFY(f.Bezeichnung14->isVisible());
    }

    void bothPromptsStayClaimable() {
        Session s;
        Form1& f = s.form();
        for (int i = 0; i < 50; ++i)
            f.AddPoint();
        for (int i = 0; i < 23; ++i)
            f.AdvanceRewardLadder();
        QVERIFY(f.Bezeichnung26->isVisible() && f.Bezeichnung14->isVisible());
        // The click lands on the prompt on top; the other stays.
        QWidget* top = QApplication::widgetAt(f.Bezeichnung26->mapToGlobal(QPoint(20, 10)));
        QCOMPARE(top, static_cast<QWidget*>(f.Bezeichnung26));
        click(f.Bezeichnung26);
        s.program.form4().EndNumberCatch();
        QVERIFY(f.Bezeichnung14->isVisible());
        QWidget* now = QApplication::widgetAt(f.Bezeichnung14->mapToGlobal(QPoint(20, 10)));
        QCOMPARE(now, static_cast<QWidget*>(f.Bezeichnung14));
        click(f.Bezeichnung14);
        QVERIFY(!f.Bezeichnung14->isVisible());
        QCOMPARE(tw::top(f.Bild1), 5880);
        QVERIFY(!f.isVisible());
    }

    // From a prompt into each game and back: the exercise window returns with
    // a new task of the layout in front, and the games are gone.
    void roundTripThroughEachGame_data() {
        QTest::addColumn<bool>("memory");
        QTest::addColumn<bool>("remainder");
        QTest::newRow("number catch, normal mode") << false << false;
        QTest::newRow("number catch, remainder mode") << false << true;
        QTest::newRow("memory, normal mode") << true << false;
        QTest::newRow("memory, remainder mode") << true << true;
    }
    void roundTripThroughEachGame() {
        QFETCH(bool, memory);
        QFETCH(bool, remainder);
        Session s;
        Form1& f = s.form();
        if (remainder) {
            forceTask(s.rt, 4, 0, 7, 5, 3);
            f.Befehl20_Click();
        }
        f.Bezeichnung16->setCaption("49");
        f.AddPoint();
        for (int i = 0; i < 23; ++i)
            f.AdvanceRewardLadder();
        f.move(3, 3);
        shell::Form* game = nullptr;
        if (memory) {
            click(f.Bezeichnung14);
            game = &s.program.memoWindow();
            QCOMPARE(tw::top(f.Bild1), 5880);
        } else {
            click(f.Bezeichnung26);
            game = &s.program.form4();
            QVERIFY(s.program.form4().Zeit1->isActive());
        }
        QVERIFY(!f.isVisible());
        QVERIFY(game->isVisible());
        QCOMPARE(shell::forms::current(), game);
        forceTask(s.rt, 9, 9, 9, 9, remainder ? 8 : 0);
        s.rt.answer(shell::AnswerYes);
        QTest::mouseClick(memory ? s.program.memoWindow().Befehl1 : s.program.form4().Befehl1,
                          Qt::LeftButton);
        QCOMPARE(s.rt.takeBoxes(),
                 QList<ScriptedRuntime::Box>{
                     msgRecord(QStringLiteral("  Dieses Spiel jetzt beenden?"), 20,
                               memory ? QStringLiteral("Memory") : QStringLiteral("Zahlfange"))});
        QVERIFY(!game->isVisible());
        QVERIFY(f.isVisible());
        QCOMPARE(shell::forms::current(), static_cast<shell::Form*>(&f));
        QCOMPARE(f.Bezeichnung21->caption(), remainder ? QStringLiteral("R") : QStringLiteral("E"));
        QCOMPARE(tw::top(f.Bild6), remainder ? 720 : 7200);
        QCOMPARE(f.Liste1.at(0), remainder ? QStringLiteral("8999") : QStringLiteral("8991"));
        QVERIFY(f.lichtParked() && f.licht2Parked());
        QVERIFY(qAbs(f.leftTw() - (s.rt.screen.width() - f.widthTw()) / 2) <= 15);
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("50"));
        // The prompt that was not claimed still waits.
        QCOMPARE(f.Bezeichnung26->isVisible(), memory);
        QCOMPARE(f.Bezeichnung14->isVisible(), !memory);
    }
};

QTEST_MAIN(TestExerciseWindow)
#include "test_exercise_window.moc"
