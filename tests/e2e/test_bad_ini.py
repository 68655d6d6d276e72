#!/usr/bin/env python3
"""set.ini in every shape but the right one: random bytes, UTF-16, very long lines, target keys
and trigger codes out of range or not numbers at all, missing sections, a file or a folder that
cannot be written. The program starts, shows what it can, registers and types nothing it should
not, ends cleanly through its close area and leaves the values it did not write as they were."""

import os
import random
import shutil
import subprocess
import time

from harness import (EXIT_AREA, PLACEHOLDER, VK_CONTROL, VK_MENU, Session, check, encode_ini, run_cases, trace,
                     trigger_entries, wait_for_exit, wait_until)

ROW_SECTIONS = ("conftext", "conftooltip", "remark")
NOT_SET = "Not set hotkey"
SAVE_FAILED = "保存失败"
IDCANCEL, IDRETRY = 2, 4


def raw_sections(text):
    """Each section's lines exactly as stored, header included (text decoded one byte to one
    character for ANSI files, so equal text is equal bytes)."""
    sections, current = {}, None
    for line in text.split("\n"):
        stripped = line.strip()
        if stripped.startswith("[") and "]" in stripped:
            current = stripped[1:stripped.index("]")]
            sections.setdefault(current, [])
        if current is not None:
            sections[current].append(line)
    return sections


def start_on(s, data):
    s.ini.write_bytes(data)
    return s.start_vantero()


def exit_through_close_area(s, process, save_fails=False):
    """The program still answers, then ends through its close area with code 0. Where the save
    fails it says why first, and ends once told to go without saving."""
    check(s.responds(), "the program does not answer before its exit")
    s.click_client(*EXIT_AREA)
    if save_fails:
        message = s.message_box(caption=SAVE_FAILED, press=IDCANCEL, timeout=20)
        check(str(s.ini.name) in message and "直接退出" in message, f"the exit said {message!r}")
    code = wait_for_exit(process, "the program", 20)
    check(code == 0, f"the program ended with code {code}")


def check_rows_kept(s, before, encoding="latin-1"):
    """The sections of the rows are byte for byte what they were: the exit writes only triggers."""
    after = raw_sections(s.ini.read_bytes().decode(encoding))
    for name in ROW_SECTIONS:
        check(after.get(name) == before.get(name),
              f"section {name} changed:\n{before.get(name)!r}\nbecame\n{after.get(name)!r}")


def check_refused(s, k):
    s.click_check(k)
    check(s.message_box() == NOT_SET, f"ticking row {k + 1} should say {NOT_SET!r}")
    check(not s.rows()[k].checked, f"row {k + 1} was left checked")


def check_types_nothing(s, digits):
    """Ctrl+Alt+digit, one digit after another: the recorder gets the user's keys and nothing
    from the program."""
    s.focus_recorder()
    mark = s.mark()
    s.xdotool("keydown", "ctrl+alt", "key", "--delay", "30", *digits, "sleep", "0.6", "keyup", "alt", "keyup", "ctrl")
    wait_until("the user's Ctrl to come up",
               lambda: any(not e.down and e.vk == VK_CONTROL for e in s.events_since(mark)), timeout=10)
    time.sleep(0.3)
    events = s.events_since(mark)
    own = {VK_CONTROL, VK_MENU} | {ord(d) for d in digits}
    typed = [e for e in events if e.vk not in own]
    check(not typed, f"the program typed {trace(typed)}")
    modifiers = [e for e in events if e.vk in (VK_CONTROL, VK_MENU)]
    check(trace(modifiers) == "dn:17 dn:18 up:18 up:17", f"Ctrl and Alt were pressed by the program: {trace(events)}")


def make_unwritable(path):
    """Makes a file or folder read-only: the Windows read-only attribute as Wine keeps it (no
    write permission), and, where that does not stop this user (root), the immutable flag.
    Returns whether a write really fails now."""
    path.chmod(0o555 if path.is_dir() else 0o444)
    if os.geteuid() == 0 and shutil.which("chattr"):
        subprocess.run(["chattr", "+i", str(path)], capture_output=True)
    try:
        if path.is_dir():
            (path / "write-test").touch()
            (path / "write-test").unlink()
        else:
            with open(path, "ab"):
                pass
        return False
    except OSError:
        return True


def make_writable(path):
    if shutil.which("chattr"):
        subprocess.run(["chattr", "-i", str(path)], capture_output=True)
    path.chmod(0o755 if path.is_dir() else 0o644)


def random_bytes(options):
    with Session(options, "bad-random") as s:
        data = bytes(random.Random(5).randrange(256) for _ in range(6000))
        check(b"[KeyLatch]" not in data, "the random file holds a section after all")
        process = start_on(s, data)
        rows = s.rows()
        check(all((r.hotkey, r.target, r.remark) == (PLACEHOLDER, "", "") for r in rows),
              f"rows read from random bytes: {rows}")
        check_refused(s, 0)
        s.start_recorder()
        check_types_nothing(s, "19")
        exit_through_close_area(s, process)
        # The triggers are saved into the file even so, where the next start finds them. (Wine's
        # profile functions write the whole file again as they read it: bytes that are not text in
        # the ANSI code page come back as "?". Nothing else of the file was a value to keep.)
        saved = raw_sections(s.ini.read_bytes().decode("latin-1")).get("KeyLatch", [])
        check("KeyLatch9ModKeyCode=0\r" in saved, f"the exit saved no triggers: {saved}")


def utf16_file(options):
    with Session(options, "bad-utf16") as s:
        text = ("[conftext]\r\n0=Ctrl + C\r\n[conftooltip]\r\n0=2|17|67\r\n[remark]\r\n0=复制\r\n"
                "[KeyLatch]\r\nKeyLatch1Text=Ctrl + Alt + 1\r\nKeyLatch1KeyCode=49\r\nKeyLatch1ModKeyCode=3\r\n")
        # Saved as "Unicode" by an editor: UTF-16 with its byte-order mark. The profile functions
        # read such a file, so the rows show it.
        process = start_on(s, b"\xff\xfe" + text.encode("utf-16-le"))
        row = s.rows()[0]
        check((row.hotkey, row.target, row.remark) == ("Ctrl + Alt + 1", "Ctrl + C", "复制"),
              f"row 1 read from a UTF-16 file: {row}")
        s.set_check(0, True)
        exit_through_close_area(s, process)
        data = s.ini.read_bytes()
        check(data.startswith(b"\xff\xfe"), f"the file is no longer UTF-16: {data[:40]!r}")
        check_rows_kept(s, raw_sections(text), encoding="utf-16")


def long_lines(options):
    with Session(options, "bad-long") as s:
        remark = "复制" * 300
        target = "a" + "备注" * 300  # one byte first: the cut falls inside a character
        sections = {
            "conftext": {"0": "K" * 5000, "1": target},
            "conftooltip": {"0": "1|65" + "|66" * 3000},
            "remark": {"0": remark},
            "KeyLatch": trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3),
        }
        data = encode_ini(sections) + b"[junk]\r\n" + b"x" * 100_000 + b"\r\n" + b"k" * 10_000 + b"=v\r\n"
        process = start_on(s, data)
        rows = s.rows()
        # A value comes back cut to 254 bytes (in the ANSI code page), never in a character's middle.
        cut = ((rows[0].target, "K" * 5000, "row 1's target"), (rows[0].remark, remark, "row 1's remark"),
               (rows[1].target, target, "row 2's target"))
        for shown, stored, what in cut:
            size = len(shown.encode("gbk"))
            check(stored.startswith(shown) and 250 <= size <= 254, f"{what}: {size} bytes shown: {shown!r}")

        # Fields after the count are ignored: only A is typed.
        s.set_check(0, True)
        s.start_recorder()
        s.focus_recorder()
        mark = s.mark()
        s.xdotool("keydown", "ctrl+alt+1", "sleep", "0.05", "keyup", "1")
        wait_until("the send", lambda: any(not e.down and e.vk == 0x41 for e in s.events_since(mark)), timeout=10)
        s.xdotool("keyup", "alt", "keyup", "ctrl")
        time.sleep(0.3)
        typed = [e for e in s.events_since(mark) if e.vk not in (VK_CONTROL, VK_MENU, ord("1"))]
        check(trace(typed) == "dn:65 up:65", f"the long key-sequence string typed {trace(typed)}")

        exit_through_close_area(s, process)
        check_rows_kept(s, raw_sections(data.decode("latin-1")))


def targets_out_of_range_cannot_be_ticked(options):
    with Session(options, "bad-targets") as s:
        bad = ["4|65", "0|65", "1|256", "2|65", "1|", "1|abc", "3|17|18|99999999999999999999", "-1|65", "1| 65"]
        triggers = {}
        for n in range(1, 10):
            triggers.update(trigger_entries(n, f"Ctrl + Alt + {n}", ord(str(n)), 3))
        # No "conftext" and no "remark" section at all, and a line outside any section.
        text = "stray=line\r\n" + encode_ini({"conftooltip": dict(enumerate(bad)), "KeyLatch": triggers}).decode("gbk")
        data = text.encode("gbk")
        process = start_on(s, data)
        rows = s.rows()
        check(all((r.target, r.remark) == ("", "") for r in rows), f"rows without conftext and remark: {rows}")
        # Target keys the program cannot type are no target keys: the rows say so and stay off.
        for k in range(9):
            s.click_check(k)
            check("还没有设置要发送的按键" in s.message_box(), f"row {k + 1} with target {bad[k]!r}")
        check(not any(r.checked for r in s.rows()), "a row with target keys it cannot type was ticked")
        s.start_recorder()
        check_types_nothing(s, "123456789")
        check(s.ini.read_bytes() == data, "set.ini changed before the exit")
        exit_through_close_area(s, process)
        check_rows_kept(s, raw_sections(text))


def unreadable_trigger_codes(options):
    with Session(options, "bad-codes") as s:
        codes = [("abc", "3"), ("", "3"), ("300", "3"), ("-5", "3"), ("49", "16"), ("49", "99999999999"),
                 ("0x31", "3"), ("49", "x")]
        triggers = {}
        for n, (key, mods) in enumerate(codes, start=1):
            triggers.update({f"KeyLatch{n}Text": f"Ctrl + Alt + {n}", f"KeyLatch{n}KeyCode": key,
                             f"KeyLatch{n}ModKeyCode": mods})
        triggers.update({"KeyLatch9Text": "Ctrl + Alt + 9", "KeyLatch9ModKeyCode": "3"})  # no key code
        sections = {"conftext": {str(k): "A" for k in range(9)}, "conftooltip": {str(k): "1|65" for k in range(9)},
                    "remark": {str(k): f"备注{k}" for k in range(9)}, "KeyLatch": triggers}
        data = encode_ini(sections)
        process = start_on(s, data)
        rows = s.rows()
        # Codes that are not numbers in range read as nothing captured; a missing key code is 0
        # and leaves the text as it was written.
        shown = [r.hotkey for r in rows]
        check(shown == [PLACEHOLDER] * 8 + ["Ctrl + Alt + 9"], f"triggers shown: {shown}")
        check(all(r.target == "A" and r.remark == f"备注{k}" for k, r in enumerate(rows)), f"rows: {rows}")
        for k in (0, 5, 8):
            check_refused(s, k)
        s.start_recorder()
        check_types_nothing(s, "123456789")
        exit_through_close_area(s, process)
        check_rows_kept(s, raw_sections(data.decode("latin-1")))
        # What the exit writes for a trigger it could not read is "nothing captured".
        saved = s.read_ini()["KeyLatch"]
        for n in range(1, 9):
            check((saved[f"KeyLatch{n}Text"], saved[f"KeyLatch{n}KeyCode"], saved[f"KeyLatch{n}ModKeyCode"]) ==
                  (PLACEHOLDER, "0", "0"), f"row {n}'s trigger saved as {saved}")


def capture_trigger(s, k):
    s.click_hotkey_box(k)
    s.press("ctrl", "shift", "F6")
    wait_until(f"row {k + 1}'s hotkey box to show the new trigger", lambda: s.rows()[k].hotkey == "Ctrl + Shift + F6")


def read_only_file(options):
    with Session(options, "ro-file") as s:
        data = encode_ini({"conftext": {"0": "B"}, "conftooltip": {"0": "1|66"}, "remark": {"0": "只读"},
                           "KeyLatch": trigger_entries(1, "Ctrl + Alt + 1", ord("1"), 3)})
        s.ini.write_bytes(data)
        try:
            unwritable = make_unwritable(s.ini)
            process = s.start_vantero()
            row = s.rows()[0]
            check((row.hotkey, row.target, row.remark) == ("Ctrl + Alt + 1", "B", "只读"), f"row 1: {row}")
            capture_trigger(s, 1)  # something for the exit to save
            exit_through_close_area(s, process, save_fails=unwritable)
            if unwritable:
                check(s.ini.read_bytes() == data, "a read-only set.ini was changed")
            else:
                print("set.ini could not be made read-only here: its contents are not checked")
        finally:
            make_writable(s.ini)


def read_only_folder(options):
    with Session(options, "ro-folder") as s:
        try:
            unwritable = make_unwritable(s.dir)
            process = s.start_vantero()
            capture_trigger(s, 0)
            exit_through_close_area(s, process, save_fails=unwritable)
            if unwritable:
                check(not s.ini.exists(), "set.ini was made in a read-only folder")
            else:
                print("the folder could not be made read-only here: the missing file is not checked")
        finally:
            make_writable(s.dir)


if __name__ == "__main__":
    run_cases([random_bytes, utf16_file, long_lines, targets_out_of_range_cannot_be_ticked, unreadable_trigger_codes,
               read_only_file, read_only_folder])
