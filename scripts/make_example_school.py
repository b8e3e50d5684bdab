#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the example schools examples/gymnasium.sch and examples/grossschule.sch.

Both are project files (Windows-1252, CR LF) with subjects, rooms, teachers, classes, subject
blocks and course blocks. The run is deterministic: a fixed seed gives the same bytes every
time. Before writing, every school is checked for plannability (hours against free slots for
classes, teachers and rooms); the figures are printed and a failed check stops the run.

    python3 scripts/make_example_school.py            # both schools
    python3 scripts/make_example_school.py --large    # only the large school
    python3 scripts/make_example_school.py --small    # only the Gymnasium
"""
import argparse
import itertools
import math
import random
import sys
from pathlib import Path

SEED = 4711
CELLS = 91             # 7 days x 13 hour slots per lock grid
HOURS_PER_GRID_DAY = 13
ROOM_MARGIN = 0.70     # rooms may be booked up to this share of their free slots

SUBJECTS = ["Deutsch", "Mathematik", "Englisch", "Französisch", "Latein", "Biologie",
            "Chemie", "Physik", "Geschichte", "Erdkunde", "Politik", "Kunst", "Musik",
            "Sport", "Religion", "Ethik", "Informatik"]

# Hours per week of the subject blocks of one class, by grade.
STUNDENTAFEL = {
    5: {"Deutsch": 4, "Mathematik": 4, "Englisch": 5, "Biologie": 2, "Erdkunde": 2,
        "Geschichte": 2, "Kunst": 2, "Musik": 2, "Sport": 3},
    6: {"Deutsch": 4, "Mathematik": 4, "Englisch": 4, "Biologie": 2, "Geschichte": 2,
        "Erdkunde": 1, "Kunst": 2, "Musik": 2, "Sport": 3},
    7: {"Deutsch": 4, "Mathematik": 4, "Englisch": 4, "Biologie": 2, "Physik": 2,
        "Geschichte": 2, "Erdkunde": 1, "Kunst": 1, "Musik": 1, "Sport": 3},
    8: {"Deutsch": 4, "Mathematik": 4, "Englisch": 3, "Biologie": 1, "Chemie": 2, "Physik": 2,
        "Geschichte": 2, "Politik": 1, "Kunst": 1, "Musik": 1, "Sport": 2, "Informatik": 2},
    9: {"Deutsch": 3, "Mathematik": 4, "Englisch": 3, "Biologie": 2, "Chemie": 2, "Physik": 2,
        "Geschichte": 2, "Erdkunde": 1, "Politik": 2, "Kunst": 1, "Musik": 1, "Informatik": 1},
    10: {"Deutsch": 3, "Mathematik": 4, "Englisch": 3, "Biologie": 2, "Chemie": 2, "Physik": 2,
         "Geschichte": 2, "Erdkunde": 1, "Politik": 2, "Kunst": 1, "Musik": 1},
}

# Course blocks: the classes of a group learn in parallel groups, one teacher per class.
# kind: (name, short form prefix, unit lengths, Trennung, subjects for n teachers)
COURSE_KINDS = {
    "RE": ("Religion-Ethik", "RE", [1, 1], 1, lambda n: ["Religion"] * (n - 1) + ["Ethik"]),
    "FS4": ("2. Fremdsprache", "FS", [2, 1, 1], 1,
            lambda n: ["Französisch"] * ((n + 1) // 2) + ["Latein"] * (n // 2)),
    "FS3": ("2. Fremdsprache", "FS", [1, 1, 1], 1,
            lambda n: ["Französisch"] * ((n + 1) // 2) + ["Latein"] * (n // 2)),
    "SP": ("Sport", "SP", [2], 0, lambda n: ["Sport"] * n),
}
COURSES_BY_GRADE = {5: ["RE"], 6: ["RE", "FS4"], 7: ["RE", "FS4"], 8: ["RE", "FS3"],
                    9: ["RE", "FS3", "SP"], 10: ["RE", "FS3", "SP"]}

# Subjects taught in double units where the hours allow it.
DOUBLE_SUBJECTS = {"Biologie", "Chemie", "Physik", "Kunst", "Sport", "Informatik"}

# The Gymnasium's staff: name and the two subjects taught; most hours per week below.
TEACHERS = [
    ("Anna Müller", "Deutsch", "Geschichte"), ("Thomas Schäfer", "Mathematik", "Physik"),
    ("Birgit Jürgens", "Englisch", "Französisch"), ("Michael Schmidt", "Sport", "Biologie"),
    ("Sabine Becker", "Deutsch", "Englisch"), ("Stefan Hoffmann", "Mathematik", "Informatik"),
    ("Claudia Wagner", "Biologie", "Chemie"), ("Frank Weber", "Geschichte", "Politik"),
    ("Petra Schulz", "Kunst", "Deutsch"), ("Jörg Köhler", "Musik", "Mathematik"),
    ("Ursula Krüger", "Religion", "Deutsch"), ("Andreas Fischer", "Sport", "Erdkunde"),
    ("Monika Wolf", "Latein", "Geschichte"), ("Martin Schröder", "Physik", "Chemie"),
    ("Katrin Neumann", "Englisch", "Erdkunde"), ("Jürgen Zimmermann", "Mathematik", "Sport"),
    ("Gabriele Braun", "Französisch", "Deutsch"), ("Ralf Hartmann", "Ethik", "Politik"),
    ("Susanne Lange", "Englisch", "Religion"), ("Dirk Schmitt", "Mathematik", "Erdkunde"),
    ("Karin Werner", "Biologie", "Sport"), ("Christian Krause", "Chemie", "Mathematik"),
    ("Heike Meier", "Deutsch", "Musik"), ("Uwe Lehmann", "Geschichte", "Englisch"),
    ("Silke Schmid", "Kunst", "Geschichte"), ("Matthias Böhm", "Sport", "Geschichte"),
    ("Ines Günther", "Französisch", "Englisch"), ("Markus Frank", "Physik", "Informatik"),
    ("Tanja Hübner", "Latein", "Deutsch"), ("Holger Vogel", "Religion", "Geschichte"),
    ("Nicole Friedrich", "Musik", "Englisch"), ("Sven Keller", "Mathematik", "Biologie"),
    ("Anja Groß", "Deutsch", "Ethik"), ("Tobias Möller", "Erdkunde", "Sport"),
    ("Julia Roth", "Englisch", "Kunst"), ("Bernd Schulte", "Mathematik", "Chemie"),
    ("Melanie Bauer", "Biologie", "Erdkunde"), ("Oliver Kühn", "Religion", "Ethik"),
    ("Christine Weiß", "Deutsch", "Französisch"), ("Peter Jäger", "Mathematik", "Politik"),
]
MAX_LOAD = 24
GYM_PART_TIME = {"Ursula Krüger": 14, "Heike Meier": 18}

# Name pools for the large school's generated staff.
FIRST_NAMES = ["Anna", "Thomas", "Birgit", "Michael", "Sabine", "Stefan", "Claudia", "Frank",
               "Petra", "Jörg", "Ursula", "Andreas", "Monika", "Martin", "Katrin", "Jürgen",
               "Gabriele", "Ralf", "Susanne", "Dirk", "Karin", "Christian", "Heike", "Uwe",
               "Silke", "Matthias", "Ines", "Markus", "Tanja", "Holger", "Nicole", "Sven",
               "Anja", "Tobias", "Julia", "Bernd", "Melanie", "Oliver", "Christine", "Peter",
               "Björn", "Jürgen", "Sönke", "Käthe", "Gülay", "Mehmet", "Lena", "Jan"]
SURNAMES = ["Müller", "Schäfer", "Jürgens", "Schmidt", "Becker", "Hoffmann", "Wagner", "Weber",
            "Schulz", "Köhler", "Krüger", "Fischer", "Wolf", "Schröder", "Neumann", "Zimmermann",
            "Braun", "Hartmann", "Lange", "Schmitt", "Werner", "Krause", "Meier", "Lehmann",
            "Schmid", "Böhm", "Günther", "Frank", "Hübner", "Vogel", "Friedrich", "Keller",
            "Groß", "Möller", "Roth", "Schulte", "Bauer", "Kühn", "Weiß", "Jäger", "Lorenz",
            "Ludwig", "Pohl", "Franke", "Brandt", "Haas", "Schreiber", "Graf", "Dietrich",
            "Kraus", "Voß", "Sommer", "Stein", "Jung", "Hahn", "Schubert", "Vogt", "Fuchs",
            "Engel", "Thomas", "Arnold", "Seidel", "Heinrich", "Brinkmann", "Özdemir"]

# The Gymnasium's special rooms: name, short form, subjects, type (1 Spezial, 2 reserviert).
GYM_SPECIAL_ROOMS = [
    ("Biologie 1", "BIO1", ["Biologie"], 1), ("Biologie 2", "BIO2", ["Biologie"], 1),
    ("Chemie", "CH", ["Chemie"], 1), ("Physik", "PH", ["Physik"], 1),
    ("NW-Übungsraum", "NWÜ", ["Biologie", "Chemie", "Physik"], 1),
    ("Informatik", "INF", ["Informatik"], 2),
    ("Musik 1", "MU1", ["Musik"], 1), ("Musik 2", "MU2", ["Musik"], 1),
    ("Kunst 1", "KU1", ["Kunst"], 1), ("Kunst 2", "KU2", ["Kunst"], 1),
    ("Sporthalle 1", "SH1", ["Sport"], 1), ("Sporthalle 2", "SH2", ["Sport"], 1),
    ("Sporthalle 3", "SH3", ["Sport"], 1),
]
GYM_UNIVERSAL_ROOMS = 15   # "Raum 101".. besides the reserved class rooms of grade 5

# Locks as {name: [(day, [hours])]}.
GYM_TEACHER_LOCKS = {
    "Anna Müller": [(4, [5, 6, 7, 8])],                      # free Friday afternoon
    "Thomas Schäfer": [(0, [1]), (3, [1])],                  # no first hour Mon and Thu
    "Ursula Krüger": [(2, list(range(1, 9)))],               # part-time, free Wednesday
    "Jörg Köhler": [(1, [6, 7, 8])],                         # choir practice Tuesday
    "Heike Meier": [(d, [1]) for d in range(5)],             # never in the first hour
}
GYM_CLASS_LOCKS = {**{f"5{c}": [(d, [8]) for d in range(5)] for c in "abcd"},
                   **{f"6{c}": [(4, [7, 8])] for c in "abcd"}}
GYM_ROOM_LOCKS = {"Chemie": [(2, list(range(1, 9)))]}   # Wednesday: maintenance

# Fixed times. Subject units: (class, subject, unit index, day, hour, room or "").
GYM_FIXED_UNITS = [("5a", "Mathematik", 1, 0, 1, ""), ("9a", "Informatik", 0, 3, 2, "Informatik"),
                   ("7b", "Musik", 0, 4, 2, ""), ("10c", "Kunst", 0, 2, 3, "")]
# Rooms chosen in advance without a fixed time: (class, subject, unit index, room).
GYM_ROOM_PRESETS = [("5a", "Sport", 0, "Sporthalle 1"), ("5b", "Sport", 0, "Sporthalle 1"),
                    ("6a", "Kunst", 0, "Kunst 1"), ("8b", "Chemie", 0, "NW-Übungsraum"),
                    ("10a", "Deutsch", 0, "Raum 101")]
# Course units: (course short form, unit index, day, hour, rooms per teacher or None).
GYM_FIXED_COURSES = [("SP9", 0, 1, 3, ["Sporthalle 1", "Sporthalle 2", "Sporthalle 3"]),
                     ("RE10", 1, 4, 5, None)]

# The large school: 10 parallel classes per grade, rooms sized from the demand.
LARGE_GRADES = {grade: 10 for grade in range(5, 11)}
LARGE_SPECIAL_SUBJECTS = {"Biologie": "BIO", "Chemie": "CH", "Physik": "PH", "Informatik": "INF",
                          "Musik": "MU", "Kunst": "KU", "Sport": "SH"}
LARGE_CLASS_LOCKS = {f"5{c}": [(d, [9, 10]) for d in range(5)] for c in "abcdefghij"}
LARGE_ROOM_LOCKS = {"Chemie 1": [(2, list(range(1, 11)))]}
LARGE_FIXED_UNITS = [("5a", "Mathematik", 1, 0, 1, ""),
                     ("8c", "Informatik", 0, 1, 3, "Informatik 1")]
LARGE_FIXED_COURSES = [("SP9A", 0, 3, 3, ["Sporthalle 1", "Sporthalle 2", "Sporthalle 3"])]


# --- small helpers -------------------------------------------------------------------------

def slot(day, hour):
    return day * HOURS_PER_GRID_DAY + hour


def lock_slots(cells):
    return {slot(d, h) for d, hours in cells for h in hours}


def free_slots(locks, days, hours, last_hour=None):
    last = hours if last_hour is None else min(hours, last_hour)
    return sum(1 for d in range(days) for h in range(1, last + 1) if slot(d, h) not in locks)


def units_for(subject, hours):
    """Unit lengths and Trennung flag of a subject block."""
    if subject in DOUBLE_SUBJECTS:
        units = [2] * (hours // 2) + [1] * (hours % 2)
    elif subject == "Mathematik" and hours >= 4:
        units = [2] + [1] * (hours - 2)
    else:
        units = [1] * hours
    return units, int(len(units) > 1)


def short_form(surname, first, used):
    """A unique short form of at most 5 characters, e.g. MÜL for Müller."""
    letters = [c for c in surname.replace("ß", "ss") if c.isalpha()]
    for i, j in itertools.combinations(range(1, len(letters)), 2):
        kurz = (letters[0] + letters[i] + letters[j]).upper()
        if kurz not in used:
            return kurz
    return next(k for n in itertools.count(1)
                if (k := (letters[0] + letters[1] + first[0] + str(n)).upper()) not in used)


def group_label(grade, names):
    return f"{grade}{names[0][-1]}-{names[-1][-1]}"


# --- building a school ---------------------------------------------------------------------

class School:
    def __init__(self, days, hours):
        self.days, self.hours = days, hours
        self.rooms = []      # dicts: name, kurz, faecher, fachtyp, klasse, locks
        self.teachers = []   # dicts: name, kurz, faecher, max, klasse, locks
        self.classes = []    # dicts: name, grade, locks
        self.blocks = []     # dicts: lehrer, klasse, fach, trennung, units [len, zeit, room]
        self.courses = []    # dicts: name, kurz, faecher, lehrer, klassen, units, raeume, trennung

    def teacher(self, name):
        return next(t for t in self.teachers if t["name"] == name)

    def room(self, name):
        return next(r for r in self.rooms if r["name"] == name)


def add_teacher(school, name, faecher, most, locks):
    first, surname = name.split(" ", 1)
    used = {t["kurz"] for t in school.teachers}
    school.teachers.append({"name": name, "kurz": short_form(surname, first, used),
                            "faecher": faecher, "max": most, "klasse": "",
                            "locks": lock_slots(locks)})


def add_classes(school, grades, class_locks):
    for grade, count in grades.items():
        for letter in "abcdefghijklmnopqrstuvwxyz"[:count]:
            name = f"{grade}{letter}"
            school.classes.append({"name": name, "grade": grade,
                                   "locks": lock_slots(class_locks.get(name, []))})


def add_lessons(school, group_size):
    """Subject blocks per class and subject, course blocks per group of parallel classes."""
    for k in school.classes:
        for fach, hours in STUNDENTAFEL[k["grade"]].items():
            units, trennung = units_for(fach, hours)
            school.blocks.append({"lehrer": None, "klasse": k["name"], "fach": fach,
                                  "trennung": trennung, "units": [[u, -1, ""] for u in units]})
    for grade, kinds in COURSES_BY_GRADE.items():
        names = [k["name"] for k in school.classes if k["grade"] == grade]
        groups = split_groups(names, group_size)
        for kind in kinds:
            title, prefix, units, trennung, subjects = COURSE_KINDS[kind]
            for group in groups:
                several = len(groups) > 1
                label = group_label(grade, group) if several else str(grade)
                kurz = f"{prefix}{grade}{group[0][-1].upper() if several else ''}"
                n = len(group)
                school.courses.append({
                    "name": f"{title} {label}", "kurz": kurz, "faecher": subjects(n),
                    "lehrer": [None] * n, "klassen": group, "trennung": trennung,
                    "units": [[u, -1] for u in units],
                    "raeume": [[""] * len(units) for _ in range(n)]})


def split_groups(names, size):
    if size is None or len(names) <= size:
        return [names]
    count = math.ceil(len(names) / size)
    bounds = [round(i * len(names) / count) for i in range(count + 1)]
    return [names[bounds[i]:bounds[i + 1]] for i in range(count)]


def hours_of(units):
    return sum(u[0] for u in units)


def assign_teachers(school, rng):
    """Greedy: scarce subjects first, each task to the least loaded qualified teacher."""
    order = list(range(len(school.teachers)))
    rng.shuffle(order)
    tiebreak = {t: i for i, t in enumerate(order)}
    load = [0] * len(school.teachers)
    tasks = [(b["fach"], hours_of(b["units"]), b, None) for b in school.blocks]
    tasks += [(c["faecher"][i], hours_of(c["units"]), c, i)
              for c in school.courses for i in range(len(c["faecher"]))]
    qualified = {f: [i for i, t in enumerate(school.teachers) if f in t["faecher"]]
                 for f in SUBJECTS}
    tasks.sort(key=lambda task: (len(qualified[task[0]]), -task[1]))
    for fach, hours, owner, seat in tasks:
        taken = set(owner["lehrer"]) if seat is not None else set()
        pool = [i for i in qualified[fach] if load[i] + hours <= school.teachers[i]["max"]
                and school.teachers[i]["name"] not in taken]
        if not pool:
            sys.exit(f"no teacher left for {fach} ({owner.get('klasse') or owner['name']})")
        best = min(pool, key=lambda i: (load[i], tiebreak[i]))
        load[best] += hours
        if seat is None:
            owner["lehrer"] = school.teachers[best]["name"]
        else:
            owner["lehrer"][seat] = school.teachers[best]["name"]


def assign_class_teachers(school):
    """Each class gets the first of its teachers (Deutsch, Mathematik, ...) not yet leading one."""
    for k in school.classes:
        for b in (b for b in school.blocks if b["klasse"] == k["name"]):
            t = school.teacher(b["lehrer"])
            if not t["klasse"]:
                t["klasse"] = k["name"]
                break


def add_room(school, name, kurz, faecher=(), fachtyp=0, klasse="", locks=()):
    school.rooms.append({"name": name, "kurz": kurz, "faecher": list(faecher), "fachtyp": fachtyp,
                         "klasse": klasse, "locks": set(locks)})


def block(school, klasse, fach):
    return next(b for b in school.blocks if b["klasse"] == klasse and b["fach"] == fach)


def set_fixed_unit(school, klasse, fach, index, day, hour, room):
    block(school, klasse, fach)["units"][index][1:] = [slot(day, hour), room]


def set_fixed_course(school, kurz, index, day, hour, rooms):
    c = next(c for c in school.courses if c["kurz"] == kurz)
    c["units"][index][1] = slot(day, hour)
    for i, r in enumerate(rooms or []):
        c["raeume"][i][index] = r


# --- the two schools -----------------------------------------------------------------------

def make_gymnasium():
    rng = random.Random(SEED)
    school = School(days=5, hours=8)
    add_classes(school, {5: 4, 6: 4, 7: 3, 8: 3, 9: 3, 10: 3}, GYM_CLASS_LOCKS)
    for name, f1, f2 in TEACHERS:
        add_teacher(school, name, [f1, f2], GYM_PART_TIME.get(name, MAX_LOAD),
                    GYM_TEACHER_LOCKS.get(name, []))
    add_lessons(school, group_size=None)
    assign_teachers(school, rng)
    assign_class_teachers(school)
    for i in range(GYM_UNIVERSAL_ROOMS):
        add_room(school, f"Raum {101 + i}", f"R{101 + i}")
    for i, k in enumerate(k for k in school.classes if k["grade"] == 5):
        add_room(school, f"Raum E0{i + 1}", f"E0{i + 1}", klasse=k["name"])
    for name, kurz, faecher, typ in GYM_SPECIAL_ROOMS:
        add_room(school, name, kurz, faecher, typ, locks=lock_slots(GYM_ROOM_LOCKS.get(name, [])))
    for fixed in GYM_FIXED_UNITS:
        set_fixed_unit(school, *fixed)
    for klasse, fach, index, room in GYM_ROOM_PRESETS:
        block(school, klasse, fach)["units"][index][2] = room
    for fixed in GYM_FIXED_COURSES:
        set_fixed_course(school, *fixed)
    return school


def make_large():
    rng = random.Random(SEED + 1)
    school = School(days=5, hours=10)
    add_classes(school, LARGE_GRADES, LARGE_CLASS_LOCKS)
    names = rng.sample([f"{f} {s}" for f in dict.fromkeys(FIRST_NAMES) for s in SURNAMES], 120)
    for i, name in enumerate(names):
        _, f1, f2 = TEACHERS[i % len(TEACHERS)]   # the Gymnasium's mix of subjects, three times
        locks = [(rng.randrange(5), list(range(6, 11)))] if i % 8 == 3 else []
        add_teacher(school, name, [f1, f2], MAX_LOAD, locks)
    add_lessons(school, group_size=4)
    assign_teachers(school, rng)
    assign_class_teachers(school)
    # Rooms sized from the demand: special rooms per subject, then universal rooms.
    demand = room_demand(school, special=LARGE_SPECIAL_SUBJECTS, reserved=set())
    slots = school.days * school.hours
    widest = max(len(c["faecher"]) for c in school.courses if c["faecher"][0] == "Sport")
    for fach, kurz in LARGE_SPECIAL_SUBJECTS.items():
        count = math.ceil(demand["special"][fach] / (0.55 * slots))
        count = max(count, widest) if fach == "Sport" else count
        title = "Sporthalle" if fach == "Sport" else fach
        for n in range(1, count + 1):
            add_room(school, f"{title} {n}", f"{kurz}{n}", [fach], 1)
    reserved = [k["name"] for k in school.classes if k["grade"] == 5]
    for i, k in enumerate(reserved):
        add_room(school, f"Raum E{i + 1:02d}", f"E{i + 1:02d}", klasse=k)
    demand = room_demand(school)
    for i in range(math.ceil(demand["universal"] / (0.6 * slots))):
        add_room(school, f"Raum {101 + i}", f"R{101 + i}")
    for name, cells in LARGE_ROOM_LOCKS.items():
        school.room(name)["locks"] = lock_slots(cells)
    for fixed in LARGE_FIXED_UNITS:
        set_fixed_unit(school, *fixed)
    for fixed in LARGE_FIXED_COURSES:
        set_fixed_course(school, *fixed)
    return school


# --- plannability --------------------------------------------------------------------------

def class_load(school, name):
    """Hours per week of a class and the hours of its units and courses (bound by its limit)."""
    blocks = [b for b in school.blocks if b["klasse"] == name]
    course_hours = sum(hours_of(c["units"]) for c in school.courses if name in c["klassen"])
    total = sum(hours_of(b["units"]) for b in blocks) + course_hours
    bound = sum(u[0] for b in blocks for u in b["units"] if u[0] > 1) + course_hours
    return total, bound, math.ceil(total / school.days)


def room_demand(school, special=None, reserved=None):
    """Hours that need special rooms (per subject), reserved class rooms and universal rooms."""
    if special is None:
        special = {f for r in school.rooms if r["fachtyp"] != 0 for f in r["faecher"]}
    if reserved is None:
        reserved = {r["klasse"] for r in school.rooms if r["klasse"]}
    out = {"special": {f: 0 for f in special}, "class": {}, "universal": 0}
    uses = [(b["fach"], b["klasse"], hours_of(b["units"])) for b in school.blocks]
    uses += [(f, None, hours_of(c["units"])) for c in school.courses for f in c["faecher"]]
    for fach, klasse, h in uses:
        if fach in special:
            out["special"][fach] += h
        elif klasse in reserved:
            out["class"][klasse] = out["class"].get(klasse, 0) + h
        else:
            out["universal"] += h
    return out


def check(school, title):
    """Prints the capacity figures and stops the run when the school is not plannable."""
    problems = []
    print(f"== {title}: {school.days} days x {school.hours} hours, {len(school.classes)} "
          f"classes, {len(school.teachers)} teachers, {len(school.rooms)} rooms")
    check_classes(school, problems)
    check_teachers(school, problems)
    check_rooms(school, problems)
    check_fixed_times(school, problems)
    if problems:
        sys.exit("not plannable:\n  " + "\n  ".join(problems))


def check_classes(school, problems):
    """All hours fit the free slots; units and course hours fit below the class's hour limit."""
    rows = []
    for k in school.classes:
        total, bound, limit = class_load(school, k["name"])
        free = free_slots(k["locks"], school.days, school.hours)
        free_low = free_slots(k["locks"], school.days, school.hours, limit)
        figures = (f"{total:2} h of {free} free slots ({100 * total / free:.0f} %); units and "
                   f"courses {bound:2} h of {free_low} slots up to hour {limit}")
        if rows and rows[-1][2:] == [figures, k["grade"]]:
            rows[-1][1] = k["name"]
        else:
            rows.append([k["name"], k["name"], figures, k["grade"]])
        if total > free or bound > free_low:
            problems.append(f"class {k['name']} overbooked")
    for first, last, figures, _ in rows:
        print(f"  classes {first + '..' + last if first != last else first:>9}: {figures}")


def check_teachers(school, problems):
    loads = []
    for t in school.teachers:
        load = sum(hours_of(b["units"]) for b in school.blocks if b["lehrer"] == t["name"])
        load += sum(hours_of(c["units"]) for c in school.courses if t["name"] in c["lehrer"])
        free = free_slots(t["locks"], school.days, school.hours)
        loads.append(load)
        if load > min(t["max"], free):
            problems.append(f"teacher {t['name']} has {load} h, free {free}, max {t['max']}")
    print(f"  teachers: load {min(loads)}..{max(loads)} h, mean {sum(loads) / len(loads):.1f} h, "
          f"{sum(loads)} h in all")


def check_rooms(school, problems):
    """Special, class and universal rooms keep the margin; courses find distinct rooms."""
    demand = room_demand(school)
    cap = {r["name"]: free_slots(r["locks"], school.days, school.hours) for r in school.rooms}

    def report(label, need, rooms):
        have = sum(cap[r] for r in rooms)
        print(f"  {label:<19}: {need:4} h of {have:4} slots in {len(rooms):2} rooms "
              f"({100 * need / have:.0f} %)")
        if need > ROOM_MARGIN * have:
            problems.append(f"{label} rooms overbooked")

    for fach, need in sorted(demand["special"].items()):
        report(fach, need, [r["name"] for r in school.rooms
                            if r["fachtyp"] != 0 and fach in r["faecher"]])
    for group in room_groups(school):
        if len(group["faecher"]) > 1:
            report("+".join(f[:2] for f in group["faecher"]),
                   sum(demand["special"][f] for f in group["faecher"]), group["rooms"])
    for r in school.rooms:
        if r["klasse"] and demand["class"].get(r["klasse"], 0) > ROOM_MARGIN * cap[r["name"]]:
            problems.append(f"class room {r['name']} overbooked")
    if demand["class"]:
        print(f"  class rooms        : {len(demand['class'])} reserved, up to "
              f"{max(demand['class'].values())} h each of {school.hours * school.days} slots")
    univ = [r["name"] for r in school.rooms if r["fachtyp"] == 0 and not r["klasse"]]
    report("universal", demand["universal"], univ)
    for c in school.courses:
        for fach in sorted(set(c["faecher"])):
            rooms = [r for r in school.rooms if r["fachtyp"] != 0 and fach in r["faecher"]] or univ
            if c["faecher"].count(fach) > len(rooms):
                problems.append(f"course {c['name']} needs more {fach} rooms")
    check_preset_rooms(school, cap, problems)


def check_preset_rooms(school, cap, problems):
    """A room chosen in advance must suit the subject and keep the room's margin."""
    special = {f for r in school.rooms if r["fachtyp"] != 0 for f in r["faecher"]}
    booked = {}
    uses = [(b["fach"], b["klasse"], u[0], u[2]) for b in school.blocks for u in b["units"]]
    uses += [(c["faecher"][t], c["klassen"][0], u[0], c["raeume"][t][i]) for c in school.courses
             for t in range(len(c["lehrer"])) for i, u in enumerate(c["units"])]
    for fach, klasse, length, name in uses:
        if name:
            room = school.room(name)
            if fach in special:
                fits = room["fachtyp"] != 0 and fach in room["faecher"]
            else:
                fits = room["fachtyp"] == 0 and room["klasse"] in ("", klasse)
            if not fits:
                problems.append(f"room {name} does not suit {fach}")
            booked[name] = booked.get(name, 0) + length
    for name, need in booked.items():
        if need > ROOM_MARGIN * cap[name]:
            problems.append(f"room {name} has {need} h chosen in advance")
    print(f"  rooms chosen ahead : {sum(booked.values())} h in {len(booked)} rooms")


def room_groups(school):
    """Special subjects joined by rooms that list several of them."""
    groups = []
    for r in (r for r in school.rooms if r["fachtyp"] != 0):
        merged = {"faecher": list(r["faecher"]), "rooms": [r["name"]]}
        for g in [g for g in groups if set(g["faecher"]) & set(r["faecher"])]:
            groups.remove(g)
            merged = {"faecher": list(dict.fromkeys(g["faecher"] + merged["faecher"])),
                      "rooms": g["rooms"] + merged["rooms"]}
        groups.append(merged)
    return groups


def check_fixed_times(school, problems):
    """No two fixed units may meet in a class, teacher or room; none may hit a lock."""
    fixed = [(u[0], u[1], [b["klasse"]], [b["lehrer"]], [u[2]] if u[2] else [], u[0] > 1)
             for b in school.blocks for u in b["units"] if u[1] >= 0]
    fixed += [(length, zeit, c["klassen"], c["lehrer"], [r[i] for r in c["raeume"] if r[i]], True)
              for c in school.courses for i, (length, zeit) in enumerate(c["units"]) if zeit >= 0]
    locks = {("K", k["name"]): k["locks"] for k in school.classes}
    locks.update({("L", t["name"]): t["locks"] for t in school.teachers})
    locks.update({("R", r["name"]): r["locks"] for r in school.rooms})
    busy, collisions = set(), 0
    for length, zeit, klassen, lehrer, rooms, bounded in fixed:
        day, first = divmod(zeit, HOURS_PER_GRID_DAY)
        if first < 1 or first + length - 1 > school.hours or day >= school.days:
            problems.append(f"fixed time {zeit} outside the week")
        if bounded and any(first + length - 1 > class_load(school, k)[2] for k in klassen):
            problems.append(f"fixed time {zeit} beyond the hour limit of {klassen}")
        keys = [("K", k) for k in klassen] + [("L", t) for t in lehrer] + [("R", r) for r in rooms]
        for key, s in itertools.product(keys, range(zeit, zeit + length)):
            if s in locks[key] or (key, s) in busy:
                collisions += 1
                problems.append(f"fixed time {zeit} collides for {key}")
            busy.add((key, s))
    print(f"  fixed units        : {len(fixed)}, collisions with locks or each other: {collisions}")


# --- writing the project file --------------------------------------------------------------

def lst(items):
    return "".join(f"{x}," for x in items)


def grid(locks):
    return lst("1" if s in locks else "0" for s in range(CELLS))


def project_lines(school):
    sections = [("AllgemeineAngaben", [
        ("RaumNo", len(school.rooms)), ("LehrerNo", len(school.teachers)),
        ("KlassenNo", len(school.classes)), ("FaecherNo", len(SUBJECTS)),
        ("KursBlockNo", len(school.courses)), ("FachBlockNo", len(school.blocks)),
        ("Tage", school.days), ("Stunden", school.hours), ("Nullte", 0)])]
    sections.append(("Faecher", [("Faecher", lst(SUBJECTS))]))
    for n, r in enumerate(school.rooms):
        fachtyp = [int(r["fachtyp"] == i) for i in range(3)]
        klassentyp = [0, 0, 1] if r["klasse"] else [1, 0, 0]
        sections.append((f"Raum_{n}", [
            ("Name", r["name"]), ("Kurz", r["kurz"]), ("FaecherNo", len(r["faecher"])),
            ("Faecher", lst(r["faecher"])), ("FachTyp", lst(fachtyp)),
            ("KlassenTyp", lst(klassentyp)), ("Klasse", r["klasse"]),
            ("Sperre", grid(r["locks"]))]))
    for n, t in enumerate(school.teachers):
        sections.append((f"Lehrer_{n}", [
            ("Name", t["name"]), ("Kurz", t["kurz"]), ("FaecherNo", len(t["faecher"])),
            ("Faecher", lst(t["faecher"])), ("KlassenLehrer", int(bool(t["klasse"]))),
            ("Klasse", t["klasse"]), ("Sperre", grid(t["locks"]))]))
    for n, k in enumerate(school.classes):
        sections.append((f"Klasse_{n}", [("Name", k["name"]), ("Sperre", grid(k["locks"]))]))
    for n, b in enumerate(school.blocks):
        sections.append((f"FachBlock_{n}", [
            ("Lehrer", b["lehrer"]), ("Klasse", b["klasse"]), ("Fach", b["fach"]),
            ("Trennung", b["trennung"]), ("EinheitenNo", len(b["units"])),
            ("Einheiten", lst(x for u in b["units"] for x in u)),
            ("BStunden", hours_of(b["units"]))]))
    for n, c in enumerate(school.courses):
        sections.append((f"KursBlock_{n}", [
            ("Name", c["name"]), ("Kurz", c["kurz"]), ("LehrerNo", len(c["lehrer"])),
            ("KlassenNo", len(c["klassen"])), ("Faecher", lst(c["faecher"])),
            ("Lehrer", lst(c["lehrer"])), ("EinheitenNo", len(c["units"])),
            ("Einheiten", lst(x for u in c["units"] for x in u)),
            ("Raeume", lst(r for rooms in c["raeume"] for r in rooms)),
            ("Klassen", lst(c["klassen"])), ("BStunden", hours_of(c["units"])),
            ("Trennung", c["trennung"])]))
    lines = []
    for name, keys in sections:
        lines.append(f"[{name}]")
        lines += [f"{key}={value}" for key, value in keys]
    return lines


def validate_names(school):
    """Names travel in comma lists and blank-coded streams: no ',', '/', '%', '_' alone."""
    entities = school.rooms + school.teachers + school.classes + school.courses
    names = SUBJECTS + [x["name"] for x in entities]
    names += [x["kurz"] for x in school.rooms + school.teachers + school.courses]
    for name in names:
        assert name and name != "_" and not set(name) & set(",/%\t"), name
    for group in (school.rooms, school.teachers, school.courses):
        assert len({x["name"] for x in group}) == len(group)
        assert len({x["kurz"] for x in group}) == len(group)
        assert all(len(x["kurz"]) <= 5 for x in group)
    for b in school.blocks:
        assert b["fach"] in school.teacher(b["lehrer"])["faecher"], b
    for c in school.courses:
        assert all(f in school.teacher(t)["faecher"] for f, t in zip(c["faecher"], c["lehrer"]))
        assert not {c["name"], c["kurz"]} & set(SUBJECTS)


def write(school, path):
    validate_names(school)
    data = ("\r\n".join(project_lines(school)) + "\r\n").encode("cp1252")
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)
    print(f"  wrote {path} ({len(data)} bytes): {len(SUBJECTS)} subjects, "
          f"{len(school.blocks)} subject blocks, {len(school.courses)} course blocks")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    default_out = Path(__file__).resolve().parent.parent / "examples"
    parser.add_argument("--out", type=Path, default=default_out, help="output folder")
    which = parser.add_mutually_exclusive_group()
    which.add_argument("--large", action="store_true", help="only the large school")
    which.add_argument("--small", action="store_true", help="only the Gymnasium")
    args = parser.parse_args()
    if not args.large:
        school = make_gymnasium()
        check(school, "gymnasium.sch")
        write(school, args.out / "gymnasium.sch")
    if not args.small:
        school = make_large()
        check(school, "grossschule.sch")
        write(school, args.out / "grossschule.sch")


if __name__ == "__main__":
    main()
