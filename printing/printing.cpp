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

namespace printing {

void setSheetMargins(QPagedPaintDevice& device) {
    if (!device.pageLayout().pageSize().isValid()) device.setPageSize(QPageSize(QPageSize::A4));
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    const QMarginsF margins(
        std::max(core::kPageMarginMm, least.left()), std::max(core::kPageMarginMm, least.top()),
        std::max(core::kPageMarginMm, least.right()), std::max(core::kPageMarginMm, least.bottom()));
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->setFullPage(false);
    device.setPageMargins(margins, QPageLayout::Millimeter);
}

int copiesToDraw(const QPrinter& printer) {
    return printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
}

core::PrintResult choosePrinter(QWidget* parent, QPrinter& printer, const QString& docName) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) return core::PrintResult::NoPrinter;
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    if (!preferred.isNull()) printer.setPrinterName(preferred.printerName());
    printer.setDocName(docName);
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
    tw::returnFocus(parent);
    if (!accepted) return core::PrintResult::Cancelled;
    return printer.outputFormat() == QPrinter::NativeFormat ? core::PrintResult::Printed
                                                            : core::PrintResult::NoPrinter;
}

core::PrintResult writePdf(const QString& path, const QString& title,
                     const std::function<core::PrintResult(QPainter&, QPdfWriter&)>& draw) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return core::PrintResult::Failed;
    core::PrintResult result = core::PrintResult::Failed;
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
            if (!p.end() && result == core::PrintResult::Printed) result = core::PrintResult::Failed;
        }
    }
    if (result != core::PrintResult::Printed) {
        file.cancelWriting();
        return result;
    }
    return file.commit() ? core::PrintResult::Printed : core::PrintResult::Failed;
}

bool renderDocument(QPrinter& printer, const core::PrintDocument& doc) {
    setSheetMargins(printer);
    QPainter p;
    if (!p.begin(&printer)) return false;
    if (drawJob(p, printer, {doc}, copiesToDraw(printer), {}) != core::PrintResult::Printed) {
        p.end();
        return false;
    }
    // A spooler that refuses the job reports it only through the printer state.
    return p.end() && printer.printerState() != QPrinter::Error;
}

} // namespace printing
