#include "sheet_actions.h"

#include "zeblabel.h"

namespace worksheets {

namespace {

const int kExclamationIcon = 48;

// What differs between the task sheet and the solution sheet in one print flow.
struct SheetKind {
    QString question;      // confirmation before printing
    QString printing;      // closing box after a printed job
    QString pdfCaption;    // save dialog caption
    QString suggestedName; // save dialog file name
    QString savedAs;       // closing box after a saved PDF, before the path
    QString offer;         // question after a failed print
};

const SheetKind& taskKind() {
    static const SheetKind k{
        QStringLiteral("Das Rechenblatt jetzt ausdrucken?\r\r"),
        QStringLiteral("Das Rechenblatt wird gedruckt ...\r\r"),
        QStringLiteral("Rechenblatt als PDF-Datei speichern"),
        QStringLiteral("Aufgabenblatt.pdf"),
        QStringLiteral("Das Rechenblatt wurde als PDF-Datei gespeichert:\r"),
        QStringLiteral("Soll das Rechenblatt stattdessen als PDF-Datei gespeichert werden?\r\r"),
    };
    return k;
}

const SheetKind& solutionKind() {
    static const SheetKind k{
        QStringLiteral("Das Lösungsblatt jetzt ausdrucken?\r\r"),
        QStringLiteral("Das Lösungsblatt wird gedruckt ...\r\r"),
        QStringLiteral("Lösungsblatt als PDF-Datei speichern"),
        QStringLiteral("Lösungsblatt.pdf"),
        QStringLiteral("Das Lösungsblatt wurde als PDF-Datei gespeichert:\r"),
        QStringLiteral("Soll das Lösungsblatt stattdessen als PDF-Datei gespeichert werden?\r\r"),
    };
    return k;
}

// Without a working printer the sheet must not be announced as printing;
// the user may keep it as a PDF file instead.
void offerPdf(const SheetKind& kind, const shell::PrintDocument& doc, shell::PrintResult result) {
    shell::Runtime& rt = shell::runtime();
    const QString why = result == shell::PrintResult::NoPrinter
                            ? QStringLiteral("Es ist kein Drucker eingerichtet.\r")
                            : QStringLiteral("Der Druck ist fehlgeschlagen.\r");
    const int answer =
        rt.msgBox(why + kind.offer, shell::YesNo + kExclamationIcon, QStringLiteral("Drucken"));
    if (answer != shell::AnswerYes) return;
    QString path =
        rt.saveFileName(kind.pdfCaption, kind.suggestedName, QStringLiteral("PDF-Dateien (*.pdf)"));
    if (path.isEmpty()) return;
    // A name typed without its ending still becomes a PDF file a teacher can open.
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) path += QLatin1String(".pdf");
    if (rt.printToPdf(doc, path)) {
        rt.msgBox(kind.savedAs + path + QStringLiteral("\r\r"), shell::OkOnly,
                  QStringLiteral("Drucken"));
    } else {
        rt.msgBox(QStringLiteral("Die PDF-Datei konnte nicht gespeichert werden:\r") + path +
                      QStringLiteral("\r\r"),
                  shell::OkOnly + shell::StopIcon, QStringLiteral("Drucken"));
    }
}

void printSheet(const SheetKind& kind, const SheetDocument& sheet, const QString& pointsCaption) {
    if (!printingUnlocked(pointsCaption)) return;
    shell::Runtime& rt = shell::runtime();
    const int style = shell::YesNo + shell::QuestionIcon + shell::SecondButtonDefault;
    if (rt.msgBox(kind.question, style, QStringLiteral("Schriftliche Division")) !=
        shell::AnswerYes)
        return;
    const shell::PrintDocument doc = toPrintDocument(sheet);
    const shell::PrintResult result = rt.print(doc);
    if (result == shell::PrintResult::Printed) {
        rt.msgBox(kind.printing, shell::OkOnly, QStringLiteral("Drucken"));
        return;
    }
    offerPdf(kind, doc, result);
}

} // namespace

shell::PrintDocument toPrintDocument(const SheetDocument& doc) {
    shell::PrintDocument d;
    d.fontName = doc.fontName;
    d.pointSize = doc.pointSize;
    d.lines = doc.lines;
    return d;
}

bool printingUnlocked(const QString& pointsCaption) {
    if (shell::ZEBLABEL::printerLock() != 1) return true;
    const QString typed = shell::runtime().inputBox(QStringLiteral("Kennwort eingeben:"),
                                                    QStringLiteral("Druckersperre aufheben"),
                                                    QStringLiteral("Passwort"));
    return typed == pointsCaption;
}

void printTaskSheet(const QStringList& items, const QString& modeCaption,
                    const QString& pointsCaption) {
    printSheet(taskKind(), taskSheet(items, modeCaption), pointsCaption);
}

void printSolutionSheet(const QStringList& items, const QString& modeCaption,
                        const QString& pointsCaption) {
    printSheet(solutionKind(), solutionSheet(items, modeCaption), pointsCaption);
}

void copySheet(const QStringList& items, const QString& modeCaption) {
    shell::Runtime& rt = shell::runtime();
    rt.setClipboardText(clipboardText(items, modeCaption));
    rt.msgBox(
        QStringLiteral("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.\r"
                       "(Beim Einfügen muss die Schriftart 'COURIER NEW' gesetzt werden!)\r\r"),
        shell::OkOnly, QStringLiteral("Zwischenablage"));
}

} // namespace worksheets
