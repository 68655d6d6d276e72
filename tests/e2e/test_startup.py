#!/usr/bin/env python3
"""Start-up: rows as set.ini holds them (or empty without one), the notification icon with its
tooltip, and a single running copy."""

import time

from harness import MAIN_TITLE, PLACEHOLDER, Session, check, run_cases, trigger_entries, wait_for_exit, wait_until

TRAY_TIP = "Vantero:左击显示 右击退出"


def without_settings_every_row_is_empty(options):
    with Session(options, "no-settings") as s:
        s.start_vantero()
        rows = s.rows()
        for k, row in enumerate(rows):
            check((row.hotkey, row.target, row.remark, row.checked) == (PLACEHOLDER, "", "", False),
                  f"row {k + 1} should start empty, shows {row}")
        # Reading a missing file does not make one; only saves do.
        check(not s.ini.exists(), "start-up created set.ini")

        icons = s.tray_icons()
        if icons is None:
            print("no Wine notification area on this display: icon and tooltip not checked")
            return
        check(len(icons) == 1, f"expected one notification icon, found {len(icons)}")
        left, top, right, bottom = icons[0]
        # The tooltip appears after the pointer has rested on the icon for a moment.
        s.xdotool("mousemove", right + 40, bottom + 40)
        time.sleep(0.2)
        s.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
        tip = wait_until("the icon's tooltip", s.tooltip, timeout=10)
        check(tip.rstrip() == TRAY_TIP, f"the icon's tooltip reads {tip!r}")


def stored_rows_show_as_written(options):
    with Session(options, "gbk-settings") as s:
        # As an earlier version wrote it on a Chinese system: GBK text.
        s.write_ini({
            "KeyLatch": trigger_entries(3, "Ctrl + Alt + 3", 0x33, 3),
            "conftext": {"0": "Ctrl + C", "2": "Shift + Alt + Z", "8": "R-5"},
            "conftooltip": {"0": "2|17|67", "2": "3|16|18|90", "8": "1|101"},
            "remark": {"0": "复制", "2": "撤销重做", "4": "", "8": "小键盘五"},
        })
        s.start_vantero()
        rows = s.rows()
        shown = [(r.hotkey, r.target, r.remark) for r in rows]
        expected = [(PLACEHOLDER, "", "")] * 9
        expected[0] = (PLACEHOLDER, "Ctrl + C", "复制")
        expected[2] = ("Ctrl + Alt + 3", "Shift + Alt + Z", "撤销重做")
        expected[8] = (PLACEHOLDER, "R-5", "小键盘五")
        check(shown == expected, f"rows read from set.ini:\n{shown}\nexpected:\n{expected}")
        check(not any(r.checked for r in rows), "a row started ticked")


def a_second_copy_ends_at_once(options):
    with Session(options, "single") as s:
        s.start_vantero()
        second = s.start(s.exe)
        code = wait_for_exit(second, "the second copy", 15)
        check(code == 0, f"the second copy ended with code {code}")
        windows = s.windows()
        mains = [w for w in windows if w.cls == "VanteroMain" and w.title == MAIN_TITLE]
        trays = [w for w in windows if w.cls == "VanteroTray"]
        check(len(mains) == 1 and len(trays) == 1,
              f"expected one main and one tray window, found {len(mains)} and {len(trays)}")
        check(mains[0].visible, "the first copy's main window should stay visible")
        icons = s.tray_icons()
        check(icons is None or len(icons) == 1, f"expected one notification icon, found {icons}")


if __name__ == "__main__":
    run_cases([without_settings_every_row_is_empty, stored_rows_show_as_written, a_second_copy_ends_at_once])
