#pragma once

#include <QEvent>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

class QMenu;
class QPainter;
class QWidget;

// Geometry is kept in twips on every control; this is the one place where
// twips become pixels. At 100 % one pixel is 15 twips. A window that grows
// draws its content at a zoom, centred in its client area: each window has
// its own mapping, and the twips a rule reads never change with it. All that
// grows with a window (places, sizes, fonts, stroke widths, its boxes) goes
// through that mapping here; no other place multiplies by the zoom.
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
    // The designed client area in window pixels. What lies outside it (the
    // parked markers, the waiting worksheet panel) stays unseen in the margins
    // of a grown window. Empty: nothing is clipped.
    QRect content;

    // A twips length as pixels at this zoom.
    int px(double twips) const;
};
Zoom zoomOf(const QWidget* w); // of w's window
void setZoom(QWidget* window, const Zoom& z);
// The mapping of a window designed at designTwips whose client area has
// clientPx pixels: the largest zoom at which the design fits (at least 1),
// centred, the rest left to the margins.
Zoom fit(const QSize& designTwips, const QSize& clientPx);
// A client area designed at designTwips, in pixels at another window's zoom.
QSize sizeAtZoomOf(const QWidget* other, const QSize& designTwips);

// A stroke width given in pixels at 100 %, as w's window draws it: at least
// one pixel.
int stroke(const QWidget* w, double widthPx);
// Makes the painter draw at 100 % on w, grown with its window; returns w's
// rectangle in those units.
QRectF drawAtDesignSize(QPainter& p, const QWidget* w);

// Fonts set on a control grow with its window: the font the program gave it
// is its size at 100 %. A font set anew since the last zoom is taken as the
// new size at 100 %.
void zoomFont(QWidget* w);
// The pixel size of a font of the given points in w's window.
int fontPixels(const QWidget* w, double points);
// Boxes and dialogs opened from a grown window are read from as far away as
// the window: their text grows with its zoom, at most three times.
bool growsBoxes(const QWidget* parent);
void zoomBox(QWidget* box, const QWidget* parent);
QFont boxFont(const QFont& font, const QWidget* parent);
// The client size a window opened near `near` may take: the free area of its
// screen less the frame the window manager puts around the program's windows.
QSize roomOnScreen(const QWidget* near);
// Called when a box is about to show, its content set: a box that would not
// fit its screen at the zoom of its window is drawn at a smaller zoom until it
// does, and a box that can grow takes the size it wants within the screen.
void fitBox(QWidget* box, const QWidget* parent);
// After a box or dialog closed: the keyboard goes back to the window it
// belongs to.
void returnFocus(const QWidget* parent);
// A menu opened from parent, at the zoom of its boxes, every entry whole.
// Called before each popup: its entries may have changed.
void zoomMenu(QMenu* menu, const QWidget* parent);
// A window opened from a grown window to be read from (a report) takes its
// zoom as its boxes do, at most three times, as the mapping of its own.
void takeBoxZoom(QWidget* window, const QWidget* parent);
// Sent to every control of a window after its zoom changed.
QEvent::Type zoomChangedEvent();

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
