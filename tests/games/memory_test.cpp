#include <QTest>
#include <algorithm>

#include "exercise_stub.h"
#include "memory.h"
#include "scripted_runtime.h"
#include "window_stack.h"

using games::memo;

namespace {

const auto kQuit = msgRecord("  Dieses Spiel jetzt beenden?", 20, "Memory");
const auto kWon = msgRecord("Prima, du hast es geschafft!\r", 0, "Memory");
const auto kHelp = msgRecord("Immer zwei Felder bilden ein Zahlenpaar, klicke\r"
                             "die Einzelfelder an und suche so Zahlenpaare!",
                             0, "Memory");
const quint32 kFaceDown = 0xFF8080;
const quint32 kFound = 0xFF0000; // QBColor 9

// Everything the child sees and the game keeps, in one comparable list.
QStringList board(const memo& m) {
    QStringList s;
    for (int k = 1; k <= 18; ++k) {
        const shell::VbLabel* c = m.card(k);
        s << QStringLiteral("%1|%2|%3")
                 .arg(c->caption())
                 .arg(shell::toBgr(c->backColor()), 6, 16, QLatin1Char('0'))
                 .arg(c->font().italic() ? "italic" : "plain");
    }
    s << QStringLiteral("%1 %2 %3 %4 %5")
             .arg(m.Dealt ? "dealt" : "not-dealt")
             .arg(m.CardValues, m.CardsInPlay)
             .arg(m.FirstCard)
             .arg(m.SecondCard);
    return s;
}

QString sorted(QString s) {
    std::sort(s.begin(), s.end());
    return s;
}

void click(memo& m, int k) {
    QTest::mouseClick(m.card(k), Qt::LeftButton);
}

// The other card with the same digit, or the first card with another digit.
int partner(const memo& m, int k) {
    for (int j = 1; j <= 18; ++j)
        if (j != k && m.CardValues[j - 1] == m.CardValues[k - 1]) return j;
    return 0;
}
int stranger(const memo& m, int k, int notThis = 0) {
    for (int j = 1; j <= 18; ++j)
        if (m.CardValues[j - 1] != m.CardValues[k - 1] && j != notThis &&
            m.CardsInPlay[j - 1] == QLatin1Char('1') &&
            (notThis == 0 || m.CardValues[j - 1] != m.CardValues[notThis - 1]))
            return j;
    return 0;
}

struct Game {
    ScriptedRuntime rt;
    ExerciseStub ex;
    memo m;
    Game() {
        m.exerciseWindow = [this]() -> shell::Form* { return &ex; };
        open();
    }
    void open() {
        shell::forms::hide(&ex);
        shell::forms::show(&m);
    }
    // Deals by opening card 1 and finds its pair; then card a and b (two
    // different digits) are left open and unmatched when wanted.
    void pairThenTwoOpen(bool leaveTwoOpen, int& a, int& b) {
        click(m, 1);
        click(m, partner(m, 1));
        a = stranger(m, 1);
        b = stranger(m, 1, a);
        if (leaveTwoOpen) {
            click(m, a);
            click(m, b);
        }
    }
};

} // namespace

class MemoryTest : public QObject {
    Q_OBJECT
  private slots:
    void cardFaceShowsDigitAndComplement_data() {
        QTest::addColumn<int>("digit");
        QTest::addColumn<QString>("face");
        QTest::newRow("1") << 1 << "1 * 9";
        QTest::newRow("5 pairs with itself") << 5 << "5 * 5";
        QTest::newRow("9") << 9 << "9 * 1";
    }

    void cardFaceShowsDigitAndComplement() {
        QFETCH(int, digit);
        QFETCH(QString, face);
        QCOMPARE(games::CardFace(digit), face);
    }

    void firstClickDealsAndOpens() {
        Game g;
        QVERIFY(!g.m.Dealt);
        click(g.m, 7);
        QVERIFY(g.m.Dealt);
        QCOMPARE(g.m.CardsInPlay, QString(18, QLatin1Char('1')));
        QCOMPARE(g.m.FirstCard, 7);
        QCOMPARE(g.m.SecondCard, 0);
        for (int k = 1; k <= 18; ++k) {
            const QString face =
                k == 7 ? games::CardFace(g.m.CardValues[6].digitValue()) : QString();
            QCOMPARE(g.m.card(k)->caption(), face);
            QCOMPARE(shell::toBgr(g.m.card(k)->backColor()), kFaceDown);
        }
    }

    void everyDealHoldsEachDigitTwice() {
        Game g;
        // An occupied slot is drawn again: the second "1" lands on slot 18.
        g.rt.forceRnd({ScriptedRuntime::draw(1, 1, 18), ScriptedRuntime::draw(1, 1, 18),
                       ScriptedRuntime::draw(18, 1, 18)});
        for (int deal = 0; deal < 30; ++deal) {
            g.m.ResetBoard();
            click(g.m, 1 + deal % 18);
            QCOMPARE(sorted(g.m.CardValues), QStringLiteral("112233445566778899"));
            if (deal == 0) {
                QCOMPARE(g.m.CardValues[0], QLatin1Char('1'));
                QCOMPARE(g.m.CardValues[17], QLatin1Char('1'));
            }
        }
    }

    void clicksThatChangeNothing_data() {
        QTest::addColumn<int>("state");
        QTest::newRow("the open first card again") << 0;
        QTest::newRow("a found card") << 1;
        QTest::newRow("a found card while two unmatched are open") << 2;
    }

    void clicksThatChangeNothing() {
        QFETCH(int, state);
        Game g;
        int a = 0, b = 0, target = 1;
        if (state == 0) {
            click(g.m, 1);
        } else {
            g.pairThenTwoOpen(state == 2, a, b);
            QCOMPARE(shell::toBgr(g.m.card(1)->backColor()), kFound);
        }
        const QStringList before = board(g.m);
        click(g.m, target);
        QCOMPARE(board(g.m), before);
        if (state == 2)
            QVERIFY(!g.m.card(a)->caption().isEmpty() && !g.m.card(b)->caption().isEmpty());
    }

    void clickOnOneOfTwoUnmatchedTurnsBothDown_data() {
        QTest::addColumn<bool>("second");
        QTest::newRow("the first of the two") << false;
        QTest::newRow("the second of the two") << true;
    }

    void clickOnOneOfTwoUnmatchedTurnsBothDown() {
        QFETCH(bool, second);
        Game g;
        int a = 0, b = 0;
        g.pairThenTwoOpen(true, a, b);
        const int clicked = second ? b : a, other = second ? a : b;
        click(g.m, clicked);
        QCOMPARE(g.m.card(other)->caption(), QString());
        QCOMPARE(g.m.card(clicked)->caption(),
                 games::CardFace(g.m.CardValues[clicked - 1].digitValue()));
        QCOMPARE(g.m.FirstCard, clicked);
        QCOMPARE(g.m.SecondCard, 0);
    }

    void ninthPairEndsAndNextOpeningDealsAnew() {
        Game g;
        click(g.m, 1);
        QStringList atBox, atReturn;
        g.rt.onBox = [&](const ScriptedRuntime::Box&) { atBox = board(g.m); };
        g.ex.onActivate = [&] { atReturn = board(g.m); };
        for (int k = 1; k <= 18; ++k) {
            if (g.m.CardsInPlay[k - 1] == QLatin1Char('0')) continue;
            if (k > 1) click(g.m, k);
            if (g.m.CardsInPlay.count(QLatin1Char('1')) == 2) g.rt.answer(shell::AnswerOk);
            click(g.m, partner(g.m, k));
            QCOMPARE(g.rt.boxes.size(), g.m.Dealt ? 0 : 1);
        }
        QCOMPARE(g.rt.takeBoxes(), QList<ScriptedRuntime::Box>{kWon});
        // The box opens over the full board, which is reset before the exercise returns.
        QCOMPARE(atBox.size(), 19);
        for (int k = 0; k < 18; ++k) {
            QVERIFY(!atBox[k].startsWith(QLatin1Char('|')));
            QVERIFY(atBox[k].endsWith(QLatin1String("|ff0000|italic")));
        }
        QCOMPARE(atReturn.mid(0, 18), QStringList(18, QStringLiteral("|ff8080|plain")));
        QVERIFY(atReturn[18].startsWith(QLatin1String("not-dealt")));
        QVERIFY(g.m.isHidden());
        QVERIFY(g.ex.isVisible());

        g.open();
        click(g.m, 4);
        QVERIFY(g.m.Dealt);
        QCOMPARE(g.m.CardsInPlay, QString(18, QLatin1Char('1')));
        QCOMPARE(g.m.FirstCard, 4);
        QCOMPARE(g.m.SecondCard, 0);
    }

    void quitAndReopenKeepsTheBoard() {
        Game g;
        int a = 0, b = 0;
        g.pairThenTwoOpen(true, a, b);
        const QStringList before = board(g.m);
        g.rt.answer(shell::AnswerYes);
        QTest::mouseClick(g.m.Befehl1, Qt::LeftButton);
        QCOMPARE(g.rt.takeBoxes(), QList<ScriptedRuntime::Box>{kQuit});
        QVERIFY(g.m.isHidden());
        QVERIFY(g.ex.isVisible());
        g.open();
        QCOMPARE(board(g.m), before);
        // The pick goes on where it stopped: the next click turns the two down.
        click(g.m, a);
        QCOMPARE(g.m.card(b)->caption(), QString());
    }

    void boxesLeaveTheBoard_data() {
        QTest::addColumn<bool>("help");
        QTest::newRow("help") << true;
        QTest::newRow("quit answered No") << false;
    }

    void boxesLeaveTheBoard() {
        QFETCH(bool, help);
        Game g;
        int a = 0, b = 0;
        g.pairThenTwoOpen(true, a, b);
        const QStringList before = board(g.m);
        g.rt.answer(help ? shell::AnswerOk : shell::AnswerNo);
        QTest::mouseClick(help ? g.m.Befehl2 : g.m.Befehl1, Qt::LeftButton);
        QCOMPARE(g.rt.takeBoxes(), QList<ScriptedRuntime::Box>{help ? kHelp : kQuit});
        QCOMPARE(board(g.m), before);
        QVERIFY(g.m.isVisible());
        QVERIFY(!g.ex.isVisible());
        QVERIFY(!g.m.close());
    }

    void centresOnFirstShowingOnly() {
        Game g;
        const QSize s = g.rt.screen;
        QVERIFY(qAbs(g.m.leftTw() - (s.width() - g.m.widthTw()) / 2) <= 15);
        QVERIFY(qAbs(g.m.topTw() - (s.height() - g.m.heightTw()) / 2) <= 15);
        g.m.moveTw(300, 450);
        shell::forms::hide(&g.m);
        g.open();
        QVERIFY(qAbs(g.m.leftTw() - 300) <= 15);
        QVERIFY(qAbs(g.m.topTw() - 450) <= 15);
    }
};

QTEST_MAIN(MemoryTest)
#include "memory_test.moc"
