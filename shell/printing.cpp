#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "controls.h"
#include "qt_runtime.h"

namespace shell {

bool renderDocument(QPrinter& printer, const PrintDocument& doc) {
    QPainter p;
    if (!p.begin(&printer)) return false;
    p.setFont(vbFont(doc.fontName, doc.pointSize));
    const QFontMetricsF fm(p.font(), &printer);
    const qreal lineStep = fm.lineSpacing();
    const qreal bottom = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    qreal y = 0;
    for (const QString& line : doc.lines) {
        if (y + lineStep > bottom && y > 0) {
            if (!printer.newPage()) {
                p.end();
                return false;
            }
            y = 0;
        }
        p.drawText(QPointF(0, y + fm.ascent()), line);
        y += lineStep;
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
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(doc.lines.value(0));
    return renderDocument(printer, doc);
}

} // namespace shell
