#!/usr/bin/env python3
"""Draws the screen files of the sample quests under data/Quests (80x24, CP437).

Run from the project root: tools/quest-art.py. A quest script shows one with
"@ANSI:<file>"; the game waits for a key after it and redraws the quest frame.
"""
import os

from skins import art, at, centre, finish, frame, sauce, sgr, ESC


def drowned_bell():
    out = [f"{ESC}[0m{ESC}[2J{ESC}[H"]
    frame(out, "blue", bottom=22)
    out.append(centre(2, "░▒▓ The Drowned Tower ▓▒░", "bright yellow"))
    art(out, 4, 33, "      ▄█▄\n"
                    "     ▐███▌\n"
                    "    ▄█████▄\n"
                    "   ▐███████▌\n"
                    "   ▀▀▀▀█▀▀▀▀", "yellow")
    art(out, 4, 24, "█▀▀▀▀▀▀▀\n█\n█\n█\n█\n█\n█", "white")
    art(out, 4, 48, "▀▀▀▀▀▀▀█\n       █\n       █\n       █\n       █\n       █\n       █",
        "white")
    art(out, 10, 24, "█   " + "▄" * 24 + "   █", "white")
    art(out, 11, 3, "≈" * 75, "bright cyan")
    art(out, 12, 3, "~≈~" * 25, "cyan")
    for row in range(13, 18):
        art(out, row, 24, "█" + " " * 30 + "█", "blue")
    art(out, 14, 31, "░ ▒  ░   ▒ ░  ▒", "cyan")
    art(out, 18, 3, "▄▀" * 37 + "▄", "green")
    out.append(centre(19, "Rung for the lost, until the lost come home.", "bright white"))
    out.append(centre(21, "Press any key", "cyan"))
    return finish(out, 23, 1)


def write(name, text):
    path = os.path.join("data", "Quests", name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("cp437") + sauce(name))


if __name__ == "__main__":
    write("bell.ans", drowned_bell())
