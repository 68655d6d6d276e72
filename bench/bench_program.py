#!/usr/bin/env python3
"""Figures of the real vantero.exe under Wine, driven from outside the way the end-to-end tests
drive it: trigger latency from the X key event to the first target key, processor time while
idle, start-up time, memory, and the exe's size. Each figure that has one is printed beside its
floor, taken in the same run: a plain key typed into the recorder for the latency, and for the
rest bare_window.exe, an empty window of the main window's size with a message loop. One line per
figure; for each target missed, a line "note: ..." saying why and what it would take. Nothing is
asserted.

Usage: bench_program.py [--build build/win64] [--quick]
"""

import argparse
import ctypes
import ctypes.util
import os
import random
import shutil
import statistics
import struct
import subprocess
import sys
import time
import types
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from harness import CHECK_LEFT, MAIN_CLASS, Session, wait_until, wine_environment  # noqa: E402

TICK_MS = 1000.0 / os.sysconf("SC_CLK_TCK")
MIB = 1 << 20
# Nine rows with the triggers Ctrl+Alt+1 .. Ctrl+Alt+9; row k types the letter A + k.
TARGETS = [0x41 + k for k in range(9)]
BARE_CLASS = "VanteroBareWindow"  # bare_window.exe's window class


def nine_row_ini():
    """set.ini as earlier versions wrote it on Chinese systems: GBK, CRLF."""
    lines = ["[KeyLatch]"]
    for n in range(1, 10):
        lines += [f"KeyLatch{n}Text=Ctrl + Alt + {n}", f"KeyLatch{n}KeyCode={ord(str(n))}", f"KeyLatch{n}ModKeyCode=3"]
    lines += ["[conftext]"] + [f"{k}={chr(vk)}" for k, vk in enumerate(TARGETS)]
    lines += ["[conftooltip]"] + [f"{k}=1|{vk}" for k, vk in enumerate(TARGETS)]
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


def linux_process(pid):
    """The Linux view of a Wine process: resident and anonymous memory in KiB, processor time in
    clock ticks (user + system, all threads) and context switches."""
    status = dict(line.split(":", 1) for line in Path(f"/proc/{pid}/status").read_text().splitlines())
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    switches = sum(int(line.split()[1]) for task in Path(f"/proc/{pid}/task").iterdir()
                   for line in (task / "status").read_text().splitlines() if "ctxt_switches:" in line)
    return {"rss_kib": int(status["VmRSS"].split()[0]), "anon_kib": int(status.get("RssAnon", "0 kB").split()[0]),
            "cpu_ticks": int(fields[11]) + int(fields[12]), "switches": switches}


def resources(s, probe, window_class=MAIN_CLASS):
    """What the program with a top-level window of that class holds, as bench_probe counts it."""
    out = subprocess.run(["wine", probe, "resources", window_class], env=s.env, capture_output=True, text=True,
                         timeout=60).stdout
    figures = dict(item.split("=", 1) for item in out.split())
    return {key: (value if key == "counted" else int(value)) for key, value in figures.items()}


def raw_ms():
    """Linux's raw monotonic clock, in milliseconds."""
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1000.0


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(p * len(ordered)))]


def floor_ratio(value, floor):
    return f"{value / floor:.2f} × the floor" if floor else "no ratio (the floor is 0)"


# ---- clocks and input -------------------------------------------------------------------------

class CounterClock:
    """The Windows performance counter (the recorder's clock), read by a probe that keeps running,
    and so keeps the prefix's Wine server running too; use it as a context manager."""

    def __init__(self, env, probe):
        self.process = subprocess.Popen(["wine", probe, "clock"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, env=env, text=True, bufsize=1)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.process.stdin.close()
        self.process.wait(timeout=20)

    def offset(self):
        """The counter minus CLOCK_MONOTONIC_RAW, in ms, read between two readings of the Linux
        clock; returns (offset, uncertainty)."""
        samples = []
        for _ in range(40):
            before = raw_ms()
            self.process.stdin.write("\n")
            self.process.stdin.flush()
            counter = float(self.process.stdout.readline())
            after = raw_ms()
            samples.append((after - before, counter - (before + after) / 2))
        tightest = sorted(samples)[:10]
        return statistics.median(offset for _, offset in tightest), max(width for width, _ in tightest) / 2


def counter_offset(s, probe):
    with CounterClock(s.env, probe) as clock:
        return clock.offset()


class XKeys:
    """Key events straight into the X server through XTest, so the moment of each is known to
    a fraction of a millisecond; without the libraries, xdotool (its start-up is then counted)."""

    def __init__(self):
        self.display = None
        try:
            x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
            xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        except OSError:
            return
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XStringToKeysym.restype = ctypes.c_ulong
        x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.x11, self.xtst = x11, xtst
        self.display = x11.XOpenDisplay(None)

    @property
    def how(self):
        return "XTest" if self.display else "xdotool"

    def key(self, name, down):
        if not self.display:
            subprocess.run(["xdotool", "keydown" if down else "keyup", name], check=True, timeout=20)
            return
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        self.xtst.XTestFakeKeyEvent(self.display, code, 1 if down else 0, 0)
        self.x11.XFlush(self.display)

    def close(self):
        if self.display:
            self.x11.XCloseDisplay(self.display)
            self.display = None


class RecorderTail:
    """The recorder's log, read as it grows."""

    def __init__(self, path):
        self.path, self.position, self.partial = path, 0, ""

    def events(self):
        with open(self.path) as log:
            log.seek(self.position)
            text = self.partial + log.read()
            self.position = log.tell()
        lines = text.split("\n")
        self.partial = lines.pop()
        found = []
        for line in lines:
            parts = line.split()
            if len(parts) == 7 and parts[1] in ("dn", "up"):
                found.append((float(parts[0]), parts[1] == "dn", int(parts[2])))
        return found

    def wait_for(self, down, vk, timeout=5.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for ms, is_down, key in self.events():
                if is_down == down and key == vk:
                    return ms
            time.sleep(0.0005)
        raise TimeoutError(f"the recorder did not see {'dn' if down else 'up'}:{vk}")


# ---- the figures ------------------------------------------------------------------------------

def memory_line(when, figures, linux):
    return (f"memory {when}: private {figures['private'] / MIB:.1f} MiB, working set "
            f"{figures['working_set'] / MIB:.1f} MiB (Linux: resident {linux['rss_kib'] / 1024:.1f} MiB, "
            f"anonymous {linux['anon_kib'] / 1024:.1f} MiB); {figures['handles']} handles, {figures['gdi']} GDI "
            f"objects, {figures['user']} windows")


def wineserver_pid(env):
    """The Wine server of the prefix: the process working in its server folder."""
    prefix = os.stat(env["WINEPREFIX"])
    folder = f"server-{prefix.st_dev:x}-{prefix.st_ino:x}"
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            if (entry / "comm").read_text().startswith("wineserver") and os.readlink(entry / "cwd").endswith(folder):
                return int(entry.name)
        except OSError:
            continue
    return None


def cpu_ticks(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def idle(s, process, seconds, notes):
    """Processor time and wake-ups of the program (and of the Wine server) while nothing happens."""
    s.xdotool("mousemove", 1270, 1010)  # away from every window: no hover, no tooltip
    time.sleep(2)
    server = wineserver_pid(s.env)
    before, server_before = linux_process(process.pid), cpu_ticks(server) if server else None
    time.sleep(seconds)
    after, server_after = linux_process(process.pid), cpu_ticks(server) if server else None
    used = (after["cpu_ticks"] - before["cpu_ticks"]) * TICK_MS
    wakeups = after["switches"] - before["switches"]
    server_text = (f"; the Wine server (for all of the prefix's Wine processes: desktop, tray, services) "
                   f"{(server_after - server_before) * TICK_MS:.0f} ms" if server else "")
    print(f"idle processor time over {seconds:.0f} s, nine rows enabled, window shown: vantero.exe {used:.0f} ms "
          f"({used / (seconds * 10):.2f} % of a core), {wakeups} wake-ups of its threads{server_text}")
    if used > 0 or wakeups > seconds:
        notes.append(f"idle is not zero ({used:.0f} ms, {wakeups} wake-ups in {seconds:.0f} s): the program itself "
                     "has no timer and waits in GetMessage; what remains comes from Wine's own threads "
                     "or from X events reaching the window; finding it would take an strace of the wake-ups")


def latency(s, probe, triggers, notes):
    """From the X key event that completes the trigger to the recorder's first target key-down;
    the floor: from the X key event of a plain Z (no row's target) to the recorder's key-down of it."""
    offset, uncertainty = counter_offset(s, probe)
    keys = XKeys()
    tail = RecorderTail(s.log)
    results, floor = [], []
    try:
        for _ in range(triggers):
            tail.events()
            started = raw_ms()
            keys.key("z", True)
            seen = tail.wait_for(True, 0x5A)
            keys.key("z", False)
            tail.wait_for(False, 0x5A)
            floor.append(seen - offset - started)
            time.sleep(0.02)
        keys.key("Control_L", True)
        keys.key("Alt_L", True)
        for _ in range(triggers):
            tail.events()
            started = raw_ms()
            keys.key("1", True)
            first = tail.wait_for(True, TARGETS[0])
            keys.key("1", False)
            tail.wait_for(False, TARGETS[0])
            results.append(first - offset - started)
            time.sleep(0.02)
    finally:
        keys.key("Alt_L", False)
        keys.key("Control_L", False)
        how = keys.how
        keys.close()
    median = statistics.median(results)
    print(f"end-to-end trigger latency, X key event ({how}) to the recorder's first target key-down, "
          f"{len(results)} triggers: median {median:.1f} ms, "
          f"p99 {percentile(results, 0.99):.1f} ms, max {max(results):.1f} ms; floor (a plain key typed into the "
          f"recorder the same way, {len(floor)} keys): median {statistics.median(floor):.1f} ms, "
          f"p99 {percentile(floor, 0.99):.1f} ms; {floor_ratio(median, statistics.median(floor))} "
          f"(clocks matched to {uncertainty:.2f} ms: performance counter = CLOCK_MONOTONIC_RAW {offset:+.2f} ms)")
    return len(results)


def send_rounds(s, sends_wanted):
    """Ctrl+Alt held and the nine digits tapped in a shuffled order, round after round, until
    about sends_wanted sends are done; returns the sends seen."""
    order = random.Random(6)
    digits = [str(n) for n in range(1, 10)]
    mark = s.mark()
    while True:
        done = sum(1 for e in s.events_since(mark) if e.down and e.vk in TARGETS)
        if done >= sends_wanted:
            break
        order.shuffle(digits)
        s.xdotool("keydown", "ctrl+alt", "key", "--delay", "12", *digits, "sleep", "0.15", "keyup", "alt", "keyup",
                  "ctrl")
    wait_until("the last sends", lambda: sum(1 for e in s.events_since(mark) if not e.down and e.vk in TARGETS) ==
               sum(1 for e in s.events_since(mark) if e.down and e.vk in TARGETS), timeout=20)
    return sum(1 for e in s.events_since(mark) if e.down and e.vk in TARGETS)


def start_once(options, clock, exe, window_class):
    """Milliseconds from starting the program (with Wine's own process start) to a visible
    top-level window of its class, and what it holds a second later."""
    with Session(options, "bench-start") as s:
        wait_until(f"the last {window_class} window to go", lambda: not s.find_window(window_class), timeout=20)
        program = s.dir / Path(exe).name
        if not program.exists():
            shutil.copy(exe, program)
        offset, _ = clock.offset()
        waiter = subprocess.Popen(["wine", options.probe, "wait", window_class, "30"], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, env=s.env, text=True, start_new_session=True)
        s.processes.append(waiter)
        if waiter.stdout.readline().strip() != "ready":
            raise RuntimeError("the probe did not start")
        started = raw_ms()
        s.start(program)
        shown = waiter.stdout.readline().strip()
        if not shown:
            raise RuntimeError(f"no visible {window_class} window appeared")
        elapsed = float(shown) - offset - started
        time.sleep(1)
        return elapsed, resources(s, options.probe, window_class)


def startup(options, starts):
    """Start-up time and memory after start-up of vantero.exe and of the bare program, started in
    turn, a few seconds apart, in the same prefix with its Wine server kept running."""
    programs = {"bare program": (options.bare, BARE_CLASS), "vantero.exe": (options.exe, MAIN_CLASS)}
    runs = {name: [] for name in programs}
    with CounterClock(wine_environment(), options.probe) as clock:
        for _ in range(starts):
            for name, (exe, window_class) in programs.items():
                time.sleep(3)
                runs[name].append(start_once(options, clock, exe, window_class))

    def median(name, figure):
        return statistics.median(figure(run) for run in runs[name])

    def times(name):
        return (f"{name} median {median(name, lambda r: r[0]):.0f} ms "
                f"(range {min(r[0] for r in runs[name]):.0f} to {max(r[0] for r in runs[name]):.0f} ms)")

    print(f"start-up to a visible window (Wine's process start included, Wine server running), {starts} starts "
          f"each, alternating: {times('bare program')}, {times('vantero.exe')}: "
          f"{floor_ratio(median('vantero.exe', lambda r: r[0]), median('bare program', lambda r: r[0]))}")
    private = {name: median(name, lambda r: r[1]["private"]) for name in runs}
    working = {name: median(name, lambda r: r[1]["working_set"]) for name in runs}
    print(f"memory 1 s after start-up (no set.ini), median of {starts} starts each: private: bare program "
          f"{private['bare program'] / MIB:.1f} MiB, vantero.exe {private['vantero.exe'] / MIB:.1f} MiB: "
          f"{floor_ratio(private['vantero.exe'], private['bare program'])}; working set: bare program "
          f"{working['bare program'] / MIB:.1f} MiB, vantero.exe {working['vantero.exe'] / MIB:.1f} MiB: "
          f"{floor_ratio(working['vantero.exe'], working['bare program'])}")


def exe_size(exe, bare):
    data = Path(exe).read_bytes()
    floor = Path(bare).stat().st_size
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count, = struct.unpack_from("<H", data, pe + 6)
    optional, = struct.unpack_from("<H", data, pe + 20)
    sections = {}
    for i in range(count):
        name, _, _, raw = struct.unpack_from("<8sIII", data, pe + 24 + optional + 40 * i)
        sections[name.rstrip(b"\0").decode("ascii", "replace")] = raw
    code = sections.get(".text", 0)
    resources = sections.get(".rsrc", 0)
    debug = sum(size for name, size in sections.items() if name.startswith("/"))  # long names: .debug_*
    print(f"exe size: {len(data):,} bytes ({len(data) / MIB:.2f} MiB): code {code / 1024:.0f} KiB, "
          f"resources (skin pictures, icon) {resources / 1024:.0f} KiB, debug sections and symbols "
          f"{(debug + len(data) - sum(sections.values()) - 1024) / 1024:.0f} KiB; statically linked; "
          f"the bare program {floor:,} bytes ({floor / 1024:.0f} KiB): {floor_ratio(len(data), floor)}")


def measure(name, action, *args):
    try:
        return action(*args)
    except Exception as error:  # a figure that cannot be taken must not cost the others
        print(f"{name}: not measured ({type(error).__name__}: {error})")
        return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=str(ROOT / "build" / "win64"))
    parser.add_argument("--quick", action="store_true")
    args = parser.parse_args()
    build = Path(args.build).resolve()
    options = types.SimpleNamespace(exe=str(build / "app" / "vantero.exe"),
                                    helper=str(build / "tests" / "e2e" / "helper.exe"),
                                    probe=str(build / "bench" / "bench_probe.exe"),
                                    bare=str(build / "bench" / "bare_window.exe"), keep=False, cases=[])
    triggers, idle_seconds, sends, starts = (50, 10, 100, 2) if args.quick else (200, 30, 500, 7)

    measure("exe size", exe_size, options.exe, options.bare)
    tools = ("wine", "wineserver", "xdotool", "xdpyinfo")
    if not os.environ.get("DISPLAY") or any(shutil.which(t) is None for t in tools) or \
            subprocess.run(["xdpyinfo"], capture_output=True).returncode != 0:
        print(f"the running program: not measured (needs an X display and {', '.join(tools)})")
        return

    notes = []
    with Session(options, "bench") as s:
        s.ini.write_bytes(nine_row_ini())
        process = s.start_vantero()
        time.sleep(1)
        measure("memory after start-up", lambda: print(memory_line("after start-up", resources(s, options.probe),
                                                                    linux_process(process.pid))))
        for k in range(9):
            s.click_row(k, CHECK_LEFT, dx=10)
        wait_until("all nine rows to be ticked", lambda: all(r[3] for r in s.rows()), timeout=20)
        measure("idle processor time", idle, s, process, idle_seconds, notes)

        s.start_recorder()
        s.focus_recorder()
        done = measure("end-to-end trigger latency", latency, s, options.probe, triggers, notes) or 0
        done += measure("sends", send_rounds, s, sends - done) or 0
        measure(f"memory after {sends} sends", lambda: print(memory_line(f"after {done} sends",
                                                                          resources(s, options.probe),
                                                                          linux_process(process.pid))))
    measure("start-up time and memory", startup, options, starts)
    for note in notes:
        print(f"note: {note}")


if __name__ == "__main__":
    main()
