// The worksheet panel through the real window: composing, closing, printing
// and copying what is shown, the sheet's menus, sheets brought back by
// number. (The print flows themselves: test_sheet_actions.)
#include <QCheckBox>
#include <QMap>
#include <QRadioButton>
#include <QMenu>
#include <QPointingDevice>
#include <QSet>
#include <QTest>
#include <memory>

#include "class_names_dialog.h"
#include "task_choice_control.h"
#include "task_choice_dialog.h"
#include "exercise_driver.h"
#include "modal_answer.h"
#include "scripted_desktop.h"
#include "sheet_number.h"
#include "sheet_panel.h"
#include "sheet_text.h"
#include "twips.h"

using core::Mode;
using drive::earnPoints;
using windows::ExerciseWindow;

namespace {

QStringList items(const ExerciseWindow& f) {
    return const_cast<ExerciseWindow&>(f).sheetPanel().lines();
}

// The task lines "N:d=q" (and "Rr") of a sheet, in drawing order.
QStringList taskLines(const QStringList& sheet, bool remainder) {
    const int width = remainder ? 12 : 10, step = remainder ? 14 : 13;
    QStringList lines;
    for (int row = 0; row < 4; ++row)
        for (int t = 0; t < 3; ++t)
            lines << sheet.value(9 * row).mid(t * step, width).trimmed();
    return lines;
}

bool covers(QWidget* panel, ExerciseWindow& f, QWidget* control) {
    QWidget* top = f.childAt(control->mapTo(&f, control->rect().center()));
    return top && (top == panel || panel->isAncestorOf(top));
}

// The desktop's next random number makes this the number of the next new sheet.
void forceSheetNumber(ScriptedDesktop& rt, int digits) {
    rt.forceRnd(ScriptedDesktop::draw(digits, 0, 1000000));
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
QMap<QString, QString> windowState(ExerciseWindow& f) {
    QMap<QString, QString> s;
    for (QLabel* l : f.findChildren<QLabel*>())
        s["text " + l->objectName()] = l->text();
    for (QWidget* w : f.findChildren<QWidget*>())
        if (!w->objectName().isEmpty())
            s["place " + w->objectName()] = QStringLiteral("%1,%2").arg(tw::left(w)).arg(tw::top(w));
    s["title"] = f.windowTitle();
    s["sheet"] = items(f).join('|');
    s["number"] = f.sheetPanel().number();
    s["tooltip"] = f.sheetPanel().sheetList->toolTip();
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
const QString kNamedSet = QStringLiteral("Klassensatz mit Namen …");
const QString kChooseTasks = QStringLiteral("Aufgaben wählen …");

} // namespace

class WorksheetPanelTest : public QObject {
    Q_OBJECT
  private slots:
    void composeShowsTwelveTasks_data();
    void composeShowsTwelveTasks();
    void printAndCopyReadTheWindow();
    void sheetMenuOnRightClickAndLongPress();
    void sheetComesBackByNumber_data();
    void sheetComesBackByNumber();
    void badNumbersChangeNothing_data();
    void badNumbersChangeNothing();
    void blattMenuOnRightClickAndLongPress();
    void namedClassSetThroughItsWindow();
    void taskChoiceThroughItsWindowAndTheLock();
};

void WorksheetPanelTest::composeShowsTwelveTasks_data() {
    QTest::addColumn<bool>("remainder");
    QTest::newRow("normal") << false;
    QTest::newRow("remainder") << true;
}

void WorksheetPanelTest::composeShowsTwelveTasks() {
    QFETCH(bool, remainder);
    ScriptedDesktop rt;
    ExerciseWindow f(rt.windows);
    f.chooseMode(remainder ? Mode::Remainder : Mode::Normal);
    earnPoints(f, 7);
    QCOMPARE(tw::left(f.sheetPanel().panel), 9600);
    QCOMPARE(tw::left(f.sheetPanel().sheetList), 9600);
    // Out of view, the panel's buttons are out of the keyboard's reach too.
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(f.focusWidget() ? f.focusWidget() : &f, Qt::Key_Tab);
        QWidget* focused = f.focusWidget();
        QVERIFY(!focused || !f.sheetPanel().panel->isAncestorOf(focused));
        QVERIFY(focused != f.sheetPanel().sheetList);
    }

    forceSheetNumber(rt, remainder ? 93514 : 482719);
    f.sheetButton->click();
    const QStringList first = items(f);
    QCOMPARE(first.size(), 34);
    const QStringList tasks = taskLines(first, remainder);
    // The first task of the number, and the number in the tooltip.
    QCOMPARE(tasks[0], QString(remainder ? "4111:5=822R1" : "2586:3=862"));
    QCOMPARE(f.sheetPanel().number(), QString(remainder ? "R-093514" : "E-482719"));
    QVERIFY(f.sheetPanel().sheetList->toolTip().startsWith("Blatt-Nr. " + f.sheetPanel().number() +
                                                           "\n"));
    QCOMPARE(QSet<QString>(tasks.begin(), tasks.end()).size(), 12);
    QCOMPARE(f.exercise().written().taskLine(), tasks[11]);

    QCOMPARE(tw::rect(f.sheetPanel().panel), QRect(960, 0, 7095, 615));
    QCOMPARE(tw::rect(f.sheetPanel().sheetList), QRect(960, 720, 7095, 4755));
    for (QWidget* w : {static_cast<QWidget*>(f.sheetButton), static_cast<QWidget*>(f.remainderButton),
                       static_cast<QWidget*>(f.normalButton)})
        QVERIFY(covers(f.sheetPanel().panel, f, w));
    const Mode mode = remainder ? Mode::Remainder : Mode::Normal;
    QVERIFY(covers(f.sheetPanel().sheetList, f,
                   f.cell(core::answerCell(mode, core::CellRole::Difference1)->number)));

    f.sheetButton->click(); // composing again replaces the sheet
    const QStringList second = items(f);
    QCOMPARE(second.size(), 34);
    QVERIFY(taskLines(second, remainder) != tasks);

    f.sheetPanel().closeButton->click(); // "Abbruch"
    QCOMPARE(f.sheetPanel().sheetList->count(), 0);
    QCOMPARE(tw::left(f.sheetPanel().panel), 9600);
    QCOMPARE(tw::left(f.sheetPanel().sheetList), 9600);

    // The last task drawn stays on screen, unsolved; the counters are untouched.
    const QString line = f.exercise().written().taskLine();
    QCOMPARE(line, taskLines(second, remainder)[11]);
    QString dividend;
    for (widgets::DigitCell* c : f.layout(mode).dividendCells())
        dividend += c->text();
    QVERIFY(line.startsWith(dividend + ':'));
    for (const core::AnswerCell* c : core::answerCells(mode))
        QCOMPARE(f.cell(c->number)->text(), QString());
    QCOMPARE(f.counters().pointsCounter->text(), QString("7"));
    QVERIFY(rt.boxes.isEmpty());
}

void WorksheetPanelTest::printAndCopyReadTheWindow() {
    ScriptedDesktop rt;
    ExerciseWindow f(rt.windows);
    f.chooseMode(Mode::Remainder);
    f.sheetButton->click();
    const QStringList sheet = items(f);
    earnPoints(f, 2);
    f.printingLocked = [] { return true; };

    rt.answerInput("2");
    rt.answer(widgets::Answer::Yes);
    rt.answer(widgets::Answer::Ok);
    f.sheetPanel().printTasksButton->click();
    QCOMPARE(rt.printed.size(), 1);
    QCOMPARE(rt.printed[0].lines, core::taskSheet(sheet, Mode::Remainder).lines);
    QCOMPARE(rt.printed[0].footLine,
             "Blatt-Nr. " + f.sheetPanel().number() + " · Seite {page} von {pages}");

    earnPoints(f, 1); // the password follows the points
    rt.answerInput("2");
    f.sheetPanel().printSolutionsButton->click();
    rt.answerInput("3");
    rt.answer(widgets::Answer::Yes);
    rt.answer(widgets::Answer::Ok);
    f.sheetPanel().printSolutionsButton->click();
    QCOMPARE(rt.printed.size(), 2);
    QCOMPARE(rt.printed[1].lines, core::solutionSheet(sheet, Mode::Remainder).lines);

    rt.answer(widgets::Answer::Ok);
    f.sheetPanel().copyButton->click();
    QCOMPARE(rt.clipboard, core::clipboardText(sheet, Mode::Remainder));
    QCOMPARE(items(f), sheet); // printing and copying leave the sheet as it was
    QCOMPARE(tw::left(f.sheetPanel().panel), 960);
    QVERIFY(rt.allAnswersUsed());
    QCOMPARE(rt.unexpectedBoxes, 0);
}

void WorksheetPanelTest::sheetMenuOnRightClickAndLongPress() {
    ScriptedDesktop rt;
    ExerciseWindow f(rt.windows);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    windows::SheetPanel& panel = f.sheetPanel();
    QWidget* sheet = panel.sheetList->viewport();
    const QPoint at(40, 30);
    auto rightClick = [&] {
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, sheet->mapToGlobal(at));
        QApplication::sendEvent(sheet, &e);
    };

    rightClick(); // no sheet, no menu
    QVERIFY(!panel.sheetMenu->isVisible());

    f.sheetButton->click();
    QVERIFY(panel.sheetList->toolTip().contains("Rechte Maustaste"));
    rightClick();
    QTRY_VERIFY(panel.sheetMenu->isVisible());
    QCOMPARE(texts(panel.sheetMenu),
             QStringList({"Blatt-Nr. " + panel.number(), kByNumber, kChooseTasks,
                          "Aufgabenblatt als PDF speichern …", "Lösungsblatt als PDF speichern …",
                          "Aufgabenblatt drucken auf …", "Lösungsblatt drucken auf …",
                          "Klassensatz als PDF speichern …", "Klassensatz drucken auf …",
                          kNamedSet}));
    QVERIFY(!panel.sheetMenu->actions().first()->isEnabled());
    panel.sheetMenu->hide();

    // The commands read the window at the moment they run: sheet, mode, points.
    const QStringList shown = items(f);
    earnPoints(f, 1);
    f.printingLocked = [] { return true; };
    rt.answerInput("1");
    rt.answerSaveFile("/tmp/blatt.pdf");
    rt.answer(widgets::Answer::Ok);
    action(panel.sheetMenu, "Lösungsblatt als PDF speichern …")->trigger();
    QCOMPARE(rt.pdfs.size(), 1);
    QCOMPARE(rt.pdfs[0].second.lines, core::solutionSheet(shown, Mode::Normal).lines);
    QVERIFY(rt.pdfs[0].second.footLine.startsWith("Blatt-Nr. " + panel.number() + " · "));
    rt.answerPrintDialog(core::PrintResult::Cancelled);
    rt.answerInput("1");
    action(panel.sheetMenu, "Aufgabenblatt drucken auf …")->trigger();
    QVERIFY(rt.printed.isEmpty());
    QVERIFY(rt.allAnswersUsed());

    // A finger held still opens the menu; a short tap does not.
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QPointingDevice* touch = device.get();
    QTest::touchEvent(sheet, touch).press(0, at);
    QTest::touchEvent(sheet, touch).release(0, at);
    QTest::qWait(900);
    QVERIFY(!panel.sheetMenu->isVisible());
    QTest::touchEvent(sheet, touch).press(0, at);
    QTRY_VERIFY_WITH_TIMEOUT(panel.sheetMenu->isVisible(), 2000);
    QTest::touchEvent(sheet, touch).release(0, at);
    panel.sheetMenu->hide();

    panel.closeButton->click(); // "Abbruch": the sheet is gone, and its menu
    rightClick();
    QVERIFY(!panel.sheetMenu->isVisible());
    QCOMPARE(rt.unexpectedBoxes, 0);
}

void WorksheetPanelTest::sheetComesBackByNumber_data() {
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
// around it as "Blatt" left it: the sheet's last task, the marker parked, the
// counters, the mode's layout.
void WorksheetPanelTest::sheetComesBackByNumber() {
    QFETCH(QString, typed);
    QFETCH(int, digits);
    QFETCH(bool, remainder);
    QFETCH(bool, fromRemainder);
    QFETCH(bool, sheetShown);
    ScriptedDesktop rt;
    ExerciseWindow f(rt.windows);
    f.chooseMode(remainder ? Mode::Remainder : Mode::Normal);
    forceSheetNumber(rt, digits);
    f.sheetButton->click();
    QMap<QString, QString> composed = windowState(f);
    rt.answer(widgets::Answer::Ok);
    f.sheetPanel().copyButton->click();
    const QString text = rt.clipboard, html = rt.clipboardHtml;
    QVERIFY(html.contains("Blatt-Nr. " + f.sheetPanel().number()));

    f.sheetPanel().closeButton->click();
    f.chooseMode(fromRemainder ? Mode::Remainder : Mode::Normal);
    earnPoints(f, 3); // the counters stay as they are from here on
    const QString points = f.counters().pointsCounter->text();
    f.exercise().selectCell(core::answerCells(f.exercise().mode()).first()->number);
    f.showExercise();
    rt.takeBoxes();

    rt.answerInput(typed);
    if (sheetShown) {
        f.sheetButton->click();
        QVERIFY(f.sheetPanel().number() != composed["number"]);
        action(f.sheetPanel().sheetMenu, kByNumber)->trigger();
    } else {
        action(f.sheetPanel().sheetButtonMenu, kByNumber)->trigger();
    }
    QCOMPARE(rt.boxes.size(), 1);
    QCOMPARE(rt.boxes[0].kind, ScriptedDesktop::Box::Input);
    QCOMPARE(rt.boxes[0].title, kByNumberTitle);
    QVERIFY(rt.allAnswersUsed());

    QMap<QString, QString> now = windowState(f);
    now["text pointsCounter"] = composed["text pointsCounter"];
    QVERIFY2(firstDifference(composed, now).isEmpty(), qPrintable(firstDifference(composed, now)));
    QCOMPARE(f.counters().pointsCounter->text(), points);

    rt.answer(widgets::Answer::Ok);
    f.sheetPanel().copyButton->click();
    QCOMPARE(rt.clipboard, text); // byte for byte
    QCOMPARE(rt.clipboardHtml, html);
}

void WorksheetPanelTest::badNumbersChangeNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("sheetShown");
    QTest::newRow("wrong letter") << "X-482719" << true;
    QTest::newRow("too few digits") << "E-48271" << false;
    QTest::newRow("too many digits") << "R-0935140" << true;
    QTest::newRow("letters among the digits") << "E-48a719" << false;
    QTest::newRow("cancelled") << "" << true;
    QTest::newRow("cancelled, nothing shown") << "" << false;
}

void WorksheetPanelTest::badNumbersChangeNothing() {
    QFETCH(QString, typed);
    QFETCH(bool, sheetShown);
    ScriptedDesktop rt;
    ExerciseWindow f(rt.windows);
    f.chooseMode(Mode::Normal);
    if (sheetShown) f.sheetButton->click();
    f.exercise().selectCell(1); // a cell waits for a digit
    f.showExercise();
    const QMap<QString, QString> before = windowState(f);

    rt.answerInput(typed);
    if (!typed.isEmpty()) rt.answer(widgets::Answer::Ok);
    action(sheetShown ? f.sheetPanel().sheetMenu : f.sheetPanel().sheetButtonMenu, kByNumber)
        ->trigger();
    QVERIFY(rt.allAnswersUsed());
    QCOMPARE(rt.boxes.size(), typed.isEmpty() ? 1 : 2);
    if (!typed.isEmpty())
        QCOMPARE(rt.boxes[1], msgRecord("Diese Blatt-Nummer gibt es nicht.", {widgets::Buttons::Ok, widgets::Icon::Warning},
                                        kByNumberTitle));
    const QString diff = firstDifference(before, windowState(f));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void WorksheetPanelTest::blattMenuOnRightClickAndLongPress() {
    ScriptedDesktop rt;
    ExerciseWindow f(rt.windows);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QWidget* blatt = f.sheetButton;
    const QPoint at = blatt->rect().center();
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, blatt->mapToGlobal(at));
    QApplication::sendEvent(blatt, &e);
    QTRY_VERIFY(f.sheetPanel().sheetButtonMenu->isVisible());
    QCOMPARE(texts(f.sheetPanel().sheetButtonMenu), QStringList({kByNumber, kChooseTasks, "Klassensatz als PDF speichern …",
                                                 "Klassensatz drucken auf …", kNamedSet}));
    f.sheetPanel().sheetButtonMenu->hide();
    settle(); // the window takes the touch again once the menu's window has gone
    QCOMPARE(f.sheetPanel().sheetList->count(), 0);

    // A short tap is still "Blatt".
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QTest::touchEvent(blatt, device.get()).press(0, at);
    QTest::touchEvent(blatt, device.get()).release(0, at);
    QTRY_COMPARE(f.sheetPanel().sheetList->count(), 34);
    QTest::qWait(900);
    QVERIFY(!f.sheetPanel().sheetButtonMenu->isVisible());
    f.sheetPanel().closeButton->click();

    // A finger held on "Blatt" opens the menu, though it wobbles a little,
    // and letting go then composes nothing.
    const QPoint wobble(QApplication::startDragDistance() / 2, 1);
    QTest::touchEvent(blatt, device.get()).press(0, at);
    QTest::touchEvent(blatt, device.get()).move(0, at + wobble);
    QTRY_VERIFY_WITH_TIMEOUT(f.sheetPanel().sheetButtonMenu->isVisible(), 2000);
    QTest::touchEvent(blatt, device.get()).release(0, at + wobble);
    settle();
    QCOMPARE(f.sheetPanel().sheetList->count(), 0);
    QVERIFY(!f.sheetButton->isDown());
    f.sheetPanel().sheetButtonMenu->hide();
    settle();

    // A finger that moves away is no long press.
    const QPoint away = at + QPoint(3 * QApplication::startDragDistance(), 0);
    QTest::touchEvent(blatt, device.get()).press(0, at);
    QTest::touchEvent(blatt, device.get()).move(0, away);
    QTest::qWait(900);
    QVERIFY(!f.sheetPanel().sheetButtonMenu->isVisible());
    QTest::touchEvent(blatt, device.get()).release(0, away);
    settle();
    QCOMPARE(rt.unexpectedBoxes, 0);
}

// Behind the lock, the names are checked in their window before anything is
// made; a set of one sheet a name follows, and the list waits for the next.
void WorksheetPanelTest::namedClassSetThroughItsWindow() {
    ScriptedDesktop rt;
    ExerciseWindow f(rt.windows);
    f.printingLocked = [] { return true; };
    earnPoints(f, 3);
    rt.takeBoxes();
    auto openNamed = [&](const std::function<void(windows::ClassNamesDialog*)>& fill) {
        ModalAnswer answer([&](QWidget* w) { fill(qobject_cast<windows::ClassNamesDialog*>(w)); });
        action(f.sheetPanel().sheetButtonMenu, kNamedSet)->trigger();
        return answer.answered();
    };
    // A wrong password opens no window.
    rt.answerInput(QStringLiteral("2"));
    QVERIFY(!openNamed([](windows::ClassNamesDialog* d) { d->reject(); }));
    QCOMPARE(rt.takeBoxes().size(), 1);

    // 41 names are refused in a box and the window stays; then two are made.
    const QString tooMany = QStringLiteral("Kind\n").repeated(41);
    bool stayed = false;
    rt.answerInput(QStringLiteral("3"));
    rt.answer(widgets::Answer::Ok);
    rt.answerSaveFile(QStringLiteral("/tmp/Klasse.pdf"));
    rt.answer(widgets::Answer::Ok);
    QVERIFY(openNamed([&](windows::ClassNamesDialog* d) {
        QVERIFY(d);
        d->namesEdit->setPlainText(tooMany);
        d->savePdfButton->click();
        stayed = d->isVisible();
        d->namesEdit->setPlainText(QStringLiteral("  Anna Müller \n\nBen\n"));
        d->savePdfButton->click();
    }));
    QVERIFY(stayed);
    const QList<ScriptedDesktop::Box> boxes = rt.takeBoxes();
    QCOMPARE(boxes.size(), 4);
    QCOMPARE(boxes[1].style, (widgets::BoxStyle{widgets::Buttons::Ok, widgets::Icon::Warning}));
    QCOMPARE(boxes[2].defaultText, QStringLiteral("Klassensatz mit Namen.pdf"));
    QCOMPARE(rt.pdfJobs.size(), 1);
    const QList<core::PrintDocument>& docs = rt.pdfJobs[0].second.documents;
    QCOMPARE(docs.size(), 4); // two task sheets, then their solutions
    for (int i = 0; i < 4; ++i)
        QVERIFY(docs[i].lines.contains(i % 2 ? QStringLiteral("Name: Ben")
                                              : QStringLiteral("Name: Anna Müller")));

    // The list typed last is there again; Abbrechen makes nothing.
    rt.answerInput(QStringLiteral("3"));
    QString shown;
    QVERIFY(openNamed([&](windows::ClassNamesDialog* d) {
        shown = d->namesEdit->toPlainText();
        d->cancelButton->click();
    }));
    QCOMPARE(shown, QStringLiteral("  Anna Müller \n\nBen\n"));
    QCOMPARE(rt.pdfJobs.size(), 1);
    QVERIFY(rt.allAnswersUsed());
}

// "Aufgaben wählen …" from the menu of "Normal": the choice in its window,
// behind the lock, then the next tasks and a sheet drawn under it; the task
// on screen stays, and "Alle Aufgaben" goes back to every task.
void WorksheetPanelTest::taskChoiceThroughItsWindowAndTheLock() {
    ScriptedDesktop rt;
    ExerciseWindow f(rt.windows);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.printingLocked = [] { return true; };
    earnPoints(f, 3);
    rt.takeBoxes();
    const QPoint at = f.normalButton->rect().center();
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, f.normalButton->mapToGlobal(at));
    QApplication::sendEvent(f.normalButton, &e);
    QTRY_VERIFY(f.taskChoice().modeMenu->isVisible());
    QCOMPARE(texts(f.taskChoice().modeMenu), QStringList{kChooseTasks});
    f.taskChoice().modeMenu->hide();

    auto choose = [&](const std::function<void(windows::TaskChoiceDialog*)>& act) {
        ModalAnswer answer([&](QWidget* w) { act(qobject_cast<windows::TaskChoiceDialog*>(w)); });
        f.taskChoice().chooseAction->trigger();
        return answer.answered();
    };
    auto narrowest = [](windows::TaskChoiceDialog* d) {
        for (int i = 0; i < 6; ++i)
            d->divisorBoxes[size_t(i)]->click();
        QVERIFY(!d->divisorBoxes[6]->isEnabled()); // the last divisor stays ticked
        d->zeroButtons[2]->click();                // "oft"
        d->borrowingButtons[0]->click();           // "nie"
        d->okButton->click();
    };
    const core::Task onScreen = f.exercise().task();
    rt.answerInput(QStringLiteral("2")); // a wrong password changes nothing
    QVERIFY(choose(narrowest));
    QVERIFY(f.exercise().choice().isEveryTask());
    rt.answerInput(QStringLiteral("3"));
    QVERIFY(choose(narrowest));
    QCOMPARE(rt.takeBoxes().size(), 2);
    QCOMPARE(f.exercise().choice().divisors(), QList<int>{9});
    QCOMPARE(f.exercise().choice().zeroInQuotient(), core::Frequency::Often);
    QCOMPARE(f.exercise().task(), onScreen);
    for (int i = 0; i < 12; ++i) {
        f.chooseMode(i % 2 ? Mode::Remainder : Mode::Normal);
        QCOMPARE(f.exercise().task().divisor, 9);
        QVERIFY(!core::needsBorrowing(f.exercise().task()));
    }
    f.sheetButton->click();
    const std::optional<core::SheetNumber> number = core::parseSheetNumber(f.sheetPanel().number());
    QVERIFY(number && number->choice == f.exercise().choice());
    for (const core::Task& t : core::sheetTasks(*number))
        QCOMPARE(t.divisor, 9);
    f.sheetPanel().closeButton->click();

    // Cancelled, or confirmed unchanged, nothing is asked.
    QVERIFY(choose([](windows::TaskChoiceDialog* d) { d->cancelButton->click(); }));
    QVERIFY(choose([](windows::TaskChoiceDialog* d) { d->okButton->click(); }));
    QVERIFY(rt.takeBoxes().isEmpty());
    rt.answerInput(QStringLiteral("3"));
    QVERIFY(choose([](windows::TaskChoiceDialog* d) { d->everyTaskButton->click(); }));
    QVERIFY(f.exercise().choice().isEveryTask());
    QVERIFY(rt.allAnswersUsed());
}

QTEST_MAIN(WorksheetPanelTest)
#include "test_worksheet_panel.moc"
