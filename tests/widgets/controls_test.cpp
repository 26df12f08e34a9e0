#include <QPushButton>
#include <QTest>

#include "controls.h"

class ControlsTest : public QObject {
    Q_OBJECT

  private slots:
    // The buttons draw through their own paint: at the designed size and
    // grown, with focus and without, they must look as Qt's push button.
    void buttonsLookAsQtDrawsThem_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("focus");
        QTest::newRow("designed size") << QSize(41, 33) << 12 << false;
        QTest::newRow("designed size with focus") << QSize(113, 33) << 8 << true;
        QTest::newRow("grown on a whiteboard") << QSize(200, 161) << 66 << false;
        QTest::newRow("grown, wide, with focus") << QSize(434, 161) << 39 << true;
    }
    void buttonsLookAsQtDrawsThem() {
        QFETCH(QSize, size);
        QFETCH(int, pointSize);
        QFETCH(bool, focus);
        QWidget window;
        window.setPalette(QColor(0xC0, 0xC0, 0xC0)); // each child resolves its own copy
        window.resize(1000, 400);
        auto* ours =
            new widgets::CommandButton(&window, QStringLiteral("ours"), QStringLiteral("7 Aufgabe"));
        auto* qts = new QPushButton(QStringLiteral("7 Aufgabe"), &window);
        for (QPushButton* b : {static_cast<QPushButton*>(ours), qts}) {
            QFont f = b->font();
            f.setPointSize(pointSize);
            f.setBold(true);
            b->setFont(f);
            b->resize(size);
        }
        // Away from the corner the pointer rests in: hovered, a button is lighter.
        ours->move(300, 20);
        qts->move(300, 220);
        // Buttons of other colours have been drawn before: theirs must not be taken.
        auto* red =
            new widgets::CommandButton(&window, QStringLiteral("red"), QStringLiteral("7 Aufgabe"));
        red->setPalette(QColor(0xE0, 0x40, 0x40));
        red->setGeometry(QRect(QPoint(700, 20), size));
        red->setFont(qts->font());
        red->grab();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (focus) {
            ours->setFocus();
            const QImage focused = ours->grab().toImage();
            qts->setFocus();
            QCOMPARE(focused, qts->grab().toImage());
        } else {
            QCOMPARE(ours->grab().toImage(), qts->grab().toImage());
        }
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
