#include "sheet_actions.h"

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

const QString kPdfFilter = QStringLiteral("PDF-Dateien (*.pdf)");

// A name typed without its ending still becomes a PDF file a teacher can open.
QString withPdfEnding(const QString& path) {
    if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) return path;
    return path + QLatin1String(".pdf");
}

// Save dialog, the PDF, and a box that says where the file is or that it
// could not be written. Nothing happens when the dialog is cancelled.
void savePdf(const SheetKind& kind, const shell::PrintDocument& doc, const QString& caption,
             const QString& boxTitle) {
    shell::Runtime& rt = shell::runtime();
    const QString chosen = rt.saveFileName(caption, kind.suggestedName, kPdfFilter);
    if (chosen.isEmpty()) return;
    const QString path = withPdfEnding(chosen);
    if (rt.printToPdf(doc, path)) {
        rt.msgBox(kind.savedAs + path + QStringLiteral("\r\r"), shell::OkOnly, boxTitle);
    } else {
        rt.msgBox(QStringLiteral("Die PDF-Datei konnte nicht gespeichert werden:\r") + path +
                      QStringLiteral("\r\r"),
                  shell::OkOnly + shell::StopIcon, boxTitle);
    }
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
    savePdf(kind, doc, kind.pdfCaption, QStringLiteral("Drucken"));
}

void printSheet(const SheetKind& kind, const SheetDocument& sheet, const PrinterLock& lock) {
    if (!printingUnlocked(lock)) return;
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

bool isTaskSheet(MenuCommand command) {
    return command == MenuCommand::SaveTasksPdf || command == MenuCommand::PrintTasksOn;
}

} // namespace

const QList<MenuCommand>& menuCommands() {
    static const QList<MenuCommand> all{MenuCommand::SaveTasksPdf, MenuCommand::SaveSolutionsPdf,
                                        MenuCommand::PrintTasksOn, MenuCommand::PrintSolutionsOn};
    return all;
}

QString menuText(MenuCommand command) {
    switch (command) {
    case MenuCommand::SaveTasksPdf:
        return QStringLiteral("Aufgabenblatt als PDF speichern …");
    case MenuCommand::SaveSolutionsPdf:
        return QStringLiteral("Lösungsblatt als PDF speichern …");
    case MenuCommand::PrintTasksOn:
        return QStringLiteral("Aufgabenblatt drucken auf …");
    case MenuCommand::PrintSolutionsOn:
        return QStringLiteral("Lösungsblatt drucken auf …");
    }
    return {};
}

void runMenuCommand(MenuCommand command, const QStringList& items, const QString& modeCaption,
                    const PrinterLock& lock) {
    if (!printingUnlocked(lock)) return;
    const bool tasks = isTaskSheet(command);
    const SheetKind& kind = tasks ? taskKind() : solutionKind();
    const shell::PrintDocument doc =
        toPrintDocument(tasks ? taskSheet(items, modeCaption) : solutionSheet(items, modeCaption));
    if (command == MenuCommand::SaveTasksPdf || command == MenuCommand::SaveSolutionsPdf) {
        savePdf(kind, doc, QStringLiteral("Als PDF speichern"),
                QStringLiteral("Als PDF speichern"));
        return;
    }
    shell::Runtime& rt = shell::runtime();
    const shell::PrintResult result = rt.printWithDialog(doc);
    if (result == shell::PrintResult::Cancelled) return;
    if (result == shell::PrintResult::Printed) {
        rt.msgBox(kind.printing, shell::OkOnly, QStringLiteral("Drucken"));
        return;
    }
    offerPdf(kind, doc, result);
}

shell::PrintDocument toPrintDocument(const SheetDocument& doc) {
    shell::PrintDocument d;
    d.fontName = doc.fontName;
    d.pointSize = doc.pointSize;
    d.lines = doc.lines;
    for (const auto& [first, count] : doc.keepTogether)
        d.keepTogether.append({first, count});
    return d;
}

bool printingUnlocked(const PrinterLock& lock) {
    if (lock.lockSwitch != 1) return true;
    const QString typed = shell::runtime().inputBox(QStringLiteral("Kennwort eingeben:"),
                                                    QStringLiteral("Druckersperre aufheben"),
                                                    QStringLiteral("Passwort"));
    return typed == lock.password;
}

void printTaskSheet(const QStringList& items, const QString& modeCaption, const PrinterLock& lock) {
    printSheet(taskKind(), taskSheet(items, modeCaption), lock);
}

void printSolutionSheet(const QStringList& items, const QString& modeCaption,
                        const PrinterLock& lock) {
    printSheet(solutionKind(), solutionSheet(items, modeCaption), lock);
}

void copySheet(const QStringList& items, const QString& modeCaption) {
    shell::Runtime& rt = shell::runtime();
    const QString text = clipboardText(items, modeCaption);
    rt.setClipboardContent(text, clipboardHtml(text));
    rt.msgBox(
        QStringLiteral("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.\r"
                       "(Beim Einfügen muss die Schriftart 'COURIER NEW' gesetzt werden!)\r\r"),
        shell::OkOnly, QStringLiteral("Zwischenablage"));
}

} // namespace worksheets
