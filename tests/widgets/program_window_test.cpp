#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "keys.h"
#include "modal_answer.h"
#include "program_window.h"
#include "qt_desktop.h"
#include "scripted_desktop.h"
#include "twips.h"
#include "window_stack.h"


namespace {

// A window that records when it is brought to the front and the keys pressed in it.
class Probe : public widgets::ProgramWindow {
  public:
    Probe(widgets::WindowStack& windows, const QString& name) : ProgramWindow(windows) {
        setObjectName(name);
        setClientTwips(3000, 2000);
        edit = new QLineEdit(this);
        edit->setObjectName(name + QStringLiteral("_edit"));
        tw::place(edit, 120, 120, 2000, 300);
        auto* inner = new QWidget(this);
        tw::place(inner, 120, 600, 2000, 600);
        nested = new QLineEdit(inner);
        nested->setObjectName(name + QStringLiteral("_nested"));
        nested->setGeometry(0, 0, 100, 20);
    }
    void broughtToFront() override { ++activations; }
    void keyPressed(QKeyEvent* e) override {
        keys.append({e->key(), int(e->modifiers())});
        if (boxOnKey) desktop().message(this, QStringLiteral("Probe"), QStringLiteral("Taste"));
    }

    QLineEdit* edit;
    QLineEdit* nested;
    int activations = 0;
    bool boxOnKey = false;
    QList<QPair<int, int>> keys;
};

} // namespace

class ProgramWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        settle();
    }

    // The physical key of the digit row, whatever Shift and the layout make of it.
    void digitRowByPlatform_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<int>("digit");
        QTest::newRow("X: 1") << "xcb" << 10u << 1;
        QTest::newRow("X: 9") << "xcb" << 18u << 9;
        QTest::newRow("X: 0") << "xcb" << 19u << 0;
        QTest::newRow("X: Q is no digit") << "xcb" << 24u << -1;
        QTest::newRow("X: keypad 7 is no digit of the row") << "xcb" << 79u << -1;
        QTest::newRow("Wayland: 5") << "wayland" << 14u << 5;
        QTest::newRow("Windows: 1") << "windows" << 0x02u << 1;
        QTest::newRow("Windows: 0") << "windows" << 0x0Bu << 0;
        QTest::newRow("Windows: X key code 10 is 9") << "windows" << 0x0Au << 9;
        QTest::newRow("Windows: minus is no digit") << "windows" << 0x0Cu << -1;
        QTest::newRow("macOS: 5") << "cocoa" << 0x17u << 5;
        QTest::newRow("macOS: 0") << "cocoa" << 0x1Du << 0;
        QTest::newRow("macOS: A is no digit") << "cocoa" << 0x00u << -1;
        QTest::newRow("offscreen has no native codes") << "offscreen" << 10u << -1;
    }
    void digitRowByPlatform() {
        QFETCH(QString, platform);
        QFETCH(quint32, scanCode);
        QFETCH(int, digit);
        QCOMPARE(widgets::digitRowKey(platform, scanCode), digit);
    }

    void keyPreviewSeesEachKeyOnce_data() {
        QTest::addColumn<QString>("focus");  // "edit", "nested" or "form"
        QTest::addColumn<QString>("target"); // where the key is sent; "" = the focus widget
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expectedText");
        QTest::newRow("digit taken by the focused child") << "edit"
                                                          << "" << int(Qt::Key_7) << "7";
        QTest::newRow("key the child ignores bubbles up, counted once")
            << "edit"
            << "" << int(Qt::Key_F5) << "";
        QTest::newRow("Escape bubbles through a nested child")
            << "nested"
            << "" << int(Qt::Key_Escape) << "";
        QTest::newRow("digit into a nested child") << "nested"
                                                   << "" << int(Qt::Key_3) << "3";
        QTest::newRow("key sent to the window while a child has focus")
            << "edit"
            << "form" << int(Qt::Key_4) << "";
    }
    void keyPreviewSeesEachKeyOnce() {
        QFETCH(QString, focus);
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(QString, expectedText);
        ScriptedDesktop rt;
        widgets::WindowStack& windows = rt.windows;
        Probe a(windows, QStringLiteral("a"));
        Probe other(windows, QStringLiteral("other"));
        a.setKeyPreview(true);
        other.setKeyPreview(true);
        windows.show(&other);
        windows.show(&a);
        settle();
        QLineEdit* child = focus == QLatin1String("nested") ? a.nested : a.edit;
        child->setFocus();
        settle();
        QCOMPARE(QApplication::focusWidget(), child);

        QWidget* to = target == QLatin1String("form") ? static_cast<QWidget*>(&a) : child;
        QTest::keyClick(to, Qt::Key(key));
        QTest::keyClick(to, Qt::Key(key));

        QCOMPARE(a.keys, (QList<QPair<int, int>>{{key, 0}, {key, 0}}));
        QVERIFY(other.keys.isEmpty());
        if (target.isEmpty()) QCOMPARE(child->text(), expectedText + expectedText);
    }

    void aKeyOpeningABoxIsCountedOnce() {
        app::QtDesktop rt;
        widgets::WindowStack windows(rt);
        Probe a(windows, QStringLiteral("a"));
        a.setKeyPreview(true);
        a.boxOnKey = true;
        windows.show(&a);
        settle();
        a.edit->setFocus();
        int boxes = 0;
        ModalAnswer first([&](QWidget* box) {
            ++boxes;
            QTest::keyClick(box, Qt::Key_Return);
        });
        // F5 is ignored by the line edit and goes on to the window after the box.
        QTest::keyClick(a.edit, Qt::Key_F5);
        QCOMPARE(boxes, 1);
        QCOMPARE(a.keys, (QList<QPair<int, int>>{{Qt::Key_F5, 0}}));
    }

    void keysWithoutPreviewAreNotSeen() {
        ScriptedDesktop rt;
        widgets::WindowStack& windows = rt.windows;
        Probe a(windows, QStringLiteral("a"));
        windows.show(&a);
        settle();
        a.edit->setFocus();
        QTest::keyClicks(a.edit, QStringLiteral("12"));
        QVERIFY(a.keys.isEmpty());
        QCOMPARE(a.edit->text(), QStringLiteral("12"));
    }

    void modifiersReachTheWindow() {
        ScriptedDesktop rt;
        widgets::WindowStack& windows = rt.windows;
        Probe a(windows, QStringLiteral("a"));
        a.setKeyPreview(true);
        windows.show(&a);
        settle();
        a.edit->setFocus();
        QTest::keyClick(a.edit, Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
        // The modifier keys are keys of their own.
        const int shift = Qt::ShiftModifier, both = Qt::ShiftModifier | Qt::ControlModifier;
        QCOMPARE(a.keys, (QList<QPair<int, int>>{
                             {Qt::Key_Shift, shift}, {Qt::Key_Control, both}, {Qt::Key_A, both}}));
    }

    void showActivatesOnce() {
        ScriptedDesktop rt;
        widgets::WindowStack& windows = rt.windows;
        Probe a(windows, QStringLiteral("a"));
        windows.show(&a);
        QCOMPARE(a.activations, 1); // at once, before any event is processed
        settle();
        QCOMPARE(a.activations, 1);
        QCOMPARE(windows.current(), &a);
        QVERIFY(a.isVisible());
    }

    void closingBoxDoesNotActivateAgain() {
        app::QtDesktop rt;
        widgets::WindowStack windows(rt);
        Probe a(windows, QStringLiteral("a"));
        windows.show(&a);
        settle();
        ModalAnswer ok([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        QCOMPARE(rt.message(&a, QStringLiteral("Titel"), QStringLiteral("Hallo\r\r"), {}),
                 widgets::Answer::Ok);
        QVERIFY(ok.answered());
        settle();
        QCOMPARE(a.activations, 1);
        QCOMPARE(windows.current(), &a);
        // The window has the keyboard again, as no window manager gives it back.
        QCOMPARE(QApplication::activeWindow(), &a);
    }

    // The user's switch between our windows is no activation: the window the
    // user brings to the front only takes the keyboard back after a box.
    void switchingBetweenFormsDoesNotActivate() {
        app::QtDesktop rt;
        widgets::WindowStack windows(rt);
        Probe a(windows, QStringLiteral("a"));
        Probe b(windows, QStringLiteral("b"));
        windows.show(&a);
        windows.show(&b);
        settle();
        QCOMPARE(windows.current(), &b);

        for (Probe* p : {&a, &b, &a}) {
            // A click on the window, and the activation a window manager sends.
            QTest::mouseClick(p->windowHandle(), Qt::LeftButton, {}, QPoint(150, 100));
            p->activateWindow();
            settle();
            QCOMPARE(QApplication::activeWindow(), p);
        }
        QCOMPARE(a.activations, 1);
        QCOMPARE(b.activations, 1);
        QCOMPARE(windows.current(), &a);
        ModalAnswer ok([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        rt.message(&a, QStringLiteral("Titel"), QStringLiteral("Hallo"), {});
        settle();
        QCOMPARE(QApplication::activeWindow(), &a);
        QCOMPARE(a.activations, 1);
    }

    void windowsNotOursAreIgnored() {
        ScriptedDesktop rt;
        widgets::WindowStack& windows = rt.windows;
        Probe a(windows, QStringLiteral("a"));
        windows.show(&a);
        settle();
        QWidget foreign; // a dialog of Qt's own, say
        foreign.resize(100, 100);
        foreign.show();
        foreign.activateWindow();
        settle();
        QCOMPARE(QApplication::activeWindow(), &foreign);
        QCOMPARE(windows.current(), &a);
        a.activateWindow();
        settle();
        QCOMPARE(QApplication::activeWindow(), &a);
        QCOMPARE(a.activations, 1);
    }

    void anotherApplicationIsNotAnActivation() {
        ScriptedDesktop rt;
        widgets::WindowStack& windows = rt.windows;
        Probe a(windows, QStringLiteral("a"));
        windows.show(&a);
        settle();
        // Offscreen has no other application; the tracker sees what a
        // platform reports when one takes the focus and gives it back.
        emit qApp->focusWindowChanged(nullptr);
        emit qApp->focusWindowChanged(a.windowHandle());
        settle();
        QCOMPARE(a.activations, 1);
        QCOMPARE(windows.current(), &a);
    }

    void hiddenFormIsNotCurrentAndNotActivated() {
        ScriptedDesktop rt;
        widgets::WindowStack& windows = rt.windows;
        Probe a(windows, QStringLiteral("a"));
        Probe b(windows, QStringLiteral("b"));
        windows.show(&a);
        windows.show(&b);
        settle();
        windows.hide(&b);
        QCOMPARE(windows.current(), nullptr);
        QVERIFY(!b.isVisible());
        emit qApp->focusWindowChanged(b.windowHandle());
        QCOMPARE(b.activations, 1);
    }

    void twipsRoundTrip_data() {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("whole pixels") << QRect(13800, 6000, 495, 255) << QRect(920, 400, 33, 17);
        QTest::newRow("between pixels is kept in twips")
            << QRect(13805, 6008, 500, 250) << QRect(920, 401, 33, 17);
        QTest::newRow("origin") << QRect(0, 0, 15, 15) << QRect(0, 0, 1, 1);
    }
    void twipsRoundTrip() {
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        QWidget parent;
        QWidget w(&parent);
        tw::place(&w, twips.x(), twips.y(), twips.width(), twips.height());
        QCOMPARE(tw::rect(&w), twips);
        QCOMPARE(w.geometry(), pixels);

        tw::setLeft(&w, twips.x() + 7);
        tw::setTop(&w, twips.y() + 1);
        QCOMPARE(tw::left(&w), twips.x() + 7);
        QCOMPARE(tw::top(&w), twips.y() + 1);
        QCOMPARE(tw::width(&w), twips.width());
        QCOMPARE(tw::height(&w), twips.height());
        tw::move(&w, twips.x(), twips.y());
        QCOMPARE(tw::rect(&w), twips);
        QCOMPARE(w.geometry(), pixels);
    }

    void twipsOfUnplacedWidgetComeFromPixels() {
        QWidget parent;
        QWidget w(&parent);
        w.setGeometry(10, 20, 30, 40);
        QCOMPARE(tw::rect(&w), QRect(150, 300, 450, 600));
        tw::setLeft(&w, 300);
        QCOMPARE(w.geometry(), QRect(20, 20, 30, 40));
    }

    void windowPositionInTwips() {
        ScriptedDesktop rt;
        widgets::WindowStack& windows = rt.windows;
        Probe a(windows, QStringLiteral("a"));
        QCOMPARE(a.size(), QSize(200, 133)); // 3000 x 2000 twips
        a.moveTw(13800, 6000);
        QCOMPARE(a.pos(), QPoint(920, 400));
        QCOMPARE(a.leftTw(), 13800);
        QCOMPARE(a.topTw(), 6000);
        rt.screen = QSize(28800, 16200);
        // (28800 - 3000) / 2 = 12900; (16200 - 1995) / 2 = 7102.5 twips, 473.5 pixels.
        a.centreOnScreen();
        QCOMPARE(a.pos(), QPoint(860, 474));
    }
};

QTEST_MAIN(ProgramWindowTest)
#include "program_window_test.moc"
