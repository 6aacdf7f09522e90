#!/usr/bin/env python3
"""Check the starter catalogs in data/ against the table rules and run the
fixed selection queries for a 24 V station.  Standard library only.

    python3 tools/starter_data/check_starter_data.py

Prints one line per failed check and exits with 1 when any failed."""

import csv
import math
import sys
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))
from make_starter_data import (BATTERY_TYPES, MONTHS, OUT, SCHEMA,  # noqa: E402
                               SYSTEM_VOLTAGES)

FAILS = []


def fail(msg):
    FAILS.append(msg)
    print("FAIL:", msg)


def check(cond, msg):
    if not cond:
        fail(msg)
    return cond


# ---------------------------------------------------------------------------
# Loading with format checks
# ---------------------------------------------------------------------------
def load(name):
    path = OUT / (name + ".csv")
    raw = path.read_bytes()
    check(not raw.startswith(b"\xef\xbb\xbf"), name + ": BOM")
    check(b"\r" not in raw, name + ": CR in file")
    check(raw.endswith(b"\n"), name + ": no final LF")
    rows = list(csv.reader(raw.decode("utf-8").splitlines()))
    cols = [c[0] for c in SCHEMA[name]]
    check(rows[0] == cols, name + ": header differs from the schema")
    out = []
    for n, r in enumerate(rows[1:], start=2):
        if not check(len(r) == len(cols), "%s:%d: %d fields" % (name, n, len(r))):
            continue
        row = {}
        for (col, kind, width), v in zip(SCHEMA[name], r):
            if v == "":
                row[col] = None
            elif kind in "AI":
                check(v.lstrip("-").isdigit(), "%s:%d %s not integer: %r" % (name, n, col, v))
                row[col] = int(v)
            elif kind == "N":
                try:
                    row[col] = float(v)
                except ValueError:
                    fail("%s:%d %s not a number: %r" % (name, n, col, v))
                    row[col] = None
                check("," not in v, "%s:%d %s decimal comma" % (name, n, col))
            elif kind == "L":
                check(v in ("0", "1"), "%s:%d %s not logical: %r" % (name, n, col, v))
                row[col] = v == "1"
            else:
                check(len(v) <= width, "%s:%d %s longer than %d: %r" % (name, n, col, width, v))
                row[col] = v
        out.append(row)
    return out


T = {name: load(name) for name in SCHEMA}

# ---------------------------------------------------------------------------
# Keys, links, required columns, uniqueness
# ---------------------------------------------------------------------------
MASTER = {
    "region1": "region0", "SunPanel1": "SunPanel0", "akb1": "akb0", "akb2": "akb1",
    "Controller1": "Controller0", "Controller2": "Controller1",
    "Controller4": "Controller2", "Invert1": "Invert0", "Inv_zu1": "Inv_zu0",
    "Inv_zu2": "Inv_zu1", "AV1": "AV0", "AV2": "AV1", "Pr1": "Pr0", "Pr2": "Pr1",
    "sKab_inv1": "sKab_inv0", "akb_zaryad": "akb_zaryad0", "sTempAB1": "sTempAB0",
    "sSut0": "sSut", "sSut1": "sSut0", "sSutEP0": "sSutEP", "sSutEP1": "sSutEP0",
    "sSutEP2": "sSutEP1", "sSutEP12_0": "sSutEP12", "sSutEP12_1": "sSutEP12_0",
    "sSutEP12_2": "sSutEP12_1",
}
for name, rows in T.items():
    if SCHEMA[name][0][1] == "A" or name.startswith("sSun_day"):
        kods = [r["Kod"] for r in rows]
        check(kods == list(range(1, len(rows) + 1)), name + ": Kod not 1..n")
    if name in MASTER:
        mk = {r["Kod"] for r in T[MASTER[name]]}
        check(all(r["Kod0"] in mk for r in rows), name + ": Kod0 without master")
        used = {r["Kod0"] for r in rows}
        if name not in ("sSutEP2", "sSutEP12_2", "sSut1"):
            check(mk <= used, name + ": master rows without details")

ALL_FILLED = ["SunPanel0", "SunPanel1", "akb0", "akb1", "akb2", "Controller0",
              "Controller1", "Controller4", "Invert0", "Invert1", "AV0", "AV1", "AV2",
              "Pr0", "Pr1", "Pr2", "kl", "sKab_inv0", "sKab_inv1", "perem", "mc",
              "mc_y", "akb_zaryad0", "akb_zaryad", "Ktemp", "Ktemp1", "Kproiz",
              "Kproiz1", "Kproiz2", "sEP", "sEP12", "sTempAB0", "sTempAB1",
              "sSun_day", "sSun_day_def", "region0", "sSutEP2", "sSutEP12_2",
              "sSutEP1", "sSutEP12_1", "sSut1", "Inv_zu0", "Inv_zu1", "Inv_zu2"]
for name in ALL_FILLED:
    for r in T[name]:
        empty = [c for c, v in r.items() if v is None and c not in ("Kod", "Kod0")]
        check(not empty, "%s Kod %s: empty %s" % (name, r.get("Kod"), empty))

alg = {r["Kod"]: r["Algoritm1"] for r in T["Controller1"]}
for r in T["Controller2"]:
    base = [r["Uses"], r["Psp"], r["Uxx_sp"]]
    mppt = [r["Umppt_min"], r["Umppt_max"]]
    check(None not in base, "Controller2 Kod %d: empty rating" % r["Kod"])
    if alg[r["Kod0"]] == "MPPT":
        check(None not in mppt and mppt[0] < mppt[1] <= r["Uxx_sp"],
              "Controller2 Kod %d: MPPT range" % r["Kod"])
    else:
        check(mppt == [None, None], "Controller2 Kod %d: PWM with MPPT range" % r["Kod"])
for r in T["region1"]:
    check(None not in (r["MonthName"], r["P"], r["Tsred"]) and r["B"] is None,
          "region1 Kod %d: MonthName/P/Tsred filled, B empty" % r["Kod"])
for name in ("sSut", "sSutEP", "sSutEP12"):
    check(all(r["Razdel"] for r in T[name]), name + ": empty Razdel")
for name in ("sSut0", "sSutEP0"):
    check(all(r["Name"] for r in T[name]), name + ": empty Name")
check(all(r["Name"] and r["Unom"] for r in T["sSutEP12_0"]), "sSutEP12_0: Name/Unom")


def unique(name, cols, within=None):
    seen = set()
    for r in T[name]:
        key = tuple(r[c] for c in cols) + ((r[within],) if within else ())
        check(key not in seen, "%s: duplicate %s %r" % (name, cols, key))
        seen.add(key)


for name in ("SunPanel0", "akb0", "Controller0", "Invert0", "AV0", "Pr0"):
    unique(name, ["Company"])
for name, col in (("SunPanel1", "Tip"), ("Controller1", "Tip"), ("Invert1", "Name"),
                  ("AV1", "Name"), ("Pr1", "Name"), ("akb2", "Name"), ("kl", "Sech"),
                  ("perem", "Sech"), ("mc", "Tip"), ("mc_y", "Tip"), ("sKab_inv0", "Pinv"),
                  ("Ktemp", "T"), ("Ktemp1", "T"), ("Kproiz2", "Ugol"),
                  ("region0", "Region"), ("akb_zaryad0", "TipAKB")):
    unique(name, [col])
for name, col in (("akb1", "Tip"), ("region1", "MonthName"), ("sTempAB1", "MonthName"),
                  ("Controller2", "Uses"), ("Controller4", "TipAKB"), ("AV2", "Uses"),
                  ("Pr2", "Uses"), ("sKab_inv1", "Uakb"), ("akb_zaryad", "Zaryad")):
    unique(name, [col], "Kod0")
for name in ("Kproiz", "Kproiz1"):
    unique(name, ["UgolOrient", "UgolNakl"])
for name in ("sEP", "sEP12"):
    unique(name, ["Name", "Pnom", "Ip_In"])

# ---------------------------------------------------------------------------
# Vocabularies and physical consistency
# ---------------------------------------------------------------------------
check(all(r["Forma"] in ("чистый синус", "модиф. синус") for r in T["Invert1"]), "Forma")
check(all(r["Algoritm1"] in ("PWM", "MPPT") for r in T["Controller1"]), "Algoritm1")
check({r["Tip"] for r in T["akb1"]} == set(BATTERY_TYPES), "akb1 types")
for name in ("Controller4", "akb_zaryad0", "Inv_zu2"):
    check(all(r["TipAKB"] in BATTERY_TYPES for r in T[name]), name + " TipAKB")
check({r["Uvh"] for r in T["Invert1"]} >= {12, 24, 48}, "inverter inputs 12..48")
check({r["Uvuh"] for r in T["Invert1"]} == {220, 380}, "inverter outputs")
check(min(r["Pnom"] for r in T["Invert1"]) <= 300 and
      max(r["Pnom"] for r in T["Invert1"]) >= 10000, "inverter powers 300..10000")
check(all(0.8 <= r["Kpd"] < 1 and r["Pnom"] < r["Pmax"] < r["Ppik"] for r in T["Invert1"]),
      "inverter efficiency and powers")

for r in T["SunPanel1"]:
    tag = "SunPanel1 %s" % r["Tip"]
    check(r["Vmp"] < r["Voc"] and r["Imp"] < r["Isc"], tag + ": Vmp<Voc, Imp<Isc")
    check(abs(r["Vmp"] * r["Imp"] - r["P"]) / r["P"] <= 0.03, tag + ": P = Vmp*Imp")
    eff = r["P"] / (r["H"] * r["S"] / 1e6 * 1000) * 100
    check(abs(eff - r["Kpd"]) < 0.06 and 12 <= r["Kpd"] <= 23, tag + ": Kpd")
    check(-0.5 <= r["TK_Pmax"] < 0 and -0.4 <= r["TK_Vos"] < 0, tag + ": coefficients")
    cells = 36 if r["Voc"] < 30 else 72
    check(0.55 <= r["Voc"] / cells <= 0.70, tag + ": Voc per cell")
check({r["Structure"] for r in T["SunPanel1"]} ==
      {"монокристаллическая", "поликристаллическая"}, "panel structures")
check({r["Unom"] for r in T["SunPanel1"]} >= {12, 24, 17.5}, "panel nominal voltages")
check(min(r["P"] for r in T["SunPanel1"]) <= 50 and
      max(r["P"] for r in T["SunPanel1"]) >= 450, "panel powers 50..450")

for r in T["akb2"]:
    check(0 < r["Izar_min"] < r["Izar_max"] < r["Irazr_max"], "akb2 %s: currents" % r["Name"])
    check(r["U"] == round(r["U"]), "akb2 %s: whole volts" % r["Name"])
check({2, 6, 12} <= {r["U"] for r in T["akb2"]}, "battery voltages 2, 6, 12")
check(min(r["C"] for r in T["akb2"]) <= 7 and max(r["C"] for r in T["akb2"]) >= 3000,
      "battery capacities 7..3000")

psp = {(r["Uses"], r["Psp"]) for r in T["Controller2"]}
check({(12, 800), (24, 1600), (48, 3200)} <= psp, "controller powers 800/1600/3200")
for r in T["Controller2"]:
    types = {c["TipAKB"] for c in T["Controller4"] if c["Kod0"] == r["Kod"]}
    check(types == set(BATTERY_TYPES), "Controller2 Kod %d: battery types" % r["Kod"])

for name in ("AV1", "Pr1"):
    ins = [r["Inom"] for r in T[name]]
    check(min(ins) <= 6 and max(ins) >= 630, name + ": ratings 6..630")
    for u in SYSTEM_VOLTAGES:
        check(any(r["Unom"] >= 1.2 * u for r in T[name]), "%s: voltage %d" % (name, u))
for name in ("AV2", "Pr2"):
    check({r["Uses"] for r in T[name]} == set(SYSTEM_VOLTAGES), name + ": all voltages")
    unom = {r["Kod"]: r["Unom"] for r in T[name[:-1] + "1"]}
    check(all(unom[r["Kod0"]] >= r["Uses"] for r in T[name]), name + ": Uses above Unom")

# wires: resistance of one metre of one core, Ohm/m
for r in T["kl"]:
    check(abs(r["Ro"] * r["Sech"] / 0.0175 - 1) < 1e-3, "kl %s: Ro = 0.0175/S" % r["Sech"])
secs = sorted(T["kl"], key=lambda r: r["Sech"])
check(all(a["Idop"] < b["Idop"] for a, b in zip(secs, secs[1:])), "kl: Idop rising")
check(max(r["Idop"] for r in T["perem"]) >= 300, "perem: several hundred amperes")
klmap = {r["Sech"]: r for r in T["kl"]}
pinv = {r["Kod"]: r["Pinv"] for r in T["sKab_inv0"]}
for r in T["sKab_inv1"]:
    p, u, s, n = pinv[r["Kod0"]], r["Uakb"], r["Sech"], r["Kol_vo"]
    i = p / u
    check(s in klmap, "sKab_inv1 %d/%d: section not in kl" % (p, u))
    du = klmap[s]["Ro"] * i * 2 * 2 / u * 100 / n
    check(du <= 2.0 + 1e-9 and klmap[s]["Idop"] * n >= i,
          "sKab_inv1 %d W/%d V: drop %.2f %% or current" % (p, u, du))
check({r["Uakb"] for r in T["sKab_inv1"]} == set(SYSTEM_VOLTAGES), "sKab_inv1 voltages")

for r in T["akb_zaryad0"]:
    pts = sorted((z["Zaryad"], z["U"]) for z in T["akb_zaryad"] if z["Kod0"] == r["Kod"])
    check(all(a[1] < b[1] for a, b in zip(pts, pts[1:])) and pts[0][0] == 0 and
          pts[-1][0] == 100, "akb_zaryad %s: rising 0..100" % r["TipAKB"])
    check(all(10 <= v <= 14 for _, v in pts), "akb_zaryad %s: 12 V values" % r["TipAKB"])

for name in ("Ktemp", "Ktemp1"):
    ks = sorted((r["T"], r["K"]) for r in T[name])
    check(dict(ks).get(25.0) == 1.0, name + ": K(25) = 1")
    check(all(a[1] > b[1] for a, b in zip(ks, ks[1:])), name + ": K falls with T")

# performance coefficients
k2 = sorted((r["Ugol"], r["K"]) for r in T["Kproiz2"])
check(k2[0] == (0, 0), "Kproiz2 starts at (0, 0)")
check(k2[-1][0] >= 201, "Kproiz2 reaches 201 degrees")
check(all(a[1] <= b[1] for a, b in zip(k2, k2[1:])), "Kproiz2 monotonic")
check(all(a[1] < b[1] for a, b in zip(k2, k2[1:]) if b[0] <= 90), "Kproiz2 rising to 90")
check(all(k < 100 for _, k in k2), "Kproiz2 below 100 %")
check(all(b[0] - a[0] <= 5 for a, b in zip(k2, k2[1:])), "Kproiz2 small steps")
for name, orients, tilts in (("Kproiz", range(90, 271, 15), range(15, 61, 5)),
                             ("Kproiz1", range(0, 361, 10), range(0, 91, 5))):
    grid = {(r["UgolOrient"], r["UgolNakl"]): r for r in T[name]}
    check(set(grid) == {(o, t) for o in orients for t in tilts}, name + ": grid")
    check(all(0 < r["K"] <= 100 for r in T[name]), name + ": K in (0, 100]")
    check(max(r["K"] for r in T[name]) >= 99.5, name + ": best near 100")
    check(grid[(180, 40)]["K"] > grid[(90, 40)]["K"] and
          grid[(180, 40)]["K"] > grid[(270, 40)]["K"], name + ": south best")
    names = {"Север": 0, "Северо-Восток": 45, "Восток": 90, "Юго-Восток": 135, "Юг": 180,
             "Юго-Запад": 225, "Запад": 270, "Северо-Запад": 315}
    for (o, t), r in grid.items():
        d = abs((o - names[r["Orient"]] + 180) % 360 - 180)
        check(d <= 22.5, "%s (%d,%d): compass name %s" % (name, o, t, r["Orient"]))

# regions
check(80 <= len(T["region0"]) <= 120, "region count %d" % len(T["region0"]))
for r in T["region0"]:
    months = [m["MonthName"] for m in T["region1"] if m["Kod0"] == r["Kod"]]
    check(months == MONTHS, "region %s: twelve months in order" % r["Region"])
    check(35 <= r["Fi"] <= 70, "region %s: latitude" % r["Region"])
check(all(0 <= r["P"] <= 8 and -50 < r["Tsred"] < 35 for r in T["region1"]),
      "region1 value ranges")
for name in ("Москва", "Астрахань", "Алматы"):
    check(any(r["Region"] == name for r in T["region0"]), "region %s present" % name)

# day-light and rooms
for name in ("sSun_day", "sSun_day_def"):
    check([r["MonthName"] for r in T[name]] == MONTHS, name + ": months")
    check(all(0 <= r["Voshod10"] < r["Zakat10"] <= 24 for r in T[name]), name + ": order")
for r in T["sTempAB0"]:
    months = [m["MonthName"] for m in T["sTempAB1"] if m["Kod0"] == r["Kod"]]
    check(months == MONTHS, "room %s: twelve months" % r["PomName"])

# consumers and schedules
check(all(r["Pnom"] > 0 and 1 <= r["Ip_In"] <= 8 for r in T["sEP"] + T["sEP12"]),
      "consumer ratings")
check(all(r["Rejim"] in ("ручной", "автоматический") for r in T["sEP"] + T["sEP12"]),
      "consumer modes")
check({r["Unom"] for r in T["sEP12"]} == {12, 24, 48}, "DC consumers 12/24/48 V")
for name in ("sSutEP1", "sSutEP12_1"):
    for r in T[name]:
        check(r["SPnom"] == r["Pnom"] * r["Kol_vo"] and r["SPpik"] == r["Ppik"] * r["Kol_vo"],
              "%s %s: totals" % (name, r["Name"]))
for name in ("sSutEP2", "sSutEP12_2"):
    by = {}
    for r in T[name]:
        check(0 <= r["T1"] < r["T2"] <= 24, "%s Kod %d: T1 < T2 in 0..24" % (name, r["Kod"]))
        by.setdefault(r["Kod0"], []).append((r["T1"], r["T2"]))
    for k, ps in by.items():
        ps.sort()
        check(all(a[1] <= b[0] for a, b in zip(ps, ps[1:])), "%s %d: overlap" % (name, k))
for name in ("sSutEP12_0",):
    volts = {r["Kod"]: r["Unom"] for r in T[name]}
    check(all(r["Unom"] == volts[r["Kod0"]] for r in T["sSutEP12_1"]), "DC schedule volts")
by = {}
for r in T["sSut1"]:
    by.setdefault(r["Kod0"], []).append((r["T1"], r["T2"]))
for k, ps in by.items():
    check(ps[0][0] == 0 and ps[-1][1] == 24 and
          all(a[1] == b[0] for a, b in zip(ps, ps[1:])), "sSut1 %d: 0..24 contiguous" % k)
for name in ("sSut0", "sSutEP0", "sSutEP12_0"):
    check(all(r["Wp_sut"] is None and r["Pnom30min"] is None and r["Pmax10min"] is None
              and r.get("Ppik") is None for r in T[name]), name + ": figures left empty")

# ---------------------------------------------------------------------------
# Fixed queries for a 24 V station
# ---------------------------------------------------------------------------
def by_kod(name):
    return {r["Kod"]: r for r in T[name]}


def qry_inv2(uvh, uvuh, pnom, pmax, ppik, f1, f2):
    i0 = by_kod("Invert0")
    return sorted(((i0[r["Kod0"]]["Company"], r["Name"], r["Pnom"]) for r in T["Invert1"]
                   if i0[r["Kod0"]]["UseInv"] and r["UseInv"] and r["Uvh"] == uvh
                   and r["Uvuh"] == uvuh and r["Pnom"] >= pnom and r["Pmax"] >= pmax
                   and r["Ppik"] >= ppik and r["Forma"] in (f1, f2)),
                  key=lambda x: x[2])


def qry_controller(alg, uxx, umppt, uses, p, izar, tipakb):
    c0, c1, c2 = by_kod("Controller0"), by_kod("Controller1"), T["Controller2"]
    out = []
    for r2 in c2:
        r1 = c1[r2["Kod0"]]
        r0 = c0[r1["Kod0"]]
        types = {r4["TipAKB"] for r4 in T["Controller4"] if r4["Kod0"] == r2["Kod"]}
        ok_v = (r1["Algoritm1"] == "PWM" and r2["Uxx_sp"] >= uxx) or (
            r1["Algoritm1"] == "MPPT" and r2["Uxx_sp"] >= uxx
            and r2["Umppt_min"] <= umppt <= r2["Umppt_max"])
        if (r0["UseCtrl"] and r1["UseCtrl"] and r1["Algoritm1"] == alg and ok_v
                and r2["Uses"] == uses and r2["Psp"] >= p and r1["Imax_sp"] > izar
                and tipakb in types):
            out.append((r1["Tip"], r2["Psp"], r1["Imax_sp"]))
    return sorted(out, key=lambda x: (x[1], x[2]))


def qry_device(prefix, unom, inom, skab):
    m = by_kod(prefix + "0")
    use = "UseAV" if prefix == "AV" else "UsePr"
    return sorted(((m[r["Kod0"]]["Company"], r["Name"], r["Inom"], r["Unom"])
                   for r in T[prefix + "1"] if m[r["Kod0"]][use] and r[use]
                   and r["Unom"] >= unom and r["Inom"] >= inom and r["Skab"] >= skab),
                  key=lambda x: (x[2], x[3]))


def qry_device_inv(prefix, uses, pnom, ppik, skab):
    m, d1 = by_kod(prefix + "0"), by_kod(prefix + "1")
    use = "UseAV" if prefix == "AV" else "UsePr"
    out = []
    for r2 in T[prefix + "2"]:
        r1 = d1[r2["Kod0"]]
        if (m[r1["Kod0"]][use] and r1[use] and r2["Uses"] == uses
                and r2["Pinv_nom"] >= pnom and r1["Skab"] >= skab
                and (prefix == "Pr" or r2["Pinv_pik"] >= ppik)):
            out.append((r1["Name"], r1["Inom"]))
    return sorted(out, key=lambda x: x[1])


def qry_kl(col, romax, i):
    s = [r["Sech"] for r in T["kl"] if r["Ro"] <= romax and r[col] >= i]
    return min(s) if s else None


def romax(u, du, i, length):
    return round(u * du / 100 / i / 2 / length, 6)


USES = 24
res = qry_inv2(USES, 220, 1000, 1000, 0, "модиф. синус", "чистый синус")
check(res, "qryInv2 24 V 1 kW: no candidates")
print("qryInv2 24 V, 1000 W, any waveform: %d candidates, first %s" % (len(res), res[:2]))
res = qry_inv2(USES, 220, 1000, 1000, 1300 * 2, "чистый синус", "чистый синус")
check(res, "qryInv2 24 V 1 kW pure sine with peaks: no candidates")
print("qryInv2 24 V, 1000 W, pure sine, peak 2600 W: %d, first %s" % (len(res), res[:1]))

# controller parameters as the controller window computes them
KT, ZAP, LOSS, DEFUZ = 1.115, 10, 10, 14.2
for panel in T["SunPanel1"]:
    if panel["Tip"] not in ("СП-М-100-12", "СП-М-300-24", "СП-П-80-17.5"):
        continue
    for alg, v in (("MPPT", 48), ("MPPT", 36), ("PWM", USES)):
        n = v / panel["Unom"]
        uxx = round(KT * (1 + ZAP / 100) * panel["Voc"] * n, 2)
        umppt = round(panel["Vmp"] * n, 2)
        if alg == "MPPT":
            izar = round((1 - LOSS / 100) * 1600 / ((USES // 12) * DEFUZ), 2)
        else:
            strings = math.ceil(1600 / (panel["P"] * math.ceil(n - 1e-9)))
            izar = round(panel["Imp"] * strings, 2)
        res = qry_controller(alg, uxx, umppt, USES, 1600, izar, "GEL")
        ok = check(res, "qryController1 %s %s V %s: no candidates" % (alg, v, panel["Tip"]))
        print("qryController1 24 V, 1600 W, %s at %s V with %s (Uxx %.2f, Umppt %.2f, "
              "I %.2f): %s" % (alg, v, panel["Tip"], uxx, umppt, izar, res[:2] if ok else res))

s40 = qry_kl("Idop", romax(USES, 2, 40, 3), 40)
for prefix, kzap in (("AV", 1.2), ("Pr", 1.5)):
    res = qry_device(prefix, USES * 1.2, 40 * kzap, s40 or 0)
    check(res, "qry%s 24 V 40 A: no candidates" % prefix)
    print("qry%s 24 V, 40 A x %.1f, section %s: %d, first %s" % (prefix, kzap, s40, len(res), res[:1]))
    res = qry_device_inv(prefix, USES, 1000, 2000, 25)
    check(res, "qry%s_Inv 24 V 1 kW: no candidates" % prefix)
    print("qry%s_Inv 24 V, 1000/2000 W, 25 mm2: %d, first %s" % (prefix, len(res), res[:1]))

for col in ("Idop", "Idop_2_1zh", "Idop_1_2zh"):
    for length in (2, 3, 10):
        s = qry_kl(col, romax(USES, 2, 30, length), 30)
        check(s is not None, "qryKL %s 30 A %d m: none" % (col, length))
        print("qryKL %s, 24 V, 30 A, 2 %% over %d m: %s mm2" % (col, length, s))
kab = sorted((pinv[r["Kod0"]], r["Sech"], r["Kol_vo"]) for r in T["sKab_inv1"]
             if r["Uakb"] == USES and pinv[r["Kod0"]] >= 1000)
check(kab, "qryKab_inv 1000 W 24 V: none")
print("qryKab_inv 1000 W, 24 V:", kab[0])
for name, i in (("perem", 200), ("mc", 9), ("mc_y", 18)):
    col = "Idop" if name == "perem" else "I"
    vals = [r[col] for r in T[name] if r[col] >= i]
    check(vals, "%s for %d A: none" % (name, i))
print("regions: %d, rows with P = 0: %s" % (len(T["region0"]), sorted(
    {next(z["Region"] for z in T["region0"] if z["Kod"] == r["Kod0"])
     for r in T["region1"] if r["P"] == 0})))

print("%d tables checked, %d failures" % (len(T), len(FAILS)))
sys.exit(1 if FAILS else 0)
