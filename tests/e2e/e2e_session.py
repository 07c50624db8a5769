#!/usr/bin/python3
"""Durnoval end to end, under a window manager on a real X server: keys and clicks go through
the X server (xdotool), windows are read back from it (xprop, xwininfo), and what they show is
read as a screen reader reads it (AT-SPI). run_e2e.sh provides the display, the window manager
and the session bus. Usage: e2e_session.py PROGRAM
"""

import re
import subprocess
import sys
import time

import pyatspi

MAIN, ABOUT, CONFIRM = "Durnoval Calculator", "Durnoval, by the Durnoval developers", "Are You Sure????"
SCREEN_CENTRE = (512, 384)  # of the 1024x768 screen, which no panel takes from
# Read through the results' names after typing "4O0" as the new tyre's wall (the key filter
# drops the letter O) and calculating.
RESULTS = {"Diameter of the original tire": "25.5", "Diameter of the new tire": "22.8",
           "New diameter in percent of the original": "89%",
           "True speed when the speedometer reads 60 mph": "54mph"}
NAMED_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_MENU,
               pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LABEL}


class Failure(Exception):
    pass


def until(what, probe, done=bool):
    deadline = time.monotonic() + 10
    while True:
        try:
            seen = probe()
        except Exception as error:  # the window or the tree changed while being read
            seen = error
        if not isinstance(seen, Exception) and done(seen):
            return seen
        if time.monotonic() > deadline:
            raise Failure(f"{what}: not so within 10 s; last seen {seen!r}")
        time.sleep(0.05)


def run(*command, check=True):
    return subprocess.run(list(map(str, command)), check=check, capture_output=True, text=True).stdout


def x_window(title):
    found = run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$", check=False)
    return found.split()[0] if len(found.split()) == 1 else None


def x_property(title, name):
    return run("xprop", "-id", x_window(title), name)


def numbers(text):
    return [int(n, 0) for n in re.findall(r"0x[0-9a-f]+|\d+", text)]


def geometry(title):
    """x, y, width and height of the window, and of its window manager's frame around it."""
    info = run("xwininfo", "-id", x_window(title))
    x, y, width, height = (int(re.search(rf"{key}: +(-?\d+)", info).group(1))
                           for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    left, right, top, bottom = numbers(x_property(title, "_NET_FRAME_EXTENTS"))[-4:] or [0] * 4
    return (x, y, width, height), (x - left, y - top, width + left + right, height + top + bottom)


def centred_and_active(title):
    def offset():
        x, y, width, height = geometry(title)[1]
        return abs(x + width / 2 - SCREEN_CENTRE[0]), abs(y + height / 2 - SCREEN_CENTRE[1])
    until(f"{title!r} centred by its frame", offset, lambda d: max(d) <= 2)
    until(f"{title!r} active", lambda: run("xdotool", "getactivewindow").strip() == x_window(title))


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
        raise Failure(f"{title!r} reads as a {found.getRoleName()}; controls named by a bare value: {unnamed}")
    return found


def control(window_, name):
    return next(a for a in walk(window_) if a.name == name and a.getRole() in NAMED_ROLES)


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def click(accessible):
    x, y, width, height = extents(accessible)
    run("xdotool", "mousemove", x + width // 2, y + height // 2, "click", 1)


def results(main):
    """A result's name says what it is, then what it shows: "What: value"."""
    return dict(a.name.split(": ", 1) for a in walk(main) if a.getRole() == pyatspi.ROLE_LABEL
                and a.name.partition(": ")[2] and a.getState().contains(pyatspi.STATE_SHOWING))


def session(program):
    app = until("the program on the accessibility bus", lambda: program.poll() is None and next(
        a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == program.pid))
    main = window(app, MAIN, "frame")
    centred_and_active(MAIN)
    client, bar = (extents(next(a for a in main if a.getRole() == role))[2:]
                   for role in (pyatspi.ROLE_FILLER, pyatspi.ROLE_MENU_BAR))
    if client != (482, 396) or geometry(MAIN)[0][2:] != (482, 396 + bar[1]):
        raise Failure(f"client area {client} below a menu bar {bar}, in {geometry(MAIN)[0]}")

    print("- real keys through the key filter; results read by their names", flush=True)
    click(control(main, "Wall size of the new tire"))
    run("xdotool", "type", "--delay", 30, "4O0")
    run("xdotool", "key", "ctrl+c")
    until("results read by a screen reader", lambda: results(main), lambda seen: seen == RESULTS)

    print("- the about window: a fixed dialog, centred, in front each time it is asked for", flush=True)
    run("xdotool", "key", "ctrl+x")
    window(app, ABOUT, "dialog")
    centred_and_active(ABOUT)
    hints = x_property(ABOUT, "WM_NORMAL_HINTS")
    if re.findall(r"(?:minimum|maximum) size: (\d+) by (\d+)", hints) != [("320", "289")] * 2:
        raise Failure(f"the about window is not fixed at 320 x 289: {hints}")
    click(control(main, "Calculate"))
    until(f"{MAIN!r} active", lambda: run("xdotool", "getactivewindow").strip() == x_window(MAIN))
    run("xdotool", "key", "ctrl+x")
    centred_and_active(ABOUT)

    print("- the confirmation: an alert out of task bars that cannot be moved; Yes ends", flush=True)
    click(control(main, "Exit"))
    confirm = window(app, CONFIRM, "alert")
    until(f"{MAIN!r} hidden", lambda: x_window(MAIN) is None)
    centred_and_active(CONFIRM)
    state, motif = x_property(CONFIRM, "_NET_WM_STATE"), numbers(x_property(CONFIRM, "_MOTIF_WM_HINTS"))
    if not {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"} <= set(re.findall(r"\w+", state)):
        raise Failure(f"task bars or pagers may list the confirmation: {state}")
    if motif[-5:-2] != [3, 0, 0]:  # functions and decorations given, and none of either
        raise Failure(f"the window manager may move, resize or decorate the confirmation: {motif}")
    before = geometry(CONFIRM)
    run("xdotool", "mousemove", 512, 384, "keydown", "alt", "mousedown", 1, "sleep", 0.1, "mousemove",
        520, 390, "sleep", 0.1, "mousemove", 600, 450, "sleep", 0.1, "mouseup", 1, "keyup", "alt")
    if geometry(CONFIRM) != before:
        raise Failure("the confirmation moved with Alt and a drag")
    yes = control(confirm, "Yes, exit Durnoval")
    until("the focus on Yes", lambda: yes.getState().contains(pyatspi.STATE_FOCUSED))
    click(yes)
    if program.wait(10) != 0:
        raise Failure(f"the program ended with status {program.returncode}")


def main():
    program = subprocess.Popen([sys.argv[1]])
    try:
        session(program)
    except (Failure, subprocess.TimeoutExpired) as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        if program.poll() is None:
            program.kill()
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
