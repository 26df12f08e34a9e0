#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// The text of a worksheet: twelve tasks laid out as written divisions in
// fixed-width lines, and the blanked copy that becomes the task sheet.
namespace worksheets {

// The rows of one task as the exercise window holds them after drawing it:
// liste1 = N, d, q (and r with a remainder), liste2 = the six working rows.
struct TaskLists {
    QStringList liste1, liste2;
};

// Items 0, 9, 18 and 27 hold the task lines of the block rows; all others
// are working rows or separators.
bool isTaskLineItem(int index);

// The seven lines of one task block, 10 characters wide without a remainder
// and 12 with one.
QStringList taskBlock(const TaskLists& task, bool remainder);

// Where character pos (from 1) of a row (from 0) of liste1 (list 1) or liste2
// (list 2) stands in the lines of taskBlock(): x the column, y the line, both
// from 0; (-1, -1) when the block does not show it.
struct BlockPlace {
    int x = -1, y = -1;
};
BlockPlace taskBlockPlace(const TaskLists& task, int list, int row, int pos);

// The whole sheet: blocks three to a row, joined by a gap of 3 blanks
// (2 with a remainder), two " " items between block rows. Twelve tasks make
// the 34 items of a sheet.
QStringList sheetLines(const QList<TaskLists>& tasks, bool remainder);

// The copy of an item that the task sheet shows. Task lines get the answers
// overwritten in place; every other item has each non-blank replaced by "_".
QString blankItem(const QString& item, int index, bool remainder);

// Blanked items, then (except in mode "R") two empty lines, then the items
// unchanged; every line ends with CR LF.
QString clipboardText(const QStringList& items, const QString& modeCaption);

// The clipboard text as HTML: one <pre> in 'Courier New' (any fixed-width
// font where that is missing) holding the same lines, so a word processor
// keeps the columns, and after it a line naming the sheet's number (none
// without a number). Every character outside plain ASCII is written as a
// character reference, so no charset guess can spoil an umlaut.
QString clipboardHtml(const QString& text, const QString& number);

// "Blatt-Nr. E-482719", "" without a number.
QString numberLine(const QString& number);

// A print job independent of the printer: the font, its size and the lines
// from the heading down. keepTogether lists the runs of lines (first line,
// count) that a page break must not divide: each block row, the first one
// together with the heading and its two empty lines.
struct SheetDocument {
    QString fontName = QStringLiteral("Courier New");
    double pointSize = 20;
    QStringList lines;
    QList<std::pair<int, int>> keepTogether;
    // Printed at the foot of every page; "{page}" and "{pages}" are filled in.
    QString footLine;
};

// The runs that stay on one page when the items follow `lead` lines of
// heading and empty lines.
QList<std::pair<int, int>> blockRowRuns(int lead, int itemCount);

// The task sheet: blanked items under its heading; "R" picks the remainder
// heading, pattern and size 20, any other caption the normal one at size 24.
SheetDocument taskSheet(const QStringList& items, const QString& modeCaption);
// The solution sheet at size 20: heading for "E" or "R" (none for any other
// caption), then the items unchanged.
SheetDocument solutionSheet(const QStringList& items, const QString& modeCaption);

// The foot line of a sheet's pages: "Blatt-Nr. E-482719 · Seite {page} von
// {pages}"; none without a number.
QString sheetFootLine(const QString& number);

// ---- class sets: many sheets of new numbers, then their solutions

struct NumberedSheet {
    QString number;
    QStringList items;
};

// The most sheets of one class set.
constexpr int kClassSetMost = 40;
// The count typed into the class-set box: a whole number from 1 to 40
// (blanks around it allowed), 0 for anything else.
int classSetCount(const QString& typed);

// The task sheets in order, then the solution sheets in the same order; each
// foot line names the sheet's number and its place in the set ("Blatt-Nr.
// E-482719 · Blatt 3 von 25").
QList<SheetDocument> classSetDocuments(const QList<NumberedSheet>& sheets,
                                       const QString& modeCaption);

} // namespace worksheets
