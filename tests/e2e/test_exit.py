#!/usr/bin/env python3
"""Both ways out, the close area and the tray menu's "退出", save all nine triggers to set.ini,
take the notification icon away and end the program; the next start finds the triggers."""

import time

from harness import (EXIT_AREA, HIDE_BUTTON, PLACEHOLDER, Session, check, run_cases, trigger_entries, wait_for_exit,
                     wait_until)

VK_2, VK_F6, VK_F8 = 0x32, 0x75, 0x77
MOD_CONTROL_SHIFT = 2 | 4

STORED = {
    "KeyLatch": {**trigger_entries(2, "Ctrl + Alt + 2", VK_2, 3),
                 # A hand-edited text is kept as it is; only the codes count for registering.
                 **trigger_entries(7, "随便写的", VK_F8, MOD_CONTROL_SHIFT)},
    "conftext": {"1": "Ctrl + C"},
    "conftooltip": {"1": "2|17|67"},
    "remark": {"1": "复制"},
}


def capture_trigger(s, k, keys, shown):
    """Presses a combination in row k's hotkey box and waits until the box shows it."""
    s.click_hotkey_box(k)
    s.press(*keys)
    wait_until(f"row {k + 1}'s hotkey box to show {shown}", lambda: s.rows()[k].hotkey == shown)


def expected_triggers(changes):
    """All nine rows' KeyLatch keys: the stored ones, the captured changes, the rest empty."""
    expected = {}
    for n in range(1, 10):
        expected.update(trigger_entries(n, PLACEHOLDER, 0, 0))
    expected.update(STORED["KeyLatch"])
    expected.update(changes)
    return expected


def check_ended_and_saved(s, process, changes):
    code = wait_for_exit(process, "the program", 20)
    check(code == 0, f"the program ended with code {code}")
    check(s.find_window("VanteroMain") is None and s.find_window("VanteroTray") is None,
          "the program's windows outlived it")
    icons = s.tray_icons()
    check(not icons, f"the notification icon is still shown: {icons}")

    saved = s.read_ini()
    check(saved.get("KeyLatch") == expected_triggers(changes),
          f"set.ini's triggers after the exit: {saved.get('KeyLatch')}")
    # The rest of the file is the editor's; the exit leaves it alone.
    for section in ("conftext", "conftooltip", "remark"):
        check(saved.get(section) == STORED[section], f"the exit changed section {section}: {saved.get(section)}")


def check_restart_finds(s, hotkeys):
    s.start_vantero()
    rows = s.rows()
    for k, text in hotkeys.items():
        check(rows[k].hotkey == text, f"after the restart row {k + 1} shows {rows[k].hotkey!r}, not {text!r}")
    # Restored triggers register: the captured one can be ticked.
    s.set_check(min(hotkeys), True)


def exit_from_the_close_area(options):
    with Session(options, "exit-close") as s:
        s.write_ini(STORED)
        process = s.start_vantero()
        icons = s.tray_icons()
        check(icons is None or len(icons) == 1, f"expected one notification icon, found {icons}")

        capture_trigger(s, 0, ["ctrl", "shift", "F6"], "Ctrl + Shift + F6")
        s.click_client(*EXIT_AREA)
        check_ended_and_saved(s, process, trigger_entries(1, "Ctrl + Shift + F6", VK_F6, MOD_CONTROL_SHIFT))
        check_restart_finds(s, {0: "Ctrl + Shift + F6", 1: "Ctrl + Alt + 2", 6: "随便写的"})


def exit_from_the_tray_menu(options):
    with Session(options, "exit-menu") as s:
        s.write_ini(STORED)
        process = s.start_vantero()

        capture_trigger(s, 8, ["ctrl", "shift", "F6"], "Ctrl + Shift + F6")
        # From the tray, with the window hidden, the exit is the same.
        s.click_client(*HIDE_BUTTON)
        s.wait_main_window(visible=False)
        s.exit_from_tray_menu()
        check_ended_and_saved(s, process, trigger_entries(9, "Ctrl + Shift + F6", VK_F6, MOD_CONTROL_SHIFT))
        check_restart_finds(s, {8: "Ctrl + Shift + F6", 6: "随便写的"})


def a_start_one_second_after_an_exit_starts(options):
    with Session(options, "exit-restart") as s:
        s.write_ini(STORED)
        first = s.start_vantero()
        s.click_client(*EXIT_AREA)
        time.sleep(1.0)
        second = s.start(s.exe)
        wait_for_exit(first, "the exiting copy", 20)
        s.wait_main_window(visible=True, timeout=20)
        check(second.poll() is None, "the copy started after the exit ended at once")
        check(s.rows()[1].hotkey == "Ctrl + Alt + 2", "the new copy did not load the settings")


if __name__ == "__main__":
    run_cases([exit_from_the_close_area, exit_from_the_tray_menu, a_start_one_second_after_an_exit_starts])
