// Where the lines of a sheet land on the pages, checked on the rule alone for
// many page heights, without a printer.
#include <QTest>

#include "page_layout.h"
#include "sheet_actions.h"
#include "sheet_samples.h"

using namespace core;
using namespace printing;
using core::LinePlace;

Q_DECLARE_METATYPE(core::PrintDocument)

namespace {

bool blank(const QString& s) {
    return s.trimmed().isEmpty();
}

core::PrintDocument sheetDoc(bool solutions, const QString& mode, int items) {
    const QStringList sheet = randomSheet(mode == "R").mid(0, items);
    return solutions ? solutionSheet(sheet, modeNamed(mode)) : taskSheet(sheet, modeNamed(mode));
}

} // namespace

class SheetPages : public QObject {
    Q_OBJECT
  private slots:
    void sheetsBreakBetweenBlockRows_data();
    void sheetsBreakBetweenBlockRows();
    void runsAreTheBlockRows_data();
    void runsAreTheBlockRows();
    void plainLinesFillEachPage();
    void pageArithmetic();
};

void SheetPages::sheetsBreakBetweenBlockRows_data() {
    QTest::addColumn<core::PrintDocument>("doc");
    QTest::addColumn<int>("perPage");
    const struct {
        const char* name;
        bool solutions;
        const char* mode;
        int items;
    } sheets[] = {
        {"tasks E", false, "E", 34},      {"tasks R", false, "R", 34},
        {"solutions E", true, "E", 34},   {"solutions R", true, "R", 34},
        {"two block rows", false, "E", 16}, {"cut block row", true, "R", 12},
        {"empty", false, "R", 0},
    };
    // 28 and 34 are what A4 holds at 24 pt and 20 pt; 7 and 5 are pages
    // shorter than a block row with its heading.
    for (const auto& s : sheets)
        for (int perPage : {60, 37, 36, 34, 30, 28, 19, 16, 10, 9, 7, 5})
            QTest::addRow("%s, %d lines a page", s.name, perPage)
                << sheetDoc(s.solutions, s.mode, s.items) << perPage;
}

void SheetPages::sheetsBreakBetweenBlockRows() {
    QFETCH(core::PrintDocument, doc);
    QFETCH(int, perPage);
    const QStringList& lines = doc.lines;
    const QList<LinePlace> at = core::placeLines(lines, doc.keepTogether, perPage);
    QCOMPARE(at.size(), lines.size());
    const int pages = core::pageCount(at);

    // In order, row after row without holes, never below the page.
    QList<int> used(pages, 0);
    for (int i = 0; i < lines.size(); ++i) {
        if (at[i].page < 0) {
            QVERIFY2(blank(lines[i]), qPrintable(QStringLiteral("line %1 lost").arg(i)));
            continue;
        }
        QCOMPARE(at[i].row, used[at[i].page]);
        QVERIFY(at[i].row < perPage);
        for (int p = at[i].page + 1; p < pages; ++p)
            QCOMPARE(used[p], 0);
        ++used[at[i].page];
    }

    // Every page shows something, and a following page never opens with a gap.
    QList<bool> shows(pages, false);
    for (int i = 0; i < lines.size(); ++i) {
        if (at[i].page < 0) continue;
        if (!blank(lines[i])) shows[at[i].page] = true;
        if (at[i].page > 0 && at[i].row == 0) QVERIFY(!blank(lines[i]));
    }
    QVERIFY(!shows.contains(false));
    if (lines.size() <= perPage) QCOMPARE(pages, 1);

    // A block row (the first one with its heading) is never cut when it fits a page.
    for (const core::KeepTogether& g : doc.keepTogether) {
        if (g.count > perPage) continue;
        for (int i = g.first; i < g.first + g.count; ++i)
            QCOMPARE(at[i].page, at[g.first].page);
    }

    // No page is given up early: what opens a page did not fit on the one before
    // (a run taller than a page starts a page of its own, so it is cut only once).
    for (int i = 0; i < lines.size(); ++i) {
        if (at[i].page <= 0 || at[i].row != 0) continue;
        int need = 1;
        for (const core::KeepTogether& g : doc.keepTogether)
            if (g.first == i) need = g.count;
        QVERIFY2(
            used[at[i].page - 1] + need > perPage,
            qPrintable(
                QStringLiteral("line %1 could have stayed on page %2").arg(i).arg(at[i].page)));
    }
}

void SheetPages::runsAreTheBlockRows_data() {
    QTest::addColumn<core::PrintDocument>("doc");
    QTest::addColumn<QList<core::KeepTogether>>("runs");
    using R = QList<core::KeepTogether>;
    // Heading, two empty lines, then block rows of seven lines two apart.
    QTest::newRow("task or solution sheet")
        << sheetDoc(false, "R", 34) << R{{0, 10}, {12, 7}, {21, 7}, {30, 7}};
    QTest::newRow("sheet ending inside a block row")
        << sheetDoc(false, "E", 12) << R{{0, 10}, {12, 3}};
    QTest::newRow("empty sheet") << sheetDoc(false, "E", 0) << R{{0, 3}};
}

void SheetPages::runsAreTheBlockRows() {
    QFETCH(core::PrintDocument, doc);
    QFETCH(QList<core::KeepTogether>, runs);
    QCOMPARE(doc.keepTogether, runs);
}

void SheetPages::plainLinesFillEachPage() {
    // Without runs to keep together every page is filled; blank lines at a
    // break are dropped rather than opening the next page with a gap.
    const QStringList lines{"a", "b", "c", "d", " ", "", "e", "f", "g", " "};
    const QList<LinePlace> at = core::placeLines(lines, {}, 4);
    const QList<LinePlace> want{{0, 0},   {0, 1}, {0, 2}, {0, 3}, {-1, -1},
                                {-1, -1}, {1, 0}, {1, 1}, {1, 2}, {1, 3}};
    QCOMPARE(at, want);
    QCOMPARE(core::pageCount(at), 2);
    QCOMPARE(core::pageCount(core::placeLines({}, {}, 4)), 0);
}

void SheetPages::pageArithmetic() {
    QCOMPARE(core::linesPerPage(0.1, 0.3), 3); // 0.3 / 0.1 is 2.9999… in binary
    QCOMPARE(core::linesPerPage(27.2, 773.9), 28);
    QCOMPARE(core::linesPerPage(50, 20), 1);
    QCOMPARE(core::centredOffset(100, 60), 20.0);
    QCOMPARE(core::centredOffset(100, 130), 0.0);
    QCOMPARE(core::visiblePart(QStringLiteral(" 12  ab   ")), QStringLiteral(" 12  ab"));
    QCOMPARE(core::visiblePart(QStringLiteral("   ")), QString());
}

QTEST_MAIN(SheetPages)
#include "test_sheet_pages.moc"
