#pragma once

#include <QSize>
#include <QString>

#include "painted_document.h"
#include "print_document.h"

class QWidget;

namespace widgets {

// The buttons of a message box: OK, or Yes and No with Yes or No as the
// default that Enter presses.
enum class Buttons : quint8 { Ok, YesNo, YesNoDefaultNo };
// The icon beside a box's text.
enum class Icon : quint8 { None, Stop, Question, Warning };
enum class Answer : quint8 { Ok, Yes, No };

struct BoxStyle {
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    bool operator==(const BoxStyle& o) const { return buttons == o.buttons && icon == o.icon; }
};

// What the program needs from the desktop it runs on, and a test must control
// or observe: boxes and dialogs, random numbers and the clock, the screen,
// the printer and PDF files, the clipboard. The program uses the Qt desktop,
// tests a scripted one. Every box and dialog names the window it belongs to.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A modal message box over parent; a carriage return in the text is a
    // line break.
    virtual Answer message(QWidget* parent, const QString& title, const QString& text,
                           BoxStyle style = {}) = 0;
    // A modal box asking for one line of text; "" when cancelled.
    virtual QString askText(QWidget* parent, const QString& title, const QString& prompt,
                            const QString& preset) = 0;
    // The dialog choosing a file to save; "" when cancelled.
    virtual QString askSaveFile(QWidget* parent, const QString& caption,
                                const QString& suggestedName, const QString& filter) = 0;

    // A number uniform in [0, 1); a new sequence each run.
    virtual double random() = 0;
    // Now, in milliseconds since the epoch.
    virtual qint64 now() = 0;
    // The screen's size in twips.
    virtual QSize screenTwips() = 0;

    // The document on the default printer, without a dialog.
    virtual core::PrintResult print(const core::PrintDocument& doc) = 0;
    // Qt's print dialog, then the same pages on the printer chosen; NoPrinter
    // without a dialog where no printer is set up.
    virtual core::PrintResult printWithDialog(QWidget* parent, const core::PrintDocument& doc) = 0;
    // The same pages into a PDF file; false when it cannot be written.
    virtual bool printToPdf(const core::PrintDocument& doc, const QString& path) = 0;
    // Many documents as one job, through the print dialog or into one PDF
    // file written whole or not at all; long work shows a box that can stop
    // it (Cancelled).
    virtual core::PrintResult printJobWithDialog(QWidget* parent, const core::PrintJob& job) = 0;
    virtual core::PrintResult printJobToPdf(QWidget* parent, const core::PrintJob& job,
                                            const QString& path) = 0;
    // Pages the program paints itself, through the print dialog or into a
    // PDF file on A4.
    virtual core::PrintResult printPaintedWithDialog(QWidget* parent, PaintedDocument& doc) = 0;
    virtual bool savePaintedPdf(PaintedDocument& doc, const QString& path) = 0;

    // The clipboard: plain text and, beside it, HTML of the same content.
    virtual void setClipboard(const QString& text, const QString& html) = 0;
};

} // namespace widgets
