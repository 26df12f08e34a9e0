#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "drop_target.h"

// The controls the program's windows are built from, where no ordinary Qt
// widget fits as it is: labels and pictures a child clicks, the cells of a
// division, shapes and lines drawn at the window's zoom.
namespace widgets {

// Fills a window or page with its own back colour.
void fillBackground(QWidget* w, const QColor& c);

// A label in the colours its window gives it. A framed one draws its frame
// as wide as the window's zoom.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(QWidget* parent, const QString& objectName = {}, const QString& text = {});
    void setColours(const QColor& text, const QColor& background);
    void setTextColour(const QColor& c);
    void setBackground(const QColor& c);
    QColor textColour() const;
    QColor background() const;
    void setFramed(bool framed);
    void setItalic(bool italic);

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

  private:
    void zoomFrame();
};

// A label a child clicks: pressed and let go on it with the left button.
class ClickableLabel : public Label {
    Q_OBJECT
  public:
    using Label::Label;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    bool pressed_ = false;
};

// A cell of a division layout: one large digit, or the "R" before the
// remainder. An answer cell takes clicks and dropped digits.
class DigitCell : public ClickableLabel, public DropTarget {
    Q_OBJECT
  public:
    DigitCell(QWidget* parent, const QString& objectName);
    void setTakesDigits(bool takes) { takesDigits_ = takes; }
    bool takesDigits() const override { return takesDigits_; }
    void takeDigit(int digit) override { emit digitDropped(digit); }
    // Drawn over the cell, as at 100 %, while it shows a digit.
    void setMark(std::function<void(QPainter&, const QRectF&)> mark);

  signals:
    void digitDropped(int digit);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    bool takesDigits_ = false;
    std::function<void(QPainter&, const QRectF&)> mark_;
};

// Draws a picture into the rectangle of its design size (as at 100 %).
using PictureFunction = std::function<void(QPainter&, const QRectF&)>;

// A picture that is only looked at, or a box that holds controls.
class Picture : public QWidget {
    Q_OBJECT
  public:
    explicit Picture(QWidget* parent, const QString& objectName = {});
    void setBackground(const QColor& c);
    QColor background() const;
    void setPicture(PictureFunction picture);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    PictureFunction picture_;
};

// A picture a child clicks: the start window's pictures, the game's arrows,
// the keyboard markers (which also take dropped digits). Keys do not press
// it.
class PictureButton : public QAbstractButton, public DropTarget {
    Q_OBJECT
  public:
    explicit PictureButton(QWidget* parent, const QString& objectName = {});
    void setBackground(const QColor& c);
    void setPicture(PictureFunction picture);
    void setTakesDigits(bool takes) { takesDigits_ = takes; }
    bool takesDigits() const override { return takesDigits_; }
    void takeDigit(int digit) override { emit digitDropped(digit); }

  signals:
    void digitDropped(int digit);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

  private:
    PictureFunction picture_;
    bool takesDigits_ = false;
};

// A rectangle or a circle: a frame, a filled box, a dot.
class Shape : public QWidget {
    Q_OBJECT
  public:
    enum Kind { Rectangle, Circle };
    explicit Shape(QWidget* parent, const QString& objectName = {}, Kind kind = Rectangle);
    void setFill(const QColor& c);
    void setNoFill();
    void setBorderColour(const QColor& c);
    // Width at 100 %; it grows with the window's zoom.
    void setBorderWidth(int px);
    QColor fill() const { return fill_; }
    QColor borderColour() const { return border_; }

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    Kind kind_;
    bool filled_ = false;
    QColor fill_ = Qt::black;
    QColor border_ = Qt::black;
    int borderWidth_ = 1;
};

// A straight line between two points in twips of its parent, widthPx wide
// at 100 %.
class Line : public QWidget {
    Q_OBJECT
  public:
    Line(QWidget* parent, const QString& objectName, int x1, int y1, int x2, int y2,
         const QColor& colour, int widthPx);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    QPoint a_, b_; // the ends in twips of the line's own box
    QColor colour_;
    int width_;
};

// A push button of the program's windows, drawn quickly at any zoom.
class CommandButton : public QPushButton {
    Q_OBJECT
  public:
    CommandButton(QWidget* parent, const QString& objectName, const QString& text);

  protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace widgets
