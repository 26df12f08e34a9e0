#pragma once

#include <QRect>

class QWidget;

// Geometry is kept in twips on every control; this is the one place where
// twips become pixels. At 100 % one pixel is 15 twips.
namespace tw {

constexpr int kTwipsPerPixel = 15;

// Scale of the windows (1.0 = 100 %).
double scale();
void setScale(double s);

int toPx(int twips);
int fromPx(int px);

// Places a control at a twips rectangle (relative to its parent) and records
// the rectangle on the control.
void place(QWidget* w, int left, int top, int width, int height);
void setLeft(QWidget* w, int left);
void setTop(QWidget* w, int top);
void move(QWidget* w, int left, int top);

int left(const QWidget* w);
int top(const QWidget* w);
int width(const QWidget* w);
int height(const QWidget* w);
QRect rect(const QWidget* w);

} // namespace tw
