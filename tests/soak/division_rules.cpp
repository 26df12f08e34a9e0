#include "division_rules.h"

#include <QRegularExpression>
#include <cstring>

namespace soak {

namespace {
QString two(int v) {
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}
} // namespace

WrittenDivision divide(int n, int d) {
    WrittenDivision w;
    w.n = n;
    w.d = d;
    if (d < 3 || d > 9 || n < 1000 || n > 9999) return w;
    w.q = n / d;
    w.r = n % d;
    const int n1 = n / 1000, n2 = n / 100 % 10, n3 = n / 10 % 10, n4 = n % 10;
    const int q1 = w.q / 100, q2 = w.q / 10 % 10, q3 = w.q % 10;
    const int p1 = q1 * d, r1 = 10 * n1 + n2 - p1;
    const int s2 = 10 * r1 + n3, p2 = q2 * d, r2 = s2 - p2;
    const int s3 = 10 * r2 + n4, p3 = q3 * d;
    w.p1 = two(p1);
    w.s2 = two(s2);
    w.p2 = two(p2);
    w.s3 = two(s3);
    w.p3 = two(p3);
    w.r3 = QString::number(s3 - p3);
    w.plausible =
        w.q >= 400 && w.q <= 999 && r1 >= 0 && r1 < d && r2 >= 0 && r2 < d && s3 - p3 == w.r;
    return w;
}

QStringList expectedListe1(const WrittenDivision& w, bool remainder) {
    QStringList l{QString::number(w.n), QString::number(w.d), QString::number(w.q)};
    if (remainder) l << QString::number(w.r);
    return l;
}

QStringList expectedListe2(const WrittenDivision& w) {
    return {w.p1, w.s2, w.p2, w.s3, w.p3, w.r3};
}

const AnswerCellRule* answerCells() {
    static const AnswerCellRule cells[] = {
        {"Bezeichnung6", 1, false, nullptr, false, nullptr},
        {"Bezeichnung20", 2, false, nullptr, false, nullptr},
        {"Bezeichnung27", 3, false, nullptr, false, nullptr},
        {"Bezeichnung7", 4, false, nullptr, false, "Bezeichnung6"},
        {"Bezeichnung8", 5, false, nullptr, false, "Bezeichnung6"},
        {"Bezeichnung9", 6, false, "Bezeichnung6", false, "Bezeichnung20"},
        {"Bezeichnung10", 7, false, "Bezeichnung6", true, "Bezeichnung20"},
        {"Bezeichnung11", 8, false, nullptr, false, nullptr},
        {"Bezeichnung12", 9, false, nullptr, false, nullptr},
        {"Bezeichnung13", 10, false, "Bezeichnung20", false, "Bezeichnung27"},
        {"Bezeichnung17", 11, false, "Bezeichnung20", true, "Bezeichnung27"},
        {"Bezeichnung18", 12, false, nullptr, false, nullptr},
        {"Bezeichnung19", 13, false, nullptr, false, nullptr},
        {"Bezeichnung28", 14, false, "Bezeichnung27", false, nullptr},
        {"luecke6", 15, true, nullptr, false, nullptr},
        {"luecke7", 16, true, nullptr, false, nullptr},
        {"luecke8", 17, true, nullptr, false, nullptr},
        {"luecke10", 18, true, nullptr, false, nullptr},
        {"luecke11", 19, true, nullptr, false, "luecke6"},
        {"luecke12", 20, true, nullptr, false, "luecke6"},
        {"luecke13", 21, true, "luecke6", false, "luecke7"},
        {"luecke14", 22, true, "luecke6", true, "luecke7"},
        {"luecke15", 23, true, nullptr, false, nullptr},
        {"luecke16", 24, true, nullptr, false, nullptr},
        {"luecke17", 25, true, "luecke7", false, "luecke8"},
        {"luecke18", 26, true, "luecke7", true, "luecke8"},
        {"luecke19", 27, true, nullptr, false, nullptr},
        {"luecke20", 28, true, nullptr, false, nullptr},
        {"luecke21", 29, true, "luecke8", false, "luecke10"},
    };
    return cells;
}

const AnswerCellRule* answerCell(const QString& name) {
    const AnswerCellRule* c = answerCells();
    for (int i = 0; i < 29; ++i)
        if (name == QLatin1String(c[i].name)) return &c[i];
    return nullptr;
}

QString expectedDigit(const WrittenDivision& w, const char* cellName) {
    const QString q = QString::number(w.q);
    // Each cell by the step of the written division it belongs to.
    struct Place {
        const char* normal;
        const char* rest;
        QString text;
        int pos;
    };
    const Place places[] = {
        {"Bezeichnung6", "luecke6", q, 0},      {"Bezeichnung20", "luecke7", q, 1},
        {"Bezeichnung27", "luecke8", q, 2},     {nullptr, "luecke10", QString::number(w.r), 0},
        {"Bezeichnung7", "luecke11", w.p1, 0},  {"Bezeichnung8", "luecke12", w.p1, 1},
        {"Bezeichnung9", "luecke13", w.s2, 0},  {"Bezeichnung10", "luecke14", w.s2, 1},
        {"Bezeichnung11", "luecke15", w.p2, 0}, {"Bezeichnung12", "luecke16", w.p2, 1},
        {"Bezeichnung13", "luecke17", w.s3, 0}, {"Bezeichnung17", "luecke18", w.s3, 1},
        {"Bezeichnung18", "luecke19", w.p3, 0}, {"Bezeichnung19", "luecke20", w.p3, 1},
        {"Bezeichnung28", "luecke21", w.r3, 0},
    };
    for (const Place& p : places)
        if ((p.normal && !std::strcmp(p.normal, cellName)) || !std::strcmp(p.rest, cellName))
            return p.text.mid(p.pos, 1);
    return {};
}

namespace {

// The seven lines of one task block as a teacher expects them on paper.
QStringList block(const WrittenDivision& w, bool remainder) {
    const int width = remainder ? 12 : 10;
    QString head = QStringLiteral("%1:%2=%3").arg(w.n).arg(w.d).arg(w.q);
    if (remainder) head += QLatin1Char('R') + QString::number(w.r);
    const QStringList rows{head,
                           w.p1,
                           QLatin1Char(' ') + w.s2,
                           QLatin1Char(' ') + w.p2,
                           QStringLiteral("  ") + w.s3,
                           QStringLiteral("  ") + w.p3,
                           QStringLiteral("   ") + w.r3};
    QStringList out;
    for (const QString& r : rows)
        out << r.leftJustified(width, QLatin1Char(' '));
    return out;
}

bool isTaskLine(int i) {
    return i == 0 || i == 9 || i == 18 || i == 27;
}

} // namespace

QString sheetFault(const QStringList& items, bool remainder) {
    if (items.size() != 34) return QStringLiteral("sheet has %1 items, not 34").arg(items.size());
    const int width = remainder ? 12 : 10;
    const QString gap(remainder ? 2 : 3, QLatin1Char(' '));
    for (int row = 0; row < 4; ++row) {
        const int first = 9 * row;
        if (row < 3 && (items[first + 7] != QLatin1String(" ") || items[first + 8] != " "))
            return QStringLiteral("separators after block row %1 are not single blanks").arg(row);
        for (int t = 0; t < 3; ++t) {
            const QString head = items[first].mid(t * (width + gap.size()), width);
            const QStringList parts = head.split(QRegularExpression(QStringLiteral("[:=R]")));
            if (parts.size() < 3) return QStringLiteral("task head '%1' unreadable").arg(head);
            const WrittenDivision w = divide(parts[0].toInt(), parts[1].toInt());
            if (!w.plausible || (w.r == 0) == remainder)
                return QStringLiteral("task head '%1' is no task of this mode").arg(head);
            const QStringList lines = block(w, remainder);
            for (int l = 0; l < 7; ++l) {
                const QString got = items[first + l].mid(t * (width + gap.size()), width);
                if (got != lines[l])
                    return QStringLiteral("item %1 block %2: '%3', written division says '%4'")
                        .arg(first + l)
                        .arg(t)
                        .arg(got, lines[l]);
            }
        }
        for (int l = 0; l < 7; ++l) {
            const QString& line = items[first + l];
            if (line.size() != 3 * width + 2 * gap.size() || line.mid(width, gap.size()) != gap ||
                line.mid(2 * width + gap.size(), gap.size()) != gap)
                return QStringLiteral("item %1 '%2' is not three blocks with the gap")
                    .arg(first + l)
                    .arg(line);
        }
    }
    return {};
}

QString blanked(const QString& item, int index, bool remainder) {
    QString s = item;
    if (isTaskLine(index)) {
        const QString mask = remainder ? QStringLiteral("___R_") : QStringLiteral("___");
        const int normal[] = {8, 21, 34}, rest[] = {8, 22, 36};
        for (int pos : remainder ? rest : normal)
            if (s.size() >= pos - 1 + mask.size()) s.replace(pos - 1, mask.size(), mask);
        return s;
    }
    for (QChar& c : s)
        if (c != QLatin1Char(' ')) c = QLatin1Char('_');
    return s;
}

QString clipboardFor(const QStringList& items, bool remainder) {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (int i = 0; i < items.size(); ++i)
        text += blanked(items[i], i, remainder) + crlf;
    if (!remainder) text += crlf + crlf;
    for (const QString& item : items)
        text += item + crlf;
    return text;
}

QStringList printedLines(const QStringList& items, bool remainder, bool solutions) {
    QString heading = remainder ? QStringLiteral("Schriftliche Division mit Rest")
                                : QStringLiteral("Schriftliche Division");
    heading += solutions ? QStringLiteral(" (Lösungen)") : QStringLiteral(" (Aufgaben)");
    QStringList lines{heading, QString(), QString()};
    for (int i = 0; i < items.size(); ++i)
        lines << (solutions ? items[i] : blanked(items[i], i, remainder));
    return lines;
}

} // namespace soak
