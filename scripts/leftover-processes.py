#!/usr/bin/env python3
"""leftover-processes.py ROOT [SECONDS]: lists the processes that a run in the
checkout ROOT started and left behind (Wine servers and programs of its
prefixes, its virtual displays, its simulators and anything else running a
program of the checkout), waiting up to SECONDS (default 10) for dying ones
to go. Exits 1 when any remain. Processes of other checkouts on the machine
are not counted, nor this script and the processes that started it."""
import os
import sys
import time

# Environment entries that mark a process as started by the scripts of a
# checkout: its Wine prefix, the state folder of its Xvfb, its build folder.
MARKS = ("WINEPREFIX=", "GSM_XVFB_STATE=", "GSM_BUILD_DIR=")


def read(pid, name):
    try:
        with open(f"/proc/{pid}/{name}", "rb") as f:
            return f.read().decode("utf-8", "replace").split("\0")
    except OSError:
        return []


def ancestors():
    pids, pid = set(), os.getpid()
    while pid > 1:
        pids.add(pid)
        stat = read(pid, "stat")
        if not stat:
            break
        # The parent is the second field after the command in parentheses.
        pid = int(stat[0].rsplit(")", 1)[1].split()[1])
    return pids


def inside(path, root):
    return path == root or path.startswith(root + "/")


def leftovers(root):
    mine = ancestors()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) in mine:
            continue
        stat = read(entry, "stat")
        if not stat or stat[0].rsplit(")", 1)[1].split()[0] == "Z":
            continue
        env = read(entry, "environ")
        cmd = read(entry, "cmdline")
        marked = any(e.startswith(MARKS) and inside(e.split("=", 1)[1], root) for e in env)
        runs_ours = any(root + "/" in a or a == root for a in cmd)
        if marked or runs_ours:
            found.append((int(entry), " ".join(a for a in cmd if a)))
    return found


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    root = os.path.realpath(sys.argv[1])
    deadline = time.monotonic() + (float(sys.argv[2]) if len(sys.argv) > 2 else 10)
    found = leftovers(root)
    while found and time.monotonic() < deadline:
        time.sleep(0.5)
        found = leftovers(root)
    for pid, cmd in sorted(found):
        print(f"left running: {pid} {cmd}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
