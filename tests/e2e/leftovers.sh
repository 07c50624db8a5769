#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The end-to-end test leaves nothing running, however it ends. It runs as ctest runs it, as a
# terminal's job, and ends five ways: a pass, a failure (a program that fails at once), a time-out
# (the test ended mid-session as timeout ends it), Ctrl+C mid-session, and its wrapper killed
# outright mid-session, as ctest's time-out kills it. Then no process may be left:
# this script is the first process of a PID namespace of its own, so every process the test
# starts, even a daemon that leaves its parent and group, is one this script can list.
# Usage: leftovers.sh PROGRAM [DESKTOP]   (DESKTOP: bare, the one with a compositor, by default)
set -uo pipefail
[ $$ -eq 1 ] || exec unshare --pid --fork --kill-child --mount-proc --propagation unchanged \
    $([ "$(id -u)" -eq 0 ] || echo --map-current-user) "$0" "$@"
here=$(dirname "$(realpath "$0")")
program=$(realpath "$1") desktop=${2:-bare} failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# [SIGNAL=...] [TIMEOUT=SECONDS] ending ENDING STATUS PROGRAM: the test, ended so, with that
# status, leaves nothing
ending() {
    local status left signal=${SIGNAL:-}
    # As a terminal starts a job: Ctrl+C reaches it, where a script's background commands ignore it.
    setsid ${TIMEOUT:+timeout $TIMEOUT} env --default-signal=INT "$here/../../scripts/own-environment.sh" --fonts \
        "$here/e2e_session.py" "$desktop" "$3" >"$work/$1.log" 2>&1 & local test=$!
    # The signal mid-session, as the program starts: to the job, or to the test's wrapper alone.
    [ -z "$signal" ] || { sleep 3; kill -$signal$test; }
    wait $test; status=$?; sleep 0.5 # the kernel takes a moment to end what is left
    # Every process but this script (and its own subshells) and ps is left over.
    left=$(ps -e -o pid=,args= | grep -v -E 'leftovers\.sh| ps -e |<defunct>$')
    echo "$1: status $status (expected $2), $(grep -c . <<<"$left") processes left"
    [ -z "$left" ] && [ "$status" -eq "$2" ] || { echo "$left"; cat "$work/$1.log"; failed=1; }
}
ending pass 0 "$program"
ending failure 1 "$(type -P false)"
TIMEOUT=3 ending time-out 124 "$program"
SIGNAL="INT -- -" ending ctrl-c 130 "$program"
SIGNAL="KILL " ending killed 137 "$program"
exit $failed
