#!/usr/bin/env python3
"""Ticking a row that cannot be enabled shows the hotkey control's message and leaves the box
unchecked."""

from harness import PLACEHOLDER, Session, check, run_cases, trigger_entries

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


if __name__ == "__main__":
    run_cases([rows_that_cannot_be_enabled_stay_unchecked])
