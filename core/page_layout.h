#pragma once

#include <QList>
#include <QStringList>

// Where the lines of a print job go on the pages: a rule of its own, so that
// page breaks and centring can be checked without a printer.
namespace core {

// Lines first .. first + count - 1 stand on one page whenever they fit on one.
struct KeepTogether {
    int first = 0;
    int count = 0;
    bool operator==(const KeepTogether& o) const { return first == o.first && count == o.count; }
};

// A line's page and row (both from 0); page -1 when the line is not printed
// (a blank line that would stand at the top or past the bottom of a page).
struct LinePlace {
    int page = -1;
    int row = -1;
    bool operator==(const LinePlace& o) const { return page == o.page && row == o.row; }
};

// How many lines of the given height fit into the given usable height; at
// least one, so that a tiny page still makes progress.
int linesPerPage(double lineHeight, double usableHeight);

// Lays the lines out top to bottom. A group that does not fit below the lines
// already on a page starts the next page; a group taller than a page starts a
// page of its own and is cut where that page ends. Blank lines (nothing but blanks) never open a
// page and are dropped at the top of a following page, so no page stays empty and no page starts
// with a gap.
QList<LinePlace> placeLines(const QStringList& lines, const QList<KeepTogether>& groups,
                            int perPage);

// Number of pages the placement uses.
int pageCount(const QList<LinePlace>& places);

// The left offset that centres a block of the given width in the usable
// width; 0 when the block is wider.
double centredOffset(double usableWidth, double blockWidth);

// The line as it shows on paper: without its trailing blanks.
QString visiblePart(const QString& line);

} // namespace core
