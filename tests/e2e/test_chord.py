#!/usr/bin/env python3
"""What the focused window receives when a trigger is pressed as a user presses it: exactly the
target's modifiers at each target key, never the trigger's own key, no menu from a lifted Alt or
Win, the user's held modifiers down again afterwards and nothing left down."""

import time

from harness import (VK_CONTROL, VK_LWIN, VK_MASK, VK_MENU, VK_SHIFT, Session, check, lone_taps, run_cases, seen,
                     trigger_entries, wait_until)

VK_A = 0x41
MODIFIERS = (VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN)

# Row n: its trigger (xdotool keys, stored text, key, modifier mask) and target.
ROWS = {
    3: ("ctrl+alt+3", "Ctrl + Alt + 3", 3, "Ctrl + A", "2|17|65"),
    4: ("ctrl+alt+4", "Ctrl + Alt + 4", 3, "Shift + B", "2|16|66"),
    5: ("ctrl+alt+5", "Ctrl + Alt + 5", 3, "Alt + F5", "2|18|116"),
    6: ("ctrl+alt+6", "Ctrl + Alt + 6", 3, "Win + D", "2|91|68"),
    7: ("super+7", "Win + 7", 8, "E", "1|69"),
    8: ("ctrl+shift+8", "Ctrl + Shift + 8", 6, "B", "1|66"),
}


def settings():
    triggers, text, sequences = {}, {}, {}
    for n, (_, shown, mods, target, sequence) in ROWS.items():
        triggers.update(trigger_entries(n, shown, ord(str(n)), mods))
        text[str(n - 1)], sequences[str(n - 1)] = target, sequence
    return {"KeyLatch": triggers, "conftext": text, "conftooltip": sequences}


def target_keys(n):
    return [int(vk) for vk in ROWS[n][4].split("|")[1:]]


def start(s):
    s.write_ini(settings())
    s.start_vantero()
    s.start_recorder()
    for n in ROWS:
        s.set_check(n - 1, True)
    s.focus_recorder()


def press(s, n, hold=None, release_after=None):
    """Presses row n's trigger, the keys down together. Without hold, they stay down until the
    send is over; release_after lets them go that many seconds into it. Checks what must always
    hold and returns what the window received meanwhile, but for the mask key."""
    mark = len(s.key_events(with_mask=True))
    menus = s.menus()
    keys = ROWS[n][0].split("+")
    last_key = target_keys(n)[-1]
    s.xdotool("keydown", ROWS[n][0])
    if release_after is not None:
        time.sleep(release_after)
    elif hold is None:
        wait_until(f"row {n}'s send", lambda: any(e.vk == last_key and not e.down
                                                  for e in s.key_events(with_mask=True)[mark:]), timeout=5)
        time.sleep(0.2)
    else:
        time.sleep(hold)
    for key in reversed(keys):
        s.xdotool("keyup", key)
    time.sleep(0.6)
    events = s.key_events(with_mask=True)[mark:]
    check(not lone_taps(events), f"row {n}: a lone Alt or Win tap would open a menu: {seen(events)}")
    check(s.menus() == menus, f"row {n}: the window went into menu mode: {seen(events)}")
    check(ord(str(n)) not in {e.vk for e in events if e.down},
          f"row {n}: the trigger's own key reached the window: {seen(events)}")
    down = s.keys_down()
    check(not down, f"row {n}: keys still down afterwards: {sorted(down)}")
    return [e for e in events if e.vk != VK_MASK]


def modifiers_after_target(events, n):
    """The modifier key events after the target's last key came up."""
    last_up = max(i for i, e in enumerate(events) if e.vk == target_keys(n)[-1] and not e.down)
    return [e for e in events[last_up + 1:] if e.vk in MODIFIERS]


def a_held_chord_types_exactly_the_target(options):
    with Session(options, "chord") as s:
        start(s)
        # Ctrl+Alt+3 -> Ctrl+A: Alt is lifted for A and down again while the user holds it;
        # the user's Ctrl serves the target.
        events = press(s, 3)
        check(seen(events) == "dn:17{c} dn:18{ca} up:18 dn:65{c} up:65 dn:18{ca} up:51 up:18 up:17",
              f"Ctrl+Alt+3: the window received {seen(events)}")

        # Each target sees its own modifiers only; each trigger's modifiers come back after.
        expected = {
            4: ("dn:66{s}", "up:16 dn:17{c} dn:18{ca} up:18 up:17"),
            5: ("dn:116{a}", "dn:17{ca} up:18 up:17"),  # Alt is the target's: never lifted
            6: ("dn:68{w}", "up:91 dn:17{c} dn:18{ca} up:18 up:17"),
            7: ("dn:69{}", "dn:91{w} up:91"),
            8: ("dn:66{}", "dn:16{s} dn:17{sc} up:16 up:17"),
        }
        for n, (target_down, after) in expected.items():
            events = press(s, n)
            downs = [e.seen() for e in events if e.down and e.vk == target_keys(n)[-1]]
            check(downs == [target_down], f"row {n} ({ROWS[n][3]}): the window received {seen(events)}")
            got = seen(modifiers_after_target(events, n))
            check(got == after, f"row {n}: after the target the window received {got}, expected {after}")


def a_held_trigger_repeats_the_row_never_its_key(options):
    with Session(options, "held-trigger") as s:
        start(s)
        # Held 2 s, the keyboard repeats the trigger: each repeat that comes between sends is the
        # hotkey again, none is typed; every A arrives as Ctrl+A.
        events = press(s, 3, hold=2.0)
        downs = [e.seen() for e in events if e.down and e.vk == VK_A]
        check(len(downs) >= 4 and set(downs) == {"dn:65{c}"}, f"a held Ctrl+Alt+3 gave {seen(events)}")

        # Let go 50 ms into the send: nothing the send lifted comes back down.
        events = press(s, 3, release_after=0.05)
        check(not any(e.down for e in modifiers_after_target(events, 3)),
              f"released during the send, the window received {seen(events)}")


def two_rows_in_quick_succession_give_two_clean_chords(options):
    with Session(options, "two-rows") as s:
        start(s)
        # Row 4 (Shift + B) and, 60 ms later while its keys are held, row 3 (Ctrl + A): the
        # second waits for the first to let go.
        mark = len(s.key_events(with_mask=True))
        s.xdotool("keydown", "ctrl+alt+4", "sleep", "0.06", "key", "3", "sleep", "0.6", "keyup", "4", "keyup", "alt",
                  "keyup", "ctrl")
        time.sleep(0.5)
        events = [e for e in s.key_events(with_mask=True)[mark:] if e.vk != VK_MASK]
        targets = seen(events, (VK_SHIFT, VK_A, 0x42))
        check(targets == "dn:16{s} dn:66{s} up:66 up:16 dn:65{c} up:65",
              f"the window received {targets}: {seen(events)}")
        check(not s.keys_down(), f"keys still down: {sorted(s.keys_down())}")


if __name__ == "__main__":
    run_cases([a_held_chord_types_exactly_the_target, a_held_trigger_repeats_the_row_never_its_key,
               two_rows_in_quick_succession_give_two_clean_chords])
