#pragma once

// What a child and a teacher must see, worked out from the task on screen
// alone: the written division of a shown dividend by a shown divisor, the
// answer cells with the digit each one expects, and the layout of a worksheet.
// The random run compares the program against these rules after every event.
#include <QString>
#include <QStringList>

namespace soak {

// The written division of N by d, step by step, every two-digit step padded
// with a leading "0" the way the child writes it.
struct WrittenDivision {
    int n = 0, d = 0, q = 0, r = 0;
    QString p1, s2, p2, s3, p3, r3;
    // N has four digits, d is 3..9, the quotient three digits starting at 4.
    bool plausible = false;
};
WrittenDivision divide(int n, int d);

// The two lists the program keeps for a task, as the child's digits need them.
QStringList expectedListe1(const WrittenDivision& w, bool remainder);
QStringList expectedListe2(const WrittenDivision& w);

// One answer cell of a layout and the rules digit entry follows for it.
struct AnswerCellRule {
    const char* name;
    int number;             // keyboard entry's cell number
    bool remainder;         // remainder layout
    const char* required;   // quotient cell that must be filled first
    bool refuse;            // true: refused without it; false: reminded after it
    const char* colourFrom; // quotient cell whose colour the divisor takes on a drop
};
const AnswerCellRule* answerCells(); // 29 rules, cell number order
const AnswerCellRule* answerCell(const QString& name);
// The digit the cell expects for the task.
QString expectedDigit(const WrittenDivision& w, const char* cellName);

// "" when the sheet has the form of a worksheet of twelve correct tasks of
// the mode; otherwise what is wrong with it.
QString sheetFault(const QStringList& items, bool remainder);
// Item as the task sheet shows it: answers overwritten, working rows as runs of "_".
QString blanked(const QString& item, int index, bool remainder);
// The text the "Kopieren" button must put on the clipboard.
QString clipboardFor(const QStringList& items, bool remainder);
// The lines a print job must carry, heading first.
QStringList printedLines(const QStringList& items, bool remainder, bool solutions);

} // namespace soak
