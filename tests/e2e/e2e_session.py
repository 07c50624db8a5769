#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Durnoval end to end, under a window manager on a real X server: keys and clicks go through the
# X server (xdotool), windows are read back from it (xprop, xwininfo), and what they show is read
# as a screen reader reads it (AT-SPI). run_e2e.sh provides the display, the window manager and
# the session bus. Usage: e2e_session.py DESKTOP PROGRAM

import re
import subprocess
import sys
import time

import pyatspi

MAIN, ABOUT, CONFIRM = "Durnoval Calculator", "Durnoval, by the Durnoval developers", "Are You Sure????"
# Read through the results' names after typing "4O0" as the new tyre's wall (the key filter
# drops the letter O) and calculating.
RESULTS = {"Diameter of the original tire": "25.5", "Diameter of the new tire": "22.8",
           "New diameter in percent of the original": "89%",
           "True speed when the speedometer reads 60 mph": "54mph"}
DESKTOP = sys.argv[1]
MANAGED = DESKTOP != "bare"  # a window manager frames, places and moves the windows
NAMED_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LABEL}


def until(what, probe, done=bool, seconds=10):
    deadline = time.monotonic() + seconds
    while True:
        try:
            seen = probe()
        except Exception as error:  # the window or the tree changed while being read
            seen = error
        if not isinstance(seen, Exception) and done(seen):
            return seen
        if time.monotonic() > deadline:
            raise AssertionError(f"{what}: not so within {seconds} s; last seen {seen!r}")
        time.sleep(0.05)


def run(*command):
    return subprocess.run(list(map(str, command)), capture_output=True, text=True).stdout


def x_windows(title):
    """The program's own: mutter 44 and later draw frames in a client that carries their titles."""
    named = run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split()
    return [w for w in named if w in run("xdotool", "search", "--onlyvisible", "--pid", program.pid).split()]


def x_window(title):
    found = x_windows(title)
    return found[0] if len(found) == 1 else None


def x_property(title, name):
    return run("xprop", "-id", x_window(title), name)


def frame(title):
    """x, y, width and height of the window with its window manager's frame around it."""
    info = run("xwininfo", "-id", x_window(title))
    x, y, width, height = (int(re.search(rf"{key}: +(-?\d+)", info)[1])
                           for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    left, right, top, bottom = map(int, re.findall(r"\d+", x_property(title, "_NET_FRAME_EXTENTS")) or [0] * 4)
    return x - left, y - top, width + left + right, height + top + bottom


def active(title, after="it is shown"):
    """The window has the keyboard, with or without a window manager to give it."""
    until(f"{title!r} active after {after}", lambda: run("xdotool", "getwindowfocus").strip() == x_window(title))


def centred_and_active(title):
    """Centred on the screen less the panels the desktop keeps there, and active."""
    x, y, width, height = (list(map(int, re.findall(r"\d+", run("xprop", "-root", "_NET_WORKAREA")))) or
                           [0, 0, 1024, 768])[:4]
    until(f"{title!r} centred by its frame", lambda: frame(title), lambda f: max(
        abs(2 * f[0] + f[2] - 2 * x - width), abs(2 * f[1] + f[3] - 2 * y - height)) <= 4)
    active(title)


def walk(accessible):
    for kid in accessible:
        if kid is not None:
            yield kid
            yield from walk(kid)


def window(app, title, role):
    """The window once it is on the screen; a screen reader announces it by its role and title."""
    found = until(f"{title!r} on the screen", lambda: x_window(title) and next(
        w for w in app if w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)))
    if found.getRoleName() != role:
        raise AssertionError(f"{title!r} reads as a {found.getRoleName()}")
    return found


def control(window_, name):
    return next(a for a in walk(window_) if a.name == name and a.getRole() in NAMED_ROLES)


def click(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    run("xdotool", "mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)


def results(main):
    """A result's name says what it is, then what it shows: "What: value"."""
    return dict(a.name.split(": ", 1) for a in walk(main) if a.getRole() == pyatspi.ROLE_LABEL
                and a.name.partition(": ")[2] and a.getState().contains(pyatspi.STATE_SHOWING))


def session(program):
    app = until("the program on the accessibility bus", lambda: program.poll() is None and next(
        a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == program.pid), seconds=30)
    main = window(app, MAIN, "frame")
    centred_and_active(MAIN)
    # Moved, it stays where it is put, and comes back there after each exit cycle below.
    start = frame(MAIN)
    run("xdotool", "windowmove", "--relative", x_window(MAIN), 60, 40)
    moved = until("the main window moved", lambda: frame(MAIN), lambda f: f[:2] != start[:2])
    time.sleep(0.5)
    if frame(MAIN) != moved:
        raise AssertionError(f"the main window did not stay where it was moved: {moved}, then {frame(MAIN)}")

    # Real keys through the key filter, and the results read by their names.
    click(control(main, "Wall size of the new tire"))
    run("xdotool", "type", "--delay", 30, "4O0")
    run("xdotool", "key", "ctrl+c")
    until("results read by a screen reader", lambda: results(main), lambda seen: seen == RESULTS)

    # The about window: a dialog, centred and in front; once it is put away, the main window has
    # the keyboard again.
    run("xdotool", "key", "ctrl+x")
    about = window(app, ABOUT, "dialog")
    centred_and_active(ABOUT)
    click(control(about, "Now back to Durnoval"))
    active(MAIN, "the about window is put away")

    # A failed Calculate: once its message is read, the main window's shortcuts work at once.
    click(control(main, "Wall size of the new tire"))
    run("xdotool", "type", "--delay", 30, "40000")
    run("xdotool", "key", "Return")
    until("the error message", lambda: len(x_windows(MAIN)), lambda count: count == 2)
    run("xdotool", "key", "Return")
    active(MAIN, "the error message is read")
    run("xdotool", "key", "shift+Delete")
    until("Shift+Del clears the fields", lambda: control(main, "Width of the original tire").queryText().getText(0, -1),
          lambda text: text == "")

    # Exit and back, by the menu and by keys, five times: the main window comes back where it
    # was, with the focus where the user left it.
    before = frame(MAIN)
    click(control(main, "Wall size of the new tire"))
    for keys in (("F10", "e"), ("ctrl+e",), ("F10", "e"), ("ctrl+e",), ("ctrl+e",)):
        run("xdotool", "key", "--delay", 100, *keys)
        active(CONFIRM, keys)
        run("xdotool", "key", "Escape")
        active(MAIN, f"{keys} and Esc")
        until(f"the main window back in place after {keys}", lambda: frame(MAIN), lambda f: f == before)
        until(f"the focus back after {keys}", lambda: [a.name for a in walk(main) if a.getState().contains(
            pyatspi.STATE_FOCUSED)], lambda names: names == ["Wall size of the new tire"])

    # The confirmation: an alert that the window manager offers no move; Yes ends the program.
    click(control(main, "Exit"))
    confirm = window(app, CONFIRM, "alert")
    centred_and_active(CONFIRM)
    yes = control(confirm, "Yes, exit Durnoval")
    if MANAGED and "_MOVE" in x_property(CONFIRM, "_NET_WM_ALLOWED_ACTIONS"):
        raise AssertionError("the window manager offers to move the confirmation")
    # A click may be lost on a busy machine: Yes is clicked again while the program runs.
    until("the program ended through Yes", lambda: program.poll() is not None or click(yes) or time.sleep(2))
    if program.wait(10) != 0:
        raise AssertionError(f"the program ended with status {program.returncode}")


program = subprocess.Popen([sys.argv[2]])
try:
    session(program)
    print("passed")
except (AssertionError, subprocess.TimeoutExpired) as failure:
    sys.exit(f"FAILED: {failure}")
finally:
    if program.poll() is None:
        program.kill()
