#include "scripted_runtime.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPdfWriter>
#include <QScreen>
#include <QTest>

#include "painted_pages.h"
#include "twips.h"

ScriptedRuntime::ScriptedRuntime() {
    widgets::setRuntime(this);
    const QScreen* s = QGuiApplication::primaryScreen();
    const QSize px = s ? s->geometry().size() : QSize(800, 600);
    screen = QSize(tw::fromPx(px.width()), tw::fromPx(px.height()));
}

ScriptedRuntime::~ScriptedRuntime() {
    widgets::setRuntime(nullptr);
}

QList<ScriptedRuntime::Box> ScriptedRuntime::takeBoxes() {
    QList<Box> b = boxes;
    boxes.clear();
    return b;
}

void ScriptedRuntime::unexpected(const Box& b) {
    ++unexpectedBoxes;
    const QByteArray msg = "unexpected box: " + QByteArray(toString(b));
    QTest::qFail(msg.constData(), __FILE__, __LINE__);
}

int ScriptedRuntime::msgBox(const QString& prompt, int style, const QString& title) {
    const Box b{Box::Message, prompt, style, title, {}};
    boxes.append(b);
    if (onBox) onBox(b);
    if (msgAnswers.isEmpty()) {
        unexpected(b);
        return (style & 7) == widgets::YesNo ? widgets::AnswerNo : widgets::AnswerOk;
    }
    return msgAnswers.dequeue();
}

QString ScriptedRuntime::inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) {
    const Box b{Box::Input, prompt, 0, title, defaultText};
    boxes.append(b);
    if (onBox) onBox(b);
    if (inputAnswers.isEmpty()) {
        unexpected(b);
        return {};
    }
    return inputAnswers.dequeue();
}

QString ScriptedRuntime::saveFileName(const QString& caption, const QString& suggestedName,
                                      const QString& filter) {
    const Box b{Box::SaveFile, filter, 0, caption, suggestedName};
    boxes.append(b);
    if (onBox) onBox(b);
    if (fileAnswers.isEmpty()) {
        unexpected(b);
        return {};
    }
    return fileAnswers.dequeue();
}

double ScriptedRuntime::rnd() {
    ++draws;
    if (!forced.isEmpty()) return forced.dequeue();
    return std::generate_canonical<double, 53>(gen);
}

core::PrintResult ScriptedRuntime::print(const core::PrintDocument& doc) {
    if (printerAnswer == core::PrintResult::Printed) printed.append(doc);
    return printerAnswer;
}

bool ScriptedRuntime::printToPdf(const core::PrintDocument& doc, const QString& path) {
    if (!pdfWorks) return false;
    pdfs.append({path, doc});
    return true;
}

void ScriptedRuntime::setClipboardText(const QString& text) {
    ++clipboardWrites;
    clipboard = text;
    // The offscreen clipboard works inside the process, so tests can read it back.
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(text);
}

core::PrintResult ScriptedRuntime::printDialog(const QString& prompt) {
    const Box b{Box::PrintDialog, prompt, 0, {}, {}};
    boxes.append(b);
    if (onBox) onBox(b);
    if (printDialogAnswers.isEmpty()) {
        unexpected(b);
        return core::PrintResult::Cancelled;
    }
    return printDialogAnswers.dequeue();
}

core::PrintResult ScriptedRuntime::printWithDialog(const core::PrintDocument& doc) {
    const core::PrintResult r = printDialog(doc.lines.value(0));
    if (r == core::PrintResult::Printed) printed.append(doc);
    return r;
}

core::PrintResult ScriptedRuntime::printJobWithDialog(const core::PrintJob& job) {
    const core::PrintResult r = printDialog(job.title);
    if (r == core::PrintResult::Printed) printedJobs.append(job);
    return r;
}

core::PrintResult ScriptedRuntime::printJobToPdf(const core::PrintJob& job, const QString& path) {
    if (jobAnswer == core::PrintResult::Printed) pdfJobs.append({path, job});
    return jobAnswer;
}

void ScriptedRuntime::setClipboardContent(const QString& text, const QString& html) {
    ++clipboardWrites;
    clipboard = text;
    clipboardHtml = html;
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setMimeData(data);
}

core::PrintResult ScriptedRuntime::printPaintedWithDialog(widgets::PaintedDocument& doc) {
    const core::PrintResult r = printDialog(doc.title());
    if (r != core::PrintResult::Printed) return r;
    QBuffer paper;
    paper.open(QIODevice::WriteOnly);
    QPdfWriter printer(&paper);
    printer.setPageSize(QPageSize(QPageSize::A4));
    int pages = 0;
    if (!printing::renderPainted(printer, doc, 1, &pages)) return core::PrintResult::Failed;
    paintedPrinted.append({doc.title(), {}, pages});
    return r;
}

bool ScriptedRuntime::savePaintedPdf(widgets::PaintedDocument& doc, const QString& path) {
    int pages = 0;
    if (!pdfWorks || !printing::writePaintedPdf(doc, path, &pages)) return false;
    paintedPdfs.append({doc.title(), path, pages});
    return true;
}

char* toString(const ScriptedRuntime::Box& b) {
    QString p = b.prompt;
    p.replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"));
    const char* kinds[] = {"msg", "input", "file", "print"};
    return qstrdup(QStringLiteral("%1(\"%2\", %3, \"%4\", \"%5\")")
                       .arg(QLatin1String(kinds[b.kind]), p)
                       .arg(b.style)
                       .arg(b.title, b.defaultText)
                       .toUtf8()
                       .constData());
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(10);
    }
}
