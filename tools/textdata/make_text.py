#!/usr/bin/env python3
"""Writes the market text files of data/Text from the UTF-8 sources beside this script.

The language and menu files come from src/<market>/TextFile.txt and MenuText.txt (one
"number<TAB>text" row per line, so that a missing or doubled line number is caught here and
not in the running program; "#base XX" takes every line of market XX first and lets the file
override single lines). The catalogue and the lists are built from the tables below.

Every file is written in the market's ANSI code page with CR LF line ends. The contact file
is kept to plain ASCII, because all markets read the same file.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
OUT = os.path.join(ROOT, "data", "Text")

MARKETS = ["DK", "SE", "NO", "UK", "LT", "EE", "LV", "MRN"]
CODEPAGE = {"DK": "cp1252", "SE": "cp1252", "NO": "cp1252", "UK": "cp1252", "MRN": "cp1252",
            "LT": "cp1257", "EE": "cp1257", "LV": "cp1257"}
LANG = {"DK": "DK", "SE": "SE", "NO": "NO", "UK": "EN", "MRN": "EN",
        "LT": "LT", "EE": "EE", "LV": "LV"}


def write_lines(name, market, lines, codepage=None):
    cp = codepage or CODEPAGE[market]
    data = "".join(line + "\r\n" for line in lines).encode(cp)  # raises on a foreign character
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def read_numbered(market, name, seen=None):
    path = os.path.join(HERE, "src", market, name)
    rows = {}
    with open(path, encoding="utf-8") as f:
        for n, raw in enumerate(f, 1):
            raw = raw.rstrip("\n")
            if raw.startswith("#base "):
                rows.update(read_numbered(raw.split()[1], name))
                continue
            num, sep, text = raw.partition("\t")
            if not sep or not num.isdigit():
                sys.exit(f"{path}:{n}: expected 'number<TAB>text'")
            rows[int(num)] = text
    return rows


def numbered_lines(market, name):
    rows = read_numbered(market, name)
    count = max(rows)
    missing = [k for k in range(1, count + 1) if k not in rows]
    if missing:
        sys.exit(f"{market}/{name}: missing line numbers {missing}")
    return [rows[k] for k in range(1, count + 1)]


# --- The "not chosen" placeholders: each holds the market's line 75 as written there. ---
PLACEHOLDER = {
    "DK": {"product": "VÆLG produkt", "pipe": "VÆLG rørdiameter", "inner": "VÆLG indvendig rørdiameter",
           "emis": "VÆLG emissionstal", "const": "VÆLG stofkonstant", "energy": "VÆLG enhed",
           "class": "VÆLG isoleringsklasse"},
    "SE": {"product": "VÄLJ produkt", "pipe": "VÄLJ rördiameter", "inner": "VÄLJ invändig rördiameter",
           "emis": "VÄLJ emissionstal", "const": "VÄLJ ämneskonstant", "energy": "VÄLJ enhet",
           "class": "VÄLJ isolerklass"},
    "NO": {"product": "VELG produkt", "pipe": "VELG rørdiameter", "inner": "VELG innvendig rørdiameter",
           "emis": "VELG emisjonstall", "const": "VELG stoffkonstant", "energy": "VELG enhet",
           "class": "VELG isolasjonsklasse"},
    "EN": {"product": "SELECT product", "pipe": "SELECT diameter", "inner": "SELECT inner pipe diameter",
           "emis": "SELECT emissivity", "const": "SELECT material constant", "energy": "SELECT unit",
           "class": "SELECT insulation class"},
    "LT": {"product": "PASIRINKITE gaminį", "pipe": "PASIRINKITE diam.",
           "inner": "PASIRINKITE vidinį skersmenį", "emis": "PASIRINKITE koeficientą",
           "const": "PASIRINKITE medžiagos konstantą", "energy": "PASIRINKITE",
           "class": "PASIRINKITE izoliacijos klasę"},
    "EE": {"product": "VALIGE toode", "pipe": "VALIGE läbimõõt", "inner": "VALIGE toru siseläbimõõt",
           "emis": "VALIGE kiirgustegur", "const": "VALIGE ainekonstant", "energy": "VALIGE ühik",
           "class": "VALIGE isolatsiooniklass"},
    "LV": {"product": "IZVĒLIETIES izstrādājumu", "pipe": "IZVĒLIETIES diam.",
           "inner": "IZVĒLIETIES iekšējo diametru", "emis": "IZVĒLIETIES koeficientu",
           "const": "IZVĒLIETIES vielas konstanti", "energy": "IZVĒLIETIES",
           "class": "IZVĒLIETIES izolācijas klasi"},
}

# --- Product catalogue of Torvelin. ---
# Conductivity lambda(t) = c0 + c1*t + c2*t^2 in W/(m K), t the mean temperature in deg C.
# Temperature limits in deg C. The foil-faced and vapour-barrier products have narrow ranges.
PIPE_T = [20, 25, 30, 40, 50, 60, 70, 80, 90, 100, 120]
HT_PIPE_T = [30, 40, 50, 60, 70, 80, 90, 100, 120, 140, 160]
COLD_T = [20, 25, 30, 40, 50, 60]
MAT_T = [30, 40, 50, 60, 70, 80, 90, 100, 120, 150]
LAMELLA_T = [20, 30, 40, 50, 60, 80, 100]
SLAB_T = [30, 40, 50, 60, 70, 80, 100, 120, 150, 180, 200]
HT_SLAB_T = [40, 50, 60, 80, 100, 120, 150, 200, 250]
DUCT_T = [25, 30, 40, 50, 60, 80, 100]

PRODUCTS = [
    # key, c0, c1, c2, tmin, tmax, thicknesses, {lang: name}
    ("ps80", 0.0330, 0.000090, 0.00000030, -50, 250, PIPE_T,
     {"DK": "Torvelin PS 80 Rørskål", "SE": "Torvelin PS 80 Rörskål", "NO": "Torvelin PS 80 Rørskål",
      "EN": "Torvelin PS 80 Pipe Section", "LT": "Torvelin PS 80 kevalas", "EE": "Torvelin PS 80 torukoor",
      "LV": "Torvelin PS 80 čaula"}),
    ("ps120", 0.0340, 0.000085, 0.00000022, -50, 620, HT_PIPE_T,
     {"DK": "Torvelin PS 120 HT Rørskål", "SE": "Torvelin PS 120 HT Rörskål", "NO": "Torvelin PS 120 HT Rørskål",
      "EN": "Torvelin PS 120 HT Pipe Section", "LT": "Torvelin PS 120 HT kevalas",
      "EE": "Torvelin PS 120 HT torukoor", "LV": "Torvelin PS 120 HT čaula"}),
    ("ps60k", 0.0325, 0.000095, 0.00000035, -40, 80, COLD_T,
     {"DK": "Torvelin PS 60 K Kulderørskål", "SE": "Torvelin PS 60 K Kylrörskål",
      "NO": "Torvelin PS 60 K Kulderørskål", "EN": "Torvelin PS 60 K Cold Pipe Section",
      "LT": "Torvelin PS 60 K šalčio kevalas", "EE": "Torvelin PS 60 K külmakoor",
      "LV": "Torvelin PS 60 K aukstuma čaula"}),
    ("wm100", 0.0360, 0.000110, 0.00000030, 0, 660, MAT_T,
     {"DK": "Torvelin WM 100 Trådnetmåtte", "SE": "Torvelin WM 100 Nätmatta", "NO": "Torvelin WM 100 Nettingmatte",
      "EN": "Torvelin WM 100 Wired Mat", "LT": "Torvelin WM 100 tinklinis kilimėlis",
      "EE": "Torvelin WM 100 võrkmatt", "LV": "Torvelin WM 100 sieta paklājs"}),
    ("lm40", 0.0355, 0.000120, 0.00000025, -30, 100, LAMELLA_T,
     {"DK": "Torvelin LM 40 Alu Lamelmåtte", "SE": "Torvelin LM 40 Alu Lamellmatta",
      "NO": "Torvelin LM 40 Alu Lamellmatte", "EN": "Torvelin LM 40 Alu Lamella Mat",
      "LT": "Torvelin LM 40 Alu lamelių kilimėlis", "EE": "Torvelin LM 40 Alu lamellmatt",
      "LV": "Torvelin LM 40 Alu lameļu paklājs"}),
    ("s60", 0.0340, 0.000095, 0.00000028, 0, 400, SLAB_T,
     {"DK": "Torvelin S 60 Plade", "SE": "Torvelin S 60 Skiva", "NO": "Torvelin S 60 Plate",
      "EN": "Torvelin S 60 Slab", "LT": "Torvelin S 60 plokštė", "EE": "Torvelin S 60 plaat",
      "LV": "Torvelin S 60 plātne"}),
    ("s150", 0.0370, 0.000080, 0.00000022, 0, 750, HT_SLAB_T,
     {"DK": "Torvelin S 150 HT Plade", "SE": "Torvelin S 150 HT Skiva", "NO": "Torvelin S 150 HT Plate",
      "EN": "Torvelin S 150 HT Slab", "LT": "Torvelin S 150 HT plokštė", "EE": "Torvelin S 150 HT plaat",
      "LV": "Torvelin S 150 HT plātne"}),
    ("vm30", 0.0345, 0.000120, 0.00000030, -30, 200, DUCT_T,
     {"DK": "Torvelin VM 30 Alu Kanalmåtte", "SE": "Torvelin VM 30 Alu Kanalmatta",
      "NO": "Torvelin VM 30 Alu Kanalmatte", "EN": "Torvelin VM 30 Alu Duct Mat",
      "LT": "Torvelin VM 30 Alu ortakių kilimėlis", "EE": "Torvelin VM 30 Alu kanalimatt",
      "LV": "Torvelin VM 30 Alu kanālu paklājs"}),
]

MARINE_PRODUCTS = [
    ("mps", 0.0330, 0.000090, 0.00000030, -50, 250, PIPE_T, "Torvelin Marine Pipe Section"),
    ("mps_ht", 0.0340, 0.000085, 0.00000022, -50, 620, HT_PIPE_T, "Torvelin Marine HT Pipe Section"),
    ("mslab", 0.0345, 0.000100, 0.00000030, 0, 400, SLAB_T, "Torvelin Marine Slab M 80"),
    ("mdeck", 0.0375, 0.000085, 0.00000024, 0, 700, HT_SLAB_T, "Torvelin Marine Deck Slab D 140"),
    ("mwm", 0.0360, 0.000110, 0.00000030, 0, 660, MAT_T, "Torvelin Marine Wired Mat"),
    ("mlm", 0.0355, 0.000120, 0.00000025, -30, 100, LAMELLA_T, "Torvelin Marine Alu Lamella Mat"),
    ("mduct", 0.0345, 0.000120, 0.00000030, -30, 200, DUCT_T, "Torvelin Marine Alu Duct Mat"),
]


def num(x):
    """Plain decimal text without exponent, as the number reader takes it."""
    text = f"{x:.10f}".rstrip("0").rstrip(".")
    return text if text not in ("-0", "") else "0"


def product_line(name, c0, c1, c2, tmin, tmax, thicknesses):
    fields = [name, num(c0), num(c1), num(c2), num(tmin), num(tmax)] + [str(t) for t in thicknesses]
    return "".join(f + ";" for f in fields)


def market_products(market):
    if market == "MRN":
        return [(k, c0, c1, c2, lo, hi, t, name) for k, c0, c1, c2, lo, hi, t, name in MARINE_PRODUCTS]
    lang = LANG[market]
    return [(k, c0, c1, c2, lo, hi, t, names[lang]) for k, c0, c1, c2, lo, hi, t, names in PRODUCTS]


# --- Pipe diameters. The first four characters of an item give the size that the pipe-only
# check compares, so every item starts with the diameter in mm written with a point. ---
STEEL = [("21.3", "DN 15"), ("26.9", "DN 20"), ("33.7", "DN 25"), ("42.4", "DN 32"), ("48.3", "DN 40"),
         ("60.3", "DN 50"), ("76.1", "DN 65"), ("88.9", "DN 80"), ("114.3", "DN 100"), ("139.7", "DN 125"),
         ("168.3", "DN 150"), ("219.1", "DN 200"), ("273.0", "DN 250"), ("323.9", "DN 300"),
         ("355.6", "DN 350"), ("406.4", "DN 400"), ("457", "DN 450"), ("508", "DN 500"), ("610", "DN 600"),
         ("711", "DN 700"), ("813", "DN 800"), ("914", "DN 900"), ("1016", "DN 1000")]
COPPER = ["10", "12", "15", "18", "22", "28", "35", "42", "54"]
COPPER_WORD = {"DK": "kobber", "SE": "koppar", "NO": "kobber", "EN": "copper", "LT": "varis",
               "EE": "vask", "LV": "varš"}
# Swedish sizes are whole millimetres: the pipe-section table is keyed by the diameter as text.
SE_SIZES = [12, 15, 18, 22, 28, 35, 42, 48, 54, 60, 76, 89, 108, 114, 133, 140, 159, 168, 219, 273,
            324, 356, 406, 457, 508, 610, 711, 813, 914, 1016]
INNER = ["10.0", "13.0", "16.1", "21.7", "27.3", "36.0", "41.9", "53.1", "68.9", "80.8", "105.3", "130.0",
         "155.4", "204.9", "254.5", "303.9", "393.8", "496.2"]


def pipe_key(item):
    """The size the pipe-only check reads from a list item: the leading number of its first
    four characters (three when those hold a slash), rounded half to even."""
    key = item[:4].strip()
    if "/" in key:
        key = item[:3].strip()
    digits = ""
    seen_point = False
    for ch in key:
        if ch.isdigit():
            digits += ch
        elif ch == "." and not seen_point:
            seen_point = True
            digits += ch
        else:
            break
    if not digits or digits == ".":
        return 0
    return round(float(digits))  # Python rounds halves to even


def pipe_items(market):
    if market == "SE":
        return [f"{d} mm" for d in SE_SIZES]
    lang = LANG[market]
    entries = [(float(d), f"{d} mm  {dn}") for d, dn in STEEL]
    entries += [(float(d), f"{d} mm  {COPPER_WORD[lang]}") for d in COPPER]
    entries.sort(key=lambda e: e[0])
    return [text for _, text in entries]


# Products made only as pipe sections, with the outer diameters they are made for.
PIPE_ONLY_RANGE = {"ps80": (10, 330), "ps120": (21, 330), "ps60k": (10, 115),
                   "mps": (10, 330), "mps_ht": (21, 330)}


def pipe_only_lines(market):
    sizes = sorted({pipe_key(item) for item in pipe_items(market)})
    lines = []
    for key, _, _, _, _, _, _, name in market_products(market):
        if key in PIPE_ONLY_RANGE:
            lo, hi = PIPE_ONLY_RANGE[key]
            chosen = [s for s in sizes if lo <= s <= hi][:40]
            lines.append(name + ";" + "".join(f"{s};" for s in chosen))
    return lines


# Standard outer diameters of the section moulds: the supplied section is the smallest mould
# that gives at least the nominal thickness on the pipe.
MOULDS = [40, 48, 60, 76, 89, 102, 114, 127, 140, 159, 168, 194, 219, 245, 273, 299, 324, 356, 406,
          426, 457, 508, 530, 559, 610, 660, 711, 762, 813]


def pipe_kap_lines():
    name, thick = None, None
    for key, _, _, _, _, _, t, n in market_products("SE"):
        if key == "ps80":
            name, thick = n, t
    lines = [name]
    for d in [s for s in SE_SIZES if s <= 324]:
        for t in thick:
            mould = next(m for m in MOULDS if m >= d + 2 * t)
            lines.append(f"{d};{t};{(mould - d) // 2};")
    return lines


EMIS_PLANE = {
    "DK": ["0.05 Aluminium, blank", "0.10 Aluminium, oxideret", "0.15 Alu-zink plade", "0.20 Galvaniseret stål, blank",
           "0.30 Rustfrit stål", "0.60 Galvaniseret stål, mat", "0.90 Malet overflade / plast", "0.94 Glasvæv / lærred"],
    "SE": ["0.05 Aluminium, blank", "0.10 Aluminium, oxiderad", "0.15 Alu-zink plåt", "0.20 Galvaniserat stål, blankt",
           "0.30 Rostfritt stål", "0.60 Galvaniserat stål, matt", "0.90 Målad yta / plast", "0.94 Glasväv / duk"],
    "NO": ["0.05 Aluminium, blank", "0.10 Aluminium, oksidert", "0.15 Alu-sink plate", "0.20 Galvanisert stål, blankt",
           "0.30 Rustfritt stål", "0.60 Galvanisert stål, matt", "0.90 Malt overflate / plast", "0.94 Glassvev / duk"],
    "EN": ["0.05 Aluminium, bright", "0.10 Aluminium, oxidised", "0.15 Aluminium-zinc sheet",
           "0.20 Galvanised steel, bright", "0.30 Stainless steel", "0.60 Galvanised steel, dull",
           "0.90 Painted surface / plastic", "0.94 Glass cloth / canvas"],
    "LT": ["0.05 Aliuminis, blizgus", "0.10 Aliuminis, oksiduotas", "0.15 Aliuminio-cinko skarda",
           "0.20 Cinkuotas plienas, blizgus", "0.30 Nerūdijantis plienas", "0.60 Cinkuotas plienas, matinis",
           "0.90 Dažytas paviršius / plastikas", "0.94 Stiklo audinys / drobė"],
    "EE": ["0.05 Alumiinium, läikiv", "0.10 Alumiinium, oksüdeerunud", "0.15 Alumiinium-tsinkplekk",
           "0.20 Tsingitud teras, läikiv", "0.30 Roostevaba teras", "0.60 Tsingitud teras, matt",
           "0.90 Värvitud pind / plast", "0.94 Klaaskangas / lõuend"],
    "LV": ["0.05 Alumīnijs, spīdīgs", "0.10 Alumīnijs, oksidēts", "0.15 Alumīnija-cinka skārds",
           "0.20 Cinkots tērauds, spīdīgs", "0.30 Nerūsējošais tērauds", "0.60 Cinkots tērauds, matēts",
           "0.90 Krāsota virsma / plastmasa", "0.94 Stikla audums / audekls"],
}
EMIS_PIPE = {
    "DK": ["0.07 Kobberrør, blankt", "0.30 Galvaniseret stålrør", "0.80 Stålrør, oxideret", "0.90 Stålrør, malet",
           "0.94 Støbejernsrør"],
    "SE": ["0.07 Kopparrör, blankt", "0.30 Galvaniserat stålrör", "0.80 Stålrör, oxiderat", "0.90 Stålrör, målat",
           "0.94 Gjutjärnsrör"],
    "NO": ["0.07 Kobberrør, blankt", "0.30 Galvanisert stålrør", "0.80 Stålrør, oksidert", "0.90 Stålrør, malt",
           "0.94 Støpejernsrør"],
    "EN": ["0.07 Copper pipe, bright", "0.30 Galvanised steel pipe", "0.80 Steel pipe, oxidised",
           "0.90 Steel pipe, painted", "0.94 Cast iron pipe"],
    "LT": ["0.07 Varinis vamzdis, blizgus", "0.30 Cinkuoto plieno vamzdis", "0.80 Plieninis vamzdis, oksiduotas",
           "0.90 Plieninis vamzdis, dažytas", "0.94 Ketaus vamzdis"],
    "EE": ["0.07 Vasktoru, läikiv", "0.30 Tsingitud terastoru", "0.80 Terastoru, oksüdeerunud",
           "0.90 Terastoru, värvitud", "0.94 Malmtoru"],
    "LV": ["0.07 Vara caurule, spīdīga", "0.30 Cinkota tērauda caurule", "0.80 Tērauda caurule, oksidēta",
           "0.90 Tērauda caurule, krāsota", "0.94 Čuguna caurule"],
}
# Material constants of the moist medium for the inner film coefficient.
CONSTANTS = {
    "DK": ["3.6 Luft, fugtig", "3.9 Røggas", "4.4 Procesluft med damp"],
    "SE": ["3.6 Luft, fuktig", "3.9 Rökgas", "4.4 Processluft med ånga"],
    "NO": ["3.6 Luft, fuktig", "3.9 Røykgass", "4.4 Prosessluft med damp"],
    "EN": ["3.6 Air, humid", "3.9 Flue gas", "4.4 Process air with steam"],
    "LT": ["3.6 Oras, drėgnas", "3.9 Dūmai", "4.4 Technologinis oras su garais"],
    "EE": ["3.6 Õhk, niiske", "3.9 Suitsugaas", "4.4 Protsessiõhk auruga"],
    "LV": ["3.6 Gaiss, mitrs", "3.9 Dūmgāzes", "4.4 Tehnoloģiskais gaiss ar tvaiku"],
}
# Energy units in the order of their conversion factors from kWh:
# 1, 1/1000, 0.101 (9.9 kWh per litre of heating oil), 0.00086, 0.0905 (11.05 kWh per m3 of
# natural gas), 0.091 (11 kWh per kg of fuel oil).
ENERGY = {
    "DK": ["kWh", "MWh", "l fyringsolie", "Gcal", "m³ naturgas", "kg fuelolie"],
    "SE": ["kWh", "MWh", "l eldningsolja", "Gcal", "m³ naturgas", "kg tjockolja"],
    "NO": ["kWh", "MWh", "l fyringsolje", "Gcal", "m³ naturgass", "kg tungolje"],
    "EN": ["kWh", "MWh", "l heating oil", "Gcal", "m³ natural gas", "kg fuel oil"],
    "LT": ["kWh", "MWh", "l krosnių kuro", "Gcal", "m³ gamtinių dujų", "kg mazuto"],
    "EE": ["kWh", "MWh", "l kütteõli", "Gcal", "m³ maagaasi", "kg masuuti"],
    "LV": ["kWh", "MWh", "l kurināmās eļļas", "Gcal", "m³ dabasgāzes", "kg mazuta"],
}
CLASS_WORD = {"DK": "Isoleringsklasse", "SE": "Isolerklass", "NO": "Isolasjonsklasse", "EN": "Insulation class",
              "LT": "Izoliacijos klasė", "EE": "Isolatsiooniklass", "LV": "Izolācijas klase"}
# The two media of the duct calculation: air first, flue gas second; the Danish texts are the
# design's own, the others say the same with the same composition.
MEDIA = {
    "DK": ["Luft 79% N2, 21% O2", "Røggas 12%CO2, 3%H2O, 83%N2, 2%O2"],
    "SE": ["Luft 79% N2, 21% O2", "Rökgas 12%CO2, 3%H2O, 83%N2, 2%O2"],
    "NO": ["Luft 79% N2, 21% O2", "Røykgass 12%CO2, 3%H2O, 83%N2, 2%O2"],
    "EN": ["Air 79% N2, 21% O2", "Flue gas 12%CO2, 3%H2O, 83%N2, 2%O2"],
    "LT": ["Oras 79% N2, 21% O2", "Dūmai 12%CO2, 3%H2O, 83%N2, 2%O2"],
    "EE": ["Õhk 79% N2, 21% O2", "Suitsugaas 12%CO2, 3%H2O, 83%N2, 2%O2"],
    "LV": ["Gaiss 79% N2, 21% O2", "Dūmgāzes 12%CO2, 3%H2O, 83%N2, 2%O2"],
}


def address_blocks():
    """Nine 15-line blocks: head office, marine, UK, DK, NO, SE, LT, EE, LV."""
    blocks = [
        ["Torvelin Insulation A/S", "Group Head Office", "Kalvbakken 4", "DK-7190 Rodhavn", "", "Denmark",
         "+45 70 10 20 30", "+45 70 10 20 31", "info@torvelin.example.com", "https://www.torvelin.example.com",
         "https://docs.torvelin.example.org"],
        ["Torvelin Marine", "Marine & Offshore Division", "Skibsvej 31", "DK-6710 Esbholm", "", "Denmark",
         "+45 70 10 20 50", "+45 70 10 20 51", "marine@torvelin.example.com",
         "https://marine.torvelin.example.com", "https://docs.torvelin.example.org/marine"],
        ["Torvelin UK Ltd", "Technical Sales", "Unit 7, Fernbrook Park", "Millbank Road", "Ashcombe AB12 3CD",
         "United Kingdom", "+44 1632 960123", "+44 1632 960124", "sales.uk@torvelin.example.com",
         "www.torvelin.example.com/uk", "https://docs.torvelin.example.org/uk"],
        ["Torvelin Danmark A/S", "Teknisk Salg", "Industrivej 12", "DK-7190 Rodhavn", "", "Danmark",
         "+45 70 10 20 40", "+45 70 10 20 41", "salg.dk@torvelin.example.com",
         "www.torvelin.example.com/dk", "https://docs.torvelin.example.org/dk"],
        ["Torvelin Norge AS", "Teknisk salg", "Postboks 214", "Lynnveien 17", "N-0571 Fjellby", "Norge",
         "+47 21 00 43 10", "+47 21 00 43 11", "salg.no@torvelin.example.com",
         "www.torvelin.example.com/no", "https://docs.torvelin.example.org/no"],
        ["Torvelin Sverige AB", "Teknisk support", "Stenhuggarvagen 9", "S-432 91 Granvika", "", "Sverige",
         "+46 31 700 12 00", "+46 31 700 12 01", "info.se@torvelin.example.com",
         "www.torvelin.example.com/se", "https://docs.torvelin.example.org/se"],
        ["UAB Torvelin Baltija", "Techninis skyrius", "Pramones g. 7", "LT-54321 Liepynai", "", "Lietuva",
         "+370 600 10 234", "+370 600 10 235", "info.lt@torvelin.example.com",
         "www.torvelin.example.com/lt", "https://docs.torvelin.example.org/lt"],
        ["Torvelin Eesti OU", "Tehniline osakond", "Toostuse tn 5", "76543 Kaasiku", "", "Eesti",
         "+372 600 1234", "+372 600 1235", "info.ee@torvelin.example.com",
         "www.torvelin.example.com/ee", "https://docs.torvelin.example.org/ee"],
        ["SIA Torvelin Latvija", "Tehniska nodala", "Rupnicas iela 3", "LV-2101 Egluciems", "", "Latvija",
         "+371 6700 1234", "+371 6700 1235", "info.lv@torvelin.example.com",
         "www.torvelin.example.com/lv", "https://docs.torvelin.example.org/lv"],
    ]
    lines = []
    for block in blocks:
        lines += block + [""] * (15 - len(block))
    return lines


def main():
    os.makedirs(OUT, exist_ok=True)
    for m in MARKETS:
        lang = LANG[m]
        ph = PLACEHOLDER[lang]
        write_lines(f"TextFile.{m}", m, numbered_lines(m, "TextFile.txt"))
        write_lines(f"MenuText.{m}", m, numbered_lines(m, "MenuText.txt"))
        prods = market_products(m)
        write_lines(f"Product.{m}", m, [product_line(n, c0, c1, c2, lo, hi, t)
                                          for _, c0, c1, c2, lo, hi, t, n in prods] + [ph["product"]])
        write_lines(f"PipeDiam.{m}", m, pipe_items(m) + [ph["pipe"]])
        write_lines(f"PipeIDia.{m}", m, [f"{d} mm" for d in INNER] + [ph["inner"]])
        write_lines(f"PlanEmis.{m}", m, EMIS_PLANE[lang] + [ph["emis"]])
        write_lines(f"PipeEmis.{m}", m, EMIS_PIPE[lang] + [ph["emis"]])
        write_lines(f"StofKons.{m}", m, CONSTANTS[lang] + [ph["const"]])
        write_lines(f"energy.{m}", m, ENERGY[lang] + [ph["energy"]])
        classes = 4 if m == "DK" else 6
        write_lines(f"Class.{m}", m, [f"{CLASS_WORD[lang]} {k}" for k in range(1, classes + 1)] + [ph["class"]])
        # The box shows air until the user picks another medium.
        write_lines(f"Medie.{m}", m, MEDIA[lang] + [MEDIA[lang][0]])
        write_lines(f"PipeOnly.{m}", m, pipe_only_lines(m))
    write_lines("PipeKap.SE", "SE", pipe_kap_lines())
    write_lines("adress.all", "DK", address_blocks(), codepage="ascii")


if __name__ == "__main__":
    main()
