#include <QTest>
#include <QWindow>
#include <random>

#include "exercise_stub.h"
#include "number_catch_window.h"
#include "scripted_desktop.h"
#include "twips.h"

using games::Cell;
using games::NumberCatchGame;
using games::NumberCatchWindow;

namespace games {
char* toString(const Cell& c) {
    return QTest::toString(QPoint(c.column, c.row));
}
} // namespace games

namespace {

const auto kQuit = msgRecord("  Dieses Spiel jetzt beenden?", {widgets::Buttons::YesNo, widgets::Icon::Stop}, "Zahlfange");
const auto kEnd = msgRecord("  Das Spiel ist beendet!", {}, "Zahlfange");
const QRgb kNavy = qRgb(0, 0, 128);

// Moves as letters L, U, D, R, each followed by the catch check.
void steer(NumberCatchGame& g, const QString& moves) {
    using D = NumberCatchGame::Direction;
    const D dirs[] = {D::Left, D::Up, D::Down, D::Right};
    for (QChar c : moves) {
        g.move(dirs[QStringLiteral("LUDR").indexOf(c)]);
        g.catchNext();
    }
}

// From the start to the diagonal the digits wait on, catching the first n.
QString diagonal(int n) {
    return QString(10, 'L') + QString(5, 'U') + QStringLiteral("RD").repeated(n - 1);
}

QList<Cell> cells(const QList<int>& columnsAndRows) {
    QList<Cell> c;
    for (int i = 0; i + 1 < columnsAndRows.size(); i += 2)
        c.append({columnsAndRows[i], columnsAndRows[i + 1]});
    return c;
}

QRect cellRect(const QWidget& w, Cell c) {
    const tw::Zoom z = tw::zoomOf(&w);
    return QRect(z.offset + QPoint(tw::toPx(&w, 280 * c.column), tw::toPx(&w, 280 * c.row)),
                 QSize(tw::toPx(&w, 280), tw::toPx(&w, 280)));
}

int ink(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixel(x, y) == kNavy;
    return n;
}

// Cells of the game that show nothing, plus pixels drawn outside them.
int fieldFaults(NumberCatchWindow& w) {
    const QImage img = w.grab().toImage();
    QList<Cell> shown{w.game().cross()};
    for (const NumberCatchGame::Digit& d : w.game().digitsLeft())
        shown.append(d.cell);
    QRegion drawn;
    int faults = 0;
    for (Cell c : shown) {
        faults += ink(img, cellRect(w, c)) == 0;
        drawn += cellRect(w, c);
    }
    int stray = ink(img, img.rect());
    for (const QRect& r : drawn)
        stray -= ink(img, r);
    return faults + stray;
}

struct Play {
    ScriptedDesktop rt;
    ExerciseStub ex{rt.windows};
    NumberCatchWindow w{rt.windows};
    Play() { w.open(ex); }
    void key(Qt::Key k) {
        QWidget* f = w.focusWidget();
        QTest::keyClick(f ? f : &w, k);
    }
};

} // namespace

class NumberCatchTest : public QObject {
    Q_OBJECT
  private slots:
    void crossStopsAtTheEdges_data() {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QList<int>>("cross");
        QTest::newRow("left, one more than there is room") << QString(14, 'L') << QList{1, 9};
        QTest::newRow("right") << QString(11, 'R') << QList{24, 9};
        QTest::newRow("up") << QString(7, 'U') << QList{14, 3};
        QTest::newRow("down") << QString(8, 'D') << QList{14, 16};
        QTest::newRow("there and back") << QStringLiteral("LLUURD") << QList{13, 8};
    }
    void crossStopsAtTheEdges() {
        QFETCH(QString, moves);
        QFETCH(QList<int>, cross);
        NumberCatchGame g;
        steer(g, moves);
        QCOMPARE(g.cross(), cells(cross).first());
    }

    void digitsAreCaughtInOrder_data() {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("left");
        QTest::newRow("over the 5 before the 0") << QString(5, 'L') << 10;
        QTest::newRow("the 0") << diagonal(1) << 9;
        QTest::newRow("the 0 and the 1") << diagonal(2) << 8;
        QTest::newRow("all ten") << diagonal(10) << 0;
    }
    void digitsAreCaughtInOrder() {
        QFETCH(QString, moves);
        QFETCH(int, left);
        NumberCatchGame g;
        steer(g, moves);
        QCOMPARE(int(g.digitsLeft().size()), left);
        for (int i = 0; i < left; ++i)
            QCOMPARE(g.digitsLeft()[i].value, 10 - left + i);
        QCOMPARE(g.finished(), left == 0);
    }

    // With the 8 and the 9 left, the cross on the 7's cell (11, 11).
    void jumpTakesTheDrawsInOrder_data() {
        QTest::addColumn<QList<int>>("draws"); // column, row, ...
        QTest::addColumn<QList<int>>("placed");
        QTest::addColumn<int>("leftAfterTheCheck");
        QTest::newRow("corners") << QList{1, 3, 24, 16} << QList{1, 3, 24, 16} << 2;
        QTest::newRow("a shared column is drawn again")
            << QList{5, 5, 5, 8, 10, 10} << QList{5, 5, 10, 10} << 2;
        QTest::newRow("a shared row is drawn again")
            << QList{5, 5, 9, 5, 10, 10} << QList{5, 5, 10, 10} << 2;
        QTest::newRow("onto the cross") << QList{11, 11, 3, 4} << QList{11, 11, 3, 4} << 1;
    }
    void jumpTakesTheDrawsInOrder() {
        QFETCH(QList<int>, draws);
        QFETCH(QList<int>, placed);
        QFETCH(int, leftAfterTheCheck);
        NumberCatchGame g;
        steer(g, diagonal(8));
        QList<double> numbers;
        for (int i = 0; i < draws.size(); ++i)
            numbers << (i % 2 ? ScriptedDesktop::draw(draws[i], 3, 14)
                              : ScriptedDesktop::draw(draws[i], 1, 24));
        g.jump([&] { return numbers.isEmpty() ? 0.999 : numbers.takeFirst(); });
        QVERIFY(numbers.isEmpty());
        QCOMPARE(g.digitsLeft()[0].cell, cells(placed)[0]);
        QCOMPARE(g.digitsLeft()[1].cell, cells(placed)[1]);
        g.catchNext();
        QCOMPARE(int(g.digitsLeft().size()), leftAfterTheCheck);
    }

    void jumpsKeepRowsAndColumnsApart() {
        std::mt19937 gen(7);
        std::uniform_real_distribution<double> rnd(0, 1);
        NumberCatchGame g;
        for (int jump = 0; jump < 300; ++jump) {
            g.jump([&] { return rnd(gen); });
            const auto& d = g.digitsLeft();
            for (size_t i = 0; i < d.size(); ++i) {
                QVERIFY(d[i].cell.column >= 1 && d[i].cell.column <= 24);
                QVERIFY(d[i].cell.row >= 3 && d[i].cell.row <= 16);
                for (size_t j = 0; j < i; ++j)
                    QVERIFY(d[i].cell.column != d[j].cell.column && d[i].cell.row != d[j].cell.row);
            }
        }
    }

    void endQuestionHoldsTheClock_data() {
        QTest::addColumn<bool>("byEsc");
        QTest::addColumn<int>("answer");
        QTest::newRow("ENDE, No") << false << int(widgets::Answer::No);
        QTest::newRow("Esc, No") << true << int(widgets::Answer::No);
        QTest::newRow("ENDE, Yes") << false << int(widgets::Answer::Yes);
        QTest::newRow("Esc, Yes") << true << int(widgets::Answer::Yes);
    }
    void endQuestionHoldsTheClock() {
        QFETCH(bool, byEsc);
        QFETCH(int, answer);
        Play p;
        QVERIFY(p.w.jumpTimer->isActive());
        QCOMPARE(p.w.jumpTimer->interval(), 7000);
        bool tickingInBox = true;
        p.rt.onBox = [&](const ScriptedDesktop::Box&) { tickingInBox = p.w.jumpTimer->isActive(); };
        p.rt.answer(widgets::Answer(answer));
        if (byEsc)
            p.key(Qt::Key_Escape);
        else
            QTest::mouseClick(p.w.endButton, Qt::LeftButton);
        QCOMPARE(p.rt.takeBoxes(), QList{kQuit});
        QVERIFY(!tickingInBox);
        const bool ended = answer == int(widgets::Answer::Yes);
        QCOMPARE(p.w.isVisible(), !ended);
        QCOMPARE(p.ex.isVisible(), ended);
        QCOMPARE(p.ex.activations, ended ? 1 : 0);
        QCOMPARE(p.w.jumpTimer->isActive(), !ended);
    }

    void lastDigitEndsTheGameOnce() {
        Play p;
        int boxes = 0;
        bool tickingInBox = true;
        p.rt.onBox = [&](const ScriptedDesktop::Box&) {
            if (++boxes > 1) return;
            tickingInBox = p.w.jumpTimer->isActive();
            // A tick due and a key pressed while the box is open.
            p.w.jump();
            p.key(Qt::Key_Left);
        };
        p.rt.answer(widgets::Answer::Ok);
        const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Right};
        for (QChar c : diagonal(10))
            p.key(keys[QStringLiteral("LUDR").indexOf(c)]);
        QCOMPARE(p.rt.takeBoxes(), QList{kEnd});
        QVERIFY(!tickingInBox);
        QCOMPARE(p.w.nextDigitLabel->text(), QString());
        QVERIFY(p.w.isHidden());
        QCOMPARE(p.ex.activations, 1);

        // A new game on a clear field; the label follows from the first move.
        p.w.open(p.ex);
        QCOMPARE(ink(p.w.grab().toImage(), p.w.rect()), 0);
        QCOMPARE(p.w.nextDigitLabel->text(), QString());
        p.key(Qt::Key_Right);
        QCOMPARE(p.w.nextDigitLabel->text(), QStringLiteral("0"));
        QCOMPARE(p.w.game().cross(), (Cell{15, 9}));
    }

    // What the field shows: each digit left and the cross at their cells, no
    // trace of what was erased, at 100 % and when the window has grown.
    void fieldShowsTheGameOnly() {
        Play p;
        p.w.jumpTimer->stop();
        QCOMPARE(ink(p.w.grab().toImage(), p.w.rect()), 0);
        // Drawn from what was kept, then, once the drawing is flushed, on the
        // window's image; at 200 % first from what was kept again.
        for (bool grow : {false, false, true, false}) {
            if (grow) p.w.resize(p.w.minimumSize() * 2 + QSize(100, 0));
            p.w.jump();
            p.key(grow ? Qt::Key_Up : Qt::Key_Down);
            QCOMPARE(fieldFaults(p.w), 0);
            QCoreApplication::processEvents();
        }
        QCOMPARE(p.w.zoom(), 2.0);
    }

    // Grown after a jump, the field looks as when the same jump comes at 200 %.
    void grownFieldLooksAsDrawnAtThatSize() {
        QImage grown[2];
        for (bool growFirst : {false, true}) {
            Play p;
            p.w.jumpTimer->stop();
            if (growFirst) p.w.resize(p.w.minimumSize() * 2);
            p.w.jump();
            QCoreApplication::processEvents();
            const int crossAt100 = ink(p.w.grab().toImage(), cellRect(p.w, p.w.game().cross()));
            p.w.resize(p.w.minimumSize() * 2);
            grown[growFirst] = p.w.grab(p.w.field->geometry()).toImage();
            // The cross grows with the window.
            if (!growFirst)
                QVERIFY(ink(p.w.grab().toImage(), cellRect(p.w, p.w.game().cross())) >
                        3 * crossAt100);
        }
        QCOMPARE(grown[0], grown[1]);
    }

    void keysSteerAndTheSpeedBarIgnoresThem_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<int>>("cross");
        QTest::newRow("Left") << int(Qt::Key_Left) << QList{13, 9};
        QTest::newRow("Right") << int(Qt::Key_Right) << QList{15, 9};
        QTest::newRow("Up") << int(Qt::Key_Up) << QList{14, 8};
        QTest::newRow("Down") << int(Qt::Key_Down) << QList{14, 10};
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << QList{14, 9};
        QTest::newRow("End") << int(Qt::Key_End) << QList{14, 9};
    }
    void keysSteerAndTheSpeedBarIgnoresThem() {
        QFETCH(int, key);
        QFETCH(QList<int>, cross);
        Play p;
        p.w.speedBar->setFocus();
        QTest::keyClick(p.w.speedBar, Qt::Key(key));
        QCOMPARE(p.w.game().cross(), cells(cross).first());
        QCOMPARE(p.w.speedBar->value(), 7);
        QCOMPARE(p.w.jumpTimer->interval(), 7000);
        QCOMPARE(p.w.focusWidget(), p.w.speedBar);
    }

    void tabOrder() {
        Play p;
        QVERIFY(QTest::qWaitForWindowActive(&p.w));
        p.w.endButton->setFocus();
        for (QWidget* next : std::initializer_list<QWidget*>{
                 p.w.leftArrow, p.w.upArrow, p.w.downArrow, p.w.rightArrow, p.w.speedBar}) {
            p.key(Qt::Key_Tab);
            QCOMPARE(p.w.focusWidget(), next);
        }
    }

    void quickClicksEachCount_data() {
        QTest::addColumn<bool>("onSpeedBar");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("pace");
        QTest::newRow("left arrow") << false << 12 << 7;
        QTest::newRow("speed bar, slower") << true << 14 << 9;
    }
    void quickClicksEachCount() {
        QFETCH(bool, onSpeedBar);
        QFETCH(int, column);
        QFETCH(int, pace);
        Play p;
        QVERIFY(QTest::qWaitForWindowExposed(&p.w));
        QWidget* target = onSpeedBar ? static_cast<QWidget*>(p.w.speedBar) : p.w.leftArrow;
        const QPoint at = onSpeedBar ? QPoint(target->width() - 4, target->height() / 2)
                                     : target->rect().center();
        QTest::mouseDClick(p.w.windowHandle(), Qt::LeftButton, {}, target->mapTo(&p.w, at));
        QCOMPARE(p.w.game().cross().column, column);
        QCOMPARE(p.w.speedBar->value(), pace);
        QCOMPARE(p.w.jumpTimer->interval(), pace * 1000);
        QCOMPARE(p.w.focusWidget(), p.w.leftArrow);
        // The next game keeps the pace.
        p.rt.answer(widgets::Answer::Yes);
        p.w.askToEnd();
        p.w.open(p.ex);
        QCOMPARE(p.w.jumpTimer->interval(), pace * 1000);
    }

    void noCloseBox() {
        Play p;
        QVERIFY(!p.w.close());
        QVERIFY(p.w.isVisible());
        QVERIFY(!(p.w.windowFlags() & Qt::WindowCloseButtonHint));
    }
};

QTEST_MAIN(NumberCatchTest)
#include "number_catch_test.moc"
