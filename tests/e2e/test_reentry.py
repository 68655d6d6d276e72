#!/usr/bin/env python3
"""What arrives while a send still holds its keys: the same trigger again (held down, the
keyboard's auto-repeat fires it again and again), a row whose target is its own trigger, two rows
whose targets are each other's triggers, and clicks that open a menu or a message box or end the
program. Sends stay bounded, a row's sends never overlap, every key the program pressed comes up
again after its hold and the program keeps answering."""

import time
from collections import Counter

from harness import (CHECK_LEFT, CHECK_TOPS, EXIT_AREA, VK_CONTROL, VK_LWIN, VK_MENU, VK_SHIFT, Session, check,
                     run_cases, seen, trace, trigger_entries, wait_for_exit, wait_until)

VK_A, VK_B, VK_C = 0x41, 0x42, 0x43
STORM_SECONDS = 3.0


def wait_quiet(s, mark, quiet=0.6, timeout=15):
    """Waits until the recorder has heard nothing for quiet seconds; returns the events since mark."""
    last = [len(s.events_since(mark)), time.monotonic()]

    def settled():
        count = len(s.events_since(mark))
        if count != last[0]:
            last[:] = [count, time.monotonic()]
        return time.monotonic() - last[1] >= quiet
    wait_until("the key events to stop", settled, timeout=timeout, interval=0.1)
    return s.events_since(mark)


def check_ups_match_downs(events, skip=()):
    """Every key that went down came up as often. Keys in skip (a trigger's own key, whose
    key-downs the system turns into the hotkey) and the modifiers (lifted during a send, put back
    only while the user still holds them) are left out: no key left down is checked on its own."""
    skip = (*skip, VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN)
    downs = Counter(e.vk for e in events if e.down and e.vk not in skip)
    ups = Counter(e.vk for e in events if not e.down and e.vk not in skip)
    check(downs == ups, f"key-downs and key-ups do not match: down {dict(downs)}, up {dict(ups)}: {trace(events)}")


def check_released_and_answering(s):
    time.sleep(0.2)
    down = s.keys_down()
    check(not down, f"keys still down: {sorted(down)}")
    check(s.responds(), "the program no longer answers messages")


def x_repeats_held_keys(s):
    """Whether the X server repeats a held key (Xvfb does, through XTest, unless switched off)."""
    mark = s.mark()
    s.xdotool("keydown", "a")
    time.sleep(1.0)
    s.xdotool("keyup", "a")
    events = wait_quiet(s, mark, quiet=0.3)
    return sum(1 for e in events if e.down and e.vk == VK_A) > 2


def hold_trigger(s, seconds, x_repeats):
    """Holds Ctrl+Alt+1 down. Where X gives no auto-repeat (it drops a second key-down of a held
    key then), the repeats are made inside Wine: further key-downs of the held key without a
    key-up, at a keyboard's usual 25 per second."""
    s.xdotool("keydown", "ctrl+alt+1")
    if x_repeats:
        time.sleep(seconds)
    else:
        s.probe("repeat", ord("1"), int(seconds * 25), 40)
    s.xdotool("keyup", "1")
    s.xdotool("keyup", "alt")
    s.xdotool("keyup", "ctrl")


def a_held_trigger_repeats_without_overlap(options):
    with Session(options, "storm") as s:
        # Two target keys: a 200 ms hold, many times the keyboard's repeat interval.
        s.write_ini({"KeyLatch": trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3),
                     "conftext": {"0": "B + C"}, "conftooltip": {"0": "2|66|67"}})
        s.start_vantero()
        s.start_recorder()
        s.set_check(0, True)
        s.focus_recorder()
        x_repeats = x_repeats_held_keys(s)
        if not x_repeats:
            print("X does not repeat held keys here: the test sends the repeated key-downs itself")

        mark = s.mark()
        hold_trigger(s, STORM_SECONDS, x_repeats)
        events = wait_quiet(s, mark)

        sent = [e for e in events if e.vk in (VK_B, VK_C)]
        sends = len(sent) // 4
        # One send per 200 ms hold and a repeat at most: without repeats reaching the program
        # there would be a single send.
        check(sends >= 5, f"only {sends} sends in {STORM_SECONDS:.0f} s of a held trigger: {seen(events)}")
        # Each send whole and on its own, as a plain B + C: never a key of the row down twice,
        # never the trigger's Ctrl and Alt with it, never the trigger's key typed.
        check(seen(sent) == " ".join(["dn:66{} dn:67{} up:67 up:66"] * sends),
              f"the row's sends overlapped, were cut or had modifiers: {seen(sent)}")
        check(not any(e.down and e.vk == ord("1") for e in events), f"the trigger's key was typed: {seen(events)}")
        check(s.menus() == 0, "the window went into menu mode")
        check_ups_match_downs(events, skip=(ord("1"),))
        check_released_and_answering(s)
        print(f"{sends} sends in {STORM_SECONDS:.0f} s of a held trigger")


def press_and_count_sends(s, digit):
    """Presses Ctrl+Alt+<digit> once, keeping Ctrl and Alt down until the program is done, and
    returns the events. Every target here is Ctrl + Alt + a digit: the user's Ctrl and Alt serve
    it, the digit's key-down becomes a hotkey and its key-up reaches the window."""
    mark = s.mark()
    s.xdotool("keydown", f"ctrl+alt+{digit}")
    time.sleep(0.05)
    s.xdotool("keyup", digit)
    wait_quiet(s, mark)
    s.xdotool("keyup", "alt")
    s.xdotool("keyup", "ctrl")
    events = wait_quiet(s, mark, quiet=0.3)
    check_ups_match_downs(events, skip=(ord("1"), ord("2"), ord("3")))
    return events


def rows_that_feed_themselves_or_each_other_stay_bounded(options):
    with Session(options, "feeding") as s:
        # Row 1 types its own trigger; rows 2 and 3 type each other's.
        s.write_ini({
            "KeyLatch": {**trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3),
                         **trigger_entries(2, "Ctrl + Alt + 2", ord("2"), 3),
                         **trigger_entries(3, "Ctrl + Alt + 3", ord("3"), 3)},
            "conftext": {"0": "Ctrl + Alt + L-1", "1": "Ctrl + Alt + L-3", "2": "Ctrl + Alt + L-2"},
            "conftooltip": {"0": "3|17|18|49", "1": "3|17|18|51", "2": "3|17|18|50"},
        })
        s.start_vantero()
        s.start_recorder()
        for k in range(3):
            s.set_check(k, True)
        s.focus_recorder()

        # Row 1's send fires its own trigger, which it drops while its keys are held: one send
        # per press, press after press.
        for _ in range(3):
            events = press_and_count_sends(s, "1")
            sends = sum(1 for e in events if not e.down and e.vk == ord("1")) - 1  # the user's own
            check(sends == 1, f"a self-feeding row sent {sends} times for one press: {seen(events)}")
            check_released_and_answering(s)

        # Row 2 types row 3's trigger, which sends once row 2's keys are up; row 3 types row 2's,
        # which has sent already: each row once. The same from the other side.
        for digit, other in (("2", "3"), ("3", "2")):
            events = press_and_count_sends(s, digit)
            # Each row's last key, released by its own send, tells the two sends apart; the user's
            # release of the pressed digit comes on top.
            ups = Counter(e.vk for e in events if not e.down)
            check(ups[ord(other)] == 1 and ups[ord(digit)] == 2,
                  f"Ctrl+Alt+{digit}: each row should send once: {seen(events)}")
            check_released_and_answering(s)


def click_during_send(s, at, button=1):
    """Presses Ctrl+Alt+1 and clicks at the screen point at while its send (200 ms) is still
    holding B and C; returns where the recorder's hook log stood before."""
    s.xdotool("mousemove", *at)
    time.sleep(0.2)
    first = len(s.hook_events())
    s.xdotool("keydown", "ctrl+alt+1", "sleep", "0.03", "click", button, "keyup", "1", "keyup", "alt", "keyup", "ctrl")
    return first


def check_let_go_in_time(s, first, what):
    """The send's keys come up after their hold, while the window the click opened still shows
    (the hook sees them wherever the focus has gone)."""
    def sent():
        keys = [e for e in s.hook_events()[first:] if e.vk in (VK_B, VK_C)]
        return keys if len(keys) >= 4 else None
    keys = wait_until(f"the send's keys to come up while {what}", sent, timeout=3)
    check(trace(keys) == "dn:66 dn:67 up:67 up:66", f"the send with {what}: {trace(keys)}")
    held = keys[2].ms - keys[1].ms
    # Generous: only keys held through whatever the click started are a fault.
    check(held <= 200 + 1500, f"the keys were held {held:.0f} ms while {what}")


def clicks_during_a_send_wait_for_its_keys(options):
    with Session(options, "modal") as s:
        # Row 1 holds B and C for 200 ms; row 2 has no trigger, so ticking it shows a message box.
        s.write_ini({"KeyLatch": trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3),
                     "conftext": {"0": "B + C"}, "conftooltip": {"0": "2|66|67"}})
        process = s.start_vantero()
        s.start_recorder(hook=True)
        s.set_check(0, True)
        main = s.main_window()

        # The tray menu stays open until the user picks from it or looks elsewhere.
        icons = s.tray_icons()
        if icons:
            left, top, right, bottom = icons[0]
            first = click_during_send(s, ((left + right) // 2, (top + bottom) // 2), button=3)
            check_let_go_in_time(s, first, "the tray menu is open")
            check(wait_until("the tray menu", s.popup_menu, timeout=5), "the tray menu did not open")
            s.xdotool("key", "Escape")
            wait_until("the tray menu to close", lambda: s.popup_menu() is None, timeout=5)
        else:
            print("no Wine notification area on this display: the tray menu is not checked")

        # A message box stays until its OK is pressed.
        first = click_during_send(s, (main.rect[0] + CHECK_LEFT + 10, main.rect[1] + CHECK_TOPS[1] + 12))
        check_let_go_in_time(s, first, "the message box shows")
        check(s.message_box() == "Not set hotkey", "ticking row 2 should say it has no trigger")
        check(s.responds(), "the program no longer answers messages")

        # The exit's steps take their time (under Wine without a window manager, seconds).
        first = click_during_send(s, (main.rect[0] + EXIT_AREA[0], main.rect[1] + EXIT_AREA[1]))
        check_let_go_in_time(s, first, "the program ends")
        code = wait_for_exit(process, "the program", 20)
        check(code == 0, f"the program ended with code {code}")


if __name__ == "__main__":
    run_cases([a_held_trigger_repeats_without_overlap, rows_that_feed_themselves_or_each_other_stay_bounded,
               clicks_during_a_send_wait_for_its_keys])
