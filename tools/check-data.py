#!/usr/bin/env python3
"""Checks the game's data files against the record formats the game reads.

    tools/check-data.py [--strict] [DATA_DIR]

DATA_DIR is the game's Data/ folder (default: data/Data of this source tree).
Checks Data/monster.dat, Data/item.dat, Data/magic.dat, Data/poison.dat and,
when present, Data/quests.dat: line lengths, field counts, field widths,
number ranges, the categories, spell books and hunting areas the game needs,
record limits and the sanity of the numbers. Every fault is printed as
"file:line: message"; the exit status is 1 when there is any fault (with
--strict, also any warning) and 0 otherwise. Run it after editing a file:
the game itself skips a bad line silently, which loses the record.
"""
import os
import re
import sys

MAX_RECORDS = 1200        # records a reader keeps; the rest are ignored
ARMOUR_DIVISOR = 26050    # armour total / 26050 is the share of a blow armour stops
INT32_MAX = 2**31 - 1
INT64_MAX = 2**63 - 1

NUMBER = re.compile(r"^(0|-?[1-9][0-9]*)$")
DIGITS = re.compile(r"^(0|[1-9][0-9]*)$")

# Item categories that have an equipment slot, and what the shops call them.
SLOT_CATEGORIES = {0: "weapon", 2: "armor", 3: "shield", 4: "helmet", 5: "cloak", 6: "necklace",
                   8: "arms", 9: "legs", 10: "ring", 12: "feet", 13: "hands"}
# How many worn slots each category fills (both hands, two necklaces, two rings).
WORN_SLOTS = {2: 1, 3: 1, 4: 1, 5: 1, 6: 2, 8: 1, 9: 1, 10: 2, 12: 1, 13: 1}
SPELL_BOOKS = range(0, 11)
AREAS = 30


class Field:
    """One comma-separated field: its name, longest value and kind."""

    def __init__(self, name, width, kind, low=None, high=None):
        self.name, self.width, self.kind, self.low, self.high = name, width, kind, low, high


# file name -> (line limit of the reader, fields)
FORMATS = {
    "monster.dat": (149, [
        Field("name", 27, "text"), Field("area", 4, "int", 0, AREAS - 1),
        Field("hit points", 19, "int", 1, INT64_MAX), Field("attack", 9, "int", 0, INT32_MAX),
        Field("defence", 9, "int", 0, INT32_MAX), Field("magic", 9, "int", 0, INT32_MAX),
        Field("poison", 9, "int", 0, INT32_MAX), Field("group bound", 4, "int", 1, 16),
        Field("gold", 99, "gold"), Field("experience", 29, "int", 0, INT64_MAX)]),
    "item.dat": (99, [
        Field("name", 23, "text"), Field("price", 99, "gold"), Field("power", 19, "int", 0, INT64_MAX),
        Field("category", 2, "int", 0, 99)] + [
        Field(f"{b} bonus", 9, "int", -INT32_MAX, INT32_MAX)
        for b in ("agility", "max hit points", "max magic points", "strength", "defense", "mental")]),
    "magic.dat": (99, [
        Field("name", 28, "text"), Field("price", 99, "gold"), Field("power", 14, "int", 1, INT32_MAX),
        Field("cost", 14, "int", 0, INT32_MAX), Field("book", 2, "int", 0, 10)]),
    "poison.dat": (99, [
        Field("name", 28, "text"), Field("price", 49, "gold"), Field("poison power", 4, "int", 0, 9999)]),
    "quests.dat": (1023, [
        Field("title", 199, "text"), Field("author", 199, "text"), Field("script file", 1023, "text")]),
}
OPTIONAL = {"quests.dat"}


class Report:
    def __init__(self):
        self.faults = 0
        self.warnings = 0

    def fault(self, where, message):
        self.faults += 1
        print(f"{where}: {message}")

    def warn(self, where, message):
        self.warnings += 1
        print(f"{where}: warning: {message}")


def read_lines(path, limit, report):
    """Yields (line number, text) of every non-blank line, checking the bytes first."""
    with open(path, "rb") as f:
        data = f.read()
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    for number, raw in enumerate(lines, 1):
        where = f"{path}:{number}"
        # The reader takes at most limit - 1 bytes including the line break.
        length = len(raw) + 1
        if length > limit - 1:
            report.fault(where, f"line is {length} bytes with its line break; the game reads at most {limit - 1}")
            continue
        text = raw[:-1] if raw.endswith(b"\r") else raw
        if not text.strip():
            report.warn(where, "blank line (skipped by the game)")
            continue
        bad = [b for b in text if b < 32 or b > 126]
        if bad:
            report.fault(where, f"byte 0x{bad[0]:02X} is not printable ASCII")
            continue
        yield number, text.decode("ascii")


def parse_record(where, text, fields, report, trailing_comma_allowed=False):
    """Splits a line and checks every field; returns the values or None."""
    parts = text.split(",")
    if trailing_comma_allowed and len(parts) == len(fields) + 1 and parts[-1] == "":
        parts.pop()
    if len(parts) != len(fields):
        report.fault(where, f"{len(parts)} fields, expected {len(fields)} (commas separate fields; "
                            "names cannot hold a comma)")
        return None
    values = []
    ok = True
    for field, value in zip(fields, parts):
        if value == "":
            report.fault(where, f"{field.name} is empty")
            ok = False
            continue
        if value != value.strip():
            report.fault(where, f"{field.name} {value!r} has blanks at its ends")
            ok = False
            continue
        if len(value) > field.width:
            report.fault(where, f"{field.name} {value!r} is {len(value)} characters; at most {field.width}")
            ok = False
            continue
        if field.kind == "text":
            if "`" in value:
                report.fault(where, f"{field.name} {value!r} holds a backquote (colour markup)")
                ok = False
                continue
            values.append(value)
        elif field.kind == "gold":
            if not DIGITS.match(value):
                report.fault(where, f"{field.name} {value!r} is not a whole number of gold")
                ok = False
                continue
            values.append(int(value))
        else:
            if not NUMBER.match(value):
                report.fault(where, f"{field.name} {value!r} is not a plain decimal number")
                ok = False
                continue
            n = int(value)
            if not field.low <= n <= field.high:
                report.fault(where, f"{field.name} {n} is outside {field.low}..{field.high}")
                ok = False
                continue
            values.append(n)
    return values if ok else None


def load(path, name, report):
    limit, fields = FORMATS[name]
    records = []
    for number, text in read_lines(path, limit, report):
        values = parse_record(f"{path}:{number}", text, fields, report, trailing_comma_allowed=name == "quests.dat")
        if values is not None:
            records.append((number, values))
    # A hunt keeps up to 1200 monsters of one area (checked per area below).
    if name != "monster.dat" and len(records) > MAX_RECORDS:
        report.fault(path, f"{len(records)} records; the game keeps only the first {MAX_RECORDS}")
    return records


def unique_names(path, records, report, what):
    seen = {}
    for number, values in records:
        name = values[0]
        if name in seen:
            report.fault(f"{path}:{number}", f"{what} {name!r} already on line {seen[name]} "
                                             "(records are found by name)")
        else:
            seen[name] = number


def shop_limits(where, index, name, digits, columns, screen, report):
    """A shop entry must be reachable by its number and fit its list's name column."""
    if index >= 10 ** digits:
        report.fault(where, f"shop number {index} needs {len(str(index))} digits; the {screen} prompt takes {digits}")
    if len(name) > columns:
        report.warn(where, f"name {name!r} is wider than the {screen} list's {columns} columns")


def check_monsters(path, records, report):
    by_area = {}
    counts = {}
    for number, (name, area, hp, attack, defence, magic, poison, bound, gold, exp) in records:
        where = f"{path}:{number}"
        counts[area] = counts.get(area, 0) + 1
        names = by_area.setdefault(area, {})
        if name in names:
            report.warn(where, f"{name!r} is already in area {area + 1} on line {names[name]}")
        names.setdefault(name, number)
        if attack == 0:
            report.warn(where, "attack 0 counts as 1: this monster never lands a blow")
        for what, bound_value in (("magic", magic), ("poison", poison)):
            if 0 < bound_value < 6:
                report.warn(where, f"{what} {bound_value} never adds anything (the bonus is a draw below it, divided by 5)")
        if exp * max(1, bound - 1) > INT32_MAX:
            report.warn(where, "a full group's experience does not fit a 32-bit number")
    for area in range(AREAS):
        if counts.get(area, 0) == 0:
            report.fault(path, f"no monster for area {area + 1} (area field {area}); a search there finds nothing")
        elif counts[area] > MAX_RECORDS:
            report.fault(path, f"area {area + 1} has {counts[area]} monsters; a search keeps only {MAX_RECORDS}")


def check_items(path, records, report):
    unique_names(path, records, report, "item")
    best = {}
    seen = set()
    for index, (number, values) in enumerate(records):
        name, price, power, category = values[:4]
        bonuses = values[4:]
        where = f"{path}:{number}"
        if category not in SLOT_CATEGORIES:
            report.fault(where, f"category {category} has no equipment slot: the item can never be worn")
            continue
        seen.add(category)
        # The buy prompt takes 3 digits; the equipment screen shows names in 22 columns.
        shop_limits(where, index, name, 3, 22, "equipment", report)
        if any(bonuses) and category not in (6, 10):
            report.fault(where, f"stat bonuses on a {SLOT_CATEGORIES[category]}: only necklaces (6) and rings (10) "
                                "add them, but taking off any item subtracts them")
        if category in WORN_SLOTS:
            best[category] = max(best.get(category, 0), power)
    for category, label in SLOT_CATEGORIES.items():
        if category not in seen:
            report.fault(path, f"no item of category {category} ({label}): that shop list is empty")
    total = sum(best.get(c, 0) * n for c, n in WORN_SLOTS.items())
    if total >= ARMOUR_DIVISOR:
        report.fault(path, f"the best armour total is {total}: at {ARMOUR_DIVISOR} or more no monster blow ever lands")
    elif total > ARMOUR_DIVISOR * 3 // 4:
        report.warn(path, f"the best armour total is {total}: armour stops {100 * total // ARMOUR_DIVISOR}% of every blow")


def check_spells(path, records, report):
    unique_names(path, records, report, "spell")
    books = set()
    for index, (number, (name, price, power, cost, book)) in enumerate(records):
        where = f"{path}:{number}"
        books.add(book)
        shop_limits(where, index, name, 3, 25, "spell", report)
        if power == 1:
            report.warn(where, "power 1 always deals 0 damage")
    for book in SPELL_BOOKS:
        if book not in books:
            report.fault(path, f"spell book {book} has no spell")


def check_poisons(path, records, report):
    unique_names(path, records, report, "poison")
    if not records:
        report.fault(path, "no poison: the alchemist's shop is empty")
    for index, (number, (name, price, power)) in enumerate(records):
        where = f"{path}:{number}"
        shop_limits(where, index, name, 2, 15, "poison", report)
        if power == 0:
            report.warn(where, "poison power 0 does nothing")


def check_quests(path, records, report):
    quests_dir = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(path))), "Quests")
    for number, (title, author, script) in records:
        # The quest screen prints both on row 19 from column 18, 14 columns apart.
        if len(title) + len(author) > 80 - 17 - 14:
            report.warn(f"{path}:{number}", f"title and author take {len(title) + len(author)} columns; "
                                            f"{80 - 17 - 14} fit on the quest screen's row")
        if os.path.isdir(quests_dir) and not os.path.isfile(os.path.join(quests_dir, script)):
            report.fault(f"{path}:{number}", f"script {script!r} is not in {quests_dir}")


CHECKS = {"monster.dat": check_monsters, "item.dat": check_items, "magic.dat": check_spells,
          "poison.dat": check_poisons, "quests.dat": check_quests}


def main(argv):
    args = [a for a in argv[1:] if a != "--strict"]
    strict = len(args) != len(argv) - 1
    if len(args) > 1 or any(a.startswith("-") for a in args):
        print("usage: check-data.py [--strict] [DATA_DIR]", file=sys.stderr)
        return 2
    data_dir = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "Data")
    data_dir = os.path.normpath(data_dir)
    report = Report()
    for name, check in CHECKS.items():
        path = os.path.join(data_dir, name)
        if not os.path.isfile(path):
            if name not in OPTIONAL:
                report.fault(path, "missing: the game stops with \"Cannot open input file\"")
            continue
        records = load(path, name, report)
        check(path, records, report)
        print(f"{path}: {len(records)} records")
    print(f"{report.faults} faults, {report.warnings} warnings")
    return 1 if report.faults or (strict and report.warnings) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
