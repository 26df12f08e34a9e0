#pragma once

#include <QString>
#include <QStringList>

#include "runtime.h"
#include "sheet.h"

// What the buttons of the worksheet panel do with the composed sheet. Each
// takes the sheet items and the captions read at the moment of the click.
namespace worksheets {

// The printer lock: free when the print-mode switch of the info window is
// off; otherwise the typed password must equal the points caption exactly.
bool printingUnlocked(const QString& pointsCaption);

// "Aufgaben drucken": lock, confirmation, the blanked sheet to the printer.
void printTaskSheet(const QStringList& items, const QString& modeCaption,
                    const QString& pointsCaption);
// "Lösungen drucken": lock, confirmation, the sheet unchanged to the printer.
void printSolutionSheet(const QStringList& items, const QString& modeCaption,
                        const QString& pointsCaption);
// "Kopieren": blanked and solved sheet as text on the clipboard.
void copySheet(const QStringList& items, const QString& modeCaption);

// The commands of the sheet list's context menu, in the order it shows them.
enum class MenuCommand { SaveTasksPdf, SaveSolutionsPdf, PrintTasksOn, PrintSolutionsOn };
const QList<MenuCommand>& menuCommands();
QString menuText(MenuCommand command);
// Runs a menu command: the printer lock first, then the save dialog and the
// PDF, or Qt's print dialog and the chosen printer.
void runMenuCommand(MenuCommand command, const QStringList& items, const QString& modeCaption,
                    const QString& pointsCaption);

shell::PrintDocument toPrintDocument(const SheetDocument& doc);

} // namespace worksheets
