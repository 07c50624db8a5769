"""Start-up time and peak memory of a program's first window, against a bare Qt window.

Run through bench/startup.sh, which provides the X server. For each run: the time from
starting the process to its first top-level window being mapped and painted (some pixel
differs from the rest), and the process's peak resident memory (VmHWM) once it is painted.
Runs alternate between the programs; medians and ratios are printed.
"""

import os
import statistics
import subprocess
import sys
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
                time.sleep(SETTLE_SECONDS)
                return seconds, peak_memory_kib(process.pid)
            time.sleep(POLL_SECONDS)
        raise RuntimeError(f"{command[0]}: no painted window within {DEADLINE_SECONDS} s")
    finally:
        process.kill()
        process.wait()


def main():
    runs = int(sys.argv[1])
    programs = {"durnoval": [sys.argv[2]], "bare Qt window": [sys.argv[3]]}
    conn = display.Display()
    pid_atom = conn.intern_atom("_NET_WM_PID")
    results = {name: [] for name in programs}
    for name, command in programs.items():  # one unmeasured run each warms the caches
        measure(conn, pid_atom, command)
    for _ in range(runs):
        for name, command in programs.items():
            results[name].append(measure(conn, pid_atom, command))

    medians = {}
    for name, samples in results.items():
        seconds = statistics.median(s for s, _ in samples)
        memory = statistics.median(m for _, m in samples)
        medians[name] = (seconds, memory)
        print(f"{name:15} start-up median {seconds * 1000:7.1f} ms   "
              f"peak memory median {memory / 1024:6.1f} MiB   ({runs} runs)")
    ours, bare = medians["durnoval"], medians["bare Qt window"]
    print(f"ratio           start-up {ours[0] / bare[0]:.3f}   "
          f"memory {ours[1] / bare[1]:.3f} ({(ours[1] - bare[1]) / 1024:+.1f} MiB)")


if __name__ == "__main__":
    main()
