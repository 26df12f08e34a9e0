#include "sheet_actions.h"

#include <QSet>

namespace worksheets {

namespace {

const int kExclamationIcon = 48;

// What differs between the task sheet and the solution sheet in one print flow.
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

// A class set names its size where it says it was saved.
SheetKind classSetKind(int count) {
    const QString contents =
        count == 1 ? QStringLiteral("1 Aufgabenblatt, danach sein Lösungsblatt")
                   : QStringLiteral("%1 Aufgabenblätter, danach ihre Lösungsblätter").arg(count);
    return {
        QString(),
        QStringLiteral("Der Klassensatz wird gedruckt ...\r\r"),
        QStringLiteral("Klassensatz als PDF-Datei speichern"),
        QStringLiteral("Klassensatz.pdf"),
        QStringLiteral("Der Klassensatz (%1) wurde als PDF-Datei gespeichert:\r").arg(contents),
        QStringLiteral("Soll der Klassensatz stattdessen als PDF-Datei gespeichert werden?\r\r"),
    };
}

PdfWrite pdfOf(const shell::PrintDocument& doc) {
    return [doc](const QString& path) {
        return shell::runtime().printToPdf(doc, path) ? shell::PrintResult::Printed
                                                      : shell::PrintResult::Failed;
    };
}

PdfWrite pdfOf(const shell::PrintJob& job) {
    return [job](const QString& path) { return shell::runtime().printJobToPdf(job, path); };
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
    offerPdf(kind, pdfOf(doc), result);
}

bool isTaskSheet(MenuCommand command) {
    return command == MenuCommand::SaveTasksPdf || command == MenuCommand::PrintTasksOn;
}

} // namespace

namespace {
const QString kPdfFilter = QStringLiteral("PDF-Dateien (*.pdf)");

} // namespace

QString withPdfEnding(const QString& path) {
    if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) return path;
    return path + QLatin1String(".pdf");
}

void savePdf(const SheetKind& kind, const PdfWrite& write, const QString& caption,
             const QString& boxTitle) {
    shell::Runtime& rt = shell::runtime();
    const QString chosen = rt.saveFileName(caption, kind.suggestedName, kPdfFilter);
    if (chosen.isEmpty()) return;
    const QString path = withPdfEnding(chosen);
    const shell::PrintResult written = write(path);
    if (written == shell::PrintResult::Cancelled) return;
    if (written == shell::PrintResult::Printed) {
        rt.msgBox(kind.savedAs + path + QStringLiteral("\r\r"), shell::OkOnly, boxTitle);
    } else {
        rt.msgBox(QStringLiteral("Die PDF-Datei konnte nicht gespeichert werden:\r") + path +
                      QStringLiteral("\r\r"),
                  shell::OkOnly + shell::StopIcon, boxTitle);
    }
}

void offerPdf(const SheetKind& kind, const PdfWrite& write, shell::PrintResult result) {
    shell::Runtime& rt = shell::runtime();
    const QString why = result == shell::PrintResult::NoPrinter
                            ? QStringLiteral("Es ist kein Drucker eingerichtet.\r")
                            : QStringLiteral("Der Druck ist fehlgeschlagen.\r");
    const int answer =
        rt.msgBox(why + kind.offer, shell::YesNo + kExclamationIcon, QStringLiteral("Drucken"));
    if (answer != shell::AnswerYes) return;
    savePdf(kind, write, kind.pdfCaption, QStringLiteral("Drucken"));
}

void afterPrintDialog(const SheetKind& kind, const PdfWrite& write, shell::PrintResult result) {
    if (result == shell::PrintResult::Cancelled) return;
    if (result == shell::PrintResult::Printed) {
        shell::runtime().msgBox(kind.printing, shell::OkOnly, QStringLiteral("Drucken"));
        return;
    }
    offerPdf(kind, write, result);
}

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
                    const QString& number, const PrinterLock& lock) {
    if (!printingUnlocked(lock)) return;
    const bool tasks = isTaskSheet(command);
    const SheetKind& kind = tasks ? taskKind() : solutionKind();
    SheetDocument sheet = tasks ? taskSheet(items, modeCaption) : solutionSheet(items, modeCaption);
    sheet.footLine = sheetFootLine(number);
    const shell::PrintDocument doc = toPrintDocument(sheet);
    if (command == MenuCommand::SaveTasksPdf || command == MenuCommand::SaveSolutionsPdf) {
        savePdf(kind, pdfOf(doc), QStringLiteral("Als PDF speichern"),
                QStringLiteral("Als PDF speichern"));
        return;
    }
    afterPrintDialog(kind, pdfOf(doc), shell::runtime().printWithDialog(doc));
}

shell::PrintDocument toPrintDocument(const SheetDocument& doc) {
    shell::PrintDocument d;
    d.fontName = doc.fontName;
    d.pointSize = doc.pointSize;
    d.lines = doc.lines;
    d.footLine = doc.footLine;
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

void printTaskSheet(const QStringList& items, const QString& modeCaption, const QString& number,
                    const PrinterLock& lock) {
    SheetDocument sheet = taskSheet(items, modeCaption);
    sheet.footLine = sheetFootLine(number);
    printSheet(taskKind(), sheet, lock);
}

void printSolutionSheet(const QStringList& items, const QString& modeCaption, const QString& number,
                        const PrinterLock& lock) {
    SheetDocument sheet = solutionSheet(items, modeCaption);
    sheet.footLine = sheetFootLine(number);
    printSheet(solutionKind(), sheet, lock);
}

void copySheet(const QStringList& items, const QString& modeCaption, const QString& number) {
    shell::Runtime& rt = shell::runtime();
    const QString text = clipboardText(items, modeCaption);
    rt.setClipboardContent(text, clipboardHtml(text, number));
    rt.msgBox(
        QStringLiteral("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.\r"
                       "(Beim Einfügen muss die Schriftart 'COURIER NEW' gesetzt werden!)\r\r"),
        shell::OkOnly, QStringLiteral("Zwischenablage"));
}

const QList<ClassSetCommand>& classSetCommands() {
    static const QList<ClassSetCommand> all{ClassSetCommand::SavePdf, ClassSetCommand::PrintOn};
    return all;
}

QString menuText(ClassSetCommand command) {
    return command == ClassSetCommand::SavePdf ? QStringLiteral("Klassensatz als PDF speichern …")
                                               : QStringLiteral("Klassensatz drucken auf …");
}

QList<NumberedSheet> composeClassSet(int count, const SheetSource& source) {
    QList<NumberedSheet> sheets;
    QSet<QString> used;
    for (int i = 0; i < count; ++i) {
        // Neighbours must not be able to copy: a number drawn before is drawn again.
        // Among a million numbers a repeat is rare, so a few tries always do.
        QString number = source.newNumber();
        for (int tries = 0; used.contains(number) && tries < 1000; ++tries)
            number = source.newNumber();
        used.insert(number);
        sheets.append({number, source.itemsOf(number)});
    }
    return sheets;
}

shell::PrintJob classSetJob(const QList<NumberedSheet>& sheets, const QString& modeCaption) {
    shell::PrintJob job;
    job.title = QStringLiteral("Klassensatz");
    job.progress = QStringLiteral("Der Klassensatz wird erstellt …");
    for (const SheetDocument& doc : classSetDocuments(sheets, modeCaption))
        job.documents.append(toPrintDocument(doc));
    return job;
}

void runClassSet(ClassSetCommand command, const QString& modeCaption, const SheetSource& source,
                 const PrinterLock& lock) {
    if (!printingUnlocked(lock)) return;
    shell::Runtime& rt = shell::runtime();
    const QString title = QStringLiteral("Klassensatz");
    const QString typed =
        rt.inputBox(QStringLiteral("Wie viele verschiedene Blätter?"), title, QStringLiteral("25"));
    // A cancelled box returns "": nothing to do, nothing to say.
    if (typed.trimmed().isEmpty()) return;
    const int count = classSetCount(typed);
    if (count == 0) {
        rt.msgBox(
            QStringLiteral("Bitte eine ganze Zahl von 1 bis %1 eingeben.\r\r").arg(kClassSetMost),
            shell::OkOnly + kExclamationIcon, title);
        return;
    }
    const SheetKind kind = classSetKind(count);
    const shell::PrintJob job = classSetJob(composeClassSet(count, source), modeCaption);
    if (command == ClassSetCommand::SavePdf) {
        savePdf(kind, pdfOf(job), QStringLiteral("Als PDF speichern"),
                QStringLiteral("Als PDF speichern"));
        return;
    }
    afterPrintDialog(kind, pdfOf(job), rt.printJobWithDialog(job));
}

} // namespace worksheets
