#include "sheet_text.h"

#include <algorithm>


namespace core {

namespace {

const QLatin1Char kBlank(' ');

// Each pair of working rows stands one column further right, under the
// digits it belongs to.
constexpr int kRowIndent[6] = {0, 1, 1, 2, 2, 3};

QString blanks(int n) {
    return QString(n, kBlank);
}

// Text as HTML in plain ASCII: markup characters and everything beyond ASCII
// as references.
QString asciiHtml(const QString& text) {
    QString html;
    html.reserve(text.size() + 64);
    for (const char32_t c : text.toUcs4()) {
        if (c == U'&')
            html += QLatin1String("&amp;");
        else if (c == U'<')
            html += QLatin1String("&lt;");
        else if (c == U'>')
            html += QLatin1String("&gt;");
        else if (c > 126)
            html += QStringLiteral("&#%1;").arg(uint(c));
        else
            html += QChar(char16_t(c));
    }
    return html;
}

// The choice a printed sheet number holds; every task for anything else.
TaskChoice choiceOfNumber(const QString& number) {
    const std::optional<SheetNumber> parsed = parseSheetNumber(number);
    return parsed ? parsed->choice : TaskChoice();
}

// The number line and the choice, briefly enough that `after` still fits the
// foot line.
QString footNaming(const QString& number, const QString& after) {
    const TaskChoice choice = choiceOfNumber(number);
    if (choice.isEveryTask()) return numberLine(number);
    const QString whole = numberLine(number) + QStringLiteral(" · ") + choiceSummary(choice);
    if (whole.size() + after.size() <= kFootLineMostChars) return whole;
    return numberLine(number) + QStringLiteral(" · ") + shortChoiceSummary(choice);
}

// Overwrites characters of s from pos (counted from 1) with the
// replacement, but never past the end of s; a start beyond the end changes
// nothing.
void midAssign(QString& s, int pos, const QString& replacement) {
    const int start = pos - 1;
    if (start < 0 || start >= s.size()) return;
    const int n = std::min<int>(replacement.size(), s.size() - start);
    s.replace(start, n, replacement.left(n));
}

// "Name: …" in the empty line under a sheet's heading. The sheet is centred
// by its widest line, so the name breaks at that width rather than push the
// tasks aside or off the page; its further lines stand under the name, and
// the runs a page break must not divide grow or move with them.
void putName(PrintDocument& doc, const QString& name) {
    const QString label = QStringLiteral("Name: ");
    int width = 0;
    for (const QString& line : doc.lines)
        width = std::max<int>(width, visiblePart(line).size());
    width = std::max<int>(width, label.size() + 12);
    QStringList lines;
    QString line = label.trimmed();
    bool hasWord = false;
    for (const QString& word : name.simplified().split(kBlank, Qt::SkipEmptyParts)) {
        if (hasWord && line.size() + 1 + word.size() > width) {
            lines << line;
            line = blanks(label.size() - 1);
        }
        line += kBlank + word;
        hasWord = true;
        // A word wider than the sheet is cut; never inside a surrogate pair.
        while (line.size() > width) {
            const int cut = line.at(width - 1).isHighSurrogate() ? width - 1 : width;
            lines << line.left(cut);
            line = blanks(label.size()) + line.mid(cut);
        }
    }
    lines << line;
    doc.lines[1] = lines.first();
    const int more = int(lines.size()) - 1;
    for (int i = 1; i <= more; ++i)
        doc.lines.insert(1 + i, lines.at(i));
    for (KeepTogether& run : doc.keepTogether) {
        if (run.first > 1)
            run.first += more;
        else if (run.first + run.count > 1)
            run.count += more;
    }
}

} // namespace

bool isTaskLineItem(int index) {
    return index == 0 || index == 9 || index == 18 || index == 27;
}

QStringList taskBlock(const WrittenDivision& task) {
    // Lines keep the block width even if a row were short, so the blocks to
    // the right stay in their columns.
    const int width = task.remainder.isEmpty() ? 10 : 12;
    QStringList lines{task.taskLine().leftJustified(width, kBlank)};
    for (int row = 0; row < 6; ++row)
        lines << (blanks(kRowIndent[row]) + task.rows.value(row)).leftJustified(width, kBlank);
    return lines;
}

BlockPlace blockPlace(const WrittenDivision& task, CellRole cell) {
    // The task line: N ":" d "=" q, then "R" r.
    const int quotientAt = int(task.dividend.size() + 1 + task.divisor.size() + 1);
    switch (cell) {
    case CellRole::Quotient1:
    case CellRole::Quotient2:
    case CellRole::Quotient3:
        return {quotientAt + int(cell) - int(CellRole::Quotient1), 0};
    case CellRole::Remainder:
        if (task.remainder.isEmpty()) return {};
        return {quotientAt + int(task.quotient.size()) + 1, 0};
    default:
        break;
    }
    // The working rows: two cells each, the last row one.
    const int index = int(cell) - int(CellRole::Product1Tens);
    const int row = index / 2, place = index % 2;
    return {kRowIndent[row] + place, row + 1};
}

QStringList sheetLines(const QList<WrittenDivision>& tasks, Mode mode) {
    const QString gap = blanks(mode == Mode::Remainder ? 2 : 3);
    QStringList items;
    for (int first = 0; first < tasks.size(); first += 3) {
        if (first > 0) items << QStringLiteral(" ") << QStringLiteral(" ");
        QStringList row = taskBlock(tasks.at(first));
        for (int t = first + 1; t < std::min<int>(first + 3, tasks.size()); ++t) {
            const QStringList block = taskBlock(tasks.at(t));
            for (int line = 0; line < row.size(); ++line)
                row[line] += gap + block.at(line);
        }
        items << row;
    }
    return items;
}

QString blankItem(const QString& item, int index, Mode mode) {
    QString s = item;
    if (isTaskLineItem(index)) {
        if (mode == Mode::Remainder) {
            for (int pos : {8, 22, 36})
                midAssign(s, pos, QStringLiteral("___R_"));
        } else {
            for (int pos : {8, 21, 34})
                midAssign(s, pos, QStringLiteral("___"));
        }
        return s;
    }
    for (QChar& c : s)
        if (c != kBlank) c = QLatin1Char('_');
    return s;
}

QString clipboardText(const QStringList& items, Mode mode) {
    const QLatin1String crlf("\r\n");
    QString text;
    for (int i = 0; i < items.size(); ++i)
        text += blankItem(items.at(i), i, mode) + crlf;
    if (mode == Mode::Normal) text += crlf + crlf;
    for (const QString& item : items)
        text += item + crlf;
    return text;
}

QString clipboardHtml(const QString& text, const QString& number) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QString after;
    if (!number.isEmpty())
        after = QStringLiteral("<p>") + asciiHtml(sheetNameLine(number)) + QStringLiteral("</p>");
    // HTML drops a line break right after <pre>; the extra one keeps a leading empty line.
    return QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>"
                          "<pre style=\"font-family: 'Courier New', monospace;\">\n") +
           asciiHtml(lines) + QStringLiteral("</pre>") + after + QStringLiteral("</body></html>");
}

QString numberLine(const QString& number) {
    return number.isEmpty() ? QString() : QStringLiteral("Blatt-Nr. ") + number;
}

QStringList sheetLinesOf(const SheetNumber& number) {
    QList<WrittenDivision> written;
    for (const Task& t : sheetTasks(number))
        written.append(writtenDivision(t));
    return sheetLines(written, number.mode);
}

QString sheetNameLine(const QString& number) {
    const QString summary = choiceSummary(choiceOfNumber(number));
    return summary.isEmpty() ? numberLine(number)
                             : numberLine(number) + QStringLiteral(" · ") + summary;
}

QList<KeepTogether> blockRowRuns(int lead, int itemCount) {
    QList<KeepTogether> runs;
    for (int first = 0; first < itemCount; first += 9) {
        const int count = std::min(7, itemCount - first);
        if (first == 0)
            runs.append({0, lead + count});
        else
            runs.append({lead + first, count});
    }
    if (itemCount == 0 && lead > 0) runs.append({0, lead});
    return runs;
}

PrintDocument taskSheet(const QStringList& items, Mode mode) {
    const bool remainder = mode == Mode::Remainder;
    PrintDocument doc;
    doc.pointSize = remainder ? 20 : 24;
    doc.lines << (remainder ? QStringLiteral("Schriftliche Division mit Rest (Aufgaben)")
                            : QStringLiteral("Schriftliche Division (Aufgaben)"));
    doc.lines << QString() << QString();
    for (int i = 0; i < items.size(); ++i)
        doc.lines << blankItem(items.at(i), i, mode);
    doc.keepTogether = blockRowRuns(3, int(items.size()));
    return doc;
}

PrintDocument solutionSheet(const QStringList& items, Mode mode) {
    PrintDocument doc;
    doc.pointSize = 20;
    doc.lines << (mode == Mode::Remainder ? QStringLiteral("Schriftliche Division mit Rest (Lösungen)")
                                          : QStringLiteral("Schriftliche Division (Lösungen)"));
    const int lead = int(doc.lines.size()) + 2;
    doc.lines << QString() << QString();
    doc.lines << items;
    doc.keepTogether = blockRowRuns(lead, int(items.size()));
    return doc;
}

QString sheetFootLine(const QString& number) {
    if (number.isEmpty()) return {};
    // A sheet has a page or two: room for one digit each.
    return footNaming(number, QStringLiteral(" · Seite 9 von 9")) +
           QStringLiteral(" · Seite {page} von {pages}");
}

int classSetCount(const QString& typed) {
    const QString s = typed.trimmed();
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    bool ok = false;
    const int n = s.toInt(&ok);
    return ok && n >= 1 && n <= kClassSetMost ? n : 0;
}

QList<PrintDocument> classSetDocuments(const QList<NumberedSheet>& sheets, Mode mode,
                                       const QStringList& names) {
    const int count = int(sheets.size());
    auto setFoot = [count](PrintDocument& doc, const NumberedSheet& sheet, int place) {
        const QString where = QStringLiteral(" · Blatt %1 von %2").arg(place).arg(count);
        doc.footLine = footNaming(sheet.number, where) + where;
        if (doc.footLine.size() > kFootLineMostChars)
            doc.footPointSize = doc.footPointSize * kFootLineMostChars / doc.footLine.size();
    };
    QList<PrintDocument> docs;
    for (int i = 0; i < count; ++i) {
        docs.append(taskSheet(sheets.at(i).items, mode));
        setFoot(docs.last(), sheets.at(i), i + 1);
        if (!names.isEmpty()) putName(docs.last(), names.value(i));
    }
    for (int i = 0; i < count; ++i) {
        docs.append(solutionSheet(sheets.at(i).items, mode));
        setFoot(docs.last(), sheets.at(i), i + 1);
        if (!names.isEmpty()) putName(docs.last(), names.value(i));
    }
    return docs;
}

} // namespace core
