#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include "controls.h"
#include "drag.h"
#include "modal_answer.h"
#include "program_window.h"
#include "scripted_desktop.h"
#include "twips.h"
#include "window_stack.h"

using namespace widgets;

namespace {

// A window with two digit keys and one cell that counts its drops; a key
// opens a modal box, as a wrong key does in the exercise window.
class DragWindow : public ProgramWindow {
  public:
    explicit DragWindow(WindowStack& windows) : ProgramWindow(windows) {
        setClientTwips(4500, 3000);
        setKeyPreview(true);
        for (int i = 0; i < 2; ++i) {
            keys[i] = new DigitKey(this, QStringLiteral("key%1").arg(i), i);
            tw::place(keys[i], 120 + 900 * i, 2280, 615, 495);
        }
        cell = new DigitCell(this, QStringLiteral("cell"));
        tw::place(cell, 2400, 600, 495, 495);
        cell->setTakesDigits(true);
        QObject::connect(cell, &DigitCell::digitDropped, [this](int d) { drops << QString::number(d); });
        otherCell = new DigitCell(this, QStringLiteral("otherCell"));
        tw::place(otherCell, 3300, 600, 495, 495);
        otherCell->setTakesDigits(true);
        QObject::connect(otherCell, &DigitCell::digitDropped,
                         [this](int d) { drops << QStringLiteral("other %1").arg(d); });
    }
    void keyPressed(QKeyEvent*) override {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Fehler"), QStringLiteral("x"),
                        QMessageBox::Ok, this);
        box.exec();
    }
    QPoint at(QWidget* w) const { return w->mapTo(this, w->rect().center()); }

    DigitKey* keys[2];
    DigitCell* cell;
    DigitCell* otherCell;
    QStringList drops;
};

int gTime = 1000000;

// Mouse input as the platform hands it to Qt: modality and grabs apply.
void mouse(DragWindow& f, QEvent::Type type, QPoint at, Qt::MouseButtons state) {
    qt_handleMouseEvent(f.windowHandle(), QPointF(at), QPointF(f.mapToGlobal(at)), state,
                        Qt::LeftButton, type, {}, gTime += 500);
    QCoreApplication::processEvents();
}

} // namespace

class DragTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        settle();
    }

    // The box swallows the release: the drag must end when the box opens.
    void aBoxOpeningMidDragEndsItWithoutADrop() {
        ScriptedDesktop rt;
        DragWindow f(rt.windows);
        rt.windows.show(&f);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        mouse(f, QEvent::MouseButtonPress, f.at(f.keys[1]), Qt::LeftButton);
        mouse(f, QEvent::MouseMove, f.at(f.cell), Qt::LeftButton);
        QVERIFY(f.keys[1]->dragging());
        QLabel* image = f.findChild<QLabel*>(QStringLiteral("dragImage"));
        QVERIFY(image && image->isVisible());
        bool endedInBox = false;
        ModalAnswer ok([&](QWidget* box) {
            endedInBox = !f.keys[1]->dragging() && !f.keys[1]->isDown() && !image->isVisible();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(f.windowHandle(), Qt::Key_X);
        QVERIFY(ok.answered());
        QVERIFY(endedInBox);
        mouse(f, QEvent::MouseButtonRelease, f.at(f.cell), Qt::NoButton);
        QVERIFY(f.drops.isEmpty());
        QCOMPARE(rt.windows.drag(), nullptr);
        // The next drag drops as ever.
        mouse(f, QEvent::MouseButtonPress, f.at(f.keys[0]), Qt::LeftButton);
        mouse(f, QEvent::MouseMove, f.at(f.cell), Qt::LeftButton);
        mouse(f, QEvent::MouseButtonRelease, f.at(f.cell), Qt::NoButton);
        QCOMPARE(f.drops, QStringList{QStringLiteral("0")});
    }

    // A release queues the end of its drag; a new drag started before that
    // call runs, on the same key or another, is not ended by it: one drag,
    // one drop, each where its own drag was let go.
    void aSecondDragStartedAtOnceAfterADropLands_data() {
        QTest::addColumn<int>("second");
        QTest::newRow("the same key") << 1;
        QTest::newRow("another key") << 0;
    }
    void aSecondDragStartedAtOnceAfterADropLands() {
        QFETCH(int, second);
        ScriptedDesktop rt;
        DragWindow f(rt.windows);
        rt.windows.show(&f);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        mouse(f, QEvent::MouseButtonPress, f.at(f.keys[1]), Qt::LeftButton);
        mouse(f, QEvent::MouseMove, f.at(f.cell), Qt::LeftButton);
        auto platform = [&f](QEvent::Type type, QPoint at, Qt::MouseButtons state) {
            qt_handleMouseEvent(f.windowHandle(), QPointF(at), QPointF(f.mapToGlobal(at)), state,
                                Qt::LeftButton, type, {}, gTime);
        };
        // Release and the next press arrive together, in the same
        // millisecond, before the queue runs.
        platform(QEvent::MouseButtonRelease, f.at(f.cell), Qt::NoButton);
        platform(QEvent::MouseMove, f.at(f.keys[second]), Qt::NoButton);
        platform(QEvent::MouseButtonPress, f.at(f.keys[second]), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(f.keys[second]->dragging());
        mouse(f, QEvent::MouseMove, f.at(f.otherCell), Qt::LeftButton);
        mouse(f, QEvent::MouseButtonRelease, f.at(f.otherCell), Qt::NoButton);
        QCOMPARE(f.drops, (QStringList{QStringLiteral("1"), QStringLiteral("other %1").arg(second)}));
        QCOMPARE(rt.windows.drag(), nullptr);
    }

    void aSecondPointerStartsNoSecondDrag() {
        ScriptedDesktop rt;
        DragWindow f(rt.windows);
        rt.windows.show(&f);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        static QPointingDevice* screen = QTest::createTouchDevice();
        mouse(f, QEvent::MouseButtonPress, f.at(f.keys[0]), Qt::LeftButton);
        QVERIFY(f.keys[0]->dragging());
        QTest::touchEvent(&f, screen).press(0, f.at(f.keys[1]), &f);
        QVERIFY(!f.keys[1]->dragging() && !f.keys[1]->isDown());
        QTest::touchEvent(&f, screen).release(0, f.at(f.keys[1]), &f);
        // The mouse's drag goes on, untouched by the finger.
        QVERIFY(f.keys[0]->dragging());
        mouse(f, QEvent::MouseMove, f.at(f.cell), Qt::LeftButton);
        mouse(f, QEvent::MouseButtonRelease, f.at(f.cell), Qt::NoButton);
        QCOMPARE(f.drops, QStringList{QStringLiteral("0")});
        QVERIFY(!f.keys[0]->dragging() && !f.keys[0]->isDown());
        QVERIFY(!f.keys[1]->dragging() && !f.keys[1]->isDown());
        QCOMPARE(rt.windows.drag(), nullptr);
    }

    void aDragWhoseReleaseWasLostEnds_data() {
        QTest::addColumn<bool>("hide");
        QTest::newRow("pointer back with the button up") << false;
        QTest::newRow("window hidden") << true;
    }
    void aDragWhoseReleaseWasLostEnds() {
        QFETCH(bool, hide);
        ScriptedDesktop rt;
        DragWindow f(rt.windows);
        rt.windows.show(&f);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        mouse(f, QEvent::MouseButtonPress, f.at(f.keys[1]), Qt::LeftButton);
        QVERIFY(f.keys[1]->dragging());
        if (hide)
            rt.windows.hide(&f);
        else
            mouse(f, QEvent::MouseMove, f.at(f.cell), Qt::NoButton);
        QVERIFY(!f.keys[1]->dragging() && !f.keys[1]->isDown());
        QVERIFY(f.drops.isEmpty());
        QCOMPARE(rt.windows.drag(), nullptr);
    }
};

QTEST_MAIN(DragTest)
#include "drag_test.moc"
