// Sheet numbers: what a person may type, and the twelve tasks each number
// stands for, frozen for good.
#include <QMap>
#include <QTest>
#include <cmath>

#include "sheet_number.h"
#include "sheet_text.h"

using namespace core;

class TestSheetNumber : public QObject {
    Q_OBJECT
  private slots:
    void typedForms_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("number"); // "" when it is none
        auto row = [](const char* name, const char* typed, const char* number) {
            QTest::newRow(name) << QString::fromUtf8(typed) << QString(number);
        };
        row("as printed", "E-482719", "E-482719");
        row("small letter, no hyphen", "e482719", "E-482719");
        row("blanks between the groups", "E 482 719", "E-482719");
        row("blanks around, remainder", "  r-093514 ", "R-093514");
        row("dash from a word processor", "R–093514", "R-093514");
        row("all zeros", "E-000000", "E-000000");
        row("wrong letter", "X-482719", "");
        row("no letter", "482719", "");
        row("letter after a hyphen", "-E482719", "");
        row("two letters", "ER482719", "");
        row("five digits", "E-48271", "");
        row("seven digits", "E-4827190", "");
        row("letter among the digits", "E-48a719", "");
        row("letter at the end", "E-482719x", "");
        row("point among the digits", "E-482.719", "");
        row("digits of another script", "E-４８２７１９", "");
        row("letter alone", "R", "");
        row("nothing", "", "");
        // Sheets drawn under a choice; one character typed wrong: everyChoiceHasItsNumbers.
        row("with a choice, as printed", "E-482719-XQG", "E-482719-XQG");
        row("with a choice, small letters and blanks", " e 482 719 xqg", "E-482719-XQG");
        row("O and I typed for 0 and 1", "e-482719-oio", "E-482719-010");
        row("two digits swapped before a choice", "E-487219-XQG", "");
        row("the other letter before a choice", "R-482719-XQG", "");
        row("characters for every task", "E-482719-ZGA", "");
        row("characters of no choice", "E-482719-ZZT", "");
        row("two choice characters", "E-482719-XQ", "");
        row("four choice characters", "E-482719-XQGA", "");
    }
    void typedForms() {
        QFETCH(QString, typed);
        QFETCH(QString, number);
        const std::optional<SheetNumber> n = parseSheetNumber(typed);
        QCOMPARE(n ? formatSheetNumber(*n) : QString(), number);
        if (n) QCOMPARE(parseSheetNumber(formatSheetNumber(*n)), n);
    }

    // Printed sheets in classrooms rely on these: any change of the seed, the
    // engine, the reduction or the order of the draws fails here.
    void frozenTasks_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("tasks");
        auto row = [](const char* number, const QStringList& tasks) {
            QTest::newRow(number) << QString(number) << tasks;
        };
        row("E-000000",
            {"7192:8=899", "3520:8=440", "6979:7=997", "5832:6=972", "2764:4=691", "2502:6=417",
             "4015:5=803", "2370:5=474", "7744:8=968", "3690:6=615", "5670:9=630", "2514:6=419"});
        row("E-000001",
            {"3048:4=762", "2420:5=484", "4116:6=686", "4048:8=506", "3810:5=762", "5562:9=618",
             "3160:4=790", "5698:7=814", "3292:4=823", "3858:6=643", "2163:3=721", "4965:5=993"});
        row("E-482719",
            {"2586:3=862", "6584:8=823", "4653:9=517", "4055:5=811", "5688:9=632", "3102:6=517",
             "7506:9=834", "4360:5=872", "2650:5=530", "6111:7=873", "3816:9=424", "7758:9=862"});
        row("E-999999",
            {"7920:9=880", "5696:8=712", "2808:3=936", "4755:5=951", "2236:4=559", "1740:3=580",
             "6342:7=906", "1899:3=633", "2704:4=676", "3552:8=444", "3804:4=951", "7536:8=942"});
        row("R-000000", {"3282:4=820R2", "1357:3=452R1", "8167:9=907R4", "6006:8=750R6",
                         "4698:5=939R3", "3861:6=643R3", "1864:3=621R1", "5205:9=578R3",
                         "3292:5=658R2", "1340:3=446R2", "2968:3=989R1", "1259:3=419R2"});
        row("R-093514", {"4111:5=822R1", "4534:8=566R6", "6099:8=762R3", "5511:8=688R7",
                         "5086:7=726R4", "2514:4=628R2", "6794:7=970R4", "6341:9=704R5",
                         "5317:8=664R5", "8157:9=906R3", "6891:7=984R3", "2882:4=720R2"});
        row("R-999999", {"6338:7=905R3", "7835:9=870R5", "5758:8=719R6", "2689:3=896R1",
                         "2870:6=478R2", "5651:8=706R3", "2162:3=720R2", "4634:5=926R4",
                         "2895:4=723R3", "3827:5=765R2", "3369:7=481R2", "3631:4=907R3"});
        // Under a choice: "Teiler 6–9 · Null im Ergebnis: oft"; the narrowest choice (9,
        // zero oft, borrowing nie); "Teiler 3, 5, 7 · Abziehen mit Übertrag: oft";
        // "Null im Ergebnis: nie · Abziehen mit Übertrag: nie".
        row("E-482719-XQG",
            {"5796:6=966", "8010:9=890", "4970:7=710", "4920:6=820", "3180:6=530", "4800:8=600",
             "3012:6=502", "3448:8=431", "5664:8=708", "4914:7=702", "8901:9=989", "3264:8=408"});
        row("R-093514-GVN", {"7257:9=806R3", "8285:9=920R5", "7925:9=880R5", "7894:9=877R1",
                             "5468:9=607R5", "8798:9=977R5", "3665:9=407R2", "6356:9=706R2",
                             "6999:9=777R6", "4573:9=508R1", "6936:9=770R6", "8644:9=960R4"});
        row("E-000000-5FY",
            {"2202:3=734", "3570:5=714", "2244:3=748", "3227:7=461", "2735:5=547", "4144:7=592",
             "1818:3=606", "4910:5=982", "4080:5=816", "2046:3=682", "1611:3=537", "2055:3=685"});
        row("R-999999-ZC6", {"7929:8=991R1", "7399:9=822R1", "4419:7=631R2", "6763:7=966R1",
                             "1724:3=574R2", "4086:5=817R1", "3967:7=566R5", "4168:5=833R3",
                             "4457:7=636R5", "2599:5=519R4", "1735:4=433R3", "1645:4=411R1"});
    }
    void frozenTasks() {
        QFETCH(QString, number);
        QFETCH(QStringList, tasks);
        const SheetNumber n = *parseSheetNumber(number);
        QStringList got;
        for (const Task& t : sheetTasks(n))
            got << writtenDivision(t).taskLine();
        QCOMPARE(got, tasks);
        // The sheet shows them in this order, three to a block row.
        const QStringList lines = sheetLinesOf(n);
        for (int i = 0; i < 12; ++i)
            QVERIFY(lines.value(9 * (i / 3)).contains(tasks[i]));
    }

    // Every choice has numbers of both modes that come back as typed, in
    // lower case too, and turn into no number at all with any one character
    // typed wrong. (Their tasks keep the choice: test_task_choice.)
    void everyChoiceHasItsNumbers() {
        for (int code = 0; code < TaskChoice::kCodes; ++code) {
            const TaskChoice choice = *TaskChoice::fromCode(code);
            if (choice.isEveryTask()) continue;
            for (const SheetNumber n : {SheetNumber(Mode::Normal, 482719, choice),
                                        SheetNumber(Mode::Remainder, 7, choice)}) {
                const QString text = formatSheetNumber(n);
                QVERIFY(text.size() <= kSheetNumberMostChars);
                QCOMPARE(parseSheetNumber(text.toLower()), std::optional<SheetNumber>(n));
                for (int at = 2; at < text.size(); ++at) {
                    if (text[at] == QLatin1Char('-')) continue;
                    for (const QChar c : QStringLiteral("0123456789ABCDEFGHJKLMNPQRSTUVWXYZ")) {
                        if (c == text[at] || (at < 8 && !c.isDigit())) continue;
                        QString typo = text;
                        typo[at] = c;
                        if (parseSheetNumber(typo)) QFAIL(qPrintable(text + " as " + typo));
                    }
                }
            }
        }
    }

    // Sheets of numbers across the whole range hold tasks of their mode with
    // the odds of tasks the exercise draws: every quotient digit, divisor and
    // remainder for each divisor about equally often.
    void sheetsFollowTheTaskRules_data() {
        QTest::addColumn<bool>("remainder");
        QTest::newRow("E") << false;
        QTest::newRow("R") << true;
    }
    void sheetsFollowTheTaskRules() {
        QFETCH(bool, remainder);
        QMap<QString, int> seen; // "a4", "d9", "r9/8" ...
        int tasks = 0;
        for (int digits = 0; digits < kSheetNumbers; digits += 331) {
            const SheetNumber n{remainder ? Mode::Remainder : Mode::Normal, digits};
            for (const Task& t : sheetTasks(n)) {
                ++tasks;
                QCOMPARE(t.remainder > 0, remainder);
                ++seen[QStringLiteral("a%1").arg(t.quotientDigit(0))];
                ++seen[QStringLiteral("b%1").arg(t.quotientDigit(1))];
                ++seen[QStringLiteral("c%1").arg(t.quotientDigit(2))];
                ++seen[QStringLiteral("d%1").arg(t.divisor)];
                if (remainder) ++seen[QStringLiteral("r%1/%2").arg(t.divisor).arg(t.remainder)];
            }
        }
        auto near = [&](const QString& key, double expected) {
            const double got = seen.value(key);
            // Four standard deviations of a count: a fixed run either passes or not, and
            // a skewed reduction misses by far more.
            QVERIFY2(qAbs(got - expected) < 4 * std::sqrt(expected),
                     qPrintable(QStringLiteral("%1: %2 times, about %3 expected")
                                    .arg(key)
                                    .arg(got)
                                    .arg(expected)));
        };
        for (int a = 4; a <= 9; ++a)
            near(QStringLiteral("a%1").arg(a), tasks / 6.0);
        for (int b = 0; b <= 9; ++b) {
            near(QStringLiteral("b%1").arg(b), tasks / 10.0);
            near(QStringLiteral("c%1").arg(b), tasks / 10.0);
        }
        for (int d = 3; d <= 9; ++d) {
            near(QStringLiteral("d%1").arg(d), tasks / 7.0);
            if (remainder)
                for (int r = 1; r < d; ++r)
                    near(QStringLiteral("r%1/%2").arg(d).arg(r),
                         seen.value(QStringLiteral("d%1").arg(d)) / double(d - 1));
        }
        QCOMPARE(seen.size(), remainder ? 6 + 20 + 7 + 35 : 6 + 20 + 7);
    }
};

QTEST_GUILESS_MAIN(TestSheetNumber)
#include "test_sheet_number.moc"
