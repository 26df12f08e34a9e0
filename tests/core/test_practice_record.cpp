#include <QTest>

#include "practice_record.h"
#include "practice_report.h"
#include "targeted_practice.h"
#include "task.h"

using namespace core;

Q_DECLARE_METATYPE(core::Entered)

namespace {

// A moment of today, in milliseconds.
qint64 at(int hour, int minute, int second = 0) {
    return QDateTime(QDate::currentDate(), QTime(hour, minute, second)).toMSecsSinceEpoch();
}

WrongDigit wrong(int cell, char expected, Entered entered, EntryWay way = EntryWay::Drag) {
    return {quint8(cell), expected, entered, way};
}
WrongDigit wrong(int cell, char expected, char digit, EntryWay way = EntryWay::Drag) {
    return wrong(cell, expected, Entered::ofDigit(digit - '0'), way);
}

Entered key(Entered::Kind kind, int value = 0) {
    return {kind, quint8(value)};
}

const PracticeReport& reportFor(const PracticeRecord& r, PracticeReport& keep,
                                ReportFor target = ReportFor::Screen) {
    keep = buildReport(r, QDateTime::fromMSecsSinceEpoch(at(11, 0)), target);
    return keep;
}

} // namespace

class PracticeRecordTest : public QObject {
    Q_OBJECT
  private slots:
    void wrongDigitCountsInItsStep_data();
    void wrongDigitCountsInItsStep();
    void hintsSheetsAndNewStart();
    void reportShowsTheLatestTasksWithTheirWrongPlaces_data();
    void reportShowsTheLatestTasksWithTheirWrongPlaces();
    void longRunKeepsItsTotalsInLittleMemory();
    void reportNamesTheChoicesInOrder();
    void targetedPracticeAimsAtTheWorstStep_data();
    void targetedPracticeAimsAtTheWorstStep();
};

void PracticeRecordTest::wrongDigitCountsInItsStep_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("way");
    QTest::addColumn<Entered>("entered");
    QTest::addColumn<QString>("bucket");
    const Entered nine = Entered::ofDigit(9);
    QTest::newRow("quotient digit") << 1 << int(EntryWay::Drag) << nine << "Ergebnisziffer";
    QTest::newRow("product") << 5 << int(EntryWay::Drag) << nine << "Malnehmen";
    QTest::newRow("difference") << 6 << int(EntryWay::Drag) << nine << "Abziehen";
    QTest::newRow("brought down") << 11 << int(EntryWay::Drag) << nine << "Herunterholen";
    QTest::newRow("final difference") << 14 << int(EntryWay::Drag) << nine << "Abziehen";
    QTest::newRow("remainder") << 18 << int(EntryWay::Drag) << nine << "Rest";
    QTest::newRow("brought down, with remainder")
        << 22 << int(EntryWay::Drag) << nine << "Herunterholen";
    // Keys: the main keyboard's digits count in the cell's step, any other key apart.
    QTest::newRow("digit key") << 6 << int(EntryWay::Key) << Entered::ofDigit(3) << "Abziehen";
    QTest::newRow("tapped digit") << 18 << int(EntryWay::Tap) << Entered::ofDigit(4) << "Rest";
    QTest::newRow("Enter") << 6 << int(EntryWay::Key) << key(Entered::Kind::Enter)
                           << "andere Taste";
    QTest::newRow("Shift") << 1 << int(EntryWay::Key) << key(Entered::Kind::Shift)
                           << "andere Taste";
    QTest::newRow("keypad 7") << 22 << int(EntryWay::Key) << key(Entered::Kind::KeypadDigit, 7)
                              << "andere Taste";
    QTest::newRow("letter A") << 29 << int(EntryWay::Key) << key(Entered::Kind::Letter, 'A')
                              << "andere Taste";
}

void PracticeRecordTest::wrongDigitCountsInItsStep() {
    QFETCH(int, cell);
    QFETCH(int, way);
    QFETCH(Entered, entered);
    QFETCH(QString, bucket);
    PracticeRecord r;
    r.taskDrawn(412, 3, cell > 14 ? 2 : 0, cell > 14, at(10, 0));
    r.wrongDigit(wrong(cell, '0', entered, EntryWay(way)), at(10, 1));
    QCOMPARE(int(r.wrongDigits()), 1);
    QCOMPARE(int(r.wrongBy(EntryWay(way))), 1);
    for (int b = 0; b < kBucketCount; ++b)
        QCOMPARE(int(r.wrongIn(b)), bucketName(b) == bucket ? 1 : 0);
    QCOMPARE(int(r.tasks().back().wrongDigits), 1);
    QCOMPARE(int(r.orderHints()), 0);
}

void PracticeRecordTest::hintsSheetsAndNewStart() {
    PracticeRecord r;
    QVERIFY(!r.hasWork());
    r.taskDrawn(407, 5, 0, false, at(10, 12));
    QVERIFY(!r.hasWork()); // a task on screen is no work yet

    // Refusals and reminders are hints on the order, not errors.
    r.orderHint(at(10, 13));
    r.orderHint(at(10, 14));
    QVERIFY(r.hasWork());
    QCOMPARE(int(r.orderHints()), 2);
    QCOMPARE(int(r.wrongDigits()), 0);
    QCOMPARE(int(r.tasks().back().hints), 2);

    // A worksheet's twelve tasks are not the child's; the last one stays in
    // the window and joins once the child works on it.
    r.sheetStarted();
    for (int i = 0; i < 12; ++i)
        r.taskDrawn(500 + i, 3, 0, false, at(10, 15));
    r.sheetFinished();
    QCOMPARE(r.tasks().size(), size_t(1));
    r.rightDigit(at(10, 16));
    QCOMPARE(r.tasks().size(), size_t(2));
    QCOMPARE(int(r.tasks().back().quotient), 511);
    r.taskSolved(at(10, 17));
    QCOMPARE(int(r.solvedTasks(false)), 1);

    r.taskDrawn(412, 3, 2, true, at(10, 17));
    r.wrongDigit(wrong(18, '2', '1'), at(10, 18));
    r.taskSolved(at(10, 19));
    r.taskSolved(at(10, 19)); // once per task
    QCOMPARE(int(r.solvedTasks(true)), 1);
    r.taskDrawn(815, 5, 0, false, at(10, 19));
    r.wrongDigit(wrong(4, '4', '7'), at(10, 20));

    // "Neu beginnen": everything goes; the task in the window stays, fresh.
    r.clear(at(10, 30));
    QVERIFY(!r.hasWork());
    QCOMPARE(int(r.rightDigits() + r.wrongDigits() + r.orderHints()), 0);
    QCOMPARE(int(r.solvedTasks(false) + r.solvedTasks(true)), 0);
    QVERIFY(r.entries().empty());
    QCOMPARE(r.tasks().size(), size_t(1));
    QCOMPARE(int(r.tasks().back().quotient), 815);
    QCOMPARE(int(r.tasks().back().wrongDigits), 0);
    PracticeReport keep;
    QVERIFY(!reportFor(r, keep).nothingYet.isEmpty());
    QVERIFY(reportFor(r, keep).bars.isEmpty());

    // The next child goes on with that task.
    r.wrongDigit(wrong(4, '4', '6'), at(10, 31));
    QCOMPARE(r.entries().size(), size_t(1));
    QCOMPARE(r.entries().front().task, r.firstSerial());
    const PracticeReport& report = reportFor(r, keep);
    QVERIFY(report.nothingYet.isEmpty());
    QCOMPARE(report.span, QStringLiteral("heute, 10:30 bis 10:31 (1 Minute)"));
    QCOMPARE(report.tasks.size(), 1);
    QCOMPARE(report.tasks[0].notes.value(1), QStringLiteral("6 statt 4 (Malnehmen)"));
}

void PracticeRecordTest::reportShowsTheLatestTasksWithTheirWrongPlaces_data() {
    QTest::addColumn<bool>("remainder");
    QTest::newRow("without remainder") << false;
    QTest::newRow("with remainder") << true;
}

void PracticeRecordTest::reportShowsTheLatestTasksWithTheirWrongPlaces() {
    QFETCH(bool, remainder);
    PracticeRecord r;
    // Two tasks drawn earlier, each with a wrong digit, then one solved clean.
    r.taskDrawn(999, 9, 0, false, at(10, 12));
    r.wrongDigit(wrong(1, '9', '8'), at(10, 12, 30));
    r.taskDrawn(998, 9, 0, false, at(10, 13));
    r.wrongDigit(wrong(2, '9', '8', EntryWay::Tap), at(10, 13, 30));
    r.taskDrawn(997, 9, 0, false, at(10, 14));
    r.rightDigit(at(10, 15));
    r.taskSolved(at(10, 15));
    // Then every cell of one layout wrong once, each in a task of its own,
    // and a keypad key in the last.
    const int q = 407, d = 5, rest = remainder ? 3 : 0;
    const WrittenDivision written = writtenDivision(Task{q, d, rest});
    const int first = remainder ? 15 : 1, last = remainder ? 29 : 14;
    auto expected = [&](int n) { return QString(answerCell(n)->expected(written)); };
    for (int n = first; n <= last; ++n) {
        const QString e = expected(n);
        r.taskDrawn(q, d, rest, remainder, at(10, 16 + n - first));
        r.wrongDigit(wrong(n, e.at(0).toLatin1(), e == "3" ? '4' : '3'), at(10, 16 + n - first));
    }
    r.wrongDigit(wrong(last, expected(last).at(0).toLatin1(), key(Entered::Kind::KeypadDigit, 7),
                       EntryWay::Key),
                 at(10, 47));
    r.orderHint(at(10, 47));

    PracticeReport keep;
    const PracticeReport& report = reportFor(r, keep);
    QCOMPARE(report.span, QStringLiteral("heute, 10:12 bis 10:47 (35 Minuten)"));
    const int cells = last - first + 1;
    QCOMPARE(report.summary,
             QStringList({"Gelöste Aufgaben: 1 (1 ohne Rest, 0 mit Rest)", "Richtige Ziffern: 1",
                          QStringLiteral("Falsche Ziffern: %1 (%2 gezogen, 1 mit der Tastatur, "
                                         "1 angetippt)")
                              .arg(cells + 3)
                              .arg(cells + 1),
                          "Hinweise zur Reihenfolge: 1 (die Ergebnisziffer fehlte noch)"}));
    QCOMPARE(report.bars.size(), kBucketCount);
    QCOMPARE(int(report.bars[kOtherKeyBucket].count), 1);
    QCOMPARE(
        report.tasksTitle,
        QStringLiteral("Aufgaben mit falschen Ziffern (die letzten 12 von %1)").arg(cells + 2));

    // The latest twelve, oldest first; each shows its division and, at the
    // place it marks, the digit the cell wanted.
    QCOMPARE(report.tasks.size(), kReportedTasks);
    const QStringList block = report.tasks.last().lines;
    QCOMPARE(block.value(0).trimmed(), QString(remainder ? "2038:5=407R3" : "2035:5=407"));
    for (int i = 0; i < kReportedTasks; ++i) {
        const ReportTask& t = report.tasks[i];
        const AnswerCell* cell = answerCell(last - kReportedTasks + 1 + i);
        const QString e = expected(cell->number);
        QCOMPARE(t.wrongPlaces.size(), 1);
        const ReportTask::Place p = t.wrongPlaces[0];
        QCOMPARE(t.lines.value(p.y).mid(p.x, 1), e);
        const QString step = bucketName(int(cell->step()));
        QCOMPARE(t.notes.value(1),
                 QStringLiteral("%1 statt %2 (%3)").arg(e == "3" ? "4" : "3", e, step));
        const int minute = 16 + cell->number - first;
        QCOMPARE(t.notes.value(0),
                 QStringLiteral("10:%1, %2")
                     .arg(minute)
                     .arg(i + 1 < kReportedTasks ? "nicht gelöst" : "noch offen, 1 Hinweis"));
    }
    QCOMPARE(report.tasks.last().notes.value(2),
             QStringLiteral("7 im Ziffernblock statt ") + expected(last));

    // On paper the day is written out.
    const PracticeReport& paper = reportFor(r, keep, ReportFor::Paper);
    QCOMPARE(paper.span, QDate::currentDate().toString("dd.MM.yyyy") +
                             QStringLiteral(", 10:12 bis 10:47 (35 Minuten)"));

    // The child's name heads the report, blanks trimmed; without one it reads as ever.
    QCOMPARE(paper.title, QStringLiteral("Übungsbericht"));
    QCOMPARE(buildReport(r, QDateTime::currentDateTime(), ReportFor::Paper, " Anna\tMüller ").title,
             QStringLiteral("Übungsbericht für Anna Müller"));
}

void PracticeRecordTest::longRunKeepsItsTotalsInLittleMemory() {
    PracticeRecord r;
    const qint64 start = at(8, 0);
    const int days = 15, tasksPerDay = 2000;
    for (int i = 0; i < days * tasksPerDay; ++i) {
        r.taskDrawn(400 + i % 600, 3 + i % 7, 0, false, start + i * 1000);
        r.rightDigit(start + i * 1000);
        r.wrongDigit(wrong(1 + i % 14, '1', '2'), start + i * 1000);
        if (i % 3 == 0)
            r.wrongDigit(wrong(1, '1', key(Entered::Kind::Enter), EntryWay::Key), start + i * 1000);
        if (i + 1 == tasksPerDay) {
            // A school day of work, as the report window holds it.
            qInfo("2000 tasks with %d wrong digits: %zu bytes", int(r.entries().size()),
                  r.memoryBytes());
            QVERIFY(r.memoryBytes() < 200 * 1024);
        }
    }
    const quint64 all = quint64(days) * tasksPerDay;
    QCOMPARE(r.rightDigits(), all);
    QCOMPARE(r.wrongDigits(), all + all / 3);
    QCOMPARE(r.wrongIn(kOtherKeyBucket), all / 3);
    QVERIFY(r.memoryBytes() < 1024 * 1024);
    // The oldest details went; every entry kept still names a kept task.
    QCOMPARE(quint64(r.firstSerial() + r.tasks().size()), all);
    for (const PracticeRecord::Entry& e : r.entries())
        QVERIFY(e.task >= r.firstSerial() && e.task < all);
    PracticeReport keep;
    const PracticeReport& report = reportFor(r, keep);
    QCOMPARE(report.tasks.size(), kReportedTasks);
    const int newest = 400 + (days * tasksPerDay - 1) % 600;
    QVERIFY(report.tasks.last().lines.value(0).contains(QStringLiteral("=%1").arg(newest)));
    QCOMPARE(report.tasks.last().notes.size(), 2);
}

TaskChoice choiceOf(const QList<int>& divisors, Frequency zero = Frequency::AsItComes,
                    Frequency borrowing = Frequency::AsItComes) {
    TaskChoice c;
    c.setDivisors(divisors);
    c.setZeroInQuotient(zero);
    c.setBorrowing(borrowing);
    return c;
}

// The report names the choices the child's tasks came under: one line, or
// one for each where it changed, with its time; a sheet's task under the
// sheet's choice once worked on; after "Neu beginnen" the choice of the task
// kept in the window; no line while every task came as at start.
void PracticeRecordTest::reportNamesTheChoicesInOrder() {
    const TaskChoice sixToNine = choiceOf({6, 7, 8, 9}, Frequency::Often);
    const TaskChoice nine = choiceOf({9}, Frequency::AsItComes, Frequency::Never);
    PracticeRecord r;
    PracticeReport keep;
    auto choiceLines = [&] { return reportFor(r, keep).summary.mid(4); };
    r.taskDrawn(407, 5, 0, false, at(10, 12));
    r.rightDigit(at(10, 13));
    QCOMPARE(choiceLines(), QStringList());
    r.taskDrawn(907, 9, 0, false, at(10, 14), sixToNine);
    r.taskDrawn(908, 9, 0, false, at(10, 15), sixToNine);
    r.taskDrawn(806, 9, 0, false, at(10, 16));
    r.sheetStarted();
    r.taskDrawn(999, 9, 0, false, at(10, 17), nine);
    r.sheetFinished();
    QCOMPARE(choiceLines().size(), 3);
    r.rightDigit(at(10, 18));
    QCOMPARE(choiceLines(),
             QStringList({"Aufgabenwahl ab 10:12: alle Aufgaben",
                          "Aufgabenwahl ab 10:14: Teiler 6–9 · Null im Ergebnis: oft",
                          "Aufgabenwahl ab 10:16: alle Aufgaben",
                          "Aufgabenwahl ab 10:17: Teiler 9 · Abziehen mit Übertrag: nie"}));
    r.clear(at(10, 30));
    r.rightDigit(at(10, 31));
    QCOMPARE(choiceLines(), QStringList{"Aufgabenwahl: Teiler 9 · Abziehen mit Übertrag: nie"});
}

Q_DECLARE_METATYPE(core::TaskChoice)

// The step with the most wrong digits (a tie to the earlier one, other keys
// not counted) and what trains it, the teacher's other settings kept; too
// few wrong digits, or a step already trained, change nothing. `aim` is what
// is set: the summary of the new choice, or "mit Rest"; `said` a part of the
// sentence that tells the teacher why.
void PracticeRecordTest::targetedPracticeAimsAtTheWorstStep_data() {
    // Wrong digits by step: "Ergebnisziffer", "Malnehmen", "Abziehen",
    // "Herunterholen", "Rest", "andere Taste".
    QTest::addColumn<QList<int>>("wrongBySteps");
    QTest::addColumn<TaskChoice>("current");
    QTest::addColumn<bool>("remainderMode");
    QTest::addColumn<QString>("aim");
    QTest::addColumn<QString>("said");
    auto row = [](const char* name, const QList<int>& wrong, const TaskChoice& current,
                  bool remainderMode, const char* aim, const char* said) {
        QTest::newRow(name) << wrong << current << remainderMode << QString::fromUtf8(aim)
                            << QString::fromUtf8(said);
    };
    const TaskChoice all, threeFourNoZero = choiceOf({3, 4}, Frequency::Never);
    row("nothing wrong yet", {0, 0, 0, 0, 0, 0}, all, false, "", "Bisher gibt es keine falsche");
    row("one wrong digit", {0, 0, 1, 0, 0, 0}, all, false, "",
        "erst eine falsche Ziffer, zu wenig");
    row("two in the steps, many other keys", {1, 0, 1, 0, 0, 9}, all, false, "",
        "erst 2 falsche Ziffern, zu wenig");
    row("only other keys", {0, 0, 0, 0, 0, 5}, all, false, "", "nur andere Tasten statt Ziffern");
    row("Ergebnisziffer: 6 to 9", {3, 0, 0, 0, 0, 0}, all, false, "Teiler 6–9",
        "bei der Ergebnisziffer: Jetzt kommen nur Aufgaben mit den Teilern 6 bis 9");
    row("tie of Malnehmen and Abziehen: Malnehmen, the other settings kept", {0, 3, 3, 0, 0, 0},
        threeFourNoZero, false, "Teiler 6–9 · Null im Ergebnis: nie",
        "beim Malnehmen: Jetzt kommen nur Aufgaben mit den Teilern 6 bis 9");
    row("tie of Abziehen and Herunterholen: Abziehen, divisors kept", {0, 0, 4, 4, 1, 0},
        threeFourNoZero, false, "Teiler 3–4 · Null im Ergebnis: nie · Abziehen mit Übertrag: oft",
        "beim Abziehen: Jetzt kommen oft Aufgaben mit Übertrag.");
    row("Abziehen, borrowing already oft", {0, 0, 5, 0, 0, 0},
        choiceOf({3, 4, 5, 6, 7, 8, 9}, Frequency::AsItComes, Frequency::Often), false, "",
        "beim Abziehen: Es kommen schon oft Aufgaben mit Übertrag.");
    row("Herunterholen, more other keys than any step", {1, 1, 1, 3, 0, 20}, all, true,
        "Null im Ergebnis: oft", "beim Herunterholen: Jetzt kommen oft Aufgaben mit einer Null");
    row("Rest, back in normal mode: remainder tasks", {0, 0, 0, 0, 3, 0}, all, false, "mit Rest",
        "beim Rest: Jetzt kommen Aufgaben mit Rest.");
    row("Rest, in remainder mode already", {0, 0, 0, 0, 3, 0}, all, true, "",
        "beim Rest: Es kommen schon Aufgaben mit Rest.");
}

void PracticeRecordTest::targetedPracticeAimsAtTheWorstStep() {
    QFETCH(QList<int>, wrongBySteps);
    QFETCH(TaskChoice, current);
    QFETCH(bool, remainderMode);
    QFETCH(QString, aim);
    QFETCH(QString, said);
    // A cell of each step, in the remainder layout.
    const int cellOfStep[kBucketCount] = {15, 19, 21, 22, 18, 21};
    PracticeRecord r;
    r.taskDrawn(412, 3, 2, true, at(10, 0));
    for (int step = 0; step < kBucketCount; ++step) {
        const Entered e = step == kOtherKeyBucket ? key(Entered::Kind::Enter) : Entered::ofDigit(7);
        for (int i = 0; i < wrongBySteps[step]; ++i)
            r.wrongDigit(wrong(cellOfStep[step], '0', e, EntryWay::Key), at(10, 1));
    }
    const TargetedPractice got =
        targetedPractice(r, current, remainderMode ? Mode::Remainder : Mode::Normal);
    QStringList set;
    if (got.choice) set << choiceSummary(*got.choice);
    if (got.mode) set << (*got.mode == Mode::Remainder ? "mit Rest" : "ohne Rest");
    QCOMPARE(set.join(" + "), aim);
    QVERIFY2(got.sentence.contains(said), qPrintable(got.sentence));
}

QTEST_GUILESS_MAIN(PracticeRecordTest)
#include "test_practice_record.moc"
