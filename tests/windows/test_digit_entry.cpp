#include <QTest>

#include "exercise_driver.h"
#include "info_window.h"
#include "number_catch.h"
#include "window_stack.h"

using namespace drive;
using shell::VbLabel;
using trainer::Form1;
using Box = ScriptedRuntime::Box;

namespace {
const QString kFirst = QStringLiteral("Setze zuerst die Ergebnisziffer ein.\r\r");
const QString kMissing = QStringLiteral("Es fehlt noch die Ergebnisziffer!\r\r");
const QString kSolved = QStringLiteral("Die Aufgabe wurde richtig gelöst.\r\r");
const QColor kRed = shell::bgr(0x0000FF), kBlue = shell::bgr(0xFF0000),
             kGreen = shell::bgr(0x008000), kYellow = shell::bgr(0x00FFFF);

Box inputBox(const QString& text) {
    return msgRecord(text, 0, QStringLiteral("Eingabefehler"));
}

// Opens the window on 2035 : 5 in mode "E", or on 2038 : 5 remainder 3 in mode "R".
struct Entry : Session {
    bool remainder;
    explicit Entry(bool r) : Session(4, 0, 7, 5), remainder(r) {
        if (r) {
            forceTask(rt, 4, 0, 7, 5, 3);
            QTest::mouseClick(form().Befehl20, Qt::LeftButton);
        }
    }
    // A cell by its place in the written division, the same in both layouts.
    VbLabel* at(const char* normal, const char* rest) {
        return form().cellNamed(QLatin1String(remainder ? rest : normal));
    }
    VbLabel* divisor() { return remainder ? form().luecke[5] : form().Bezeichnung5; }
    QString points() { return form().Bezeichnung22->caption(); }
    QString errors() { return form().Bezeichnung23->caption(); }
};
} // namespace

class TestDigitEntry : public QObject {
    Q_OBJECT
  private slots:

    void layouts_data() {
        QTest::addColumn<bool>("remainder");
        QTest::newRow("normal layout") << false;
        QTest::newRow("remainder layout") << true;
    }

    void rightDigitStaysAndEarnsAPoint_data() { layouts_data(); }
    void rightDigitStaysAndEarnsAPoint() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        VbLabel* product = e.at("Bezeichnung7", "luecke11");
        dragDigit(e.form(), 2, product);
        QCOMPARE(product->caption(), QStringLiteral("2"));
        QCOMPARE(e.points(), QStringLiteral("1"));
        QCOMPARE(e.form().Bezeichnung16->caption(), QStringLiteral("1"));
        // The same right digit again earns another point.
        dragDigit(e.form(), 2, product);
        QCOMPARE(e.points(), QStringLiteral("2"));
        QVERIFY(e.rt.boxes.isEmpty());
    }

    void wrongDigitIsShownThenCountedAndRemoved_data() { layouts_data(); }
    void wrongDigitIsShownThenCountedAndRemoved() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        VbLabel* q1 = e.at("Bezeichnung6", "luecke6");
        VbLabel* product = e.at("Bezeichnung7", "luecke11");
        dragDigit(e.form(), 4, q1);
        dragDigit(e.form(), 2, product);
        QString shownDuringBox;
        e.rt.onBox = [&](const Box&) { shownDuringBox = product->caption(); };
        e.rt.answer(shell::AnswerOk);
        dragDigit(e.form(), 9, product);
        QCOMPARE(e.rt.boxes, QList<Box>{wrongBox()});
        QCOMPARE(shownDuringBox, QStringLiteral("9"));
        QCOMPARE(product->caption(), QString());
        QCOMPARE(q1->caption(), QStringLiteral("4"));
        QCOMPARE(e.errors(), QStringLiteral("1"));
        QCOMPARE(e.form().Bezeichnung15->caption(), QStringLiteral("1"));
        QCOMPARE(e.points(), QStringLiteral("2"));
    }

    void refusalCellsRefuseWithoutAQuotientDigit_data() {
        QTest::addColumn<bool>("remainder");
        QTest::addColumn<QString>("normalCell");
        QTest::addColumn<QString>("restCell");
        QTest::addColumn<int>("digit");
        QTest::newRow("E brought-down third digit") << false << "Bezeichnung10"
                                                    << "" << 3;
        QTest::newRow("E brought-down fourth digit") << false << "Bezeichnung17"
                                                     << "" << 5;
        QTest::newRow("R brought-down third digit") << true << ""
                                                    << "luecke14" << 3;
        QTest::newRow("R brought-down fourth digit") << true << ""
                                                     << "luecke18" << 8;
    }
    void refusalCellsRefuseWithoutAQuotientDigit() {
        QFETCH(bool, remainder);
        QFETCH(QString, normalCell);
        QFETCH(QString, restCell);
        QFETCH(int, digit);
        Entry e(remainder);
        VbLabel* c = e.form().cellNamed(remainder ? restCell : normalCell);
        const QColor colour = e.divisor()->foreColor();
        e.rt.answer(shell::AnswerOk);
        dragDigit(e.form(), digit, c);
        QCOMPARE(e.rt.boxes, QList<Box>{inputBox(kFirst)});
        QCOMPARE(c->caption(), QString());
        QCOMPARE(e.divisor()->foreColor(), colour);
        QCOMPARE(e.points(), QStringLiteral("0"));
        QCOMPARE(e.errors(), QStringLiteral("0"));
    }

    void reminderCellsJudgeThenRemind_data() { layouts_data(); }
    void reminderCellsJudgeThenRemind() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        VbLabel* diff = e.at("Bezeichnung9", "luecke13");
        QString pointsAtReminder;
        e.rt.onBox = [&](const Box&) { pointsAtReminder = e.points(); };
        e.rt.answer(shell::AnswerOk);
        dragDigit(e.form(), 0, diff);
        QCOMPARE(diff->caption(), QStringLiteral("0"));
        QCOMPARE(e.rt.takeBoxes(), QList<Box>{inputBox(kMissing)});
        QCOMPARE(pointsAtReminder, QStringLiteral("1"));
        // A wrong digit there: error box, count, empty cell, then the reminder.
        e.rt.answer(shell::AnswerOk);
        e.rt.answer(shell::AnswerOk);
        dragDigit(e.form(), 6, diff);
        QCOMPARE(e.rt.takeBoxes(), (QList<Box>{wrongBox(), inputBox(kMissing)}));
        QCOMPARE(diff->caption(), QString());
        QCOMPARE(e.errors(), QStringLiteral("1"));
    }

    // The quotient digits and the final difference (and the remainder) decide alone.
    void solvingDropAnnouncesRaisesTheLadderAndDrawsTheNextTask_data() { layouts_data(); }
    void solvingDropAnnouncesRaisesTheLadderAndDrawsTheNextTask() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        Form1& f = e.form();
        dragDigit(f, 4, e.at("Bezeichnung6", "luecke6"));
        dragDigit(f, 0, e.at("Bezeichnung20", "luecke7"));
        dragDigit(f, 7, e.at("Bezeichnung27", "luecke8"));
        if (remainder) dragDigit(f, 3, f.luecke[10]);
        tw::move(remainder ? f.licht : f.licht2, 720, 720); // a stray marker is parked too
        QVERIFY(e.rt.boxes.isEmpty());
        forceTask(e.rt, 9, 9, 9, 9, remainder ? 8 : 0);
        e.rt.answer(shell::AnswerOk);
        QStringList listsDuringBox;
        e.rt.onBox = [&](const Box&) { listsDuringBox = f.Liste1; };
        dragDigit(f, remainder ? 3 : 0, e.at("Bezeichnung28", "luecke21"));
        QCOMPARE(e.rt.boxes, QList<Box>{msgRecord(kSolved, 0,
                                                  remainder ? QStringLiteral("Lückenaufgabe")
                                                            : QStringLiteral("Teilaufgabe"))});
        QCOMPARE(listsDuringBox.at(0), remainder ? QStringLiteral("2038") : QStringLiteral("2035"));
        QCOMPARE(tw::top(f.Bild1), 5880 - 240);
        QCOMPARE(f.Liste1.at(0), remainder ? QStringLiteral("8999") : QStringLiteral("8991"));
        for (const QString& c : captions(f, remainder))
            QVERIFY(c.isEmpty());
        QVERIFY(f.lichtParked() && f.licht2Parked());
        QCOMPARE(e.points(), remainder ? QStringLiteral("5") : QStringLiteral("4"));
    }

    void divisorTakesTheColourOfTheStep_data() { layouts_data(); }
    void divisorTakesTheColourOfTheStep() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        Form1& f = e.form();
        QCOMPARE(e.divisor()->foreColor(), kRed);
        dragDigit(f, 4, e.at("Bezeichnung6", "luecke6"));
        dragDigit(f, 0, e.at("Bezeichnung20", "luecke7"));
        dragDigit(f, 2, e.at("Bezeichnung7", "luecke11"));
        QCOMPARE(e.divisor()->foreColor(), kRed);
        dragDigit(f, 3, e.at("Bezeichnung10", "luecke14"));
        QCOMPARE(e.divisor()->foreColor(), kBlue);
        dragDigit(f, remainder ? 8 : 5, e.at("Bezeichnung17", "luecke18"));
        QCOMPARE(e.divisor()->foreColor(), kGreen);
        dragDigit(f, 0, e.at("Bezeichnung11", "luecke15"));
        QCOMPARE(e.divisor()->foreColor(), kGreen);
        dragDigit(f, 7, e.at("Bezeichnung27", "luecke8"));
        if (!remainder) e.rt.answer(shell::AnswerOk); // this drop solves the normal task
        dragDigit(f, remainder ? 3 : 0, e.at("Bezeichnung28", "luecke21"));
        if (remainder) {
            // luecke21 alone does not solve: the remainder behind "R" is missing.
            QCOMPARE(e.divisor()->foreColor(), kYellow);
            QCOMPARE(f.luecke[21]->caption(), QStringLiteral("3"));
            f.NewRemainderTask();
        } else {
            // The final difference solved the task; the new task is red again.
            e.rt.takeBoxes();
        }
        QCOMPARE(e.divisor()->foreColor(), kRed);
    }

    void givenCellsTakeNoDrops_data() { layouts_data(); }
    void givenCellsTakeNoDrops() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        Form1& f = e.form();
        QList<VbLabel*> given;
        if (remainder)
            given = {f.luecke[1], f.luecke[2], f.luecke[3], f.luecke[4], f.luecke[5], f.luecke[9]};
        else
            given = {f.Bezeichnung1, f.Bezeichnung2, f.Bezeichnung3, f.Bezeichnung4,
                     f.Bezeichnung5};
        QStringList before;
        for (VbLabel* g : given)
            before << g->caption();
        for (VbLabel* g : given) {
            dragDigit(f, 5, g);
            dragDigit(f, 8, g);
        }
        QStringList after;
        for (VbLabel* g : given)
            after << g->caption();
        QCOMPARE(after, before);
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.points(), QStringLiteral("0"));
        QCOMPARE(e.errors(), QStringLiteral("0"));
    }

    void dropOutsideAnyCellDoesNothing() {
        Entry e(false);
        Form1& f = e.form();
        dragDigit(f, 5, &f, QPoint(5, 5));
        dragDigit(f, 5, f.Figur6, QPoint(300, 40));
        dragDigit(f, 5, f.Bezeichnung22);
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.points(), QStringLiteral("0"));
        QVERIFY(!f.DigitKey[5]->dragging());
    }

    void errorCounterRunsAcrossTasksAndModes() {
        Entry e(false);
        Form1& f = e.form();
        for (int i = 0; i < 3; ++i)
            e.rt.answer(shell::AnswerOk);
        dragDigit(f, 9, f.Bezeichnung7);
        QCOMPARE(e.errors(), QStringLiteral("1"));
        forceTask(e.rt, 4, 0, 7, 5);
        f.Befehl21_Click();
        dragDigit(f, 9, f.Bezeichnung7);
        QCOMPARE(e.errors(), QStringLiteral("2"));
        forceTask(e.rt, 4, 0, 7, 5, 3);
        f.Befehl20_Click();
        dragDigit(f, 9, f.luecke[11]);
        QCOMPARE(e.errors(), QStringLiteral("3"));
        QCOMPARE(f.Bezeichnung15->caption(), QStringLiteral("3"));
        QVERIFY(e.rt.allAnswersUsed());
    }

    // ------------------------------------------------------------ keyboard

    void keysDoNothingWithoutASelectedCell() {
        Entry e(false);
        Form1& f = e.form();
        for (Qt::Key k : {Qt::Key_7, Qt::Key_0, Qt::Key_A, Qt::Key_Return, Qt::Key_Shift})
            key(f, k);
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.errors(), QStringLiteral("0"));
        // Parking by a click on the marker cancels the selection.
        click(f.Bezeichnung7);
        QVERIFY(!f.lichtParked());
        click(f.licht);
        QVERIFY(f.lichtParked());
        key(f, Qt::Key_2);
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(f.Bezeichnung7->caption(), QString());
    }

    void onlyTheMainKeyboardDigitIsRight_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<bool>("right");
        QTest::newRow("main keyboard 7") << int(Qt::Key_7) << false << true;
        QTest::newRow("keypad 7") << int(Qt::Key_7) << true << false;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << false << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << false << false;
        QTest::newRow("letter G") << int(Qt::Key_G) << false << false;
        QTest::newRow("main keyboard 8") << int(Qt::Key_8) << false << false;
    }
    void onlyTheMainKeyboardDigitIsRight() {
        QFETCH(int, qtKey);
        QFETCH(bool, keypad);
        QFETCH(bool, right);
        Session s(4, 9, 0, 8); // 3920 : 8, the second product is 72
        Form1& f = s.form();
        click(f.Bezeichnung11);
        QCOMPARE(f.lichtwert->caption(), QStringLiteral("8"));
        QCOMPARE(f.lichtzahl->caption(), QStringLiteral("7"));
        QCOMPARE(tw::left(f.licht), tw::left(f.Bezeichnung11));
        QCOMPARE(tw::top(f.licht), tw::top(f.Bezeichnung11));
        if (!right) s.rt.answer(shell::AnswerOk);
        key(f, Qt::Key(qtKey), keypad ? Qt::KeypadModifier : Qt::NoModifier);
        if (right) {
            QVERIFY(s.rt.boxes.isEmpty());
            QCOMPARE(f.Bezeichnung11->caption(), QStringLiteral("7"));
            QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("1"));
            QVERIFY(f.lichtParked());
        } else {
            QCOMPARE(s.rt.boxes, QList<Box>{wrongBox()});
            QCOMPARE(f.Bezeichnung11->caption(), QString());
            QCOMPARE(f.Bezeichnung23->caption(), QStringLiteral("1"));
            QVERIFY(!f.lichtParked()); // the child may try again
        }
    }

    void typedRefusalParksTheMarkerAndPlacesNothing() {
        Session s(4, 9, 0, 8);
        Form1& f = s.form();
        click(f.Bezeichnung10);
        QCOMPARE(f.lichtwert->caption(), QStringLiteral("7"));
        s.rt.answer(shell::AnswerOk);
        key(f, Qt::Key_2);
        QCOMPARE(s.rt.boxes, QList<Box>{inputBox(kMissing)});
        QCOMPARE(f.Bezeichnung10->caption(), QString());
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("0"));
        QVERIFY(f.lichtParked());
    }

    void typedReminderComesBeforeThePoint() {
        Session s(4, 9, 0, 8);
        Form1& f = s.form();
        click(f.Bezeichnung9);
        QString placedAtBox, pointsAtBox;
        s.rt.onBox = [&](const Box&) {
            placedAtBox = f.Bezeichnung9->caption();
            pointsAtBox = f.Bezeichnung22->caption();
        };
        s.rt.answer(shell::AnswerOk);
        key(f, Qt::Key_7);
        QCOMPARE(s.rt.boxes, QList<Box>{inputBox(kMissing)});
        QCOMPARE(placedAtBox, QStringLiteral("7"));
        QCOMPARE(pointsAtBox, QStringLiteral("0"));
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("1"));
    }

    void theSolvingKeyLeadsToANewTaskWithBothMarkersParked() {
        Session s(4, 9, 0, 8);
        Form1& f = s.form();
        dragDigit(f, 4, f.Bezeichnung6);
        dragDigit(f, 9, f.Bezeichnung20);
        dragDigit(f, 0, f.Bezeichnung27);
        forceTask(s.rt, 9, 9, 9, 9, 8);
        f.Befehl20_Click();
        click(f.luecke[12]); // a selection in the remainder layout
        f.Befehl21_Click();  // parks it; back to a normal task
        QVERIFY(f.licht2Parked());
        forceTask(s.rt, 4, 9, 0, 8);
        f.NewNormalTask();
        dragDigit(f, 4, f.Bezeichnung6);
        dragDigit(f, 9, f.Bezeichnung20);
        dragDigit(f, 0, f.Bezeichnung27);
        tw::move(f.licht2, 120, 720);
        click(f.Bezeichnung28);
        forceTask(s.rt, 4, 1, 2, 3);
        s.rt.answer(shell::AnswerOk);
        key(f, Qt::Key_0);
        QCOMPARE(s.rt.boxes, QList<Box>{msgRecord(kSolved, 0, QStringLiteral("Teilaufgabe"))});
        QCOMPARE(f.Liste1.at(0), QStringLiteral("1236"));
        QVERIFY(f.lichtParked() && f.licht2Parked());
        QCOMPARE(f.Bezeichnung28->caption(), QString());
    }

    void aDropOnTheMarkerIsLikeTypingItsDigit() {
        Session s(4, 9, 0, 8);
        Form1& f = s.form();
        click(f.Bezeichnung11);
        // The marker lies over the cell and takes the drop.
        s.rt.answer(shell::AnswerOk);
        dragDigit(f, 3, f.Bezeichnung11);
        QCOMPARE(s.rt.takeBoxes(), QList<Box>{wrongBox()});
        QCOMPARE(f.Bezeichnung11->caption(), QString());
        QVERIFY(!f.lichtParked());
        dragDigit(f, 7, f.licht);
        QCOMPARE(f.Bezeichnung11->caption(), QStringLiteral("7"));
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("1"));
        QVERIFY(f.lichtParked());
        // The refusal applies on the marker too, with the keyboard's message.
        click(f.Bezeichnung17);
        s.rt.answer(shell::AnswerOk);
        dragDigit(f, 0, f.licht);
        QCOMPARE(s.rt.takeBoxes(), QList<Box>{inputBox(kMissing)});
        QCOMPARE(f.Bezeichnung17->caption(), QString());
        QVERIFY(f.lichtParked());
    }

    void remainderLayoutKeyboardEntry() {
        Entry e(true);
        Form1& f = e.form();
        click(f.luecke[11]);
        QCOMPARE(f.lichtwert->caption(), QStringLiteral("19"));
        QCOMPARE(tw::left(f.licht2), tw::left(f.luecke[11]));
        key(f, Qt::Key_2);
        QCOMPARE(f.luecke[11]->caption(), QStringLiteral("2"));
        QVERIFY(f.licht2Parked());
        // A selection in the normal layout's marker does not take keys in mode "R".
        tw::move(f.licht, 1560, 1440);
        key(f, Qt::Key_2);
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.points(), QStringLiteral("1"));
    }

    void clickOnAFilledCellChangesNothing() {
        Session s(4, 9, 0, 8);
        Form1& f = s.form();
        dragDigit(f, 3, f.Bezeichnung7);
        click(f.Bezeichnung9);
        const QPoint at(tw::left(f.licht), tw::top(f.licht));
        click(f.Bezeichnung7);
        QCOMPARE(QPoint(tw::left(f.licht), tw::top(f.licht)), at);
        QCOMPARE(f.lichtwert->caption(), QStringLiteral("6"));
    }

    // A quick second press, delivered as the platform does (press, release,
    // double-click, release), is a press of its own only in the window of the
    // first press and where the control of the first press no longer lies.
    void aDoubleClickIsOneClick_data() {
        QTest::addColumn<QString>("pair");
        QTest::newRow("on an empty cell: it stays selected") << "cell";
        QTest::newRow("on the marker, then at once on another cell") << "marker, cell";
        QTest::newRow("on the marker: the cell beneath is selected") << "marker";
        QTest::newRow("on a button: one click") << "button";
        QTest::newRow("on a button with a key between: two clicks") << "button, key";
        QTest::newRow("on O k a y: nothing beneath is clicked") << "okay";
        QTest::newRow("on an arrow of the game: two steps") << "arrow";
        QTest::newRow("on Abbruch: Ende beneath stays unpressed") << "Abbruch";
    }
    void aDoubleClickIsOneClick() {
        QFETCH(QString, pair);
        Session s(4, 9, 0, 8); // 3920 : 8, the second product is 72
        Form1& f = s.form();
        auto selected = [&f](VbLabel* cell) {
            return tw::left(f.licht) == tw::left(cell) && tw::top(f.licht) == tw::top(cell);
        };
        if (pair == "cell") {
            clickTwice(&f, centreOf(f.Bezeichnung11), &f, centreOf(f.Bezeichnung11));
            QVERIFY(selected(f.Bezeichnung11));
            key(f, Qt::Key_7);
            QCOMPARE(f.Bezeichnung11->caption(), QStringLiteral("7"));
        } else if (pair == "marker, cell") {
            click(f.Bezeichnung11);
            clickTwice(&f, centreOf(f.licht), &f, centreOf(f.Bezeichnung12));
            QVERIFY(selected(f.Bezeichnung12));
        } else if (pair == "marker") {
            click(f.Bezeichnung11);
            clickTwice(&f, centreOf(f.licht), &f, centreOf(f.licht));
            QVERIFY(selected(f.Bezeichnung11));
        } else if (pair == "button") {
            forceTask(s.rt, 5, 1, 2, 3);
            clickTwice(&f, centreOf(f.Befehl21), &f, centreOf(f.Befehl21));
            QCOMPARE(f.Liste1.value(0), QStringLiteral("1536")); // no second task drawn
        } else if (pair == "button, key") {
            // The second click answers what the first opened, closed by a key.
            forceTask(s.rt, 5, 1, 2, 3);
            forceTask(s.rt, 6, 0, 0, 4);
            const QPoint at = centreOf(f.Befehl21);
            platformMouse(&f, QEvent::MouseButtonPress, at);
            platformMouse(&f, QEvent::MouseButtonRelease, at, 30);
            key(f, Qt::Key_Return);
            platformMouse(&f, QEvent::MouseButtonPress, at, 30);
            platformMouse(&f, QEvent::MouseButtonRelease, at, 30);
            QCOMPARE(f.Liste1.value(0), QStringLiteral("2400"));
        } else if (pair == "okay") {
            click(f.Befehl1); // "Ende": the start window again
            shell::Form0& start = s.program.form0();
            click(start.Bild4);
            shell::ZEBLABEL* info = s.program.loadedInfoWindow();
            // "O k a y" over the start window's exercise picture.
            info->move(info->pos() + centreOf(start.Bild1) - centreOf(info->Bezeichnung1));
            clickTwice(info, centreOf(info->Bezeichnung1), &start, centreOf(start.Bild1));
            QVERIFY(!info->isVisible());
            QVERIFY(start.isVisible());
            QVERIFY(!f.isVisible());
        } else if (pair == "arrow") {
            games::Form4& game = s.program.form4();
            game.start(f);
            shell::forms::show(&game);
            clickTwice(&game, centreOf(game.Bild4), &game, centreOf(game.Bild4));
            QCOMPARE(game.MODUL1.CrossX, 16);
        } else if (pair == "Abbruch") {
            click(f.Befehl14);
            const QString sheetTask = f.Liste1.value(0);
            const QPoint abbruch = centreOf(f.Befehl16);
            clickTwice(&f, abbruch, &f, abbruch);
            QVERIFY(f.childAt(f.mapFromGlobal(abbruch)) == f.Befehl1); // "Ende" lies beneath
            QVERIFY(f.isVisible());
            QVERIFY(!s.program.form0().isVisible());
            QCOMPARE(f.Liste1.value(0), sheetTask); // the task stays
        }
        QVERIFY(s.rt.boxes.isEmpty());
    }

    // ------------------------------------------------------------ taps

    void aTapIsTheDigitDroppedOnTheMarker_data() {
        QTest::addColumn<bool>("remainder");
        QTest::addColumn<int>("how");
        for (bool r : {false, true}) {
            const char* layout = r ? "remainder layout" : "normal layout";
            QTest::addRow("%s, click", layout) << r << int(Tap::Click);
            QTest::addRow("%s, drag back onto the key", layout) << r << int(Tap::DragBack);
            QTest::addRow("%s, finger", layout) << r << int(Tap::Finger);
        }
    }
    void aTapIsTheDigitDroppedOnTheMarker() {
        QFETCH(bool, remainder);
        QFETCH(int, how);
        Entry e(remainder);
        Form1& f = e.form();
        VbLabel* product = e.at("Bezeichnung7", "luecke11"); // expects "2"
        auto parked = [&] { return remainder ? f.licht2Parked() : f.lichtParked(); };
        tap(f, 2, Tap(how)); // no cell selected: nothing
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.points(), QStringLiteral("0"));
        click(product);
        e.rt.answer(shell::AnswerOk);
        tap(f, 3, Tap(how));
        QCOMPARE(e.rt.takeBoxes(), QList<Box>{wrongBox()});
        QCOMPARE(e.errors(), QStringLiteral("1"));
        QCOMPARE(product->caption(), QString());
        QVERIFY(!parked());
        tap(f, 2, Tap(how));
        QCOMPARE(product->caption(), QStringLiteral("2"));
        QCOMPARE(e.points(), QStringLiteral("1"));
        QVERIFY(parked());
        QVERIFY(e.rt.boxes.isEmpty());
    }

    void aTaskSolvedByTapsAloneDrawsTheNextOne_data() { layouts_data(); }
    void aTaskSolvedByTapsAloneDrawsTheNextOne() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        Form1& f = e.form();
        const QList<QPair<const char*, int>> steps =
            remainder ? QList<QPair<const char*, int>>{{"luecke6", 4},
                                                       {"luecke7", 0},
                                                       {"luecke8", 7},
                                                       {"luecke10", 3},
                                                       {"luecke21", 3}}
                      : QList<QPair<const char*, int>>{{"Bezeichnung6", 4},
                                                       {"Bezeichnung20", 0},
                                                       {"Bezeichnung27", 7},
                                                       {"Bezeichnung28", 0}};
        forceTask(e.rt, 9, 9, 9, 9, remainder ? 8 : 0);
        e.rt.answer(shell::AnswerOk);
        for (const auto& [cell, digit] : steps) {
            click(f.cellNamed(QLatin1String(cell)));
            tap(f, digit);
        }
        QCOMPARE(e.rt.boxes, QList<Box>{msgRecord(kSolved, 0,
                                                  remainder ? QStringLiteral("Lückenaufgabe")
                                                            : QStringLiteral("Teilaufgabe"))});
        QCOMPARE(f.Liste1.value(0), QLatin1String(remainder ? "8999" : "8991"));
        QCOMPARE(e.points(), QString::number(steps.size()));
        QVERIFY(f.lichtParked() && f.licht2Parked());
    }

    void helpBoxExplainsBothWaysOfEntry() {
        Session s;
        s.rt.answer(shell::AnswerOk);
        QTest::mouseClick(s.form().Befehl15, Qt::LeftButton);
        QCOMPARE(s.rt.boxes.size(), 1);
        const Box b = s.rt.boxes.at(0);
        QCOMPARE(b.title, QStringLiteral("Hilfe"));
        QCOMPARE(b.style, 0);
        QCOMPARE(b.prompt.count(QLatin1Char('\r')), 7);
        QVERIFY(
            b.prompt.startsWith(QStringLiteral("Schiebe die Ziffern vom unteren Fensterrand\r")));
        QVERIFY(b.prompt.endsWith(
            QStringLiteral("alle 50 Punkte gibt es dann ein Belohnungsspiel.\r")));
    }
};

QTEST_MAIN(TestDigitEntry)
#include "test_digit_entry.moc"
