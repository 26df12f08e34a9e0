#pragma once

#include <QString>
#include <QStringList>

#include "page_layout.h"

namespace core {

// One print job: every line printed top to bottom in one fixed-pitch font,
// centred as a block between the page margins. A page break never falls
// inside one of the keep-together groups that fits on a page.
struct PrintDocument {
    double pointSize = 12;
    QStringList lines;
    QList<KeepTogether> keepTogether;
    // A line at the foot of every page of the document, inside the margins, in
    // the same font at footPointSize; "{page}" and "{pages}" become the page
    // and the document's page count. Empty: no foot line, and no room kept.
    QString footLine;
    double footPointSize = 10;
};

// Many documents in one job (a class set): each starts on a new page. While the
// pages are made, long work shows `progress` in a box titled `title` that can
// cancel the job.
struct PrintJob {
    QList<PrintDocument> documents;
    QString title;
    QString progress;
};

// The least margin on every side of a printed page, in millimetres.
constexpr double kPageMarginMm = 12;

enum class PrintResult {
    Printed,   // handed to the default printer
    NoPrinter, // no printer is set up on this machine
    Failed,    // the printer could not be opened or the job failed
    Cancelled, // the user closed the print dialog without printing
};

} // namespace core
