#include "painted_document.h"

#include <algorithm>

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "runtime.h"

namespace shell {

namespace {

// The worksheets' margins: 12 mm, or more where the device cannot print
// that close to the edge.
void setMargins(QPagedPaintDevice& device) {
    if (!device.pageLayout().pageSize().isValid()) device.setPageSize(QPageSize(QPageSize::A4));
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    device.setPageMargins(
        QMarginsF(std::max(kPageMarginMm, least.left()), std::max(kPageMarginMm, least.top()),
                  std::max(kPageMarginMm, least.right()), std::max(kPageMarginMm, least.bottom())),
        QPageLayout::Millimeter);
}

} // namespace

bool renderPainted(QPagedPaintDevice& device, PaintedDocument& doc, int copies, int* pages) {
    setMargins(device);
    QPainter p;
    if (!p.begin(&device)) return false;
    // With margins set, the device's size is its printable area.
    const QSizeF area(device.width(), device.height());
    const int count = std::max(1, doc.paginate(p, area));
    bool ok = true;
    for (int copy = 0; ok && copy < std::max(1, copies); ++copy) {
        for (int page = 0; ok && page < count; ++page) {
            if ((copy > 0 || page > 0) && !device.newPage()) {
                ok = false;
                break;
            }
            p.save();
            doc.paintPage(p, page, area);
            p.restore();
        }
    }
    if (pages) *pages = count;
    return p.end() && ok;
}

bool writePaintedPdf(PaintedDocument& doc, const QString& path, int* pages) {
    // Written beside the target and put in its place only when every page is
    // done: a failure leaves no half-written file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    bool ok = false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(doc.title());
        writer.setCreator(QStringLiteral("Schriftliche Division"));
        ok = renderPainted(writer, doc, 1, pages);
    }
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace shell
