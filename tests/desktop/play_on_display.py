#!/usr/bin/env python3
"""Plays the program as a child and a teacher would, on a real X display.

Starts its own Xvfb (a free display number) with openbox and its own CUPS
scheduler, whose default queue keeps every job as a file; starts the program
as it ships and drives it through real X input (xdotool), judging only what a
person sees: window titles and places, the pixels of the windows and the
printed page. Controls are found where the pictures of the windows show them
(by colour, shape and order), digits by the ink of their colour inside a cell.
Every check polls until the state holds or a time-out passes. Every process it
starts is stopped by its own pid; everything it writes lies in one temporary
folder, removed after a run that passed.

Usage: play_on_display.py PROGRAM
"""
import grp
import os
import pwd
import re
import shutil
import subprocess
import sys
import tempfile
import time
from collections import namedtuple

import own_display
from own_display import Failure, stop_all

env = dict(os.environ)
procs = []
prog = None
runtime = None
SCREEN = (1280, 1024)
TIMEOUT = 20.0

# Colours as the windows show them (RGB).
BLACK, WHITE = (0, 0, 0), (255, 255, 255)
LIGHT = (192, 192, 255)  # the exercise window's and the game's back colour
DARK = (128, 128, 255)  # the answer cells, the sheet
YELLOW, RED = (255, 255, 0), (255, 0, 0)  # the digits of the last step and of the first
MARKER = (0, 255, 255)  # the key cap laid over a selected cell
GREEN = (0, 128, 0)  # the start window's pictures, the counters
PROMPT = (0, 192, 0)  # the reward prompt's text
NAVY = (0, 0, 128)  # the digits and the cross of the number-catch game
FACE = ((220, 220, 220), (255, 255, 255))  # a push button's face


# ---------------------------------------------------------------- processes and windows


def run(*args, ok=(0,)):
    r = subprocess.run(args, env=env, capture_output=True, text=True, timeout=30)
    if r.returncode not in ok:
        raise Failure(f"{args}: {r.returncode} {r.stderr.strip()}")
    return r.stdout


def start(args, **kw):
    p = subprocess.Popen(args, env=env, **kw)
    procs.append(p)
    return p


def windows(title):
    """The program's windows that the window manager shows, whose title matches."""
    for attempt in range(10):
        try:
            listed = run("wmctrl", "-l", "-p")
            break
        except Failure:  # a window went away while wmctrl read the list
            if attempt == 9:
                raise
    found = []
    for line in listed.splitlines():
        m = re.match(r"(0x[0-9a-f]+)\s+-?\d+\s+(\d+)\s+\S+\s(.*)", line)
        if m and int(m[2]) == prog.pid and re.search(title, m[3]):
            found.append(int(m[1], 16))
    return found


def expect(pred, what, timeout=TIMEOUT, boxes=()):
    """Polls pred until it holds and returns its value; fails at the time-out,
    or at once when one of the named boxes opens instead. what may be a function
    that describes what was last seen."""
    end = time.monotonic() + timeout
    while True:
        v = pred()
        if v:
            return v
        say = what if not callable(what) else None
        for title in boxes:
            if windows("^" + title + "$"):
                raise Failure(f"the box {title} opened while waiting for {say or what()}")
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + (say or what()))
        time.sleep(0.03)


def settled(read, what):
    """What read returns once it no longer changes: two reads in a row agree."""
    seen = [read()]

    def same():
        seen[:] = [seen[-1], read()]
        return seen[1] if seen[0] == seen[1] else None

    return expect(same, what)


def window(title):
    return expect(lambda: (windows(title) or [None])[0], "window " + title)


def geometry(wid):
    """Client position and size, and the frame's extents (left, right, top, bottom)."""
    out = run("xwininfo", "-id", str(wid))
    v = {k: int(n)
         for k, n in re.findall(r"(Absolute upper-left [XY]|Width|Height):\s+(-?\d+)", out)}
    ext = re.findall(r"\d+", run("xprop", "-id", str(wid), "_NET_FRAME_EXTENTS"))
    return v["Absolute upper-left X"], v["Absolute upper-left Y"], v["Width"], v["Height"], \
        [int(e) for e in ext] or [0, 0, 0, 0]


def active():
    return int(run("xdotool", "getactivewindow", ok=(0, 1)).strip() or 0)


def activated(wid, what):
    expect(lambda: active() == wid, what)


def click(wid, xy, *more):
    run("xdotool", "mousemove", "--window", str(wid), str(xy[0]), str(xy[1]), "click", *more, "1")


def pointer_away(wid):
    """The pointer to a free corner of the window: no drag image, no tooltip."""
    run("xdotool", "mousemove", "--window", str(wid), "2", "2")


def to_front(wid, what):
    """Brings a window to the front by a click on a free corner of it."""
    click(wid, (2, 2))
    activated(wid, what)


def keys(*names):
    run("xdotool", "key", "--delay", "30", *names)


def box(title, instead=()):
    """Waits for a box (a window of the program besides the known ones) with this
    title; fails at once when a box named in instead opens."""
    return expect(lambda: (windows("^" + title + "$") or [None])[0], "box " + title,
                  boxes=instead)


def answer(title, *key_names, instead=()):
    wid = box(title, instead)
    activated(wid, "box " + title + " to take the keyboard")
    keys(*key_names)
    expect(lambda: wid not in windows("^" + title + "$"), "box " + title + " to close")


def drag(wid, source, target, steps=3):
    (kx, ky), (tx, ty) = source, target
    cmd = ["xdotool", "mousemove", "--window", str(wid), str(kx), str(ky), "mousedown", "1"]
    for i in range(1, steps + 1):
        cmd += ["mousemove", "--window", str(wid),
                str(kx + (tx - kx) * i // steps), str(ky + (ty - ky) * i // steps)]
    run(*cmd, "mouseup", "1")


# ---------------------------------------------------------------- pictures

Region = namedtuple("Region", "x y w h n")  # a bounding box and its number of pixels


def centre(r):
    return r.x + r.w // 2, r.y + r.h // 2


def rect(r):
    return r.x, r.y, r.w, r.h


def _bits(values, lo, hi):
    return int.from_bytes(values.translate(bytes(lo <= v <= hi for v in range(256))), "big")


class Shot:
    """A screenshot of a window, or of a rectangle (x, y, w, h) in it."""

    def __init__(self, wid, area=None):
        cmd = ["import", "-window", str(wid)]
        if area:
            cmd += ["-crop", "%dx%d+%d+%d" % (area[2], area[3], area[0], area[1])]
        ppm = subprocess.run(cmd + ["-depth", "8", "ppm:-"], env=env, capture_output=True,
                             timeout=30).stdout
        # P6 header: magic, width, height, maxval, each ended by one blank; then the bytes.
        m = re.match(rb"P6\s(\d+)\s(\d+)\s255\s", ppm)
        if m is None:
            raise Failure("a screenshot of window %d" % wid)
        self.w, self.h = int(m[1]), int(m[2])
        self.data = ppm[m.end():m.end() + 3 * self.w * self.h]
        self._masks = {}

    def mask(self, colour):
        """One byte a pixel: 1 where the colour (or range (lo, hi) of colours) is."""
        lo, hi = (colour, colour) if isinstance(colour[0], int) else colour
        if (lo, hi) not in self._masks:
            d = self.data
            bits = _bits(d[0::3], lo[0], hi[0]) & _bits(d[1::3], lo[1], hi[1]) & \
                _bits(d[2::3], lo[2], hi[2])
            self._masks[lo, hi] = bits.to_bytes(self.w * self.h, "big")
        return self._masks[lo, hi]

    def count(self, colour, area=None):
        x, y, w, h = area or (0, 0, self.w, self.h)
        m = self.mask(colour)
        return sum(m.count(1, r * self.w + x, r * self.w + x + w) for r in range(y, y + h))

    def regions(self, colour, area=None):
        """The connected regions of a colour (4-neighbourhood), as bounding boxes."""
        x0, y0, w, h = area or (0, 0, self.w, self.h)
        m = self.mask(colour)
        runs, parent, above = [], [], []

        def root(i):
            while parent[i] != i:
                parent[i] = parent[parent[i]]
                i = parent[i]
            return i

        for y in range(y0, y0 + h):
            row, base = [], y * self.w + x0
            for r in re.finditer(rb"\x01+", m[base:base + w]):
                a, b, i = r.start() + x0, r.end() + x0, len(runs)
                runs.append((y, a, b))
                parent.append(i)
                for j in above:
                    if runs[j][1] < b and a < runs[j][2]:
                        parent[root(j)] = root(i)
                row.append(i)
            above = row
        boxes = {}
        for i, (y, a, b) in enumerate(runs):
            l, t, r, btm, n = boxes.get(root(i), (a, y, b, y + 1, 0))
            boxes[root(i)] = (min(l, a), min(t, y), max(r, b), max(btm, y + 1), n + b - a)
        return [Region(l, t, r - l, btm - t, n) for l, t, r, btm, n in boxes.values()]


def picture(wid, area):
    return Shot(wid, area).data


def ink(wid, cell, colour):
    """The digit of that colour is seen in the cell: enough of its pixels there."""
    return Shot(wid, rect(cell)).count(colour) >= cell.w * cell.h * 3 // 100


def empty(wid, cell, colour):
    """The cell is in view (its back colour fills most of it) and holds no ink of
    the digit's colour."""
    s = Shot(wid, rect(cell))
    return s.count(colour) == 0 and s.count(DARK) >= cell.w * cell.h * 9 // 10


def marked(wid, cell):
    return Shot(wid, rect(cell)).count(MARKER) >= cell.w * cell.h // 3


def select(wid, cell, what, *more):
    """Clicks a cell (more: xdotool click options), the pointer away from the
    marker's tooltip, and waits for the marker over the cell."""
    click(wid, centre(cell), *more)
    pointer_away(wid)
    expect(lambda: marked(wid, cell), what)


class Exercise:
    """The controls of the exercise window where its picture shows them: the
    counter column and the ladder are the tall black bars at the sides, the work
    area the black frame between them, the prompt band the black bar beneath;
    buttons are the faces above the frame, the digit keys those beneath it
    ("0" first); the answer cells are the blue-violet squares in the frame,
    grouped in rows from the quotient row down to the last difference."""

    def __init__(self, shot):
        blacks = shot.regions(BLACK)
        tall = sorted((r for r in blacks if r.h > shot.h // 2), key=lambda r: r.x)
        self.column, self.ladder = tall[0], tall[-1]
        left, right = self.column.x + self.column.w, self.ladder.x
        inner = [r for r in blacks if r.x > left and r.x + r.w < right]
        self.frame = f = max(inner, key=lambda r: r.w * r.h)
        self.band = [r for r in inner if r.y > f.y + f.h and r.w > f.w * 9 // 10][0]
        faces = [r for r in shot.regions(FACE) if r.x > left and r.x + r.w < right and
                 r.h > f.h // 20]  # not the holes of the captions' letters
        self.buttons = sorted((r for r in faces if r.y + r.h < f.y), key=lambda r: r.x)
        self.keys = sorted((r for r in faces if r.y > f.y + f.h and r.y < self.band.y),
                           key=lambda r: r.x)
        cells = sorted((r for r in shot.regions(DARK, rect(f)) if r.w > f.w // 30 and
                        abs(r.w - r.h) <= 2), key=lambda r: (r.y, r.x))
        self.rows = []
        for c in cells:
            if self.rows and abs(self.rows[-1][0].y - c.y) <= 2:
                self.rows[-1].append(c)
            else:
                self.rows.append([c])
        self.counters = sorted((r for r in shot.regions(GREEN, rect(self.column))
                                if r.w > self.column.w // 2), key=lambda r: r.y)
        # The back colour around the content: left, top, right, bottom.
        self.edges = (self.column.x, self.column.y, shot.w - right - self.ladder.w,
                      shot.h - self.column.y - self.column.h)
        self.size = shot.w, shot.h

    @staticmethod
    def find(wid):
        """The layout once the window shows an empty task with no marker and no sheet."""
        try:
            ex = Exercise(Shot(wid))
        except (IndexError, ValueError):
            return None
        whole = len(ex.keys) == 10 and len(ex.buttons) == 5 and len(ex.counters) == 2
        return ex if whole and sum(map(len, ex.rows)) == 14 and len(ex.rows[-1]) == 1 else None

    def last_cell(self):  # the final difference: "0" in a task without remainder
        return self.rows[-1][0]

    def product_cells(self):  # the first product, beneath the dividend's first digits
        return self.rows[1]

    def key(self, digit):
        return centre(self.keys[digit])


def panel_buttons(wid, ex):
    """The worksheet panel's buttons over the top row, once the sheet is shown."""
    shot = Shot(wid)
    f = ex.frame
    sheet = [r for r in shot.regions(DARK) if r.w > f.w * 9 // 10 and r.h > f.h // 2]
    faces = sorted((r for r in shot.regions(FACE, (f.x, 0, f.w, f.y)) if r.h > f.y // 3),
                   key=lambda r: r.x)
    return faces if sheet and len(faces) == 4 else None


def start_pictures(wid):
    """The three green pictures of the start window, left to right: quit, exercise, info."""
    pics = sorted((r for r in Shot(wid).regions(GREEN) if r.w >= 10 and abs(r.w - r.h) <= 2),
                  key=lambda r: r.x)
    return [centre(r) for r in pics] if len(pics) == 3 else None


def check_box(wid):
    """The check box of the info window: a white square holding a black tick."""
    shot = Shot(wid)
    for r in shot.regions(WHITE):
        if r.w >= 8 and abs(r.w - r.h) <= 2 and shot.count(BLACK, rect(r)) >= 5:
            return r
    return None


def game_parts(wid):
    """The number-catch field (the largest black frame) and the score above it."""
    shot = Shot(wid)
    field = max(shot.regions(BLACK), key=lambda r: r.w * r.h)
    scores = [r for r in shot.regions(RED) if r.y + r.h < field.y]
    if field.w < shot.w // 2 or not scores:
        return None
    return field, max(scores, key=lambda r: r.w * r.h), shot.w


def cross(wid, field):
    """The number-catch cross: a navy plus sign, its four corners free."""
    shot = Shot(wid, field)
    m = shot.mask(NAVY)
    for r in shot.regions(NAVY):
        corners = [(r.x, r.y), (r.x + r.w - 2, r.y), (r.x, r.y + r.h - 2),
                   (r.x + r.w - 2, r.y + r.h - 2)]
        free = not any(m[(y + dy) * shot.w + x + dx] for x, y in corners
                       for dx in (0, 1) for dy in (0, 1))
        middle = m[(r.y + r.h // 2) * shot.w + r.x + r.w // 2]
        if r.w >= 5 and abs(r.w - r.h) <= 1 and free and middle:
            return r
    return None


# ---------------------------------------------------------------- the steps

state = {"points": 0}


def start_window_is_centred():
    f0 = window("^Schriftliche Division$")

    def centred():
        x, y, w, h, (l, r, t, b) = geometry(f0)
        ow, oh = w + l + r, h + t + b
        return t > 0 and abs(x - l - (SCREEN[0] - ow) / 2) <= 1 and \
            abs(y - t - (SCREEN[1] - oh) / 2) <= 1

    expect(centred, lambda: f"the start window framed and centred: {geometry(f0)}")
    state["form0"] = f0


def info_then_exercise():
    f0 = state["form0"]
    activated(f0, "the start window to be active")
    quit_, exercise, info = expect(lambda: start_pictures(f0), "the start window's pictures")
    state["start"] = quit_, exercise
    click(f0, info)
    state["info"] = window("^Programm-Info$")
    activated(state["info"], "the info window to be active")
    state["switch"] = expect(lambda: check_box(state["info"]), "the ticked print-mode switch")
    # The info window lies over the exercise picture: the start window first to the front.
    to_front(f0, "the start window to come to the front")
    click(f0, exercise)
    f1 = state["form1"] = window("^Einstellige Division$")
    expect(lambda: not windows("^Schriftliche Division$"), "the start window to hide")
    expect(lambda: windows("^Programm-Info$"), "the info window to stay open beside the exercise")
    activated(f1, "the exercise window to be active")
    state["ex"] = expect(lambda: Exercise.find(f1), "the exercise window's controls")


def right_and_wrong_digit_by_drag():
    f1, ex = state["form1"], state["ex"]
    cell = ex.last_cell()
    drag(f1, ex.key(0), centre(cell))  # right, and the third quotient digit is still missing
    answer("Eingabefehler", "Return", instead=["Fehler"])
    expect(lambda: ink(f1, cell, YELLOW), "the right digit to stay in its cell")
    drag(f1, ex.key(1), centre(cell))  # wrong
    answer("Fehler", "Return")
    answer("Eingabefehler", "Return")
    expect(lambda: empty(f1, cell, YELLOW), "the wrong digit to be taken out again")
    drag(f1, ex.key(0), centre(cell))
    answer("Eingabefehler", "Return", instead=["Fehler"])
    expect(lambda: ink(f1, cell, YELLOW), "the right digit in its cell")
    state["points"] += 2


def switching_windows_keeps_the_task():
    f1, info, ex = state["form1"], state["info"], state["ex"]
    # The child moves the exercise window down, beside the info window.
    run("wmctrl", "-i", "-r", hex(f1), "-e", "0,0,520,-1,-1")
    expect(lambda: geometry(f1)[0] < 10, "the exercise window to move")

    def places():
        return geometry(f1)[:2], geometry(info)[:2]

    before = places()
    to_front(info, "the info window to come to the front")
    to_front(f1, "the exercise window to come back")
    expect(lambda: ink(f1, ex.last_cell(), YELLOW), "the entered digit to survive the switch")
    expect(lambda: places() == before, "both windows to keep their places")


def key_in_the_middle_of_a_drag():
    f1, ex = state["form1"], state["ex"]
    cell, key5 = ex.last_cell(), ex.keys[5]
    around = (cell.x - cell.w // 3, cell.y - cell.h // 8, cell.w * 5 // 3, cell.h * 5 // 4)
    pointer_away(f1)
    before = settled(lambda: (picture(f1, around), picture(f1, rect(key5))),
                     "the cell and the key at rest")
    select(f1, ex.rows[3][0], "the marker over a cell selected for typing")
    (kx, ky), (tx, ty) = ex.key(5), centre(cell)
    run("xdotool", "mousemove", "--window", str(f1), str(kx), str(ky), "mousedown", "1",
        "mousemove", "--window", str(f1), str(tx), str(ky - key5.h),
        "mousemove", "--window", str(f1), str(tx), str(ty))
    keys("x")  # a wrong key: the error box opens in the middle of the drag
    fehler = box("Fehler")
    run("xdotool", "mouseup", "1")  # the release goes to the box
    activated(fehler, "the error box to take the keyboard")
    keys("Return")
    expect(lambda: not windows("^Fehler$"), "the error box to close")
    pointer_away(f1)
    expect(lambda: (picture(f1, around), picture(f1, rect(key5))) == before,
           "the floating digit to go and the key to come up")
    # No drag is left over: the next one drops its own digit.
    drag(f1, ex.key(0), (tx, ty))
    answer("Eingabefehler", "Return", instead=["Fehler"])
    state["points"] += 1


def fifty_points_open_the_game():
    f1, ex = state["form1"], state["ex"]
    while state["points"] < 50:
        drag(f1, ex.key(0), centre(ex.last_cell()), steps=1)
        answer("Eingabefehler", "Return")
        state["points"] += 1
    expect(lambda: Shot(f1, rect(ex.band)).count(PROMPT) > 0, "the reward prompt")
    click(f1, centre(ex.band))
    game = window("^Zahlfange$")
    expect(lambda: not windows("^Einstellige Division$"), "the exercise window to hide")
    activated(game, "the game to take the keyboard")
    state["game"] = game


def arrow_keys_only_steer():
    game = state["game"]
    pointer_away(game)
    field, score, width = expect(lambda: game_parts(game), "the game's field and score")
    # Above the field: ENDE and the arrows left of the score, the speed bar right of it.
    beside = [(0, 0, score.x, field.y), (score.x + score.w, 0, width - score.x - score.w, field.y)]
    before = settled(lambda: [picture(game, a) for a in beside], "the game's top row at rest")
    seen = [expect(lambda: cross(game, rect(field)), "the cross, at the game's first tick")]

    def moved():  # one column left of where it was, in the same row, by equal steps
        c = cross(game, rect(field))
        step = seen[0].x - seen[1].x if len(seen) > 1 else None
        ok = c and c.y == seen[0].y and c.x < seen[-1].x
        return c if ok and (step is None or abs(seen[-1].x - c.x - step) <= 1) else None

    for _ in range(2):
        keys("Left")
        seen.append(expect(moved, lambda: f"the cross one column left, seen at {seen} and "
                           f"now {cross(game, rect(field))}"))
    expect(lambda: [picture(game, a) for a in beside] == before,
           "the focus to stay on ENDE and the speed bar in its place")
    keys("Escape")
    expect(lambda: len(windows("^Zahlfange$")) == 2, "the quit question")
    question = [w for w in windows("^Zahlfange$") if w != game][0]
    activated(question, "the quit question to take the keyboard")
    keys("Return")  # Yes is the default
    state["form1"] = window("^Einstellige Division$")
    expect(lambda: not windows("^Zahlfange$"), "the game to end")
    activated(state["form1"], "the exercise window to come back")


def print_task_sheet():
    f1, info, ex = state["form1"], state["info"], state["ex"]
    click(f1, centre(ex.buttons[-1]))  # "Blatt"
    _, tasks, _, _ = expect(lambda: panel_buttons(f1, ex), "the sheet and its panel")
    click(f1, centre(tasks))  # "Aufgaben drucken"
    answer("Druckersperre aufheben", "Return")  # the pre-filled text is no password
    click(f1, centre(tasks))
    lock = box("Druckersperre aufheben", instead=["Schriftliche Division"])
    activated(lock, "the password box to take the keyboard")
    keys("ctrl+a", *str(state["points"]), "Return")
    # The right password leads to the question; the wrong one before led nowhere.
    answer("Schriftliche Division", "Return")  # No is the default
    # The exercise window, centred again after the game, covers part of the
    # info window: the teacher brings it to the front first.
    to_front(info, "the info window to come to the front")
    switch = state["switch"]
    click(info, centre(switch))
    expect(lambda: (lambda s: s.count(BLACK) == 0 and s.count(WHITE) > switch.n)(
        Shot(info, rect(switch))), "the print-mode switch to clear")
    to_front(f1, "the exercise window to come to the front")
    click(f1, centre(tasks))
    # No password once printing is on.
    question = box("Schriftliche Division", instead=["Druckersperre aufheben"])
    activated(question, "the question to take the keyboard")
    keys("shift+Tab", "space")  # Yes
    answer("Drucken", "Return")
    state["tasks"] = read_task_sheet()
    click(f1, centre(ex.buttons[0]))  # "Abbruch" lies where "Ende" is
    expect(lambda: Exercise.find(f1), "the sheet to close")


def read_task_sheet():
    """Reads the printed pages back: the heading, twelve tasks with the quotient
    blanked, no other digit, and on every page the foot line with the sheet's
    number. Returns the tasks (dividend, divisor) in reading order."""
    jobs = os.path.join(runtime, "cups", "jobs")

    def kept():  # once no job waits any more: the question answered No made none
        done = not run("lpstat", "-o").strip()
        return done and [os.path.join(jobs, f) for f in os.listdir(jobs) if f.endswith(".pdf")]

    pdf = expect(kept, "the print job")
    if len(pdf) != 1:
        raise Failure(f"one print job expected: {pdf}")
    text = run("pdftotext", "-layout", pdf[0], "-")
    heading = "Schriftliche Division (Aufgaben)"
    if heading not in text:
        raise Failure(f"no heading {heading!r} on the printed page:\n{text}")
    foot = r"Blatt-Nr\. (E-\d{6}) · Seite (\d+) von (\d+)"
    feet = re.findall(foot, text)
    if not feet or len({n for n, _, _ in feet}) != 1 or \
            [(int(p), int(of)) for _, p, of in feet] != [(p, len(feet)) for p in range(1, len(feet) + 1)]:
        raise Failure(f"a foot line with the sheet's number on every page expected:\n{text}")
    tasks = [(int(n), int(d)) for n, d in re.findall(r"(\d{4}):(\d)=___", text)]
    rest = re.sub(r"\d{4}:\d=___", "", re.sub(foot, "", text.replace(heading, "")))
    worked = [ln for ln in rest.splitlines() if re.fullmatch(r"\s*(_+\s+){2}_+\s*", ln)]
    if len(tasks) != 12 or re.search(r"\d", rest) or len(worked) != 24:
        raise Failure(f"twelve tasks with blanked answers expected on the page:\n{text}")
    if any(n % d or not 100 <= n // d <= 999 for n, d in tasks):
        raise Failure(f"a printed task does not divide into a three-digit quotient: {tasks}")
    return tasks


def tap_and_double_click():
    """On the last task of the printed sheet, left in the window: a tap on a
    digit key puts it into the cell selected by a click, a digit typed goes
    into a cell selected by a double-click."""
    f1, ex = state["form1"], state["ex"]
    n, d = state["tasks"][-1]
    product = "%02d" % (n // d // 100 * d)  # the first quotient digit times the divisor
    tens, units = ex.product_cells()
    errors, points = (rect(c) for c in reversed(ex.counters))
    wrong = (int(product[1]) + 1) % 10
    select(f1, units, "the marker over the clicked cell")
    before = picture(f1, errors)
    click(f1, ex.key(wrong))  # a tap of a wrong digit
    answer("Fehler", "Return")
    expect(lambda: picture(f1, errors) != before, "the error counter to count")
    before = picture(f1, points)
    click(f1, ex.key(int(product[1])))
    pointer_away(f1)
    task = f"(the last printed task {n}:{d})"
    expect(lambda: ink(f1, units, RED) and not marked(f1, units),
           f"the tapped digit {product[1]} in its cell {task}", boxes=["Fehler", "Eingabefehler"])
    expect(lambda: picture(f1, points) != before, "the point counter to count")
    select(f1, tens, "the marker to stay over the double-clicked cell", "--repeat", "2",
           "--delay", "80")
    keys(product[0])
    expect(lambda: ink(f1, tens, RED) and not marked(f1, tens),
           f"the typed digit {product[0]} in its cell {task}", boxes=["Fehler", "Eingabefehler"])
    state["points"] += 2


def maximised_exercise():
    f1, small = state["form1"], state["ex"]
    size = geometry(f1)[2:4]
    run("wmctrl", "-i", "-r", hex(f1), "-b", "add,maximized_vert,maximized_horz")
    seen = [None]

    def grown():
        """The content grown as one piece, centred, the back colour around it."""
        ex = seen[0] = Exercise.find(f1)
        if not ex or ex.size[0] < SCREEN[0] * 9 // 10:
            return None
        zoom = ex.frame.w / small.frame.w
        parts = [(a, b) for a, b in zip(sum(ex.rows, []) + ex.keys + ex.buttons,
                                        sum(small.rows, []) + small.keys + small.buttons)]
        if zoom < 1.5 or any(abs(a.w / b.w / zoom - 1) > 0.06 for a, b in parts):
            return None
        extra = [e - zoom * s for e, s in zip(ex.edges, small.edges)]
        if abs(extra[0] - extra[2]) > 2 or abs(extra[1] - extra[3]) > 2:
            return None
        around = Shot(f1, (0, 0, ex.edges[0] // 2, ex.size[1])), \
            Shot(f1, (0, 0, ex.size[0], ex.edges[1] // 2))
        return ex if all(s.count(LIGHT) == s.w * s.h for s in around) else None

    ex = expect(grown, lambda: "the exercise window to fill the screen, its content grown "
                f"as one piece and centred: {seen[0] and (seen[0].size, seen[0].edges)}")
    cell = ex.last_cell()
    expect(lambda: empty(f1, cell, YELLOW), "an empty last cell")
    (kx, ky), (tx, ty) = ex.key(0), centre(cell)
    drag(f1, (kx, ky), (tx, ty), steps=2)
    answer("Eingabefehler", "Return", instead=["Fehler"])
    expect(lambda: ink(f1, cell, YELLOW), "the digit dropped on the grown cell to stay")
    state["points"] += 1
    # Away to the start window and back: still maximised.
    click(f1, centre(ex.buttons[0]))  # "Ende"
    f0 = window("^Schriftliche Division$")
    activated(f0, "the start window to be active")
    click(f0, state["start"][1])
    expect(lambda: windows("^Einstellige Division$"), "the exercise window to come back")
    expect(lambda: "MAXIMIZED_HORZ" in run("xprop", "-id", str(f1), "_NET_WM_STATE"),
           "the exercise window to come back maximised")
    run("wmctrl", "-i", "-r", hex(f1), "-b", "remove,maximized_vert,maximized_horz")
    expect(lambda: geometry(f1)[2:4] == size, "the exercise window back at its size")
    activated(f1, "the exercise window to be active")


def quit_program():
    f1, ex = state["form1"], state["ex"]
    click(f1, centre(ex.buttons[0]))  # "Ende"
    f0 = window("^Schriftliche Division$")
    activated(f0, "the start window to be active")
    click(f0, state["start"][0])
    question = expect(lambda: [w for w in windows("^Schriftliche Division$") if w != f0],
                      "the quit question")[0]
    activated(question, "the quit question to take the keyboard")
    keys("shift+Tab", "space")  # Yes
    prog.wait(timeout=TIMEOUT)
    if prog.returncode != 0:
        raise Failure(f"the program ended with {prog.returncode}")


# One step after another; a new step goes into this list.
STEPS = [
    start_window_is_centred,
    info_then_exercise,
    right_and_wrong_digit_by_drag,
    switching_windows_keeps_the_task,
    key_in_the_middle_of_a_drag,
    fifty_points_open_the_game,
    arrow_keys_only_steer,
    print_task_sheet,
    tap_and_double_click,
    maximised_exercise,
    quit_program,
]


# ---------------------------------------------------------------- set-up

TOOLS = ["Xvfb", "openbox", "xdotool", "wmctrl", "xwininfo", "xprop", "import", "setxkbmap",
         "cupsd", "lpadmin", "lpstat", "pdftotext"]
CUPS_BIN = "/usr/lib/cups"  # backends, filters and helpers of the installed CUPS


def has(tool):
    return any(os.access(os.path.join(d, tool), os.X_OK) for d in env["PATH"].split(os.pathsep))


def start_display():
    own_display.start_display(env, procs, SCREEN)
    # A German keyboard, as at school: Shift turns the digit row into signs.
    run("setxkbmap", "de")


# Every job arrives as the PDF the program sent; it is kept as jobs/job-N.pdf.
BACKEND = """#!/bin/sh
[ $# -eq 0 ] && { echo 'direct keep "Unknown" "Keeps each job as a file"'; exit 0; }
dir=${DEVICE_URI#keep:}
if [ -n "$6" ]; then cat "$6"; else cat; fi >"$dir/.job-$1" && mv "$dir/.job-$1" "$dir/job-$1.pdf"
"""


def start_printer():
    """A CUPS scheduler of our own, everything in the temporary folder, with one
    queue that keeps each job as a file, the default for the program."""
    root = os.path.join(runtime, "cups")
    dirs = {k: os.path.join(root, k) for k in ("etc", "spool", "cache", "state", "tmp", "log",
                                               "bin", "jobs")}
    for d in dirs.values():
        os.makedirs(d)
    for name in os.listdir(CUPS_BIN):  # the installed helpers, with our backend beside theirs
        if name != "backend":
            os.symlink(os.path.join(CUPS_BIN, name), os.path.join(dirs["bin"], name))
    os.makedirs(os.path.join(dirs["bin"], "backend"))
    backend = os.path.join(dirs["bin"], "backend", "keep")
    with open(backend, "w") as f:
        f.write(BACKEND)
    os.chmod(backend, 0o700)
    socket = os.path.join(root, "socket")
    conf = os.path.join(dirs["etc"], "cupsd.conf")
    files = os.path.join(dirs["etc"], "cups-files.conf")
    with open(conf, "w") as f:
        f.write(f"Listen {socket}\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                "DefaultAuthType None\n<Policy default>\nJobPrivateAccess default\n"
                "JobPrivateValues default\nSubscriptionPrivateAccess default\n"
                "SubscriptionPrivateValues default\n<Limit All>\nOrder deny,allow\n</Limit>\n"
                "</Policy>\n")
    with open(files, "w") as f:
        f.write(f"ServerRoot {dirs['etc']}\nRequestRoot {dirs['spool']}\n"
                f"CacheDir {dirs['cache']}\nStateDir {dirs['state']}\nTempDir {dirs['tmp']}\n"
                f"ServerBin {dirs['bin']}\nDataDir /usr/share/cups\n"
                f"AccessLog {dirs['log']}/access_log\nErrorLog {dirs['log']}/error_log\n"
                f"PageLog {dirs['log']}/page_log\n")
        if os.getuid() != 0:  # as root it runs the jobs as its own user lp
            f.write(f"User {pwd.getpwuid(os.getuid()).pw_name}\n"
                    f"Group {grp.getgrgid(os.getgid()).gr_name}\n")
    with open(os.path.join(dirs["log"], "cupsd"), "w") as log:
        start(["cupsd", "-f", "-c", conf, "-s", files], stdout=log, stderr=log)
    expect(lambda: "is running" in run("lpstat", "-h", socket, "-r", ok=(0, 1)),
           "the CUPS scheduler")
    run("lpadmin", "-h", socket, "-p", "keep", "-E", "-v", "keep:" + dirs["jobs"])
    run("lpadmin", "-h", socket, "-d", "keep")
    env["CUPS_SERVER"] = socket
    for name in ("PRINTER", "LPDEST"):  # nothing may name another printer
        env.pop(name, None)
    expect(lambda: "destination: keep" in run("lpstat", "-d"), "the default printer")


def main():
    global prog, runtime
    env["PATH"] += os.pathsep + "/usr/sbin" + os.pathsep + "/sbin"  # cupsd and lpadmin
    missing = [t for t in TOOLS if not has(t)] + \
        ([] if os.path.isdir(os.path.join(CUPS_BIN, "backend")) else [CUPS_BIN])
    if missing:
        print("missing:", ", ".join(missing), "(scripts/setup.sh installs them)")
        return 1
    runtime = tempfile.mkdtemp(prefix="division-desktop-")
    os.chmod(runtime, 0o700)
    env.update(XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
    env.pop("WAYLAND_DISPLAY", None)
    t0 = time.monotonic()
    step = start_display
    passed = False
    try:
        start_display()
        step = start_printer
        start_printer()
        prog = start([sys.argv[1]])
        for step in STEPS:
            t = time.monotonic()
            step()
            print(f"ok  {step.__name__} ({time.monotonic() - t:.1f} s)", flush=True)
        print(f"all steps passed in {time.monotonic() - t0:.1f} s")
        passed = True
        return 0
    except Failure as e:
        print(f"FAIL {step.__name__}: {e}", flush=True)
        if prog is not None and prog.poll() is not None:
            print("the program had ended with", prog.returncode)
        shot = os.path.join(runtime, "failure.png")
        subprocess.run(["import", "-window", "root", shot], env=env, timeout=30)
        print("screen at the failure:", shot, "- the printer's logs beside it in cups/log")
        return 1
    finally:
        stop_all(procs)
        if passed:
            shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
