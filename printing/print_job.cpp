#include "print_job.h"

#include <algorithm>

#include <QApplication>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "fonts.h"
#include "program_window.h"
#include "page_layout.h"
#include "printing.h"

namespace printing {

namespace {

// One document, beginning on the painter's current page.
bool drawDocument(QPainter& p, QPagedPaintDevice& device, const core::PrintDocument& doc) {
    const QFont body = widgets::fixedFont(doc.pointSize);
    const QFont foot = widgets::fixedFont(doc.footPointSize);
    const QFontMetricsF fm(body, &device);
    const QFontMetricsF footFm(foot, &device);
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiY());
    const bool hasFoot = !doc.footLine.isEmpty();
    // The foot line's room is kept free on every page, so no sheet line can run into it.
    const qreal room = area.height() - (hasFoot ? footFm.lineSpacing() : 0);
    const QList<core::LinePlace> places =
        core::placeLines(doc.lines, doc.keepTogether, core::linesPerPage(fm.lineSpacing(), room));
    const int pages = std::max(1, core::pageCount(places));
    qreal widest = 0;
    for (const QString& line : doc.lines)
        widest = std::max(widest, fm.horizontalAdvance(core::visiblePart(line)));
    const qreal left = core::centredOffset(area.width(), widest);

    int i = 0;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) return false;
        p.setFont(body);
        for (; i < doc.lines.size() && places.at(i).page <= page; ++i) {
            const core::LinePlace at = places.at(i);
            if (at.page == page)
                p.drawText(QPointF(left, at.row * fm.lineSpacing() + fm.ascent()), doc.lines.at(i));
        }
        if (!hasFoot) continue;
        p.setFont(foot);
        const QString text = footLineOf(doc.footLine, page + 1, pages);
        p.drawText(QPointF(core::centredOffset(area.width(), footFm.horizontalAdvance(text)),
                           area.height() - footFm.descent()),
                   text);
    }
    return true;
}

} // namespace

QString footLineOf(const QString& pattern, int page, int pages) {
    QString s = pattern;
    s.replace(QLatin1String("{pages}"), QString::number(pages));
    s.replace(QLatin1String("{page}"), QString::number(page));
    return s;
}

core::PrintResult drawJob(QPainter& p, QPagedPaintDevice& device, const QList<core::PrintDocument>& docs,
                    int copies, const JobProgress& progress) {
    const int total = copies * int(docs.size());
    int done = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (const core::PrintDocument& doc : docs) {
            if (done > 0 && !device.newPage()) return core::PrintResult::Failed;
            if (!drawDocument(p, device, doc)) return core::PrintResult::Failed;
            ++done;
            if (progress && !progress(done, total)) return core::PrintResult::Cancelled;
        }
    }
    return core::PrintResult::Printed;
}

core::PrintResult writeJobPdf(const core::PrintJob& job, const QString& path, const JobProgress& progress) {
    return writePdf(path, job.title, [&job, &progress](QPainter& p, QPdfWriter& pdf) {
        return drawJob(p, pdf, job.documents, 1, progress);
    });
}

} // namespace printing
