#!/usr/bin/python3
"""Durnoval end to end on a real X server: keys and clicks go through the X server (xdotool),
and what the windows show is read the way a screen reader reads it (AT-SPI).

run_e2e.sh provides the display and the D-Bus session bus. Usage: e2e_session.py PROGRAM
"""

import re
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

MAIN = "Durnoval Calculator"
ABOUT = "Durnoval, by the Durnoval developers"
CONFIRM = "Are You Sure????"

FIELDS = (
    "Width of the original tire",
    "Wall size of the original tire",
    "Rim size of the original tire",
    "Width of the new tire",
    "Wall size of the new tire",
    "Rim size of the new tire",
)
RESULTS = (
    "Diameter of the original tire",
    "Diameter of the new tire",
    "New diameter in percent of the original",
    "True speed when the speedometer reads 60 mph",
)

# (field texts, result texts) of the main window; None is a result not on the screen.
EMPTY = (dict.fromkeys(FIELDS, ""), dict.fromkeys(RESULTS))
DEFAULTS = (
    dict(zip(FIELDS, ("195", "75", "14", "215", "55", "16"))),
    dict(zip(RESULTS, ("25.5", "25.3", "99%", "60mph"))),
)

# (field, keys typed, what the field keeps): digits and '.' pass, other keys are dropped. The
# dropped key comes before the last kept one, so no half-typed text equals the kept one.
TYPING = (
    ("Width of the original tire", "2a2-5", "225"),
    ("Wall size of the original tire", "4,5", "45"),
    ("Rim size of the original tire", "1 6", "16"),
    ("Width of the new tire", "+245", "245"),
    ("Wall size of the new tire", "4O0", "40"),
    ("Rim size of the new tire", '1"7', "17"),
)
TYPED = (
    {field: kept for field, _, kept in TYPING},
    dict(zip(RESULTS, ("24.", "24.7", "103%", "62mph"))),
)

# Controls each window must have, besides the fields and results read above.
EXPECTED_NAMES = {
    MAIN: ("Calculate", "Clear", "Exit", "File", "Help", "End", "About"),
    ABOUT: ("Now back to Durnoval",),
    CONFIRM: ("Yes, exit Durnoval", "Not yet, go back to Durnoval"),
}
# Roles a user acts on or reads; each needs a name that says what it is.
NAMED_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LABEL, pyatspi.ROLE_IMAGE,
}
# A bare value (what a label falls back to without a name) does not say what it is.
VALUE_ONLY = re.compile(r"[\d.,\s]*(%|mph)?")

CLIENT_SIZE = (482, 396)
ABOUT_SIZE = (320, 289)
BACKGROUND_POINT = (460, 10)  # in the main window's client area, no control there
STEP_SECONDS = 10
START_SECONDS = 30  # a cold start on a busy machine takes longer than any later step


class Failure(Exception):
    pass


def step(text):
    print(f"- {text}", flush=True)


def poll(what, probe, done, seconds=STEP_SECONDS):
    deadline = time.monotonic() + seconds
    while True:
        try:
            seen = probe()
        except GLib.Error as error:  # the tree changed while being read
            seen = error
        else:
            if done(seen):
                return seen
        if time.monotonic() > deadline:
            raise Failure(f"{what}\n  not so within {seconds} s; last seen: {seen!r}")
        time.sleep(0.05)


def wait_for(what, probe, seconds=STEP_SECONDS):
    return poll(what, probe, bool, seconds)


def expect(what, probe, expected):
    return poll(f"{what}, expected {expected!r}", probe, lambda seen: seen == expected)


# --- the X server ----------------------------------------------------------------------------


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def xdotool(*args):
    return run("xdotool", *map(str, args))


def x_windows(pid, title=None):
    """The program's X windows (with that title), mapped or not."""
    query = ["--all", "--pid", str(pid)] + (["--name", f"^{re.escape(title)}$"] if title else [])
    found = subprocess.run(["xdotool", "search", *query], capture_output=True, text=True)
    return found.stdout.split()


def x_mapped(window):
    return "Map State: IsViewable" in run("xwininfo", "-id", window)


def x_size(window):
    info = run("xwininfo", "-id", window)
    return tuple(int(re.search(rf"{key}: (\d+)", info).group(1)) for key in ("Width", "Height"))


def x_property(window, name):
    return run("xprop", "-id", window, name)


def click_at(x, y, double=False):
    repeat = ["--repeat", 2, "--delay", 80] if double else []
    # XTEST input is handled in order, so the click lands where the pointer was moved to.
    xdotool("mousemove", x, y, "click", *repeat, 1)


def click(accessible):
    x, y, width, height = extents(accessible)
    click_at(x + width // 2, y + height // 2)


def key(keys):
    xdotool("key", keys)


# --- the accessibility tree ------------------------------------------------------------------


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def top_levels(app, title):
    return [window for window in app if window is not None and window.name == title]


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def on_screen(pid, app, title):
    """The window with that title if both the X server and the accessibility tree show it."""
    mapped = any(x_mapped(window) for window in x_windows(pid, title))
    return next((w for w in top_levels(app, title) if showing(w)), None) if mapped else None


def window(pid, app, title):
    return wait_for(f"window {title!r} on the screen", lambda: on_screen(pid, app, title))


def window_gone(pid, app, title):
    expect(f"window {title!r} on the screen", lambda: on_screen(pid, app, title), None)


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def walk(accessible, path=""):
    """Every accessible below this one, with where it sits."""
    for index, kid in enumerate(accessible):
        if kid is not None:
            where = f"{path}/{kid.getRoleName()}[{index}]"
            yield kid, where
            yield from walk(kid, where)


def control(window_, role, name):
    found = [a for a, _ in walk(window_) if a.getRole() == role and a.name == name]
    if len(found) != 1:
        raise Failure(f"{len(found)} controls named {name!r} in {window_.name!r}, expected one")
    return found[0]


def shown(main):
    """What the main window shows: the field texts and the results on the screen."""
    fields, results = {}, {}
    for accessible, _ in walk(main):
        role, name = accessible.getRole(), accessible.name
        if role == pyatspi.ROLE_TEXT and name in FIELDS:
            fields[name] = accessible.queryText().getText(0, -1)
        elif role == pyatspi.ROLE_LABEL:
            # A result's name says what it is, then what it shows: "What: value".
            what, _, value = name.partition(": ")
            if what in RESULTS:
                results[what] = value if showing(accessible) else None
    return fields, results


def check_names(window_):
    unnamed = [f"{window_.name}{where} {accessible.name!r}, described as {accessible.description!r}"
               for accessible, where in walk(window_)
               if accessible.getRole() in NAMED_ROLES and VALUE_ONLY.fullmatch(accessible.name)]
    if unnamed:
        raise Failure("controls without a name that says what they are:\n  " + "\n  ".join(unnamed))
    names = {accessible.name for accessible, _ in walk(window_)}
    absent = [name for name in EXPECTED_NAMES[window_.name] if name not in names]
    if absent:
        raise Failure(f"no controls named {absent} in {window_.name!r}")


def child(accessible, role):
    return next(c for c in accessible if c is not None and c.getRole() == role)


def check_main_window_size(main_x, central, menu_bar):
    # The menu bar sits above the client area in the same X window.
    expect("client area size", lambda: extents(central)[2:], CLIENT_SIZE)
    expect("X window size", lambda: x_size(main_x),
           (CLIENT_SIZE[0], extents(menu_bar)[3] + CLIENT_SIZE[1]))


def check_about_window_size(about_x):
    hints = x_property(about_x, "WM_NORMAL_HINTS")
    for bound in ("minimum", "maximum"):
        size = re.search(rf"program specified {bound} size: (\d+) by (\d+)", hints)
        if not size or tuple(map(int, size.groups())) != ABOUT_SIZE:
            raise Failure(f"about window's {bound} size is not {ABOUT_SIZE}:\n{hints}")


def check_confirm_window(confirm_x):
    # _MOTIF_WM_HINTS: flags, functions, decorations, ...; flag 2 says decorations counts.
    motif = [int(v, 16) for v in re.findall(r"0x[0-9a-f]+", x_property(confirm_x, "_MOTIF_WM_HINTS"))]
    if len(motif) < 3 or not motif[0] & 2 or motif[2] != 0:
        raise Failure(f"confirmation window is decorated: _MOTIF_WM_HINTS {motif}")
    marks = [atom for prop, atom in (("_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_UTILITY"),
                                     ("_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR"))
             if atom in x_property(confirm_x, prop)]
    if not marks:
        raise Failure("nothing keeps the confirmation window out of the task bar")
    step(f"confirmation window: no decorations; out of the task bar by {', '.join(marks)}")


# --- the session -----------------------------------------------------------------------------


def started(program):
    """The program's accessible application, once it is there."""
    def probe():
        if program.poll() is not None:
            raise Failure(f"the program ended at start with status {program.returncode}")
        return application(program.pid)
    return wait_for("the program on the accessibility bus", probe, START_SECONDS)


def session(program):
    pid = program.pid
    app = started(program)
    main = window(pid, app, MAIN)
    main_x = x_windows(pid, MAIN)[0]
    central = child(main, pyatspi.ROLE_FILLER)  # the client area
    check_main_window_size(main_x, central, child(main, pyatspi.ROLE_MENU_BAR))
    check_names(main)
    expect("at start", lambda: shown(main), EMPTY)

    first_field = control(main, pyatspi.ROLE_TEXT, FIELDS[0])
    calculate_button = control(main, pyatspi.ROLE_PUSH_BUTTON, "Calculate")
    for how, calculate in (
        ("Enter in a field", lambda: (click(first_field), key("Return"))),
        ("the Calculate button", lambda: click(calculate_button)),
    ):
        step(f"Calculate on empty fields by {how}; Shift+Del clears")
        calculate()
        expect(f"after Calculate by {how}", lambda: shown(main), DEFAULTS)
        check_names(main)
        click(first_field)
        key("shift+Delete")
        expect("after Shift+Del", lambda: shown(main), EMPTY)

    step("typing through the key filter; Ctrl+C in a field calculates")
    for field, keys, kept in TYPING:
        click(control(main, pyatspi.ROLE_TEXT, field))
        xdotool("type", "--delay", 30, keys)
        expect(f"{field} after typing {keys!r}", lambda: shown(main)[0][field], kept)
    key("ctrl+c")
    expect("after Ctrl+C", lambda: shown(main), TYPED)

    step("Ctrl+X opens the about window")
    click(first_field)
    key("ctrl+x")
    about = window(pid, app, ABOUT)
    check_names(about)
    check_about_window_size(x_windows(pid, ABOUT)[0])

    x, y, _, _ = extents(central)
    point = (x + BACKGROUND_POINT[0], y + BACKGROUND_POINT[1])
    ax, ay, aw, ah = extents(about)
    if ax <= point[0] < ax + aw and ay <= point[1] < ay + ah:
        raise Failure(f"the about window covers the main window's background at {point}")
    if central.queryComponent().getAccessibleAtPoint(*point, pyatspi.DESKTOP_COORDS) is not None:
        raise Failure(f"a control lies at the main window's background point {point}")
    for about_state in ("open", "closed"):
        step(f"double-click on the main window's background, about window {about_state}")
        click_at(*point, double=True)
        about = window(pid, app, ABOUT)
        # Input is handled in order: once this click has closed it, the double-click is done.
        click(control(about, pyatspi.ROLE_PUSH_BUTTON, "Now back to Durnoval"))
        window_gone(pid, app, ABOUT)
        counts = len(top_levels(app, ABOUT)), len(x_windows(pid, ABOUT))
        if counts != (1, 1):
            raise Failure(f"about windows (accessible, X): {counts}, expected one")

    step("Exit asks first; Not Yet! brings the main window back as it was")
    before = shown(main)
    click(control(main, pyatspi.ROLE_PUSH_BUTTON, "Exit"))
    confirm = window(pid, app, CONFIRM)
    window_gone(pid, app, MAIN)
    check_names(confirm)
    control(confirm, pyatspi.ROLE_LABEL, "Are you sure you want to exit??")
    check_confirm_window(x_windows(pid, CONFIRM)[0])
    click(control(confirm, pyatspi.ROLE_PUSH_BUTTON, "Not yet, go back to Durnoval"))
    main = window(pid, app, MAIN)
    window_gone(pid, app, CONFIRM)
    expect("main window after Not Yet!", lambda: shown(main), before)

    step("Exit, then Yes ends the program")
    click(control(main, pyatspi.ROLE_PUSH_BUTTON, "Exit"))
    confirm = window(pid, app, CONFIRM)
    click(control(confirm, pyatspi.ROLE_PUSH_BUTTON, "Yes, exit Durnoval"))
    try:
        status = program.wait(STEP_SECONDS)
    except subprocess.TimeoutExpired:
        raise Failure("the program still runs after Yes") from None
    if status != 0:
        raise Failure(f"the program ended with status {status}")
    expect("X windows of the program", lambda: x_windows(pid), [])
    wait_for("the program gone from the accessibility bus", lambda: application(pid) is None)


def main():
    # Stopped from outside: the finally clause below still ends the program.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped by SIGTERM"))
    program = subprocess.Popen([sys.argv[1]])
    try:
        session(program)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
