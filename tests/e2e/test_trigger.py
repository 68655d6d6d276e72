#!/usr/bin/env python3
"""A ticked row types its target keys into the focused window when its trigger is pressed;
unticking stops it, hiding the window to the tray does not."""

import time

from harness import HIDE_BUTTON, VK_CONTROL, Session, check, run_cases, seen, trigger_entries, wait_until

VK_A, VK_B = 0x41, 0x42
TARGETS = (VK_A, VK_B)

SETTINGS = {
    "KeyLatch": {**trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3),
                 **trigger_entries(3, "Ctrl + Alt + 3", ord("3"), 3)},
    "conftext": {"0": "B", "2": "Ctrl + A"},
    "conftooltip": {"0": "1|66", "2": "2|17|65"},
}


def press_trigger(s, digit, last_key=None):
    """Presses Ctrl+Alt+<digit> as a user does, Ctrl and Alt held until the send that ends with
    last_key coming up is over (or a moment, when nothing should be sent). Returns what the
    window received."""
    mark = s.mark()
    s.xdotool("keydown", f"ctrl+alt+{digit}")
    time.sleep(0.05)
    s.xdotool("keyup", digit)
    if last_key:
        wait_until("the program to release its keys",
                   lambda: any(e.vk == last_key and not e.down for e in s.events_since(mark)), timeout=5)
    time.sleep(0.5)  # time for anything unexpected to arrive as well
    s.xdotool("keyup", "alt")
    s.xdotool("keyup", "ctrl")
    wait_until("the user's Ctrl to come up",
               lambda: any(not e.down and e.vk == VK_CONTROL for e in s.events_since(mark)), timeout=5)
    return s.events_since(mark)


def check_types(s, digit, vk, mods, hold_ms):
    """The trigger makes the window receive vk with exactly the modifiers mods, held about
    hold_ms, and leaves nothing down."""
    events = press_trigger(s, digit, vk)
    expected = f"dn:{vk}{{{mods}}} up:{vk}"
    check(seen(events, TARGETS) == expected, f"Ctrl+Alt+{digit}: expected {expected}, got {seen(events)}")
    down, up = [e for e in events if e.vk == vk]
    # Generous bounds: the machine is shared, only a missing or a far too long hold is a fault.
    held = up.posted - down.posted
    check(hold_ms * 0.75 <= held <= hold_ms + 1500, f"the keys were held {held} ms, expected about {hold_ms}")
    time.sleep(0.2)
    down = s.keys_down()
    check(not down, f"keys still down after the trigger: {sorted(down)}")


def check_types_nothing(s, digit):
    events = press_trigger(s, digit)
    check(not any(e.vk in TARGETS for e in events) and f"dn:{ord(digit)}{{ca}}" in seen(events),
          f"Ctrl+Alt+{digit} should reach the window unchanged, but it received {seen(events)}")


def ticked_rows_type_their_targets(options):
    with Session(options, "trigger") as s:
        s.write_ini(SETTINGS)
        s.start_vantero()
        s.start_recorder()

        # Nothing is enabled at start-up: the trigger reaches the focused window unchanged.
        s.focus_recorder()
        check_types_nothing(s, "3")

        s.set_check(2, True)
        s.set_check(0, True)
        s.focus_recorder()
        check_types(s, "3", VK_A, "c", 200)
        # Each trigger fires its own row only; one key is held for a shorter time.
        check_types(s, "1", VK_B, "", 100)

        # Hidden to the tray, the rows keep working.
        s.click_client(*HIDE_BUTTON)
        s.wait_main_window(visible=False)
        s.focus_recorder()
        check_types(s, "3", VK_A, "c", 200)

        # A left click on the notification icon brings the window back, topmost.
        s.click_tray_icon(1)
        main = s.wait_main_window(visible=True)
        check(main.topmost, "the main window should be topmost after a click on the icon")

        # Unticked, the row's trigger no longer reaches the program; the other row still works.
        s.set_check(2, False)
        s.focus_recorder()
        check_types_nothing(s, "3")
        check_types(s, "1", VK_B, "", 100)


if __name__ == "__main__":
    run_cases([ticked_rows_type_their_targets])
