#include <QElapsedTimer>
#include <QTest>

#include "class_names.h"
#include "html_pre.h"
#include "sheet_number.h"
#include "sheet_samples.h"
#include "sheet_text.h"

using namespace core;

class SheetRules : public QObject {
    Q_OBJECT
  private slots:
    void composedSheetHasFixedShape_data();
    void composedSheetHasFixedShape();
    void workedExampleBlocks_data();
    void workedExampleBlocks();
    void quotientsStandInTheirColumns_data();
    void quotientsStandInTheirColumns();
    void blanking_data();
    void blanking();
    void blankedSheetShowsOnlyGivenNumbers_data();
    void blankedSheetShowsOnlyGivenNumbers();
    void clipboardLayout_data();
    void clipboardLayout();
    void printDocuments_data();
    void printDocuments();
    void clipboardHtmlHoldsTheSameLines_data();
    void clipboardHtmlHoldsTheSameLines();
    void classNamesFromTheTypedList_data();
    void classNamesFromTheTypedList();
    void namedClassSet_data();
    void namedClassSet();
    void footLinesNameTheChoice_data();
    void footLinesNameTheChoice();
    void footLinesOfEveryChoiceFitThePage();
};

void SheetRules::composedSheetHasFixedShape_data() {
    QTest::addColumn<bool>("remainder");
    QTest::addColumn<int>("width");
    QTest::newRow("normal lines are 36 wide") << false << 36;
    QTest::newRow("remainder lines are 40 wide") << true << 40;
}

void SheetRules::composedSheetHasFixedShape() {
    QFETCH(bool, remainder);
    QFETCH(int, width);
    const QStringList items = randomSheet(remainder);
    QCOMPARE(items.size(), 34);
    for (int i = 0; i < items.size(); ++i) {
        const bool separator = QList<int>{7, 8, 16, 17, 25, 26}.contains(i);
        if (separator)
            QCOMPARE(items[i], QStringLiteral(" "));
        else
            QVERIFY2(items[i].size() == width, qPrintable(QString::number(i) + ": " + items[i]));
        QCOMPARE(isTaskLineItem(i), i % 9 == 0);
    }
}

void SheetRules::workedExampleBlocks_data() {
    QTest::addColumn<bool>("remainder");
    QTest::addColumn<QStringList>("block");
    QTest::newRow("1236 : 3") << false
                              << QStringList{"1236:3=412", "12        ", " 03       ", " 03       ",
                                             "  06      ", "  06      ", "   0      "};
    QTest::newRow("1238 : 3 R 2") << true
                                  << QStringList{"1238:3=412R2", "12          ", " 03         ",
                                                 " 03         ", "  08        ", "  06        ",
                                                 "   2        "};
}

void SheetRules::workedExampleBlocks() {
    QFETCH(bool, remainder);
    QFETCH(QStringList, block);
    const WrittenDivision example = writtenDivision(Task{412, 3, remainder ? 2 : 0});
    QCOMPARE(taskBlock(example), block);
    // As the first block of a sheet, followed by the gap and the next block.
    QList<WrittenDivision> tasks = randomTasks(remainder, 3);
    tasks[0] = example;
    tasks[1] = example;
    const QStringList items = sheetLines(tasks, modeOf(remainder));
    const QString gap(remainder ? 2 : 3, QLatin1Char(' '));
    for (int line = 0; line < 7; ++line)
        QCOMPARE(items[line].left(2 * block[line].size() + gap.size()),
                 block[line] + gap + block[line]);
}

void SheetRules::quotientsStandInTheirColumns_data() {
    QTest::addColumn<bool>("remainder");
    QTest::addColumn<QList<int>>("starts");
    QTest::newRow("normal: 8, 21, 34") << false << QList<int>{8, 21, 34};
    QTest::newRow("remainder: 8, 22, 36") << true << QList<int>{8, 22, 36};
}

void SheetRules::quotientsStandInTheirColumns() {
    QFETCH(bool, remainder);
    QFETCH(QList<int>, starts);
    const QList<WrittenDivision> tasks = randomTasks(remainder, 11);
    const QStringList items = sheetLines(tasks, modeOf(remainder));
    for (int t = 0; t < 12; ++t) {
        const QString& line = items[9 * (t / 3)];
        const int pos = starts[t % 3] - 1;
        QString expected = tasks[t].quotient;
        if (remainder) expected += QLatin1Char('R') + tasks[t].remainder;
        QCOMPARE(line.mid(pos, expected.size()), expected);
    }
}

void SheetRules::blanking_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("remainder");
    QTest::addColumn<QString>("blanked");
    const QString e = "1236:3=412   1200:3=400   8991:9=999";
    const QString r = "1238:3=412R2  1201:3=400R1  8999:9=999R8";
    QTest::newRow("normal task line") << e << 0 << false << "1236:3=___   1200:3=___   8991:9=___";
    QTest::newRow("remainder task line keeps R")
        << r << 27 << true << "1238:3=___R_  1201:3=___R_  8999:9=___R_";
    QTest::newRow("item 10 is a working row")
        << e << 10 << false << "__________   __________   __________";
    QTest::newRow("working row keeps blanks") << "12          " << 1 << true << "__          ";
    QTest::newRow("indented last row") << "   0         " << 6 << false << "   _         ";
    QTest::newRow("separator stays one blank") << " " << 7 << false << " ";
    QTest::newRow("empty item") << "" << 3 << true << "";
    QTest::newRow("short task line: one block") << "1236:3=412" << 9 << false << "1236:3=___";
    QTest::newRow("short task line: cut in the quotient")
        << "1238:3=41" << 18 << true << "1238:3=__";
    QTest::newRow("task line ending before position 8") << "1236:3" << 0 << false << "1236:3";
    QTest::newRow("normal pattern on a remainder line")
        << r.left(12) << 0 << false << "1238:3=___R2";
}

void SheetRules::blanking() {
    QFETCH(QString, item);
    QFETCH(int, index);
    QFETCH(bool, remainder);
    QFETCH(QString, blanked);
    QCOMPARE(blankItem(item, index, modeOf(remainder)), blanked);
}

void SheetRules::blankedSheetShowsOnlyGivenNumbers_data() {
    QTest::addColumn<bool>("remainder");
    QTest::newRow("normal") << false;
    QTest::newRow("remainder") << true;
}

void SheetRules::blankedSheetShowsOnlyGivenNumbers() {
    QFETCH(bool, remainder);
    const int blockStep = remainder ? 14 : 13;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const QStringList items = randomSheet(remainder, seed);
        for (int i = 0; i < items.size(); ++i) {
            const QString b = blankItem(items[i], i, modeOf(remainder));
            QCOMPARE(b.size(), items[i].size());
            for (int c = 0; c < b.size(); ++c) {
                const int col = c % blockStep; // dividend 0..3, divisor 5
                const bool given = isTaskLineItem(i) && (col < 4 || col == 5);
                if (b[c].isDigit() != given)
                    QFAIL(qPrintable(QStringLiteral("item %1 col %2: %3").arg(i).arg(c).arg(b)));
            }
        }
    }
}

void SheetRules::clipboardLayout_data() {
    QTest::addColumn<bool>("remainder");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("lines");
    QTest::newRow("E: gap of two empty lines") << false << 34 << 70;
    QTest::newRow("R: solutions follow at once") << true << 34 << 68;
    QTest::newRow("empty sheet in E") << false << 0 << 2;
    QTest::newRow("empty sheet in R") << true << 0 << 0;
}

void SheetRules::clipboardLayout() {
    QFETCH(bool, remainder);
    QFETCH(int, items);
    QFETCH(int, lines);
    const QStringList sheet = randomSheet(remainder).mid(0, items);
    const QString text = clipboardText(sheet, modeOf(remainder));
    QCOMPARE(text.count(QStringLiteral("\r\n")), lines);
    QStringList expected;
    for (int i = 0; i < sheet.size(); ++i)
        expected << blankItem(sheet[i], i, modeOf(remainder));
    if (!remainder) expected << QString() << QString();
    expected << sheet;
    QCOMPARE(text, expected.isEmpty() ? QString() : expected.join("\r\n") + "\r\n");
}

void SheetRules::printDocuments_data() {
    QTest::addColumn<bool>("solutions");
    QTest::addColumn<bool>("remainder");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("heading");
    QTest::newRow("tasks E") << false << false << 24.0 << "Schriftliche Division (Aufgaben)";
    QTest::newRow("tasks R") << false << true << 20.0 << "Schriftliche Division mit Rest (Aufgaben)";
    QTest::newRow("solutions E") << true << false << 20.0 << "Schriftliche Division (Lösungen)";
    QTest::newRow("solutions R") << true << true << 20.0
                                 << "Schriftliche Division mit Rest (Lösungen)";
}

void SheetRules::printDocuments() {
    QFETCH(bool, solutions);
    QFETCH(bool, remainder);
    QFETCH(double, size);
    QFETCH(QString, heading);
    const Mode mode = modeOf(remainder);
    for (const QStringList& items : {randomSheet(remainder), QStringList{}}) {
        const PrintDocument doc = solutions ? solutionSheet(items, mode) : taskSheet(items, mode);
        QCOMPARE(doc.pointSize, size);
        QStringList expected{heading, QString(), QString()};
        for (int i = 0; i < items.size(); ++i)
            expected << (solutions ? items[i] : blankItem(items[i], i, mode));
        QCOMPARE(doc.lines, expected);
    }
}

void SheetRules::clipboardHtmlHoldsTheSameLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("named"); // the paragraph after the lines
    QTest::newRow("E sheet") << clipboardText(randomSheet(false), Mode::Normal) << "E-482719"
                             << "Blatt-Nr. E-482719";
    QTest::newRow("R sheet") << clipboardText(randomSheet(true), Mode::Remainder) << "R-093514"
                             << "Blatt-Nr. R-093514";
    QTest::newRow("empty E sheet: two empty lines") << clipboardText({}, Mode::Normal) << ""
                                                    << "";
    QTest::newRow("empty R sheet") << clipboardText({}, Mode::Remainder) << ""
                                   << "";
    QTest::newRow("umlauts, markup characters, blanks")
        << QStringLiteral("  Lösungen für Ärger & Übung <b>ß</b> \"x\" €  \r\n \r\n\r\nä\r\n")
        << "E-000000"
        << "Blatt-Nr. E-000000";
    QTest::newRow("a sheet drawn under a choice names it")
        << clipboardText(randomSheet(false), Mode::Normal) << "E-482719-XQG"
        << "Blatt-Nr. E-482719-XQG &#183; Teiler 6&#8211;9 &#183; Null im Ergebnis: oft";
}

void SheetRules::clipboardHtmlHoldsTheSameLines() {
    QFETCH(QString, text);
    QFETCH(QString, number);
    QFETCH(QString, named);
    const QString html = clipboardHtml(text, number);
    // The number stands in a paragraph of its own after the <pre>, none without a number.
    const QString after = html.mid(html.indexOf("</pre>") + 6);
    QCOMPARE(after,
             named.isEmpty() ? QString("</body></html>") : "<p>" + named + "</p></body></html>");
    const PreBlock pre = readPre(html);
    QCOMPARE(pre.count, 1);
    QVERIFY2(pre.style.contains("font-family: 'Courier New', monospace"), qPrintable(pre.style));
    QCOMPARE(pre.text.split('\n'), text.split("\r\n"));
    // Plain ASCII, so a word processor that guesses the charset wrongly still gets the umlauts.
    for (const QChar c : html)
        QVERIFY2(c.unicode() < 128, qPrintable(html));
}

void SheetRules::classNamesFromTheTypedList_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("problemSays"); // "" when the list is fine
    QStringList forty;
    for (int i = 1; i <= 40; ++i)
        forty << QStringLiteral("Kind %1").arg(i);
    QTest::newRow("trimmed, empty lines skipped, any line end")
        << "  Anna \r\n\r\n\tBen\n \nCem  Demir\rEda\n"
        << QStringList{"Anna", "Ben", "Cem Demir", "Eda"} << "";
    QTest::newRow("two columns of a spreadsheet")
        << "Müller\tAnna\nYıldız\tÖmer" << QStringList{"Müller Anna", "Yıldız Ömer"} << "";
    QTest::newRow("40 names") << forty.join("\n") << forty << "";
    QTest::newRow("41 names") << (forty + QStringList{"Eda"}).join("\n") << QStringList() << "41";
    QTest::newRow("40 characters") << QString(40, 'a') << QStringList{QString(40, 'a')} << "";
    QTest::newRow("41 characters, line counted with the empty one")
        << "Anna\n\n" + QString(41, 'b') << QStringList() << "Zeile 3";
    const QString accented = QString("e\u0301").repeated(40); // as pasted from some systems
    QTest::newRow("an accent is no character of its own")
        << accented << QStringList{accented} << "";
    QTest::newRow("only blanks") << " \n\t\n" << QStringList() << "Namen";
}

void SheetRules::classNamesFromTheTypedList() {
    QFETCH(QString, typed);
    QFETCH(QStringList, names);
    QFETCH(QString, problemSays);
    const ClassNames got = classNames(typed);
    QCOMPARE(got.names, names);
    QCOMPARE(got.problem.isEmpty(), problemSays.isEmpty());
    QVERIFY2(got.problem.contains(problemSays), qPrintable(got.problem));
}

void SheetRules::namedClassSet_data() {
    QTest::addColumn<bool>("remainder");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("a long name breaks at a blank")
        << false << QStringList{"Anna", "Maximilian Alexander von Hohenstein-Berg", "Ben"};
    QTest::newRow("a long word is cut, with remainder") << true << QStringList{QString(40, 'X')};
    QStringList forty;
    for (int i = 1; i <= 40; ++i)
        forty << QStringLiteral("Kind Nummer %1").arg(i);
    QTest::newRow("forty") << true << forty;
}

// Each sheet of a named set is the unnamed one with the name under its
// heading: the same sheet, foot line and page runs, never wider.
void SheetRules::namedClassSet() {
    QFETCH(bool, remainder);
    QFETCH(QStringList, names);
    const Mode mode = modeOf(remainder);
    QList<NumberedSheet> sheets;
    for (int i = 0; i < names.size(); ++i) {
        const QString number = formatSheetNumber({mode, 7919 * i});
        sheets.append({number, sheetLinesOf(*parseSheetNumber(number))});
    }
    QElapsedTimer clock;
    clock.start();
    const QList<PrintDocument> named = classSetDocuments(sheets, mode, names);
    qInfo("%d named sheets made in %lld µs", int(names.size()), clock.nsecsElapsed() / 1000);
    QVERIFY(clock.elapsed() < 1000);
    const QList<PrintDocument> plain = classSetDocuments(sheets, mode);
    QCOMPARE(named.size(), plain.size());
    for (int d = 0; d < named.size(); ++d) {
        const PrintDocument &n = named[d], &p = plain[d];
        QCOMPARE(n.footLine, p.footLine);
        QCOMPARE(n.lines.value(0), p.lines.value(0));
        const int extra = int(n.lines.size() - p.lines.size());
        QCOMPARE(n.lines.mid(2 + extra), p.lines.mid(2));
        const QStringList nameLines = n.lines.mid(1, 1 + extra);
        QVERIFY(nameLines[0].startsWith("Name: "));
        int widest = 0;
        for (const QString& l : p.lines)
            widest = std::max<int>(widest, visiblePart(l).size());
        for (int i = 0; i < nameLines.size(); ++i) {
            QVERIFY2(nameLines[i].size() <= widest, qPrintable(nameLines[i]));
            QVERIFY(i == 0 || nameLines[i].startsWith("      "));
        }
        QCOMPARE(nameLines.join("").remove(' '),
                 "Name:" + QString(names[d % names.size()]).remove(' '));
        // The runs a page break keeps whole hold the same lines of the sheet.
        QCOMPARE(n.keepTogether.size(), p.keepTogether.size());
        for (int r = 0; r < n.keepTogether.size(); ++r) {
            const KeepTogether a = n.keepTogether[r], b = p.keepTogether[r];
            QCOMPARE(a.first - (a.first > 1 ? extra : 0), b.first);
            QCOMPARE(a.count - (a.first > 1 ? 0 : extra), b.count);
        }
    }
}

void SheetRules::footLinesNameTheChoice_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("named"); // what stands before "Seite" or "Blatt"
    QTest::newRow("no choice: as always") << "E-482719"
                                          << "Blatt-Nr. E-482719";
    QTest::newRow("a choice, in full")
        << "E-482719-XQG"
        << "Blatt-Nr. E-482719-XQG · Teiler 6–9 · Null im Ergebnis: oft";
    QTest::newRow("both kinds: the short form")
        << "R-093514-GVN"
        << "Blatt-Nr. R-093514-GVN · Teiler 9 · Null: oft · Übertrag: nie";
}

void SheetRules::footLinesNameTheChoice() {
    QFETCH(QString, number);
    QFETCH(QString, named);
    QCOMPARE(sheetFootLine(number), named + " · Seite {page} von {pages}");
    QList<NumberedSheet> sheets;
    for (int i = 0; i < 25; ++i)
        sheets.append({number, randomSheet(number.startsWith('R'), i)});
    const QList<PrintDocument> docs = classSetDocuments(sheets, modeNamed(number.left(1)));
    QCOMPARE(docs.value(2).footLine, named + " · Blatt 3 von 25");
    QCOMPARE(docs.value(27).footLine, named + " · Blatt 3 von 25");
    QCOMPARE(docs.value(2).footPointSize, 10.0);
}

// At 10 pt a foot line holds 87 characters between the margins of an A4 page;
// a longer one runs off the paper.
void SheetRules::footLinesOfEveryChoiceFitThePage() {
    for (int code = 0; code < TaskChoice::kCodes; ++code) {
        const SheetNumber n(Mode::Remainder, 482719, *TaskChoice::fromCode(code));
        const QString number = formatSheetNumber(n);
        QString single = sheetFootLine(number);
        single.replace("{pages}", "2").replace("{page}", "2");
        QVERIFY2(single.size() <= 87, qPrintable(single));
        QList<NumberedSheet> sheets;
        for (int i = 0; i < kClassSetMost; ++i)
            sheets.append({number, {}});
        const PrintDocument last = classSetDocuments(sheets, n.mode).constLast();
        QVERIFY2(last.footLine.size() * last.footPointSize <= 87 * 10.0 + 1e-9,
                 qPrintable(last.footLine));
    }
}

QTEST_APPLESS_MAIN(SheetRules)
#include "test_sheet_rules.moc"
