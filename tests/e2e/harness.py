"""Drives the real vantero.exe under Wine from outside, for the end-to-end tests.

Each test gets a folder of its own with a copy of the program (so set.ini belongs to the test),
starts Wine programs in it, clicks and types with xdotool on the X display, looks at the
program's windows with probe.exe and reads what a recorder window received. Everything it
started is ended when the test finishes, also on failure or when ctest stops it.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from dataclasses import dataclass
from pathlib import Path

T0 = time.monotonic()
# VANTERO_E2E_VERBOSE=1 prints every probe and xdotool call with its time.
VERBOSE = bool(os.environ.get("VANTERO_E2E_VERBOSE"))
SKIP = 77  # ctest's SKIP_RETURN_CODE for these tests

PROJECT_ROOT = Path(__file__).resolve().parents[2]
MAIN_TITLE = "设置"
PLACEHOLDER = "按下快捷键"

# Layout of the main window in client pixels (twips / 15), as the program draws it.
CHECK_LEFT = 9600 // 15
CHECK_TOPS = [t // 15 for t in (2250, 2865, 3510, 4065, 4695, 5340, 5970, 6555, 7155)]
HOTKEY_LEFT = 3735 // 15
HOTKEY_TOPS = [t // 15 for t in (2325, 2925, 3555, 4155, 4755, 5370, 5970, 6570, 7200)]
TARGET_LEFT, TARGET_TOPS = 5835 // 15, [t // 15 for t in (2310, 2925, 3540, 4155, 4740, 5370, 5985, 6585, 7185)]
REMARK_LEFT, REMARK_TOPS = 7740 // 15, [t // 15 for t in (2310, 2910, 3555, 4125, 4770, 5325, 5955, 6600, 7200)]
# The editor's controls, in its client pixels.
EDIT_LOVEA = (49 + 60, 105 + 12)
EDIT_LOVEK = (198 + 60, 106 + 12)
EDIT_SAVE_KEYS = (54 + 200, 199 + 18)
EDIT_REMARK_BOX = (44 + 120 + 90, 68 + 46 + 13)
EDIT_SAVE_REMARK = (44 + 115 + 97, 68 + 88 + 16)
HIDE_BUTTON = (770, 39)  # inside the hide picture at 759..782, 28..51
EXIT_AREA = (790, 38)  # inside the exit area at 779..805, 27..50, right of the hide picture

# Virtual-key codes the tests talk about.
VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN = 16, 17, 18, 91
# The key the program taps so that lifting Alt or Win opens no menu; it means nothing to a window.
VK_MASK = 0xE8


class TestFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def wait_until(what, probe, timeout=10.0, interval=0.15):
    """Calls probe until it returns something true and returns that; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def wait_for_exit(process, what, timeout):
    """The exit code of a process that must end within timeout seconds."""
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        raise TestFailure(f"{what} did not end within {timeout} s") from None


@dataclass
class Window:
    hwnd: str
    pid: int
    visible: bool
    topmost: bool
    rect: tuple  # left, top, right, bottom in screen pixels
    cls: str
    title: str


@dataclass
class Row:
    hotkey: str
    target: str
    remark: str
    checked: bool


@dataclass
class KeyEvent:
    ms: float  # when the recorder got it
    down: bool
    vk: int
    posted: int  # the message's time stamp: when the key event entered the system
    scan: int = 0
    extended: bool = False
    mods: str = ""  # at a key-down: the modifiers the window read as down, letters s c a w

    def __str__(self):
        return f"{'dn' if self.down else 'up'}:{self.vk}"

    def seen(self):
        """As the window saw it: "dn:65{c}" (with the modifiers it read), "up:65"."""
        return f"dn:{self.vk}{{{self.mods}}}" if self.down else f"up:{self.vk}"


def editor(s):
    return s.find_window("VanteroEdit", "编辑", visible=True)


def click_editor(s, at):
    window = wait_until("the editor", lambda: editor(s))
    s.click_at(window.rect[0] + at[0], window.rect[1] + at[1])


def trace(events):
    return " ".join(str(e) for e in events)


def seen(events, vks=None):
    """What the window saw of these keys (all but the mask key when vks is None)."""
    return " ".join(e.seen() for e in events if vks is None or e.vk in vks)


def lone_taps(events):
    """Alt and Win key-ups with no other key pressed since that key went down: Windows takes a
    lone Alt tap to the menu bar and a lone Win tap to the Start menu. Give it the events with the
    mask key."""
    taps, last_down = [], {}
    for i, e in enumerate(events):
        if e.vk in (VK_MENU, VK_LWIN):
            if e.down:
                last_down.setdefault(e.vk, i)
            elif e.vk in last_down and not any(o.down and o.vk != e.vk for o in events[last_down.pop(e.vk) + 1:i]):
                taps.append(i)
    return taps


def encode_ini(sections):
    """set.ini as the program's earlier versions wrote it on Chinese systems: GBK, CRLF."""
    lines = []
    for section, values in sections.items():
        lines.append(f"[{section}]")
        lines.extend(f"{key}={value}" for key, value in values.items())
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


def decode_ini(data):
    sections, current = {}, None
    for line in data.decode("gbk").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key.strip()] = value.strip()
    return sections


def trigger_entries(n, text, key_code, mod_code):
    """The three KeyLatch keys of row n."""
    return {
        f"KeyLatch{n}Text": text,
        f"KeyLatch{n}KeyCode": str(key_code),
        f"KeyLatch{n}ModKeyCode": str(mod_code),
    }


# Nine rows with the triggers Ctrl+Alt+1 .. Ctrl+Alt+9; row k types the letter A + k.
NINE_ROW_TARGETS = [0x41 + k for k in range(9)]


def nine_row_settings():
    triggers = {}
    for n in range(1, 10):
        triggers.update(trigger_entries(n, f"Ctrl + Alt + {n}", ord(str(n)), 3))
    return {"KeyLatch": triggers,
            "conftext": {str(k): chr(vk) for k, vk in enumerate(NINE_ROW_TARGETS)},
            "conftooltip": {str(k): f"1|{vk}" for k, vk in enumerate(NINE_ROW_TARGETS)}}


def wine_environment():
    env = dict(os.environ)
    env.setdefault("WINEPREFIX", str(PROJECT_ROOT / "build" / "wineprefix"))
    env.setdefault("WINEARCH", "win64")
    env.setdefault("WINEDEBUG", "-all")
    env["LANG"] = "zh_CN.UTF-8"
    for name in ("LC_ALL", "LC_CTYPE", "LANGUAGE"):
        env.pop(name, None)
    # No browser during the tests: the program's pages open through winebrowser, which is
    # switched off here, so the program's calls simply fail as they may.
    overrides = env.get("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d")
    env["WINEDLLOVERRIDES"] = overrides + ";winebrowser.exe=d"
    return env


class Session:
    """One test's programs, folder and display helpers; use it as a context manager."""

    def __init__(self, options, name, folder_suffix=""):
        """folder_suffix: the end of the test folder's name (a name the code page cannot hold)."""
        self.options = options
        self.name = name
        self.env = wine_environment()
        self.dir = Path(tempfile.mkdtemp(prefix=f"vantero-e2e-{name}-", suffix=folder_suffix))
        self.exe = self.dir / "vantero.exe"
        shutil.copy(options.exe, self.exe)
        self.ini = self.dir / "set.ini"
        self.processes = []
        self.recorder_log = None
        self.recorder_window = None

    # ---- lifetime -----------------------------------------------------------------------

    def __enter__(self):
        _sessions.append(self)
        # The first Wine program of a run starts the Wine desktop; let that be the probe, so
        # the programs the test ends later have no system process in their groups.
        self.probe("windows")
        leftovers = [w for w in self.windows() if w.cls in ("VanteroMain", "VanteroTray", "VanteroRecorder")]
        if leftovers:
            # A copy left from an earlier, interrupted run would spoil every check here.
            subprocess.run(["wineserver", "-k"], env=self.env, timeout=30)
            subprocess.run(["wineserver", "-w"], env=self.env, timeout=30)
            self.probe("windows")
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        for process in reversed(self.processes):
            # The whole group, also when the program itself has ended: what it started may not.
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass
        for process in self.processes:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        self.processes.clear()
        # Wine takes a moment to drop the windows of a killed program.
        try:
            wait_until("the test's windows to go",
                       lambda: not any(w.cls in ("VanteroMain", "VanteroTray", "VanteroRecorder")
                                       for w in self.windows()), timeout=10)
        except (TestFailure, subprocess.SubprocessError):
            pass
        if not self.options.keep:
            shutil.rmtree(self.dir, ignore_errors=True)
        if self in _sessions:
            _sessions.remove(self)

    def start(self, exe, *args):
        # A process group of its own: ending it also ends whatever the program started.
        process = subprocess.Popen(["wine", str(exe), *map(str, args)], cwd=self.dir, env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(process)
        return process

    def start_vantero(self):
        """Starts the program and waits for its visible main window."""
        process = self.start(self.exe)
        self.wait_main_window(visible=True)
        return process

    def start_recorder(self, hook=False):
        """hook: the recorder also logs every key event of the system (hook_events), wherever
        the focus is."""
        self.recorder_log = self.dir / "keys.log"
        # The log's name relative to the test folder.
        self.start(self.options.recorder, self.recorder_log.name, *(["--hook"] if hook else []))
        self.recorder_window = wait_until("the recorder window", lambda: self.find_window("VanteroRecorder"))
        return self.recorder_window

    # ---- looking at windows ---------------------------------------------------------------

    def probe(self, *args, timeout=60):
        # Output through a file, not a pipe: a Wine system process that this call happens to
        # start (the desktop, a service) would keep a pipe open long after the probe has ended.
        started = time.monotonic()
        with tempfile.TemporaryFile() as out:
            result = subprocess.run(["wine", str(self.options.probe), *map(str, args)], env=self.env,
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                                    timeout=timeout)
            out.seek(0)
            if VERBOSE:
                print(f"  {time.monotonic() - T0:6.2f} probe {' '.join(map(str, args))}: {result.returncode} "
                      f"in {time.monotonic() - started:.2f} s", flush=True)
            return result.returncode, out.read().decode("utf-8", "replace").replace("\r", "")

    def windows(self):
        _, out = self.probe("windows")
        found = []
        for line in out.splitlines():
            parts = line.split("\t")
            if len(parts) < 7:
                continue
            rect = tuple(int(v) for v in parts[4].split(","))
            found.append(Window(parts[0], int(parts[1]), parts[2] == "1", parts[3] == "1", rect, parts[5],
                                "\t".join(parts[6:])))
        return found

    def find_window(self, cls, title=None, visible=None):
        for w in self.windows():
            if w.cls == cls and (title is None or w.title == title) and (visible is None or w.visible == visible):
                return w
        return None

    def main_window(self):
        return self.find_window("VanteroMain", MAIN_TITLE)

    def wait_main_window(self, visible, timeout=30):
        state = "visible" if visible else "hidden"
        return wait_until(f"the main window to be {state}",
                          lambda: self.find_window("VanteroMain", MAIN_TITLE, visible=visible), timeout)

    def rows(self):
        code, out = self.probe("rows")
        check(code == 0, "the main window is not there to read its rows")
        rows = []
        for line in out.splitlines():
            parts = line.split("\t")
            if len(parts) == 5:
                rows.append(Row(parts[1], parts[2], parts[3], parts[4] == "1"))
        check(len(rows) == 9, f"expected nine rows, read {len(rows)}")
        return rows

    def message_box(self, timeout=10, caption="error", press=1):
        """Waits for the program's message box with that caption, presses the button (IDOK 1,
        IDCANCEL 2, IDRETRY 4, IDYES 6, IDNO 7) and returns its text."""
        def read():
            code, out = self.probe("messagebox", "--caption", caption, "--press", press)
            return out.strip() if code == 0 else None
        text = wait_until(f"a message box \"{caption}\"", read, timeout)
        wait_until("the message box to close", lambda: self.probe("messagebox", "--caption", caption)[0] != 0)
        return text

    def lock_file(self, path, seconds):
        """Another program holds the file open with no sharing for that long (from now)."""
        held = Path(str(path) + ".held")
        self.start(self.options.probe, "lock", path.name, seconds)
        wait_until("the file to be held", held.exists, timeout=10, interval=0.05)

    def keys_down(self):
        _, out = self.probe("keystate")
        return {int(v) for v in out.split()}

    def tray_icons(self):
        """Icons in Wine's own notification area (the one it shows when no tray manager runs),
        or None when that area is not in use on this display."""
        if not self.find_window("__winex11_standalone_tray"):
            return None
        code, out = self.probe("tree", "__winex11_standalone_tray")
        icons = []
        for line in out.splitlines():
            parts = line.split("\t")
            if len(parts) >= 5 and parts[4] == "__winex11_tray_icon" and parts[1] == "1":
                icons.append(tuple(int(v) for v in parts[3].split(",")))
        return icons

    def click_tray_icon(self, button):
        """Clicks the program's notification icon; where Wine shows no icon area of its own,
        the icon's message is posted to the tray window as the shell would."""
        icons = self.tray_icons()
        if icons:
            left, top, right, bottom = icons[0]
            self.click_at((left + right) // 2, (top + bottom) // 2, button)
        else:
            self.probe("tray", "0x202" if button == 1 else "0x205")

    def exit_from_tray_menu(self):
        """Right click on the icon, then a click on "退出", the last of the menu's three items."""
        self.click_tray_icon(3)
        left, top, right, bottom = wait_until("the popup menu", self.popup_menu, timeout=10)
        self.click_at(left + (right - left) // 3, bottom - (bottom - top) // 6)

    def popup_menu(self):
        code, out = self.probe("menu")
        return tuple(int(v) for v in out.split()) if code == 0 else None

    def tooltip(self):
        code, out = self.probe("tooltip")
        return out.strip() if code == 0 else None

    def resources(self, cls="VanteroMain"):
        """What the process owning that window holds: handles, gdi, user (object counts), private,
        working_set (bytes), and counted: the figures Wine would not give and the probe counted."""
        code, out = self.probe("resources", cls)
        check(code == 0, f"no process with a {cls} window to look at")
        figures = dict(item.split("=", 1) for item in out.split())
        return {key: (value if key == "counted" else int(value)) for key, value in figures.items()}

    def responds(self):
        """Whether the program's main and tray windows both answer a message."""
        return all(self.probe("ping", cls)[0] == 0 for cls in ("VanteroMain", "VanteroTray"))

    # ---- X input ----------------------------------------------------------------------------

    def xdotool(self, *args):
        if VERBOSE:
            print(f"  {time.monotonic() - T0:6.2f} xdotool {' '.join(map(str, args))}", flush=True)
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=20)

    def click_at(self, x, y, button=1):
        # Wine needs the pointer to arrive before the button goes down. (No --sync: it waits
        # for ever when the pointer is already there.)
        self.xdotool("mousemove", x, y)
        time.sleep(0.15)
        self.xdotool("click", button)

    def click_client(self, x, y, button=1):
        """Clicks at a point of the main window's client area (it has no frame)."""
        main = self.main_window()
        check(main is not None and main.visible, "the main window is not visible for a click")
        self.click_at(main.rect[0] + x, main.rect[1] + y, button)

    def click_check(self, k):
        self.click_client(CHECK_LEFT + 10, CHECK_TOPS[k] + 12)

    def click_hotkey_box(self, k):
        self.click_client(HOTKEY_LEFT + 30, HOTKEY_TOPS[k] + 10)

    def set_check(self, k, checked):
        """Clicks row k's box and waits until it shows the wanted state."""
        self.click_check(k)
        wait_until(f"row {k + 1}'s box to be {'checked' if checked else 'unchecked'}",
                   lambda: self.rows()[k].checked == checked)

    def focus_recorder(self):
        """Gives the recorder the keyboard: a click on it, as a user would (under Xvfb there is
        no window manager, and Wine follows its own activation, which a click changes)."""
        rect = self.recorder_window.rect
        self.click_at((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2 + 20)

        def focused():
            code, out = self.probe("foreground")
            return code == 0 and out.startswith("VanteroRecorder")
        wait_until("the recorder to have the focus", focused, timeout=5)

    def press(self, *keys, hold=0.05):
        """Presses a combination: all keys down in order, then up in reverse order."""
        self.xdotool("keydown", "+".join(keys))
        time.sleep(hold)
        for key in reversed(keys):
            self.xdotool("keyup", key)

    # ---- the recorder's log -----------------------------------------------------------------

    def log_lines(self):
        if not self.recorder_log or not self.recorder_log.exists():
            return []
        return [line.split() for line in self.recorder_log.read_text().splitlines()]

    def key_events(self, with_mask=False):
        """The key messages the recorder window received, without the mask key's unless asked."""
        events = []
        for parts in self.log_lines():
            if len(parts) == 7 and parts[1] in ("dn", "up") and (with_mask or int(parts[2]) != VK_MASK):
                mods = "" if parts[6] == "-" else parts[6]
                events.append(KeyEvent(float(parts[0]), parts[1] == "dn", int(parts[2]), int(parts[3]),
                                       int(parts[4]), parts[5] == "1", mods))
        return events

    def menus(self):
        """How often the recorder's default procedure would have entered menu mode."""
        return sum(1 for parts in self.log_lines() if len(parts) == 3 and parts[1] == "menu")

    def mark(self):
        return len(self.key_events())

    def hook_events(self, injected=True):
        """Key events the recorder's hook saw (synthetic ones only, unless injected is None), in
        the recorder's clock; posted is not known there and is 0."""
        events = []
        for parts in self.log_lines():
            if len(parts) == 7 and parts[1] == "hook" and (injected is None or (parts[4] == "1") == injected):
                events.append(KeyEvent(float(parts[0]), parts[2] == "dn", int(parts[3]), 0, int(parts[5]),
                                       parts[6] == "1"))
        return events

    def events_since(self, mark):
        return self.key_events()[mark:]

    # ---- set.ini -----------------------------------------------------------------------------

    def write_ini(self, sections):
        self.ini.write_bytes(encode_ini(sections))

    def read_ini(self):
        return decode_ini(self.ini.read_bytes()) if self.ini.exists() else {}


def linux_process(pid):
    """The Linux view of a Wine process: resident and anonymous memory in KiB, open descriptors,
    processor time in clock ticks (user + system, all threads) and context switches."""
    status = {}
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        key, _, value = line.partition(":")
        status[key] = value.split()
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    switches = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        for line in (task / "status").read_text().splitlines():
            if "ctxt_switches:" in line:
                switches += int(line.split()[1])
    return {
        "rss_kib": int(status["VmRSS"][0]),
        "anon_kib": int(status.get("RssAnon", ["0"])[0]),
        "fds": len(os.listdir(f"/proc/{pid}/fd")),
        "threads": int(status["Threads"][0]),
        "cpu_ticks": int(fields[11]) + int(fields[12]),  # utime and stime of all its threads
        "switches": switches,
    }


_sessions = []


def _end_all(*_):
    for session in list(_sessions):
        session.close()
    sys.exit(1)


def parse_options():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--recorder", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the test folders")
    parser.add_argument("cases", nargs="*", help="run only these cases")
    options = parser.parse_args()
    for name in ("exe", "recorder", "probe"):
        setattr(options, name, str(Path(getattr(options, name)).resolve()))
    return options


def run_cases(cases):
    """Runs the named cases (functions taking the options) and exits with the outcome."""
    options = parse_options()
    tools = ("wine", "wineserver", "xdotool", "xdpyinfo")
    if not os.environ.get("DISPLAY") or any(shutil.which(t) is None for t in tools):
        print(f"needs an X display and {', '.join(tools)}: nothing to drive")
        sys.exit(SKIP)
    if subprocess.run(["xdpyinfo"], capture_output=True).returncode != 0:
        print(f"display {os.environ['DISPLAY']} does not answer")
        sys.exit(SKIP)
    signal.signal(signal.SIGTERM, _end_all)
    signal.signal(signal.SIGINT, _end_all)
    failed = 0
    for case in cases:
        if options.cases and case.__name__ not in options.cases:
            continue
        started = time.monotonic()
        try:
            case(options)
            print(f"PASS {case.__name__} ({time.monotonic() - started:.1f} s)", flush=True)
        except Exception:
            failed += 1
            print(f"FAIL {case.__name__} ({time.monotonic() - started:.1f} s)", flush=True)
            traceback.print_exc()
            sys.stdout.flush()
    sys.exit(1 if failed else 0)
