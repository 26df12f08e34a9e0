// The exercise window grown to the size of a whiteboard: everything sits at
// its twips rectangle times the zoom, centred, and takes drags, touches and
// clicks through the platform's own input path.
#include <QTest>

#include "board_screen.h"
#include <QWindow>

#include "exercise_driver.h"
#include "number_catch.h"

using namespace drive;
using shell::VbLabel;
using trainer::Form1;
using Box = ScriptedRuntime::Box;

namespace {
const QColor kBack = shell::bgr(0xFFC0C0);

// The window at zoom z, with a client wider than the zoom needs.
double growTo(Form1& f, double z) {
    const QSize design = f.minimumSize();
    f.resize(int(design.width() * z) + 240, qRound(design.height() * z));
    return f.zoom();
}

QPoint centreIn(Form1& f, QWidget* w) {
    return w->mapTo(&f, w->rect().center());
}

// Press, three moves and release through the platform's input path: the
// window delivers them to the pressed key as a real mouse does.
void mouseDrag(Form1& f, int digit, QWidget* target) {
    QWindow* win = f.windowHandle();
    const QPoint from = centreIn(f, f.DigitKey[digit]), to = centreIn(f, target);
    QTest::mousePress(win, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 3; ++i)
        QTest::mouseMove(win, from + (to - from) * i / 3);
    QTest::mouseRelease(win, Qt::LeftButton, {}, to);
}

void touchDrag(Form1& f, int digit, QWidget* target) {
    static QPointingDevice* screen = QTest::createTouchDevice();
    QWindow* win = f.windowHandle();
    const QPoint from = centreIn(f, f.DigitKey[digit]), to = centreIn(f, target);
    QTest::touchEvent(win, screen).press(0, from, win);
    QTest::touchEvent(win, screen).move(0, (from + to) / 2, win);
    QTest::touchEvent(win, screen).move(0, to, win);
    QTest::touchEvent(win, screen).release(0, to, win);
}
} // namespace

class TestZoom : public QObject {
    Q_OBJECT
  private slots:

    void controlsSitAtTheirTwipsTimesTheZoom_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("200 %") << 2.0;
        QTest::newRow("237 %") << 2.37;
    }
    void controlsSitAtTheirTwipsTimesTheZoom() {
        QFETCH(double, zoom);
        Session s;
        Form1& f = s.form();
        const double z = growTo(f, zoom);
        QVERIFY(qAbs(z - zoom) < 0.01);
        const QPoint offset(qRound((f.width() - 604 * z) / 2), 0);
        QVERIFY(offset.x() >= 119);

        click(f.Bezeichnung17); // the marker comes over the cell
        f.Bezeichnung26->show();
        struct Expect {
            QWidget* w;
            QRect twips; // in the window
        };
        const Expect expected[] = {
            {f.Bezeichnung9, {2160, 2160, 495, 495}},
            {f.Bezeichnung17, {3360, 3480, 495, 495}},
            {f.Bezeichnung28, {3360, 4800, 495, 495}},
            {f.licht, {3360, 3480, 495, 495}},
            {f.luecke[14], {960 + 1320, 7200 + 1440, 495, 495}},
            {f.DigitKey[0], {960, 5520, 615, 495}},
            {f.DigitKey[9], {7440, 5520, 615, 495}},
            {f.Befehl1, {960, 120, 1335, 495}},
            {f.Befehl14, {6720, 120, 1335, 495}},
            {f.Bezeichnung26, {960, 6120, 7095, 375}},
            {f.Bild1, {8280, 5880, 495, 495}},
        };
        for (const Expect& e : expected) {
            const QRect want(
                offset + QPoint(qRound(e.twips.x() * z / 15), qRound(e.twips.y() * z / 15)),
                QSize(qRound(e.twips.width() * z / 15), qRound(e.twips.height() * z / 15)));
            const QRect got(e.w->mapTo(&f, QPoint()), e.w->size());
            const QString where =
                e.w->objectName() + QStringLiteral(": got %1,%2 %3x%4, want %5,%6 %7x%8")
                                        .arg(got.x())
                                        .arg(got.y())
                                        .arg(got.width())
                                        .arg(got.height())
                                        .arg(want.x())
                                        .arg(want.y())
                                        .arg(want.width())
                                        .arg(want.height());
            QVERIFY2(qAbs(got.left() - want.left()) <= 1 && qAbs(got.top() - want.top()) <= 1 &&
                         qAbs(got.right() - want.right()) <= 1 &&
                         qAbs(got.bottom() - want.bottom()) <= 1,
                     qPrintable(where));
        }
        // Fonts grow alike: the cells' 24 points, the keys' 13.5.
        QVERIFY(qAbs(f.Bezeichnung9->font().pointSizeF() - 24 * z) < 0.01);
        QVERIFY(qAbs(f.DigitKey[3]->font().pointSizeF() - 13.5 * z) < 0.01);

        // The margins show the back colour, and nothing that waits outside the
        // client area (the worksheet panel, the parked marker) shows in them.
        const QImage img = f.grab().toImage();
        for (int y = 5; y < f.height(); y += 23) {
            QCOMPARE(QColor(img.pixel(offset.x() / 2, y)), kBack);
            QCOMPARE(QColor(img.pixel(f.width() - 1 - offset.x() / 2, y)), kBack);
        }
        QCOMPARE(QColor(img.pixel(offset.x() + qRound(604 * z) + 2, f.height() / 2)), kBack);
    }

    void dragsTouchesAndClicksLandAtTheZoom() {
        Session s;
        Form1& f = s.form();
        const double z = growTo(f, 2.37);
        QVERIFY(qAbs(z - 2.37) < 0.01);
        // 2035 : 5: the first difference is 0, with the reminder that the
        // quotient digit is missing.
        s.rt.answer(shell::AnswerOk);
        mouseDrag(f, 0, f.Bezeichnung9);
        QCOMPARE(f.Bezeichnung9->caption(), QStringLiteral("0"));
        QCOMPARE(s.rt.takeBoxes(), QList<Box>{msgRecord("Es fehlt noch die Ergebnisziffer!\r\r", 0,
                                                        "Eingabefehler")});
        QVERIFY(!f.DigitKey[0]->isDown());

        // A click selects the cell under it and the marker covers exactly that cell.
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.Bezeichnung17));
        QCOMPARE(f.licht->geometry(), f.Bezeichnung17->geometry());

        // The remainder layout, by finger: 2038 : 5 = 407 R 3.
        forceTask(s.rt, 4, 0, 7, 5, 3);
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.Befehl20));
        QCOMPARE(tw::top(f.Bild6), 720);
        touchDrag(f, 4, f.luecke[6]);
        touchDrag(f, 3, f.luecke[14]);
        QCOMPARE(f.luecke[6]->caption(), QStringLiteral("4"));
        QCOMPARE(f.luecke[14]->caption(), QStringLiteral("3"));
        QCOMPARE(f.Bezeichnung22->caption(), QStringLiteral("3"));
        QVERIFY(s.rt.boxes.isEmpty());
    }

    void theHeldDigitIsAsLargeAsItsKey() {
        Session s;
        Form1& f = s.form();
        growTo(f, 2.37);
        QWindow* win = f.windowHandle();
        const QPoint from = centreIn(f, f.DigitKey[7]);
        QTest::mousePress(win, Qt::LeftButton, {}, from);
        QTest::mouseMove(win, from - QPoint(0, 200));
        auto* image = f.findChild<QLabel*>(QStringLiteral("dragImage"));
        QVERIFY(image && image->isVisible());
        QCOMPARE(image->size(), f.DigitKey[7]->size());
        QCOMPARE(image->fontInfo().pixelSize(), f.DigitKey[7]->fontInfo().pixelSize());
        QTest::mouseRelease(win, Qt::LeftButton, {}, from - QPoint(0, 200));
        QVERIFY(!image->isVisible());
    }

    void gamesOpenAtTheZoomOfTheExercise() {
        Session s;
        Form1& f = s.form();
        growTo(f, 2.0);
        games::Form4& g = s.program.form4();
        for (int i = 0; i < 50; ++i)
            f.AddPoint();
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.Bezeichnung26));
        QVERIFY(g.isVisible());
        QVERIFY(qAbs(g.zoom() - f.zoom()) < 0.02);
        const QSize before = f.size();
        s.rt.answer(shell::AnswerYes);
        g.Befehl1_Click();
        QVERIFY(f.isVisible());
        QCOMPARE(f.size(), before);

        // Maximised, the game opens maximised, and the exercise comes back so.
        f.showMaximized();
        QTRY_VERIFY(f.isMaximized());
        for (int i = 0; i < 50; ++i)
            f.AddPoint();
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.Bezeichnung26));
        QVERIFY(g.isVisible());
        QVERIFY(g.isMaximized());
        s.rt.answer(shell::AnswerYes);
        g.Befehl1_Click();
        QVERIFY(f.isMaximized());

        // Back at 100 %, the next game is no longer maximised.
        f.showNormal();
        f.resize(f.minimumSize());
        for (int i = 0; i < 50; ++i)
            f.AddPoint();
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, centreIn(f, f.Bezeichnung26));
        QVERIFY(!g.isMaximized());
        QCOMPARE(g.size(), g.minimumSize());
        s.rt.answer(shell::AnswerYes);
        g.Befehl1_Click();
    }
};

int main(int argc, char** argv) {
    return runOnBoardScreen<TestZoom>(argc, argv);
}
#include "test_zoom.moc"
