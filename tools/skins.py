#!/usr/bin/env python3
"""Draws the ANSI screens under data/Skins (80x24, code page 437).

Run from the project root: tools/skins.py. Each screen is built from rows of
(text, colour) pieces so the cursor positions the programs rely on stay
where they are.
"""
import os

ESC = "\x1b"
COLOURS = {"black": 0, "red": 1, "green": 2, "yellow": 3, "blue": 4,
           "magenta": 5, "cyan": 6, "white": 7}


def sgr(name):
    bright = name.startswith("bright ")
    base = name.split()[-1]
    return f"{ESC}[{1 if bright else 0};3{COLOURS[base]};40m"


def at(row, col):
    return f"{ESC}[{row};{col}H"


# A 5-row block font for the title.
FONT = {
    "T": ["█████", "  █  ", "  █  ", "  █  ", "  █  "],
    "A": [" ███ ", "█   █", "█████", "█   █", "█   █"],
    "R": ["████ ", "█   █", "████ ", "█  █ ", "█   █"],
    "V": ["█   █", "█   █", "█   █", " █ █ ", "  █  "],
    "E": ["█████", "█    ", "████ ", "█    ", "█████"],
    "S": [" ████", "█    ", " ███ ", "    █", "████ "],
    "I": ["█████", "  █  ", "  █  ", "  █  ", "█████"],
}


def banner(word):
    rows = []
    for r in range(5):
        rows.append(" ".join(FONT[c][r] for c in word))
    return rows


def frame(out, colour, top=1, bottom=23, left=1, right=79):
    out.append(sgr(colour))
    out.append(at(top, left) + "╔" + "═" * (right - left - 1) + "╗")
    for row in range(top + 1, bottom):
        out.append(at(row, left) + "║" + at(row, right) + "║")
    out.append(at(bottom, left) + "╚" + "═" * (right - left - 1) + "╝")


def centre(row, text, colour, width=79):
    return sgr(colour) + at(row, 1 + (width - len(text)) // 2 + 1) + text


def intro():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    frame(out, "blue")
    for i, line in enumerate(banner("TARVESSIA")):
        out.append(centre(2 + i, line, "bright yellow" if i < 3 else "yellow"))
    out.append(centre(8, "░▒▓ Turn of Tide ▓▒░", "bright cyan"))
    out.append(centre(9, "Version 4.5", "cyan"))
    out.append(sgr("blue") + at(10, 2) + "─" * 77)
    menu = [("E", "Enter the realm"),
            ("L", "List the heroes of the realm"),
            ("Y", "Yesterday's news of the realm"),
            ("Q", "Quit back to the BBS")]
    for i, (key, text) in enumerate(menu):
        out.append(at(12 + i, 26) + sgr("bright blue") + "[" + sgr("bright white") + key +
                   sgr("bright blue") + "] " + sgr("green") + text)
    # The caller answers at row 17, column 54.
    prompt = "Your choice, traveller? "
    out.append(sgr("bright green") + at(17, 54 - len(prompt)) + prompt)
    out.append(centre(20, "Five kingdoms rise and fall with the tide.", "red"))
    out.append(centre(21, "Which banner will you ride beneath?", "red"))
    out.append(sgr("white") + at(17, 54))
    return "".join(out)


def setup():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    frame(out, "magenta")
    out.append(centre(2, "░▒▓ Tarvessia: Turn of Tide ▓▒░", "bright yellow"))
    out.append(centre(3, "Sysop Configuration  -  Version 4.5", "cyan"))
    out.append(sgr("magenta") + at(5, 2) + "─" * 77)
    menu = [("C", "Configure the game world options"),
            ("P", "Player editor"),
            ("*", "Reset the game world"),
            ("X", "Exit")]
    for i, (key, text) in enumerate(menu):
        out.append(at(7 + 2 * i, 6) + sgr("bright red") + "[" + sgr("bright yellow") + key +
                   sgr("bright red") + "] " + sgr("bright white") + text)
    # The sysop answers at row 16, column 23.
    prompt = "Your Selection : "
    out.append(sgr("green") + at(16, 23 - len(prompt)) + prompt)
    out.append(sgr("magenta") + at(18, 2) + "─" * 77)
    out.append(centre(19, "A reset deletes the whole world, even under callers at play.",
                      "red"))
    out.append(centre(21, "Doors may run meanwhile: every change is theirs at once.",
                      "green"))
    out.append(sgr("white") + at(16, 23))
    return "".join(out)


def main_street():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    frame(out, "green")
    out.append(centre(2, "░▒▓ Main Street ▓▒░", "bright yellow"))
    out.append(centre(3, "Tarvessia's crowded heart, where every road begins", "yellow"))
    out.append(sgr("green") + at(4, 2) + "─" * 77)
    out.append(centre(5, "Merchants shout, town criers read the news and the tide bell tolls.",
                      "cyan"))
    out.append(sgr("green") + at(6, 2) + "─" * 77)
    # Only the keys of places that exist; each new place adds its line here.
    legend = [("1", "World Options"),
              ("D", "Daily News"),
              ("K", "Royal Courtyard"),
              (".", "Who Is Online"),
              ("=", "Chat Room"),
              ("*", "Suicide"),
              ("Q", "Quit to the BBS")]
    rows = 11
    for i, (key, text) in enumerate(legend):
        row, col = 8 + i % rows, 8 + 36 * (i // rows)
        out.append(at(row, col) + sgr("bright green") + "[" + sgr("bright yellow") + key +
                   sgr("bright green") + "] " + sgr("white") + text)
    out.append(sgr("green") + at(19, 2) + "─" * 77)
    # The caller answers at row 21, column 26.
    prompt = "Where to, adventurer? "
    out.append(sgr("bright cyan") + at(21, 26 - len(prompt)) + prompt)
    out.append(sgr("white") + at(21, 26))
    return "".join(out)


def info():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    out.append(sgr("magenta") + at(1, 1) + "▄" * 79)
    out.append(centre(2, "░▒▓ The Chronicles of Tarvessia ▓▒░", "bright yellow"))
    out.append(centre(3, "as the bards of the Turn of Tide sing them", "yellow"))
    out.append(sgr("magenta") + at(4, 1) + "▀" * 79)
    # The story pages print from row 6 down; the rows below stay free.
    out.append(sgr("magenta") + at(22, 1) + "─" * 79)
    out.append(centre(23, "Press any key to turn the page", "cyan"))
    out.append(sgr("white") + at(6, 1))
    return "".join(out)


def paged_heading(out, colour, title, subtitle, sub_colour):
    """Rows 1-4 of a paged screen; the programs clear and fill rows 5-22."""
    out.append(sgr(colour) + at(1, 1) + "╔" + "═" * 77 + "╗")
    out.append(at(2, 1) + "║" + at(2, 79) + "║")
    out.append(centre(2, title, "bright yellow"))
    out.append(sgr(colour) + at(3, 1) + "╚" + "═" * 77 + "╝")
    out.append(centre(4, subtitle, sub_colour))
    out.append(sgr(colour) + at(23, 1) + "─" * 79)


def news_screen():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    paged_heading(out, "bright blue", "░▒▓ The Tarvessia Daily Crier ▓▒░",
                  "Heard in the streets, the taverns and the courts of the five kingdoms",
                  "cyan")
    # The items print from row 5, four to a page.
    out.append(sgr("white") + at(5, 1))
    return "".join(out)


def mail_screen():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    paged_heading(out, "magenta", "░▒▓ Letters For You ▓▒░",
                  "Sealed, carried and delivered by the couriers of the realm", "bright magenta")
    # The letters print from row 5, four to a page.
    out.append(sgr("white") + at(5, 1))
    return "".join(out)


def ledger_screen():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    paged_heading(out, "cyan", "░▒▓ The Tavern Chat Ledger ▓▒░",
                  "Scrawled on the wall beside the hearth: the last five posts", "green")
    # The posts print from row 5 (the program starts at row 4), the keys at 21-22.
    out.append(sgr("white") + at(4, 1))
    return "".join(out)


def sauce(title):
    record = b"SAUCE00" + title.encode("ascii").ljust(35) + b"Tarvessia".ljust(20)
    record += b"Tidewardens".ljust(20) + b"20261207" + (0).to_bytes(4, "little")
    record += bytes([1, 1]) + (80).to_bytes(2, "little") + (24).to_bytes(2, "little")
    record += bytes(4) + bytes([0, 0]) + b"IBM VGA".ljust(22, b"\0")
    return b"\x1a" + record


def write(name, text):
    path = os.path.join("data", "Skins", name)
    with open(path, "wb") as f:
        f.write(text.encode("cp437") + sauce(name))


if __name__ == "__main__":
    write("INTRO.ANS", intro())
    write("SETUP.ANS", setup())
    write("MAIN.ANS", main_street())
    write("INFO.ANS", info())
    write("NEWS.ANS", news_screen())
    write("PERS.ANS", mail_screen())
    write("CHAT.ANS", ledger_screen())
