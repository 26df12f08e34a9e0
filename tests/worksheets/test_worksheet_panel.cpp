#include <QMenu>
#include <QPointingDevice>
#include <QSet>
#include <QTest>
#include <memory>

#include "exercise_window.h"
#include "info_window.h"
#include "scripted_runtime.h"
#include "sheet.h"
#include "twips.h"

using trainer::Form1;

namespace {

QStringList items(const Form1& f) {
    QStringList out;
    for (int i = 0; i < f.Liste5->count(); ++i)
        out << f.Liste5->item(i)->text();
    return out;
}

// The task heads "N:d=q" (and "Rr") of a sheet, in drawing order.
QStringList taskHeads(const QStringList& sheet, bool remainder) {
    const int width = remainder ? 12 : 10, step = remainder ? 14 : 13;
    QStringList heads;
    for (int row = 0; row < 4; ++row)
        for (int t = 0; t < 3; ++t)
            heads << sheet.value(9 * row).mid(t * step, width);
    return heads;
}

QString currentHead(const Form1& f, bool remainder) {
    QString h = f.Liste1.value(0) + ':' + f.Liste1.value(1) + '=' + f.Liste1.value(2);
    return remainder ? h + 'R' + f.Liste1.value(3) : h;
}

bool covers(QWidget* panel, Form1& f, QWidget* control) {
    QWidget* top = f.childAt(control->mapTo(&f, control->rect().center()));
    return top && (top == panel || panel->isAncestorOf(top));
}

void forceTask(ScriptedRuntime& rt, int a, int b, int c, int d, int r = 0) {
    rt.forceRnd({ScriptedRuntime::draw(a, 4, 6), ScriptedRuntime::draw(b, 0, 10),
                 ScriptedRuntime::draw(c, 0, 10), ScriptedRuntime::draw(d, 3, 7)});
    if (r) rt.forceRnd(ScriptedRuntime::draw(r, 0, d));
}

} // namespace

class Form1Worksheet : public QObject {
    Q_OBJECT
  private slots:
    void composeShowsTwelveTasks_data();
    void composeShowsTwelveTasks();
    void otherModeCaptionComposesNothing();
    void printAndCopyReadTheWindow();
    void sheetMenuOnRightClickAndLongPress();
};

void Form1Worksheet::composeShowsTwelveTasks_data() {
    QTest::addColumn<bool>("remainder");
    QTest::newRow("normal") << false;
    QTest::newRow("remainder") << true;
}

void Form1Worksheet::composeShowsTwelveTasks() {
    QFETCH(bool, remainder);
    ScriptedRuntime rt;
    Form1 f;
    if (remainder) f.Befehl20_Click();
    for (auto* c : {f.Bezeichnung16, f.Bezeichnung22})
        c->setCaption("7");
    for (auto* c : {f.Bezeichnung15, f.Bezeichnung23})
        c->setCaption("2");
    QCOMPARE(tw::left(f.Bild3), 9600);
    QCOMPARE(tw::left(f.Liste5), 9600);

    forceTask(rt, 4, 1, 2, 3, remainder ? 2 : 0); // the worked example comes first
    f.Befehl14->click();
    const QStringList first = items(f);
    QCOMPARE(first.size(), 34);
    const QStringList heads = taskHeads(first, remainder);
    QCOMPARE(heads[0], QString(remainder ? "1238:3=412R2" : "1236:3=412"));
    QCOMPARE(QSet<QString>(heads.begin(), heads.end()).size(), 12);
    QCOMPARE(currentHead(f, remainder), heads[11]);

    QCOMPARE(tw::rect(f.Bild3), QRect(960, 0, 7095, 615));
    QCOMPARE(tw::rect(f.Liste5), QRect(960, 720, 7095, 4755));
    for (QWidget* w : {(QWidget*)f.Befehl14, (QWidget*)f.Befehl20, (QWidget*)f.Befehl21})
        QVERIFY(covers(f.Bild3, f, w));
    QVERIFY(covers(f.Liste5, f, remainder ? (QWidget*)f.luecke[13] : (QWidget*)f.Bezeichnung9));

    f.Befehl14->click(); // composing again replaces the sheet
    const QStringList second = items(f);
    QCOMPARE(second.size(), 34);
    QVERIFY(taskHeads(second, remainder) != heads);
    const QStringList liste1 = f.Liste1, liste2 = f.Liste2;

    f.Befehl16->click(); // "Abbruch"
    QCOMPARE(f.Liste5->count(), 0);
    QCOMPARE(tw::left(f.Bild3), 9600);
    QCOMPARE(tw::left(f.Liste5), 9600);

    // The last task drawn stays on screen, unsolved; the counters are untouched.
    QCOMPARE(currentHead(f, remainder), taskHeads(second, remainder)[11]);
    QCOMPARE(f.Liste1, liste1);
    QCOMPARE(f.Liste2, liste2);
    const QString n = f.Liste1.value(0);
    const QList<shell::VbLabel*> dividend =
        remainder ? QList<shell::VbLabel*>{f.luecke[1], f.luecke[2], f.luecke[3], f.luecke[4]}
                  : QList<shell::VbLabel*>{f.Bezeichnung1, f.Bezeichnung2, f.Bezeichnung3,
                                           f.Bezeichnung4};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(dividend[i]->caption(), n.mid(i, 1));
    const QList<shell::VbLabel*> answers =
        remainder ? QList<shell::VbLabel*>{f.luecke[6], f.luecke[10], f.luecke[11], f.luecke[21]}
                  : QList<shell::VbLabel*>{f.Bezeichnung6, f.Bezeichnung7, f.Bezeichnung27,
                                           f.Bezeichnung28};
    for (auto* c : answers)
        QCOMPARE(c->caption(), QString());
    for (auto* c : {f.Bezeichnung16, f.Bezeichnung22})
        QCOMPARE(c->caption(), QString("7"));
    for (auto* c : {f.Bezeichnung15, f.Bezeichnung23})
        QCOMPARE(c->caption(), QString("2"));
    QVERIFY(rt.boxes.isEmpty());
}

void Form1Worksheet::otherModeCaptionComposesNothing() {
    ScriptedRuntime rt;
    Form1 f;
    f.Bezeichnung21->setCaption("X");
    f.Befehl14->click();
    QCOMPARE(f.Liste5->count(), 0);
    QCOMPARE(tw::left(f.Bild3), 9600);
}

void Form1Worksheet::printAndCopyReadTheWindow() {
    ScriptedRuntime rt;
    Form1 f;
    f.Befehl20_Click();
    f.Befehl14->click();
    const QStringList sheet = items(f);
    f.AddPoint();
    f.AddPoint();
    f.printerLock = [] { return 1; }; // printing locked

    rt.answerInput("2");
    rt.answer(shell::AnswerYes);
    rt.answer(shell::AnswerOk);
    f.Befehl17->click();
    QCOMPARE(rt.printed.size(), 1);
    QCOMPARE(rt.printed[0].lines, worksheets::taskSheet(sheet, "R").lines);

    f.AddPoint(); // the password follows the points
    rt.answerInput("2");
    f.Befehl18->click();
    rt.answerInput("3");
    rt.answer(shell::AnswerYes);
    rt.answer(shell::AnswerOk);
    f.Befehl18->click();
    QCOMPARE(rt.printed.size(), 2);
    QCOMPARE(rt.printed[1].lines, worksheets::solutionSheet(sheet, "R").lines);

    rt.answer(shell::AnswerOk);
    f.Befehl19->click();
    QCOMPARE(rt.clipboard, worksheets::clipboardText(sheet, "R"));
    QCOMPARE(items(f), sheet); // printing and copying leave the sheet as it was
    QCOMPARE(tw::left(f.Bild3), 960);
    QVERIFY(rt.allAnswersUsed());
    QCOMPARE(rt.unexpectedBoxes, 0);
}

void Form1Worksheet::sheetMenuOnRightClickAndLongPress() {
    ScriptedRuntime rt;
    Form1 f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QWidget* sheet = f.Liste5->viewport();
    const QPoint at(40, 30);
    auto rightClick = [&] {
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, sheet->mapToGlobal(at));
        QApplication::sendEvent(sheet, &e);
    };

    rightClick(); // no sheet, no menu
    QVERIFY(!f.Liste5Menu->isVisible());

    f.Befehl14->click();
    QVERIFY(f.Liste5->toolTip().contains("Rechte Maustaste"));
    rightClick();
    QTRY_VERIFY(f.Liste5Menu->isVisible());
    QStringList texts;
    for (QAction* a : f.Liste5Menu->actions())
        texts << a->text();
    QCOMPARE(texts,
             QStringList({"Aufgabenblatt als PDF speichern …", "Lösungsblatt als PDF speichern …",
                          "Aufgabenblatt drucken auf …", "Lösungsblatt drucken auf …"}));
    f.Liste5Menu->hide();

    // The commands read the window at the moment they run: sheet, mode, points.
    const QStringList items = [&] {
        QStringList out;
        for (int i = 0; i < f.Liste5->count(); ++i)
            out << f.Liste5->item(i)->text();
        return out;
    }();
    f.AddPoint();
    f.printerLock = [] { return 1; }; // printing locked
    rt.answerInput("1");
    rt.answerSaveFile("/tmp/blatt.pdf");
    rt.answer(shell::AnswerOk);
    f.Liste5Menu->actions()[1]->trigger();
    QCOMPARE(rt.pdfs.size(), 1);
    QCOMPARE(rt.pdfs[0].second.lines, worksheets::solutionSheet(items, "E").lines);
    rt.answerPrintDialog(shell::PrintResult::Cancelled);
    rt.answerInput("1");
    f.Liste5Menu->actions()[2]->trigger();
    QVERIFY(rt.printed.isEmpty());
    QVERIFY(rt.allAnswersUsed());

    // A finger held still opens the menu; a short tap does not.
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QPointingDevice* touch = device.get();
    QTest::touchEvent(sheet, touch).press(0, at);
    QTest::touchEvent(sheet, touch).release(0, at);
    QTest::qWait(900);
    QVERIFY(!f.Liste5Menu->isVisible());
    QTest::touchEvent(sheet, touch).press(0, at);
    QTRY_VERIFY_WITH_TIMEOUT(f.Liste5Menu->isVisible(), 2000);
    QTest::touchEvent(sheet, touch).release(0, at);
    f.Liste5Menu->hide();

    f.Befehl16->click(); // "Abbruch": the sheet is gone, and its menu
    rightClick();
    QVERIFY(!f.Liste5Menu->isVisible());
    QCOMPARE(rt.unexpectedBoxes, 0);
}

QTEST_MAIN(Form1Worksheet)
#include "test_worksheet_panel.moc"
