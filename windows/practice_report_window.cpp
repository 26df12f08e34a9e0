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

#include "practice_record.h"
#include "runtime.h"
#include "twips.h"
#include "window_stack.h"

namespace trainer {

namespace {

const QString kSaveCaption = QStringLiteral("Als PDF speichern");
constexpr quint32 kBack = 0xFFC0C0;

// What the boxes around printing and saving the report say.
const worksheets::SheetKind& reportKind() {
    static const worksheets::SheetKind k{
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
    setObjectName(QStringLiteral("Bild1"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, shell::bgr(kBack));
    setPalette(pal);
}

double PracticeReportPage::margin() const {
    return tw::toPx(this, 360);
}

void PracticeReportPage::setReport(PracticeReport report) {
    drawing_ = ReportDrawing(std::move(report));
    remeasure();
}

void PracticeReportPage::remeasure() {
    const double unit = pxPerPt(this);
    drawing_.measure(this, unit, ReportDrawing::kWidthPt * unit);
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

PracticeReportWindow::PracticeReportWindow(PracticeRecord& record, QWidget* parent)
    : shell::Form(parent), record_(record) {
    setObjectName(QStringLiteral("PracticeReport"));
    setWindowTitle(QStringLiteral("Übungsbericht"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, shell::bgr(kBack));
    setPalette(pal);

    Bildlauf1 = new QScrollArea(this);
    Bildlauf1->setObjectName(QStringLiteral("Bildlauf1"));
    Bildlauf1->setFrameShape(QFrame::NoFrame);
    Bildlauf1->setWidgetResizable(true);
    Bild1 = new PracticeReportPage;
    Bildlauf1->setWidget(Bild1);

    auto button = [this](const char* name, const char* caption) {
        auto* b = new shell::VbButton(this, QLatin1String(name), QString::fromUtf8(caption));
        b->setFont(shell::vbFont(QStringLiteral("MS Sans Serif"), 8.25, true));
        return b;
    };
    Befehl1 = button("Befehl1", "Drucken …");
    Befehl2 = button("Befehl2", "Als PDF speichern …");
    Befehl3 = button("Befehl3", "Neu beginnen");
    Befehl4 = button("Befehl4", "Schließen");
    Befehl4->setShortcut(Qt::Key_Escape);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Befehl1);
    buttons->addWidget(Befehl2);
    buttons->addStretch(1);
    buttons->addWidget(Befehl3);
    buttons->addWidget(Befehl4);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Bildlauf1, 1);
    column->addLayout(buttons);

    connect(Befehl1, &QPushButton::clicked, this, [this] { Befehl1_Click(); });
    connect(Befehl2, &QPushButton::clicked, this, [this] { Befehl2_Click(); });
    connect(Befehl3, &QPushButton::clicked, this, [this] { Befehl3_Click(); });
    connect(Befehl4, &QPushButton::clicked, this, [this] { Befehl4_Click(); });
}

void PracticeReportWindow::open(QWidget* from) {
    from_ = from;
    const QSize room = tw::roomOnScreen(from ? from : this);
    // At the board the report is read from as far away as its window, but the
    // whole width of the sheet must fit the screen: its counts never hide
    // behind a scroll bar.
    tw::takeBoxZoom(this, from);
    const int scrollBar = Bildlauf1->verticalScrollBar()->sizeHint().width();
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
    shell::forms::show(this);
}

int PracticeReportWindow::layOut() {
    for (QPushButton* b : {Befehl1, Befehl2, Befehl3, Befehl4})
        tw::zoomFont(b);
    const int gap = tw::toPx(this, 120);
    layout()->setContentsMargins(gap, gap, gap, gap);
    layout()->setSpacing(gap);
    refresh();
    return Bild1->minimumWidth() + 2 * gap + Bildlauf1->verticalScrollBar()->sizeHint().width();
}

void PracticeReportWindow::refresh() {
    Bild1->setReport(buildReport(record_, QDateTime::currentDateTime(), ReportFor::Screen));
}

void PracticeReportWindow::Form_Activate() {
    centreOnScreen();
}

void PracticeReportWindow::Form_Unload(bool& cancel) {
    // Kept for the next opening, like a window of the classic runtime that
    // is only hidden.
    cancel = true;
    Befehl4_Click();
}

bool PracticeReportWindow::unlocked() {
    // Without a lock to ask, nothing leaves the machine.
    return printerLock && worksheets::printingUnlocked(printerLock());
}

worksheets::PdfWrite PracticeReportWindow::pdfWrite() {
    return [this](const QString& path) {
        ReportDocument doc(buildReport(record_, QDateTime::currentDateTime(), ReportFor::Paper));
        return shell::runtime().savePaintedPdf(doc, path) ? shell::PrintResult::Printed
                                                          : shell::PrintResult::Failed;
    };
}

void PracticeReportWindow::Befehl1_Click() {
    if (!unlocked()) return;
    ReportDocument doc(buildReport(record_, QDateTime::currentDateTime(), ReportFor::Paper));
    worksheets::afterPrintDialog(reportKind(), pdfWrite(),
                                 shell::runtime().printPaintedWithDialog(doc));
}

void PracticeReportWindow::Befehl2_Click() {
    if (unlocked()) worksheets::savePdf(reportKind(), pdfWrite(), kSaveCaption, kSaveCaption);
}

void PracticeReportWindow::Befehl3_Click() {
    const int style = shell::YesNo + shell::QuestionIcon + shell::SecondButtonDefault;
    const int answer = shell::runtime().msgBox(
        QStringLiteral("Den Übungsbericht leeren und neu beginnen?\r"
                       "Die Zähler im Übungsfenster bleiben, wie sie sind.\r\r"),
        style, QStringLiteral("Übungsbericht"));
    if (answer != shell::AnswerYes) return;
    record_.clear(QDateTime::currentMSecsSinceEpoch());
    refresh();
}

void PracticeReportWindow::Befehl4_Click() {
    shell::forms::hide(this);
    // The keyboard goes back to the window the report was opened from, which
    // goes on as it was: no Activate, no new task.
    if (from_ && from_->isVisible()) {
        from_->raise();
        from_->activateWindow();
    }
}

} // namespace trainer
