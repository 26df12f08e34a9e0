#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QStringList>

#include "page_layout.h"
#include "painted_document.h"
#include "practice_report.h"

class QPaintDevice;
class QPainter;

namespace printing {

// The practice report drawn in rows of one height, top to bottom: the same
// rows on screen, one under the other, and on paper, where the worksheets'
// page rule decides which rows share a page.
class ReportDrawing {
  public:
    explicit ReportDrawing(core::PracticeReport report = {});

    const core::PracticeReport& report() const { return report_; }

    // The width of the report on A4 paper inside its margins, in points; the
    // screen shows it at the same width.
    static constexpr double kWidthPt = 527;

    // Fonts and measures for drawing on a device at pxPerPt device pixels to
    // a point, at most `width` pixels wide.
    void measure(const QPaintDevice* device, double pxPerPt, double width);
    double rowHeight() const { return rowHeight_; }
    double width() const { return width_; }
    int rowCount() const { return int(rows_.size()); }

    // The rows as the page rule sees them: blank for a gap, something for
    // content; and the runs of rows a page break must not divide.
    QStringList pageLines() const;
    QList<core::KeepTogether> keepTogether() const { return keep_; }

    // Draws one row with its top left corner at `at`.
    void drawRow(QPainter& p, int row, const QPointF& at) const;

  private:
    enum class Kind { Title, Space, Gap, Text, Heading, Bar, TaskLine };
    struct Row {
        Kind kind;
        int item;     // which text, bar or task
        int line = 0; // the line of a task
    };
    void add(Kind kind, int item = 0, int line = 0);
    void drawBar(QPainter& p, const core::ReportBar& bar, const QPointF& at) const;
    void drawTaskLine(QPainter& p, const core::ReportTask& task, int line, const QPointF& at) const;
    QString text(const Row& row) const;

    core::PracticeReport report_;
    QList<Row> rows_;
    QList<core::KeepTogether> keep_;
    QFont title_, body_, note_, bold_, mono_, monoBold_;
    double rowHeight_ = 0, width_ = 0, pxPerPt_ = 1;
    double labelWidth_ = 0, countWidth_ = 0, charWidth_ = 0, maxBar_ = 1;
};

// The report as pages for the printer or a PDF file.
class ReportDocument : public widgets::PaintedDocument {
  public:
    explicit ReportDocument(core::PracticeReport report) : drawing_(std::move(report)) {}
    QString title() const override;
    int paginate(QPainter& p, const QSizeF& area) override;
    void paintPage(QPainter& p, int page, const QSizeF& area) override;

  private:
    ReportDrawing drawing_;
    QList<core::LinePlace> places_;
    double left_ = 0;
};

} // namespace printing
