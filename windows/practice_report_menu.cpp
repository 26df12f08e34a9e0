// The counter column's menu, which opens the practice report for the
// teacher: a right click or a finger held on the black column.
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

#include "double_click.h"
#include "exercise_window.h"
#include "long_press.h"
#include "practice_report_window.h"
#include "twips.h"

namespace trainer {

void Form1::wireCounterColumnMenu() {
    // The column's shape and line let the pointer through to the window;
    // its letters and counters take it themselves.
    for (QWidget* w : {static_cast<QWidget*>(Bezeichnung24), static_cast<QWidget*>(Bezeichnung25),
                       static_cast<QWidget*>(Bild4), static_cast<QWidget*>(Bezeichnung22),
                       static_cast<QWidget*>(Bild5), static_cast<QWidget*>(Bezeichnung23)}) {
        new shell::LongPress(
            w, [this, w](const QPoint& pos) { Figur2_ContextMenu(w->mapToGlobal(pos)); });
        // A second quick touch may be the start of a long press.
        shell::takeEveryPress(w);
    }
    new shell::LongPress(this, [this](const QPoint& pos) {
        if (Figur2->geometry().contains(pos)) Figur2_ContextMenu(mapToGlobal(pos));
    });
}

void Form1::contextMenuEvent(QContextMenuEvent* e) {
    // A right click anywhere on the column reaches the window, from the
    // column's own controls too.
    if (!Figur2->geometry().contains(e->pos())) {
        e->ignore();
        return;
    }
    e->accept();
    Figur2_ContextMenu(e->globalPos());
}

void Form1::Figur2_ContextMenu(const QPoint& globalPos) {
    if (!Figur2Menu) {
        Figur2Menu = new QMenu(this);
        Figur2Menu->setObjectName(QStringLiteral("Figur2Menu"));
        QAction* report = Figur2Menu->addAction(QStringLiteral("Übungsbericht …"));
        connect(report, &QAction::triggered, this, [this] { ShowPracticeReport(); });
    }
    // At the board the menu is read from as far away as the window.
    tw::zoomMenu(Figur2Menu, this);
    Figur2Menu->popup(globalPos);
}

void Form1::ShowPracticeReport() {
    if (!reportWindow_) {
        reportWindow_ = std::make_unique<PracticeReportWindow>(record);
        reportWindow_->printerLock = [this] { return lockNow(); };
    }
    reportWindow_->open(this);
}

void Form1::practiceRecorded() {
    if (reportWindow_ && reportWindow_->isVisible()) reportWindow_->refresh();
}

} // namespace trainer
