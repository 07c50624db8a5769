# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up time and peak memory of a program's first window, against a bare Qt window.

Run through bench/startup.sh, which provides the X server. For each run: the time from
starting the process to its first top-level window being mapped and painted (some pixel
differs from the rest), and the process's peak resident memory (VmHWM) once it is painted.
Runs alternate between the programs; medians and ratios are printed.

Wall time on a shared virtual machine varies by tens of percent from one minute to the next,
so the script also counts the instructions each program executes until its first painted
frame (callgrind): the same every run, whatever else the machine does.
"""

import glob
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display

POLL_SECONDS = 0.0005
DEADLINE_SECONDS = 20
SETTLE_SECONDS = 0.3


def window_of(conn, pid_atom, pid):
    """The process's first mapped top-level window, or None."""
    for window in conn.screen().root.query_tree().children:
        try:
            owner = window.get_full_property(pid_atom, X.AnyPropertyType)
            if not owner or owner.value[0] != pid:
                continue
            if window.get_attributes().map_state == X.IsViewable:
                return window
        except Exception:  # the window went away while we looked
            continue
    return None


def painted(window):
    geometry = window.get_geometry()
    image = window.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF)
    data = image.data
    return data.count(data[:4]) * 4 != len(data)


def cpu_seconds(pid):
    """CPU time of all the process's threads so far (nanosecond counters, unlike /proc/PID/stat)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
            total += int(schedstat.read().split()[0])
    return total / 1e9


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def measure(conn, pid_atom, command):
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = None
        while time.perf_counter() - start < DEADLINE_SECONDS:
            window = window or window_of(conn, pid_atom, process.pid)
            if window is not None and painted(window):
                seconds = time.perf_counter() - start
                cpu = cpu_seconds(process.pid)
                time.sleep(SETTLE_SECONDS)
                return seconds, cpu, peak_memory_kib(process.pid)
            time.sleep(POLL_SECONDS)
        raise RuntimeError(f"{command[0]}: no painted window within {DEADLINE_SECONDS} s")
    finally:
        process.kill()
        process.wait()


def instructions(conn, pid_atom, command):
    """Instructions the process executes until its window is painted, counted by callgrind."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "callgrind.%p")
        wrapped = ["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}"] + command
        start = time.perf_counter()
        process = subprocess.Popen(wrapped, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            window = None
            while time.perf_counter() - start < 10 * DEADLINE_SECONDS:
                window = window or window_of(conn, pid_atom, process.pid)
                if window is not None and painted(window):
                    break
                time.sleep(10 * POLL_SECONDS)
            else:
                raise RuntimeError(f"{command[0]} under callgrind: no painted window within "
                                   f"{10 * DEADLINE_SECONDS} s")
            process.send_signal(signal.SIGTERM)  # callgrind writes its counts on the way out
            process.wait(DEADLINE_SECONDS)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
        counted = os.path.join(folder, f"callgrind.{process.pid}")
        # STARTUP_CALLGRIND_KEEP=FOLDER keeps the counts, for callgrind_annotate side by side.
        if os.environ.get("STARTUP_CALLGRIND_KEEP"):
            kept = os.path.join(os.environ["STARTUP_CALLGRIND_KEEP"], os.path.basename(command[0]))
            shutil.copy(counted, f"{kept}{'-' + command[1].lstrip('-') if len(command) > 1 else ''}.callgrind")
        with open(counted) as counts:
            for line in counts:
                if line.startswith("summary:"):
                    return int(line.split()[1])
    raise RuntimeError(f"{command[0]}: no instruction count")


def main():
    runs = int(sys.argv[1])
    programs = {
        "durnoval": [sys.argv[2]],
        "bare, same text": [sys.argv[3], "--same-text"],
        "bare Qt window": [sys.argv[3]],
    }
    conn = display.Display()
    pid_atom = conn.intern_atom("_NET_WM_PID")
    results = {name: [] for name in programs}
    for name, command in programs.items():  # one unmeasured run each warms the caches
        measure(conn, pid_atom, command)
    for _ in range(runs):
        for name, command in programs.items():
            results[name].append(measure(conn, pid_atom, command))

    medians = {}
    print(f"medians of {runs} runs: wall time to the first painted frame, CPU time spent by "
          f"then, peak memory")
    for name, samples in results.items():
        seconds, cpu, memory = (statistics.median(column) for column in zip(*samples))
        medians[name] = (seconds, cpu, memory)
        print(f"{name:16} {seconds * 1000:7.1f} ms   CPU {cpu * 1000:7.1f} ms   "
              f"{memory / 1024:6.1f} MiB")
    counts = {name: instructions(conn, pid_atom, command) for name, command in programs.items()}
    for name, count in counts.items():
        print(f"{name:16} {count / 1e6:7.1f} million instructions to the first painted frame")
    ours = medians["durnoval"]
    for name in ("bare, same text", "bare Qt window"):
        bare = medians[name]
        print(f"durnoval / {name:16} start-up {ours[0] / bare[0]:.3f}   CPU {ours[1] / bare[1]:.3f}"
              f"   instructions {counts['durnoval'] / counts[name]:.3f}"
              f"   memory {(ours[2] - bare[2]) / 1024:+.1f} MiB")


if __name__ == "__main__":
    main()
