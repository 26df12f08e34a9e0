#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

#include "cells.h"
#include "print_document.h"
#include "sheet_number.h"
#include "task.h"

// The text of a worksheet: twelve tasks laid out as written divisions in
// fixed-width lines, and the blanked copy that becomes the task sheet.
namespace core {

// Items 0, 9, 18 and 27 hold the task lines of the block rows; all others
// are working rows or separators.
bool isTaskLineItem(int index);

// The seven lines of one task block, 10 characters wide without a remainder
// and 12 with one.
QStringList taskBlock(const WrittenDivision& task);

// Where the digit of a cell stands in the lines of taskBlock(): x the
// column, y the line, both from 0; (-1, -1) when the block does not show it.
struct BlockPlace {
    int x = -1, y = -1;
};
BlockPlace blockPlace(const WrittenDivision& task, CellRole cell);

// The whole sheet: blocks three to a row, joined by a gap of 3 blanks
// (2 with a remainder), two " " items between block rows. Twelve tasks make
// the 34 items of a sheet.
QStringList sheetLines(const QList<WrittenDivision>& tasks, Mode mode);
// The 34 lines of the sheet of a number, as "Blatt" lays them out.
QStringList sheetLinesOf(const SheetNumber& number);

// The copy of an item that the task sheet shows. Task lines get the answers
// overwritten in place; every other item has each non-blank replaced by "_".
QString blankItem(const QString& item, int index, Mode mode);

// Blanked items, then (without remainder) two empty lines, then the items
// unchanged; every line ends with CR LF.
QString clipboardText(const QStringList& items, Mode mode);

// The clipboard text as HTML: one <pre> in 'Courier New' (any fixed-width
// font where that is missing) holding the same lines, so a word processor
// keeps the columns, and after it a line naming the sheet's number and the
// choice it was drawn under (sheetNameLine; none without a number). Every
// character outside plain ASCII is written as a character reference, so no
// charset guess can spoil an umlaut.
QString clipboardHtml(const QString& text, const QString& number);

// "Blatt-Nr. E-482719", "" without a number.
QString numberLine(const QString& number);
// The number line, and for a sheet drawn under a choice the choice its
// number holds: "Blatt-Nr. E-482719-XQG · Teiler 6–9 · Null im Ergebnis:
// oft". Without a choice the number line alone.
QString sheetNameLine(const QString& number);

// A sheet is printed as a document of lines in one fixed-pitch font (see
// print_document.h): the heading, two empty lines, the items. A page break
// never divides a block row, and the first stays with the heading.

// The runs that stay on one page when the items follow `lead` lines of
// heading and empty lines.
QList<KeepTogether> blockRowRuns(int lead, int itemCount);

// The task sheet: blanked items under the heading of the mode; size 24
// without remainder, 20 with one.
PrintDocument taskSheet(const QStringList& items, Mode mode);
// The solution sheet at size 20: the heading of the mode, then the items
// unchanged.
PrintDocument solutionSheet(const QStringList& items, Mode mode);

// The most characters of a foot line that fit its page: at 10 pt a
// fixed-pitch character is 6 pt wide, and an A4 page less its 12 mm margins
// holds 87 of them.
constexpr int kFootLineMostChars = 87;

// The foot line of a sheet's pages: "Blatt-Nr. E-482719 · Seite {page} von
// {pages}"; none without a number. A sheet drawn under a choice names it
// after the number, "Blatt-Nr. E-482719-XQG · Teiler 6–9 · Null im
// Ergebnis: oft · Seite {page} von {pages}", in the short form
// (shortChoiceSummary) where the whole would not fit kFootLineMostChars.
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
// foot line names the sheet's number, the choice it holds as sheetFootLine
// does, and its place in the set ("Blatt-Nr. E-482719 · Blatt 3 von 25").
// A foot line longer than kFootLineMostChars gets a smaller font, so it keeps
// inside the margins.
// With names (one for each sheet, in the same order, see class_names.h) every
// task and solution sheet shows "Name: …" in the line under its heading; a
// name too long for the width of the sheet goes on in the next line,
// indented, so the sheet keeps its place on the page. Without names the
// sheets are exactly those of an unnamed set.
QList<PrintDocument> classSetDocuments(const QList<NumberedSheet>& sheets, Mode mode,
                                       const QStringList& names = {});

} // namespace core
