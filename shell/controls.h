#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

// Controls in the manner of the classic form designer: labels and pictures
// with captions, colours, Click and DragDrop, shapes and lines as decoration.
namespace shell {

// 0xBBGGRR colour value to QColor.
QColor bgr(quint32 value);
// The 16-colour palette (QBColor 0..15).
QColor qbColor(int index);
// The colour as 0xBBGGRR again, for rules that compare stored colours.
quint32 toBgr(const QColor& c);

// A font by its classic name; families this machine lacks fall back to a
// close one (a sans serif for "MS Sans Serif", a fixed pitch for "Courier New").
QFont vbFont(const QString& family, double points, bool bold = false, bool italic = false,
             bool underline = false);

// Something a digit can be dropped onto.
class DropTarget {
  public:
    virtual ~DropTarget() = default;
    // True when a drop handler is set; a control without one ignores drops.
    virtual bool acceptsDrops() const = 0;
    virtual void dropFrom(QWidget* source) = 0;
};

// Finds the control a drop at globalPos lands on: the topmost control under the
// pointer in the program window under the pointer; only it may take the drop (a
// drop on a control without a handler does nothing, as in the classic runtime).
// Returns nullptr when nothing takes it.
DropTarget* dropTargetAt(const QPoint& globalPos);

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
    // The frame grows with the window's zoom.
    void zoomFrame(double zoom);

    std::function<void()> onClick;
    std::function<void(QWidget*)> onDragDrop;

    bool acceptsDrops() const override { return static_cast<bool>(onDragDrop); }
    void dropFrom(QWidget* source) override;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
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
    // A fast second click counts as a click too (arrow buttons of a game).
    bool repeatClicks = false;

    bool acceptsDrops() const override { return static_cast<bool>(onDragDrop); }
    void dropFrom(QWidget* source) override;

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
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

// Command button that is a drag source: pressing the mouse starts a drag at
// once, the caption follows the pointer, and releasing drops it onto the
// control under the pointer. It never emits clicked(). Only one drag runs at a
// time, and a drag that cannot see its release through ends without a drop:
// when a modal box or dialog opens, the window is hidden or loses the
// keyboard to another application, or the pointer moves with the button up.
class DragButton : public VbButton {
    Q_OBJECT
  public:
    explicit DragButton(QWidget* parent = nullptr, const QString& name = {},
                        const QString& caption = {});
    ~DragButton() override;
    bool dragging() const { return dragging_; }
    // The drag in progress anywhere in the program, or nullptr.
    static DragButton* current();
    // Ends the drag without a drop: the key comes up and the digit goes.
    void cancelDrag();
    // Ends the drag with a drop onto the control under globalPos.
    void finishDrag(const QPoint& globalPos);
    // True when the event comes from the pointer that drags: the mouse, or
    // a finger.
    bool samePointer(const QMouseEvent* e) const;

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void moveImage(const QPoint& globalPos);
    void endDrag();
    bool dragging_ = false;
    bool byFinger_ = false;
    QLabel* image_ = nullptr;
};

} // namespace shell
