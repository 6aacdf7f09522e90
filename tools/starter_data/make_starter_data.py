#!/usr/bin/env python3
"""Generate the starter catalogs in data/ (one CSV per catalog table).

Run from anywhere:  python3 tools/starter_data/make_starter_data.py

Reads the sourced reference data from ../shared/data (relative to the
repository root) and writes data/*.csv deterministically.  Standard library
only.  Where every number comes from is described in data/SOURCES.md; the
physical tables (regions, performance coefficients, temperature
coefficients, wire resistance, optimal battery-inverter cables, battery-room
temperatures) are computed here from the formulas named there, the equipment
and consumer lists are literal tables below.

CSV format: UTF-8 without BOM, LF line ends, header = all columns of the
table in schema order, RFC 4180 quoting, decimal point, logical 1/0,
empty field = null, Kod written explicitly (1, 2, 3 ... per table).
"""

import csv
import math
import shutil
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SHARED = ROOT.parent / "shared" / "data"
OUT = ROOT / "data"

MONTHS = ["январь", "февраль", "март", "апрель", "май", "июнь", "июль",
          "август", "сентябрь", "октябрь", "ноябрь", "декабрь"]
DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
SYSTEM_VOLTAGES = [12, 24, 36, 48, 60, 96]
BATTERY_TYPES = ["AGM", "GEL", "Flooded", "LiFePo4"]

# ---------------------------------------------------------------------------
# Catalog schema: columns in table order as (name, type, text width).
# Types: A autoincrement, I integer, N number, T text, L logical.
# ---------------------------------------------------------------------------
SCHEMA_TEXT = """
region0: Kod A, Region T30, Fi N
region1: Kod A, Kod0 I, MonthName T20, P N, Tsred N, B N
region2: Kod A, Kod0 I, MonthName T20, H N, Kd N, Source T100
SunPanel0: Kod A, Company T100, UseSP L
SunPanel1: Kod A, Kod0 I, Tip T30, Structure T20, P N, Unom N, H N, S N, Voc N, Isc N, Vmp N, Imp N, Kpd N, UseSP L, TK_Pmax N, TK_Vos N
akb0: Kod A, Company T100, UseAKB L
akb1: Kod A, Kod0 I, Tip T50, UseAKB L
akb2: Kod A, Kod0 I, Name T30, C N, U N, Izar_min N, Izar_max N, Irazr_max N, L N, S N, H N, UseAKB L
Controller0: Kod A, Company T100, UseCtrl L
Controller1: Kod A, Kod0 I, Tip T30, Algoritm1 T20, Imax_sp I, Imax_nagr I, ProvSechMax N, UseCtrl L
Controller2: Kod A, Kod0 I, Uses I, Psp I, Uxx_sp I, Umppt_min N, Umppt_max N
Controller4: Kod A, Kod0 I, TipAKB T30, Upodzar N
Invert0: Kod A, Company T100, UseInv L
Invert1: Kod A, Kod0 I, Name T50, Pnom N, Pmax N, Ppik N, Uvuh N, Uvh N, Forma T20, Kpd N, UseInv L
Inv_zu0: Kod A, Company T100
Inv_zu1: Kod A, Kod0 I, Name T50, Pnom N, Pmax N, Ppik N, Uvuh N, Uvh N, Forma T20, Kpd N, Psp I, Usp I, Algoritm T20, Imax_zu N, ProvSechMax N, ParalWork L, ParalKol I
Inv_zu2: Kod A, Kod0 I, TipAKB T30
AV0: Kod A, Company T100, UseAV L
AV1: Kod A, Kod0 I, Name T50, Unom N, Inom N, Tip_krep T20, Skab N, UseAV L
AV2: Kod A, Kod0 I, Uses I, Pinv_nom N, Pinv_pik N
Pr0: Kod A, Company T100, UsePr L
Pr1: Kod A, Kod0 I, Name T50, NameDerzh T50, Unom N, Inom N, Skab N, UsePr L
Pr2: Kod A, Kod0 I, Uses I, Pinv_nom N
kl: Kod A, Sech N, Idop N, Idop_2_1zh N, Idop_1_2zh N, Ro N
sKab_inv0: Kod A, Pinv I
sKab_inv1: Kod A, Kod0 I, Uakb I, Sech N, Kol_vo I
perem: Kod A, Sech N, Idop N
mc: Kod A, Tip T20, I N
mc_y: Kod A, Tip T20, I N
akb_zaryad0: Kod A, TipAKB T30
akb_zaryad: Kod A, Kod0 I, Zaryad I, U N
Ktemp: T N, K N
Ktemp1: T N, K N
Kproiz: Kod A, Orient T20, UgolOrient N, UgolNakl N, K N
Kproiz1: Kod A, Orient T20, UgolOrient N, UgolNakl N, K N
Kproiz2: Kod A, Ugol N, K N
sSun_day: Kod I, MonthName T20, Voshod10 N, Zakat10 N
sSun_day_def: Kod I, MonthName T20, Voshod10 N, Zakat10 N
sTempAB0: Kod A, PomName T50
sTempAB1: Kod A, Kod0 I, MonthName T20, TempAB N
sEP: Kod A, Name T50, Pnom N, Ip_In N, ClearSinus L, Rejim T20
sEP12: Kod A, Name T50, Pnom N, Ip_In N, Unom I, Rejim T20
sSut: Kod A, Razdel T255
sSut0: Kod A, Kod0 I, Name T255, Wp_sut N, Pnom30min N, Pmax10min N
sSut1: Kod A, Kod0 I, T1 N, T2 N, P N
sSutEP: Kod A, Razdel T255
sSutEP0: Kod A, Kod0 I, Name T255, Wp_sut N, Pnom30min N, Pmax10min N, Ppik N, ClearSinus L
sSutEP1: Kod A, Kod0 I, Name T50, Pnom N, Ppik N, Kol_vo I, SPnom N, SPpik N, ClearSinus L, Rejim T20
sSutEP2: Kod A, Kod0 I, T1 N, T2 N
sSutEP12: Kod A, Razdel T255
sSutEP12_0: Kod A, Kod0 I, Name T255, Unom I, Wp_sut N, Pnom30min N, Pmax10min N, Ppik N
sSutEP12_1: Kod A, Kod0 I, Name T50, Unom I, Pnom N, Ppik N, Kol_vo I, SPnom N, SPpik N, Rejim T20
sSutEP12_2: Kod A, Kod0 I, T1 N, T2 N
"""


def parse_schema(text):
    schema = {}
    for line in text.strip().splitlines():
        table, cols = line.split(":", 1)
        out = []
        for item in cols.split(","):
            name, kind = item.split()
            width = int(kind[1:]) if kind[0] == "T" else 0
            out.append((name, kind[0], width))
        schema[table.strip()] = out
    return schema


SCHEMA = parse_schema(SCHEMA_TEXT)


# ---------------------------------------------------------------------------
# Output helpers
# ---------------------------------------------------------------------------
def fmt(value):
    if value is None:
        return ""
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, int):
        return str(value)
    if isinstance(value, float):
        if value != value or value in (float("inf"), float("-inf")):
            raise ValueError("not a finite number")
        text = format(round(value, 8), ".8f").rstrip("0").rstrip(".")
        return "0" if text in ("-0", "") else text
    return str(value)


class Table:
    """Rows of one catalog table; Kod is numbered 1, 2, 3 ... on add."""

    def __init__(self, name):
        self.name = name
        self.columns = [c[0] for c in SCHEMA[name]]
        self.rows = []

    def add(self, **values):
        unknown = set(values) - set(self.columns)
        if unknown:
            raise KeyError("%s: unknown columns %s" % (self.name, sorted(unknown)))
        if "Kod" in self.columns and "Kod" not in values:
            values["Kod"] = len(self.rows) + 1
        self.rows.append(values)
        return values.get("Kod")

    def write(self):
        path = OUT / (self.name + ".csv")
        with open(path, "w", encoding="utf-8", newline="") as f:
            w = csv.writer(f, lineterminator="\n")
            w.writerow(self.columns)
            for r in self.rows:
                w.writerow([fmt(r.get(c)) for c in self.columns])


TABLES = {}


def table(name):
    if name not in TABLES:
        TABLES[name] = Table(name)
    return TABLES[name]


def read_csv(name):
    with open(SHARED / name, encoding="utf-8", newline="") as f:
        return list(csv.DictReader(f))


# ---------------------------------------------------------------------------
# Regions: administrative centres of Russia's regions and the capitals and
# largest cities of the other countries of the station table.  Each entry is
# (name in Russian, ISD station id of climate_sunshine.csv).  Where the city
# has no station of its own in the table the nearest one of its airport or
# suburb is used (listed in SOURCES.md).
# ---------------------------------------------------------------------------
REGIONS = [
    # Russia: republics
    ("Майкоп", "370210-99999"), ("Горно-Алтайск", "360520-99999"),
    ("Уфа", "287220-99999"), ("Улан-Удэ", "308230-99999"),
    ("Махачкала", "374720-99999"), ("Магас", "372180-99999"),
    ("Нальчик", "372120-99999"), ("Элиста", "348610-99999"),
    ("Черкесск", "370470-99999"), ("Петрозаводск", "228200-99999"),
    ("Сыктывкар", "238040-99999"), ("Йошкар-Ола", "274850-99999"),
    ("Саранск", "277600-99999"), ("Якутск", "249590-99999"),
    ("Владикавказ", "372280-99999"), ("Казань", "275950-99999"),
    ("Кызыл", "360960-99999"), ("Ижевск", "284110-99999"),
    ("Абакан", "298650-99999"), ("Грозный", "372350-99999"),
    ("Чебоксары", "275810-99999"), ("Симферополь", "339460-99999"),
    # Russia: krais
    ("Барнаул", "298380-99999"), ("Чита", "307580-99999"),
    ("Петропавловск-Камчатский", "325830-99999"),
    ("Краснодар", "349290-99999"), ("Красноярск", "295740-99999"),
    ("Пермь", "282240-99999"), ("Владивосток", "319600-99999"),
    ("Ставрополь", "349490-99999"), ("Хабаровск", "317360-99999"),
    # Russia: oblasts, federal cities, autonomous oblast and okrugs
    ("Благовещенск", "315100-99999"), ("Архангельск", "225500-99999"),
    ("Астрахань", "348800-99999"), ("Белгород", "342140-99999"),
    ("Брянск", "268980-99999"), ("Владимир", "275320-99999"),
    ("Волгоград", "345600-99999"), ("Вологда", "270370-99999"),
    ("Воронеж", "341230-99999"), ("Иваново", "273470-99999"),
    ("Иркутск", "307100-99999"), ("Калининград", "267020-99999"),
    ("Калуга", "277030-99999"), ("Кемерово", "296420-99999"),
    ("Киров", "271960-99999"), ("Кострома", "273330-99999"),
    ("Курган", "286610-99999"), ("Курск", "340090-99999"),
    ("Санкт-Петербург", "260630-99999"), ("Липецк", "279300-99999"),
    ("Магадан", "259120-99999"), ("Москва", "276120-99999"),
    ("Мурманск", "221130-99999"), ("Нижний Новгород", "275530-99999"),
    ("Великий Новгород", "261790-99999"), ("Новосибирск", "296380-99999"),
    ("Омск", "286980-99999"), ("Оренбург", "351210-99999"),
    ("Орёл", "279060-99999"), ("Пенза", "279620-99999"),
    ("Псков", "262580-99999"), ("Ростов-на-Дону", "347300-99999"),
    ("Рязань", "277300-99999"), ("Самара", "288070-99999"),
    ("Саратов", "341720-99999"), ("Южно-Сахалинск", "321500-99999"),
    ("Екатеринбург", "284450-99999"), ("Смоленск", "267810-99999"),
    ("Тамбов", "279470-99999"), ("Тверь", "274020-99999"),
    ("Томск", "294300-99999"), ("Тула", "277190-99999"),
    ("Тюмень", "283670-99999"), ("Ульяновск", "277850-99999"),
    ("Челябинск", "286450-99999"), ("Ярославль", "273310-99999"),
    ("Севастополь", "339940-99999"), ("Биробиджан", "317130-99999"),
    ("Нарьян-Мар", "232050-99999"), ("Ханты-Мансийск", "239330-99999"),
    ("Анадырь", "255630-99999"), ("Салехард", "233300-99999"),
    # Kazakhstan
    ("Астана", "351880-99999"), ("Алматы", "368700-99999"),
    ("Шымкент", "383280-99999"), ("Караганда", "353940-99999"),
    ("Актобе", "352290-99999"), ("Павлодар", "360030-99999"),
    ("Усть-Каменогорск", "364030-99999"),
    # Ukraine
    ("Киев", "333450-99999"), ("Харьков", "343000-99999"),
    ("Одесса", "338370-99999"), ("Днепр", "345040-99999"),
    ("Донецк", "345190-99999"), ("Запорожье", "346010-99999"),
    ("Львов", "333930-99999"),
    # Belarus
    ("Минск", "268500-99999"), ("Гомель", "330410-99999"),
    ("Брест", "330080-99999"),
    # Uzbekistan, Turkmenistan, Tajikistan, Kyrgyzstan
    ("Ташкент", "384572-99999"), ("Самарканд", "386960-99999"),
    ("Ашхабад", "388800-99999"), ("Туркменабад", "386870-99999"),
    ("Душанбе", "388360-99999"), ("Худжанд", "385990-99999"),
    ("Бишкек", "383530-99999"), ("Ош", "386150-99999"),
    # Armenia, Azerbaijan, Georgia, Moldova
    ("Ереван", "377880-99999"), ("Гюмри", "376860-99999"),
    ("Баку", "378500-99999"), ("Гянджа", "378630-99999"),
    ("Тбилиси", "375450-99999"), ("Кутаиси", "373950-99999"),
    ("Батуми", "374840-99999"),
    ("Кишинёв", "338150-99999"), ("Бельцы", "337450-99999"),
]


def load_station_months():
    """Station id -> (ISD name, latitude, [(month, P, Tsred) * 12], sunshine %).

    regions_estimated.csv is the row-by-row Angstrom-Prescott estimate of
    climate_sunshine.csv (same order); the station id is taken from the
    latter and every pair of rows is checked to belong together."""
    sun = read_csv("climate_sunshine.csv")
    est = read_csv("regions_estimated.csv")
    if len(sun) != len(est):
        raise SystemExit("station table and estimate differ in length")
    out = {}
    for s, e in zip(sun, est):
        if s["Month"] != e["Month"] or s["Fi"] != e["Fi"] or \
                s["Tmean"] != e["Tsred"] or not e["Region"].startswith(s["City"]):
            raise SystemExit("station table and estimate out of step at %r" % s)
        st = out.setdefault(s["Station"], [s["City"], s["Fi"], [], []])
        st[2].append((e["Month"], e["P"], e["Tsred"]))
        st[3].append(float(s["SunPct"]))
    for sid, st in out.items():
        if [m for m, _, _ in st[2]] != MONTHS:
            raise SystemExit("station %s: months not in calendar order" % sid)
    return out


def make_regions(stations):
    r0, r1, r2 = table("region0"), table("region1"), table("region2")
    names = [n for n, _ in REGIONS]
    if len(set(names)) != len(names):
        raise SystemExit("duplicate region name")
    for name, sid in sorted(REGIONS, key=lambda x: x[0].replace("ё", "е")):
        city, fi, months, _ = stations[sid]
        kod = r0.add(Region=name, Fi=float(fi))
        for month, p, t in months:
            # The horizontal estimate is the month's source; P holds it too, and on import the
            # program derives E on the plane of the month's tilt from the source over it.
            r2.add(Kod0=kod, MonthName=month, H=float(p), Kd=None,
                   Source="FAO-56, оценка по солнечному сиянию (Ангстрем - Прескотт)")
            # B stays empty: the store computes the optimal tilt on import.
            r1.add(Kod0=kod, MonthName=month, P=float(p), Tsred=float(t), B=None)


# ---------------------------------------------------------------------------
# Solar geometry (FAO-56 for the daily values, Duffie & Beckman for the
# plane of the array), used by the performance-coefficient tables.
# ---------------------------------------------------------------------------
MID_DAY = [16, 45.5, 75, 105.5, 136, 166.5, 197, 228, 258.5, 289, 319.5, 350]
GSC = 0.0820            # MJ m-2 min-1
ALBEDO = 0.2            # ground reflectance
REF_STATION = "276120-99999"   # Москва (MOSKVA VDNH), reference for Kproiz*


def erbs_monthly(kt, ws_deg):
    """Monthly mean diffuse fraction Hd/H (Erbs, Klein & Duffie 1982)."""
    kt = min(max(kt, 0.3), 0.8)   # validity range of the correlation
    if ws_deg <= 81.4:
        return 1.391 - 3.560 * kt + 4.189 * kt ** 2 - 2.137 * kt ** 3
    return 1.311 - 3.022 * kt + 3.427 * kt ** 2 - 1.821 * kt ** 3


class ReferenceClimate:
    """Monthly mean days of the reference station, split into hours."""

    STEPS = 180

    def __init__(self, lat_deg, sun_pct):
        self.phi = math.radians(lat_deg)
        self.months = []
        for m in range(12):
            j = MID_DAY[m]
            dr = 1 + 0.033 * math.cos(2 * math.pi * j / 365)
            dec = 0.409 * math.sin(2 * math.pi * j / 365 - 1.39)
            ws = math.acos(max(-1.0, min(1.0, -math.tan(self.phi) * math.tan(dec))))
            ra = 24 * 60 / math.pi * GSC * dr * (
                ws * math.sin(self.phi) * math.sin(dec)
                + math.cos(self.phi) * math.cos(dec) * math.sin(ws))
            kt = 0.25 + 0.50 * sun_pct[m] / 100      # FAO-56 eq. 35: Rs/Ra
            h = kt * ra
            hd = erbs_monthly(kt, math.degrees(ws)) * h
            # hour angles (midpoints) and the hourly shares of H and Hd:
            # Collares-Pereira & Rabl (global), Liu & Jordan (diffuse),
            # each normalised to sum to one over the day
            a = 0.409 + 0.5016 * math.sin(ws - math.radians(60))
            b = 0.6609 - 0.4767 * math.sin(ws - math.radians(60))
            omegas, rt, rd = [], [], []
            for i in range(self.STEPS):
                w = -ws + (i + 0.5) * 2 * ws / self.STEPS
                c = math.cos(w) - math.cos(ws)
                omegas.append(w)
                rt.append((a + b * math.cos(w)) * c)
                rd.append(c)
            st, sd = sum(rt), sum(rd)
            hours = []
            for w, t, d in zip(omegas, rt, rd):
                i_glob = h * t / st
                i_dif = hd * d / sd
                cz = (math.cos(self.phi) * math.cos(dec) * math.cos(w)
                      + math.sin(self.phi) * math.sin(dec))
                hours.append((w, max(i_glob - i_dif, 0.0), i_dif, i_glob, cz))
            self.months.append((dec, h, hd, hours))

    def diffuse_share(self):
        """Share of diffuse radiation in the yearly horizontal total."""
        tot = sum(DAYS[m] * self.months[m][1] for m in range(12))
        dif = sum(DAYS[m] * self.months[m][2] for m in range(12))
        return dif / tot

    def yearly_on_plane(self, tilt_deg, azimuth_deg):
        """Yearly irradiation on a plane, isotropic sky (Liu & Jordan).

        azimuth_deg: 180 = south, 90 = east, 270 = west (program's
        convention); converted to Duffie & Beckman's gamma (0 = south,
        east negative)."""
        beta = math.radians(tilt_deg)
        gamma = math.radians(azimuth_deg - 180)
        sp, cp = math.sin(self.phi), math.cos(self.phi)
        sb, cb = math.sin(beta), math.cos(beta)
        sg, cg = math.sin(gamma), math.cos(gamma)
        sky = (1 + cb) / 2
        gnd = ALBEDO * (1 - cb) / 2
        total = 0.0
        for m in range(12):
            dec, _, _, hours = self.months[m]
            sd, cd = math.sin(dec), math.cos(dec)
            day = 0.0
            for w, ib, idf, ig, cz in hours:
                ct = (sd * sp * cb - sd * cp * sb * cg
                      + cd * cp * cb * math.cos(w)
                      + cd * sp * sb * cg * math.cos(w)
                      + cd * sb * sg * math.sin(w))
                beam = ib * max(ct, 0.0) / cz if cz > 0 else 0.0
                day += beam + idf * sky + ig * gnd
            total += DAYS[m] * day
        return total


def compass_name(angle, names8):
    """8-point compass name of an orientation (180 = south)."""
    return names8[int(((angle % 360) + 22.5) // 45) % 8]


COMPASS = ["Север", "Северо-Восток", "Восток", "Юго-Восток", "Юг",
           "Юго-Запад", "Запад", "Северо-Запад"]


def make_performance_tables(stations):
    city, fi, _, sun_pct = stations[REF_STATION]
    clim = ReferenceClimate(float(fi), sun_pct)

    # best orientation and tilt: whole degrees
    best = (0.0, None)
    for az in range(150, 211):
        for tilt in range(20, 71):
            v = clim.yearly_on_plane(tilt, az)
            if v > best[0]:
                best = (v, (az, tilt))
    ymax = best[0]

    def k(az, tilt):
        return round(100 * clim.yearly_on_plane(tilt, az) / ymax, 1)

    t = table("Kproiz")
    for az in range(90, 271, 15):
        for tilt in range(15, 61, 5):
            t.add(Orient=compass_name(az, COMPASS), UgolOrient=az,
                  UgolNakl=tilt, K=k(az, tilt))
    t = table("Kproiz1")
    for az in range(0, 361, 10):
        for tilt in range(0, 91, 5):
            t.add(Orient=compass_name(az, COMPASS), UgolOrient=az,
                  UgolNakl=tilt, K=k(az, tilt))

    # deviation loss: beam share follows cos(A), diffuse share constant
    fd = clim.diffuse_share()
    t = table("Kproiz2")
    for ugol in range(0, 261, 5):
        remaining = (1 - fd) * max(math.cos(math.radians(ugol)), 0.0) + fd
        t.add(Ugol=ugol, K=round(100 * (1 - remaining), 2))
    return {"best": best[1], "diffuse_share": fd, "lat": float(fi)}


# ---------------------------------------------------------------------------
# Battery temperature coefficients: K = 100 / capacity %, normalised to 1 at
# 25 degrees C.
# ---------------------------------------------------------------------------
def make_ktemp():
    for src, name in (("battery_temperature.csv", "Ktemp"),
                      ("battery_temperature_lfp.csv", "Ktemp1")):
        rows = read_csv(src)
        k25 = [float(r["K"]) for r in rows if float(r["T"]) == 25]
        if len(k25) != 1:
            raise SystemExit("%s: no row at 25 C" % src)
        t = table(name)
        for r in rows:
            t.add(T=float(r["T"]), K=round(float(r["K"]) / k25[0], 3))


# ---------------------------------------------------------------------------
# Day-light periods and battery rooms
# ---------------------------------------------------------------------------
NARROW_H = 1.0   # design light period: one hour off each end


def make_daylight():
    rows = read_csv("daylight_moscow.csv")
    if [r["Month"] for r in rows] != MONTHS:
        raise SystemExit("daylight table: months not in calendar order")
    d, u = table("sSun_day_def"), table("sSun_day")
    for i, r in enumerate(rows, start=1):
        v, z = float(r["Voshod10"]), float(r["Zakat10"])
        d.add(Kod=i, MonthName=r["Month"], Voshod10=v, Zakat10=z)
        u.add(Kod=i, MonthName=r["Month"], Voshod10=round(v + NARROW_H, 2),
              Zakat10=round(z - NARROW_H, 2))


ROOMS = [
    # name, rule (outdoor monthly mean -> battery temperature)
    ("Отапливаемое помещение (климат Москвы)", lambda t: max(20.0, t + 5.0)),
    ("Неотапливаемое помещение (климат Москвы)", lambda t: t + 5.0),
    ("Уличный шкаф (климат Москвы)", lambda t: t + 2.0),
]


def make_rooms(stations):
    _, _, months, _ = stations[REF_STATION]
    r0, r1 = table("sTempAB0"), table("sTempAB1")
    for name, rule in ROOMS:
        kod = r0.add(PomName=name)
        for month, _, tout in months:
            r1.add(Kod0=kod, MonthName=month, TempAB=round(rule(float(tout)), 1))


# ---------------------------------------------------------------------------
# Wires, optimal battery-inverter cables, jumpers, connectors
# ---------------------------------------------------------------------------
RHO_CU = 0.0175      # Ohm*mm2/m, copper at 20 degrees C
CABLE_LEN = 2.0      # m, battery-inverter cable
CABLE_DROP = 2.0     # %, allowed voltage drop
# sections of the standard series, from the smallest used for a battery
# circuit to the largest single cable an inverter terminal usually takes
CABLE_SECTIONS = [1.5, 2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120]
CABLE_MAX_N = 4
INVERTER_POWERS = [150, 250, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000,
                   4500, 5000, 6000, 8000, 10000]


# sections of the source table that are not in today's standard series of
# conductor sections (kept out of the catalog; a user may add them)
OLD_SECTIONS = {1.2, 2, 3, 5, 8}


def wire_rows():
    rows = []
    for r in read_csv("wires_pue_1_3_4.csv"):
        s = float(r["Sech"])
        if s in OLD_SECTIONS:
            continue
        # a dash in the source table (no value for that laying method) is
        # stored as 0 A: the section is never chosen for that method
        rows.append(dict(Sech=s, Idop=float(r["Idop"]),
                         Idop_2_1zh=float(r["Idop_2_1zh"] or 0),
                         Idop_1_2zh=float(r["Idop_1_2zh"] or 0),
                         Ro=round(RHO_CU / s, 8)))
    return rows


def make_wires():
    rows = wire_rows()
    t = table("kl")
    for r in rows:
        t.add(**r)

    k0, k1 = table("sKab_inv0"), table("sKab_inv1")
    usable = [r for r in rows if r["Sech"] in CABLE_SECTIONS]
    for p in INVERTER_POWERS:
        kod = k0.add(Pinv=p)
        for u in SYSTEM_VOLTAGES:
            i = p / u                       # as the program: Pnom / Uvh
            choice = None
            for n in range(1, CABLE_MAX_N + 1):
                romax = u * CABLE_DROP / 100 / (i / n) / 2 / CABLE_LEN
                fit = [r for r in usable if r["Ro"] <= romax and r["Idop"] >= i / n]
                if fit:
                    choice = (min(r["Sech"] for r in fit), n)
                    break
            if choice is None:
                continue                    # more than four cables: no row
            k1.add(Kod0=kod, Uakb=u, Sech=choice[0], Kol_vo=choice[1])

    # battery jumpers: a short single conductor in open air
    t = table("perem")
    for r in rows:
        if r["Sech"] in (4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240):
            t.add(Sech=r["Sech"], Idop=r["Idop"])

    t = table("mc")
    for tip, i in (("КЛ-20 (2,5 мм2)", 20), ("КЛ-30 (4-6 мм2)", 30),
                   ("КЛ-40 (6 мм2)", 40), ("КЛ-50 (10 мм2)", 50)):
        t.add(Tip=tip, I=i)
    t = table("mc_y")
    for tip, i in (("КР-Y2-30", 30), ("КР-Y2-40", 40), ("КР-Y2-50", 50),
                   ("КР-Y3-65", 65)):
        t.add(Tip=tip, I=i)


# ---------------------------------------------------------------------------
# Battery voltage by state of charge (12 V battery at rest)
# ---------------------------------------------------------------------------
# lead-acid: cell voltage = specific gravity + 0.84, gravity linear in the
# state of charge between an empty and a full value typical of the design
LEAD_SG = {"Flooded": (1.120, 1.265), "AGM": (1.150, 1.300), "GEL": (1.135, 1.295)}
# LiFePO4 cell at rest, typical curve: (state of charge %, V per cell)
LFP_CELL = [(0, 2.50), (10, 3.00), (20, 3.20), (30, 3.22), (40, 3.25),
            (50, 3.26), (60, 3.27), (70, 3.29), (80, 3.31), (90, 3.34),
            (100, 3.40)]


def make_charge_voltages():
    t0, t1 = table("akb_zaryad0"), table("akb_zaryad")
    for tip in BATTERY_TYPES:
        kod = t0.add(TipAKB=tip)
        if tip == "LiFePo4":
            for soc, v in LFP_CELL:
                t1.add(Kod0=kod, Zaryad=soc, U=round(4 * v, 2))
        else:
            sg0, sg1 = LEAD_SG[tip]
            for soc in range(0, 101, 10):
                sg = sg0 + (sg1 - sg0) * soc / 100
                t1.add(Kod0=kod, Zaryad=soc, U=round(6 * (sg + 0.84), 2))


# ---------------------------------------------------------------------------
# Equipment (typical ratings chosen for a starter set)
# ---------------------------------------------------------------------------
PANELS = {
    "Стартовый набор: Панели А": [
        # Tip, Structure, P, Unom, H, S, Voc, Isc, Vmp, Imp, TK_Pmax, TK_Vos
        ("СП-М-50-12", "монокристаллическая", 50, 12, 630, 450, 22.0, 2.95, 18.0, 2.78, -0.40, -0.30),
        ("СП-М-100-12", "монокристаллическая", 100, 12, 1010, 540, 22.3, 5.90, 18.3, 5.47, -0.40, -0.30),
        ("СП-М-150-12", "монокристаллическая", 150, 12, 1200, 670, 22.5, 8.70, 18.5, 8.11, -0.39, -0.29),
        ("СП-М-200-12", "монокристаллическая", 200, 12, 1480, 670, 22.8, 11.40, 18.8, 10.64, -0.38, -0.28),
        ("СП-М-200-24", "монокристаллическая", 200, 24, 1580, 808, 44.6, 5.85, 36.8, 5.44, -0.40, -0.30),
        ("СП-М-300-24", "монокристаллическая", 300, 24, 1956, 992, 45.0, 8.75, 36.6, 8.20, -0.39, -0.29),
        ("СП-М-400-24", "монокристаллическая", 400, 24, 2008, 1002, 49.5, 10.30, 41.3, 9.69, -0.35, -0.27),
        ("СП-М-450-24", "монокристаллическая", 450, 24, 2094, 1038, 49.9, 11.60, 41.5, 10.85, -0.35, -0.27),
    ],
    "Стартовый набор: Панели Б": [
        ("СП-П-50-12", "поликристаллическая", 50, 12, 630, 540, 21.6, 3.10, 17.6, 2.84, -0.42, -0.32),
        ("СП-П-80-17.5", "поликристаллическая", 80, 17.5, 780, 670, 21.8, 4.90, 17.5, 4.57, -0.42, -0.32),
        ("СП-П-100-12", "поликристаллическая", 100, 12, 1000, 670, 21.8, 6.10, 17.8, 5.62, -0.42, -0.32),
        ("СП-П-150-12", "поликристаллическая", 150, 12, 1480, 670, 22.0, 9.00, 18.0, 8.33, -0.41, -0.31),
        ("СП-П-280-24", "поликристаллическая", 280, 24, 1956, 992, 44.8, 8.30, 36.0, 7.78, -0.41, -0.31),
        ("СП-П-330-24", "поликристаллическая", 330, 24, 1956, 992, 46.2, 9.20, 37.6, 8.78, -0.40, -0.30),
    ],
}


def make_panels():
    t0, t1 = table("SunPanel0"), table("SunPanel1")
    for company, items in PANELS.items():
        kod = t0.add(Company=company, UseSP=True)
        for (tip, struct, p, unom, h, s, voc, isc, vmp, imp, tkp, tkv) in items:
            kpd = round(p / (h * s / 1e6 * 1000) * 100, 1)
            t1.add(Kod0=kod, Tip=tip, Structure=struct, P=float(p),
                   Unom=float(unom), H=float(h), S=float(s), Voc=voc, Isc=isc,
                   Vmp=vmp, Imp=imp, Kpd=kpd, UseSP=True, TK_Pmax=tkp,
                   TK_Vos=tkv)


# charge-current range and maximum discharge current per type, times C;
# 2 V cells (tubular plates) are given a lower discharge rate than blocks
BATTERY_RATES = {
    #          Izar_min, Izar_max, Irazr_max (block), Irazr_max (2 V cell)
    "AGM": (0.10, 0.30, 10.0, 3.0),
    "GEL": (0.10, 0.20, 8.0, 3.0),
    "Flooded": (0.10, 0.20, 5.0, 3.0),
    "LiFePo4": (0.05, 0.50, 1.0, 1.0),
}
BATTERIES = {
    "Стартовый набор: АКБ А": {
        "AGM": [
            # U, C, L, S, H
            (12, 7, 151, 65, 94), (12, 12, 151, 98, 95), (12, 18, 181, 77, 167),
            (12, 26, 166, 175, 125), (12, 40, 197, 165, 170), (12, 55, 229, 138, 208),
            (12, 75, 258, 166, 215), (12, 100, 330, 173, 220), (12, 150, 483, 170, 240),
            (12, 200, 522, 240, 219), (6, 200, 306, 168, 220),
        ],
        "GEL": [
            (12, 55, 229, 138, 208), (12, 100, 330, 173, 220), (12, 150, 483, 170, 240),
            (12, 200, 522, 240, 219), (2, 200, 171, 111, 330), (2, 500, 166, 206, 470),
            (2, 1000, 210, 233, 645), (2, 1500, 210, 275, 795), (2, 2000, 215, 400, 775),
            (2, 3000, 576, 212, 772),
        ],
    },
    "Стартовый набор: АКБ Б": {
        "Flooded": [
            (12, 60, 242, 175, 190), (12, 100, 330, 173, 240), (12, 190, 513, 223, 223),
            (6, 225, 260, 181, 276), (2, 300, 145, 206, 520), (2, 600, 145, 206, 695),
            (2, 1000, 215, 277, 695), (2, 2000, 215, 400, 820), (2, 3000, 576, 212, 797),
        ],
        "LiFePo4": [
            (12, 50, 197, 166, 170), (12, 100, 330, 173, 220), (12, 200, 522, 240, 219),
            (24, 100, 522, 240, 219), (48, 100, 442, 410, 180), (48, 200, 482, 510, 228),
        ],
    },
}
BATTERY_PREFIX = {"AGM": "СН-AGM", "GEL": "СН-GEL", "Flooded": "СН-FLD",
                  "LiFePo4": "СН-LFP"}


def make_batteries():
    t0, t1, t2 = table("akb0"), table("akb1"), table("akb2")
    for company, types in BATTERIES.items():
        k0 = t0.add(Company=company, UseAKB=True)
        for tip, items in types.items():
            k1 = t1.add(Kod0=k0, Tip=tip, UseAKB=True)
            rmin, rmax, rblock, rcell = BATTERY_RATES[tip]
            for u, c, l, s, h in items:
                rdis = rcell if u == 2 else rblock
                t2.add(Kod0=k1, Name="%s-%d-%d" % (BATTERY_PREFIX[tip], u, c),
                       C=float(c), U=float(u), Izar_min=round(rmin * c, 1),
                       Izar_max=round(rmax * c, 1), Irazr_max=round(rdis * c, 1),
                       L=float(l), S=float(s), H=float(h), UseAKB=True)


# boost (absorption) charge voltage of a 12 V battery of each type
UPODZAR_12 = {"AGM": 14.4, "GEL": 14.1, "Flooded": 14.6, "LiFePo4": 14.2}
CONTROLLERS = {
    "Стартовый набор: Контроллеры А": [
        # Tip, algorithm, Imax_sp, Imax_nagr, ProvSechMax,
        # [(Uses, Psp, Uxx_sp, Umppt_min, Umppt_max)]
        ("КЗ-ШИМ-10", "PWM", 10, 10, 4, [(12, 130, 50, None, None), (24, 260, 100, None, None)]),
        ("КЗ-ШИМ-20", "PWM", 20, 20, 6, [(12, 260, 50, None, None), (24, 520, 100, None, None)]),
        ("КЗ-ШИМ-30", "PWM", 30, 30, 10, [(12, 400, 100, None, None), (24, 800, 100, None, None)]),
        ("КЗ-ШИМ-60", "PWM", 60, 0, 35, [(12, 800, 100, None, None), (24, 1600, 100, None, None),
                                         (48, 3200, 150, None, None)]),
    ],
    "Стартовый набор: Контроллеры Б": [
        ("КЗ-MPPT-20", "MPPT", 20, 20, 6, [(12, 260, 100, 16, 80), (24, 520, 100, 30, 80)]),
        ("КЗ-MPPT-30", "MPPT", 30, 20, 10, [(12, 400, 100, 16, 80), (24, 800, 100, 30, 80)]),
        ("КЗ-MPPT-40", "MPPT", 40, 20, 16, [(12, 520, 150, 16, 120), (24, 1040, 150, 30, 120),
                                            (36, 1560, 150, 44, 120), (48, 2080, 150, 60, 120)]),
        ("КЗ-MPPT-60", "MPPT", 60, 0, 35, [(12, 800, 150, 16, 120), (24, 1600, 150, 30, 120),
                                           (36, 2400, 150, 44, 120), (48, 3200, 150, 60, 120)]),
        ("КЗ-MPPT-100", "MPPT", 100, 0, 50, [(12, 1400, 250, 16, 200), (24, 2800, 250, 30, 200),
                                             (48, 5600, 250, 60, 200)]),
        ("КЗ-MPPT-80-ВН", "MPPT", 80, 0, 35, [(48, 4200, 450, 65, 360), (60, 5200, 450, 80, 360),
                                              (96, 8400, 450, 120, 360)]),
    ],
}


def make_controllers():
    t0, t1 = table("Controller0"), table("Controller1")
    t2, t4 = table("Controller2"), table("Controller4")
    for company, items in CONTROLLERS.items():
        k0 = t0.add(Company=company, UseCtrl=True)
        for tip, alg, imax, inagr, sech, ratings in items:
            k1 = t1.add(Kod0=k0, Tip=tip, Algoritm1=alg, Imax_sp=imax,
                        Imax_nagr=inagr, ProvSechMax=float(sech), UseCtrl=True)
            for uses, psp, uxx, umin, umax in ratings:
                k2 = t2.add(Kod0=k1, Uses=uses, Psp=psp, Uxx_sp=uxx,
                            Umppt_min=None if umin is None else float(umin),
                            Umppt_max=None if umax is None else float(umax))
                for tipakb in BATTERY_TYPES:
                    t4.add(Kod0=k2, TipAKB=tipakb,
                           Upodzar=round(UPODZAR_12[tipakb] * uses / 12, 2))


SINE, MSINE = "чистый синус", "модиф. синус"
INVERTERS = {
    "Стартовый набор: Инверторы А": [
        # Pnom, Uvh, Uvuh, Kpd     (pure sine)
        (300, 12, 220, 0.88), (600, 12, 220, 0.88), (1000, 12, 220, 0.89),
        (1500, 12, 220, 0.89), (2000, 12, 220, 0.89),
        (600, 24, 220, 0.90), (1000, 24, 220, 0.91), (1500, 24, 220, 0.91),
        (2000, 24, 220, 0.91), (3000, 24, 220, 0.92), (4000, 24, 220, 0.92),
        (1000, 48, 220, 0.92), (2000, 48, 220, 0.93), (3000, 48, 220, 0.93),
        (4000, 48, 220, 0.93), (5000, 48, 220, 0.94), (6000, 48, 220, 0.94),
        (8000, 48, 220, 0.94), (10000, 48, 220, 0.94),
        (6000, 48, 380, 0.94), (8000, 48, 380, 0.94), (10000, 48, 380, 0.94),
    ],
    "Стартовый набор: Инверторы Б": [
        # modified sine
        (300, 12, 220, 0.90), (600, 12, 220, 0.90), (1000, 12, 220, 0.90),
        (1500, 12, 220, 0.90),
        (600, 24, 220, 0.91), (1000, 24, 220, 0.91), (1500, 24, 220, 0.91),
        (2000, 24, 220, 0.91), (3000, 24, 220, 0.91),
        (2000, 48, 220, 0.92), (3000, 48, 220, 0.92),
    ],
}
# maximum power (up to 10 minutes) and peak power (seconds), times Pnom
INV_PMAX, INV_PPIK = 1.2, 2.0


def make_inverters():
    t0, t1 = table("Invert0"), table("Invert1")
    for company, items in INVERTERS.items():
        k0 = t0.add(Company=company, UseInv=True)
        forma = SINE if company.endswith("А") else MSINE
        code = "ЧС" if forma == SINE else "МС"
        for pnom, uvh, uvuh, kpd in items:
            name = "ИН-%s-%d-%d" % (code, pnom, uvh)
            if uvuh == 380:
                name += "-3Ф"
            t1.add(Kod0=k0, Name=name, Pnom=float(pnom),
                   Pmax=float(round(pnom * INV_PMAX)),
                   Ppik=float(round(pnom * INV_PPIK)), Uvuh=float(uvuh),
                   Uvh=float(uvh), Forma=forma, Kpd=kpd, UseInv=True)


# inverters with a built-in solar charger: Pnom, Uvh, charger panel power,
# panel open-circuit voltage, algorithm, charger current, terminal section,
# parallel operation, units in parallel
INVERTER_CHARGERS = [
    (1000, 12, 1000, 100, "PWM", 50, 16, False, 1),
    (1000, 24, 1000, 145, "MPPT", 40, 16, False, 1),
    (3000, 24, 2000, 145, "MPPT", 80, 35, True, 6),
    (5000, 48, 4000, 450, "MPPT", 80, 35, True, 9),
]


def make_inverter_chargers():
    t0, t1, t2 = table("Inv_zu0"), table("Inv_zu1"), table("Inv_zu2")
    k0 = t0.add(Company="Стартовый набор: Инверторы-зарядные В")
    for pnom, uvh, psp, usp, alg, izu, sech, paral, nparal in INVERTER_CHARGERS:
        k1 = t1.add(Kod0=k0, Name="ИЗУ-ЧС-%d-%d" % (pnom, uvh), Pnom=float(pnom),
                    Pmax=float(round(pnom * INV_PMAX)),
                    Ppik=float(round(pnom * INV_PPIK)), Uvuh=220.0,
                    Uvh=float(uvh), Forma=SINE, Kpd=0.93, Psp=psp, Usp=usp,
                    Algoritm=alg, Imax_zu=float(izu), ProvSechMax=float(sech),
                    ParalWork=paral, ParalKol=nparal)
        for tip in BATTERY_TYPES:
            t2.add(Kod0=k1, TipAKB=tip)


# a protective device of rated current In at system voltage U serves an
# inverter of nominal power 0.8 * In * U (continuous load at most 80 % of In)
# and, for breakers, of peak power 2 * In * U (thermal release does not trip
# within seconds at twice the rated current)
PROT_CONT, PROT_PEAK, PROT_UZAP = 0.8, 2.0, 1.2
BREAKERS = {
    "Стартовый набор: Автоматы А": [
        # name prefix, Unom, mounting, [(In, Skab)]
        ("АВ-1П", 250, "DIN-рейка", [(6, 25), (10, 25), (16, 25), (20, 25), (25, 25),
                                      (32, 25), (40, 25), (50, 35), (63, 35)]),
        ("АВ-2П", 550, "DIN-рейка", [(6, 25), (10, 25), (16, 25), (20, 25), (25, 25),
                                      (32, 25), (40, 25), (50, 35), (63, 35), (80, 50),
                                      (100, 50), (125, 50)]),
    ],
    "Стартовый набор: Автоматы Б": [
        ("АВ-ПТ", 60, "панель", [(50, 35), (80, 50), (100, 50), (150, 70), (200, 95),
                                 (300, 120)]),
        ("АВ-К", 500, "панель", [(160, 95), (200, 120), (250, 150), (315, 185),
                                 (400, 240), (500, 240), (630, 240)]),
    ],
}
FUSES = {
    "Стартовый набор: Предохранители А": [
        # name prefix, holder, Unom, [(In, Skab)]
        ("ПР-Ц10х38", "Держатель Ц10х38 на DIN-рейку", 1000,
         [(6, 25), (10, 25), (16, 25), (20, 25), (25, 25), (32, 25)]),
        ("ПР-ПЛ", "Держатель ПЛ болтовой", 58,
         [(40, 35), (50, 35), (60, 50), (80, 50), (100, 70), (125, 70), (150, 95),
          (200, 95), (250, 120), (300, 120), (400, 120)]),
    ],
    "Стартовый набор: Предохранители Б": [
        ("ПР-НОЖ-00", "Основание ПН-00", 250, [(40, 70), (63, 70), (80, 70), (100, 70),
                                                (125, 70), (160, 70)]),
        ("ПР-НОЖ-1", "Основание ПН-1", 250, [(200, 150), (250, 150)]),
        ("ПР-НОЖ-2", "Основание ПН-2", 250, [(315, 240), (400, 240)]),
        ("ПР-НОЖ-3", "Основание ПН-3", 250, [(500, 240), (630, 240)]),
    ],
}


def make_protection():
    t0, t1, t2 = table("AV0"), table("AV1"), table("AV2")
    for company, series in BREAKERS.items():
        k0 = t0.add(Company=company, UseAV=True)
        for prefix, unom, krep, items in series:
            for inom, skab in items:
                k1 = t1.add(Kod0=k0, Name="%s-%d" % (prefix, inom), Unom=float(unom),
                            Inom=float(inom), Tip_krep=krep, Skab=float(skab),
                            UseAV=True)
                for u in SYSTEM_VOLTAGES:
                    if unom >= PROT_UZAP * u:
                        t2.add(Kod0=k1, Uses=u,
                               Pinv_nom=float(math.floor(PROT_CONT * inom * u)),
                               Pinv_pik=float(round(PROT_PEAK * inom * u)))
    t0, t1, t2 = table("Pr0"), table("Pr1"), table("Pr2")
    for company, series in FUSES.items():
        k0 = t0.add(Company=company, UsePr=True)
        for prefix, holder, unom, items in series:
            for inom, skab in items:
                k1 = t1.add(Kod0=k0, Name="%s-%d" % (prefix, inom), NameDerzh=holder,
                            Unom=float(unom), Inom=float(inom), Skab=float(skab),
                            UsePr=True)
                for u in SYSTEM_VOLTAGES:
                    if unom >= PROT_UZAP * u:
                        t2.add(Kod0=k1, Uses=u,
                               Pinv_nom=float(math.floor(PROT_CONT * inom * u)))


# ---------------------------------------------------------------------------
# Consumers and daily schedules
# ---------------------------------------------------------------------------
AUTO, MANUAL = "автоматический", "ручной"
AC_CONSUMERS = [
    # name, Pnom W, Ipusk/Inom, needs pure sine, mode
    ("Холодильник бытовой", 150, 5.0, True, AUTO),
    ("Морозильный ларь", 120, 5.0, True, AUTO),
    ("Насос скважинный погружной", 750, 4.0, True, AUTO),
    ("Насос поверхностный (насосная станция)", 900, 5.0, True, AUTO),
    ("Насос циркуляционный отопления", 60, 1.5, True, AUTO),
    ("Котёл газовый (автоматика и вентилятор)", 100, 2.0, True, AUTO),
    ("Освещение светодиодное (лампа)", 10, 1.0, False, MANUAL),
    ("Светильник светодиодный", 30, 1.0, False, MANUAL),
    ("Телевизор светодиодный", 100, 1.5, False, MANUAL),
    ("Ресивер спутниковый", 20, 1.0, False, MANUAL),
    ("Компьютер настольный", 300, 1.5, True, MANUAL),
    ("Монитор", 40, 1.0, False, MANUAL),
    ("Ноутбук", 60, 1.5, False, MANUAL),
    ("Роутер Wi-Fi", 10, 1.0, False, AUTO),
    ("Зарядное устройство телефона", 10, 1.0, False, MANUAL),
    ("Принтер лазерный", 400, 2.0, True, MANUAL),
    ("Стиральная машина", 2000, 2.5, True, AUTO),
    ("Микроволновая печь", 1200, 2.0, True, MANUAL),
    ("Чайник электрический", 2000, 1.0, False, MANUAL),
    ("Утюг", 1500, 1.0, False, MANUAL),
    ("Пылесос", 1400, 3.0, False, MANUAL),
    ("Тепловентилятор", 2000, 1.0, False, MANUAL),
    ("Обогреватель масляный", 1000, 1.0, False, AUTO),
    ("Кондиционер (неинверторный)", 900, 5.0, True, AUTO),
    ("Вентилятор бытовой", 50, 2.0, False, MANUAL),
    ("Дрель", 800, 3.0, False, MANUAL),
    ("Шуруповёрт сетевой", 500, 3.0, False, MANUAL),
    ("Шлифмашина угловая", 1200, 4.0, False, MANUAL),
    ("Пила циркулярная", 1500, 5.0, False, MANUAL),
    ("Компрессор воздушный", 1500, 6.0, True, AUTO),
    ("Сварочный аппарат инверторный", 3000, 1.5, True, MANUAL),
    ("Газонокосилка электрическая", 1200, 4.0, False, MANUAL),
    ("Видеокамера наблюдения", 10, 1.0, False, AUTO),
    ("Видеорегистратор", 30, 1.5, True, AUTO),
    ("Модем сотовой связи", 10, 1.0, False, AUTO),
    ("Регистратор телеметрии", 15, 1.0, True, AUTO),
    ("Инкубатор", 80, 1.0, True, AUTO),
    ("Доильный аппарат", 750, 5.0, True, MANUAL),
]
DC_CONSUMERS = [
    # name, Pnom W, Ipusk/Inom, Unom V, mode
    ("Лампа светодиодная 12 В", 5, 1.0, 12, MANUAL),
    ("Светильник светодиодный 12 В", 10, 1.0, 12, MANUAL),
    ("Холодильник компрессорный 12 В", 45, 3.0, 12, AUTO),
    ("Насос мембранный 12 В", 60, 3.0, 12, AUTO),
    ("Вентилятор 12 В", 20, 2.0, 12, AUTO),
    ("Радиоприёмник 12 В", 10, 1.0, 12, MANUAL),
    ("Телевизор 12 В", 40, 1.5, 12, MANUAL),
    ("Роутер 12 В", 8, 1.0, 12, AUTO),
    ("Модем сотовой связи 12 В", 4, 1.0, 12, AUTO),
    ("Регистратор данных 12 В", 3, 1.0, 12, AUTO),
    ("Видеокамера наблюдения 12 В", 6, 1.0, 12, AUTO),
    ("Подогрев датчиков 12 В", 20, 1.0, 12, AUTO),
    ("Светильник светодиодный 24 В", 12, 1.0, 24, MANUAL),
    ("Холодильник компрессорный 24 В", 60, 3.0, 24, AUTO),
    ("Насос погружной 24 В", 100, 3.0, 24, AUTO),
    ("Вентилятор 24 В", 25, 2.0, 24, AUTO),
    ("Радиостанция 24 В", 50, 1.0, 24, MANUAL),
    ("Светильник светодиодный 48 В", 30, 1.0, 48, MANUAL),
    ("Радиорелейный блок 48 В", 60, 1.2, 48, AUTO),
    ("Коммутатор сети 48 В", 20, 1.2, 48, AUTO),
    ("Вентилятор шкафа 48 В", 15, 2.0, 48, AUTO),
]


def make_consumers():
    t = table("sEP")
    for name, p, k, sine, mode in AC_CONSUMERS:
        t.add(Name=name, Pnom=float(p), Ip_In=k, ClearSinus=sine, Rejim=mode)
    t = table("sEP12")
    for name, p, k, u, mode in DC_CONSUMERS:
        t.add(Name=name, Pnom=float(p), Ip_In=k, Unom=u, Rejim=mode)


# schedules without consumer detail: section -> [(name, [(T1, T2, P)])]
SCHEDULES = [
    ("Жилые дома", [
        ("Дачный дом, лето", [(0, 7, 60), (7, 9, 400), (9, 18, 150), (18, 23, 450),
                              (23, 24, 80)]),
        ("Дачный дом, зима", [(0, 7, 120), (7, 9, 600), (9, 16, 250), (16, 23, 650),
                              (23, 24, 150)]),
    ]),
    ("Мастерские", [
        ("Мастерская, рабочий день", [(0, 8, 20), (8, 13, 1200), (13, 14, 150),
                                      (14, 18, 1200), (18, 24, 20)]),
    ]),
    ("Технические объекты", [
        ("Метеостанция автоматическая", [(0, 24, 30)]),
        ("Узел связи", [(0, 24, 120)]),
    ]),
]

# the fridge cycles: on for one hour every three hours
FRIDGE = [(h, h + 1) for h in range(0, 24, 3)]
# AC consumer schedules: section -> [(name, [(consumer, count, [(T1, T2)])])]
AC_SCHEDULES = [
    ("Жилые дома", [
        ("Дачный дом, лето", [
            ("Холодильник бытовой", 1, FRIDGE),
            ("Освещение светодиодное (лампа)", 6, [(21, 24)]),
            ("Телевизор светодиодный", 1, [(19, 23)]),
            ("Насос скважинный погружной", 1, [(8, 8.5), (19, 19.5)]),
            ("Роутер Wi-Fi", 1, [(0, 24)]),
            ("Ноутбук", 1, [(10, 12), (20, 22)]),
            ("Зарядное устройство телефона", 2, [(22, 24)]),
        ]),
        ("Дачный дом, зима", [
            ("Холодильник бытовой", 1, [(0, 1), (4, 5), (8, 9), (12, 13), (16, 17), (20, 21)]),
            ("Освещение светодиодное (лампа)", 8, [(7, 9), (16, 23)]),
            ("Телевизор светодиодный", 1, [(18, 23)]),
            ("Насос скважинный погружной", 1, [(8, 8.25), (19, 19.25)]),
            ("Насос циркуляционный отопления", 1, [(0, 24)]),
            ("Котёл газовый (автоматика и вентилятор)", 1, [(0, 24)]),
            ("Роутер Wi-Fi", 1, [(0, 24)]),
            ("Стиральная машина", 1, [(11, 12.5)]),
        ]),
    ]),
    ("Мастерские", [
        ("Мастерская, рабочий день", [
            ("Светильник светодиодный", 4, [(8, 13), (14, 18)]),
            ("Дрель", 1, [(9, 9.5), (11, 11.5), (14, 14.5), (16, 16.5)]),
            ("Шлифмашина угловая", 1, [(10, 10.5), (15, 15.5)]),
            ("Пила циркулярная", 1, [(10.5, 11), (15.5, 16)]),
            ("Компрессор воздушный", 1, [(9, 9.25), (12, 12.25), (14, 14.25)]),
        ]),
    ]),
    ("Технические объекты", [
        ("Метеостанция автоматическая", [
            ("Регистратор телеметрии", 1, [(0, 24)]),
            ("Модем сотовой связи", 1, [(0, 24)]),
            ("Видеокамера наблюдения", 1, [(0, 24)]),
        ]),
    ]),
]
# DC consumer schedules: section -> [(name, Unom, [(consumer, count, [(T1, T2)])])]
DC_SCHEDULES = [
    ("Технические объекты", [
        ("Метеостанция, 12 В", 12, [
            ("Регистратор данных 12 В", 1, [(0, 24)]),
            ("Модем сотовой связи 12 В", 1, [(0, 24)]),
            ("Подогрев датчиков 12 В", 1, [(0, 6), (20, 24)]),
        ]),
        ("Узел связи, 48 В", 48, [
            ("Радиорелейный блок 48 В", 2, [(0, 24)]),
            ("Коммутатор сети 48 В", 1, [(0, 24)]),
            ("Вентилятор шкафа 48 В", 1, [(11, 18)]),
        ]),
    ]),
    ("Жилые дома", [
        ("Дачный дом, 24 В", 24, [
            ("Светильник светодиодный 24 В", 4, [(20, 23)]),
            ("Холодильник компрессорный 24 В", 1, FRIDGE),
            ("Насос погружной 24 В", 1, [(8, 8.5), (19, 19.5)]),
        ]),
    ]),
]


def make_schedules():
    s, s0, s1 = table("sSut"), table("sSut0"), table("sSut1")
    for razdel, items in SCHEDULES:
        k = s.add(Razdel=razdel)
        for name, intervals in items:
            # computed figures are left for the program to fill
            k0 = s0.add(Kod0=k, Name=name)
            for t1, t2, p in intervals:
                s1.add(Kod0=k0, T1=float(t1), T2=float(t2), P=float(p))

    ac = {c[0]: c for c in AC_CONSUMERS}
    s, s0, s1, s2 = (table(n) for n in ("sSutEP", "sSutEP0", "sSutEP1", "sSutEP2"))
    for razdel, items in AC_SCHEDULES:
        k = s.add(Razdel=razdel)
        for name, consumers in items:
            k0 = s0.add(Kod0=k, Name=name)   # figures and ClearSinus: computed later
            for cname, count, periods in consumers:
                _, p, kp, sine, mode = ac[cname]
                ppik = float(round(p * kp))
                k1 = s1.add(Kod0=k0, Name=cname, Pnom=float(p), Ppik=ppik,
                            Kol_vo=count, SPnom=float(p * count),
                            SPpik=ppik * count, ClearSinus=sine, Rejim=mode)
                for t1, t2 in periods:
                    s2.add(Kod0=k1, T1=float(t1), T2=float(t2))

    dc = {c[0]: c for c in DC_CONSUMERS}
    s, s0, s1, s2 = (table(n) for n in ("sSutEP12", "sSutEP12_0", "sSutEP12_1",
                                         "sSutEP12_2"))
    for razdel, items in DC_SCHEDULES:
        k = s.add(Razdel=razdel)
        for name, unom, consumers in items:
            k0 = s0.add(Kod0=k, Name=name, Unom=unom)
            for cname, count, periods in consumers:
                _, p, kp, u, mode = dc[cname]
                if u != unom:
                    raise SystemExit("%s: consumer voltage differs" % name)
                ppik = float(round(p * kp))
                k1 = s1.add(Kod0=k0, Name=cname, Unom=u, Pnom=float(p), Ppik=ppik,
                            Kol_vo=count, SPnom=float(p * count),
                            SPpik=ppik * count, Rejim=mode)
                for t1, t2 in periods:
                    s2.add(Kod0=k1, T1=float(t1), T2=float(t2))


# ---------------------------------------------------------------------------
def main():
    OUT.mkdir(exist_ok=True)
    stations = load_station_months()
    make_regions(stations)
    make_panels()
    make_batteries()
    info = make_performance_tables(stations)
    make_ktemp()
    make_controllers()
    make_inverters()
    make_inverter_chargers()
    make_protection()
    make_wires()
    make_charge_voltages()
    make_daylight()
    make_rooms(stations)
    make_consumers()
    make_schedules()
    missing = set(SCHEMA) - set(TABLES)
    if missing:
        raise SystemExit("tables not generated: %s" % sorted(missing))
    for t in TABLES.values():
        t.write()
    shutil.copyfile(SHARED / "climate_sunshine.csv", OUT / "climate_sunshine.csv")
    print("reference latitude %.3f, best orientation/tilt %s, diffuse share %.3f"
          % (info["lat"], info["best"], info["diffuse_share"]), file=sys.stderr)
    print("wrote %d tables to %s" % (len(TABLES), OUT), file=sys.stderr)


if __name__ == "__main__":
    main()
