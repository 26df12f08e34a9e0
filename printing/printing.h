#pragma once

#include <functional>

#include "print_document.h"

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;
class QWidget;

namespace printing {

// Gives a printer or a PDF writer margins of at least kPageMarginMm on every
// side (more where a printer cannot print that close to the edge), keeping
// its paper (A4 when it has none).
void setSheetMargins(QPagedPaintDevice& device);

// Copies the program draws itself: a spooler makes them, a plain printer
// gets them page after page.
int copiesToDraw(const QPrinter& printer);

// Qt's print dialog over parent as the menus open it, on the default printer:
// a printer and the copies, no file, no page range. Printed when a printer is
// chosen and ready for the pages; NoPrinter without a dialog when none is set
// up; Cancelled when the user closes the dialog.
core::PrintResult choosePrinter(QWidget* parent, QPrinter& printer, const QString& docName);

// A PDF file on A4 with the sheet margins, written beside the target and put
// in its place only when draw has drawn every page and says Printed: a
// failure or a cancel leaves the target as it was.
core::PrintResult writePdf(const QString& path, const QString& title,
                     const std::function<core::PrintResult(QPainter&, QPdfWriter&)>& draw);

// Lays the lines of doc out on the printer's pages: one font, the font's own
// line spacing, the block of lines centred horizontally inside the margins,
// page breaks as placeLines() decides, the foot line (if any) at the bottom of
// every page. Prints the copies itself when the printer cannot. False when the
// printer cannot be opened.
bool renderDocument(QPrinter& printer, const core::PrintDocument& doc);

} // namespace printing
