#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "desktop.h"
#include "sheet_text.h"

// What the buttons and menus of the worksheet panel do with the composed
// sheet, and how any document is printed or saved: each action takes the sheet
// items, its number and the lock as they stand at the moment of the click.
namespace printing {

// The printer lock as it stands at the moment of the click: the print-mode
// switch of the info window and the points shown, which are the password.
struct PrinterLock {
    bool locked = true;
    QString password;
};

// What the boxes around printing and saving one kind of document say.
struct SheetKind {
    QString question;      // confirmation before printing
    QString printing;      // closing box after a printed job
    QString pdfCaption;    // save dialog caption
    QString suggestedName; // save dialog file name
    QString savedAs;       // closing box after a saved PDF, before the path
    QString offer;         // question after a failed print
};

// Writes the pages into the file at the path; Cancelled when the user stopped it.
using PdfWrite = std::function<core::PrintResult(const QString& path)>;

// A name typed without its ending still becomes a PDF file a teacher can open.
QString withPdfEnding(const QString& path);

// The commands of the sheet list's context menu, in the order it shows them.
enum class MenuCommand { SaveTasksPdf, SaveSolutionsPdf, PrintTasksOn, PrintSolutionsOn };
const QList<MenuCommand>& menuCommands();
QString menuText(MenuCommand command);

// ---- class sets

// Where the sheets of a class set come from: a new random number of the
// mode, and the items of the sheet a number stands for.
struct SheetSource {
    std::function<QString()> newNumber;
    std::function<QStringList(const QString& number)> itemsOf;
};

// The class-set commands at the end of the sheet's menu, in their order.
enum class ClassSetCommand { SavePdf, PrintOn };
const QList<ClassSetCommand>& classSetCommands();
QString menuText(ClassSetCommand command);

// count sheets, each of its own new number (no number twice).
QList<core::NumberedSheet> composeClassSet(int count, const SheetSource& source);
// The whole class set as one job: the task sheets, then the solution sheets;
// with names, one a sheet in the same order, each under its heading.
core::PrintJob classSetJob(const QList<core::NumberedSheet>& sheets, core::Mode mode,
                           const QStringList& names = {});

// Printing and saving from one window: every box and dialog belongs to it.
class SheetActions {
  public:
    SheetActions(widgets::Desktop& desktop, QWidget* window) : desktop_(desktop), window_(window) {}

    // Free when the switch is off; otherwise the typed password must equal
    // the points shown exactly.
    bool printingUnlocked(const PrinterLock& lock);

    // Save dialog, the PDF, and a box that says where the file is or that it
    // could not be written. Nothing happens when the dialog or the writing is
    // cancelled.
    void savePdf(const SheetKind& kind, const PdfWrite& write, const QString& caption,
                 const QString& boxTitle);
    // Without a working printer nothing may be announced as printing; the
    // user may keep the document as a PDF file instead.
    void offerPdf(const SheetKind& kind, const PdfWrite& write, core::PrintResult result);
    // After Qt's print dialog: the closing box, or the offer of a PDF file.
    void afterPrintDialog(const SheetKind& kind, const PdfWrite& write, core::PrintResult result);

    // "Aufgaben drucken": lock, confirmation, the blanked sheet to the printer.
    void printTaskSheet(const QStringList& items, core::Mode mode, const QString& number,
                        const PrinterLock& lock);
    // "Lösungen drucken": lock, confirmation, the sheet unchanged to the printer.
    void printSolutionSheet(const QStringList& items, core::Mode mode, const QString& number,
                            const PrinterLock& lock);
    // "Kopieren": blanked and solved sheet as text on the clipboard.
    void copySheet(const QStringList& items, core::Mode mode, const QString& number);
    // Runs a menu command: the printer lock first, then the save dialog and
    // the PDF, or Qt's print dialog and the chosen printer.
    void runMenuCommand(MenuCommand command, const QStringList& items, core::Mode mode,
                        const QString& number, const PrinterLock& lock);
    // The printer lock, the count, then the save dialog and the PDF file, or
    // Qt's print dialog and the chosen printer. Nothing of the window changes.
    void runClassSet(ClassSetCommand command, core::Mode mode, const SheetSource& source,
                     const PrinterLock& lock);
    // A class set of one sheet a name, names checked (see class_names.h):
    // into a PDF file or through Qt's print dialog, as runClassSet() after
    // its count. The lock is asked before the names are.
    void writeNamedClassSet(ClassSetCommand command, core::Mode mode, const SheetSource& source,
                            const QStringList& names);

  private:
    void writeClassSet(ClassSetCommand command, const SheetKind& kind, const core::PrintJob& job);
    widgets::Answer tell(const QString& text, widgets::BoxStyle style, const QString& title);
    void printSheet(const SheetKind& kind, const core::PrintDocument& doc, const PrinterLock& lock);
    PdfWrite pdfOf(const core::PrintDocument& doc);
    PdfWrite pdfOf(const core::PrintJob& job);

    widgets::Desktop& desktop_;
    QWidget* window_;
};

} // namespace printing
