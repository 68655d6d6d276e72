#!/usr/bin/env python3
"""A new user's whole first session, with real X input only: capture a trigger, pick the target
keys and type a remark in the editor, tick the row (its trigger pressed in another row's box
captures nothing of what it types), use it in another window; a second copy ends at once and shows
nothing; the icon's tooltip reads whole; exit through the tray menu, start again a second later, and
everything is still there, the row started again with no click. What the focused window receives of
the held chord is checked key by key."""

import os
import signal
import subprocess
import time

from harness import (CHECK_LEFT, EXTERNAL, HOTKEY_LEFT, PLACEHOLDER, PROGRAM_CLASSES, REMARK_LEFT,
                     TARGET_LEFT, TRAY_ICON_CLASS, Session, check, run_cases, seen, wait_until)

EDITOR_FIRST_LIST, EDITOR_SECOND_LIST, EDITOR_SAVE_KEYS = (109, 117), (258, 118), (254, 217)
EDITOR_REMARK_BOX, EDITOR_SAVE_REMARK = (254, 127), (256, 172)
REMARK = "复制"


def click_editor(s, at):
    rect = wait_until("the editor", lambda: s.find_window("VanteroEdit", visible=True)).rect
    s.click_at(rect[0] + at[0], rect[1] + at[1])


def pick(s, list_at, first_letter):
    """Drops a list with a click, types the name's first letter and takes it with Enter."""
    click_editor(s, list_at)
    time.sleep(0.3)
    s.xdotool("key", first_letter, "key", "Return")
    time.sleep(0.3)


def paste_remark(s, text):
    """Without an input method on the test display, Chinese text comes as a user may enter it:
    copied to the clipboard (xclip serves it until killed) and pasted with Ctrl+V."""
    owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"], stdin=subprocess.PIPE,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    s.processes.append(owner)
    owner.stdin.write(text.encode("utf-8"))
    owner.stdin.close()
    time.sleep(0.3)
    click_editor(s, EDITOR_REMARK_BOX)
    s.xdotool("key", "ctrl+v")
    time.sleep(0.3)


def use_trigger(s, hold):
    """Ctrl+Alt+5 down together for hold seconds: what the window received, but the mask key. No
    menu mode and nothing left down."""
    s.focus_recorder()
    mark = s.mark()
    s.xdotool("keydown", "ctrl+alt+5", "sleep", hold, "keyup", "5", "keyup", "alt", "keyup", "ctrl")
    time.sleep(0.6)
    events = s.events_since(mark)
    check(s.menus() == 0, f"the window went into menu mode: {seen(events)}")
    check(not s.keys_down(), f"keys left down: {s.keys_down()}")
    return events


def exit_through_tray(s):
    """Out through the tray menu's last item, "退出"."""
    s.click_at(*wait_until("the tray icon", s.tray_icon), button=3)
    left, top, right, bottom = wait_until("the popup menu", lambda: s.find_window("#32768", visible=True)).rect
    s.click_at(left + (right - left) // 3, bottom - (bottom - top) // 6)


def journey(options):
    with Session(options, "journey") as s:
        first = s.start_vantero()
        s.start_recorder()
        check(all(r == [PLACEHOLDER, "", "", False] for r in s.rows()), f"a first start: {s.rows()}")
        s.click_row(0, HOTKEY_LEFT)
        s.xdotool("keydown", "ctrl+alt+5", "keyup", "5", "keyup", "alt", "keyup", "ctrl")
        wait_until("row 1's trigger", lambda: s.rows()[0][0] == "Ctrl + Alt + 5")

        s.click_row(0, TARGET_LEFT)
        pick(s, EDITOR_FIRST_LIST, "c")  # the first name with a C is "Ctrl"
        pick(s, EDITOR_SECOND_LIST, "a")
        click_editor(s, EDITOR_SAVE_KEYS)
        wait_until("row 1's target", lambda: s.rows()[0][1] == "Ctrl + A")
        s.click_row(0, REMARK_LEFT, dx=40)
        paste_remark(s, REMARK)
        click_editor(s, EDITOR_SAVE_REMARK)
        wait_until("row 1's remark", lambda: s.rows()[0][2] == REMARK)

        s.click_row(0, CHECK_LEFT, dx=10)
        wait_until("row 1 to be ticked", lambda: s.rows()[0][3])
        # Row 1's trigger tapped in row 2's box: the keys row 1 types there are no capture, and a
        # hook installed after the program's sees each key it pressed go up again.
        hook_log = s.dir / "hook.log"
        s.start(options.helper, "hook", hook_log.name)
        wait_until("the later hook", hook_log.exists)
        s.click_row(1, HOTKEY_LEFT)
        s.xdotool("keydown", "ctrl+alt+5", "keyup", "5", "keyup", "alt", "keyup", "ctrl")
        time.sleep(1.0)
        check(s.rows()[1][0] == PLACEHOLDER, f"row 2's box captured row 1's typing: {s.rows()[1]}")
        check(not s.hooked_keys_down(hook_log), f"a later hook saw left down: {s.hooked_keys_down(hook_log)}")
        # Alt is lifted for A and down again while the user holds it; the user's Ctrl serves.
        events = use_trigger(s, 0.5)
        check(seen(events) == "dn:17{c} dn:18{ca} up:18 dn:65{c} up:65 dn:18{ca} up:53 up:18 up:17",
              f"Ctrl+Alt+5 held: the window received {seen(events)}")

        # One copy at a time: a second one ends at once and shows nothing, not even for a moment.
        code, created = s.run_to_end(s.exe)
        check(code == 0, f"the second copy ended with {code}")
        check(not {TRAY_ICON_CLASS, *PROGRAM_CLASSES} & set(created), f"the second copy created {created}")

        # The icon's tooltip reaches the shell whole, Chinese included.
        icon = wait_until("the tray icon", s.tray_icon)
        tip = s.tooltip_at(*icon)
        check(tip == EXTERNAL["kTrayTip"], f"the icon's tooltip: {tip}")

        # Out through the tray menu; a start one second later starts.
        exit_through_tray(s)
        time.sleep(1.0)
        s.start_vantero()
        check(first.wait(timeout=20) == 0, "the first copy ended badly")
        # Left started, row 1 starts again with no click.
        check(s.rows()[0] == ["Ctrl + Alt + 5", "Ctrl + A", REMARK, True], f"after a restart: {s.rows()[0]}")
        # Held 2 s, the keyboard repeats the trigger: each repeat sends again, none is typed.
        downs = seen(e for e in use_trigger(s, 2.0) if e.down and e.vk in (53, 65)).split()
        check(len(downs) >= 4 and set(downs) == {"dn:65{c}"}, f"Ctrl+Alt+5 held 2 s: {downs}")


def dismiss(s, box):
    """A message box answered with Enter, once Wine's focus has followed a click on it."""
    s.click_at((box.rect[0] + box.rect[2]) // 2, (box.rect[1] + box.rect[3]) // 2)
    wait_until("the message in front", lambda: s.helper("foreground") == ["#32770"])
    s.xdotool("key", "Return")
    wait_until("the message to go", lambda: not s.find_window("#32770", box.title))


def refused_then_free(options):
    """Another program holds row 1's trigger when it is ticked: the message, the row unticked and
    its trigger kept; once the other program lets go a tick starts it, and the exit keeps it."""
    with Session(options, "refused") as s:
        s.ini.write_bytes(b"[KeyLatch]\r\nKeyLatch1Text=Ctrl + Alt + 5\r\nKeyLatch1KeyCode=53\r\n"
                          b"KeyLatch1ModKeyCode=3\r\n[conftext]\r\n0=B\r\n[conftooltip]\r\n0=1|66\r\n")
        owner = s.start(options.helper, "own", 3, 53, "owned")
        wait_until("another program to own Ctrl+Alt+5", (s.dir / "owned").exists)
        first = s.start_vantero()
        s.click_row(0, CHECK_LEFT, dx=10)
        dismiss(s, wait_until("the message", lambda: s.find_window("#32770", EXTERNAL["kErrorCaption"])))
        check(s.rows()[0][0::3] == ["Ctrl + Alt + 5", False], f"row 1 refused: {s.rows()[0]}")
        os.killpg(owner.pid, signal.SIGKILL)
        owner.wait(timeout=10)
        s.click_row(0, CHECK_LEFT, dx=10)
        wait_until("row 1 to be ticked", lambda: s.rows()[0][3])
        exit_through_tray(s)
        check(first.wait(timeout=20) == 0, "the program ended badly")
        check(b"KeyLatch1KeyCode=53" in s.ini.read_bytes(), f"set.ini lost the trigger: {s.ini.read_bytes()!r}")


def held_at_start(options):
    """Another program holds set.ini with no sharing while the program starts: the user is told,
    and an exit after the file is let go leaves the stored trigger as it was."""
    with Session(options, "held") as s:
        stored = ("[KeyLatch]\r\nKeyLatch1Text=Ctrl + Alt + 5\r\nKeyLatch1KeyCode=53\r\n"
                  "KeyLatch1ModKeyCode=3\r\n[remark]\r\n0=复制\r\n").encode("gbk")
        s.ini.write_bytes(stored)
        holder = s.start(options.helper, "hold", s.ini.name)
        wait_until("set.ini to be held", (s.dir / "set.ini.held").exists)
        first = s.start_vantero()
        box = wait_until("the message", lambda: s.find_window("#32770", EXTERNAL["kReadFailedCaption"],
                                                              visible=True), timeout=20)
        check(s.rows()[0][0] == PLACEHOLDER, f"row 1 with set.ini held: {s.rows()[0]}")
        os.killpg(holder.pid, signal.SIGKILL)
        holder.wait(timeout=10)
        dismiss(s, box)
        exit_through_tray(s)
        check(first.wait(timeout=20) == 0, "the program ended badly")
        check(s.ini.read_bytes() == stored, f"set.ini changed: {s.ini.read_bytes()!r}")


if __name__ == "__main__":
    run_cases([journey, refused_then_free, held_at_start])
