#include <QMap>
#include <QMenu>
#include <QPointingDevice>
#include <QSet>
#include <QTest>
#include <memory>

#include "cell_table.h"
#include "exercise_window.h"
#include "info_window.h"
#include "scripted_runtime.h"
#include "sheet_text.h"
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

// The runtime's next number makes this the number of the next new sheet.
void forceSheetNumber(ScriptedRuntime& rt, int digits) {
    rt.forceRnd(ScriptedRuntime::draw(digits, 0, 1000000));
}

QAction* action(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    qFatal("no menu item %s", qPrintable(text));
}

QStringList texts(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) out << a->text();
    return out;
}

// Everything of the window a sheet may change or must leave alone.
QMap<QString, QString> windowState(Form1& f) {
    QMap<QString, QString> s;
    for (shell::VbLabel* l : f.findChildren<shell::VbLabel*>())
        s["caption " + l->objectName()] = l->caption();
    for (QWidget* w : {(QWidget*)f.licht, (QWidget*)f.licht2, (QWidget*)f.Bild3, (QWidget*)f.Liste5,
                       (QWidget*)f.Bild6})
        s["place " + w->objectName()] = QStringLiteral("%1,%2").arg(tw::left(w)).arg(tw::top(w));
    s["title"] = f.windowTitle();
    s["Liste1"] = f.Liste1.join('|');
    s["Liste2"] = f.Liste2.join('|');
    s["Liste5"] = items(f).join('|');
    s["number"] = f.sheetNumber;
    s["tooltip"] = f.Liste5->toolTip();
    return s;
}

QString firstDifference(const QMap<QString, QString>& was, const QMap<QString, QString>& is) {
    for (auto it = was.cbegin(); it != was.cend(); ++it)
        if (is.value(it.key()) != it.value())
            return QStringLiteral("%1: '%2', now '%3'")
                .arg(it.key(), it.value(), is.value(it.key()));
    return is.size() == was.size() ? QString() : QStringLiteral("other controls");
}

const QString kByNumber = QStringLiteral("Blatt nach Nummer …");
const QString kByNumberTitle = QStringLiteral("Blatt nach Nummer");

} // namespace

class Form1Worksheet : public QObject {
    Q_OBJECT
  private slots:
    void composeShowsTwelveTasks_data();
    void composeShowsTwelveTasks();
    void otherModeCaptionComposesNothing();
    void printAndCopyReadTheWindow();
    void sheetMenuOnRightClickAndLongPress();
    void sheetComesBackByNumber_data();
    void sheetComesBackByNumber();
    void badNumbersChangeNothing_data();
    void badNumbersChangeNothing();
    void blattMenuOnRightClickAndLongPress();
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

    forceSheetNumber(rt, remainder ? 93514 : 482719);
    f.Befehl14->click();
    const QStringList first = items(f);
    QCOMPARE(first.size(), 34);
    const QStringList heads = taskHeads(first, remainder);
    // The first task of the number, and the number in the tooltip.
    QCOMPARE(heads[0], QString(remainder ? "4111:5=822R1" : "2586:3=862"));
    QCOMPARE(f.sheetNumber, QString(remainder ? "R-093514" : "E-482719"));
    QVERIFY(f.Liste5->toolTip().startsWith("Blatt-Nr. " + f.sheetNumber + "\n"));
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
    QCOMPARE(rt.printed[0].footLine, "Blatt-Nr. " + f.sheetNumber + " · Seite {page} von {pages}");

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
    QCOMPARE(texts(f.Liste5Menu),
             QStringList({"Blatt-Nr. " + f.sheetNumber, kByNumber,
                          "Aufgabenblatt als PDF speichern …", "Lösungsblatt als PDF speichern …",
                          "Aufgabenblatt drucken auf …", "Lösungsblatt drucken auf …",
                          "Klassensatz als PDF speichern …", "Klassensatz drucken auf …"}));
    QVERIFY(!f.Liste5Menu->actions().first()->isEnabled());
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
    action(f.Liste5Menu, "Lösungsblatt als PDF speichern …")->trigger();
    QCOMPARE(rt.pdfs.size(), 1);
    QCOMPARE(rt.pdfs[0].second.lines, worksheets::solutionSheet(items, "E").lines);
    QVERIFY(rt.pdfs[0].second.footLine.startsWith("Blatt-Nr. " + f.sheetNumber + " · "));
    rt.answerPrintDialog(shell::PrintResult::Cancelled);
    rt.answerInput("1");
    action(f.Liste5Menu, "Aufgabenblatt drucken auf …")->trigger();
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

void Form1Worksheet::sheetComesBackByNumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("digits");
    QTest::addColumn<bool>("remainder");
    QTest::addColumn<bool>("fromRemainder"); // the mode when the number is typed
    QTest::addColumn<bool>("sheetShown");    // another sheet on the panel by then
    QTest::newRow("as printed, over another sheet")
        << "E-482719" << 482719 << false << false << true;
    QTest::newRow("small letter, from remainder mode")
        << "e482719" << 482719 << false << true << false;
    QTest::newRow("blanks, nothing shown") << "E 482 719" << 482719 << false << false << false;
    QTest::newRow("remainder number over a normal sheet")
        << "r-093514" << 93514 << true << false << true;
    QTest::newRow("remainder number in remainder mode")
        << "R 093 514" << 93514 << true << true << false;
}

// Typed back, a number gives the very sheet "Blatt" gave, with the window
// around it as "Blatt" left it: the sheet's last task, markers parked, the
// counters, the mode's layout.
void Form1Worksheet::sheetComesBackByNumber() {
    QFETCH(QString, typed);
    QFETCH(int, digits);
    QFETCH(bool, remainder);
    QFETCH(bool, fromRemainder);
    QFETCH(bool, sheetShown);
    ScriptedRuntime rt;
    Form1 f;
    if (remainder)
        f.Befehl20_Click();
    else
        f.Befehl21_Click();
    for (auto* c : {f.Bezeichnung16, f.Bezeichnung22})
        c->setCaption("7");
    forceSheetNumber(rt, digits);
    f.Befehl14->click();
    const QMap<QString, QString> composed = windowState(f);
    rt.answer(shell::AnswerOk);
    f.Befehl19->click();
    const QString text = rt.clipboard, html = rt.clipboardHtml;
    QVERIFY(html.contains("Blatt-Nr. " + f.sheetNumber));

    f.Befehl16->click();
    if (fromRemainder)
        f.Befehl20_Click();
    else
        f.Befehl21_Click();
    f.AddPoint();               // points and errors stay as they are from here on
    rt.answer(shell::AnswerOk); // the box of a wrong digit
    f.ReportWrongDigit();
    rt.takeBoxes();
    const QString points = f.Bezeichnung22->caption(), errors = f.Bezeichnung23->caption();

    rt.answerInput(typed);
    if (sheetShown) {
        f.Befehl14->click();
        QVERIFY(f.sheetNumber != composed["number"]);
        action(f.Liste5Menu, kByNumber)->trigger();
    } else {
        action(f.Befehl14Menu, kByNumber)->trigger();
    }
    QCOMPARE(rt.boxes.size(), 1);
    QCOMPARE(rt.boxes[0].kind, ScriptedRuntime::Box::Input);
    QCOMPARE(rt.boxes[0].title, kByNumberTitle);
    QVERIFY(rt.allAnswersUsed());

    QMap<QString, QString> now = windowState(f);
    for (const char* counter : {"Bezeichnung15", "Bezeichnung16", "Bezeichnung22", "Bezeichnung23"})
        now["caption " + QString(counter)] = composed["caption " + QString(counter)];
    QVERIFY2(firstDifference(composed, now).isEmpty(), qPrintable(firstDifference(composed, now)));
    QCOMPARE(f.Bezeichnung22->caption(), points);
    QCOMPARE(f.Bezeichnung23->caption(), errors);
    QVERIFY(f.lichtParked() && f.licht2Parked());

    rt.answer(shell::AnswerOk);
    f.Befehl19->click();
    QCOMPARE(rt.clipboard, text); // byte for byte
    QCOMPARE(rt.clipboardHtml, html);
}

void Form1Worksheet::badNumbersChangeNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("sheetShown");
    QTest::newRow("wrong letter") << "X-482719" << true;
    QTest::newRow("too few digits") << "E-48271" << false;
    QTest::newRow("too many digits") << "R-0935140" << true;
    QTest::newRow("letters among the digits") << "E-48a719" << false;
    QTest::newRow("cancelled") << "" << true;
    QTest::newRow("cancelled, nothing shown") << "" << false;
}

void Form1Worksheet::badNumbersChangeNothing() {
    QFETCH(QString, typed);
    QFETCH(bool, sheetShown);
    ScriptedRuntime rt;
    Form1 f;
    f.Befehl21_Click();
    if (sheetShown) f.Befehl14->click();
    f.CellClick(*trainer::ruleForNumber(1)); // a marker on a cell
    QVERIFY(!f.lichtParked());
    const QMap<QString, QString> before = windowState(f);

    rt.answerInput(typed);
    if (!typed.isEmpty()) rt.answer(shell::AnswerOk);
    action(sheetShown ? f.Liste5Menu : f.Befehl14Menu, kByNumber)->trigger();
    QVERIFY(rt.allAnswersUsed());
    QCOMPARE(rt.boxes.size(), typed.isEmpty() ? 1 : 2);
    if (!typed.isEmpty())
        QCOMPARE(rt.boxes[1], msgRecord("Diese Blatt-Nummer gibt es nicht.", shell::OkOnly + 48,
                                        kByNumberTitle));
    const QString diff = firstDifference(before, windowState(f));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void Form1Worksheet::blattMenuOnRightClickAndLongPress() {
    ScriptedRuntime rt;
    Form1 f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QWidget* blatt = f.Befehl14;
    const QPoint at = blatt->rect().center();
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, blatt->mapToGlobal(at));
    QApplication::sendEvent(blatt, &e);
    QTRY_VERIFY(f.Befehl14Menu->isVisible());
    QCOMPARE(texts(f.Befehl14Menu), QStringList({kByNumber, "Klassensatz als PDF speichern …",
                                                 "Klassensatz drucken auf …"}));
    f.Befehl14Menu->hide();
    settle(); // the window takes the touch again once the menu's window has gone
    QCOMPARE(f.Liste5->count(), 0);

    // A short tap is still "Blatt".
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QTest::touchEvent(blatt, device.get()).press(0, at);
    QTest::touchEvent(blatt, device.get()).release(0, at);
    QTRY_COMPARE(f.Liste5->count(), 34);
    QTest::qWait(900);
    QVERIFY(!f.Befehl14Menu->isVisible());
    f.Befehl16->click();

    // A finger held on "Blatt" opens the menu, though it wobbles a little,
    // and letting go then composes nothing.
    const QPoint wobble(QApplication::startDragDistance() / 2, 1);
    QTest::touchEvent(blatt, device.get()).press(0, at);
    QTest::touchEvent(blatt, device.get()).move(0, at + wobble);
    QTRY_VERIFY_WITH_TIMEOUT(f.Befehl14Menu->isVisible(), 2000);
    QTest::touchEvent(blatt, device.get()).release(0, at + wobble);
    settle();
    QCOMPARE(f.Liste5->count(), 0);
    QVERIFY(!f.Befehl14->isDown());
    f.Befehl14Menu->hide();
    settle();

    // A finger that moves away is no long press.
    const QPoint away = at + QPoint(3 * QApplication::startDragDistance(), 0);
    QTest::touchEvent(blatt, device.get()).press(0, at);
    QTest::touchEvent(blatt, device.get()).move(0, away);
    QTest::qWait(900);
    QVERIFY(!f.Befehl14Menu->isVisible());
    QTest::touchEvent(blatt, device.get()).release(0, away);
    settle();
    QCOMPARE(rt.unexpectedBoxes, 0);
}

QTEST_MAIN(Form1Worksheet)
#include "test_worksheet_panel.moc"
