#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include "painted_document.h"
#include "print_document.h"

namespace widgets {


// Message box styles, summed as in the classic runtime.
enum MsgStyle : int {
    OkOnly = 0,
    YesNo = 4,
    StopIcon = 16,
    QuestionIcon = 32,
    SecondButtonDefault = 256,
};

// Answers of a message box.
enum MsgAnswer : int {
    AnswerOk = 1,
    AnswerYes = 6,
    AnswerNo = 7,
};

// Everything a window needs from the outside world that a test must control or
// observe goes through this interface: the program uses QtRuntime, tests a
// scripted double.
class Runtime {
  public:
    virtual ~Runtime() = default;

    // Modal message box; returns AnswerOk, AnswerYes or AnswerNo.
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // Modal input box; cancelling returns "".
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;

    // Reseeds the generator from the clock. Reseeding never restarts the
    // sequence, so tasks drawn within one second still differ.
    virtual void randomize() = 0;
    // Next number, uniform in [0, 1).
    virtual double rnd() = 0;

    // Screen size in twips.
    virtual QSize screenTwips() = 0;

    // Prints on the system's default printer, without a dialog.
    virtual core::PrintResult print(const core::PrintDocument& doc) = 0;
    // Qt's print dialog: the user picks the printer and the number of copies,
    // then the same pages as print() go out. NoPrinter without opening the
    // dialog when no printer is set up.
    virtual core::PrintResult printWithDialog(const core::PrintDocument& doc) = 0;
    // Writes the same pages into a PDF file; false when the file cannot be written.
    virtual bool printToPdf(const core::PrintDocument& doc, const QString& path) = 0;
    // File dialog for saving; "" when cancelled.
    virtual QString saveFileName(const QString& caption, const QString& suggestedName,
                                 const QString& filter) = 0;

    // A job of many documents through Qt's print dialog, as printWithDialog();
    // Cancelled also when the progress box cancels it.
    virtual core::PrintResult printJobWithDialog(const core::PrintJob& job) = 0;
    // A job of many documents into one PDF file: Printed once the whole file is
    // written, Failed when it cannot be, Cancelled from the progress box. The
    // file is replaced only when every page is done.
    virtual core::PrintResult printJobToPdf(const core::PrintJob& job, const QString& path) = 0;

    // Replaces the clipboard content with plain text.
    virtual void setClipboardText(const QString& text) = 0;
    // Replaces the clipboard content with the text and, beside it, HTML of the
    // same content.
    virtual void setClipboardContent(const QString& text, const QString& html) = 0;

    // ---- pages the program paints itself (painted_document.h)
    // Qt's print dialog, then the pages on the chosen printer; NoPrinter
    // without opening the dialog when no printer is set up.
    virtual core::PrintResult printPaintedWithDialog(PaintedDocument& doc) = 0;
    // The pages into a PDF file on A4; false when the file cannot be written.
    virtual bool savePaintedPdf(PaintedDocument& doc, const QString& path) = 0;
};

// The runtime every window uses. Set once at start-up (or by a test).
Runtime& runtime();
void setRuntime(Runtime* rt);

} // namespace widgets
