"""A display of the test's own: Xvfb on a free display number with openbox,
and the processes started for it, stopped again by their own pids."""
import os
import subprocess
import time


class Failure(Exception):
    pass


def wait_for(pred, what, timeout=20.0):
    """Polls pred until it holds and returns its value; fails at the time-out.
    what may be a function that describes what was last seen."""
    end = time.monotonic() + timeout
    while True:
        v = pred()
        if v:
            return v
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + (what() if callable(what) else what))
        time.sleep(0.03)


def start_display(env, procs, screen):
    """Starts Xvfb and openbox; env gets the display."""
    rfd, wfd = os.pipe()
    procs.append(subprocess.Popen(
        ["Xvfb", "-displayfd", str(wfd), "-screen", "0", "%dx%dx24" % screen, "-dpi", "96",
         "-noreset", "-nolisten", "tcp"], env=env, pass_fds=(wfd,), stderr=subprocess.DEVNULL))
    os.close(wfd)
    with os.fdopen(rfd, "rb") as f:
        number = f.readline().decode().strip()
    if not number:
        raise Failure("Xvfb did not start")
    env["DISPLAY"] = ":" + number
    # The window manager first: a window mapped before it runs can stay unmapped.
    procs.append(subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    wait_for(lambda: "Openbox" in subprocess.run(["wmctrl", "-m"], env=env, capture_output=True,
                                                  text=True, timeout=30).stdout, "openbox")


def stop_all(procs):
    """Stops what was started, the last first."""
    for p in reversed(procs):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
