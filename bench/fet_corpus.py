#!/usr/bin/env python3
"""Imports every school of FET's example data set, plans it and checks the plan.

    python3 bench/fet_corpus.py [DATA_DIR] [--build build] [--limit 10] [--seed 1] [--fet]
                                [--only PATTERN] [--keep DIR]

DATA_DIR defaults to the examples of the Debian package fet-data, which this script installs
with apt-get when it is missing (the tests never need it). The corpus is every .fet file below
the folders FET-5-official and FET-6-official, without the universities and exam sessions
(EXCLUDED below). Per file: import (stundenwerk import --json), initial plan with one job and a
time limit (stundenwerk plan --jobs 1 --stages "" under `timeout`, which halts the run like
Ctrl-C; with the three --allow-…-over-limit options unless --keep-limits), check (stundenwerk check --json). With --fet, fet-cl (Debian package fet) plans the
same file under the same limit and its time is printed beside ours.

Prints one row per file and a summary line. Nothing is written into the repository.
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

DEFAULT_DATA = "/usr/share/doc/fet-data/examples"
CORPUS_FOLDERS = ["FET-5-official", "FET-6-official"]
# Universities, faculties, polytechnics and exam sessions: not schools.
EXCLUDED = [
    "Faculte-SNV-BBA", "Mechanical-Batna_Univ", "Corfu/THE-2008-2009-exams",
    "Anna-University", "Institute-of-Technology", "New-Delhi/Eng_College", "REVA-University",
    "TelPolytech-Bandung", "Sharif-University", "Faculty-Computers-Craiova",
    "Faculty-Econ-Timisoara", "Arabic_Saudi_Examination",
]


def corpus(data):
    files = []
    for folder in CORPUS_FOLDERS:
        root = os.path.join(data, folder)
        for dirpath, _, names in os.walk(root):
            for n in names:
                if n.endswith(".fet"):
                    files.append(os.path.join(dirpath, n))
    files.sort()
    kept = [f for f in files if not any(x in f for x in EXCLUDED)]
    return kept, [f for f in files if f not in kept]


def run(cmd, limit=None):
    start = time.monotonic()
    if limit:
        cmd = ["timeout", "-s", "TERM", "-k", "5", str(limit)] + cmd
    p = subprocess.run(cmd, capture_output=True, text=True)
    return p, time.monotonic() - start


def fet_time(path, limit, work):
    fet = shutil.which("fet-cl")
    if not fet:
        return None
    out = os.path.join(work, "fet-out")
    p, secs = run([fet, "--inputfile=" + path, "--outputdir=" + out,
                   "--timelimitseconds=%d" % limit, "--language=en"], limit + 10)
    # fet-cl ends with "Simulation successful" (or "... not successful", "Time exceeded").
    text = (p.stdout + p.stderr).lower()
    done = p.returncode == 0 and "simulation successful" in text and "not successful" not in text
    return secs if done else None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("data", nargs="?", default=None)
    ap.add_argument("--build", default="build")
    ap.add_argument("--limit", type=int, default=10)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--fet", action="store_true")
    ap.add_argument("--only", default=None)
    ap.add_argument("--keep", default=None)
    ap.add_argument("--keep-limits", action="store_true",
                    help="plan with the class hour limits (without the three --allow options)")
    a = ap.parse_args()
    data = a.data or DEFAULT_DATA
    if a.data is None and not os.path.isdir(data):
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        subprocess.run(sudo + ["apt-get", "install", "-y", "-qq", "fet-data"], check=True)
    tool = os.path.abspath(os.path.join(a.build, "stundenwerk"))
    files, excluded = corpus(data)
    if a.only:
        files = [f for f in files if a.only in f]
    # A FET school knows no hour limit per class and day: plan as a timetabler would after an
    # import, with the three limit options of the planning window on.
    allow = [] if a.keep_limits else ["--allow-course-over-limit",
                                      "--allow-multi-course-over-limit", "--allow-multi-over-limit"]
    work = a.keep or tempfile.mkdtemp(prefix="fet_corpus_")
    os.makedirs(work, exist_ok=True)
    print("# %d files (%d left out: %s)" % (len(files), len(excluded), ", ".join(
        sorted({os.path.relpath(f, data).split("/")[1] + "/" + os.path.relpath(f, data).split("/")[2]
                for f in excluded}))))
    head = "%-62s %5s %6s %5s %5s %5s %7s %6s %5s %8s %8s" % (
        "file", "act", "hours", "carr", "appr", "drop", "import", "plan", "full", "KLS", "fet-cl")
    print(head)
    rows = []
    for f in files:
        name = os.path.relpath(f, data)
        name = name.split("/", 1)[1] if "/" in name else name
        sch = os.path.join(work, "s.sch")
        pdt = os.path.join(work, "s.pdt")
        for x in (sch, pdt):
            if os.path.exists(x):
                os.remove(x)
        p, imp = run([tool, "import", f, "-o", sch, "--json"])
        row = {"file": name, "import_ok": p.returncode == 0, "import_s": imp}
        if p.returncode != 0:
            row["error"] = (p.stderr.strip().splitlines() or ["?"])[0].replace(f, os.path.basename(f))
            rows.append(row)
            print("%-62s import refused: %s" % (name[:62], row["error"][:120]))
            continue
        rep = json.loads(p.stdout)
        row.update(act=rep["aktivitaeten"], hours=rep["stunden"], src_hours=rep["quellStunden"],
                   carried=sum(e["anzahl"] for e in rep["uebernommen"]),
                   approx=sum(e["anzahl"] for e in rep["angenaehert"]),
                   dropped=sum(e["anzahl"] for e in rep["weggelassen"]))
        p, secs = run([tool, "plan", sch, "-o", pdt, "--jobs", "1", "--seed", str(a.seed),
                       "--stages", "", "--json"] + allow, a.limit)
        row["plan_s"] = secs
        try:
            res = json.loads(p.stdout.strip().splitlines()[-1])
        except (ValueError, IndexError):
            res = {}
        row["complete"] = bool(res.get("complete")) and secs <= a.limit
        row["unplaced"] = res.get("unplaced")
        row["breaches"] = res.get("rule_breaches", 0)
        row["KLS"] = res.get("KLSSumme")
        if os.path.exists(pdt):
            c, _ = run([tool, "check", pdt, "--json"])
            try:
                row["valid"] = json.loads(c.stdout).get("valid", False)
            except ValueError:
                row["valid"] = False
        else:
            row["valid"] = None
        row["fet_s"] = fet_time(f, a.limit, work) if a.fet else None
        rows.append(row)
        # yes: complete, every rule held; rules(N): complete but N breaches of the rules that
        # adding hours can mend (gaps, minima), often halted at the limit while still mending;
        # no(N): N hours unplaced; BAD: check refused it.
        if row["complete"] and row["valid"]:
            full = "yes"
        elif row["unplaced"] == 0 and row["breaches"]:
            full = "rules(%s)" % row["breaches"]
        elif not row["complete"] and row["unplaced"]:
            full = "no(%s)" % row["unplaced"]
        else:
            full = "BAD"
        print("%-62s %5d %6d %5d %5d %5d %7.2f %6.2f %5s %8s %8s" % (
            name[:62], row["act"], row["hours"], row["carried"], row["approx"], row["dropped"],
            imp, secs, full, row["KLS"] if row["KLS"] is not None else "-",
            "%.2f" % row["fet_s"] if row["fet_s"] is not None else "-"), flush=True)
    ok = [r for r in rows if r["import_ok"]]
    complete = [r for r in ok if r.get("complete") and r.get("valid")]
    times = sorted(r["plan_s"] for r in complete)
    print("summary: %d files, %d imported, %d complete plans (%.1f %%) within %d s, "
          "median %.2f s, slowest %.2f s; largest import %.2f s; hours kept in %d of %d" % (
              len(rows), len(ok), len(complete), 100.0 * len(complete) / max(1, len(rows)),
              a.limit, statistics.median(times) if times else 0.0, times[-1] if times else 0.0,
              max((r["import_s"] for r in ok), default=0.0),
              sum(1 for r in ok if r["hours"] == r["src_hours"]), len(ok)))
    if a.fet:
        by_fet = [r for r in rows if r.get("fet_s") is not None]
        ours = [r for r in by_fet if r.get("complete") and r.get("valid")]
        third = [r for r in ours if r["plan_s"] <= r["fet_s"] / 3]
        print("fet-cl: %d complete plans within %d s; Stundenwerk completes %d of them, in at most "
              "a third of fet-cl's time %d; Stundenwerk completes %d that fet-cl does not" % (
                  len(by_fet), a.limit, len(ours), len(third),
                  sum(1 for r in complete if r.get("fet_s") is None)))
    if not a.keep:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
