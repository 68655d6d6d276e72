#!/usr/bin/env python3
"""What the focused window receives when a trigger is pressed as a user presses it, with real X
key events: exactly the target's modifiers, never the trigger's own key, no menu mode, the user's
held modifiers down again after the send, nothing left down."""

import time

from harness import Session, check, run_cases, seen, trigger_entries, wait_until

SETTINGS = {"KeyLatch": trigger_entries(3, "Ctrl + Alt + 3", ord("3"), 3),
            "conftext": {"2": "Ctrl + A"}, "conftooltip": {"2": "2|17|65"}}


def press(s, hold):
    """Ctrl+Alt+3 down together for hold seconds; what the window received, but the mask key."""
    mark = s.mark()
    s.xdotool("keydown", "ctrl+alt+3", "sleep", hold, "keyup", "3", "keyup", "alt", "keyup", "ctrl")
    time.sleep(0.6)
    events = s.events_since(mark)
    check(s.menus() == 0, f"the window went into menu mode: {seen(events)}")
    check(not s.keys_down(), f"keys still down: {s.keys_down()}")
    return events


def a_held_chord_and_a_held_trigger(options):
    with Session(options, "chord") as s:
        s.write_ini(SETTINGS)
        s.start_vantero()
        s.start_recorder()
        s.click_row(2, 640, dx=10)
        wait_until("row 3 to be ticked", lambda: s.rows()[2][3])
        s.focus_recorder()
        # Alt is lifted for A and down again while the user holds it; the user's Ctrl serves.
        events = press(s, 0.5)
        check(seen(events) == "dn:17{c} dn:18{ca} up:18 dn:65{c} up:65 dn:18{ca} up:51 up:18 up:17",
              f"Ctrl+Alt+3 held: the window received {seen(events)}")
        # Held 2 s, the keyboard repeats the trigger: each repeat sends again, none is typed.
        events = press(s, 2.0)
        downs = [e.seen() for e in events if e.down and e.vk in (51, 65)]
        check(len(downs) >= 4 and set(downs) == {"dn:65{c}"}, f"Ctrl+Alt+3 held 2 s: {seen(events)}")


if __name__ == "__main__":
    run_cases([a_held_chord_and_a_held_trigger])
