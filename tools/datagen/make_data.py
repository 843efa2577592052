#!/usr/bin/env python3
"""Writes the shipped data set: data/*.xml (Windows-1250), the compressed
data/tubes/ducts.xmz and PRICE.TXT.

    tools/datagen/make_data.py REPO_ROOT [LZWPACK]

LZWPACK is the encoder built from tools/lzw (build/bin/lzwpack); without it
the duct file is written plain as ducts.xml. Property curves are fitted here
from the tables in media_tables.py; every curve is checked against its table
before anything is written.
"""

from decimal import Decimal
import math
import os
import subprocess
import sys
import tempfile

from fitting import f32, fit_points, horner, log_reference, pchip, polyfit
import media_tables as mt

HEADER = '<?xml version="1.0" encoding="windows-1250"?>\n'


def num(x):
    """Shortest text that reads back as the same float32."""
    x = f32(x)
    for digits in range(1, 10):
        text = f"{x:.{digits}g}"
        if f32(float(text)) == x:
            break
    value = Decimal(text)
    if x == 0 or 1e-4 <= abs(x) < 1e7:
        text = format(value, "f")
        if "." in text:
            text = text.rstrip("0").rstrip(".")
        return text
    mantissa, exponent = text.split("e")
    return f"{mantissa}E{int(exponent)}"


# ---------------------------------------------------------------- media

def poly_curve(name, ts, ys, degree, relative=True, limit=0.005):
    c = polyfit(ts, ys, degree, relative)
    for t, y in zip(ts, ys):
        scale = abs(y) if relative else max(abs(v) for v in ys)
        if abs(horner(c, t) - y) > limit * scale:
            raise ValueError(f"{name}: polynomial off at {t}")
    lines = [f'    <Characteristic Mode="polinom">', f"      <Name>{name}</Name>"]
    lines += [f"      <PolinomValue>{num(v)}</PolinomValue>" for v in c]
    lines.append("    </Characteristic>")
    return lines


def points_curve(name, ts, ys, lo, hi, reference=None, floor=0.0, margins=(20, 20)):
    reference = reference or log_reference(ts, ys)
    nodes, values, _, _ = fit_points(ts, ys, lo, hi, reference, floor=floor, margins=margins)
    lines = [f'    <Characteristic Mode="points">', f"      <Name>{name}</Name>"]
    lines += [f'      <PointValue Temperature="{num(t)}">{num(v)}</PointValue>' for t, v in zip(nodes, values)]
    lines.append("    </Characteristic>")
    return lines


def constant(name, value):
    return [f'    <Characteristic Mode="polinom">', f"      <Name>{name}</Name>",
            f"      <PolinomValue>{num(value)}</PolinomValue>", "    </Characteristic>"]


def expansion(ts, ro):
    """-1/rho drho/dT of the density column's quadratic, at the table's
    temperatures (differences of rounded densities are too rough)."""
    c2, c1, c0 = polyfit(ts, ro, 2)
    return [-(2 * c2 * t + c1) / (c2 * t * t + c1 * t + c0) for t in ts]


ALL_MODES = ["GivedThickness", "Condensation", "GivedSurfaceTemp", "GivedPower", "GivedTempDiff", "Frost", "Optimum"]
USAGES = ["Tube", "RoundCanal", "SquareCanal", "SquareTank", "RoundTank"]


def flags(element, names, chosen):
    attrs = " ".join(f'{n}="{"yes" if n in chosen else "no"}"' for n in names)
    return f"    <{element} {attrs}/>"


def medium(item_id, hu, en, usages, modes, tmin, tmax, curves, comment):
    lines = [f"  <!-- {comment} -->", "  <DBMedium>", f"    <ItemID>{item_id}</ItemID>",
             f"    <ItemName>{hu}</ItemName>", f'    <ItemName Language="EN">{en}</ItemName>',
             flags("Usages", USAGES, usages), flags("CalcModes", ALL_MODES, modes),
             f"    <TempMin>{num(tmin)}</TempMin>", f"    <TempMax>{num(tmax)}</TempMax>"]
    for c in curves:
        lines += c
    lines.append("  </DBMedium>")
    return lines


def media_file():
    out = [HEADER.rstrip(), "<!-- Media. Units: ro kg/m3, C J/(kg K), nu m2/s, lambda W/(m K),",
           "     v 1/K (volume expansion), to degC (freezing point). Curves are fitted",
           "     by tools/datagen/make_data.py to the tables named at each medium. -->",
           "<MediaDataBase>"]
    liquids_use = ["Tube", "SquareTank", "RoundTank"]
    w = mt.WATER
    out += medium("water", "Víz", "Water", liquids_use, ALL_MODES, 0, 200, [
        poly_curve("ro", mt.WATER_T, w["ro"], 3),
        poly_curve("C", mt.WATER_T, w["C"], 4),
        points_curve("nu", mt.WATER_T, w["nu"], 0, 200),
        poly_curve("lambda", mt.WATER_T, w["lambda"], 3),
        # Through zero at 4 degC: errors there count against 2E-4. Supercooled
        # water has no margin: the table's curvature at 0 degC defeats it.
        points_curve("v", mt.WATER_T, w["v"], 0, 200, pchip(mt.WATER_T, w["v"]), floor=2e-4, margins=(0, 20)),
        constant("to", 0),
    ], "Water, saturated liquid (pressurised above 100 degC): IAPWS-IF97; viscosity IAPWS 2008; "
       "conductivity IAPWS 2011")
    a = mt.AIR
    out += medium("air", "Levegő", "Air", ["Tube", "RoundCanal", "SquareCanal"],
                  [m for m in ALL_MODES if m != "Frost"], -50, 300, [
        poly_curve("ro", mt.AIR_T, a["ro"], 4),
        poly_curve("C", mt.AIR_T, a["C"], 2),
        poly_curve("nu", mt.AIR_T, a["nu"], 3),
        poly_curve("lambda", mt.AIR_T, a["lambda"], 3),
        points_curve("v", mt.AIR_T, a["v"], -73.15, 326.85, lambda t: 1 / (t + 273.15)),
    ], "Dry air at 1 atm: Incropera and DeWitt, Fundamentals of Heat and Mass Transfer, "
       "Table A.4; expansion 1/T of the ideal gas")
    names = {
        "eg30": ("Etilénglikol-víz 30 %", "Ethylene glycol-water 30 %", "ethylene glycol 30 % by mass"),
        "eg50": ("Etilénglikol-víz 50 %", "Ethylene glycol-water 50 %", "ethylene glycol 50 % by mass"),
        "pg30": ("Propilénglikol-víz 30 %", "Propylene glycol-water 30 %", "propylene glycol 30 % by mass"),
        "pg50": ("Propilénglikol-víz 50 %", "Propylene glycol-water 50 %", "propylene glycol 50 % by mass"),
    }
    for gid, tab in mt.GLYCOLS.items():
        ts = tab["T"]
        nu = [m / r for m, r in zip(tab["mu"], tab["ro"])]
        hu, en, what = names[gid]
        out += medium(gid, hu, en, liquids_use, ALL_MODES, ts[0], ts[-1], [
            poly_curve("ro", ts, tab["ro"], 2),
            poly_curve("C", ts, tab["C"], 1),
            points_curve("nu", ts, nu, ts[0], ts[-1]),
            poly_curve("lambda", ts, tab["lambda"], 2),
            poly_curve("v", ts, expansion(ts, tab["ro"]), 2),
            constant("to", tab["to"]),
        ], f"Aqueous {what}: ASHRAE Handbook - Fundamentals (SI), tables of aqueous glycol solutions; "
           "nu = viscosity / density, v from the density column")
    o = mt.OIL
    out += medium("oil", "Hőhordozó olaj (ásványi)", "Heat-transfer oil (mineral)",
                  liquids_use, [m for m in ALL_MODES if m != "Frost"], 20, 300, [
        poly_curve("ro", mt.OIL_T, o["ro"], 1),
        poly_curve("C", mt.OIL_T, o["C"], 1),
        points_curve("nu", mt.OIL_T, o["nu"], 20, 300),
        poly_curve("lambda", mt.OIL_T, o["lambda"], 2),
        poly_curve("v", mt.OIL_T, expansion(mt.OIL_T, o["ro"]), 2),
        constant("to", o["to"]),
    ], "Mineral heat-transfer oil, 25 mm2/s at 40 degC: typical values of the makers' data sheets; "
       "to is the pour point")
    out.append("</MediaDataBase>")
    return out


# ---------------------------------------------------------- insulation

# Conductivity at the mean temperature (degC -> W/(m K)), typical declared
# values of generic products of each kind (EN 14303 to EN 14308 classes).
INSULATIONS = [
    # id, TubeShell, hu name, en name, hu print, en print, usages, (tmin, tmax), lambda table
    ("mwshell", True, "$MW$ csőhéj", "$MW$ pipe section", "$MW$ csőhéj %s", "$MW$ pipe section %s",
     ["Tube"], (-50, 620),
     [(10, 0.034), (50, 0.038), (100, 0.044), (150, 0.051), (200, 0.059), (250, 0.068), (300, 0.079)]),
    ("mwmat", False, "$MW$ drótfonatos paplan", "$MW$ wired mat", "$MW$ drótfonatos paplan %s",
     "$MW$ wired mat %s", USAGES, (-50, 640),
     [(50, 0.040), (100, 0.046), (150, 0.053), (200, 0.062), (250, 0.072), (300, 0.084), (400, 0.112)]),
    ("fefshell", True, "$FEF$ cső", "$FEF$ tube", "$FEF$ cső %s", "$FEF$ tube %s",
     ["Tube"], (-50, 105), [(-20, 0.0310), (0, 0.0330), (20, 0.0352), (40, 0.0376)]),
    ("fefsheet", False, "$FEF$ lemez", "$FEF$ sheet", "$FEF$ lemez %s", "$FEF$ sheet %s",
     USAGES, (-50, 105), [(-20, 0.0310), (0, 0.0330), (20, 0.0352), (40, 0.0376)]),
    ("peshell", True, "Polietilén hab cső", "Polyethylene foam tube", "Polietilén hab cső %s",
     "Polyethylene foam tube %s", ["Tube"], (-40, 95), [(0, 0.0350), (20, 0.0375), (40, 0.0400)]),
    ("purshell", True, "Kemény poliuretán hab csőhéj", "Rigid polyurethane foam pipe section",
     "Kemény poliuretán hab csőhéj %s", "Rigid polyurethane foam pipe section %s",
     ["Tube"], (-50, 120), [(-50, 0.022), (0, 0.025), (50, 0.028), (100, 0.032)]),
    ("casi", False, "Kalcium-szilikát héj és lap", "Calcium silicate segment and slab",
     "Kalcium-szilikát %s", "Calcium silicate %s", USAGES, (0, 1000),
     [(100, 0.057), (200, 0.065), (300, 0.074), (400, 0.084), (500, 0.095), (600, 0.107)]),
]

SIZES = {
    "mwshell": [(b, v) for b in [15, 18, 22, 28, 35, 43, 49, 54, 61, 64, 77, 89, 108, 115, 140, 169, 220, 273, 324]
                for v in [20, 30, 40, 50, 60, 80, 100]
                if not (b <= 22 and v > 60) and not (b <= 89 and v > 80) and not (b >= 108 and v < 30)],
    "fefshell": [(b, v) for b in [12, 15, 18, 20, 22, 25, 28, 32, 35, 40, 43, 49, 54, 61, 64, 77, 89, 90, 108, 110,
                                  115, 140, 160, 169] for v in [9, 13, 19, 25, 32]],
    "peshell": [(b, v) for b in [12, 15, 18, 20, 22, 25, 28, 32, 35, 40, 43, 49, 54, 61, 64, 77, 90, 110]
                for v in [6, 9, 13, 20]],
    "purshell": [(b, v) for b in [22, 28, 35, 43, 49, 61, 77, 89, 108, 115, 140, 169, 220, 273]
                 for v in [20, 30, 40, 50, 60, 80]],
    "mwmat": [v for v in [30, 40, 50, 60, 80, 100, 120]],
    "fefsheet": [v for v in [10, 13, 19, 25, 32, 40, 50]],
    "casi": [v for v in [25, 30, 40, 50, 60, 80, 100]],
}
# Thicker than one product: layers given as "thickness id thickness id ...".
ASSEMBLED = {
    "mwmat": [(140, "80 mwmat 60 mwmat"), (160, "80 mwmat 80 mwmat"), (200, "100 mwmat 100 mwmat")],
    "casi": [(150, "50 casi 100 mwmat"), (180, "80 casi 100 mwmat")],
}


def quadratic(table):
    ts = [t for t, _ in table]
    ys = [y for _, y in table]
    c2, c1, c0 = polyfit(ts, ys, 2)
    for t, y in table:
        if abs(c2 * t * t + c1 * t + c0 - y) > 0.015 * y:
            raise ValueError("conductivity fit off")
    return c2, c1, c0


def insulation_file():
    out = [HEADER.rstrip(),
           "<!-- Insulation types. Conductivity c2 x^2 + c1 x + c0 in W/(m K) at the mean",
           "     temperature x in degC, fitted to typical declared values of generic",
           "     products; sizes in mm (bore db and thickness v); limits in degC. -->",
           "<InsulationDataBase>",
           "  <DBGlobalMacro>",
           "    <Macro ID=\"$MW$\">Ásványgyapot</Macro>",
           "    <Macro ID=\"$MW$\" Language=\"EN\">Mineral-wool</Macro>",
           "    <Macro ID=\"$FEF$\">Rugalmas elasztomer hab</Macro>",
           "    <Macro ID=\"$FEF$\" Language=\"EN\">Flexible elastomeric foam</Macro>",
           "  </DBGlobalMacro>"]
    for iid, shell, hu, en, phu, pen, usages, (tmin, tmax), table in INSULATIONS:
        c2, c1, c0 = quadratic(table)
        points = ", ".join(f"{t} degC {y}" for t, y in table)
        out += [f"  <!-- {points} -->",
                f'  <Isolation TubeShell="{"yes" if shell else "no"}">',
                f"    <ItemID>{iid}</ItemID>",
                f"    <ItemName>{hu}</ItemName>", f'    <ItemName Language="EN">{en}</ItemName>',
                f"    <PrintName>{phu}</PrintName>", f'    <PrintName Language="EN">{pen}</PrintName>',
                flags("Usages", USAGES, usages),
                f'    <HeatConditionFactor c2="{num(c2)}" c1="{num(c1)}" c0="{num(c0)}"/>',
                f'    <TemperatureLimits min="{num(tmin)}" max="{num(tmax)}"/>']
        if shell:
            for b, v in SIZES[iid]:
                out.append(f"    <IsolationSubType><SizeName>{b} x {v} mm</SizeName><db>{b}</db><v>{v}</v>"
                           "</IsolationSubType>")
        else:
            for v in SIZES[iid]:
                out.append(f"    <IsolationSubType><SizeName>{v} mm</SizeName><v>{v}</v></IsolationSubType>")
            for v, layers in ASSEMBLED.get(iid, []):
                out.append(f'    <IsolationSubType Assembled="yes"><SizeName>{layers}</SizeName><v>{v}</v>'
                           "</IsolationSubType>")
        out.append("  </Isolation>")
    out.append("</InsulationDataBase>")
    return out


# --------------------------------------------------------------- tubes

# (hu, en, conductivity W/(m K), [(size name, outside diameter, wall)]).
PIPES = [
    ("Acélcső, varratnélküli (EN 10220)", "Steel pipe, seamless (EN 10220)", 50,
     [(f"DN {dn}  {d} x {s}", d, s) for dn, d, s in [
         (10, 17.2, 1.8), (15, 21.3, 2.0), (20, 26.9, 2.3), (25, 33.7, 2.6), (32, 42.4, 2.6), (40, 48.3, 2.6),
         (50, 60.3, 2.9), (65, 76.1, 2.9), (80, 88.9, 3.2), (100, 114.3, 3.6), (125, 139.7, 4.0),
         (150, 168.3, 4.5), (200, 219.1, 6.3), (250, 273.0, 6.3), (300, 323.9, 7.1), (350, 355.6, 8.0),
         (400, 406.4, 8.8)]]),
    ("Menetes acélcső, közepes (EN 10255 M)", "Threaded steel tube, medium (EN 10255 M)", 50,
     [(f"{name}  {d} x {s}", d, s) for name, d, s in [
         ('3/8"', 17.2, 2.3), ('1/2"', 21.3, 2.6), ('3/4"', 26.9, 2.6), ('1"', 33.7, 3.2), ('5/4"', 42.4, 3.2),
         ('6/4"', 48.3, 3.2), ('2"', 60.3, 3.6), ('2 1/2"', 76.1, 3.6), ('3"', 88.9, 4.0), ('4"', 114.3, 4.5),
         ('5"', 139.7, 5.0), ('6"', 165.1, 5.0)]]),
    ("Rézcső (EN 1057)", "Copper tube (EN 1057)", 380,
     [(f"{d} x {s}", d, s) for d, s in [
         (12, 1.0), (15, 1.0), (18, 1.0), (22, 1.0), (28, 1.0), (35, 1.2), (42, 1.2), (54, 1.5), (64, 2.0),
         (76.1, 2.0), (88.9, 2.0), (108, 2.5)]]),
    ("Korrózióálló acélcső, 1.4301 (EN ISO 1127)", "Stainless steel pipe, 1.4301 (EN ISO 1127)", 15,
     [(f"{d} x {s}", d, s) for d, s in [
         (21.3, 2.0), (26.9, 2.0), (33.7, 2.0), (42.4, 2.0), (48.3, 2.0), (60.3, 2.0), (76.1, 2.0),
         (88.9, 2.0), (114.3, 2.0), (139.7, 2.0), (168.3, 2.6), (219.1, 2.6)]]),
    ("PE-HD cső, PE 100 SDR 11 (EN 12201)", "PE-HD pipe, PE 100 SDR 11 (EN 12201)", 0.40,
     [(f"{d} x {s}", d, s) for d, s in [
         (20, 2.0), (25, 2.3), (32, 2.9), (40, 3.7), (50, 4.6), (63, 5.8), (75, 6.8), (90, 8.2), (110, 10.0),
         (125, 11.4), (160, 14.6)]]),
    ("PP-R cső, PN 20 SDR 6 (EN ISO 15874)", "PP-R pipe, PN 20 SDR 6 (EN ISO 15874)", 0.24,
     [(f"{d} x {s}", d, s) for d, s in [
         (20, 3.4), (25, 4.2), (32, 5.4), (40, 6.7), (50, 8.3), (63, 10.5), (75, 12.5), (90, 15.0),
         (110, 18.3)]]),
]
# Spiral-seam round ducts (EN 1506): nominal (inside) diameter and sheet thickness.
DUCTS = [(d, 0.5 if d <= 250 else 0.6 if d <= 500 else 0.8 if d <= 800 else 1.0)
         for d in [80, 100, 125, 150, 160, 200, 250, 315, 355, 400, 450, 500, 560, 630, 710, 800, 900, 1000, 1250]]


def decimal(x):
    return num(x).replace(".", ",")


def tube(hu, en, k, sizes, air):
    out = [f'  <Tube AirCanal="{"yes" if air else "no"}">', f"    <ItemName>{hu}</ItemName>",
           f'    <ItemName Language="EN">{en}</ItemName>', f"    <HeatConditionFactor>{num(k)}</HeatConditionFactor>"]
    for name, db, dk in sizes:
        out.append(f"    <TubeSubType><SizeName>{name}</SizeName><db>{num(db)}</db><dk>{num(dk)}</dk></TubeSubType>")
    out.append("  </Tube>")
    return out


def pipes_file():
    out = [HEADER.rstrip(), "<!-- Standard pipes: inside and outside diameters in mm, wall conductivity",
           "     in W/(m K); outside diameters and walls of the standards named. -->", "<TubeDataBase>"]
    for hu, en, k, sizes in PIPES:
        out += tube(hu, en, k, [(name.replace(".", ","), round(d - 2 * s, 2), d) for name, d, s in sizes], False)
    out.append("</TubeDataBase>")
    return out


def ducts_file():
    out = [HEADER.rstrip(), "<!-- Round air ducts, galvanised steel: nominal inside diameter and",
           "     sheet thickness in mm, conductivity in W/(m K). -->", "<TubeDataBase>"]
    out += tube("Kör keresztmetszetű spirálkorcolt légcsatorna (EN 1506)", "Spiral-seam round air duct (EN 1506)",
                50, [(f"DN {d}  s = {decimal(s)}", d, d + 2 * s) for d, s in DUCTS], True)
    out.append("</TubeDataBase>")
    return out


# --------------------------------------------------------------- prices

SHELL_PRICE = {"mwshell": (600, 180000), "fefshell": (300, 400000), "peshell": (100, 150000),
               "purshell": (800, 350000)}  # Ft per metre + Ft per m3 of insulation
SHEET_PRICE = {"mwmat": (800, 55), "fefsheet": (500, 200), "casi": (2000, 220)}  # Ft per m2 + Ft per mm


def round10(x):
    return int(math.floor(x / 10 + 0.5) * 10)


def sheet_price(iid, v):
    base, per_mm = SHEET_PRICE[iid]
    return base + per_mm * v


def price_file():
    out = ["; PRICE.TXT - EXAMPLE PRICES ONLY. These are not quotations: replace them with",
           "; your supplier's prices before relying on the Optimum calculation.",
           ";",
           "; Valid until (year month day), currency, then one row per size: the insulation",
           "; type's id, \"_\", the bore and \"_\" the thickness for pipe sections (price per",
           "; metre), or \"_\" and the thickness for mats, sheets and slabs (price per m2).",
           "; The list ends with the row \"END\".",
           "2031 12 31",
           '"Ft"']
    for iid, (base, per_m3) in SHELL_PRICE.items():
        out.append(f"; {iid}: per metre")
        bores = sorted({b for b, _ in SIZES[iid]})
        thicknesses = sorted({v for _, v in SIZES[iid]})
        for b in bores:
            for v in thicknesses:
                volume = math.pi * (b + v) * v * 1e-6
                out.append(f'"{iid}_{b}_{v}" {round10(base + per_m3 * volume)}')
    for iid in SHEET_PRICE:
        out.append(f"; {iid}: per m2")
        for v in SIZES[iid]:
            out.append(f'"{iid}_{v}" {round10(sheet_price(iid, v))}')
        for v, layers in ASSEMBLED.get(iid, []):
            words = layers.split()
            total = 1000 + sum(sheet_price(words[i + 1], int(words[i])) for i in range(0, len(words), 2))
            out.append(f'"{iid}_{v}" {round10(total)}  ; {layers}, with fixing')
    out.append('"END" 0')
    return out


# ----------------------------------------------------------------- main

def write(path, lines, encoding="cp1250"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode(encoding))


def main():
    root = sys.argv[1]
    lzwpack = sys.argv[2] if len(sys.argv) > 2 else None
    data = os.path.join(root, "data")
    write(os.path.join(data, "media.xml"), media_file())
    write(os.path.join(data, "insulation.xml"), insulation_file())
    write(os.path.join(data, "tubes", "pipes.xml"), pipes_file())
    if lzwpack:
        with tempfile.TemporaryDirectory() as tmp:
            plain = os.path.join(tmp, "ducts.xml")
            write(plain, ducts_file())
            subprocess.run([lzwpack, plain, os.path.join(data, "tubes", "ducts.xmz")], check=True)
    else:
        write(os.path.join(data, "tubes", "ducts.xml"), ducts_file())
    write(os.path.join(root, "PRICE.TXT"), price_file())


if __name__ == "__main__":
    main()
