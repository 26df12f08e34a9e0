#include "counter_column.h"

#include <QMenu>

#include "accessible_controls.h"
#include "double_click.h"
#include "exercise_window.h"
#include "fonts.h"
#include "long_press.h"
#include "practice_report_window.h"
#include "twips.h"

namespace windows {

namespace {
const QColor kCounterBack(0, 128, 0);
} // namespace

CounterColumn::CounterColumn(ExerciseWindow& window) : window_(window) {
    column = new widgets::Shape(&window, QStringLiteral("counterColumn"));
    tw::place(column, 120, 120, 735, 6375);
    column->setFill(Qt::black);
    column->setBorderColour(Qt::black);
    auto letter = [&window](const char* name, const char* text, int top) {
        auto* l = new widgets::Label(&window, QLatin1String(name), QLatin1String(text));
        tw::place(l, 240, top, 495, 255);
        l->setFont(widgets::sansFont(12, true));
        l->setAlignment(Qt::AlignCenter);
        l->setColours(Qt::white, Qt::black);
        return l;
    };
    rightLetter = letter("rightLetter", "R", 2115);
    wrongLetter = letter("wrongLetter", "F", 3600);
    rightLetter->setToolTip(QStringLiteral("Richtige Ziffern"));
    wrongLetter->setToolTip(QStringLiteral("Fehler"));

    auto counter = [&window](const char* boxName, const char* name, int top,
                             widgets::Picture*& box) {
        box = new widgets::Picture(&window, QLatin1String(boxName));
        tw::place(box, 240, top, 495, 495);
        box->setBackground(kCounterBack);
        auto* l = new widgets::Label(box, QLatin1String(name), QStringLiteral("0"));
        tw::place(l, 60, 120, 375, 255);
        l->setAlignment(Qt::AlignCenter);
        l->setColours(Qt::white, kCounterBack);
        return l;
    };
    pointsCounter = counter("pointsBox", "pointsCounter", 2400, pointsBox);
    new widgets::Line(&window, QStringLiteral("counterRule"), 240, 3000, 720, 3000, Qt::white, 2);
    errorsCounter = counter("errorsBox", "errorsCounter", 3120, errorsBox);
    // Read by their letters' meaning, their numbers as values.
    pointsCounter->setAccessibleName(rightLetter->toolTip());
    errorsCounter->setAccessibleName(wrongLetter->toolTip());
    widgets::holdsNumber(pointsCounter);
    widgets::holdsNumber(errorsCounter);

    // The column's shape and line let the pointer through to the window; its
    // letters and counters take it themselves.
    for (QWidget* w : {static_cast<QWidget*>(rightLetter), static_cast<QWidget*>(wrongLetter),
                       static_cast<QWidget*>(pointsBox), static_cast<QWidget*>(pointsCounter),
                       static_cast<QWidget*>(errorsBox), static_cast<QWidget*>(errorsCounter)}) {
        new widgets::LongPress(w, [this, w](const QPoint& pos) { showMenu(w->mapToGlobal(pos)); });
        // A second quick touch may be the start of a long press.
        widgets::takeEveryPress(w);
    }
    new widgets::LongPress(&window, [this](const QPoint& pos) {
        if (contains(pos)) showMenu(window_.mapToGlobal(pos));
    });
}

CounterColumn::~CounterColumn() = default;

void CounterColumn::show(const core::Exercise& exercise) {
    widgets::showText(pointsCounter, QString::number(exercise.points()));
    widgets::showText(errorsCounter, QString::number(exercise.errors()));
}

bool CounterColumn::contains(const QPoint& windowPos) const {
    return column->geometry().contains(windowPos);
}

void CounterColumn::showMenu(const QPoint& globalPos) {
    if (!menu_) {
        menu_ = new QMenu(&window_);
        menu_->setObjectName(QStringLiteral("counterMenu"));
        QAction* report = menu_->addAction(QStringLiteral("Übungsbericht …"));
        connect(report, &QAction::triggered, this, &CounterColumn::openReport);
    }
    // At the board the menu is read from as far away as the window.
    tw::zoomMenu(menu_, &window_);
    menu_->popup(globalPos);
}

void CounterColumn::openReport() {
    if (!report_) {
        report_ = std::make_unique<PracticeReportWindow>(window_.stack(), window_.exercise().record());
        report_->printerLock = [this] { return window_.printerLock(); };
        report_->taskChoice = [this] { return core::choiceSummary(window_.exercise().choice()); };
        report_->aimPractice = [this] { return window_.exercise().targetedPractice(); };
        report_->applyPractice = [this](const core::TargetedPractice& aim) {
            window_.exercise().applyTargetedPractice(aim);
            window_.showExercise();
        };
    }
    report_->open(&window_);
}

void CounterColumn::recordChanged() {
    if (report_ && report_->isVisible()) report_->refresh();
}

} // namespace windows
