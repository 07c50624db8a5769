# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# An X display of its own under a desktop users run, with a D-Bus session bus of its own, for the
# end-to-end sessions, and the X side of driving it (python3-xlib): keys and clicks through XTest
# as a keyboard and a mouse send them, windows and their properties read back. A session
# (tests/e2e/e2e_session.py DESKTOP ...) imports it, sets its until and calls start(); run it in
# own-environment.sh, whose PID namespace ends all it starts however it ends. What the servers
# and the desktop say goes to x.log in the runtime folder. The desktops:
#   openbox, mutter (GNOME's, in X11 mode), icewm or kwin (KDE's kwin_x11), on Xvfb;
#   orca: openbox with the screen reader Orca listening, which logs what it would speak (with
#         or without a voice) to orca.log in the runtime folder;
#   mutter-wayland, kwin-wayland: GNOME's or KDE's Wayland compositor, headless, the program on
#         its XWayland;
#   bare: Xvfb with no window manager, and a headless Wayland compositor (weston) beside it, as
#         on a Wayland desktop.

import atexit, os, pty, re, shlex, shutil, subprocess, sys, threading, time
from Xlib import X, XK, Xutil, display, error, protocol

# What runs each desktop, beside Xvfb or as a Wayland compositor with its own XWayland, and the
# programs it needs with the Debian packages that have them.
DESKTOPS = {
    "openbox": ("openbox --sm-disable", "Xvfb:xvfb openbox:openbox"),
    "orca": ("openbox --sm-disable", "Xvfb:xvfb openbox:openbox orca:orca"),
    "mutter": ("dbus-run-session -- mutter --x11 --replace --sm-disable", "Xvfb:xvfb mutter:mutter"),
    "icewm": ("icewm", "Xvfb:xvfb icewm:icewm"),
    "kwin": ("dbus-run-session -- kwin_x11 --replace", "Xvfb:xvfb kwin_x11:kwin-x11"),
    "bare": ("weston --backend=headless-backend.so --socket=wayland-durnoval --idle-time=0", "Xvfb:xvfb weston:weston"),
    "mutter-wayland": ("mutter --wayland --headless --virtual-monitor 1024x768 --", "mutter:mutter Xwayland:xwayland"),
    "kwin-wayland": ("kwin_wayland --virtual --xwayland --exit-with-session", "kwin_wayland:kwin-wayland Xwayland:xwayland")}
DESKTOP, WORK = sys.argv[1], os.environ["XDG_RUNTIME_DIR"]  # the session's first argument names the desktop
MANAGED = DESKTOP != "bare"  # a window manager frames, places, stacks and minimizes the windows
LOG = open(f"{WORK}/x.log", "a")
until = None  # the session's until(what, ready, seconds=...), which waits for each part of the desktop

# Imported, it ends the session with status 77 and one line that names what the desktop needs
# and is not installed; otherwise it runs the session again on a session bus of its own, the
# accessibility bus's way in, unless it has one.
for need in DESKTOPS[DESKTOP][1].split() + ["dbus-run-session:dbus"]:
    if not shutil.which(need.split(":")[0]):
        print("skipped: {} is not installed (Debian: {})".format(*need.split(":")))
        sys.exit(77)
if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
    os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, "-u", *sys.argv])


# Starts the desktop, and readies the keyboard for the session.
def start():
    """the desktop starts"""
    global D, ROOT, ADDED
    command = shlex.split(DESKTOPS[DESKTOP][0])
    if DESKTOP.endswith("-wayland"):  # the compositor's own session passes on its environment
        report = f"env -0 >{WORK}/env.new && mv {WORK}/env.new {WORK}/env && exec sleep infinity"
        compositor = subprocess.Popen(command + (["sh", "-c", report] if DESKTOP == "mutter-wayland" else
                                        [f"sh -c {shlex.quote(report)}"]), stdout=LOG, stderr=LOG)
        # Asked to end before its XWayland, mutter removes its displays' lock files; it leaves them
        # when both end at once, as when the namespace ends them, and enough keep the next from starting.
        atexit.register(lambda: compositor.terminate() or compositor.wait(10))
        until("the compositor", lambda: os.path.exists(f"{WORK}/env"), seconds=60)
        os.environ.update(name.split("=", 1) for name in open(f"{WORK}/env").read().split("\0")[:-1])
    else:
        # Xvfb writes its display's number once it accepts connections. -noreset: a server that
        # resets when its last client leaves drops whoever connects meanwhile.
        number, written = os.pipe()
        subprocess.Popen(["Xvfb", "-displayfd", str(written), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                          "-noreset"], pass_fds=[written], stdout=LOG, stderr=LOG)
        os.close(written)
        os.environ["DISPLAY"] = ":" + os.read(number, 16).decode().strip()
        subprocess.Popen(command, stdout=LOG, stderr=LOG)
    D = display.Display()
    ROOT = D.screen().root
    if DESKTOP == "bare":
        until("weston", lambda: os.path.exists(f"{WORK}/wayland-durnoval"), seconds=60)
        os.environ.update(WAYLAND_DISPLAY="wayland-durnoval", XDG_SESSION_TYPE="wayland")
    else:  # managing windows, which mutter does a while after it first claims the screen
        until("the window manager", lambda: prop(ROOT, "_NET_CLIENT_LIST_STACKING") is not None, seconds=60)
    # Dead keys and compose, which the keymap may lack, on free keys of their own before the
    # program starts, which reads the keymap as it is then.
    XK.load_keysym_group("xkb")
    first, last = D.display.info.min_keycode, D.display.info.max_keycode
    free = [first + i for i, keys in enumerate(D.get_keyboard_mapping(first, last - first + 1)) if not any(keys)]
    ADDED = dict(zip(("dead_acute", "dead_circumflex", "Multi_key"), free))
    for name, code in ADDED.items():
        D.change_keyboard_mapping(code, [(XK.string_to_keysym(name),)])
    if DESKTOP == "orca":
        # Its log comes line by line to a terminal, where a file gets it in blocks. Orca 43 with no
        # voice waits long for one.
        terminal, orca_output = pty.openpty()
        version = int(re.search(r"\d+", subprocess.run(["orca", "--version"], capture_output=True, text=True).stdout)[0])
        subprocess.Popen(["orca", "--disable", "braille", "--debug-file", "/dev/stdout"] + ["--disable", "speech"] * (
            version < 44), stdout=orca_output, stderr=LOG)
        orca_log = open(f"{WORK}/orca.log", "w", buffering=1)
        threading.Thread(target=lambda: orca_log.writelines(open(terminal, errors="replace")), daemon=True).start()
        until("Orca", lambda: re.search(r"Screen reader on\.|ORCA: Startup complete", open(f"{WORK}/orca.log").read()),
              seconds=60)


# Keys as a keyboard sends them: each by its keycode, with no modifier but those named (a tool
# that looks a key up by its symbol may add one: xdotool sends F10 as Alt+F10 with
# xkeyboard-config 2.4x). The pointer likewise.
def fake(*inputs, **place):
    for kind, detail in inputs:
        D.xtest_fake_input(kind, detail, **place)
    D.sync()
    time.sleep(0.1)


def key(*combos):
    for combo in combos:
        # This connection's keymap is as it was before the keys were added.
        codes = [ADDED.get(name) or D.keysym_to_keycode(XK.string_to_keysym(name)) for name in combo.split("+")]
        fake(*[(X.KeyPress, code) for code in codes], *[(X.KeyRelease, code) for code in codes[::-1]])


# A window's property: text, numbers, or None where it has none.
def prop(window, name):
    found = window.get_full_property(D.intern_atom(name), X.AnyPropertyType)
    return found and (found.value.decode() if found.format == 8 else list(found.value))


# Top-level windows bottom to top, as the window manager stacks them or, with none, the X server.
def stacking():
    return prop(ROOT, "_NET_CLIENT_LIST_STACKING") if MANAGED else [w.id for w in ROOT.query_tree().children]


# The program's own windows on the screen, by the class Qt gives them: mutter 44 and later draw
# frames in a client that carries their titles.
def x_windows(title):
    def shown(window):
        try:
            return (prop(window, "WM_CLASS") == "durnoval\0Durnoval\0" and prop(window, "_NET_WM_NAME") == title
                    and window.get_attributes().map_state == X.IsViewable)
        except error.XError:  # gone meanwhile
            return False
    return [w for w in (D.create_resource_object("window", id) for id in stacking()) if shown(w)]


def x_window(title):
    (window,) = x_windows(title)  # exactly one
    return window


# x, y, width and height of the window with its window manager's frame around it.
def frame(title):
    window = x_window(title)
    at, size = ROOT.translate_coords(window, 0, 0), window.get_geometry()
    left, right, top, bottom = prop(window, "_NET_FRAME_EXTENTS") or [0] * 4
    return at.x - left, at.y - top, size.width + left + right, size.height + top + bottom
