#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Durnoval end to end, on an X display of its own under a desktop users run (scripts/xdesktop.py
# starts it): keys and clicks go through the X server, windows are read back from it, and what
# they show is read as a screen reader reads it (AT-SPI); on the orca desktop, the screen reader
# Orca runs beside the program and the session reads what it would speak. Each behaviour is a
# step named by its docstring; the first that fails ends the session, and what the servers and
# the desktop said follows.
# Usage: own-environment.sh --fonts e2e_session.py DESKTOP PROGRAM
# Exit status: 1 when a step fails; 77 when something needed is not installed, and the run is
# skipped, with one line that names it.

import os, re, subprocess, sys, time

sys.path.insert(0, f"{os.path.dirname(os.path.realpath(__file__))}/../../scripts")
DESKTOP, PROGRAM = sys.argv[1], os.path.realpath(sys.argv[2])
try:
    import xdesktop as xd
    import pyatspi
    from xdesktop import X, Xutil, frame, key, prop, protocol, stacking, x_window, x_windows
except ImportError as missing:
    print(f"skipped: {missing.name} is not installed (Debian: python3-pyatspi, python3-xlib)")
    sys.exit(77)
# GNOME gives Qt programs its GTK platform theme; bare X, standing in for a Wayland desktop's,
# brings it to make test.
THEME = {"QT_QPA_PLATFORMTHEME": "gtk3"} if DESKTOP in ("mutter", "mutter-wayland", "bare") else {}
MAIN, ABOUT, CONFIRM = "Durnoval Calculator", "Durnoval, by the Durnoval developers", "Are You Sure????"
# Read through the results' names after typing "4O0" and composed characters as the new tyre's
# wall (the key filter drops them all) and calculating.
RESULTS = {"Diameter of the original tire": "25.5", "Diameter of the new tire": "22.8",
           "New diameter in percent of the original": "89%", "True speed when the speedometer reads 60 mph": "54mph"}
program = None  # till it starts


def until(what, probe, done=bool, seconds=20):  # long enough for a machine busy with builds
    deadline = time.monotonic() + seconds
    while True:
        try:
            if done(seen := probe()):
                return seen
        except Exception as fault:  # the window or the tree changed while being read
            seen = fault
        if program and program.poll() is not None:
            raise AssertionError(f"{what}: not so, the program ended with status {program.returncode}")
        if time.monotonic() > deadline:
            raise AssertionError(f"{what}: not so within {seconds} s; last seen {seen!r}")
        time.sleep(0.05)


def click(accessible):
    box, field = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS), accessible.getRole() == pyatspi.ROLE_TEXT
    xd.fake((X.MotionNotify, 0), x=box.x + box.width // 2, y=box.y + box.height // 2)
    xd.fake((X.ButtonPress, 1), (X.ButtonRelease, 1))
    # A window manager may hold a click a while before it lets it through; keys meanwhile go
    # where the focus was.
    if field:
        until(f"{accessible.name!r} focused by a click", lambda: accessible.getState().contains(pyatspi.STATE_FOCUSED))


# The window has the keyboard, with or without a window manager to give it.
def active(title, after="it is shown"):
    until(f"{title!r} active after {after}", lambda: xd.D.get_input_focus().focus == x_window(title))


# Centred on the screen less the panels the desktop keeps there, and active.
def centred_and_active(title):
    x, y, width, height = (prop(xd.ROOT, "_NET_WORKAREA") or [0, 0, 1024, 768])[:4]
    until(f"{title!r} centred by its frame", lambda: frame(title), lambda f: max(
        abs(2 * f[0] + f[2] - 2 * x - width), abs(2 * f[1] + f[3] - 2 * y - height)) <= 4)
    active(title)


# What the screen reader Orca on the orca desktop would speak.
def spoken():
    return re.findall(r"SPEECH OUTPUT: '(.*?)' ?[\[{]", open(f"{xd.WORK}/orca.log").read())


# The window once it is on the screen; a screen reader announces it by its role and title.
def window(title, role):
    return until(f"{title!r} on the screen as a {role}", lambda: x_window(title) and next(
        w for w in app if w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)),
        lambda found: found.getRoleName() == role)


def control(window_, name):
    return pyatspi.findDescendant(window_, lambda a: a.name == name and a.getRole() in (
        pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LABEL))


# A result's name says what it is, then what it shows: "What: value".
def results():
    return dict(a.name.split(": ", 1) for a in pyatspi.findAllDescendants(main_window, lambda a: a.getRole(
        ) == pyatspi.ROLE_LABEL and a.name.partition(": ")[2] and a.getState().contains(pyatspi.STATE_SHOWING)))


# The confirmation on the screen, asked for by Exit if it is not.
def confirmation():
    if not x_windows(CONFIRM):
        click(control(main_window, "Exit"))
    return window(CONFIRM, "alert")


# The sizes of a window's icons, each given as its width, its height and its pixels.
def icon_sizes(icon):
    return [icon[0]] + icon_sizes(icon[2 + icon[0] * icon[1]:]) if icon else []


def starts():
    """starts centred and active"""
    global program, app, main_window
    program = subprocess.Popen([PROGRAM], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **THEME))
    app = until("the program on the accessibility bus", lambda: next(
        a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == program.pid and a.name == "Durnoval"),
        seconds=30)
    main_window = window(MAIN, "frame")
    centred_and_active(MAIN)
    # The icon the window manager and the task bar draw, in both its sizes.
    until("the main window's icon in two sizes", lambda: sorted(icon_sizes(prop(x_window(MAIN), "_NET_WM_ICON"))),
          lambda sizes: sizes == [16, 32], seconds=0)


def calculates():
    """real keys through the key filter, the results read by their names, one application"""
    click(control(main_window, "Wall size of the new tire"))
    key("4", "Shift_L+o", "0")
    # Dead keys and compose, through the toolkit's compose support: no é, ² or ½; then Calculate.
    key("dead_acute", "e", "dead_circumflex", "2", "Multi_key", "1", "2", "Control_L+c")
    until("results read by a screen reader", results, lambda seen: seen == RESULTS)
    # Under the GTK platform theme too, a screen reader finds one application, not an empty second.
    until("one application on the accessibility bus", lambda: [a.name for a in pyatspi.Registry.getDesktop(0)
          if a and a.get_process_id() == program.pid], lambda names: names == ["Durnoval"], seconds=2)


# Each window over the main window put away by keys in turn: a failed Calculate's message, the
# confirmation, and the about window after it, when the keyboard must go past the hidden confirmation.
def put_away():
    """a message, the confirmation and the about window put away by keys: the main window as it was left"""
    start = frame(MAIN)
    (main := x_window(MAIN)).configure(x=start[0] + 60, y=start[1] + 40)  # asked of the window manager, if any
    until("the main window moved", lambda: frame(MAIN), lambda f: f[:2] != start[:2])
    time.sleep(0.5)  # a window manager that would put it back has done so by now
    before = frame(MAIN)
    # A diameter that rounds to zero: Calculate stops with a message that no single field made.
    key("Shift_L+Delete")  # Clear
    click(control(main_window, "Rim size of the original tire"))
    key("0", "Shift_L+Tab", "0")
    for keys, over in ((("Return",), None), (("F10", "e"), CONFIRM), (("Control_L+x",), ABOUT),
                       (("Control_L+e",), CONFIRM), (("F10", "e"), CONFIRM), (("Control_L+e",), CONFIRM),
                       (("Control_L+e",), CONFIRM)):
        key(*keys)
        if over:
            active(over, keys)
        else:  # the message, which has the main window's title, has the keyboard
            until("the error message active", lambda: [w for w in x_windows(MAIN) if w != main] == [xd.D.get_input_focus().focus])
        key("Escape")
        active(MAIN, f"{keys} and Esc")
        until(f"the main window back in place after {keys}", lambda: frame(MAIN), lambda f: f == before)
        until(f"the focus back after {keys}", lambda: [a.name for a in pyatspi.findAllDescendants(main_window, lambda a: a.getState(
              ).contains(pyatspi.STATE_FOCUSED))], lambda names: names == ["Wall size of the original tire"])


# A screen locker, override-redirect, stays above it: only on bare X does the program keep the
# confirmation above the others itself.
def stays_above():
    """the confirmation stays above a window raised over it, and below a screen locker"""
    confirmation()
    x, y, width, height = frame(CONFIRM)
    for title, above in (("Over", True), ("Locker", False))[:1 if xd.MANAGED else 2]:
        cover = xd.ROOT.create_window(x - 50, y - 50, width + 99, height + 99, 0, 0, override_redirect=not above)
        cover.map()
        until(f"{title} on the screen", stacking, lambda order: cover.id in order)
        cover.configure(stack_mode=X.Above)
        xd.D.sync()
        time.sleep(0.5)
        until(f"the confirmation {'above' if above else 'below'} {title}", stacking,
              lambda order: (order.index(x_window(CONFIRM).id) > order.index(cover.id)) == above)
        cover.destroy()


def comes_back():
    """minimized by the window manager, the confirmation comes straight back in its place"""
    confirmation()
    place, confirm = frame(CONFIRM), x_window(CONFIRM)
    xd.ROOT.send_event(protocol.event.ClientMessage(window=confirm, client_type=xd.D.intern_atom("WM_CHANGE_STATE"), data=(
        32, [Xutil.IconicState, 0, 0, 0, 0])), event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    xd.D.sync()
    time.sleep(0.5)
    # mutter keeps a minimized window mapped, so its window manager's record tells.
    until("the confirmation back in its place", lambda: prop(confirm, "WM_STATE")[0] != Xutil.IconicState
          and frame(CONFIRM) == place)
    active(CONFIRM, "the minimize")


def yes_ends():
    """the confirmation: an alert the window manager offers no move; Yes ends the program"""
    yes = control(confirmation(), "Yes, exit Durnoval")
    centred_and_active(CONFIRM)
    if xd.MANAGED and (xd.D.intern_atom("_NET_WM_ACTION_MOVE") in (prop(x_window(CONFIRM), "_NET_WM_ALLOWED_ACTIONS") or [])
                    or xd.D.intern_atom("_NET_WM_STATE_SKIP_TASKBAR") not in prop(x_window(CONFIRM), "_NET_WM_STATE")):
        raise AssertionError("the window manager offers to move the confirmation, or lists it in task bars")
    # A click may be lost on a busy machine: Yes is clicked again while the program runs.
    until("the program ended by Yes", lambda: click(yes) or program.wait(2), lambda status: status == 0)


def heard():
    """a screen reader user hears the field typed into, an entry error and the field again, Calculate's
    answer and Clear (from Qt 6.8 on, which can announce them), the about window and the confirmation"""
    announces = int(app.toolkitVersion.split(".")[1]) >= 8
    # Once Orca listens, it names the field the focus comes back to.
    # A key waits for Orca to pass it on: a busy Orca is given time before the next.
    until("Orca naming the focused field", lambda: key("Tab", "Shift_L+Tab") or time.sleep(3) or " ".join(spoken()),
          lambda text: "Width of the original tire text" in text, seconds=45)
    said = len(spoken())
    for keys, what in ((("1", "period", "2", "period", "3"), "3"),
                       (("Return",), "The width of the original tire is not a number. "
                                     "Enter digits with at most one decimal point."),
                       (("Return",), "selected"),  # the field again, its text ready to be corrected
                       (("2", "2", "5", "Return"), "Diameter of the original tire: 27.3." if announces else "return"),
                       (("Shift_L+Delete",), "Entries and results cleared." if announces else ""),
                       (("Control_L+x",), "Durnoval, by the Durnoval developers dialog Created by the Durnoval developers."),
                       (("Escape",), "Durnoval Calculator"),
                       (("Control_L+e",), "Are you sure you want to exit??")):
        key(*keys)
        until(f"{what!r} spoken after {keys}", lambda: " ".join(spoken()[said:]), lambda text: what in text)
        said = len(spoken())
    until("the program ended by Yes", lambda: key("Return") or program.wait(2), lambda status: status is not None)


xd.until = until
steps = [xd.start, starts, heard] if DESKTOP == "orca" else (
    [xd.start, starts, calculates, put_away, stays_above] + [comes_back] * xd.MANAGED + [yes_ends])
for behaviour in steps:
    name = " ".join(behaviour.__doc__.split())
    try:
        behaviour()
    except Exception as failure:  # what the session started, its namespace ends
        print(f"FAILED: {name}: {failure}", open(f"{xd.WORK}/x.log").read(), sep="\n")
        sys.exit(1)
    print(f"ok: {name}")
print(f"passed: {len(steps)} steps")
