// The Qt desktop's printing and saving of pages the program paints itself.
#include <QPrinter>

#include "painted_pages.h"
#include "printing.h"
#include "qt_desktop.h"

namespace app {

using namespace widgets;
using namespace printing;

core::PrintResult QtDesktop::printPaintedWithDialog(QWidget* parent,
                                                    widgets::PaintedDocument& doc) {
    QPrinter printer(QPrinter::HighResolution);
    const core::PrintResult chosen = choosePrinter(parent, printer, doc.title());
    if (chosen != core::PrintResult::Printed) return chosen;
    if (!renderPainted(printer, doc, copiesToDraw(printer))) return core::PrintResult::Failed;
    // A spooler that refuses the job reports it only through the printer state.
    return printer.printerState() == QPrinter::Error ? core::PrintResult::Failed : core::PrintResult::Printed;
}

bool QtDesktop::savePaintedPdf(widgets::PaintedDocument& doc, const QString& path) {
    return writePaintedPdf(doc, path);
}

} // namespace app
