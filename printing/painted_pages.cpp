#include "painted_pages.h"

#include <algorithm>

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "printing.h"

namespace printing {

namespace {

// The pages on the device, the painter active on it and the margins set.
bool paintPages(QPainter& p, QPagedPaintDevice& device, widgets::PaintedDocument& doc, int copies,
                int* pages) {
    // With margins set, the device's size is its printable area.
    const QSizeF area(device.width(), device.height());
    const int count = std::max(1, doc.paginate(p, area));
    if (pages) *pages = count;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        for (int page = 0; page < count; ++page) {
            if ((copy > 0 || page > 0) && !device.newPage()) return false;
            p.save();
            doc.paintPage(p, page, area);
            p.restore();
        }
    }
    return true;
}

} // namespace

bool renderPainted(QPagedPaintDevice& device, widgets::PaintedDocument& doc, int copies, int* pages) {
    setSheetMargins(device);
    QPainter p;
    if (!p.begin(&device)) return false;
    const bool painted = paintPages(p, device, doc, copies, pages);
    return p.end() && painted;
}

bool writePaintedPdf(widgets::PaintedDocument& doc, const QString& path, int* pages) {
    return writePdf(path, doc.title(), [&doc, pages](QPainter& p, QPdfWriter& pdf) {
               return paintPages(p, pdf, doc, 1, pages) ? core::PrintResult::Printed
                                                        : core::PrintResult::Failed;
           }) == core::PrintResult::Printed;
}

} // namespace printing
