#!/usr/bin/env python3
"""The shipped help pages against the windows they describe.

Every page quotes, in its market's words, each input-check line (tools/helpgen/checks.txt, which
a calculation test keeps equal to what the windows check), result label and message line
(tools/helpgen/windows.txt) of its window, and names no input or result label the window does
not show (the marine edition has no savings); every link resolves.
"""
import html
import os
import re
import sys

ROOT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
sys.path.insert(0, os.path.join(ROOT, "tools", "helpgen"))
sys.dont_write_bytecode = True
import make_help  # noqa: E402

CALC = os.path.join(ROOT, "program", "calc")
faults = []


def source(name):
    with open(os.path.join(CALC, name), encoding="utf-8") as f:
        return f.read()


def bodies(name, cls):
    return {m.group(1): m.group(2) for m in re.finditer(
        r"\b" + cls + r"::(\w+)\([^)]*\)[^{;]*\{(?!\})(.*?)\n\}", source(name), re.S)}


def window_labels(calc):
    name = "MultiLayerForm.cpp" if calc in (21, 22, 23) else f"frmCalc{calc:02d}.cpp"
    body = bodies(name, "MultiLayerForm" if calc in (21, 22, 23) else f"frmCalc{calc:02d}")["captionLines"]
    return {int(n) for n in re.findall(r'\{\s*"?\w+"?,\s*-?\d+,\s*(\d+)\}', body)}


table = make_help.windows()
for market, folder in make_help.HELP_NAME.items():
    lines = make_help.read("TextFile", market)
    marine = market == "MRN"
    savings_labels = {lines[n - 1] for n in (126, 114, 116, 133)}
    for page in sorted(os.listdir(os.path.join(ROOT, "data", "help", folder))):
        with open(os.path.join(ROOT, "data", "help", folder, page), encoding="utf-8") as f:
            text = f.read()
        where = f"{folder}/{page}"
        for href in re.findall(r'href="([^"#]*)', text):
            if not os.path.isfile(os.path.join(ROOT, "data", "help", folder, href)):
                faults.append(f"{where}: broken link {href}")
        if page == "index.html":
            continue
        calc = int(page[4:6])
        plain = html.unescape(text)
        must = [(kind, item) for kind in ("check", "results", "messages", "savings")
                for item, extra in table[calc].get(kind, [])
                if not (marine and (extra or kind == "savings"))]
        for kind, item in must:
            quote = "".join(lines[n - 1] for n in item)
            if make_help.meaningful(quote) and quote not in plain:
                faults.append(f"{where}: {kind} line {item} missing: {quote}")
        listed = {"".join(lines[n - 1] for n in item) for kind in ("check", "savings")
                  for item, _ in table[calc].get(kind, [])} | {lines[19]}
        for ul in re.findall(r'<ul class="checks">(.*)</ul>', text, re.S):
            for item in re.findall(r"<li>([^<]*)", ul):
                if html.unescape(item) not in listed:
                    faults.append(f"{where}: quotes {item!r}, which the window's check does not show")
        has = {lines[n - 1] for n in window_labels(calc)} - (savings_labels if marine else set())
        for dl in re.findall(r'<dl class="(?:inputs|results)">(.*?)</dl>', text, re.S):
            for label in re.findall(r"<dt>(.*?)</dt>", dl):
                for part in html.unescape(label).split(" / "):
                    if part not in has:
                        faults.append(f"{where}: names {part!r}, which the window does not show")
        if marine:
            for item, _ in table[calc].get("savings", []):
                if "".join(lines[n - 1] for n in item) in plain:
                    faults.append(f"{where}: quotes the savings check line {item}")

print("\n".join(faults))
print(f"0 passed, {len(faults)} failed" if faults else "1 passed, 0 failed")
sys.exit(1 if faults else 0)
