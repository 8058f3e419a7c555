#!/usr/bin/env python3
"""Writes the HTML help of every market into data/help.

The help file a market names, "\\help\\<name>.hlp", is a folder "help/<name>/" here: its
contents page is "index.html" and each calculation the market offers has "calcNN.html"
(calc01 ... calc07, calc21 ... calc24). Page titles, menu captions and input labels are taken
from the market's own menu and language files, so the help uses the program's words.
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
         "interfaces": [125], "existing": [127], "new": [128], "savings": [126]}
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
    24: BASE + ["medium_temp", "existing", "new"] + SURROUND + ["savings"],
}


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
            f"<title>{html.escape(title)}</title>\n<style>\n"
            "body { font-family: sans-serif; margin: 2em; max-width: 46em; color: #12324f; }\n"
            "h1 { font-size: 1.4em; border-bottom: 3px solid #e07a1f; padding-bottom: 0.2em; }\n"
            "dt { font-weight: bold; margin-top: 0.6em; }\n"
            "</style>\n</head>\n<body>\n" + body + "</body>\n</html>\n")


def main():
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
            items.append(f'<li><a href="calc{calc:02d}.html">{html.escape(entry)}</a></li>\n')
            inputs = []
            for key in INPUTS[calc]:
                label = " / ".join(lines[n - 1] for n in LABEL[key])
                inputs.append(f"<dt>{html.escape(label)}</dt><dd>{html.escape(t.INPUT[key])}</dd>\n")
            body = (f"<p><a href=\"index.html\">{html.escape(t.UI['back'])}</a></p>\n"
                    f"<h1>{calc}. {html.escape(caption)}</h1>\n"
                    f"<h2>{html.escape(t.UI['computes'])}</h2>\n<p>{html.escape(t.CALC[calc])}</p>\n"
                    f"<h2>{html.escape(t.UI['inputs'])}</h2>\n<dl>\n" + "".join(inputs) + "</dl>\n"
                    f"<p>{html.escape(t.UI['results'])}</p>\n")
            with open(os.path.join(out, f"calc{calc:02d}.html"), "w", encoding="utf-8", newline="\n") as f:
                f.write(page(lang, caption, body))
        body = (f"<h1>VELTARO &ndash; {html.escape(help_title)}</h1>\n<p>{html.escape(t.UI['intro'])}</p>\n"
                f"<h2>{html.escape(menu[13].replace('&', ''))}</h2>\n<ul>\n"
                + "".join(i for i in items[:-4]) + "</ul>\n"
                f"<h2>{html.escape(menu[20].replace('&', ''))}</h2>\n<ul>\n" + "".join(items[-4:]) + "</ul>\n")
        with open(os.path.join(out, "index.html"), "w", encoding="utf-8", newline="\n") as f:
            f.write(page(lang, "VELTARO - " + help_title, body))


if __name__ == "__main__":
    main()
