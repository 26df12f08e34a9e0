#include "sheet_actions.h"

#include <QSet>

namespace printing {

namespace {

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
SheetKind classSetKind(int count, bool named) {
    QString contents =
        count == 1 ? QStringLiteral("1 Aufgabenblatt, danach sein Lösungsblatt")
                   : QStringLiteral("%1 Aufgabenblätter, danach ihre Lösungsblätter").arg(count);
    if (named)
        contents = count == 1
                       ? QStringLiteral("1 Aufgabenblatt mit Namen, danach sein Lösungsblatt")
                       : QStringLiteral("%1 Aufgabenblätter mit Namen, danach ihre Lösungsblätter")
                             .arg(count);
    return {
        QString(),
        QStringLiteral("Der Klassensatz wird gedruckt ...\r\r"),
        QStringLiteral("Klassensatz als PDF-Datei speichern"),
        named ? QStringLiteral("Klassensatz mit Namen.pdf") : QStringLiteral("Klassensatz.pdf"),
        QStringLiteral("Der Klassensatz (%1) wurde als PDF-Datei gespeichert:\r").arg(contents),
        QStringLiteral("Soll der Klassensatz stattdessen als PDF-Datei gespeichert werden?\r\r"),
    };
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

widgets::Answer SheetActions::tell(const QString& text, widgets::BoxStyle style,
                                   const QString& title) {
    return desktop_.message(window_, title, text, style);
}

PdfWrite SheetActions::pdfOf(const core::PrintDocument& doc) {
    return [this, doc](const QString& path) {
        return desktop_.printToPdf(doc, path) ? core::PrintResult::Printed
                                              : core::PrintResult::Failed;
    };
}

PdfWrite SheetActions::pdfOf(const core::PrintJob& job) {
    return [this, job](const QString& path) { return desktop_.printJobToPdf(window_, job, path); };
}

void SheetActions::printSheet(const SheetKind& kind, const core::PrintDocument& doc,
                              const PrinterLock& lock) {
    if (!printingUnlocked(lock)) return;
    if (tell(kind.question, {widgets::Buttons::YesNoDefaultNo, widgets::Icon::Question},
             QStringLiteral("Schriftliche Division")) != widgets::Answer::Yes)
        return;
    const core::PrintResult result = desktop_.print(doc);
    if (result == core::PrintResult::Printed) {
        tell(kind.printing, {}, QStringLiteral("Drucken"));
        return;
    }
    offerPdf(kind, pdfOf(doc), result);
}

void SheetActions::savePdf(const SheetKind& kind, const PdfWrite& write, const QString& caption,
                           const QString& boxTitle) {
    const QString chosen = desktop_.askSaveFile(window_, caption, kind.suggestedName, kPdfFilter);
    if (chosen.isEmpty()) return;
    const QString path = withPdfEnding(chosen);
    const core::PrintResult written = write(path);
    if (written == core::PrintResult::Cancelled) return;
    if (written == core::PrintResult::Printed) {
        tell(kind.savedAs + path + QStringLiteral("\r\r"), {}, boxTitle);
    } else {
        tell(QStringLiteral("Die PDF-Datei konnte nicht gespeichert werden:\r") + path +
                 QStringLiteral("\r\r"),
             {widgets::Buttons::Ok, widgets::Icon::Stop}, boxTitle);
    }
}

void SheetActions::offerPdf(const SheetKind& kind, const PdfWrite& write,
                            core::PrintResult result) {
    const QString why = result == core::PrintResult::NoPrinter
                            ? QStringLiteral("Es ist kein Drucker eingerichtet.\r")
                            : QStringLiteral("Der Druck ist fehlgeschlagen.\r");
    const widgets::Answer answer = tell(why + kind.offer,
                                        {widgets::Buttons::YesNo, widgets::Icon::Warning},
                                        QStringLiteral("Drucken"));
    if (answer != widgets::Answer::Yes) return;
    savePdf(kind, write, kind.pdfCaption, QStringLiteral("Drucken"));
}

void SheetActions::afterPrintDialog(const SheetKind& kind, const PdfWrite& write,
                                    core::PrintResult result) {
    if (result == core::PrintResult::Cancelled) return;
    if (result == core::PrintResult::Printed) {
        tell(kind.printing, {}, QStringLiteral("Drucken"));
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

void SheetActions::runMenuCommand(MenuCommand command, const QStringList& items,
                                  core::Mode mode, const QString& number,
                                  const PrinterLock& lock) {
    if (!printingUnlocked(lock)) return;
    const bool tasks = isTaskSheet(command);
    const SheetKind& kind = tasks ? taskKind() : solutionKind();
    core::PrintDocument doc = tasks ? core::taskSheet(items, mode) : core::solutionSheet(items, mode);
    doc.footLine = core::sheetFootLine(number);
    if (command == MenuCommand::SaveTasksPdf || command == MenuCommand::SaveSolutionsPdf) {
        savePdf(kind, pdfOf(doc), QStringLiteral("Als PDF speichern"),
                QStringLiteral("Als PDF speichern"));
        return;
    }
    afterPrintDialog(kind, pdfOf(doc), desktop_.printWithDialog(window_, doc));
}

bool SheetActions::printingUnlocked(const PrinterLock& lock) {
    if (!lock.locked) return true;
    const QString typed = desktop_.askText(window_, QStringLiteral("Druckersperre aufheben"),
                                           QStringLiteral("Kennwort eingeben:"),
                                           QStringLiteral("Passwort"));
    return typed == lock.password;
}

void SheetActions::printTaskSheet(const QStringList& items, core::Mode mode, const QString& number,
                    const PrinterLock& lock) {
    core::PrintDocument sheet = core::taskSheet(items, mode);
    sheet.footLine = core::sheetFootLine(number);
    printSheet(taskKind(), sheet, lock);
}

void SheetActions::printSolutionSheet(const QStringList& items, core::Mode mode,
                                      const QString& number, const PrinterLock& lock) {
    core::PrintDocument sheet = core::solutionSheet(items, mode);
    sheet.footLine = core::sheetFootLine(number);
    printSheet(solutionKind(), sheet, lock);
}

void SheetActions::copySheet(const QStringList& items, core::Mode mode, const QString& number) {
    const QString text = core::clipboardText(items, mode);
    desktop_.setClipboard(text, core::clipboardHtml(text, number));
    tell(QStringLiteral("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.\r"
                        "(Beim Einfügen muss die Schriftart 'COURIER NEW' gesetzt werden!)\r\r"),
         {}, QStringLiteral("Zwischenablage"));
}

const QList<ClassSetCommand>& classSetCommands() {
    static const QList<ClassSetCommand> all{ClassSetCommand::SavePdf, ClassSetCommand::PrintOn};
    return all;
}

QString menuText(ClassSetCommand command) {
    return command == ClassSetCommand::SavePdf ? QStringLiteral("Klassensatz als PDF speichern …")
                                               : QStringLiteral("Klassensatz drucken auf …");
}

QList<core::NumberedSheet> composeClassSet(int count, const SheetSource& source) {
    QList<core::NumberedSheet> sheets;
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

core::PrintJob classSetJob(const QList<core::NumberedSheet>& sheets, core::Mode mode,
                           const QStringList& names) {
    core::PrintJob job;
    job.title = QStringLiteral("Klassensatz");
    job.progress = QStringLiteral("Der Klassensatz wird erstellt …");
    job.documents = core::classSetDocuments(sheets, mode, names);
    return job;
}

void SheetActions::runClassSet(ClassSetCommand command, core::Mode mode,
                               const SheetSource& source, const PrinterLock& lock) {
    if (!printingUnlocked(lock)) return;
    const QString title = QStringLiteral("Klassensatz");
    const QString typed = desktop_.askText(window_, title,
                                           QStringLiteral("Wie viele verschiedene Blätter?"),
                                           QStringLiteral("25"));
    // A cancelled box returns "": nothing to do, nothing to say.
    if (typed.trimmed().isEmpty()) return;
    const int count = core::classSetCount(typed);
    if (count == 0) {
        tell(QStringLiteral("Bitte eine ganze Zahl von 1 bis %1 eingeben.\r\r")
                 .arg(core::kClassSetMost),
             {widgets::Buttons::Ok, widgets::Icon::Warning}, title);
        return;
    }
    writeClassSet(command, classSetKind(count, false),
                  classSetJob(composeClassSet(count, source), mode));
}

void SheetActions::writeNamedClassSet(ClassSetCommand command, core::Mode mode,
                                      const SheetSource& source, const QStringList& names) {
    writeClassSet(command, classSetKind(int(names.size()), true),
                  classSetJob(composeClassSet(int(names.size()), source), mode, names));
}

void SheetActions::writeClassSet(ClassSetCommand command, const SheetKind& kind,
                                 const core::PrintJob& job) {
    if (command == ClassSetCommand::SavePdf) {
        savePdf(kind, pdfOf(job), QStringLiteral("Als PDF speichern"),
                QStringLiteral("Als PDF speichern"));
        return;
    }
    afterPrintDialog(kind, pdfOf(job), desktop_.printJobWithDialog(window_, job));
}

} // namespace printing
