#!/usr/bin/env python3
"""Plays the program as a child and a teacher would, on a real X display.

Starts its own Xvfb (a free display number) with openbox, starts the program
as it ships, and drives it through real X input (xdotool), judging only what a
person sees: window titles and places, the pixels of the windows. Waits by
polling with time-outs. Every process it starts is stopped by its own pid.

Usage: play_on_display.py PROGRAM
"""
import os
import re
import subprocess
import sys
import tempfile
import time

PROGRAM = sys.argv[1]
env = dict(os.environ)
procs = []


def px(twips):
    return twips // 15


def centre(left, top, width, height):
    return px(left + width // 2), px(top + height // 2)


# Places in the windows, from their layout in twips.
FORM0_EXERCISE = centre(2880, 840, 495, 495)
FORM0_INFO = centre(4680, 840, 495, 495)
FORM0_QUIT = centre(1080, 840, 495, 495)
CELL_B28 = (3360, 4800, 495, 495)  # final difference, always "0" in normal mode
CELL_B11 = (2160, 2760, 495, 495)
PROMPT = centre(960, 6120, 7095, 375)
BLATT = centre(6720, 120, 1335, 495)
PRINT_TASKS = centre(960 + 1440, 120, 1935, 495)
ENDE = centre(960, 120, 1335, 495)
INFO_SWITCH = (px(240) + 8, px(2400 + 127))
YELLOW, GREEN, NAVY = (255, 255, 0), (0, 192, 0), (0, 0, 128)
LIGHT = (192, 192, 255)  # the exercise window's back colour


def digit_key(d):
    return (960 + 720 * d, 5520, 615, 495)


class Failure(Exception):
    pass


def check(cond, what):
    if not cond:
        raise Failure(what)


def run(*args, ok=(0,)):
    r = subprocess.run(args, env=env, capture_output=True, text=True, timeout=30)
    if r.returncode not in ok:
        raise Failure(f"{args}: {r.returncode} {r.stderr.strip()}")
    return r.stdout


def wait(pred, what, timeout=15.0):
    end = time.monotonic() + timeout
    while True:
        v = pred()
        if v:
            return v
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.03)


def start(args, **kw):
    p = subprocess.Popen(args, env=env, **kw)
    procs.append(p)
    return p


def windows(title, pid=None):
    out = run("xdotool", "search", "--onlyvisible", "--all", "--pid", str(pid or prog.pid),
              "--name", title, ok=(0, 1))
    return [int(w) for w in out.split()]


def window(title):
    return wait(lambda: (windows(title) or [None])[0], "window " + title)


def geometry(wid):
    """Client position and size, and the frame's extents (left, right, top, bottom)."""
    out = run("xwininfo", "-id", str(wid))
    v = {k: int(n) for k, n in re.findall(r"(Absolute upper-left [XY]|Width|Height):\s+(-?\d+)", out)}
    ext = re.findall(r"\d+", run("xprop", "-id", str(wid), "_NET_FRAME_EXTENTS"))
    return v["Absolute upper-left X"], v["Absolute upper-left Y"], v["Width"], v["Height"], \
        [int(e) for e in ext] or [0, 0, 0, 0]


def active():
    return int(run("xdotool", "getactivewindow", ok=(0, 1)).strip() or 0)


def click(wid, xy):
    run("xdotool", "mousemove", "--window", str(wid), str(xy[0]), str(xy[1]), "click", "1")


def keys(*names):
    run("xdotool", "key", "--delay", "30", *names)


def pixels(wid, rect):
    """The RGB triples in a rectangle (x, y, w, h in pixels) of a window."""
    x, y, w, h = rect
    ppm = subprocess.run(["import", "-window", str(wid), "-crop", f"{w}x{h}+{x}+{y}",
                          "-depth", "8", "ppm:-"], env=env, capture_output=True, timeout=30).stdout
    # P6 header: magic, width, height, maxval, each ended by one blank; then the bytes.
    m = re.match(rb"P6\s(\d+)\s(\d+)\s255\s", ppm)
    check(m is not None, "a screenshot of window %d" % wid)
    data = ppm[m.end():]
    return [tuple(data[i:i + 3]) for i in range(0, len(data) - 2, 3)]


def shows(wid, rect, colour):
    return colour in pixels(wid, rect)


def rect_px(tw_rect):
    return tuple(px(v) for v in tw_rect)


def box(title, timeout=15.0):
    """Waits for a box (a window of the program besides the known ones) with this title."""
    return wait(lambda: (windows("^" + title + "$") or [None])[0], "box " + title, timeout)


def answer(title, *key_names):
    wid = box(title)
    wait(lambda: active() == wid, "box " + title + " to take the keyboard")
    keys(*key_names)
    wait(lambda: wid not in windows("^" + title + "$"), "box " + title + " to close")


def drag(wid, digit, target, steps=3):
    kx, ky = centre(*digit_key(digit))
    tx, ty = target
    cmd = ["xdotool", "mousemove", "--window", str(wid), str(kx), str(ky), "mousedown", "1"]
    for i in range(1, steps + 1):
        cmd += ["mousemove", "--window", str(wid),
                str(kx + (tx - kx) * i // steps), str(ky + (ty - ky) * i // steps)]
    run(*cmd, "mouseup", "1")


# ---------------------------------------------------------------- the steps

state = {"points": 0}


def start_window_is_centred():
    f0 = window("^Schriftliche Division$")
    x, y, w, h, (l, r, t, b) = geometry(f0)
    check(t > 0, "the start window has a frame")
    outer_x, outer_y, outer_w, outer_h = x - l, y - t, w + l + r, h + t + b
    check(abs(outer_x - (1280 - outer_w) / 2) <= 1 and abs(outer_y - (1024 - outer_h) / 2) <= 1,
          f"start window centred by its outer size: {outer_x},{outer_y} {outer_w}x{outer_h}")
    state["form0"] = f0


def info_then_exercise():
    f0 = state["form0"]
    wait(lambda: active() == f0, "the start window to be active")
    click(f0, FORM0_INFO)
    state["info"] = window("^Programm-Info$")
    wait(lambda: active() == state["info"], "the info window to be active")
    # The info window lies over the exercise picture: bring the start window
    # to the front by a click on a free spot first.
    click(f0, (20, 400))
    wait(lambda: active() == f0, "the start window to come to the front")
    click(f0, FORM0_EXERCISE)
    state["form1"] = window("^Einstellige Division$")
    wait(lambda: not windows("^Schriftliche Division$"), "the start window to hide")
    check(windows("^Programm-Info$"), "the info window stays open beside the exercise")
    wait(lambda: active() == state["form1"], "the exercise window to be active")


def right_and_wrong_digit_by_drag():
    f1, cell = state["form1"], rect_px(CELL_B28)
    target = centre(*CELL_B28)
    drag(f1, 0, target)  # right, and the third quotient digit is still missing
    answer("Eingabefehler", "Return")
    check(not windows("^Fehler$"), "a right digit is not refused")
    check(shows(f1, cell, YELLOW), "the right digit stays in its cell")
    drag(f1, 1, target)  # wrong
    answer("Fehler", "Return")
    answer("Eingabefehler", "Return")
    check(not shows(f1, cell, YELLOW), "a wrong digit is taken out again")
    drag(f1, 0, target)
    answer("Eingabefehler", "Return")
    check(shows(f1, cell, YELLOW), "the right digit is in its cell")
    state["points"] += 2


def switching_windows_keeps_the_task():
    f1, info = state["form1"], state["info"]
    # The child moves the exercise window down, beside the info window.
    run("wmctrl", "-i", "-r", hex(f1), "-e", "0,0,520,-1,-1")
    wait(lambda: geometry(f1)[0] < 10, "the exercise window to move")
    before = geometry(f1)[:2], geometry(info)[:2]
    click(info, (4, 4))
    wait(lambda: active() == info, "the info window to come to the front")
    click(f1, (3, 3))
    wait(lambda: active() == f1, "the exercise window to come back")
    check(shows(f1, rect_px(CELL_B28), YELLOW), "the entered digit survives the switch")
    check((geometry(f1)[:2], geometry(info)[:2]) == before, "neither window jumps back")


def key_in_the_middle_of_a_drag():
    f1 = state["form1"]
    cell, key5 = rect_px(CELL_B28), rect_px(digit_key(5))
    cell_around = (cell[0] - 10, cell[1] - 4, cell[2] + 20, cell[3] + 8)
    run("xdotool", "mousemove", "--window", str(f1), "3", "3")
    before = pixels(f1, cell_around), pixels(f1, key5)
    click(f1, centre(*CELL_B11))  # a cell selected for typing
    kx, ky = centre(*digit_key(5))
    tx, ty = centre(*CELL_B28)
    run("xdotool", "mousemove", "--window", str(f1), str(kx), str(ky), "mousedown", "1",
        "mousemove", "--window", str(f1), str(tx), str(ky - 20),
        "mousemove", "--window", str(f1), str(tx), str(ty))
    keys("x")  # a wrong key: the error box opens in the middle of the drag
    fehler = box("Fehler")
    run("xdotool", "mouseup", "1")  # the release goes to the box
    wait(lambda: active() == fehler, "the error box to take the keyboard")
    keys("Return")
    wait(lambda: not windows("^Fehler$"), "the error box to close")
    run("xdotool", "mousemove", "--window", str(f1), "3", "3")
    wait(lambda: (pixels(f1, cell_around), pixels(f1, key5)) == before,
         "the floating digit to go and the key to come up", timeout=5)
    # No drag is left over: the next one drops as ever.
    drag(f1, 0, (tx, ty))
    answer("Eingabefehler", "Return")
    check(not windows("^Fehler$"), "the next drag drops its own digit")
    state["points"] += 1


def fifty_points_open_the_game():
    f1 = state["form1"]
    while state["points"] < 50:
        drag(f1, 0, centre(*CELL_B28), steps=1)
        answer("Eingabefehler", "Return")
        state["points"] += 1
    prompt = (px(960), px(6120), px(7095), px(375))
    wait(lambda: shows(f1, prompt, GREEN), "the reward prompt")
    click(f1, PROMPT)
    game = window("^Zahlfange$")
    wait(lambda: not windows("^Einstellige Division$"), "the exercise window to hide")
    wait(lambda: active() == game, "the game to take the keyboard")
    state["game"] = game


def arrow_keys_only_steer():
    game = state["game"]
    ende, bar = (px(120), px(120), px(735), px(495)), (px(5040), px(240), px(1095), px(255))
    run("xdotool", "mousemove", "--window", str(game), "470", "5")
    before = pixels(game, ende), pixels(game, bar)
    keys("Left", "Left")  # the cross goes from column 14 to 12, row 9
    cross = (px(12 * 14 * 20), px(9 * 14 * 20), 16, 20)
    wait(lambda: shows(game, cross, NAVY), "the cross to move left")
    check(pixels(game, ende) == before[0], "the focus stays on ENDE")
    check(pixels(game, bar) == before[1], "the speed bar keeps its place")
    keys("Escape")
    wait(lambda: len(windows("^Zahlfange$")) == 2, "the quit question")
    question = [w for w in windows("^Zahlfange$") if w != game][0]
    wait(lambda: active() == question, "the quit question to take the keyboard")
    keys("Return")  # Yes is the default
    state["form1"] = window("^Einstellige Division$")
    wait(lambda: not windows("^Zahlfange$"), "the game to end")
    wait(lambda: active() == state["form1"], "the exercise window to come back")


def print_lock():
    f1, info = state["form1"], state["info"]
    click(f1, BLATT)
    click(f1, PRINT_TASKS)
    answer("Druckersperre aufheben", "Return")  # the pre-filled text is no password
    click(f1, PRINT_TASKS)
    lock = box("Druckersperre aufheben")
    wait(lambda: active() == lock, "the password box to take the keyboard")
    keys("ctrl+a")
    keys(*str(state["points"]))
    keys("Return")
    # The right password leads to the question; the wrong one before led nowhere.
    answer("Schriftliche Division", "Return")  # No is the default
    # The exercise window, centred again after the game, covers part of the
    # info window: the teacher brings it to the front by its title bar first.
    x, y, w, h, (l, r, t, b) = geometry(info)
    run("xdotool", "mousemove", str(x + w // 2), str(y - t // 2), "click", "1")
    wait(lambda: active() == info, "the info window to come to the front")
    click(info, INFO_SWITCH)  # printing switched on in the info window
    click(f1, (3, 3))  # and the exercise window back to the front
    wait(lambda: active() == f1, "the exercise window to come to the front")
    click(f1, PRINT_TASKS)
    printer = run("lpstat", "-d", ok=(0, 1)) if has("lpstat") else ""
    if "destination:" in printer:
        jobs = len(run("lpstat", "-W", "all", "-o", ok=(0, 1)).splitlines())
        answer("Schriftliche Division", "shift+Tab", "space")
        answer("Drucken", "Return")
        wait(lambda: len(run("lpstat", "-W", "all", "-o", ok=(0, 1)).splitlines()) > jobs,
             "a print job")
    else:
        answer("Schriftliche Division", "Return")
    check(not windows("^Druckersperre aufheben$"), "no password asked once printing is on")
    click(f1, ENDE)  # "Abbruch" lies there while the sheet is shown
    wait(lambda: not shows(f1, rect_px((960, 720, 7095, 400)), YELLOW), "the sheet to close")


def maximised_exercise():
    f1 = state["form1"]
    run("wmctrl", "-i", "-r", hex(f1), "-b", "add,maximized_vert,maximized_horz")
    wait(lambda: geometry(f1)[2] > 1200, "the exercise window to fill the screen")
    _, _, w, h, _ = geometry(f1)
    z = min(w / 604, h / 443)
    off = ((w - 604 * z) / 2, (h - 443 * z) / 2)

    def at(x, y):  # a point in twips, where the grown window shows it
        return int(off[0] + x * z / 15), int(off[1] + y * z / 15)

    def area(left, top, width, height):
        x, y = at(left, top)
        return x, y, int(width * z / 15), int(height * z / 15)

    wait(lambda: shows(f1, (0, h // 2, max(1, int(off[0]) - 2), 4), LIGHT),
         "the margin in the window's back colour")
    check(not shows(f1, area(*CELL_B28), YELLOW), "a new task has an empty last cell")
    kx, ky = at(960 + 307, 5520 + 247)
    tx, ty = at(3360 + 247, 4800 + 247)
    run("xdotool", "mousemove", "--window", str(f1), str(kx), str(ky), "mousedown", "1",
        "mousemove", "--window", str(f1), str((kx + tx) // 2), str((ky + ty) // 2),
        "mousemove", "--window", str(f1), str(tx), str(ty), "mouseup", "1")
    answer("Eingabefehler", "Return")
    check(shows(f1, area(*CELL_B28), YELLOW), "the digit dropped on the grown cell stays")
    state["points"] += 1
    # Away to the start window and back: still maximised.
    click(f1, at(960 + 667, 120 + 247))
    f0 = window("^Schriftliche Division$")
    wait(lambda: active() == f0, "the start window to be active")
    click(f0, FORM0_EXERCISE)
    wait(lambda: windows("^Einstellige Division$"), "the exercise window to come back")
    check("MAXIMIZED_HORZ" in run("xprop", "-id", str(f1), "_NET_WM_STATE"),
          "the exercise window comes back maximised")
    run("wmctrl", "-i", "-r", hex(f1), "-b", "remove,maximized_vert,maximized_horz")
    wait(lambda: geometry(f1)[2] < 700, "the exercise window back at its size")
    wait(lambda: active() == f1, "the exercise window to be active")


def quit_program():
    f1 = state["form1"]
    click(f1, ENDE)
    f0 = window("^Schriftliche Division$")
    click(f0, FORM0_QUIT)
    question = wait(lambda: [w for w in windows("^Schriftliche Division$") if w != f0],
                    "the quit question")[0]
    wait(lambda: active() == question, "the quit question to take the keyboard")
    keys("shift+Tab", "space")  # Yes
    prog.wait(timeout=15)
    check(prog.returncode == 0, f"the program ended cleanly ({prog.returncode})")


# One step after another; a new step goes into this list.
STEPS = [
    start_window_is_centred,
    info_then_exercise,
    right_and_wrong_digit_by_drag,
    switching_windows_keeps_the_task,
    key_in_the_middle_of_a_drag,
    fifty_points_open_the_game,
    arrow_keys_only_steer,
    print_lock,
    maximised_exercise,
    quit_program,
]


def has(tool):
    return any(os.access(os.path.join(d, tool), os.X_OK) for d in env["PATH"].split(os.pathsep))


def start_display():
    rfd, wfd = os.pipe()
    start(["Xvfb", "-displayfd", str(wfd), "-screen", "0", "1280x1024x24", "-dpi", "96",
           "-noreset", "-nolisten", "tcp"], pass_fds=(wfd,), stderr=subprocess.DEVNULL)
    os.close(wfd)
    number = b""
    with os.fdopen(rfd, "rb") as f:
        while not number.endswith(b"\n"):
            c = f.read(1)
            if not c:
                raise Failure("Xvfb did not start")
            number += c
    env["DISPLAY"] = ":" + number.decode().strip()
    start(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait(lambda: "Openbox" in run("wmctrl", "-m", ok=(0, 1)), "openbox")
    # A German keyboard, as at school: Shift turns the digit row into signs.
    run("setxkbmap", "de")


def main():
    global prog
    for tool in ("Xvfb", "openbox", "xdotool", "wmctrl", "xwininfo", "xprop", "import",
                 "setxkbmap"):
        if not has(tool):
            print("missing tool:", tool, "(scripts/setup.sh installs it)")
            return 1
    runtime = tempfile.mkdtemp(prefix="division-desktop-")
    os.chmod(runtime, 0o700)
    env.update(XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
    env.pop("WAYLAND_DISPLAY", None)
    t0 = time.monotonic()
    step = start_display
    try:
        start_display()
        prog = start([PROGRAM])
        for step in STEPS:
            t = time.monotonic()
            step()
            print(f"ok  {step.__name__} ({time.monotonic() - t:.1f} s)", flush=True)
        print(f"all steps passed in {time.monotonic() - t0:.1f} s")
        return 0
    except Failure as e:
        print(f"FAIL {step.__name__}: {e}", flush=True)
        if prog is not None and prog.poll() is not None:
            print("the program had ended with", prog.returncode)
        shot = os.path.join(runtime, "failure.png")
        subprocess.run(["import", "-window", "root", shot], env=env, timeout=30)
        print("screen at the failure:", shot)
        return 1
    finally:
        for p in reversed(procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()


prog = None
if __name__ == "__main__":
    sys.exit(main())
