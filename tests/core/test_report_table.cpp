// The practice report as a spreadsheet row: fields a spreadsheet reads as
// written and never runs, the file recognised by its header, rows appended
// whole and foreign files left alone.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "report_table.h"

using namespace core;

namespace {

const QByteArray kMark("\xEF\xBB\xBF");

QByteArray header() {
    return reportTableHeader().toUtf8();
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void put(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
}

qint64 at(int hour, int minute) {
    return QDateTime(QDate::currentDate(), QTime(hour, minute)).toMSecsSinceEpoch();
}

} // namespace

class ReportTableTest : public QObject {
    Q_OBJECT
  private slots:
    void fields_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        const char* const rows[][3] = {
            {"name as it is", "Ömer Yıldız", "Ömer Yıldız"},
            {"hyphen inside", "Anna-Lena", "Anna-Lena"},
            {"semicolon", "Müller; Anna", "\"Müller; Anna\""},
            {"comma", "Divisor 3, 4", "\"Divisor 3, 4\""},
            {"quotes doubled", "Anna \"Anni\"", "\"Anna \"\"Anni\"\"\""},
            {"line break", "Anna\r\nB.", "\"Anna\r\nB.\""},
            {"blank at either end", " Anna ", "\" Anna \""},
            {"formula", "=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
            {"plus", "+49 30", "\"'+49 30\""},
            {"minus", "-2+3", "\"'-2+3\""},
            {"at", "@SUMME(A1)", "\"'@SUMME(A1)\""},
            {"tab first", "\tx", "\"'\tx\""},
            {"CR first", "\rx", "\"'\rx\""},
            {"formula after blanks", "  =1+1", "\"'  =1+1\""},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2]);
    }
    void fields() {
        QFETCH(QString, text);
        QFETCH(QString, written);
        QCOMPARE(tableField(text), written);
    }

    // The record's totals in the columns of the header; the times of its first
    // and last entry, as the report's span.
    void rowOfARecord() {
        PracticeRecord r;
        r.taskDrawn(412, 3, 0, false, at(10, 12));
        r.wrongDigit({1, '4', Entered::ofDigit(5), EntryWay::Drag}, at(10, 13));
        r.rightDigit(at(10, 14));
        r.taskSolved(at(10, 20));
        r.taskDrawn(412, 3, 2, true, at(10, 21));
        r.wrongDigit({18, '2', Entered::ofDigit(1), EntryWay::Tap}, at(10, 22));
        r.wrongDigit({18, '2', {Entered::Kind::Enter, 0}, EntryWay::Key}, at(10, 23));
        r.orderHint(at(10, 47));
        const QString row = reportTableRow(r, "  =Anna  ", "Divisor 3, 4");
        QCOMPARE(row, "\"'=Anna\";" + QDate::currentDate().toString("dd.MM.yyyy") +
                          ";10:12;10:47;1;1;3;1;0;0;0;1;1;1;\"Divisor 3, 4\"");
        QCOMPARE(row.count(';'), reportTableHeader().count(';'));
        // Nothing recorded yet: no date, no times, no choice.
        QCOMPARE(reportTableRow(PracticeRecord(), "", ""), ";;;;0;0;0;0;0;0;0;0;0;0;");
    }

    void fileKinds_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("after"); // once "X;1" is written
        const QByteArray table = kMark + header() + "\r\nA;1\r\n";
        const QByteArray fresh = kMark + header() + "\r\nX;1\r\n";
        const int ours = int(TableFile::Ours), foreign = int(TableFile::Foreign);
        QTest::newRow("no file") << false << QByteArray() << int(TableFile::New) << fresh;
        QTest::newRow("empty file") << true << QByteArray("") << int(TableFile::New) << fresh;
        QTest::newRow("ours") << true << table << ours << table + "X;1\r\n";
        QTest::newRow("last row without line end")
            << true << table.chopped(2) << ours << table + "X;1\r\n";
        QTest::newRow("header alone") << true << kMark + header() << ours << fresh;
        QTest::newRow("saved again with LF and no mark") << true << header() + "\nA;1\n"
                                                         << ours << header() + "\nA;1\nX;1\n";
        const QByteArray more = kMark + header() + ";Klasse\r\n";
        QTest::newRow("one more column") << true << more << foreign << more;
        const QByteArray latin1 = reportTableHeader().toLatin1() + "\r\n";
        QTest::newRow("saved again in Latin-1") << true << latin1 << foreign << latin1;
    }
    void fileKinds() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(int, kind);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("Übungsberichte.csv");
        if (exists) put(path, before);
        QCOMPARE(int(checkTableFile(path)), kind);
        const TableWrite written = writeTableRow(path, "X;1");
        QCOMPARE(written,
                 kind == int(TableFile::Foreign) ? TableWrite::Foreign : TableWrite::Written);
        QCOMPARE(contentOf(path), after);
        QVERIFY(tableMessage(written, path).contains("„Übungsberichte.csv“"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // A folder of the file's name cannot be read as a table (as root, no file
    // is unreadable), and a missing folder cannot be written: neither is
    // touched, nothing is left behind.
    void unreadableAndFailed() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("Ordner.csv");
        QVERIFY(QDir(dir.path()).mkdir("Ordner.csv"));
        QCOMPARE(checkTableFile(folder), TableFile::Unreadable);
        QCOMPARE(writeTableRow(folder, "X;1"), TableWrite::Unreadable);
        QVERIFY(QDir(folder).isEmpty());
        QCOMPARE(writeTableRow(dir.filePath("fehlt/Tabelle.csv"), "X;1"), TableWrite::Failed);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Ordner.csv"});
    }
};

QTEST_GUILESS_MAIN(ReportTableTest)
#include "test_report_table.moc"
