"""Drives the real vantero.exe under Wine from outside, for the end-to-end tests (and benchmarks).

Each test gets a folder of its own with a copy of the program (so set.ini belongs to the test),
starts Wine programs in it, clicks and types with xdotool on the X display, looks at the windows
with helper.exe and reads what the recorder window (helper.exe record) received. Everything it
started is ended when the test finishes, also on failure.
"""

import argparse
import contextlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from collections import namedtuple
from pathlib import Path

PROJECT_ROOT = Path(__file__).resolve().parents[2]
SKIP = 77  # ctest's SKIP_RETURN_CODE for these tests


def external_strings():
    """The strings the outside world sees, as the program's own headers have them."""
    text = "".join((PROJECT_ROOT / header).read_text() for header in ("common/external_strings.h", "app/product.h"))
    return dict(re.findall(r'\b(k\w+) = L?"([^"]*)";', text))


EXTERNAL = external_strings()
TRAY_ICON_CLASS = "__winex11_tray_icon"  # Wine's notification area, without a tray manager
MAIN_CLASS, MAIN_TITLE, PLACEHOLDER = EXTERNAL["kMainClass"], EXTERNAL["kMainCaption"], EXTERNAL["kHotkeyPlaceholder"]
PROGRAM_CLASSES = (MAIN_CLASS, EXTERNAL["kTrayClass"], "VanteroRecorder")
# The main window's layout in client pixels (twips / 15), as app/layout.h has it.
CHECK_LEFT, HOTKEY_LEFT, TARGET_LEFT, REMARK_LEFT = 640, 249, 389, 516
ROW_TOPS = [t // 15 for t in (2310, 2925, 3540, 4155, 4740, 5370, 5985, 6585, 7185)]
VK_MASK = 0xE8  # the key a send taps so that no lone Alt or Win counts; meaningless to windows


Window = namedtuple("Window", "visible rect cls title")
KeyEvent = namedtuple("KeyEvent", "down vk mods")  # mods: at a key-down, the modifiers read as down


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def wait_until(what, probe, timeout=10.0, interval=0.15):
    """Calls probe until it returns something true and returns that; fails after timeout."""
    deadline = time.monotonic() + timeout
    while not (value := probe()):
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)
    return value


def seen(events):
    """What the window saw: "dn:65{c} up:65"."""
    return " ".join(f"dn:{e.vk}{{{e.mods}}}" if e.down else f"up:{e.vk}" for e in events)


def wine_environment():
    env = dict(os.environ)
    env.setdefault("WINEPREFIX", str(PROJECT_ROOT / "build" / "wineprefix"))
    env.update(WINEARCH="win64", WINEDEBUG="-all", LANG="zh_CN.UTF-8")
    for name in ("LC_ALL", "LC_CTYPE", "LANGUAGE"):
        env.pop(name, None)
    # No browser: the program's pages would open through winebrowser.
    env["WINEDLLOVERRIDES"] = env.get("WINEDLLOVERRIDES", "mscoree,mshtml=") + ";winebrowser.exe=d"
    return env


class Session:
    """One test's programs and folder; use it as a context manager."""

    def __init__(self, options, name):
        self.options, self.env, self.processes = options, wine_environment(), []
        self.dir = Path(tempfile.mkdtemp(prefix=f"vantero-e2e-{name}-"))
        self.exe, self.ini, self.log = self.dir / "vantero.exe", self.dir / "set.ini", self.dir / "keys.log"
        shutil.copy(options.exe, self.exe)

    def __enter__(self):
        if any(w.cls in PROGRAM_CLASSES for w in self.windows()):  # left from an interrupted run
            subprocess.run(["wineserver", "-k"], env=self.env, timeout=30)
        return self

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            with contextlib.suppress(ProcessLookupError, PermissionError):
                os.killpg(process.pid, signal.SIGKILL)  # the group: what the program started too
            process.wait(timeout=10)
        with contextlib.suppress(AssertionError):
            wait_until("the test's windows to go",
                       lambda: not any(w.cls in PROGRAM_CLASSES for w in self.windows()), timeout=10)
        if not self.options.keep:
            shutil.rmtree(self.dir, ignore_errors=True)

    def start(self, exe, *args):
        process = subprocess.Popen(["wine", str(exe), *map(str, args)], cwd=self.dir, env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(process)
        return process

    def start_vantero(self):
        process = self.start(self.exe)
        wait_until("the main window", lambda: self.find_window(MAIN_CLASS, MAIN_TITLE, visible=True), 30)
        return process

    def start_recorder(self):
        self.start(self.options.helper, "record", self.log.name)
        return wait_until("the recorder window", lambda: self.find_window("VanteroRecorder"))

    def helper(self, *args):
        """helper.exe's lines; through a file, as a Wine process this starts may keep a pipe open."""
        with tempfile.TemporaryFile() as out:
            result = subprocess.run(["wine", str(self.options.helper), *map(str, args)], env=self.env,
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL, timeout=60)
            out.seek(0)
            lines = out.read().decode("utf-8", "replace").replace("\r", "").splitlines()
            return lines if result.returncode == 0 else None

    def windows(self, parent_class=None):
        """The top-level windows of other processes, or the windows inside the first of that class
        (title: their check state and text); rect: left, top, right, bottom."""
        return [Window(p[0] == "1", tuple(map(int, p[1].split(","))), p[2], "\t".join(p[3:]))
                for p in (line.split("\t") for line in self.helper("windows", *filter(None, [parent_class])) or [])]

    def find_window(self, cls, title=None, visible=None):
        return next((w for w in self.windows() if w.cls == cls and title in (None, w.title)
                     and visible in (None, w.visible)), None)

    def rows(self):
        """Each row's hotkey text, target text, remark and whether it is ticked, by where its
        controls sit in the main window."""
        main = self.find_window(MAIN_CLASS, MAIN_TITLE)
        check(main is not None, "the main window is not there to read its rows")
        rows, columns = [["", "", "", False] for _ in ROW_TOPS], (HOTKEY_LEFT, TARGET_LEFT, REMARK_LEFT, CHECK_LEFT)
        for w in self.windows(MAIN_CLASS):
            left, top = w.rect[0] - main.rect[0], w.rect[1] - main.rect[1]
            k = min(range(len(ROW_TOPS)), key=lambda i: abs(ROW_TOPS[i] - top))
            column = min(range(4), key=lambda i: abs(columns[i] - left))
            if abs(ROW_TOPS[k] - top) <= 12 and w.cls.lower() in ("edit", "vanteroremark", "button"):
                checked, text = w.title.split("\t", 1)
                rows[k][column] = checked == "1" if column == 3 else text
        return rows

    def keys_down(self):
        return (self.helper("keystate") or [""])[0].split()

    def run_to_end(self, exe):
        """Runs a program until it ends: its exit code and the classes of the windows that any program
        created meanwhile."""
        lines = self.helper("run", "Z:" + str(exe).replace("/", "\\"))
        check(lines, f"{exe} could not be run to its end")
        return int(lines[0]), lines[1:]

    def tray_icon(self):
        """Wine's own notification area, shown when no tray manager runs: the icon's centre."""
        for w in self.windows("__winex11_standalone_tray"):
            if w.cls == TRAY_ICON_CLASS and w.visible:
                return (w.rect[0] + w.rect[2]) // 2, (w.rect[1] + w.rect[3]) // 2
        return None

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=20)

    def tooltip_at(self, x, y):
        """The tooltip shown while the pointer rests there."""
        self.xdotool("mousemove", x + 3, y + 3)
        time.sleep(0.15)
        self.xdotool("mousemove", x, y)
        return wait_until("a tooltip", lambda: self.find_window("tooltips_class32", visible=True)).title

    def click_at(self, x, y, button=1):
        self.xdotool("mousemove", x, y)  # Wine needs the pointer there before the button goes down
        time.sleep(0.15)
        self.xdotool("click", button)

    def click_row(self, k, column_left, dx=30):
        main = self.find_window(MAIN_CLASS, MAIN_TITLE, visible=True)
        check(main is not None, "the main window is not visible for a click")
        self.click_at(main.rect[0] + column_left + dx, main.rect[1] + ROW_TOPS[k] + 10)

    def focus_recorder(self):
        """A click on the recorder: Wine follows its own activation, which a click changes."""
        rect = self.find_window("VanteroRecorder").rect
        self.click_at((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2 + 20)
        wait_until("the recorder to have the focus",
                   lambda: [p[2] for p in self.log_lines() if len(p) == 3 and p[1] == "focus"][-1:] == ["1"], timeout=5)

    def log_lines(self):
        return [line.split() for line in (self.log.read_text().splitlines() if self.log.exists() else [])]

    def key_events(self):
        return [KeyEvent(p[1] == "dn", int(p[2]), p[6].strip("-")) for p in self.log_lines()
                if len(p) == 7 and p[1] in ("dn", "up") and int(p[2]) != VK_MASK]

    def hooked_keys_down(self, log):
        """The keys a hook's log ("dn|up <vk>" lines, helper.exe hook) leaves down."""
        down = set()
        for parts in (line.split() for line in log.read_text().splitlines()):
            (down.add if parts[0] == "dn" else down.discard)(int(parts[1]))
        return sorted(down)

    def menus(self):
        return sum(1 for p in self.log_lines() if len(p) > 1 and p[1] == "menu")

    def mark(self):
        return len(self.key_events())

    def events_since(self, mark):
        return self.key_events()[mark:]


def run_cases(cases):
    """Runs the cases (functions taking the options) and exits with the outcome."""
    parser = argparse.ArgumentParser()
    for name in ("exe", "helper"):
        parser.add_argument(f"--{name}", required=True, type=lambda path: str(Path(path).resolve()))
    parser.add_argument("--keep", action="store_true", help="keep the test folders")
    options = parser.parse_args()
    if not os.environ.get("DISPLAY") or not shutil.which("xdotool") or \
            subprocess.run(["xdpyinfo"], capture_output=True).returncode != 0:
        print("needs an X display, xdotool and Wine: nothing to drive")
        sys.exit(SKIP)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    failed = 0
    for case in cases:
        started = time.monotonic()
        try:
            case(options)
            outcome = "PASS"
        except Exception:
            failed, outcome = failed + 1, "FAIL"
            traceback.print_exc()
        print(f"{outcome} {case.__name__} ({time.monotonic() - started:.1f} s)", flush=True)
    sys.exit(1 if failed else 0)
