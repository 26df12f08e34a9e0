#pragma once

#include <QList>
#include <QPointer>
#include <QSize>
#include <QWidget>

class QKeyEvent;

namespace widgets {

class Desktop;
class WindowStack;

// Base of every window of the program: a fixed client area in twips, the
// window position in twips, and what happens when the program brings it to
// the front, when its frame closes it and when a key is pressed in it. It
// belongs to the program's window stack from its making to its end.
class ProgramWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ProgramWindow(WindowStack& stack);
    ~ProgramWindow() override;

    WindowStack& stack() const { return stack_; }
    Desktop& desktop() const;
    // The program window a widget lies in, or nullptr.
    static ProgramWindow* of(const QWidget* w);

    // Client size in twips. A fixed window has a frame without minimise and
    // maximise buttons; a growing one takes the size as its smallest and draws
    // its content at the zoom its client area allows.
    enum Sizing { FixedSize, Growing };
    void setClientTwips(int width, int height, Sizing sizing = FixedSize);
    // The window flags of a growing window: a title and a maximise button,
    // plus whatever the window adds (close button, system menu).
    static Qt::WindowFlags growingFlags(Qt::WindowFlags extra = {});
    bool growing() const { return growing_; }
    // Zoom of the content: min(client width ÷ designed width, client height
    // ÷ designed height), at least 1.
    double zoom() const;
    QSize clientTwips() const { return clientTw_; }
    // Brings the window to the zoom of another one, or maximises it when that
    // one is maximised; used when one window hands over to another.
    void takeSizeFrom(const ProgramWindow* other);

    // Outer position and size in twips, as the window manager frames it.
    int leftTw() const;
    int topTw() const;
    int widthTw() const;
    int heightTw() const;
    void moveTw(double left, double top);

    // Centres the window on the desktop's screen.
    void centreOnScreen();

    // Runs each time the program brings the window to the front (never when
    // the user merely clicks it to the front).
    virtual void broughtToFront() {}
    // Runs when the window's frame asks to close it; false keeps it open.
    // Once the program ends, every window closes without asking.
    virtual bool closeRequested() { return true; }
    // With key preview on, sees every key pressed in the window before its
    // controls do.
    virtual void keyPressed(QKeyEvent* e) { (void)e; }
    // With key preview on, sees every key let go in the window, once.
    virtual void keyReleased(QKeyEvent* e) { (void)e; }

    void setKeyPreview(bool on) { keyPreview_ = on; }
    bool keyPreview() const { return keyPreview_; }

    // Called for every key event delivered to a widget of this window; true
    // when the key goes no further.
    bool previewKey(QWidget* receiver, QEvent* event);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    // Runs after the zoom changed and every control was placed anew.
    virtual void zoomChanged() {}
    // Called from keyPressed: the key does only what keyPressed made of it
    // and never reaches the control that has the focus.
    void takeKey() { keyTaken_ = true; }

  private:
    void applyZoom();
    WindowStack& stack_;
    QSize clientTw_;
    bool growing_ = false;
    bool zoomSet_ = false;
    bool keyPreview_ = false;
    bool keyTaken_ = false;
    // Centred before the window manager framed the window.
    bool centrePending_ = false;
    // Where the program last put the window: the frame's corner and the
    // client area's.
    QPoint placedOuter_, placedClient_;
    // The key press last seen in this window and where, to tell a key
    // bubbling up to a parent from a new one.
    const QEvent* lastKey_ = nullptr;
    QPointer<QWidget> lastKeyAt_;
    const QEvent* lastRelease_ = nullptr;
    QPointer<QWidget> lastReleaseAt_;
};

} // namespace widgets
