#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "print_document.h"

class QPagedPaintDevice;
class QPainter;

// Many documents on one device, each from a new page and with its foot line:
// the printer, or a PDF file that appears only when it is complete.
namespace printing {

// Told after each document how many of all are done; false stops the job.
using JobProgress = std::function<bool(int done, int total)>;

// The foot line of one page: "{page}" and "{pages}" filled in.
QString footLineOf(const QString& pattern, int page, int pages);

// Draws the documents on the painter's device, `copies` times over, each
// document from a new page (the first on the current one). The lines stand as
// renderDocument() places them, in the room the foot line leaves; the foot line
// sits centred at the bottom of the margins. Printed when every page is drawn.
core::PrintResult drawJob(QPainter& p, QPagedPaintDevice& device, const QList<core::PrintDocument>& docs,
                    int copies, const JobProgress& progress);

// Writes the job as an A4 PDF file with the sheet margins. The pages go into a
// temporary file beside the target that replaces it only when the last page is
// done, so a cancel or a failure leaves the target as it was.
core::PrintResult writeJobPdf(const core::PrintJob& job, const QString& path, const JobProgress& progress);

} // namespace printing
