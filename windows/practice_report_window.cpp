#include "practice_report_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "fonts.h"
#include "keyboard_access.h"
#include "practice_record.h"
#include "runtime.h"
#include "twips.h"
#include "window_stack.h"

namespace windows {

namespace {

const QString kSaveCaption = QStringLiteral("Als PDF speichern");
const QColor kBack(192, 192, 255);

// What the boxes around printing and saving the report say.
const printing::SheetKind& reportKind() {
    static const printing::SheetKind k{
        QString(),
        QStringLiteral("Der Übungsbericht wird gedruckt ...\r\r"),
        QStringLiteral("Übungsbericht als PDF-Datei speichern"),
        QStringLiteral("Übungsbericht.pdf"),
        QStringLiteral("Der Übungsbericht wurde als PDF-Datei gespeichert:\r"),
        QStringLiteral("Soll der Übungsbericht stattdessen als PDF-Datei gespeichert werden?\r\r"),
    };
    return k;
}

// Pixels to a point in w's window: the window's own mapping (a point is 20 twips).
double pxPerPt(const QWidget* w) {
    return tw::toPx(w, 1440) / 72.0;
}

} // namespace

// ---------------------------------------------------------------- the page

PracticeReportPage::PracticeReportPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("reportPage"));
    setAccessibleName(QStringLiteral("Übungsbericht"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBack);
    setPalette(pal);
}

double PracticeReportPage::margin() const {
    return tw::toPx(this, 360);
}

void PracticeReportPage::setReport(core::PracticeReport report) {
    // Read out as a whole: the drawing is no text an assistive tool can see.
    setAccessibleDescription(core::reportLines(report).join(QLatin1Char('\n')));
    drawing_ = printing::ReportDrawing(std::move(report));
    remeasure();
}

void PracticeReportPage::remeasure() {
    const double unit = pxPerPt(this);
    drawing_.measure(this, unit, printing::ReportDrawing::kWidthPt * unit);
    const QSize content(qCeil(drawing_.width() + 2 * margin()),
                        qCeil(drawing_.rowCount() * drawing_.rowHeight() + 2 * margin()));
    setMinimumSize(content);
    update();
}

void PracticeReportPage::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The sheet stands centred in the window, as on paper.
    const double m = margin();
    const double left = std::max(0.0, (width() - drawing_.width()) / 2 - m);
    const QRectF sheet(left, 0, drawing_.width() + 2 * m, height());
    p.fillRect(sheet, Qt::white);
    const double row = drawing_.rowHeight();
    const QRect dirty = e->rect();
    for (int i = 0; i < drawing_.rowCount(); ++i) {
        const double top = m + i * row;
        if (top > dirty.bottom() || top + row < dirty.top()) continue;
        drawing_.drawRow(p, i, QPointF(left + m, top));
    }
}

// ---------------------------------------------------------------- the window

PracticeReportWindow::PracticeReportWindow(core::PracticeRecord& record, QWidget* parent)
    : widgets::Form(parent), record_(record) {
    setObjectName(QStringLiteral("practiceReportWindow"));
    setWindowTitle(QStringLiteral("Übungsbericht"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBack);
    setPalette(pal);

    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("reportScrollArea"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidgetResizable(true);
    page = new PracticeReportPage;
    scrollArea->setWidget(page);

    auto button = [this](const char* name, const char* caption) {
        auto* b = new widgets::CommandButton(this, QLatin1String(name), QString::fromUtf8(caption));
        b->setFont(widgets::sansFont(8.25, true));
        return b;
    };
    printButton = button("printButton", "Drucken …");
    savePdfButton = button("savePdfButton", "Als PDF speichern …");
    startAfreshButton = button("startAfreshButton", "Neu beginnen");
    closeButton = button("closeButton", "Schließen");
    closeButton->setShortcut(Qt::Key_Escape);
    // Enter presses a button as Space does.
    for (QPushButton* b : {printButton, savePdfButton, startAfreshButton, closeButton})
        widgets::pressableByKeys(b);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton);
    buttons->addWidget(savePdfButton);
    buttons->addStretch(1);
    buttons->addWidget(startAfreshButton);
    buttons->addWidget(closeButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(scrollArea, 1);
    column->addLayout(buttons);

    connect(printButton, &QPushButton::clicked, this, [this] { printReport(); });
    connect(savePdfButton, &QPushButton::clicked, this, [this] { saveReportPdf(); });
    connect(startAfreshButton, &QPushButton::clicked, this, [this] { startAfresh(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { closeReport(); });
}

void PracticeReportWindow::open(QWidget* from) {
    from_ = from;
    const QSize room = tw::roomOnScreen(from ? from : this);
    // At the board the report is read from as far away as its window, but the
    // whole width of the sheet must fit the screen: its counts never hide
    // behind a scroll bar.
    tw::takeBoxZoom(this, from);
    const int scrollBar = scrollArea->verticalScrollBar()->sizeHint().width();
    int wide = layOut();
    if (wide > room.width()) {
        tw::Zoom fitting;
        fitting.factor = std::max(0.5, tw::zoomOf(this).factor * (room.width() - scrollBar) /
                                           double(wide - scrollBar));
        tw::setZoom(this, fitting);
        wide = layOut();
    }
    // Sized for reading each time, at the zoom it is opened at: the whole
    // width of the sheet and a good part of its height.
    resize(QSize(wide, tw::toPx(this, 9600)).boundedTo(room));
    widgets::forms::show(this);
}

int PracticeReportWindow::layOut() {
    for (QPushButton* b : {printButton, savePdfButton, startAfreshButton, closeButton})
        tw::zoomFont(b);
    const int gap = tw::toPx(this, 120);
    layout()->setContentsMargins(gap, gap, gap, gap);
    layout()->setSpacing(gap);
    refresh();
    return page->minimumWidth() + 2 * gap + scrollArea->verticalScrollBar()->sizeHint().width();
}

void PracticeReportWindow::refresh() {
    page->setReport(core::buildReport(record_, QDateTime::currentDateTime(), core::ReportFor::Screen));
}

void PracticeReportWindow::Form_Activate() {
    centreOnScreen();
}

void PracticeReportWindow::Form_Unload(bool& cancel) {
    // Kept, hidden, for the next opening.
    cancel = true;
    closeReport();
}

bool PracticeReportWindow::unlocked() {
    // Without a lock to ask, nothing leaves the machine.
    return printerLock && printing::printingUnlocked(printerLock());
}

printing::PdfWrite PracticeReportWindow::pdfWrite() {
    return [this](const QString& path) {
        printing::ReportDocument doc(core::buildReport(record_, QDateTime::currentDateTime(), core::ReportFor::Paper));
        return widgets::runtime().savePaintedPdf(doc, path) ? core::PrintResult::Printed
                                                          : core::PrintResult::Failed;
    };
}

void PracticeReportWindow::printReport() {
    if (!unlocked()) return;
    printing::ReportDocument doc(core::buildReport(record_, QDateTime::currentDateTime(), core::ReportFor::Paper));
    printing::afterPrintDialog(reportKind(), pdfWrite(),
                                 widgets::runtime().printPaintedWithDialog(doc));
}

void PracticeReportWindow::saveReportPdf() {
    if (unlocked()) printing::savePdf(reportKind(), pdfWrite(), kSaveCaption, kSaveCaption);
}

void PracticeReportWindow::startAfresh() {
    const int style = widgets::YesNo + widgets::QuestionIcon + widgets::SecondButtonDefault;
    const int answer = widgets::runtime().msgBox(
        QStringLiteral("Den Übungsbericht leeren und neu beginnen?\r"
                       "Die Zähler im Übungsfenster bleiben, wie sie sind.\r\r"),
        style, QStringLiteral("Übungsbericht"));
    if (answer != widgets::AnswerYes) return;
    record_.clear(QDateTime::currentMSecsSinceEpoch());
    refresh();
}

void PracticeReportWindow::closeReport() {
    widgets::forms::hide(this);
    // The keyboard goes back to the window the report was opened from, which
    // goes on as it was: no Activate, no new task.
    if (from_ && from_->isVisible()) {
        from_->raise();
        from_->activateWindow();
    }
}

} // namespace windows
