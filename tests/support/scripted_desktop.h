#pragma once

#include <QList>
#include <QPointer>
#include <QQueue>
#include <QString>
#include <QWidget>
#include <functional>
#include <random>

#include "desktop.h"
#include "window_stack.h"

// Test double of the desktop: records every box exactly as passed and answers
// from a queue. A box that the test did not script, or one without the window
// it belongs to, fails the running test. It holds the window stack the
// windows under test belong to.
class ScriptedDesktop : public widgets::Desktop {
  public:
    struct Box {
        enum Kind { Message, Input, SaveFile, PrintDialog } kind;
        QString prompt;
        widgets::BoxStyle style;
        QString title;
        QString defaultText;
        bool operator==(const Box& o) const {
            return kind == o.kind && prompt == o.prompt && style == o.style && title == o.title &&
                   defaultText == o.defaultText;
        }
    };

    ScriptedDesktop();
    ~ScriptedDesktop() override;

    // Answers for the next boxes, in order.
    void answer(widgets::Answer a) { msgAnswers.enqueue(a); }
    void answerInput(const QString& text) { inputAnswers.enqueue(text); }
    void answerSaveFile(const QString& path) { fileAnswers.enqueue(path); }
    // Forced random numbers, used before the seeded generator.
    void forceRnd(double v) { forced.enqueue(v); }
    void forceRnd(std::initializer_list<double> vs) {
        for (double v : vs)
            forced.enqueue(v);
    }
    // The number that makes floor(random * range) + offset equal value.
    static double draw(int value, int offset, int range) { return (value - offset + 0.5) / range; }
    void seed(unsigned s) { gen.seed(s); }

    // Called while a box is open, with the box, before it is answered.
    std::function<void(const Box&)> onBox;

    QList<Box> boxes;
    int unexpectedBoxes = 0;
    // The windows the boxes belonged to, in order.
    QList<QPointer<QWidget>> boxParents;
    // Random numbers drawn, forced or not.
    int draws = 0;
    QList<core::PrintDocument> printed;
    QList<QPair<QString, core::PrintDocument>> pdfs;
    core::PrintResult printerAnswer = core::PrintResult::Printed;
    bool pdfWorks = true;
    QString clipboard;
    int clipboardWrites = 0;
    // The real screen's size, so that centred windows stay where the pointer can reach them.
    QSize screen;

    QQueue<widgets::Answer> msgAnswers;
    QQueue<QString> inputAnswers;
    QQueue<QString> fileAnswers;
    QQueue<double> forced;

    // Boxes recorded since the last call, and the record cleared.
    QList<Box> takeBoxes();
    // True when every scripted answer was used.
    bool allAnswersUsed() const {
        return msgAnswers.isEmpty() && inputAnswers.isEmpty() && fileAnswers.isEmpty() &&
               printDialogAnswers.isEmpty();
    }

    widgets::Answer message(QWidget* parent, const QString& title, const QString& text,
                            widgets::BoxStyle style) override;
    QString askText(QWidget* parent, const QString& title, const QString& prompt,
                    const QString& preset) override;
    QString askSaveFile(QWidget* parent, const QString& caption, const QString& suggestedName,
                        const QString& filter) override;
    double random() override;
    qint64 now() override;
    QSize screenTwips() override { return screen; }
    core::PrintResult print(const core::PrintDocument& doc) override;
    bool printToPdf(const core::PrintDocument& doc, const QString& path) override;

    // The print dialog is recorded as a box (prompt: the document's first line)
    // and answered from its own queue; a Printed answer adds the job to printed.
    void answerPrintDialog(core::PrintResult r) { printDialogAnswers.enqueue(r); }
    QQueue<core::PrintResult> printDialogAnswers;
    core::PrintResult printWithDialog(QWidget* parent, const core::PrintDocument& doc) override;
    // Jobs of many documents. The print dialog is recorded as a box (prompt: the
    // job's title) and answered from printDialogAnswers; jobAnswer is what a
    // written PDF job returns (Printed: written, and recorded in pdfJobs).
    QList<core::PrintJob> printedJobs;
    QList<QPair<QString, core::PrintJob>> pdfJobs;
    core::PrintResult jobAnswer = core::PrintResult::Printed;
    core::PrintResult printJobWithDialog(QWidget* parent, const core::PrintJob& job) override;
    core::PrintResult printJobToPdf(QWidget* parent, const core::PrintJob& job,
                                    const QString& path) override;

    // The HTML put beside the text by the last setClipboard().
    QString clipboardHtml;
    void setClipboard(const QString& text, const QString& html) override;

    // Pages the program paints itself. The print dialog is recorded as a box
    // (prompt: the document's title) and answered from printDialogAnswers; a
    // printed document is laid out on a PDF in memory. A saved one is written
    // to its path for real, so that a test can read it back.
    struct PaintedJob {
        QString title;
        QString path; // empty for a printed job
        int pages = 0;
    };
    QList<PaintedJob> paintedPrinted;
    QList<PaintedJob> paintedPdfs;
    core::PrintResult printPaintedWithDialog(QWidget* parent,
                                             widgets::PaintedDocument& doc) override;
    bool savePaintedPdf(widgets::PaintedDocument& doc, const QString& path) override;

    // The program's windows, made with this desktop.
    widgets::WindowStack windows{*this};
    // A window for boxes in tests of actions that belong to no window of the
    // program.
    QWidget boxOwner;

  private:
    // Records a box and the window it belongs to.
    void record(QWidget* parent, const Box& b);
    void unexpected(const Box& b);
    // Records the print dialog as a box and answers it from its queue.
    core::PrintResult printDialog(QWidget* parent, const QString& prompt);
    std::mt19937 gen{12345};
};

// Builds a message-box record for comparisons.
inline ScriptedDesktop::Box msgRecord(const QString& prompt, widgets::BoxStyle style,
                                      const QString& title) {
    return {ScriptedDesktop::Box::Message, prompt, style, title, {}};
}

char* toString(const ScriptedDesktop::Box& b);

// Lets queued events (focus reports, deferred deletes) arrive.
void settle();
