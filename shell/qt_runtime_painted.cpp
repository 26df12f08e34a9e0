// The real runtime's printing and saving of pages the program paints itself.
#include <algorithm>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "form.h"
#include "painted_document.h"
#include "qt_runtime.h"
#include "twips.h"
#include "window_stack.h"

namespace shell {

PrintResult QtRuntime::printPaintedWithDialog(PaintedDocument& doc) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) return PrintResult::NoPrinter;
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    QPrinter printer(QPrinter::HighResolution);
    if (!preferred.isNull()) printer.setPrinterName(preferred.printerName());
    printer.setDocName(doc.title());
    QWidget* parent = QApplication::activeWindow();
    if (!parent) parent = forms::current();
    QPrintDialog dialog(&printer, parent);
    tw::zoomBox(&dialog, parent);
    // Saving a file has a button of its own, and the document is printed whole.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    forms::restoreFocus();
    if (!accepted) return PrintResult::Cancelled;
    if (printer.outputFormat() != QPrinter::NativeFormat) return PrintResult::NoPrinter;
    setSheetMargins(printer);
    // A spooler makes the copies itself; a plain printer gets them page by page.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    if (!renderPainted(printer, doc, copies)) return PrintResult::Failed;
    // A spooler that refuses the job reports it only through the printer state.
    return printer.printerState() == QPrinter::Error ? PrintResult::Failed : PrintResult::Printed;
}

bool QtRuntime::savePaintedPdf(PaintedDocument& doc, const QString& path) {
    return writePaintedPdf(doc, path);
}

} // namespace shell
