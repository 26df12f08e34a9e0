#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

// Geometry is kept in twips on every control; this is the one place where
// twips become pixels. At 100 % one pixel is 15 twips. A window that grows
// draws its content at a zoom, centred in its client area: each window has
// its own mapping, and the twips a rule reads never change with it.
namespace tw {

constexpr int kTwipsPerPixel = 15;

// Screen twips: window positions and the screen size, always 15 per pixel.
int toPx(int twips);
int fromPx(int px);

// The mapping of one window: content pixels = twips × factor / 15, shifted by
// the offset for the window's direct children.
struct Zoom {
    double factor = 1.0;
    QPoint offset;
    // The specified client area in window pixels. What lies outside it (the
    // parked markers, the waiting worksheet panel) stays unseen in the margins
    // of a grown window. Empty: nothing is clipped.
    QRect content;
};
Zoom zoomOf(const QWidget* w); // of w's window
void setZoom(QWidget* window, const Zoom& z);

// A twips length as pixels in w's window.
int toPx(const QWidget* w, double twips);
// A twips rectangle of a control of `parent` as pixels in the parent.
QRect toPx(const QWidget* parent, const QRect& twips);

// Places a control at a twips rectangle (relative to its parent) and records
// the rectangle on the control.
void place(QWidget* w, int left, int top, int width, int height);
void setLeft(QWidget* w, int left);
void setTop(QWidget* w, int top);
void move(QWidget* w, int left, int top);
// Places every control of the window again through its current mapping.
void relayout(QWidget* window);

int left(const QWidget* w);
int top(const QWidget* w);
int width(const QWidget* w);
int height(const QWidget* w);
QRect rect(const QWidget* w);

} // namespace tw
