#!/usr/bin/env python3
"""A ticked row types its target keys into the focused window when its trigger is pressed;
unticking stops it, hiding the window to the tray does not."""

import time

from harness import HIDE_BUTTON, VK_CONTROL, VK_MENU, Session, check, run_cases, trace, trigger_entries, wait_until

VK_A, VK_B = 0x41, 0x42

SETTINGS = {
    "KeyLatch": {**trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3),
                 **trigger_entries(3, "Ctrl + Alt + 3", ord("3"), 3)},
    "conftext": {"0": "B", "2": "Ctrl + A"},
    "conftooltip": {"0": "1|66", "2": "2|17|65"},
}


def press_trigger(s, digit, sends=()):
    """Presses Ctrl+Alt+<digit> as a user does: the digit tapped, Ctrl and Alt held until the
    program's send (of the keys in sends) is over. Returns the key events the program itself
    produced: those between the press and the release of Ctrl and Alt, without the user's own."""
    mark = s.mark()
    s.xdotool("keydown", f"ctrl+alt+{digit}")
    time.sleep(0.05)
    s.xdotool("keyup", digit)
    wait_until("the program to release its keys",
               lambda: set(sends) <= {e.vk for e in s.events_since(mark) if not e.down}, timeout=5)
    time.sleep(0.5)  # time for anything unexpected to arrive as well
    inner = s.mark()
    s.xdotool("keyup", "alt")
    s.xdotool("keyup", "ctrl")
    wait_until("the user's Ctrl to come up",
               lambda: any(not e.down and e.vk == VK_CONTROL for e in s.events_since(inner)), timeout=5)

    events = [e for e in s.key_events()[mark:inner] if e.vk not in (ord(digit), VK_MENU)]
    # The user's own Ctrl went down first, before the trigger fired.
    check(events and events[0].down and events[0].vk == VK_CONTROL,
          f"the user's Ctrl should come first: {trace(s.key_events()[mark:])}")
    return events[1:]


def check_types(s, digit, vks, hold_ms):
    """The trigger makes the program press vks in order, hold them about hold_ms and release
    them in reverse order, leaving nothing down."""
    events = press_trigger(s, digit, vks)
    expected = " ".join([f"dn:{vk}" for vk in vks] + [f"up:{vk}" for vk in reversed(vks)])
    check(trace(events) == expected, f"Ctrl+Alt+{digit}: expected {expected}, got {trace(events)}")
    held = events[len(vks)].posted - events[len(vks) - 1].posted
    # Generous bounds: the machine is shared, only a missing or a far too long hold is a fault.
    check(hold_ms * 0.75 <= held <= hold_ms + 1500, f"the keys were held {held} ms, expected about {hold_ms}")
    time.sleep(0.2)
    down = s.keys_down()
    check(not down, f"keys still down after the trigger: {sorted(down)}")


def check_types_nothing(s, digit):
    events = press_trigger(s, digit)
    check(not events, f"Ctrl+Alt+{digit} should reach the program no more, but it typed {trace(events)}")


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
        check_types(s, "3", [VK_CONTROL, VK_A], 200)
        # Each trigger fires its own row only; one key is held for a shorter time.
        check_types(s, "1", [VK_B], 100)

        # Hidden to the tray, the rows keep working.
        s.click_client(*HIDE_BUTTON)
        s.wait_main_window(visible=False)
        s.focus_recorder()
        check_types(s, "3", [VK_CONTROL, VK_A], 200)

        # A left click on the notification icon brings the window back, topmost.
        s.click_tray_icon(1)
        main = s.wait_main_window(visible=True)
        check(main.topmost, "the main window should be topmost after a click on the icon")

        # Unticked, the row's trigger no longer reaches the program; the other row still works.
        s.set_check(2, False)
        s.focus_recorder()
        check_types_nothing(s, "3")
        check_types(s, "1", [VK_B], 100)


if __name__ == "__main__":
    run_cases([ticked_rows_type_their_targets])
