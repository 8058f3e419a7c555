#!/usr/bin/env python3
"""Writes the HTML help of every market into data/help.

The help file a market names, "\\help\\<name>.hlp", is a folder "help/<name>/" here: its
contents page is "index.html" and each calculation the market offers has "calcNN.html"
(calc01 ... calc07, calc21 ... calc24). Page titles, menu captions, input and result labels,
the input-check lines and the messages are taken from the market's own menu and language files,
so the help uses the program's words and cannot disagree with the window. checks.txt beside
this file lists the lines each window's input check can show (written by a test that runs the
windows' checks), windows.txt the result labels and messages each page quotes; the
help_<lang>.py files hold the prose.
"""
import html
import importlib
import os
import sys

sys.dont_write_bytecode = True

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
TEXT = os.path.join(ROOT, "data", "Text")
OUT = os.path.join(ROOT, "data", "help")

HELP_NAME = {"DK": "helpdk", "NO": "helpno", "SE": "helpse", "UK": "helpuk", "LT": "helpLT",
             "EE": "helpEE", "LV": "helpLV", "MRN": "helpMRN"}
CODEPAGE = {"LT": "cp1257", "EE": "cp1257", "LV": "cp1257"}
TEXTS = {"DK": "help_dk", "SE": "help_se", "NO": "help_no", "UK": "help_en", "MRN": "help_en",
         "LT": "help_lt", "EE": "help_ee", "LV": "help_lv"}
HTML_LANG = {"DK": "da", "SE": "sv", "NO": "nb", "UK": "en", "MRN": "en", "LT": "lt", "EE": "et", "LV": "lv"}

# Language-file line of each calculation's window caption and menu-file line of its menu item.
CAPTION_LINE = {1: 134, 2: 135, 3: 136, 4: 137, 5: 138, 6: 139, 7: 204, 21: 140, 22: 141, 23: 142, 24: 143}
MENU_LINE = {1: 15, 2: 16, 3: 17, 4: 18, 5: 19, 6: 20, 7: 56, 21: 22, 22: 23, 23: 24, 24: 25}
# Input label: the language-file line(s) whose text the window shows beside that input.
LABEL = {"geometry": [88], "location": [91], "orientation": [94], "medium_temp": [101], "ambient": [104],
         "wind": [103], "emissivity": [129], "product": [166], "thickness": [102], "req_surface": [113],
         "req_heatloss": [169], "method": [97], "humidity": [185], "velocity": [124],
         "medium_humidity": [121], "inner_dia": [123], "constant": [122], "calc_type": [205],
         "medium": [208], "flow": [209], "length": [211], "start_end": [206, 207], "layers": [170],
         "interfaces": [125], "existing": [127], "new": [128], "savings": [126],
         # The multi-layer windows head their thickness column with their own line.
         ("thickness", 21): [154], ("thickness", 22): [154], ("thickness", 23): [154]}
# A result label whose explanation is that of another line.
SAME_RESULT = {154: 102}
BASE = ["geometry", "location", "orientation"]
SURROUND = ["wind", "ambient", "emissivity"]
INPUTS = {
    1: BASE + ["medium_temp", "product", "thickness"] + SURROUND + ["savings"],
    2: BASE + ["medium_temp", "product", "req_surface"] + SURROUND,
    3: BASE + ["medium_temp", "product", "req_heatloss"] + SURROUND,
    4: BASE + ["method", "medium_temp", "product"] + SURROUND,
    5: BASE + ["medium_temp", "product", "humidity"] + SURROUND,
    6: BASE + ["medium_temp", "velocity", "medium_humidity", "product", "inner_dia", "constant"] + SURROUND,
    7: BASE + ["calc_type", "medium", "flow", "length", "start_end", "product", "thickness"] + SURROUND,
    21: BASE + ["layers", "medium_temp", "product", "thickness"] + SURROUND,
    22: BASE + ["layers", "medium_temp", "product", "interfaces", "req_surface"] + SURROUND,
    23: BASE + ["layers", "medium_temp", "product", "interfaces", "req_heatloss"] + SURROUND,
    24: BASE + ["medium_temp", "existing", "new", "wind", "ambient", "savings"],
}
# The window's literal results beside its language-file lines.
LITERAL = {2: ["< 0 !"], 3: ["< 0 !"], 4: ["< 0 !"], 5: ["< 0 !"], 6: ["<= 0 !"], 22: ["< 0 !"],
           23: ["< 0 !"]}


def windows():
    """calc -> kind -> list of (lines, extra): the rows of checks.txt and windows.txt."""
    table = {}
    for name in ("checks.txt", "windows.txt"):
        with open(os.path.join(HERE, name), encoding="utf-8") as f:
            for row in f:
                fields = row.split("#")[0].split()
                if not fields:
                    continue
                kind = table.setdefault(int(fields[0]), {}).setdefault(fields[1], [])
                for item in fields[2:]:
                    kind.append(([int(n) for n in item.rstrip("s").split("+")], item.endswith("s")))
    return table


def meaningful(text):
    """Whether a quoted line says something: a joining mark such as "/" between the numbers of a
    composed check line is no line of its own on the page."""
    return any(ch.isalnum() for ch in text)


def offered(market):
    calcs = [1, 2, 3]
    if market in ("DK", "NO"):
        calcs.append(4)
    calcs += [5, 6]
    if market in ("DK", "NO", "SE", "UK"):
        calcs.append(7)
    return calcs + [21, 22, 23, 24]


def read(name, market):
    with open(os.path.join(TEXT, f"{name}.{market}"), "rb") as f:
        text = f.read().decode(CODEPAGE.get(market, "cp1252"))
    return [line.strip() for line in text.split("\r\n")]


def page(lang, title, body):
    return (f'<!DOCTYPE html>\n<html lang="{lang}">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{esc(title)}</title>\n<style>\n"
            "body { font-family: sans-serif; margin: 2em; max-width: 46em; color: #12324f; }\n"
            "h1 { font-size: 1.4em; border-bottom: 3px solid #e07a1f; padding-bottom: 0.2em; }\n"
            "dt { font-weight: bold; margin-top: 0.6em; }\n"
            "</style>\n</head>\n<body>\n" + body + "</body>\n</html>\n")


# A message's first line, with the explanation the prose gives for it; the lines after it in
# the window's messages row belong to the same message.
MESSAGE = {64: "nonconv", 65: "over1000", 71: "limits", 126: "saving_too_large", 187: "none_needed",
           203: "section"}


def esc(text):
    return html.escape(text, quote=False)


def quoted(lines, numbers):
    return "".join(lines[n - 1] for n in numbers)


def calc_page(t, market, calc, lines, caption, row):
    marine = market == "MRN"
    # The marine edition has no savings: its pages do not mention them.
    computes = getattr(t, "CALC_MARINE", {}).get(calc, t.CALC[calc]) if marine else t.CALC[calc]
    inputs = []
    for key in INPUTS[calc]:
        if key == "savings" and marine:
            continue
        label = " / ".join(lines[n - 1] for n in LABEL.get((key, calc), LABEL[key]))
        text = t.INPUT.get((key, calc), t.INPUT[key])
        inputs.append(f"<dt>{esc(label)}</dt><dd>{esc(text)}</dd>\n")
    checks = [f"<li>{esc(quoted(lines, n))}</li>\n" for n, _ in row["check"] if meaningful(quoted(lines, n))]
    savings = [f"<li>{esc(quoted(lines, n))}</li>\n" for n, _ in row.get("savings", [])
               if meaningful(quoted(lines, n))]
    if savings and not marine:
        checks.append(f"<li>{esc(lines[19])}<ul>\n" + "".join(savings) + "</ul></li>\n")
    results = [f"<dt>{esc(quoted(lines, n))}</dt><dd>{esc(t.RESULT[SAME_RESULT.get(n[0], n[0])])}</dd>\n"
               for n, extra in row["results"] if not (extra and marine)]
    messages = []
    for n, extra in row["messages"]:
        if extra and marine:
            continue
        if n[0] in MESSAGE:
            messages.append([lines[n[0] - 1], [], t.MESSAGE[MESSAGE[n[0]]]])
        else:
            messages[-1][1].append(lines[n[0] - 1])
    messages += [[text, [], t.MESSAGE[text]] for text in LITERAL.get(calc, [])]
    told = "".join(f"<dt>{esc(title)}</dt><dd>" + "".join(f"<q>{esc(m)}</q> " for m in more) +
                   f"{esc(meaning)}</dd>\n" for title, more, meaning in messages)
    return (f"<p><a href=\"index.html\">{esc(t.UI['back'])}</a></p>\n"
            f"<h1>{calc}. {esc(caption)}</h1>\n"
            f"<h2>{esc(t.UI['computes'])}</h2>\n<p>{esc(computes)}</p>\n"
            f"<h2>{esc(t.UI['inputs'])}</h2>\n<dl class=\"inputs\">\n" + "".join(inputs) + "</dl>\n"
            f"<h2>{esc(t.UI['limits'])}</h2>\n<p>{esc(t.UI['limits_intro'])}</p>\n<ul class=\"checks\">\n"
            + "".join(checks) + "</ul>\n"
            f"<h2>{esc(t.UI['results'])}</h2>\n<dl class=\"results\">\n" + "".join(results) + "</dl>\n"
            f"<p>{esc(t.UI['report'])}</p>\n"
            f"<h2>{esc(t.UI['messages'])}</h2>\n<dl class=\"messages\">\n" + told + "</dl>\n")


def main():
    table = windows()
    for market, folder in HELP_NAME.items():
        t = importlib.import_module(TEXTS[market])
        lines = read("TextFile", market)
        menu = read("MenuText", market)
        lang = HTML_LANG[market]
        out = os.path.join(OUT, folder)
        os.makedirs(out, exist_ok=True)
        help_title = menu[28].replace("&", "")
        items = []
        for calc in offered(market):
            caption = lines[CAPTION_LINE[calc] - 1]
            entry = menu[MENU_LINE[calc] - 1].replace("&", "")
            items.append(f'<li><a href="calc{calc:02d}.html">{esc(entry)}</a></li>\n')
            body = calc_page(t, market, calc, lines, caption, table[calc])
            with open(os.path.join(out, f"calc{calc:02d}.html"), "w", encoding="utf-8", newline="\n") as f:
                f.write(page(lang, caption, body))
        body = (f"<h1>VELTARO &ndash; {esc(help_title)}</h1>\n<p>{esc(t.UI['intro'])}</p>\n"
                f"<h2>{esc(menu[13].replace('&', ''))}</h2>\n<ul>\n"
                + "".join(i for i in items[:-4]) + "</ul>\n"
                f"<h2>{esc(menu[20].replace('&', ''))}</h2>\n<ul>\n" + "".join(items[-4:]) + "</ul>\n")
        with open(os.path.join(out, "index.html"), "w", encoding="utf-8", newline="\n") as f:
            f.write(page(lang, "VELTARO - " + help_title, body))


if __name__ == "__main__":
    main()
