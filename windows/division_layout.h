#pragma once

#include <QList>
#include <QObject>
#include <array>

#include "controls.h"
#include "exercise.h"

namespace windows {

// One of the two division layouts of the exercise window, as on paper: the
// dividend and the divisor, the answer cells, the colon, the equals sign and
// the subtraction lines, and the keyboard marker, a key cap laid over the
// cell a typed digit goes to. The layout without remainder lies on the
// window itself; the one with remainder lies in a box of its own that moves
// in front of it.
class DivisionLayout : public QObject {
    Q_OBJECT
  public:
    // Builds the layout's controls on `on` (the window, or the box of the
    // layout with remainder), in the order they stack.
    DivisionLayout(core::Mode mode, QWidget* on);

    core::Mode mode() const { return mode_; }
    // An answer cell of this layout by its number; nullptr for another.
    widgets::DigitCell* cell(int number) const;
    widgets::DigitCell* divisorCell() const { return divisor_; }
    const std::array<widgets::DigitCell*, 4>& dividendCells() const { return dividend_; }
    widgets::PictureButton* marker() const { return marker_; }
    // Where the marker waits while no cell of the layout waits for a digit,
    // outside what the window shows.
    QPoint markerParking() const;
    bool markerParked() const;

    // Shows the exercise: its task where the exercise is in this layout's
    // mode; empty cells (but the "R") where it is not.
    void show(const core::Exercise& exercise);

  signals:
    void cellClicked(int number);
    void digitDroppedOnCell(int number, int digit);
    void markerClicked();
    void digitDroppedOnMarker(int digit);

  private:
    widgets::DigitCell* makeCell(QWidget* on, const QString& name, int left, int top,
                                 const QColor& back, const QColor& text);
    core::Mode mode_;
    std::array<widgets::DigitCell*, 4> dividend_{};
    widgets::DigitCell* divisor_ = nullptr;
    QList<widgets::DigitCell*> cells_; // in the order of the cell numbers
    int firstNumber_ = 1;
    widgets::PictureButton* marker_ = nullptr;
    int markedCell_ = 0; // the cell the marker lies over, 0 while parked
};

// The colour of a step in both layouts.
QColor stepColour(core::StepColour step);

} // namespace windows
