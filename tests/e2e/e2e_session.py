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
DRAGGED = MANAGED and not DESKTOP.endswith("-wayland")  # XWayland keeps xdotool's pointer to itself
MOVE_KEY = "super" if DESKTOP in ("mutter", "kwin") else "alt"  # held to drag a window by its inside
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


def drag_inside(x, y, dx, dy):
    """Moves the window under the pointer, as the window manager lets a user drag it by its inside."""
    steps = [arg for i in range(1, 5) for arg in ("mousemove", x + dx * i // 4, y + dy * i // 4, "sleep", 0.1)]
    run("xdotool", "mousemove", x, y, "keydown", MOVE_KEY, "mousedown", 1, "sleep", 0.1, *steps, "mouseup", 1,
        "keyup", MOVE_KEY)


def walk(accessible):
    for kid in accessible:
        if kid is not None:
            yield kid
            yield from walk(kid)


def window(app, title, role):
    """The window once it is on the screen; a screen reader announces it by its role and title."""
    found = until(f"{title!r} on the screen", lambda: x_window(title) and next(
        w for w in app if w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)))
    unnamed = [a.name for a in walk(found)
               if a.getRole() in NAMED_ROLES and re.fullmatch(r"[\d.\s]*(%|mph)?", a.name)]
    if found.getRoleName() != role or unnamed:
        raise AssertionError(f"{title!r} reads as a {found.getRoleName()}; controls named by a bare value: {unnamed}")
    return found


def control(window_, name):
    return next(a for a in walk(window_) if a.name == name and a.getRole() in NAMED_ROLES)


def extents(accessible):
    return accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def click(accessible):
    box = extents(accessible)
    run("xdotool", "mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)


def default_is(window_, name, after):
    """As in a dialog: the focused button is the default; with no button focused, the window's own."""
    until(f"{name!r} the default button after {after}", lambda: [
        a.name for a in walk(window_) if a.getState().contains(pyatspi.STATE_IS_DEFAULT)], lambda d: d == [name])


def results(main):
    """A result's name says what it is, then what it shows: "What: value"."""
    return dict(a.name.split(": ", 1) for a in walk(main) if a.getRole() == pyatspi.ROLE_LABEL
                and a.name.partition(": ")[2] and a.getState().contains(pyatspi.STATE_SHOWING))


def session(program):
    app = until("the program on the accessibility bus", lambda: program.poll() is None and next(
        a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == program.pid), seconds=30)
    main = window(app, MAIN, "frame")
    centred_and_active(MAIN)
    client, bar = (tuple(extents(next(a for a in main if a.getRole() == role)))[2:]
                   for role in (pyatspi.ROLE_FILLER, pyatspi.ROLE_MENU_BAR))
    if client != (482, 396) or re.findall(r"(Width|Height): +(\d+)", run("xwininfo", "-id", x_window(MAIN))) \
            != [("Width", "482"), ("Height", str(396 + bar[1]))]:
        raise AssertionError(f"no client area of 482 x 396 below the menu bar: {client}, {bar}")

    # The user may move the window, and it stays where it is put.
    if DRAGGED:
        start = frame(MAIN)
        moved = tuple(a + d for a, d in zip(start, (60, 40, 0, 0)))

        def drag():  # mutter takes drags only a moment after it has shown a window
            if frame(MAIN) == start:
                drag_inside(300, 300, 60, 40)
                time.sleep(0.3)
            return frame(MAIN)
        until("the main window moved", drag, lambda f: f == moved)
    # Real keys through the key filter, and the results read by their names; tooltips are read
    # as descriptions, and Calculate is the default button.
    if (control(main, "Width of the original tire").description, "Calculate") != (
            "Width", next(a.name for a in walk(main) if a.getState().contains(pyatspi.STATE_IS_DEFAULT))):
        raise AssertionError("the first field's tooltip or the default button is not read out")
    click(control(main, "Wall size of the new tire"))
    run("xdotool", "type", "--delay", 30, "4O0")
    run("xdotool", "key", "ctrl+c")
    until("results read by a screen reader", lambda: results(main), lambda seen: seen == RESULTS)
    for focus, default in (("the new rim", "Calculate"), ("Calculate", "Calculate"), ("Clear", "Clear"),
                           ("Exit", "Exit"), ("the first field", "Calculate")):
        run("xdotool", "key", "Tab")
        default_is(main, default, f"a Tab to {focus}")
    click(control(main, "Clear"))
    default_is(main, "Clear", "a click on Clear")
    click(control(main, "Width of the original tire"))
    default_is(main, "Calculate", "a click on Clear, then into a field")

    # The about window: a dialog, centred, and in front each time it is asked for; once it is
    # put away, the main window has the keyboard again.
    run("xdotool", "key", "ctrl+x")
    about = window(app, ABOUT, "dialog")
    centred_and_active(ABOUT)
    click(control(about, "Now back to Durnoval"))
    active(MAIN, "the about window is put away")
    run("xdotool", "key", "ctrl+x")
    centred_and_active(ABOUT)
    run("xdotool", "key", "Escape")
    active(MAIN, "Esc in the about window")

    # A failed Calculate: once its message is read, the main window's shortcuts work at once.
    click(control(main, "Wall size of the new tire"))
    run("xdotool", "type", "--delay", 30, "40000")
    run("xdotool", "key", "Return")
    until("the error message", lambda: len(x_windows(MAIN)), lambda count: count == 2)
    run("xdotool", "key", "Return")
    until("the error message gone", lambda: len(x_windows(MAIN)), lambda count: count == 1)
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
        default_is(main, "Calculate", f"{keys} and Esc")

    # The confirmation: an alert out of task bars and pagers that the window manager can neither
    # move, nor resize, nor decorate, with the focus on Yes, which ends the program.
    click(control(main, "Exit"))
    confirm = window(app, CONFIRM, "alert")
    centred_and_active(CONFIRM)
    yes = control(confirm, "Yes, exit Durnoval")
    until("the focus on Yes", lambda: yes.getState().contains(pyatspi.STATE_FOCUSED))
    for default in ("Not yet, go back to Durnoval", "Yes, exit Durnoval"):
        run("xdotool", "key", "Tab")
        default_is(confirm, default, "a Tab")
    if yes.description != "Close Durnoval":
        raise AssertionError(f"Yes is described as {yes.description!r}")
    if MANAGED:
        state, actions = (x_property(CONFIRM, name) for name in ("_NET_WM_STATE", "_NET_WM_ALLOWED_ACTIONS"))
        if "_SKIP_TASKBAR" not in state or "_SKIP_PAGER" not in state or "_MOVE" in actions:
            raise AssertionError(f"the window manager lists or moves the confirmation: {state} {actions}")
    if DRAGGED:
        before = frame(CONFIRM)
        drag_inside(before[0] + 40, before[1] + 40, 88, 66)
        if frame(CONFIRM) != before:
            raise AssertionError("the confirmation moved with a drag")
    # A click may be lost on a busy machine: Yes is clicked again while the program runs.
    until("the program ended through Yes", lambda: program.poll() is not None or click(yes) or time.sleep(2))
    if program.wait(10) != 0:
        raise AssertionError(f"the program ended with status {program.returncode}")


# Under a style whose menu bar is not the default's height: the client area must keep its size.
program = subprocess.Popen([sys.argv[2], "-style", "windows"])
try:
    session(program)
    print("passed")
except (AssertionError, subprocess.TimeoutExpired) as failure:
    sys.exit(f"FAILED: {failure}")
finally:
    if program.poll() is None:
        program.kill()
