#include "scripted_desktop.h"

#include <QBuffer>
#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QMimeData>
#include <QPdfWriter>
#include <QScreen>
#include <QTest>

#include "painted_pages.h"
#include "twips.h"

ScriptedDesktop::ScriptedDesktop() {
    const QScreen* s = QGuiApplication::primaryScreen();
    const QSize px = s ? s->geometry().size() : QSize(800, 600);
    screen = QSize(tw::fromPx(px.width()), tw::fromPx(px.height()));
}

ScriptedDesktop::~ScriptedDesktop() = default;

QList<ScriptedDesktop::Box> ScriptedDesktop::takeBoxes() {
    QList<Box> b = boxes;
    boxes.clear();
    return b;
}

void ScriptedDesktop::record(QWidget* parent, const Box& b) {
    boxes.append(b);
    boxParents.append(parent);
    if (!parent) {
        const QByteArray msg = "a box without its window: " + QByteArray(toString(b));
        QTest::qFail(msg.constData(), __FILE__, __LINE__);
    }
    if (onBox) onBox(b);
}

void ScriptedDesktop::unexpected(const Box& b) {
    ++unexpectedBoxes;
    const QByteArray msg = "unexpected box: " + QByteArray(toString(b));
    QTest::qFail(msg.constData(), __FILE__, __LINE__);
}

widgets::Answer ScriptedDesktop::message(QWidget* parent, const QString& title,
                                         const QString& text, widgets::BoxStyle style) {
    const Box b{Box::Message, text, style, title, {}};
    record(parent, b);
    if (msgAnswers.isEmpty()) {
        unexpected(b);
        return style.buttons == widgets::Buttons::Ok ? widgets::Answer::Ok : widgets::Answer::No;
    }
    return msgAnswers.dequeue();
}

QString ScriptedDesktop::askText(QWidget* parent, const QString& title, const QString& prompt,
                                 const QString& preset) {
    const Box b{Box::Input, prompt, {}, title, preset};
    record(parent, b);
    if (inputAnswers.isEmpty()) {
        unexpected(b);
        return {};
    }
    return inputAnswers.dequeue();
}

QString ScriptedDesktop::askSaveFile(QWidget* parent, const QString& caption,
                                     const QString& suggestedName, const QString& filter) {
    const Box b{Box::SaveFile, filter, {}, caption, suggestedName};
    record(parent, b);
    if (fileAnswers.isEmpty()) {
        unexpected(b);
        return {};
    }
    return fileAnswers.dequeue();
}

qint64 ScriptedDesktop::now() {
    return QDateTime::currentMSecsSinceEpoch();
}

double ScriptedDesktop::random() {
    ++draws;
    if (!forced.isEmpty()) return forced.dequeue();
    return std::generate_canonical<double, 53>(gen);
}

core::PrintResult ScriptedDesktop::print(const core::PrintDocument& doc) {
    if (printerAnswer == core::PrintResult::Printed) printed.append(doc);
    return printerAnswer;
}

bool ScriptedDesktop::printToPdf(const core::PrintDocument& doc, const QString& path) {
    if (!pdfWorks) return false;
    pdfs.append({path, doc});
    return true;
}

core::PrintResult ScriptedDesktop::printDialog(QWidget* parent, const QString& prompt) {
    const Box b{Box::PrintDialog, prompt, {}, {}, {}};
    record(parent, b);
    if (printDialogAnswers.isEmpty()) {
        unexpected(b);
        return core::PrintResult::Cancelled;
    }
    return printDialogAnswers.dequeue();
}

core::PrintResult ScriptedDesktop::printWithDialog(QWidget* parent,
                                                   const core::PrintDocument& doc) {
    const core::PrintResult r = printDialog(parent, doc.lines.value(0));
    if (r == core::PrintResult::Printed) printed.append(doc);
    return r;
}

core::PrintResult ScriptedDesktop::printJobWithDialog(QWidget* parent, const core::PrintJob& job) {
    const core::PrintResult r = printDialog(parent, job.title);
    if (r == core::PrintResult::Printed) printedJobs.append(job);
    return r;
}

core::PrintResult ScriptedDesktop::printJobToPdf(QWidget*, const core::PrintJob& job,
                                                 const QString& path) {
    if (jobAnswer == core::PrintResult::Printed) pdfJobs.append({path, job});
    return jobAnswer;
}

void ScriptedDesktop::setClipboard(const QString& text, const QString& html) {
    ++clipboardWrites;
    clipboard = text;
    clipboardHtml = html;
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setMimeData(data);
}

core::PrintResult ScriptedDesktop::printPaintedWithDialog(QWidget* parent,
                                                          widgets::PaintedDocument& doc) {
    const core::PrintResult r = printDialog(parent, doc.title());
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

bool ScriptedDesktop::savePaintedPdf(widgets::PaintedDocument& doc, const QString& path) {
    int pages = 0;
    if (!pdfWorks || !printing::writePaintedPdf(doc, path, &pages)) return false;
    paintedPdfs.append({doc.title(), path, pages});
    return true;
}

char* toString(const ScriptedDesktop::Box& b) {
    QString p = b.prompt;
    p.replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"));
    const char* kinds[] = {"msg", "input", "file", "print"};
    const char* buttons[] = {"Ok", "YesNo", "YesNoDefaultNo"};
    const char* icons[] = {"None", "Stop", "Question", "Warning"};
    const QString style = QStringLiteral("%1+%2").arg(QLatin1String(buttons[int(b.style.buttons)]),
                                                      QLatin1String(icons[int(b.style.icon)]));
    return qstrdup(QStringLiteral("%1(\"%2\", %3, \"%4\", \"%5\")")
                       .arg(QLatin1String(kinds[b.kind]), p, style, b.title, b.defaultText)
                       .toUtf8()
                       .constData());
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(10);
    }
}
