#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "scripted_desktop.h"
#include "start_window.h"
#include "twips.h"
#include "window_stack.h"

using windows::StartWindow;

namespace {

// Clicks where the user would: on whatever control lies at pos of the window.
void clickAt(QWidget* window, const QPoint& pos) {
    QWidget* target = window->childAt(pos);
    if (!target) target = window;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, pos));
}

QPoint centreTw(int l, int t, int w, int h) {
    return QPoint(tw::toPx(l + w / 2), tw::toPx(t + h / 2));
}

} // namespace

class StartWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        rt = new ScriptedDesktop;
        rt->screen = QSize(28800, 16200);
        form = new StartWindow(rt->windows);
        form->showExerciseWindow = [this] {
            ++exerciseOpened;
            startWindowVisibleAtExercise = form->isVisible();
        };
        exerciseOpened = 0;
        infoOpened = 0;
        form->showInfoWindow = [this] { ++infoOpened; };
        rt->windows.show(form);
        settle();
    }
    void cleanup() {
        QVERIFY(rt->allAnswersUsed());
        delete form;
        form = nullptr;
        delete rt;
        rt = nullptr;
        settle();
    }

    void describesTheProgramInThirteenLines() {
        QCOMPARE(form->description->document()->blockCount(), 13);
        QVERIFY(form->description->toPlainText().startsWith(
            QStringLiteral("Mit diesem Programm kann die schriftliche einstellige Division")));
    }

    void centredAtLoad() {
        // The outer (framed) window sits in the middle of the 1920 x 1080 screen.
        const QPoint mid =
            form->pos() + QPoint(tw::toPx(form->widthTw()) / 2, tw::toPx(form->heightTw()) / 2);
        QVERIFY2(qAbs(mid.x() - 960) <= 1 && qAbs(mid.y() - 540) <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(mid.x()).arg(mid.y())));
        QVERIFY(form->widthTw() >= 6285 && form->heightTw() >= 7350);
    }

    void editsAreUndone_data() {
        QTest::addColumn<QString>("edit");
        QTest::newRow("typing") << "typing";
        QTest::newRow("Backspace") << "backspace";
        QTest::newRow("Delete") << "delete";
        QTest::newRow("Enter") << "enter";
        QTest::newRow("paste with Ctrl+V") << "paste";
        QTest::newRow("cut a selection with Ctrl+X") << "cut";
        QTest::newRow("typing over a selection") << "overtype";
    }
    void editsAreUndone() {
        QFETCH(QString, edit);
        QPlainTextEdit* box = form->description;
        const QString before = box->toPlainText();
        box->setFocus();
        QTextCursor c = box->textCursor();
        c.setPosition(40);
        box->setTextCursor(c);
        QGuiApplication::clipboard()->setText(QStringLiteral("Eingefügt"));
        QSignalSpy changes(box, &QPlainTextEdit::textChanged);

        if (edit == QLatin1String("typing")) {
            QTest::keyClicks(box, QStringLiteral("abc 7"));
        } else if (edit == QLatin1String("backspace")) {
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClick(box, Qt::Key_Backspace);
        } else if (edit == QLatin1String("delete")) {
            QTest::keyClick(box, Qt::Key_Delete);
        } else if (edit == QLatin1String("enter")) {
            QTest::keyClick(box, Qt::Key_Return);
        } else if (edit == QLatin1String("paste")) {
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (edit == QLatin1String("cut")) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        } else {
            QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
            QTest::keyClick(box, Qt::Key_Q);
        }
        settle();

        QCOMPARE(box->toPlainText(), before);
        QCOMPARE(changes.count(), 0);
        QVERIFY(rt->boxes.isEmpty());
    }

    void copyingLeavesTextAndSelectionUsable() {
        QPlainTextEdit* box = form->description;
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Mit "));
    }

    void quitAnsweredNoChangesNothing() {
        rt->answer(widgets::Answer::No);
        QTest::mouseClick(form->quitPicture, Qt::LeftButton, {}, form->quitPicture->rect().center());
        QCOMPARE(rt->boxes, (QList<ScriptedDesktop::Box>{
                                msgRecord(QStringLiteral("Dieses Programm jetzt beenden?\r\r\r"),
                                          {widgets::Buttons::YesNoDefaultNo, widgets::Icon::Stop}, QStringLiteral("Schriftliche Division"))}));
        QVERIFY(!rt->windows.programEnding());
        QVERIFY(form->isVisible());
        QCOMPARE(rt->windows.current(), form);
        QCOMPARE(exerciseOpened, 0);
        QCOMPARE(infoOpened, 0);
    }

    void onlyTheIconsAct_data() {
        QTest::addColumn<QPoint>("pos"); // pixels in the window
        QTest::newRow("label Ende") << centreTw(960, 1320, 735, 255);
        QTest::newRow("label einstellig") << centreTw(2520, 1320, 1215, 255);
        QTest::newRow("label Info") << centreTw(4560, 1320, 735, 255);
        QTest::newRow("logo picture") << centreTw(720, 4800, 495, 495);
        QTest::newRow("dark red board") << centreTw(120, 240, 240, 240);
        QTest::newRow("black panel") << centreTw(480, 600, 240, 240);
        QTest::newRow("grey plate") << centreTw(4560, 4200, 735, 255);
        QTest::newRow("red bar") << centreTw(1560, 5400, 3135, 495);
        QTest::newRow("left line") << centreTw(1080, 4320, 960, 2640);
        QTest::newRow("bare window") << centreTw(5700, 6900, 300, 300);
    }
    void onlyTheIconsAct() {
        QFETCH(QPoint, pos);
        clickAt(form, pos);
        settle();
        QVERIFY(rt->boxes.isEmpty());
        QVERIFY(!rt->windows.programEnding());
        QVERIFY(form->isVisible());
        QCOMPARE(exerciseOpened, 0);
        QCOMPARE(infoOpened, 0);
    }

    void iconsAreWhereTheUserClicks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("pos");
        QTest::newRow("quit") << "quitPicture" << centreTw(1080, 840, 495, 495);
        QTest::newRow("exercise") << "exercisePicture" << centreTw(2880, 840, 495, 495);
        QTest::newRow("info") << "infoPicture" << centreTw(4680, 840, 495, 495);
    }
    void iconsAreWhereTheUserClicks() {
        QFETCH(QString, name);
        QFETCH(QPoint, pos);
        QWidget* at = form->childAt(pos);
        QVERIFY(at);
        QCOMPARE(at->objectName(), name);
    }

    void exercisePictureHidesAndOpensTheExerciseWindow() {
        QTest::mouseClick(form->exercisePicture, Qt::LeftButton, {}, form->exercisePicture->rect().center());
        QCOMPARE(exerciseOpened, 1);
        QVERIFY(!startWindowVisibleAtExercise);
        QVERIFY(!form->isVisible());
        QVERIFY(rt->boxes.isEmpty());
        QVERIFY(!rt->windows.programEnding());
    }

  private:
    ScriptedDesktop* rt = nullptr;
    StartWindow* form = nullptr;
    int exerciseOpened = 0;
    int infoOpened = 0;
    bool startWindowVisibleAtExercise = true;
};

QTEST_MAIN(StartWindowTest)
#include "start_window_test.moc"
