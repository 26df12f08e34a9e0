#include "practice_report_drawing.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include "fonts.h"

namespace printing {

namespace {

// Sizes in points.
constexpr double kTitlePt = 20, kHeadingPt = 12, kBodyPt = 11, kNotePt = 10, kMonoPt = 11;

// A wrong place shows in this colour and underlined, so that it reads on a
// black-and-white print too; bars are dark enough to print grey.
const QColor kMarkColour(200, 0, 0);
const QColor kBarColour(60, 100, 170);
const QColor kQuietColour(80, 80, 80);

// Fonts are sized in pixels of the device, from the same scale as every
// length, so text and lines agree on screen and on paper.
QFont sized(QFont f, double points, double pxPerPt) {
    f.setPixelSize(std::max(1, qRound(points * pxPerPt)));
    return f;
}

double baseline(const QFont& f, const QPaintDevice* device, double rowHeight, int rows = 1) {
    const QFontMetricsF fm(f, device);
    return (rows * rowHeight - fm.height()) / 2 + fm.ascent();
}

} // namespace

ReportDrawing::ReportDrawing(core::PracticeReport report) : report_(std::move(report)) {
    add(Kind::Title);
    add(Kind::Space);
    if (!report_.nothingYet.isEmpty()) {
        add(Kind::Gap);
        add(Kind::Text, -1);
        keep_.append({0, int(rows_.size())});
        return;
    }
    add(Kind::Text, -2); // the time span
    add(Kind::Gap);
    for (int i = 0; i < report_.summary.size(); ++i)
        add(Kind::Text, i);
    keep_.append({0, int(rows_.size())});

    add(Kind::Gap);
    const int chart = int(rows_.size());
    add(Kind::Heading, 0);
    for (int b = 0; b < report_.bars.size(); ++b)
        add(Kind::Bar, b);
    keep_.append({chart, int(rows_.size()) - chart});

    add(Kind::Gap);
    const int tasks = int(rows_.size());
    add(Kind::Heading, 1);
    // Two tasks side by side, each with its notes.
    for (int t = 0; t < report_.tasks.size(); t += 2) {
        add(Kind::Gap);
        const int first = int(rows_.size());
        for (int line = 0; line < report_.tasks.at(t).lines.size(); ++line)
            add(Kind::TaskLine, t, line);
        // The heading stays with the first tasks; every task stays whole.
        if (t == 0)
            keep_.append({tasks, int(rows_.size()) - tasks});
        else
            keep_.append({first, int(rows_.size()) - first});
    }
    if (report_.tasks.isEmpty()) keep_.append({tasks, 1});
}

void ReportDrawing::add(Kind kind, int item, int line) {
    rows_.append({kind, item, line});
}

QStringList ReportDrawing::pageLines() const {
    QStringList lines;
    lines.reserve(rows_.size());
    for (const Row& r : rows_)
        lines << (r.kind == Kind::Gap ? QString() : QStringLiteral("#"));
    return lines;
}

void ReportDrawing::measure(const QPaintDevice* device, double pxPerPt, double width) {
    pxPerPt_ = pxPerPt;
    const QString sans = QStringLiteral("MS Sans Serif");
    title_ = sized(widgets::sansFont(kTitlePt, true), kTitlePt, pxPerPt);
    bold_ = sized(widgets::sansFont(kHeadingPt, true), kHeadingPt, pxPerPt);
    body_ = sized(widgets::sansFont(kBodyPt), kBodyPt, pxPerPt);
    note_ = sized(widgets::sansFont(kNotePt), kNotePt, pxPerPt);
    mono_ = sized(widgets::fixedFont(kMonoPt), kMonoPt, pxPerPt);
    monoBold_ = mono_;
    monoBold_.setBold(true);

    const QFontMetricsF body(body_, device), bold(bold_, device), mono(mono_, device);
    // A little air under each row for the underlines of wrong places.
    rowHeight_ =
        std::max({body.lineSpacing(), bold.lineSpacing(), mono.lineSpacing()}) + 2 * pxPerPt;
    width_ = std::min(width, kWidthPt * pxPerPt);
    charWidth_ = mono.horizontalAdvance(QLatin1Char('0'));
    labelWidth_ = 0;
    maxBar_ = 1;
    for (const core::ReportBar& b : report_.bars) {
        labelWidth_ = std::max(labelWidth_, body.horizontalAdvance(b.name));
        maxBar_ = std::max<double>(maxBar_, double(b.count));
    }
    labelWidth_ += 12 * pxPerPt;
    countWidth_ = body.horizontalAdvance(QStringLiteral("000000")) + 6 * pxPerPt;
}

QString ReportDrawing::text(const Row& row) const {
    switch (row.kind) {
    case Kind::Title:
        return report_.title;
    case Kind::Heading:
        return row.item == 0 ? report_.chartTitle : report_.tasksTitle;
    case Kind::Text:
        if (row.item == -1) return report_.nothingYet;
        if (row.item == -2) return report_.span;
        return report_.summary.value(row.item);
    default:
        return {};
    }
}

void ReportDrawing::drawRow(QPainter& p, int index, const QPointF& at) const {
    const Row& row = rows_.at(index);
    const QPaintDevice* device = p.device();
    auto line = [&](const QFont& f, const QString& s, int rows = 1) {
        p.setFont(f);
        p.setPen(Qt::black);
        const QString shown = QFontMetricsF(f, device).elidedText(s, Qt::ElideRight, width_);
        p.drawText(QPointF(at.x(), at.y() + baseline(f, device, rowHeight_, rows)), shown);
    };
    switch (row.kind) {
    case Kind::Title:
        line(title_, text(row), 2);
        break;
    case Kind::Heading:
        line(bold_, text(row));
        break;
    case Kind::Text:
        line(body_, text(row));
        break;
    case Kind::Bar:
        drawBar(p, report_.bars.at(row.item), at);
        break;
    case Kind::TaskLine:
        drawTaskLine(p, report_.tasks.at(row.item), row.line, at);
        if (row.item + 1 < report_.tasks.size())
            drawTaskLine(p, report_.tasks.at(row.item + 1), row.line, at + QPointF(width_ / 2, 0));
        break;
    case Kind::Space:
    case Kind::Gap:
        break;
    }
}

void ReportDrawing::drawBar(QPainter& p, const core::ReportBar& bar, const QPointF& at) const {
    const double y = at.y() + baseline(body_, p.device(), rowHeight_);
    p.setFont(body_);
    p.setPen(Qt::black);
    p.drawText(QPointF(at.x(), y), bar.name);
    const double room = std::max(0.0, width_ - labelWidth_ - countWidth_);
    const double length = room * double(bar.count) / maxBar_;
    const double height = rowHeight_ * 0.6;
    const QRectF box(at.x() + labelWidth_, at.y() + (rowHeight_ - height) / 2, length, height);
    if (bar.count > 0) {
        p.setPen(QPen(Qt::black, 0.75 * pxPerPt_));
        p.setBrush(kBarColour);
        p.drawRect(box);
        p.setBrush(Qt::NoBrush);
        p.setPen(Qt::black);
    }
    p.drawText(QPointF(box.right() + 6 * pxPerPt_, y), QString::number(bar.count));
}

void ReportDrawing::drawTaskLine(QPainter& p, const core::ReportTask& task, int lineNo,
                                 const QPointF& at) const {
    const QString s = task.lines.at(lineNo);
    const double y = at.y() + baseline(mono_, p.device(), rowHeight_);
    // Runs of right places in black; each wrong place on its own, coloured
    // and underlined. Every character keeps its column.
    int from = 0;
    auto flush = [&](int to) {
        if (to <= from) return;
        p.setFont(mono_);
        p.setPen(Qt::black);
        p.drawText(QPointF(at.x() + from * charWidth_, y), s.mid(from, to - from));
    };
    for (int x = 0; x < s.size(); ++x) {
        if (!task.wrongPlaces.contains(core::ReportTask::Place{x, lineNo})) continue;
        flush(x);
        const double left = at.x() + x * charWidth_;
        p.setFont(monoBold_);
        p.setPen(kMarkColour);
        p.drawText(QPointF(left, y), s.mid(x, 1));
        const double thick = std::max(1.0, 1.5 * pxPerPt_);
        p.fillRect(QRectF(left, y + 2 * pxPerPt_, charWidth_, thick), kMarkColour);
        from = x + 1;
    }
    flush(int(s.size()));

    if (lineNo >= task.notes.size()) return;
    const double notesAt = at.x() + 13 * charWidth_;
    const double room = width_ / 2 - 13 * charWidth_ - 8 * pxPerPt_;
    const QFontMetricsF fm(note_, p.device());
    p.setFont(note_);
    p.setPen(lineNo == 0 ? kQuietColour : Qt::black);
    p.drawText(QPointF(notesAt, at.y() + baseline(note_, p.device(), rowHeight_)),
               fm.elidedText(task.notes.at(lineNo), Qt::ElideRight, room));
}

QString ReportDocument::title() const {
    return drawing_.report().title;
}

int ReportDocument::paginate(QPainter& p, const QSizeF& area) {
    const double pxPerPt = p.device()->logicalDpiY() / 72.0;
    drawing_.measure(p.device(), pxPerPt, area.width());
    places_ = core::placeLines(drawing_.pageLines(), drawing_.keepTogether(),
                                core::linesPerPage(drawing_.rowHeight(), area.height()));
    left_ = core::centredOffset(area.width(), drawing_.width());
    return core::pageCount(places_);
}

void ReportDocument::paintPage(QPainter& p, int page, const QSizeF&) {
    for (int i = 0; i < places_.size(); ++i)
        if (places_.at(i).page == page)
            drawing_.drawRow(p, i, QPointF(left_, places_.at(i).row * drawing_.rowHeight()));
}

} // namespace printing
