#!/usr/bin/env python3
"""Saving never fails quietly: a set.ini held by another program is waited for a moment, and
beyond that the user is told which file and why, at the exit and in the editor, and may try
again; a program folder named outside the code page keeps its settings."""

from harness import (EDIT_REMARK_BOX, EDIT_SAVE_REMARK, EXIT_AREA, REMARK_LEFT, REMARK_TOPS, Session, check,
                     click_editor, run_cases, trigger_entries, wait_for_exit, wait_until)
from test_bad_ini import IDCANCEL, IDRETRY, SAVE_FAILED, capture_trigger, exit_through_close_area


def open_remark_editor_and_save(s, k, text):
    """Types an ASCII remark into row k's remark editor and saves it."""
    s.click_client(REMARK_LEFT + 40, REMARK_TOPS[k] + 12)
    click_editor(s, EDIT_REMARK_BOX)
    s.xdotool("type", text)
    click_editor(s, EDIT_SAVE_REMARK)


def a_held_set_ini_is_waited_for_or_reported(options):
    stored = {"KeyLatch": trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3)}
    # Held for a moment at the exit: the save waits for it.
    with Session(options, "held-short") as s:
        s.write_ini(stored)
        process = s.start_vantero()
        capture_trigger(s, 1)
        s.lock_file(s.ini, 1.5)
        exit_through_close_area(s, process)
        check(s.read_ini()["KeyLatch"]["KeyLatch2Text"] == "Ctrl + Shift + F6", f"set.ini: {s.read_ini()}")
    # Held for longer: the exit says why it cannot save, tries again when asked, and ends
    # without saving only when told to.
    with Session(options, "held-long") as s:
        s.write_ini(stored)
        data = s.ini.read_bytes()
        process = s.start_vantero()
        capture_trigger(s, 1)
        s.lock_file(s.ini, 60)
        s.click_client(*EXIT_AREA)
        for press in (IDRETRY, IDCANCEL):
            message = s.message_box(caption=SAVE_FAILED, press=press, timeout=20)
            check("占用" in message and str(s.ini.name) in message, f"the exit said {message!r}")
        check(wait_for_exit(process, "the program", 20) == 0, "the program ended badly")
        check(s.ini.read_bytes() == data, "set.ini changed though its save was given up")


def set_ini_as_a_folder_is_reported(options):
    with Session(options, "folder") as s:
        s.ini.mkdir()
        process = s.start_vantero()
        open_remark_editor_and_save(s, 0, "abc")
        message = s.message_box(caption=SAVE_FAILED, press=IDCANCEL)
        check("文件夹" in message, f"the editor said {message!r}")
        wait_until("row 1's remark for this run", lambda: s.rows()[0].remark == "abc")
        capture_trigger(s, 1)
        exit_through_close_area(s, process, save_fails=True)
        check(s.ini.is_dir(), "the folder named set.ini was replaced")


def a_folder_the_code_page_cannot_name(options):
    with Session(options, "unicode", folder_suffix="-äñß한국어😀") as s:
        process = s.start_vantero()
        open_remark_editor_and_save(s, 2, "xyz")
        s.wait_main_window(visible=True)
        capture_trigger(s, 1)
        exit_through_close_area(s, process)
        s.start_vantero()
        rows = s.rows()
        check((rows[1].hotkey, rows[2].remark) == ("Ctrl + Shift + F6", "xyz"), f"after a restart: {rows}")


if __name__ == "__main__":
    run_cases([a_held_set_ini_is_waited_for_or_reported, set_ini_as_a_folder_is_reported,
               a_folder_the_code_page_cannot_name])
