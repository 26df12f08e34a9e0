#include "practice_report.h"

#include <algorithm>

#include "sheet_text.h"
#include "task.h"
#include "task_choice.h"

namespace core {

namespace {

QString count(quint64 n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

QString duration(quint32 seconds) {
    const quint32 minutes = seconds / 60;
    if (minutes == 0) return QStringLiteral("unter einer Minute");
    if (minutes < 60) return count(minutes, "Minute", "Minuten");
    const QString hours = count(minutes / 60, "Stunde", "Stunden");
    return minutes % 60 ? hours + QLatin1Char(' ') + count(minutes % 60, "Minute", "Minuten")
                        : hours;
}

QString day(const QDate& d, const QDate& today, ReportFor target) {
    if (target == ReportFor::Screen && d == today) return QStringLiteral("heute");
    if (target == ReportFor::Screen && d == today.addDays(-1)) return QStringLiteral("gestern");
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

QString timeSpan(const PracticeRecord& r, const QDateTime& now, ReportFor target) {
    const QDateTime from = QDateTime::fromSecsSinceEpoch(r.firstAt());
    const QDateTime to = QDateTime::fromSecsSinceEpoch(std::max(r.firstAt(), r.lastAt()));
    const QString hhmm = QStringLiteral("HH:mm");
    QString span = day(from.date(), now.date(), target) + QStringLiteral(", ") +
                   from.toString(hhmm) + QStringLiteral(" bis ");
    if (to.date() != from.date()) span += day(to.date(), now.date(), target) + QStringLiteral(", ");
    return span + to.toString(hhmm) + QStringLiteral(" (") +
           duration(r.lastAt() > r.firstAt() ? r.lastAt() - r.firstAt() : 0) + QLatin1Char(')');
}

// "Aufgabenwahl: Teiler 6–9 · Null im Ergebnis: oft" for the choice the
// tasks came under; one line each, with the time it began, where it changed;
// nothing when every task came as at start.
QStringList choiceLines(const PracticeRecord& r) {
    const std::vector<PracticeRecord::ChoiceSpan>& spans = r.choices();
    auto summaryOf = [](const PracticeRecord::ChoiceSpan& span) {
        return choiceSummary(TaskChoice::fromCode(span.choice).value_or(TaskChoice()));
    };
    QStringList lines;
    if (spans.size() == 1 && !summaryOf(spans.front()).isEmpty())
        lines << QStringLiteral("Aufgabenwahl: ") + summaryOf(spans.front());
    if (spans.size() > 1) {
        for (const PracticeRecord::ChoiceSpan& span : spans) {
            const QString from =
                QDateTime::fromSecsSinceEpoch(span.from).toString(QStringLiteral("HH:mm"));
            const QString s = summaryOf(span);
            lines << QStringLiteral("Aufgabenwahl ab %1: %2")
                         .arg(from, s.isEmpty() ? QStringLiteral("alle Aufgaben") : s);
        }
    }
    return lines;
}

QStringList summary(const PracticeRecord& r) {
    const quint64 normal = r.solvedTasks(false), rest = r.solvedTasks(true);
    QStringList lines;
    lines << QStringLiteral("Gelöste Aufgaben: %1 (%2 ohne Rest, %3 mit Rest)")
                 .arg(normal + rest)
                 .arg(normal)
                 .arg(rest);
    lines << QStringLiteral("Richtige Ziffern: %1").arg(r.rightDigits());
    QStringList ways;
    const std::pair<EntryWay, const char*> wayNames[] = {{EntryWay::Drag, "gezogen"},
                                                         {EntryWay::Key, "mit der Tastatur"},
                                                         {EntryWay::Tap, "angetippt"}};
    for (const auto& [way, name] : wayNames)
        if (r.wrongBy(way) > 0)
            ways << QStringLiteral("%1 %2").arg(r.wrongBy(way)).arg(QString::fromUtf8(name));
    QString wrong = QStringLiteral("Falsche Ziffern: %1").arg(r.wrongDigits());
    if (!ways.isEmpty()) wrong += QStringLiteral(" (") + ways.join(QStringLiteral(", ")) + ')';
    lines << wrong;
    QString hints = QStringLiteral("Hinweise zur Reihenfolge: %1").arg(r.orderHints());
    if (r.orderHints() > 0) hints += QStringLiteral(" (die Ergebnisziffer fehlte noch)");
    lines << hints;
    lines << choiceLines(r);
    return lines;
}

WrittenDivision writtenOf(const PracticeRecord::Task& t) {
    return writtenDivision(Task{t.quotient, t.divisor, t.remainder});
}

QString note(const WrongDigit& w) {
    QString text = enteredText(w) + QStringLiteral(" statt ") + QChar(QLatin1Char(w.expected));
    const int bucket = bucketOf(w);
    if (bucket != kOtherKeyBucket) text += QStringLiteral(" (") + bucketName(bucket) + ')';
    return text;
}

ReportTask reportTask(const PracticeRecord::Task& t, bool inWindow,
                      const PracticeRecord::Entry* first, const PracticeRecord::Entry* last) {
    ReportTask out;
    const WrittenDivision written = writtenOf(t);
    out.lines = taskBlock(written);
    QString state = QDateTime::fromSecsSinceEpoch(t.drawnAt).toString(QStringLiteral("HH:mm")) +
                    QStringLiteral(", ");
    state += t.solved   ? QStringLiteral("gelöst")
             : inWindow ? QStringLiteral("noch offen")
                        : QStringLiteral("nicht gelöst");
    if (t.hints > 0) state += QStringLiteral(", ") + count(t.hints, "Hinweis", "Hinweise");
    out.notes << state;
    const int entries = int(last - first);
    // One line beside each line of the division; the last one may sum up the rest.
    const int shown = entries <= kNotesPerTask - 1 ? entries : kNotesPerTask - 2;
    for (const PracticeRecord::Entry* e = first; e != last; ++e) {
        if (e - first < shown) out.notes << note(e->what);
        const AnswerCell* cell = answerCell(e->what.cellNumber);
        if (!cell) continue;
        const BlockPlace at = blockPlace(written, cell->role);
        const ReportTask::Place place{at.x, at.y};
        if (at.x >= 0 && !out.wrongPlaces.contains(place)) out.wrongPlaces << place;
    }
    if (shown < entries) out.notes << QStringLiteral("… und %1 weitere").arg(entries - shown);
    return out;
}

} // namespace

QString enteredText(const WrongDigit& w) {
    using Kind = Entered::Kind;
    const Entered& e = w.entered;
    switch (e.kind) {
    case Kind::Digit:
        return QString::number(e.value);
    case Kind::Nothing:
        return QStringLiteral("nichts");
    case Kind::Letter:
        return QStringLiteral("Taste ") + QChar(QLatin1Char(char(e.value)));
    case Kind::KeypadDigit:
        return QStringLiteral("%1 im Ziffernblock").arg(e.value);
    case Kind::FunctionKey:
        return QStringLiteral("Taste F%1").arg(e.value);
    case Kind::Arrow:
        return QStringLiteral("Pfeiltaste");
    case Kind::Backspace:
        return QStringLiteral("Rücktaste");
    case Kind::Tab:
        return QStringLiteral("Tabulatortaste");
    case Kind::Enter:
        return QStringLiteral("Eingabetaste");
    case Kind::Shift:
        return QStringLiteral("Umschalttaste");
    case Kind::Control:
        return QStringLiteral("Strg-Taste");
    case Kind::Alt:
        return QStringLiteral("Alt-Taste");
    case Kind::Escape:
        return QStringLiteral("Esc-Taste");
    case Kind::Space:
        return QStringLiteral("Leertaste");
    case Kind::OtherKey:
        break;
    }
    return QStringLiteral("eine andere Taste");
}

PracticeReport buildReport(const PracticeRecord& record, const QDateTime& now, ReportFor target,
                           const QString& childName) {
    PracticeReport report;
    report.name = childName.simplified();
    // The name in the title: the first thing read on screen, and what tells a
    // pile of printed reports apart.
    report.title = QStringLiteral("Übungsbericht");
    if (!report.name.isEmpty()) report.title += QStringLiteral(" für ") + report.name;
    if (!record.hasWork()) {
        report.nothingYet = QStringLiteral("Es wurde noch keine Ziffer eingetragen: Der Bericht "
                                           "füllt sich, sobald das Kind rechnet.");
        return report;
    }
    report.span = timeSpan(record, now, target);
    report.summary = summary(record);
    report.chartTitle = QStringLiteral("Falsche Ziffern nach Rechenschritt");
    for (int b = 0; b < kBucketCount; ++b)
        report.bars << ReportBar{bucketName(b), record.wrongIn(b)};

    // The latest tasks with wrong digits, found from the newest back.
    const std::vector<PracticeRecord::Task>& tasks = record.tasks();
    QList<int> chosen;
    int withWrong = 0;
    for (int i = int(tasks.size()) - 1; i >= 0; --i) {
        if (tasks[size_t(i)].wrongDigits == 0) continue;
        ++withWrong;
        if (chosen.size() < kReportedTasks) chosen.prepend(i);
    }
    report.tasksTitle = QStringLiteral("Aufgaben mit falschen Ziffern");
    if (withWrong == 0)
        report.tasksTitle += QStringLiteral(": keine");
    else if (withWrong > kReportedTasks)
        report.tasksTitle +=
            QStringLiteral(" (die letzten %1 von %2)").arg(kReportedTasks).arg(withWrong);

    const std::vector<PracticeRecord::Entry>& entries = record.entries();
    auto bySerial = [](const PracticeRecord::Entry& e, quint32 s) { return e.task < s; };
    for (int i : chosen) {
        const quint32 serial = record.firstSerial() + quint32(i);
        const auto from = std::lower_bound(entries.begin(), entries.end(), serial, bySerial);
        auto to = from;
        while (to != entries.end() && to->task == serial)
            ++to;
        const bool inWindow = size_t(i) + 1 == tasks.size() && !record.sheetTaskInWindow();
        report.tasks << reportTask(tasks[size_t(i)], inWindow,
                                   entries.data() + (from - entries.begin()),
                                   entries.data() + (to - entries.begin()));
    }
    return report;
}

QStringList reportLines(const PracticeReport& report) {
    QStringList lines{report.title};
    if (!report.nothingYet.isEmpty()) return lines << report.nothingYet;
    lines << report.span << report.summary << report.chartTitle;
    for (const ReportBar& bar : report.bars)
        lines << QStringLiteral("%1: %2").arg(bar.name).arg(bar.count);
    if (!report.tasks.isEmpty()) lines << report.tasksTitle;
    for (const ReportTask& task : report.tasks)
        lines << task.lines << task.notes;
    return lines;
}

} // namespace core
