#!/usr/bin/env python3
"""Plans the schools of FET's example data set with several seeds, for one build or two.

    python3 bench/fet_seeds.py DATA_DIR [--build build] [--against OTHER_BUILD]
                               [--seeds 1,2,3,4,5] [--limit 10] [--only PATTERN]
                               [--files LIST] [--min-seconds 0.05] [--jobs 2]

The search's time on a school is heavy-tailed: one seed completes in 0.3 s, the next needs 8 s.
A change to the search judged on one seed mostly measures luck. This script plans every file
of the corpus (as bench/fet_corpus.py chooses it) with each seed, under the same time limit and
options as that script, and prints per file the seeds that gave a complete plan holding every
rule and the geometric mean of the plan times (a run that did not, counted at the limit); with
--against, the same for the other build beside it and the ratio. The summary line gives the
geometric mean over all files and the count of complete runs. --files reads the files to plan
(paths below DATA_DIR, one per line); --min-seconds leaves out files the first build plans with
the first seed faster than that (the start-up then is all there is to measure). --jobs runs that
many plans at once: keep it at 1 when the times themselves matter, more only to compare two
builds that run side by side under the same load.

Nothing is written into the repository.
"""
import argparse
import concurrent.futures
import json
import math
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from fet_corpus import DEFAULT_DATA, corpus  # noqa: E402

ALLOW = ["--allow-course-over-limit", "--allow-multi-course-over-limit",
         "--allow-multi-over-limit"]


def plan(tool, sch, seed, limit, work):
    """Plan time in seconds and whether the plan is complete and holds every rule."""
    fd, pdt = tempfile.mkstemp(suffix=".pdt", dir=work)
    os.close(fd)
    start = time.monotonic()
    p = subprocess.run(["timeout", "-s", "TERM", "-k", "5", str(limit), tool, "plan", sch,
                        "-o", pdt, "--jobs", "1", "--seed", str(seed), "--stages", "",
                        "--json"] + ALLOW, capture_output=True, text=True)
    secs = time.monotonic() - start
    try:
        res = json.loads(p.stdout.strip().splitlines()[-1])
    except (ValueError, IndexError):
        res = {}
    good = bool(res.get("complete")) and res.get("rule_breaches", 0) == 0 and secs <= limit
    os.remove(pdt)
    return min(secs, limit), good


def geomean(values):
    return math.exp(sum(math.log(max(v, 1e-3)) for v in values) / len(values))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("data", nargs="?", default=DEFAULT_DATA)
    ap.add_argument("--build", default="build")
    ap.add_argument("--against", default=None)
    ap.add_argument("--seeds", default="1,2,3,4,5")
    ap.add_argument("--limit", type=int, default=10)
    ap.add_argument("--only", default=None)
    ap.add_argument("--files", default=None)
    ap.add_argument("--min-seconds", type=float, default=0.0)
    ap.add_argument("--jobs", type=int, default=1)
    a = ap.parse_args()
    seeds = [int(s) for s in a.seeds.split(",")]
    tools = [os.path.abspath(os.path.join(b, "stundenwerk")) for b in [a.build, a.against] if b]
    files, _ = corpus(a.data)
    if a.files:
        wanted = {line.strip() for line in open(a.files, encoding="utf-8") if line.strip()}
        files = [f for f in files if os.path.relpath(f, a.data).split("/", 1)[-1] in wanted]
    if a.only:
        files = [f for f in files if a.only in f]
    work = tempfile.mkdtemp(prefix="fet_seeds_")
    totals = [[] for _ in tools]
    good_runs = [0 for _ in tools]
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, a.jobs)) as pool:
        for f in files:
            name = os.path.relpath(f, a.data).split("/", 1)[-1]
            sch = os.path.join(work, "s.sch")
            if subprocess.run([tools[0], "import", f, "-o", sch], capture_output=True).returncode:
                continue
            if a.min_seconds > 0 and plan(tools[0], sch, seeds[0], a.limit, work)[0] < a.min_seconds:
                continue
            futures = [[pool.submit(plan, t, sch, s, a.limit, work) for s in seeds] for t in tools]
            cells = []
            for i, row in enumerate(futures):
                results = [fu.result() for fu in row]
                times = [r[0] for r in results]
                good = "".join("+" if r[1] else "-" for r in results)
                good_runs[i] += good.count("+")
                totals[i].append(geomean(times))
                cells.append("%s %6.2f" % (good, geomean(times)))
            ratio = " %5.2f" % (totals[1][-1] / totals[0][-1]) if len(tools) == 2 else ""
            print("%-62s %s%s" % (name[:62], "   ".join(cells), ratio), flush=True)
    summary = ", ".join("build %d: geometric mean %.3f s, %d of %d runs complete" % (
        i + 1, geomean(t) if t else 0.0, g, len(t) * len(seeds))
        for i, (t, g) in enumerate(zip(totals, good_runs)))
    print("summary: %d files, seeds %s; %s" % (len(totals[0]), a.seeds, summary))


if __name__ == "__main__":
    sys.exit(main())
