#!/usr/bin/env python3
"""The data checker passes the shipped files and catches each kind of fault.

Each case copies data/Data to a scratch folder, spoils one thing and runs
tools/check-data.py on it, expecting exit status 1 and the fault's message.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CHECKER = os.path.join(ROOT, "tools", "check-data.py")
DATA = os.path.join(ROOT, "data", "Data")


def edit_line(file, match, new):
    """Replaces the first line that starts with `match`."""
    def apply(lines):
        for i, line in enumerate(lines):
            if line.startswith(match):
                lines[i] = new(line)
                return lines
        raise AssertionError(f"no line of {file} starts with {match!r}")
    return file, apply


def set_field(file, match, index, value):
    def new(line):
        parts = line.split(",")
        parts[index] = value
        return ",".join(parts)
    return edit_line(file, match, new)


def drop_lines(file, keep):
    return file, lambda lines: [l for l in lines if keep(l)]


def field(line, index):
    return line.split(",")[index]


CASES = [
    # (what, (file, edit), expected text in the output)
    ("missing field", edit_line("item.dat", "Long Sword,", lambda l: l.rsplit(",", 1)[0]), "9 fields, expected 10"),
    ("name too wide", set_field("item.dat", "Long Sword,", 0, "L" * 24), "at most 23"),
    ("bonus on a weapon", set_field("item.dat", "Long Sword,", 5, "10"), "stat bonuses on a weapon"),
    ("category without slot", set_field("item.dat", "Long Sword,", 3, "7"), "has no equipment slot"),
    ("category not canonical", set_field("item.dat", "Padded Vest,", 3, "02"), "not a plain decimal number"),
    ("blank at a field's end", set_field("item.dat", "Padded Vest,", 3, "2 "), "has blanks at its ends"),
    ("no necklaces", drop_lines("item.dat", lambda l: field(l, 3) != "6"), "no item of category 6"),
    ("duplicate item", edit_line("item.dat", "Hand Axe,", lambda l: "Long Sword" + l[len("Hand Axe"):]),
     "already on line"),
    ("armour stops every blow", set_field("item.dat", "Padded Vest,", 2, "30000"), "no monster blow ever lands"),
    ("line too long", set_field("item.dat", "Padded Vest,", 1, "9" * 80), "the game reads at most 98"),
    ("area out of range", set_field("monster.dat", "Giant Rat,", 1, "30"), "outside 0..29"),
    ("area without monsters", drop_lines("monster.dat", lambda l: field(l, 1) != "12"), "no monster for area 13"),
    ("group too large", set_field("monster.dat", "Giant Rat,", 7, "17"), "outside 1..16"),
    ("gold not a number", set_field("monster.dat", "Giant Rat,", 8, "12k"), "not a whole number of gold"),
    ("colour markup in a name", set_field("monster.dat", "Giant Rat,", 0, "Giant `red` Rat"), "backquote"),
    ("hit points too wide", set_field("monster.dat", "Giant Rat,", 2, "1" * 20), "at most 19"),
    ("non-ASCII byte", set_field("monster.dat", "Giant Rat,", 0, "Giant R\u00e4t"), "not printable ASCII"),
    ("empty spell book", drop_lines("magic.dat", lambda l: field(l, 4) != "6"), "spell book 6 has no spell"),
    ("spell of power 0", set_field("magic.dat", "Fireball,", 2, "0"), "outside 1.."),
    ("poison price too wide", set_field("poison.dat", "Hemlock,", 1, "1" * 50), "at most 49"),
    ("poison beyond the prompt", ("poison.dat", lambda lines: lines + [f"Venom {i},{100 + i},3" for i in range(95)]),
     "needs 3 digits; the poison prompt takes 2"),
    ("missing file", ("poison.dat", None), "missing"),
]


class CheckData(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="check-data-")
        self.data = os.path.join(self.dir, "Data")
        shutil.copytree(DATA, self.data)

    def tearDown(self):
        shutil.rmtree(self.dir)

    def run_checker(self, *args):
        done = subprocess.run([sys.executable, CHECKER, *args, self.data], capture_output=True, text=True)
        return done.returncode, done.stdout + done.stderr

    def rewrite(self, file, apply):
        path = os.path.join(self.data, file)
        if apply is None:
            os.remove(path)
            return
        with open(path, encoding="latin-1") as f:
            lines = f.read().splitlines()
        with open(path, "w", encoding="latin-1", newline="\n") as f:
            f.write("\n".join(apply(lines)) + "\n")

    def test_shipped_data_is_clean(self):
        code, out = self.run_checker("--strict")
        self.assertEqual(code, 0, out)
        self.assertIn("0 faults, 0 warnings", out)

    def test_each_fault_is_caught(self):
        for what, (file, apply), expected in CASES:
            with self.subTest(what):
                self.tearDown()
                self.setUp()
                self.rewrite(file, apply)
                code, out = self.run_checker()
                self.assertEqual(code, 1, out)
                self.assertIn(expected, out)

    def test_warnings_fail_only_when_strict(self):
        self.rewrite("poison.dat", lambda lines: lines[:3] + [""] + lines[3:])
        code, out = self.run_checker()
        self.assertEqual(code, 0, out)
        self.assertIn("blank line", out)
        code, _ = self.run_checker("--strict")
        self.assertEqual(code, 1)

    def test_crlf_line_endings_are_read(self):
        path = os.path.join(self.data, "item.dat")
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data.replace(b"\n", b"\r\n"))
        code, out = self.run_checker("--strict")
        self.assertEqual(code, 0, out)


if __name__ == "__main__":
    unittest.main()
