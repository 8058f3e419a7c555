#!/usr/bin/env python3
"""What the user reads comes from the language files.

1. No string literal in the program's C++ (forms/, program/, qtview/, app/) is English prose,
   except the few listed below with the reason each may stay; a listed exception that no longer
   matches anything is an error too, so that the list stays short and true.
   A text the program needs before its language file is read is written as
   TextOr(line, "start-up text"), and that text is the UK file's line.
2. The lines of the program's own messages are named once, in program/core/MessageLines.h:
   every line from 222 on that the UK language file has is named there, no code names one by
   its number, and every named line is not empty in the language file of each of the eight
   markets (MRN takes UK's).
3. A line that tells the user which message-box button to choose names each button by the
   market's own word for it, the button's line without its "&", and names no other button.
"""
import os
import re
import sys

ROOT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
FOLDERS = ["forms", "program", "qtview", "app"]
MARKETS = {"DK": "cp1252", "SE": "cp1252", "NO": "cp1252", "UK": "cp1252", "MRN": "cp1252",
           "LT": "cp1257", "EE": "cp1257", "LV": "cp1257"}
FIRST_NEW_LINE = 222
LINES_HEADER = "program/core/MessageLines.h"

# Words that make a literal English prose; a Danish design caption has none of them.
PROSE = set("""the is are was were be been not no could cannot can has have had of to in on
for with and or this that it its from by will must should please there which only than into
while any all does would may unavailable unexpectedly failed missing installed found error
wait select""".split())
# Single words a user reads as a button or a title.
UI_WORDS = {"Back", "Forward", "Error", "Warning", "Cancel", "Close", "Help", "Print", "Open",
            "Save", "Yes", "No", "OK"}

# (file, part of the literal, why it may stay)
EXCEPTIONS = [
    # Fixed English by design, or shown at start-up before the language file is read.
    ("program/start/Startup.cpp", "The Product file are changed", "the fixed product-file message"),
    ("program/start/Startup.cpp", "Re-install the VELTARO program", "the fixed product-file message"),
    ("program/start/frmCountry.cpp", "Select Language :", "the country dialog keeps its English design"),
    ("program/start/frmStart.cpp", "Wait for startup the program", "the splash window's fixed text"),
    ("program/shell/frmAbout.cpp", "System Information Is Unavailable", "the about box's fixed message"),
    ("program/shell/frmAbout.cpp", "", "the about box's English design disclaimer and version list"),
    ("program/core/PipeTables.cpp", "", "the pipe tables are read at start-up, before the language file"),
    ("forms/Application.h", "", "the window model's start-up words, before the language file"),
    # Names, never shown: toolbar keys; a design tip the menu file replaces at start-up.
    ("program/shell/MainCommands.cpp", "Help", "a toolbar button's key"),
    ("program/shell/mdiVeltaro.cpp", "Help", "a toolbar button's key"),
    ("program/shell/mdiVeltaro.cpp", "Print", "a design tip the menu file replaces"),
    # Faults of the program itself (a window, control or calculation that does not exist, a
    # run-time error no handler expects): shown only as the detail under the worded message.
    ("forms/Application.cpp", "no forms application", "internal fault"),
    ("forms/Application.cpp", "no window class", "internal fault"),
    ("forms/Form.cpp", "has no", "internal fault"),
    ("forms/Menu.cpp", "has no button", "internal fault"),
    ("program/report/ReportWriters.cpp", "no report for calculation", "internal fault"),
    ("program/report/LayerReports.cpp", "AntalLag holds no number", "internal fault"),
    ("program/core/Errors.cpp", "", "internal fault: the run-time error's own name"),
]


def literals(text):
    """(line, literal, text before it) of every string literal outside comments and #include
    lines, adjacent pieces joined."""
    out, i, line, n = [], 0, 1, len(text)
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
        elif text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            line += text.count("\n", i, j)
            i = j
        elif c == "#" and text.startswith("include", i + 1):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif c == "'":
            m = re.compile(r"'(\\.|[^'\\\n])*'").match(text, i)
            i = m.end() if m else i + 1
        elif c == '"':
            # Adjacent pieces are one literal; what comes before the first tells its use.
            before, body, j = text[max(0, i - 120):i], "", i
            while j < n and text[j] == '"':
                raw = text[j - 1] == "R"
                if raw:
                    m = re.compile(r'"([^(]*)\((.*?)\)\1"', re.S).match(text, j)
                    piece, k = (m.group(2), m.end()) if m else ("", j + 1)
                else:
                    m = re.compile(r'"((?:\\.|[^"\\\n])*)"').match(text, j)
                    piece, k = (m.group(1), m.end()) if m else ("", j + 1)
                body += piece
                j = k
                while j < n and text[j] in " \t\r\n":
                    j += 1
                if j >= n or text[j] != '"':
                    j = k
                    break
            out.append((line, body, before))
            line += text.count("\n", i, j)
            i = j
        else:
            i += 1
    return out


def is_prose(literal):
    if "\\\\" in literal:  # a path in the program's notation
        return False
    words = re.findall(r"[A-Za-z][A-Za-z']*", re.sub(r"\\[nrt]", " ", literal))
    if len(words) == 1:
        return words[0] in UI_WORDS
    return len(words) >= 2 and any(w.lower() in PROSE for w in words)


def unescape(literal):
    return re.sub(r'\\(.)', lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(1), m.group(1)),
                  literal)


def named_lines():
    """name -> line of every line the program's messages use, as the header names them."""
    with open(os.path.join(ROOT, LINES_HEADER), encoding="utf-8") as f:
        return {m.group(1): int(m.group(2))
                for m in re.finditer(r"inline constexpr int (\w+) = (\d+);", f.read())}


# A message line named by its number rather than by the header.
NUMBERED = re.compile(r"(TextTable\[|TextOr\(|\bText\()\s*(\d+)")


def check_sources(faults):
    uk = language_lines("UK")
    named = named_lines()
    used = set()
    for folder in FOLDERS:
        for dirpath, _, files in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(dirpath, name)
                rel = os.path.relpath(path, ROOT).replace(os.sep, "/")
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                for m in NUMBERED.finditer(text):
                    if int(m.group(2)) >= FIRST_NEW_LINE:
                        line = text.count("\n", 0, m.start()) + 1
                        faults.append(f"{rel}:{line}: line {m.group(2)} named by its number, "
                                      f"not in {LINES_HEADER}")
                for line, literal, before in literals(text):
                    # The start-up words of a language-file line are that line in UK.
                    fallback = re.search(r"TextOr\(\s*lines::(\w+)\s*,\s*$", before)
                    if fallback:
                        k = named.get(fallback.group(1), 0)
                        if k > len(uk) or uk[k - 1] != unescape(literal):
                            faults.append(f"{rel}:{line}: \"{literal}\" is not UK line {k}")
                        continue
                    if not is_prose(literal):
                        continue
                    allowed = [k for k, (f_, part, _) in enumerate(EXCEPTIONS)
                               if f_ == rel and part in literal]
                    if allowed:
                        used.update(allowed)
                    else:
                        faults.append(f"{rel}:{line}: English text shown to the user: \"{literal}\"")
    for k, (f_, part, why) in enumerate(EXCEPTIONS):
        if k not in used:
            faults.append(f"exception no longer needed: {f_} \"{part}\" ({why})")


def language_lines(market):
    path = os.path.join(ROOT, "data", "Text", "TextFile." + market)
    with open(path, "rb") as f:
        text = f.read().decode(MARKETS[market])
    return [line.strip() for line in text.split("\r\n")]


def check_language_files(faults):
    uk = language_lines("UK")
    named = named_lines()
    new = sorted(set(named.values()))
    if not new:
        faults.append(f"no lines named in {LINES_HEADER}")
    for k in range(FIRST_NEW_LINE, len(uk) + 1):
        if uk[k - 1] and k not in new:
            faults.append(f"TextFile.UK: line {k} (\"{uk[k - 1]}\") is named nowhere in {LINES_HEADER}")
    for name, k in named.items():
        if k > len(uk) or not uk[k - 1]:
            faults.append(f"{LINES_HEADER}: {name} = {k} is empty in TextFile.UK")
    for market in MARKETS:
        lines = language_lines(market)
        for k in new:
            if k > len(lines) or not lines[k - 1]:
                faults.append(f"TextFile.{market}: line {k} (UK \"{uk[k - 1]}\") is missing or empty")


# The lines that tell the user to choose a message-box button, with the buttons each names,
# by their lines in MessageLines.h, in the order the line names them.
BUTTON_LINES = [
    (200, ["ButtonNo"]),                  # the pipe-size question: No keeps a flat surface
    (234, ["ButtonOk", "ButtonCancel"]),  # a cut-off save that cannot be finished
    (265, ["ButtonOk", "ButtonCancel"]),  # a mixed case
]


def check_button_words(faults):
    named = named_lines()
    buttons = [k for name, k in named.items() if name.startswith("Button")]
    words = {m: {k: language_lines(m)[k - 1].replace("&", "") for k in buttons} for m in MARKETS}
    # Every market's word for every button: another market's word, or another button's, is
    # caught as well as a missing one.
    every = {w for m in MARKETS for w in words[m].values()}
    for market in MARKETS:
        text_lines = language_lines(market)
        for k, names in BUTTON_LINES:
            text, want = text_lines[k - 1], [words[market][named[n]] for n in names]
            found = [w for _, w in sorted(
                (m.start(), w) for w in every
                for m in re.finditer(r"(?<!\w)" + re.escape(w) + r"(?!\w)", text))]
            if found != want:
                faults.append(f"TextFile.{market}: line {k} names the buttons {found}, "
                              f"not the market's {want}: \"{text}\"")


def main():
    faults = []
    check_sources(faults)
    check_language_files(faults)
    check_button_words(faults)
    for fault in faults:
        print(fault)
    print(f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
