// The real runtime's printing and saving of sheets as lines on pages: one
// document, or a job of many with a progress box.
#include <algorithm>

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include "print_job.h"
#include "printing.h"
#include "qt_runtime.h"
#include "twips.h"
#include "window_stack.h"

namespace shell {

namespace {

// Shown only when the pages take longer than half a second; its button stops the job.
class ProgressBox {
  public:
    ProgressBox(const PrintJob& job, int copies)
        : parent_(boxParent()), dialog_(job.progress, QStringLiteral("Abbrechen"), 0,
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
        if (shown_) forms::restoreFocus();
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

PrintResult QtRuntime::print(const PrintDocument& doc) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return PrintResult::NoPrinter;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(doc.lines.value(0));
    if (printer.outputFormat() != QPrinter::NativeFormat) return PrintResult::NoPrinter;
    return renderDocument(printer, doc) ? PrintResult::Printed : PrintResult::Failed;
}

bool QtRuntime::printToPdf(const PrintDocument& doc, const QString& path) {
    return writeJobPdf({{doc}, doc.lines.value(0), {}}, path, {}) == PrintResult::Printed;
}

PrintResult QtRuntime::printJobToPdf(const PrintJob& job, const QString& path) {
    ProgressBox box(job, 1);
    return writeJobPdf(job, path, box.callback());
}

PrintResult QtRuntime::printJobWithDialog(const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    const PrintResult chosen = choosePrinter(printer, job.title);
    if (chosen != PrintResult::Printed) return chosen;
    setSheetMargins(printer);
    const int copies = copiesToDraw(printer);
    ProgressBox box(job, copies);
    QPainter p;
    if (!p.begin(&printer)) return PrintResult::Failed;
    const PrintResult result = drawJob(p, printer, job.documents, copies, box.callback());
    // A stopped job must not reach the paper half done.
    if (result == PrintResult::Cancelled) printer.abort();
    const bool ended = p.end();
    if (result != PrintResult::Printed) return result;
    return ended && printer.printerState() != QPrinter::Error ? PrintResult::Printed
                                                              : PrintResult::Failed;
}

} // namespace shell
