#pragma once

#include <functional>
#include <random>

#include "runtime.h"

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;
class QWidget;

namespace shell {

// The runtime of the real program: Qt's boxes, printer, clipboard and screen.
class QtRuntime : public Runtime {
  public:
    QtRuntime();

    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    void randomize() override;
    double rnd() override;
    QSize screenTwips() override;
    PrintResult print(const PrintDocument& doc) override;
    PrintResult printWithDialog(const PrintDocument& doc) override;
    bool printToPdf(const PrintDocument& doc, const QString& path) override;
    QString saveFileName(const QString& caption, const QString& suggestedName,
                         const QString& filter) override;
    PrintResult printJobWithDialog(const PrintJob& job) override;
    PrintResult printJobToPdf(const PrintJob& job, const QString& path) override;
    void setClipboardText(const QString& text) override;
    void setClipboardContent(const QString& text, const QString& html) override;
    // Pages the program paints itself (qt_runtime_painted.cpp).
    PrintResult printPaintedWithDialog(PaintedDocument& doc) override;
    bool savePaintedPdf(PaintedDocument& doc, const QString& path) override;

  private:
    std::mt19937_64 gen_;
    bool seeded_ = false;
};

// The parent of a box or dialog: the window in front, or the program's current one.
QWidget* boxParent();

// Gives a printer or a PDF writer margins of at least kPageMarginMm on every
// side (more where a printer cannot print that close to the edge), keeping
// its paper (A4 when it has none).
void setSheetMargins(QPagedPaintDevice& device);

// Copies the program draws itself: a spooler makes them, a plain printer
// gets them page after page.
int copiesToDraw(const QPrinter& printer);

// Qt's print dialog as the menus open it, on the default printer: a printer
// and the copies, no file, no page range. Printed when a printer is chosen
// and ready for the pages; NoPrinter without a dialog when none is set up;
// Cancelled when the user closes the dialog.
PrintResult choosePrinter(QPrinter& printer, const QString& docName);

// A PDF file on A4 with the sheet margins, written beside the target and put
// in its place only when draw has drawn every page and says Printed: a
// failure or a cancel leaves the target as it was.
PrintResult writePdf(const QString& path, const QString& title,
                     const std::function<PrintResult(QPainter&, QPdfWriter&)>& draw);

// Lays the lines of doc out on the printer's pages: one font, the font's own
// line spacing, the block of lines centred horizontally inside the margins,
// page breaks as placeLines() decides, the foot line (if any) at the bottom of
// every page. Prints the copies itself when the printer cannot. False when the
// printer cannot be opened.
bool renderDocument(QPrinter& printer, const PrintDocument& doc);

} // namespace shell
