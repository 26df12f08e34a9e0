#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>

#include "print_job.h"
#include "printing.h"
#include "qt_desktop.h"
#include "sheet_actions.h"
#include "sheet_number.h"
#include "sheet_text.h"
#include "sheet_samples.h"

using namespace core;
using namespace printing;

namespace {

// A page of the PDF as pdftotext lays it out, trailing blanks removed (the
// blanks at the end of a sheet line leave no trace in a PDF).
using Page = QStringList;

QString rstrip(QString s) {
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

} // namespace

class SheetPdf : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void pagesShowTheSheet_data();
    void pagesShowTheSheet();
    void glyphHeightsFollowFontSize_data();
    void glyphHeightsFollowFontSize();
    void savedPdfGoesThroughTheSameLayout();
    void pagesATeacherCanUse_data();
    void pagesATeacherCanUse();
    void footLineNamesNumberAndPage();
    void classSetOfThree_data();
    void classSetOfThree();
    void progressBoxOnlyForLongWork();

  private:
    QString render(const core::PrintDocument& doc, const QString& name);
    QList<Page> pdfText(const QString& pdf, double pointSize);
    QTemporaryDir dir_;
};

void SheetPdf::initTestCase() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    QVERIFY(dir_.isValid());
}

QString SheetPdf::render(const core::PrintDocument& doc, const QString& name) {
    const QString path = dir_.filePath(name);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!printing::renderDocument(printer, doc)) return {};
    return path;
}

QList<Page> SheetPdf::pdfText(const QString& pdf, double pointSize) {
    QProcess p;
    p.start("pdftotext", {"-layout", "-fixed", QString::number(0.6 * pointSize), pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (pages.last().trimmed().isEmpty()) pages.removeLast();
    QList<Page> out;
    for (const QString& text : pages) {
        Page page;
        for (const QString& line : text.split(QLatin1Char('\n')))
            page << rstrip(line);
        out << page;
    }
    return out;
}

void SheetPdf::pagesShowTheSheet_data() {
    QTest::addColumn<bool>("solutions");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("pageCount");
    // 37 lines need 1006 pt in 24 pt and 837 pt in 20 pt; A4 gives 822 pt inside the margins.
    QTest::newRow("tasks E, 24 pt, two pages") << false << "E" << 34 << 2;
    QTest::newRow("tasks R, 20 pt") << false << "R" << 34 << 2;
    QTest::newRow("solutions E") << true << "E" << 34 << 2;
    QTest::newRow("solutions R") << true << "R" << 34 << 2;
    QTest::newRow("short sheet fits one page") << false << "E" << 16 << 1;
    QTest::newRow("empty task sheet") << false << "E" << 0 << 1;
    QTest::newRow("empty solution sheet") << true << "R" << 0 << 1;
}

void SheetPdf::pagesShowTheSheet() {
    QFETCH(bool, solutions);
    QFETCH(QString, mode);
    QFETCH(int, items);
    QFETCH(int, pageCount);
    const QStringList sheet = randomSheet(mode == "R").mid(0, items);
    const core::PrintDocument doc = solutions ? solutionSheet(sheet, modeNamed(mode)) : taskSheet(sheet, modeNamed(mode));
    const QString pdf = render(doc, QTest::currentDataTag() + QStringLiteral(".pdf"));
    QVERIFY(!pdf.isEmpty());
    QList<Page> pages = pdfText(pdf, doc.pointSize);
    QCOMPARE(pages.size(), pageCount);

    // The left margin shows as the same indent on every line.
    int margin = INT_MAX;
    for (const Page& p : pages)
        for (const QString& l : p)
            if (!l.isEmpty()) margin = std::min<int>(margin, l.indexOf(QRegularExpression("\\S")));
    QStringList expected;
    for (const QString& l : doc.lines)
        expected << rstrip(l);

    // Each page is the next run of lines; empty lines at a page break leave no trace.
    int at = 0;
    for (Page& p : pages) {
        while (!p.isEmpty() && p.last().isEmpty())
            p.removeLast();
        for (QString& l : p)
            l = l.mid(margin);
        while (at < expected.size() && expected[at].isEmpty())
            ++at;
        QCOMPARE(p, expected.mid(at, p.size()));
        at += p.size();
    }
    while (at < expected.size() && expected[at].isEmpty())
        ++at;
    QCOMPARE(at, expected.size());
}

void SheetPdf::glyphHeightsFollowFontSize_data() {
    QTest::addColumn<bool>("solutions");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<double>("points");
    QTest::newRow("tasks E in 24 pt") << false << "E" << 24.0;
    QTest::newRow("tasks R in 20 pt") << false << "R" << 20.0;
    QTest::newRow("solutions E in 20 pt") << true << "E" << 20.0;
    QTest::newRow("solutions R in 20 pt") << true << "R" << 20.0;
}

void SheetPdf::glyphHeightsFollowFontSize() {
    QFETCH(bool, solutions);
    QFETCH(QString, mode);
    QFETCH(double, points);
    const QStringList sheet = randomSheet(mode == "R");
    const core::PrintDocument doc = solutions ? solutionSheet(sheet, modeNamed(mode)) : taskSheet(sheet, modeNamed(mode));
    const QString pdf = render(doc, QTest::currentDataTag() + QStringLiteral(".pdf"));
    QVERIFY(!pdf.isEmpty());
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    QVERIFY(p.waitForFinished(30000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression pageRe(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    const QRegularExpression wordRe(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    const auto page = pageRe.match(html);
    QVERIFY(page.hasMatch());
    const double pageHeight = page.captured(2).toDouble();
    int words = 0;
    for (auto it = wordRe.globalMatch(html); it.hasNext(); ++words) {
        const auto m = it.next();
        const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
        const double x1 = m.captured(3).toDouble(), y1 = m.captured(4).toDouble();
        const double chars = m.captured(5).size();
        // Box height of a glyph run is about 1.13 em; a fixed-pitch glyph is 0.6 em wide.
        const double height = (y1 - y0) / points, width = (x1 - x0) / chars / points;
        if (height < 1.0 || height > 1.25 || qAbs(width - 0.6) > 0.02)
            QFAIL(qPrintable(QStringLiteral("%1: height %2 em, width %3 em")
                                 .arg(m.captured(5))
                                 .arg(height)
                                 .arg(width)));
        QVERIFY2(y1 <= pageHeight, "text below the page");
    }
    QVERIFY(words > 34);
}

void SheetPdf::savedPdfGoesThroughTheSameLayout() {
    const core::PrintDocument doc = taskSheet(randomSheet(true), core::Mode::Remainder);
    app::QtDesktop rt;
    const QString saved = dir_.filePath("saved.pdf");
    QVERIFY(rt.printToPdf(doc, saved));
    const QString direct = render(doc, "direct.pdf");
    QCOMPARE(pdfText(saved, doc.pointSize), pdfText(direct, doc.pointSize));
    QVERIFY(!pdfText(saved, doc.pointSize).isEmpty());
    QVERIFY(!rt.printToPdf(doc, dir_.filePath("missing/dir/x.pdf")));
    // Without a default printer the job must not count as printed.
    if (QPrinterInfo::defaultPrinter().isNull())
        QCOMPARE(rt.print(doc), core::PrintResult::NoPrinter);
    // Nor does the print dialog open to choose among no printers.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        QCOMPARE(rt.printWithDialog(nullptr, doc), core::PrintResult::NoPrinter);
}

namespace {

struct Word {
    double x0, y0, x1, y1;
    QString text;
};
struct BoxPage {
    double width = 0, height = 0;
    QList<Word> words;
};

QList<BoxPage> pdfBoxes(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression pageRe(R"re(<page width="([\d.]+)" height="([\d.]+)">(.*?)</page>)re",
                                    QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression wordRe(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QList<BoxPage> pages;
    for (auto pi = pageRe.globalMatch(html); pi.hasNext();) {
        const auto pm = pi.next();
        BoxPage page{pm.captured(1).toDouble(), pm.captured(2).toDouble(), {}};
        for (auto wi = wordRe.globalMatch(pm.captured(3)); wi.hasNext();) {
            const auto m = wi.next();
            page.words << Word{m.captured(1).toDouble(), m.captured(2).toDouble(),
                               m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5)};
        }
        pages << page;
    }
    return pages;
}

const double kMarginPt = 12 / 25.4 * 72;

} // namespace

void SheetPdf::pagesATeacherCanUse_data() {
    QTest::addColumn<bool>("solutions");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("paper");
    QTest::newRow("tasks E") << false << "E"
                             << "A4";
    QTest::newRow("tasks R") << false << "R"
                             << "A4";
    QTest::newRow("solutions E") << true << "E"
                                 << "A4";
    QTest::newRow("solutions R") << true << "R"
                                 << "A4";
    QTest::newRow("tasks E on Letter") << false << "E"
                                       << "Letter";
    QTest::newRow("solutions R on Letter") << true << "R"
                                           << "Letter";
}

void SheetPdf::pagesATeacherCanUse() {
    QFETCH(bool, solutions);
    QFETCH(QString, mode);
    QFETCH(QString, paper);
    const QStringList sheet = randomSheet(mode == "R", 11);
    const core::PrintDocument doc = solutions ? solutionSheet(sheet, modeNamed(mode)) : taskSheet(sheet, modeNamed(mode));
    const QString pdf = dir_.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
    if (paper == "A4") {
        // The path behind "als PDF speichern" and behind a missing printer.
        app::QtDesktop rt;
        QVERIFY(rt.printToPdf(doc, pdf));
    } else {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        QVERIFY(printing::renderDocument(printer, doc));
    }

    // Inside 12 mm margins on every side, the widest line centred between them.
    const QList<BoxPage> boxes = pdfBoxes(pdf);
    QVERIFY(!boxes.isEmpty());
    const QSizeF paperPt =
        QPageSize(paper == "A4" ? QPageSize::A4 : QPageSize::Letter).size(QPageSize::Point);
    double left = 1e9, right = -1e9;
    for (const BoxPage& page : boxes) {
        QCOMPARE(qRound(page.width), qRound(paperPt.width()));
        QCOMPARE(qRound(page.height), qRound(paperPt.height()));
        QVERIFY2(!page.words.isEmpty(), "empty page");
        for (const Word& w : page.words) {
            const QRectF box(QPointF(w.x0, w.y0), QPointF(w.x1, w.y1));
            const QRectF inside(QPointF(kMarginPt, kMarginPt),
                                QPointF(page.width - kMarginPt, page.height - kMarginPt));
            QVERIFY2(inside.adjusted(-0.5, -0.5, 0.5, 0.5).contains(box), qPrintable(w.text));
            left = std::min(left, w.x0);
            right = std::max(right, w.x1);
        }
    }
    QVERIFY2(qAbs(left - (boxes[0].width - right)) < 1.0,
             qPrintable(QStringLiteral("left gap %1 pt, right gap %2 pt")
                            .arg(left)
                            .arg(boxes[0].width - right)));

    // The lines in order and unchanged; note the page of each.
    QList<Page> pages = pdfText(pdf, doc.pointSize);
    QCOMPARE(pages.size(), boxes.size());
    int margin = INT_MAX;
    for (const Page& p : pages)
        for (const QString& l : p)
            if (!l.isEmpty()) margin = std::min<int>(margin, l.indexOf(QRegularExpression("\\S")));
    QList<int> pageOf(doc.lines.size(), -1);
    int at = 0;
    for (int pageNo = 0; pageNo < pages.size(); ++pageNo) {
        for (const QString& l : pages[pageNo]) {
            if (l.isEmpty()) continue;
            while (at < doc.lines.size() && rstrip(doc.lines[at]).trimmed().isEmpty())
                ++at;
            QVERIFY(at < doc.lines.size());
            QCOMPARE(l.mid(margin), rstrip(doc.lines[at]));
            pageOf[at++] = pageNo;
        }
    }
    for (int i = 0; i < doc.lines.size(); ++i)
        QVERIFY2(pageOf[i] >= 0 || doc.lines[i].trimmed().isEmpty(),
                 qPrintable(QStringLiteral("line %1 missing").arg(i)));

    // The heading opens the first page; each block row's seven lines share a page.
    QCOMPARE(pageOf[0], 0);
    QCOMPARE(pages[0].value(0).mid(margin), doc.lines[0]);
    for (int row = 0; row < 4; ++row) {
        const int first = 3 + 9 * row;
        for (int i = first; i < first + 7; ++i)
            QVERIFY2(pageOf[i] == pageOf[first],
                     qPrintable(QStringLiteral("block row %1 cut at line %2").arg(row + 1).arg(i)));
    }
    QCOMPARE(pageOf[3], 0); // the first block row stays with the heading
}

namespace {

// A printed line as read back: its words joined by single blanks, or (for the
// sheet's own lines) set into the columns of the fixed-pitch font.
struct ReadLine {
    double y0 = 0, y1 = 0, x0 = 0, x1 = 0;
    double size = 0; // font size in points
    QList<Word> words;
};

QList<ReadLine> readLines(const BoxPage& page) {
    QList<ReadLine> lines;
    for (const Word& w : page.words) {
        auto it = std::find_if(lines.begin(), lines.end(),
                               [&](const ReadLine& l) { return qAbs(l.y0 - w.y0) < 1; });
        if (it == lines.end()) {
            lines << ReadLine{w.y0, w.y1, w.x0, w.x1, (w.y1 - w.y0) / 1.13, {}};
            it = lines.end() - 1;
        }
        it->words << w;
        it->x0 = std::min(it->x0, w.x0);
        it->x1 = std::max(it->x1, w.x1);
    }
    std::sort(lines.begin(), lines.end(),
              [](const ReadLine& a, const ReadLine& b) { return a.y0 < b.y0; });
    return lines;
}

QString joined(const ReadLine& l) {
    QStringList words;
    for (const Word& w : l.words)
        words << w.text;
    return words.join(' ');
}

// The line in the columns of its font, counted from `left`.
QString inColumns(const ReadLine& l, double left) {
    QString s;
    for (const Word& w : l.words) {
        const int col = qRound((w.x0 - left) / (0.6 * l.size));
        s = s.leftJustified(col, ' ') + w.text;
    }
    return s;
}

bool isFoot(const ReadLine& l) {
    return l.size < 14;
}

// One document of a job as read back: its lines in columns, page by page, and
// the foot line of each page.
struct ReadDoc {
    QList<QStringList> pages;
    QStringList feet;
};

} // namespace

void SheetPdf::footLineNamesNumberAndPage() {
    const QStringList sheet = core::sheetLinesOf(*core::parseSheetNumber("E-482719"));
    core::PrintDocument doc = taskSheet(sheet, modeNamed("E"));
    app::QtDesktop rt;
    const QString plain = dir_.filePath("without foot.pdf");
    QVERIFY(rt.printToPdf(doc, plain));
    doc.footLine = sheetFootLine("E-482719");
    const QString footed = dir_.filePath("with foot.pdf");
    QVERIFY(rt.printToPdf(doc, footed));

    const QList<BoxPage> with = pdfBoxes(footed), without = pdfBoxes(plain);
    QCOMPARE(with.size(), 2);
    QCOMPARE(without.size(), 2);
    for (int p = 0; p < 2; ++p) {
        QList<ReadLine> lines = readLines(with[p]);
        const ReadLine foot = lines.takeLast();
        QCOMPARE(joined(foot), QStringLiteral("Blatt-Nr. E-482719 · Seite %1 von 2").arg(p + 1));
        QVERIFY2(qAbs(foot.size - 10) < 1, qPrintable(QString::number(foot.size)));
        // Below the sheet, inside the bottom margin, centred; the sheet's pages as without it.
        QVERIFY(foot.y0 > lines.last().y1);
        QVERIFY(foot.y1 <= with[p].height - kMarginPt + 0.5);
        QVERIFY(qAbs(foot.x0 - (with[p].width - foot.x1)) < 1);
        const QList<ReadLine> before = readLines(without[p]);
        QCOMPARE(lines.size(), before.size());
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(joined(lines[i]), joined(before[i]));
    }

    // Lines that fill every page to the bottom leave the foot line its room.
    core::PrintDocument full{20, {}, {}, "Seite {page} von {pages}", 10};
    for (int i = 1; i <= 80; ++i)
        full.lines << QStringLiteral("Zeile %1").arg(i);
    const QString fullPdf = dir_.filePath("full pages.pdf");
    QVERIFY(rt.printToPdf(full, fullPdf));
    const QList<BoxPage> fullPages = pdfBoxes(fullPdf);
    QCOMPARE(fullPages.size(), 3);
    for (int p = 0; p < 3; ++p) {
        QList<ReadLine> lines = readLines(fullPages[p]);
        const ReadLine foot = lines.takeLast();
        QCOMPARE(joined(foot), QStringLiteral("Seite %1 von 3").arg(p + 1));
        QVERIFY(foot.y0 > lines.last().y1);
        QVERIFY(foot.y1 <= fullPages[p].height - kMarginPt + 0.5);
    }
}

void SheetPdf::classSetOfThree_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("nameLines"); // as printed, lines of one name joined by "|"
    QTest::newRow("numbered") << QStringList() << QStringList();
    QTest::newRow("named, one name in two lines")
        << QStringList{"Anna", "Maximilian Alexander von Hohenstein-Berg", "Ömer Yıldız"}
        << QStringList{"Name: Anna", "Name: Maximilian Alexander von|      Hohenstein-Berg",
                       "Name: Ömer Yıldız"};
}

// Three sheets saved as one PDF file: the task sheets, then the solution
// sheets, each from a new page, with foot lines, on pages a teacher can use;
// a named set with each name under the heading.
void SheetPdf::classSetOfThree() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, nameLines);
    int drawn = 0;
    const QStringList numbers{"E-482719", "E-000001", "E-482719", "E-999999"};
    const SheetSource source{
        [&] { return numbers[drawn++]; },
        [](const QString& n) { return core::sheetLinesOf(*core::parseSheetNumber(n)); }};
    const QList<core::NumberedSheet> sheets = composeClassSet(3, source);
    core::PrintJob job = classSetJob(sheets, core::Mode::Normal);
    if (!names.isEmpty()) job.documents = core::classSetDocuments(sheets, core::Mode::Normal, names);
    app::QtDesktop rt;
    const QString pdf = dir_.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
    QCOMPARE(rt.printJobToPdf(nullptr, job, pdf), core::PrintResult::Printed);

    // Read back page by page; a heading at the top of a page opens a document.
    QList<ReadDoc> docs;
    const QList<BoxPage> pages = pdfBoxes(pdf);
    for (const BoxPage& page : pages) {
        QList<ReadLine> lines = readLines(page);
        QVERIFY2(lines.size() > 1, "empty page");
        const ReadLine foot = lines.takeLast();
        QVERIFY(isFoot(foot));
        const QRectF inside(QPointF(kMarginPt, kMarginPt),
                            QPointF(page.width - kMarginPt, page.height - kMarginPt));
        for (const ReadLine& l : lines + QList<ReadLine>{foot})
            QVERIFY2(inside.adjusted(-0.5, -0.5, 0.5, 0.5)
                         .contains(QRectF(QPointF(l.x0, l.y0), QPointF(l.x1, l.y1))),
                     qPrintable(joined(l)));
        QVERIFY(foot.y0 > lines.last().y1);
        const QString first = joined(lines.first());
        if (first.startsWith("Schriftliche Division")) docs << ReadDoc{};
        QVERIFY(!docs.isEmpty());
        QStringList text;
        for (const ReadLine& l : lines) {
            QVERIFY(!isFoot(l));
            text << inColumns(l, lines.first().x0);
        }
        docs.last().pages << text;
        docs.last().feet << joined(foot);
    }
    QCOMPARE(docs.size(), 6);

    QStringList seen;
    for (int d = 0; d < 6; ++d) {
        const bool solutions = d >= 3;
        const ReadDoc& doc = docs[d];
        const QRegularExpression footRe(
            QStringLiteral("^Blatt-Nr\\. (E-\\d{6}) · Blatt %1 von 3$").arg(d % 3 + 1));
        const QString number = footRe.match(doc.feet.value(0)).captured(1);
        QVERIFY2(!number.isEmpty(), qPrintable(doc.feet.value(0)));
        for (const QString& f : doc.feet)
            QCOMPARE(f, doc.feet[0]);
        if (!solutions) seen << number;
        QCOMPARE(number, seen[d % 3]); // the solutions in the order of the task sheets

        // The lines of the sheet of that number, blanked on the task sheet.
        const QStringList items = core::sheetLinesOf(*core::parseSheetNumber(number));
        QStringList expected{solutions ? "Schriftliche Division (Lösungen)"
                                       : "Schriftliche Division (Aufgaben)"};
        if (!names.isEmpty()) expected << nameLines[d % 3].split('|');
        for (int i = 0; i < items.size(); ++i)
            if (!items[i].trimmed().isEmpty())
                expected << rstrip(solutions ? items[i] : blankItem(items[i], i, core::Mode::Normal));
        QStringList got;
        for (int p = 0; p < doc.pages.size(); ++p) {
            // A page break falls only before a block row: a page goes on with a task line.
            if (p > 0)
                QVERIFY2(QRegularExpression("^\\d{4}:\\d=").match(doc.pages[p].value(0)).hasMatch(),
                         qPrintable(doc.pages[p].value(0)));
            got << doc.pages[p];
        }
        QCOMPARE(got, expected);
    }
    QCOMPARE(QSet<QString>(seen.begin(), seen.end()).size(), 3);
    QCOMPARE(seen, QStringList({"E-482719", "E-000001", "E-999999"}));

    // Every sheet centred between the side margins, across all its pages.
    int page = 0;
    for (const ReadDoc& doc : docs) {
        double left = 1e9, right = -1e9;
        for (int p = 0; p < doc.pages.size(); ++p, ++page)
            for (const ReadLine& l : readLines(pages[page]))
                if (!isFoot(l)) {
                    left = std::min(left, l.x0);
                    right = std::max(right, l.x1);
                }
        QVERIFY2(qAbs(left - (pages[0].width - right)) < 1.0,
                 qPrintable(QStringLiteral("%1 / %2").arg(left).arg(pages[0].width - right)));
    }
}

// Stopped halfway, the job leaves the file that was there, and nothing beside it.
// A short class set shows no box and replaces the file; a long one shows its
// progress, and its button stops the job leaving the file there before as it
// was and no other.
void SheetPdf::progressBoxOnlyForLongWork() {
    QString title, text;
    QTimer poll; // the box is modal: answer it from a timer, as a person would
    poll.setInterval(30);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!box) return;
        title = box->windowTitle();
        text = box->labelText();
        if (QPushButton* cancel = box->findChild<QPushButton*>()) cancel->click();
    });
    poll.start();
    app::QtDesktop rt;
    core::PrintJob job{{}, "Klassensatz", "Der Klassensatz wird erstellt …"};
    for (int i = 0; i < 3; ++i)
        job.documents << taskSheet(randomSheet(true, i), core::Mode::Remainder);
    auto writeOld = [](const QString& path) {
        QFile old(path);
        return old.open(QIODevice::WriteOnly) && old.write("vorher") == 6;
    };
    const QString small = dir_.filePath("drei.pdf");
    QVERIFY(writeOld(small));
    QCOMPARE(rt.printJobToPdf(nullptr, job, small), core::PrintResult::Printed);
    QVERIFY(title.isNull());
    QCOMPARE(pdfBoxes(small).size(), 6);

    // Enough pages for several seconds of work.
    while (job.documents.size() < 1200)
        job.documents << job.documents;
    const QString big = dir_.filePath("viele.pdf");
    QVERIFY(writeOld(big));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(rt.printJobToPdf(nullptr, job, big), core::PrintResult::Cancelled);
    QCOMPARE(title, QString("Klassensatz"));
    QCOMPARE(text, QString("Der Klassensatz wird erstellt …"));
    QFile old(big);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("vorher"));
    QCOMPARE(QDir(dir_.path()).entryList({"viele*"}, QDir::Files | QDir::Hidden),
             QStringList{"viele.pdf"});
    qInfo("stopped after %lld ms", clock.elapsed());
}

QTEST_MAIN(SheetPdf)
#include "test_sheet_pdf.moc"
