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

// Twips to pixels through the program's own mapping.
QPoint px(int x, int y);
QRect pxRect(int left, int top, int width, int height);
QString hex(quint32 bgrValue);
quint32 bgrAt(const QImage& image, QPoint p);

// A point of the window (twips, window coordinates) and its colour there.
struct Spot {
    QString what;
    int x, y;
    quint32 bgr;
};
QStringList wrongColours(const QImage& image, const QList<Spot>& spots);

// A control and its rectangle in twips, in window coordinates.
struct Place {
    const QWidget* control;
    int left, top, width, height;
};
QStringList misplaced(const QList<Place>& places);

// Every label, button and check box a person can see in the window whose
// text does not fit the rectangle it is drawn in, in the control's own font.
QStringList cutOffTexts(QWidget* window);

// Bounding box of the pixels in area that differ clearly from back.
QRect inkBox(const QImage& image, const QRect& area, quint32 back);
// The pixel of area that differs most from back: the colour of the ink.
quint32 inkColour(const QImage& image, const QRect& area, quint32 back);

// The text of a label (a digit in a cell, the face of a card) in the
// picture: its ink must be centred in the label, within tolerance pixels
// (only across when vertical is false), and drawn in the colour fore.
QStringList textFaults(const QImage& image, const QWidget* label, quint32 back, quint32 fore,
                       double tolerance, bool vertical);

} // namespace pictures
