#!/usr/bin/env python3
"""Plays a serial device on a pseudo-terminal for programs run under Wine.

Makes a pty, points a link (a Wine prefix's dosdevices/comN) at its slave,
runs a command and, while it runs, echoes every byte the command sends.
A zero byte starts a command instead of being echoed:
  0x00 'B' n_hi n_lo  note the time, write a burst of n bytes 0x55
  0x00 'A'            the burst arrived: note the delay since it was written
  0x00 'H'            hang up: the link moves to a fresh pty, the old one closes
Delays are printed at the end (and written to --results as JSON).
Exit status: the command's.
"""
import argparse
import json
import os
import select
import subprocess
import sys
import threading
import time
import tty


class Device:
    def __init__(self, link):
        self.link = link
        self.master = self.slave = -1
        self.renew()

    def renew(self):
        old = (self.master, self.slave)
        master, slave = os.openpty()
        tty.setraw(slave)
        os.set_blocking(master, False)
        path = os.ttyname(slave)
        tmp = self.link + '.new'
        if os.path.lexists(tmp):
            os.unlink(tmp)
        os.symlink(path, tmp)
        os.replace(tmp, self.link)
        # The slave stays open here too, so the master keeps working while
        # the program has the port closed.
        self.master, self.slave = master, slave
        for fd in old:
            if fd >= 0:
                os.close(fd)


def write_all(fd, data):
    # A port that nobody reads (the program closed it) takes no more; what
    # does not fit within a moment is dropped, as a line would drop it.
    while data:
        try:
            n = os.write(fd, data)
        except BlockingIOError:
            _, w, _ = select.select([], [fd], [], 0.5)
            if not w:
                return
            continue
        data = data[n:]


def serve(dev, stop, delays):
    pending = b''
    burst_at = None
    burst_len = 0
    while not stop.is_set():
        master = dev.master
        try:
            r, _, _ = select.select([master], [], [], 0.1)
            if not r:
                continue
            data = os.read(master, 65536)
        except OSError:
            continue
        data = pending + data
        pending = b''
        out = bytearray()
        i = 0
        while i < len(data):
            b = data[i]
            if b != 0:
                out.append(b)
                i += 1
                continue
            if i + 1 >= len(data):
                pending = data[i:]
                break
            cmd = data[i + 1]
            if cmd == ord('B'):
                if i + 3 >= len(data):
                    pending = data[i:]
                    break
                n = data[i + 2] * 256 + data[i + 3]
                if out:
                    write_all(master, bytes(out))
                    out = bytearray()
                burst_at = time.monotonic()
                burst_len = n
                write_all(master, b'\x55' * n)
                i += 4
            elif cmd == ord('A'):
                if burst_at is not None:
                    delays.setdefault(burst_len, []).append(time.monotonic() - burst_at)
                    burst_at = None
                i += 2
            elif cmd == ord('H'):
                if out:
                    write_all(master, bytes(out))
                    out = bytearray()
                dev.renew()
                master = dev.master
                i += 2
            else:
                i += 2
        if out:
            try:
                write_all(master, bytes(out))
            except OSError:
                pass


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--link', required=True)
    ap.add_argument('--results')
    ap.add_argument('command', nargs=argparse.REMAINDER)
    a = ap.parse_args()
    cmd = a.command[1:] if a.command[:1] == ['--'] else a.command
    os.makedirs(os.path.dirname(a.link), exist_ok=True)
    dev = Device(a.link)
    stop = threading.Event()
    delays = {}
    t = threading.Thread(target=serve, args=(dev, stop, delays), daemon=True)
    t.start()
    try:
        rc = subprocess.call(cmd)
    finally:
        stop.set()
        t.join(5)
        if os.path.islink(a.link):
            os.unlink(a.link)
    summary = {}
    for n, ds in sorted(delays.items()):
        ms = sorted(d * 1000 for d in ds)
        summary[n] = {'count': len(ms), 'min_ms': ms[0], 'median_ms': ms[len(ms) // 2], 'max_ms': ms[-1]}
        print('peer: burst of %d bytes written -> acknowledgement read: %d bursts, min %.2f, median %.2f, max %.2f ms'
              % (n, len(ms), ms[0], ms[len(ms) // 2], ms[-1]))
    if a.results and summary:
        with open(a.results, 'w') as f:
            json.dump(summary, f)
    return rc


if __name__ == '__main__':
    sys.exit(main())
