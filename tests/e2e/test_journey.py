#!/usr/bin/env python3
"""A new user's whole first session, with real X input only: capture a trigger in row 1, pick its
target keys and type its remark in the editor, tick it, use it in another window; exit through the
tray menu, start again, and everything is still there and works."""

import subprocess
import time

from harness import (EDIT_LOVEA, EDIT_LOVEK, EDIT_REMARK_BOX, EDIT_SAVE_KEYS, EDIT_SAVE_REMARK, HOTKEY_LEFT,
                     HOTKEY_TOPS, PLACEHOLDER, REMARK_LEFT, REMARK_TOPS, TARGET_LEFT, TARGET_TOPS, Session, check,
                     click_editor, editor, run_cases, seen, wait_for_exit, wait_until)

VK_A, VK_5 = 0x41, 0x35
REMARK = "复制"
TRIGGER = ["ctrl", "alt", "5"]


def pick(s, selector_at, first_letter):
    """Drops a list with a click, types the name's first letter and takes it with Enter."""
    click_editor(s, selector_at)
    time.sleep(0.3)
    s.xdotool("key", first_letter)
    s.xdotool("key", "Return")
    time.sleep(0.3)


def type_remark(s, text):
    """Without an input method on the test display, Chinese text comes the other way a user
    enters it: copied to the clipboard and pasted with Ctrl+V."""
    # xclip serves the selection until it is killed; in the foreground, with no pipe of ctest's.
    owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"], stdin=subprocess.PIPE,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    s.processes.append(owner)
    owner.stdin.write(text.encode("utf-8"))
    owner.stdin.close()
    time.sleep(0.3)
    click_editor(s, EDIT_REMARK_BOX)
    s.xdotool("key", "ctrl+v")
    time.sleep(0.3)


def use_trigger(s):
    """Presses the trigger while the recorder has the focus; returns Vantero's own key events."""
    s.focus_recorder()
    start = s.mark()
    s.xdotool("keydown", "ctrl+alt+5")
    # The user holds the trigger until the target keys are typed and let go again.
    wait_until("the target keys", lambda: any(e.vk == VK_A and not e.down for e in s.events_since(start)), 5)
    for key in reversed(TRIGGER):
        s.xdotool("keyup", key)
    time.sleep(0.3)
    events = s.events_since(start)
    # Ctrl + A, as the window sees it: A with the user's own Ctrl, and Alt lifted meanwhile.
    check(seen(events, (VK_A,)) == "dn:65{c} up:65", f"the recorder got {seen(events)}")
    a_down, a_up = [e for e in events if e.vk == VK_A]
    held = a_up.posted - a_down.posted
    check(150 <= held <= 1500, f"Ctrl + A was held {held} ms, not about 200 ms")
    check(not s.keys_down(), f"keys left down: {s.keys_down()}")


def journey(options):
    with Session(options, "journey") as s:
        process = s.start_vantero()
        s.start_recorder()
        check(all(r.hotkey == PLACEHOLDER and not r.target and not r.remark for r in s.rows()),
              "a first start shows empty rows")

        # The trigger: pressed into row 1's hotkey box.
        s.click_client(HOTKEY_LEFT + 30, HOTKEY_TOPS[0] + 10)
        s.press(*TRIGGER)
        wait_until("row 1's trigger", lambda: s.rows()[0].hotkey == "Ctrl + Alt + 5")

        # The target keys: "Ctrl" and "A" picked in the editor opened from row 1's target box.
        s.click_client(TARGET_LEFT + 30, TARGET_TOPS[0] + 10)
        wait_until("the editor", lambda: editor(s))
        s.wait_main_window(visible=False)
        pick(s, EDIT_LOVEA, "c")  # the first list's first name with a C is "Ctrl"
        pick(s, EDIT_LOVEK, "a")
        click_editor(s, EDIT_SAVE_KEYS)
        s.wait_main_window(visible=True)
        wait_until("row 1's target", lambda: s.rows()[0].target == "Ctrl + A")
        check(s.read_ini().get("conftooltip", {}).get("0") == "2|17|65", f"set.ini: {s.read_ini()}")

        # The remark, typed in Chinese into the editor opened from row 1's remark.
        s.click_client(REMARK_LEFT + 40, REMARK_TOPS[0] + 12)
        wait_until("the editor", lambda: editor(s))
        type_remark(s, REMARK)
        click_editor(s, EDIT_SAVE_REMARK)
        s.wait_main_window(visible=True)
        wait_until("row 1's remark", lambda: s.rows()[0].remark == REMARK)
        check(s.read_ini().get("remark", {}).get("0") == REMARK, f"set.ini: {s.read_ini()}")

        s.set_check(0, True)
        use_trigger(s)

        s.exit_from_tray_menu()
        check(wait_for_exit(process, "the program", 20) == 0, "the program ended badly")
        check(s.read_ini().get("KeyLatch", {}).get("KeyLatch1KeyCode") == str(VK_5), f"set.ini: {s.read_ini()}")

        # The next day: everything is back, and ticking row 1 makes the trigger work again.
        s.start_vantero()
        row = s.rows()[0]
        check((row.hotkey, row.target, row.remark, row.checked) == ("Ctrl + Alt + 5", "Ctrl + A", REMARK, False),
              f"after the restart row 1 is {row}")
        # Hovering over the target box shows the key-sequence string it sends.
        main = s.main_window()
        s.xdotool("mousemove", main.rect[0] + TARGET_LEFT + 30, main.rect[1] + TARGET_TOPS[0] + 10)
        wait_until("the target box's tooltip", lambda: s.tooltip() == "2|17|65", timeout=10)
        s.set_check(0, True)
        use_trigger(s)


if __name__ == "__main__":
    run_cases([journey])
