#include "report_table.h"

#include <algorithm>
#include <iterator>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace core {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// Never change a title: teachers' files out there are recognised by this
// line, and a changed one would turn them foreign.
const char* const kColumns[] = {
    "Name",
    "Datum",
    "Beginn",
    "Ende",
    "Gelöste Aufgaben",
    "Richtige Ziffern",
    "Falsche Ziffern",
    "Falsch: Ergebnisziffer",
    "Falsch: Malnehmen",
    "Falsch: Abziehen",
    "Falsch: Herunterholen",
    "Falsch: Rest",
    "Falsch: andere Taste",
    "Hinweise",
    "Aufgabenauswahl",
};
static_assert(std::size(kColumns) == 9 + kBucketCount, "one column for each bar of the report");

QByteArray headerBytes() {
    return reportTableHeader().toUtf8();
}

// What the beginning of a file's content makes it. `start` holds at least
// the header and the two bytes after it when the file has that many.
TableFile tableOf(const QByteArray& start) {
    if (start.isEmpty()) return TableFile::New;
    const QByteArray header = headerBytes();
    const int from = start.startsWith(kByteOrderMark) ? int(kByteOrderMark.size()) : 0;
    if (start.mid(from, header.size()) != header) return TableFile::Foreign;
    const QByteArray after = start.mid(from + header.size(), 2);
    const bool lineEnds =
        after.isEmpty() || after.startsWith('\n') || after == "\r\n" || after == "\r";
    return lineEnds ? TableFile::Ours : TableFile::Foreign;
}

// The line end a file uses after its header: LF when a spreadsheet saved it
// so, CR LF otherwise.
QByteArray lineEndOf(const QByteArray& content) {
    const int at = content.indexOf('\n');
    return at > 0 && content.at(at - 1) != '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

bool startsFormula(const QString& s) {
    if (s.startsWith(QLatin1Char('\t')) || s.startsWith(QLatin1Char('\r'))) return true;
    for (const QChar c : s) {
        if (c.isSpace()) continue;
        return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') ||
               c == QLatin1Char('@');
    }
    return false;
}

QString fileName(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

QString reportTableHeader() {
    QStringList titles;
    for (const char* title : kColumns)
        titles << QString::fromUtf8(title);
    return titles.join(QLatin1Char(';'));
}

QString tableField(const QString& text) {
    const bool formula = startsFormula(text);
    QString s = formula ? QLatin1Char('\'') + text : text;
    const bool quoted = formula || s.contains(QLatin1Char(';')) || s.contains(QLatin1Char(',')) ||
                        s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\r')) ||
                        s.contains(QLatin1Char('\n')) || (!s.isEmpty() && s.front().isSpace()) ||
                        (!s.isEmpty() && s.back().isSpace());
    if (!quoted) return s;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString reportTableRow(const PracticeRecord& record, const QString& childName,
                       const QString& taskChoice) {
    QStringList fields{childName.simplified()};
    if (record.firstAt() > 0) {
        // The span of the report: first and last entry, the day of the first.
        const QDateTime from = QDateTime::fromSecsSinceEpoch(record.firstAt());
        const QDateTime to =
            QDateTime::fromSecsSinceEpoch(std::max(record.firstAt(), record.lastAt()));
        fields << from.toString(QStringLiteral("dd.MM.yyyy"))
               << from.toString(QStringLiteral("HH:mm")) << to.toString(QStringLiteral("HH:mm"));
    } else {
        fields << QString() << QString() << QString();
    }
    fields << QString::number(record.solvedTasks(false) + record.solvedTasks(true))
           << QString::number(record.rightDigits()) << QString::number(record.wrongDigits());
    for (int b = 0; b < kBucketCount; ++b)
        fields << QString::number(record.wrongIn(b));
    fields << QString::number(record.orderHints()) << taskChoice;
    for (QString& f : fields)
        f = tableField(f);
    return fields.join(QLatin1Char(';'));
}

TableFile checkTableFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return TableFile::New;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return TableFile::Unreadable;
    const QByteArray start = file.read(kByteOrderMark.size() + headerBytes().size() + 2);
    if (file.error() != QFileDevice::NoError) return TableFile::Unreadable;
    return tableOf(start);
}

TableWrite writeTableRow(const QString& path, const QString& row) {
    QByteArray content;
    const QFileInfo info(path);
    if (info.exists()) {
        QFile old(path);
        if (!info.isFile() || !old.open(QIODevice::ReadOnly)) return TableWrite::Unreadable;
        content = old.readAll();
        if (old.error() != QFileDevice::NoError) return TableWrite::Unreadable;
    }
    QByteArray lineEnd("\r\n");
    switch (tableOf(content)) {
    case TableFile::New:
        content = kByteOrderMark + headerBytes() + lineEnd;
        break;
    case TableFile::Ours:
        lineEnd = lineEndOf(content);
        // A last line without its line end must not take the row into it.
        if (content.endsWith('\r'))
            content += '\n';
        else if (!content.endsWith('\n'))
            content += lineEnd;
        break;
    case TableFile::Foreign:
        return TableWrite::Foreign;
    case TableFile::Unreadable:
        return TableWrite::Unreadable;
    }
    content += row.toUtf8() + lineEnd;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return TableWrite::Failed;
    // Not committed, the half-written copy goes and the old file stays.
    if (file.write(content) != content.size()) return TableWrite::Failed;
    return file.commit() ? TableWrite::Written : TableWrite::Failed;
}

QString tableMessage(TableFile file, const QString& path) {
    switch (file) {
    case TableFile::New:
        break;
    case TableFile::Ours:
        return QStringLiteral("Eine Zeile für dieses Kind an die Tabelle anhängen?");
    case TableFile::Foreign:
        return QStringLiteral("Die Datei „%1“ ist keine Tabelle mit Übungsberichten aus diesem "
                              "Programm und bleibt unverändert.")
            .arg(fileName(path));
    case TableFile::Unreadable:
        return QStringLiteral("Die Datei „%1“ lässt sich nicht lesen und bleibt unverändert.")
            .arg(fileName(path));
    }
    return {};
}

QString tableMessage(TableWrite written, const QString& path) {
    switch (written) {
    case TableWrite::Written:
        return QStringLiteral("Die Zeile wurde in „%1“ gespeichert.").arg(fileName(path));
    case TableWrite::Foreign:
        return tableMessage(TableFile::Foreign, path);
    case TableWrite::Unreadable:
        return tableMessage(TableFile::Unreadable, path);
    case TableWrite::Failed:
        break;
    }
    return QStringLiteral("Die Zeile konnte nicht in „%1“ gespeichert werden, es wurde nichts "
                          "geändert.")
        .arg(fileName(path));
}

} // namespace core
