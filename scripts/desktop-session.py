#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on an X display of its own under a desktop users run, with a D-Bus session bus
# of its own. Run it in own-environment.sh, whose PID namespace ends all it starts however it
# ends, as when ctest's time-out ends it. The desktops:
#   openbox, mutter (GNOME's, in X11 mode), icewm or kwin (KDE's kwin_x11), on Xvfb;
#   orca: openbox with the screen reader Orca listening, which logs what it would speak (with
#         or without a voice) to orca.log in the runtime folder;
#   mutter-wayland, kwin-wayland: GNOME's or KDE's Wayland compositor, headless, the command on
#         its XWayland;
#   bare: Xvfb with no window manager, and a headless Wayland compositor (weston) beside it, as
#         on a Wayland desktop.
# Usage: desktop-session.py DESKTOP COMMAND [ARG ...]
# Exit status: the command's; 1 when the desktop does not start within a minute; 77 when
# something needed is not installed, with one line that names it. Unless the command
# passes or is skipped, what the servers and the desktop said follows.

import os, pty, re, shlex, shutil, subprocess, sys, threading, time

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
DESKTOP, COMMAND = sys.argv[1], sys.argv[2:]
WORK = os.environ["XDG_RUNTIME_DIR"]
for need in DESKTOPS[DESKTOP][1].split() + ["dbus-run-session:dbus", "xprop:x11-utils"]:
    program, package = need.split(":")
    if not shutil.which(program):
        print(f"skipped: {program} is not installed (Debian: {package})")
        sys.exit(77)
LOG = open(f"{WORK}/x.log", "a")
if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:  # a bus of its own, the accessibility bus's way in
    os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, "-u", *sys.argv])


def end(status, failure=None):
    if failure:
        print(f"FAILED: {failure}", open(f"{WORK}/x.log").read(), sep="\n")
    sys.exit(status)


def wait(what, ready):
    for _ in range(600):
        if ready():
            return
        time.sleep(0.1)
    end(1, f"{what} did not start")


command = shlex.split(DESKTOPS[DESKTOP][0])
if DESKTOP.endswith("-wayland"):  # the compositor's own session passes on its environment
    report = f"env -0 >{WORK}/env.new && mv {WORK}/env.new {WORK}/env && exec sleep infinity"
    subprocess.Popen(command + (["sh", "-c", report] if DESKTOP == "mutter-wayland" else
                                [f"sh -c {shlex.quote(report)}"]), stdout=LOG, stderr=LOG)
    wait("the compositor", lambda: os.path.exists(f"{WORK}/env"))
    os.environ.update(name.split("=", 1) for name in open(f"{WORK}/env").read().split("\0")[:-1])
else:
    # Xvfb writes its display's number once it accepts connections. -noreset: a server that
    # resets when its last client leaves drops whoever connects meanwhile.
    number, written = os.pipe()
    subprocess.Popen(["Xvfb", "-displayfd", str(written), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                      "-noreset"], pass_fds=[written], stdout=LOG, stderr=LOG)
    os.close(written)
    os.environ["DISPLAY"] = ":" + (os.read(number, 16).decode().strip() or end(1, "Xvfb did not start"))
    subprocess.Popen(command, stdout=LOG, stderr=LOG)
if DESKTOP == "bare":
    wait("weston", lambda: os.path.exists(f"{WORK}/wayland-durnoval"))
    os.environ.update(WAYLAND_DISPLAY="wayland-durnoval", XDG_SESSION_TYPE="wayland")
else:  # managing windows, which mutter does a while after it first claims the screen
    wait("the window manager", lambda: "window id" in subprocess.run(
        ["xprop", "-root", "_NET_CLIENT_LIST_STACKING"], capture_output=True, text=True).stdout)
if DESKTOP == "orca":
    # Its log comes line by line to a terminal, where a file gets it in blocks. Orca 43 with no
    # voice waits long for one.
    terminal, orca_output = pty.openpty()
    version = int(re.search(r"\d+", subprocess.run(["orca", "--version"], capture_output=True, text=True).stdout)[0])
    subprocess.Popen(["orca", "--disable", "braille", "--debug-file", "/dev/stdout"] + ["--disable", "speech"] * (
        version < 44), stdout=orca_output, stderr=LOG)
    orca_log = open(f"{WORK}/orca.log", "w", buffering=1)
    threading.Thread(target=lambda: orca_log.writelines(open(terminal, errors="replace")), daemon=True).start()
    wait("Orca", lambda: re.search(r"Screen reader on\.|ORCA: Startup complete", open(f"{WORK}/orca.log").read()))
status = subprocess.run(COMMAND).returncode
end(status, status not in (0, 77) and f"{shlex.join(COMMAND)}: status {status}")
