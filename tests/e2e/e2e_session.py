#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Durnoval end to end, on a real X server under a desktop users run: keys and clicks go through
# the X server (XTest), windows are read back from it (xprop, xwininfo, xdotool), and what they
# show is read as a screen reader reads it (AT-SPI); on the orca desktop, the screen reader Orca
# runs beside the program and the session reads what it would speak. Each behaviour is a step
# named by its docstring; the first that fails ends the session.
# Usage: scripts/desktop-session.py DESKTOP e2e_session.py DESKTOP PROGRAM
# Exit status: 1 when a step fails; 77 when something needed is not installed, and the run is
# skipped, with one line that names it.

import os, re, subprocess, sys, time

DESKTOP, PROGRAM = sys.argv[1], os.path.realpath(sys.argv[2])
MANAGED = DESKTOP != "bare"  # a window manager frames, places, stacks and minimizes the windows
# GNOME gives Qt programs its GTK platform theme; bare X, standing in for a Wayland desktop's,
# brings it to make test.
THEME = {"QT_QPA_PLATFORMTHEME": "gtk3"} if DESKTOP in ("mutter", "mutter-wayland", "bare") else {}
MAIN, ABOUT, CONFIRM = "Durnoval Calculator", "Durnoval, by the Durnoval developers", "Are You Sure????"
# Read through the results' names after typing "4O0" and composed characters as the new tyre's
# wall (the key filter drops them all) and calculating.
RESULTS = {"Diameter of the original tire": "25.5", "Diameter of the new tire": "22.8",
           "New diameter in percent of the original": "89%", "True speed when the speedometer reads 60 mph": "54mph"}


try:
    import pyatspi
    from Xlib import X, XK, display
    from Xlib.ext import xtest
except ImportError as missing:
    print(f"skipped: {missing.name} is not installed (Debian: python3-pyatspi, python3-xlib)")
    sys.exit(77)
program = None  # till it starts


def run(*command, check=True):
    done = subprocess.run(list(map(str, command)), capture_output=True, text=True, timeout=10)
    if check and done.returncode:
        raise RuntimeError(f"{' '.join(map(str, command))}: status {done.returncode}: {done.stderr.strip()}")
    return done.stdout


def until(what, probe, done=bool, seconds=20):  # long enough for a machine busy with builds
    deadline = time.monotonic() + seconds
    while True:
        try:
            seen = probe()
        except Exception as error:  # the window or the tree changed while being read
            seen = error
        if not isinstance(seen, Exception) and done(seen):
            return seen
        if program and program.poll() is not None:
            raise AssertionError(f"{what}: not so, the program ended with status {program.returncode}")
        if time.monotonic() > deadline:
            raise AssertionError(f"{what}: not so within {seconds} s; last seen {seen!r}")
        time.sleep(0.05)


# Keys as a keyboard sends them: each by its keycode, with no modifier but those named. xdotool
# looks a key up by its symbol and may add a modifier the keymap allows beside it: with
# xkeyboard-config 2.4x it sends F10 as Alt+F10. Dead keys and compose, which the keymap may lack,
# go on free keys of their own before the program starts: xdotool maps a missing key only while
# it types it, and a busy program may read that key by the map that follows.
KEYBOARD = display.Display()
XK.load_keysym_group("xkb")  # the dead keys
first, last = KEYBOARD.display.info.min_keycode, KEYBOARD.display.info.max_keycode
free = [first + i for i, keys in enumerate(KEYBOARD.get_keyboard_mapping(first, last - first + 1)) if not any(keys)]
ADDED = dict(zip(("dead_acute", "dead_circumflex", "Multi_key"), free))
for name, code in ADDED.items():
    KEYBOARD.change_keyboard_mapping(code, [(XK.string_to_keysym(name),)])
KEYBOARD.sync()


def key(*combos):
    for combo in combos:
        # This connection's keymap is as it was before the keys were added.
        codes = [ADDED.get(name) or KEYBOARD.keysym_to_keycode(XK.string_to_keysym(name)) for name in combo.split("+")]
        for code, event in [(code, X.KeyPress) for code in codes] + [(code, X.KeyRelease) for code in codes[::-1]]:
            xtest.fake_input(KEYBOARD, event, code)
        KEYBOARD.sync()
        time.sleep(0.1)


# What the screen reader Orca on the orca desktop would speak.
def spoken():
    return re.findall(r"SPEECH OUTPUT: '(.*?)' ?[\[{]", open(f"{os.environ['XDG_RUNTIME_DIR']}/orca.log").read())


# The program's own windows on the screen: mutter 44 and later draw frames in a client that
# carries their titles. xdotool finds none with status 1.
def x_windows(title):
    return run("xdotool", "search", "--all", "--onlyvisible", "--pid", program.pid, "--name",
               f"^{re.escape(title)}$", check=False).split()


def x_window(title):
    (window_,) = x_windows(title)  # exactly one
    return window_


def xprop(title, name):
    return run("xprop", "-id", x_window(title), name)


# x, y, width and height of the window with its window manager's frame around it.
def frame(title):
    info = run("xwininfo", "-id", x_window(title))
    x, y, width, height = (int(re.search(rf"{field}: +(-?\d+)", info)[1])
                           for field in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    left, right, top, bottom = map(int, re.findall(r"\d+", xprop(title, "_NET_FRAME_EXTENTS")) or [0] * 4)
    return x - left, y - top, width + left + right, height + top + bottom


# The window has the keyboard, with or without a window manager to give it.
def active(title, after="it is shown"):
    until(f"{title!r} active after {after}", lambda: run("xdotool", "getwindowfocus").strip() == x_window(title))


# Centred on the screen less the panels the desktop keeps there, and active.
def centred_and_active(title):
    x, y, width, height = (list(map(int, re.findall(r"\d+", run("xprop", "-root", "_NET_WORKAREA", check=False))))
                           or [0, 0, 1024, 768])[:4]
    until(f"{title!r} centred by its frame", lambda: frame(title), lambda f: max(
        abs(2 * f[0] + f[2] - 2 * x - width), abs(2 * f[1] + f[3] - 2 * y - height)) <= 4)
    active(title)


# The window once it is on the screen; a screen reader announces it by its role and title.
def window(title, role):
    return until(f"{title!r} on the screen as a {role}", lambda: x_window(title) and next(
        w for w in app if w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)),
        lambda found: found.getRoleName() == role)


def control(window_, name):
    return pyatspi.findDescendant(window_, lambda a: a.name == name and a.getRole() in (
        pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LABEL))


def click(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    run("xdotool", "mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)


# A result's name says what it is, then what it shows: "What: value".
def results():
    return dict(a.name.split(": ", 1) for a in pyatspi.findAllDescendants(main_window, lambda a: a.getRole(
        ) == pyatspi.ROLE_LABEL and a.name.partition(": ")[2] and a.getState().contains(pyatspi.STATE_SHOWING)))


# The confirmation on the screen, asked for by Exit if it is not.
def confirmation():
    if not x_windows(CONFIRM):
        click(control(main_window, "Exit"))
    return window(CONFIRM, "alert")


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
    until("the main window's icon in two sizes", lambda: sorted(re.findall(r"Icon \((\d+) x", xprop(
        MAIN, "_NET_WM_ICON"))), lambda sizes: sizes == ["16", "32"], seconds=0)


def calculates():
    """real keys through the key filter, the results read by their names, one application"""
    click(control(main_window, "Wall size of the new tire"))
    key("4", "Shift_L+o", "0")
    # Dead keys and compose, through the toolkit's compose support: no é, ² or ½.
    key("dead_acute", "e", "dead_circumflex", "2", "Multi_key", "1", "2")
    key("Control_L+c")
    until("results read by a screen reader", results, lambda seen: seen == RESULTS)
    # Under the GTK platform theme too, a screen reader finds one application, not an empty second.
    until("one application on the accessibility bus", lambda: [a.name for a in pyatspi.Registry.getDesktop(0)
          if a and a.get_process_id() == program.pid], lambda names: names == ["Durnoval"], seconds=2)


# Each window over the main window put away by keys in turn: a failed Calculate's message, the
# confirmation, and the about window after it, when the keyboard must go past the hidden confirmation.
def put_away():
    """a message, the confirmation and the about window put away by keys: the main window as it was left"""
    start = frame(MAIN)
    run("xdotool", "windowmove", "--relative", x_window(MAIN), 60, 40)
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
        else:
            until("the error message", lambda: len(x_windows(MAIN)), lambda count: count == 2)
        key("Escape")
        active(MAIN, f"{keys} and Esc")
        until(f"the main window back in place after {keys}", lambda: frame(MAIN), lambda f: f == before)
        until(f"the focus back after {keys}", lambda: [a.name for a in pyatspi.findAllDescendants(main_window, lambda a: a.getState(
              ).contains(pyatspi.STATE_FOCUSED))], lambda names: names == ["Wall size of the original tire"])


# Bottom to top, as the window manager stacks them or, with none, the X server.
def stacking():
    if MANAGED:
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", run("xprop", "-root", "_NET_CLIENT_LIST_STACKING"))]
    return [int(w, 16) for w in re.findall(r"^ +(0x[0-9a-f]+)", run("xwininfo", "-root", "-children"), re.M)][::-1]


# A screen locker, override-redirect, stays above it: only on bare X does the program keep the
# confirmation above the others itself.
def stays_above():
    """the confirmation stays above a window raised over it, and below a screen locker"""
    confirmation()
    x, y, width, height = frame(CONFIRM)
    for title, above in (("Over", True), ("Locker", False))[:1 if MANAGED else 2]:
        before = stacking()
        cover = subprocess.Popen(["xmessage", "-xrm", f"*overrideRedirect: {not above}", "-geometry",
                          f"{width + 99}x{height + 99}+{x - 50}+{y - 50}", title], stderr=subprocess.DEVNULL)
        over = until(f"{title} on the screen", lambda: [w for w in stacking() if w not in before][0])
        run("xdotool", "windowraise", over)
        time.sleep(0.5)
        until(f"the confirmation {'above' if above else 'below'} {title}", stacking,
              lambda order: (order.index(int(x_window(CONFIRM))) > order.index(over)) == above)
        cover.kill()


def comes_back():
    """minimized by the window manager, the confirmation comes straight back in its place"""
    confirmation()
    place, confirm = frame(CONFIRM), x_window(CONFIRM)
    run("xdotool", "windowminimize", confirm)
    time.sleep(0.5)
    # mutter keeps a minimized window mapped, so its window manager's record tells.
    until("the confirmation back in its place", lambda: "Iconic" not in run("xprop", "-id", confirm, "WM_STATE")
          and frame(CONFIRM) == place)
    active(CONFIRM, "the minimize")


def yes_ends():
    """the confirmation: an alert the window manager offers no move; Yes ends the program"""
    yes = control(confirmation(), "Yes, exit Durnoval")
    centred_and_active(CONFIRM)
    if MANAGED and ("_MOVE" in xprop(CONFIRM, "_NET_WM_ALLOWED_ACTIONS")
                    or "SKIP_TASKBAR" not in xprop(CONFIRM, "_NET_WM_STATE")):
        raise AssertionError("the window manager offers to move the confirmation, or lists it in task bars")
    # A click may be lost on a busy machine: Yes is clicked again while the program runs.
    until("the program ended by Yes", lambda: click(yes) or program.wait(2), lambda status: status == 0)


def heard():
    """a screen reader user hears the field typed into, an entry error and the field again,
    Calculate's answer and Clear (from Qt 6.8 on, which can announce them), the about window and
    the confirmation"""
    announces = int(app.toolkitVersion.split(".")[1]) >= 8
    # Once Orca listens, it names the field the focus comes back to.
    until("Orca naming the focused field", lambda: key("Tab", "Shift_L+Tab") or " ".join(spoken()),
          lambda text: "Width of the original tire text" in text, seconds=30)
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


steps = [starts, heard] if DESKTOP == "orca" else (
    [starts, calculates, put_away, stays_above] + [comes_back] * MANAGED + [yes_ends])
for behaviour in steps:
    name = " ".join(behaviour.__doc__.split())
    try:
        behaviour()
    except Exception as failure:
        program.kill()
        print(f"FAILED: {name}: {failure}")
        sys.exit(1)
    print(f"ok: {name}")
print(f"passed: {len(steps)} steps")
