#pragma once

#include <QString>

#include "painted_document.h"

class QPagedPaintDevice;

namespace printing {


// The pages of doc on the device, inside the worksheets' margins (12 mm at
// least), each copy the device asks for after the other. False when the
// device cannot be painted on. pages, when given, receives the page count.
bool renderPainted(QPagedPaintDevice& device, widgets::PaintedDocument& doc, int copies = 1,
                   int* pages = nullptr);

// The pages as a PDF file on A4 paper, written whole or not at all.
bool writePaintedPdf(widgets::PaintedDocument& doc, const QString& path, int* pages = nullptr);

} // namespace printing
