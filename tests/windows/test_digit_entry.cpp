// Digit entry through the exercise window as a child does it: drags of the
// digit keys, a click on a cell and a key, taps, double-clicks; each refusal
// and reminder shown in its box. (The rules themselves: test_exercise.)
#include <QMenu>
#include <QTest>

#include "exercise_driver.h"
#include "info_window.h"
#include "memory_window.h"
#include "number_catch_window.h"
#include "window_stack.h"

using namespace drive;
using Box = ScriptedDesktop::Box;
using core::CellRole;
using core::Mode;

namespace {
const QString kFirst = QStringLiteral("Setze zuerst die Ergebnisziffer ein.\r\r");
const QString kMissing = QStringLiteral("Es fehlt noch die Ergebnisziffer!\r\r");
const QString kSolved = QStringLiteral("Die Aufgabe wurde richtig gelöst.\r\r");

Box inputBox(const QString& text) {
    return msgRecord(text, {}, QStringLiteral("Eingabefehler"));
}

// Presses keys as named in a row, "Tab", "Ctrl+Shift+Tab", "Shift" alone, a
// digit, one after another; each goes where the keyboard is.
void pressKeys(QWidget* window, const QString& names) {
    for (const QString& name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QWidget* to = drive::keyTarget(window);
        if (name == QLatin1String("Shift")) {
            QTest::keyClick(to, Qt::Key_Shift);
            continue;
        }
        const QKeyCombination k = QKeySequence::fromString(name)[0];
        QVERIFY2(k.key() != Qt::Key_unknown, qPrintable(name));
        QTest::keyClick(to, k.key(), k.keyboardModifiers());
    }
}

// Opens the window on 2035 : 5, or on 2038 : 5 remainder 3 with remainder.
struct Entry : Session {
    Mode mode;
    explicit Entry(bool remainder)
        : Session(4, 0, 7, 5), mode(remainder ? Mode::Remainder : Mode::Normal) {
        if (remainder) {
            forceTask(rt, 4, 0, 7, 5, 3);
            QTest::mouseClick(form().remainderButton, Qt::LeftButton);
        }
    }
    widgets::DigitCell* at(CellRole role) { return cellOf(form(), mode, role); }
    widgets::PictureButton* marker() { return form().layout(mode).marker(); }
    bool markerParked() { return form().layout(mode).markerParked(); }
    QString points() { return form().counters().pointsCounter->text(); }
    QString errors() { return form().counters().errorsCounter->text(); }
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

    // What a dropped digit makes the window say, and what it shows meanwhile.
    void boxesOfADrop_data() {
        QTest::addColumn<bool>("remainder");
        QTest::addColumn<int>("role");
        QTest::addColumn<int>("digit");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("shownDuringBox");
        for (bool r : {false, true}) {
            const char* layout = r ? "remainder layout" : "normal layout";
            QTest::addRow("%s: wrong product, shown then taken out", layout)
                << r << int(CellRole::Product1Tens) << 9 << "wrong" << "9";
            QTest::addRow("%s: brought down before the quotient digit", layout)
                << r << int(CellRole::BroughtDown1) << 3 << kFirst << "";
            QTest::addRow("%s: difference before the quotient digit", layout)
                << r << int(CellRole::Difference1) << 0 << kMissing << "0";
        }
    }
    void boxesOfADrop() {
        QFETCH(bool, remainder);
        QFETCH(int, role);
        QFETCH(int, digit);
        QFETCH(QString, box);
        QFETCH(QString, shownDuringBox);
        Entry e(remainder);
        widgets::DigitCell* cell = e.at(CellRole(role));
        QString shown, errorsShown;
        e.rt.onBox = [&](const Box&) {
            shown = cell->text();
            errorsShown = e.errors();
        };
        e.rt.answer(widgets::Answer::Ok);
        dragDigit(e.form(), digit, cell);
        QCOMPARE(e.rt.boxes, QList<Box>{box == "wrong" ? wrongBox() : inputBox(box)});
        QCOMPARE(shown, shownDuringBox);
        QCOMPARE(errorsShown, QStringLiteral("0")); // counted once the child closed the box
        QCOMPARE(e.errors(), QString(box == "wrong" ? "1" : "0"));
        QCOMPARE(cell->text(), box == kMissing ? shownDuringBox : QString());
    }

    void givenCellsAndEmptySpaceTakeNoDrops_data() { layouts_data(); }
    void givenCellsAndEmptySpaceTakeNoDrops() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        ExerciseWindow& f = e.form();
        DivisionLayout& layout = f.layout(e.mode);
        QList<QLabel*> given{static_cast<QLabel*>(layout.divisorCell())};
        for (widgets::DigitCell* c : layout.dividendCells())
            given << c;
        QStringList before;
        for (QLabel* g : given)
            before << g->text();
        for (QLabel* g : given)
            dragDigit(f, 5, g);
        dragDigit(f, 5, &f, QPoint(5, 5));
        dragDigit(f, 5, f.workFrame, QPoint(450, 250));
        dragDigit(f, 5, f.counters().pointsCounter);
        QStringList after;
        for (QLabel* g : given)
            after << g->text();
        QCOMPARE(after, before);
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.points(), QStringLiteral("0"));
        QVERIFY(!f.digitKeys[5]->dragging());
    }

    // ------------------------------------------------------------ keyboard

    void keysDoNothingWithoutAWaitingCell() {
        Entry e(false);
        ExerciseWindow& f = e.form();
        for (Qt::Key k : {Qt::Key_7, Qt::Key_0, Qt::Key_A, Qt::Key_Return, Qt::Key_Shift})
            key(f, k);
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.errors(), QStringLiteral("0"));
        // A click on the marker parks it: the cell waits no more.
        click(e.at(CellRole::Product1Tens));
        QVERIFY(!e.markerParked());
        click(e.marker());
        QVERIFY(e.markerParked());
        key(f, Qt::Key_2);
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.at(CellRole::Product1Tens)->text(), QString());
    }

    void onlyTheMainKeyboardDigitIsRight_data() {
        QTest::addColumn<bool>("remainder");
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<bool>("right");
        for (bool r : {false, true}) {
            const char* layout = r ? "remainder layout" : "normal layout";
            QTest::addRow("%s: main keyboard 3", layout) << r << int(Qt::Key_3) << false << true;
            QTest::addRow("%s: keypad 3", layout) << r << int(Qt::Key_3) << true << false;
            QTest::addRow("%s: main keyboard 8", layout) << r << int(Qt::Key_8) << false << false;
        }
        QTest::newRow("Shift") << false << int(Qt::Key_Shift) << false << false;
        QTest::newRow("Enter") << false << int(Qt::Key_Return) << false << false;
        QTest::newRow("letter G") << false << int(Qt::Key_G) << false << false;
    }
    void onlyTheMainKeyboardDigitIsRight() {
        QFETCH(bool, remainder);
        QFETCH(int, qtKey);
        QFETCH(bool, keypad);
        QFETCH(bool, right);
        Entry e(remainder);
        ExerciseWindow& f = e.form();
        widgets::DigitCell* cell = e.at(CellRole::Difference2); // wants 3
        dragDigit(f, 0, e.at(CellRole::Quotient2));
        click(cell);
        QCOMPARE(tw::left(e.marker()), tw::left(cell));
        QCOMPARE(tw::top(e.marker()), tw::top(cell));
        if (!right) e.rt.answer(widgets::Answer::Ok);
        key(f, Qt::Key(qtKey), keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(e.rt.boxes, right ? QList<Box>{} : QList<Box>{wrongBox()});
        QCOMPARE(cell->text(), right ? QStringLiteral("3") : QString());
        QCOMPARE(e.errors(), right ? QStringLiteral("0") : QStringLiteral("1"));
        QCOMPARE(e.markerParked(), right); // after a wrong key the child may try again
    }

    // ------------------------------------------------------------ keyboard alone

    // Tab, Shift+Tab and the arrows select empty cells, Ctrl+Tab goes to the
    // controls and back; none of them is a wrong key, while every other key
    // still is. `waiting` is the cell selected afterwards, `focus` the control
    // with the keyboard (when it is no cell).
    void keysMoveTheKeyboard_data() {
        QTest::addColumn<bool>("remainder");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("waiting");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("errors");
        auto row = [](const char* name, bool r, const char* keys, const char* waiting,
                      const char* focus = "", int errors = 0) {
            QTest::newRow(name) << r << keys << waiting << focus << errors;
        };
        row("Tab: the first quotient digit", false, "Tab", "Quotient1");
        row("Tab again: the first product, in working order", false, "Tab Tab", "Product1Tens");
        row("Shift+Tab: the last cell", false, "Shift+Tab", "FinalDifference");
        row("with remainder, Shift+Tab: the remainder", true, "Shift+Tab", "Remainder");
        row("Shift+Tab from the first goes round", false, "Tab Shift+Tab", "FinalDifference");
        row("Tab from the last goes round", true, "Shift+Tab Tab", "Quotient1");
        row("a typed digit, Tab: on from that cell", false, "Tab 4 Tab", "Product1Tens");
        row("Tab skips filled cells", false, "Tab 4 Shift+Tab Tab", "Product1Tens");
        row("Shift+Tab skips filled cells", true, "Tab 4 Tab 2 Shift+Tab", "Remainder");
        row("Right: the cell beside", false, "Tab Tab Right", "Product1Units");
        row("Down: the cell beneath", true, "Tab Tab Tab Down", "Difference1");
        row("Left: the nearest that way", false, "Tab Tab Tab Down Left", "Product1Tens");
        row("Up from the product: the quotient digit", false, "Tab Tab Up", "Quotient1");
        row("no empty cell that way: it stays", false, "Tab Up", "Quotient1");
        row("an arrow, no cell waiting: the first", false, "Down", "Quotient1");
        row("Ctrl+Tab: to the buttons, no cell waits", false, "Tab Ctrl+Tab", "", "endButton");
        row("Ctrl+Shift+Tab: to the last control", false, "Ctrl+Shift+Tab", "", "errorsCounter");
        row("along the controls", false, "Ctrl+Tab Tab Right Left Shift+Tab Tab", "", "helpButton");
        row("Ctrl+Tab back: the first empty cell", false, "Tab Tab Ctrl+Tab Ctrl+Tab", "Quotient1");
        row("Shift let go alone still counts", false, "Tab Shift", "Quotient1", "", 1);
        row("Shift with a digit: both count", false, "Tab Shift+4", "", "normalQuotient1", 1);
        row("Enter with a cell waiting still counts", false, "Tab Return", "Quotient1", "", 1);
        row("a letter still counts", true, "Tab Tab G", "Product1Tens", "", 1);
        row("Space in the division presses nothing", false, "Space", "", "exerciseWindow");
    }
    void keysMoveTheKeyboard() {
        QFETCH(bool, remainder);
        QFETCH(QString, keys);
        QFETCH(QString, waiting);
        QFETCH(QString, focus);
        QFETCH(int, errors);
        Entry e(remainder); // 2035 : 5, or 2038 : 5 remainder 3
        ExerciseWindow& f = e.form();
        for (int i = 0; i < errors; ++i)
            e.rt.answer(widgets::Answer::Ok);
        pressKeys(&f, keys);
        const std::optional<int> cell = f.exercise().selectedCell();
        QCOMPARE(cell ? f.cell(*cell)->objectName() : QString(),
                 waiting.isEmpty() ? QString() : (remainder ? "remainder" : "normal") + waiting);
        if (cell) {
            QCOMPARE(QPoint(tw::left(e.marker()), tw::top(e.marker())),
                     QPoint(tw::left(f.cell(*cell)), tw::top(f.cell(*cell))));
            QCOMPARE(f.focusWidget(), f.cell(*cell)); // an assistive tool follows the keyboard
        } else if (!focus.isEmpty()) {
            QCOMPARE(f.focusWidget()->objectName(), focus);
        }
        QCOMPARE(e.errors(), QString::number(errors));
        QCOMPARE(e.rt.boxes, QList<Box>(errors, wrongBox()));
    }

    // From the start window through a solved task, a worksheet and back, by
    // keys alone: Tab and digits fill the division in working order.
    void aTaskAndASheetByKeysAlone() {
        ScriptedDesktop rt;
        app::Program program(rt);
        program.start();
        windows::StartWindow& start = program.startWindow();
        QVERIFY(QTest::qWaitForWindowActive(&start));
        forceTask(rt, 4, 0, 7, 5); // 2035 : 5
        pressKeys(&start, QStringLiteral("Tab Return"));
        ExerciseWindow& f = program.exerciseWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QVERIFY(!start.isVisible());
        rt.answer(widgets::Answer::Ok);
        forceTask(rt, 5, 1, 2, 3);
        for (const char* digit : {"4", "2", "0", "0", "3", "0", "0", "0", "3", "5", "7", "3", "5"})
            pressKeys(&f, QStringLiteral("Tab ") + QLatin1String(digit));
        QVERIFY(rt.boxes.isEmpty());
        pressKeys(&f, QStringLiteral("Tab 0"));
        QCOMPARE(rt.takeBoxes(), QList<Box>{msgRecord(kSolved, {}, QStringLiteral("Teilaufgabe"))});
        QCOMPARE(f.exercise().task().dividend(), 1536);
        QCOMPARE(f.counters().pointsCounter->text(), QStringLiteral("14"));

        pressKeys(&f, QStringLiteral("Ctrl+Tab Right Right Right Right Return"));
        QVERIFY(f.exercise().sheet());
        QCOMPARE(f.focusWidget(), f.sheetPanel().closeButton);
        // Round the panel, the sheet and the counters; the covered buttons are passed by.
        pressKeys(&f, QStringLiteral("Tab Tab Tab Tab Tab Shift+Tab Shift+Tab Left Left Left"));
        QCOMPARE(f.focusWidget(), f.sheetPanel().closeButton);
        pressKeys(&f, QStringLiteral("Space"));
        QVERIFY(!f.exercise().sheet());
        QCOMPARE(f.focusWidget(), f.sheetButton);
        pressKeys(&f, QStringLiteral("Left Left Left Left Return"));
        QVERIFY(!f.isVisible());
        QVERIFY(start.isVisible());
        QCOMPARE(f.counters().errorsCounter->text(), QStringLiteral("0"));
    }

    // The controls that are no button, pressed by Space or Enter.
    void labelsPressedByKeys_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("the reward prompt opens its game") << "prompt";
        QTest::newRow("a counter opens its menu") << "counter";
        QTest::newRow("O k a y closes the info window") << "okay";
        QTest::newRow("a memory card turns up") << "card";
    }
    void labelsPressedByKeys() {
        QFETCH(QString, what);
        Session s;
        ExerciseWindow& f = s.form();
        if (what == "prompt") {
            earnPoints(f, 50);
            QVERIFY(f.numberCatchPrompt->isVisible());
            pressKeys(&f, QStringLiteral("Ctrl+Shift+Tab Shift+Tab Shift+Tab Return"));
            auto& game = dynamic_cast<games::NumberCatchWindow&>(
                s.program.rewardGame(games::Reward::Points));
            QVERIFY(game.isVisible());
            QVERIFY(!f.numberCatchPrompt->isVisible());
        } else if (what == "counter") {
            pressKeys(&f, QStringLiteral("Ctrl+Shift+Tab Shift+Tab Space"));
            QVERIFY(f.counters().menu() && f.counters().menu()->isVisible());
            f.counters().menu()->hide();
        } else if (what == "okay") {
            pressKeys(&f, QStringLiteral("Ctrl+Tab Return")); // "Ende"
            click(s.program.startWindow().infoPicture);
            windows::InfoWindow* info = s.program.loadedInfoWindow();
            QVERIFY(info && QTest::qWaitForWindowActive(info));
            pressKeys(info, QStringLiteral("Tab Return"));
            QVERIFY(!info->isVisible());
            QVERIFY(info->printingLocked()); // the switch stays
        } else if (what == "card") {
            auto& m =
                dynamic_cast<games::MemoryWindow&>(s.program.rewardGame(games::Reward::Ladder));
            m.open(f);
            QVERIFY(QTest::qWaitForWindowActive(&m));
            pressKeys(&m, QStringLiteral("Down Down Space"));
            QCOMPARE(m.game().state(2), games::MemoryGame::CardState::Open);
            QCOMPARE(m.cards[2]->accessibleDescription(),
                     QStringLiteral("aufgedeckt: ") + m.cards[2]->text());
        }
        QVERIFY(s.rt.boxes.isEmpty());
    }

    // The marker lies over the waiting cell and takes drops as its digit.
    void aDropOnTheMarkerIsLikeTypingItsDigit() {
        Session s(4, 9, 0, 8); // 3920 : 8, the second product is 72
        ExerciseWindow& f = s.form();
        widgets::DigitCell* product = normalCell(f, CellRole::Product2Tens);
        widgets::PictureButton* marker = f.layout(Mode::Normal).marker();
        click(product);
        s.rt.answer(widgets::Answer::Ok);
        dragDigit(f, 3, product);
        QCOMPARE(s.rt.takeBoxes(), QList<Box>{wrongBox()});
        QVERIFY(!f.layout(Mode::Normal).markerParked());
        dragDigit(f, 7, marker);
        QCOMPARE(product->text(), QStringLiteral("7"));
        QVERIFY(f.layout(Mode::Normal).markerParked());
        // The refusal on the marker speaks as the keyboard's does.
        click(normalCell(f, CellRole::BroughtDown2));
        s.rt.answer(widgets::Answer::Ok);
        dragDigit(f, 0, marker);
        QCOMPARE(s.rt.takeBoxes(), QList<Box>{inputBox(kMissing)});
        // A filled cell takes no click: the marker stays where it is.
        click(normalCell(f, CellRole::Difference1));
        const QPoint at(tw::left(marker), tw::top(marker));
        click(product);
        QCOMPARE(QPoint(tw::left(marker), tw::top(marker)), at);
    }

    // ------------------------------------------------------------ double-clicks

    // A quick second press, delivered as the platform does (press, release,
    // double-click, release), is a press of its own only where digits are
    // entered, in the window of the first press and where the control of the
    // first press no longer lies.
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
        ExerciseWindow& f = s.form();
        widgets::PictureButton* marker = f.layout(Mode::Normal).marker();
        auto selected = [marker](QWidget* cell) {
            return tw::left(marker) == tw::left(cell) && tw::top(marker) == tw::top(cell);
        };
        widgets::DigitCell* tens = normalCell(f, CellRole::Product2Tens);
        widgets::DigitCell* units = normalCell(f, CellRole::Product2Units);
        if (pair == "cell") {
            clickTwice(&f, centreOf(tens), &f, centreOf(tens));
            QVERIFY(selected(tens));
            key(f, Qt::Key_7);
            QCOMPARE(tens->text(), QStringLiteral("7"));
        } else if (pair == "marker, cell") {
            click(tens);
            clickTwice(&f, centreOf(marker), &f, centreOf(units));
            QVERIFY(selected(units));
        } else if (pair == "marker") {
            click(tens);
            clickTwice(&f, centreOf(marker), &f, centreOf(marker));
            QVERIFY(selected(tens));
        } else if (pair == "button") {
            forceTask(s.rt, 5, 1, 2, 3);
            clickTwice(&f, centreOf(f.normalButton), &f, centreOf(f.normalButton));
            QCOMPARE(f.exercise().task().dividend(), 1536); // no second task drawn
        } else if (pair == "button, key") {
            // The second click answers what the first opened, closed by a key.
            forceTask(s.rt, 5, 1, 2, 3);
            forceTask(s.rt, 6, 0, 0, 4);
            const QPoint at = centreOf(f.normalButton);
            platformMouse(&f, QEvent::MouseButtonPress, at);
            platformMouse(&f, QEvent::MouseButtonRelease, at, 30);
            key(f, Qt::Key_Return);
            platformMouse(&f, QEvent::MouseButtonPress, at, 30);
            platformMouse(&f, QEvent::MouseButtonRelease, at, 30);
            QCOMPARE(f.exercise().task().dividend(), 2400);
        } else if (pair == "okay") {
            click(f.endButton); // "Ende": the start window again
            windows::StartWindow& start = s.program.startWindow();
            click(start.infoPicture);
            windows::InfoWindow* info = s.program.loadedInfoWindow();
            // "O k a y" over the start window's exercise picture.
            info->move(info->pos() + centreOf(start.exercisePicture) - centreOf(info->okayLabel));
            clickTwice(info, centreOf(info->okayLabel), &start, centreOf(start.exercisePicture));
            QVERIFY(!info->isVisible());
            QVERIFY(start.isVisible());
            QVERIFY(!f.isVisible());
        } else if (pair == "arrow") {
            auto& game = dynamic_cast<games::NumberCatchWindow&>(
                s.program.rewardGame(games::Reward::Points));
            game.open(f);
            clickTwice(&game, centreOf(game.rightArrow), &game, centreOf(game.rightArrow));
            QCOMPARE(game.game().cross().column, 16);
        } else if (pair == "Abbruch") {
            click(f.sheetButton);
            const core::Task sheetTask = f.exercise().task();
            const QPoint abbruch = centreOf(f.sheetPanel().closeButton);
            clickTwice(&f, abbruch, &f, abbruch);
            QVERIFY(f.childAt(f.mapFromGlobal(abbruch)) == f.endButton); // "Ende" lies beneath
            QVERIFY(f.isVisible());
            QVERIFY(!s.program.startWindow().isVisible());
            QCOMPARE(f.exercise().task(), sheetTask);
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
        ExerciseWindow& f = e.form();
        widgets::DigitCell* product = e.at(CellRole::Product1Tens); // wants "2"
        tap(f, 2, Tap(how)); // no cell waits: nothing
        QVERIFY(e.rt.boxes.isEmpty());
        QCOMPARE(e.points(), QStringLiteral("0"));
        click(product);
        e.rt.answer(widgets::Answer::Ok);
        tap(f, 3, Tap(how));
        QCOMPARE(e.rt.takeBoxes(), QList<Box>{wrongBox()});
        QCOMPARE(e.errors(), QStringLiteral("1"));
        QCOMPARE(product->text(), QString());
        QVERIFY(!e.markerParked());
        tap(f, 2, Tap(how));
        QCOMPARE(product->text(), QStringLiteral("2"));
        QCOMPARE(e.points(), QStringLiteral("1"));
        QVERIFY(e.markerParked());
        QVERIFY(e.rt.boxes.isEmpty());
    }

    void aTaskSolvedByTapsAloneDrawsTheNextOne_data() { layouts_data(); }
    void aTaskSolvedByTapsAloneDrawsTheNextOne() {
        QFETCH(bool, remainder);
        Entry e(remainder);
        ExerciseWindow& f = e.form();
        QList<QPair<CellRole, int>> steps{{CellRole::Quotient1, 4},
                                          {CellRole::Quotient2, 0},
                                          {CellRole::Quotient3, 7},
                                          {CellRole::FinalDifference, remainder ? 3 : 0}};
        if (remainder) steps.insert(3, {CellRole::Remainder, 3});
        forceTask(e.rt, 9, 9, 9, 9, remainder ? 8 : 0);
        e.rt.answer(widgets::Answer::Ok);
        for (const auto& [role, digit] : steps) {
            click(e.at(role));
            tap(f, digit);
        }
        QCOMPARE(e.rt.boxes, QList<Box>{msgRecord(kSolved, {},
                                                  remainder ? QStringLiteral("Lückenaufgabe")
                                                            : QStringLiteral("Teilaufgabe"))});
        QCOMPARE(f.exercise().task().dividend(), remainder ? 8999 : 8991);
        QCOMPARE(e.points(), QString::number(steps.size()));
        QVERIFY(e.markerParked());
        QCOMPARE(e.at(CellRole::Quotient1)->text(), QString());
    }

    // The seven lines about the mouse and the keys stay as they were; the keys
    // that work without a mouse follow.
    void helpBoxExplainsBothWaysOfEntry() {
        Session s;
        s.rt.answer(widgets::Answer::Ok);
        QTest::mouseClick(s.form().helpButton, Qt::LeftButton);
        QCOMPARE(s.rt.boxes.size(), 1);
        const Box b = s.rt.boxes.at(0);
        QCOMPARE(b.title, QStringLiteral("Hilfe"));
        QCOMPARE(b.style, widgets::BoxStyle{});
        const QStringList lines = b.prompt.split(QLatin1Char('\r'));
        QCOMPARE(lines.value(0), QStringLiteral("Schiebe die Ziffern vom unteren Fensterrand"));
        QCOMPARE(lines.value(6),
                 QStringLiteral("alle 50 Punkte gibt es dann ein Belohnungsspiel."));
        const QString keys = lines.mid(7).join(QLatin1Char(' '));
        for (const char* k : {"Tab", "Umschalt+Tab", "Pfeiltasten", "Strg+Tab", "Leertaste"})
            QVERIFY2(keys.contains(QLatin1String(k)), k);
    }
};

QTEST_MAIN(TestDigitEntry)
#include "test_digit_entry.moc"
