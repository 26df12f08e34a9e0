#pragma once

// Checks on pictures of the windows: colours at known points, places of
// controls, text that fits its control, digits centred in their cells.
// Each check returns a list of faults, one line each, empty when all is well.
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

namespace pictures {

// Grabs the window and saves it as <name>.png in the pictures folder.
QImage grabWindow(QWidget* window, const QString& name);

// Twips of a window (window coordinates) to pixels through that window's own
// mapping: times its zoom, shifted by the offset that centres the content.
QPoint px(const QWidget* window, int x, int y);
QRect pxRect(const QWidget* window, int left, int top, int width, int height);
// Colours are 0xRRGGBB.
QString hex(quint32 colour);
quint32 colourAt(const QImage& image, QPoint p);

// A point of the window (twips, window coordinates) and its colour there.
struct Spot {
    QString what;
    int x, y;
    quint32 colour;
};
QStringList wrongColours(const QImage& image, const QWidget* window, const QList<Spot>& spots);

// A control and its rectangle in twips, in window coordinates of its window.
struct Place {
    const QWidget* control;
    int left, top, width, height;
};
QStringList misplaced(const QList<Place>& places);

// The window as a whole at zoom z: its content is the designed client size
// (twips) times z, centred, the picture is the window, and everything outside
// the content shows nothing but the back colour.
QStringList windowFaults(const QImage& image, const QWidget* window, QSize clientTwips, double z,
                         quint32 back);

// Every label, button and check box a person can see in the window whose
// text does not fit the rectangle it is drawn in, in the control's own font.
QStringList cutOffTexts(QWidget* window);

// Bounding box of the pixels in area that differ clearly from back.
QRect inkBox(const QImage& image, const QRect& area, quint32 back);
// The pixel of area that differs most from back: the colour of the ink.
quint32 inkColour(const QImage& image, const QRect& area, quint32 back);

// The text of a label (a digit in a cell, the face of a card) in the
// picture: its ink must be centred in the label, within tolerance pixels
// (only across when vertical is false), and drawn in the colour fore. The
// band of footPx pixels at the label's foot is no part of the text (a step's
// mark beneath a digit).
QStringList textFaults(const QImage& image, const QWidget* label, quint32 back, quint32 fore,
                       double tolerance, bool vertical, int footPx = 0);

// The picture as a child sees it who cannot tell red from green: the usual
// simulation (Machado, Oliveira and Fernandes 2009, severity 1) of
// protanopia and deuteranopia, and in grey.
enum class Vision { Protanopia, Deuteranopia, Greyscale };
QImage seenWith(const QImage& image, Vision vision);
// How far apart two colours look: CIEDE2000 on CIELAB under D65. About 2 is
// just noticeable; what a child must read at a glance wants 20 or more.
double colourDistance(QRgb a, QRgb b);

} // namespace pictures
