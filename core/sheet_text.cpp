#include "sheet_text.h"

#include <algorithm>

namespace worksheets {

namespace {

const QLatin1Char kBlank(' ');

// Each pair of working rows stands one column further right, under the
// digits it belongs to.
constexpr int kRowIndent[6] = {0, 1, 1, 2, 2, 3};

QString blanks(int n) {
    return QString(n, kBlank);
}

// Classic Mid assignment: overwrites characters of s from pos (counted from
// 1) with the replacement, but never past the end of s; a start beyond the
// end changes nothing.
void midAssign(QString& s, int pos, const QString& replacement) {
    const int start = pos - 1;
    if (start < 0 || start >= s.size()) return;
    const int n = std::min<int>(replacement.size(), s.size() - start);
    s.replace(start, n, replacement.left(n));
}

} // namespace

bool isTaskLineItem(int index) {
    return index == 0 || index == 9 || index == 18 || index == 27;
}

QStringList taskBlock(const TaskLists& task, bool remainder) {
    const QStringList& l1 = task.liste1;
    const QStringList& l2 = task.liste2;
    // Lines keep the block width even if a row were short, so the blocks to
    // the right stay in their columns.
    const int width = remainder ? 12 : 10;
    QString head = l1.value(0) + QLatin1Char(':') + l1.value(1) + QLatin1Char('=') + l1.value(2);
    if (remainder) head += QLatin1Char('R') + l1.value(3);

    QStringList lines{head.leftJustified(width, kBlank)};
    for (int row = 0; row < 6; ++row)
        lines << (blanks(kRowIndent[row]) + l2.value(row)).leftJustified(width, kBlank);
    return lines;
}

BlockPlace taskBlockPlace(const TaskLists& task, int list, int row, int pos) {
    const QStringList& rows = list == 1 ? task.liste1 : task.liste2;
    if ((list != 1 && list != 2) || row < 0 || row >= rows.size() || pos < 1 ||
        pos > rows.at(row).size())
        return {};
    if (list == 2) return row < 6 ? BlockPlace{kRowIndent[row] + pos - 1, row + 1} : BlockPlace{};
    // The task line: N ":" d "=" q, then "R" r.
    const QStringList& l1 = task.liste1;
    int x = 0;
    for (int r = 0; r < row; ++r)
        x += int(l1.at(r).size()) + 1;
    return {x + pos - 1, 0};
}

QStringList sheetLines(const QList<TaskLists>& tasks, bool remainder) {
    const QString gap = blanks(remainder ? 2 : 3);
    QStringList items;
    for (int first = 0; first < tasks.size(); first += 3) {
        if (first > 0) items << QStringLiteral(" ") << QStringLiteral(" ");
        QStringList row = taskBlock(tasks.at(first), remainder);
        for (int t = first + 1; t < std::min<int>(first + 3, tasks.size()); ++t) {
            const QStringList block = taskBlock(tasks.at(t), remainder);
            for (int line = 0; line < row.size(); ++line)
                row[line] += gap + block.at(line);
        }
        items << row;
    }
    return items;
}

QString blankItem(const QString& item, int index, bool remainder) {
    QString s = item;
    if (isTaskLineItem(index)) {
        if (remainder) {
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

QString clipboardText(const QStringList& items, const QString& modeCaption) {
    const QLatin1String crlf("\r\n");
    const bool remainder = modeCaption == QLatin1String("R");
    QString text;
    for (int i = 0; i < items.size(); ++i)
        text += blankItem(items.at(i), i, remainder) + crlf;
    if (!remainder) text += crlf + crlf;
    for (const QString& item : items)
        text += item + crlf;
    return text;
}

QString clipboardHtml(const QString& text, const QString& number) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QString body;
    body.reserve(lines.size() + 64);
    for (const char32_t c : lines.toUcs4()) {
        if (c == U'&')
            body += QLatin1String("&amp;");
        else if (c == U'<')
            body += QLatin1String("&lt;");
        else if (c == U'>')
            body += QLatin1String("&gt;");
        else if (c > 126)
            body += QStringLiteral("&#%1;").arg(uint(c));
        else
            body += QChar(char16_t(c));
    }
    // HTML drops a line break right after <pre>; the extra one keeps a leading empty line.
    QString after;
    if (!number.isEmpty())
        after = QStringLiteral("<p>") + numberLine(number) + QStringLiteral("</p>");
    return QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>"
                          "<pre style=\"font-family: 'Courier New', monospace;\">\n") +
           body + QStringLiteral("</pre>") + after + QStringLiteral("</body></html>");
}

QString numberLine(const QString& number) {
    return number.isEmpty() ? QString() : QStringLiteral("Blatt-Nr. ") + number;
}

QList<std::pair<int, int>> blockRowRuns(int lead, int itemCount) {
    QList<std::pair<int, int>> runs;
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

SheetDocument taskSheet(const QStringList& items, const QString& modeCaption) {
    const bool remainder = modeCaption == QLatin1String("R");
    SheetDocument doc;
    doc.pointSize = remainder ? 20 : 24;
    doc.lines << (remainder ? QStringLiteral("Schriftliche Division mit Rest (Aufgaben)")
                            : QStringLiteral("Schriftliche Division (Aufgaben)"));
    doc.lines << QString() << QString();
    for (int i = 0; i < items.size(); ++i)
        doc.lines << blankItem(items.at(i), i, remainder);
    doc.keepTogether = blockRowRuns(3, int(items.size()));
    return doc;
}

SheetDocument solutionSheet(const QStringList& items, const QString& modeCaption) {
    SheetDocument doc;
    doc.pointSize = 20;
    // The two captions are tested on their own: any other caption prints no heading.
    if (modeCaption == QLatin1String("E"))
        doc.lines << QStringLiteral("Schriftliche Division (Lösungen)");
    if (modeCaption == QLatin1String("R"))
        doc.lines << QStringLiteral("Schriftliche Division mit Rest (Lösungen)");
    const int lead = int(doc.lines.size()) + 2;
    doc.lines << QString() << QString();
    doc.lines << items;
    doc.keepTogether = blockRowRuns(lead, int(items.size()));
    return doc;
}

QString sheetFootLine(const QString& number) {
    if (number.isEmpty()) return {};
    return numberLine(number) + QStringLiteral(" · Seite {page} von {pages}");
}

int classSetCount(const QString& typed) {
    const QString s = typed.trimmed();
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    bool ok = false;
    const int n = s.toInt(&ok);
    return ok && n >= 1 && n <= kClassSetMost ? n : 0;
}

QList<SheetDocument> classSetDocuments(const QList<NumberedSheet>& sheets,
                                       const QString& modeCaption) {
    const int count = int(sheets.size());
    auto foot = [count](const NumberedSheet& sheet, int place) {
        return numberLine(sheet.number) +
               QStringLiteral(" · Blatt %1 von %2").arg(place).arg(count);
    };
    QList<SheetDocument> docs;
    for (int i = 0; i < count; ++i) {
        docs.append(taskSheet(sheets.at(i).items, modeCaption));
        docs.last().footLine = foot(sheets.at(i), i + 1);
    }
    for (int i = 0; i < count; ++i) {
        docs.append(solutionSheet(sheets.at(i).items, modeCaption));
        docs.last().footLine = foot(sheets.at(i), i + 1);
    }
    return docs;
}

} // namespace worksheets
