#include <algorithm>

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include "print_job.h"
#include "qt_runtime.h"

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
