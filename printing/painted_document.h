#pragma once

#include <QRectF>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace shell {

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

// The pages of doc on the device, inside the worksheets' margins (12 mm at
// least), each copy the device asks for after the other. False when the
// device cannot be painted on. pages, when given, receives the page count.
bool renderPainted(QPagedPaintDevice& device, PaintedDocument& doc, int copies = 1,
                   int* pages = nullptr);

// The pages as a PDF file on A4 paper, written whole or not at all.
bool writePaintedPdf(PaintedDocument& doc, const QString& path, int* pages = nullptr);

} // namespace shell
