#include <algorithm>

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "fonts.h"
#include "page_layout.h"
#include "qt_runtime.h"

namespace shell {

namespace {

// One copy of the document, beginning on the painter's current page.
bool renderPages(QPrinter& printer, QPainter& p, const PrintDocument& doc) {
    const QFontMetricsF fm(p.font(), &printer);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const QList<LinePlace> places =
        placeLines(doc.lines, doc.keepTogether, linesPerPage(fm.lineSpacing(), area.height()));
    qreal widest = 0;
    for (const QString& line : doc.lines)
        widest = std::max(widest, fm.horizontalAdvance(visiblePart(line)));
    const qreal left = centredOffset(area.width(), widest);
    int page = 0;
    for (int i = 0; i < doc.lines.size(); ++i) {
        const LinePlace at = places.at(i);
        if (at.page < 0) continue;
        for (; page < at.page; ++page)
            if (!printer.newPage()) return false;
        p.drawText(QPointF(left, at.row * fm.lineSpacing() + fm.ascent()), doc.lines.at(i));
    }
    return true;
}

} // namespace

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
    p.setFont(vbFont(doc.fontName, doc.pointSize));
    for (int copy = 0; copy < copies; ++copy) {
        if ((copy > 0 && !printer.newPage()) || !renderPages(printer, p, doc)) {
            p.end();
            return false;
        }
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
