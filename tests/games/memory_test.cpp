#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <random>

#include "exercise_stub.h"
#include "memory_window.h"
#include "scripted_desktop.h"
#include "window_stack.h"

using games::MemoryGame;
using games::MemoryWindow;

namespace {

const auto kQuit = msgRecord("  Dieses Spiel jetzt beenden?", {widgets::Buttons::YesNo, widgets::Icon::Stop}, "Memory");
const auto kWon = msgRecord("Prima, du hast es geschafft!\r", {}, "Memory");
const auto kHelp = msgRecord("Immer zwei Felder bilden ein Zahlenpaar, klicke\r"
                             "die Einzelfelder an und suche so Zahlenpaare!",
                             {}, "Memory");

// Card k gets the digit 1 + k / 2: cards 0 and 1 are a pair, 2 and 3, ...
MemoryGame dealtInOrder() {
    MemoryGame g;
    int slot = 0;
    g.deal([&] { return (slot++ + 0.5) / 18; });
    return g;
}

// The cards as one line: '.' face down, 'o' open, 'f' found.
QString states(const MemoryGame& g) {
    QString s;
    for (int k = 0; k < MemoryGame::kCards; ++k) {
        const MemoryGame::CardState c = g.state(k);
        s += c == MemoryGame::CardState::Found ? 'f' : c == MemoryGame::CardState::Open ? 'o' : '.';
    }
    return s;
}

// What the child sees of each card.
QStringList looks(const MemoryWindow& w) {
    QStringList s;
    for (const widgets::ClickableLabel* c : w.cards)
        s << QStringLiteral("%1|%2|%3")
                 .arg(c->text(), c->background().name(), c->font().italic() ? "italic" : "plain");
    return s;
}

int partner(const MemoryGame& g, int k) {
    for (int j = 0; j < MemoryGame::kCards; ++j)
        if (j != k && g.digit(j) == g.digit(k)) return j;
    return -1;
}

struct Play {
    ScriptedDesktop rt;
    ExerciseStub ex{rt.windows};
    MemoryWindow w{rt.windows};
    Play() { w.open(ex); }
    void click(int k) { QTest::mouseClick(w.cards[k], Qt::LeftButton); }
    // A pair found with card 0, then two cards of different digits left open.
    void pairAndTwoOpen(int& a, int& b) {
        click(0);
        click(partner(w.game(), 0));
        const MemoryGame& g = w.game();
        for (a = 1; g.digit(a) == g.digit(0);)
            ++a;
        for (b = a + 1; g.digit(b) == g.digit(0) || g.digit(b) == g.digit(a);)
            ++b;
        click(a);
        click(b);
    }
};

} // namespace

class MemoryTest : public QObject {
    Q_OBJECT
  private slots:
    void faceShowsTheDigitAndWhatMakesTen_data() {
        QTest::addColumn<int>("digit");
        QTest::addColumn<QString>("face");
        QTest::newRow("1") << 1 << "1 * 9";
        QTest::newRow("5 pairs with itself") << 5 << "5 * 5";
        QTest::newRow("9") << 9 << "9 * 1";
    }
    void faceShowsTheDigitAndWhatMakesTen() {
        QFETCH(int, digit);
        QFETCH(QString, face);
        QCOMPARE(MemoryGame::face(digit), face);
    }

    void dealGivesEachDigitTwoCards() {
        // A taken slot is drawn again: the second "1" lands on card 17.
        QList<double> forced{0.5 / 18, 0.5 / 18, 17.5 / 18};
        std::mt19937 gen(3);
        std::uniform_real_distribution<double> rnd(0, 1);
        const auto random = [&] { return forced.isEmpty() ? rnd(gen) : forced.takeFirst(); };
        MemoryGame g;
        QVERIFY(!g.dealt());
        for (int deal = 0; deal < 30; ++deal) {
            g.deal(random);
            QVERIFY(g.dealt());
            QCOMPARE(states(g), QString(18, '.'));
            QList<int> digits;
            for (int k = 0; k < MemoryGame::kCards; ++k)
                digits << g.digit(k);
            std::sort(digits.begin(), digits.end());
            QCOMPARE(digits, (QList{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9}));
            if (deal == 0) QVERIFY(g.digit(0) == 1 && g.digit(17) == 1);
        }
    }

    void reveal_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        const int none = MemoryGame::kNone;
        QTest::newRow("one card") << QList{4} << "....o............." << 4 << none;
        QTest::newRow("a pair") << QList{0, 1} << "ff................" << none << none;
        QTest::newRow("two that differ") << QList{0, 2} << "o.o..............." << 0 << 2;
        QTest::newRow("a third card") << QList{0, 2, 4} << "....o............." << 4 << none;
        QTest::newRow("the second of two again")
            << QList{0, 2, 2} << "..o..............." << 2 << none;
        QTest::newRow("the first of two again")
            << QList{0, 2, 0} << "o................." << 0 << none;
        QTest::newRow("the open card again") << QList{0, 0} << "o................." << 0 << none;
        QTest::newRow("a found card") << QList{0, 1, 0} << "ff................" << none << none;
        QTest::newRow("a found card, two open")
            << QList{0, 1, 2, 4, 0} << "ffo.o............." << 2 << 4;
    }
    void reveal() {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, board);
        QFETCH(int, first);
        QFETCH(int, second);
        MemoryGame g = dealtInOrder();
        for (int k : clicks)
            g.reveal(k);
        QCOMPARE(states(g), board);
        QCOMPARE(g.firstOpen(), first);
        QCOMPARE(g.secondOpen(), second);
        QVERIFY(!g.allFound());
    }

    void allFoundThenReset() {
        MemoryGame g = dealtInOrder();
        for (int k = 0; k < MemoryGame::kCards; ++k) {
            QVERIFY(!g.allFound());
            g.reveal(k);
        }
        QVERIFY(g.allFound());
        g.reset();
        QVERIFY(!g.dealt());
        QVERIFY(!g.allFound());
        QCOMPARE(states(g), QString(18, '.'));
    }

    void cardsShowTheBoard() {
        Play p;
        QCOMPARE(looks(p.w), QStringList(18, "|#8080ff|plain"));
        int a = 0, b = 0;
        p.pairAndTwoOpen(a, b);
        const MemoryGame& g = p.w.game();
        const QStringList seen = looks(p.w);
        for (int k = 0; k < MemoryGame::kCards; ++k) {
            const QString face = MemoryGame::face(g.digit(k));
            if (k == 0 || k == partner(g, 0))
                QCOMPARE(seen[k], face + "|#0000ff|italic");
            else if (k == a || k == b)
                QCOMPARE(seen[k], face + "|#8080ff|plain");
            else
                QCOMPARE(seen[k], QStringLiteral("|#8080ff|plain"));
        }
    }

    void boxesKeepTheBoard_data() {
        QTest::addColumn<bool>("help");
        QTest::addColumn<int>("answer");
        QTest::newRow("help") << true << int(widgets::Answer::Ok);
        QTest::newRow("ENDE, No") << false << int(widgets::Answer::No);
        QTest::newRow("ENDE, Yes, and back again") << false << int(widgets::Answer::Yes);
    }
    void boxesKeepTheBoard() {
        QFETCH(bool, help);
        QFETCH(int, answer);
        Play p;
        int a = 0, b = 0;
        p.pairAndTwoOpen(a, b);
        const QStringList before = looks(p.w);
        p.rt.answer(widgets::Answer(answer));
        QTest::mouseClick(help ? p.w.helpButton : p.w.endButton, Qt::LeftButton);
        QCOMPARE(p.rt.takeBoxes(), QList{help ? kHelp : kQuit});
        const bool left = answer == int(widgets::Answer::Yes);
        QCOMPARE(p.w.isVisible(), !left);
        QCOMPARE(p.ex.activations, left ? 1 : 0);
        if (left) p.w.open(p.ex);
        QCOMPARE(looks(p.w), before);
        // The pick goes on where it stopped: the next click turns the two down.
        p.click(a);
        QCOMPARE(p.w.cards[b]->text(), QString());
    }

    void lastPairWinsAndTheNextOpeningDealsAnew() {
        Play p;
        QStringList atBox, atReturn;
        p.rt.onBox = [&](const ScriptedDesktop::Box&) { atBox = looks(p.w); };
        p.ex.onActivate = [&] { atReturn = looks(p.w); };
        p.rt.answer(widgets::Answer::Ok);
        p.click(0);
        for (int k = 0; k < MemoryGame::kCards && p.w.game().dealt(); ++k) {
            if (p.w.game().state(k) != MemoryGame::CardState::Found) {
                if (k) p.click(k);
                p.click(partner(p.w.game(), k));
            }
        }
        QCOMPARE(p.rt.takeBoxes(), QList{kWon});
        QCOMPARE(atBox.filter(QRegularExpression("^\\d \\* \\d\\|#0000ff\\|italic$")).size(), 18);
        QCOMPARE(atReturn, QStringList(18, "|#8080ff|plain"));
        QVERIFY(p.w.isHidden());
        QVERIFY(!p.w.game().dealt());

        p.w.open(p.ex);
        p.click(4);
        QCOMPARE(states(p.w.game()), QStringLiteral("....o............."));
    }

    void centredOnFirstShowingOnlyAndNoCloseBox() {
        Play p;
        const QSize s = p.rt.screen;
        QVERIFY(qAbs(p.w.leftTw() - (s.width() - p.w.widthTw()) / 2) <= 15);
        QVERIFY(qAbs(p.w.topTw() - (s.height() - p.w.heightTw()) / 2) <= 15);
        p.w.moveTw(300, 450);
        p.rt.windows.hide(&p.w);
        p.w.open(p.ex);
        QVERIFY(qAbs(p.w.leftTw() - 300) <= 15);
        QVERIFY(qAbs(p.w.topTw() - 450) <= 15);
        QVERIFY(!p.w.close());
        QVERIFY(!(p.w.windowFlags() & Qt::WindowCloseButtonHint));
    }
};

QTEST_MAIN(MemoryTest)
#include "memory_test.moc"
