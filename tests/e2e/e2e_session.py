#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Durnoval end to end, under a window manager on a real X server: keys and clicks go through the
# X server (XTest, xdotool), windows are read back from it (xprop, xwininfo), and what they show
# is read as a screen reader reads it (AT-SPI). run_e2e.sh provides the display, the window
# manager and the session bus. Each behaviour is a step named by its docstring; the first that
# fails ends the session.
# Usage: e2e_session.py DESKTOP PROGRAM

import contextlib
import ctypes
import os
import pty
import re
import subprocess
import sys
import threading
import time

import pyatspi

MAIN, ABOUT, CONFIRM = "Durnoval Calculator", "Durnoval, by the Durnoval developers", "Are You Sure????"
# Read through the results' names after typing "4O0" and composed characters as the new tyre's
# wall (the key filter drops them all) and calculating.
RESULTS = {"Diameter of the original tire": "25.5", "Diameter of the new tire": "22.8",
           "New diameter in percent of the original": "89%",
           "True speed when the speedometer reads 60 mph": "54mph"}
DESKTOP = sys.argv[1]
MANAGED = DESKTOP != "bare"  # a window manager frames, places, stacks and minimizes the windows
# GNOME gives Qt programs its GTK platform theme; bare X, standing in for a Wayland desktop's,
# brings it to make test.
THEME = {"QT_QPA_PLATFORMTHEME": "gtk3"} if DESKTOP in ("mutter", "mutter-wayland", "bare") else {}


# Keys as a keyboard sends them: each by its keycode, with no modifier but those named. xdotool
# looks a key up by its symbol and may add a modifier the keymap allows beside it: with
# xkeyboard-config 2.4x it sends F10 as Alt+F10.
X11, XTEST = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
X11.XOpenDisplay.restype, X11.XStringToKeysym.restype = ctypes.c_void_p, ctypes.c_ulong
X11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
X11.XDisplayKeycodes.argtypes = [ctypes.c_void_p] + [ctypes.POINTER(ctypes.c_int)] * 2
X11.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
X11.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                       ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
X11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
X11.XFlush.argtypes = [ctypes.c_void_p]
XTEST.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
KEYBOARD = X11.XOpenDisplay(None)


def key(*combos):
    for combo in combos:
        codes = [X11.XKeysymToKeycode(KEYBOARD, X11.XStringToKeysym(name.encode()))
                 for name in combo.replace("ctrl+", "Control_L+").split("+")]
        for code, down in [(code, True) for code in codes] + [(code, False) for code in reversed(codes)]:
            XTEST.XTestFakeKeyEvent(KEYBOARD, code, down, 0)
        X11.XFlush(KEYBOARD)
        time.sleep(0.1)


# Dead keys and compose, which the keymap may lack, on free keys of their own before the program
# starts: xdotool maps a missing key only while it types it, and a busy program may read that
# key by the map that follows.
def add_keys(*names):
    low, high, per = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
    X11.XDisplayKeycodes(KEYBOARD, low, high)
    symbols = X11.XGetKeyboardMapping(KEYBOARD, low.value, high.value - low.value + 1, per)
    free = [low.value + i for i in range(high.value - low.value + 1)
            if not any(symbols[i * per.value:(i + 1) * per.value])]
    for code, name in zip(free, names):
        X11.XChangeKeyboardMapping(KEYBOARD, code, 1, (ctypes.c_ulong * 1)(X11.XStringToKeysym(name.encode())), 1)
    X11.XFlush(KEYBOARD)


# What the screen reader Orca, started beside the program on the orca desktop, would speak (with
# no speech server). Its log comes line by line to a terminal, where a file gets it in blocks.
ORCA_LOG = []


def read_orca(terminal):
    with contextlib.suppress(OSError), open(terminal, errors="replace") as log:
        ORCA_LOG.extend(log)


def spoken():
    return [said[1] for line in ORCA_LOG if (said := re.search(r"SPEECH OUTPUT: '(.*?)' ?[\[{]", line))]


add_keys("dead_acute", "dead_circumflex", "Multi_key")
# Qt 6.8 and later can announce Calculate's answer to a screen reader.
QT_CORE = ctypes.CDLL("libQt6Core.so.6")
QT_CORE.qVersion.restype = ctypes.c_char_p
ANNOUNCES = int(QT_CORE.qVersion().split(b".")[1]) >= 8
if DESKTOP == "orca":
    # Orca logs what it would speak with or without a voice, but says announcements only with
    # speech on; Orca 43 (Debian 12, whose Qt announces nothing) with no voice waits long for one.
    terminal, orca_output = pty.openpty()
    subprocess.Popen(["orca", "--disable", "braille", "--debug-file", "/dev/stdout"]
                     + ([] if ANNOUNCES else ["--disable", "speech"]), stdout=orca_output, stderr=subprocess.DEVNULL)
    threading.Thread(target=read_orca, args=(terminal,), daemon=True).start()
    # Listening before the program starts, which may else miss it: it says so, or with speech off logs it.
    for _ in range(300):
        if any(re.search(r"Screen reader on\.|ORCA: Startup complete", line) for line in ORCA_LOG):
            break
        time.sleep(0.1)
program = subprocess.Popen([sys.argv[2]], env=dict(os.environ, **THEME))


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
        if program.poll() is not None:
            raise AssertionError(f"{what}: not so, the program ended with status {program.returncode}")
        if time.monotonic() > deadline:
            raise AssertionError(f"{what}: not so within {seconds} s; last seen {seen!r}")
        time.sleep(0.05)


# The program's own windows on the screen: mutter 44 and later draw frames in a client that
# carries their titles. xdotool finds none with status 1.
def x_windows(title):
    return run("xdotool", "search", "--all", "--onlyvisible", "--pid", program.pid, "--name",
               f"^{re.escape(title)}$", check=False).split()


def x_window(title):
    found = x_windows(title)
    if len(found) != 1:
        raise LookupError(f"{title!r} is {len(found)} windows on the screen")
    return found[0]


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


def walk(accessible):
    for kid in accessible:
        if kid is not None:
            yield kid
            yield from walk(kid)


# The window once it is on the screen; a screen reader announces it by its role and title.
def window(title, role):
    return until(f"{title!r} on the screen as a {role}", lambda: x_window(title) and next(
        w for w in app if w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)),
        lambda found: found.getRoleName() == role)


def control(window_, name):
    return next(a for a in walk(window_) if a.name == name and a.getRole() in (
        pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LABEL))


def click(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    run("xdotool", "mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)


# A result's name says what it is, then what it shows: "What: value".
def results():
    return dict(a.name.split(": ", 1) for a in walk(main_window) if a.getRole() == pyatspi.ROLE_LABEL
                and a.name.partition(": ")[2] and a.getState().contains(pyatspi.STATE_SHOWING))


# The confirmation on the screen, asked for by Exit if it is not.
def confirmation():
    if not x_windows(CONFIRM):
        click(control(main_window, "Exit"))
    return window(CONFIRM, "alert")


def starts():
    """starts centred and active"""
    global app, main_window
    app = until("the program on the accessibility bus", lambda: program.poll() is None and next(
        a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == program.pid and a.name == "Durnoval"),
        seconds=30)
    main_window = window(MAIN, "frame")
    centred_and_active(MAIN)
    # The icon the window manager and the task bar draw, in both its sizes.
    sizes = re.findall(r"Icon \((\d+) x", xprop(MAIN, "_NET_WM_ICON"))
    if sorted(sizes) != ["16", "32"]:
        raise AssertionError(f"the main window's icon comes in the sizes {sizes}")


def calculates():
    """real keys through the key filter, the results read by their names, one application"""
    click(control(main_window, "Wall size of the new tire"))
    run("xdotool", "type", "--delay", 30, "4O0")
    # Dead keys and compose, through the toolkit's compose support: no é, ² or ½.
    key("dead_acute", "e", "dead_circumflex", "2", "Multi_key", "1", "2")
    key("ctrl+c")
    until("results read by a screen reader", results, lambda seen: seen == RESULTS)
    # Under the GTK platform theme too, a screen reader finds one application, not an empty second.
    until("one application on the accessibility bus", lambda: [a.name for a in pyatspi.Registry.getDesktop(0)
          if a and a.get_process_id() == program.pid], lambda names: names == ["Durnoval"], seconds=2)


# Each window over the main window put away by keys in turn: a failed Calculate's message, the
# confirmation, and the about window after it, when the keyboard must go past the hidden confirmation.
def put_away():
    """moved, then a message, the confirmation and the about window each put away: the main window
    where it was put, active, the focus where it was"""
    start = frame(MAIN)
    run("xdotool", "windowmove", "--relative", x_window(MAIN), 60, 40)
    until("the main window moved", lambda: frame(MAIN), lambda f: f[:2] != start[:2])
    time.sleep(0.5)  # a window manager that would put it back has done so by now
    before = frame(MAIN)
    # A diameter that rounds to zero: Calculate stops with a message that no single field made.
    key("Shift_L+Delete")  # Clear
    for name in ("Rim size of the original tire", "Wall size of the original tire"):
        click(control(main_window, name))
        run("xdotool", "type", "--delay", 30, "0")
    for keys, over in ((("Return",), None), (("F10", "e"), CONFIRM), (("ctrl+x",), ABOUT), (("ctrl+e",), CONFIRM),
                       (("F10", "e"), CONFIRM), (("ctrl+e",), CONFIRM), (("ctrl+e",), CONFIRM)):
        key(*keys)
        if over:
            active(over, keys)
        else:
            until("the error message", lambda: len(x_windows(MAIN)), lambda count: count == 2)
        key("Escape")
        active(MAIN, f"{keys} and Esc")
        until(f"the main window back in place after {keys}", lambda: frame(MAIN), lambda f: f == before)
        until(f"the focus back after {keys}", lambda: [a.name for a in walk(main_window) if a.getState().contains(
            pyatspi.STATE_FOCUSED)], lambda names: names == ["Wall size of the original tire"])


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
        try:
            over = until(f"{title} on the screen", lambda: [w for w in stacking() if w not in before][0])
            run("xdotool", "windowraise", over)
            time.sleep(0.5)
            until(f"the confirmation {'above' if above else 'below'} {title}", stacking,
                  lambda order: (order.index(int(x_window(CONFIRM))) > order.index(over)) == above)
        finally:
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
    for _ in range(5):
        click(yes)
        with contextlib.suppress(subprocess.TimeoutExpired):
            program.wait(2)
            break
    if program.poll() != 0:
        raise AssertionError(f"the program did not end through Yes: status {program.poll()}")


def heard():
    """a screen reader user hears the field typed into, an entry error and the field again,
    Calculate's answer (from Qt 6.8 on, which can announce it), the about window and the
    confirmation"""
    # Once Orca listens, it names the field the focus comes back to.
    until("Orca naming the focused field", lambda: key("Tab", "Shift_L+Tab") or " ".join(spoken()),
          lambda text: "Width of the original tire text" in text, seconds=30)
    said = len(spoken())
    for keys, what in ((("1", "period", "2", "period", "3"), "3"),
                       (("Return",), "The width of the original tire is not a number. "
                                     "Enter digits with at most one decimal point."),
                       (("Return",), "selected"),  # the field again, its text ready to be corrected
                       (("2", "2", "5", "Return"), "Diameter of the original tire: 27.3." if ANNOUNCES else "return"),
                       (("ctrl+x",), "Durnoval, by the Durnoval developers dialog Created by the Durnoval developers."),
                       (("Escape",), "Durnoval Calculator"),
                       (("ctrl+e",), "Are you sure you want to exit??")):
        key(*keys)
        until(f"{what!r} spoken after {keys}", lambda: " ".join(spoken()[said:]), lambda text: what in text)
        said = len(spoken())
    key("Return")  # Yes
    program.wait(10)


steps = [starts, heard] if DESKTOP == "orca" else (
    [starts, calculates, put_away, stays_above] + [comes_back] * MANAGED + [yes_ends])
for behaviour in steps:
    name = " ".join(behaviour.__doc__.split())
    try:
        behaviour()
    except Exception as failure:
        program.kill()
        sys.exit(f"FAILED: {name}: {failure}")
    print(f"ok: {name}")
print(f"passed: {len(steps)} steps")
