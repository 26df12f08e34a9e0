#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "info_text.h"
#include "scripted_runtime.h"
#include "start_window.h"
#include "twips.h"
#include "window_stack.h"

using shell::Form0;
namespace forms = shell::forms;

namespace {

// The description exactly as the start window must show it.
const char* const kLines[] = {
    "Mit diesem Programm kann die schriftliche einstellige Division trainiert werden. Das "
    "Ausdrucken einfacher Übungsblätter ist ebenfalls möglich.",
    "",
    "Das Programm behandelt die normale Division und die Division mit Rest. Hierzu kann jeweils "
    "ein Aufgabenblatt und ein Lösungsblatt ausgedruckt werden.",
    "",
    "Innerhalb der Übungsreihen gibt es zur Entspannung kleine Belohnungsspiele.",
    "",
    "Die Bedienung erfolgt mit der Maus über Drag&Drop der angezeigten Zifferntasten.",
    "Fehler werden sofort angezeigt und können unmittelbar verbessert werden.",
    "",
    "Neu bei diesem Programm ist die optionale Bedienung mit der Tastatur. Lesen Sie dazu den "
    "Hilfetext im Rechenfenster.",
    "",
    "Der Drucker wird im Infofenster aktiviert bzw. deaktiviert. Wurde das vor dem Druckbefehl "
    "vergessen, so kann man mit einem Kennwort die Sperre aufheben.",
    "Das Passwort zum Aufheben der Druckersperre entspricht der in diesem Moment angezeigten "
    "Anzahl der richtigen Punkte.",
};

QByteArray expectedText() {
    QByteArray s;
    for (const char* l : kLines)
        s += QByteArray(l) + "\r\n";
    return s;
}

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

class Form0Test : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        rt = new ScriptedRuntime;
        rt->screen = QSize(28800, 16200);
        form = new Form0;
        form->showExerciseWindow = [this] {
            ++exerciseOpened;
            startWindowVisibleAtExercise = form->isVisible();
        };
        exerciseOpened = 0;
        infoOpened = 0;
        form->showInfoWindow = [this] { ++infoOpened; };
        forms::show(form);
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
        const QByteArray expected = expectedText();
        QCOMPARE(expected.count("\r\n"), 13);
        QCOMPARE(shell::infoText().toUtf8(), expected);
        QCOMPARE(form->Text1_Text().toUtf8(), expected);
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
        QPlainTextEdit* box = form->Text1;
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

        QCOMPARE(form->Text1_Text().toUtf8(), expectedText());
        // Some edit reached the box, and rewriting it did not set off a chain
        // of further changes: at most the edit and its undoing per key.
        QVERIFY(changes.count() >= 2);
        QVERIFY(changes.count() <= 2 * 6);
        QVERIFY(rt->boxes.isEmpty());
    }

    void copyingLeavesTextAndSelectionUsable() {
        QPlainTextEdit* box = form->Text1;
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Mit "));
        QCOMPARE(form->Text1_Text().toUtf8(), expectedText());
    }

    void activationRewritesTheText() {
        form->Text1->setPlainText(QStringLiteral("anders")); // rewritten at once by the change
        QCOMPARE(form->Text1_Text().toUtf8(), expectedText());
        forms::hide(form);
        forms::show(form);
        QCOMPARE(form->Text1_Text().toUtf8(), expectedText());
    }

    void quitAnsweredNoChangesNothing() {
        rt->answer(shell::AnswerNo);
        QTest::mouseClick(form->Bild3, Qt::LeftButton, {}, form->Bild3->rect().center());
        QCOMPARE(rt->boxes, (QList<ScriptedRuntime::Box>{
                                msgRecord(QStringLiteral("Dieses Programm jetzt beenden?\r\r\r"),
                                          276, QStringLiteral("Schriftliche Division"))}));
        QVERIFY(!forms::programEnded());
        QVERIFY(form->isVisible());
        QCOMPARE(forms::current(), form);
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
        QVERIFY(!forms::programEnded());
        QVERIFY(form->isVisible());
        QCOMPARE(exerciseOpened, 0);
        QCOMPARE(infoOpened, 0);
        QCOMPARE(form->Text1_Text().toUtf8(), expectedText());
    }

    void iconsAreWhereTheUserClicks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("pos");
        QTest::newRow("quit") << "Bild3" << centreTw(1080, 840, 495, 495);
        QTest::newRow("exercise") << "Bild1" << centreTw(2880, 840, 495, 495);
        QTest::newRow("info") << "Bild4" << centreTw(4680, 840, 495, 495);
    }
    void iconsAreWhereTheUserClicks() {
        QFETCH(QString, name);
        QFETCH(QPoint, pos);
        QWidget* at = form->childAt(pos);
        QVERIFY(at);
        QCOMPARE(at->objectName(), name);
    }

    void exercisePictureHidesAndOpensTheExerciseWindow() {
        QTest::mouseClick(form->Bild1, Qt::LeftButton, {}, form->Bild1->rect().center());
        QCOMPARE(exerciseOpened, 1);
        QVERIFY(!startWindowVisibleAtExercise);
        QVERIFY(!form->isVisible());
        QVERIFY(rt->boxes.isEmpty());
        QVERIFY(!forms::programEnded());
    }

  private:
    ScriptedRuntime* rt = nullptr;
    Form0* form = nullptr;
    int exerciseOpened = 0;
    int infoOpened = 0;
    bool startWindowVisibleAtExercise = true;
};

QTEST_MAIN(Form0Test)
#include "start_window_test.moc"
