#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPointingDevice>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "board_screen.h"
#include "exercise_driver.h"
#include "practice_report_window.h"

using namespace drive;
using windows::PracticeReportWindow;
using Box = ScriptedDesktop::Box;

namespace {

// Everything of the exercise window the report must leave alone, as text.
QStringList stateOf(ExerciseWindow& f, const ScriptedDesktop& rt) {
    const core::Exercise& e = f.exercise();
    QStringList s = shownDigits(f, core::Mode::Normal) + shownDigits(f, core::Mode::Remainder);
    s << QString::number(e.task().dividend()) << QString::number(e.task().divisor)
      << QString::number(int(e.mode())) << QString::number(e.selectedCell().value_or(0))
      << f.counters().pointsCounter->text() << f.counters().errorsCounter->text();
    for (QWidget* w : {static_cast<QWidget*>(f.layout(core::Mode::Normal).marker()),
                       static_cast<QWidget*>(f.layout(core::Mode::Remainder).marker()),
                       static_cast<QWidget*>(f.remainderBox), static_cast<QWidget*>(f.climber)})
        s << QStringLiteral("%1 %2").arg(tw::left(w)).arg(tw::top(w));
    return s << f.windowTitle() << QString::number(rt.draws);
}

// One wrong entry: the error box is answered as the child does.
template <typename Act> void wrongEntry(ScriptedDesktop& rt, Act act) {
    rt.answer(widgets::Answer::Ok);
    act();
    QCOMPARE(rt.takeBoxes(), QList<Box>({wrongBox()}));
}

// A child's work in both modes: wrong digits dragged, typed and tapped, one
// refusal, one right digit. Starts on 2035 : 5 = 407.
void childWorks(Session& s) {
    ExerciseWindow& f = s.form();
    wrongEntry(s.rt, [&] { dragDigit(f, 9, normalCell(f, core::CellRole::Product1Tens)); }); // product, wants 2
    s.rt.answer(widgets::Answer::Ok);
    dragDigit(f, 3, normalCell(f, core::CellRole::BroughtDown1)); // brought down before the quotient digit
    QCOMPARE(s.rt.takeBoxes().size(), 1);
    click(normalCell(f, core::CellRole::Product1Units)); // product, wants 0
    wrongEntry(s.rt, [&] { key(f, Qt::Key_7); });
    wrongEntry(s.rt, [&] { key(f, Qt::Key_Return); });
    wrongEntry(s.rt, [&] { click(f.digitKeys[5]); });
    dragDigit(f, 4, normalCell(f, core::CellRole::Quotient1));

    forceTask(s.rt, 4, 1, 2, 3, 2); // 1238 : 3 = 412 R 2
    click(f.remainderButton);
    wrongEntry(s.rt, [&] { dragDigit(f, 5, remainderCell(f, core::CellRole::Remainder)); }); // the remainder
    click(remainderCell(f, core::CellRole::Difference1));                                      // first difference, wants 0
    wrongEntry(s.rt, [&] { key(f, Qt::Key_9); });
    click(remainderCell(f, core::CellRole::BroughtDown1)); // brought down, wants 3
    wrongEntry(s.rt, [&] { click(f.digitKeys[4]); });
    // After a tap, a digit dragged onto the marker counts as dragged again.
    wrongEntry(s.rt, [&] { dragDigit(f, 7, f.layout(core::Mode::Remainder).marker()); });
}

// A right click as the platform delivers it, which makes the context menu event.
void rightClick(ExerciseWindow& f, QWidget* w) {
    static ulong time = 5000000;
    const QPointF at(w->mapTo(&f, w->rect().center()));
    const QPointF global(f.mapToGlobal(at.toPoint()));
    qt_handleMouseEvent(f.windowHandle(), at, global, Qt::RightButton, Qt::RightButton,
                        QEvent::MouseButtonPress, {}, time += 1000);
    qt_handleMouseEvent(f.windowHandle(), at, global, Qt::NoButton, Qt::RightButton,
                        QEvent::MouseButtonRelease, {}, time += 50);
    QCoreApplication::processEvents();
}

QMenu* columnMenu(ExerciseWindow& f) {
    return f.counters().menu() && f.counters().menu()->isVisible() ? f.counters().menu() : nullptr;
}

// The report window, opened from the column's menu.
PracticeReportWindow* openReport(ExerciseWindow& f) {
    f.counters().showMenu(f.mapToGlobal(QPoint(20, 20)));
    if (!columnMenu(f)) return nullptr;
    QAction* item = f.counters().menu()->actions().value(0);
    f.counters().menu()->hide();
    item->trigger();
    return f.counters().reportWindow();
}

QString pdfText(const QString& pdf, const QStringList& options) {
    QProcess p;
    p.start("pdftotext", options + QStringList{pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class PracticeReportTest : public QObject {
    Q_OBJECT
  private slots:
    void reportCountsTheChildsWorkAndLeavesTheWindowAlone();
    void newStartPrintingAndZoom();
    void savedPdfReadsBack();
    void tableCollectsTheClassRowByRow();
    void targetedPracticeAimsAtTheWeakestStep();
};

void PracticeReportTest::reportCountsTheChildsWorkAndLeavesTheWindowAlone() {
    Session s;
    ExerciseWindow& f = s.form();
    childWorks(s);
    QCOMPARE(f.counters().errorsCounter->text(), QStringLiteral("8"));

    // The column's menu: a right click on its counter, a finger held on its
    // letter or on the black column itself; elsewhere none.
    const QStringList before = stateOf(f, s.rt);
    rightClick(f, f.counters().errorsCounter);
    QTRY_VERIFY(columnMenu(f));
    QCOMPARE(f.counters().menu()->actions().size(), 1);
    QCOMPARE(f.counters().menu()->actions()[0]->text(), QStringLiteral("Übungsbericht …"));
    f.counters().menu()->hide();
    rightClick(f, normalCell(f, core::CellRole::Difference1));
    QTest::qWait(50);
    QVERIFY(!columnMenu(f));
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    const QPoint blackColumn = f.counters().column->geometry().topLeft() + QPoint(4, 60);
    for (QWidget* w : {static_cast<QWidget*>(f.counters().rightLetter), static_cast<QWidget*>(&f)}) {
        const QPoint at = w == &f ? blackColumn : w->rect().center();
        QTest::touchEvent(w, device.get()).press(0, at, w);
        QTRY_VERIFY_WITH_TIMEOUT(columnMenu(f), 2000);
        QTest::touchEvent(w, device.get()).release(0, at, w);
        f.counters().menu()->hide();
    }

    PracticeReportWindow* r = openReport(f);
    QVERIFY(r);
    QVERIFY(QTest::qWaitForWindowExposed(r));
    QCOMPARE(r->windowTitle(), QStringLiteral("Übungsbericht"));
    const core::PracticeReport& report = r->report();
    QList<quint64> bars;
    for (const core::ReportBar& b : report.bars)
        bars << b.count;
    // Ergebnisziffer, Malnehmen, Abziehen, Herunterholen, Rest, andere Taste
    QCOMPARE(bars, QList<quint64>({0, 3, 1, 2, 1, 1}));
    QCOMPARE(report.summary,
             QStringList({"Gelöste Aufgaben: 0 (0 ohne Rest, 0 mit Rest)", "Richtige Ziffern: 1",
                          "Falsche Ziffern: 8 (3 gezogen, 3 mit der Tastatur, 2 angetippt)",
                          "Hinweise zur Reihenfolge: 1 (die Ergebnisziffer fehlte noch)"}));
    QCOMPARE(report.tasks.size(), 2);
    QCOMPARE(report.tasks[0].lines.value(0).trimmed(), QStringLiteral("2035:5=407"));
    QCOMPARE(report.tasks[0].notes.mid(1),
             QStringList({"9 statt 2 (Malnehmen)", "7 statt 0 (Malnehmen)", "Eingabetaste statt 0",
                          "5 statt 0 (Malnehmen)"}));
    QCOMPARE(report.tasks[1].notes.mid(1),
             QStringList({"5 statt 2 (Rest)", "9 statt 0 (Abziehen)", "4 statt 3 (Herunterholen)",
                          "7 statt 3 (Herunterholen)"}));

    // Reading and closing the report leave the exercise window as it was,
    // and it takes the keyboard again.
    r->page->grab();
    click(r->closeButton);
    QVERIFY(!r->isVisible());
    QCOMPARE(stateOf(f, s.rt), before);
    QVERIFY(s.rt.boxes.isEmpty());
    QTRY_COMPARE(QApplication::activeWindow(), &f);
    wrongEntry(s.rt, [&] { key(f, Qt::Key_8); }); // the marker still waits on the brought-down digit

    // Open, the report follows the child's work.
    QVERIFY(openReport(f) == r && r->isVisible());
    // A digit dropped while the report lies on top.
    f.exercise().dropOnCell(core::answerCell(core::Mode::Remainder, core::CellRole::Quotient1)->number, 4);
    f.showExercise();
    f.counters().recordChanged();
    QCOMPARE(r->report().summary.value(1), QStringLiteral("Richtige Ziffern: 2"));
    r->close(); // the frame's close button keeps the window for the next time
    QVERIFY(!r->isVisible());
    QCOMPARE(f.counters().reportWindow(), r);
    QCOMPARE(s.rt.unexpectedBoxes, 0);
}

void PracticeReportTest::newStartPrintingAndZoom() {
    Session s;
    ExerciseWindow& f = s.form();
    childWorks(s);
    PracticeReportWindow* r = openReport(f);
    QVERIFY(r);
    const QStringList before = stateOf(f, s.rt);

    // "Neu beginnen" asks; No keeps the report, Yes empties it for the next
    // child. The window's counters stay.
    const Box question = msgRecord("Den Übungsbericht leeren und neu beginnen?\r"
                                   "Die Zähler im Übungsfenster bleiben, wie sie sind.\r\r",
                                   {widgets::Buttons::YesNoDefaultNo, widgets::Icon::Question}, "Übungsbericht");
    s.rt.answer(widgets::Answer::No);
    click(r->startAfreshButton);
    QCOMPARE(s.rt.takeBoxes(), QList<Box>({question}));
    QVERIFY(r->report().nothingYet.isEmpty());

    // Printing goes through the lock: the points are the password.
    f.printingLocked = [] { return true; };
    s.rt.answerInput("0");
    click(r->printButton);
    QCOMPARE(s.rt.takeBoxes().size(), 1); // wrong password: nothing more
    s.rt.answerInput("1");
    s.rt.answerPrintDialog(core::PrintResult::Printed);
    s.rt.answer(widgets::Answer::Ok);
    click(r->printButton);
    QCOMPARE(s.rt.takeBoxes().mid(1),
             QList<Box>({{Box::PrintDialog, "Übungsbericht", {}, {}, {}},
                         msgRecord("Der Übungsbericht wird gedruckt ...\r\r", {}, "Drucken")}));
    QCOMPARE(s.rt.paintedPrinted.size(), 1);
    QCOMPARE(s.rt.paintedPrinted[0].pages, 1);
    f.printingLocked = [] { return false; };
    s.rt.answerPrintDialog(core::PrintResult::NoPrinter);
    s.rt.answer(widgets::Answer::No);
    click(r->printButton);
    QCOMPARE(s.rt.takeBoxes().value(1),
             msgRecord("Es ist kein Drucker eingerichtet.\rSoll der Übungsbericht stattdessen als "
                       "PDF-Datei gespeichert werden?\r\r",
                       {widgets::Buttons::YesNo, widgets::Icon::Warning}, "Drucken"));

    r->nameEdit->setText(QStringLiteral("Anna"));
    s.rt.answer(widgets::Answer::Yes);
    click(r->startAfreshButton);
    QCOMPARE(s.rt.takeBoxes(), QList<Box>({question}));
    QVERIFY(!r->report().nothingYet.isEmpty());
    QCOMPARE(r->nameEdit->text(), QString()); // the next child's report
    QVERIFY(r->report().bars.isEmpty());
    QCOMPARE(stateOf(f, s.rt), before);
    r->closeReport();

    // Opened from a grown window, the report grows with it, but only as far
    // as its sheet fits the screen: each opening takes the zoom it comes from.
    const double rowAt100 = r->page->drawing().rowHeight();
    const QFont buttonAt100 = r->printButton->font();
    const QSize sizeAt100 = r->size();
    for (double zoom : {2.0, 2.5, 1.0}) {
        f.resize(f.minimumSize() * zoom);
        QTRY_COMPARE(f.zoom(), zoom);
        QVERIFY(openReport(f) == r);
        const QRect screen = r->screen()->availableGeometry();
        QVERIFY(screen.contains(r->frameGeometry()));
        QVERIFY(!r->scrollArea->horizontalScrollBar()->isVisible());
        if (zoom == 2.0) {
            QCOMPARE(r->printButton->font().pointSizeF(), buttonAt100.pointSizeF() * 2);
            QVERIFY(qAbs(r->page->drawing().rowHeight() / rowAt100 - 2) < 0.1);
        } else if (zoom == 2.5) {
            QVERIFY(r->page->drawing().rowHeight() > 1.5 * rowAt100);
            QVERIFY(r->width() > screen.width() * 9 / 10);
        } else {
            QCOMPARE(r->size(), sizeAt100);
        }
        r->closeReport();
    }
    QVERIFY(s.rt.allAnswersUsed());
    QCOMPARE(s.rt.unexpectedBoxes, 0);
}

void PracticeReportTest::savedPdfReadsBack() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    Session s;
    ExerciseWindow& f = s.form();
    childWorks(s);
    PracticeReportWindow* r = openReport(f);
    QVERIFY(r);
    f.printingLocked = [] { return false; };

    // The save dialog in the documents folder; ".pdf" added to a bare name.
    auto save = [&](const QString& name) {
        const QString path = dir.filePath(name);
        s.rt.answerSaveFile(path);
        s.rt.answer(widgets::Answer::Ok);
        click(r->savePdfButton);
        return path;
    };
    r->nameEdit->setText(QStringLiteral("Anna Müller"));
    const QString path = save("bericht");
    const QList<Box> boxes = s.rt.takeBoxes();
    QCOMPARE(boxes.value(0), Box({Box::SaveFile, "PDF-Dateien (*.pdf)", {}, "Als PDF speichern",
                                  "Übungsbericht.pdf"}));
    QCOMPARE(boxes.value(1),
             msgRecord("Der Übungsbericht wurde als PDF-Datei gespeichert:\r" + path + ".pdf\r\r",
                       {}, "Als PDF speichern"));

    // The counts, the steps and the task with its wrong digits, as on screen.
    const QString text = pdfText(path + ".pdf", {"-layout"});
    QVERIFY2(text.contains("Übungsbericht für Anna Müller"), qPrintable(text));
    QVERIFY(text.contains(QDate::currentDate().toString("dd.MM.yyyy") + ", "));
    for (const char* expected :
         {R"(Falsche Ziffern: 8 \(3 gezogen, 3 mit der Tastatur, 2 angetippt\))",
          R"(Hinweise zur Reihenfolge: 1)", R"(\n\s*Ergebnisziffer\s+0\s*\n)",
          R"(\n\s*Malnehmen\s+3\s*\n)", R"(\n\s*Abziehen\s+1\s*\n)",
          R"(\n\s*Herunterholen\s+2\s*\n)", R"(\n\s*Rest\s+1\s*\n)",
          R"(\n\s*andere Taste\s+1\s*\n)", R"(2035:5=407\s+\d\d:\d\d, nicht gelöst)",
          R"(\n\s*20\s+9 statt 2 \(Malnehmen\))", R"(1238:3=412R2\s+\d\d:\d\d, noch offen)"})
        QVERIFY2(QRegularExpression(expected).match(text).hasMatch(), expected);

    // Many tasks go over pages: inside the margins, each task whole on one page.
    for (int i = 0; i < 14; ++i) {
        f.exercise().record().taskDrawn(500 + i, 7, 0, false, QDateTime::currentMSecsSinceEpoch());
        f.exercise().record().wrongDigit({4, '3', core::Entered::ofDigit(9), core::EntryWay::Drag},
                            QDateTime::currentMSecsSinceEpoch());
    }
    const QString pdf = save("viele") + ".pdf";
    QStringList pages = pdfText(pdf, {"-layout"}).split('\f');
    if (pages.last().trimmed().isEmpty()) pages.removeLast();
    QVERIFY(pages.size() >= 2);
    QCOMPARE(s.rt.paintedPdfs.last().pages, pages.size());
    int heads = 0;
    for (const QString& page : pages) {
        const QStringList lines = page.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            int here = 0;
            for (auto m = QRegularExpression(R"(\d{4}:\d=\d{3}\s)").globalMatch(lines[i]);
                 m.hasNext(); m.next())
                ++here;
            if (here == 0) continue;
            heads += here;
            // The final differences close the blocks, six lines further on the same page.
            QVERIFY2(i + 6 < lines.size() &&
                         QRegularExpression(QString(R"(^(\s*\d){%1}\s*$)").arg(here))
                             .match(lines[i + 6])
                             .hasMatch(),
                     qPrintable(page));
        }
    }
    QCOMPARE(heads, 12);
    const QString wordBoxes = pdfText(pdf, {"-bbox"});
    const double margin = 12 / 25.4 * 72;
    const QRegularExpression word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
    int words = 0;
    for (auto it = word.globalMatch(wordBoxes); it.hasNext(); ++words) {
        const auto m = it.next();
        QVERIFY(m.captured(1).toDouble() >= margin - 0.5 &&
                m.captured(2).toDouble() >= margin - 0.5);
        QVERIFY(m.captured(3).toDouble() <= 595.3 - margin + 0.5 &&
                m.captured(4).toDouble() <= 841.9 - margin + 0.5);
    }
    QVERIFY(words > 100);
    QCOMPARE(s.rt.unexpectedBoxes, 0);
}

// One file collects the class: a new table, a row appended after asking,
// a declined append and a file that is not the program's left alone.
void PracticeReportTest::tableCollectsTheClassRowByRow() {
    QTemporaryDir dir;
    Session s;
    ExerciseWindow& f = s.form();
    f.printingLocked = [] { return false; };
    PracticeReportWindow* r = openReport(f);
    QVERIFY(r);
    const QString title = QStringLiteral("Als Tabelle speichern");
    // Before any work there is no row to save.
    s.rt.answer(widgets::Answer::Ok);
    click(r->saveTableButton);
    QCOMPARE(s.rt.takeBoxes().size(), 1);
    r->closeReport();
    childWorks(s);
    QCOMPARE(openReport(f), r);

    const QString path = dir.filePath(QStringLiteral("Klasse 3b.csv"));
    auto lines = [&] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return QStringList();
        return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    };
    r->nameEdit->setText(QStringLiteral("Anna"));
    s.rt.answerSaveFile(dir.filePath(QStringLiteral("Klasse 3b")));
    s.rt.answer(widgets::Answer::Ok);
    click(r->saveTableButton);
    QList<Box> boxes = s.rt.takeBoxes();
    QCOMPARE(boxes.value(0),
             Box({Box::SaveFile, "Tabellen (*.csv)", {}, title, "Übungsberichte.csv"}));
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(lines().size(), 2);
    QVERIFY(lines().value(1).startsWith(QStringLiteral("Anna;")));

    r->nameEdit->setText(QStringLiteral("Ben"));
    for (widgets::Answer append : {widgets::Answer::Yes, widgets::Answer::No}) {
        s.rt.answerSaveFile(path);
        s.rt.answer(append);
        if (append == widgets::Answer::Yes) s.rt.answer(widgets::Answer::Ok);
        click(r->saveTableButton);
        boxes = s.rt.takeBoxes();
        QCOMPARE(boxes.value(1),
                 msgRecord("Eine Zeile für dieses Kind an die Tabelle anhängen?",
                           {widgets::Buttons::YesNo, widgets::Icon::Question}, title));
        QCOMPARE(lines().size(), 3); // appended once, then left alone
    }
    QVERIFY(lines().value(2).startsWith(QStringLiteral("Ben;")));

    const QString foreign = dir.filePath(QStringLiteral("Noten.csv"));
    QFile notes(foreign);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("Name;Note\r\nAnna;1\r\n");
    notes.close();
    s.rt.answerSaveFile(foreign);
    s.rt.answer(widgets::Answer::Ok);
    click(r->saveTableButton);
    QCOMPARE(s.rt.takeBoxes().value(1).style,
             (widgets::BoxStyle{widgets::Buttons::Ok, widgets::Icon::Warning}));
    QVERIFY(notes.open(QIODevice::ReadOnly));
    QCOMPARE(notes.readAll(), QByteArray("Name;Note\r\nAnna;1\r\n"));
    QVERIFY(s.rt.allAnswersUsed());
}

// "Gezielt üben": too few wrong digits change nothing and say why; after the
// child's work the step with the most (here "Malnehmen") is aimed at, behind
// the lock, and the report names the choice.
void PracticeReportTest::targetedPracticeAimsAtTheWeakestStep() {
    Session s;
    ExerciseWindow& f = s.form();
    PracticeReportWindow* r = openReport(f);
    QVERIFY(r);
    f.printingLocked = [] { return true; };
    s.rt.answer(widgets::Answer::Ok);
    click(r->targetButton); // nothing to aim at: no password, one sentence
    QList<Box> boxes = s.rt.takeBoxes();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Gezielt üben"));
    QVERIFY(boxes[0].prompt.startsWith(QStringLiteral("Bisher")));
    r->closeReport();

    childWorks(s);
    QCOMPARE(openReport(f), r);
    s.rt.answerInput(QStringLiteral("0")); // a wrong password: nothing changes
    click(r->targetButton);
    QCOMPARE(s.rt.takeBoxes().size(), 1);
    QVERIFY(f.exercise().choice().isEveryTask());
    s.rt.answerInput(f.counters().pointsCounter->text());
    s.rt.answer(widgets::Answer::Ok);
    click(r->targetButton);
    boxes = s.rt.takeBoxes();
    QCOMPARE(boxes.size(), 2);
    QVERIFY2(boxes[1].prompt.startsWith(QStringLiteral("Die meisten Fehler gab es beim Malnehmen")),
             qPrintable(boxes[1].prompt));
    QCOMPARE(f.exercise().choice().divisors(), (QList<int>{6, 7, 8, 9}));
    r->closeReport();
    click(f.normalButton);
    QVERIFY(f.exercise().task().divisor >= 6);
    QVERIFY(openReport(f)->report().summary.join('\n').contains(QStringLiteral("Teiler 6–9")));
    QVERIFY(s.rt.allAnswersUsed());
}

// A board smaller than the report at three times its size.
int main(int argc, char** argv) {
    return runOnBoardScreen<PracticeReportTest>(argc, argv, QSize(1600, 1200));
}
#include "test_practice_report.moc"
