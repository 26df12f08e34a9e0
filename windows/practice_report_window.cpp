#include "practice_report_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "controls.h"
#include "fonts.h"
#include "keyboard_access.h"
#include "practice_record.h"
#include "report_table.h"
#include "desktop.h"
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
    widgets::fillBackground(this, kBack);
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

PracticeReportWindow::PracticeReportWindow(widgets::WindowStack& windows,
                                           core::PracticeRecord& record)
    : ProgramWindow(windows), record_(record) {
    setObjectName(QStringLiteral("practiceReportWindow"));
    setWindowTitle(QStringLiteral("Übungsbericht"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    widgets::fillBackground(this, kBack);

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
    saveTableButton = button("saveTableButton", "Als Tabelle speichern …");
    targetButton = button("targetButton", "Gezielt üben");
    startAfreshButton = button("startAfreshButton", "Neu beginnen");
    closeButton = button("closeButton", "Schließen");
    closeButton->setShortcut(Qt::Key_Escape);
    // Enter presses a button as Space does.
    for (QPushButton* b : {printButton, savePdfButton, startAfreshButton, closeButton})
        widgets::pressableByKeys(b);

    // The child's name heads the report on paper and in the teacher's table.
    nameLabel = new QLabel(QStringLiteral("Name"), this);
    nameLabel->setObjectName(QStringLiteral("childNameLabel"));
    nameLabel->setFont(widgets::sansFont(8.25, true));
    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(QStringLiteral("childNameEdit"));
    nameEdit->setFont(widgets::sansFont(8.25, false));
    nameLabel->setBuddy(nameEdit);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(nameEdit, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton);
    buttons->addWidget(savePdfButton);
    buttons->addWidget(saveTableButton);
    buttons->addStretch(1);
    buttons->addWidget(targetButton);
    buttons->addWidget(startAfreshButton);
    buttons->addWidget(closeButton);
    auto* column = new QVBoxLayout(this);
    column->addLayout(nameRow);
    column->addWidget(scrollArea, 1);
    column->addLayout(buttons);

    connect(printButton, &QPushButton::clicked, this, [this] { printReport(); });
    connect(savePdfButton, &QPushButton::clicked, this, [this] { saveReportPdf(); });
    connect(saveTableButton, &QPushButton::clicked, this, [this] { saveReportTable(); });
    connect(nameEdit, &QLineEdit::textChanged, this, [this] { refresh(); });
    connect(startAfreshButton, &QPushButton::clicked, this, [this] { startAfresh(); });
    connect(targetButton, &QPushButton::clicked, this, [this] { practiseTargeted(); });
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
    stack().show(this);
}

int PracticeReportWindow::layOut() {
    for (QWidget* w : std::initializer_list<QWidget*>{printButton, savePdfButton, saveTableButton,
                                                      targetButton, startAfreshButton,
                                                      closeButton, nameLabel, nameEdit})
        tw::zoomFont(w);
    const int gap = tw::toPx(this, 120);
    layout()->setContentsMargins(gap, gap, gap, gap);
    layout()->setSpacing(gap);
    refresh();
    // The fonts changed: the least size of the rows must be taken anew before
    // the window is sized, or the last zoom's would hold it wide.
    layout()->invalidate();
    layout()->activate();
    return std::max(layout()->minimumSize().width(),
                    page->minimumWidth() + 2 * gap +
                        scrollArea->verticalScrollBar()->sizeHint().width());
}

void PracticeReportWindow::refresh() {
    page->setReport(report(core::ReportFor::Screen));
}

void PracticeReportWindow::broughtToFront() {
    centreOnScreen();
}

bool PracticeReportWindow::closeRequested() {
    // Kept, hidden, for the next opening.
    closeReport();
    return false;
}

core::PracticeReport PracticeReportWindow::report(core::ReportFor target) const {
    return core::buildReport(record_, QDateTime::fromMSecsSinceEpoch(desktop().now()), target,
                             nameEdit->text());
}

printing::SheetActions PracticeReportWindow::actions() {
    return printing::SheetActions(desktop(), this);
}

bool PracticeReportWindow::unlocked() {
    // Without a lock to ask, nothing leaves the machine.
    return printerLock && actions().printingUnlocked(printerLock());
}

printing::PdfWrite PracticeReportWindow::pdfWrite() {
    return [this](const QString& path) {
        printing::ReportDocument doc(report(core::ReportFor::Paper));
        return desktop().savePaintedPdf(doc, path) ? core::PrintResult::Printed
                                                          : core::PrintResult::Failed;
    };
}

void PracticeReportWindow::printReport() {
    if (!unlocked()) return;
    printing::ReportDocument doc(report(core::ReportFor::Paper));
    actions().afterPrintDialog(reportKind(), pdfWrite(), desktop().printPaintedWithDialog(this, doc));
}

void PracticeReportWindow::saveReportPdf() {
    if (unlocked()) actions().savePdf(reportKind(), pdfWrite(), kSaveCaption, kSaveCaption);
}

void PracticeReportWindow::startAfresh() {
    const widgets::Answer answer = desktop().message(
        this, QStringLiteral("Übungsbericht"),
        QStringLiteral("Den Übungsbericht leeren und neu beginnen?\r"
                       "Die Zähler im Übungsfenster bleiben, wie sie sind.\r\r"),
        {widgets::Buttons::YesNoDefaultNo, widgets::Icon::Question});
    if (answer != widgets::Answer::Yes) return;
    record_.clear(desktop().now());
    // A new sitting is a new child's: the name goes with the record.
    nameEdit->clear();
    refresh();
}

void PracticeReportWindow::practiseTargeted() {
    if (!aimPractice || !applyPractice) return;
    const core::TargetedPractice aim = aimPractice();
    // Only a change goes through the lock; the sentence is for everyone.
    if (aim.changes()) {
        if (!unlocked()) return;
        applyPractice(aim);
        refresh();
    }
    desktop().message(this, QStringLiteral("Gezielt üben"), aim.sentence + QStringLiteral("\r\r"));
}

void PracticeReportWindow::saveReportTable() {
    const QString title = QStringLiteral("Als Tabelle speichern");
    if (!report(core::ReportFor::Paper).nothingYet.isEmpty()) {
        desktop().message(this, title,
                          QStringLiteral("Es wurde noch nichts geübt: Es gibt noch keine Zeile "
                                         "für die Tabelle.\r\r"));
        return;
    }
    if (!unlocked()) return;
    QString path = desktop().askSaveFile(this, title, QStringLiteral("Übungsberichte.csv"),
                                         QStringLiteral("Tabellen (*.csv)"));
    if (path.isEmpty()) return;
    // A name typed without its ending still becomes a file a spreadsheet opens.
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) path += QLatin1String(".csv");
    const core::TableFile file = core::checkTableFile(path);
    if (file == core::TableFile::Foreign || file == core::TableFile::Unreadable) {
        desktop().message(this, title, core::tableMessage(file, path),
                          {widgets::Buttons::Ok, widgets::Icon::Warning});
        return;
    }
    if (file == core::TableFile::Ours &&
        desktop().message(this, title, core::tableMessage(file, path),
                          {widgets::Buttons::YesNo, widgets::Icon::Question}) !=
            widgets::Answer::Yes)
        return;
    const QString choice = taskChoice ? taskChoice() : QString();
    const core::TableWrite written =
        core::writeTableRow(path, core::reportTableRow(record_, nameEdit->text(), choice));
    desktop().message(this, title, core::tableMessage(written, path),
                      written == core::TableWrite::Written
                          ? widgets::BoxStyle{}
                          : widgets::BoxStyle{widgets::Buttons::Ok, widgets::Icon::Stop});
}

void PracticeReportWindow::closeReport() {
    stack().hide(this);
    // The keyboard goes back to the window the report was opened from, which
    // goes on as it was: no Activate, no new task.
    if (from_ && from_->isVisible()) {
        from_->raise();
        from_->activateWindow();
    }
}

} // namespace windows
