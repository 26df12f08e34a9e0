#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace widgets {

// Pages the program draws itself (a report with a chart and marked digits),
// for a printer or a PDF file. The same drawing routine serves the screen.
class PaintedDocument {
  public:
    virtual ~PaintedDocument() = default;
    // The name the print queue shows.
    virtual QString title() const = 0;
    // Lays the document out on pages whose printable area has the given size
    // in device pixels; returns the number of pages (at least 1). The painter
    // is active on the device, whose resolution gives the pixels to a point.
    virtual int paginate(QPainter& p, const QSizeF& area) = 0;
    // Draws one page of the last layout; the painter's origin is the top left
    // corner of the printable area.
    virtual void paintPage(QPainter& p, int page, const QSizeF& area) = 0;
};

} // namespace widgets
