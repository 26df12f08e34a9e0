#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "practice_record.h"

namespace core {

// A task in which something went wrong, as the report shows it.
struct ReportTask {
    // The worked division in the fixed-width lines of the solution sheet.
    QStringList lines;
    // The places the child got wrong: column and line in `lines`.
    struct Place {
        int x, y;
        bool operator==(const Place& o) const { return x == o.x && y == o.y; }
    };
    QList<Place> wrongPlaces;
    // Beside the division: when, whether solved, then what was entered ("3 statt 5 (Abziehen)").
    QStringList notes;
};

struct ReportBar {
    QString name;
    quint64 count = 0;
};

// The practice report as text, without a window: what the screen and the
// paper show.
struct PracticeReport {
    QString name;  // the child's name, blanks trimmed; empty when none was given
    QString title; // "Übungsbericht", with a name "Übungsbericht für Anna"
    // Nothing done yet: the one sentence that says so, and nothing below it.
    QString nothingYet;
    QString span; // "heute, 10:12 bis 10:47 (35 Minuten)"
    // Tasks solved, right and wrong digits, hints; then, where tasks came
    // under a choice of tasks, "Aufgabenwahl: Teiler 6–9 · …", or a line
    // "Aufgabenwahl ab 10:20: …" for each choice in order where it changed
    // ("alle Aufgaben" for every task).
    QStringList summary;
    QString chartTitle;
    QList<ReportBar> bars;
    QString tasksTitle;
    QList<ReportTask> tasks; // oldest of the latest ones first
};

// Screen and paper differ only in the date: on paper "heute" would not say
// which day.
enum class ReportFor { Screen, Paper };

// How many tasks with wrong digits the report shows, the latest ones.
constexpr int kReportedTasks = 12;
// Notes beside one task at most: one per line of the division.
constexpr int kNotesPerTask = 7;

// The report of the record; the child's name, when given, heads it.
PracticeReport buildReport(const PracticeRecord& record, const QDateTime& now, ReportFor target,
                           const QString& childName = {});
// The report as lines of plain text, as a screen reader reads it out.
QStringList reportLines(const PracticeReport& report);

// What a wrong entry showed: the digit, or the key's name ("Eingabetaste").
QString enteredText(const WrongDigit& w);

} // namespace core
