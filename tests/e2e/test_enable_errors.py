#!/usr/bin/env python3
"""A row's box shows whether its trigger works: ticking a row that cannot be enabled shows the
hotkey control's message and leaves the box unchecked; a new capture unticks it. The hotkey box
captures what is pressed."""

import time

from harness import PLACEHOLDER, Session, check, run_cases, seen, trigger_entries, wait_until

VK_4 = 0x34


def rows_that_cannot_be_enabled_stay_unchecked(options):
    with Session(options, "enable-errors") as s:
        # Row 1 has no trigger; rows 4 and 5 were stored with the same one.
        s.write_ini({
            "KeyLatch": {**trigger_entries(4, "Ctrl + Alt + 4", VK_4, 3),
                         **trigger_entries(5, "Ctrl + Alt + 4", VK_4, 3)},
            "conftext": {"3": "A", "4": "B"},
            "conftooltip": {"3": "1|65", "4": "1|66"},
        })
        s.start_vantero()

        s.click_check(0)
        check(s.message_box() == "Not set hotkey", "ticking a row without a trigger should say so")
        rows = s.rows()
        check(not rows[0].checked, "a row without a trigger was left checked")
        check(rows[0].hotkey == PLACEHOLDER, f"row 1's hotkey box changed: {rows[0].hotkey!r}")

        s.set_check(3, True)
        s.click_check(4)
        check(s.message_box() == "Hotkey already exists, please change a hotkey.",
              "ticking a row whose trigger another row holds should say so")
        rows = s.rows()
        check(not rows[4].checked, "the row whose trigger is taken was left checked")
        check(rows[4].hotkey == PLACEHOLDER, f"the refused trigger should be cleared, shows {rows[4].hotkey!r}")
        check(rows[3].checked and rows[3].hotkey == "Ctrl + Alt + 4", "the row holding the trigger changed")

        # The cleared row now has no trigger at all.
        s.click_check(4)
        check(s.message_box() == "Not set hotkey", "the cleared row should have no trigger left")
        check(not s.rows()[4].checked, "the cleared row was left checked")


def rows_without_target_keys_or_with_a_typing_key_ask_first(options):
    with Session(options, "enable-asks") as s:
        s.write_ini({
            "KeyLatch": {**trigger_entries(1, "A", 0x41, 0), **trigger_entries(2, "Ctrl + Alt + 2", ord("2"), 3),
                         **trigger_entries(3, "F9", 0x78, 0),
                         # Codes without their text: nothing captured, whatever the codes say.
                         "KeyLatch4KeyCode": "86", "KeyLatch4ModKeyCode": "2"},
            "conftext": {"0": "B", "2": "C", "3": "D"},
            "conftooltip": {"0": "1|66", "2": "1|67", "3": "1|68"},
        })
        s.start_vantero()

        # A plain typing key alone: the user is told what it does, and "否" leaves the row off.
        s.click_check(0)
        question = s.message_box(caption="请确认", press=7)
        check("“A”" in question and "不会再输入" in question, f"the question was {question!r}")
        check(not s.rows()[0].checked, "answered no, the row was ticked all the same")
        s.click_check(0)
        s.message_box(caption="请确认", press=6)
        wait_until("row 1 to be ticked after yes", lambda: s.rows()[0].checked)
        # A function key is no typing key: ticked without a question.
        s.set_check(2, True)

        # A trigger without target keys would do nothing anywhere: refused with a message.
        s.click_check(1)
        check("还没有设置要发送的按键" in s.message_box(), "a row without target keys should say so")
        check(not s.rows()[1].checked, "a row without target keys was ticked")

        check(s.rows()[3].hotkey == PLACEHOLDER, f"row 4 shows {s.rows()[3].hotkey!r}")
        s.click_check(3)
        check(s.message_box() == "Not set hotkey", "row 4's codes without a text should count as no trigger")


def a_capture_unticks_its_row_and_sees_win_only_while_it_is_down(options):
    with Session(options, "capture") as s:
        s.write_ini({"KeyLatch": trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3),
                     "conftext": {"0": "B"}, "conftooltip": {"0": "1|66"}})
        s.start_vantero()
        s.start_recorder()
        s.set_check(0, True)
        stored = s.ini.read_bytes()

        # A new trigger pressed into a ticked row unregisters the old one: the box says so, and
        # nothing is stored before the exit.
        s.click_hotkey_box(0)
        s.press("ctrl", "alt", "j")
        wait_until("the new trigger", lambda: s.rows()[0].hotkey == "Ctrl + Alt + J")
        wait_until("row 1's box to be unticked", lambda: not s.rows()[0].checked)
        check(s.ini.read_bytes() == stored, "capturing a trigger changed set.ini")
        # Ticked again, the new trigger types the row's target.
        s.set_check(0, True)
        s.focus_recorder()
        mark = s.mark()
        s.press("ctrl", "alt", "j", hold=0.5)
        time.sleep(0.3)
        check(seen(s.events_since(mark), (0x42,)) == "dn:66{} up:66", f"the window got {seen(s.events_since(mark))}")

        # Win held in row 2's box and let go while another window has the focus: the next
        # capture there has no Win.
        s.click_hotkey_box(1)
        s.xdotool("keydown", "super")
        wait_until("Win in the box", lambda: s.rows()[1].hotkey == "Win + ")
        s.focus_recorder()
        s.xdotool("keyup", "super")
        s.click_hotkey_box(1)
        s.press("ctrl", "alt", "k")
        wait_until("row 2's trigger", lambda: s.rows()[1].hotkey.endswith("K"))
        check(s.rows()[1].hotkey == "Ctrl + Alt + K", f"row 2 captured {s.rows()[1].hotkey!r}")


if __name__ == "__main__":
    run_cases([rows_that_cannot_be_enabled_stay_unchecked, rows_without_target_keys_or_with_a_typing_key_ask_first,
               a_capture_unticks_its_row_and_sees_win_only_while_it_is_down])
