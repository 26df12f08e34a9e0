#pragma once

#include <QString>
#include <QStringList>

#include "runtime.h"
#include "sheet.h"

// What the buttons of the worksheet panel do with the composed sheet. Each
// takes the sheet items and the captions read at the moment of the click.
namespace worksheets {

// The printer lock as it stands at the moment of the click: the print-mode
// switch of the info window (1 = locked) and the points caption, which is
// the password.
struct PrinterLock {
    int lockSwitch = 1;
    QString password;
};

// Free when the switch is off; otherwise the typed password must equal the
// points caption exactly.
bool printingUnlocked(const PrinterLock& lock);

// "Aufgaben drucken": lock, confirmation, the blanked sheet to the printer.
void printTaskSheet(const QStringList& items, const QString& modeCaption, const PrinterLock& lock);
// "Lösungen drucken": lock, confirmation, the sheet unchanged to the printer.
void printSolutionSheet(const QStringList& items, const QString& modeCaption,
                        const PrinterLock& lock);
// "Kopieren": blanked and solved sheet as text on the clipboard.
void copySheet(const QStringList& items, const QString& modeCaption);

// The commands of the sheet list's context menu, in the order it shows them.
enum class MenuCommand { SaveTasksPdf, SaveSolutionsPdf, PrintTasksOn, PrintSolutionsOn };
const QList<MenuCommand>& menuCommands();
QString menuText(MenuCommand command);
// Runs a menu command: the printer lock first, then the save dialog and the
// PDF, or Qt's print dialog and the chosen printer.
void runMenuCommand(MenuCommand command, const QStringList& items, const QString& modeCaption,
                    const PrinterLock& lock);

shell::PrintDocument toPrintDocument(const SheetDocument& doc);

} // namespace worksheets
