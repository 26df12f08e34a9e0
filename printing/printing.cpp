#include "printing.h"

#include <algorithm>

#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include "print_job.h"
#include "twips.h"
#include "window_stack.h"

namespace shell {

void setSheetMargins(QPagedPaintDevice& device) {
    if (!device.pageLayout().pageSize().isValid()) device.setPageSize(QPageSize(QPageSize::A4));
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    const QMarginsF margins(
        std::max(kPageMarginMm, least.left()), std::max(kPageMarginMm, least.top()),
        std::max(kPageMarginMm, least.right()), std::max(kPageMarginMm, least.bottom()));
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->setFullPage(false);
    device.setPageMargins(margins, QPageLayout::Millimeter);
}

int copiesToDraw(const QPrinter& printer) {
    return printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
}

PrintResult choosePrinter(QPrinter& printer, const QString& docName) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) return PrintResult::NoPrinter;
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    if (!preferred.isNull()) printer.setPrinterName(preferred.printerName());
    printer.setDocName(docName);
    QWidget* parent = boxParent();
    QPrintDialog dialog(&printer, parent);
    tw::zoomBox(&dialog, parent);
    // The dialog chooses a printer and the copies; saving a file has its own
    // menu item or button, and a document is always printed whole.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    tw::fitBox(&dialog, parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    forms::restoreFocus();
    if (!accepted) return PrintResult::Cancelled;
    return printer.outputFormat() == QPrinter::NativeFormat ? PrintResult::Printed
                                                            : PrintResult::NoPrinter;
}

PrintResult writePdf(const QString& path, const QString& title,
                     const std::function<PrintResult(QPainter&, QPdfWriter&)>& draw) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return PrintResult::Failed;
    PrintResult result = PrintResult::Failed;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(1200); // what a high-resolution QPrinter makes of a PDF
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Schriftliche Division"));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        setSheetMargins(pdf);
        QPainter p;
        if (p.begin(&pdf)) {
            result = draw(p, pdf);
            if (!p.end() && result == PrintResult::Printed) result = PrintResult::Failed;
        }
    }
    if (result != PrintResult::Printed) {
        file.cancelWriting();
        return result;
    }
    return file.commit() ? PrintResult::Printed : PrintResult::Failed;
}

bool renderDocument(QPrinter& printer, const PrintDocument& doc) {
    setSheetMargins(printer);
    QPainter p;
    if (!p.begin(&printer)) return false;
    if (drawJob(p, printer, {doc}, copiesToDraw(printer), {}) != PrintResult::Printed) {
        p.end();
        return false;
    }
    // A spooler that refuses the job reports it only through the printer state.
    return p.end() && printer.printerState() != QPrinter::Error;
}

} // namespace shell
