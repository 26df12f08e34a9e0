#!/usr/bin/python3
"""Reads the program the way a screen reader does, on a real accessibility bus.

Runs itself again under a D-Bus session of its own (dbus-run-session), in which
the accessibility bus and registry of at-spi2-core start on demand; starts its
own Xvfb (a free display number) with openbox, then the program as it ships
with Qt's accessibility bridge always on. Through pyatspi it reads the
exercise window's controls (names, roles, values), selects a cell by Tab and
types its digit with real X keys (xdotool), then reads the cell's new value
and the event that announced it. A missing tool fails the test with its name.

Usage: read_by_screen_reader.py PROGRAM
"""
import os
import shutil
import subprocess
import sys
import tempfile

from own_display import Failure, start_display, stop_all, wait_for

INSIDE = "DIVISION_ON_OWN_BUS"
TOOLS = ["Xvfb", "openbox", "xdotool", "wmctrl", "dbus-run-session"]
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# What a child hears for the cells of a division without remainder.
CELLS = ["Ergebnis, erste Ziffer", "Ergebnis, zweite Ziffer", "Ergebnis, dritte Ziffer",
         "erstes Malergebnis, Zehner", "erstes Malergebnis, Einer", "erster Unterschied",
         "erste heruntergeholte Ziffer", "zweites Malergebnis, Zehner",
         "zweites Malergebnis, Einer", "zweiter Unterschied", "zweite heruntergeholte Ziffer",
         "drittes Malergebnis, Zehner", "drittes Malergebnis, Einer", "letzter Unterschied"]
PLACES = ["Zahl, Tausender", "Zahl, Hunderter", "Zahl, Zehner", "Zahl, Einer"]
BUTTONS = ["Ende", "Hilfe", "Normal", "mit Rest", "Blatt"] + ["Ziffer %d" % d for d in range(10)]

procs = []


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, timeout=30).stdout


def window_of(pid, title):
    for line in run("wmctrl", "-l", "-p").splitlines():
        parts = line.split(None, 4)
        if len(parts) == 5 and int(parts[2]) == pid and parts[4] == title:
            return int(parts[0], 16)
    return None


def keys(wid, *names):
    """Real key presses, once the window has the keyboard."""
    wait_for(lambda: run("xdotool", "getactivewindow").strip() == str(wid),
           "window %d to take the keyboard" % wid)
    subprocess.run(["xdotool", "key", "--delay", "50", *names], check=True, timeout=30)


def read(pid):
    import pyatspi

    def application():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            try:
                if a is not None and a.get_process_id() == pid:
                    return a
            except Exception:  # an application that went away meanwhile
                pass
        return None

    def frame(title):
        app = application()
        for i in range(app.childCount if app else 0):
            f = app.getChildAtIndex(i)
            if f is not None and f.name == title and f.getState().contains(pyatspi.STATE_SHOWING):
                return f
        return None

    def text(o):
        t = o.queryText()
        return t.getText(0, -1)

    def controls(f):
        """The controls of a frame by name, the nearest first: the layout
        without remainder lies on the window itself, the other in a box."""
        out, level = {}, [f]
        while level:
            below = []
            for o in level:
                for i in range(o.childCount):
                    c = o.getChildAtIndex(i)
                    if c is not None:
                        below.append(c)
                        if c.name:
                            out.setdefault(c.name, c)
            level = below
        return out

    app = wait_for(application, "the program on the accessibility bus")
    wait_for(lambda: frame("Schriftliche Division"), "the start window in the tree")
    start = wait_for(lambda: window_of(pid, "Schriftliche Division"), "the start window")
    keys(start, "Tab", "Return")  # the exercise picture, then open it
    f = wait_for(lambda: frame("Einstellige Division"), "the exercise window in the tree")
    wid = wait_for(lambda: window_of(pid, "Einstellige Division"), "the exercise window")

    faults = []
    on = controls(f)
    for name in CELLS:
        c = on.get(name)
        if c is None:
            faults.append("no cell named %r" % name)
        elif c.getRoleName() != "text" or text(c) != "":
            faults.append("%r: role %s, value %r" % (name, c.getRoleName(), text(c)))
    digits = [text(on[p]) if p in on else "" for p in PLACES]
    divisor = on.get("Teiler")
    if not all(len(d) == 1 and d.isdigit() for d in digits) or divisor is None:
        raise Failure("the task cannot be read: %r : %r" % (digits, divisor and text(divisor)))
    if divisor.description != "Schritt 1":
        faults.append("the divisor says %r, not the first step" % divisor.description)
    for name in BUTTONS:
        if name not in on or on[name].getRoleName() != "push button":
            faults.append("no button %r" % name)
    for name in ("Richtige Ziffern", "Fehler"):
        c = on.get(name)
        if c is None or c.queryValue().currentValue != 0 or text(c) != "0":
            faults.append("no counter %r at 0" % name)
    ladder = on.get("Leiter")
    if ladder is None or ladder.getRoleName() != "progress bar" or \
            ladder.queryValue().maximumValue != 23 or ladder.description != "Stufe 0 von 23":
        faults.append("no ladder at step 0 of 23")
    if faults:
        raise Failure("; ".join(faults))
    print("ok  names, roles and values of the exercise window: %s : %s" %
          ("".join(digits), text(divisor)), flush=True)

    # Tab selects the first cell in working order; the right digit typed there
    # is its new value at once, and announced.
    from gi.repository import GLib
    heard = []
    pyatspi.Registry.registerEventListener(lambda e: heard.append((e.source.name, e.any_data)),
                                           "object:text-changed:insert")
    first = on[CELLS[0]]
    keys(wid, "Tab")
    wait_for(lambda: first.getState().contains(pyatspi.STATE_FOCUSED),
           "the first quotient digit to have the keyboard")
    digit = str(int("".join(digits)) // 100 // int(text(divisor)))
    keys(wid, digit)
    wait_for(lambda: text(first) == digit,
           lambda: "the cell to hold %s, it holds %r" % (digit, text(first)))
    wait_for(lambda: on["Richtige Ziffern"].queryValue().currentValue == 1, "a point")

    def announced():
        while GLib.MainContext.default().iteration(False):
            pass
        return (CELLS[0], digit) in heard

    wait_for(announced, lambda: "the new digit to be announced, heard %r" % heard)
    print("ok  Tab, the digit %s typed, read back and announced" % digit, flush=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    if not os.environ.get(INSIDE):
        missing = [t for t in TOOLS if not shutil.which(t)]
        if not os.access(BUS_LAUNCHER, os.X_OK):
            missing.append("at-spi2-core")
        if subprocess.run(["/usr/bin/python3", "-c", "import pyatspi"],
                          capture_output=True).returncode != 0:
            missing.append("python3-pyatspi")
        if missing:
            print("missing:", ", ".join(missing), "(scripts/setup.sh installs them)")
            return 1
        env = dict(os.environ, **{INSIDE: "1"})
        return subprocess.run(["dbus-run-session", "--", "/usr/bin/python3", __file__,
                               sys.argv[1]], env=env).returncode

    runtime = tempfile.mkdtemp(prefix="division-a11y-")
    os.chmod(runtime, 0o700)
    os.environ.update(XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8",
                      QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    os.environ.pop("WAYLAND_DISPLAY", None)
    prog = None
    try:
        start_display(os.environ, procs, (1280, 1024))
        prog = subprocess.Popen([sys.argv[1]])
        procs.append(prog)
        read(prog.pid)
        print("all read as a screen reader would")
        return 0
    except Failure as e:
        print("FAIL:", e, flush=True)
        if prog is not None and prog.poll() is not None:
            print("the program had ended with", prog.returncode)
        return 1
    finally:
        stop_all(procs)
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
