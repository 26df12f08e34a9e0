#include <algorithm>

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "print_job.h"
#include "qt_runtime.h"

namespace shell {

void setSheetMargins(QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    if (!layout.pageSize().isValid()) printer.setPageSize(QPageSize(QPageSize::A4));
    layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    const QMarginsF margins(
        std::max(kPageMarginMm, least.left()), std::max(kPageMarginMm, least.top()),
        std::max(kPageMarginMm, least.right()), std::max(kPageMarginMm, least.bottom()));
    printer.setFullPage(false);
    printer.setPageMargins(margins, QPageLayout::Millimeter);
}

bool renderDocument(QPrinter& printer, const PrintDocument& doc) {
    setSheetMargins(printer);
    // A spooler makes the copies itself; a PDF or a plain printer gets them page by page.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    QPainter p;
    if (!p.begin(&printer)) return false;
    if (drawJob(p, printer, {doc}, copies, {}) != PrintResult::Printed) {
        p.end();
        return false;
    }
    // A spooler that refuses the job reports it only through the printer state.
    return p.end() && printer.printerState() != QPrinter::Error;
}

PrintResult QtRuntime::print(const PrintDocument& doc) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return PrintResult::NoPrinter;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(doc.lines.value(0));
    if (printer.outputFormat() != QPrinter::NativeFormat) return PrintResult::NoPrinter;
    return renderDocument(printer, doc) ? PrintResult::Printed : PrintResult::Failed;
}

bool QtRuntime::printToPdf(const PrintDocument& doc, const QString& path) {
    return writeJobPdf({{doc}, doc.lines.value(0), {}}, path, {}) == PrintResult::Printed;
}

} // namespace shell
