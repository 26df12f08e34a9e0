#pragma once

#include <QObject>
#include <QPoint>
#include <memory>

#include "controls.h"
#include "exercise.h"

class QMenu;

namespace windows {

class ExerciseWindow;
class PracticeReportWindow;

// The black column on the left of the exercise window: the right digits
// ("R") and the errors ("F") counted so far. For the teacher, a right click
// or a finger held on it opens the practice report.
class CounterColumn : public QObject {
    Q_OBJECT
  public:
    explicit CounterColumn(ExerciseWindow& window);
    ~CounterColumn() override;

    widgets::Shape* column;
    widgets::Label* rightLetter;
    widgets::Label* wrongLetter;
    widgets::Picture* pointsBox;
    widgets::Label* pointsCounter;
    widgets::Picture* errorsBox;
    widgets::Label* errorsCounter;
    // Made on first use.
    QMenu* menu() const { return menu_; }

    void show(const core::Exercise& exercise);
    // Whether a point of the window lies on the column.
    bool contains(const QPoint& windowPos) const;
    // The column's menu at a point of the screen.
    void showMenu(const QPoint& globalPos);
    // Opens the report window, made on first use.
    void openReport();
    // The report window once it was made, or nullptr.
    PracticeReportWindow* reportWindow() const { return report_.get(); }
    // The record changed: an open report shows it.
    void recordChanged();

  private:
    ExerciseWindow& window_;
    QMenu* menu_ = nullptr;
    std::unique_ptr<PracticeReportWindow> report_;
};

} // namespace windows
