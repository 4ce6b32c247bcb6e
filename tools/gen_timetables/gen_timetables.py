#!/usr/bin/env python3
"""Writes the shipped timetables data/Gvd/*.t6g and the vehicles file data/Vozidla.txt.

The trains are listed below in a readable form; arrival times follow from the
departure and the running time of the line, so the files stay consistent.
Before writing, the day is checked: no two trains on one single-track line at
once (with a few minutes for the block), no two trains on one station track,
and no more trains in a group than the timetable window has rows.

Run from anywhere: python3 tools/gen_timetables/gen_timetables.py
"""

import pathlib
import sys

DATA = pathlib.Path(__file__).resolve().parents[2] / "data"

# Vehicle codes: line N of the vehicles file names the picture of code N.
VEHICLES = [
    "lok_754.bmp",    # 1 diesel locomotive 754
    "lok_742.bmp",    # 2 diesel locomotive 742 (freight)
    "lok_242.bmp",    # 3 electric locomotive 242
    "lok_363.bmp",    # 4 electric locomotive 363 (freight)
    "mot_810.bmp",    # 5 railbus 810
    "vuz_010.bmp",    # 6 railbus trailer 010
    "vuz_B.bmp",      # 7 second class coach
    "vuz_A.bmp",      # 8 first class coach
    "vuz_BDs.bmp",    # 9 second class coach with luggage room
    "vuz_Bdt.bmp",    # 10 driving trailer
    "voz_Gbs.bmp",    # 11 covered wagon
    "voz_Eas.bmp",    # 12 open wagon with coal
    "voz_Zas.bmp",    # 13 tank wagon
    "voz_Res.bmp",    # 14 flat wagon with timber
    "voz_Sgs.bmp",    # 15 container wagon
    "voz_Faccs.bmp",  # 16 hopper wagon with stone
    "vuz_Bt.wmf",     # 17 second class coach of the older kind (a WMF picture)
    "lok_714.emf",    # 18 diesel locomotive 714 (an EMF picture)
]
VEHICLES_FILE = "Vozidla.txt"

# Group code of each kind of train; up to 16 is group A, 17-19 group B, 20 on group C.
GROUP = {"Ex": 10, "R": 11, "Sp": 13, "Os": 17, "Nex": 20, "Pn": 22, "Mn": 24}
FAST, PASSENGER, FREIGHT = "fast", "passenger", "freight"
ROWS = {FAST: 4, PASSENGER: 5, FREIGHT: 7}
LINE_CODE = {None: "0", "A": "1", "B": "2", "C": "3"}

# Running times in minutes: (line, kind of group) -> (from the neighbour, to the neighbour).
RUNNING = {
    ("A", PASSENGER): (13, 12), ("A", FAST): (11, 10), ("A", FREIGHT): (15, 15),
    ("B", PASSENGER): (12, 11), ("B", FAST): (9, 8), ("B", FREIGHT): (14, 14),
    ("C", PASSENGER): (8, 10), ("C", FAST): (7, 8), ("C", FREIGHT): (10, 12),
}
LINE_GAP = 5      # minutes a line stays free between two trains (offer, block)
TRACK_BEFORE = 15 # a starting train stands on its track this long before departure
TRACK_AFTER = 10  # an ending train stands on its track this long after arrival

# Standard sets of vehicles.
OS_SET = [1, 7, 7, 10]
RAILBUS = [5, 6]
R_SET = [3, 9, 8, 7, 7, 7]
SP_SET = [1, 8, 7, 7]
EX_SET = [3, 8, 8, 7, 7, 7, 7, 9]
COAL = [4] + [12] * 5 + [16] * 4
CONTAINERS = [4] + [15] * 9
TANKS = [4] + [13] * 9
MIXED = [4, 11, 11, 11, 11, 12, 12, 12, 14, 14]
TIMBER = [2] + [14] * 5 + [11] * 2
EMPTY_TIMBER = [2, 11, 11, 11, 14, 14, 14]
STONE = [2] + [16] * 6


def minutes(text):
    """Minutes since midnight of "H:MM"."""
    hours, mins = text.split(":")
    return int(hours) * 60 + int(mins)


def hhmm(value):
    """The file's HHMM form of minutes since midnight (wrapping over midnight)."""
    value %= 24 * 60
    return "%02d%02d" % (value // 60, value % 60)


def group_of(kind):
    code = GROUP[kind]
    return FAST if code < 17 else PASSENGER if code < 20 else FREIGHT


class Train:
    """One train: kind, number, where it comes from and goes to, times, track, vehicles, note."""

    def __init__(self, kind, number, src, dst, track, vehicles, note="",
                 neighbour_departure=None, departure=None, passes=False):
        self.kind, self.number, self.src, self.dst = kind, number, src, dst
        self.track, self.vehicles, self.note, self.passes = track, vehicles, note, passes
        self.group = group_of(kind)
        self.run_from = RUNNING[(src, self.group)][0] if src else None
        self.run_to = RUNNING[(dst, self.group)][1] if dst else None
        self.neighbour_departure = minutes(neighbour_departure) if src else None
        self.arrival = self.neighbour_departure + self.run_from if src else None
        if passes:
            departure = None
            self.departure = self.arrival
        else:
            self.departure = minutes(departure) if dst else None
        self.neighbour_arrival = self.departure + self.run_to if dst else None
        assert len(vehicles) <= 10, number
        assert src or dst, number
        assert not passes or (src and dst), number

    def line(self):
        """The train line in fixed columns, as text before encoding."""
        text = "%02d%05d%s" % (GROUP[self.kind], self.number, LINE_CODE[self.src])
        if self.src:
            text += hhmm(self.neighbour_departure) + hhmm(self.arrival) + "%02d" % self.run_from
        else:
            text += " " * 10
        text += "  " + self.track + ("2" if self.passes else "0") + LINE_CODE[self.dst]
        if self.dst:
            text += hhmm(self.departure) + hhmm(self.neighbour_arrival) + "%02d" % self.run_to
        else:
            text += " " * 10
        text += " " * 4
        text += "".join("%03d" % code for code in self.vehicles + [0] * (10 - len(self.vehicles)))
        assert len(text) == 67, text
        return text + self.note

    def line_uses(self):
        """(line, start, end) of every run of this train on a line."""
        uses = []
        if self.src:
            uses.append((self.src, self.neighbour_departure, self.arrival))
        if self.dst:
            uses.append((self.dst, self.departure, self.neighbour_arrival))
        return uses

    def track_use(self):
        """(start, end) of this train's stay on its station track."""
        start = self.arrival if self.src else self.departure - TRACK_BEFORE
        end = self.departure if self.dst else self.arrival + TRACK_AFTER
        return (start, max(end, start + 1))

    def row_use(self):
        """(start, end) of this train's row in the timetable window: due to arrival at the end."""
        due = (self.neighbour_departure if self.src else self.departure) - 5
        end = self.neighbour_arrival if self.dst else self.arrival + TRACK_AFTER
        return (due, end)


def overlaps(a, b, gap=0):
    """True when two (start, end) spans, taken over a day that wraps, come closer than gap."""
    for shift in (-1440, 0, 1440):
        if a[0] < b[1] + shift + gap and b[0] + shift < a[1] + gap:
            return True
    return False


def check_day(trains):
    """Raises when two trains share a line or a track, or a group has too few rows."""
    numbers = [t.number for t in trains]
    assert len(numbers) == len(set(numbers)), "train numbers repeat"
    uses = [(line, (s, e), t.number) for t in trains for line, s, e in t.line_uses()]
    for i, (line_a, span_a, num_a) in enumerate(uses):
        for line_b, span_b, num_b in uses[i + 1:]:
            if line_a == line_b and num_a != num_b and overlaps(span_a, span_b, LINE_GAP):
                raise SystemExit("line %s: %d and %d meet" % (line_a, num_a, num_b))
    for i, a in enumerate(trains):
        for b in trains[i + 1:]:
            if a.track == b.track and overlaps(a.track_use(), b.track_use()):
                raise SystemExit("track %s: %d and %d at once" % (a.track, a.number, b.number))
    for group, rows in ROWS.items():
        members = [t for t in trains if t.group == group]
        for t in members:
            at = t.row_use()[0]
            held = [u for u in members if overlaps((at, at + 1), u.row_use())]
            if len(held) > rows:
                raise SystemExit("group %s: %d trains at %s" % (group, len(held), hhmm(at)))


def write_timetable(name, title, neighbour_a, trains):
    check_day(trains)
    header = [
        title,
        "Kobrant ŽST Kamenná",
        "num-code",
        "Grafikon vlakové dopravy ŽST Kamenná, tratě A, B a C",
        "Platí od 13. 12. 2025",
        VEHICLES_FILE,
        neighbour_a,
        "Skupiny: 10 Ex, 11 R, 13 Sp (rychlíky a spěšné vlaky); 17 Os (osobní vlaky);",
        "20 Nex, 22 Pn, 24 Mn (nákladní vlaky).",
        "Odkud a kam: 0 zde, 1 trať A, 2 trať B (Struhy), 3 trať C (Vrbská).",
        "Zastavení: 0 vlak stojí, 2 vlak projíždí.",
    ]
    header += [""] * (30 - len(header))
    lines = header + [t.line() for t in sorted(trains, key=lambda t: t.row_use()[0])]
    path = DATA / "Gvd" / name
    path.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1250"))
    print("%s: %d trains" % (path, len(trains)))


def T(kind, number, src, dst, track, vehicles, note="", odj_s=None, odj=None, passes=False):
    return Train(kind, number, src, dst, track, vehicles, note, odj_s, odj, passes)


WEEKDAY = [
    T("Pn", 46310, "C", "A", "1", COAL, "uhlí", odj_s="0:20", passes=True),
    T("Nex", 41350, "A", "C", "1", CONTAINERS, "kontejnery", odj_s="1:05", passes=True),
    T("Pn", 46313, "C", "B", "5", EMPTY_TIMBER, "pro dřevo do Struh", odj_s="2:40", odj="3:05"),
    T("Os", 5413, None, "A", "2", OS_SET, "", odj="4:10"),
    T("Os", 5851, None, "B", "3", RAILBUS, "", odj="4:35"),
    T("Os", 5401, "C", "A", "1", [18, 17, 7, 10], "", odj_s="4:40", odj="4:50"),
    T("Os", 5852, "B", "B", "3", RAILBUS, "obrat", odj_s="4:55", odj="5:58"),
    T("Os", 5400, "A", "C", "2", OS_SET, "", odj_s="5:10", odj="5:25"),
    T("R", 771, "C", "A", "1", R_SET, "R Kamenáč", odj_s="5:45", odj="5:54"),
    T("Os", 5854, "B", "B", "3", RAILBUS, "přípoj od R 771", odj_s="6:20", odj="7:22"),
    T("Os", 5403, "C", "A", "1", OS_SET, "", odj_s="6:38", odj="6:48"),
    T("Sp", 1921, "A", "C", "2", SP_SET, "přípoj Struhy", odj_s="7:05", odj="7:18"),
    T("Os", 5856, "B", "B", "3", [5], "obrat", odj_s="7:45", odj="9:10"),
    T("Mn", 84521, None, "C", "7", STONE, "štěrk z lomu", odj="8:10"),
    T("Ex", 131, "C", "A", "1", EX_SET, "Ex Hutník", odj_s="8:30", passes=True),
    T("Os", 5404, "A", "C", "2", OS_SET, "", odj_s="8:55", odj="9:10"),
    T("Os", 5405, "C", "A", "1", [1, 8, 7, 10], "", odj_s="9:25", odj="9:35"),
    T("Os", 5858, "B", None, "3", [5], "končí", odj_s="9:40"),
    T("Pn", 46315, "A", "C", "5", TANKS, "cisterny, křižuje", odj_s="10:00", odj="10:30"),
    T("R", 772, "A", "C", "1", R_SET, "R Kamenáč", odj_s="10:50", odj="11:03"),
    T("Os", 5406, "A", "C", "2", OS_SET, "", odj_s="12:10", odj="12:25"),
    T("Os", 5407, "C", "A", "1", OS_SET, "", odj_s="12:45", odj="12:55"),
    T("Os", 5861, None, "B", "3", RAILBUS, "přípoj od Os 5407", odj="13:15"),
    T("Mn", 84522, "C", None, "7", STONE, "prázdné vozy do lomu", odj_s="13:20"),
    T("Os", 5862, "B", "B", "3", RAILBUS, "obrat", odj_s="13:40", odj="15:55"),
    T("Sp", 1922, "C", "A", "1", SP_SET, "", odj_s="14:05", odj="14:14"),
    T("Nex", 41352, "C", "A", "1", CONTAINERS, "kontejnery", odj_s="15:00", passes=True),
    T("Os", 5408, "A", "C", "2", OS_SET, "", odj_s="15:35", odj="15:50"),
    T("Os", 5409, "C", "A", "1", OS_SET, "", odj_s="16:10", odj="16:20"),
    T("Os", 5864, "B", "B", "3", RAILBUS, "přípoj na R 773", odj_s="16:20", odj="17:20"),
    T("R", 773, "C", "A", "1", R_SET, "R Kamenáč", odj_s="17:05", odj="17:14"),
    T("Os", 5866, "B", "B", "3", RAILBUS, "obrat", odj_s="17:50", odj="20:30"),
    T("Pn", 46317, "A", "C", "1", MIXED, "", odj_s="18:00", passes=True),
    T("Os", 5410, "A", "C", "2", [1, 8, 7, 7, 10], "", odj_s="18:40", odj="18:55"),
    T("R", 774, "A", "C", "1", R_SET, "R Kamenáč", odj_s="20:10", odj="20:23"),
    T("Os", 5868, "B", None, "3", RAILBUS, "končí", odj_s="21:00"),
    T("Os", 5411, "C", "A", "1", OS_SET, "", odj_s="21:40", odj="21:50"),
    T("Pn", 46318, "B", "C", "5", TIMBER, "dřevo ze Struh", odj_s="22:30", odj="22:55"),
    T("Os", 5412, "A", None, "2", OS_SET, "končí, odstaví se", odj_s="23:10"),
]

WEEKEND = [
    T("Pn", 46310, "C", "A", "1", COAL, "uhlí", odj_s="0:20", passes=True),
    T("Nex", 41350, "A", "C", "1", CONTAINERS, "kontejnery", odj_s="1:05", passes=True),
    T("Os", 5413, None, "A", "2", OS_SET, "do Dubce", odj="5:10"),
    T("Os", 5851, None, "B", "3", RAILBUS, "", odj="5:30"),
    T("Os", 5401, "C", "A", "1", OS_SET, "", odj_s="5:40", odj="5:50"),
    T("Os", 5852, "B", "B", "3", RAILBUS, "obrat", odj_s="5:55", odj="7:20"),
    T("Os", 5400, "A", "C", "2", OS_SET, "z Dubce", odj_s="6:10", odj="6:25"),
    T("R", 771, "C", "A", "1", R_SET, "R Kamenáč", odj_s="7:45", odj="7:54"),
    T("Os", 5856, "B", "B", "3", RAILBUS, "obrat", odj_s="7:45", odj="9:15"),
    T("Ex", 131, "C", "A", "1", EX_SET, "Ex Hutník", odj_s="8:30", passes=True),
    T("Os", 5404, "A", "C", "2", [1, 8, 7, 7, 10], "výletní", odj_s="8:55", odj="9:10"),
    T("Os", 5405, "C", "A", "1", OS_SET, "", odj_s="9:30", odj="9:40"),
    T("Os", 5858, "B", None, "3", RAILBUS, "končí", odj_s="10:00"),
    T("R", 772, "A", "C", "1", R_SET, "R Kamenáč", odj_s="10:50", odj="11:03"),
    T("Os", 5407, "C", "A", "1", OS_SET, "", odj_s="12:45", odj="12:55"),
    T("Os", 5406, "A", "C", "2", OS_SET, "", odj_s="13:20", odj="13:35"),
    T("Os", 5861, None, "B", "3", RAILBUS, "přípoj od Os 5406", odj="13:50"),
    T("Sp", 1922, "C", "A", "1", SP_SET, "", odj_s="14:05", odj="14:14"),
    T("Os", 5862, "B", "B", "3", RAILBUS, "obrat", odj_s="14:20", odj="16:05"),
    T("Nex", 41352, "C", "A", "1", CONTAINERS, "kontejnery", odj_s="15:00", passes=True),
    T("Os", 5408, "A", "C", "2", OS_SET, "", odj_s="15:35", odj="15:50"),
    T("Os", 5409, "C", "A", "1", OS_SET, "", odj_s="16:10", odj="16:20"),
    T("Os", 5864, "B", "B", "3", RAILBUS, "přípoj na R 773", odj_s="16:40", odj="17:20"),
    T("R", 773, "C", "A", "1", R_SET, "R Kamenáč", odj_s="17:05", odj="17:14"),
    T("Sp", 1931, "B", "C", "2", SP_SET, "Sp Struhy - Vrbská", odj_s="18:00", odj="18:11"),
    T("Os", 5410, "A", "C", "2", OS_SET, "", odj_s="18:40", odj="18:55"),
    T("Sp", 1932, "C", "B", "1", SP_SET, "Sp Vrbská - Struhy", odj_s="19:30", odj="19:39"),
    T("R", 774, "A", "C", "1", R_SET, "R Kamenáč", odj_s="20:10", odj="20:23"),
    T("Os", 5868, "B", None, "3", RAILBUS, "končí", odj_s="20:30"),
    T("Os", 5411, "C", "A", "1", OS_SET, "", odj_s="21:40", odj="21:50"),
    T("Pn", 46318, "B", "C", "5", TIMBER, "dřevo ze Struh", odj_s="22:30", odj="22:55"),
    T("Os", 5412, "A", None, "2", OS_SET, "končí, odstaví se", odj_s="23:10"),
]


def main():
    (DATA / "Gvd").mkdir(parents=True, exist_ok=True)
    vehicles = ["Vozidla\\" + name for name in VEHICLES]
    (DATA / VEHICLES_FILE).write_bytes(("\r\n".join(vehicles) + "\r\n").encode("cp1250"))
    write_timetable("vsedni_den.t6g", "Všední den 2026", "Horní Lom", WEEKDAY)
    write_timetable("sobota_nedele.t6g", "Sobota a neděle 2026", "Dubec", WEEKEND)
    return 0


if __name__ == "__main__":
    sys.exit(main())
