#!/usr/bin/env python3
"""A user's day with the real program and real X input only. Row 1's target and remark come from a
set.ini an earlier version wrote; the user captures its trigger and ticks it; a second copy ends at
once and shows nothing; the icon's tooltip reads whole; exit through the tray menu, start again as
soon as the icon is gone, and the row is still there, started again with no click. Held in another
window, the chord arrives key by key, again at each repeat, and nothing stays down, for the system or a
later hook."""

import re
import time

from harness import (CHECK_LEFT, EXTERNAL, HOTKEY_LEFT, MAIN_CLASS, MAIN_TITLE, PLACEHOLDER, PROGRAM_CLASSES,
                     TRAY_ICON_CLASS, Session, check, run_cases, seen, wait_until)

CTRL_ALT_5 = ("keyup", "5", "keyup", "alt", "keyup", "ctrl")  # after "keydown ctrl+alt+5"
ROW_1 = ["Ctrl + A", "复制"]


def exit_through_tray(s):
    """Out through the tray menu's last item, "退出"."""
    s.click_at(*wait_until("the tray icon", s.tray_icon), button=3)
    left, top, right, bottom = wait_until("the popup menu", lambda: s.find_window("#32768", visible=True)).rect
    s.click_at(left + (right - left) // 3, bottom - (bottom - top) // 6)


def journey(options):
    with Session(options, "journey") as s:
        s.ini.write_bytes(f"[conftext]\r\n0={ROW_1[0]}\r\n[conftooltip]\r\n0=2|17|65\r\n[remark]\r\n0={ROW_1[1]}\r\n"
                          .encode("gbk"))
        first = s.start_vantero()
        s.start_recorder()
        check(s.rows()[0] == [PLACEHOLDER, *ROW_1, False], f"row 1 from set.ini: {s.rows()[0]}")
        s.click_row(0, HOTKEY_LEFT)
        s.xdotool("keydown", "ctrl+alt+5", *CTRL_ALT_5)
        wait_until("row 1's trigger", lambda: s.rows()[0][0] == "Ctrl + Alt + 5")
        s.click_row(0, CHECK_LEFT, dx=10)
        wait_until("row 1 to be ticked", lambda: s.rows()[0][3])

        # One copy at a time: a second one ends at once and shows nothing, not even for a moment.
        code, created = s.run_to_end(s.exe)
        check(code == 0, f"the second copy ended with {code}")
        check(not {TRAY_ICON_CLASS, *PROGRAM_CLASSES} & set(created), f"the second copy created {created}")
        # The icon's tooltip reaches the shell whole, Chinese included.
        tip = s.tooltip_at(*wait_until("the tray icon", s.tray_icon))
        check(tip == EXTERNAL["kTrayTip"], f"the icon's tooltip: {tip}")

        # Out through the tray menu; a start as soon as the icon is gone starts, while the first
        # copy may still be hiding its window, and row 1 starts again.
        exit_through_tray(s)
        wait_until("the icon to go", lambda: not s.tray_icon())
        s.start(s.exe)
        check(first.wait(timeout=20) == 0, "the first copy ended badly")
        wait_until("the next copy's window", lambda: s.find_window(MAIN_CLASS, MAIN_TITLE, visible=True), 30)
        check(s.rows()[0] == ["Ctrl + Alt + 5", *ROW_1, True], f"after a restart: {s.rows()[0]}")

        # Held in the recorder: Alt is lifted for A and down again while the user holds it; the
        # user's Ctrl serves. A hook installed after the program's sees each key go up again.
        hook_log = s.dir / "hook.log"
        s.start(options.helper, "hook", hook_log.name)
        wait_until("the later hook", hook_log.exists)
        s.focus_recorder()
        mark = s.mark()
        # Held past the keyboard's repeat delay: each repeat sends the row again, whole, and the
        # trigger's own key never reaches the window.
        s.xdotool("keydown", "ctrl+alt+5", "sleep", 1.5, *CTRL_ALT_5)
        time.sleep(0.6)
        events = seen(s.events_since(mark))
        sends = re.findall(r"dn:65\{(\w*)\}", events)
        check(events.startswith("dn:17{c} dn:18{ca} up:18 dn:65{c} up:65 dn:18{ca}") and len(sends) > 1
              and set(sends) == {"c"} and "dn:53" not in events, f"Ctrl+Alt+5 held: the window received {events}")
        check(s.menus() == 0, "the window went into menu mode")
        check(not s.keys_down() and not s.hooked_keys_down(hook_log),
              f"keys left down: {s.keys_down()}, for a later hook {s.hooked_keys_down(hook_log)}")


if __name__ == "__main__":
    run_cases([journey])
