#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "colours.h"
#include "drop_target.h"
#include "fonts.h"

// Controls in the manner of the classic form designer: labels and pictures
// with captions, colours, Click and DragDrop, shapes and lines as decoration.
namespace shell {

// Label with a caption, colours, Click and DragDrop.
class VbLabel : public QLabel, public DropTarget {
    Q_OBJECT
  public:
    explicit VbLabel(QWidget* parent = nullptr, const QString& name = {});

    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    // Numeric value of the caption; an empty caption counts as 0.
    long long value() const;

    void setBackColor(quint32 bgrValue);
    void setForeColor(quint32 bgrValue);
    void setForeColor(const QColor& c);
    QColor backColor() const;
    QColor foreColor() const;
    void setBorder(bool single);
    void setItalic(bool italic);

    std::function<void()> onClick;
    std::function<void(QWidget*)> onDragDrop;

    bool acceptsDrops() const override { return static_cast<bool>(onDragDrop); }
    void dropFrom(QWidget* source) override;

  signals:
    void clicked();

  protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    // The frame grows with the window's zoom.
    void zoomFrame();
    bool pressed_ = false;
    QString caption_;
};

// Picture box: a container or a clickable picture; the picture is drawn by a
// painter function so that it stays crisp at any pixel ratio.
class VbPicture : public QWidget, public DropTarget {
    Q_OBJECT
  public:
    using Painter = std::function<void(QPainter&, const QRectF&)>;
    explicit VbPicture(QWidget* parent = nullptr, const QString& name = {});

    void setBackColor(quint32 bgrValue);
    QColor backColor() const;
    void setPicture(Painter p);
    void setBorder(bool raised);

    std::function<void()> onClick;
    std::function<void(QWidget*)> onDragDrop;

    bool acceptsDrops() const override { return static_cast<bool>(onDragDrop); }
    void dropFrom(QWidget* source) override;

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    Painter picture_;
    bool raised_ = false;
    bool pressed_ = false;
};

// Rectangle or circle shape (decoration; its colours may be read as stored values).
class VbShape : public QWidget {
    Q_OBJECT
  public:
    enum Kind { Rectangle, Circle };
    explicit VbShape(QWidget* parent = nullptr, const QString& name = {}, Kind kind = Rectangle);
    void setFill(quint32 bgrValue); // solid fill
    void setTransparentFill();
    void setBorderColor(quint32 bgrValue);
    // Width at 100 %; it grows with the window's zoom.
    void setBorderWidth(int px) {
        borderWidth_ = px;
        update();
    }
    QColor fillColor() const { return fill_; }
    QColor borderColor() const { return border_; }

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    Kind kind_;
    bool filled_ = false;
    QColor fill_ = Qt::black;
    QColor border_ = Qt::black;
    int borderWidth_ = 1;
};

// Straight line between two points given in twips of the parent.
class VbLine : public QWidget {
    Q_OBJECT
  public:
    VbLine(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2, quint32 colour,
           int widthPx);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    QPoint a_, b_; // ends in twips of the line's own box
    QColor colour_;
    int width_;
};

// Command button.
class VbButton : public QPushButton {
    Q_OBJECT
  public:
    explicit VbButton(QWidget* parent = nullptr, const QString& name = {},
                      const QString& caption = {});
    QString caption() const { return text(); }

  protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace shell
