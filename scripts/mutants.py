#!/usr/bin/env python3
"""Mutation testing of Zrno.dll against its test programs.

Picks N small changes ("mutants") of the library's .cpp sources with a fixed seed, spread over the
folders in proportion to their candidate sites, builds each in a worker's own copy of the tracked
sources (the real tree is never written), and runs the test programs of the mutated folder under
Wine. A mutant is killed when a program fails, timed out when one overruns a few times its normal
time, survived when all pass, uncompiled when the build refuses it.

usage: mutants.py [-n 150] [--seed 1] [--jobs 2] [--folders strings,util] [--only strings] [--out build/mutants]
                  [--again build/mutants/results.json]
       mutants.py --compare OLD.json NEW.json   (the mutants whose outcome differs)
"""
import argparse
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["frame", "strings", "streams", "digests", "threads", "system", "util"]
# Test entries: name -> (program under bin/, extra arguments, address-space cap, processor features
# hidden). Frame carries everything else. A folder whose tests hold *Exhausted suites also gets their
# run with the address space capped.
ENTRIES = {}
for s in FOLDERS:
    ENTRIES[s] = ("test_" + s, [], None, None)
    tests = os.path.join(ROOT, "tests", s)
    sources = [os.path.join(tests, n) for n in os.listdir(tests)] if os.path.isdir(tests) else []
    exhausted = re.compile(r"(?m)^[A-Z_]*TEST[_A-Z]*\([A-Za-z0-9_]*Exhausted, *DISABLED_")
    if any(x.endswith(".cpp") and exhausted.search(open(x).read()) for x in sources):
        ENTRIES[s + "_exhausted"] = ("test_" + s, ["--gtest_also_run_disabled_tests",
                                                   "--gtest_filter=*Exhausted*.DISABLED_*"], "2147483648", None)
# Fault injection runs for every folder's mutants, with every call of every scenario failed in turn; so
# does the ownership suite of test_frame, which holds every class that shares a handle, whatever its folder.
ENTRIES["faults"] = ("test_faults", [], None, None)
ENTRIES["ownership"] = ("test_frame", ["--gtest_filter=Lastnistvo*:RSisElement.*"], None, None)
os.environ["ZRNO_NAPAKE"] = "vse"
# The processor paths of tests/helpers/poti.cmake: a kernel this machine does not choose is tested there
# alone, so a mutant in it counts as killed only if those runs catch it.
POTI = open(os.path.join(ROOT, "tests", "helpers", "poti.cmake")).read()
for ime, body in re.findall(r"(?m)^\s*zrno_pot\((\w+)\s([^)]*)\)", POTI):
    words = body.split()
    parts, key = {}, None
    for w in words:
        key = w if w in ("PROGRAM", "SKRIJ", "TESTI", "BREZ") else key
        if w != key:
            parts.setdefault(key, []).append(w)
    program = parts["PROGRAM"][0]
    filter_ = ":".join(parts["TESTI"]) + ("-" + ":".join(parts["BREZ"]) if "BREZ" in parts else "")
    ENTRIES[program + "_pot_" + ime] = ("poti/test_" + program, ["--gtest_filter=" + filter_], None,
                                        parts["SKRIJ"][0])
# What the test programs run or load besides themselves.
NEEDED = ["test_" + s for s in FOLDERS + ["faults"]] + [
    "ZrnoZagon", "poti", "zrno", "zrno_servis"] + [
    "jezik_" + s for s in ("0407", "0409", "0410", "0424", "brez", "napaka")]
SKIP_LINE = re.compile(r"\b(asm|__asm__|__builtin\w*|_mm\w*|__m\d+\w*|static_assert|template|alignas)\b")

# (operator, pattern, replacement or None for a computed one)
OPERATORS = [
    ("cmp", re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)"), None),
    ("logic", re.compile(r"(?<=\s)(&&|\|\|)(?=\s)"), None),
    ("off-by-one", re.compile(r"\s[+-] 1\b(?![.xX])"), ""),
    ("index+1", re.compile(r"(?<=\w)\[(?!k_)([a-z_]\w*)\]"), None),
    ("const", re.compile(r"(?<![\w.])(\d+)([uU]?[lL]{0,2})(?![\w.])"), None),
    ("negate", re.compile(r"\b(if|while) \("), None),
    ("no-return", re.compile(r"^(\s+)(return\b[^;]*;)\s*$"), None),
    # a call, an assignment or an increment standing alone on its line
    ("no-stmt", re.compile(r"^(\s+)((?:\w+(?:\.|->|::))*\w+(?:\[[^\]]*\])?\s*"
                           r"(?:\(.*\)|[-+*/|&^]?=[^=].*|\+\+|--);)\s*$"), None),
]
NOT_STMT = re.compile(r"^\s*(return|const|auto|unsigned|int|char|bool|static|if|while|for|else|case|delete|"
                      r"using|typedef)\b")


def masked(text):
    """The text with comments, string and character literals and preprocessor lines blanked out."""
    out, i, n = list(text), 0, len(text)
    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "
    line_start = True
    while i < n:
        c = text[i]
        if line_start and text[i:].lstrip(" \t").startswith("#"):
            j = i
            while True:  # the directive with its continuation lines
                e = text.find("\n", j)
                e = n if e < 0 else e
                if e > 0 and text[e - 1] == "\\":
                    j = e + 1
                    continue
                break
            blank(i, e)
            i = e
            continue
        line_start = c == "\n"
        if text.startswith("//", i):
            e = text.find("\n", i)
            e = n if e < 0 else e
            blank(i, e)
            i = e
        elif text.startswith("/*", i):
            e = text.find("*/", i + 2)
            e = n if e < 0 else e + 2
            blank(i, e)
            i = e
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()):  # 1'000 separators
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i, j + 1)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def closing(line, start):
    """Index of the parenthesis closing the one at start, or -1 when it closes on another line."""
    depth = 0
    for k in range(start, len(line)):
        depth += {"(": 1, ")": -1}.get(line[k], 0)
        if depth == 0:
            return k
    return -1


def sites(path):
    """Every candidate change in one source: (line, start, end, replacement, operator)."""
    text = open(path, encoding="utf-8", errors="surrogateescape").read()
    found = []
    for no, line in enumerate(masked(text).split("\n"), 1):
        if not line.strip() or SKIP_LINE.search(line):
            continue
        for op, rx, rep in OPERATORS:
            if op == "const" and len(rx.findall(line)) > 2:
                continue  # rows of a table
            for m in rx.finditer(line):
                a, b = m.span()
                if op == "cmp":
                    new = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}[m.group(1)]
                elif op == "logic":
                    new = "||" if m.group(1) == "&&" else "&&"
                elif op == "off-by-one":
                    new = rep
                elif op == "index+1":
                    a, b = m.span(1)
                    new = m.group(1) + " + 1"
                elif op == "const":
                    v = int(m.group(1))
                    a, b = m.span(1)
                    new = {0: "1", 1: "0"}.get(v, str(v + 1))
                elif op == "negate":
                    open_at = m.end() - 1
                    close_at = closing(line, open_at)
                    if close_at < 0:
                        continue
                    a, b = open_at + 1, close_at
                    new = "!(" + line[a:b] + ")"
                else:  # no-return, no-stmt: a statement becomes an empty block
                    if op == "no-stmt" and NOT_STMT.match(line):
                        continue
                    if op == "no-return" and len(m.group(1).expandtabs()) <= 4:
                        continue  # the function's own last word, not an early return
                    a, b = m.span(2)
                    new = "{}"
                found.append((no, a, b, new, op))
    return found


def sample(n, seed, folders):
    by_folder = {}
    for f in folders:
        for name in sorted(os.listdir(os.path.join(ROOT, f))):
            if name.endswith(".cpp"):
                rel = f + "/" + name
                by_folder.setdefault(f, []).extend((rel,) + s for s in sites(os.path.join(ROOT, rel)))
    total = sum(len(v) for v in by_folder.values())
    # Proportional shares, each folder at least one, rounded by largest remainder.
    share = {f: max(1, n * len(v) // total) for f, v in by_folder.items()}
    rest = sorted(by_folder, key=lambda f: -(n * len(by_folder[f]) % total))
    for f in rest[: max(0, n - sum(share.values()))]:
        share[f] += 1
    rng = random.Random(seed)
    chosen = []
    for f in folders:
        chosen += [dict(zip(("file", "line", "start", "end", "new", "op"), s))
                   for s in rng.sample(by_folder.get(f, []), min(share.get(f, 0), len(by_folder.get(f, []))))]
    for i, m in enumerate(chosen):
        m["id"] = i
        m["folder"] = m["file"].split("/")[0]
    return chosen, {f: len(v) for f, v in by_folder.items()}


STATUSES = ("killed", "timed out", "survived", "uncompiled", "untested")


def run(cmd, cwd=None, timeout=None, output=None):
    """(exit code or None on timeout, seconds); a timed-out program is killed with its process group."""
    t = time.monotonic()
    with open(output or os.devnull, "w") as out:
        p = subprocess.Popen(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                             start_new_session=True)
        try:
            rc = p.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            p.wait()
            rc = None
    return rc, time.monotonic() - t


class Worker:
    def __init__(self, index, out, files):
        self.src = os.path.join(out, "w%d" % index)
        self.build = os.path.join(self.src, "build", "x86_64")  # same layout as a normal build: ccache hits
        self.prefix = os.path.join(self.build, "wineprefix")
        self.times = {}
        self.broken = set()  # folders whose tests fail even unmutated
        for rel in files:  # only what differs is written, so the tree's earlier build stays valid
            a, b = os.path.join(ROOT, rel), os.path.join(self.src, rel)
            if not os.path.exists(b) or open(a, "rb").read() != open(b, "rb").read():
                os.makedirs(os.path.dirname(b), exist_ok=True)
                shutil.copyfile(a, b)
        # A file the tree no longer has would still be globbed into the build.
        tracked = set(files)
        for d, subdirs, names in os.walk(self.src):
            if d == self.src and "build" in subdirs:
                subdirs.remove("build")
            for n in names:
                rel = os.path.relpath(os.path.join(d, n), self.src)
                if rel not in tracked and not rel.startswith("unmutated-"):
                    os.remove(os.path.join(d, n))

    def sh(self, *args):
        return subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode

    def prepare(self, log):
        if not os.path.exists(os.path.join(self.build, "build.ninja")):
            self.sh("cmake", "-S", self.src, "-B", self.build, "-G", "Ninja",
                    "-DCMAKE_TOOLCHAIN_FILE=cmake/x86_64.cmake")
        if self.sh("ninja", "-C", self.build, "-j1", *NEEDED) != 0:
            log("mutants: the unmutated build fails in " + self.build)
            os._exit(1)  # sys.exit would end only this worker's thread, silently
        self.wine("start")
        for name, (prog, args, cap, hidden) in ENTRIES.items():
            if not os.path.exists(os.path.join(self.build, "bin", prog + ".exe")):
                continue
            for attempt in range(2):  # a program that fails once on a loaded machine gets a second run
                output = os.path.join(self.src, "unmutated-%s.log" % name)
                rc, secs = self.test(name, None, output)
                if rc == 0:
                    self.times[name] = secs
                    break
            else:
                log("mutants: %s fails unmutated (see %s); its folder's mutants are not run" % (name, output))
                self.broken.add(name.split("_")[0])

    def wine(self, what):
        self.sh("sh", os.path.join(self.src, "cmake", "wine-prefix.sh"), what, self.prefix)

    def test(self, name, timeout, output=None):
        prog, args, cap, hidden = ENTRIES[name]
        program = os.path.join(self.build, "bin", prog + ".exe")
        cmd = [os.path.join(self.build, "wine-run"), program, "--gtest_brief=1"] + args
        if cap:
            cmd = ["prlimit", "--as=" + cap] + cmd
        if hidden:
            cmd = ["env", "ZRNO_POTI=" + hidden] + cmd
        return run(cmd, cwd=os.path.dirname(program), timeout=timeout, output=output)

    def mutate(self, m):
        path = os.path.join(self.src, m["file"])
        original = open(os.path.join(ROOT, m["file"]), encoding="utf-8", errors="surrogateescape").read()
        lines = original.split("\n")
        line = lines[m["line"] - 1]
        m["old"] = line[m["start"]:m["end"]]
        lines[m["line"] - 1] = line[:m["start"]] + m["new"] + line[m["end"]:]
        if m["folder"] in self.broken or "frame" in self.broken:
            m["seconds"] = 0
            return "untested"
        t = time.monotonic()
        try:
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write("\n".join(lines))
            targets = ["Zrno", "ZrnoZagon"] if m["folder"] == "frame" else ["Zrno"]
            targets += ["poti"] if m["folder"] in ("frame", "digests", "streams") else []
            if self.sh("ninja", "-C", self.build, "-j1", *targets) != 0:
                return "uncompiled"
            names = [e for e in self.times
                     if m["folder"] == "frame" or e.split("_")[0] in (m["folder"], "faults", "ownership")]
            for name in names:
                normal = self.times[name]
                rc, _ = self.test(name, max(3 * normal, normal + 20))
                if rc is None:
                    self.wine("stop")  # whatever the mutant left hanging goes with the server
                    self.wine("start")
                    return "timed out"
                if rc != 0:
                    return "killed"
            return "survived"
        finally:
            # A fresh write (new time stamp) so the next build compiles the original again.
            shutil.copyfile(os.path.join(ROOT, m["file"]), path)
            m["seconds"] = round(time.monotonic() - t, 1)


def compare(old_path, new_path):
    key = lambda m: (m["file"], m["line"], m["start"], m["op"], m["new"])
    old, new = ({key(m): m for m in json.load(open(p))["mutants"]} for p in (old_path, new_path))
    changed = 0
    for k in sorted(set(old) & set(new)):
        if old[k]["status"] != new[k]["status"]:
            changed += 1
            m = new[k]
            print("%s:%d %s: %s -> %s: %s, now %s" % (m["file"], m["line"], m["op"], m["old"].strip(),
                                                       m["new"], old[k]["status"], m["status"]))
    print("%d of %d mutants in both runs changed outcome; %d only in the old, %d only in the new" % (
        changed, len(set(old) & set(new)), len(set(old) - set(new)), len(set(new) - set(old))))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("-n", type=int, default=150)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--folders", default=",".join(FOLDERS))
    ap.add_argument("--only", help="of the sample, run only these folders' mutants (comma-separated)")
    ap.add_argument("--out", default=os.path.join(ROOT, "build", "mutants"))
    ap.add_argument("--list", action="store_true", help="print the sample and stop")
    ap.add_argument("--again", metavar="RESULTS", help="run only the survivors of an earlier run of the same "
                    "sample, carrying the other outcomes over (for tests added since, none weakened)")
    ap.add_argument("--compare", nargs=2, metavar=("OLD", "NEW"), help="compare two result files")
    a = ap.parse_args()
    if a.compare:
        return compare(*a.compare)
    folders = [f for f in a.folders.split(",") if f]
    mutants, counts = sample(a.n, a.seed, folders)
    print("mutants: %d of %d sites (seed %d): %s" % (len(mutants), sum(counts.values()), a.seed,
          ", ".join("%s %d" % (f, sum(m["folder"] == f for m in mutants)) for f in folders)), flush=True)
    if a.list:
        for m in mutants:
            print("%s:%d %s %r" % (m["file"], m["line"], m["op"], m["new"]))
        return
    a.out = os.path.abspath(a.out)  # the workers run their programs from their own folders
    os.makedirs(a.out, exist_ok=True)
    files = subprocess.run(["git", "-C", ROOT, "ls-files"], capture_output=True, text=True,
                           check=True).stdout.split()
    lock = threading.Lock()
    def log(s):
        with lock:
            print(s, flush=True)
    workers = [Worker(i, a.out, files) for i in range(a.jobs)]
    if a.again:
        earlier = {m["id"]: m for m in json.load(open(a.again))["mutants"]}
        for m in mutants:
            e = earlier.get(m["id"], m)
            if [e[k] for k in ("file", "line", "start", "new")] != [m[k] for k in ("file", "line", "start", "new")]:
                sys.exit("mutants: %s is another sample (the library changed since)" % a.again)
            if e.get("status", "survived") != "survived":
                m["status"], m["seconds"] = e["status"], e["seconds"]
    # A run cut short still has every folder in proportion.
    todo = [m for m in mutants if "status" not in m and (not a.only or m["folder"] in a.only.split(","))]
    random.Random(a.seed).shuffle(todo)
    result_path = os.path.join(a.out, "results.json")

    def work(w):
        w.prepare(log)
        log("mutants: %s ready, normal times %s" % (w.build, {k: round(v) for k, v in w.times.items()}))
        while True:
            with lock:
                if not todo:
                    break
                m = todo.pop(0)
            m["status"] = w.mutate(m)
            log("[%3d] %-10s %s:%d %s: %s -> %s (%ss)" % (m["id"], m["status"], m["file"], m["line"],
                m["op"], m["old"].strip(), m["new"], m["seconds"]))
            with lock, open(result_path + ".part", "w") as f:
                json.dump({"seed": a.seed, "n": a.n, "mutants": [x for x in mutants if "status" in x]}, f,
                          indent=1)
        w.wine("stop")

    threads = [threading.Thread(target=work, args=(w,)) for w in workers]
    try:
        for t in threads:
            t.start()
        for t in threads:
            t.join()
    except KeyboardInterrupt:
        with lock:
            todo.clear()
        for t in threads:
            t.join()
    done = [m for m in mutants if "status" in m]
    with open(result_path, "w") as f:
        json.dump({"seed": a.seed, "n": a.n, "mutants": done}, f, indent=1)
    print("\nfolder     killed  timeout  survived  uncompiled  untested  kill rate")
    for f in folders + ["total"]:
        ms = [m for m in done if f in ("total", m["folder"])]
        c = {s: sum(m["status"] == s for m in ms) for s in STATUSES}
        compiled = c["killed"] + c["timed out"] + c["survived"]
        rate = "%5.1f%%" % (100.0 * (c["killed"] + c["timed out"]) / compiled) if compiled else "    -"
        print("%-10s %6d  %7d  %8d  %10d  %8d  %s" % ((f,) + tuple(c[s] for s in STATUSES) + (rate,)))
    print("\nsurvivors:")
    for m in done:
        if m["status"] == "survived":
            print("  %s:%d %s: %s -> %s" % (m["file"], m["line"], m["op"], m["old"].strip(), m["new"]))
    print("\nresults: " + result_path)


if __name__ == "__main__":
    main()
