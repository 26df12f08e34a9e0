// The Qt desktop's printing and saving of sheets as lines on pages: one
// document, or a job of many with a progress box.
#include <algorithm>

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include "print_job.h"
#include "printing.h"
#include "qt_desktop.h"
#include "twips.h"

namespace app {

using namespace widgets;
using namespace printing;

namespace {

// Shown only when the pages take longer than half a second; its button stops the job.
class ProgressBox {
  public:
    ProgressBox(QWidget* parent, const core::PrintJob& job, int copies)
        : parent_(parent), dialog_(job.progress, QStringLiteral("Abbrechen"), 0,
                                        std::max(1, copies * int(job.documents.size())), parent_) {
        dialog_.setWindowTitle(job.title);
        // Until the job is done nothing else of the program may be clicked.
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(500);
        tw::zoomBox(&dialog_, parent_);
        tw::fitBox(&dialog_, parent_);
        dialog_.setValue(0);
    }
    ~ProgressBox() {
        if (shown_) tw::returnFocus(parent_);
    }
    JobProgress callback() {
        return [this](int done, int) {
            dialog_.setValue(done);
            shown_ = shown_ || dialog_.isVisible();
            return !dialog_.wasCanceled();
        };
    }

  private:
    QWidget* parent_;
    QProgressDialog dialog_;
    bool shown_ = false;
};

} // namespace

core::PrintResult QtDesktop::print(const core::PrintDocument& doc) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return core::PrintResult::NoPrinter;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(doc.lines.value(0));
    if (printer.outputFormat() != QPrinter::NativeFormat) return core::PrintResult::NoPrinter;
    return renderDocument(printer, doc) ? core::PrintResult::Printed : core::PrintResult::Failed;
}

bool QtDesktop::printToPdf(const core::PrintDocument& doc, const QString& path) {
    return writeJobPdf({{doc}, doc.lines.value(0), {}}, path, {}) == core::PrintResult::Printed;
}

core::PrintResult QtDesktop::printJobToPdf(QWidget* parent, const core::PrintJob& job,
                                           const QString& path) {
    ProgressBox box(parent, job, 1);
    return writeJobPdf(job, path, box.callback());
}

core::PrintResult QtDesktop::printJobWithDialog(QWidget* parent, const core::PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    const core::PrintResult chosen = choosePrinter(parent, printer, job.title);
    if (chosen != core::PrintResult::Printed) return chosen;
    setSheetMargins(printer);
    const int copies = copiesToDraw(printer);
    ProgressBox box(parent, job, copies);
    QPainter p;
    if (!p.begin(&printer)) return core::PrintResult::Failed;
    const core::PrintResult result = drawJob(p, printer, job.documents, copies, box.callback());
    // A stopped job must not reach the paper half done.
    if (result == core::PrintResult::Cancelled) printer.abort();
    const bool ended = p.end();
    if (result != core::PrintResult::Printed) return result;
    return ended && printer.printerState() != QPrinter::Error ? core::PrintResult::Printed
                                                              : core::PrintResult::Failed;
}

} // namespace app
