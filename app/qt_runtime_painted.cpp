// The real runtime's printing and saving of pages the program paints itself.
#include <QPrinter>

#include "painted_document.h"
#include "printing.h"
#include "qt_runtime.h"

namespace shell {

PrintResult QtRuntime::printPaintedWithDialog(PaintedDocument& doc) {
    QPrinter printer(QPrinter::HighResolution);
    const PrintResult chosen = choosePrinter(printer, doc.title());
    if (chosen != PrintResult::Printed) return chosen;
    if (!renderPainted(printer, doc, copiesToDraw(printer))) return PrintResult::Failed;
    // A spooler that refuses the job reports it only through the printer state.
    return printer.printerState() == QPrinter::Error ? PrintResult::Failed : PrintResult::Printed;
}

bool QtRuntime::savePaintedPdf(PaintedDocument& doc, const QString& path) {
    return writePaintedPdf(doc, path);
}

} // namespace shell
