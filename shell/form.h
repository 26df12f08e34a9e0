#pragma once

#include <QPointer>
#include <QWidget>

class QKeyEvent;

namespace shell {

// Classic key code of a key event (digits of the main keyboard 48..57, of the
// keypad 96..105, letters 65..90, arrows 37..40, ...); 0 when it has none.
int vbKeyCode(const QKeyEvent* e);
// The digit 0..9 of the main keyboard's digit row that a native scan code
// names on the given Qt platform, whatever the layout and the Shift key say;
// -1 for any other key or a platform without native codes.
int digitRowKey(const QString& platformName, quint32 nativeScanCode);
// Shift state: 1 Shift, 2 Ctrl, 4 Alt.
int vbShiftState(const QKeyEvent* e);

// Base of every window of the program: a fixed client area in twips, the
// window position in twips, and the Activate / Unload / KeyDown events.
class Form : public QWidget {
    Q_OBJECT
  public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Client size in twips. A fixed window has a frame without minimise and
    // maximise buttons; a growing one takes the size as its smallest and draws
    // its content at the zoom its client area allows.
    enum Sizing { FixedSize, Growing };
    void setClientTwips(int width, int height, Sizing sizing = FixedSize);
    // The window flags of a growing window: a title and a maximise button,
    // plus whatever the window adds (close button, system menu).
    static Qt::WindowFlags growingFlags(Qt::WindowFlags extra = {});
    bool growing() const { return growing_; }
    // Zoom of the content: min(client width ÷ specified width, client height
    // ÷ specified height), at least 1.
    double zoom() const;
    QSize clientTwips() const { return clientTw_; }
    // Brings the window to the zoom of another one, or maximises it when that
    // one is maximised; used when one window hands over to another.
    void takeSizeFrom(const Form* other);

    // Outer position and size in twips, as the window manager frames it.
    int leftTw() const;
    int topTw() const;
    int widthTw() const;
    int heightTw() const;
    void moveTw(double left, double top);

    // Centres the window on the screen of the runtime.
    void centreOnScreen();

    // Runs each time the program brings the window to the front.
    virtual void Form_Activate() {}
    // Runs when the window is closed by its frame; set cancel to keep it.
    virtual void Form_Unload(bool& cancel) { (void)cancel; }
    // With key preview on, sees every key of the window before its controls.
    virtual void Form_KeyDown(int keyCode, int shift) {
        (void)keyCode;
        (void)shift;
    }

    void setKeyPreview(bool on) { keyPreview_ = on; }
    bool keyPreview() const { return keyPreview_; }

    // Called by the program's one event filter for every key event delivered
    // to a widget of this window; true when the key goes no further.
    bool previewKey(QWidget* receiver, QEvent* event);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    // Runs after the zoom changed and every control was placed anew.
    virtual void zoomChanged() {}
    // Called from Form_KeyDown: the key does only what KeyDown made of it and
    // never reaches the control that has the focus.
    void takeKey() { keyTaken_ = true; }

  private:
    void applyZoom();
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
};

// Knows which window of ours is in front. Activate runs only when the program
// shows a window (forms::show), the same rule for every window: never when the
// user clicks between our visible windows, when a box or dialog closes, or
// when the user comes back from another application. A window the user
// clicks to the front just becomes current, so the keyboard returns to it
// after a box.
namespace forms {
void show(Form* f);
void hide(Form* f);
Form* current();
// Gives the keyboard back to the current window after a modal box.
void restoreFocus();
// Ends the program: every window closes without asking again.
void endProgram();
bool programEnded();
// The frontmost visible window of the program whose client area holds the
// global point, by the order in which the windows came to the front; nullptr
// when the point lies outside all of them.
QWidget* windowAt(const QPoint& globalPos);
// Installs the program's one application-wide event filter (done by the first
// window; safe to call again).
void watchWindows();
} // namespace forms

} // namespace shell
