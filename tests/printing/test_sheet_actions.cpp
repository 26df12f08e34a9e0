#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "html_pre.h"
#include "qt_desktop.h"
#include "scripted_desktop.h"
#include "sheet_actions.h"
#include "sheet_samples.h"

using namespace core;
using namespace printing;
using Box = ScriptedDesktop::Box;

namespace {

const QString kTitle = QStringLiteral("Schriftliche Division");

Box passwordBox() {
    return {Box::Input, "Kennwort eingeben:", {}, "Druckersperre aufheben", "Passwort"};
}
Box confirmBox(bool solutions) {
    return msgRecord(solutions ? "Das Lösungsblatt jetzt ausdrucken?\r\r"
                               : "Das Rechenblatt jetzt ausdrucken?\r\r",
                     {widgets::Buttons::YesNoDefaultNo, widgets::Icon::Question}, kTitle);
}
Box printingBox(bool solutions) {
    return msgRecord(solutions ? "Das Lösungsblatt wird gedruckt ...\r\r"
                               : "Das Rechenblatt wird gedruckt ...\r\r",
                     {}, "Drucken");
}

const QString kNumber = QStringLiteral("E-482719");
const QString kFoot = QStringLiteral("Blatt-Nr. E-482719 · Seite {page} von {pages}");

// The actions of a window whose boxes go to the scripted desktop.
SheetActions actions(ScriptedDesktop& rt) {
    return SheetActions(rt, &rt.boxOwner);
}

void print(ScriptedDesktop& rt, bool solutions, const QStringList& items, const QString& mode,
           const PrinterLock& lock) {
    if (solutions)
        actions(rt).printSolutionSheet(items, modeNamed(mode), kNumber, lock);
    else
        actions(rt).printTaskSheet(items, modeNamed(mode), kNumber, lock);
}

const PrinterLock kFree{false, QStringLiteral("0")};

} // namespace

class SheetActionsTest : public QObject {
    Q_OBJECT
  private slots:
    void printerLock_data();
    void printerLock();
    void confirmationDecides_data();
    void confirmationDecides();
    void withoutPrinterOffersPdf_data();
    void withoutPrinterOffersPdf();
    void clipboardFlow_data();
    void clipboardFlow();
    void qtClipboardCarriesTextAndHtml();
    void menuCommands_data();
    void menuCommands();
    void classSets_data();
    void classSets();
};

void SheetActionsTest::printerLock_data() {
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("prints");
    QTest::newRow("not ticked: no password") << false << "5" << QString() << true;
    QTest::newRow("exact points unlock") << true << "5"
                                         << "5" << true;
    QTest::newRow("leading blank refused") << true << "5"
                                           << " 5" << false;
    QTest::newRow("leading zero refused") << true << "5"
                                          << "05" << false;
    QTest::newRow("pre-filled text refused") << true << "5"
                                             << "Passwort" << false;
    QTest::newRow("cancel refused") << true << "5"
                                    << "" << false;
    QTest::newRow("old points after one more refused") << true << "6"
                                                       << "5" << false;
    QTest::newRow("many points") << true << "1234"
                                 << "1234" << true;
}

void SheetActionsTest::printerLock() {
    QFETCH(bool, locked);
    QFETCH(QString, points);
    QFETCH(QString, typed);
    QFETCH(bool, prints);
    const QStringList items = randomSheet(false);
    for (bool solutions : {false, true}) {
        ScriptedDesktop rt;
        if (locked) rt.answerInput(typed);
        if (prints) {
            rt.answer(widgets::Answer::Yes);
            rt.answer(widgets::Answer::Ok);
        }
        print(rt, solutions, items, "E", {locked, points});
        QList<Box> expected;
        if (locked) expected << passwordBox();
        if (prints) expected << confirmBox(solutions) << printingBox(solutions);
        QCOMPARE(rt.boxes, expected);
        QCOMPARE(rt.printed.size(), prints ? 1 : 0);
    }
}

void SheetActionsTest::confirmationDecides_data() {
    QTest::addColumn<bool>("solutions");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<widgets::Answer>("answer");
    QTest::newRow("tasks E, yes") << false << "E" << widgets::Answer::Yes;
    QTest::newRow("tasks R, yes") << false << "R" << widgets::Answer::Yes;
    QTest::newRow("tasks, no") << false << "E" << widgets::Answer::No;
    QTest::newRow("solutions R, yes") << true << "R" << widgets::Answer::Yes;
    QTest::newRow("solutions, no") << true << "R" << widgets::Answer::No;
}

void SheetActionsTest::confirmationDecides() {
    QFETCH(bool, solutions);
    QFETCH(QString, mode);
    QFETCH(widgets::Answer, answer);
    ScriptedDesktop rt;
    const QStringList items = randomSheet(mode == "R");
    rt.answer(answer);
    if (answer == widgets::Answer::Yes) rt.answer(widgets::Answer::Ok);
    print(rt, solutions, items, mode, kFree);
    if (answer != widgets::Answer::Yes) {
        QCOMPARE(rt.boxes, QList<Box>{confirmBox(solutions)});
        QVERIFY(rt.printed.isEmpty());
        return;
    }
    QCOMPARE(rt.boxes, (QList<Box>{confirmBox(solutions), printingBox(solutions)}));
    QCOMPARE(rt.printed.size(), 1);
    const core::PrintDocument want = solutions ? solutionSheet(items, modeNamed(mode)) : taskSheet(items, modeNamed(mode));
    QCOMPARE(rt.printed[0].pointSize, want.pointSize);
    QCOMPARE(rt.printed[0].lines, want.lines);
    QCOMPARE(rt.printed[0].footLine, kFoot);
}

void SheetActionsTest::withoutPrinterOffersPdf_data() {
    QTest::addColumn<bool>("solutions");
    QTest::addColumn<int>("failure");
    QTest::addColumn<widgets::Answer>("offerAnswer");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("pdfWorks");
    QTest::addColumn<QString>("closing"); // "" when no closing box is due
    const int none = int(core::PrintResult::NoPrinter), failed = int(core::PrintResult::Failed);
    const widgets::Answer yes = widgets::Answer::Yes, no = widgets::Answer::No;
    QTest::newRow("no printer, saved") << false << none << yes << "/tmp/a.pdf" << true
                                       << "Das Rechenblatt wurde als PDF-Datei gespeichert:\r"
                                          "/tmp/a.pdf\r\r";
    QTest::newRow("job failed, solutions saved")
        << true << failed << yes << "/tmp/l.pdf" << true
        << "Das Lösungsblatt wurde als PDF-Datei gespeichert:\r/tmp/l.pdf\r\r";
    QTest::newRow("name without ending gets .pdf")
        << false << none << yes << "/tmp/Blatt 3" << true
        << "Das Rechenblatt wurde als PDF-Datei gespeichert:\r/tmp/Blatt 3.pdf\r\r";
    QTest::newRow("offer declined") << false << none << no << QString() << true << QString();
    QTest::newRow("save dialog cancelled") << true << none << yes << "" << true << QString();
    QTest::newRow("save fails") << false << failed << yes << "/nonexistent/a.pdf" << false
                                << "Die PDF-Datei konnte nicht gespeichert werden:\r"
                                   "/nonexistent/a.pdf\r\r";
}

void SheetActionsTest::withoutPrinterOffersPdf() {
    QFETCH(bool, solutions);
    QFETCH(int, failure);
    QFETCH(widgets::Answer, offerAnswer);
    QFETCH(QString, path);
    QFETCH(bool, pdfWorks);
    QFETCH(QString, closing);
    ScriptedDesktop rt;
    rt.printerAnswer = core::PrintResult(failure);
    rt.pdfWorks = pdfWorks;
    const QStringList items = randomSheet(false);
    rt.answer(widgets::Answer::Yes);
    rt.answer(offerAnswer);
    if (!path.isNull()) rt.answerSaveFile(path);
    if (!closing.isEmpty()) rt.answer(widgets::Answer::Ok);
    print(rt, solutions, items, "E", kFree);
    QVERIFY(rt.allAnswersUsed());

    const QString sheet = solutions ? "das Lösungsblatt" : "das Rechenblatt";
    const QString why = failure == int(core::PrintResult::NoPrinter)
                            ? "Es ist kein Drucker eingerichtet.\r"
                            : "Der Druck ist fehlgeschlagen.\r";
    QList<Box> expected{
        confirmBox(solutions),
        msgRecord(why + "Soll " + sheet + " stattdessen als PDF-Datei gespeichert werden?\r\r",
                  {widgets::Buttons::YesNo, widgets::Icon::Warning}, "Drucken")};
    if (!path.isNull())
        expected << Box{Box::SaveFile, "PDF-Dateien (*.pdf)", {},
                        solutions ? "Lösungsblatt als PDF-Datei speichern"
                                  : "Rechenblatt als PDF-Datei speichern",
                        solutions ? "Lösungsblatt.pdf" : "Aufgabenblatt.pdf"};
    if (!closing.isEmpty()) expected << msgRecord(closing, pdfWorks ? widgets::BoxStyle{} : widgets::BoxStyle{widgets::Buttons::Ok, widgets::Icon::Stop}, "Drucken");
    QCOMPARE(rt.boxes, expected);
    for (const Box& b : rt.boxes)
        QVERIFY(!b.prompt.contains("wird gedruckt"));

    QCOMPARE(rt.pdfs.size(), pdfWorks && !path.isEmpty() ? 1 : 0);
    if (!rt.pdfs.isEmpty()) {
        const core::PrintDocument want = solutions ? solutionSheet(items, modeNamed("E")) : taskSheet(items, modeNamed("E"));
        QCOMPARE(rt.pdfs[0].first, path.endsWith(".pdf") ? path : path + ".pdf");
        QCOMPARE(rt.pdfs[0].second.lines, want.lines);
        QCOMPARE(rt.pdfs[0].second.pointSize, want.pointSize);
        QCOMPARE(rt.pdfs[0].second.footLine, kFoot);
    }
}

void SheetActionsTest::clipboardFlow_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("lines");
    QTest::newRow("E, full sheet") << "E" << 34 << 70;
    QTest::newRow("R, full sheet") << "R" << 34 << 68;
    QTest::newRow("E, empty list") << "E" << 0 << 2;
    QTest::newRow("R, empty list") << "R" << 0 << 0;
}

void SheetActionsTest::clipboardFlow() {
    QFETCH(QString, mode);
    QFETCH(int, items);
    QFETCH(int, lines);
    ScriptedDesktop rt;
    const QStringList sheet = randomSheet(mode == "R").mid(0, items);
    const Box done =
        msgRecord("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.\r"
                  "(Beim Einfügen muss die Schriftart 'COURIER NEW' gesetzt werden!)\r\r",
                  {}, "Zwischenablage");
    QGuiApplication::clipboard()->setText("vorher");
    QStringList copies;
    for (int round = 0; round < 2; ++round) {
        rt.answer(widgets::Answer::Ok);
        actions(rt).copySheet(sheet, modeNamed(mode), kNumber);
        QCOMPARE(rt.takeBoxes(), QList<Box>{done});
        copies << QGuiApplication::clipboard()->text();
    }
    QCOMPARE(copies[0], copies[1]);
    QCOMPARE(copies[0], clipboardText(sheet, modeNamed(mode)));
    const QString& text = copies[0];
    QCOMPARE(text.count("\r\n"), lines);
    QCOMPARE(text.split("\r\n").size(), lines + 1); // nothing after the last CR LF
    QCOMPARE(text.split("\r\n").last(), QString());
    if (items == 0) QCOMPARE(text, QString(mode == "E" ? "\r\n\r\n" : ""));

    // Beside the text, the same lines as HTML in a fixed-width font.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasHtml());
    const PreBlock pre = readPre(data->html());
    QCOMPARE(pre.count, 1);
    QVERIFY(pre.style.contains("'Courier New'"));
    QCOMPARE(pre.text.split('\n'), text.split("\r\n"));
    QVERIFY(data->html().contains("</pre><p>Blatt-Nr. E-482719</p>"));
}

void SheetActionsTest::qtClipboardCarriesTextAndHtml() {
    auto* old = new QMimeData;
    old->setData("application/x-sonstwas", "123");
    QGuiApplication::clipboard()->setMimeData(old);
    app::QtDesktop rt;
    rt.setClipboard("Ä 1\r\n", "<pre>&#196; 1\n</pre>");
    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(now->text(), QStringLiteral("Ä 1\r\n"));
    QCOMPARE(now->html(), QStringLiteral("<pre>&#196; 1\n</pre>"));
    QVERIFY(!now->hasFormat("application/x-sonstwas"));
}

void SheetActionsTest::menuCommands_data() {
    using C = MenuCommand;
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("typed");  // null: printing is not locked
    QTest::addColumn<QString>("answer"); // save dialog path, or the print dialog's result
    QTest::addColumn<bool>("pdfWorks");
    QTest::addColumn<QList<Box>>("boxes"); // after the password box
    QTest::addColumn<QString>("pdf");      // the file written, "" for none
    QTest::addColumn<bool>("printed");
    const QString s = "Als PDF speichern";
    const Box saveTasks{Box::SaveFile, "PDF-Dateien (*.pdf)", {}, s, "Aufgabenblatt.pdf"};
    const Box saveSolutions{Box::SaveFile, "PDF-Dateien (*.pdf)", {}, s, "Lösungsblatt.pdf"};
    const Box dialogTasks{Box::PrintDialog, "Schriftliche Division (Aufgaben)", {}, {}, {}};
    const Box dialogSolutions{Box::PrintDialog, "Schriftliche Division (Lösungen)", {}, {}, {}};
    const QString no = QString::number(int(core::PrintResult::NoPrinter));
    const QString printed = QString::number(int(core::PrintResult::Printed));
    const QString cancelled = QString::number(int(core::PrintResult::Cancelled));

    QTest::newRow("tasks PDF, not locked")
        << int(C::SaveTasksPdf) << QString() << "/tmp/Blatt.pdf" << true
        << QList<Box>{saveTasks,
                      msgRecord(
                          "Das Rechenblatt wurde als PDF-Datei gespeichert:\r/tmp/Blatt.pdf\r\r", {},
                          s)}
        << "/tmp/Blatt.pdf" << false;
    QTest::newRow("solutions PDF, right password, name without ending")
        << int(C::SaveSolutionsPdf) << "5"
        << "/tmp/Woche 3" << true
        << QList<Box>{saveSolutions,
                      msgRecord(
                          "Das Lösungsblatt wurde als PDF-Datei gespeichert:\r/tmp/Woche 3.pdf\r\r",
                          {}, s)}
        << "/tmp/Woche 3.pdf" << false;
    QTest::newRow("PDF, wrong password")
        << int(C::SaveTasksPdf) << "6" << QString() << true << QList<Box>{} << "" << false;
    QTest::newRow("PDF, save dialog cancelled")
        << int(C::SaveTasksPdf) << QString() << "" << true << QList<Box>{saveTasks} << "" << false;
    QTest::newRow("PDF cannot be written")
        << int(C::SaveSolutionsPdf) << QString() << "/nicht/da.pdf" << false
        << QList<Box>{saveSolutions,
                      msgRecord("Die PDF-Datei konnte nicht gespeichert werden:\r/nicht/da.pdf\r\r",
                                {widgets::Buttons::Ok, widgets::Icon::Stop}, s)}
        << "" << false;
    QTest::newRow("tasks on a chosen printer")
        << int(C::PrintTasksOn) << QString() << printed << true
        << QList<Box>{dialogTasks, printingBox(false)} << "" << true;
    QTest::newRow("solutions on a chosen printer, right password")
        << int(C::PrintSolutionsOn) << "5" << printed << true
        << QList<Box>{dialogSolutions, printingBox(true)} << "" << true;
    QTest::newRow("print, wrong password")
        << int(C::PrintTasksOn) << "Passwort" << QString() << true << QList<Box>{} << "" << false;
    QTest::newRow("print dialog cancelled") << int(C::PrintSolutionsOn) << QString() << cancelled
                                            << true << QList<Box>{dialogSolutions} << "" << false;
    QTest::newRow("print without a printer says so")
        << int(C::PrintTasksOn) << QString() << no << true
        << QList<Box>{dialogTasks,
                      msgRecord("Es ist kein Drucker eingerichtet.\rSoll das Rechenblatt "
                                "stattdessen als PDF-Datei gespeichert werden?\r\r",
                                {widgets::Buttons::YesNo, widgets::Icon::Warning}, "Drucken")}
        << "" << false;
}

void SheetActionsTest::menuCommands() {
    QFETCH(int, command);
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(bool, pdfWorks);
    QFETCH(QList<Box>, boxes);
    QFETCH(QString, pdf);
    QFETCH(bool, printed);
    const auto cmd = MenuCommand(command);
    const bool saving = cmd == MenuCommand::SaveTasksPdf || cmd == MenuCommand::SaveSolutionsPdf;
    const bool tasks = cmd == MenuCommand::SaveTasksPdf || cmd == MenuCommand::PrintTasksOn;
    ScriptedDesktop rt;
    rt.pdfWorks = pdfWorks;
    if (!typed.isNull()) rt.answerInput(typed);
    if (!answer.isNull()) {
        if (saving)
            rt.answerSaveFile(answer);
        else
            rt.answerPrintDialog(core::PrintResult(answer.toInt()));
    }
    for (const Box& b : boxes)
        if (b.kind == Box::Message)
            rt.answer(b.style.buttons != widgets::Buttons::Ok ? widgets::Answer::No : widgets::Answer::Ok);

    const QStringList items = randomSheet(true);
    actions(rt).runMenuCommand(cmd, items, core::Mode::Remainder, "R-093514", {!typed.isNull(), "5"});
    QList<Box> expected = boxes;
    if (!typed.isNull()) expected.prepend(passwordBox());
    for (Box& b : expected) // the headings of a remainder sheet
        b.prompt.replace("Division (", "Division mit Rest (");
    QCOMPARE(rt.boxes, expected);
    QVERIFY(rt.allAnswersUsed());

    const core::PrintDocument want = tasks ? taskSheet(items, modeNamed("R")) : solutionSheet(items, modeNamed("R"));
    QCOMPARE(rt.pdfs.size(), pdf.isEmpty() ? 0 : 1);
    if (!pdf.isEmpty()) {
        QCOMPARE(rt.pdfs[0].first, pdf);
        QCOMPARE(rt.pdfs[0].second.lines, want.lines);
        QCOMPARE(rt.pdfs[0].second.pointSize, want.pointSize);
        QCOMPARE(rt.pdfs[0].second.keepTogether.size(), want.keepTogether.size());
        QCOMPARE(rt.pdfs[0].second.footLine, "Blatt-Nr. R-093514 · Seite {page} von {pages}");
    }
    QCOMPARE(rt.printed.size(), printed ? 1 : 0);
    if (printed) {
        QCOMPARE(rt.printed[0].lines, want.lines);
        QCOMPARE(rt.printed[0].pointSize, want.pointSize);
        QCOMPARE(rt.printed[0].footLine, "Blatt-Nr. R-093514 · Seite {page} von {pages}");
    }
}

void SheetActionsTest::classSets_data() {
    QTest::addColumn<bool>("print");       // "Klassensatz drucken auf …", else the PDF
    QTest::addColumn<QString>("typed");    // password; null: printing is not locked
    QTest::addColumn<QString>("count");    // typed into the count box; null: no count box
    QTest::addColumn<QString>("answer");   // save dialog path, or the print dialog's result
    QTest::addColumn<int>("written");      // what writing the PDF file gives
    QTest::addColumn<QList<Box>>("boxes"); // after the password and the count box
    QTest::addColumn<int>("sheets");       // sheets in the job that went out, 0 for none
    const QString s = "Als PDF speichern", k = "Klassensatz";
    const Box save{Box::SaveFile, "PDF-Dateien (*.pdf)", {}, s, "Klassensatz.pdf"};
    const Box dialog{Box::PrintDialog, k, {}, {}, {}};
    const Box wrongCount = msgRecord("Bitte eine ganze Zahl von 1 bis 40 eingeben.\r\r", {widgets::Buttons::Ok, widgets::Icon::Warning}, k);
    const int ok = int(core::PrintResult::Printed), failed = int(core::PrintResult::Failed),
              cancelled = int(core::PrintResult::Cancelled);
    const QString printed = QString::number(ok);
    auto saved = [](const QString& what, const QString& path, const QString& title) {
        return msgRecord("Der Klassensatz (" + what + ") wurde als PDF-Datei gespeichert:\r" +
                             path + "\r\r",
                         {}, title);
    };

    QTest::newRow("three sheets as PDF")
        << false << QString() << "3"
        << "/tmp/Klasse.pdf" << ok
        << QList<Box>{save,
                      saved("3 Aufgabenblätter, danach ihre Lösungsblätter", "/tmp/Klasse.pdf", s)}
        << 3;
    QTest::newRow("one sheet, right password, name without ending")
        << false << "5"
        << "1"
        << "/tmp/Klasse 4b" << ok
        << QList<Box>{save,
                      saved("1 Aufgabenblatt, danach sein Lösungsblatt", "/tmp/Klasse 4b.pdf", s)}
        << 1;
    QTest::newRow("forty, blanks around")
        << false << QString() << " 40 "
        << "/tmp/K.pdf" << ok
        << QList<Box>{save,
                      saved("40 Aufgabenblätter, danach ihre Lösungsblätter", "/tmp/K.pdf", s)}
        << 40;
    for (const char* wrong : {"41", "0", "-3", "2,5", "drei", "3 Blätter"})
        QTest::addRow("count '%s' refused", wrong)
            << false << QString() << wrong << QString() << ok << QList<Box>{wrongCount} << 0;
    QTest::newRow("count box cancelled")
        << true << QString() << "" << QString() << ok << QList<Box>{} << 0;
    QTest::newRow("wrong password")
        << false << "6" << QString() << QString() << ok << QList<Box>{} << 0;
    QTest::newRow("save dialog cancelled") << false << QString() << "2"
                                           << "" << ok << QList<Box>{save} << 0;
    QTest::newRow("writing stopped in the progress box")
        << false << QString() << "2"
        << "/tmp/K.pdf" << cancelled << QList<Box>{save} << 0;
    QTest::newRow("PDF cannot be written")
        << false << QString() << "2"
        << "/nicht/da.pdf" << failed
        << QList<Box>{save,
                      msgRecord("Die PDF-Datei konnte nicht gespeichert werden:\r/nicht/da.pdf\r\r",
                                {widgets::Buttons::Ok, widgets::Icon::Stop}, s)}
        << 0;
    QTest::newRow("on a chosen printer")
        << true << "5"
        << "2" << printed << ok
        << QList<Box>{dialog, msgRecord("Der Klassensatz wird gedruckt ...\r\r", {}, "Drucken")}
        << 2;
    QTest::newRow("print dialog cancelled")
        << true << QString() << "2" << QString::number(cancelled) << ok << QList<Box>{dialog} << 0;
    QTest::newRow("no printer: saved as PDF instead")
        << true << QString() << "2" << QString::number(int(core::PrintResult::NoPrinter)) << ok
        << QList<Box>{dialog,
                      msgRecord("Es ist kein Drucker eingerichtet.\rSoll der Klassensatz "
                                "stattdessen als PDF-Datei gespeichert werden?\r\r",
                                {widgets::Buttons::YesNo, widgets::Icon::Warning}, "Drucken"),
                      Box{Box::SaveFile, "PDF-Dateien (*.pdf)", {},
                          "Klassensatz als PDF-Datei speichern", "Klassensatz.pdf"},
                      saved("2 Aufgabenblätter, danach ihre Lösungsblätter", "/tmp/K.pdf",
                            "Drucken")}
        << 2;
}

void SheetActionsTest::classSets() {
    QFETCH(bool, print);
    QFETCH(QString, typed);
    QFETCH(QString, count);
    QFETCH(QString, answer);
    QFETCH(int, written);
    QFETCH(QList<Box>, boxes);
    QFETCH(int, sheets);
    ScriptedDesktop rt;
    rt.jobAnswer = core::PrintResult(written);
    if (!typed.isNull()) rt.answerInput(typed);
    if (!count.isNull()) rt.answerInput(count);
    if (!answer.isNull()) {
        if (print)
            rt.answerPrintDialog(core::PrintResult(answer.toInt()));
        else
            rt.answerSaveFile(answer);
    }
    for (const Box& b : boxes) {
        if (b.kind == Box::Message)
            rt.answer(b.style.buttons != widgets::Buttons::Ok ? widgets::Answer::Yes : widgets::Answer::Ok);
        if (b.kind == Box::SaveFile && print) rt.answerSaveFile("/tmp/K.pdf");
    }
    // Every number comes twice in a row: the set must not take one twice.
    int drawn = 0;
    const SheetSource source{
        [&drawn] { return QStringLiteral("R-%1").arg(drawn++ / 2 + 1, 6, 10, QLatin1Char('0')); },
        [](const QString& number) { return randomSheet(true, number.right(6).toUInt()); }};
    actions(rt).runClassSet(print ? ClassSetCommand::PrintOn : ClassSetCommand::SavePdf,
                            core::Mode::Remainder, source, {!typed.isNull(), "5"});

    QList<Box> expected = boxes;
    if (!count.isNull())
        expected.prepend(
            Box{Box::Input, "Wie viele verschiedene Blätter?", {}, "Klassensatz", "25"});
    if (!typed.isNull()) expected.prepend(passwordBox());
    QCOMPARE(rt.boxes, expected);
    QVERIFY(rt.allAnswersUsed());

    QList<core::PrintJob> jobs = rt.printedJobs; // printed, or written as PDF
    for (const auto& pdf : rt.pdfJobs)
        jobs << pdf.second;
    QCOMPARE(jobs.size(), sheets ? 1 : 0);
    if (!sheets) return;
    // The task sheets in order, then the solution sheets of the same numbers.
    const QList<core::PrintDocument>& docs = jobs[0].documents;
    QCOMPARE(docs.size(), 2 * sheets);
    for (int i = 0; i < sheets; ++i) {
        const QString number = QStringLiteral("R-%1").arg(i + 1, 6, 10, QLatin1Char('0'));
        const QStringList items = randomSheet(true, i + 1);
        const QString foot =
            QStringLiteral("Blatt-Nr. %1 · Blatt %2 von %3").arg(number).arg(i + 1).arg(sheets);
        QCOMPARE(docs[i].lines, taskSheet(items, modeNamed("R")).lines);
        QCOMPARE(docs[i].pointSize, 20.0);
        QCOMPARE(docs[i].footLine, foot);
        QCOMPARE(docs[sheets + i].lines, solutionSheet(items, modeNamed("R")).lines);
        QCOMPARE(docs[sheets + i].footLine, foot);
        QCOMPARE(docs[sheets + i].keepTogether.size(), 4);
    }
}

QTEST_MAIN(SheetActionsTest)
#include "test_sheet_actions.moc"
