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
    "B": ["████ ", "█   █", "████ ", "█   █", "████ "],
    "C": [" ████", "█    ", "█    ", "█    ", " ████"],
    "D": ["████ ", "█   █", "█   █", "█   █", "████ "],
    "G": [" ████", "█    ", "█  ██", "█   █", " ████"],
    "H": ["█   █", "█   █", "█████", "█   █", "█   █"],
    "K": ["█   █", "█  █ ", "███  ", "█  █ ", "█   █"],
    "L": ["█    ", "█    ", "█    ", "█    ", "█████"],
    "M": ["█   █", "██ ██", "█ █ █", "█   █", "█   █"],
    "N": ["█   █", "██  █", "█ █ █", "█  ██", "█   █"],
    "O": [" ███ ", "█   █", "█   █", "█   █", " ███ "],
    "P": ["████ ", "█   █", "████ ", "█    ", "█    "],
    "Q": [" ███ ", "█   █", "█ █ █", "█  █ ", " ██ █"],
    "U": ["█   █", "█   █", "█   █", "█   █", " ███ "],
    "W": ["█   █", "█   █", "█ █ █", "██ ██", "█   █"],
    "Y": ["█   █", " █ █ ", "  █  ", "  █  ", "  █  "],
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
    legend = [("W", "Weapon Shop"),
              ("A", "Armor Shop"),
              ("1", "World Options"),
              ("B", "Bank"),
              ("M", "Merchant Wharves"),
              ("D", "Daily News"),
              ("K", "Royal Courtyard"),
              (".", "Who Is Online"),
              ("=", "Chat Room"),
              ("*", "Suicide"),
              ("Q", "Quit to the BBS"),
              ("F", "Fight Monsters"),
              ("V", "Level Masters"),
              ("Y", "Your Status"),
              ("G", "Guild Road"),
              ("L", "Player Rankings"),
              ("X", "Kingdom Rankings"),
              ("E", "Enter the Arena"),
              ("S", "Dark Alley"),
              ("C", "Church"),
              ("H", "Healer Hut"),
              ("T", "Tavern and Inn"),
              ("O", "Other Places")]
    # Three columns of eleven rows leave room for every place of the town.
    rows = 11
    for i, (key, text) in enumerate(legend):
        row, col = 8 + i % rows, 6 + 25 * (i // rows)
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


# The places of the town share one layout: a framed sign (the place's name in
# the title font, a shade-bracketed line under it, the picture and the key
# legend), and, outside the frame, the rows where the program prints the
# caller's figures and waits for a key. Those cells stay empty to the end of
# the row: gold can run long, and answers echo there. tests/skins_test.cpp
# renders every screen and holds each to its cells and its menu's keys.
def sign(out, colour, bottom, word, line):
    frame(out, colour, bottom=bottom)
    for i, row in enumerate(banner(word)):
        out.append(centre(2 + i, row, "bright yellow" if i < 3 else "yellow"))
    out.append(centre(7, "░▒▓ " + line + " ▓▒░", "bright cyan"))


def rule(out, row, colour, left=2, width=77):
    out.append(sgr(colour) + at(row, left) + "─" * width)


def legend(out, entries, brackets, text="white"):
    """Key legend entries: (row, column, key, what the key does)."""
    for row, col, key, what in entries:
        out.append(at(row, col) + sgr(brackets) + "[" + sgr("bright yellow") + key +
                   sgr(brackets) + "] " + sgr(text) + what)


def down(row, col, pairs):
    """(key, text) pairs laid one under the other from (row, col)."""
    return [(row + i, col, key, what) for i, (key, what) in enumerate(pairs)]


def label(out, row, col, text, colour="green"):
    """The words before a figure that the program prints at (row, col)."""
    out.append(sgr(colour) + at(row, col - 1 - len(text)) + text)


def ask(out, row, col, text, lead):
    """Ends the screen with a question just before the cursor cell (row, col)."""
    out.append(sgr(lead) + at(row, col - 4 - len(text)) + "░▒▓ " + sgr("bright cyan") + text)
    return finish(out, row, col)


def art(out, row, col, picture, colour):
    """A picture, row by row; its blanks are left as they are."""
    for i, line in enumerate(picture.split("\n")):
        body = line.strip()
        if body:
            out.append(sgr(colour) + at(row + i, col + len(line) - len(line.lstrip())) + body)


def flavour(out, rows, colour):
    for row, text in rows:
        out.append(centre(row, text, colour))


def finish(out, row, col):
    out.append(sgr("white") + at(row, col))
    return "".join(out)


def weapon_shop():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "red", 15, "WEAPONS", "Azrail's Weapon Shop")
    rule(out, 8, "red")
    legend(out, down(9, 6, [("L", "List and Buy Weapons"),
                            ("S", "Sell or Drop Items"),
                            ("V", "View Your Stats"),
                            (".", "Who Is Online"),
                            ("=", "Chat Room"),
                            ("R", "Return to Main Street")]), "bright red")
    art(out, 9, 50, "   ▄\n   █\n   █\n   █", "bright white")
    art(out, 13, 50, "▀▀▀█▀▀▀\n   ■", "yellow")
    art(out, 9, 60, "▄▄  █  ▄▄\n███▄█▄███\n███▀█▀███\n▀▀  █  ▀▀", "white")
    art(out, 13, 60, "    █\n    ▀", "yellow")
    art(out, 9, 72, " ▄▀▄\n▐▓▓▓▌\n ▀█▀", "white")
    art(out, 12, 72, "  █\n  █\n  ▀", "yellow")
    # Gold on hand at row 17, column 20; the caller answers at row 19, column 28.
    label(out, 17, 20, "Gold on hand:")
    rule(out, 21, "red", 1, 79)
    flavour(out, [(22, "Azrail tests an edge on his thumb and sizes up your purse.")], "red")
    return ask(out, 19, 28, "What'll it be? ", "red")


def armor_shop():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "blue", 18, "ARMOR", "The Armor Shop")
    rule(out, 8, "blue")
    legend(out, down(9, 6, [("1", "Armor"), ("2", "Shield"), ("3", "Arms"), ("4", "Legs"),
                            ("5", "Helmet"), ("6", "Feet"), ("7", "Hands"), ("8", "Cloak")]),
           "bright blue")
    legend(out, down(9, 24, [("S", "Sell or Drop Items"),
                             ("V", "View Your Stats"),
                             (".", "Who Is Online"),
                             ("=", "Chat Room"),
                             ("R", "Return to Main Street")]), "bright blue")
    art(out, 10, 53, "  ▄▄███▄▄\n ██▀▀▀▀▀██\n ██ ▀█▀ ██\n ▀██▄█▄██▀\n   ▀▀▀▀▀", "white")
    art(out, 10, 66, "█████████\n█▓▓▓█▓▓▓█\n█▓▓▓█▓▓▓█\n▀█▓▓█▓▓█▀\n  ▀▀█▀▀", "bright blue")
    flavour(out, [(17, "Every piece has its place on you; sell what you have outgrown.")], "cyan")
    # Gold on hand at row 20, column 27; the caller answers at row 22, column 34.
    label(out, 20, 27, "Gold on hand:")
    return ask(out, 22, 34, "Which piece, knight? ", "blue")


def bank():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "yellow", 15, "BANK", "The Bank of Tarvessia")
    rule(out, 8, "yellow")
    legend(out, down(9, 5, [("D", "Bank Deposit"),
                            ("W", "Bank Withdrawal"),
                            ("T", "Transfer Gold"),
                            ("S", "Underground Safe")]), "bright green")
    legend(out, down(9, 27, [("A", "Attempt Bank Heist"),
                             (".", "Who Is Online"),
                             ("=", "Chat Room"),
                             ("R", "Return to Main Street")]), "bright green")
    out.append(sgr("green") + at(14, 5) + "Savings Interest Rate: " + sgr("white") + "2% a day")
    art(out, 9, 56, "     ▄▄▄▀▀▀▄▄▄\n▄▄▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▄▄\n" + "▀" * 19 + "\n"
                    " █   █   █   █   █\n █   █   █   █   █", "bright white")
    art(out, 14, 56, "▀" * 19, "yellow")
    # Gold on hand at row 18 and the account at row 19, both from column 7;
    # the caller answers at row 23, column 14.
    out.append(sgr("bright yellow") + at(17, 1) + "Your purse and account:")
    label(out, 18, 7, "Gold:")
    label(out, 19, 7, "Bank:")
    rule(out, 21, "yellow", 1, 79)
    return ask(out, 23, 14, "Next? ", "yellow")


def merchant_wharves():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "cyan", 16, "WHARVES", "The Merchant Wharves")
    rule(out, 8, "cyan")
    out.append(sgr("bright white") + at(9, 5) + "Legal Investments" + sgr("white") +
               "   daily return")
    legend(out, down(10, 5, [("H", "Housing Developments  20%"),
                             ("W", "Water Silos           20%"),
                             ("O", "Ore Mines              5%"),
                             ("G", "Granary Silos         25%")]), "bright cyan")
    out.append(sgr("bright red") + at(9, 43) + "Illegal Investments" + sgr("white") +
               "   daily return")
    legend(out, down(10, 43, [("S", "Smuggling Warehouses  30%"),
                              ("F", "Whore Houses          35%"),
                              ("D", "Drug Labs             45%")]), "red")
    out.append(sgr("magenta") + at(13, 41) + "<Illegal Investments cannot be taxed>")
    legend(out, [(15, 5, ".", "Who Is Online"), (15, 27, "=", "Chat Room"),
                 (15, 43, "R", "Return to Main Street")], "bright cyan")
    art(out, 19, 54, "      │▄\n    ▄█│██▄\n  ▄███│████▄\n▀▄▄▄▄▄█▄▄▄▄▄▄▀", "white")
    art(out, 23, 46, "≈" * 30, "bright blue")
    out.append(sgr("cyan") + at(20, 5) + "The returns are paid into your")
    out.append(sgr("cyan") + at(21, 5) + "bank account at every dawn.")
    # The caller answers at row 18, column 20.
    return ask(out, 18, 20, "Invest in? ", "cyan")


def guild_road():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "magenta", 13, "GUILDS", "The Guild Road")
    art(out, 8, 6, "  ▄▀▄          ▄▄▄▄▄          ▄▀▀▀▄         ▄█▄          ▄▄▄▄▄▄\n"
                   " ▄▀ ▀▄        █ ▓ ▓ █        █ ▓ ▓ █      ▄▀   ▀▄       █ ▓  ▓ █\n"
                   " █ ▓ █        █  ▄  █        █  ▄  █      █ ▓ ▓ █       █  ▄▄  █",
        "magenta")
    art(out, 11, 2, "▀" * 77, "white")
    art(out, 12, 2, "░" * 77, "yellow")
    # The High Lord's name at row 15, column 26, the crowning date at row 16.
    out.append(sgr("bright magenta") + at(14, 5) + "░▒▓ " + sgr("bright white") +
               "The High Lord of Tarvessia")
    label(out, 15, 26, "Title held by:")
    label(out, 16, 26, "Crowned on:")
    rule(out, 17, "magenta", 1, 79)
    legend(out, down(18, 3, [("Z", "Profession Office"),
                             ("H", "Profession Ranking"),
                             ("M", "Monastery"),
                             ("A", "Alchemist Lab"),
                             ("V", "View Your Stats")]), "bright magenta")
    legend(out, down(18, 27, [("P", "Public Magic"),
                              ("W", "White Magic"),
                              ("B", "Black Magic"),
                              ("S", "Magic Book"),
                              ("X", "Challenge the High Lord")]), "bright magenta")
    legend(out, down(18, 55, [(".", "Who Is Online"),
                              ("=", "Chat Room"),
                              ("R", "Return to Main Street")]), "bright magenta")
    # The caller answers at row 23, column 9.
    return ask(out, 23, 9, "Go? ", "magenta")


def dark_alley():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "white", 16, "ALLEY", "The Dark Alley")
    rule(out, 8, "white")
    legend(out, down(9, 5, [("C", "Criminal Actions"),
                            ("T", "Rogue Guild"),
                            ("W", "Wanted Posters"),
                            ("I", "Immigration"),
                            ("M", "Militia"),
                            ("V", "View Your Stats")]), "red")
    legend(out, down(9, 29, [("E", "Temptation World"),
                             ("P", "Pike's Drug Palace"),
                             ("S", "Roid Heaven"),
                             (".", "Who Is Online"),
                             ("=", "Chat Room"),
                             ("R", "Return to Main Street")]), "red")
    art(out, 9, 62, "  ▄██▄\n ██▀▀██\n █ ▀▀ █\n▐██▄▄██▌\n███████\n███████", "white")
    art(out, 12, 71, "▄▄▄", "bright white")
    art(out, 13, 70, "▀▀", "yellow")
    rule(out, 20, "white", 1, 79)
    flavour(out, [(21, "Every crime costs an evil deed, and the guards of a kingdom"),
                  (22, "are paid to stop what crime they can.")], "red")
    # The caller answers at row 18, column 27.
    return ask(out, 18, 27, "Your business? ", "white")


def ruler_court():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "yellow", 21, "KINGDOM", "The Kingdom Courtyard: Throne Room")
    rule(out, 8, "yellow")
    legend(out, down(9, 5, [("B", "Royal Army"),
                            ("T", "Towers of Sorcery"),
                            ("K", "Kingdom Improvements"),
                            ("A", "Kingdom Land"),
                            ("S", "Set Kingdom Tax Rates"),
                            ("N", "Treasury"),
                            ("P", "Kingdom Nobles"),
                            ("E", "Espionage/Terrorism")]), "bright yellow", "white")
    legend(out, down(9, 32, [("W", "War Room"),
                             ("D", "Diplomacy"),
                             ("M", "Trade"),
                             (".", "Who Is Online"),
                             ("=", "Chat Room"),
                             ("Enter", "Look Again"),
                             ("R", "Leave the Courtyard")]), "bright yellow", "white")
    art(out, 10, 61, "▄  ▄▄  ▄\n█▄████▄█\n████████\n▀▀▀▀▀▀▀▀", "bright yellow")
    art(out, 15, 60, " ▄▀▀▀▀▀▀▄\n █ ▓▓▓▓ █\n █▄▄▄▄▄▄█\n▄████████▄\n█▀      ▀█", "red")
    flavour(out, [(20, "All that the court spends comes out of the treasury.")], "yellow")
    # The caller answers at row 23, column 21.
    return ask(out, 23, 21, "Your will? ", "yellow")


def noble_court():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "magenta", 18, "NOBLES", "The Kingdom Courtyard: Hall of Nobles")
    rule(out, 8, "magenta")
    legend(out, down(10, 6, [("B", "Royal Army"),
                             ("T", "Towers of Sorcery"),
                             ("N", "Treasury"),
                             ("E", "Espionage/Terrorism")]), "bright magenta")
    legend(out, down(10, 34, [(".", "Who Is Online"),
                              ("=", "Chat Room"),
                              ("Enter", "Look Again"),
                              ("R", "Leave the Courtyard")]), "bright magenta")
    art(out, 9, 64, "█▀▀▀▀▀▀▀▀█\n█ ▄▄  ▄▄ █\n█ ██▄▄██ █\n▀█ ▀██▀ █▀\n ▀▄    ▄▀\n   ▀▀▀▀",
        "bright magenta")
    flavour(out, [(15, "By the ruler's grace you serve the realm: the army, the towers,"),
                  (16, "the treasury and the spies are in your hands, and no tax is yours.")],
            "magenta")
    # The caller answers at row 20, column 11.
    return ask(out, 20, 11, "Well? ", "magenta")


def church():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "white", 20, "CHURCH", "The Church of the Tide")
    rule(out, 8, "white")
    legend(out, down(9, 5, [("B", "Burn Candles"),
                            ("W", "Worship Gods"),
                            ("G", "Give Tides to the Poor"),
                            ("D", "Donate to the Church"),
                            ("P", "Holy Items"),
                            ("M", "Marriage"),
                            ("C", "Marriage Roll")]), "bright cyan")
    legend(out, down(9, 33, [("K", "Murder"),
                             ("S", "Steal the Tides"),
                             ("V", "View Your Stats"),
                             (".", "Who Is Online"),
                             ("=", "Chat Room"),
                             ("R", "Return to Main Street")]), "bright cyan")
    art(out, 9, 66, "   ┼\n   █\n  ▄█▄\n ▄▀ ▀▄\n█  ▄  █\n█ █ █ █\n█▄█▄█▄█",
        "bright white")
    art(out, 16, 63, "▀" * 13, "white")
    flavour(out, [(18, "Candles, worship and gifts cost a good deed; the sins cost evil ones.")],
            "cyan")
    # The caller answers at row 22, column 16.
    return ask(out, 22, 16, "Pray? ", "white")


def healer_hut():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "green", 18, "HEALER", "Artio's Healer Hut")
    rule(out, 8, "green")
    legend(out, down(10, 6, [("P", "Artio's Potions"),
                             ("A", "Healing"),
                             ("C", "Cure Disease"),
                             (".", "Who Is Online"),
                             ("=", "Chat Room"),
                             ("R", "Return to Main Street")]), "bright green")
    art(out, 9, 55, "  ▄▄\n  ██\n ▄▀▀▄\n█▓▓▓▓█\n█▓▓▓▓█\n ▀▀▀▀", "bright green")
    art(out, 10, 66, " ▄▄\n▄▀▀▄\n█▒▒█\n▀▀▀▀", "bright red")
    rule(out, 20, "green", 1, 79)
    flavour(out, [(21, "Potions: 2 gold apiece, 300 to a sack.  Healing: free, by the"),
                  (22, "grace of the gods.  Cures: priced by what the herbs cost today.")],
            "green")
    # The caller answers at row 16, column 62.
    return ask(out, 16, 62, "What ails you? ", "green")


def tavern():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "yellow", 12, "TAVERN", "The Tavern of the Turning Tide")
    legend(out, down(8, 4, [("A", "The Inn"),
                            ("T", "The Bartender"),
                            ("G", "The Old Man's Game"),
                            ("V", "View Your Stats")]), "bright yellow", "white")
    legend(out, down(8, 28, [("C", "Chat Ledger"),
                             ("P", "Add News Posting"),
                             ("W", "Write to a Player"),
                             ("S", "Romantic Mail")]), "bright yellow", "white")
    legend(out, down(8, 52, [(".", "Who Is Online"),
                             ("=", "Chat Room"),
                             ("R", "Return to Main Street")]), "bright yellow", "white")
    rule(out, 16, "yellow", 1, 79)
    art(out, 17, 4, "▄▄▄▄▄▄\n█░░░░█▀▄\n█    █ █\n█    █▀\n▀▀▀▀▀▀", "yellow")
    art(out, 17, 68, "  ▄▄▄▄▄▄\n▄▀█░░░░█\n█ █    █\n ▀█    █\n  ▀▀▀▀▀▀", "yellow")
    flavour(out, [(18, "Rooms upstairs, a guard at the door for a price."),
                  (19, "The old man in the corner takes any wager."),
                  (20, "Leave a line in the ledger for the next guest.")], "white")
    # The caller answers at row 14, column 17.
    return ask(out, 14, 17, "Order? ", "yellow")


def quest_frame():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    sign(out, "blue", 17, "QUESTS", "Other Places")
    art(out, 9, 4, "                 ▄▀▄\n"
                   "      ▄▀▄      ▄▀   ▀▄         ▄▀▄                      ▄▀▀▄\n"
                   "    ▄▀   ▀▄  ▄▀       ▀▄     ▄▀   ▀▄        ▄▄        ▄▀    ▀▄\n"
                   "  ▄▀       ▀▀           ▀▄ ▄▀       ▀▄    ▄▀  ▀▄    ▄▀        ▀▄",
        "white")
    art(out, 13, 2, "▀" * 77, "green")
    art(out, 14, 2, "░░▒▒▓▓" * 12 + "░░▒▒▓", "green")
    flavour(out, [(15, "Beyond the walls lie wealth, glory, or an early grave.")], "cyan")
    # The program prints the quest's title and author at row 19, column 18,
    # and a line of its own at row 21, column 21; the story follows below.
    label(out, 19, 18, "Quest:")
    label(out, 21, 21, "Adventurer:")
    return finish(out, 22, 1)


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
    write("WEAPON.ANS", weapon_shop())
    write("ARMOR.ANS", armor_shop())
    write("BANK.ANS", bank())
    write("MERCHANT.ANS", merchant_wharves())
    write("GUILD.ANS", guild_road())
    write("ALLEY.ANS", dark_alley())
    write("KINGDOM.ANS", ruler_court())
    write("NOBLE.ANS", noble_court())
    write("CHURCH.ANS", church())
    write("HEALER.ANS", healer_hut())
    write("TAVERN.ANS", tavern())
    write("QUESTS.ANS", quest_frame())
