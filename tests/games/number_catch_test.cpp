#include <QApplication>
#include <QElapsedTimer>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWindow>

#include "exercise_stub.h"
#include "number_catch.h"
#include "number_catch_state.h"
#include "scripted_runtime.h"
#include "twips.h"
#include "window_stack.h"

using games::Form4;

namespace {

const auto kQuit = msgRecord("  Dieses Spiel jetzt beenden?", 20, "Zahlfange");
const auto kEnd = msgRecord("  Das Spiel ist beendet!", 0, "Zahlfange");

// The exercise window's hand-over to the game.
void startGame(Form4& f, ExerciseStub& ex) {
    f.start(ex);
    shell::forms::hide(&ex);
    shell::forms::show(&f);
}

QRect cell(int x, int y) {
    return QRect(tw::toPx(280 * x), tw::toPx(280 * y), tw::toPx(280), tw::toPx(280));
}

// Pixels of the drawing colour inside r.
int ink(const QImage& img, const QRect& r) {
    const QRgb blue = shell::qbColor(1).rgb();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (img.pixel(x, y) == blue);
    return n;
}

void pressKey(Form4& f, Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &f, key);
}

struct Game {
    ScriptedRuntime rt;
    ExerciseStub ex;
    Form4 f;
    Game() {
        f.exerciseWindow = [this]() -> shell::Form* { return &ex; };
        startGame(f, ex);
    }
};

} // namespace

class NumberCatchTest : public QObject {
    Q_OBJECT
  private slots:
    void moveAgainstBorderStaysAndChecks_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("left at column 1") << 1 << int(Qt::Key_Left) << 1 << 9;
        QTest::newRow("up at row 3") << 2 << int(Qt::Key_Up) << 10 << 3;
        QTest::newRow("down at row 16") << 3 << int(Qt::Key_Down) << 10 << 16;
        QTest::newRow("right at column 24") << 4 << int(Qt::Key_Right) << 24 << 9;
    }

    void moveAgainstBorderStaysAndChecks() {
        QFETCH(int, picture);
        QFETCH(int, key);
        QFETCH(int, x);
        QFETCH(int, y);
        Game g;
        games::Modul1& m = g.f.MODUL1;
        m.CrossX = qint16(x);
        m.CrossY = qint16(y);
        // The next digit waits on the border cell: only the catch check can take it.
        m.DigitX[1] = qint16(x);
        m.DigitY[1] = qint16(y);
        shell::VbPicture* pics[] = {g.f.Bild1, g.f.Bild2, g.f.Bild3, g.f.Bild4};
        QTest::mouseClick(pics[picture - 1], Qt::LeftButton);
        QCOMPARE(m.CrossX, qint16(x));
        QCOMPARE(m.CrossY, qint16(y));
        QCOMPARE(m.DigitsLeft, QStringLiteral("123456789"));
        QCOMPARE(g.f.Bezeichnung3->caption(), QStringLiteral("1"));
        QVERIFY(ink(g.f.surface(), cell(x, y)) > 0);

        // The arrow key does the same.
        m.DigitX[1] = qint16(x);
        m.DigitY[1] = qint16(y);
        pressKey(g.f, Qt::Key(key));
        QCOMPARE(m.CrossX, qint16(x));
        QCOMPARE(m.CrossY, qint16(y));
        QCOMPARE(g.f.Bezeichnung3->caption(), QStringLiteral("2"));
    }

    void onlyTheNextDigitIsCaught() {
        Game g;
        games::Modul1& m = g.f.MODUL1;
        // "3" sits on (7, 7) of the diagonal.
        m.CrossX = 8;
        m.CrossY = 7;
        QTest::mouseClick(g.f.Bild1, Qt::LeftButton);
        QCOMPARE(m.DigitsLeft, QStringLiteral("0123456789"));
        QCOMPARE(g.f.Bezeichnung3->caption(), QStringLiteral("0"));

        m.CrossX = 5;
        m.CrossY = 4;
        QTest::mouseClick(g.f.Bild1, Qt::LeftButton);
        QCOMPARE(m.DigitsLeft, QStringLiteral("123456789"));
        QCOMPARE(g.f.Bezeichnung3->caption(), QStringLiteral("1"));
        QCOMPARE(m.DigitX[1], qint16(5));
        QCOMPARE(m.DigitY[9], qint16(13));
    }

    void lastDigitEndsTheGameOnce() {
        Game g;
        games::Modul1& m = g.f.MODUL1;
        m.DigitsLeft = QStringLiteral("9");
        m.DigitX[1] = 13;
        m.DigitY[1] = 9;
        g.f.Zeit1->setInterval(10);
        bool tickingDuringBox = true;
        int opened = 0;
        g.rt.onBox = [&](const ScriptedRuntime::Box&) {
            if (++opened > 1) return;
            tickingDuringBox = g.f.Zeit1->isActive();
            // Ticks that fall due while the box is open must not finish again.
            g.f.Zeit1_Timer();
            QTest::qWait(80);
        };
        g.rt.answer(shell::AnswerOk);
        QTest::mouseClick(g.f.Bild1, Qt::LeftButton);
        QCOMPARE(g.rt.takeBoxes(), QList<ScriptedRuntime::Box>{kEnd});
        QVERIFY(!tickingDuringBox);
        QCOMPARE(g.f.Bezeichnung3->caption(), QString());
        QVERIFY(!g.f.Zeit1->isActive());
        QCOMPARE(g.f.Zeit1->interval(), 1000);
        QVERIFY(g.f.isHidden());
        QVERIFY(g.ex.isVisible());
        QCOMPARE(g.ex.activations, 1);

        // The next game shows nothing until its first move.
        g.rt.onBox = nullptr;
        startGame(g.f, g.ex);
        QCOMPARE(g.f.Bezeichnung3->caption(), QString());
        QTest::mouseClick(g.f.Bild4, Qt::LeftButton);
        QCOMPARE(g.f.Bezeichnung3->caption(), QStringLiteral("0"));
    }

    void quitQuestion_data() {
        QTest::addColumn<bool>("byEsc");
        QTest::addColumn<int>("answer");
        QTest::newRow("ENDE, No keeps playing") << false << int(shell::AnswerNo);
        QTest::newRow("Esc, No keeps playing") << true << int(shell::AnswerNo);
        QTest::newRow("ENDE, Yes ends") << false << int(shell::AnswerYes);
        QTest::newRow("Esc, Yes ends") << true << int(shell::AnswerYes);
    }

    void quitQuestion() {
        QFETCH(bool, byEsc);
        QFETCH(int, answer);
        Game g;
        games::Modul1& m = g.f.MODUL1;
        m.CrossX = 5;
        m.CrossY = 4;
        QTest::mouseClick(g.f.Bild1, Qt::LeftButton); // catches "0"
        bool tickingDuringBox = true;
        g.rt.onBox = [&](const ScriptedRuntime::Box&) { tickingDuringBox = g.f.Zeit1->isActive(); };
        g.rt.answer(answer);
        if (byEsc)
            pressKey(g.f, Qt::Key_Escape);
        else
            QTest::mouseClick(g.f.Befehl1, Qt::LeftButton);
        QCOMPARE(g.rt.takeBoxes(), QList<ScriptedRuntime::Box>{kQuit});
        QVERIFY(!tickingDuringBox);
        const bool ended = answer == shell::AnswerYes;
        QCOMPARE(g.f.isVisible(), !ended);
        QCOMPARE(g.ex.isVisible(), ended);
        QCOMPARE(g.f.Zeit1->isActive(), !ended);
        QCOMPARE(g.f.Zeit1->interval(), ended ? 1000 : 7000);
        QCOMPARE(m.DigitsLeft, QStringLiteral("123456789"));
        QCOMPARE(g.f.Bezeichnung3->caption(), QStringLiteral("1"));
    }

    void jumpsUseDistinctRowsAndColumns() {
        Game g;
        games::Modul1& m = g.f.MODUL1;
        for (int tick = 0; tick < 40; ++tick) {
            g.f.Zeit1_Timer();
            const int n = int(m.DigitsLeft.size());
            for (int i = 1; i <= n; ++i) {
                QVERIFY(m.DigitX[i] >= 1 && m.DigitX[i] <= 24);
                QVERIFY(m.DigitY[i] >= 3 && m.DigitY[i] <= 16);
                QVERIFY(ink(g.f.surface(), cell(m.DigitX[i], m.DigitY[i])) > 0);
                for (int j = 1; j < i; ++j) {
                    QVERIFY2(m.DigitX[i] != m.DigitX[j], qPrintable(QString::number(tick)));
                    QVERIFY2(m.DigitY[i] != m.DigitY[j], qPrintable(QString::number(tick)));
                }
            }
            if (n == 0) break;
        }
    }

    void clashingDigitIsDrawnAgain_data() {
        QTest::addColumn<int>("clashX");
        QTest::addColumn<int>("clashY");
        QTest::newRow("same column") << 5 << 8;
        QTest::newRow("same row") << 9 << 5;
    }

    void clashingDigitIsDrawnAgain() {
        QFETCH(int, clashX);
        QFETCH(int, clashY);
        Game g;
        games::Modul1& m = g.f.MODUL1;
        using R = ScriptedRuntime;
        g.rt.forceRnd({R::draw(5, 1, 24), R::draw(5, 3, 14), R::draw(clashX, 1, 24),
                       R::draw(clashY, 3, 14), R::draw(10, 1, 24), R::draw(10, 3, 14)});
        g.f.Zeit1_Timer();
        QCOMPARE(m.DigitX[1], qint16(5));
        QCOMPARE(m.DigitY[1], qint16(5));
        QCOMPARE(m.DigitX[2], qint16(10));
        QCOMPARE(m.DigitY[2], qint16(10));
    }

    void jumpOntoTheCrossCatches() {
        Game g;
        games::Modul1& m = g.f.MODUL1;
        g.rt.forceRnd({ScriptedRuntime::draw(14, 1, 24), ScriptedRuntime::draw(9, 3, 14)});
        g.f.Zeit1_Timer();
        QCOMPARE(m.DigitsLeft, QStringLiteral("123456789"));
        QCOMPARE(g.f.Bezeichnung3->caption(), QStringLiteral("1"));
        QCOMPARE(m.CrossX, qint16(14));
        QVERIFY(ink(g.f.surface(), cell(14, 9)) > 0);
    }

    void invisibleZeroCaughtBeforeFirstTick() {
        Game g;
        games::Modul1& m = g.f.MODUL1;
        QCOMPARE(ink(g.f.surface(), g.f.rect()), 0);
        for (int i = 0; i < 10; ++i)
            QTest::mouseClick(g.f.Bild1, Qt::LeftButton);
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(g.f.Bild2, Qt::LeftButton);
        QCOMPARE(ink(g.f.surface(), cell(5, 5)), 0); // still undrawn
        QCOMPARE(m.DigitsLeft, QStringLiteral("0123456789"));
        QTest::mouseClick(g.f.Bild2, Qt::LeftButton);
        QCOMPARE(m.CrossX, qint16(4));
        QCOMPARE(m.CrossY, qint16(4));
        QCOMPARE(m.DigitsLeft, QStringLiteral("123456789"));
        for (int i = 5; i <= 13; ++i)
            QVERIFY(ink(g.f.surface(), cell(i, i)) > 0);
        QVERIFY(ink(g.f.surface(), cell(4, 4)) > 0);
    }

    void firstJumpComesOneIntervalAfterStart() {
        Game g;
        QVERIFY(g.f.Zeit1->isActive());
        QCOMPARE(g.f.Zeit1->interval(), 7000);
        QVERIFY(g.f.Zeit1->remainingTime() > 6500);

        // The same with a real clock and a short interval.
        QElapsedTimer clock;
        qint64 firstTick = -1;
        connect(g.f.Zeit1, &QTimer::timeout, this, [&] {
            if (firstTick < 0) firstTick = clock.elapsed();
        });
        g.f.Zeit1->setInterval(300);
        clock.start();
        QTest::qWait(150);
        QCOMPARE(ink(g.f.surface(), g.f.rect()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(firstTick >= 0, 3000);
        QVERIFY2(firstTick >= 280, qPrintable(QString::number(firstTick)));
        QVERIFY(ink(g.f.surface(), g.f.rect()) > 0);
    }

    void speedAppliesNowAndInTheNextGame() {
        Game g;
        QStyleOptionSlider opt;
        opt.initFrom(g.f.HBildlauf1);
        opt.orientation = Qt::Horizontal;
        opt.minimum = 1;
        opt.maximum = 10;
        opt.sliderPosition = opt.sliderValue = g.f.HBildlauf1->value();
        const QRect slower = g.f.HBildlauf1->style()->subControlRect(
            QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarAddLine, g.f.HBildlauf1);
        QTest::mouseClick(g.f.HBildlauf1, Qt::LeftButton, {}, slower.center());
        QCOMPARE(g.f.HBildlauf1->value(), 8);
        QCOMPARE(g.f.Zeit1->interval(), 8000);
        QVERIFY(g.f.Zeit1->isActive());
        QCOMPARE(g.f.focusWidget(), g.f.Bild1);

        // Dragging the thumb changes the pace while it moves.
        g.f.HBildlauf1->setSliderDown(true);
        g.f.HBildlauf1->setSliderPosition(2);
        QCOMPARE(g.f.Zeit1->interval(), 2000);
        g.f.HBildlauf1->setSliderDown(false);

        g.rt.answer(shell::AnswerYes);
        g.f.Befehl1_Click();
        QCOMPARE(g.f.Zeit1->interval(), 1000);
        startGame(g.f, g.ex);
        QCOMPARE(g.f.HBildlauf1->value(), 2);
        QCOMPARE(g.f.Zeit1->interval(), 2000);
    }

    void surfaceKeepsDrawingAndErasesClean() {
        Game g;
        const QRect field = tw::rect(g.f.Figur2);
        const QRect fieldPx(tw::toPx(field.x()) + 2, tw::toPx(field.y()) + 2,
                            tw::toPx(field.width()) - 4, tw::toPx(field.height()) - 4);
        const QImage clean = g.f.grab().toImage();
        g.f.setCurrentX(14 * 6);
        g.f.setCurrentY(14 * 6);
        g.f.Print(QStringLiteral("8"));
        g.f.hide();
        g.f.show();
        g.f.repaint();
        const QImage drawn = g.f.grab().toImage();
        QVERIFY(ink(drawn, cell(6, 6)) > 0);

        // A caught digit vanishes under the cross: the cell looks like a plain cross.
        g.f.setCurrentX(14 * 6);
        g.f.setCurrentY(14 * 6);
        g.f.Print(QStringLiteral("+"));
        g.f.setCurrentX(14 * 8);
        g.f.setCurrentY(14 * 8);
        g.f.Print(QStringLiteral("+"));
        const QImage crosses = g.f.grab().toImage();
        QCOMPARE(crosses.copy(cell(6, 6)), crosses.copy(cell(8, 8)));

        g.f.setForeColor(g.f.Figur1->fillColor());
        for (int c : {6, 8}) {
            g.f.setCurrentX(14 * c);
            g.f.setCurrentY(14 * c);
            g.f.Print(QStringLiteral("+"));
        }
        QCOMPARE(g.f.grab().toImage().copy(fieldPx), clean.copy(fieldPx));
    }

    void closeBoxIsRefused() {
        Game g;
        QVERIFY(!g.f.close());
        QVERIFY(g.f.isVisible());
        QVERIFY(!(g.f.windowFlags() & Qt::WindowCloseButtonHint));
    }

    // The field keeps what was printed when the window grows, drawn anew at
    // the new size exactly as a game played at that size draws it, and an
    // erase there still leaves no trace.
    void fieldKeepsItsPrintsWhenTheWindowGrows() {
        const auto grow = [](Form4& f) {
            f.resize(f.minimumSize().width() * 2 + 100, f.minimumSize().height() * 2);
            QCOMPARE(f.zoom(), 2.0);
        };
        QImage grown, native;
        {
            Game g;
            g.f.Zeit1_Timer(); // the digits jump onto the field
            QVERIFY(ink(g.f.surface(), g.f.rect()) > 0);
            grow(g.f);
            grown = g.f.surface().copy();
            const games::Modul1& m = g.f.MODUL1;
            const tw::Zoom z = tw::zoomOf(&g.f);
            QCOMPARE(z.offset, QPoint(50, 0));
            const auto scaledCell = [&](int x, int y) {
                return QRect(z.offset + QPoint(tw::toPx(&g.f, 280 * x), tw::toPx(&g.f, 280 * y)),
                             QSize(tw::toPx(&g.f, 280), tw::toPx(&g.f, 280)));
            };
            QRegion cells = scaledCell(m.CrossX, m.CrossY);
            QVERIFY(ink(grown, scaledCell(m.CrossX, m.CrossY)) > 0);
            for (int i = 1; i <= m.DigitsLeft.size(); ++i) {
                QVERIFY(ink(grown, scaledCell(m.DigitX[i], m.DigitY[i])) > 0);
                cells += scaledCell(m.DigitX[i], m.DigitY[i]);
            }
            int stray = ink(grown, grown.rect());
            for (const QRect& r : cells)
                stray -= ink(grown, r);
            QCOMPARE(stray, 0);

            g.f.EraseDigits();
            g.f.EraseCross();
            const QImage erased = g.f.surface();
            const QRgb back = shell::bgr(0xFFC0C0).rgb();
            int left = 0;
            for (int y = 0; y < erased.height(); ++y)
                for (int x = 0; x < erased.width(); ++x)
                    left += erased.pixel(x, y) != back;
            QCOMPARE(left, 0);
        }
        {
            Game g;
            grow(g.f);
            g.f.Zeit1_Timer();
            native = g.f.surface().copy();
        }
        QCOMPARE(grown, native);
    }

    // Keys as the platform delivers them to the window: the arrows and Esc do
    // what the game says and reach no control (the focus stays on "ENDE", the
    // speed bar keeps its value).
    void arrowKeysOnlySteer() {
        Game g;
        QVERIFY(QTest::qWaitForWindowActive(&g.f));
        g.f.Befehl1->setFocus();
        games::Modul1& m = g.f.MODUL1;
        QWindow* win = g.f.windowHandle();
        for (Qt::Key k :
             {Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
            QTest::keyClick(win, k);
        QCOMPARE(m.CrossX, qint16(13));
        QCOMPARE(m.CrossY, qint16(10));
        QCOMPARE(QApplication::focusWidget(), g.f.Befehl1);
        QCOMPARE(g.f.HBildlauf1->value(), 7);
        QCOMPARE(g.f.Zeit1->interval(), 7000);
        // Even with the speed bar in focus, the arrows only steer.
        g.f.HBildlauf1->setFocus();
        QTest::keyClick(win, Qt::Key_Left);
        QCOMPARE(m.CrossX, qint16(12));
        QCOMPARE(g.f.HBildlauf1->value(), 7);
        g.rt.answer(shell::AnswerNo);
        QTest::keyClick(win, Qt::Key_Escape);
        QCOMPARE(g.rt.takeBoxes(), QList<ScriptedRuntime::Box>{kQuit});
        QVERIFY(g.f.isVisible());
    }
};

QTEST_MAIN(NumberCatchTest)
#include "number_catch_test.moc"
