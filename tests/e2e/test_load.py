#!/usr/bin/env python3
"""Nine rows triggered in quick succession, faster than their sends last, 500 times in all: the
sends wait their turn and never overlap, every key comes up again, and the program holds no more
handles, GDI objects, windows or private memory afterwards than before."""

import random
import time
from collections import Counter

from harness import (NINE_ROW_TARGETS as TARGETS, VK_CONTROL, Session, check, linux_process, nine_row_settings,
                     run_cases, seen, wait_until)

PRESSES = 500
# A leak of one object per send would show as hundreds; a few may come and go with Wine's own
# caches. Private memory: a leak of a few kilobytes per send would pass a megabyte.
OBJECT_SLACK = 8
MEMORY_SLACK = 1 << 20


def press_round(s, digits):
    """Ctrl and Alt held, the digits tapped one after another, faster than a send lasts."""
    s.xdotool("keydown", "ctrl+alt", "key", "--delay", "12", *digits, "sleep", "0.15", "keyup", "alt", "keyup",
              "ctrl")


def wait_sends_over(s, mark, timeout=20):
    """Waits until every target key that went down since mark has come up again."""
    def over():
        events = s.events_since(mark)
        downs = sum(1 for e in events if e.down and e.vk in TARGETS)
        ups = sum(1 for e in events if not e.down and e.vk in TARGETS)
        return downs == ups and any(not e.down and e.vk == VK_CONTROL for e in events)
    wait_until("the sends to end", over, timeout=timeout)
    time.sleep(0.3)
    return s.events_since(mark)


def check_real(figures):
    """The probe must have measured something: a count of zero means nothing was seen."""
    check(figures["handles"] > 0 and figures["gdi"] > 0 and figures["user"] >= 9 and figures["private"] > 0,
          f"the resource figures are not real measurements: {figures}")


def nine_rows_500_times(options):
    with Session(options, "load") as s:
        s.write_ini(nine_row_settings())
        process = s.start_vantero()
        s.start_recorder()
        for k in range(9):
            s.click_check(k)
        wait_until("all nine rows to be ticked", lambda: all(r.checked for r in s.rows()), timeout=20)
        s.focus_recorder()

        # One round first, so that what the first sends set up once is counted in "before".
        order = random.Random(6)
        digits = [str(n) for n in range(1, 10)]
        mark = s.mark()
        press_round(s, digits)
        wait_sends_over(s, mark)
        before, linux_before = s.resources(), linux_process(process.pid)
        check_real(before)

        presses = 9
        mark = s.mark()
        while presses < PRESSES:
            order.shuffle(digits)
            press_round(s, digits)
            presses += len(digits)
        events = wait_sends_over(s, mark, timeout=30)
        after, linux_after = s.resources(), linux_process(process.pid)
        check_real(after)

        sends = Counter(e.vk for e in events if e.down and e.vk in TARGETS)
        # Taps come faster than sends: a tap of a row already sending or waiting is dropped, but
        # every row keeps its turn, round after round.
        rounds = presses // 9
        check(rounds <= sum(sends.values()) <= presses and all(sends[vk] >= rounds // 4 for vk in TARGETS),
              f"{sum(sends.values())} sends for {presses} presses, by row: {dict(sends)}")
        # One send at a time: a target key goes down only when no other is down.
        typed = [e for e in events if e.vk in TARGETS]
        check(all(a.down and not b.down and a.vk == b.vk for a, b in zip(typed[::2], typed[1::2])),
              f"sends overlapped: {seen(typed)}")
        # Each target arrives as the plain key, never with the trigger's Ctrl and Alt, and no
        # trigger digit is typed: those pressed during a send are still the program's.
        for vk in TARGETS:
            keys = [e for e in events if e.vk == vk]
            check(seen(keys) == " ".join([f"dn:{vk}{{}} up:{vk}"] * (len(keys) // 2)) and len(keys) % 2 == 0,
                  f"row {vk - TARGETS[0] + 1}'s sends overlapped, were cut or had modifiers: {seen(keys)}")
        typed = [e.vk for e in events if e.down and ord("1") <= e.vk <= ord("9")]
        check(not typed, f"trigger keys reached the window: {typed}")
        check(s.menus() == 0, "the window went into menu mode")
        time.sleep(0.2)
        down = s.keys_down()
        check(not down, f"keys still down after the load: {sorted(down)}")
        check(s.responds(), "the program no longer answers messages")

        print(f"{presses} presses, {sum(sends.values())} sends; before: {before}; after: {after}")
        print(f"Linux view of the process, before: {linux_before}; after: {linux_after}")
        for name in ("handles", "gdi", "user"):
            check(after[name] <= before[name] + OBJECT_SLACK,
                  f"{name} grew from {before[name]} to {after[name]} over {sum(sends.values())} sends")
        check(after["private"] <= before["private"] + MEMORY_SLACK,
              f"private memory grew from {before['private']} to {after['private']} bytes")
        check(linux_after["fds"] <= linux_before["fds"] + OBJECT_SLACK,
              f"open descriptors grew from {linux_before['fds']} to {linux_after['fds']}")


if __name__ == "__main__":
    run_cases([nine_rows_500_times])
